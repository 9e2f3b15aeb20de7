// The four text inputs: which one has the keyboard, drafts kept in the document,
// sending with mentions, inline message edits and emoji insertion.

#include "app/chat_app.h"

#include "actions/mentions.h"
#include "actions/text.h"
#include "crdt/document.h"
#include "doc/drafts.h"
#include "doc/ids.h"

#include <chrono>

namespace chat {

namespace {

// Whole seconds since the Unix epoch; a clock set before the epoch reads as a fixed date.
std::int64_t now_seconds()
{
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
    return seconds < 0 ? std::int64_t {1782477600} : std::int64_t(seconds);
}

bool blank(std::string_view text) { return text::trim_white_space(text).empty(); }

void focus(orvo_ui::widget::text_input::TextInput& input, bool focused)
{
    if (input.focused() != focused) input.set_focused(focused);
}

} // namespace

std::int64_t ChatApp::message_time() { return now_seconds(); }

bool ChatApp::thread_composer_active() const { return thread_composer_focused && open_thread.has_value(); }

std::string ChatApp::thread_draft_key() const
{
    if (!open_thread || current_channel.empty()) return {};
    return doc::thread_draft_key(current_channel, *open_thread);
}

void ChatApp::update_focus()
{
    bool const renaming = rename_target.has_value();
    bool const editing = editing_message.has_value() && !renaming;
    bool const composing = !editing && !renaming && permissions.check();
    focus(composer, composing && !thread_composer_focused);
    focus(thread_composer, composing && thread_composer_active());
    focus(edit_input, editing);
    focus(rename_input, renaming);
}

void ChatApp::write_draft_if_changed(crdt::Document& doc)
{
    if (composer.take_dirty() && !m_composer_draft_key.empty())
        doc::set_draft(doc, m_composer_draft_key, composer.text());
    if (thread_composer.take_dirty() && !m_thread_draft_key.empty())
        doc::set_draft(doc, m_thread_draft_key, thread_composer.text());
}

void ChatApp::refresh_composer(crdt::Document& doc)
{
    m_composer_draft_key.clear();
    m_thread_draft_key.clear();
    reload_composer_inputs(doc);
}

void ChatApp::reload_composer_inputs(crdt::Document& doc)
{
    // Text typed since the last write belongs to the conversation it was typed in.
    write_draft_if_changed(doc);

    if (composer_preset) {
        composer.set_text(*composer_preset);
        composer_preset.reset();
        m_composer_draft_key = current_channel;
    } else if (m_composer_draft_key != current_channel) {
        m_composer_draft_key = current_channel;
        composer.set_text(current_channel.empty() ? std::string() : doc::read_draft(doc, current_channel));
    }
    auto const* channel = model.channel(current_channel);
    composer.set_placeholder("Message #" + (channel ? channel->name : std::string()));

    auto const thread_key = thread_draft_key();
    if (m_thread_draft_key != thread_key) {
        m_thread_draft_key = thread_key;
        thread_composer.set_text(thread_key.empty() ? std::string() : doc::read_draft(doc, thread_key));
    }
    thread_composer.set_placeholder("Reply…");
    for (auto* input : {&composer, &thread_composer}) input->set_local_author(local_identity.id);
}

std::vector<MentionCandidate> ChatApp::mention_candidates_now() const
{
    std::vector<Person> known = model.workspace_people;
    known.insert(known.end(), model.people.begin(), model.people.end());
    return mention_candidates(known);
}

void ChatApp::send(crdt::Document& doc)
{
    if (!permissions.check() || current_channel.empty()) return;
    write_draft_if_changed(doc);
    bool const reply = thread_composer_active();
    auto const key = reply ? thread_draft_key() : current_channel;
    auto const text = doc::read_draft(doc, key);
    if (blank(text)) return;

    action::SendMessage message;
    message.channel = current_channel;
    message.id = doc::new_id("m_");
    message.author = local_identity.id;
    message.ts = message_time();
    message.text = text;
    message.mentions = find_mentions(text, mention_candidates_now());
    if (reply) message.parent = open_thread;
    // A refused message keeps its draft, so nothing the user typed is lost.
    if (!dispatch_chat_action(doc, message)) return;

    doc::clear_draft(doc, key);
    if (!reply) {
        timeline_scroll = 0;
        follow_latest = true;
    }
    refresh_composer(doc);
}

void ChatApp::begin_edit(std::string const& message_id)
{
    auto const* message = model.message(message_id);
    if (!message) return;
    editing_message = message_id;
    edit_input.set_text(message->text);
    update_focus();
}

void ChatApp::save_edit(crdt::Document& doc)
{
    if (!permissions.check()) return;
    auto const message = std::exchange(editing_message, std::nullopt);
    auto const text = edit_input.text();
    edit_input.set_text("");
    update_focus();
    if (!message || blank(text)) return;
    dispatch_chat_action(doc, action::EditMessage {current_channel, *message, text, message_time()});
    refresh_composer(doc);
}

void ChatApp::cancel_edit()
{
    editing_message.reset();
    edit_input.set_text("");
    update_focus();
}

void ChatApp::insert_emoji(crdt::Document& doc, std::string_view emoji)
{
    auto& input = thread_composer_active() ? thread_composer : composer;
    input.insert_at_cursor(emoji);
    write_draft_if_changed(doc);
}

} // namespace chat
