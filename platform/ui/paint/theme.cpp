#include "ui/paint/theme.h"

namespace orvo_ui {

namespace {

constexpr std::array<Color, 8> default_user_palette = {
    Color::rgb(0x7A8CFF), Color::rgb(0x3ECF8E), Color::rgb(0xF5B841), Color::rgb(0xF07167),
    Color::rgb(0x4CC9F0), Color::rgb(0xB388EB), Color::rgb(0xF78FB3), Color::rgb(0x94A3B8),
};

} // namespace

Theme Theme::dark()
{
    Theme t;
    t.kind = ThemeKind::Dark;
    t.window = Color::rgb(0x15171C);
    t.rail = Color::rgb(0x0F1115);
    t.panel = Color::rgb(0x1A1D23);
    t.card = Color::rgb(0x232730);
    t.tile_surface = Color::rgb(0x262A34);
    t.stage_background = Color::rgb(0x0F1115);
    t.stage_background_edge = Color::rgb(0x0B0C10);
    t.tooltip = Color::rgb(0x2C313C);
    t.text = Color::rgb(0xE7E9EE);
    t.muted_text = Color::rgb(0x9AA3B2);
    t.on_accent = Color::rgb(0x0B0D12);
    t.accent = Color::rgb(0x7A8CFF);
    t.danger = Color::rgb(0xF0506E);
    t.alert = Color::rgb(0xFFB224);
    t.focus = Color::rgb(0x9DABFF);
    t.online = Color::rgb(0x3ECF8E);
    t.idle = Color::rgb(0xF5B841);
    t.do_not_disturb = Color::rgb(0xF0506E);
    t.offline = Color::rgb(0x6B7280);
    t.hairline = Color::white(0.08);
    t.hover = Color::white(0.06);
    t.scrim = Color::black(0.55);
    t.shadow = Color::black(0.32);
    t.user_palette = default_user_palette;
    return t;
}

Theme Theme::light()
{
    Theme t;
    t.kind = ThemeKind::Light;
    t.window = Color::rgb(0xFFFFFF);
    t.rail = Color::rgb(0xEEF0F4);
    t.panel = Color::rgb(0xF6F7F9);
    t.card = Color::rgb(0xFFFFFF);
    t.tile_surface = Color::rgb(0xE9ECF1);
    t.stage_background = Color::rgb(0xF1F3F6);
    t.stage_background_edge = Color::rgb(0xE4E7EC);
    t.tooltip = Color::rgb(0x23262D);
    t.text = Color::rgb(0x16181D);
    t.muted_text = Color::rgb(0x5B6472);
    t.on_accent = Color::rgb(0xFFFFFF);
    t.accent = Color::rgb(0x4F5FE8);
    t.danger = Color::rgb(0xD63A5A);
    t.alert = Color::rgb(0xC77E00);
    t.focus = Color::rgb(0x4F5FE8);
    t.online = Color::rgb(0x23A86F);
    t.idle = Color::rgb(0xD69A1F);
    t.do_not_disturb = Color::rgb(0xD63A5A);
    t.offline = Color::rgb(0x5B6270);
    t.hairline = Color::black(0.09);
    t.hover = Color::black(0.05);
    t.scrim = Color::black(0.35);
    t.shadow = Color::black(0.25);
    t.user_palette = default_user_palette;
    return t;
}

Theme theme_for(ThemeKind kind)
{
    return kind == ThemeKind::Light ? Theme::light() : Theme::dark();
}

} // namespace orvo_ui
