// Call membership and per-participant state.

#include "doc/apply.h"
#include "doc/read.h"
#include "doc_fixture.h"

#include <gtest/gtest.h>

namespace chat::doc {
namespace {

using namespace test;

struct Flags {
    bool talking, muted, deafened, audio_only, sharing;
    bool operator==(Flags const&) const = default;
};

std::ostream& operator<<(std::ostream& out, Flags const& f)
{
    return out << f.talking << f.muted << f.deafened << f.audio_only << f.sharing;
}

Flags flags(crdt::Document const& doc, std::string_view channel, std::string_view user)
{
    auto const p = path(doc, {"voice", channel, user});
    auto const get = [&](char const* key) { return read_boolean(doc, p, key).value_or(false); };
    return {get("talking"), get("muted"), get("deafened"), get("audio_only"), get("sharing")};
}

TEST(Calls, JoinStartsQuietAndRejoinKeepsFlags)
{
    crdt::Document doc;
    apply_chat_action(doc, action::JoinCall{"c_v", "u"});
    auto const p = path(doc, {"voice", "c_v", "u"});
    for (auto key : {"talking", "muted", "deafened", "audio_only", "sharing"})
        EXPECT_EQ(read_boolean(doc, p, key), false) << key;

    apply_chat_action(doc, action::SetCallState{"c_v", "u", false, true, false, false});
    apply_chat_action(doc, action::JoinCall{"c_v", "u"});
    EXPECT_EQ(flags(doc, "c_v", "u"), (Flags{false, true, false, false, false}));
}

TEST(Calls, SetCallStateWritesFourFlagsAndLeavesSharing)
{
    crdt::Document doc;
    apply_chat_action(doc, action::SetScreenShare{"c_v", "u", true}); // creates the participant
    apply_chat_action(doc, action::SetCallState{"c_v", "u", true, false, true, true});
    EXPECT_EQ(flags(doc, "c_v", "u"), (Flags{true, false, true, true, true}));
    apply_chat_action(doc, action::SetScreenShare{"c_v", "u", false});
    EXPECT_EQ(flags(doc, "c_v", "u").sharing, false);
}

TEST(Calls, LeaveRemovesOnlyThatParticipant)
{
    crdt::Document doc;
    apply_chat_action(doc, action::JoinCall{"c_v", "a"});
    apply_chat_action(doc, action::JoinCall{"c_v", "b"});
    apply_chat_action(doc, action::LeaveCall{"c_v", "a"});
    auto const call = path(doc, {"voice", "c_v"});
    EXPECT_EQ(doc.keys(call), std::vector<std::string>{"b"});
}

TEST(Calls, TicketAndVideoCaps)
{
    crdt::Document doc;
    apply_chat_action(doc, action::SetCallTicket{"c_v", "u", "ticket-abc"});
    apply_chat_action(doc, action::SetCallVideoCaps{"c_v", "u", {"hevc-main10", "vp9"}, {"av1"}});
    auto const p = path(doc, {"voice", "c_v", "u"});
    EXPECT_EQ(read_string(doc, p, "ticket"), "ticket-abc");
    EXPECT_EQ(read_string(doc, p, "video_hw_decode"), "hevc-main10,vp9");
    EXPECT_EQ(read_string(doc, p, "video_sw_decode"), "av1");
}

TEST(Calls, EmptyVideoCapsAreWrittenOnceAsEmptyStrings)
{
    crdt::Document doc;
    apply_chat_action(doc, action::JoinCall{"c_v", "u"});
    auto const heads = doc.heads();
    apply_chat_action(doc, action::SetCallVideoCaps{"c_v", "u", {}, {}});
    EXPECT_NE(doc.heads(), heads);
    auto const p = path(doc, {"voice", "c_v", "u"});
    EXPECT_EQ(read_string(doc, p, "video_hw_decode"), "");
    EXPECT_EQ(read_string(doc, p, "video_sw_decode"), "");
}

TEST(Calls, TicketEqualToTheAbsentDefaultWritesNothing)
{
    crdt::Document doc;
    apply_chat_action(doc, action::JoinCall{"c_v", "u"});
    auto const heads = doc.heads();
    apply_chat_action(doc, action::SetCallTicket{"c_v", "u", ""});
    EXPECT_EQ(doc.heads(), heads);
    EXPECT_FALSE(has_key(doc, path(doc, {"voice", "c_v", "u"}), "ticket"));
}

} // namespace
} // namespace chat::doc
