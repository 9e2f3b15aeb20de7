#pragma once

// Typed actions dispatched while the framework has lent a document to a widget call.
// The framework binds the document to its history for the call; the application asks
// typed_action_before() before running an action and report_typed_action() after, and
// hands over its pending report when the call ends. Outside a binding nothing is
// recorded and typed_action_before() answers nothing. Bindings belong to the thread
// that made them (the user-interface thread).

#include "actions/context.h"
#include "crdt/document.h"
#include "ui/bound_dispatch/action_history.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace orvo_ui::bound_dispatch {

struct BeforeToken {
    Heads heads;
    std::uint64_t binding = 0;
};

// What the application leaves for the framework after dispatching: the heads before
// its first dispatch since the last collection, and the latest action's description.
struct PendingReport {
    Heads before;
    orvo_actions::context::ActionDescription description;
};

// The version an action is built against, in the action framework's engine-neutral
// form: `heads` and the document's actor, as bytes.
orvo_actions::context::VersionStamp version_stamp(crdt::Document const& document, Heads const& heads);

// A token holding the document's heads when a binding covers `document`.
std::optional<BeforeToken> typed_action_before(crdt::Document& document);

// Notes one applied action. False (and nothing noted) for a token whose binding has
// ended or covers another document.
bool report_typed_action(crdt::Document& document, BeforeToken const& token, Heads after);

struct BindingState; // the binding's notes, kept where typed actions can find them

class DispatchBinding {
public:
    // Binds `document` to `history` until finish() or destruction. A binding made while
    // another covers the same document takes over until it ends.
    DispatchBinding(crdt::Document& document, ActionHistory& history);
    ~DispatchBinding();
    DispatchBinding(DispatchBinding const&) = delete;
    DispatchBinding& operator=(DispatchBinding const&) = delete;

    // Ends the binding and records one report when the call changed the document
    // through typed actions or left a pending report: before = the pending report's
    // heads, else the first action's; after = the document's heads now. A call whose
    // actions changed nothing leaves no report. Later calls do nothing.
    void finish(std::optional<PendingReport> pending = std::nullopt);

    std::size_t steps_reported() const;

private:
    std::unique_ptr<BindingState> m_state;
};

} // namespace orvo_ui::bound_dispatch
