// The control vocabulary: node ids, debug texts, labels, roles and hit testing.

#include "app/chat_app.h"
#include "app/controls.h"
#include "crdt/document.h"

#include <gtest/gtest.h>

using namespace chat;

TEST(ChatControls, NodeIdsAndDebugTexts)
{
    struct Case {
        ChatControl control;
        char const* id;
    } const cases[] = {
        {control::Inbox {}, "chat.inbox"},
        {control::CurrentContext {}, "chat.current-context"},
        {control::Channel {"c_x"}, "chat.channel:c_x"},
        {control::VoiceChannel {"c_v"}, "chat.voice-channel:c_v"},
        {control::CategoryToggle {"cat_a"}, "chat.category-toggle:cat_a"},
        {control::AddChannel {"ws_a", "cat_a"}, "chat.add-channel:ws_a:cat_a"},
        {control::AddCategory {"ws_a"}, "chat.add-category:ws_a"},
        {control::FocusRename {}, "chat.rename"},
        {control::Reaction {"m_1", "🎉"}, "chat.reaction:m_1:🎉"},
        {control::AddReaction {"m_1", {3, 4}}, "chat.add-reaction:m_1"},
        {control::OpenThread {"m_1"}, "chat.open-thread:m_1"},
        {control::EditHistory {"m_1", {0, 0}}, "chat.edit-history:m_1"},
        {control::MessageMenu {"m_1"}, "chat.control:MessageMenu { msg: \"m_1\" }"},
        {control::EditSave {}, "chat.edit-save"},
        {control::FocusEdit {}, "chat.message-edit"},
        {control::EmojiChoice {"👍"}, "chat.emoji-choice:👍"},
        {control::FocusMain {}, "chat.composer"},
        {control::FocusThread {}, "chat.thread-composer"},
        {control::AttachPick {"orvo-demo://a", "a.png"}, "chat.attach-pick:orvo-demo://a"},
        {control::CallDragHandle {}, "chat.control:CallDragHandle"},
        {control::CallShareScreen {}, "chat.call-share-screen"},
        {control::ToggleLeftFlap {}, "chat.toggle-navigation"},
        {control::ToggleRightFlap {}, "chat.toggle-details"},
        {control::Dismiss {}, "chat.control:Dismiss"},
    };
    for (auto const& c : cases) EXPECT_EQ(control_node_id(c.control), c.id) << control_name(c.control);
    EXPECT_EQ(control_debug_text(control::AddReaction {"m_1", {3, 4.5}}), "AddReaction { msg: \"m_1\", anchor: (3.0, 4.5) }");
}

TEST(ChatControls, EveryMemberHasAnIdAndOnlyThreeLackNodes)
{
    std::size_t without = 0;
    auto check = [&](auto member) {
        ChatControl control = member;
        EXPECT_FALSE(control_node_id(control).empty());
        without += !has_synthetic_node(control);
        EXPECT_EQ(control_role(control) == ControlRole::None, !has_synthetic_node(control)) << control_name(control);
    };
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (check(std::variant_alternative_t<I, ChatControl> {}), ...);
    }(std::make_index_sequence<CHAT_CONTROL_COUNT>());
    EXPECT_EQ(without, 3u);
    EXPECT_EQ(ChatControl(control::Dismiss {}).index(), 36u);
    EXPECT_EQ(ChatControl(control::StartCall {}).index(), 24u);
}

TEST(ChatControls, LabelsAndStatesReadTheModel)
{
    crdt::Document doc;
    ChatApp app;
    app.sync(doc);
    EXPECT_EQ(control_label(control::CurrentContext {}, app), "Acme Design channels, current workspace");
    app.rail_workspace = "ws_gone";
    EXPECT_EQ(control_label(control::CurrentContext {}, app), "Current workspace");

    app.model.unread["c_general"] = 3;
    EXPECT_EQ(control_label(control::Channel {"c_general"}, app), "general, from Acme Design, 3 unread");
    EXPECT_EQ(control_label(control::Inbox {}, app).substr(0, 7), "Inbox, ");
    for (auto& [id, count] : app.model.unread) count = 0;
    EXPECT_EQ(control_label(control::Inbox {}, app), "Inbox");
    EXPECT_EQ(control_label(control::VoiceChannel {"c_huddle"}, app), "Design Huddle, from Acme Design");
    EXPECT_EQ(control_label(control::CategoryToggle {"cat_nope"}, app), "Collapse category");

    // "m_open" carries 🎉 by the local person; 👍 nobody.
    EXPECT_EQ(control_label(control::Reaction {"m_open", "🎉"}, app), "Remove 🎉 reaction");
    EXPECT_TRUE(control_states(control::Reaction {"m_open", "🎉"}, app).checked);
    EXPECT_EQ(control_label(control::Reaction {"m_open", "👍"}, app), "Add 👍 reaction");
    EXPECT_EQ(control_label(control::AttachPick {"p", "x.png"}, app), "Attach x.png");
    EXPECT_EQ(control_label(control::EmojiChoice {"🔥"}, app), "Choose 🔥");

    app.inbox_open = true;
    EXPECT_TRUE(control_states(control::Inbox {}, app).selected);
    EXPECT_FALSE(control_states(control::CurrentContext {}, app).selected);
    EXPECT_EQ(access_role(control_role(control::Inbox {})), orvo_ui::AccessRole::Tab);
    EXPECT_EQ(access_role(control_role(control::CallMute {})), orvo_ui::AccessRole::ToggleButton);
    EXPECT_EQ(access_role(control_role(control::FocusMain {})), orvo_ui::AccessRole::TextInput);
}

TEST(ChatControls, HitTestPrefersTheLastPushedRegion)
{
    std::vector<HitRegion> regions {
        {{0, 0, 100, 100}, control::Dismiss {}},
        {{10, 10, 20, 20}, control::Channel {"c_a"}},
        {{15, 15, 20, 20}, control::Send {}},
    };
    struct Case {
        orvo_ui::Point at;
        std::optional<ChatControl> hit;
    } const cases[] = {
        {{12, 12}, control::Channel {"c_a"}},
        {{16, 16}, control::Send {}},
        {{50, 50}, control::Dismiss {}},
        {{100, 50}, std::nullopt}, // right edge is outside
        {{-1, 5}, std::nullopt},
    };
    for (auto const& c : cases) EXPECT_EQ(hit_test(regions, c.at), c.hit) << c.at.x << "," << c.at.y;
    EXPECT_FALSE(hit_test({}, {1, 1}));
}
