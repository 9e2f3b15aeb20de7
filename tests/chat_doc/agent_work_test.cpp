// Agent work cards: the stored layout, minimal rewrites, earlier layouts.

#include "doc/agent_work.h"
#include "doc/apply.h"
#include "doc/create.h"
#include "doc/messages.h"
#include "doc/read.h"
#include "doc/records/record_json.h"
#include "doc_fixture.h"

#include <gtest/gtest.h>

namespace chat::doc {
namespace {

using namespace test;

AgentWork work_with(std::vector<AgentStep> trace)
{
    return AgentWork{AgentWaiting{"approval"}, 1782475400, AgentReasoning{AgentRoute::Floor, "rule 7"},
                     std::move(trace)};
}

class AgentWorkCard : public testing::Test {
protected:
    void SetUp() override
    {
        create_channel(doc, "c", {"ws", "", "c", "", ChannelKind::Text, 0});
        apply_chat_action(doc, action::SendMessage{"c", "m", "u_bot", 1, ""});
        apply_chat_action(doc, action::SendMessage{"c", "m_said", "u_bot", 2, "already said"});
    }

    crdt::ObjId message(std::string_view id = "m") { return find_message(doc, "c", id).value().message; }
    crdt::ObjId ensure_work_map() { return must(doc.put_object(message(), "work", crdt::ObjType::Map)); }
    crdt::ObjId trace_entry(std::string_view step) { return path_from(message(), {"work", "trace", step}); }

    crdt::ObjId path_from(crdt::ObjId obj, std::initializer_list<std::string_view> keys)
    {
        for (auto key : keys)
            obj = object_at(doc, obj, key);
        return obj;
    }

    void set(AgentWork const& work, std::optional<std::string> say = std::nullopt, std::string msg = "m")
    {
        apply_chat_action(doc, action::SetAgentWork{"c", msg, work, say});
    }

    crdt::Document doc;
};

TEST_F(AgentWorkCard, StoresTheCurrentLayoutAndReadsItBack)
{
    auto const work = work_with({AgentStep{"b", 2, "chat.channel:c", "Second", StepRefused{"no"}},
                                 AgentStep{"a", 2, "chat.channel:c", "First", StepApplied{}},
                                 AgentStep{"", 0, "", "no id: skipped", StepAsked{}}});
    set(work);
    auto const work_map = object_at(doc, message(), "work");
    EXPECT_EQ(decode_record<StoredAgentTransition>(read_string(doc, work_map, "transition").value()).value(),
              (StoredAgentTransition{work.state, work.since}));
    EXPECT_EQ(decode_record<AgentReasoning>(read_string(doc, work_map, "reasoning").value()).value(), work.reasoning);
    EXPECT_EQ(doc.keys(object_at(doc, work_map, "trace")), (std::vector<std::string>{"a", "b"}));
    auto const entry = trace_entry("b");
    EXPECT_EQ(read_boolean(doc, entry, "present"), true);
    EXPECT_EQ(read_integer(doc, entry, "sequence"), 2);
    EXPECT_EQ(read_string(doc, entry, "label"), "Second");

    // Read back sorted by sequence, then id.
    auto const back = message_agent_work(doc, message());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->trace.size(), 2u);
    EXPECT_EQ(back->trace[0].id, "a");
    EXPECT_EQ(back->trace[1].outcome, AgentStepOutcome{StepRefused{"no"}});
}

TEST_F(AgentWorkCard, LaterWorkRewritesOnlyWhatChanged)
{
    set(work_with({AgentStep{"s1", 1, "r", "Label", StepAsked{}}}));
    auto const entry = trace_entry("s1");
    auto const reasoning_before = read_string(doc, object_at(doc, message(), "work"), "reasoning");

    // Same step id with new sequence, label and outcome: only the outcome changes.
    auto later = work_with({AgentStep{"s1", 9, "other", "Relabelled", StepApplied{}},
                            AgentStep{"s2", 2, "r2", "Added", StepNoChange{}}});
    later.state = AgentDone{"finished"};
    set(later);
    EXPECT_EQ(read_integer(doc, entry, "sequence"), 1);
    EXPECT_EQ(read_string(doc, entry, "label"), "Label");
    EXPECT_EQ(read_string(doc, entry, "resource"), "r");
    EXPECT_EQ(decode_record<AgentStepOutcome>(read_string(doc, entry, "outcome").value()).value(),
              AgentStepOutcome{StepApplied{}});
    EXPECT_EQ(read_string(doc, object_at(doc, message(), "work"), "reasoning"), reasoning_before);
    EXPECT_TRUE(std::holds_alternative<AgentDone>(message_agent_work(doc, message())->state));

    // A step missing from a later trace keeps its entry and stays present.
    set(work_with({AgentStep{"s2", 2, "r2", "Added", StepNoChange{}}}));
    EXPECT_EQ(read_boolean(doc, entry, "present"), true);
    EXPECT_EQ(message_agent_work(doc, message())->trace.size(), 2u);
}

TEST_F(AgentWorkCard, RetiresStepsOfTheEarlierLayout)
{
    auto const work_map = ensure_work_map();
    auto const trace = must(doc.put_object(work_map, "trace", crdt::ObjType::Map));
    auto const legacy = must(doc.put_object(trace, "00000001", crdt::ObjType::Map));
    must(doc.put(legacy, "present", flag(true)));
    must(doc.put(legacy, "outcome", str("applied")));
    auto const nine_digits = must(doc.put_object(trace, "000000001", crdt::ObjType::Map));
    must(doc.put(nine_digits, "present", flag(true)));
    must(doc.put(nine_digits, "outcome", str("asked")));

    set(work_with({AgentStep{"s1", 1, "r", "L", StepAsked{}}}));
    EXPECT_EQ(read_boolean(doc, legacy, "present"), false);
    EXPECT_EQ(read_boolean(doc, nine_digits, "present"), true);
}

TEST_F(AgentWorkCard, ReadsTheEarlierLayout)
{
    auto const work_map = ensure_work_map();
    auto const state = must(doc.put_object(work_map, "state", crdt::ObjType::Map));
    must(doc.put(state, "kind", str("doing")));
    must(doc.put(state, "did", str("read")));
    must(doc.put(work_map, "since", num(77)));
    auto const reasoning = must(doc.put_object(work_map, "reasoning", crdt::ObjType::Map));
    must(doc.put(reasoning, "route", str("floor")));
    must(doc.put(reasoning, "why", str("rule")));
    auto const trace = must(doc.put_object(work_map, "trace", crdt::ObjType::Map));
    auto const step = must(doc.put_object(trace, "12345678", crdt::ObjType::Map));
    must(doc.put(step, "present", flag(true)));
    must(doc.put(step, "outcome", str("refused")));
    must(doc.put(step, "why", str("denied")));
    must(doc.put(step, "sequence", num(-4)));
    auto const dropped = must(doc.put_object(trace, "odd", crdt::ObjType::Map));
    must(doc.put(dropped, "present", flag(true)));
    must(doc.put(dropped, "outcome", str("exploded")));

    auto const work = message_agent_work(doc, message());
    ASSERT_TRUE(work.has_value());
    EXPECT_EQ(work->state, (AgentWorkState{AgentDoing{"read", ""}}));
    EXPECT_EQ(work->since, 77);
    EXPECT_EQ(work->reasoning, (AgentReasoning{AgentRoute::Floor, "rule"}));
    ASSERT_EQ(work->trace.size(), 1u);
    EXPECT_EQ(work->trace[0], (AgentStep{"legacy_step_12345678", 0, "", "", StepRefused{"denied"}}));

    // Another route in the earlier reasoning map means no work at all.
    must(doc.put(reasoning, "route", str("oracle")));
    EXPECT_FALSE(message_agent_work(doc, message()).has_value());
}

TEST_F(AgentWorkCard, SayFillsOnlyAnEmptyText)
{
    set(work_with({}), "Looking into it");
    EXPECT_EQ(read_text(doc, message(), "text"), "Looking into it");
    set(work_with({}), "Second thoughts");
    EXPECT_EQ(read_text(doc, message(), "text"), "Looking into it");
    set(work_with({}), "Ignored", "m_said");
    EXPECT_EQ(read_text(doc, message("m_said"), "text"), "already said");
}

} // namespace
} // namespace chat::doc
