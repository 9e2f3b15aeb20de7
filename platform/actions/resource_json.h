#pragma once

// The resource tree as tools see it, and the requests they send back: a JSON listing of
// resources and their actions, and invocations naming an address, an action and its
// arguments, resolved against the tree into the encoded action to run.

#include "actions/resource.h"
#include "base/result.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvo_actions::resource {

// [{"address", "kind", "label", "actions": [{"id", "label", "operation", "destructive",
// "parameter": {"key", "label", "placeholder"} or null}], "children": [...]}]
std::string describe_json(std::vector<Resource> const& roots);

struct Invocation {
    ActionAddress address;
    std::string action;
    ActionArguments arguments;

    bool operator==(Invocation const&) const = default;
};

// {"address": "<encoded address>", "action": "<id>", "arguments": {"<key>": "<text>"}};
// "arguments" may be left out. Anything else is an error naming the problem.
base::Result<Invocation> parse_invocation(std::string_view json);

// The encoded action the invocation asks for, from the resource at its address.
base::Result<EncodedAction> resolve(std::vector<Resource> const& roots, Invocation const& invocation);

} // namespace orvo_actions::resource
