// What context-menu entries, inline rename and the emoji picker's choices do.

#include "input_fixture.h"

#include <gtest/gtest.h>

using namespace chat;
using namespace chat::testing;
using orvo_ui::Key;

namespace {

void choose(Driven& d, ChatControl const& on, int code)
{
    d.app->open_context_menu(on, {300, 300});
    ASSERT_TRUE(d.app->context_menu);
    auto const kind = d.app->context_menu->kind;
    auto const id = d.app->context_menu->id;
    d.app->context_menu.reset();
    d.app->carry_out_menu_item(d.doc(), kind, id, code);
    d.redraw();
}

} // namespace

TEST(Menus, DeletingOrArchivingTheOpenChannelLeavesNoConversationOpen)
{
    Driven d("");
    choose(d, control::Channel {"c_frontend"}, 8); // archive another channel
    EXPECT_TRUE(d.app->model.channel("c_frontend")->archived);
    EXPECT_EQ(d.app->current_channel, "c_crit");

    d.app->open_context_menu(control::Channel {"c_crit"}, {300, 300});
    d.app->context_menu.reset();
    d.app->carry_out_menu_item(d.doc(), MenuTargetKind::Channel, "c_crit", 1);
    EXPECT_EQ(d.app->current_channel, "") << "right after the delete";
    d.redraw();
    EXPECT_FALSE(d.app->model.channel("c_crit"));
    EXPECT_EQ(d.app->current_channel, "c_general") << "the next refresh opens the first text channel left";
}

TEST(Menus, RenameCommitsTrimmedNamesAndIgnoresBlankOnes)
{
    Driven d("");
    choose(d, control::Channel {"c_frontend"}, 0);
    ASSERT_TRUE(d.app->rename_target);
    EXPECT_TRUE(d.has("chat.rename")) << "the row shows the rename input";
    d.app->rename_input.set_text("   ");
    d.key(Key::Enter);
    EXPECT_EQ(d.app->model.channel("c_frontend")->name, "frontend");
    EXPECT_FALSE(d.app->rename_target);

    choose(d, control::Channel {"c_frontend"}, 0);
    d.app->rename_input.set_text("");
    d.type("  web-ui ");
    d.key(Key::Enter);
    EXPECT_EQ(d.app->model.channel("c_frontend")->name, "web-ui");
}

TEST(Menus, NewVoiceChannelStartsRenamingIt)
{
    Driven d("");
    choose(d, control::CategoryToggle {"cat_acme_main"}, 5);
    ASSERT_TRUE(d.app->rename_target);
    auto const* created = d.app->model.channel(d.app->rename_target->id);
    ASSERT_TRUE(created);
    EXPECT_EQ(created->name, "New Voice");
    EXPECT_EQ(created->kind, ChannelKind::Voice);
    EXPECT_EQ(d.app->rename_input.text(), "New Voice");
    EXPECT_TRUE(d.has("chat.rename"));

    choose(d, control::Inbox {}, 6);
    ASSERT_TRUE(d.app->rename_target);
    EXPECT_EQ(d.app->rename_target->kind, RenameTarget::Kind::Category);
    EXPECT_EQ(d.app->rename_input.text(), "New Category");
}

TEST(Menus, MessageEntriesPinEditAndDelete)
{
    Driven d("msgmenu");
    bool const pinned = d.app->model.message("m_me2")->pinned;
    choose(d, control::MessageMenu {"m_me2"}, 10);
    EXPECT_EQ(d.app->model.message("m_me2")->pinned, !pinned);
    choose(d, control::MessageMenu {"m_me2"}, 9);
    EXPECT_EQ(d.app->editing_message, "m_me2");
    EXPECT_TRUE(d.has("chat.message-edit"));
    d.click("chat.edit-cancel");
    EXPECT_FALSE(d.app->editing_message);
    choose(d, control::MessageMenu {"m_me2"}, 11);
    EXPECT_FALSE(d.app->model.message("m_me2"));
}

TEST(Menus, AChosenEntryThroughTheMenuItselfIsCarriedOut)
{
    Driven d("");
    d.click("chat.channel:c_frontend", orvo_ui::MouseButton::Right);
    ASSERT_TRUE(d.app->context_menu);
    EXPECT_TRUE(d.app->perform_semantic_action("context-menu:item:2", orvo_ui::SemanticAction::Activate, d.doc()));
    EXPECT_FALSE(d.app->context_menu);
    ASSERT_TRUE(d.app->rename_target) << "the third entry is Rename";
    EXPECT_EQ(d.app->rename_target->id, "c_frontend");
}

TEST(Menus, EmojiChoiceReactsOrInserts)
{
    Driven d("");
    auto reacted = [&](std::string_view emoji) {
        for (auto const& g : d.app->model.message("m_open")->reactions)
            if (g.emoji == emoji) return std::find(g.users.begin(), g.users.end(), "u_me") != g.users.end();
        return false;
    };
    d.app->activate(control::AddReaction {"m_open", {100, 700}}, d.doc());
    EXPECT_TRUE(d.app->emoji_picker.open);
    d.app->activate(control::EmojiChoice {"🧩"}, d.doc());
    EXPECT_FALSE(d.app->emoji_picker.open);
    EXPECT_TRUE(reacted("🧩"));
    d.app->activate(control::Reaction {"m_open", "🧩"}, d.doc());
    EXPECT_FALSE(reacted("🧩")) << "the chip toggles the reaction off";

    d.click("chat.composer");
    d.app->activate(control::ComposerEmoji {}, d.doc());
    EXPECT_FALSE(d.app->emoji_picker.target);
    d.app->activate(control::EmojiChoice {"🚀"}, d.doc());
    EXPECT_EQ(d.app->composer.text(), "🚀");
}

TEST(Menus, HistoryOpensWhereClickedAndABackdropClickAbandonsARename)
{
    Driven d("");
    auto const mark = d.rect_of("chat.edit-history:m_lise");
    ASSERT_TRUE(mark);
    orvo_ui::Point const at {mark->x + 3, mark->y + 2};
    d.click(at);
    EXPECT_EQ(d.app->edit_history.msg, "m_lise");
    EXPECT_EQ(d.app->edit_history.anchor, at);

    d.app->edit_history = {};
    d.app->start_rename(RenameTarget::Kind::Channel, "c_frontend");
    d.app->activate(control::Dismiss {}, d.doc());
    EXPECT_FALSE(d.app->rename_target);
    EXPECT_EQ(d.app->model.channel("c_frontend")->name, "frontend");
}
