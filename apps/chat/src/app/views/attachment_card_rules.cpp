#include "app/views/attachment_card_rules.h"

#include "ui/i18n/format.h"

#include <algorithm>
#include <variant>

namespace chat::views {

namespace {

constexpr double media_max_width = 380;
constexpr double media_max_height = 210;
constexpr double file_max_width = 360;

orvo_ui::Size fitted(double available, double width, double height)
{
    width = width < 2 ? 1 : width;
    height = height < 2 ? 1 : height;
    double w = std::min(available, media_max_width);
    double h = w * height / width;
    if (h > media_max_height) {
        h = media_max_height;
        w = width * media_max_height / height;
    }
    return {w, h};
}

std::string dimensions(std::uint32_t w, std::uint32_t h)
{
    return std::to_string(w) + "×" + std::to_string(h);
}

} // namespace

orvo_ui::Size card_media_size(Attachment const& attachment, double available, double z)
{
    if (auto const* image = std::get_if<ImageAttachment>(&attachment)) return fitted(available, image->w, image->h);
    if (auto const* video = std::get_if<VideoAttachment>(&attachment)) {
        if (video->w > 0 && video->h > 0) return fitted(available, video->w, video->h);
        return fitted(available, 16, 9);
    }
    return {std::min(available, file_max_width), 58 * z};
}

double card_height(Attachment const& attachment, double available, double z)
{
    double media = card_media_size(attachment, available, z).height;
    return std::holds_alternative<FileAttachment>(attachment) ? media + 12 * z : media + 24 * z;
}

std::string attachment_source(std::string_view blob)
{
    if (blob.starts_with(demo_scheme_prefix) || blob.starts_with(blob_scheme_prefix)) return std::string(blob);
    return std::string(blob_scheme_prefix) + std::string(blob);
}

std::string attachment_resource(std::string_view blob)
{
    if (blob.starts_with(demo_scheme_prefix)) return "orvo-demo://assets";
    return attachment_source(blob);
}

std::string_view blob_state_label(int state)
{
    switch (state) {
    case 0: return "Decoding image…";
    case 1: return "Loading shared image…";
    default: return "Shared image unavailable";
    }
}

std::string caption_detail(Attachment const& attachment)
{
    if (auto const* image = std::get_if<ImageAttachment>(&attachment)) return dimensions(image->w, image->h);
    if (auto const* video = std::get_if<VideoAttachment>(&attachment)) {
        if (video->w > 0 && video->h > 0) return dimensions(video->w, video->h) + " · " + orvo_ui::format::bytes(video->size);
        return "video · " + orvo_ui::format::bytes(video->size);
    }
    return orvo_ui::format::bytes(std::get<FileAttachment>(attachment).size);
}

} // namespace chat::views
