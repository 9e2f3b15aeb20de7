#pragma once

// Everything the user can point at, focus or reach through assistive
// technology is one `ChatControl`. Drawing records where each one is
// (`HitRegion`); input hit-tests those records; the accessibility tree exposes
// the same controls as synthetic nodes with the ids and labels given here.

#include "ui/a11y/access_node.h"
#include "ui/core/geometry.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace chat {

class ChatApp;

namespace control {

// Members without fields compare equal to each other by type alone.
#define CHAT_PLAIN_CONTROL(Name)                              \
    struct Name {                                             \
        bool operator==(Name const&) const = default;         \
    }

CHAT_PLAIN_CONTROL(Inbox);
CHAT_PLAIN_CONTROL(CurrentContext);
struct Channel {
    std::string channel;
    bool operator==(Channel const&) const = default;
};
struct VoiceChannel {
    std::string channel;
    bool operator==(VoiceChannel const&) const = default;
};
struct CategoryToggle {
    std::string category;
    bool operator==(CategoryToggle const&) const = default;
};
struct AddChannel {
    std::string workspace;
    std::string category;
    bool operator==(AddChannel const&) const = default;
};
struct AddCategory {
    std::string workspace;
    bool operator==(AddCategory const&) const = default;
};
CHAT_PLAIN_CONTROL(FocusRename);
struct Reaction {
    std::string msg;
    std::string emoji;
    bool operator==(Reaction const&) const = default;
};
struct AddReaction {
    std::string msg;
    orvo_ui::Point anchor;
    bool operator==(AddReaction const&) const = default;
};
struct OpenThread {
    std::string msg;
    bool operator==(OpenThread const&) const = default;
};
struct EditHistory {
    std::string msg;
    orvo_ui::Point anchor;
    bool operator==(EditHistory const&) const = default;
};
struct MessageMenu {
    std::string msg;
    bool operator==(MessageMenu const&) const = default;
};
CHAT_PLAIN_CONTROL(EditSave);
CHAT_PLAIN_CONTROL(EditCancel);
CHAT_PLAIN_CONTROL(FocusEdit);
struct EmojiChoice {
    std::string emoji;
    bool operator==(EmojiChoice const&) const = default;
};
CHAT_PLAIN_CONTROL(FocusMain);
CHAT_PLAIN_CONTROL(FocusThread);
CHAT_PLAIN_CONTROL(Send);
CHAT_PLAIN_CONTROL(JumpToLatest);
CHAT_PLAIN_CONTROL(ComposerEmoji);
CHAT_PLAIN_CONTROL(Attach);
struct AttachPick {
    std::string path; // identifies the file
    std::string name; // what the label shows
    bool operator==(AttachPick const&) const = default;
};
CHAT_PLAIN_CONTROL(StartCall);
CHAT_PLAIN_CONTROL(CloseThread);
CHAT_PLAIN_CONTROL(CallDragHandle);
CHAT_PLAIN_CONTROL(CallParticipantsToggle);
CHAT_PLAIN_CONTROL(CallMute);
CHAT_PLAIN_CONTROL(CallDeafen);
CHAT_PLAIN_CONTROL(CallAudioOnly);
CHAT_PLAIN_CONTROL(CallShareScreen);
CHAT_PLAIN_CONTROL(CallExpand);
CHAT_PLAIN_CONTROL(CallLeave);
CHAT_PLAIN_CONTROL(ToggleLeftFlap);
CHAT_PLAIN_CONTROL(ToggleRightFlap);
CHAT_PLAIN_CONTROL(Dismiss);

#undef CHAT_PLAIN_CONTROL

} // namespace control

// The members in their fixed order; `index()` is the member number.
using ChatControl = std::variant<
    control::Inbox, control::CurrentContext, control::Channel, control::VoiceChannel, control::CategoryToggle,
    control::AddChannel, control::AddCategory, control::FocusRename, control::Reaction, control::AddReaction,
    control::OpenThread, control::EditHistory, control::MessageMenu, control::EditSave, control::EditCancel,
    control::FocusEdit, control::EmojiChoice, control::FocusMain, control::FocusThread, control::Send,
    control::JumpToLatest, control::ComposerEmoji, control::Attach, control::AttachPick, control::StartCall,
    control::CloseThread, control::CallDragHandle, control::CallParticipantsToggle, control::CallMute,
    control::CallDeafen, control::CallAudioOnly, control::CallShareScreen, control::CallExpand, control::CallLeave,
    control::ToggleLeftFlap, control::ToggleRightFlap, control::Dismiss>;

inline constexpr std::size_t CHAT_CONTROL_COUNT = std::variant_size_v<ChatControl>;
static_assert(CHAT_CONTROL_COUNT == 37);

// The member's name, e.g. "VoiceChannel".
std::string_view control_name(ChatControl const& control);
// The name with its fields in braces: `Channel { channel: "c_x" }`; the bare name without fields.
std::string control_debug_text(ChatControl const& control);
std::string control_node_id(ChatControl const& control);
// Controls that assistive technology does not reach as nodes of their own.
bool has_synthetic_node(ChatControl const& control);

// The accessible role a control reports, and the state that role reports.
enum class ControlRole { Button, Toggle, Selectable, TextField, Text, None };
ControlRole control_role(ChatControl const& control);
orvo_ui::AccessRole access_role(ControlRole role);

// Label and state read the current interface state (unread counts, names, flags).
std::string control_label(ChatControl const& control, ChatApp const& app);
orvo_ui::AccessStates control_states(ChatControl const& control, ChatApp const& app);

struct HitRegion {
    orvo_ui::Rect rect;
    ChatControl control;
    bool operator==(HitRegion const&) const = default;
};

// A control as assistive technology reaches it: listed once, at the first place drawing recorded it.
struct SyntheticNode {
    ChatControl control;
    std::string id;
    orvo_ui::Rect rect;
    std::size_t region = 0; // index into the frame's hit regions
};

// What the rename input is editing (the input replaces that row's name).
struct RenameTarget {
    enum class Kind { Channel, Category } kind = Kind::Channel;
    std::string id;
    bool operator==(RenameTarget const&) const = default;
};

// A sideways drag of a channel row, from the press on it to the next release.
struct ChannelSwipe {
    std::string channel;
    orvo_ui::Point press;
    orvo_ui::Point current;
    bool operator==(ChannelSwipe const&) const = default;
};

// The control under `point`: regions pushed later are drawn above earlier ones, so they win.
std::optional<ChatControl> hit_test(std::vector<HitRegion> const& regions, orvo_ui::Point point);
std::optional<std::size_t> hit_index(std::vector<HitRegion> const& regions, orvo_ui::Point point);

} // namespace chat
