#include "crdt/document.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace crdt;

namespace {

ActorId actor(std::string const& hex) { return *ActorId::from_hex(hex); }

ObjId made(base::Result<ObjId> result)
{
    EXPECT_TRUE(result);
    return result ? *result : ObjId();
}

using Entries = std::vector<std::pair<std::string, Value>>;

Entries entries_by_key(Document const& doc, ObjId const& map)
{
    Entries out;
    for (auto const& key : doc.keys(map))
        out.emplace_back(key, *doc.get(map, key));
    return out;
}

Entries entries_in_one_pass(Document const& doc, ObjId const& map)
{
    Entries out;
    doc.for_each_entry(map, [&](std::string_view key, Value&& value) { out.emplace_back(key, std::move(value)); });
    return out;
}

std::vector<Value> elements_by_index(Document const& doc, ObjId const& list)
{
    std::vector<Value> out;
    for (std::size_t index = 0; index < doc.length(list); ++index)
        out.push_back(*doc.get(list, index));
    return out;
}

std::vector<Value> elements_in_one_pass(Document const& doc, ObjId const& list)
{
    std::vector<Value> out;
    doc.for_each_element(list, [&](Value&& value) { out.push_back(std::move(value)); });
    return out;
}

// Compares both reads on `obj` and every object reachable from it; returns how
// many objects were compared.
int expect_same_reads(Document const& doc, ObjId const& obj)
{
    int compared = 1;
    std::vector<Value> children;
    if (doc.object_type(obj) == ObjType::Map) {
        auto const expected = entries_by_key(doc, obj);
        EXPECT_EQ(entries_in_one_pass(doc, obj), expected) << obj.to_string();
        EXPECT_TRUE(elements_in_one_pass(doc, obj).empty());
        for (auto const& [key, value] : expected)
            children.push_back(value);
    } else {
        children = elements_by_index(doc, obj);
        EXPECT_EQ(elements_in_one_pass(doc, obj), children) << obj.to_string();
        EXPECT_TRUE(entries_in_one_pass(doc, obj).empty());
    }
    for (auto const& child : children)
        if (auto const* ref = std::get_if<ObjectRef>(&child))
            compared += expect_same_reads(doc, ref->id);
    return compared;
}

// The value a view hands out, checked against its other readings.
Value checked_view_value(ValueView const& view)
{
    auto value = view.value();
    auto const* scalar = std::get_if<ScalarValue>(&value);
    EXPECT_EQ(view.is_object(), scalar == nullptr);
    EXPECT_EQ(view.scalar(), scalar ? *scalar : ScalarValue(Null{}));
    auto const* string = scalar ? std::get_if<std::string>(scalar) : nullptr;
    EXPECT_EQ(view.string(), string ? std::optional<std::string_view>(*string) : std::nullopt);
    return value;
}

// Reads `obj` and everything inside it through views, reaching nested objects
// from their parents' values, and compares with reads by id; returns how many
// objects were compared.
int expect_same_view_reads(Document const& doc, ObjId const& obj, ObjectView view)
{
    EXPECT_TRUE(view);
    EXPECT_EQ(view.id(), obj);
    EXPECT_EQ(view.type(), doc.object_type(obj));
    EXPECT_EQ(view.length(), doc.length(obj));
    EXPECT_EQ(view.text(), doc.text(obj));
    int compared = 1;
    Entries entries;
    std::vector<Value> elements;
    std::vector<ObjectView> nested;
    view.for_each_entry([&](std::string_view key, ValueView const& value) {
        entries.emplace_back(key, checked_view_value(value));
        nested.push_back(value.object());
    });
    view.for_each_element([&](ValueView const& value) {
        elements.push_back(checked_view_value(value));
        nested.push_back(value.object());
    });
    EXPECT_EQ(entries, entries_in_one_pass(doc, obj)) << obj.to_string();
    EXPECT_EQ(elements, elements_in_one_pass(doc, obj)) << obj.to_string();
    std::vector<Value> values = elements;
    for (auto const& [key, value] : entries)
        values.push_back(value);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (auto const* ref = std::get_if<ObjectRef>(&values[i])) {
            EXPECT_EQ(nested[i].parent().id(), obj);
            compared += expect_same_view_reads(doc, ref->id, nested[i]);
        } else
            EXPECT_FALSE(nested[i]);
    }
    return compared;
}

} // namespace

TEST(BulkRead, OnePassReadsEqualPerKeyReadsAfterConcurrentEdits)
{
    Document a(actor("aa"));
    auto const messages = made(a.put_object(ROOT, "messages", ObjType::Map));
    auto const list = made(a.put_object(messages, "general", ObjType::List));
    std::vector<ObjId> maps;
    std::vector<ObjId> texts;
    for (std::size_t index = 0; index < 6; ++index) {
        maps.push_back(made(a.insert_object(list, index, ObjType::Map)));
        ASSERT_TRUE(a.put(maps.back(), "id", std::string("m") + std::to_string(index)));
        ASSERT_TRUE(a.put(maps.back(), "ts", std::int64_t(100 + index)));
        texts.push_back(made(a.put_object(maps.back(), "text", ObjType::Text)));
        ASSERT_TRUE(a.splice_text(texts.back(), 0, 0, "hello w\xc3\xb6rld"));
    }
    ASSERT_TRUE(a.put(maps[0], "likes", Counter{ 1 }));
    ASSERT_TRUE(a.insert(list, 6, std::string("not a map")));
    a.commit();
    Document b = a.fork(actor("bb"));

    // Conflicting writes to the same keys, one side deleting what the other edits.
    ASSERT_TRUE(a.put(maps[1], "id", std::string("from a")));
    ASSERT_TRUE(b.put(maps[1], "id", std::string("from b")));
    ASSERT_TRUE(a.delete_key(maps[2], "ts"));
    ASSERT_TRUE(b.put(maps[2], "ts", std::int64_t(7)));
    ASSERT_TRUE(b.delete_key(maps[3], "ts"));
    ASSERT_TRUE(a.increment(maps[0], "likes", 2));
    ASSERT_TRUE(b.increment(maps[0], "likes", 3));
    ASSERT_TRUE(b.put_object(maps[4], "reactions", ObjType::List));
    ASSERT_TRUE(a.put(maps[4], "reactions", std::string("scalar in a")));
    // Concurrent splices in the same text, inserts and deletes in the list,
    // and conflicting overwrites of one element.
    ASSERT_TRUE(a.splice_text(texts[0], 2, 3, "LP"));
    ASSERT_TRUE(b.splice_text(texts[0], 0, 1, "J"));
    ASSERT_TRUE(b.splice_text(texts[0], 11, 0, "!"));
    ASSERT_TRUE(a.put(list, 6, std::string("a overwrites")));
    ASSERT_TRUE(b.put(list, 6, std::int64_t(42)));
    ASSERT_TRUE(a.delete_index(list, 5));
    ASSERT_TRUE(b.insert_object(list, 2, ObjType::Map));
    ASSERT_TRUE(b.delete_index(list, 0));
    ASSERT_TRUE(a.merge(b));
    ASSERT_TRUE(a.put(maps[5], "late", true)); // a write to a deleted element's map

    EXPECT_EQ(a.get_all(maps[1], "id").size(), 2u); // the conflict is there to be read
    // The root, "messages", the list, five message maps and four texts at least.
    auto const objects = expect_same_reads(a, ROOT);
    EXPECT_GE(objects, 1 + 1 + 1 + 5 + 4);
    EXPECT_EQ(expect_same_view_reads(a, ROOT, a.view(ROOT)), objects);
    EXPECT_FALSE(a.view(ROOT).parent());
    // Loading rebuilds what is visible from the stored successors.
    auto loaded = Document::load(a.save());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(expect_same_reads(*loaded, ROOT), objects);
    EXPECT_EQ(expect_same_view_reads(*loaded, ROOT, loaded->view(ROOT)), objects);
    EXPECT_EQ(entries_in_one_pass(*loaded, maps[2]), entries_in_one_pass(a, maps[2]));
}

TEST(BulkRead, UnknownObjectsReadAsNothing)
{
    Document doc(actor("aa"));
    Document other(actor("bb"));
    auto const foreign = made(other.put_object(ROOT, "m", ObjType::Map));
    EXPECT_TRUE(entries_in_one_pass(doc, foreign).empty());
    EXPECT_TRUE(elements_in_one_pass(doc, foreign).empty());
    auto const nothing = doc.view(foreign);
    EXPECT_FALSE(nothing);
    EXPECT_EQ(nothing.length(), 0u);
    EXPECT_EQ(nothing.text(), std::nullopt);
    int visits = 0;
    nothing.for_each_entry([&](std::string_view, ValueView const&) { ++visits; });
    nothing.for_each_element([&](ValueView const&) { ++visits; });
    EXPECT_EQ(visits, 0);
}

namespace {

// The text as its elements spell it, read one index at a time.
std::string spelled(Document const& doc, ObjId const& text)
{
    std::string out;
    for (auto const& value : elements_by_index(doc, text))
        out += std::get<std::string>(std::get<ScalarValue>(value));
    return out;
}

} // namespace

// Whole texts are kept between edits; every way a text can change must show.
TEST(BulkRead, WholeTextFollowsEveryKindOfEdit)
{
    Document a(actor("aa"));
    auto const text = made(a.put_object(ROOT, "t", ObjType::Text));
    auto const expect_text = [&](Document const& doc, std::string const& want, char const* step) {
        EXPECT_EQ(doc.text(text), want) << step;
        EXPECT_EQ(spelled(doc, text), want) << step;
    };
    ASSERT_TRUE(a.splice_text(text, 0, 0, "hello world"));
    expect_text(a, "hello world", "uncommitted");
    a.commit();
    expect_text(a, "hello world", "committed");
    ASSERT_TRUE(a.splice_text(text, 5, 6, "!"));
    expect_text(a, "hello!", "spliced again, uncommitted");
    a.commit();

    Document b = a.fork(actor("bb"));
    ASSERT_TRUE(a.splice_text(text, 0, 1, "J"));
    ASSERT_TRUE(b.splice_text(text, 6, 0, " \xc3\xa9t\xc3\xa9"));
    ASSERT_TRUE(b.put(text, 1, std::string("E"))); // overwrites an element in place
    b.commit();
    expect_text(b, "hEllo! \xc3\xa9t\xc3\xa9", "overwritten element");
    ASSERT_TRUE(a.merge(b));
    expect_text(a, "JEllo! \xc3\xa9t\xc3\xa9", "merged");

    auto loaded = Document::load(a.save());
    ASSERT_TRUE(loaded);
    expect_text(*loaded, "JEllo! \xc3\xa9t\xc3\xa9", "loaded");
    ASSERT_TRUE(loaded->delete_index(text, 0));
    ASSERT_TRUE(loaded->load_incremental(b.save_incremental()));
    expect_text(*loaded, "Ello! \xc3\xa9t\xc3\xa9", "deleted, then changes applied");

    Document c(actor("cc"));
    ASSERT_TRUE(c.apply_changes(a.get_changes({})));
    expect_text(c, "JEllo! \xc3\xa9t\xc3\xa9", "applied change by change");
    ASSERT_TRUE(c.splice_text(text, 0, c.length(text), ""));
    c.commit();
    expect_text(c, "", "emptied");

    // Long texts are spelled at each read rather than kept.
    std::string const long_text(3000, 'x');
    ASSERT_TRUE(c.splice_text(text, 0, 0, long_text));
    c.commit();
    expect_text(c, long_text, "long");
    ASSERT_TRUE(c.splice_text(text, 10, 2990, "y"));
    c.commit();
    expect_text(c, "xxxxxxxxxxy", "long, then short again");
    ASSERT_TRUE(c.splice_text(text, 0, 1, ""));
    c.commit();
    expect_text(c, "xxxxxxxxxy", "short and edited");
}
