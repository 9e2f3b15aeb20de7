// Routing of pointer, wheel and key events: the open context menu first, then
// hit-testing against what the last draw recorded, the text inputs, the
// keyboard focus cursor and the application keys.

#include "app/chat_app.h"

#include "crdt/document.h"

#include <algorithm>
#include <chrono>

namespace chat {

namespace {

constexpr double line_height = 44;  // what one wheel line scrolls
constexpr double swipe_delete = 88; // a channel row dragged this far is deleted
constexpr double swipe_click = 6;   // a smaller movement is a click

bool is_call_control(ChatControl const& control) { return control.index() >= 27 && control.index() <= 33; }

bool is_text_focus(ChatControl const& control)
{
    return std::holds_alternative<control::FocusRename>(control) || std::holds_alternative<control::FocusEdit>(control) ||
           std::holds_alternative<control::FocusMain>(control) || std::holds_alternative<control::FocusThread>(control);
}

orvo_ui::Point scaled(orvo_ui::Point p, double zoom)
{
    double const z = zoom > 0 ? zoom : 1.0;
    return {p.x / z, p.y / z};
}

} // namespace

bool ChatApp::handle_event(orvo_ui::Event const& event, crdt::Document& doc)
{
    if (context_menu && offer_to_context_menu(event, doc)) return true;
    return std::visit(
        [&](auto const& e) -> bool {
            using E = std::decay_t<decltype(e)>;
            if constexpr (std::is_same_v<E, orvo_ui::PointerMove>) return route_pointer_move(e);
            else if constexpr (std::is_same_v<E, orvo_ui::PointerDown>) {
                if (e.button == orvo_ui::MouseButton::Left) return route_pointer_down(e, doc);
                if (e.button != orvo_ui::MouseButton::Right) return false;
                auto const at = scaled(e.position, zoom);
                auto const hit = hit_test(hit_regions, at);
                if (!hit) return false;
                open_context_menu(*hit, at);
                return true;
            } else if constexpr (std::is_same_v<E, orvo_ui::PointerUp>) return route_pointer_up(e, doc);
            else if constexpr (std::is_same_v<E, orvo_ui::PointerLeave>) {
                tooltip_host.clear();
                pointer = {-1, -1};
                needs_redraw = true;
                return false;
            } else if constexpr (std::is_same_v<E, orvo_ui::Wheel>) return route_wheel(e);
            else if constexpr (std::is_same_v<E, orvo_ui::KeyDown>) return redraw_if(route_key(e, doc));
            else if constexpr (std::is_same_v<E, orvo_ui::TextInputEvent> || std::is_same_v<E, orvo_ui::TextEditingEvent>)
                return redraw_if(route_text(event, doc));
            else return false;
        },
        event);
}

bool ChatApp::redraw_if(bool consumed)
{
    if (consumed) needs_redraw = true;
    return consumed;
}

bool ChatApp::offer_to_context_menu(orvo_ui::Event const& event, crdt::Document& doc)
{
    auto& open = *context_menu;
    if (!open.menu.is_open()) {
        context_menu.reset();
        return false;
    }
    auto const response = open.menu.handle_event(event);
    needs_redraw = needs_redraw || response.consumed || response.chosen;
    if (response.chosen) {
        auto const kind = open.kind;
        auto const id = open.id;
        context_menu.reset();
        if (permissions.check()) carry_out_menu_item(doc, kind, id, *response.chosen);
        return true;
    }
    if (!open.menu.is_open()) context_menu.reset();
    return response.consumed;
}

bool ChatApp::route_pointer_move(orvo_ui::PointerMove const& e)
{
    auto const at = scaled(e.position, zoom);
    auto const before = hit_index(hit_regions, pointer);
    pointer = at;

    std::optional<orvo_ui::widget::tooltip::TooltipArea> area;
    for (auto it = tooltip_areas.rbegin(); it != tooltip_areas.rend(); ++it)
        if (it->rect.contains(at)) {
            area = *it;
            break;
        }
    tooltip_host.on_pointer(at, area, std::chrono::steady_clock::now());

    auto const hit = hit_test(hit_regions, at);
    std::optional<ChatControl> call_hover;
    if (hit && is_call_control(*hit)) call_hover = hit;
    if (call_hover != hovered_call_control) {
        hovered_call_control = call_hover;
        needs_redraw = true;
    }
    if (channel_swipe) {
        channel_swipe->current = at;
        needs_redraw = true;
    }
    orvo_ui::Event const moved = orvo_ui::PointerMove {at, e.modifiers};
    for (auto* input : {&composer, &thread_composer, &rename_input, &edit_input})
        if (input->handle_event(moved)) needs_redraw = true;
    // Hover highlights follow the region under the pointer.
    if (hit_index(hit_regions, at) != before) needs_redraw = true;
    return false;
}

bool ChatApp::route_pointer_down(orvo_ui::PointerDown const& e, crdt::Document& doc)
{
    set_focus_cursor(std::nullopt);
    tooltip_host.clear();
    auto const at = scaled(e.position, zoom);
    auto hit = hit_test(hit_regions, at);
    if (!hit) return false;
    needs_redraw = true;
    if (auto const* row = std::get_if<control::Channel>(&*hit)) {
        // Rows of the workspace's channel list can be swiped away; activation waits for the release.
        auto const* channel = model.channel(row->channel);
        if (!inbox_open && channel && channel->workspace == current_workspace) {
            channel_swipe = ChannelSwipe {row->channel, at, at};
            return true;
        }
    }
    if (std::holds_alternative<control::CallDragHandle>(*hit)) return true;
    pointer = at;
    if (auto* history = std::get_if<control::EditHistory>(&*hit)) history->anchor = at; // opens where clicked
    activate(*hit, doc);
    if (is_text_focus(*hit)) {
        orvo_ui::Event const press = orvo_ui::PointerDown {at, e.button, e.clicks, e.modifiers};
        if (rename_target) rename_input.handle_event(press);
        else if (editing_message) edit_input.handle_event(press);
        else if (thread_composer_active()) thread_composer.handle_event(press);
        else composer.handle_event(press);
    }
    return true;
}

bool ChatApp::route_pointer_up(orvo_ui::PointerUp const& e, crdt::Document& doc)
{
    if (e.button != orvo_ui::MouseButton::Left) return false;
    auto const at = scaled(e.position, zoom);
    orvo_ui::Event const release = orvo_ui::PointerUp {at, e.button, e.modifiers};
    for (auto* input : {&composer, &thread_composer, &rename_input, &edit_input}) input->handle_event(release);
    if (!channel_swipe) return false;
    channel_swipe->current = at;
    finish_swipe(doc);
    return true;
}

void ChatApp::finish_swipe(crdt::Document& doc)
{
    auto const swipe = *std::exchange(channel_swipe, std::nullopt);
    needs_redraw = true;
    if (!model.channel(swipe.channel)) return;
    double const d = std::max(swipe.current.x - swipe.press.x, 0.0);
    if (d >= swipe_delete) {
        if (permissions.check()) carry_out_menu_item(doc, MenuTargetKind::Channel, swipe.channel, 1);
    } else if (d < swipe_click) {
        activate(control::Channel {swipe.channel}, doc);
    }
}

bool ChatApp::route_wheel(orvo_ui::Wheel const& e)
{
    double const z = zoom > 0 ? zoom : 1.0;
    double const delta = e.unit == orvo_ui::WheelUnit::Lines ? e.dy * line_height : e.dy / z;
    if (delta == 0) return false;
    timeline_scroll = std::max(0.0, timeline_scroll + delta);
    if (delta > 0) follow_latest = false;
    needs_redraw = true;
    return true;
}

bool ChatApp::route_key(orvo_ui::KeyDown const& key, crdt::Document& doc)
{
    using orvo_ui::Key;
    orvo_ui::Event const event = key;
    if (rename_target) {
        if (key.key == Key::Escape) cancel_rename();
        else if (key.key == Key::Enter) commit_rename(doc);
        else rename_input.handle_event(event);
        return true;
    }
    if (editing_message) {
        if (key.key == Key::Escape) cancel_edit();
        else if (key.key == Key::Enter && !key.modifiers.shift) save_edit(doc);
        else edit_input.handle_event(event);
        return true;
    }
    if (key.key == Key::End && key.modifiers.ctrl) {
        timeline_scroll = 0;
        follow_latest = true;
        return true;
    }
    if (key.key == Key::Tab) {
        move_focus_cursor(key.modifiers.shift);
        return true;
    }
    if (focus_cursor && key.key == Key::Enter) {
        auto const nodes = synthetic_nodes();
        if (*focus_cursor < nodes.size()) {
            activate(nodes[*focus_cursor].control, doc);
            return true;
        }
    }
    if (permissions.check() && !popup_open()) {
        if (key.key == Key::Escape) {
            run_escape_chain();
            return true;
        }
        if (key.key == Key::Enter && !key.modifiers.shift) {
            send(doc);
            return true;
        }
        return route_to_composer(event, doc);
    }
    if (key.key == Key::Escape) {
        run_escape_chain();
        return true;
    }
    if (popup_open()) return true;
    if (key.key == Key::Enter) {
        if (key.modifiers.shift) (thread_composer_active() ? thread_composer : composer).insert_at_cursor("\n");
        else send(doc);
        return true;
    }
    return false;
}

// Typed text and input-method composition follow the same precedence as keys.
bool ChatApp::route_text(orvo_ui::Event const& event, crdt::Document& doc)
{
    if (rename_target) return rename_input.handle_event(event);
    if (editing_message) return edit_input.handle_event(event);
    auto const* typed = std::get_if<orvo_ui::TextInputEvent>(&event);
    if (typed && typed->text == " " && focus_cursor) {
        auto const nodes = synthetic_nodes();
        if (*focus_cursor < nodes.size()) {
            activate(nodes[*focus_cursor].control, doc);
            return true;
        }
    }
    if (popup_open()) return true;
    if (!permissions.check()) return false;
    return route_to_composer(event, doc);
}

bool ChatApp::route_to_composer(orvo_ui::Event const& event, crdt::Document& doc)
{
    auto& input = thread_composer_active() ? thread_composer : composer;
    bool const consumed = input.handle_event(event);
    write_draft_if_changed(doc);
    return consumed;
}

void ChatApp::set_focus_cursor(std::optional<std::size_t> index)
{
    focus_cursor = index;
    focus_ring.reset();
    if (!index) return;
    auto const nodes = synthetic_nodes();
    if (*index >= nodes.size()) {
        focus_cursor.reset();
        return;
    }
    auto const& node = nodes[*index];
    focus_ring = node.region;
    if (std::holds_alternative<control::FocusThread>(node.control)) {
        thread_composer_focused = true;
        update_focus();
    } else if (std::holds_alternative<control::FocusMain>(node.control)) {
        thread_composer_focused = false;
        update_focus();
    } else {
        composer.set_focused(false);
        thread_composer.set_focused(false);
    }
    needs_redraw = true;
}

void ChatApp::move_focus_cursor(bool backwards)
{
    auto const count = synthetic_nodes().size();
    if (count == 0) {
        set_focus_cursor(std::nullopt);
        return;
    }
    std::size_t next = 0;
    if (!focus_cursor || *focus_cursor >= count) next = backwards ? count - 1 : 0;
    else next = backwards ? (*focus_cursor + count - 1) % count : (*focus_cursor + 1) % count;
    set_focus_cursor(next);
}

} // namespace chat
