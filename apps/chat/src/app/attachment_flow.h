#pragma once

// The attachment picker's side of ChatApp: opening the picker starts a listing,
// picking a file starts an import, and each frame collects whatever answers
// arrived. Jobs run on the shared background executor; the request number
// pairs each answer with the state that asked for it.

#include "app/attachment_jobs.h"
#include "doc/records/attachment.h"

#include <filesystem>
#include <optional>
#include <string>

namespace crdt {
class Document;
}

namespace chat {

class ChatApp;

inline constexpr std::string_view loading_attachments_notice = "Loading attachments…";

// Target Attach: lists the attach directory in the background and shows the picker.
void open_picker(ChatApp& app);
// Target AttachPick: imports the file into the open conversation.
void pick_file(ChatApp& app, PickerFile const& file);
// Starts importing `path` for `channel` as the local person; false when refused
// (permission denied, an import already in flight, or no request number left).
// With `within`, the file must lie inside that directory.
bool start_import(ChatApp& app, std::string channel, std::string path,
                  std::optional<std::filesystem::path> within = std::nullopt);
// Takes the listing and import answers that have arrived, without waiting.
void collect_attachment_answers(ChatApp& app, crdt::Document& doc);

// The attachment a finished import is posted with: a video when sniffed as
// one, an image when its pixel size is known and acceptable, else a file.
Attachment attachment_for(ImportedFile const& file);

} // namespace chat
