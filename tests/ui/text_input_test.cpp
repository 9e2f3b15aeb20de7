#include "ui/paint/painter.h"
#include "ui/widget/clipboard.h"
#include "ui/widget/text_input.h"

#include <gtest/gtest.h>

#include <cairo.h>

using namespace orvo_ui;
using orvo_ui::widget::MemoryClipboard;
using orvo_ui::widget::text_input::TextInput;

namespace {

KeyDown key(Key k, bool ctrl = false, bool shift = false)
{
    KeyDown e;
    e.key = k;
    e.modifiers.ctrl = ctrl;
    e.modifiers.shift = shift;
    return e;
}

KeyDown ctrl_char(char32_t c, bool shift = false)
{
    KeyDown e = key(Key::Character, true, shift);
    e.character = c;
    return e;
}

// Draws into a throwaway surface so pointer events have a rectangle.
void draw(TextInput& input, Rect r)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 400, 200);
    cairo_t* cr = cairo_create(surface);
    Theme theme = Theme::dark();
    Painter painter(cr, theme, {400, 200});
    input.draw(painter, r);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

struct Fixture {
    Fixture(std::string_view text)
        : input(&clipboard)
    {
        input.set_text(text);
        input.set_focused(true);
    }
    void press(KeyDown const& e) { EXPECT_TRUE(input.handle_event(e)); }
    MemoryClipboard clipboard;
    TextInput input;
};

std::string const family = "\U0001F468\u200D\U0001F469\u200D\U0001F467";   // one grapheme, 18 bytes
std::string const flags = "\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA";        // two graphemes, 8 bytes each
std::string const e_acute = "e\u0301";                                         // one grapheme, 3 bytes

} // namespace

TEST(TextInput, BackspaceAndDeleteRemoveWholeGraphemeClusters)
{
    struct Case {
        char const* name;
        std::string text;
        std::size_t caret;
        Key key;
        std::string expected;
    } const cases[] = {
        {"backspace combining mark", "a" + e_acute, 4, Key::Backspace, "a"},
        {"delete combining mark", e_acute + "z", 0, Key::Delete, "z"},
        {"backspace ZWJ family", "hi" + family, 20, Key::Backspace, "hi"},
        {"delete ZWJ family", family + "!", 0, Key::Delete, "!"},
        {"backspace one of two flags", flags, 16, Key::Backspace, flags.substr(0, 8)},
        {"delete first flag", flags, 0, Key::Delete, flags.substr(8)},
        {"backspace at start does nothing", "abc", 0, Key::Backspace, "abc"},
        {"delete at end does nothing", "abc", 3, Key::Delete, "abc"},
    };
    for (auto const& c : cases) {
        Fixture f(c.text);
        f.input.set_caret(c.caret);
        f.press(key(c.key));
        EXPECT_EQ(f.input.text(), c.expected) << c.name;
    }
}

TEST(TextInput, ArrowsMoveByGraphemeAndCtrlArrowsByWord)
{
    struct Case {
        char const* name;
        std::string text;
        std::size_t caret;
        KeyDown key;
        std::size_t expected;
    } const cases[] = {
        {"right over combining mark", e_acute + "x", 0, key(Key::Right), 3},
        {"left over ZWJ family", "a" + family, 19, key(Key::Left), 1},
        {"right over a flag", flags, 0, key(Key::Right), 8},
        {"ctrl+right to word end", "hello brave world", 0, key(Key::Right, true), 5},
        {"ctrl+right from a space", "hello brave world", 5, key(Key::Right, true), 11},
        {"ctrl+left to word start", "hello brave world", 14, key(Key::Left, true), 12},
        {"ctrl+left over spaces", "hello   brave", 8, key(Key::Left, true), 0},
        {"home on second line", "one\ntwo", 6, key(Key::Home), 4},
        {"end on first line", "one\ntwo", 1, key(Key::End), 3},
        {"ctrl+end", "one\ntwo", 1, key(Key::End, true), 7},
        {"ctrl+home", "one\ntwo", 6, key(Key::Home, true), 0},
    };
    for (auto const& c : cases) {
        Fixture f(c.text);
        f.input.set_caret(c.caret);
        f.press(c.key);
        EXPECT_EQ(f.input.caret(), c.expected) << c.name;
    }
}

TEST(TextInput, CtrlBackspaceDeletesTheWordBeforeTheCaret)
{
    Fixture f("send the report");
    f.press(key(Key::Backspace, true));
    EXPECT_EQ(f.input.text(), "send the ");
    f.press(key(Key::Backspace, true));
    EXPECT_EQ(f.input.text(), "send ");
    f.input.set_caret(0);
    f.press(key(Key::Delete, true));
    EXPECT_EQ(f.input.text(), " ");
}

TEST(TextInput, ShiftSelectionTypingOverItAndCollapsingArrows)
{
    Fixture f("hello world");
    f.input.set_caret(0);
    for (int i = 0; i < 5; ++i)
        f.press(key(Key::Right, false, true));
    EXPECT_EQ(f.input.selected_text(), "hello");
    f.press(key(Key::Right, true, true));
    EXPECT_EQ(f.input.selected_text(), "hello world");
    f.press(key(Key::Left)); // collapses to the selection's start
    EXPECT_EQ(f.input.caret(), 0u);
    EXPECT_EQ(f.input.selected_text(), "");

    f.press(ctrl_char(U'a'));
    EXPECT_EQ(f.input.selected_text(), "hello world");
    EXPECT_TRUE(f.input.handle_event(TextInputEvent {"bye"}));
    EXPECT_EQ(f.input.text(), "bye");
    EXPECT_EQ(f.input.caret(), 3u);
}

TEST(TextInput, CopyCutAndPasteGoThroughTheClipboard)
{
    Fixture f("alpha beta");
    f.input.set_caret(0);
    f.press(key(Key::Right, true, true));
    f.press(ctrl_char(U'c'));
    EXPECT_EQ(f.clipboard.text(), "alpha");
    EXPECT_EQ(f.input.text(), "alpha beta");

    f.press(ctrl_char(U'x'));
    EXPECT_EQ(f.clipboard.text(), "alpha");
    EXPECT_EQ(f.input.text(), " beta");

    f.press(key(Key::End, true));
    f.clipboard.set_text(" gamma\r\ndelta");
    f.press(ctrl_char(U'v'));
    EXPECT_EQ(f.input.text(), " beta gamma\ndelta");

    // Copy without a selection leaves the clipboard alone.
    f.press(ctrl_char(U'c'));
    EXPECT_EQ(f.clipboard.text(), " gamma\r\ndelta");

    // A single-line input pastes line feeds as spaces.
    Fixture single("");
    single.input.set_multiline(false);
    single.clipboard.set_text("a\nb");
    single.press(ctrl_char(U'v'));
    EXPECT_EQ(single.input.text(), "a b");
    EXPECT_FALSE(single.input.handle_event(key(Key::Enter)));
}

TEST(TextInput, UndoRestoresTextAndCaretAndTypingIsOneStep)
{
    Fixture f("");
    for (char const* ch : {"h", "e", "y"})
        f.input.handle_event(TextInputEvent {ch});
    f.press(key(Key::Left, true));
    f.input.handle_event(TextInputEvent {">"});
    EXPECT_EQ(f.input.text(), ">hey");
    f.press(ctrl_char(U'z'));
    EXPECT_EQ(f.input.text(), "hey");
    EXPECT_EQ(f.input.caret(), 0u);
    f.press(ctrl_char(U'z'));
    EXPECT_EQ(f.input.text(), "");
    f.press(ctrl_char(U'z', true)); // Ctrl+Shift+Z redoes
    EXPECT_EQ(f.input.text(), "hey");
    f.press(ctrl_char(U'y'));
    EXPECT_EQ(f.input.text(), ">hey");
    // set_text starts a new history.
    f.input.set_text("fresh");
    f.press(ctrl_char(U'z'));
    EXPECT_EQ(f.input.text(), "fresh");
}

TEST(TextInput, DirtyIsReportedOnceForUserChangesOnly)
{
    Fixture f("draft");
    EXPECT_FALSE(f.input.take_dirty());
    f.press(key(Key::Left)); // moving is not a change
    EXPECT_FALSE(f.input.take_dirty());
    f.input.insert_at_cursor("🎉");
    EXPECT_EQ(f.input.text(), "draf🎉t");
    EXPECT_TRUE(f.input.take_dirty());
    EXPECT_FALSE(f.input.take_dirty());
    f.press(key(Key::Backspace));
    EXPECT_TRUE(f.input.take_dirty());
}

TEST(TextInput, CompositionIsShownButNotCommittedUntilTextArrives)
{
    Fixture f("ab");
    f.input.set_caret(1);
    EXPECT_TRUE(f.input.handle_event(TextEditingEvent {"ni", 2}));
    EXPECT_EQ(f.input.text(), "ab");
    EXPECT_EQ(f.input.composition(), "ni");
    // Keys belong to the input method while it composes.
    f.press(key(Key::Backspace));
    EXPECT_EQ(f.input.text(), "ab");
    f.input.handle_event(TextInputEvent {"你"});
    EXPECT_EQ(f.input.text(), "a你b");
    EXPECT_EQ(f.input.composition(), "");
}

TEST(TextInput, UnfocusedInputIgnoresKeysAndLosingFocusDropsSelection)
{
    Fixture f("keep me");
    f.press(ctrl_char(U'a'));
    f.input.handle_event(TextEditingEvent {"x", 1});
    f.input.set_focused(false);
    EXPECT_EQ(f.input.selected_text(), "");
    EXPECT_EQ(f.input.composition(), "");
    EXPECT_FALSE(f.input.handle_event(TextInputEvent {"zzz"}));
    EXPECT_FALSE(f.input.handle_event(key(Key::Backspace)));
    EXPECT_EQ(f.input.text(), "keep me");
}

TEST(TextInput, PointerPlacesTheCaretAndDragSelects)
{
    Fixture f("hello world");
    draw(f.input, {10, 10, 300, 30});
    double y = 20;
    // Far left of the field is the start, far right the end.
    EXPECT_TRUE(f.input.handle_event(PointerDown {{11, y}}));
    EXPECT_TRUE(f.input.handle_event(PointerUp {{11, y}}));
    EXPECT_EQ(f.input.caret(), 0u);
    f.input.handle_event(PointerDown {{305, y}});
    f.input.handle_event(PointerUp {{305, y}});
    EXPECT_EQ(f.input.caret(), 11u);

    // Drag from the start to past the end selects everything.
    f.input.handle_event(PointerDown {{11, y}});
    EXPECT_TRUE(f.input.handle_event(PointerMove {{500, y}}));
    f.input.handle_event(PointerUp {{500, y}});
    EXPECT_EQ(f.input.selected_text(), "hello world");

    // A double click selects the word under the pointer.
    PointerDown twice {{14, y}};
    twice.clicks = 2;
    f.input.handle_event(twice);
    EXPECT_EQ(f.input.selected_text(), "hello");

    // Presses outside the field are not the input's.
    EXPECT_FALSE(f.input.handle_event(PointerDown {{5, 5}}));
}

TEST(TextInput, WrapsAndKeepsTheCaretInView)
{
    Fixture f("");
    double one_line = f.input.content_height(200);
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "word" + std::to_string(i) + " ";
    f.input.set_text(text);
    double tall = f.input.content_height(200);
    EXPECT_GT(tall, 4 * one_line);
    draw(f.input, {0, 0, 200, 2 * one_line});
    // Caret at the end: the view scrolled so the last line shows.
    EXPECT_GT(f.input.scroll_offset(), 0);
    Rect caret = f.input.caret_rect();
    EXPECT_GE(caret.top(), -0.5);
    EXPECT_LE(caret.bottom(), 2 * one_line + 0.5);
    // Back to the start: scrolled to the top.
    f.press(key(Key::Home, true));
    draw(f.input, {0, 0, 200, 2 * one_line});
    EXPECT_EQ(f.input.scroll_offset(), 0);
    // Down moves to the next visual line of the wrapped text.
    f.press(key(Key::Down));
    EXPECT_GT(f.input.caret(), 0u);
    EXPECT_LT(f.input.caret(), 30u);
}

TEST(TextInput, SingleLineScrollsSidewaysToTheCaret)
{
    Fixture f("");
    f.input.set_multiline(false);
    f.input.set_text("a-rather-long-channel-name-that-does-not-fit-in-the-rename-field");
    Rect field {20, 10, 120, 24};
    draw(f.input, field);
    EXPECT_GT(f.input.scroll_offset(), 0);
    Rect caret = f.input.caret_rect();
    EXPECT_GE(caret.left(), field.left());
    EXPECT_LE(caret.right(), field.right() + 0.5);
    // Shift+click extends the selection from the caret to the click.
    PointerDown shift_click {{field.left() + 1, 20}};
    shift_click.modifiers.shift = true;
    f.input.handle_event(shift_click);
    f.input.handle_event(PointerUp {{field.left() + 1, 20}});
    EXPECT_GT(f.input.selected_text().size(), 10u);
    EXPECT_EQ(f.input.selection().second, f.input.text().size());
}

TEST(TextInput, CaretBlinksAndRestartsShownAfterInputOrFocus)
{
    using namespace std::chrono_literals;
    Fixture f("abc");
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 100, 40);
    cairo_t* cr = cairo_create(surface);
    Theme theme = Theme::dark();
    Painter painter(cr, theme, {100, 40});
    auto t0 = std::chrono::steady_clock::time_point {} + 100s;
    auto half = TextInput::blink_half_period;
    f.input.draw(painter, {0, 0, 100, 30}, t0);
    EXPECT_TRUE(f.input.caret_visible(t0 + half - 1ms));
    EXPECT_FALSE(f.input.caret_visible(t0 + half));
    EXPECT_TRUE(f.input.caret_visible(t0 + 2 * half));
    EXPECT_EQ(f.input.next_blink_change(t0 + half + 10ms), t0 + 2 * half);

    // Typing restarts the cycle with the caret shown.
    f.input.handle_event(TextInputEvent {"d"});
    f.input.draw(painter, {0, 0, 100, 30}, t0 + half + 5ms);
    EXPECT_TRUE(f.input.caret_visible(t0 + half + 5ms));
    EXPECT_FALSE(f.input.caret_visible(t0 + 2 * half + 5ms));
    // Regaining focus does too.
    f.input.set_focused(false);
    f.input.set_focused(true);
    EXPECT_TRUE(f.input.caret_visible(t0 + 2 * half + 5ms));
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
