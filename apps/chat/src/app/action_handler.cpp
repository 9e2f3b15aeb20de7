#include "app/action_handler.h"

#include "actions/registry.h"
#include "actions/vocabulary/vocabulary.h"
#include "doc/apply.h"

#include <spdlog/spdlog.h>

namespace chat {

std::string ChatActionHandler::debug_text() const { return encode_chat_action(m_action).json; }

base::Result<void> ChatActionHandler::apply_to(crdt::Document& doc)
{
    doc::apply_chat_action(doc, m_action);
    return {};
}

void register_chat_actions(orvo_actions::ActionRegistry& registry)
{
    auto inserted = registry.insert(std::string(chat_action_kind),
        [](std::string_view payload) -> base::Result<std::unique_ptr<orvo_actions::executor::ActionHandler>> {
            auto action = decode_chat_action(payload);
            if (!action) return std::move(action).take_error();
            return orvo_actions::executor::make_handler<ChatActionHandler>(std::move(action).value());
        });
    if (!inserted) spdlog::error("cannot register {}: {}", chat_action_kind, inserted.error());
}

} // namespace chat
