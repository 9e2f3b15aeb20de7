#include "app/views/demo_pictures.h"

#include "ui/image/decoded_image.h"
#include "ui/image/image_store.h"

#include <cairo.h>

#include <cmath>
#include <memory>
#include <string>

namespace chat::views {

namespace {

struct Rgb {
    double r, g, b;
};

constexpr Rgb hex(std::uint32_t v) { return {((v >> 16) & 0xff) / 255.0, ((v >> 8) & 0xff) / 255.0, (v & 0xff) / 255.0}; }

void set(cairo_t* cr, Rgb c, double a = 1) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }

void rounded(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void vertical_gradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom)
{
    auto* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(gradient, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(gradient, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, gradient);
    cairo_pattern_destroy(gradient);
}

// One participant tile: a tinted backdrop, a head-and-shoulders silhouette, a name bar.
void call_tile(cairo_t* cr, double x, double y, double w, double h, Rgb tint, bool talking)
{
    rounded(cr, x, y, w, h, 12);
    vertical_gradient(cr, y, y + h, {tint.r * 0.55, tint.g * 0.55, tint.b * 0.55}, {0.08, 0.09, 0.11});
    cairo_fill(cr);
    double cx = x + w / 2, cy = y + h * 0.46;
    set(cr, tint, 0.9);
    cairo_arc(cr, cx, cy - h * 0.08, h * 0.15, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_save(cr);
    rounded(cr, x, y, w, h, 12);
    cairo_clip(cr);
    cairo_arc(cr, cx, cy + h * 0.36, h * 0.27, M_PI, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
    rounded(cr, x + 10, y + h - 30, 86, 20, 6);
    set(cr, hex(0x000000), 0.45);
    cairo_fill(cr);
    rounded(cr, x + 18, y + h - 23, 60, 6, 3);
    set(cr, hex(0xE7E9EE), 0.8);
    cairo_fill(cr);
    if (talking) {
        rounded(cr, x + 1.5, y + 1.5, w - 3, h - 3, 11);
        set(cr, hex(0x7A8CFF));
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
}

void paint_call_grid(cairo_t* cr)
{
    set(cr, hex(0x0F1115));
    cairo_paint(cr);
    Rgb tints[] = {hex(0x7A8CFF), hex(0x3ECF8E), hex(0xF5B841), hex(0xF07167)};
    double gap = 10, margin = 16, bar = 44;
    double w = (640 - 2 * margin - gap) / 2, h = (360 - 2 * margin - gap - bar) / 2;
    for (int i = 0; i < 4; ++i)
        call_tile(cr, margin + (i % 2) * (w + gap), margin + (i / 2) * (h + gap), w, h, tints[i], i == 0);
    // The controls bar: four round buttons, the last one red.
    for (int i = 0; i < 4; ++i) {
        set(cr, i == 3 ? hex(0xF0506E) : hex(0x2A2F3A));
        cairo_arc(cr, 320 - 66 + i * 44, 360 - margin - 16, 15, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

void paint_shared_shot(cairo_t* cr)
{
    vertical_gradient(cr, 0, 400, hex(0x2B3050), hex(0x15171C));
    cairo_paint(cr);
    // A window with a sidebar, a header and three content cards.
    rounded(cr, 30, 28, 560, 344, 14);
    set(cr, hex(0x1A1D23));
    cairo_fill(cr);
    rounded(cr, 30, 28, 140, 344, 14);
    set(cr, hex(0x0F1115));
    cairo_fill(cr);
    for (int i = 0; i < 6; ++i) {
        rounded(cr, 46, 64 + i * 30, i == 1 ? 108 : 84, 12, 6);
        set(cr, i == 1 ? hex(0x7A8CFF) : hex(0x9AA3B2), i == 1 ? 0.9 : 0.35);
        cairo_fill(cr);
    }
    rounded(cr, 190, 48, 220, 18, 9);
    set(cr, hex(0xE7E9EE), 0.85);
    cairo_fill(cr);
    Rgb accents[] = {hex(0x7A8CFF), hex(0x3ECF8E), hex(0xF78FB3)};
    for (int i = 0; i < 3; ++i) {
        double x = 190 + i * 130;
        rounded(cr, x, 90, 118, 150, 10);
        set(cr, hex(0x232730));
        cairo_fill(cr);
        rounded(cr, x + 10, 100, 98, 70, 8);
        vertical_gradient(cr, 100, 170, accents[i], {accents[i].r * 0.4, accents[i].g * 0.4, accents[i].b * 0.4});
        cairo_fill(cr);
        for (int line = 0; line < 3; ++line) {
            rounded(cr, x + 10, 184 + line * 16, line == 2 ? 56 : 94, 8, 4);
            set(cr, hex(0x9AA3B2), 0.5);
            cairo_fill(cr);
        }
    }
    rounded(cr, 190, 262, 380, 90, 10);
    set(cr, hex(0x232730));
    cairo_fill(cr);
    rounded(cr, 470, 318, 86, 22, 8);
    set(cr, hex(0x7A8CFF));
    cairo_fill(cr);
}

} // namespace

base::Result<std::vector<std::uint8_t>> paint_demo_picture(std::string_view address)
{
    int width = 0, height = 0;
    void (*paint)(cairo_t*) = nullptr;
    if (address == demo_call_grid) width = 640, height = 360, paint = paint_call_grid;
    else if (address == demo_shared_shot) width = 620, height = 400, paint = paint_shared_shot;
    else return base::error("unknown demo picture: " + std::string(address));

    std::shared_ptr<cairo_surface_t> surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height),
                                             cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
    paint(cr.get());
    cairo_surface_flush(surface.get());
    return orvo_ui::image_store::encode_png(surface.get());
}

void register_demo_pictures(orvo_ui::image_store::ImageStore& store)
{
    store.register_loader("orvo-demo", [](std::string_view address) { return paint_demo_picture(address); });
}

} // namespace chat::views
