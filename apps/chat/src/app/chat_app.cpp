#include "app/chat_app.h"

#include <utility>

namespace chat {

ChatApp::ChatApp() = default;

void ChatApp::sync(crdt::Document&) {}

base::Result<void> ChatApp::build_layout(orvo_ui::Size) { return {}; }

void ChatApp::apply_layout(orvo_ui::Rect bounds)
{
    if (!(bounds == window_bounds)) m_needs_redraw = true;
    window_bounds = bounds;
}

void ChatApp::draw(orvo_ui::Painter& painter)
{
    painter.fill_rect(window_bounds, painter.theme().window);
}

bool ChatApp::handle_event(orvo_ui::Event const&, crdt::Document&) { return false; }

bool ChatApp::perform_semantic_action(std::string_view, orvo_ui::SemanticAction, crdt::Document&) { return false; }

orvo_ui::AccessNode ChatApp::accessibility() const
{
    orvo_ui::AccessNode root;
    root.id = orvo_ui::AccessNode::key("chat", "window");
    root.role = orvo_ui::AccessRole::Window;
    root.label = "Chat";
    root.rect = window_bounds;
    return root;
}

bool ChatApp::needs_animation_frame() const { return false; }

bool ChatApp::take_needs_redraw() { return std::exchange(m_needs_redraw, false); }

} // namespace chat
