#pragma once

#include <cstdint>
#include <string>

namespace orvo_ui::format {

// A byte count for people: "0 B", "999 B", "1.5 KB", "12.0 MB", "512 MB".
// Units step by 1024; one decimal below 100 of a unit.
std::string bytes(std::uint64_t count);

} // namespace orvo_ui::format
