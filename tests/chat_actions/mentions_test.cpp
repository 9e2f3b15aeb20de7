// @-mentions found in typed text.

#include <gtest/gtest.h>

#include "actions/mentions.h"

namespace chat {
namespace {

Person person(char const* id, char const* name, bool agent = false)
{
    Person p;
    p.id = id;
    p.name = name;
    p.is_agent = agent;
    return p;
}

std::vector<Person> const people{
    person("u_ann", "Ann"),         person("u_annlee", "Ann Lee"), person("u_bot", "Bot", true),
    person("u_zoe", "Zoë"),         person("u_blank", ""),
    person("u_ann", "Annabel"), // the same id again: the first entry wins
};

TEST(Mentions, CandidatesLongestNameFirstEachIdOnce)
{
    std::vector<MentionCandidate> const expected{
        {"u_annlee", "Ann Lee", "ann lee", false},
        {"u_zoe", "Zoë", "zoë", false},
        {"u_ann", "Ann", "ann", false},
        {"u_bot", "Bot", "bot", true},
    };
    EXPECT_EQ(mention_candidates(people), expected);
}

struct MentionCase {
    char const* text;
    std::vector<Mention> expected;
};

TEST(Mentions, FoundInText)
{
    Mention const ann{"u_ann", 0, 4, false};
    Mention const ann_lee{"u_annlee", 0, 8, false};
    MentionCase const cases[] = {
        {"@Ann Lee hi", {ann_lee}},
        {"@Ann, hi", {ann}},
        {"@Ann", {ann}},
        {"@Ann_", {ann}},
        {"@ann lee", {ann_lee}},
        {"@ANN LEE", {ann_lee}},
        // The longer name runs on into a word, the shorter one does not.
        {"@Ann Leeward", {ann}},
        {"hi@Ann", {}},
        {"@Ann2", {}},
        {"@Anné", {}},
        {"@Ann\u0301", {}},
        {"@Annabel", {}},
        {"@nobody", {}},
        {"@", {}},
        {"@ hi", {}}, // a person without a name is never a candidate
        {"@@Ann", {}},
        {"@Ann Lee@Bot", {ann_lee}},
        {"x\n@Bot ok", {{"u_bot", 2, 4, true}}},
        {"@Ann @Bot", {ann, {"u_bot", 5, 4, true}}},
        {"@zoë!", {{"u_zoe", 0, 5, false}}},
        {"@ZOË", {{"u_zoe", 0, 5, false}}},
        {"日本\u3000@Ann", {{"u_ann", 9, 4, false}}},
        // Lower case "İ" is longer than "İ": the text is matched as written.
        {"İ @Ann", {}},
        {"İ @ann", {{"u_ann", 3, 4, false}}},
        {"bad \xff @Ann", {{"u_ann", 6, 4, false}}},
    };
    auto const candidates = mention_candidates(people);
    for (auto const& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(find_mentions(c.text, candidates), c.expected);
        EXPECT_EQ(find_mentions(c.text, people), c.expected);
    }
}

} // namespace
} // namespace chat
