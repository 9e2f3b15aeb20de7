#include "app/local_identity.h"

#include "ui/presence/presence_ctx.h"

#include <gtest/gtest.h>

using namespace chat;

TEST(LocalIdentity, InitialsFromNames)
{
    struct Case {
        char const* name;
        char const* initials;
    } const cases[] = {
        {"You", "YU"}, {"Ada Lovelace", "AL"}, {"  grace  brewster murray hopper ", "GH"},
        {"Øyvind", "ØD"}, {"é", "É"}, {"", "?"}, {"   ", "?"},
    };
    for (auto const& c : cases) EXPECT_EQ(initials_for(c.name), c.initials) << "'" << c.name << "'";
}

TEST(LocalIdentity, Fnv1aMatchesTheReferenceVectors)
{
    EXPECT_EQ(fnv1a64(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(fnv1a64("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(fnv1a64("foobar"), 0x85944171f73967e8ull);
}

TEST(LocalIdentity, PresenceRenamesAndKeepsFormerIdsOnce)
{
    LocalIdentity me;
    orvo_ui::presence::PresenceCtx ctx;
    ctx.set_self("u_aaaa", "Ada");
    ctx.set_person("u_bob", "  Bob  ");
    ctx.set_person("u_blank", "   ");
    apply_presence(me, ctx);
    EXPECT_EQ(me.id, "u_aaaa");
    EXPECT_EQ(me.color_index, std::int64_t(fnv1a64("u_aaaa") % 8));
    EXPECT_EQ(me.name, "Ada");
    EXPECT_EQ(me.initials, "AA") << "one word: its first and last letters";
    EXPECT_EQ(me.former_ids, std::vector<std::string>{"u_me"});
    EXPECT_EQ(me.presence_names.at("u_bob"), "Bob");
    EXPECT_FALSE(me.presence_names.contains("u_blank"));

    ctx.set_self("u_me", "Ada");
    apply_presence(me, ctx);
    ctx.set_self("u_aaaa", "Ada");
    apply_presence(me, ctx);
    EXPECT_EQ(me.former_ids, (std::vector<std::string>{"u_me", "u_aaaa"})) << "each former id is kept once";
    EXPECT_TRUE(me.is_local("u_me"));

    ctx.remove_person("u_bob");
    apply_presence(me, ctx);
    EXPECT_FALSE(me.presence_names.contains("u_bob"));
}

TEST(LocalIdentity, DisplayNamesPreferPresenceThenPeopleThenTheLocalName)
{
    LocalIdentity me;
    me.id = "u_new";
    me.former_ids = {"u_old"};
    me.name = "Me Myself";
    me.presence_names["u_p"] = "From Presence";
    std::vector<Person> people{{"u_p", "Doc Name"}, {"u_q", "Quinn"}, {"u_blank", "  "}};
    EXPECT_EQ(display_name(me, people, "u_p"), "From Presence");
    EXPECT_EQ(display_name(me, people, "u_q"), "Quinn");
    EXPECT_EQ(display_name(me, people, "u_old"), "Me Myself");
    EXPECT_EQ(display_name(me, people, "u_blank"), "u_blank");
    EXPECT_EQ(display_name(me, people, "u_nobody"), "u_nobody");
}
