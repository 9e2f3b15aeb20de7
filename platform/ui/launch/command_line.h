#pragma once

// The framework's command line: nothing opens the window; `--screenshot` renders one frame.

#include "ui/launch/screenshot_request.h"

#include <string>
#include <variant>
#include <vector>

namespace orvo_ui::launch {

struct RunWindow {};
struct TakeScreenshot {
    ScreenshotRequest request;
};
struct ListScenarios {};
// Print `text` (help, version or a one-line error) and exit with `status`.
struct ExitWith {
    int status = 0;
    std::string text;
    bool to_stderr = false;
};

using CommandLine = std::variant<RunWindow, TakeScreenshot, ListScenarios, ExitWith>;

CommandLine parse_command_line(std::string const& program, std::string const& version, std::vector<std::string> args);

} // namespace orvo_ui::launch
