#pragma once

// The resource tree as tools see it, and the requests they send back: a JSON listing of
// resources and their actions, and invocations naming an action address and its
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
    door::ActionAddress address;
    ActionArguments arguments;

    bool operator==(Invocation const&) const = default;
};

// {"address": "<encoded action address>", "arguments": {"<key>": "<text>"}}; "arguments"
// may be left out. Anything else is an error naming the problem.
base::Result<Invocation> parse_invocation(std::string_view json);

// The encoded action an action address names, built for these arguments.
base::Result<EncodedAction> resolve(std::vector<Resource> const& roots, door::ActionAddress const& address,
                                    ActionArguments const& arguments = {});

} // namespace orvo_actions::resource
