#pragma once

// ChatAction: every change a person, an agent or a call peer makes to the
// shared chat document. Each member is a plain record; field order is the
// order of the encoded form.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "doc/records/agent_work.h"
#include "doc/records/attachment.h"
#include "doc/records/channel_kind.h"
#include "doc/records/mention.h"
#include "doc/records/resource_ref.h"

namespace chat {
namespace action {

struct SendMessage {
    std::string channel;
    std::string id;
    std::string author;
    std::int64_t ts = 0;
    std::string text;
    std::optional<std::string> parent; // thread root; nothing for a top-level message
    std::optional<Attachment> attachment;
    std::vector<Mention> mentions;
    std::optional<ResourceRef> reference;
    bool operator==(SendMessage const&) const = default;
};

struct EditMessage {
    std::string channel;
    std::string id;
    std::string text;
    std::int64_t ts = 0;
    bool operator==(EditMessage const&) const = default;
};

struct DeleteMessage {
    std::string channel;
    std::string id;
    bool operator==(DeleteMessage const&) const = default;
};

struct AddReaction {
    std::string channel;
    std::string msg;
    std::string emoji;
    std::string user;
    bool operator==(AddReaction const&) const = default;
};

struct RemoveReaction {
    std::string channel;
    std::string msg;
    std::string emoji;
    std::string user;
    bool operator==(RemoveReaction const&) const = default;
};

struct PinMessage {
    std::string channel;
    std::string msg;
    bool pinned = false; // false unpins
    bool operator==(PinMessage const&) const = default;
};

struct CreateChannel {
    std::string workspace;
    std::string category;
    std::string id;
    std::string name;
    ChannelKind kind = ChannelKind::Text;
    bool operator==(CreateChannel const&) const = default;
};

struct CreateCategory {
    std::string workspace;
    std::string id;
    std::string name;
    bool operator==(CreateCategory const&) const = default;
};

struct RenameCategory {
    std::string id;
    std::string name;
    bool operator==(RenameCategory const&) const = default;
};

struct DeleteCategory {
    std::string id;
    bool operator==(DeleteCategory const&) const = default;
};

struct SetCategoryCollapsed {
    std::string id;
    bool collapsed = false;
    bool operator==(SetCategoryCollapsed const&) const = default;
};

struct ReorderChannel {
    std::string id;
    bool up = false; // true moves the channel one place up, false one place down
    bool operator==(ReorderChannel const&) const = default;
};

struct RenameChannel {
    std::string id;
    std::string name;
    bool operator==(RenameChannel const&) const = default;
};

struct DeleteChannel {
    std::string id;
    bool operator==(DeleteChannel const&) const = default;
};

struct ArchiveChannel {
    std::string id;
    bool archived = false; // false unarchives
    bool operator==(ArchiveChannel const&) const = default;
};

struct MarkRead {
    std::string channel;
    std::string user;
    std::int64_t count = 0; // top-level messages of the channel the reader has seen
    bool operator==(MarkRead const&) const = default;
};

struct SetAgentWork {
    std::string channel;
    std::string msg;
    AgentWork work;
    std::optional<std::string> say;
    bool operator==(SetAgentWork const&) const = default;
};

struct JoinCall {
    std::string channel;
    std::string user;
    bool operator==(JoinCall const&) const = default;
};

struct LeaveCall {
    std::string channel;
    std::string user;
    bool operator==(LeaveCall const&) const = default;
};

struct SetCallState {
    std::string channel;
    std::string user;
    bool talking = false;
    bool muted = false;
    bool deafened = false;
    bool audio_only = false;
    bool operator==(SetCallState const&) const = default;
};

struct SetScreenShare {
    std::string channel;
    std::string user;
    bool sharing = false;
    bool operator==(SetScreenShare const&) const = default;
};

struct SetCallTicket {
    std::string channel;
    std::string user;
    std::string ticket;
    bool operator==(SetCallTicket const&) const = default;
};

struct SetCallVideoCaps {
    std::string channel;
    std::string user;
    std::vector<std::string> hardware_decode; // codec names such as "vp9"
    std::vector<std::string> software_decode;
    bool operator==(SetCallVideoCaps const&) const = default;
};

} // namespace action

using ChatAction = std::variant<action::SendMessage, action::EditMessage, action::DeleteMessage, action::AddReaction,
                                action::RemoveReaction, action::PinMessage, action::CreateChannel,
                                action::CreateCategory, action::RenameCategory, action::DeleteCategory,
                                action::SetCategoryCollapsed, action::ReorderChannel, action::RenameChannel,
                                action::DeleteChannel, action::ArchiveChannel, action::MarkRead, action::SetAgentWork,
                                action::JoinCall, action::LeaveCall, action::SetCallState, action::SetScreenShare,
                                action::SetCallTicket, action::SetCallVideoCaps>;

} // namespace chat
