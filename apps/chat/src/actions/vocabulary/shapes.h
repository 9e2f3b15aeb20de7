#pragma once

// Field lists of every ChatAction and ChatOperation member, in encoding
// order. Private to the vocabulary's codec. Members refuse fields they do not
// list; the records nested in them keep their own rules.

#include "actions/vocabulary/chat_action.h"
#include "actions/vocabulary/chat_operation.h"
#include "doc/records/record_json.h"

namespace chat {

template <>
struct JsonShape<action::SendMessage> {
    static constexpr std::string_view name = "SendMessage";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::SendMessage::channel),
                   json_field("id", &action::SendMessage::id),
                   json_field("author", &action::SendMessage::author),
                   json_field("ts", &action::SendMessage::ts),
                   json_field("text", &action::SendMessage::text),
                   json_field("parent", &action::SendMessage::parent),
                   json_field("attachment", &action::SendMessage::attachment),
                   json_field("mentions", &action::SendMessage::mentions),
                   json_field("reference", &action::SendMessage::reference)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::EditMessage> {
    static constexpr std::string_view name = "EditMessage";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::EditMessage::channel),
                   json_field("id", &action::EditMessage::id),
                   json_field("text", &action::EditMessage::text),
                   json_field("ts", &action::EditMessage::ts)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::DeleteMessage> {
    static constexpr std::string_view name = "DeleteMessage";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::DeleteMessage::channel),
                   json_field("id", &action::DeleteMessage::id)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::AddReaction> {
    static constexpr std::string_view name = "AddReaction";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::AddReaction::channel),
                   json_field("msg", &action::AddReaction::msg),
                   json_field("emoji", &action::AddReaction::emoji),
                   json_field("user", &action::AddReaction::user)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::RemoveReaction> {
    static constexpr std::string_view name = "RemoveReaction";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::RemoveReaction::channel),
                   json_field("msg", &action::RemoveReaction::msg),
                   json_field("emoji", &action::RemoveReaction::emoji),
                   json_field("user", &action::RemoveReaction::user)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::PinMessage> {
    static constexpr std::string_view name = "PinMessage";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::PinMessage::channel),
                   json_field("msg", &action::PinMessage::msg),
                   json_field("pinned", &action::PinMessage::pinned)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::CreateChannel> {
    static constexpr std::string_view name = "CreateChannel";
    static constexpr auto fields =
        std::tuple{json_field("workspace", &action::CreateChannel::workspace),
                   json_field("category", &action::CreateChannel::category),
                   json_field("id", &action::CreateChannel::id),
                   json_field("name", &action::CreateChannel::name),
                   json_field("kind", &action::CreateChannel::kind)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::CreateCategory> {
    static constexpr std::string_view name = "CreateCategory";
    static constexpr auto fields =
        std::tuple{json_field("workspace", &action::CreateCategory::workspace),
                   json_field("id", &action::CreateCategory::id),
                   json_field("name", &action::CreateCategory::name)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::RenameCategory> {
    static constexpr std::string_view name = "RenameCategory";
    static constexpr auto fields =
        std::tuple{json_field("id", &action::RenameCategory::id),
                   json_field("name", &action::RenameCategory::name)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::DeleteCategory> {
    static constexpr std::string_view name = "DeleteCategory";
    static constexpr auto fields =
        std::tuple{json_field("id", &action::DeleteCategory::id)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::SetCategoryCollapsed> {
    static constexpr std::string_view name = "SetCategoryCollapsed";
    static constexpr auto fields =
        std::tuple{json_field("id", &action::SetCategoryCollapsed::id),
                   json_field("collapsed", &action::SetCategoryCollapsed::collapsed)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::ReorderChannel> {
    static constexpr std::string_view name = "ReorderChannel";
    static constexpr auto fields =
        std::tuple{json_field("id", &action::ReorderChannel::id),
                   json_field("up", &action::ReorderChannel::up)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::RenameChannel> {
    static constexpr std::string_view name = "RenameChannel";
    static constexpr auto fields =
        std::tuple{json_field("id", &action::RenameChannel::id),
                   json_field("name", &action::RenameChannel::name)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::DeleteChannel> {
    static constexpr std::string_view name = "DeleteChannel";
    static constexpr auto fields =
        std::tuple{json_field("id", &action::DeleteChannel::id)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::ArchiveChannel> {
    static constexpr std::string_view name = "ArchiveChannel";
    static constexpr auto fields =
        std::tuple{json_field("id", &action::ArchiveChannel::id),
                   json_field("archived", &action::ArchiveChannel::archived)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::MarkRead> {
    static constexpr std::string_view name = "MarkRead";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::MarkRead::channel),
                   json_field("user", &action::MarkRead::user),
                   json_field("count", &action::MarkRead::count)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::SetAgentWork> {
    static constexpr std::string_view name = "SetAgentWork";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::SetAgentWork::channel),
                   json_field("msg", &action::SetAgentWork::msg),
                   json_field("work", &action::SetAgentWork::work),
                   json_field("say", &action::SetAgentWork::say)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::JoinCall> {
    static constexpr std::string_view name = "JoinCall";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::JoinCall::channel),
                   json_field("user", &action::JoinCall::user)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::LeaveCall> {
    static constexpr std::string_view name = "LeaveCall";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::LeaveCall::channel),
                   json_field("user", &action::LeaveCall::user)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::SetCallState> {
    static constexpr std::string_view name = "SetCallState";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::SetCallState::channel),
                   json_field("user", &action::SetCallState::user),
                   json_field("talking", &action::SetCallState::talking),
                   json_field("muted", &action::SetCallState::muted),
                   json_field("deafened", &action::SetCallState::deafened),
                   json_field("audio_only", &action::SetCallState::audio_only)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::SetScreenShare> {
    static constexpr std::string_view name = "SetScreenShare";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::SetScreenShare::channel),
                   json_field("user", &action::SetScreenShare::user),
                   json_field("sharing", &action::SetScreenShare::sharing)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::SetCallTicket> {
    static constexpr std::string_view name = "SetCallTicket";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::SetCallTicket::channel),
                   json_field("user", &action::SetCallTicket::user),
                   json_field("ticket", &action::SetCallTicket::ticket)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<action::SetCallVideoCaps> {
    static constexpr std::string_view name = "SetCallVideoCaps";
    static constexpr auto fields =
        std::tuple{json_field("channel", &action::SetCallVideoCaps::channel),
                   json_field("user", &action::SetCallVideoCaps::user),
                   json_field("hardware_decode", &action::SetCallVideoCaps::hardware_decode),
                   json_field("software_decode", &action::SetCallVideoCaps::software_decode)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<operation::OpenWorkspace> {
    static constexpr std::string_view name = "OpenWorkspace";
    static constexpr auto fields =
        std::tuple{json_field("workspace", &operation::OpenWorkspace::workspace)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<operation::OpenChannel> {
    static constexpr std::string_view name = "OpenChannel";
    static constexpr auto fields =
        std::tuple{json_field("workspace", &operation::OpenChannel::workspace),
                   json_field("channel", &operation::OpenChannel::channel)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<operation::OpenCategory> {
    static constexpr std::string_view name = "OpenCategory";
    static constexpr auto fields =
        std::tuple{json_field("workspace", &operation::OpenCategory::workspace),
                   json_field("category", &operation::OpenCategory::category)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<operation::RevealMessage> {
    static constexpr std::string_view name = "RevealMessage";
    static constexpr auto fields =
        std::tuple{json_field("workspace", &operation::RevealMessage::workspace),
                   json_field("channel", &operation::RevealMessage::channel),
                   json_field("message", &operation::RevealMessage::message),
                   json_field("parent", &operation::RevealMessage::parent)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<operation::OpenPerson> {
    static constexpr std::string_view name = "OpenPerson";
    static constexpr auto fields =
        std::tuple{json_field("user", &operation::OpenPerson::user)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<operation::ImportAttachment> {
    static constexpr std::string_view name = "ImportAttachment";
    static constexpr auto fields =
        std::tuple{json_field("channel", &operation::ImportAttachment::channel),
                   json_field("path", &operation::ImportAttachment::path)};
    static constexpr bool refuses_unknown = true;
};

} // namespace chat
