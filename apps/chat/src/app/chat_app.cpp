#include "app/chat_app.h"
#include "app/views/demo_pictures.h"

#include <utility>

namespace chat {

ChatApp::ChatApp()
{
    for (auto* input : {&composer, &thread_composer, &edit_input, &rename_input}) input->set_local_author(local_identity.id);
    thread_composer.set_placeholder("Reply…");
    views::register_demo_pictures(image_store);
}

base::Result<void> ChatApp::build_layout(orvo_ui::Size) { return {}; }

void ChatApp::apply_layout(orvo_ui::Rect bounds)
{
    if (!(bounds == window_bounds)) needs_redraw = true;
    window_bounds = bounds;
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

bool ChatApp::needs_animation_frame() const
{
    return animating || flaps_animating || tooltip_host.has_pending() || image_store.has_pending_work();
}

bool ChatApp::take_needs_redraw() { return std::exchange(needs_redraw, false); }

} // namespace chat
