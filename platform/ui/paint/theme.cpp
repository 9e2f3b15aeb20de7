#include "ui/paint/theme.h"

namespace orvo_ui {

Theme Theme::dark()
{
    Theme t;
    t.kind = ThemeKind::Dark;
    t.window = Color::rgb(0x15171C);
    t.text = Color::rgb(0xE7E9EE);
    return t;
}

Theme Theme::light()
{
    Theme t;
    t.kind = ThemeKind::Light;
    t.window = Color::rgb(0xFFFFFF);
    t.text = Color::rgb(0x16181D);
    return t;
}

} // namespace orvo_ui
