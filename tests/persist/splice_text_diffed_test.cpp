#include "ui/doc/splice_text_diffed.h"

#include <gtest/gtest.h>

namespace orvo_ui::doc {
namespace {

struct SpliceCase {
    char const* name;
    std::string old_text;
    std::string new_text;
    TextSplice expected;
    friend void PrintTo(SpliceCase const& c, std::ostream* out) { *out << c.name; }
};

class MinimalTextSplice : public testing::TestWithParam<SpliceCase> {};

TEST_P(MinimalTextSplice, ChangesOnlyTheDifferingSpan)
{
    auto const& c = GetParam();
    auto const splice = minimal_text_splice(c.old_text, c.new_text);
    ASSERT_TRUE(splice.has_value());
    EXPECT_EQ(*splice, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MinimalTextSplice, testing::Values(
    SpliceCase{"from_empty", "", "hello", {0, 0, "hello"}},
    SpliceCase{"to_empty", "hello", "", {0, 5, ""}},
    SpliceCase{"middle_replace", "the cat sat", "the dog sat", {4, 3, "dog"}},
    SpliceCase{"append", "abc", "abcdef", {3, 0, "def"}},
    SpliceCase{"prepend", "abc", "xyabc", {0, 0, "xy"}},
    // Repeated characters: prefix and suffix must not overlap.
    SpliceCase{"repeated_insert", "aaa", "aaaa", {3, 0, "a"}},
    SpliceCase{"repeated_delete", "aaaa", "aa", {2, 2, ""}},
    // Positions count code points, not bytes: "é" is two bytes, "🎉" four.
    SpliceCase{"after_multibyte", "é🎉x", "é🎉y", {2, 1, "y"}},
    // "é" (C3 A9) and "è" (C3 A8) share a lead byte; the cut may not split it.
    SpliceCase{"shared_lead_byte", "caé", "caè", {2, 1, "è"}},
    // "ä" (C3 A4) and "Ĥ" (C4 A4) share a trailing byte.
    SpliceCase{"shared_trailing_byte", "äbc", "Ĥbc", {0, 1, "Ĥ"}},
    SpliceCase{"emoji_to_emoji", "a🎉b", "a🚀b", {1, 1, "🚀"}}),
    [](auto const& info) { return std::string(info.param.name); });

TEST(MinimalTextSpliceEqual, EqualTextsNeedNoSplice)
{
    EXPECT_FALSE(minimal_text_splice("", "").has_value());
    EXPECT_FALSE(minimal_text_splice("same 🎉", "same 🎉").has_value());
}

} // namespace
} // namespace orvo_ui::doc

namespace orvo_ui::doc {
namespace {

// Replacing the whole text would make concurrent edits collide; the minimal
// splice lets both survive a merge.
TEST(SpliceTextDiffed, ConcurrentEditsOfDifferentSpansBothSurvive)
{
    crdt::Document ours;
    auto const text = ours.put_object(crdt::Document::root(), "t", crdt::ObjType::Text).value();
    splice_text_diffed(ours, text, "héllo wörld");
    auto theirs = ours.fork();
    splice_text_diffed(ours, text, "Héllo wörld");
    splice_text_diffed(theirs, text, "héllo wörld 🎉");
    ASSERT_TRUE(ours.merge(theirs).has_value());
    EXPECT_EQ(ours.text(text), "Héllo wörld 🎉");
}

TEST(SpliceTextDiffed, EqualTextWritesNothing)
{
    crdt::Document doc;
    auto const text = doc.put_object(crdt::Document::root(), "t", crdt::ObjType::Text).value();
    splice_text_diffed(doc, text, "same");
    auto const heads = doc.heads();
    splice_text_diffed(doc, text, "same");
    EXPECT_EQ(doc.heads(), heads);
}

} // namespace
} // namespace orvo_ui::doc
