#include <algorithm>

#include "actions/resource_actions.h"
#include "actions/labels.h"
#include "actions/resources.h"
#include "doc/ids.h"
#include "model/participants.h"
#include "model/unread.h"

namespace chat::resources {
namespace {

ActionSpec post_action(Sources const& sources, Channel const& channel)
{
    return chat_action_spec("post", "Post message", {"Message", "type a message…", "the message text"},
                            [channel = channel.id, me = sources.context.me, now = sources.context.now,
                             candidates = sources.candidates](std::string const& text) -> ChatAction {
                                return action::SendMessage{.channel = channel,
                                                           .id = doc::new_id("m_"),
                                                           .author = me,
                                                           .ts = now,
                                                           .text = text,
                                                           .mentions = find_mentions(text, *candidates)};
                            });
}

ActionSpec attach_action(Channel const& channel)
{
    return chat_operation_spec("attach", "Attach file", OperationType::Effect,
                               {"File path", "/var/workspace/report.pdf", "the file path"},
                               [channel = channel.id](std::string const& path) -> ChatOperation {
                                   return operation::ImportAttachment{channel, path};
                               });
}

ActionSpec rename_action(Channel const& channel)
{
    return chat_action_spec("rename", "Rename channel", {"Name", "channel name…", "the channel name"},
                            [id = channel.id](std::string const& name) -> ChatAction {
                                return action::RenameChannel{id, name};
                            });
}

ActionSpec archive_action(Channel const& channel)
{
    if (channel.archived)
        return chat_action_spec("unarchive", "Unarchive channel", action::ArchiveChannel{channel.id, false});
    return chat_action_spec("archive", "Archive channel", action::ArchiveChannel{channel.id, true});
}

// "mute" / "unmute" style pairs: the first when the flag is off.
struct Toggle {
    char const* off_id;
    char const* off_label;
    char const* on_id;
    char const* on_label;
};

ActionSpec call_state_action(Toggle toggle, bool on, action::SetCallState flipped)
{
    if (on)
        return chat_action_spec(toggle.on_id, toggle.on_label, flipped);
    return chat_action_spec(toggle.off_id, toggle.off_label, flipped);
}

void add_my_call_actions(Resource& call, CallParticipant const& mine, std::string const& channel,
                         std::string const& me)
{
    action::SetCallState const current{channel, me, mine.talking, mine.muted, mine.deafened, mine.audio_only};
    auto muted = current, deafened = current, audio_only = current;
    muted.muted = !current.muted;
    deafened.deafened = !current.deafened;
    audio_only.audio_only = !current.audio_only;
    call.with_action(chat_action_spec("leave", "Leave call", action::LeaveCall{channel, me}))
        .with_action(call_state_action({"mute", "Mute", "unmute", "Unmute"}, current.muted, muted))
        .with_action(call_state_action({"deafen", "Deafen", "undeafen", "Undeafen"}, current.deafened, deafened))
        .with_action(call_state_action({"audio-only", "Audio only", "enable-camera", "Enable camera"},
                                       current.audio_only, audio_only));
}

} // namespace

Resource call(Sources const& sources, Channel const& channel)
{
    auto const& me = sources.context.me;
    Resource call(address(resource_kind::call, channel.id), call_label(channel));
    call.with_action(chat_operation_spec("open", "Open call conversation",
                                         operation::OpenChannel{channel.workspace, channel.id}));
    auto const participants = list_participants(sources.doc, channel.id);
    auto const mine = std::find_if(participants.begin(), participants.end(),
                                   [&](CallParticipant const& participant) { return participant.user == me; });
    if (mine != participants.end())
        add_my_call_actions(call, *mine, channel.id, me);
    else
        call.with_action(chat_action_spec("join", "Join call", action::JoinCall{channel.id, me}));
    return call;
}

Resource channel(Sources const& sources, Channel const& channel)
{
    auto const& id = channel.id;
    auto const seen = top_level_count(sources.doc, id);
    Resource resource(address(resource_kind::channel, id), channel_label(channel));
    resource.with_action(chat_operation_spec("open", "Open conversation", operation::OpenChannel{channel.workspace, id}))
        .with_action(post_action(sources, channel))
        .with_action(attach_action(channel))
        .with_action(rename_action(channel))
        .with_action(archive_action(channel))
        .with_action(chat_action_spec("mark-read", "Mark as read", action::MarkRead{id, sources.context.me, seen}))
        .with_action(chat_action_spec("delete", "Delete channel", action::DeleteChannel{id}));
    if (channel.kind == ChannelKind::Voice)
        resource.with_child(call(sources, channel));
    return resource;
}

} // namespace chat::resources
