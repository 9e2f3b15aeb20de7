#pragma once

// The work card an agent attaches to a message: where the agent is, why it
// took its route, and the steps it has taken so far.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace chat {

struct AgentTaken {
    bool operator==(AgentTaken const&) const = default;
};
struct AgentWaiting {
    std::string app; // what the agent waits for
    bool operator==(AgentWaiting const&) const = default;
};
struct AgentDoing {
    std::string did;
    std::string about;
    bool operator==(AgentDoing const&) const = default;
};
struct AgentDone {
    std::string did;
    bool operator==(AgentDone const&) const = default;
};
struct AgentRefused {
    bool operator==(AgentRefused const&) const = default;
};

using AgentWorkState = std::variant<AgentTaken, AgentWaiting, AgentDoing, AgentDone, AgentRefused>;

enum class AgentRoute { Model, Floor };

struct AgentReasoning {
    AgentRoute route = AgentRoute::Model;
    std::string why;

    bool operator==(AgentReasoning const&) const = default;
};

struct StepAsked {
    bool operator==(StepAsked const&) const = default;
};
struct StepApplied {
    bool operator==(StepApplied const&) const = default;
};
struct StepNoChange {
    bool operator==(StepNoChange const&) const = default;
};
struct StepRefused {
    std::string why;
    bool operator==(StepRefused const&) const = default;
};

using AgentStepOutcome = std::variant<StepAsked, StepApplied, StepNoChange, StepRefused>;

struct AgentStep {
    std::string id; // unique within the work
    std::uint64_t sequence = 0;
    std::string resource;
    std::string label;
    AgentStepOutcome outcome;

    bool operator==(AgentStep const&) const = default;
};

struct AgentWork {
    AgentWorkState state;
    std::int64_t since = 0; // seconds since the Unix epoch when `state` was entered
    AgentReasoning reasoning;
    std::vector<AgentStep> trace;

    bool operator==(AgentWork const&) const = default;
};

// The document keeps the state and its time apart from the rest of the work.
struct StoredAgentTransition {
    AgentWorkState state;
    std::int64_t since = 0;

    bool operator==(StoredAgentTransition const&) const = default;
};

} // namespace chat
