#pragma once

// Translation of SDL input events into the framework's window-system-free events.

#include "ui/core/event.h"

#include <SDL.h>

#include <optional>

namespace orvo_ui::launch {

// `scale` is device pixels per logical pixel.
std::optional<Event> translate_sdl_event(SDL_Event const& event, double scale);

} // namespace orvo_ui::launch
