// Writes outside the chat actions: drafts, the local person, the one-time
// attachment fix-up.

#include "doc/attachment_fixup.h"
#include "doc/drafts.h"
#include "doc/local_user.h"
#include "doc/read.h"
#include "doc_fixture.h"

#include <gtest/gtest.h>

namespace chat::doc {
namespace {

using namespace test;

TEST(Drafts, SetReadAndClear)
{
    crdt::Document doc;
    EXPECT_EQ(read_draft(doc, "c_general"), "");
    set_draft(doc, "c_general", "hello wörld");
    set_draft(doc, thread_draft_key("c_general", "m_concept"), "in thread");
    EXPECT_EQ(read_draft(doc, "c_general"), "hello wörld");
    EXPECT_EQ(read_draft(doc, "c_general::t::m_concept"), "in thread");

    auto const heads = doc.heads();
    set_draft(doc, "c_general", "hello wörld");
    EXPECT_EQ(doc.heads(), heads);

    clear_draft(doc, "c_general");
    EXPECT_EQ(read_draft(doc, "c_general"), "");
    EXPECT_EQ(read_draft(doc, "c_general::t::m_concept"), "in thread");
}

TEST(Drafts, ClearingAnAbsentDraftWritesNothing)
{
    crdt::Document doc;
    clear_draft(doc, "c_general");
    EXPECT_TRUE(doc.heads().empty());
}

TEST(Drafts, ADraftOfTheWrongKindIsReplaced)
{
    crdt::Document doc;
    must(doc.put(root, "drafts", str("broken")));
    EXPECT_EQ(read_draft(doc, "c"), "");
    set_draft(doc, "c", "text");
    EXPECT_EQ(read_draft(doc, "c"), "text");
}

TEST(LocalUser, WritesOnlyFieldsThatDiffer)
{
    crdt::Document doc;
    LocalUser const me{"u_0123456789abcdef", "Ada", "AD", 5, Presence::Online};
    EXPECT_TRUE(upsert_local_user(doc, me));
    auto const user = path(doc, {"users", "u_0123456789abcdef"});
    EXPECT_EQ(read_string(doc, user, "name"), "Ada");
    EXPECT_EQ(read_string(doc, user, "initials"), "AD");
    EXPECT_EQ(read_integer(doc, user, "color_idx"), 5);
    EXPECT_EQ(read_string(doc, user, "status"), "online");

    auto const heads = doc.heads();
    EXPECT_FALSE(upsert_local_user(doc, me));
    EXPECT_EQ(doc.heads(), heads);

    auto away = me;
    away.status = Presence::DoNotDisturb;
    EXPECT_TRUE(upsert_local_user(doc, away));
    EXPECT_EQ(read_string(doc, user, "status"), "dnd");
}

TEST(LocalUser, ColourZeroMatchesAnAbsentColour)
{
    crdt::Document doc;
    must(doc.put(must(doc.put_object(must(doc.put_object(root, "users", crdt::ObjType::Map)), "u", crdt::ObjType::Map)),
                 "name", str("x")));
    must(doc.put(path(doc, {"users", "u"}), "initials", str("")));
    must(doc.put(path(doc, {"users", "u"}), "status", str("online")));
    EXPECT_FALSE(upsert_local_user(doc, {"u", "x", "", 0, Presence::Online}));
}

// Builds "messages"/<channel> lists of messages with attachment maps.
class AttachmentFixup : public testing::Test {
protected:
    crdt::ObjId attachment(std::string_view channel, std::optional<std::string> blob, std::optional<std::string> path)
    {
        auto const messages = doc.get(root, "messages") ? object_at(doc, root, "messages")
                                                        : must(doc.put_object(root, "messages", crdt::ObjType::Map));
        auto const list = doc.get(messages, channel) ? object_at(doc, messages, channel)
                                                     : must(doc.put_object(messages, channel, crdt::ObjType::List));
        auto const message = must(doc.insert_object(list, doc.length(list), crdt::ObjType::Map));
        auto const map = must(doc.put_object(message, "attachment", crdt::ObjType::Map));
        if (blob)
            must(doc.put(map, "blob", str(*blob)));
        if (path)
            must(doc.put(map, "path", str(*path)));
        return map;
    }

    crdt::Document doc;
};

TEST_F(AttachmentFixup, MovesDemoPathsToBlob)
{
    std::string const long_path = "orvo-demo://" + std::string(245, 'x'); // 257 bytes
    struct Row {
        char const* name;
        std::optional<std::string> blob;
        std::optional<std::string> path;
        std::optional<std::string> expected_blob;
        bool path_kept;
    };
    std::vector<Row> const rows{
        {"no_blob", {}, "orvo-demo://call-grid", "orvo-demo://call-grid", false},
        {"empty_blob", "", "orvo-demo://a", "orvo-demo://a", false},
        {"blob_present", "abc", "orvo-demo://a", "abc", true},
        {"other_scheme", {}, "demo:tile", {}, true},
        {"path_too_long", {}, long_path, {}, true},
        {"path_256_bytes", {}, long_path.substr(0, 256), long_path.substr(0, 256), false},
    };
    std::vector<crdt::ObjId> maps;
    for (auto const& row : rows)
        maps.push_back(attachment("c", row.blob, row.path));
    fix_attachment_refs(doc);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(read_string(doc, maps[i], "blob"), rows[i].expected_blob);
        EXPECT_EQ(has_key(doc, maps[i], "path"), rows[i].path_kept);
    }
}

TEST_F(AttachmentFixup, VisitsAtMost256MessagesInKeyOrder)
{
    for (int i = 0; i < 200; ++i)
        attachment("c_a", {}, "orvo-demo://a");
    auto const last_visited = attachment("c_b", {}, "orvo-demo://b");
    for (int i = 0; i < 55; ++i)
        attachment("c_b", {}, "orvo-demo://b");
    auto const beyond = attachment("c_b", {}, "orvo-demo://b"); // the 257th message
    auto const next_channel = attachment("c_c", {}, "orvo-demo://c");
    fix_attachment_refs(doc);
    EXPECT_EQ(read_string(doc, last_visited, "blob"), "orvo-demo://b");
    EXPECT_FALSE(has_key(doc, beyond, "blob"));
    EXPECT_FALSE(has_key(doc, next_channel, "blob"));
}

} // namespace
} // namespace chat::doc
