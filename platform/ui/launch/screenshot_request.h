#pragma once

#include "ui/paint/theme.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvo_ui::launch {

// One `--screenshot` invocation as the screenshot hook receives it.
struct ScreenshotRequest {
    std::optional<std::string> output;
    std::optional<std::string> scenario;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> size; // width, height
    ThemeKind theme = ThemeKind::Dark;
    double scale = 1.0;
};

// The theme a screenshot is drawn in.
Theme shot_theme(ScreenshotRequest const& request);

} // namespace orvo_ui::launch
