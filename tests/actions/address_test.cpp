#include "actions/address.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using orvo_actions::address::ActionAddress;

TEST(ActionAddress, RoundTripsThroughEncodeAndParse)
{
    ActionAddress const cases[] = {
        {"app.people"},
        {"app.channel", "c_general"},
        {"app.reaction", "m_1:👍"},          // the id keeps every colon after the first
        {"app.reaction", "m_1:👨‍👩‍👧"},         // joiners and variation selectors are not controls
        {"x", ":"},
        {"app.item", "id with spaces"},
        {"a-b.c_d.e9", "ünïcödé"},
    };
    for (auto const& address : cases) {
        auto parsed = ActionAddress::parse(address.encode());
        ASSERT_TRUE(parsed.has_value()) << address.encode() << ": " << parsed.error();
        EXPECT_EQ(*parsed, address) << address.encode();
    }
}

TEST(ActionAddress, EncodesKindAloneOrKindColonId)
{
    EXPECT_EQ(ActionAddress("app.people").encode(), "app.people");
    EXPECT_EQ(ActionAddress("app.channel", "c_1").encode(), "app.channel:c_1");
}

TEST(ActionAddress, RefusesHostileInput)
{
    using namespace std::string_literals;
    struct Case {
        std::string encoded;
        std::string error_part;
    } const cases[] = {
        {"", "empty"},
        {":c_1", "no kind"},
        {"app.channel:", "empty id"},
        {"App.Channel:c_1", "lower-case"},
        {"app..channel:c_1", "lower-case"},
        {".app:c_1", "lower-case"},
        {"app.:c_1", "lower-case"},
        {"1app:c_1", "lower-case"},
        {"app channel:c_1", "lower-case"},
        {"app/../x:c_1", "lower-case"},
        {"app.channel:c_1\n", "control character"},
        {"app.channel:c\x7f", "control character"},
        {"app.channel:c\xc2\x85", "control character"},       // NEL, a C1 control
        {"app.channel:c_1\0x"s, "control character"},
        {"app.channel:\xff", "invalid UTF-8"},
        {"app.channel:\xc0\xaf", "invalid UTF-8"},           // overlong '/'
        {"app.channel:\xed\xa0\x80", "invalid UTF-8"},       // a surrogate
        {"app.channel:\xf4\x90\x80\x80", "invalid UTF-8"},   // past U+10FFFF
        {"app.channel:\xe2\x82", "invalid UTF-8"},           // truncated sequence
        {"app.channel:" + std::string(5000, 'a'), "longer than"},
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
    char const* const pieces[] = {"a", "z", "A", "0", ".", ":", "-", "_", " ", "\n", "\x7f", "\xff", "\xc3",
                                  "\xa9", "\xe2\x82\xac", "\xf0\x9f\x91\x8d", "\xed\xa0\x80", "app.x", "c_1"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1), length(0, 8);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (std::size_t n = length(random); n > 0; --n) text += pieces[pick(random)];
        auto parsed = ActionAddress::parse(text);
        if (!parsed) continue;
        ++accepted;
        ASSERT_EQ(parsed->encode(), text);
        ASSERT_FALSE(parsed->kind.empty());
    }
    EXPECT_GT(accepted, 100) << "the generator should reach valid addresses too";
}
