#include "ui/launch/sdl_input.h"

namespace orvo_ui::launch {

namespace {

Modifiers modifiers_of(Uint16 mod)
{
    return Modifiers{
        .shift = (mod & KMOD_SHIFT) != 0,
        .ctrl = (mod & KMOD_CTRL) != 0,
        .alt = (mod & KMOD_ALT) != 0,
        .super = (mod & KMOD_GUI) != 0,
    };
}

Modifiers current_modifiers() { return modifiers_of(static_cast<Uint16>(SDL_GetModState())); }

std::pair<Key, char32_t> key_of(SDL_Keycode code)
{
    switch (code) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return {Key::Enter, 0};
    case SDLK_ESCAPE: return {Key::Escape, 0};
    case SDLK_TAB: return {Key::Tab, 0};
    case SDLK_BACKSPACE: return {Key::Backspace, 0};
    case SDLK_DELETE: return {Key::Delete, 0};
    case SDLK_LEFT: return {Key::Left, 0};
    case SDLK_RIGHT: return {Key::Right, 0};
    case SDLK_UP: return {Key::Up, 0};
    case SDLK_DOWN: return {Key::Down, 0};
    case SDLK_HOME: return {Key::Home, 0};
    case SDLK_END: return {Key::End, 0};
    case SDLK_PAGEUP: return {Key::PageUp, 0};
    case SDLK_PAGEDOWN: return {Key::PageDown, 0};
    case SDLK_SPACE: return {Key::Space, U' '};
    case SDLK_F6: return {Key::F6, 0};
    case SDLK_F10: return {Key::F10, 0};
    case SDLK_MENU:
    case SDLK_APPLICATION: return {Key::Menu, 0};
    default: break;
    }
    // SDL keycodes of printable keys are their (lower-case) code points.
    if (code >= 0x20 && code < 0x110000 && !(code & SDLK_SCANCODE_MASK))
        return {Key::Character, static_cast<char32_t>(code)};
    return {Key::Other, 0};
}

MouseButton button_of(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_RIGHT: return MouseButton::Right;
    case SDL_BUTTON_MIDDLE: return MouseButton::Middle;
    default: return MouseButton::Left;
    }
}

} // namespace

std::optional<Event> translate_sdl_event(SDL_Event const& e, double scale)
{
    auto at = [scale](int x, int y) { return Point{x / scale, y / scale}; };
    switch (e.type) {
    case SDL_MOUSEMOTION:
        return PointerMove{at(e.motion.x, e.motion.y), current_modifiers()};
    case SDL_MOUSEBUTTONDOWN:
        return PointerDown{at(e.button.x, e.button.y), button_of(e.button.button), e.button.clicks, current_modifiers()};
    case SDL_MOUSEBUTTONUP:
        return PointerUp{at(e.button.x, e.button.y), button_of(e.button.button), current_modifiers()};
    case SDL_MOUSEWHEEL: {
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        // SDL reports wheel notches; the widget decides how far a notch scrolls.
        double dx = e.wheel.preciseX, dy = e.wheel.preciseY;
        if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) { dx = -dx; dy = -dy; }
        return Wheel{at(x, y), dx, dy, current_modifiers(), WheelUnit::Lines};
    }
    case SDL_KEYDOWN: {
        auto [key, ch] = key_of(e.key.keysym.sym);
        return KeyDown{key, ch, modifiers_of(e.key.keysym.mod), e.key.repeat != 0};
    }
    case SDL_KEYUP: {
        auto [key, ch] = key_of(e.key.keysym.sym);
        return KeyUp{key, ch, modifiers_of(e.key.keysym.mod)};
    }
    case SDL_TEXTINPUT:
        return TextInputEvent{e.text.text};
    case SDL_TEXTEDITING:
        return TextEditingEvent{e.edit.text, e.edit.start};
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_LEAVE) return PointerLeave{};
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) return WindowFocusLost{};
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace orvo_ui::launch
