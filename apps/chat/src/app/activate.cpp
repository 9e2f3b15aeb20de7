// What activating each control does, whether it was clicked, reached with the
// keyboard or asked for by assistive technology.

#include "app/chat_app.h"

#include "app/attachment_flow.h"
#include "app/views/frame.h"
#include "crdt/document.h"
#include "doc/ids.h"

#include <algorithm>

namespace chat {

namespace {

// Controls whose effect the permission context must allow first.
bool asks_permission(ChatControl const& control)
{
    using namespace control;
    return std::holds_alternative<CategoryToggle>(control) || std::holds_alternative<AddChannel>(control) ||
           std::holds_alternative<AddCategory>(control) || std::holds_alternative<Reaction>(control) ||
           std::holds_alternative<ComposerEmoji>(control) || std::holds_alternative<Attach>(control) ||
           std::holds_alternative<AttachPick>(control) || std::holds_alternative<StartCall>(control) ||
           std::holds_alternative<CallMute>(control) || std::holds_alternative<CallDeafen>(control) ||
           std::holds_alternative<CallAudioOnly>(control) || std::holds_alternative<CallShareScreen>(control);
}

} // namespace

void ChatApp::toggle_reaction(crdt::Document& doc, std::string const& message_id, std::string const& emoji)
{
    auto const* message = model.message(message_id);
    if (!message) return;
    auto const group = std::find_if(message->reactions.begin(), message->reactions.end(),
                                    [&](ReactionGroup const& g) { return g.emoji == emoji; });
    bool const reacted = group != message->reactions.end() &&
                         std::any_of(group->users.begin(), group->users.end(),
                                     [&](std::string const& user) { return local_identity.is_local(user); });
    if (reacted) dispatch_chat_action(doc, action::RemoveReaction {current_channel, message_id, emoji, local_identity.id});
    else dispatch_chat_action(doc, action::AddReaction {current_channel, message_id, emoji, local_identity.id});
}

void ChatApp::activate(ChatControl const& control, crdt::Document& doc)
{
    using namespace control;
    highlighted_message.reset();
    selected_person.reset();
    pending_jump_to_latest = false;
    if (context_menu) context_menu.reset();
    needs_redraw = true;

    bool const allowed = !asks_permission(control) || permissions.check();
    auto const* picked = std::get_if<EmojiChoice>(&control);
    bool const reacting = picked && emoji_picker.target;
    if (allowed && !(reacting && !permissions.check())) {
        std::visit(
            [&](auto const& c) {
                using C = std::decay_t<decltype(c)>;
                if constexpr (std::is_same_v<C, Inbox>) {
                    inbox_open = true;
                    open_thread.reset();
                    thread_composer_focused = false;
                } else if constexpr (std::is_same_v<C, CurrentContext>) {
                    inbox_open = false;
                    if (current_workspace != rail_workspace) {
                        current_workspace = rail_workspace;
                        current_channel.clear();
                        open_thread.reset();
                        thread_composer_focused = false;
                        follow_latest = true;
                        timeline_scroll = 0;
                    }
                } else if constexpr (std::is_same_v<C, control::Channel>) {
                    auto const* channel = model.channel(c.channel);
                    if (!channel || channel->kind == ChannelKind::Voice) return; // voice rows join calls
                    open_conversation(channel->workspace, channel->id);
                    if (narrow) left_flap.override_ = FlapOverride::Closed;
                    refresh(doc);
                    refresh_composer(doc);
                } else if constexpr (std::is_same_v<C, CategoryToggle>) {
                    auto const found = std::find_if(model.categories.begin(), model.categories.end(),
                                                    [&](Category const& k) { return k.id == c.category; });
                    bool const collapsed = found != model.categories.end() && found->collapsed;
                    dispatch_chat_action(doc, action::SetCategoryCollapsed {c.category, !collapsed});
                } else if constexpr (std::is_same_v<C, AddChannel>) {
                    auto const id = doc::new_id("c_");
                    if (dispatch_chat_action(doc, action::CreateChannel {c.workspace, c.category, id, "new-channel",
                                                                         ChannelKind::Text})) {
                        refresh(doc);
                        start_rename(RenameTarget::Kind::Channel, id);
                    }
                } else if constexpr (std::is_same_v<C, AddCategory>) {
                    auto const id = doc::new_id("cat_");
                    if (dispatch_chat_action(doc, action::CreateCategory {c.workspace, id, "New Category"})) {
                        refresh(doc);
                        start_rename(RenameTarget::Kind::Category, id);
                    }
                } else if constexpr (std::is_same_v<C, FocusRename> || std::is_same_v<C, FocusEdit>) {
                    update_focus();
                } else if constexpr (std::is_same_v<C, control::Reaction>) {
                    toggle_reaction(doc, c.msg, c.emoji);
                } else if constexpr (std::is_same_v<C, control::AddReaction>) {
                    emoji_picker = EmojiPicker {true, c.msg, c.anchor};
                } else if constexpr (std::is_same_v<C, OpenThread>) {
                    if (open_thread == c.msg) {
                        open_thread.reset();
                        thread_composer_focused = false;
                    } else {
                        open_thread = c.msg;
                        // The thread shows in the details panel, which a narrower window keeps closed.
                        if (compact) right_flap.override_ = FlapOverride::Open;
                    }
                    update_focus();
                } else if constexpr (std::is_same_v<C, EditHistory>) {
                    edit_history = EditHistoryPopup {c.msg, c.anchor};
                } else if constexpr (std::is_same_v<C, EditSave>) {
                    save_edit(doc);
                } else if constexpr (std::is_same_v<C, EditCancel>) {
                    cancel_edit();
                } else if constexpr (std::is_same_v<C, EmojiChoice>) {
                    auto const target = std::exchange(emoji_picker, EmojiPicker {}).target;
                    if (target) toggle_reaction(doc, *target, c.emoji);
                    else insert_emoji(doc, c.emoji);
                } else if constexpr (std::is_same_v<C, FocusMain>) {
                    thread_composer_focused = false;
                    update_focus();
                } else if constexpr (std::is_same_v<C, FocusThread>) {
                    thread_composer_focused = true;
                    update_focus();
                } else if constexpr (std::is_same_v<C, Send>) {
                    send(doc);
                } else if constexpr (std::is_same_v<C, JumpToLatest>) {
                    timeline_scroll = 0;
                    follow_latest = true;
                } else if constexpr (std::is_same_v<C, ComposerEmoji>) {
                    emoji_picker = EmojiPicker {true, std::nullopt, pointer};
                } else if constexpr (std::is_same_v<C, Attach>) {
                    open_picker(*this);
                } else if constexpr (std::is_same_v<C, AttachPick>) {
                    pick_file(*this, PickerFile {c.path, c.name});
                } else if constexpr (std::is_same_v<C, CloseThread>) {
                    open_thread.reset();
                    thread_composer_focused = false;
                    update_focus();
                } else if constexpr (std::is_same_v<C, ToggleLeftFlap>) {
                    views::toggle_flap(left_flap, narrow);
                } else if constexpr (std::is_same_v<C, ToggleRightFlap>) {
                    views::toggle_flap(right_flap, compact);
                } else if constexpr (std::is_same_v<C, Dismiss>) {
                    dismiss();
                }
                // Calls (voice rows, the call pill and the call controls) act once a call
                // can exist; MessageMenu and CallDragHandle act on other buttons only.
            },
            control);
    }
    refresh(doc);
}

void ChatApp::dismiss()
{
    // A click beside the rename field abandons the rename, as Escape does.
    if (rename_target) cancel_rename();
    else if (attach_panel_open) attach_panel_open = false;
    else if (emoji_picker.open) emoji_picker = EmojiPicker {};
    else if (edit_history.msg) edit_history = EditHistoryPopup {};
    else if (narrow && left_flap.override_ == FlapOverride::Open) left_flap.override_ = FlapOverride::Closed;
    else if (compact && right_flap.override_ == FlapOverride::Open) right_flap.override_ = FlapOverride::Closed;
}

void ChatApp::run_escape_chain()
{
    if (attach_panel_open) attach_panel_open = false;
    else if (context_menu) context_menu.reset();
    else if (emoji_picker.open) emoji_picker = EmojiPicker {};
    else if (edit_history.msg) edit_history = EditHistoryPopup {};
    else if (open_thread) {
        open_thread.reset();
        thread_composer_focused = false;
        update_focus();
    }
    needs_redraw = true;
}

bool ChatApp::popup_open() const
{
    return (context_menu && context_menu->menu.is_open()) || emoji_picker.open || edit_history.msg || attach_panel_open;
}

} // namespace chat
