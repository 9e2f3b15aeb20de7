#pragma once

// One thing that can be done to a resource: its id and label, its operation type, and
// either the encoded action itself or, for actions that take a text parameter, an
// encoder that builds the encoded action from the text entered.

#include "actions/encoded_action.h"
#include "base/result.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orvo_actions::resource {

using action::EncodedAction;
using action::OperationType;

// Arguments by parameter key, as a tool or a form collected them.
using ActionArguments = std::map<std::string, std::string, std::less<>>;

struct TextParameter {
    std::string key;
    std::string label;
    std::string placeholder;

    bool operator==(TextParameter const&) const = default;
};

// Builds the encoded action from the arguments. It reads its parameter itself, so it
// decides what an absent or blank value means.
using ActionEncoder = std::function<base::Result<EncodedAction>(ActionArguments const&)>;

// `encoded` marked with `type`. Encoders producing an operation that is not ordinary
// mark their result with this; ActionSpec::encode refuses a result whose type differs
// from the action's, so a navigation can never be mistaken for a document change.
EncodedAction enforce_operation_type(EncodedAction encoded, OperationType type);

struct ActionSpec {
    std::string id;
    std::string label;
    OperationType operation_type = OperationType::Ordinary;
    std::optional<TextParameter> parameter;
    std::optional<EncodedAction> encoded; // set when there is no parameter
    ActionEncoder encoder;                // set when there is a parameter
    bool is_destructive = false;

    // An action without parameter; the encoded action is marked with `type`.
    static ActionSpec fixed(std::string id, std::string label, OperationType type, EncodedAction encoded);
    static ActionSpec with_parameter(std::string id, std::string label, OperationType type, TextParameter parameter,
                                     ActionEncoder encoder);

    ActionSpec& destructive() &;
    ActionSpec&& destructive() &&;

    // The action to run for these arguments. Keys other than the parameter's are
    // refused, as are results of another operation type than the action declares.
    base::Result<EncodedAction> encode(ActionArguments const& arguments = {}) const;
};

} // namespace orvo_actions::resource
