#pragma once

// A framework notice shown over the window until the user clicks it or it times out,
// e.g. that an unreadable document was set aside.

#include "ui/core/event.h"
#include "ui/paint/painter.h"

#include <chrono>
#include <optional>
#include <string>

namespace orvo_ui::launch {

class NoticeBanner {
public:
    static constexpr auto shown_for = std::chrono::seconds(15);

    void show(std::string text, std::chrono::steady_clock::time_point now);
    bool visible(std::chrono::steady_clock::time_point now) const;
    // When the banner is due to disappear, so the loop can wake for it.
    std::optional<std::chrono::steady_clock::time_point> expires() const;
    // A press inside the banner dismisses it and is not passed on.
    bool consume(Event const& event);
    void draw(Painter& painter, std::chrono::steady_clock::time_point now);

private:
    std::optional<std::string> m_text;
    std::chrono::steady_clock::time_point m_until;
    Rect m_rect;
};

} // namespace orvo_ui::launch
