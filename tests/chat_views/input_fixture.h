#pragma once

// Events as the window delivers them, for driving a drawn ChatApp.

#include "frame_fixture.h"

#include "crdt/document.h"

namespace chat::testing {

struct Driven : Shot {
    using Shot::Shot;

    crdt::Document& doc() { return frame->document(); }
    bool send(orvo_ui::Event const& event)
    {
        bool consumed = app->handle_event(event, doc());
        redraw();
        return consumed;
    }
    bool key(orvo_ui::Key key, orvo_ui::Modifiers mods = {}) { return send(orvo_ui::KeyDown {key, 0, mods}); }
    bool type(std::string text) { return send(orvo_ui::TextInputEvent {std::move(text)}); }
    orvo_ui::Point center_of(std::string_view id)
    {
        auto rect = rect_of(id);
        EXPECT_TRUE(rect) << id;
        return rect ? rect->center() : orvo_ui::Point {};
    }
    void click(orvo_ui::Point at, orvo_ui::MouseButton button = orvo_ui::MouseButton::Left)
    {
        send(orvo_ui::PointerDown {at, button});
        send(orvo_ui::PointerUp {at, button});
    }
    void click(std::string_view id, orvo_ui::MouseButton button = orvo_ui::MouseButton::Left)
    {
        click(center_of(id), button);
    }
    std::vector<std::string> menu_labels() const
    {
        std::vector<std::string> labels;
        if (app->context_menu)
            for (auto const& item : app->context_menu->menu.items()) labels.push_back(item.label);
        return labels;
    }
};

} // namespace chat::testing
