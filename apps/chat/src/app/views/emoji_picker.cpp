#include "app/views/emoji_picker.h"

#include "app/chat_app.h"
#include "app/views/frame.h"
#include "app/views/popup_surface.h"
#include "app/views/text_styles.h"

#include <array>

namespace chat::views {

using orvo_ui::Point;
using orvo_ui::Rect;

namespace {

constexpr std::array<std::string_view, 6> frequent {"👍", "🎉", "❤️", "😂", "🚀", "👀"};
constexpr std::array<std::string_view, 12> smileys {"😀", "😄", "😁", "😂", "🙂", "😉",
                                                    "😍", "😎", "🤔", "😇", "🥳", "😴"};
constexpr std::array<std::string_view, 12> gestures {"👍", "👎", "👏", "🙌", "🙏", "💪",
                                                     "🤝", "👋", "✌️", "🤙", "👀", "🫶"};
constexpr std::array<std::string_view, 12> symbols {"❤️", "🔥", "⭐", "✨", "🎉", "🚀",
                                                    "💯", "✅", "❌", "⚡", "💡", "📌"};
constexpr std::array<std::string_view, 12> objects {"☕", "🍕", "🎧", "📷", "🖥️", "📝",
                                                    "🐛", "🌈", "🌙", "☀️", "🎈", "🧩"};

constexpr std::array<EmojiSection, 5> sections {{
    {"Frequent", frequent},
    {"Smileys", smileys},
    {"Gestures", gestures},
    {"Symbols", symbols},
    {"Objects", objects},
}};

constexpr double first_label_offset = 36;
constexpr double grid_below_label = 16;
constexpr double space_after_grid = 6;
constexpr double grid_inset = 12;
constexpr double text_inset = 14; // title and labels

} // namespace

std::span<EmojiSection const> emoji_sections() { return sections; }

Rect emoji_picker_rect(Point anchor, Rect const& window)
{
    double left = clamp_popup_edge(anchor.x, emoji_picker_width, window.left(), window.right());
    double top = clamp_popup_edge(anchor.y, emoji_picker_height, window.top(), window.bottom());
    return {left, top, emoji_picker_width, emoji_picker_height};
}

EmojiPickerLayout emoji_picker_layout(Rect const& panel)
{
    EmojiPickerLayout layout;
    double y = panel.top() + first_label_offset;
    for (auto const& section : sections) {
        layout.labels.push_back({section.label, {panel.left() + text_inset, y}});
        double grid_top = y + grid_below_label;
        for (std::size_t i = 0; i < section.emoji.size(); ++i) {
            double col = static_cast<double>(i % emoji_columns);
            double row = static_cast<double>(i / emoji_columns);
            Rect cell {panel.left() + grid_inset + col * emoji_cell_size, grid_top + row * emoji_cell_size,
                       emoji_cell_size, emoji_cell_size};
            layout.cells.push_back({section.emoji[i], cell});
        }
        auto rows = (section.emoji.size() + emoji_columns - 1) / emoji_columns;
        y = grid_top + static_cast<double>(rows) * emoji_cell_size + space_after_grid;
    }
    return layout;
}

void draw_emoji_picker(ChatApp& app, orvo_ui::Painter& painter)
{
    if (!app.emoji_picker.open) return;
    push_region(app, app.window_bounds, control::Dismiss {});

    auto const& theme = painter.theme();
    Rect panel = emoji_picker_rect(app.emoji_picker.anchor, app.window_bounds);
    draw_popup_surface(painter, panel);

    auto title = wrapped_text(13, theme.text);
    title.weight = orvo_ui::FontWeight::Semibold;
    painter.text(app.emoji_picker.target ? "Add reaction" : "Emoji", {panel.left() + text_inset, panel.top() + 12}, title);

    auto layout = emoji_picker_layout(panel);
    auto label_style = row_text(10.5, orvo_ui::FontWeight::Semibold, theme.muted_text);
    for (auto const& label : layout.labels) painter.text(label.text, label.origin, label_style);

    auto emoji_style = wrapped_text(19, theme.text);
    for (auto const& cell : layout.cells) {
        if (hovered(app, cell.rect)) painter.fill_rounded(cell.rect.inset(2), 8, theme.lift(1.6));
        painter.text_centered(cell.emoji, cell.rect, emoji_style);
        push_region(app, cell.rect, control::EmojiChoice {std::string(cell.emoji)});
    }
}

} // namespace chat::views
