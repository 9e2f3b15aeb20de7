#pragma once

// Input events as the widget interface receives them, in logical pixels.
// Independent of the window system so that tests can build them directly.

#include "ui/core/geometry.h"

#include <cstdint>
#include <string>
#include <variant>

namespace orvo_ui {

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool super = false;
    friend bool operator==(Modifiers, Modifiers) = default;
};

enum class MouseButton { Left, Middle, Right };

enum class Key {
    Other,
    Character, // a printable key; see KeyDown::character
    Enter,
    Escape,
    Tab,
    Backspace,
    Delete,
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    Space,
    F6,
    F10,
    Menu,
};

struct PointerMove {
    Point position;
    Modifiers modifiers;
};

struct PointerDown {
    Point position;
    MouseButton button = MouseButton::Left;
    int clicks = 1; // 2 for a double click
    Modifiers modifiers;
};

struct PointerUp {
    Point position;
    MouseButton button = MouseButton::Left;
    Modifiers modifiers;
};

// Pointer left the window.
struct PointerLeave {};

enum class WheelUnit { Pixels, Lines };

struct Wheel {
    Point position;
    double dx = 0; // positive = content moves right
    double dy = 0; // positive = content moves down (scroll up)
    Modifiers modifiers;
    WheelUnit unit = WheelUnit::Pixels; // lines: wheel notches, pixels: logical pixels (touchpads)
};

struct KeyDown {
    Key key = Key::Other;
    char32_t character = 0; // lower-case code point for Key::Character (for shortcuts)
    Modifiers modifiers;
    bool repeat = false;
};

struct KeyUp {
    Key key = Key::Other;
    char32_t character = 0;
    Modifiers modifiers;
};

// Committed text from the keyboard or an input method, UTF-8.
struct TextInputEvent {
    std::string text;
};

// Uncommitted input-method composition, UTF-8; empty text ends the composition.
struct TextEditingEvent {
    std::string text;
    int cursor = 0;
};

struct WindowFocusLost {};

using Event = std::variant<PointerMove, PointerDown, PointerUp, PointerLeave, Wheel, KeyDown, KeyUp,
    TextInputEvent, TextEditingEvent, WindowFocusLost>;

} // namespace orvo_ui
