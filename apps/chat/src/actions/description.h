#pragma once

// How a dispatched chat action is named in the framework's reports: the
// application, a title for people and the resource acted on.

#include <string_view>

#include "actions/context.h"
#include "actions/vocabulary/chat_action.h"

namespace chat {

// The desktop application name; its last label is "Chat".
inline constexpr std::string_view DESKTOP_APP_ID = "dev.orvo.Chat";
inline constexpr std::string_view app_name = "Chat";

orvo_actions::context::ActionDescription describe_chat_action(ChatAction const&);

} // namespace chat
