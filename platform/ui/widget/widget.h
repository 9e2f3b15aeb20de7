#pragma once

// The interface between the frame loop and the application's root widget.
// Every call arrives on the user-interface thread; the document is lent for
// the duration of one call and never kept.

#include "ui/a11y/access_node.h"
#include "ui/core/event.h"
#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

#include "actions/encoded_action.h"
#include "base/result.h"
#include "ui/bound_dispatch/bound_dispatch.h"

#include <optional>
#include <string>

#include <string_view>

namespace crdt {
class Document;
}

namespace orvo_ui {

enum class SemanticAction { Activate, Focus, Expand, Collapse, ShowMenu, ScrollIntoView };

// A widget's answer to an operation (a typed action that only it can carry out).
struct OperationOutcome {
    enum class Kind { NotHandled, Handled, Error } kind = Kind::NotHandled;
    std::string error;
    static OperationOutcome not_handled() { return {}; }
    static OperationOutcome handled() { return {Kind::Handled, {}}; }
    static OperationOutcome fail(std::string text) { return {Kind::Error, std::move(text)}; }
    friend bool operator==(OperationOutcome const&, OperationOutcome const&) = default;
};

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

    // What the widget's dispatches left for the framework's action history; taking it empties it.
    virtual std::optional<bound_dispatch::PendingReport> take_pending_report() { return std::nullopt; }
    // Operations of a kind the widget handles itself (navigation, imports).
    virtual OperationOutcome handle_operation(orvo_actions::action::OperationType, std::string_view /*kind*/,
                                              std::string_view /*payload*/, crdt::Document&)
    {
        return OperationOutcome::not_handled();
    }
};

} // namespace orvo_ui
