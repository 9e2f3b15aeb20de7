#pragma once

// Projection of the people and of the workspace structure.

#include <string_view>
#include <vector>

#include "crdt/document.h"
#include "model/records.h"

namespace chat {

// Ascending id order.
std::vector<Person> list_people(crdt::Document const&);
// By order ascending (as unsigned 32-bit values); equal orders by ascending id.
std::vector<Workspace> list_workspaces(crdt::Document const&);
std::vector<Category> list_categories(crdt::Document const&);
std::vector<Channel> list_channels(crdt::Document const&);

Person const* find_person(std::vector<Person> const& people, std::string_view id);

} // namespace chat
