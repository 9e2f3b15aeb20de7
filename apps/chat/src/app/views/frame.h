#pragma once

// The frame's geometry: breakpoints, the two sliding flaps, the regions of the
// window, and the shared helpers the region painters use to record controls.

#include "app/controls.h"
#include "app/flap.h"
#include "model/records.h"
#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace chat {

class ChatApp;
struct Model;

namespace views {

inline constexpr double rail_width = 68;
inline constexpr double sidebar_column_width = 248;
inline constexpr double sidebar_width = rail_width + sidebar_column_width;
inline constexpr double details_width = 360;
inline constexpr double narrow_below = 760;
inline constexpr double compact_below = 1040;

struct Breakpoints {
    bool narrow = false;
    bool compact = false;
};

// The width flags for a window `width` wide at interface scale `z`; nothing before
// the first layout (logical width under 1). The divisor is max(z, 1), so a scale
// below 1 never widens the layout.
std::optional<Breakpoints> breakpoints_for(double width, double z);

// 1 − (1 − p)³ with p clamped to [0, 1].
double ease(double progress);

// Tells a flap its breakpoint flag for this frame: the first frame places it
// without animation; a crossing forgets the explicit choice of the previous mode.
void feed_breakpoint(Flap& flap, bool flag);
// One animation step towards the flap's target; answers whether it still moves.
// dt is capped at 0.1 s so a stalled frame cannot jump the panel.
bool step_flap(Flap& flap, bool flag, std::chrono::steady_clock::time_point now);
// The explicit choice a toggle makes: the opposite of the current target.
void toggle_flap(Flap& flap, bool flag);

struct FrameGeometry {
    orvo_ui::Rect window;
    orvo_ui::Rect sidebar;  // rail and channel column, possibly slid off to the left
    orvo_ui::Rect details;  // the right flap
    orvo_ui::Rect header;
    orvo_ui::Rect timeline;
    orvo_ui::Rect composer;
    double conversation_left = 0;
    double conversation_right = 0;
    bool sidebar_docked = false; // not narrow and the left flap's target open
    bool show_left = false;      // the left flap is drawn this frame
    bool show_right = false;
};

// Regions for the app's current flags and flaps; `composer_text_height` is the
// main composer's wrapped text height at size 15.
FrameGeometry frame_geometry(ChatApp const& app, double composer_text_height);
// The width the composer's text wraps in, for a conversation of this width.
double composer_wrap_width(double conversation_width);

// The local person's seat in a call of the current workspace, from the voice
// participants the document records.
struct LocalVoice {
    std::string channel;
    CallParticipant me;
};
std::optional<LocalVoice> local_voice(ChatApp const& app);

// Sum of the unread counts of every channel of every workspace.
std::int64_t total_unread(Model const& model);
// A count as badges show it: "99+" from 100 on.
std::string badge_text(std::int64_t count);

// Draws a count pill whose right edge is `right`, vertically centred on `center_y`.
void draw_count_pill(orvo_ui::Painter& painter, std::int64_t count, double right, double center_y);

// One whole frame in the painting order: breakpoints and flap steps, background,
// header strip, details panel, navigation, "☰", popups, focus ring, tooltip.
void draw_frame(ChatApp& app, orvo_ui::Painter& painter, std::chrono::steady_clock::time_point now);

// The frame's painting steps, for the region painters and the tests.
void push_region(ChatApp& app, orvo_ui::Rect const& rect, ChatControl control);
void push_tooltip(ChatApp& app, orvo_ui::Rect const& rect, std::string text);
bool hovered(ChatApp const& app, orvo_ui::Rect const& rect);

} // namespace views

} // namespace chat
