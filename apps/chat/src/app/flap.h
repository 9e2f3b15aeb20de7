#pragma once

// A side panel that slides open and closed: the sidebar or the details panel.

#include <chrono>
#include <optional>

namespace chat {

enum class FlapOverride { None, Closed, Open };

struct Flap {
    std::chrono::steady_clock::time_point last_tick = std::chrono::steady_clock::now();
    double progress = 1.0;
    bool user_open = true;
    FlapOverride override_ = FlapOverride::None;
    std::optional<bool> last_auto;

    // Whether the panel should be open given its breakpoint flag.
    bool target_open(bool breakpoint) const
    {
        if (override_ == FlapOverride::Open) return true;
        if (override_ == FlapOverride::Closed) return false;
        return user_open && !breakpoint;
    }
};

} // namespace chat
