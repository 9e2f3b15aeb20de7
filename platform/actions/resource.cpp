#include "actions/resource.h"

namespace orvo_actions::resource {

Resource::Resource(std::string address_, std::string label_)
    : address(std::move(address_))
    , kind(door::resource_kind(address))
    , label(std::move(label_))
{
}

Resource& Resource::with_action(ActionSpec action) &
{
    actions.push_back(std::move(action));
    return *this;
}

Resource&& Resource::with_action(ActionSpec action) &&
{
    actions.push_back(std::move(action));
    return std::move(*this);
}

Resource& Resource::with_child(Resource child) &
{
    children.push_back(std::move(child));
    return *this;
}

Resource&& Resource::with_child(Resource child) &&
{
    children.push_back(std::move(child));
    return std::move(*this);
}

ActionSpec const* Resource::action(std::string_view id) const
{
    for (auto const& offered : actions)
        if (offered.id == id) return &offered;
    return nullptr;
}

Resource const* Resource::find(std::string_view where) const
{
    if (address == where) return this;
    return find_in(children, where);
}

Resource const* find_in(std::vector<Resource> const& roots, std::string_view where)
{
    for (auto const& root : roots)
        if (auto const* found = root.find(where)) return found;
    return nullptr;
}

} // namespace orvo_actions::resource
