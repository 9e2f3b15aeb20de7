#pragma once

// Runs one typed action: checks it is an ordinary action, applies it through its
// handler and hands it to the transport with the context it ran in.

#include "actions/context.h"
#include "actions/encoded_action.h"
#include "actions/handler.h"
#include "actions/transport.h"
#include "base/result.h"

#include <string>

namespace orvo_actions::executor {

struct Dispatched {
    std::string debug_text;
    bool replicated = false;
};

// Without a context the action is replicated with an empty one.
base::Result<Dispatched> dispatch_by(action::EncodedAction const& typed_action, ActionHandler& handler,
                                     ActionTransport& transport, DocumentRef document);

base::Result<Dispatched> dispatch_by_with_context(action::EncodedAction const& typed_action, ActionHandler& handler,
                                                  ActionTransport& transport, DocumentRef document,
                                                  context::ActionContext const& context);

} // namespace orvo_actions::executor
