#pragma once

// State of the popups the app draws over the conversation: the emoji picker,
// the edit history panel and the context menu with the thing it was opened on.

#include "ui/core/geometry.h"
#include "ui/widget/context_menu.h"

#include <optional>
#include <string>

namespace chat {

struct EmojiPicker {
    bool open = false;
    std::optional<std::string> target; // the message to react to; absent: insert into the composer
    orvo_ui::Point anchor;
};

struct EditHistoryPopup {
    std::optional<std::string> msg; // shown while set
    orvo_ui::Point anchor;
};

enum class MenuTargetKind { Channel, Category, Message, Workspace };

struct ChatContextMenu {
    orvo_ui::widget::context_menu::ContextMenu menu;
    MenuTargetKind kind = MenuTargetKind::Workspace;
    std::string id;
};

} // namespace chat
