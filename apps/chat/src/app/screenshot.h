#pragma once

// Named screenshot scenarios rendered to PNG by the same executable.

#include "base/result.h"
#include "ui/launch/screenshot_request.h"

#include <string_view>

namespace chat {

inline constexpr std::string_view SCENARIO_NAMES[] = {
    "narrow", "history", "compact", "starter", "people", "thread-narrow", "collaboration",
    "context", "msgmenu", "attach", "attach-loading", "attach-error", "edit", "composer",
    "call", "share", "floating-call-attached", "floating-call", "floating-call-hover",
    "floating-call-returning", "floating-call-returned",
};

base::Result<void> take_screenshot(orvo_ui::launch::ScreenshotRequest const& request);

} // namespace chat
