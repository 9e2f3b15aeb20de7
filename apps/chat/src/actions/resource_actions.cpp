#include "actions/resource_actions.h"

#include "actions/text.h"

namespace chat {
namespace {

orvo_actions::action::EncodedAction framework_form(EncodedAction encoded, OperationType type)
{
    return {std::move(encoded.kind), std::move(encoded.json), type};
}

orvo_actions::resource::TextParameter text_parameter(ParameterText const& text)
{
    return {std::string(parameter_key), text.label, text.placeholder};
}

// The entered text, trimmed. Text that is not UTF-8 is refused here: it
// would be stored with replacement characters and mention offsets would
// no longer fit it.
base::Result<std::string> entered_value(ActionArguments const& arguments, std::string const& required)
{
    auto const found = arguments.find(parameter_key);
    std::string_view const entered = found == arguments.end() ? std::string_view() : std::string_view(found->second);
    if (!text::is_valid_utf8(entered))
        return base::error("the entered text is not valid UTF-8");
    auto const value = text::trim_white_space(entered);
    if (value.empty() && !required.empty())
        return base::error(required + " is empty");
    return std::string(value);
}

} // namespace

orvo_actions::action::EncodedAction typed_action(ChatAction const& action)
{
    return framework_form(encode_chat_action(action), OperationType::Ordinary);
}

OperationType operation_type_of(ChatOperation const& operation)
{
    return std::holds_alternative<operation::ImportAttachment>(operation) ? OperationType::Effect
                                                                          : OperationType::View;
}

orvo_actions::action::EncodedAction typed_operation(ChatOperation const& operation)
{
    return framework_form(encode_chat_operation(operation), operation_type_of(operation));
}

ActionSpec chat_action_spec(std::string id, std::string label, ChatAction const& action)
{
    auto offered = ActionSpec::fixed(std::move(id), std::move(label), OperationType::Ordinary, typed_action(action));
    if (is_destructive(action))
        offered.destructive();
    return offered;
}

ActionSpec chat_operation_spec(std::string id, std::string label, ChatOperation const& operation)
{
    return ActionSpec::fixed(std::move(id), std::move(label), operation_type_of(operation),
                             typed_operation(operation));
}

ActionSpec chat_action_spec(std::string id, std::string label, ParameterText parameter, ChatActionBuilder build)
{
    auto encoder = [build = std::move(build), required = parameter.required](ActionArguments const& arguments)
        -> base::Result<orvo_actions::action::EncodedAction> {
        auto value = entered_value(arguments, required);
        if (!value)
            return std::move(value).take_error();
        return typed_action(build(*value));
    };
    return ActionSpec::with_parameter(std::move(id), std::move(label), OperationType::Ordinary,
                                      text_parameter(parameter), std::move(encoder));
}

ActionSpec chat_operation_spec(std::string id, std::string label, OperationType type, ParameterText parameter,
                               ChatOperationBuilder build)
{
    auto encoder = [build = std::move(build), required = parameter.required](ActionArguments const& arguments)
        -> base::Result<orvo_actions::action::EncodedAction> {
        auto value = entered_value(arguments, required);
        if (!value)
            return std::move(value).take_error();
        // Marked with its own type, so ActionSpec::encode refuses a builder
        // that makes another kind of operation than the action declares.
        return typed_operation(build(*value));
    };
    return ActionSpec::with_parameter(std::move(id), std::move(label), type, text_parameter(parameter),
                                      std::move(encoder));
}

} // namespace chat
