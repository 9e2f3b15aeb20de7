#pragma once

// A node of what an application offers to tools: something with an address and a
// label, the actions that apply to it and the resources below it.

#include "actions/action_spec.h"
#include "actions/address.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvo_actions::resource {

using address::ActionAddress;

struct Resource {
    ActionAddress address;
    std::string kind; // the address's kind
    std::string label;
    std::vector<ActionSpec> actions;
    std::vector<Resource> children;

    Resource() = default;
    Resource(ActionAddress address, std::string label);

    Resource& with_action(ActionSpec action) &;
    Resource&& with_action(ActionSpec action) &&;
    Resource& with_child(Resource child) &;
    Resource&& with_child(Resource child) &&;

    // The action with this id, or nothing.
    ActionSpec const* action(std::string_view id) const;
    // This resource or the first descendant (depth first, in order) at `where`.
    Resource const* find(ActionAddress const& where) const;
};

// The first resource at `where` among several roots and their descendants.
Resource const* find_in(std::vector<Resource> const& roots, ActionAddress const& where);

} // namespace orvo_actions::resource
