#include "actions/executor.h"

namespace orvo_actions::executor {

namespace {

base::Result<void> check_runnable(action::EncodedAction const& typed_action, ActionTransport const& transport)
{
    if (!action::is_valid_kind(typed_action.kind))
        return base::error("typed action kind \"" + typed_action.kind + "\" is not a dotted lower-case name");
    // View and effect operations belong to the application's operation handler; running
    // them here would apply navigation or side effects as if they were document changes.
    if (typed_action.operation_type != action::OperationType::Ordinary)
        return base::error(typed_action.kind + " has operation type "
                           + std::string(action::to_string(typed_action.operation_type))
                           + "; the executor runs ordinary actions only");
    if (!transport.ready()) return base::error("transport is not ready; " + typed_action.kind + " was not applied");
    return {};
}

} // namespace

base::Result<Dispatched> dispatch_by(action::EncodedAction const& typed_action, ActionHandler& handler,
                                     ActionTransport& transport, DocumentRef document)
{
    return dispatch_by_with_context(typed_action, handler, transport, document, context::ActionContext{});
}

base::Result<Dispatched> dispatch_by_with_context(action::EncodedAction const& typed_action, ActionHandler& handler,
                                                  ActionTransport& transport, DocumentRef document,
                                                  context::ActionContext const& context)
{
    TRY_VOID(check_runnable(typed_action, transport));
    Dispatched dispatched{handler.debug_text(), false};
    if (auto applied = handler.apply(document); !applied)
        return base::error(typed_action.kind + " failed: " + applied.error());
    if (!handler.replicates()) return dispatched;
    Replication replication{typed_action, context, handler.schema_version(), dispatched.debug_text};
    if (auto sent = transport.replicate(replication); !sent)
        return base::error(typed_action.kind + " was applied but not replicated: " + sent.error());
    dispatched.replicated = true;
    return dispatched;
}

} // namespace orvo_actions::executor
