#include "actions/address.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace orvo_actions::door;

TEST(ResourceAddress, JoinsAndSplitsKindAndId)
{
    EXPECT_EQ(resource_address("app.people"), "app.people");
    EXPECT_EQ(resource_address("app.channel", "c_1"), "app.channel:c_1");
    EXPECT_EQ(resource_kind("app.reaction:m_1:👍"), "app.reaction");
    EXPECT_EQ(resource_id("app.reaction:m_1:👍"), "m_1:👍"); // the id keeps every colon after the first
    EXPECT_EQ(resource_kind("app.people"), "app.people");
    EXPECT_EQ(resource_id("app.people"), "");
}

TEST(ActionAddress, RoundTripsThroughEncodeAndParse)
{
    ActionAddress const cases[] = {
        {"app.people", "open"},
        {"app.channel:c_general", "mark-read"},
        {"app.reaction:m_1:👍", "open-message"},
        {"app.reaction:m_1:👨‍👩‍👧", "remove"}, // joiners and variation selectors are not controls
        {"app.channel:#general", "open"},     // a '#' inside the resource is fine: the last one splits
        {"x:#", "a"},
        {"app.item:id with spaces", "v2.edit"},
        {"a-b.c_d.e9:ünïcödé", "0"},
    };
    for (auto const& address : cases) {
        auto parsed = ActionAddress::parse(address.encode());
        ASSERT_TRUE(parsed.has_value()) << address.encode() << ": " << parsed.error();
        EXPECT_EQ(*parsed, address) << address.encode();
    }
    EXPECT_EQ((ActionAddress{"app.channel:c_1", "open"}.encode()), "app.channel:c_1#open");
}

TEST(ActionAddress, RefusesHostileInput)
{
    using namespace std::string_literals;
    struct Case {
        std::string encoded;
        std::string error_part;
    } const cases[] = {
        {"", "no '#'"},
        {"app.channel:c_1", "no '#'"},
        {"app.channel:c_1#", "action id"},
        {"app.channel:c_1#Open", "action id"},
        {"app.channel:c_1#open now", "action id"},
        {"app.channel:c_1#-open", "action id"},
        {"#open", "empty"},
        {":c_1#open", "no kind"},
        {"app.channel:#open", "empty id"},
        {"App.Channel:c_1#open", "lower-case"},
        {"app..channel:c_1#open", "lower-case"},
        {".app:c_1#open", "lower-case"},
        {"app.:c_1#open", "lower-case"},
        {"1app:c_1#open", "lower-case"},
        {"app channel:c_1#open", "lower-case"},
        {"app/../x:c_1#open", "lower-case"},
        {"app.channel:c_1\n#open", "control character"},
        {"app.channel:c\x7f#open", "control character"},
        {"app.channel:c\xc2\x85#open", "control character"}, // NEL, a C1 control
        {"app.channel:c_1\0x#open"s, "control character"},
        {"app.channel:\xff#open", "invalid UTF-8"},
        {"app.channel:\xc0\xaf#open", "invalid UTF-8"},         // overlong '/'
        {"app.channel:\xed\xa0\x80#open", "invalid UTF-8"},     // a surrogate
        {"app.channel:\xf4\x90\x80\x80#open", "invalid UTF-8"}, // past U+10FFFF
        {"app.channel:\xe2\x82#open", "invalid UTF-8"},         // truncated sequence
        {"app.channel:" + std::string(5000, 'a') + "#open", "longer than"},
    };
    for (auto const& c : cases) {
        auto parsed = ActionAddress::parse(c.encoded);
        ASSERT_FALSE(parsed.has_value()) << c.encoded;
        EXPECT_NE(parsed.error().find(c.error_part), std::string::npos) << c.encoded << " -> " << parsed.error();
    }
}

TEST(ActionAddress, AnyAcceptedTextEncodesBackToItself)
{
    // Pieces chosen to meet every rule: separators, case, controls, bad and good UTF-8.
    char const* const pieces[] = {"a", "z", "A", "0", ".", ":", "#", "-", "_", " ", "\n", "\x7f", "\xff", "\xc3",
                                  "\xa9", "\xe2\x82\xac", "\xf0\x9f\x91\x8d", "\xed\xa0\x80", "app.x", "c_1", "#open"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1), length(0, 6);
    std::bernoulli_distribution coin;
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        // Half the texts begin like an address and half end like one, so many get far.
        std::string text = coin(random) ? "app.x:" : "";
        for (std::size_t n = length(random); n > 0; --n) text += pieces[pick(random)];
        if (coin(random)) text += "#open";
        auto parsed = ActionAddress::parse(text);
        if (!parsed) continue;
        ++accepted;
        ASSERT_EQ(parsed->encode(), text);
        ASSERT_TRUE(check_resource_address(parsed->resource).has_value()) << text;
    }
    EXPECT_GT(accepted, 100) << "the generator should reach valid addresses too";
}
