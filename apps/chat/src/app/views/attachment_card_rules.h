#pragma once

// Sizes and texts of attachment cards, apart from their drawing.

#include "doc/records/attachment.h"
#include "ui/core/geometry.h"

#include <string>
#include <string_view>

namespace chat::views {

inline constexpr std::string_view demo_scheme_prefix = "orvo-demo://";
inline constexpr std::string_view blob_scheme_prefix = "orvo-blob://";

// The media area (image or video poster) or the file card body, for an
// available width `available` (the text column) at interface scale `z`.
orvo_ui::Size card_media_size(Attachment const& attachment, double available, double z);
// The card's height in a row: the media plus its caption band (24 z), or a file card plus 12 z.
double card_height(Attachment const& attachment, double available, double z);

// Where the image store finds an attachment's picture: demo references as they
// are, content keys behind "orvo-blob://" (unless already there).
std::string attachment_source(std::string_view blob);

// The resource the permission context is asked about before a card loads.
// Demo pictures answer to one fixed path; everything else to its source.
std::string attachment_resource(std::string_view blob);

// Labels of the shared store's blob states (0 decoding, 1 loading, 2 unavailable).
std::string_view blob_state_label(int state);

// The caption's right-hand text: "640×360", "1280×720 · 6.5 MB" or "video · 6.5 MB".
std::string caption_detail(Attachment const& attachment);

} // namespace chat::views
