#include "ui/paint/surface.h"
#include "ui/widget/avatar.h"
#include "ui/widget/button.h"
#include "ui/widget/tooltip.h"

#include <gtest/gtest.h>

#include <cairo.h>

using namespace orvo_ui;
using namespace std::chrono_literals;

namespace {

struct Canvas {
    Canvas(Theme t, int w = 200, int h = 120)
        : theme(std::move(t)), surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)), cr(cairo_create(surface)),
          painter(cr, theme, {double(w), double(h)})
    {
        painter.fill_rect(painter.bounds(), theme.window);
    }
    ~Canvas()
    {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
    Color pixel(int x, int y)
    {
        cairo_surface_flush(surface);
        auto* data = cairo_image_surface_get_data(surface);
        std::uint32_t v = *reinterpret_cast<std::uint32_t*>(data + y * cairo_image_surface_get_stride(surface) + 4 * x);
        return Color::rgb(v & 0xFFFFFF);
    }
    Theme theme;
    cairo_surface_t* surface;
    cairo_t* cr;
    Painter painter;
};

bool near(Color a, Color b, double tolerance = 0.02)
{
    return std::abs(a.r - b.r) < tolerance && std::abs(a.g - b.g) < tolerance && std::abs(a.b - b.b) < tolerance;
}

} // namespace

TEST(Button, StylesFillAsDocumented)
{
    using widget::button::Button;
    using widget::button::ButtonStyle;
    Theme dark = Theme::dark();
    struct Case {
        char const* name;
        ButtonStyle style;
        Color expected_fill;
    } const cases[] = {
        {"normal", {}, dark.card},
        {"danger", {.danger = true}, dark.danger},
        {"selected", {.selected = true}, dark.accent},
        {"hovered", {.hovered = true}, composite(dark.lift(1.6), dark.card)},
        {"disabled danger", {.disabled = true, .danger = true}, composite(dark.danger.scaled_alpha(0.5), dark.window)},
    };
    for (auto const& c : cases) {
        Canvas canvas(dark);
        Button::paint(canvas.painter, {20, 20, 120, 36}, "", c.style);
        EXPECT_TRUE(near(canvas.pixel(30, 38), c.expected_fill)) << c.name;
        EXPECT_TRUE(near(canvas.pixel(5, 5), dark.window)) << c.name; // nothing outside
    }
    Canvas canvas(dark);
    double narrow = Button::preferred_width(canvas.painter, "Mute");
    double wide = Button::preferred_width(canvas.painter, "Audio only");
    EXPECT_GT(wide, narrow);
    EXPECT_GT(narrow, dark.metrics.button_padding);
}

TEST(Avatar, PaintsPaletteColourAndPresenceDot)
{
    using namespace widget::avatar;
    Canvas canvas(Theme::light());
    Avatar avatar {"AL", 9, Presence::Online};
    avatar.draw(canvas.painter, {60, 60}, 30);
    // Index 9 wraps to palette entry 1; the edge of the disc away from the
    // initials and the dot shows it.
    EXPECT_TRUE(near(canvas.pixel(60, 33), canvas.theme.user(1)));
    Point dot {60 + 30 * 0.707, 60 + 30 * 0.707};
    EXPECT_TRUE(near(canvas.pixel(int(dot.x), int(dot.y)), canvas.theme.online));

    struct Case {
        char const* name;
        char const* initials;
    } const names[] = {{"Ada Lovelace", "AL"}, {"  grace  ", "G"}, {"émile zola", "ÉZ"}, {"", ""}, {"Jean Paul Sartre", "JS"}};
    for (auto const& c : names)
        EXPECT_EQ(initials_for(c.name), c.initials) << c.name;
}

TEST(TooltipHost, ShowsAfterTheDelayAndRestartsOnANewArea)
{
    using namespace widget::tooltip;
    TooltipHost host(400ms);
    auto t0 = Clock::time_point {} + 5s;
    TooltipArea send {{10, 10, 30, 30}, "Send"};
    host.on_pointer({20, 20}, send, t0);
    EXPECT_TRUE(host.has_pending());
    EXPECT_EQ(host.due(), t0 + 400ms);
    host.tick(t0 + 399ms);
    EXPECT_FALSE(host.is_shown());
    // Moving within the same area does not restart the delay.
    host.on_pointer({25, 25}, send, t0 + 300ms);
    host.tick(t0 + 400ms);
    EXPECT_TRUE(host.is_shown());
    EXPECT_FALSE(host.has_pending());

    // A different area restarts; no area hides.
    host.on_pointer({50, 50}, TooltipArea {{40, 40, 30, 30}, "Attach"}, t0 + 500ms);
    EXPECT_FALSE(host.is_shown());
    host.on_pointer({100, 100}, std::nullopt, t0 + 600ms);
    EXPECT_FALSE(host.has_pending());
    EXPECT_FALSE(host.is_shown());
}

TEST(TooltipHost, PlacementStaysInsideTheWindow)
{
    using namespace widget::tooltip;
    TooltipHost host(0ms);
    Rect window {0, 0, 300, 200};
    auto now = Clock::now();
    host.on_pointer({290, 190}, TooltipArea {{280, 180, 20, 20}, "Corner"}, now);
    Rect box = host.placement({80, 24}, window);
    EXPECT_LE(box.right(), window.right());
    EXPECT_LE(box.bottom(), window.bottom());
    EXPECT_LE(box.bottom(), 180); // flipped above its area
    host.on_pointer({10, 10}, TooltipArea {{0, 0, 20, 20}, "Top left"}, now);
    box = host.placement({80, 24}, window);
    EXPECT_GE(box.left(), 0);
    EXPECT_GE(box.top(), 20); // below its area
    Canvas canvas(Theme::dark(), 300, 200);
    host.tick(now);
    host.draw_hover_tooltip(canvas.painter);
    // The drawn box hangs 6 below its area, kept 4 inside the left edge.
    EXPECT_TRUE(near(canvas.pixel(8, 28), canvas.theme.tooltip));
    EXPECT_TRUE(near(canvas.pixel(8, 22), canvas.theme.window));
}

TEST(Painter, LayersClipAndFadeWhatIsDrawnInside)
{
    Canvas canvas(Theme::dark(), 100, 100);
    {
        auto clip = canvas.painter.clip({0, 0, 50, 100});
        canvas.painter.fill_rect({0, 0, 100, 100}, Color::rgb(0xFF0000));
    }
    EXPECT_TRUE(near(canvas.pixel(25, 50), Color::rgb(0xFF0000)));
    EXPECT_TRUE(near(canvas.pixel(75, 50), canvas.theme.window));
    {
        auto fade = canvas.painter.opacity(0.5);
        canvas.painter.fill_rect({50, 0, 50, 100}, Color::rgb(0xFFFFFF));
    }
    EXPECT_TRUE(near(canvas.pixel(75, 50), mix(canvas.theme.window, Color::white(), 0.5)));
    canvas.painter.scrim(1.0);
    EXPECT_TRUE(near(canvas.pixel(25, 50), composite(canvas.theme.scrim, Color::rgb(0xFF0000))));
}
