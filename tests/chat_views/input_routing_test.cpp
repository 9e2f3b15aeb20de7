// Pointer, wheel and key routing over a drawn frame of the demo document.

#include "input_fixture.h"

#include "doc/drafts.h"
#include "model/messages.h"

#include <gtest/gtest.h>

using namespace chat;
using namespace chat::testing;
using orvo_ui::Key;

namespace {

Message const* find_message(Driven& d, std::string_view text)
{
    for (auto const& m : d.app->model.messages)
        if (m.text == text) return &m;
    return nullptr;
}

} // namespace

TEST(InputRouting, TypingKeepsADraftPerConversationAndEnterSendsWithMentions)
{
    Driven d("");
    d.click("chat.composer");
    d.type("draft for crit");
    EXPECT_EQ(doc::read_draft(d.doc(), "c_crit"), "draft for crit");

    d.click("chat.channel:c_frontend");
    EXPECT_EQ(d.app->current_channel, "c_frontend");
    EXPECT_EQ(d.app->composer.text(), "");
    EXPECT_EQ(d.app->composer.placeholder(), "Message #frontend");
    d.click("chat.channel:c_crit");
    EXPECT_EQ(d.app->composer.text(), "draft for crit") << "each channel's unsent draft comes back";

    d.app->composer.set_text("");
    d.app->composer.take_dirty();
    doc::clear_draft(d.doc(), "c_crit");
    d.type("hi @nell yates, look");
    EXPECT_TRUE(d.key(Key::Enter));
    auto const* sent = find_message(d, "hi @nell yates, look");
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->author, "u_me");
    EXPECT_FALSE(sent->parent);
    ASSERT_EQ(sent->mentions.size(), 1u);
    EXPECT_EQ(sent->mentions[0].start, 3u);
    EXPECT_EQ(sent->mentions[0].len, 11u);
    EXPECT_EQ(sent->mentions[0].user, "u_nell");
    EXPECT_TRUE(sent->id.starts_with("m_"));
    EXPECT_EQ(doc::read_draft(d.doc(), "c_crit"), "") << "sending clears the draft";
    EXPECT_EQ(d.app->composer.text(), "");
    EXPECT_TRUE(d.app->follow_latest);

    auto const before = d.doc().heads();
    auto const count = d.app->model.messages.size();
    d.type("   ");
    d.key(Key::Enter);
    EXPECT_EQ(d.app->model.messages.size(), count) << "white space alone is not sent";
    EXPECT_TRUE(d.app->composer.focused());
    EXPECT_NE(d.doc().heads(), before) << "the typed spaces stay as the draft";
}

TEST(InputRouting, ThreadRepliesUseTheirOwnDraft)
{
    Driven d("thread-narrow");
    ASSERT_EQ(d.app->open_thread, "m_concept");
    d.click("chat.thread-composer");
    EXPECT_TRUE(d.app->thread_composer_focused);
    EXPECT_TRUE(d.app->thread_composer.focused());
    EXPECT_FALSE(d.app->composer.focused());
    d.type("reply text");
    EXPECT_EQ(doc::read_draft(d.doc(), doc::thread_draft_key("c_crit", "m_concept")), "reply text");
    EXPECT_EQ(doc::read_draft(d.doc(), "c_crit"), "");
    d.key(Key::Enter, {.shift = true});
    d.type("second line");
    d.key(Key::Enter);
    auto const* reply = find_message(d, "reply text\nsecond line");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->parent, "m_concept");
}

TEST(InputRouting, EscapeChainClosesOneThingAtATime)
{
    Driven d("thread-narrow");
    d.app->attach_panel_open = true;
    d.key(Key::Escape);
    EXPECT_FALSE(d.app->attach_panel_open);
    EXPECT_EQ(d.app->open_thread, "m_concept") << "only the picker closed";
    d.key(Key::Escape);
    EXPECT_FALSE(d.app->open_thread);

    d.app->emoji_picker = EmojiPicker {true, std::string("m_open"), {10, 10}};
    d.app->edit_history = EditHistoryPopup {std::string("m_open"), {10, 10}};
    d.key(Key::Escape);
    EXPECT_FALSE(d.app->emoji_picker.open);
    EXPECT_FALSE(d.app->emoji_picker.target);
    EXPECT_TRUE(d.app->edit_history.msg);
    d.key(Key::Escape);
    EXPECT_FALSE(d.app->edit_history.msg);
}

TEST(InputRouting, RenameAndEditOwnTheKeysBeforeEverythingElse)
{
    Driven d("");
    d.app->start_rename(RenameTarget::Kind::Channel, "c_crit");
    EXPECT_TRUE(d.app->rename_input.focused());
    EXPECT_EQ(d.app->rename_input.text(), "design-crit");
    d.app->attach_panel_open = true;
    d.key(Key::Escape);
    EXPECT_FALSE(d.app->rename_target);
    EXPECT_TRUE(d.app->attach_panel_open) << "Escape cancelled the rename, nothing else";
    d.app->attach_panel_open = false;

    d.app->begin_edit("m_me2");
    EXPECT_TRUE(d.app->edit_input.focused());
    EXPECT_FALSE(d.app->composer.focused());
    d.key(Key::End, {.ctrl = true}); // goes to the edit input, not to the timeline
    d.type(" Moved.");
    d.key(Key::Enter);
    EXPECT_FALSE(d.app->editing_message);
    auto const* edited = d.app->model.message("m_me2");
    ASSERT_TRUE(edited);
    EXPECT_TRUE(edited->text.ends_with("jump in. Moved."));
    EXPECT_TRUE(edited->edited);
    EXPECT_TRUE(d.app->composer.focused()) << "focus returns to the main composer";

    d.app->begin_edit("m_me2");
    d.app->edit_input.set_text("  ");
    d.key(Key::Enter);
    EXPECT_FALSE(d.app->editing_message) << "an empty edit still leaves edit mode";
    EXPECT_TRUE(d.app->model.message("m_me2")->text.ends_with("Moved.")) << "and keeps the text";
}

TEST(InputRouting, TabWrapsAroundTheSyntheticNodes)
{
    Driven d("");
    auto const count = d.app->synthetic_nodes().size();
    ASSERT_GT(count, 3u);
    d.key(Key::Tab, {.shift = true});
    EXPECT_EQ(d.app->focus_cursor, count - 1) << "Shift+Tab without a cursor starts at the last node";
    d.key(Key::Tab);
    EXPECT_EQ(d.app->focus_cursor, 0u) << "Tab from the last wraps to the first";
    d.key(Key::Tab, {.shift = true});
    EXPECT_EQ(d.app->focus_cursor, count - 1);
    EXPECT_EQ(d.app->focus_ring, d.app->synthetic_nodes()[count - 1].region);

    // Landing on the composer node gives the composer the keyboard; elsewhere both composers lose it.
    auto const nodes = d.app->synthetic_nodes();
    auto composer = std::find_if(nodes.begin(), nodes.end(), [](auto const& n) { return n.id == "chat.composer"; });
    ASSERT_NE(composer, nodes.end());
    d.app->focus_synthetic_accessibility(std::array {std::size_t(composer - nodes.begin())});
    EXPECT_TRUE(d.app->composer.focused());
    d.key(Key::Tab);
    EXPECT_FALSE(d.app->composer.focused());

    // Enter activates the focused node: the inbox button.
    auto inbox = std::find_if(nodes.begin(), nodes.end(), [](auto const& n) { return n.id == "chat.inbox"; });
    ASSERT_NE(inbox, nodes.end());
    d.app->focus_synthetic_accessibility(std::array {std::size_t(inbox - nodes.begin())});
    d.key(Key::Enter);
    EXPECT_TRUE(d.app->inbox_open);
    d.send(orvo_ui::PointerDown {{1, 1}});
    EXPECT_FALSE(d.app->focus_cursor) << "a press clears the cursor";
}

TEST(InputRouting, WheelScrollsByLinesOrPixels)
{
    Driven d("");
    d.send(orvo_ui::Wheel {{400, 300}, 0, 1, {}, orvo_ui::WheelUnit::Lines});
    EXPECT_FALSE(d.app->follow_latest);
    EXPECT_DOUBLE_EQ(d.app->timeline_scroll, 44);
    d.app->timeline_scroll = 100;
    d.app->follow_latest = false;
    d.app->handle_event(orvo_ui::Wheel {{400, 300}, 0, -30, {}, orvo_ui::WheelUnit::Pixels}, d.doc());
    EXPECT_DOUBLE_EQ(d.app->timeline_scroll, 70);
    EXPECT_FALSE(d.app->follow_latest) << "scrolling towards the newest does not turn following on by itself";
    d.key(Key::End, {.ctrl = true});
    EXPECT_DOUBLE_EQ(d.app->timeline_scroll, 0);
    EXPECT_TRUE(d.app->follow_latest);
}

TEST(InputRouting, SwipingAChannelRowDeletesOpensOrSpringsBack)
{
    struct Case {
        double distance;
        bool deleted;
        bool opened;
    };
    for (auto c : {Case {87, false, false}, Case {88, true, false}, Case {5, false, true}}) {
        Driven d("");
        auto const start = d.center_of("chat.channel:c_frontend");
        d.send(orvo_ui::PointerDown {start});
        ASSERT_TRUE(d.app->channel_swipe) << c.distance;
        EXPECT_EQ(d.app->current_channel, "c_crit") << "nothing opens on the press";
        orvo_ui::Point const end {start.x + c.distance, start.y};
        d.send(orvo_ui::PointerMove {end});
        d.send(orvo_ui::PointerUp {end});
        EXPECT_FALSE(d.app->channel_swipe);
        EXPECT_EQ(d.app->model.channel("c_frontend") == nullptr, c.deleted) << c.distance;
        EXPECT_EQ(d.app->current_channel == "c_frontend", c.opened) << c.distance;
    }
}

TEST(InputRouting, SecondaryClickOpensTheMenuOfWhatIsUnderThePointer)
{
    Driven d("");
    d.click({700, 5}, orvo_ui::MouseButton::Right); // the header strip records no control there
    EXPECT_FALSE(d.app->context_menu);
    d.click("chat.inbox", orvo_ui::MouseButton::Right);
    EXPECT_EQ(d.menu_labels(), std::vector<std::string> {"New category"});
    EXPECT_EQ(d.app->context_menu->id, "ws_acme");
    d.key(Key::Escape);
    EXPECT_FALSE(d.app->context_menu);

    d.click("chat.channel:c_frontend", orvo_ui::MouseButton::Right);
    EXPECT_EQ(d.menu_labels(), (std::vector<std::string> {"Delete", "Archive / unarchive", "Rename", "Move up", "Move down"}));
    d.click("chat.category-toggle:cat_acme_main", orvo_ui::MouseButton::Right);
    EXPECT_EQ(d.menu_labels(),
              (std::vector<std::string> {"New text channel", "New voice channel", "Rename", "Collapse / expand", "Delete"}));

    d.app->context_menu.reset();
    d.app->open_context_menu(control::MessageMenu {"m_open"}, {300, 300});
    EXPECT_FALSE(d.app->context_menu) << "another person's message has no menu";
    d.app->open_context_menu(control::MessageMenu {"m_me2"}, {300, 300});
    EXPECT_EQ(d.menu_labels(), (std::vector<std::string> {"Edit message", "Pin / unpin", "Delete message"}));
}

TEST(InputRouting, PermissionRefusalSkipsGuardedEffectsAndKeepsDrafts)
{
    Driven d("");
    d.click("chat.composer");
    d.type("kept");
    d.app->permissions = orvo_ui::permissions::PermissionContext::read_only();
    auto const heads = d.doc().heads();
    d.click("chat.category-toggle:cat_acme_main");
    d.key(Key::Enter);
    EXPECT_EQ(d.doc().heads(), heads) << "no collapse, no send";
    EXPECT_EQ(doc::read_draft(d.doc(), "c_crit"), "kept");
    EXPECT_FALSE(d.type("x")) << "typing is not taken while refused";
    d.click("chat.channel:c_frontend");
    EXPECT_EQ(d.app->current_channel, "c_frontend") << "navigation needs no permission";
}
