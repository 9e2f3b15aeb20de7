#include "ui/launch/screenshot_request.h"

namespace orvo_ui::launch {

Theme shot_theme(ScreenshotRequest const& request)
{
    return request.theme == ThemeKind::Light ? Theme::light() : Theme::dark();
}

} // namespace orvo_ui::launch
