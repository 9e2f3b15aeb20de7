#pragma once

// The application's single root widget and the owner of all interface state.

#include "ui/widget/widget.h"

namespace chat {

class ChatApp final : public orvo_ui::Widget {
public:
    ChatApp();

    void sync(crdt::Document& doc) override;
    base::Result<void> build_layout(orvo_ui::Size window) override;
    void apply_layout(orvo_ui::Rect bounds) override;
    void draw(orvo_ui::Painter& painter) override;
    bool handle_event(orvo_ui::Event const& event, crdt::Document& doc) override;
    bool perform_semantic_action(std::string_view node_id, orvo_ui::SemanticAction action, crdt::Document& doc) override;
    orvo_ui::AccessNode accessibility() const override;
    bool needs_animation_frame() const override;
    bool take_needs_redraw() override;

    bool interactive = false;
    orvo_ui::Rect window_bounds;

private:
    bool m_needs_redraw = true;
};

} // namespace chat
