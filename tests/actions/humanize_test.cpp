#include "actions/humanize.h"

#include <gtest/gtest.h>

using orvo_actions::context::humanize_identifier;

TEST(HumanizeIdentifier, TurnsIdentifiersIntoSentenceCaseWords)
{
    struct Case {
        char const* identifier;
        char const* label;
    } const cases[] = {
        {"MarkRead", "Mark read"},
        {"SetCallVideoCaps", "Set call video caps"},
        {"mark_read", "Mark read"},
        {"mark-read", "Mark read"},
        {"chat.action", "Chat action"},
        {"openURL", "Open URL"},
        {"HTTPServer", "HTTP server"},
        {"Send2Peer", "Send2 peer"},
        {"__leading__and__trailing__", "Leading and trailing"},
        {"already spaced  words", "Already spaced words"},
        {"x", "X"},
        {"", ""},
        {"_-.", ""},
        {"ÜberAction", "Über action"},
    };
    for (auto const& c : cases) EXPECT_EQ(humanize_identifier(c.identifier), c.label) << c.identifier;
}
