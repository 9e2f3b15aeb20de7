#include "ui/widget/context_menu.h"

#include "ui/paint/icons.h"
#include "ui/paint/surface.h"

#include <algorithm>
#include <charconv>

namespace orvo_ui::widget::context_menu {

namespace {

constexpr double item_height = 32;
constexpr double vertical_padding = 6;
constexpr double separator_height = 9;
constexpr double min_width = 184;
constexpr double text_size = 13;
constexpr double radius = 10;
constexpr double edge_margin = 4;

TextStyle label_style()
{
    TextStyle style;
    style.size = text_size;
    return style;
}

template <typename... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

void ContextMenu::push(MenuItem item) { m_items.push_back(std::move(item)); }

void ContextMenu::push(std::string label, int code, std::optional<int> icon, ItemStyle style)
{
    push(MenuItem {std::move(label), code, icon, style, true});
}

void ContextMenu::clear()
{
    m_items.clear();
    close();
}

bool ContextMenu::separator_before(std::size_t index) const
{
    // Destructive entries are set apart from the rest, below a hairline.
    return index > 0 && index < m_items.size() && m_items[index].style == ItemStyle::Destructive
        && m_items[index - 1].style != ItemStyle::Destructive;
}

double ContextMenu::item_top(std::size_t index) const
{
    double y = vertical_padding;
    for (std::size_t i = 0; i < index && i < m_items.size(); ++i)
        y += item_height + (separator_before(i + 1) ? separator_height : 0);
    if (separator_before(index))
        y += separator_height;
    return y;
}

Size ContextMenu::measure_size() const
{
    bool any_icon = std::any_of(m_items.begin(), m_items.end(), [](MenuItem const& i) { return i.icon.has_value(); });
    double widest = 0;
    for (MenuItem const& item : m_items)
        widest = std::max(widest, m_text->measure(item.label, label_style()).width);
    double width = std::max(min_width, widest + (any_icon ? 40 : 16) + 24);
    double height = m_items.empty() ? 2 * vertical_padding : item_top(m_items.size() - 1) + item_height + vertical_padding;
    return {width, height};
}

Rect ContextMenu::item_rect(std::size_t index) const
{
    if (index >= m_items.size())
        return {};
    return {m_rect.x + 5, m_rect.y + item_top(index), m_rect.width - 10, item_height};
}

void ContextMenu::open_at(Point at)
{
    Size size = measure_size();
    m_rect = {at.x, at.y, size.width, size.height};
    m_open = true;
    m_highlighted.reset();
    m_pressed.reset();
}

void ContextMenu::open_at_clamped(Point at, Rect const& bounds)
{
    open_at(at);
    double x = at.x, y = at.y;
    if (x + m_rect.width > bounds.right() - edge_margin)
        x = at.x - m_rect.width;
    if (y + m_rect.height > bounds.bottom() - edge_margin)
        y = at.y - m_rect.height;
    x = std::clamp(x, bounds.left() + edge_margin, std::max(bounds.left() + edge_margin, bounds.right() - edge_margin - m_rect.width));
    y = std::clamp(y, bounds.top() + edge_margin, std::max(bounds.top() + edge_margin, bounds.bottom() - edge_margin - m_rect.height));
    m_rect.x = x;
    m_rect.y = y;
}

void ContextMenu::close()
{
    m_open = false;
    m_highlighted.reset();
    m_pressed.reset();
}

std::optional<std::size_t> ContextMenu::item_at(Point p) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (item_rect(i).contains(p))
            return i;
    }
    return std::nullopt;
}

void ContextMenu::move_highlight(int direction)
{
    if (m_items.empty())
        return;
    if (!m_highlighted) {
        highlight_edge(direction > 0);
        return;
    }
    std::size_t n = m_items.size();
    std::size_t i = *m_highlighted;
    for (std::size_t step = 0; step < n; ++step) {
        i = (i + n + static_cast<std::size_t>(direction > 0 ? 1 : n - 1)) % n;
        if (m_items[i].enabled) {
            m_highlighted = i;
            return;
        }
    }
}

void ContextMenu::highlight_edge(bool first)
{
    for (std::size_t k = 0; k < m_items.size(); ++k) {
        std::size_t i = first ? k : m_items.size() - 1 - k;
        if (m_items[i].enabled) {
            m_highlighted = i;
            return;
        }
    }
}

MenuResponse ContextMenu::choose(std::size_t index)
{
    if (index >= m_items.size() || !m_items[index].enabled)
        return {true, std::nullopt};
    int code = m_items[index].code;
    close();
    return {true, code};
}

MenuResponse ContextMenu::handle_key(KeyDown const& key)
{
    switch (key.key) {
    case Key::Escape: close(); break;
    case Key::Up: move_highlight(-1); break;
    case Key::Down: move_highlight(1); break;
    case Key::Tab: move_highlight(key.modifiers.shift ? -1 : 1); break;
    case Key::Home: highlight_edge(true); break;
    case Key::End: highlight_edge(false); break;
    case Key::Enter:
    case Key::Space:
        if (m_highlighted)
            return choose(*m_highlighted);
        break;
    default: break;
    }
    return {true, std::nullopt};
}

MenuResponse ContextMenu::handle_event(Event const& event)
{
    if (!m_open)
        return {};
    return std::visit(Overloaded {
        [&](PointerMove const& e) -> MenuResponse {
            if (!m_rect.contains(e.position))
                return {};
            if (auto i = item_at(e.position); i && m_items[*i].enabled)
                m_highlighted = i;
            return {true, std::nullopt};
        },
        [&](PointerDown const& e) -> MenuResponse {
            if (!m_rect.contains(e.position)) {
                // A press elsewhere dismisses the menu and still reaches what is under it.
                close();
                return {};
            }
            m_pressed = item_at(e.position);
            return {true, std::nullopt};
        },
        [&](PointerUp const& e) -> MenuResponse {
            if (!m_rect.contains(e.position))
                return {};
            auto i = item_at(e.position);
            bool pressed_here = m_pressed.has_value() && i == m_pressed;
            m_pressed.reset();
            if (pressed_here)
                return choose(*i);
            return {true, std::nullopt};
        },
        [&](Wheel const& e) -> MenuResponse { return {m_rect.contains(e.position), std::nullopt}; },
        [&](KeyDown const& e) -> MenuResponse { return handle_key(e); },
        [&](KeyUp const&) -> MenuResponse { return {true, std::nullopt}; },
        [&](TextInputEvent const&) -> MenuResponse { return {true, std::nullopt}; },
        [&](TextEditingEvent const&) -> MenuResponse { return {true, std::nullopt}; },
        [&](WindowFocusLost const&) -> MenuResponse {
            close();
            return {};
        },
        [&](PointerLeave const&) -> MenuResponse {
            m_highlighted.reset();
            return {};
        },
    }, event);
}

MenuResponse ContextMenu::perform_semantic_action(std::string_view id, SemanticAction action)
{
    if (!m_open || !id.starts_with(item_id_prefix))
        return {};
    std::string_view digits = id.substr(item_id_prefix.size());
    std::size_t index = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (ec != std::errc() || end != digits.data() + digits.size() || index >= m_items.size())
        return {};
    if (action == SemanticAction::Activate)
        return choose(index);
    if (action == SemanticAction::Focus && m_items[index].enabled) {
        m_highlighted = index;
        return {true, std::nullopt};
    }
    return {};
}

AccessNode ContextMenu::accessibility() const
{
    std::vector<AccessNode> children;
    if (m_open) {
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            AccessNode item;
            item.id = std::string(item_id_prefix) + std::to_string(i);
            item.role = AccessRole::MenuItem;
            item.label = m_items[i].label;
            item.states.focusable = m_items[i].enabled;
            item.states.disabled = !m_items[i].enabled;
            item.states.selected = m_highlighted == i;
            item.states.focused = m_highlighted == i;
            item.rect = item_rect(i);
            children.push_back(std::move(item));
        }
    }
    AccessNode root;
    root.id = std::string(node_id);
    root.role = AccessRole::Menu;
    root.label = m_label;
    root.rect = m_rect;
    root.states.hidden = !m_open;
    return std::move(root).with_children(std::move(children));
}

void ContextMenu::draw(Painter& painter) const
{
    if (!m_open)
        return;
    Theme const& theme = painter.theme();
    surface::shadow(painter, m_rect, radius);
    painter.fill_rounded(m_rect, radius, theme.kind == ThemeKind::Dark ? composite(theme.hover, theme.card) : theme.card);
    painter.stroke_rounded(m_rect, radius, 1, theme.hairline_on(theme.kind == ThemeKind::Dark ? 30 : 26));

    bool any_icon = std::any_of(m_items.begin(), m_items.end(), [](MenuItem const& i) { return i.icon.has_value(); });
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        MenuItem const& item = m_items[i];
        Rect r = item_rect(i);
        bool destructive = item.style == ItemStyle::Destructive;
        if (separator_before(i))
            surface::separator(painter, r.left() + 6, r.right() - 6, r.top() - separator_height / 2 - 0.5);
        if (m_highlighted == i)
            painter.fill_rounded(r, 6, destructive ? theme.danger.with_alpha(0.16) : theme.accent_lift(0.9));
        TextStyle style = label_style();
        style.color = destructive ? adjust_for_contrast(theme.danger, theme.card, 4.5) : theme.text;
        if (!item.enabled)
            style.color = theme.muted_text.scaled_alpha(0.7);
        double text_left = r.left() + (any_icon ? 36 : 11);
        if (item.icon) {
            TextStyle icon = style;
            icon.color = destructive ? style.color : theme.muted_text;
            painter.text_centered(icons::glyph(*item.icon), {r.left() + 6, r.top(), 24, r.height}, icon);
        }
        Size label = painter.measure(item.label, style);
        painter.text(item.label, {text_left, r.top() + (r.height - label.height) / 2}, style);
    }
}

} // namespace orvo_ui::widget::context_menu
