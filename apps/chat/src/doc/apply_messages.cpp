#include "doc/agent_work.h"
#include "doc/apply_members.h"
#include "doc/message_index.h"
#include "doc/messages.h"
#include "doc/read.h"
#include "ui/doc/splice_text_diffed.h"
#include "doc/validate_send.h"
#include "doc/write.h"

namespace chat::doc::members {

void apply(crdt::Document& doc, action::SendMessage const& send)
{
    if (!validate_send(doc, send))
        return;
    NewMessage message;
    message.author = send.author;
    message.ts = send.ts;
    message.parent = send.parent;
    message.text = send.text;
    message.mentions = send.mentions;
    message.attachment = send.attachment;
    message.reference = send.reference;
    append_message(doc, send.channel, send.id, message); // validate_send checked the id is free
    note_message_appended(doc, send.id);
}

void apply(crdt::Document& doc, action::EditMessage const& edit)
{
    auto const slot = find_message(doc, edit.channel, edit.id);
    if (!slot)
        return;
    auto const old_text = read_text(doc, slot->message, "text").value_or("");
    if (old_text == edit.text)
        return;
    auto const history = ensure_list(doc, slot->message, "history");
    auto const entry = append_map(doc, history, "hrec");
    put_integer(doc, entry, "ts", edit.ts);
    put_string(doc, entry, "text", old_text);
    orvo_ui::doc::splice_text_diffed(doc, ensure_text(doc, slot->message, "text"), edit.text);
    put_boolean(doc, slot->message, "edited", true);
}

void apply(crdt::Document& doc, action::DeleteMessage const& remove)
{
    // Replies and reactions elsewhere stay: a thread outlives its root.
    if (auto const slot = find_message(doc, remove.channel, remove.id))
        delete_index(doc, slot->list, slot->index);
}

void apply(crdt::Document& doc, action::AddReaction const& add)
{
    auto const slot = find_message(doc, add.channel, add.msg);
    if (!slot)
        return;
    auto const reactions = ensure_list(doc, slot->message, "reactions");
    if (find_reaction(doc, reactions, add.emoji, add.user))
        return;
    auto const entry = append_map(doc, reactions, "rxentry");
    put_string(doc, entry, "emoji", add.emoji);
    put_string(doc, entry, "user", add.user);
}

void apply(crdt::Document& doc, action::RemoveReaction const& remove)
{
    auto const slot = find_message(doc, remove.channel, remove.msg);
    if (!slot)
        return;
    auto const reactions = read_list(doc, slot->message, "reactions");
    if (!reactions)
        return;
    if (auto const index = find_reaction(doc, *reactions, remove.emoji, remove.user))
        delete_index(doc, *reactions, *index);
}

void apply(crdt::Document& doc, action::PinMessage const& pin)
{
    auto const slot = find_message(doc, pin.channel, pin.msg);
    if (slot && read_boolean(doc, slot->message, "pinned").value_or(false) != pin.pinned)
        put_boolean(doc, slot->message, "pinned", pin.pinned);
}

void apply(crdt::Document& doc, action::MarkRead const& mark)
{
    // Read before creating the maps, so an unchanged marker writes nothing.
    auto const read = read_map(doc, crdt::Document::root(), "read");
    auto const person = read ? read_map(doc, *read, mark.user) : std::nullopt;
    auto const stored = person ? read_integer(doc, *person, mark.channel).value_or(0) : 0;
    if (stored == mark.count)
        return;
    auto const markers = ensure_map(doc, ensure_map(doc, crdt::Document::root(), "read"), mark.user);
    put_integer(doc, markers, mark.channel, mark.count);
}

void apply(crdt::Document& doc, action::SetAgentWork const& set)
{
    auto const slot = find_message(doc, set.channel, set.msg);
    if (!slot)
        return;
    auto const current = message_agent_work(doc, slot->message);
    if (!current || *current != set.work)
        write_agent_work(doc, slot->message, set.work);
    if (!set.say || set.say->empty())
        return;
    auto const text = read_text_object(doc, slot->message, "text");
    if (text && doc.text(*text).value_or("").empty())
        (void)doc.splice_text(*text, 0, 0, *set.say);
}

} // namespace chat::doc::members
