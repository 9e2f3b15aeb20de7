#include "app/controls.h"

#include "app/chat_app.h"
#include "app/views/frame.h"

#include <algorithm>
#include <array>

namespace chat {

namespace {

template<class... Fs>
struct Overloaded : Fs... {
    using Fs::operator()...;
};

constexpr std::array<std::string_view, CHAT_CONTROL_COUNT> NAMES = {
    "Inbox", "CurrentContext", "Channel", "VoiceChannel", "CategoryToggle", "AddChannel", "AddCategory",
    "FocusRename", "Reaction", "AddReaction", "OpenThread", "EditHistory", "MessageMenu", "EditSave",
    "EditCancel", "FocusEdit", "EmojiChoice", "FocusMain", "FocusThread", "Send", "JumpToLatest",
    "ComposerEmoji", "Attach", "AttachPick", "StartCall", "CloseThread", "CallDragHandle",
    "CallParticipantsToggle", "CallMute", "CallDeafen", "CallAudioOnly", "CallShareScreen", "CallExpand",
    "CallLeave", "ToggleLeftFlap", "ToggleRightFlap", "Dismiss",
};

// Fixed ids of the members without fields, by member number; empty where the
// member has fields or no id of its own.
constexpr std::array<std::string_view, CHAT_CONTROL_COUNT> PLAIN_IDS = {
    "chat.inbox", "chat.current-context", "", "", "", "", "", "chat.rename", "", "", "", "", "",
    "chat.edit-save", "chat.edit-cancel", "chat.message-edit", "", "chat.composer", "chat.thread-composer",
    "chat.send", "chat.jump-to-latest", "chat.composer-emoji", "chat.attach", "", "chat.start-call",
    "chat.close-thread", "", "chat.call-participants", "chat.call-mute", "chat.call-deafen",
    "chat.call-audio-only", "chat.call-share-screen", "chat.call-expand", "chat.call-leave",
    "chat.toggle-navigation", "chat.toggle-details", "",
};

constexpr std::array<std::string_view, CHAT_CONTROL_COUNT> PLAIN_LABELS = {
    "", "", "", "", "", "Add channel", "Add category", "Rename field", "", "Add reaction",
    "Open message thread", "Show edit history", "", "Save message edit", "Cancel message edit", "Edit message",
    "", "Message composer", "Thread reply composer", "Send message", "Jump to latest message", "Insert emoji",
    "Attach a workspace file", "", "Start or open call", "Close thread", "", "Show call participants",
    "Mute microphone", "Deafen call audio", "Turn camera off", "Share screen", "Expand or restore call",
    "Leave call", "Show conversation navigation", "Show people or thread", "",
};

std::string quoted(std::string_view field, std::string_view value)
{
    return std::string(field) + ": \"" + std::string(value) + "\"";
}

std::string point_text(std::string_view field, orvo_ui::Point p)
{
    auto number = [](double v) {
        std::string s = std::to_string(v);
        s.erase(s.find_last_not_of('0') + 1);
        if (s.ends_with('.')) s += '0';
        return s;
    };
    return std::string(field) + ": (" + number(p.x) + ", " + number(p.y) + ")";
}

// The fields of a member, as `name: value` items; empty for members without fields.
std::vector<std::string> debug_fields(ChatControl const& control)
{
    using namespace control;
    return std::visit(
        Overloaded {
            [](control::Channel const& c) { return std::vector {quoted("channel", c.channel)}; },
            [](VoiceChannel const& c) { return std::vector {quoted("channel", c.channel)}; },
            [](CategoryToggle const& c) { return std::vector {quoted("category", c.category)}; },
            [](AddChannel const& c) { return std::vector {quoted("workspace", c.workspace), quoted("category", c.category)}; },
            [](AddCategory const& c) { return std::vector {quoted("workspace", c.workspace)}; },
            [](Reaction const& c) { return std::vector {quoted("msg", c.msg), quoted("emoji", c.emoji)}; },
            [](AddReaction const& c) { return std::vector {quoted("msg", c.msg), point_text("anchor", c.anchor)}; },
            [](OpenThread const& c) { return std::vector {quoted("msg", c.msg)}; },
            [](EditHistory const& c) { return std::vector {quoted("msg", c.msg), point_text("anchor", c.anchor)}; },
            [](MessageMenu const& c) { return std::vector {quoted("msg", c.msg)}; },
            [](EmojiChoice const& c) { return std::vector {quoted("emoji", c.emoji)}; },
            [](AttachPick const& c) { return std::vector {quoted("path", c.path), quoted("name", c.name)}; },
            [](auto const&) { return std::vector<std::string> {}; },
        },
        control);
}

std::string channel_label(ChatApp const& app, std::string_view id)
{
    auto const* channel = app.model.channel(id);
    if (!channel) return std::string(id);
    std::string label = channel->name;
    if (auto const* ws = app.model.workspace(channel->workspace)) label += ", from " + ws->name;
    if (auto unread = app.model.unread_count(id); unread > 0) label += ", " + std::to_string(unread) + " unread";
    return label;
}

Category const* find_category(ChatApp const& app, std::string_view id)
{
    auto it = std::find_if(app.model.categories.begin(), app.model.categories.end(),
                           [&](Category const& c) { return c.id == id; });
    return it == app.model.categories.end() ? nullptr : &*it;
}

bool local_reacted(ChatApp const& app, control::Reaction const& r)
{
    auto const* message = app.model.message(r.msg);
    if (!message) return false;
    for (auto const& group : message->reactions) {
        if (group.emoji != r.emoji) continue;
        return std::any_of(group.users.begin(), group.users.end(),
                           [&](std::string const& user) { return app.local_identity.is_local(user); });
    }
    return false;
}

} // namespace

std::string_view control_name(ChatControl const& control) { return NAMES[control.index()]; }

std::string control_debug_text(ChatControl const& control)
{
    std::string text(control_name(control));
    auto fields = debug_fields(control);
    if (fields.empty()) return text;
    text += " { ";
    for (std::size_t i = 0; i < fields.size(); ++i) text += (i ? ", " : "") + fields[i];
    return text + " }";
}

std::string control_node_id(ChatControl const& control)
{
    using namespace control;
    return std::visit(
        Overloaded {
            [](control::Channel const& c) { return "chat.channel:" + c.channel; },
            [](VoiceChannel const& c) { return "chat.voice-channel:" + c.channel; },
            [](CategoryToggle const& c) { return "chat.category-toggle:" + c.category; },
            [](AddChannel const& c) { return "chat.add-channel:" + c.workspace + ":" + c.category; },
            [](AddCategory const& c) { return "chat.add-category:" + c.workspace; },
            [](Reaction const& c) { return "chat.reaction:" + c.msg + ":" + c.emoji; },
            [](AddReaction const& c) { return "chat.add-reaction:" + c.msg; },
            [](OpenThread const& c) { return "chat.open-thread:" + c.msg; },
            [](EditHistory const& c) { return "chat.edit-history:" + c.msg; },
            [](EmojiChoice const& c) { return "chat.emoji-choice:" + c.emoji; },
            [](AttachPick const& c) { return "chat.attach-pick:" + c.path; },
            [&](auto const&) {
                auto fixed = PLAIN_IDS[control.index()];
                return fixed.empty() ? "chat.control:" + control_debug_text(control) : std::string(fixed);
            },
        },
        control);
}

bool has_synthetic_node(ChatControl const& control)
{
    return !std::holds_alternative<control::MessageMenu>(control)
        && !std::holds_alternative<control::CallDragHandle>(control)
        && !std::holds_alternative<control::Dismiss>(control);
}

ControlRole control_role(ChatControl const& control)
{
    using namespace control;
    return std::visit(
        Overloaded {
            [](Inbox const&) { return ControlRole::Selectable; },
            [](CurrentContext const&) { return ControlRole::Selectable; },
            [](CategoryToggle const&) { return ControlRole::Toggle; },
            [](FocusRename const&) { return ControlRole::Text; },
            [](Reaction const&) { return ControlRole::Toggle; },
            [](FocusEdit const&) { return ControlRole::TextField; },
            [](FocusMain const&) { return ControlRole::TextField; },
            [](FocusThread const&) { return ControlRole::TextField; },
            [](CallParticipantsToggle const&) { return ControlRole::Toggle; },
            [](CallMute const&) { return ControlRole::Toggle; },
            [](CallDeafen const&) { return ControlRole::Toggle; },
            [](CallAudioOnly const&) { return ControlRole::Toggle; },
            [](CallShareScreen const&) { return ControlRole::Toggle; },
            [](MessageMenu const&) { return ControlRole::None; },
            [](CallDragHandle const&) { return ControlRole::None; },
            [](Dismiss const&) { return ControlRole::None; },
            [](auto const&) { return ControlRole::Button; },
        },
        control);
}

orvo_ui::AccessRole access_role(ControlRole role)
{
    switch (role) {
    case ControlRole::Button: return orvo_ui::AccessRole::Button;
    case ControlRole::Toggle: return orvo_ui::AccessRole::ToggleButton;
    case ControlRole::Selectable: return orvo_ui::AccessRole::Tab;
    // The rename field is editable too; both are text inputs to assistive technology.
    case ControlRole::TextField:
    case ControlRole::Text: return orvo_ui::AccessRole::TextInput;
    case ControlRole::None: break;
    }
    return orvo_ui::AccessRole::Group;
}

std::string control_label(ChatControl const& control, ChatApp const& app)
{
    using namespace control;
    return std::visit(
        Overloaded {
            [&](Inbox const&) {
                auto total = views::total_unread(app.model);
                return total > 0 ? "Inbox, " + std::to_string(total) + " unread" : std::string("Inbox");
            },
            [&](CurrentContext const&) {
                auto const* ws = app.model.workspace(app.rail_workspace);
                return ws ? ws->name + " channels, current workspace" : std::string("Current workspace");
            },
            [&](control::Channel const& c) { return channel_label(app, c.channel); },
            [&](VoiceChannel const& c) { return channel_label(app, c.channel); },
            [&](CategoryToggle const& c) {
                auto const* category = find_category(app, c.category);
                std::string verb = category && category->collapsed ? "Expand" : "Collapse";
                return verb + " " + (category ? category->name : std::string("category"));
            },
            [&](Reaction const& c) {
                return std::string(local_reacted(app, c) ? "Remove" : "Add") + " " + c.emoji + " reaction";
            },
            [](EmojiChoice const& c) { return "Choose " + c.emoji; },
            [](AttachPick const& c) { return "Attach " + c.name; },
            [&](auto const&) { return std::string(PLAIN_LABELS[control.index()]); },
        },
        control);
}

orvo_ui::AccessStates control_states(ChatControl const& control, ChatApp const& app)
{
    using namespace control;
    orvo_ui::AccessStates states;
    states.focusable = has_synthetic_node(control);
    auto voice = views::local_voice(app);
    std::visit(
        Overloaded {
            [&](Inbox const&) { states.selected = app.inbox_open; },
            [&](CurrentContext const&) { states.selected = !app.inbox_open; },
            [&](CategoryToggle const& c) {
                auto const* category = find_category(app, c.category);
                states.collapsible = true;
                states.expanded = states.checked = !(category && category->collapsed);
            },
            [&](Reaction const& c) { states.checked = local_reacted(app, c); },
            [&](CallMute const&) { states.checked = voice && voice->me.muted; },
            [&](CallDeafen const&) { states.checked = voice && voice->me.deafened; },
            [&](CallAudioOnly const&) { states.checked = voice && voice->me.audio_only; },
            [&](CallShareScreen const&) { states.checked = voice && voice->me.sharing; },
            [](auto const&) {},
        },
        control);
    return states;
}

std::optional<std::size_t> hit_index(std::vector<HitRegion> const& regions, orvo_ui::Point point)
{
    for (std::size_t i = regions.size(); i-- > 0;)
        if (regions[i].rect.contains(point)) return i;
    return std::nullopt;
}

std::optional<ChatControl> hit_test(std::vector<HitRegion> const& regions, orvo_ui::Point point)
{
    auto index = hit_index(regions, point);
    if (!index) return std::nullopt;
    return regions[*index].control;
}

} // namespace chat
