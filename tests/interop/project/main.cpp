// crdt-interop-project FILE: loads a chat document and prints, as JSON, the
// channels and every channel's messages as the model projects them, for the
// oracle scripts to compare with what they wrote.

#include "crdt/document.h"
#include "model/messages.h"
#include "model/structure.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <type_traits>
#include <variant>

namespace {

using Json = nlohmann::json;

Json state_json(chat::AgentWorkState const& state)
{
    return std::visit(
        [](auto const& s) -> Json {
            using S = std::decay_t<decltype(s)>;
            if constexpr (std::is_same_v<S, chat::AgentTaken>) return { { "kind", "taken" } };
            else if constexpr (std::is_same_v<S, chat::AgentWaiting>) return { { "kind", "waiting" }, { "app", s.app } };
            else if constexpr (std::is_same_v<S, chat::AgentDoing>) return { { "kind", "doing" }, { "did", s.did }, { "about", s.about } };
            else if constexpr (std::is_same_v<S, chat::AgentDone>) return { { "kind", "done" }, { "did", s.did } };
            else return { { "kind", "refused" } };
        },
        state);
}

Json outcome_json(chat::AgentStepOutcome const& outcome)
{
    return std::visit(
        [](auto const& o) -> Json {
            using O = std::decay_t<decltype(o)>;
            if constexpr (std::is_same_v<O, chat::StepAsked>) return { { "kind", "asked" } };
            else if constexpr (std::is_same_v<O, chat::StepApplied>) return { { "kind", "applied" } };
            else if constexpr (std::is_same_v<O, chat::StepNoChange>) return { { "kind", "no_change" } };
            else return { { "kind", "refused" }, { "why", o.why } };
        },
        outcome);
}

Json work_json(chat::AgentWork const& work)
{
    Json trace = Json::array();
    for (auto const& step : work.trace)
        trace.push_back({ { "id", step.id }, { "sequence", step.sequence }, { "resource", step.resource },
                          { "label", step.label }, { "outcome", outcome_json(step.outcome) } });
    return { { "state", state_json(work.state) },
             { "since", work.since },
             { "reasoning", { { "route", work.reasoning.route == chat::AgentRoute::Model ? "model" : "floor" },
                              { "why", work.reasoning.why } } },
             { "trace", trace } };
}

Json message_json(chat::Message const& m)
{
    Json mentions = Json::array();
    for (auto const& mention : m.mentions)
        mentions.push_back({ { "user", mention.user }, { "start", mention.start }, { "len", mention.len },
                             { "agent", mention.is_agent } });
    return { { "id", m.id },
             { "parent", m.parent ? Json(*m.parent) : Json(nullptr) },
             { "author", m.author },
             { "ts", m.ts },
             { "text", m.text },
             { "edited", m.edited },
             { "pinned", m.pinned },
             { "history", m.history.size() },
             { "mentions", mentions },
             { "reference", m.reference.has_value() },
             { "attachment", m.attachment.has_value() },
             { "work", m.work ? work_json(*m.work) : Json(nullptr) } };
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: crdt-interop-project FILE\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto doc = crdt::Document::load(bytes);
    if (!in || !doc) {
        std::fprintf(stderr, "crdt-interop-project: %s: %s\n", argv[1], doc ? "cannot read" : doc.error().c_str());
        return 1;
    }
    Json out = { { "channels", Json::object() } };
    for (auto const& channel : chat::list_channels(*doc)) {
        Json messages = Json::array();
        for (auto const& message : chat::channel_messages(*doc, channel.id))
            messages.push_back(message_json(message));
        out["channels"][channel.id] = messages;
    }
    std::printf("%s\n", out.dump().c_str());
    return 0;
}
