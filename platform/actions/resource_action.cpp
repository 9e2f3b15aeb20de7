#include "actions/resource_action.h"

namespace orvo_actions::resource {

EncodedAction enforce_operation_type(EncodedAction encoded, OperationType type)
{
    encoded.operation_type = type;
    return encoded;
}

ActionSpec ActionSpec::fixed(std::string id, std::string label, OperationType type, EncodedAction encoded)
{
    ActionSpec offered;
    offered.id = std::move(id);
    offered.label = std::move(label);
    offered.operation_type = type;
    offered.encoded = enforce_operation_type(std::move(encoded), type);
    return offered;
}

ActionSpec ActionSpec::with_parameter(std::string id, std::string label, OperationType type,
                                      TextParameter parameter, ActionEncoder encoder)
{
    ActionSpec offered;
    offered.id = std::move(id);
    offered.label = std::move(label);
    offered.operation_type = type;
    offered.parameter = std::move(parameter);
    offered.encoder = std::move(encoder);
    return offered;
}

ActionSpec& ActionSpec::destructive() &
{
    is_destructive = true;
    return *this;
}

ActionSpec&& ActionSpec::destructive() &&
{
    is_destructive = true;
    return std::move(*this);
}

static base::Result<void> check_arguments(ActionSpec const& offered, ActionArguments const& arguments)
{
    for (auto const& [key, value] : arguments) {
        if (!offered.parameter) return base::error("action " + offered.id + " takes no parameter, got \"" + key + "\"");
        if (key != offered.parameter->key)
            return base::error("action " + offered.id + " has no parameter \"" + key + "\"; its parameter is \""
                               + offered.parameter->key + "\"");
    }
    return {};
}

base::Result<EncodedAction> ActionSpec::encode(ActionArguments const& arguments) const
{
    TRY_VOID(check_arguments(*this, arguments));
    base::Result<EncodedAction> result = base::error("action " + id + " has neither an action nor an encoder");
    if (parameter && encoder) result = encoder(arguments);
    else if (!parameter && encoded) result = *encoded;
    if (!result) return result;
    if (result->operation_type != operation_type)
        return base::error("action " + id + " is declared " + std::string(action::to_string(operation_type))
                           + " but produced an action of type " + std::string(action::to_string(result->operation_type)));
    return result;
}

} // namespace orvo_actions::resource
