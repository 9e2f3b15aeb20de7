#pragma once

// The framework's numbered icons. Menus and buttons refer to icons by number so
// that callers stay independent of how an icon is drawn; each number maps to a
// glyph of the interface fonts.

#include <string_view>

namespace orvo_ui::icons {

// The glyph for an icon number; empty for a number with no icon.
std::string_view glyph(int number);

} // namespace orvo_ui::icons
