// Seed content: written once, with the fixed ids the scenarios rely on.

#include "doc/messages.h"
#include "doc/read.h"
#include "doc/seed.h"
#include "doc/structure.h"
#include "doc_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace chat::doc {
namespace {

using namespace test;

std::size_t table_size(crdt::Document const& doc, std::string_view table)
{
    return doc.keys(path(doc, {table})).size();
}

std::vector<std::string> ids_of(std::vector<ChannelPlace> const& places, std::string_view category)
{
    std::vector<std::string> ids;
    for (auto const& p : places) {
        if (p.category == category)
            ids.push_back(p.id);
    }
    return ids;
}

struct ReactionEntry {
    std::string emoji, user;
    bool operator==(ReactionEntry const&) const = default;
};

std::vector<ReactionEntry> reactions_of(crdt::Document const& doc, crdt::ObjId const& message)
{
    std::vector<ReactionEntry> out;
    auto const list = object_at(doc, message, "reactions");
    for (std::size_t i = 0; i < doc.length(list); ++i) {
        auto const e = object_at(doc, list, i);
        out.push_back({*read_string(doc, e, "emoji"), *read_string(doc, e, "user")});
    }
    return out;
}

class DemoSeed : public testing::Test {
protected:
    void SetUp() override { seed_demo(doc); }
    crdt::ObjId crit(std::string_view id) { return find_message(doc, "c_crit", id).value().message; }
    crdt::Document doc;
};

TEST_F(DemoSeed, HasTheDocumentedShape)
{
    EXPECT_EQ(read_boolean(doc, root, "seeded"), true);
    EXPECT_EQ(table_size(doc, "users"), 6u);
    EXPECT_EQ(table_size(doc, "workspaces"), 3u);
    EXPECT_EQ(table_size(doc, "categories"), 5u);
    EXPECT_EQ(table_size(doc, "channels"), 13u);
    EXPECT_EQ(message_ids(doc, "c_general").size(), 1u);
    EXPECT_EQ(doc.keys(path(doc, {"voice", "c_huddle"})), (std::vector<std::string>{"u_lise", "u_nell", "u_rune"}));
    EXPECT_EQ(doc.keys(path(doc, {"voice"})), (std::vector<std::string>{"c_huddle", "c_standup", "c_warroom"}));
    EXPECT_EQ(doc.length(path(doc, {"voice", "c_standup"})), 0u);
}

TEST_F(DemoSeed, ChannelsSitInTheirCategoriesInOrder)
{
    auto const places = channel_places(doc);
    EXPECT_EQ(ids_of(places, "cat_acme_main"), (std::vector<std::string>{"c_general", "c_crit", "c_frontend", "c_random"}));
    EXPECT_EQ(ids_of(places, "cat_acme_voice"), (std::vector<std::string>{"c_standup", "c_huddle"}));
    EXPECT_EQ(ids_of(places, "cat_orvo_eng"),
              (std::vector<std::string>{"c_kernel", "c_compositor", "c_fssync", "c_releases"}));
    EXPECT_EQ(ids_of(places, "cat_orvo_voice"), (std::vector<std::string>{"c_warroom"}));
    EXPECT_EQ(ids_of(places, "cat_jam_main"), (std::vector<std::string>{"c_ideas", "c_music"}));
    auto const crit = path(doc, {"channels", "c_crit"});
    EXPECT_EQ(read_string(doc, crit, "name"), "design-crit");
    EXPECT_EQ(read_string(doc, crit, "topic"), "Share work, get sharp feedback");
    EXPECT_EQ(read_string(doc, path(doc, {"channels", "c_huddle"}), "kind"), "voice");
    EXPECT_EQ(read_string(doc, path(doc, {"users", "u_tomas"}), "status"), "dnd");
    EXPECT_EQ(read_integer(doc, path(doc, {"users", "u_pia"}), "color_idx"), 6);
    EXPECT_EQ(read_integer(doc, path(doc, {"workspaces", "ws_jam"}), "color_idx"), 3);
}

TEST_F(DemoSeed, CallFlagsFollowTheTable)
{
    struct Row {
        char const* user;
        bool talking, muted, deafened, audio_only;
    };
    for (auto const& row : {Row{"u_nell", true, false, false, false}, Row{"u_rune", false, true, false, false},
                            Row{"u_lise", false, false, false, true}}) {
        SCOPED_TRACE(row.user);
        auto const p = path(doc, {"voice", "c_huddle", row.user});
        EXPECT_EQ(read_boolean(doc, p, "talking"), row.talking);
        EXPECT_EQ(read_boolean(doc, p, "muted"), row.muted);
        EXPECT_EQ(read_boolean(doc, p, "deafened"), row.deafened);
        EXPECT_EQ(read_boolean(doc, p, "audio_only"), row.audio_only);
        EXPECT_EQ(read_boolean(doc, p, "sharing"), false);
    }
}

TEST_F(DemoSeed, CritConversationInInsertionOrderWithRepliesLast)
{
    auto const ids = message_ids(doc, "c_crit");
    ASSERT_EQ(ids.size(), 11u);
    std::vector<std::string> const top(ids.begin(), ids.begin() + 8);
    EXPECT_EQ(top, (std::vector<std::string>{"m_open", "m_concept", "m_me1", "m_rune", "m_tomas", "m_clip", "m_lise",
                                             "m_me2"}));
    auto const fresh = [](std::string const& id) {
        return id.size() == 34 && id.starts_with("m_")
            && std::all_of(id.begin() + 2, id.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
    };
    std::vector<std::int64_t> reply_times;
    for (std::size_t i = 8; i < 11; ++i) {
        EXPECT_TRUE(fresh(ids[i])) << ids[i];
        auto const reply = find_message(doc, "c_crit", ids[i]).value().message;
        EXPECT_EQ(read_string(doc, reply, "parent"), "m_concept");
        reply_times.push_back(*read_integer(doc, reply, "ts"));
    }
    EXPECT_EQ(reply_times, (std::vector<std::int64_t>{1782472020, 1782472080, 1782472200}));
    auto const pulse = find_message(doc, "c_crit", ids[9]).value().message;
    EXPECT_EQ(reactions_of(doc, pulse), (std::vector<ReactionEntry>{{"👍", "u_me"}}));
}

TEST_F(DemoSeed, MessageDetails)
{
    EXPECT_EQ(read_integer(doc, crit("m_open"), "ts"), 1782471840);
    EXPECT_EQ(read_string(doc, crit("m_open"), "author"), "u_nell");
    EXPECT_EQ(reactions_of(doc, crit("m_concept")),
              (std::vector<ReactionEntry>{{"❤️", "u_me"}, {"❤️", "u_lise"}, {"❤️", "u_rune"}, {"🔥", "u_tomas"}}));

    auto const image = object_at(doc, crit("m_concept"), "attachment");
    EXPECT_EQ(read_string(doc, image, "kind"), "image");
    EXPECT_EQ(read_string(doc, image, "blob"), "orvo-demo://call-grid");
    EXPECT_EQ(read_integer(doc, image, "w"), 640);
    EXPECT_EQ(read_integer(doc, image, "h"), 360);

    auto const video = object_at(doc, crit("m_clip"), "attachment");
    EXPECT_EQ(read_string(doc, video, "name"), "tile-promotion.webm");
    EXPECT_EQ(read_integer(doc, video, "size"), 6815744);
    EXPECT_EQ(read_integer(doc, video, "w"), 1280);

    auto const file = object_at(doc, crit("m_tomas"), "attachment");
    EXPECT_EQ(read_string(doc, file, "kind"), "file");
    EXPECT_EQ(read_integer(doc, file, "size"), 18944);
    EXPECT_FALSE(has_key(doc, file, "w"));

    auto const lise = crit("m_lise");
    EXPECT_EQ(read_boolean(doc, lise, "edited"), true);
    auto const history = object_at(doc, lise, "history");
    ASSERT_EQ(doc.length(history), 1u);
    EXPECT_EQ(read_integer(doc, object_at(doc, history, 0), "ts"), 1782475020);
    EXPECT_EQ(read_string(doc, object_at(doc, history, 0), "text"),
              "Wired up screen-share — the presenter gets a featured tile, everyone else goes to a filmstrip.");
    EXPECT_EQ(reactions_of(doc, lise).size(), 5u);
    EXPECT_EQ(reactions_of(doc, lise).back(), (ReactionEntry{"👀", "u_pia"}));

    EXPECT_EQ(read_boolean(doc, crit("m_me1"), "edited"), false);
    EXPECT_EQ(read_text(doc, crit("m_me2"), "text"),
              "That's the one. Starting a huddle to walk through the grid — jump in.");

    auto const general = message_ids(doc, "c_general");
    auto const welcome = find_message(doc, "c_general", general.at(0)).value().message;
    EXPECT_EQ(read_string(doc, welcome, "author"), "u_pia");
    EXPECT_EQ(read_integer(doc, welcome, "ts"), 1782464400);
    EXPECT_EQ(read_string(doc, welcome, "parent"), "");
    EXPECT_EQ(reactions_of(doc, welcome).size(), 3u);
}

TEST_F(DemoSeed, SeparateSeedsDifferOnlyInFreshIds)
{
    crdt::Document other;
    seed_demo(other);
    auto const a = message_ids(doc, "c_crit");
    auto const b = message_ids(other, "c_crit");
    EXPECT_TRUE(std::equal(a.begin(), a.begin() + 8, b.begin()));
    EXPECT_NE(a[8], b[8]);
}

TEST(Seeding, EitherSeedOnASeededDocumentChangesNothing)
{
    crdt::Document doc;
    seed_starter(doc, "u_me", "You", "YU");
    auto const heads = doc.heads();
    seed_starter(doc, "u_other", "Other", "OT");
    seed_demo(doc);
    EXPECT_EQ(doc.heads(), heads);
    EXPECT_EQ(table_size(doc, "channels"), 2u);
}

TEST(Seeding, SeededFlagOfAnotherKindIsNotSeeded)
{
    crdt::Document doc;
    must(doc.put(root, "seeded", str("true")));
    EXPECT_FALSE(is_seeded(doc));
    seed_starter(doc, "u_me", "You", "YU");
    EXPECT_TRUE(is_seeded(doc));
}

TEST(Seeding, StarterWorkspaceForTheLocalPerson)
{
    crdt::Document doc;
    seed_starter(doc, "u_0123456789abcdef", "Ada Lovelace", "AL");
    auto const user = path(doc, {"users", "u_0123456789abcdef"});
    EXPECT_EQ(read_string(doc, user, "name"), "Ada Lovelace");
    EXPECT_EQ(read_string(doc, user, "initials"), "AL");
    EXPECT_EQ(read_integer(doc, user, "color_idx"), 0);
    EXPECT_EQ(read_string(doc, user, "status"), "online");

    auto const ws = path(doc, {"workspaces", "ws_home"});
    EXPECT_EQ(read_string(doc, ws, "name"), "My Workspace");
    EXPECT_EQ(read_string(doc, ws, "glyph"), "MW");
    auto const places = channel_places(doc);
    EXPECT_EQ(ids_of(places, "cat_home_text"), std::vector<std::string>{"c_general"});
    EXPECT_EQ(ids_of(places, "cat_home_voice"), std::vector<std::string>{"c_lounge"});
    EXPECT_EQ(read_string(doc, path(doc, {"channels", "c_lounge"}), "name"), "Lounge");
    EXPECT_EQ(read_string(doc, path(doc, {"channels", "c_lounge"}), "kind"), "voice");
    EXPECT_EQ(read_integer(doc, path(doc, {"categories", "cat_home_voice"}), "order"), 1);
    EXPECT_EQ(doc.length(path(doc, {"voice", "c_lounge"})), 0u);
    EXPECT_FALSE(has_key(doc, root, "messages"));
}

} // namespace
} // namespace chat::doc
