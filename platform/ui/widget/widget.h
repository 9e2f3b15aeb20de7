#pragma once

// The interface between the frame loop and the application's root widget.
// Every call arrives on the user-interface thread; the document is lent for
// the duration of one call and never kept.

#include "ui/a11y/access_node.h"
#include "ui/core/event.h"
#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

#include "base/result.h"

#include <string_view>

namespace crdt {
class Document;
}

namespace orvo_ui {

enum class SemanticAction { Activate, Focus, Expand, Collapse, ShowMenu, ScrollIntoView };

class Widget {
public:
    virtual ~Widget() = default;

    // Once per frame, before layout: bring state up to date with the document.
    virtual void sync(crdt::Document& doc) = 0;
    // Once per frame, after sync: describe the layout for a window of this size.
    // A failure is reported to the user of the frame loop as its display text.
    virtual base::Result<void> build_layout(Size window) = 0;
    // Once per frame: the root widget receives the window's logical rectangle.
    virtual void apply_layout(Rect bounds) = 0;
    virtual void draw(Painter& painter) = 0;

    // Between frames. Return true when the event was consumed.
    virtual bool handle_event(Event const& event, crdt::Document& doc) = 0;
    virtual bool perform_semantic_action(std::string_view node_id, SemanticAction action, crdt::Document& doc) = 0;
    virtual AccessNode accessibility() const = 0;

    // True while an animation or pending background work needs another frame soon.
    virtual bool needs_animation_frame() const = 0;
    // True when something visible changed since the last draw; reading it clears it.
    virtual bool take_needs_redraw() = 0;
};

} // namespace orvo_ui
