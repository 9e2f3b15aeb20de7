// Read and write conventions of the chat document.

#include "doc/read.h"
#include "doc/write.h"
#include "doc_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace chat::doc {
namespace {

using namespace test;

// One key of every stored kind, read with every typed read.
class ReadConventions : public testing::Test {
protected:
    void SetUp() override
    {
        must(doc.put(root, "string", str("hello")));
        must(doc.put(root, "int", num(-42)));
        must(doc.put(root, "uint", crdt::ScalarValue{std::uint64_t{7}}));
        must(doc.put(root, "float", crdt::ScalarValue{-3.9}));
        must(doc.put(root, "huge_float", crdt::ScalarValue{1e300}));
        must(doc.put(root, "nan", crdt::ScalarValue{std::nan("")}));
        must(doc.put(root, "counter", crdt::ScalarValue{crdt::Counter{5}}));
        must(doc.put(root, "timestamp", crdt::ScalarValue{crdt::Timestamp{1782471840000}}));
        must(doc.put(root, "bool", flag(true)));
        must(doc.put(root, "null", crdt::ScalarValue{crdt::Null{}}));
        auto const text = must(doc.put_object(root, "text", crdt::ObjType::Text));
        must(doc.splice_text(text, 0, 0, "héllo 🎉"));
        must(doc.put_object(root, "map", crdt::ObjType::Map));
        auto const list = must(doc.put_object(root, "list", crdt::ObjType::List));
        must(doc.insert(list, 0, str("first")));
        must(doc.insert(list, 1, num(9)));
    }

    crdt::Document doc;
};

TEST_F(ReadConventions, EachReadYieldsOnlyItsKind)
{
    struct Row {
        char const* key;
        std::optional<std::string> string;
        std::optional<std::int64_t> integer;
        std::optional<bool> boolean;
        std::optional<std::string> text;
        bool map;
        bool list;
    };
    std::vector<Row> const rows{
        {"string", "hello", {}, {}, {}, false, false},
        {"int", {}, -42, {}, {}, false, false},
        {"uint", {}, 7, {}, {}, false, false},
        {"float", {}, -3, {}, {}, false, false}, // truncated toward zero
        {"huge_float", {}, std::numeric_limits<std::int64_t>::max(), {}, {}, false, false},
        {"nan", {}, {}, {}, {}, false, false},
        {"counter", {}, 5, {}, {}, false, false},
        {"timestamp", {}, 1782471840000, {}, {}, false, false},
        {"bool", {}, {}, true, {}, false, false},
        {"null", {}, {}, {}, {}, false, false},
        {"text", {}, {}, {}, "héllo 🎉", false, false},
        {"map", {}, {}, {}, {}, true, false},
        {"list", {}, {}, {}, {}, false, true},
        {"absent", {}, {}, {}, {}, false, false},
    };
    for (auto const& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(read_string(doc, root, row.key), row.string);
        EXPECT_EQ(read_integer(doc, root, row.key), row.integer);
        EXPECT_EQ(read_boolean(doc, root, row.key), row.boolean);
        EXPECT_EQ(read_text(doc, root, row.key), row.text);
        EXPECT_EQ(read_map(doc, root, row.key).has_value(), row.map);
        EXPECT_EQ(read_list(doc, root, row.key).has_value(), row.list);
    }
}

TEST_F(ReadConventions, ListElementsReadByIndex)
{
    auto const list = *read_list(doc, root, "list");
    EXPECT_EQ(read_string(doc, list, std::size_t{0}), "first");
    EXPECT_EQ(read_integer(doc, list, std::size_t{1}), 9);
    EXPECT_EQ(read_string(doc, list, std::size_t{1}), std::nullopt);
    EXPECT_EQ(read_string(doc, list, std::size_t{2}), std::nullopt); // past the end
}

TEST_F(ReadConventions, ReadsInsideAScalarOrMissingObjectYieldNothing)
{
    // An id of an object that does not exist reads as empty.
    crdt::ObjId const missing(999, crdt::ActorId::random());
    EXPECT_EQ(read_string(doc, missing, "string"), std::nullopt);
    EXPECT_EQ(read_map(doc, missing, "map"), std::nullopt);
}

struct EnsureCase {
    char const* name;
    crdt::ObjType type;
    std::function<crdt::ObjId(crdt::Document&, crdt::ObjId const&, std::string_view)> ensure;
    friend void PrintTo(EnsureCase const& c, std::ostream* out) { *out << c.name; }
};

class EnsureObject : public testing::TestWithParam<EnsureCase> {};

TEST_P(EnsureObject, ReusesTheRightKindAndReplacesAnyOther)
{
    auto const& c = GetParam();
    crdt::Document doc;
    // Absent: created.
    auto const created = c.ensure(doc, root, "slot");
    EXPECT_EQ(doc.object_type(created), c.type);
    // Present with the right kind: reused, and nothing new is written.
    auto const heads = doc.heads();
    EXPECT_EQ(c.ensure(doc, root, "slot"), created);
    EXPECT_EQ(doc.heads(), heads);

    // Wrong kinds (a string, a number, another object kind): replaced.
    for (auto const other : {crdt::ObjType::Map, crdt::ObjType::List, crdt::ObjType::Text}) {
        if (other == c.type)
            continue;
        must(doc.put_object(root, "slot", other));
        auto const replaced = c.ensure(doc, root, "slot");
        EXPECT_EQ(doc.object_type(replaced), c.type);
        EXPECT_EQ(doc.object_type(object_at(doc, root, "slot")), c.type);
    }
    must(doc.put(root, "slot", str("channels were a string")));
    EXPECT_EQ(doc.object_type(c.ensure(doc, root, "slot")), c.type);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EnsureObject, testing::Values(
    EnsureCase{"map", crdt::ObjType::Map, ensure_map},
    EnsureCase{"list", crdt::ObjType::List, ensure_list},
    EnsureCase{"text", crdt::ObjType::Text, ensure_text}),
    [](auto const& info) { return std::string(info.param.name); });

TEST(WriteConventions, ScalarPutsOverwriteAnyKindAndAppendGoesToTheEnd)
{
    crdt::Document doc;
    must(doc.put_object(root, "k", crdt::ObjType::Map));
    put_string(doc, root, "k", "s");
    EXPECT_EQ(read_string(doc, root, "k"), "s");
    put_integer(doc, root, "k", -1);
    EXPECT_EQ(read_integer(doc, root, "k"), -1);
    put_boolean(doc, root, "k", false);
    EXPECT_EQ(read_boolean(doc, root, "k"), false);

    auto const list = ensure_list(doc, root, "list");
    for (std::string_view value : {"a", "b", "c"})
        put_string(doc, append_map(doc, list, "append"), "v", value);
    ASSERT_EQ(doc.length(list), 3u);
    EXPECT_EQ(read_string(doc, object_at(doc, list, 2), "v"), "c");
}

TEST(WriteConventions, RefusedScalarWritesAndDeletesAreIgnored)
{
    crdt::Document doc;
    auto const text = ensure_text(doc, root, "text");
    // A text object takes no keys: each write is refused and nothing happens.
    put_string(doc, text, "k", "v");
    put_integer(doc, text, "k", 1);
    delete_key(doc, text, "k");
    delete_index(doc, ensure_list(doc, root, "empty"), 3);
    EXPECT_EQ(doc.text(text), "");
}

TEST(WriteConventions, DeletingAnAbsentKeyWritesNothing)
{
    crdt::Document doc;
    auto const map = ensure_map(doc, root, "m");
    auto const heads = doc.heads();
    delete_key(doc, map, "absent");
    EXPECT_EQ(doc.heads(), heads);
}

// Creating a nested object can only fail when the target is of the wrong
// kind or gone; each step stops the program with its own message.
TEST(WriteConventionsDeathTest, RefusedCreationsStopWithTheirStep)
{
    auto const on_text = [](auto write) {
        return [write] {
            crdt::Document doc;
            auto const text = must(doc.put_object(root, "t", crdt::ObjType::Text));
            write(doc, text);
        };
    };
    // The whole line, so "text" does not match "put text".
    auto const line = [](std::string_view step) { return "chat document: " + std::string(step) + "\n"; };
    EXPECT_DEATH(on_text([](auto& doc, auto const& t) { ensure_map(doc, t, "k"); })(), line("put map"));
    EXPECT_DEATH(on_text([](auto& doc, auto const& t) { ensure_list(doc, t, "k"); })(), line("put list"));
    EXPECT_DEATH(on_text([](auto& doc, auto const& t) { ensure_text(doc, t, "k"); })(), line("put text"));
    for (char const* step : {"text", "rx", "mentions", "hist", "att"}) {
        EXPECT_DEATH(on_text([step](auto& doc, auto const& t) {
            put_new_object(doc, t, "k", crdt::ObjType::List, step);
        })(), line(step));
    }
    for (char const* step : {"insert msg", "rxentry", "mention", "hrec"}) {
        EXPECT_DEATH(on_text([step](auto& doc, auto const&) {
            append_map(doc, ensure_map(doc, root, "not a list"), step);
        })(), line(step));
    }
}

} // namespace
} // namespace chat::doc
