#pragma once

// What an application hands to the framework's launch entry: its identity,
// its hooks, and a few window and process settings.

#include "base/result.h"
#include "ui/core/geometry.h"
#include "ui/launch/screenshot_request.h"
#include "ui/persist/persist.h"
#include "ui/widget/widget.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvo_actions {
class ActionRegistry;
}

namespace orvo_ui::app {

// The running application as hooks see it.
class App {
public:
    virtual ~App() = default;
    virtual orvo_actions::ActionRegistry& action_registry_mut() = 0;
};

} // namespace orvo_ui::app

namespace orvo_ui::launch {

struct LaunchDescription {
    // Reverse-DNS identifier; also names the default data directory and the X11 window class.
    std::string app_id;

    // Directories whose fonts are added to the font configuration before anything is drawn.
    std::vector<std::string> font_dirs;
    // Log levels per logger, "name=level" ("crdt=debug"), or a bare level for all loggers.
    std::vector<std::string> log_levels;
    // PNG files tried in order for the window icon.
    std::vector<std::string> icon_paths;
    // "NAME=value" pairs put into the environment at start unless already set.
    std::vector<std::string> env_defaults;

    // Names `--list-scenarios` advertises; `--scenario` accepts any name.
    std::vector<std::string> screenshot_scenarios;

    std::function<std::unique_ptr<Widget>()> make_root_widget;
    std::function<base::Result<void>(ScreenshotRequest const&)> take_screenshot;
    std::function<void(app::App&)> register_actions;
    std::function<Size()> initial_size;
    // Whether the application keeps a persisted document (the persistence hook is then called).
    std::function<bool()> uses_document;
    std::function<persist::OpenResult(persist::AppInfo const&, persist::Storage const&)> open_document;

    bool borderless = false;
    bool always_on_top = false;
    bool resizable = true;
    bool high_dpi = true;
};

// Parses the command line, then runs the window or takes the requested screenshot,
// and exits the process with the outcome's status. Returns only when exit is refused
// (never in practice); the value is then the status to return from main.
int run_or_exit(LaunchDescription description, int argc, char** argv);

} // namespace orvo_ui::launch
