#include <gtest/gtest.h>

#include "doc_builder.h"
#include "model/structure.h"

namespace chat {
namespace {

using test::DocBuilder;

TEST(ModelStructure, PeopleInIdOrderWithPresenceAndDefaults)
{
    DocBuilder b;
    struct Case {
        char const* id;
        crdt::ScalarValue status;
        Presence presence;
    };
    Case const cases[] = {
        {"u_a", std::string("idle"), Presence::Idle},
        {"u_b", std::string("dnd"), Presence::DoNotDisturb},
        {"u_c", std::string("offline"), Presence::Offline},
        {"u_d", std::string("online"), Presence::Online},
        {"u_e", std::string("busy"), Presence::Online},
        {"u_f", std::string("Idle"), Presence::Online},
        {"u_g", std::int64_t{2}, Presence::Online},
    };
    // Written in reverse so that the order comes from the projection.
    for (auto index = std::size(cases); index-- > 0;)
        b.put(b.record("users", cases[index].id), "status", cases[index].status);
    auto const nell = b.record("users", "u_nell");
    b.put(nell, "name", "Nell");
    b.put(nell, "initials", "NE");
    b.put(nell, "color_idx", std::int64_t{6});
    b.put(nell, "agent", true);
    b.put(b.record("users", "u_bare"), "agent", "true"); // not a boolean
    b.put(b.table_map("users"), "u_00", "not a record");

    auto const people = list_people(b.doc);
    std::vector<std::string> ids;
    for (auto const& person : people)
        ids.push_back(person.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"u_a", "u_b", "u_bare", "u_c", "u_d", "u_e", "u_f", "u_g",
                                             "u_nell"}));
    for (auto const& test : cases) {
        auto const* person = find_person(people, test.id);
        ASSERT_NE(person, nullptr) << test.id;
        EXPECT_EQ(person->presence, test.presence) << test.id;
    }
    EXPECT_EQ(*find_person(people, "u_nell"),
              (Person{.id = "u_nell", .name = "Nell", .initials = "NE", .color_index = 6,
                      .presence = Presence::Online, .is_agent = true}));
    EXPECT_EQ(*find_person(people, "u_bare"), (Person{.id = "u_bare"}));
    EXPECT_EQ(find_person(people, "u_00"), nullptr);
    EXPECT_EQ(find_person(people, "u_missing"), nullptr);
}

TEST(ModelStructure, RecordsSortByUnsignedOrderWithTiesInIdOrder)
{
    DocBuilder b;
    auto const order = [&](char const* table, char const* id, std::int64_t value) {
        b.put(b.record(table, id), "order", value);
    };
    order("workspaces", "ws_c", 1);
    order("workspaces", "ws_a", 1);
    order("workspaces", "ws_neg", -1); // 4294967295 as unsigned 32-bit
    order("workspaces", "ws_big", 4294967296 + 2); // low 32 bits: 2
    b.record("workspaces", "ws_none");            // no order: 0
    order("categories", "cat_b", 0);
    order("categories", "cat_a", 0);
    order("channels", "c_z", 0);
    order("channels", "c_y", 0);
    order("channels", "c_first", -4294967296); // low 32 bits: 0

    auto const ids = [](auto const& records) {
        std::vector<std::string> out;
        for (auto const& record : records)
            out.push_back(record.id);
        return out;
    };
    auto const workspaces = list_workspaces(b.doc);
    EXPECT_EQ(ids(workspaces), (std::vector<std::string>{"ws_none", "ws_a", "ws_c", "ws_big", "ws_neg"}));
    EXPECT_EQ(workspaces.back().order, 4294967295u);
    EXPECT_EQ(ids(list_categories(b.doc)), (std::vector<std::string>{"cat_a", "cat_b"}));
    EXPECT_EQ(ids(list_channels(b.doc)), (std::vector<std::string>{"c_first", "c_y", "c_z"}));
}

TEST(ModelStructure, FieldsAndDefaults)
{
    DocBuilder b;
    auto const ws = b.record("workspaces", "ws_home");
    b.put(ws, "name", "Home");
    b.put(ws, "glyph", "HO");
    b.put(ws, "color_idx", std::int64_t{3});
    b.put(ws, "order", std::uint64_t{2});
    auto const cat = b.record("categories", "cat_home");
    b.put(cat, "workspace", "ws_home");
    b.put(cat, "name", "Text");
    b.put(cat, "collapsed", true);
    auto const voice = b.record("channels", "c_voice");
    b.put(voice, "workspace", "ws_home");
    b.put(voice, "category", "cat_home");
    b.put(voice, "name", "lounge");
    b.put(voice, "topic", "talk");
    b.put(voice, "kind", "voice");
    b.put(voice, "order", 2.9); // floats truncate toward zero
    b.put(voice, "archived", true);
    b.put(b.record("channels", "c_capital"), "kind", "Voice");
    b.record("channels", "c_bare");

    EXPECT_EQ(list_workspaces(b.doc),
              (std::vector<Workspace>{{.id = "ws_home", .name = "Home", .glyph = "HO", .color_index = 3, .order = 2}}));
    EXPECT_EQ(list_categories(b.doc), (std::vector<Category>{{.id = "cat_home", .workspace = "ws_home", .name = "Text",
                                                              .order = 0, .collapsed = true}}));
    EXPECT_EQ(list_channels(b.doc),
              (std::vector<Channel>{{.id = "c_bare"},
                                    {.id = "c_capital", .kind = ChannelKind::Text},
                                    {.id = "c_voice", .workspace = "ws_home", .category = "cat_home", .name = "lounge",
                                     .topic = "talk", .kind = ChannelKind::Voice, .order = 2, .archived = true}}));
}

TEST(ModelStructure, MissingOrMistypedTablesProjectEmpty)
{
    DocBuilder b;
    EXPECT_TRUE(list_people(b.doc).empty());
    EXPECT_TRUE(list_workspaces(b.doc).empty());
    b.put(crdt::Document::root(), "channels", "not a map");
    b.list(crdt::Document::root(), "categories");
    EXPECT_TRUE(list_channels(b.doc).empty());
    EXPECT_TRUE(list_categories(b.doc).empty());
}

} // namespace
} // namespace chat
