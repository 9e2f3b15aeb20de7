// orvo-ui-gallery: every stock widget and text style, in the dark and the light
// theme side by side, rendered off-screen to a PNG for visual review.

#include "ui/image/decoded_image.h"
#include "ui/image/image_store.h"
#include "ui/paint/painter.h"
#include "ui/paint/surface.h"
#include "ui/paint/user_color.h"
#include "ui/text/rich_text.h"
#include "ui/widget/avatar.h"
#include "ui/widget/button.h"
#include "ui/widget/clipboard.h"
#include "ui/widget/context_menu.h"
#include "ui/widget/text_input.h"
#include "ui/widget/tooltip.h"

#include <CLI/CLI.hpp>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace orvo_ui;

namespace {

constexpr double column_width = 760;
constexpr double column_height = 990;

TextStyle style(double size, Color color, FontWeight weight = FontWeight::Regular)
{
    TextStyle s;
    s.size = size;
    s.color = color;
    s.weight = weight;
    return s;
}

void section(Painter& p, double x, double& y, std::string_view title)
{
    p.text(title, {x, y}, style(11, p.theme().muted_text, FontWeight::Semibold));
    y += 20;
}

void draw_text_styles(Painter& p, double x, double& y)
{
    Theme const& t = p.theme();
    section(p, x, y, "TEXT");
    p.text("Workspace title · 17 semibold", {x, y}, style(t.metrics.title_size, t.text, FontWeight::Semibold));
    p.text("Call title · 20 bold", {x + 330, y - 2}, style(20, t.text, FontWeight::Bold));
    y += 28;
    p.text("Message body at 15 — the quick brown fox jumps over the lazy dog.", {x, y}, style(15, t.text));
    y += 24;
    p.text("Muted secondary text at 13 · 10:42", {x, y}, style(13, t.muted_text));
    p.text("Danger", {x + 260, y}, style(13, adjust_for_contrast(t.danger, t.window, 4.5), FontWeight::Semibold));
    p.text("Accent", {x + 320, y}, style(13, adjust_for_contrast(t.accent, t.window, 4.5), FontWeight::Semibold));
    p.text("Alert", {x + 378, y}, style(13, adjust_for_contrast(t.alert, t.window, 3.0), FontWeight::Semibold));
    y += 22;
    TextStyle cut = style(14, t.text);
    cut.width = 300;
    cut.overflow = TextOverflow::Ellipsis;
    p.text("An ellipsis keeps a long channel name on one line within its width", {x, y}, cut);
    y += 24;
    TextStyle wrap = style(13, t.text);
    wrap.width = 330;
    Size wrapped = p.text("Wrapped text breaks at word boundaries within its width, and long words like "
                          "supercalifragilisticexpialidocious break where they must.",
        {x, y}, wrap);
    p.text("Emoji: 👍 🎉 ❤️ 🚀 👨‍👩‍👧 🇫🇷 ☕", {x + 350, y}, style(15, t.text));
    y += wrapped.height + 10;

    std::string rich = "Thanks @Grace Hopper — and @you, please review before Friday.";
    Color grace = adjust_for_contrast(presence::user_color("u_grace", t), t.window, 4.5);
    Color self = t.user(0);
    richtext::Span mention {7, 20, grace, std::nullopt, FontWeight::Semibold};
    richtext::Span me {29, 33, adjust_for_contrast(t.text, mix(t.window, self, 0.78), 3.0), mix(t.window, self, 0.78)};
    TextStyle base = style(15, t.text);
    base.width = column_width - 2 * x;
    p.rich_text(richtext::RichTextLayout::shape(rich, {mention, me}, base), {x, y});
    y += 30;
}

void draw_surfaces(Painter& p, double x, double& y)
{
    Theme const& t = p.theme();
    section(p, x, y, "SURFACES");
    Rect card {x, y, 200, 90};
    surface::shadow(p, card, 12);
    surface::card(p, card, 12);
    p.text("Card with shadow", {card.x + 14, card.y + 12}, style(13, t.text, FontWeight::Semibold));
    surface::separator(p, card.x + 14, card.right() - 14, card.y + 40);
    p.text("separator above", {card.x + 14, card.y + 50}, style(12, t.muted_text));

    Rect floating {x + 220, y, 220, 90};
    surface::shadow(p, floating, 14, {.blur = 22, .offset_y = 8});
    surface::soft_outline(p, floating, 14);
    p.fill_rounded(floating, 14, t.panel);
    chrome::shell::panel_border(p, floating, chrome::shell::Edge::Left);
    surface::floating_drag_grip(p, {floating.x, floating.y, floating.width, 30});
    p.text("Floating card: grip, soft outline", {floating.x + 14, floating.y + 36}, style(12, t.text));

    Rect bar {x + 460, y, 220, 44};
    p.fill_rounded(bar, 16, t.panel);
    surface::edge_outline(p, bar, 16);
    p.text_centered("Bar with edge outline", bar, style(12, t.text));

    Rect scrimmed {x + 460, y + 52, 220, 38};
    p.fill_rounded(scrimmed, 8, t.accent);
    {
        auto clip = p.clip(scrimmed, 8);
        p.fill_rect(scrimmed, t.scrim);
    }
    p.text_centered("Scrim over accent", scrimmed, style(12, Color::white()));
    y += 108;

    // Rings, discs and the palette.
    for (std::size_t i = 0; i < 8; ++i) {
        Point c {x + 16 + i * 38.0, y + 16};
        p.disc(c, 14, t.user(i));
    }
    p.ring({x + 340, y + 16}, 14, 2.5, t.accent);
    p.ring({x + 380, y + 16}, 14, 1.5, t.hairline_on(51));
    p.disc({x + 420, y + 16}, 5, t.alert);
    {
        auto fade = p.opacity(0.4);
        p.disc({x + 460, y + 16}, 14, t.danger);
    }
    p.text("40% opacity layer", {x + 480, y + 8}, style(12, t.muted_text));
    y += 44;
}

void draw_buttons_and_avatars(Painter& p, double x, double& y)
{
    using widget::button::Button;
    using widget::button::ButtonStyle;
    Theme const& t = p.theme();
    section(p, x, y, "BUTTONS");
    struct Sample {
        char const* label;
        ButtonStyle style;
    } const samples[] = {
        {"Mute", {}},
        {"Hovered", {.hovered = true}},
        {"Selected", {.selected = true}},
        {"Leave", {.danger = true}},
        {"Disabled", {.disabled = true}},
        {"Deafen", {.icon = "🎧"}},
        {"", {.icon = "✕"}},
    };
    double bx = x;
    for (auto const& s : samples) {
        double w = s.label[0] ? Button::preferred_width(p, s.label, s.style) : 36;
        Button::paint(p, {bx, y, w, 36}, s.label, s.style);
        bx += w + t.metrics.gap;
    }
    // The keyboard focus ring around the first button.
    double first = Button::preferred_width(p, samples[0].label, samples[0].style);
    p.stroke_rounded({x - 3, y - 3, first + 6, 42}, 9, 2, t.focus);
    y += 54;

    section(p, x, y, "AVATARS");
    using namespace widget::avatar;
    struct Person {
        char const* name;
        Presence presence;
    } const people[] = {
        {"Ada Lovelace", Presence::Online}, {"Grace Hopper", Presence::Idle}, {"Alan Turing", Presence::DoNotDisturb},
        {"Katherine Johnson", Presence::Offline}, {"you", Presence::Online},
    };
    double ax = x + 20;
    for (auto const& person : people) {
        Avatar {initials_for(person.name), presence::user_color_index(person.name), person.presence, t.window}.draw(p, {ax, y + 20}, 20);
        ax += 56;
    }
    Avatar {"Y", 0, std::nullopt, std::nullopt}.draw(p, {ax + 4, y + 20}, 9);
    Avatar {"AL", 0, Presence::Online, t.window}.draw(p, {ax + 40, y + 20}, 16);
    y += 58;
}

void draw_inputs(Painter& p, double x, double& y, widget::text_input::TextInput& filled, widget::text_input::TextInput& empty)
{
    Theme const& t = p.theme();
    section(p, x, y, "TEXT INPUT");
    Rect composer {x, y, 400, 76};
    surface::card(p, composer, 14);
    filled.draw(p, {composer.x + 14, composer.y + 10, composer.width - 28, composer.height - 20});
    Rect placeholder {x + 420, y, 270, 44};
    surface::card(p, placeholder, 10);
    p.stroke_rounded(placeholder, 10, 1, t.accent);
    empty.draw(p, {placeholder.x + 12, placeholder.y + 12, placeholder.width - 24, 22});

    // An input-method composition is shown underlined at the caret, not yet committed.
    Rect composing {x + 420, y + 50, 270, 30};
    surface::card(p, composing, 8);
    widget::text_input::TextInput ime;
    ime.set_multiline(false);
    ime.set_text("Rename to ");
    ime.set_focused(true);
    ime.handle_event(TextEditingEvent {"café", 4});
    ime.draw(p, {composing.x + 10, composing.y + 6, composing.width - 20, 20});
    y += 92;
}

void draw_menu_tooltip_image(Painter& p, double x, double& y, image_store::DecodedImage const& picture)
{
    Theme const& t = p.theme();
    section(p, x, y, "MENU · TOOLTIP · IMAGE");
    widget::context_menu::ContextMenu menu;
    using widget::context_menu::ItemStyle;
    menu.push("Edit message", 9, 49);
    menu.push("Pin / unpin", 10, 55);
    menu.push("Move up", 2, 15);
    menu.push("Delete message", 11, std::nullopt, ItemStyle::Destructive);
    menu.open_at({x, y});
    menu.handle_event(KeyDown {Key::Down});
    menu.handle_event(KeyDown {Key::Down});
    menu.draw(p);

    widget::tooltip::TooltipHost host(std::chrono::milliseconds(0));
    Rect anchor {x + 250, y + 10, 36, 36};
    widget::button::Button::paint(p, anchor, "", {.icon = "🙂"});
    auto now = widget::tooltip::Clock::now();
    host.on_pointer(anchor.center(), widget::tooltip::TooltipArea {anchor, "Emoji"}, now);
    host.draw_hover_tooltip(p);

    Rect photo {x + 340, y, 320, 180};
    image_store::paint_image_cover(p, picture, photo, 12);
    p.stroke_rounded(photo, 12, 1, t.hairline);
    p.text("paint_image_cover, radius 12", {photo.x + 12, photo.bottom() + 6}, style(12, t.muted_text));
    y += 210;
}

image_store::DecodedImage demo_picture()
{
    // A procedurally painted landscape-ish picture, 640 × 360.
    int w = 640, h = 360;
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(w) * h * 4);
    for (int yy = 0; yy < h; ++yy) {
        for (int xx = 0; xx < w; ++xx) {
            std::uint8_t* px = &rgba[(static_cast<std::size_t>(yy) * w + xx) * 4];
            bool ground = yy > h * 0.62 + 30 * std::sin(xx / 90.0);
            px[0] = ground ? 40 : static_cast<std::uint8_t>(90 + yy * 120 / h);
            px[1] = ground ? static_cast<std::uint8_t>(110 + xx * 60 / w) : static_cast<std::uint8_t>(120 + yy * 80 / h);
            px[2] = ground ? 70 : 230;
            px[3] = 255;
        }
    }
    return image_store::DecodedImage::from_rgba(w, h, static_cast<std::size_t>(w) * 4, rgba).value();
}

void draw_column(cairo_t* cr, Theme const& theme, double offset_x, image_store::DecodedImage const& picture)
{
    cairo_save(cr);
    cairo_translate(cr, offset_x, 0);
    Painter p(cr, theme, {column_width, column_height});
    p.fill_rect(p.bounds(), theme.window);
    p.fill_rect({0, 0, column_width, 64}, theme.panel);
    chrome::shell::panel_border(p, {0, 0, column_width, 64}, chrome::shell::Edge::Bottom);
    double x = 32, y = 20;
    p.text(theme.kind == ThemeKind::Dark ? "orvo_ui gallery — dark" : "orvo_ui gallery — light", {x, y},
        style(20, theme.text, FontWeight::Bold));
    y = 84;

    widget::MemoryClipboard clipboard;
    widget::text_input::TextInput filled(&clipboard);
    filled.set_text("Shipping the composer on the shared TextInput — real caret, selection, and Ctrl+C/V now. Please check teh adress");
    filled.set_focused(true);
    filled.set_caret(std::string("Shipping the composer on the shared ").size());
    filled.set_caret(std::string("Shipping the composer on the shared TextInput").size(), true);
    widget::text_input::TextInput empty(&clipboard);
    empty.set_placeholder("Message #general");
    empty.set_focused(true);

    draw_text_styles(p, x, y);
    draw_surfaces(p, x, y);
    draw_buttons_and_avatars(p, x, y);
    draw_inputs(p, x, y, filled, empty);
    draw_menu_tooltip_image(p, x, y, picture);
    cairo_restore(cr);
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app {"Renders every orvo_ui widget and text style in both themes."};
    std::string output;
    double scale = 1.0;
    app.add_option("--screenshot", output, "PNG file to write")->required();
    app.add_option("--scale", scale, "interface scale")->check(CLI::Range(0.5, 4.0));
    CLI11_PARSE(app, argc, argv);

    int width = static_cast<int>(2 * column_width * scale);
    int height = static_cast<int>(column_height * scale);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    auto picture = demo_picture();
    draw_column(cr, Theme::dark(), 0, picture);
    draw_column(cr, Theme::light(), column_width, picture);
    cairo_destroy(cr);
    cairo_status_t status = cairo_surface_write_to_png(surface, output.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "orvo-ui-gallery: cannot write %s: %s\n", output.c_str(), cairo_status_to_string(status));
        return 1;
    }
    std::printf("orvo-ui-gallery: wrote %s\n", output.c_str());
    return 0;
}
