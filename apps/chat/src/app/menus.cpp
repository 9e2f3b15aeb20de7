// Context menus for channels, categories, the local user's own messages and
// the workspace, what each entry does, and the inline rename they start.

#include "app/chat_app.h"

#include "actions/text.h"
#include "crdt/document.h"
#include "doc/ids.h"

#include <algorithm>
#include <array>

namespace chat {

namespace {

using orvo_ui::widget::context_menu::ItemStyle;

enum MenuCode : int {
    Rename = 0,
    Delete = 1,
    MoveUp = 2,
    MoveDown = 3,
    NewTextChannel = 4,
    NewVoiceChannel = 5,
    NewCategory = 6,
    CollapseExpand = 7,
    ArchiveUnarchive = 8,
    EditMessage = 9,
    PinUnpin = 10,
    DeleteMessage = 11,
};

struct MenuEntry {
    char const* label;
    std::optional<int> icon; // destructive entries use the destructive style instead
};

constexpr std::array<MenuEntry, 12> entries {{
    {"Rename", 49},
    {"Delete", std::nullopt},
    {"Move up", 15},
    {"Move down", 16},
    {"New text channel", 18},
    {"New voice channel", 18},
    {"New category", 18},
    {"Collapse / expand", 16},
    {"Archive / unarchive", 36},
    {"Edit message", 49},
    {"Pin / unpin", 55},
    {"Delete message", std::nullopt},
}};

std::vector<int> menu_codes(MenuTargetKind kind)
{
    switch (kind) {
    case MenuTargetKind::Channel: return {Delete, ArchiveUnarchive, Rename, MoveUp, MoveDown};
    case MenuTargetKind::Category: return {NewTextChannel, NewVoiceChannel, Rename, CollapseExpand, Delete};
    case MenuTargetKind::Message: return {EditMessage, PinUnpin, DeleteMessage};
    case MenuTargetKind::Workspace: return {NewCategory};
    }
    return {};
}

Category const* find_category(Model const& model, std::string_view id)
{
    auto it = std::find_if(model.categories.begin(), model.categories.end(), [&](auto const& c) { return c.id == id; });
    return it == model.categories.end() ? nullptr : &*it;
}

} // namespace

void ChatApp::open_context_menu(ChatControl const& control, orvo_ui::Point at)
{
    if (auto const* c = std::get_if<control::Channel>(&control)) open_menu(MenuTargetKind::Channel, c->channel, at);
    else if (auto const* v = std::get_if<control::VoiceChannel>(&control)) open_menu(MenuTargetKind::Channel, v->channel, at);
    else if (auto const* t = std::get_if<control::CategoryToggle>(&control)) open_menu(MenuTargetKind::Category, t->category, at);
    else if (auto const* a = std::get_if<control::AddChannel>(&control)) open_menu(MenuTargetKind::Category, a->category, at);
    else if (auto const* m = std::get_if<control::MessageMenu>(&control)) {
        auto const* message = model.message(m->msg);
        if (message && local_identity.is_local(message->author)) open_menu(MenuTargetKind::Message, m->msg, at);
    } else {
        open_menu(MenuTargetKind::Workspace, current_workspace, at);
    }
}

void ChatApp::open_menu(MenuTargetKind kind, std::string id, orvo_ui::Point at)
{
    ChatContextMenu opened;
    opened.kind = kind;
    opened.id = std::move(id);
    for (int code : menu_codes(kind)) {
        auto const& entry = entries[std::size_t(code)];
        opened.menu.push(entry.label, code, entry.icon, entry.icon ? ItemStyle::Normal : ItemStyle::Destructive);
    }
    if (!window_bounds.empty()) opened.menu.open_at_clamped(at, window_bounds);
    else opened.menu.open_at(at);
    context_menu = std::move(opened);
    needs_redraw = true;
}

void ChatApp::carry_out_menu_item(crdt::Document& doc, MenuTargetKind kind, std::string const& id, int code)
{
    switch (kind) {
    case MenuTargetKind::Channel: {
        auto const* channel = model.channel(id);
        if (code == Rename) start_rename(RenameTarget::Kind::Channel, id);
        else if (code == Delete) {
            dispatch_chat_action(doc, action::DeleteChannel {id});
            if (current_channel == id) current_channel.clear();
        } else if (code == MoveUp || code == MoveDown) {
            dispatch_chat_action(doc, action::ReorderChannel {id, code == MoveUp});
        } else if (code == ArchiveUnarchive && channel) {
            bool const archive = !channel->archived;
            dispatch_chat_action(doc, action::ArchiveChannel {id, archive});
            if (archive && current_channel == id) current_channel.clear();
        }
        break;
    }
    case MenuTargetKind::Category: {
        auto const* category = find_category(model, id);
        auto const workspace = category ? category->workspace : current_workspace;
        if (code == Rename) start_rename(RenameTarget::Kind::Category, id);
        else if (code == Delete) dispatch_chat_action(doc, action::DeleteCategory {id});
        else if (code == NewTextChannel || code == NewVoiceChannel) {
            bool const voice = code == NewVoiceChannel;
            auto const channel = doc::new_id("c_");
            if (dispatch_chat_action(doc, action::CreateChannel {workspace, id, channel, voice ? "New Voice" : "new-channel",
                                                                 voice ? ChannelKind::Voice : ChannelKind::Text})) {
                refresh(doc);
                start_rename(RenameTarget::Kind::Channel, channel);
            }
        } else if (code == CollapseExpand) {
            dispatch_chat_action(doc, action::SetCategoryCollapsed {id, !(category && category->collapsed)});
        }
        break;
    }
    case MenuTargetKind::Message: {
        auto const* message = model.message(id);
        if (code == EditMessage) begin_edit(id);
        else if (code == PinUnpin && message)
            dispatch_chat_action(doc, action::PinMessage {current_channel, id, !message->pinned});
        else if (code == DeleteMessage) dispatch_chat_action(doc, action::DeleteMessage {current_channel, id});
        break;
    }
    case MenuTargetKind::Workspace:
        if (code == NewCategory) {
            auto const category = doc::new_id("cat_");
            if (dispatch_chat_action(doc, action::CreateCategory {id, category, "New Category"})) {
                refresh(doc);
                start_rename(RenameTarget::Kind::Category, category);
            }
        }
        break;
    }
    refresh_composer(doc);
    needs_redraw = true;
}

void ChatApp::start_rename(RenameTarget::Kind kind, std::string const& id)
{
    std::string name;
    if (kind == RenameTarget::Kind::Channel) {
        if (auto const* channel = model.channel(id)) name = channel->name;
    } else if (auto const* category = find_category(model, id)) {
        name = category->name;
    }
    rename_target = RenameTarget {kind, id};
    rename_input.set_text(name);
    update_focus();
}

void ChatApp::commit_rename(crdt::Document& doc)
{
    auto const target = std::exchange(rename_target, std::nullopt);
    auto const name = std::string(text::trim_white_space(rename_input.text()));
    rename_input.set_text("");
    update_focus();
    if (!target || name.empty()) return;
    if (target->kind == RenameTarget::Kind::Channel) dispatch_chat_action(doc, action::RenameChannel {target->id, name});
    else dispatch_chat_action(doc, action::RenameCategory {target->id, name});
}

void ChatApp::cancel_rename()
{
    rename_target.reset();
    rename_input.set_text("");
    update_focus();
}

} // namespace chat
