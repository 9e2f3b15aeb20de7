#pragma once

// A node of what an application offers to tools: something with an address and a
// label, the actions that apply to it and the resources below it.

#include "actions/resource_action.h"
#include "actions/address.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvo_actions::resource {

struct Resource {
    std::string address; // resource address (door::resource_address)
    std::string kind;    // the address's kind
    std::string label;
    std::vector<ActionSpec> actions;
    std::vector<Resource> children;

    Resource() = default;
    Resource(std::string address, std::string label);

    Resource& with_action(ActionSpec action) &;
    Resource&& with_action(ActionSpec action) &&;
    Resource& with_child(Resource child) &;
    Resource&& with_child(Resource child) &&;

    // The action with this id, or nothing.
    ActionSpec const* action(std::string_view id) const;
    // This resource or the first descendant (depth first, in order) at `where`.
    Resource const* find(std::string_view where) const;
};

// The first resource at `where` among several roots and their descendants.
Resource const* find_in(std::vector<Resource> const& roots, std::string_view where);

} // namespace orvo_actions::resource
