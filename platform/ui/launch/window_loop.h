#pragma once

// The interactive frame loop: one SDL window, the widget drawn every frame
// that needs it, and sleep while nothing does.

#include "ui/core/geometry.h"
#include "ui/widget/widget.h"

#include <optional>
#include <string>
#include <vector>

namespace orvo_ui::persist {
class DocumentFile;
}

namespace orvo_ui::bound_dispatch {
class ActionHistory;
}

namespace orvo_ui::launch {

struct WindowSettings {
    std::string title;
    std::string app_id;
    Size initial_size;
    bool borderless = false;
    bool always_on_top = false;
    bool resizable = true;
    bool high_dpi = true;
    // PNG files tried in order for the window icon.
    std::vector<std::string> icon_paths;
    // Shown over the window at start (e.g. where an unreadable document went).
    std::optional<std::string> notice;
};

// Runs until the window is closed or the process is asked to stop (SIGINT, SIGTERM).
// Returns the process exit status.
// Typed actions the widget dispatches during its calls are recorded in `history`.
int run_window(WindowSettings const& settings, Widget& root, persist::DocumentFile& document,
               bound_dispatch::ActionHistory& history);

// Wakes a sleeping frame loop from any thread, e.g. when a background job answers.
void wake_frame_loop();

// Interface scale: ORVO_UI_SCALE when set to a number from 0.5 to 4, else the display's.
double interface_scale_for(int display_index);

} // namespace orvo_ui::launch
