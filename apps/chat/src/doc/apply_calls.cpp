#include "doc/apply_members.h"
#include "doc/read.h"
#include "doc/write.h"

namespace chat::doc::members {

namespace {

// "voice"/channel/user, each level created when missing.
crdt::ObjId participant(crdt::Document& doc, std::string_view channel, std::string_view user)
{
    auto const voice = ensure_map(doc, crdt::Document::root(), "voice");
    return ensure_map(doc, ensure_map(doc, voice, channel), user);
}

std::string join_names(std::vector<std::string> const& names)
{
    std::string joined;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            joined += ',';
        joined += names[i];
    }
    return joined;
}

void put_string_if_changed(crdt::Document& doc, crdt::ObjId const& obj, std::string_view key, std::string_view value)
{
    if (read_string(doc, obj, key) != value)
        put_string(doc, obj, key, value);
}

} // namespace

void apply(crdt::Document& doc, action::JoinCall const& join)
{
    auto const person = participant(doc, join.channel, join.user);
    // Rejoining keeps the flags the person had.
    if (read_boolean(doc, person, "talking"))
        return;
    for (std::string_view flag : {"talking", "muted", "deafened", "audio_only", "sharing"})
        put_boolean(doc, person, flag, false);
}

void apply(crdt::Document& doc, action::LeaveCall const& leave)
{
    auto const voice = read_map(doc, crdt::Document::root(), "voice");
    auto const channel = voice ? read_map(doc, *voice, leave.channel) : std::nullopt;
    if (channel)
        delete_key(doc, *channel, leave.user);
}

void apply(crdt::Document& doc, action::SetCallState const& set)
{
    auto const person = participant(doc, set.channel, set.user);
    put_boolean(doc, person, "talking", set.talking);
    put_boolean(doc, person, "muted", set.muted);
    put_boolean(doc, person, "deafened", set.deafened);
    put_boolean(doc, person, "audio_only", set.audio_only);
}

void apply(crdt::Document& doc, action::SetScreenShare const& set)
{
    auto const person = participant(doc, set.channel, set.user);
    if (read_boolean(doc, person, "sharing").value_or(false) != set.sharing)
        put_boolean(doc, person, "sharing", set.sharing);
}

void apply(crdt::Document& doc, action::SetCallTicket const& set)
{
    auto const person = participant(doc, set.channel, set.user);
    if (read_string(doc, person, "ticket").value_or("") != set.ticket)
        put_string(doc, person, "ticket", set.ticket);
}

void apply(crdt::Document& doc, action::SetCallVideoCaps const& set)
{
    auto const person = participant(doc, set.channel, set.user);
    put_string_if_changed(doc, person, "video_hw_decode", join_names(set.hardware_decode));
    put_string_if_changed(doc, person, "video_sw_decode", join_names(set.software_decode));
}

} // namespace chat::doc::members
