// Conditional writes: repeating an action, or aiming it at something that
// is not there, adds nothing to the document's history.

#include "doc/apply.h"
#include "doc/seed.h"
#include "doc_fixture.h"

#include <gtest/gtest.h>

namespace chat::doc {
namespace {

using namespace test;

AgentWork sample_work()
{
    return AgentWork{AgentDoing{"read the thread", "the overlay"}, 1782475400,
                     AgentReasoning{AgentRoute::Model, "asked by a person"},
                     {AgentStep{"s1", 1, "chat.channel:c_crit", "Read messages", StepApplied{}},
                      AgentStep{"s2", 2, "chat.message:m_concept", "Reply", StepRefused{"no access"}}}};
}

struct ActionCase {
    char const* name;
    ChatAction action;
    friend void PrintTo(ActionCase const& c, std::ostream* out) { *out << c.name; }
};

std::string case_name(testing::TestParamInfo<ActionCase> const& info) { return info.param.name; }

class RepeatedAction : public testing::TestWithParam<ActionCase> {};

TEST_P(RepeatedAction, SecondApplicationWritesNothing)
{
    crdt::Document doc;
    seed_demo(doc);
    apply_chat_action(doc, GetParam().action);
    auto const heads = doc.heads();
    apply_chat_action(doc, GetParam().action);
    EXPECT_EQ(doc.heads(), heads);
}

INSTANTIATE_TEST_SUITE_P(Members, RepeatedAction, testing::Values(
    ActionCase{"send", action::SendMessage{"c_crit", "m_x", "u_me", 5, "hi"}},
    ActionCase{"edit", action::EditMessage{"c_crit", "m_me1", "Changed", 7}},
    ActionCase{"delete_message", action::DeleteMessage{"c_crit", "m_me1"}},
    ActionCase{"add_reaction", action::AddReaction{"c_crit", "m_me1", "👍", "u_nell"}},
    ActionCase{"remove_reaction", action::RemoveReaction{"c_crit", "m_open", "🎉", "u_me"}},
    ActionCase{"pin", action::PinMessage{"c_crit", "m_me1", true}},
    ActionCase{"delete_category", action::DeleteCategory{"cat_acme_voice"}},
    ActionCase{"delete_channel", action::DeleteChannel{"c_random"}},
    ActionCase{"archive", action::ArchiveChannel{"c_random", true}},
    ActionCase{"mark_read", action::MarkRead{"c_crit", "u_me", 8}},
    ActionCase{"set_agent_work", action::SetAgentWork{"c_crit", "m_me2", sample_work(), "On it"}},
    ActionCase{"join_call", action::JoinCall{"c_huddle", "u_me"}},
    ActionCase{"leave_call", action::LeaveCall{"c_huddle", "u_rune"}},
    ActionCase{"screen_share", action::SetScreenShare{"c_huddle", "u_nell", true}},
    ActionCase{"ticket", action::SetCallTicket{"c_huddle", "u_nell", "ticket-1"}},
    ActionCase{"video_caps", action::SetCallVideoCaps{"c_huddle", "u_nell", {"hevc-main10", "vp9"}, {"av1"}}},
    ActionCase{"video_caps_empty", action::SetCallVideoCaps{"c_huddle", "u_nell", {}, {}}}),
    case_name);

class ActionWithoutEffect : public testing::TestWithParam<ActionCase> {};

TEST_P(ActionWithoutEffect, LeavesTheDocumentUntouched)
{
    crdt::Document doc;
    seed_demo(doc);
    auto const heads = doc.heads();
    apply_chat_action(doc, GetParam().action);
    EXPECT_EQ(doc.heads(), heads);
}

INSTANTIATE_TEST_SUITE_P(Members, ActionWithoutEffect, testing::Values(
    ActionCase{"edit_unknown_message", action::EditMessage{"c_crit", "m_gone", "x", 1}},
    ActionCase{"edit_in_wrong_channel", action::EditMessage{"c_general", "m_me1", "x", 1}},
    ActionCase{"edit_same_text", action::EditMessage{"c_crit", "m_tomas", "Dropping the transport notes here so they don't get lost.", 1}},
    ActionCase{"delete_unknown_message", action::DeleteMessage{"c_crit", "m_gone"}},
    ActionCase{"react_to_unknown_message", action::AddReaction{"c_crit", "m_gone", "👍", "u_me"}},
    ActionCase{"react_twice", action::AddReaction{"c_crit", "m_open", "🎉", "u_rune"}},
    ActionCase{"unreact_absent_pair", action::RemoveReaction{"c_crit", "m_open", "🎉", "u_pia"}},
    ActionCase{"unpin_unpinned", action::PinMessage{"c_crit", "m_open", false}},
    ActionCase{"rename_unknown_category", action::RenameCategory{"cat_gone", "x"}},
    ActionCase{"collapse_unknown_category", action::SetCategoryCollapsed{"cat_gone", true}},
    ActionCase{"reorder_unknown_channel", action::ReorderChannel{"c_gone", true}},
    ActionCase{"reorder_first_up", action::ReorderChannel{"c_general", true}},
    ActionCase{"reorder_last_down", action::ReorderChannel{"c_random", false}},
    ActionCase{"rename_unknown_channel", action::RenameChannel{"c_gone", "x"}},
    ActionCase{"delete_unknown_channel", action::DeleteChannel{"c_gone"}},
    ActionCase{"unarchive_active_channel", action::ArchiveChannel{"c_crit", false}},
    ActionCase{"archive_unknown_channel", action::ArchiveChannel{"c_gone", true}},
    ActionCase{"mark_read_zero_without_marker", action::MarkRead{"c_crit", "u_pia", 0}},
    ActionCase{"agent_work_unknown_message", action::SetAgentWork{"c_crit", "m_gone", sample_work(), "x"}},
    ActionCase{"rejoin_call", action::JoinCall{"c_huddle", "u_rune"}},
    ActionCase{"leave_call_not_in_it", action::LeaveCall{"c_huddle", "u_pia"}},
    ActionCase{"leave_call_unknown_channel", action::LeaveCall{"c_gone", "u_pia"}},
    ActionCase{"share_off_when_off", action::SetScreenShare{"c_huddle", "u_nell", false}}),
    case_name);

} // namespace
} // namespace chat::doc
