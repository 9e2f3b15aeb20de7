#pragma once

// An action in transit: the kind that selects its decoder, the payload that decoder
// reads (JSON text by convention), and how the framework must treat it.

#include <string>
#include <string_view>

namespace orvo_actions::action {

// Ordinary actions change the document and run through the executor. View operations
// only change what the user is looking at; effect operations reach outside the
// document. Both of the latter go to the application's operation handler instead.
enum class OperationType {
    Ordinary,
    View,
    Effect,
};

std::string_view to_string(OperationType);

struct EncodedAction {
    std::string kind;
    std::string payload;
    OperationType operation_type = OperationType::Ordinary;

    bool operator==(EncodedAction const&) const = default;
};

// Kinds are dotted lower-case names ("app.action"): segments of [a-z0-9_-] that begin
// with a letter, separated by single dots.
bool is_valid_kind(std::string_view kind);

} // namespace orvo_actions::action
