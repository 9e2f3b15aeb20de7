// The sidebar's and people panel's rules, read from a projected demo model.

#include "app/chat_app.h"
#include "app/views/frame.h"
#include "app/views/people.h"
#include "app/views/sidebar.h"
#include "app/strings/catalog.h"
#include "crdt/document.h"
#include "doc/apply.h"

#include <gtest/gtest.h>

using namespace chat;
using namespace chat::views;

namespace {

struct Demo {
    crdt::Document doc;
    ChatApp app;
    Demo() { app.sync(doc); }
    void apply(ChatAction const& action)
    {
        app.dispatch_chat_action(doc, action);
        app.sync(doc);
    }
};

std::vector<std::string> channel_ids(std::vector<Channel const*> const& channels)
{
    std::vector<std::string> ids;
    for (auto const* c : channels) ids.push_back(c->id);
    return ids;
}

} // namespace

TEST(SidebarRules, BadgeTextAndNouns)
{
    EXPECT_EQ(badge_text(1), "1");
    EXPECT_EQ(badge_text(99), "99");
    EXPECT_EQ(badge_text(100), "99+");
    EXPECT_EQ(badge_text(12345), "99+");
    struct Case {
        std::size_t n;
        bool agent;
        char const* noun;
    } const cases[] = {{0, false, "people"}, {1, false, "person"}, {2, false, "people"},
                       {1, true, "collaborator"}, {3, true, "collaborators"}};
    for (auto const& c : cases) EXPECT_EQ(people_noun(c.n, c.agent), c.noun) << c.n;
}

TEST(SidebarRules, PresencePillCountsOnlinePeople)
{
    std::vector<Person> people {{"u_a", "A", "A", 0, Presence::Online}, {"u_b", "B", "B", 0, Presence::Idle},
                                {"u_c", "C", "C", 0, Presence::Online}};
    EXPECT_EQ(presence_pill_text(people), "2 people online");
    people[2].presence = Presence::Offline;
    EXPECT_EQ(presence_pill_text(people), "1 person online");
    people[1].is_agent = true;
    EXPECT_EQ(presence_pill_text(people), "1 collaborator online");
}

TEST(SidebarRules, InboxGroupsByWorkspaceNameAndUnread)
{
    Demo d;
    d.apply(action::ArchiveChannel {"c_random", true});
    // Everything in Weekend Jam archived: no group for it.
    d.apply(action::ArchiveChannel {"c_ideas", true});
    d.apply(action::ArchiveChannel {"c_music", true});
    auto groups = inbox_groups(d.app.model);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].workspace->name, "Acme Design");
    EXPECT_EQ(groups[1].workspace->name, "Orvo Core");
    // Voice channels and the archived channel are absent; unread first, then order.
    auto acme = channel_ids(groups[0].channels);
    EXPECT_EQ(acme.size(), 3u);
    EXPECT_EQ(std::count(acme.begin(), acme.end(), "c_random"), 0);
    for (std::size_t i = 1; i < groups[0].channels.size(); ++i) {
        auto a = d.app.model.unread_count(groups[0].channels[i - 1]->id);
        auto b = d.app.model.unread_count(groups[0].channels[i]->id);
        EXPECT_TRUE(a > b || (a == b && groups[0].channels[i - 1]->order < groups[0].channels[i]->order));
    }
    auto sidebar = channels_in(d.app.model, "ws_acme", "cat_acme_main");
    EXPECT_EQ(channel_ids(sidebar), (std::vector<std::string> {"c_general", "c_crit", "c_frontend", "c_random"}))
        << "the workspace sidebar still lists the archived channel";
}

TEST(SidebarRules, UpperCaseIsUnicodeAware)
{
    EXPECT_EQ(upper("Voice"), "VOICE");
    EXPECT_EQ(upper("café Øst"), "CAFÉ ØST");
}

TEST(PeopleRules, VoiceFirstThenPresenceThenName)
{
    Demo d;
    std::vector<std::string> order;
    for (auto const& row : people_rows(d.app)) order.push_back(row.person->id);
    // Nell, Lise and Rune sit in the huddle; of them Nell and Lise are online, Rune idle.
    EXPECT_EQ(order, (std::vector<std::string> {"u_lise", "u_nell", "u_rune", "u_me", "u_tomas", "u_pia"}));
    auto rows = people_rows(d.app);
    EXPECT_EQ(rows[0].voice_channel, "c_huddle");
    EXPECT_FALSE(rows[3].voice_channel);
}

TEST(PeopleRules, RowNamesAndPresenceLabels)
{
    Demo d;
    Person me {"u_me", "You", "YU", 0, Presence::Online, true};
    Person agent {"u_bot", "Scout", "SC", 1, Presence::Online, true};
    Person nell {"u_nell", "Nell Yates", "NY", 1};
    EXPECT_EQ(person_row_name(d.app, me), "You (you)") << "(you) wins even for an agent";
    EXPECT_EQ(person_row_name(d.app, agent), "u_bot (agent)") << "not in the workspace: named by id";
    EXPECT_EQ(person_row_name(d.app, nell), "Nell Yates");
    EXPECT_EQ(presence_label(Presence::DoNotDisturb), "Do not disturb");
    EXPECT_EQ(presence_label(Presence::Offline), "Offline");
}

TEST(StringCatalog, EveryKeyParsesWithItsValue)
{
    auto const& catalog = strings::catalog();
    EXPECT_TRUE(catalog.errors().empty());
    EXPECT_EQ(catalog.locale(), "en-US");
    struct Case {
        char const* key;
        char const* value;
    } const cases[] = {
        {"chat-mention-agent-tag", "agent"}, {"chat-identity-available", "Available"},
        {"chat-identity-in-voice", "In voice"}, {"chat-sidebar-add-category", "＋ Category"},
        {"chat-call-mute", "Mute"}, {"chat-call-unmute", "Unmute"}, {"chat-call-deafen", "Deafen"},
        {"chat-call-undeafen", "Undeafen"}, {"chat-call-audio-only", "Audio only"},
        {"chat-call-collapse", "Collapse"}, {"chat-call-leave", "Leave"},
    };
    for (auto const& c : cases) EXPECT_EQ(catalog.t(c.key), c.value) << c.key;
    EXPECT_TRUE(strings::catalog_source().starts_with("# Chat — user-facing strings."));
}
