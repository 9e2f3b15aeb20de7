#include "actions/encoded_action.h"

namespace orvo_actions::action {

std::string_view to_string(OperationType type)
{
    switch (type) {
    case OperationType::Ordinary: return "ordinary";
    case OperationType::View: return "view";
    case OperationType::Effect: return "effect";
    }
    return "ordinary";
}

static bool is_segment_char(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

bool is_valid_kind(std::string_view kind)
{
    bool at_segment_start = true;
    for (char c : kind) {
        if (c == '.') {
            if (at_segment_start) return false;
            at_segment_start = true;
            continue;
        }
        if (at_segment_start ? !(c >= 'a' && c <= 'z') : !is_segment_char(c)) return false;
        at_segment_start = false;
    }
    return !at_segment_start;
}

} // namespace orvo_actions::action
