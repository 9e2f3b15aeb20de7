#pragma once

// Who asked for an action and about what: carried with a dispatched action to the
// transport and into the framework's reports.

#include "actions/humanize.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvo_actions::context {

using Bytes = std::vector<std::uint8_t>;

// The document state an action was built against: its change heads and the actor
// that writes the change, both as raw bytes so the framework stays engine-neutral.
struct VersionStamp {
    std::vector<Bytes> heads;
    Bytes actor;

    bool operator==(VersionStamp const&) const = default;
};

struct ActionContext {
    std::string app_id;   // reverse-DNS application id
    std::string app_name;
    std::string title;    // what the action does, for people ("Rename channel")
    std::string target;   // address of the resource acted on
    std::optional<VersionStamp> version;
    std::map<std::string, std::string> attributes;

    // This context with every field it leaves empty taken from `other`; attributes
    // are merged, this context's values winning. Neither input changes.
    ActionContext enriched_by(ActionContext const& other) const;

    bool operator==(ActionContext const&) const = default;
};

// An application's account of one action it is about to dispatch.
struct ActionDescription {
    std::string app_id;
    std::string app_name;
    std::string title;
    std::string target; // resource address
    // A context the action already belongs to (an agent's request, a tool call); the
    // description only fills what it leaves open.
    std::optional<ActionContext> context;

    // The context to dispatch with: the carried context enriched by this description,
    // with `version` added when neither has one.
    ActionContext to_context(std::optional<VersionStamp> version = std::nullopt) const;

    bool operator==(ActionDescription const&) const = default;
};

} // namespace orvo_actions::context
