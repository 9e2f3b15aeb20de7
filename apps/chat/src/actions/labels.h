#pragma once

// The labels resources show to tools and in search results.

#include <cstddef>
#include <string>
#include <vector>

#include "model/records.h"

namespace chat {

// Characters (not bytes) of a message text a message label shows.
inline constexpr std::size_t message_label_characters = 72;

std::string workspace_label(Workspace const&);
// "# general", "🔊 Design Huddle".
std::string channel_label(Channel const&);
std::string call_label(Channel const&);
// "Nell Yates: Morning! …": the author's name (or id when unknown), then
// the trimmed text, the attachment's name, or "Attachment".
std::string message_label(Message const&, std::vector<Person> const& people);
// "🎉 · 2".
std::string reaction_label(ReactionGroup const&);

} // namespace chat
