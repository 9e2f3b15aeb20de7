#include "crdt/document.h"

#include <gtest/gtest.h>

using namespace crdt;

namespace {

ActorId actor(std::string const& hex) { return *ActorId::from_hex(hex); }

ScalarValue scalar(std::optional<Value> const& value)
{
    if (!value || !std::holds_alternative<ScalarValue>(*value))
        return UnknownValue{ 255, {} };
    return std::get<ScalarValue>(*value);
}

ObjId object(std::optional<Value> const& value)
{
    if (!value || !std::holds_alternative<ObjectRef>(*value))
        return ObjId(999999, actor("ff"));
    return std::get<ObjectRef>(*value).id;
}

} // namespace

TEST(Document, MapPutGetKeysAndDelete)
{
    Document doc(actor("aa"));
    ASSERT_TRUE(doc.put(ROOT, "name", std::string("Ada")));
    ASSERT_TRUE(doc.put(ROOT, "age", std::int64_t(36)));
    ASSERT_TRUE(doc.put(ROOT, "big", std::uint64_t(1) << 63));
    ASSERT_TRUE(doc.put(ROOT, "ok", true));
    ASSERT_TRUE(doc.put(ROOT, "pi", 3.25));
    ASSERT_TRUE(doc.put(ROOT, "none", Null{}));
    ASSERT_TRUE(doc.put(ROOT, "when", Timestamp{ 1700000000000 }));
    ASSERT_TRUE(doc.put(ROOT, "raw", Bytes{ { 0, 255 } }));
    ASSERT_TRUE(doc.put(ROOT, "\xc3\xa9", std::string("e acute sorts after ascii")));

    EXPECT_EQ(scalar(doc.get(ROOT, "name")), ScalarValue(std::string("Ada")));
    EXPECT_EQ(scalar(doc.get(ROOT, "age")), ScalarValue(std::int64_t(36)));
    EXPECT_EQ(scalar(doc.get(ROOT, "big")), ScalarValue(std::uint64_t(1) << 63));
    EXPECT_EQ(scalar(doc.get(ROOT, "pi")), ScalarValue(3.25));
    EXPECT_EQ(scalar(doc.get(ROOT, "when")), ScalarValue(Timestamp{ 1700000000000 }));
    EXPECT_EQ(scalar(doc.get(ROOT, "raw")), ScalarValue(Bytes{ { 0, 255 } }));
    EXPECT_EQ(doc.keys(ROOT), (std::vector<std::string>{ "age", "big", "name", "none", "ok", "pi", "raw", "when", "\xc3\xa9" }));

    ASSERT_TRUE(doc.put(ROOT, "name", std::string("Grace")));
    EXPECT_EQ(scalar(doc.get(ROOT, "name")), ScalarValue(std::string("Grace")));
    EXPECT_EQ(doc.get_all(ROOT, "name").size(), 1u);
    ASSERT_TRUE(doc.delete_key(ROOT, "name"));
    EXPECT_FALSE(doc.get(ROOT, "name"));
    EXPECT_TRUE(doc.delete_key(ROOT, "never-there"));
    EXPECT_EQ(doc.length(ROOT), 8u);
    EXPECT_FALSE(doc.get(ROOT, "missing"));
}

TEST(Document, NestedObjectsAndKinds)
{
    Document doc(actor("aa"));
    auto channels = doc.put_object(ROOT, "channels", ObjType::List);
    ASSERT_TRUE(channels);
    auto message = doc.insert_object(*channels, 0, ObjType::Map);
    ASSERT_TRUE(message);
    auto body = doc.put_object(*message, "text", ObjType::Text);
    ASSERT_TRUE(body);
    ASSERT_TRUE(doc.splice_text(*body, 0, 0, "hi"));

    EXPECT_EQ(doc.object_type(ROOT), ObjType::Map);
    EXPECT_EQ(doc.object_type(*channels), ObjType::List);
    EXPECT_EQ(doc.object_type(*body), ObjType::Text);
    EXPECT_EQ(object(doc.get(*channels, 0)), *message);
    EXPECT_EQ(object(doc.get(*message, "text")), *body);
    EXPECT_EQ(doc.text(*body), "hi");
    EXPECT_FALSE(doc.text(*channels));
    EXPECT_EQ(body->to_string(), "3@aa");
    EXPECT_EQ(ObjId::parse(body->to_string()), *body);
}

TEST(Document, BadWritesFailAndChangeNothing)
{
    Document doc(actor("aa"));
    auto list = *doc.put_object(ROOT, "list", ObjType::List);
    auto text = *doc.put_object(ROOT, "text", ObjType::Text);
    ASSERT_TRUE(doc.put(ROOT, "n", std::int64_t(1)));
    auto before = doc.pending_ops();
    ObjId unknown(77, actor("bb"));

    EXPECT_FALSE(doc.put(unknown, "k", Null{}));
    EXPECT_FALSE(doc.put_object(unknown, "k", ObjType::Map));
    EXPECT_FALSE(doc.put(list, "k", Null{}));            // a list has no keys
    EXPECT_FALSE(doc.insert(ROOT, 0, Null{}));           // a map has no indices
    EXPECT_FALSE(doc.insert(list, 1, Null{}));           // past the end
    EXPECT_FALSE(doc.put(list, 0, Null{}));
    EXPECT_FALSE(doc.delete_index(list, 0));
    EXPECT_FALSE(doc.splice_text(list, 0, 0, "x"));      // not text
    EXPECT_FALSE(doc.splice_text(text, 0, 1, "x"));      // deletes past the end
    EXPECT_FALSE(doc.splice_text(text, 0, 0, "\xff"));   // not UTF-8
    EXPECT_FALSE(doc.splice_text(text, 0, 0, "\xed\xa0\x80")); // a surrogate
    EXPECT_FALSE(doc.increment(ROOT, "n", 1));           // not a counter
    EXPECT_FALSE(doc.increment(ROOT, "missing", 1));
    EXPECT_EQ(doc.pending_ops(), before);
    EXPECT_EQ(doc.length(list), 0u);
    EXPECT_EQ(doc.text(text), "");
}

TEST(Document, ListInsertPutDeleteAndSplice)
{
    Document doc(actor("aa"));
    auto list = *doc.put_object(ROOT, "l", ObjType::List);
    ASSERT_TRUE(doc.insert(list, 0, std::string("b")));
    ASSERT_TRUE(doc.insert(list, 0, std::string("a")));
    ASSERT_TRUE(doc.insert(list, 2, std::string("d")));
    ASSERT_TRUE(doc.insert(list, 2, std::string("c")));
    ASSERT_TRUE(doc.put(list, 3, std::string("D")));
    ASSERT_TRUE(doc.delete_index(list, 0));
    std::vector<ScalarValue> values = { std::int64_t(1), std::int64_t(2) };
    ASSERT_TRUE(doc.splice(list, 1, 1, values));
    std::vector<ScalarValue> got;
    for (std::size_t i = 0; i < doc.length(list); ++i)
        got.push_back(scalar(doc.get(list, i)));
    EXPECT_EQ(got, (std::vector<ScalarValue>{ std::string("b"), std::int64_t(1), std::int64_t(2), std::string("D") }));
    EXPECT_FALSE(doc.get(list, 4));
}

TEST(Document, TextCountsUnicodeScalarValues)
{
    Document doc(actor("aa"));
    auto text = *doc.put_object(ROOT, "t", ObjType::Text);
    ASSERT_TRUE(doc.splice_text(text, 0, 0, "a\xc3\xa9\xf0\x9f\x98\x80z")); // a é 😀 z
    EXPECT_EQ(doc.length(text), 4u);
    ASSERT_TRUE(doc.splice_text(text, 2, 1, "!"));                          // replaces the emoji
    EXPECT_EQ(doc.text(text), "a\xc3\xa9!z");
    EXPECT_EQ(scalar(doc.get(text, 1)), ScalarValue(std::string("\xc3\xa9")));
    ASSERT_TRUE(doc.splice_text(text, 4, 0, "end"));
    ASSERT_TRUE(doc.splice_text(text, 0, 1, ""));
    EXPECT_EQ(doc.text(text), "\xc3\xa9!zend");
}

TEST(Document, LongTextEditsStayConsistent)
{
    // Enough elements to split sequence blocks many times; compare with a plain string.
    Document doc(actor("aa"));
    auto text = *doc.put_object(ROOT, "t", ObjType::Text);
    std::string mirror;
    std::uint32_t seed = 12345;
    auto next = [&] { seed = seed * 1103515245 + 12345; return (seed >> 16) & 0x7fff; };
    for (int i = 0; i < 6000; ++i) {
        auto pos = mirror.empty() ? 0 : next() % (mirror.size() + 1);
        if (!mirror.empty() && next() % 4 == 0) {
            auto at = std::min<std::size_t>(pos, mirror.size() - 1);
            ASSERT_TRUE(doc.splice_text(text, at, 1, ""));
            mirror.erase(at, 1);
        } else {
            char c = static_cast<char>('a' + next() % 26);
            ASSERT_TRUE(doc.splice_text(text, pos, 0, std::string(1, c)));
            mirror.insert(pos, 1, c);
        }
    }
    EXPECT_EQ(doc.text(text), mirror);
    EXPECT_EQ(doc.length(text), mirror.size());
    auto reloaded = Document::load(doc.save());
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(reloaded->text(text), mirror);
}

TEST(Document, CountersSumIncrements)
{
    Document doc(actor("aa"));
    ASSERT_TRUE(doc.put(ROOT, "votes", Counter{ 3 }));
    ASSERT_TRUE(doc.increment(ROOT, "votes", 2));
    ASSERT_TRUE(doc.increment(ROOT, "votes", -10));
    EXPECT_EQ(scalar(doc.get(ROOT, "votes")), ScalarValue(Counter{ -5 }));
    auto list = *doc.put_object(ROOT, "l", ObjType::List);
    ASSERT_TRUE(doc.insert(list, 0, Counter{ 0 }));
    ASSERT_TRUE(doc.increment(list, 0, 7));
    EXPECT_EQ(scalar(doc.get(list, 0)), ScalarValue(Counter{ 7 }));
    auto reloaded = Document::load(doc.save());
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(scalar(reloaded->get(ROOT, "votes")), ScalarValue(Counter{ -5 }));
    EXPECT_EQ(scalar(reloaded->get(list, 0)), ScalarValue(Counter{ 7 }));
}

TEST(Document, TransactionsCommitOnHeadsAndSkipEmptyCommits)
{
    Document doc(actor("aa"));
    EXPECT_FALSE(doc.has_pending());
    EXPECT_TRUE(doc.heads().empty());
    ASSERT_TRUE(doc.put(ROOT, "a", std::int64_t(1)));
    ASSERT_TRUE(doc.put(ROOT, "b", std::int64_t(2)));
    EXPECT_TRUE(doc.has_pending());
    EXPECT_EQ(doc.pending_ops(), 2u);
    EXPECT_EQ(scalar(doc.get(ROOT, "b")), ScalarValue(std::int64_t(2))); // reads see the open transaction
    auto first = doc.heads();
    EXPECT_EQ(first.size(), 1u);
    EXPECT_FALSE(doc.has_pending());
    doc.commit();
    EXPECT_EQ(doc.heads(), first);
    EXPECT_EQ(doc.get_changes({}).size(), 1u);
}

TEST(Document, RewritingTheSameValueMakesNoOp)
{
    Document doc(actor("aa"));
    ASSERT_TRUE(doc.put(ROOT, "k", std::string("v")));
    auto list = *doc.put_object(ROOT, "l", ObjType::List);
    ASSERT_TRUE(doc.insert(list, 0, std::int64_t(1)));
    auto heads = doc.heads();
    ASSERT_TRUE(doc.put(ROOT, "k", std::string("v")));
    ASSERT_TRUE(doc.put(list, 0, std::int64_t(1)));
    EXPECT_FALSE(doc.has_pending());
    EXPECT_EQ(doc.heads(), heads);
    ASSERT_TRUE(doc.put(list, 0, std::uint64_t(1))); // same number, another type: a real change
    EXPECT_TRUE(doc.has_pending());
}

TEST(Document, SpliceInsertsBeforeItDeletes)
{
    // Automerge numbers a splice's inserts before its deletes; ids, and so the
    // change hash (here the npm package's for the same edits), depend on it.
    Document doc(actor("aa"));
    auto text = *doc.put_object(ROOT, "t", ObjType::Text);
    ASSERT_TRUE(doc.splice_text(text, 0, 0, "abcd"));
    doc.commit({ std::nullopt, 0 });
    ASSERT_TRUE(doc.splice_text(text, 1, 2, "XY"));
    doc.commit({ std::nullopt, 0 });
    EXPECT_EQ(doc.text(text), "aXYd");
    ASSERT_EQ(doc.heads().size(), 1u);
    EXPECT_EQ(doc.heads()[0].to_hex(), "9bf35c867eb803a460dbcc977f7199b0f45879af9439e34b67d1bf3eca7b7cbd");
}
