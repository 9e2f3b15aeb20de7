#include "actions/registry.h"

namespace orvo_actions {

std::string registry::decode_error(std::string_view kind, std::string_view message)
{
    return "cannot decode " + std::string(kind) + ": " + std::string(message);
}

base::Result<void> ActionRegistry::insert(std::string kind, Decoder decoder)
{
    if (!action::is_valid_kind(kind))
        return base::error("action kind \"" + kind + "\" is not a dotted lower-case name");
    if (!decoder) return base::error("decoder for " + kind + " is empty");
    if (contains(kind)) return base::error("a decoder for " + kind + " is already registered");
    m_decoders.emplace(std::move(kind), std::move(decoder));
    return {};
}

bool ActionRegistry::contains(std::string_view kind) const { return m_decoders.find(kind) != m_decoders.end(); }

std::vector<std::string> ActionRegistry::kinds() const
{
    std::vector<std::string> kinds;
    for (auto const& [kind, decoder] : m_decoders) kinds.push_back(kind);
    return kinds;
}

base::Result<std::unique_ptr<executor::ActionHandler>>
ActionRegistry::decode(action::EncodedAction const& encoded) const
{
    auto found = m_decoders.find(encoded.kind);
    if (found == m_decoders.end()) return base::error("no decoder is registered for " + encoded.kind);
    auto handler = found->second(encoded.payload);
    if (!handler) return base::error(registry::decode_error(encoded.kind, handler.error()));
    if (!*handler) return base::error(registry::decode_error(encoded.kind, "decoder returned no handler"));
    return std::move(handler).value();
}

base::Result<executor::Dispatched> ActionRegistry::dispatch(action::EncodedAction const& encoded,
                                                            executor::ActionTransport& transport,
                                                            executor::DocumentRef document,
                                                            context::ActionContext const& context) const
{
    auto handler = decode(encoded);
    if (!handler) return std::move(handler).take_error();
    return executor::dispatch_by_with_context(encoded, **handler, transport, document, context);
}

} // namespace orvo_actions
