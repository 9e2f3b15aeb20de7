#include "app/chat_app.h"
#include "app/views/demo_pictures.h"

#include <utility>

namespace chat {

ChatApp::ChatApp()
{
    for (auto* input : {&composer, &thread_composer, &edit_input, &rename_input}) input->set_local_author(local_identity.id);
    thread_composer.set_placeholder("Reply…");
    rename_input.set_multiline(false); // names are one line; Enter commits
    views::register_demo_pictures(image_store);
}

base::Result<void> ChatApp::build_layout(orvo_ui::Size) { return {}; }

void ChatApp::apply_layout(orvo_ui::Rect bounds)
{
    if (!(bounds == window_bounds)) needs_redraw = true;
    window_bounds = bounds;
}

bool ChatApp::needs_animation_frame() const
{
    return animating || flaps_animating || tooltip_host.has_pending() || image_store.has_pending_work();
}

bool ChatApp::take_needs_redraw() { return std::exchange(needs_redraw, false); }

} // namespace chat
