#include "app/attachment_flow.h"

#include "actions/vocabulary/vocabulary.h"
#include "app/chat_app.h"
#include "doc/ids.h"
#include "doc/validate_send.h"
#include "ui/exec/one_answer.h"
#include "ui/launch/window_loop.h"

#include <glib.h>

#include <limits>

namespace chat {

namespace {

constexpr auto counter_exhausted = std::numeric_limits<std::uint64_t>::max();

std::uint64_t take_request_number(ChatApp& app) { return app.request_counter++; }

// Sending refuses names with control characters or over 255 bytes; a file
// called that is still worth sharing, so the name is made acceptable instead.
std::string acceptable_name(std::string const& name)
{
    std::string out;
    for (char const* p = name.c_str(); *p; p = g_utf8_next_char(p)) {
        gunichar c = g_utf8_get_char(p);
        char const* next = g_utf8_next_char(p);
        std::string_view piece(p, static_cast<std::size_t>(next - p));
        if (c < 0x20 || (c >= 0x7f && c <= 0x9f)) piece = "\xEF\xBF\xBD"; // U+FFFD
        if (out.size() + piece.size() > doc::max_attachment_name_bytes) break;
        out += piece;
    }
    return out.empty() ? std::string("file") : out;
}

void on_listing(ChatApp& app, ListingAnswer answer)
{
    if (app.listing_request != answer.request) return;
    app.listing_request.reset();
    if (!app.attach_panel_open) {
        app.attachment_notice = "Attachment picker cancelled";
        return;
    }
    if (auto* reason = std::get_if<std::string>(&answer.files_or_error)) {
        app.attachment_notice = "Attachment picker failed: " + *reason;
        return;
    }
    app.picker_files = std::move(std::get<std::vector<PickerFile>>(answer.files_or_error));
    app.attachment_notice.reset();
}

void on_import(ChatApp& app, crdt::Document& doc, ImportAnswer answer)
{
    if (!app.import_in_flight || app.import_in_flight->request != answer.request) {
        app.attachment_notice = "Attachment import discarded: stale result";
        return;
    }
    auto captured = std::move(*app.import_in_flight);
    app.import_in_flight.reset();
    if (auto* reason = std::get_if<std::string>(&answer.file_or_error)) {
        app.attachment_notice = "Attachment import failed: " + *reason;
        return;
    }
    if (!app.permissions.check()) {
        app.attachment_notice = "Attachment import cancelled: permission changed";
        return;
    }
    action::SendMessage send;
    send.channel = captured.channel;
    send.id = doc::new_id("m_");
    send.author = captured.person;
    send.ts = timestamp_now();
    send.attachment = attachment_for(std::get<ImportedFile>(answer.file_or_error));
    app.dispatch_chat_action(doc, send);
    app.timeline_scroll = 0;
    app.attachment_notice = "Attachment shared";
}

// Runs `job` on the shared executor and wakes the frame loop once its answer is
// in, so a window idle between events still collects it on the next frame.
template<typename Job>
auto answer_in_background(Job job) -> orvo_ui::exec::AnswerReceiver<decltype(job())>
{
    using T = decltype(job());
    auto [sender, receiver] = orvo_ui::exec::one_answer<T>();
    auto shared_sender = std::make_shared<orvo_ui::exec::AnswerSender<T>>(std::move(sender));
    orvo_ui::exec::Executor::shared().submit([shared_sender, job = std::move(job)]() mutable {
        shared_sender->send(job());
        orvo_ui::launch::wake_frame_loop();
    });
    return receiver;
}

// Takes the answer of `receiver` when it has come; a job that ended without
// answering closes its channel, which clears the receiver as well.
template<typename T>
std::optional<T> poll(std::optional<orvo_ui::exec::AnswerReceiver<T>>& receiver)
{
    if (!receiver) return std::nullopt;
    auto answer = receiver->try_take();
    if (answer || receiver->is_closed()) receiver.reset();
    return answer;
}

} // namespace

void open_picker(ChatApp& app)
{
    if (!app.permissions.check()) return;
    if (app.listing_request) {
        app.attachment_notice = std::string(loading_attachments_notice);
        app.attach_panel_open = true;
        return;
    }
    if (app.request_counter == counter_exhausted) {
        app.attachment_notice = "Attachment picker unavailable: request counter exhausted";
        return;
    }
    auto n = take_request_number(app);
    app.listing_request = n;
    app.attachment_notice = std::string(loading_attachments_notice);
    app.picker_files.clear();
    app.attach_panel_open = true;
    app.listing_answers = answer_in_background([dir = attach_dir(), n] { return list_attachments(dir, n); });
}

void pick_file(ChatApp& app, PickerFile const& file)
{
    start_import(app, app.current_channel, file.path, attach_dir());
}

bool start_import(ChatApp& app, std::string channel, std::string path, std::optional<std::filesystem::path> within)
{
    if (!app.permissions.check() || app.import_in_flight) return false;
    if (app.request_counter == counter_exhausted) {
        app.attachment_notice = "Attachment import unavailable: request counter exhausted";
        return false;
    }
    auto n = take_request_number(app);
    app.import_in_flight = ImportInFlight {std::move(channel), app.local_identity.id, n};
    app.attachment_notice = "Preparing attachment…";
    app.import_answers = answer_in_background(
        [path = std::move(path), within = std::move(within), n] { return import_attachment(path, n, within); });
    return true;
}

void collect_attachment_answers(ChatApp& app, crdt::Document& doc)
{
    if (auto listing = poll(app.listing_answers)) on_listing(app, std::move(*listing));
    if (auto import = poll(app.import_answers)) on_import(app, doc, std::move(*import));
}

Attachment attachment_for(ImportedFile const& file)
{
    auto name = acceptable_name(file.name);
    if (file.is_video) return VideoAttachment {name, file.key, file.width, file.height, file.size};
    bool sized = file.width > 0 && file.height > 0 && file.width <= doc::max_attachment_side
        && file.height <= doc::max_attachment_side;
    if (sized) return ImageAttachment {name, file.key, file.width, file.height};
    return FileAttachment {name, file.key, file.size};
}

} // namespace chat
