#include "fixture.h"

#include "doc/drafts.h"
#include "doc/seed.h"
#include "model/structure.h"

#include <gtest/gtest.h>

using namespace chat;
using namespace chat::testing;

TEST(ChatAppSync, InteractiveStartSeedsTheStarterAndChoosesTheFirstTextChannel)
{
    crdt::Document doc;
    ChatApp app;
    app.interactive = true;
    app.local_identity.id = "u_0123456789abcdef";
    app.local_identity.name = "Ada Lovelace";
    app.local_identity.initials = "AL";
    app.local_identity.color_index = 5;
    app.current_workspace.clear();
    app.rail_workspace.clear();
    app.current_channel.clear();
    app.open_thread.reset();

    app.sync(doc);
    EXPECT_EQ(app.current_workspace, "ws_home");
    EXPECT_EQ(app.rail_workspace, "ws_home");
    EXPECT_EQ(app.current_channel, "c_general");
    auto people = list_people(doc);
    auto const* me = find_person(people, "u_0123456789abcdef");
    ASSERT_NE(me, nullptr);
    EXPECT_EQ(me->name, "Ada Lovelace");
    EXPECT_EQ(me->color_index, 5) << "the presence update corrects the starter's colour";

    // A second frame over an unchanged document writes nothing.
    auto heads = doc.heads();
    app.sync(doc);
    EXPECT_EQ(doc.heads(), heads);
}

TEST(ChatAppSync, ScreenshotAppSeedsTheDemoAndNeverWritesPresence)
{
    crdt::Document doc;
    ChatApp app;
    app.local_identity.name = "Somebody Else";
    app.sync(doc);
    EXPECT_EQ(app.current_channel, "c_crit");
    EXPECT_EQ(app.open_thread, "m_concept");
    EXPECT_EQ(app.model.workspaces.size(), 3u);
    auto const* me = find_person(list_people(doc), "u_me");
    ASSERT_NE(me, nullptr);
    EXPECT_EQ(me->name, "You");
}

TEST(ChatAppSync, StarterHintSeedsTheStarterForTheDemoIdentity)
{
    crdt::Document doc;
    ChatApp app;
    app.starter_hint = true;
    app.sync(doc);
    EXPECT_EQ(app.current_workspace, "ws_home") << "ws_acme does not exist, so selection repair moves";
    EXPECT_EQ(app.current_channel, "c_general");
    EXPECT_NE(find_person(list_people(doc), "u_me"), nullptr);
}

TEST(ChatAppSync, DocumentWithoutWorkspacesLeavesTheSelectionAlone)
{
    crdt::Document doc;
    ASSERT_TRUE(doc.put(crdt::ROOT, "seeded", true));
    ChatApp app;
    app.sync(doc);
    EXPECT_EQ(app.current_workspace, "ws_acme");
    EXPECT_EQ(app.current_channel, "c_crit");
    EXPECT_TRUE(app.model.messages.empty());
}

TEST(ChatAppSync, DeletingTheOpenChannelMovesToTheFirstTextChannelOrKeepsTheId)
{
    crdt::Document doc;
    ChatApp app;
    app.sync(doc);
    ASSERT_EQ(app.current_channel, "c_crit");
    ASSERT_TRUE(app.open_thread);

    doc::apply_chat_action(doc, action::DeleteChannel{"c_crit"});
    app.sync(doc);
    EXPECT_EQ(app.current_channel, "c_general");
    EXPECT_FALSE(app.open_thread) << "the thread's root went with its channel";

    // A workspace with no text channel left keeps the deleted id and shows nothing.
    for (auto id : {"c_general", "c_frontend", "c_random"}) doc::apply_chat_action(doc, action::DeleteChannel{id});
    app.sync(doc);
    EXPECT_EQ(app.current_channel, "c_general");
    EXPECT_TRUE(app.model.messages.empty());
}

TEST(ChatAppSync, ReadMarkingFollowsTheLatestMessageOnly)
{
    crdt::Document doc;
    ChatApp app;
    app.local_identity.id = "u_me";
    app.sync(doc);
    EXPECT_EQ(read_marker(doc, "c_crit", "u_me"), 8) << "the open channel is marked read on the first frame";

    app.follow_latest = false;
    doc::apply_chat_action(doc, message("c_crit", "m_new", "u_nell", "scrolled away"));
    app.sync(doc);
    EXPECT_EQ(read_marker(doc, "c_crit", "u_me"), 8);
    EXPECT_EQ(app.model.unread_count("c_crit"), 0) << "the open channel never shows a count";

    app.follow_latest = true;
    app.sync(doc);
    EXPECT_EQ(read_marker(doc, "c_crit", "u_me"), 9);
}

TEST(ChatAppSync, UnreadCountsOfOtherChannels)
{
    crdt::Document doc;
    ChatApp app;
    app.sync(doc);
    EXPECT_EQ(app.model.unread_count("c_general"), 1);
    doc::apply_chat_action(doc, message("c_general", "m_g2", "u_nell", "second"));
    app.sync(doc);
    EXPECT_EQ(app.model.unread_count("c_general"), 2);
    EXPECT_EQ(app.model.unread_count("c_crit"), 0);
}

TEST(ChatAppSync, WorkspacePeopleIncludeReactorsMentionedAndTheLocalPerson)
{
    crdt::Document doc;
    ChatApp app;
    app.sync(doc);
    // In ws_acme u_pia only wrote the welcome message and reacted; everyone else took part too.
    auto ids = ids_of(app.model.workspace_people);
    for (auto id : {"u_me", "u_nell", "u_rune", "u_lise", "u_tomas", "u_pia"})
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id;

    // A workspace where nobody wrote still lists the local person.
    app.current_workspace = "ws_jam";
    app.current_channel = "c_ideas";
    app.sync(doc);
    EXPECT_EQ(ids_of(app.model.workspace_people), std::vector<std::string>{"u_me"});

    // Somebody only mentioned in a message there is counted.
    auto send = message("c_ideas", "m_ment", "u_me", "hi @Pia Lund");
    send.mentions.push_back(Mention{"u_pia", 3, 9, false});
    doc::apply_chat_action(doc, send);
    app.sync(doc);
    EXPECT_EQ(ids_of(app.model.workspace_people), (std::vector<std::string>{"u_pia", "u_me"}))
        << "sorted by name: \"Pia Lund\" before \"You\"";
}

TEST(ChatAppSync, UnchangedDocumentGivesAnIdenticalModel)
{
    crdt::Document doc;
    ChatApp app;
    app.sync(doc);
    auto const copy = [](std::vector<std::span<Message const>> const& lists) {
        std::vector<Message> all;
        for (auto const& list : lists) all.insert(all.end(), list.begin(), list.end());
        return all;
    };
    auto const before = copy(app.model.all_messages);
    auto heads = doc.heads();
    app.sync(doc);
    EXPECT_EQ(doc.heads(), heads);
    EXPECT_EQ(copy(app.model.all_messages), before);
    EXPECT_EQ(app.model.messages.size(), 11u);
}

TEST(ChatAppSync, DraftsFollowTheConversation)
{
    crdt::Document doc;
    ChatApp app;
    app.open_thread.reset();
    app.sync(doc);
    app.composer.set_text("half a thought");
    app.composer.insert_at_cursor("!");
    app.sync(doc);
    EXPECT_EQ(doc::read_draft(doc, "c_crit"), "half a thought!");

    app.current_channel = "c_general";
    app.sync(doc);
    EXPECT_EQ(app.composer.text(), "");
    app.current_channel = "c_crit";
    app.sync(doc);
    EXPECT_EQ(app.composer.text(), "half a thought!");
}

TEST(ChatAppSync, ChangesThatTouchNoMessageCopyNoMessages)
{
    crdt::Document doc;
    ChatApp app;
    app.sync(doc);
    auto const revision = app.model.messages_revision;
    auto const people = app.model.workspace_people;

    doc::set_draft(doc, "c_crit", "typing…");
    app.sync(doc);
    EXPECT_EQ(app.model.messages_revision, revision) << "a draft keystroke re-reads no message";
    EXPECT_EQ(app.model.workspace_people, people);

    app.dispatch_chat_action(doc, message("c_crit", "m_new", "u_stranger", "hello"));
    app.sync(doc);
    EXPECT_GT(app.model.messages_revision, revision);
    EXPECT_EQ(app.model.messages.back().id, "m_new");

    app.current_channel = "c_general";
    app.sync(doc);
    EXPECT_EQ(app.model.messages.front().channel, "c_general") << "another conversation copies its messages";
    EXPECT_EQ(app.model.workspace_people, people);
}
