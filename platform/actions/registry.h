#pragma once

// The application's decoders, one per action kind. A decoder turns a payload into a
// handler the executor can run; the registry names the kind in every decode error.

#include "actions/context.h"
#include "actions/encoded_action.h"
#include "actions/executor.h"
#include "actions/handler.h"
#include "actions/transport.h"
#include "base/result.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvo_actions {

namespace registry {

// The error text for a payload of `kind` that does not decode: "cannot decode
// <kind>: <message>". Decoders return only the message; the registry adds the rest.
std::string decode_error(std::string_view kind, std::string_view message);

} // namespace registry

class ActionRegistry {
public:
    using Decoder = std::function<base::Result<std::unique_ptr<executor::ActionHandler>>(std::string_view payload)>;

    // Registers the decoder for `kind`. A kind that is not a dotted lower-case name,
    // a kind already registered, or an empty decoder is refused.
    base::Result<void> insert(std::string kind, Decoder decoder);

    bool contains(std::string_view kind) const;
    std::vector<std::string> kinds() const; // ascending

    base::Result<std::unique_ptr<executor::ActionHandler>> decode(action::EncodedAction const& encoded) const;

    // Decodes an ordinary action and runs it through the executor.
    base::Result<executor::Dispatched> dispatch(action::EncodedAction const& encoded,
                                                executor::ActionTransport& transport, executor::DocumentRef document,
                                                context::ActionContext const& context = {}) const;

private:
    std::map<std::string, Decoder, std::less<>> m_decoders;
};

} // namespace orvo_actions
