#pragma once

// The demo document seen by the local person "u_me", and running the
// actions its resources offer.

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "actions/catalogue.h"
#include "actions/vocabulary/vocabulary.h"
#include "doc/seed.h"

namespace chat::test {

using orvo_actions::action::OperationType;
using orvo_actions::resource::ActionArguments;

inline constexpr std::int64_t demo_now = 1782477600;

struct DemoCatalogue : ::testing::Test {
    crdt::Document doc;
    CatalogueContext context{"u_me", demo_now};

    DemoCatalogue() { doc::seed_demo(doc); }

    Resource at(std::string_view address)
    {
        auto resource = resource_at(doc, address, context);
        if (!resource) {
            ADD_FAILURE() << "nothing at " << address;
            return {};
        }
        return std::move(*resource);
    }
};

// "id=Label" per action, in order.
inline std::vector<std::string> actions_of(Resource const& resource)
{
    std::vector<std::string> actions;
    for (auto const& offered : resource.actions)
        actions.push_back(offered.id + "=" + offered.label);
    return actions;
}

inline std::vector<std::string> children_of(Resource const& resource)
{
    std::vector<std::string> children;
    for (auto const& child : resource.children)
        children.push_back(child.address);
    return children;
}

// What running an action produced, readable in failure messages: the kind,
// the operation type and the JSON payload.
struct Produced {
    std::string kind;
    OperationType type = OperationType::Ordinary;
    std::string json;

    bool operator==(Produced const&) const = default;
    friend std::ostream& operator<<(std::ostream& out, Produced const& p)
    {
        return out << p.kind << " (" << orvo_actions::action::to_string(p.type) << ") " << p.json;
    }
};

inline Produced produced(ChatAction const& action)
{
    return {"chat.action", OperationType::Ordinary, encode_chat_action(action).json};
}

inline Produced produced(ChatOperation const& operation, OperationType type = OperationType::View)
{
    return {"chat.operation", type, encode_chat_operation(operation).json};
}

// New ids are random: each must be its prefix and 32 lowercase hexadecimal
// digits; they are replaced by "<new>" so that payloads compare.
inline std::string with_new_ids_masked(std::string json)
{
    static std::regex const new_id(R"re("(m_|c_|cat_)[0-9a-f]{32}")re");
    return std::regex_replace(json, new_id, "\"<new>\"");
}

inline base::Result<Produced> run(Resource const& resource, std::string_view id, ActionArguments const& arguments = {})
{
    auto const* offered = resource.action(id);
    if (!offered)
        return base::error("no action " + std::string(id) + " on " + resource.address);
    auto encoded = offered->encode(arguments);
    if (!encoded)
        return std::move(encoded).take_error();
    return Produced{encoded->kind, encoded->operation_type, with_new_ids_masked(encoded->payload)};
}

} // namespace chat::test
