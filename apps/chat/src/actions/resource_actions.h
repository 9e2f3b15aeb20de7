#pragma once

// Action specs built from the chat vocabulary: the action is encoded as the
// framework's typed action ("chat.action" ordinary, "chat.operation" view or
// effect), and actions that take text read it from the parameter "value".

#include <functional>
#include <string>
#include <string_view>

#include "actions/resource_action.h"
#include "actions/encoded_action.h"
#include "actions/vocabulary/vocabulary.h"
#include "base/result.h"

namespace chat {

using orvo_actions::action::OperationType;
using orvo_actions::resource::ActionArguments;
using orvo_actions::resource::ActionSpec;

inline constexpr std::string_view parameter_key = "value";

// Ordinary actions; every chat action changes the document.
orvo_actions::action::EncodedAction typed_action(ChatAction const&);
// Effect for ImportAttachment, view for every other operation.
orvo_actions::action::EncodedAction typed_operation(ChatOperation const&);
OperationType operation_type_of(ChatOperation const&);

// Marked destructive when the member is.
ActionSpec chat_action_spec(std::string id, std::string label, ChatAction const&);
ActionSpec chat_operation_spec(std::string id, std::string label, ChatOperation const&);

struct ParameterText {
    std::string label;
    std::string placeholder;
    // What the value is, for refusing an empty entry ("the channel name");
    // empty when the builder gives an empty entry a meaning of its own.
    std::string required = {};
};

// Builders get the entered text trimmed of white space ("" when absent).
using ChatActionBuilder = std::function<ChatAction(std::string const& value)>;
using ChatOperationBuilder = std::function<ChatOperation(std::string const& value)>;

ActionSpec chat_action_spec(std::string id, std::string label, ParameterText, ChatActionBuilder);
// `type` is the type of every operation the builder makes.
ActionSpec chat_operation_spec(std::string id, std::string label, OperationType type, ParameterText,
                               ChatOperationBuilder);

} // namespace chat
