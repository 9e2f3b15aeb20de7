#pragma once

// A popup menu of labelled entries. While open it owns the keyboard; the
// caller offers it every event first and carries out the entry it reports.

#include "ui/a11y/access_node.h"
#include "ui/core/event.h"
#include "ui/core/geometry.h"
#include "ui/paint/painter.h"
#include "ui/text/text_renderer.h"
#include "ui/widget/widget.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo_ui::widget::context_menu {

enum class ItemStyle { Normal, Destructive };

struct MenuItem {
    std::string label;
    int code = 0;             // what the menu reports when the entry is chosen
    std::optional<int> icon;  // framework icon number (ui/paint/icons.h)
    ItemStyle style = ItemStyle::Normal;
    bool enabled = true;
};

struct MenuResponse {
    bool consumed = false;
    std::optional<int> chosen; // the chosen entry's code; the menu has closed
};

class ContextMenu {
public:
    static constexpr std::string_view node_id = "context-menu";
    static constexpr std::string_view item_id_prefix = "context-menu:item:";

    explicit ContextMenu(TextRenderer& text = TextRenderer::shared()) : m_text(&text) {}

    void push(MenuItem item);
    void push(std::string label, int code, std::optional<int> icon = std::nullopt,
        ItemStyle style = ItemStyle::Normal);
    void clear();
    std::vector<MenuItem> const& items() const { return m_items; }
    void set_label(std::string label) { m_label = std::move(label); }

    // Opens with the top-left corner at `at`.
    void open_at(Point at);
    // Opens at `at`, flipped left or up where it would leave `bounds`, then kept inside them.
    void open_at_clamped(Point at, Rect const& bounds);
    void close();
    bool is_open() const { return m_open; }
    Rect rect() const { return m_rect; }
    Rect item_rect(std::size_t index) const;
    std::optional<std::size_t> highlighted() const { return m_highlighted; }

    MenuResponse handle_event(Event const& event);
    // Node ids "context-menu:item:<index>": Activate chooses, Focus highlights.
    MenuResponse perform_semantic_action(std::string_view node_id, SemanticAction action);
    AccessNode accessibility() const;

    void draw(Painter& painter) const;

private:
    Size measure_size() const;
    std::optional<std::size_t> item_at(Point p) const;
    void move_highlight(int direction);
    void highlight_edge(bool first);
    MenuResponse choose(std::size_t index);
    MenuResponse handle_key(KeyDown const& key);
    double item_top(std::size_t index) const;
    bool separator_before(std::size_t index) const;

    TextRenderer* m_text;
    std::vector<MenuItem> m_items;
    std::string m_label = "Context menu";
    bool m_open = false;
    Rect m_rect;
    std::optional<std::size_t> m_highlighted;
    std::optional<std::size_t> m_pressed;
};

} // namespace orvo_ui::widget::context_menu
