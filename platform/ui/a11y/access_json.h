#pragma once

// The accessibility tree as JSON for tools outside the process (end-to-end
// tests, screen-reader bridges): each node has "id", "role", "label",
// "description", "states" (names of the states that are set), "rect" as
// [left, top, right, bottom] in logical pixels, and "children".

#include "ui/a11y/access_node.h"

#include "base/result.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvo_ui {

// The environment variable naming the file the tree is written to.
inline constexpr char const* access_dump_variable = "ORVO_UI_A11Y_DUMP";

std::string access_tree_json(AccessNode const& root);
// The dump path from the environment, when set and not empty.
std::optional<std::string> access_dump_path();

// Writes the tree to `path` when its JSON differs from what this process last
// wrote there (or the file is gone). Writes go through a temporary file and a
// rename, so a reader never sees half a tree. Answers whether it wrote.
base::Result<bool> write_access_tree_if_changed(std::string const& path, AccessNode const& root);

} // namespace orvo_ui
