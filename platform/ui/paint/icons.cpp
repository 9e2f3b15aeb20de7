#include "ui/paint/icons.h"

#include <array>
#include <utility>

namespace orvo_ui::icons {

namespace {

// Numbers are stable once published; gaps are reserved.
constexpr std::array<std::pair<int, std::string_view>, 30> table = {{
    {1, "✕"},   // close
    {2, "✓"},   // confirm
    {3, "＋"},  // add
    {4, "−"},   // remove
    {5, "⚙"},   // settings
    {6, "🔍"},  // search
    {7, "☰"},   // menu
    {8, "⋯"},   // more
    {10, "←"},  // back
    {11, "→"},  // forward
    {12, "⤢"},  // expand
    {13, "⤡"},  // collapse
    {15, "↑"},  // move up
    {16, "↓"},  // move down
    {18, "＋"}, // new item
    {20, "✉"},  // message
    {21, "#"},  // channel
    {22, "🔊"}, // voice
    {23, "🎤"}, // microphone
    {24, "🔇"}, // muted
    {25, "🎧"}, // headphones
    {26, "📹"}, // camera
    {30, "📎"}, // attach
    {31, "🖼"}, // image
    {32, "📄"}, // file
    {36, "🗄"}, // archive
    {40, "🗑"}, // delete
    {49, "✎"},  // edit
    {50, "⧉"},  // copy
    {55, "📌"}, // pin
}};

} // namespace

std::string_view glyph(int number)
{
    for (auto const& [n, g] : table) {
        if (n == number)
            return g;
    }
    return {};
}

} // namespace orvo_ui::icons
