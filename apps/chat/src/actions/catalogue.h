#pragma once

// What the chat offers to the action framework's tools and to search: a tree
// of resources (workspaces with their channels and categories, calls,
// messages with their reactions and attachment, people), each carrying the
// actions that apply to it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "actions/resource.h"
#include "crdt/document.h"

namespace chat {

using orvo_actions::resource::Resource;

// Resource kinds; an address is the kind, ":" and an id ("chat.people" has none).
namespace resource_kind {
inline constexpr std::string_view people = "chat.people";
inline constexpr std::string_view person = "chat.person";
inline constexpr std::string_view workspace = "chat.workspace";
inline constexpr std::string_view channel = "chat.channel";
inline constexpr std::string_view category = "chat.category";
inline constexpr std::string_view call = "chat.call";
inline constexpr std::string_view message = "chat.message";
inline constexpr std::string_view reaction = "chat.reaction"; // id: message id, ":", emoji
inline constexpr std::string_view attachment = "chat.attachment";
} // namespace resource_kind

// What the application supplies to the actions it offers.
struct CatalogueContext {
    std::string me;       // the local person's id
    std::int64_t now = 0; // seconds since the Unix epoch, from timestamp_now()
};

// One resource per workspace (its channels, then its categories, as
// children; a voice channel holds its call), then "chat.people" with one
// child per person. Lists follow the model's order.
std::vector<Resource> catalogue(crdt::Document&, CatalogueContext const&);

// The one resource at `address` with its actions and children, built from
// the document as it is now; nothing for an unknown kind or id.
std::optional<Resource> resource_at(crdt::Document&, std::string_view address, CatalogueContext const&);

} // namespace chat
