#include "app/screenshot.h"

#include "app/chat_app.h"
#include "ui/launch/shot_frame.h"

#include <iostream>

namespace chat {

base::Result<void> take_screenshot(orvo_ui::launch::ScreenshotRequest const& request)
{
    if (!request.output || request.output->empty()) return base::error("missing screenshot output");
    ChatApp app;
    app.apply_scenario(request.scenario.value_or(""));
    auto theme = orvo_ui::launch::shot_theme(request);
    auto [width, height] = request.size.value_or(std::pair<std::uint32_t, std::uint32_t>{1280, 800});
    auto frame = orvo_ui::launch::ShotFrame::create(width, height, theme, request.scale);
    if (!frame) return std::move(frame).take_error();
    frame->sync(app);
    app.preload_images();
    TRY_VOID(frame->layout(app));
    frame->draw(app);
    TRY_VOID(frame->write_png(*request.output));
    std::cout << "chat: wrote shot to " << *request.output << std::endl;
    return {};
}

} // namespace chat
