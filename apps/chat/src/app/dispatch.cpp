// Every document change goes through the action framework's executor; every
// navigation comes back through the operation handler.

#include "app/chat_app.h"

#include "app/action_handler.h"
#include "app/attachment_flow.h"
#include "actions/description.h"
#include "actions/vocabulary/vocabulary.h"
#include "crdt/document.h"
#include "model/messages.h"
#include "model/structure.h"
#include "actions/executor.h"

#include <spdlog/spdlog.h>

namespace chat {

bool ChatApp::dispatch_chat_action(crdt::Document& doc, ChatAction const& action)
{
    auto description = describe_chat_action(action);
    auto encoded = encode_chat_action(action);
    orvo_actions::action::EncodedAction typed{std::string(chat_action_kind), encoded.json,
                                              orvo_actions::action::OperationType::Ordinary};
    auto token = orvo_ui::bound_dispatch::typed_action_before(doc);
    auto before = token ? token->heads : doc.heads();
    auto version = orvo_ui::bound_dispatch::version_stamp(doc, before);
    auto context = description.to_context(version);

    ChatActionHandler handler(action);
    auto result = orvo_actions::executor::dispatch_by_with_context(typed, handler, m_action_transport, doc, context);
    if (!result) {
        spdlog::error("action dispatch failed: {}", result.error());
        return false;
    }
    m_action_transport.take_outbox(); // the framework shares the document itself
    if (token) orvo_ui::bound_dispatch::report_typed_action(doc, *token, doc.heads());
    if (!pending_report) pending_report = orvo_ui::bound_dispatch::PendingReport{before, description};
    else pending_report->description = description;
    needs_redraw = true;
    return true;
}

std::optional<orvo_ui::bound_dispatch::PendingReport> ChatApp::take_pending_report()
{
    return std::exchange(pending_report, std::nullopt);
}

OperationAnswer ChatApp::handle_operation(orvo_actions::action::OperationType type, std::string_view kind,
                                          std::string_view payload, crdt::Document& doc)
{
    using orvo_actions::action::OperationType;
    if (kind != chat_operation_kind) return OperationAnswer::not_handled();
    auto decoded = decode_chat_operation(payload);
    if (!decoded) return OperationAnswer::fail(decoded.error());
    if (auto const* import = std::get_if<operation::ImportAttachment>(&*decoded)) {
        if (type != OperationType::Effect) return OperationAnswer::fail("attachment import requires an Effect operation");
        if (import->path.empty()) return OperationAnswer::fail("attachment path is empty");
        if (!model.channel(import->channel)) return OperationAnswer::fail("conversation no longer exists");
        if (!start_import(*this, import->channel, import->path))
            return OperationAnswer::fail("attachment import was not accepted");
        return OperationAnswer::handled();
    }
    if (type == OperationType::Ordinary) return OperationAnswer::not_handled();
    if (type == OperationType::Effect) return OperationAnswer::fail("Chat navigation requires a View operation");
    needs_redraw = true;
    return std::visit(
        [&](auto const& op) -> OperationAnswer {
            using Op = std::decay_t<decltype(op)>;
            if constexpr (std::is_same_v<Op, operation::RevealMessage>) return carry_out(op, doc);
            else if constexpr (std::is_same_v<Op, operation::ImportAttachment>) return OperationAnswer::not_handled();
            else return carry_out(op);
        },
        *decoded);
}

void ChatApp::open_conversation(std::string workspace, std::string channel)
{
    current_workspace = std::move(workspace);
    current_channel = std::move(channel);
    inbox_open = false;
    open_thread.reset();
    highlighted_message.reset();
    selected_person.reset();
    pending_jump_to_latest = false;
    thread_composer_focused = false;
    follow_latest = true;
    timeline_scroll = 0;
    previous_content_height = 0;
}

OperationAnswer ChatApp::carry_out(operation::OpenWorkspace const& op)
{
    if (!model.workspace(op.workspace)) return OperationAnswer::fail("workspace no longer exists");
    open_conversation(op.workspace, "");
    return OperationAnswer::handled();
}

OperationAnswer ChatApp::carry_out(operation::OpenChannel const& op)
{
    auto const* channel = model.channel(op.channel);
    if (!channel || channel->workspace != op.workspace) return OperationAnswer::fail("conversation no longer exists");
    open_conversation(op.workspace, op.channel);
    return OperationAnswer::handled();
}

OperationAnswer ChatApp::carry_out(operation::OpenCategory const& op)
{
    auto category = std::find_if(model.categories.begin(), model.categories.end(),
                                 [&](auto const& c) { return c.id == op.category && c.workspace == op.workspace; });
    if (category == model.categories.end()) return OperationAnswer::fail("category no longer exists");
    auto first = std::find_if(model.channels.begin(), model.channels.end(),
                              [&](auto const& c) { return c.category == op.category; });
    open_conversation(category->workspace, first == model.channels.end() ? "" : first->id);
    return OperationAnswer::handled();
}

OperationAnswer ChatApp::carry_out(operation::RevealMessage const& op, crdt::Document& doc)
{
    auto const* channel = model.channel(op.channel);
    if (!channel || channel->workspace != op.workspace) return OperationAnswer::fail("conversation no longer exists");
    auto messages = channel_messages(doc, op.channel);
    if (std::none_of(messages.begin(), messages.end(), [&](auto const& m) { return m.id == op.message; }))
        return OperationAnswer::fail("message no longer exists");
    current_workspace = op.workspace;
    current_channel = op.channel;
    inbox_open = false;
    open_thread = op.parent;
    highlighted_message = op.message;
    pending_jump_to_latest = true;
    selected_person.reset();
    previous_content_height = 0;
    follow_latest = false;
    thread_composer_focused = open_thread.has_value();
    if (open_thread) right_flap.override_ = FlapOverride::Open;
    return OperationAnswer::handled();
}

OperationAnswer ChatApp::carry_out(operation::OpenPerson const& op)
{
    if (!find_person(model.people, op.user)) return OperationAnswer::fail("person no longer exists");
    for (auto const& channel : model.channels) {
        bool took_part = false;
        for (auto const& list : model.all_messages) {
            took_part = took_part || std::any_of(list.begin(), list.end(), [&](Message const& m) {
                if (m.channel != channel.id) return false;
                if (m.author == op.user) return true;
                for (auto const& group : m.reactions)
                    if (std::find(group.users.begin(), group.users.end(), op.user) != group.users.end()) return true;
                return std::any_of(m.mentions.begin(), m.mentions.end(), [&](auto const& x) { return x.user == op.user; });
            });
        }
        if (took_part) {
            current_workspace = channel.workspace;
            current_channel = channel.id;
            break;
        }
    }
    inbox_open = false;
    open_thread.reset();
    highlighted_message.reset();
    selected_person = op.user;
    thread_composer_focused = false;
    right_flap.override_ = FlapOverride::Open;
    return OperationAnswer::handled();
}

} // namespace chat
