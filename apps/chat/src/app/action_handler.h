#pragma once

// How the action framework's executor runs one ChatAction on the document.

#include "actions/handler.h"
#include "actions/vocabulary/chat_action.h"
#include "crdt/document.h"

namespace orvo_actions {
class ActionRegistry;
}

namespace chat {

class ChatActionHandler final : public orvo_actions::executor::TypedActionHandler<crdt::Document> {
public:
    explicit ChatActionHandler(ChatAction action) : m_action(std::move(action)) {}
    std::string debug_text() const override;
    std::uint32_t schema_version() const override { return 0; }
    bool replicates() const override { return true; }

protected:
    base::Result<void> apply_to(crdt::Document& doc) override;

private:
    ChatAction m_action;
};

// Registers the decoder of "chat.action"; operations are carried out by ChatApp itself.
void register_chat_actions(orvo_actions::ActionRegistry& registry);

} // namespace chat
