// The accessibility tree: one node per control drawn this frame, the
// conversation heading, the message list and the open context menu.

#include "app/chat_app.h"

#include "actions/text.h"
#include "crdt/document.h"
#include "model/structure.h"

#include <algorithm>
#include <unordered_set>

namespace chat {

std::vector<SyntheticNode> ChatApp::synthetic_nodes() const
{
    std::vector<SyntheticNode> nodes;
    std::unordered_set<std::string> listed;
    for (std::size_t i = 0; i < hit_regions.size(); ++i) {
        auto const& region = hit_regions[i];
        if (!has_synthetic_node(region.control)) continue;
        auto id = control_node_id(region.control);
        if (!listed.insert(id).second) continue;
        nodes.push_back(SyntheticNode {region.control, std::move(id), region.rect, i});
    }
    return nodes;
}

std::optional<orvo_ui::Rect> ChatApp::synthetic_accessibility_rect(std::span<std::size_t const> path) const
{
    if (path.size() != 1) return std::nullopt;
    auto const nodes = synthetic_nodes();
    if (path[0] >= nodes.size()) return std::nullopt;
    return nodes[path[0]].rect;
}

bool ChatApp::focus_synthetic_accessibility(std::span<std::size_t const> path)
{
    if (path.size() != 1 || path[0] >= synthetic_nodes().size()) return false;
    set_focus_cursor(path[0]);
    return true;
}

orvo_ui::AccessNode ChatApp::accessibility() const
{
    orvo_ui::AccessNode root;
    root.id = orvo_ui::AccessNode::key("chat", "window");
    root.role = orvo_ui::AccessRole::Window;
    root.label = "Chat";
    root.description = inbox_open ? "Inbox: conversations across Orvo workspaces" : "Channels in the current Orvo workspace";
    root.rect = window_bounds;

    std::vector<orvo_ui::AccessNode> children;
    auto const nodes = synthetic_nodes();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        auto const& node = nodes[i];
        orvo_ui::AccessNode child;
        child.id = node.id;
        child.role = access_role(control_role(node.control));
        child.label = control_label(node.control, *this);
        child.states = control_states(node.control, *this);
        child.states.focused = focus_cursor == i;
        child.rect = node.rect;
        children.push_back(std::move(child));
    }

    if (auto const* channel = model.channel(current_channel)) {
        orvo_ui::AccessNode heading;
        heading.id = "conversation-heading";
        heading.role = orvo_ui::AccessRole::Heading;
        heading.label = (channel->kind == ChannelKind::Voice ? "🔊 " : "# ") + channel->name;
        if (!text::trim_white_space(channel->topic).empty()) heading.description = channel->topic;
        heading.rect = conversation_header;
        children.push_back(std::move(heading));
    }

    orvo_ui::AccessNode list;
    list.id = "message-list";
    list.role = orvo_ui::AccessRole::List;
    list.label = "Messages";
    for (auto const& message : model.messages) {
        if (message.parent && !message.parent->empty()) continue;
        orvo_ui::AccessNode item;
        item.id = "message:" + message.id;
        item.role = orvo_ui::AccessRole::ListItem;
        auto const* author = find_person(model.workspace_people, message.author);
        item.label = (author ? author->name : std::string("Unknown person")) + ": " + message.text;
        item.stable_key = orvo_ui::AccessNode::stable_key_for(message.id, "message");
        list.children.push_back(std::move(item));
    }
    children.push_back(std::move(list));

    if (context_menu && context_menu->menu.is_open()) children.push_back(context_menu->menu.accessibility());
    return std::move(root).with_children(std::move(children));
}

bool ChatApp::perform_semantic_action(std::string_view node_id, orvo_ui::SemanticAction action, crdt::Document& doc)
{
    using orvo_ui::widget::context_menu::ContextMenu;
    if (node_id.starts_with(ContextMenu::item_id_prefix)) {
        if (!context_menu) return false;
        auto const response = context_menu->menu.perform_semantic_action(node_id, action);
        if (response.chosen) {
            auto const kind = context_menu->kind;
            auto const id = context_menu->id;
            context_menu.reset();
            if (permissions.check()) carry_out_menu_item(doc, kind, id, *response.chosen);
        }
        needs_redraw = true;
        return response.consumed || response.chosen;
    }
    auto const nodes = synthetic_nodes();
    auto const found = std::find_if(nodes.begin(), nodes.end(), [&](SyntheticNode const& n) { return n.id == node_id; });
    if (found == nodes.end()) return false;
    switch (action) {
    case orvo_ui::SemanticAction::Activate: activate(found->control, doc); return true;
    case orvo_ui::SemanticAction::Focus: set_focus_cursor(std::size_t(found - nodes.begin())); return true;
    default: return false;
    }
}

} // namespace chat
