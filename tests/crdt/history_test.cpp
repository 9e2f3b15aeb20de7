// Concurrency and history. Expected values come from running the same edits,
// with the same actors and times, through the Automerge npm package (strings as
// scalar RawString values, as this engine writes them).

#include "crdt/document.h"
#include "crdt/hex.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace crdt;

namespace {

ActorId actor(std::string const& hex) { return *ActorId::from_hex(hex); }

CommitOptions at_time_zero() { return { std::nullopt, 0 }; }

std::string str(std::optional<Value> const& value)
{
    if (!value || !std::holds_alternative<ScalarValue>(*value))
        return "<none>";
    auto const& s = std::get<ScalarValue>(*value);
    return std::holds_alternative<std::string>(s) ? std::get<std::string>(s) : "<not a string>";
}

std::vector<std::string> list_strings(Document const& doc, ObjId const& list)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < doc.length(list); ++i)
        out.push_back(str(doc.get(list, i)));
    return out;
}

std::vector<std::string> hex_heads(Document& doc)
{
    std::vector<std::string> out;
    for (auto const& head : doc.heads())
        out.push_back(head.to_hex());
    return out;
}

// Three actors edit the same text, list and key concurrently.
struct Concurrent : ::testing::Test {
    Document base{ actor("aa") };
    Document a{ actor("aa") }, b{ actor("bb") }, c{ actor("cc") };
    ObjId t, l;

    void SetUp() override
    {
        t = *base.put_object(ROOT, "t", ObjType::Text);
        ASSERT_TRUE(base.splice_text(t, 0, 0, "ac"));
        l = *base.put_object(ROOT, "l", ObjType::List);
        ASSERT_TRUE(base.insert(l, 0, std::string("p")));
        ASSERT_TRUE(base.insert(l, 1, std::string("q")));
        base.commit(at_time_zero());

        b = base.fork(actor("bb"));
        ASSERT_TRUE(b.splice_text(t, 1, 0, "XYZ"));
        std::vector<ScalarValue> two = { std::string("b1"), std::string("b2") };
        ASSERT_TRUE(b.splice(l, 1, 0, two));
        ASSERT_TRUE(b.put(ROOT, "k", std::string("from bb")));
        b.commit(at_time_zero());

        c = base.fork(actor("cc"));
        ASSERT_TRUE(c.splice_text(t, 1, 0, "123"));
        ASSERT_TRUE(c.insert(l, 1, std::string("c1")));
        ASSERT_TRUE(c.put(ROOT, "k", std::string("from cc")));
        c.commit(at_time_zero());

        a = base.fork(actor("aa"));
        ASSERT_TRUE(a.splice_text(t, 1, 0, "!"));
        ASSERT_TRUE(a.splice_text(t, 0, 1, ""));
        ASSERT_TRUE(a.delete_index(l, 0));
        ASSERT_TRUE(a.put(ROOT, "k", std::string("from aa")));
        a.commit(at_time_zero());
    }
};

} // namespace

TEST_F(Concurrent, MergeOrdersInsertionsAndPicksTheWinnerLikeAutomerge)
{
    ASSERT_TRUE(a.merge(b));
    ASSERT_TRUE(a.merge(c));
    EXPECT_EQ(a.text(t), "123XYZ!c");
    EXPECT_EQ(list_strings(a, l), (std::vector<std::string>{ "c1", "b1", "b2", "q" }));
    EXPECT_EQ(str(a.get(ROOT, "k")), "from bb");
    auto all = a.get_all(ROOT, "k");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(str(all[0]), "from aa"); // 10@aa < 11@cc < 12@bb
    EXPECT_EQ(str(all[1]), "from cc");
    EXPECT_EQ(str(all[2]), "from bb");
    EXPECT_EQ(hex_heads(a), (std::vector<std::string>{
        "1b104ffd1496a2e698ebaa486670a1b3084f94bf3396e4354fe15ebbe506f202",
        "95b616d56e13cadb915af45a61de7c0131dfb6026a4037f93dc1957911bd5cc1",
        "9c809d5c9fdcc9347024a534adac0d28460478824234c18003110825fdd47ce9" }));
}

TEST_F(Concurrent, MergeOrderDoesNotMatter)
{
    ASSERT_TRUE(c.merge(a));
    ASSERT_TRUE(c.merge(b));
    ASSERT_TRUE(b.merge(c));
    EXPECT_EQ(c.text(t), "123XYZ!c");
    EXPECT_EQ(b.text(t), "123XYZ!c");
    EXPECT_EQ(hex_heads(b), hex_heads(c));
    EXPECT_EQ(str(b.get(ROOT, "k")), "from bb");
}

TEST_F(Concurrent, SecondRoundSavesTheSameBytesAsAutomerge)
{
    ASSERT_TRUE(a.merge(b));
    ASSERT_TRUE(a.merge(c));
    auto b2 = a.fork(actor("bb"));
    ASSERT_TRUE(b2.splice_text(t, 3, 0, "uv"));
    b2.commit(at_time_zero());
    auto c2 = a.fork(actor("cc"));
    ASSERT_TRUE(c2.splice_text(t, 3, 0, "ST"));
    c2.commit(at_time_zero());
    ASSERT_TRUE(b2.merge(c2));
    EXPECT_EQ(b2.text(t), "123STuvXYZ!c");
    auto expected = decode_hex(
        "856f4a83c310f15500d9020301aa01bb01cc023c9d42e8a0363fcf154cf5e9de8351984e48c0dc2883f8b1c29e24f61bbebc9760e16a0d03"
        "437ce364694783169eb0fe26fbdce6a56b0804e1b56d13c7161bd40701070307130723024006430a56020e0104020611141316150a211223"
        "1b34024207560a572a80010a81010283010302007c0102010202017c7f0001007a0604027f030006007f000301020303007e0102027f7e02"
        "7f06070005120000050d01050400067f0005027e010002010200000102007e010000057d000205020173047c047505017a007e0500057b03"
        "016b7e016c017400127d00020103000502050103007f0202017f007f0a02017c787d010502017b04017f01790201797e7c020500017b0512"
        "03017e02041201037602000e1603267f1666726f6d20616166726f6d20636366726f6d206262613132335354757658595a21637063316231"
        "62327105007f010c007f01040002007e08010504");
    ASSERT_TRUE(expected);
    EXPECT_EQ(encode_hex(b2.save()), encode_hex(*expected));
    auto loaded = Document::load(*expected);
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(loaded->text(t), "123STuvXYZ!c");
    EXPECT_EQ(loaded->heads(), b2.heads());
}

TEST_F(Concurrent, ChangesArrivingBeforeTheirDependenciesWait)
{
    ASSERT_TRUE(a.merge(b));
    ASSERT_TRUE(a.merge(c));
    auto changes = a.get_changes({});
    ASSERT_EQ(changes.size(), 4u);
    std::reverse(changes.begin(), changes.end());
    Document fresh(actor("dd"));
    ASSERT_TRUE(fresh.apply_changes(std::span(changes).first(3)));
    EXPECT_EQ(fresh.queued_changes(), 3u);
    EXPECT_TRUE(fresh.keys(ROOT).empty());
    ASSERT_TRUE(fresh.apply_changes(changes)); // the base arrives; duplicates are ignored
    EXPECT_EQ(fresh.queued_changes(), 0u);
    EXPECT_EQ(fresh.text(t), "123XYZ!c");
    EXPECT_EQ(fresh.heads(), a.heads());
}

TEST_F(Concurrent, ChangesSinceHeadsAreOnlyTheMissingOnes)
{
    auto base_heads = base.heads();
    ASSERT_TRUE(a.merge(b));
    auto since_base = a.get_changes(base_heads);
    EXPECT_EQ(since_base.size(), 2u);
    auto since_all = a.get_changes(a.heads());
    EXPECT_TRUE(since_all.empty());
    Document copy = base.fork(actor("ee"));
    ASSERT_TRUE(copy.apply_changes(since_base));
    EXPECT_EQ(copy.heads(), a.heads());
    EXPECT_EQ(copy.text(t), a.text(t));
}

TEST(History, SaveIncrementalAppendsOnlyNewChanges)
{
    Document doc(actor("aa"));
    ASSERT_TRUE(doc.put(ROOT, "a", std::int64_t(1)));
    auto file = doc.save();
    EXPECT_TRUE(doc.save_incremental().empty());
    ASSERT_TRUE(doc.put(ROOT, "b", std::int64_t(2)));
    auto tail = doc.save_incremental();
    EXPECT_FALSE(tail.empty());
    EXPECT_TRUE(doc.save_incremental().empty());
    file.insert(file.end(), tail.begin(), tail.end());
    auto loaded = Document::load(file);
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(loaded->keys(ROOT), (std::vector<std::string>{ "a", "b" }));
    EXPECT_EQ(loaded->heads(), doc.heads());

    Document other(actor("bb"));
    ASSERT_TRUE(other.load_incremental(file));
    EXPECT_EQ(other.heads(), doc.heads());
    ASSERT_TRUE(other.put(ROOT, "c", std::int64_t(3)));
    EXPECT_EQ(other.heads().size(), 1u);
}

TEST(History, ForkIsIndependentAndKeepsHistory)
{
    Document doc(actor("aa"));
    ASSERT_TRUE(doc.put(ROOT, "x", std::int64_t(1)));
    auto copy = doc.fork();
    EXPECT_NE(copy.actor(), doc.actor());
    EXPECT_EQ(copy.heads(), doc.heads());
    ASSERT_TRUE(copy.put(ROOT, "x", std::int64_t(2)));
    EXPECT_EQ(std::get<std::int64_t>(std::get<ScalarValue>(*doc.get(ROOT, "x"))), 1);
    ASSERT_TRUE(doc.merge(copy));
    EXPECT_EQ(std::get<std::int64_t>(std::get<ScalarValue>(*doc.get(ROOT, "x"))), 2);
}

TEST(History, ConcurrentIncrementsAddUp)
{
    Document a(actor("aa"));
    ASSERT_TRUE(a.put(ROOT, "n", Counter{ 10 }));
    auto b = a.fork(actor("bb"));
    ASSERT_TRUE(a.increment(ROOT, "n", 5));
    ASSERT_TRUE(b.increment(ROOT, "n", -3));
    ASSERT_TRUE(a.merge(b));
    EXPECT_EQ(std::get<ScalarValue>(*a.get(ROOT, "n")), ScalarValue(Counter{ 12 }));
    EXPECT_EQ(a.get_all(ROOT, "n").size(), 1u);
}

TEST(History, DeleteConcurrentWithUpdateKeepsTheUpdate)
{
    Document a(actor("aa"));
    ASSERT_TRUE(a.put(ROOT, "k", std::string("v0")));
    auto b = a.fork(actor("bb"));
    ASSERT_TRUE(a.delete_key(ROOT, "k"));
    ASSERT_TRUE(b.put(ROOT, "k", std::string("v1")));
    ASSERT_TRUE(a.merge(b));
    EXPECT_EQ(str(a.get(ROOT, "k")), "v1");
}
