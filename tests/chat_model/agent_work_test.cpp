#include <gtest/gtest.h>

#include "doc/records/record_json.h"
#include "doc_builder.h"
#include "model/messages.h"

namespace chat {
namespace {

using test::DocBuilder;

std::optional<AgentWork> projected_work(DocBuilder& b)
{
    auto const messages = channel_messages(b.doc, "c");
    if (messages.size() != 1) {
        ADD_FAILURE() << "expected one message";
        return std::nullopt;
    }
    return messages[0].work.to_optional();
}

crdt::ObjId trace_entry(DocBuilder& b, crdt::ObjId const& trace, char const* key, std::int64_t sequence,
                        std::string const& outcome, bool present = true)
{
    auto const entry = b.map(trace, key);
    b.put(entry, "present", present);
    b.put(entry, "sequence", sequence);
    b.put(entry, "resource", std::string("res_") + key);
    b.put(entry, "label", std::string("label_") + key);
    b.put(entry, "outcome", outcome);
    return entry;
}

TEST(ModelAgentWork, CurrentLayout)
{
    DocBuilder b;
    auto const work = b.map(b.message("c", "m"), "work");
    b.put(work, "transition", encode_record(StoredAgentTransition{AgentDoing{"read", "overlay"}, 1782477600}));
    b.put(work, "reasoning", encode_record(AgentReasoning{AgentRoute::Floor, "rule"}));
    auto const trace = b.map(work, "trace");
    trace_entry(b, trace, "s_b", 2, encode_record(AgentStepOutcome{StepApplied{}}));
    trace_entry(b, trace, "s_a", 2, encode_record(AgentStepOutcome{StepRefused{"denied"}}));
    trace_entry(b, trace, "s_c", 1, encode_record(AgentStepOutcome{StepAsked{}}));
    trace_entry(b, trace, "s_gone", 0, encode_record(AgentStepOutcome{StepAsked{}}), false);
    trace_entry(b, trace, "s_bad", 0, "exploded");
    b.put(trace_entry(b, trace, "s_neg", -7, "no_change"), "why", "ignored");

    AgentWork const expected{
        .state = AgentDoing{"read", "overlay"},
        .since = 1782477600,
        .reasoning = {AgentRoute::Floor, "rule"},
        .trace = {{"s_neg", 0, "res_s_neg", "label_s_neg", StepNoChange{}},
                  {"s_c", 1, "res_s_c", "label_s_c", StepAsked{}},
                  {"s_a", 2, "res_s_a", "label_s_a", StepRefused{"denied"}},
                  {"s_b", 2, "res_s_b", "label_s_b", StepApplied{}}},
    };
    EXPECT_EQ(projected_work(b), expected);
}

TEST(ModelAgentWork, EarlierLayout)
{
    DocBuilder b;
    auto const work = b.map(b.message("c", "m"), "work");
    auto const state = b.map(work, "state");
    b.put(state, "kind", "waiting");
    b.put(state, "app", "review");
    b.put(work, "since", std::int64_t{42});
    auto const reasoning = b.map(work, "reasoning");
    b.put(reasoning, "route", "model");
    b.put(reasoning, "why", "asked a model");
    auto const trace = b.map(work, "trace");
    b.put(trace_entry(b, trace, "00000012", 1, "refused"), "why", "no access");
    trace_entry(b, trace, "0000001", 2, "applied"); // seven digits: not an earlier key

    AgentWork const expected{
        .state = AgentWaiting{"review"},
        .since = 42,
        .reasoning = {AgentRoute::Model, "asked a model"},
        .trace = {{"legacy_step_00000012", 1, "res_00000012", "label_00000012", StepRefused{"no access"}},
                  {"0000001", 2, "res_0000001", "label_0000001", StepApplied{}}},
    };
    EXPECT_EQ(projected_work(b), expected);
}

void good_reasoning(DocBuilder& b, crdt::ObjId const& work)
{
    b.put(work, "reasoning", encode_record(AgentReasoning{AgentRoute::Model, ""}));
}

TEST(ModelAgentWork, UnreadableStateOrReasoningGivesNoWork)
{
    struct Case {
        char const* what;
        void (*write)(DocBuilder&, crdt::ObjId const& work);
        bool has_work;
    };
    Case const cases[] = {
        {"transition and reasoning",
         [](DocBuilder& b, crdt::ObjId const& work) {
             b.put(work, "transition", R"({"state":{"state":"taken"},"since":1})");
             good_reasoning(b, work);
         },
         true},
        {"invalid transition falls back to the earlier state map",
         [](DocBuilder& b, crdt::ObjId const& work) {
             b.put(work, "transition", "{");
             b.put(b.map(work, "state"), "kind", "refused");
             good_reasoning(b, work);
         },
         true},
        {"unknown transition state, no state map",
         [](DocBuilder& b, crdt::ObjId const& work) {
             b.put(work, "transition", R"({"state":{"state":"paused"},"since":1})");
             good_reasoning(b, work);
         },
         false},
        {"unknown earlier kind",
         [](DocBuilder& b, crdt::ObjId const& work) {
             b.put(b.map(work, "state"), "kind", "paused");
             good_reasoning(b, work);
         },
         false},
        {"missing reasoning",
         [](DocBuilder& b, crdt::ObjId const& work) { b.put(b.map(work, "state"), "kind", "taken"); }, false},
        {"reasoning not JSON",
         [](DocBuilder& b, crdt::ObjId const& work) {
             b.put(b.map(work, "state"), "kind", "taken");
             b.put(work, "reasoning", "because");
         },
         false},
        {"earlier reasoning with another route",
         [](DocBuilder& b, crdt::ObjId const& work) {
             b.put(b.map(work, "state"), "kind", "taken");
             b.put(b.map(work, "reasoning"), "route", "Model");
         },
         false},
    };
    for (auto const& test : cases) {
        SCOPED_TRACE(test.what);
        DocBuilder b;
        test.write(b, b.map(b.message("c", "m"), "work"));
        EXPECT_EQ(projected_work(b).has_value(), test.has_work);
    }
}

} // namespace
} // namespace chat
