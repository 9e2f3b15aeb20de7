// The model over the seed content: the fixed world the views and the
// screenshot scenarios rely on, projected end to end.

#include <gtest/gtest.h>

#include "doc/seed.h"
#include "model/messages.h"
#include "model/participants.h"
#include "model/structure.h"
#include "model/unread.h"

namespace chat {
namespace {

template <class Record>
std::vector<std::string> ids_of(std::vector<Record> const& records)
{
    std::vector<std::string> ids;
    for (auto const& record : records)
        ids.push_back(record.id);
    return ids;
}

TEST(ModelOverSeeds, DemoWorld)
{
    crdt::Document doc;
    doc::seed_demo(doc);

    EXPECT_EQ(ids_of(list_people(doc)),
              (std::vector<std::string>{"u_lise", "u_me", "u_nell", "u_pia", "u_rune", "u_tomas"}));
    EXPECT_EQ(find_person(list_people(doc), "u_tomas")->presence, Presence::DoNotDisturb);
    EXPECT_EQ(ids_of(list_workspaces(doc)), (std::vector<std::string>{"ws_acme", "ws_orvo", "ws_jam"}));
    EXPECT_EQ(ids_of(list_categories(doc)), (std::vector<std::string>{"cat_acme_main", "cat_jam_main", "cat_orvo_eng",
                                                                      "cat_acme_voice", "cat_orvo_voice"}));
    // One order sequence across workspaces; the views group them.
    auto const channels = list_channels(doc);
    EXPECT_EQ(ids_of(channels),
              (std::vector<std::string>{"c_general", "c_ideas", "c_kernel", "c_standup", "c_warroom", "c_compositor",
                                        "c_crit", "c_huddle", "c_music", "c_frontend", "c_fssync", "c_random",
                                        "c_releases"}));
    EXPECT_EQ(channels[7].kind, ChannelKind::Voice);
    EXPECT_EQ(channels[7].name, "Design Huddle");

    std::vector<std::string> callers;
    for (auto const& participant : list_participants(doc, "c_huddle"))
        callers.push_back(participant.user + (participant.talking ? "+" : "") + (participant.muted ? "m" : "") +
                          (participant.audio_only ? "a" : ""));
    EXPECT_EQ(callers, (std::vector<std::string>{"u_nell+", "u_lise" "a", "u_rune" "m"}));
    EXPECT_TRUE(list_participants(doc, "c_standup").empty());

    auto const crit = channel_messages(doc, "c_crit");
    ASSERT_EQ(crit.size(), 11u);
    EXPECT_EQ(crit[1].id, "m_concept");
    EXPECT_EQ(crit[1].reactions,
              (std::vector<ReactionGroup>{{"❤️", {"u_me", "u_lise", "u_rune"}}, {"🔥", {"u_tomas"}}}));
    EXPECT_EQ(crit[1].attachment, (Attachment{ImageAttachment{"call-overlay-v3.png", "orvo-demo://call-grid", 640, 360}}));
    EXPECT_EQ(crit[6].id, "m_lise");
    EXPECT_TRUE(crit[6].edited);
    ASSERT_EQ(crit[6].history.size(), 1u);
    EXPECT_EQ(crit[6].history[0].ts, 1782475020);
    EXPECT_EQ(crit[6].reactions.front().users.size(), 4u);
    for (std::size_t index = 8; index < crit.size(); ++index)
        EXPECT_EQ(crit[index].parent, "m_concept") << index;
    EXPECT_EQ(top_level_count(doc, "c_crit"), 8);
    EXPECT_EQ(unread_count(doc, "c_crit", "u_me"), 8);
    EXPECT_EQ(all_messages(doc, channels).size(), 12u);
}

TEST(ModelOverSeeds, StarterWorld)
{
    crdt::Document doc;
    doc::seed_starter(doc, "u_0123456789abcdef", "Ada", "AD");
    auto const people = list_people(doc);
    ASSERT_EQ(people.size(), 1u);
    EXPECT_EQ(people[0], (Person{.id = "u_0123456789abcdef", .name = "Ada", .initials = "AD"}));
    EXPECT_EQ(ids_of(list_channels(doc)), (std::vector<std::string>{"c_general", "c_lounge"}));
    EXPECT_EQ(list_channels(doc)[1].kind, ChannelKind::Voice);
    EXPECT_TRUE(channel_messages(doc, "c_general").empty());
    EXPECT_EQ(unread_count(doc, "c_general", "u_0123456789abcdef"), 0);
}

} // namespace
} // namespace chat
