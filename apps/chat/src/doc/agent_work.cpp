#include "doc/agent_work.h"

#include "doc/read.h"
#include "doc/records/record_json.h"
#include "doc/write.h"

#include <algorithm>
#include <string>

namespace chat::doc {

namespace {

// Parses a record stored as JSON text; nothing when it does not decode.
template <class Record>
std::optional<Record> parse_stored(std::string_view text)
{
    auto tree = json::parse(text);
    if (!tree)
        return std::nullopt;
    std::optional<Record> record(std::in_place);
    if (!read_json(*tree, *record))
        return std::nullopt;
    return record;
}

// Trace keys of the earlier layout: exactly eight decimal digits.
bool is_legacy_step_key(std::string_view key)
{
    return key.size() == 8
        && std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<AgentWorkState> legacy_state(crdt::Document const& doc, crdt::ObjId const& state_map)
{
    auto const field = [&](char const* key) { return read_string(doc, state_map, key).value_or(""); };
    auto const kind = read_string(doc, state_map, "kind").value_or("");
    if (kind == "taken")
        return AgentTaken{};
    if (kind == "waiting")
        return AgentWaiting{field("app")};
    if (kind == "doing")
        return AgentDoing{field("did"), field("about")};
    if (kind == "done")
        return AgentDone{field("did")};
    if (kind == "refused")
        return AgentRefused{};
    return std::nullopt;
}

std::optional<StoredAgentTransition> read_transition(crdt::Document const& doc, crdt::ObjId const& work)
{
    if (auto const text = read_string(doc, work, "transition")) {
        if (auto transition = parse_stored<StoredAgentTransition>(*text))
            return transition;
    }
    auto const state_map = read_map(doc, work, "state");
    if (!state_map)
        return std::nullopt;
    auto state = legacy_state(doc, *state_map);
    if (!state)
        return std::nullopt;
    return StoredAgentTransition{std::move(*state), read_integer(doc, work, "since").value_or(0)};
}

std::optional<AgentReasoning> read_reasoning(crdt::Document const& doc, crdt::ObjId const& work)
{
    if (auto const legacy = read_map(doc, work, "reasoning")) {
        auto const route = read_string(doc, *legacy, "route").value_or("");
        if (route != "model" && route != "floor")
            return std::nullopt;
        return AgentReasoning{route == "model" ? AgentRoute::Model : AgentRoute::Floor,
                              read_string(doc, *legacy, "why").value_or("")};
    }
    auto const text = read_string(doc, work, "reasoning");
    if (!text)
        return std::nullopt;
    return parse_stored<AgentReasoning>(*text);
}

std::optional<AgentStepOutcome> read_outcome(crdt::Document const& doc, crdt::ObjId const& entry)
{
    auto const text = read_string(doc, entry, "outcome").value_or("");
    if (auto outcome = parse_stored<AgentStepOutcome>(text))
        return outcome;
    if (text == "asked")
        return StepAsked{};
    if (text == "applied")
        return StepApplied{};
    if (text == "no_change")
        return StepNoChange{};
    if (text == "refused")
        return StepRefused{read_string(doc, entry, "why").value_or("")};
    return std::nullopt;
}

std::vector<AgentStep> read_trace(crdt::Document const& doc, crdt::ObjId const& work)
{
    std::vector<AgentStep> steps;
    auto const trace = read_map(doc, work, "trace");
    if (!trace)
        return steps;
    for (auto const& key : doc.keys(*trace)) {
        auto const entry = read_map(doc, *trace, key);
        if (!entry || read_boolean(doc, *entry, "present") != true)
            continue;
        auto outcome = read_outcome(doc, *entry);
        if (!outcome)
            continue;
        AgentStep step;
        step.id = is_legacy_step_key(key) ? "legacy_step_" + key : key;
        step.sequence = static_cast<std::uint64_t>(std::max<std::int64_t>(0, read_integer(doc, *entry, "sequence").value_or(0)));
        step.resource = read_string(doc, *entry, "resource").value_or("");
        step.label = read_string(doc, *entry, "label").value_or("");
        step.outcome = std::move(*outcome);
        steps.push_back(std::move(step));
    }
    std::sort(steps.begin(), steps.end(), [](AgentStep const& a, AgentStep const& b) {
        return a.sequence != b.sequence ? a.sequence < b.sequence : a.id < b.id;
    });
    return steps;
}

AgentStep const* find_step(std::optional<AgentWork> const& work, std::string_view id)
{
    if (!work)
        return nullptr;
    auto const found = std::find_if(work->trace.begin(), work->trace.end(),
                                    [&](AgentStep const& step) { return step.id == id; });
    return found == work->trace.end() ? nullptr : &*found;
}

void put_present(crdt::Document& doc, crdt::ObjId const& entry, bool present)
{
    if (read_boolean(doc, entry, "present") != present)
        put_boolean(doc, entry, "present", present);
}

void write_trace(crdt::Document& doc, crdt::ObjId const& work_map, AgentWork const& work,
                 std::optional<AgentWork> const& old)
{
    auto const trace = ensure_map(doc, work_map, "trace");
    for (auto const& step : work.trace) {
        if (step.id.empty())
            continue;
        bool const is_new = !read_map(doc, trace, step.id);
        auto const entry = ensure_map(doc, trace, step.id);
        put_present(doc, entry, true);
        if (is_new) {
            put_integer(doc, entry, "sequence", static_cast<std::int64_t>(step.sequence));
            put_string(doc, entry, "resource", step.resource);
            put_string(doc, entry, "label", step.label);
        }
        auto const* old_step = find_step(old, step.id);
        if (!old_step || old_step->outcome != step.outcome)
            put_string(doc, entry, "outcome", encode_record(step.outcome));
    }
    for (auto const& key : doc.keys(trace)) {
        if (!is_legacy_step_key(key))
            continue;
        if (auto const entry = read_map(doc, trace, key))
            put_present(doc, *entry, false);
    }
}

} // namespace

std::optional<AgentWork> read_agent_work(crdt::Document const& doc, crdt::ObjId const& work_map)
{
    auto transition = read_transition(doc, work_map);
    if (!transition)
        return std::nullopt;
    auto reasoning = read_reasoning(doc, work_map);
    if (!reasoning)
        return std::nullopt;
    return AgentWork{std::move(transition->state), transition->since, std::move(*reasoning),
                     read_trace(doc, work_map)};
}

std::optional<AgentWork> message_agent_work(crdt::Document const& doc, crdt::ObjId const& message)
{
    auto const work_map = read_map(doc, message, "work");
    if (!work_map)
        return std::nullopt;
    return read_agent_work(doc, *work_map);
}

void write_agent_work(crdt::Document& doc, crdt::ObjId const& message, AgentWork const& work)
{
    auto const old = message_agent_work(doc, message);
    auto const work_map = ensure_map(doc, message, "work");
    if (!old || old->state != work.state || old->since != work.since)
        put_string(doc, work_map, "transition", encode_record(StoredAgentTransition{work.state, work.since}));
    if (!old || old->reasoning != work.reasoning)
        put_string(doc, work_map, "reasoning", encode_record(work.reasoning));
    write_trace(doc, work_map, work, old);
}

} // namespace chat::doc
