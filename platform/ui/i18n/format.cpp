#include "ui/i18n/format.h"

#include <array>
#include <cstdio>

namespace orvo_ui::format {

std::string bytes(std::uint64_t count)
{
    if (count < 1024)
        return std::to_string(count) + " B";
    static constexpr std::array<char const*, 6> units = {"KB", "MB", "GB", "TB", "PB", "EB"};
    double value = static_cast<double>(count) / 1024.0;
    std::size_t unit = 0;
    // Step up once the rounded figure would read 1024 or more.
    while (unit + 1 < units.size() && value >= 1023.5) {
        value /= 1024.0;
        ++unit;
    }
    char buffer[32];
    if (value < 99.95)
        std::snprintf(buffer, sizeof buffer, "%.1f %s", value, units[unit]);
    else
        std::snprintf(buffer, sizeof buffer, "%.0f %s", value, units[unit]);
    return buffer;
}

} // namespace orvo_ui::format
