#pragma once

// Who the local person is, and how people are named and coloured in the views.

#include "model/records.h"
#include "ui/paint/color.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo_ui::presence {
class PresenceCtx;
}

namespace chat {

struct LocalIdentity {
    std::string id = "u_me";
    std::string name = "You";
    std::string initials = "YU";
    std::int64_t color_index = 0;
    std::vector<std::string> former_ids; // ids it had earlier in this run, each once
    // Adopted from the framework's presence context.
    std::map<std::string, std::string, std::less<>> presence_names;
    std::map<std::string, std::uint32_t, std::less<>> presence_colors; // 0xRRGGBB

    bool is_local(std::string_view person) const;
};

std::uint64_t fnv1a64(std::string_view bytes);

// "Ada Lovelace" → "AL" (first and last word); "You" → "YU" (first and last letter); empty → "?".
std::string initials_for(std::string_view name);

// The identity of a real user: from the platform identity when it loads, else from a
// random identifier kept in "peer-id" inside `data_dir` (when there is one).
LocalIdentity identity_from_environment(std::optional<std::filesystem::path> const& data_dir);

// Adopts the framework's view of who is present (local id and name, others' names and colours).
void apply_presence(LocalIdentity& identity, orvo_ui::presence::PresenceCtx const& presence);

// The name the views show for a person id.
std::string display_name(LocalIdentity const& identity, std::vector<Person> const& workspace_people, std::string_view person);
// The colour the views use for a person id.
orvo_ui::Color person_color(LocalIdentity const& identity, std::string_view person);

} // namespace chat
