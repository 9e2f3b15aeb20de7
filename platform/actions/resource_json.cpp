#include "actions/resource_json.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <set>

namespace orvo_actions::resource {

using nlohmann::json;

namespace {

json describe_action(ActionSpec const& offered)
{
    json parameter = nullptr;
    if (offered.parameter)
        parameter = {{"key", offered.parameter->key},
                     {"label", offered.parameter->label},
                     {"placeholder", offered.parameter->placeholder}};
    return {{"id", offered.id},
            {"label", offered.label},
            {"operation", action::to_string(offered.operation_type)},
            {"destructive", offered.is_destructive},
            {"parameter", std::move(parameter)}};
}

json describe_resource(Resource const& resource)
{
    json actions = json::array();
    for (auto const& offered : resource.actions) actions.push_back(describe_action(offered));
    json children = json::array();
    for (auto const& child : resource.children) children.push_back(describe_resource(child));
    return {{"address", resource.address},
            {"kind", resource.kind},
            {"label", resource.label},
            {"actions", std::move(actions)},
            {"children", std::move(children)}};
}

base::Result<ActionArguments> arguments_from(json const& value)
{
    ActionArguments arguments;
    if (!value.is_object()) return base::error("\"arguments\" must be an object");
    for (auto const& [key, text] : value.items()) {
        if (!text.is_string()) return base::error("argument \"" + key + "\" must be a string");
        arguments.emplace(key, text.get<std::string>());
    }
    return arguments;
}

base::Result<Invocation> invocation_from(json const& value)
{
    if (!value.is_object()) return base::error("invocation must be a JSON object");
    for (auto const& [key, field] : value.items())
        if (key != "address" && key != "arguments") return base::error("unknown invocation field \"" + key + "\"");
    if (!value.contains("address") || !value["address"].is_string())
        return base::error("invocation needs \"address\" as a string");
    auto address = door::ActionAddress::parse(value["address"].get<std::string>());
    if (!address) return base::error("invocation address: " + address.error());
    Invocation invocation{std::move(address).value(), {}};
    if (value.contains("arguments")) {
        auto arguments = arguments_from(value["arguments"]);
        if (!arguments) return std::move(arguments).take_error();
        invocation.arguments = std::move(arguments).value();
    }
    return invocation;
}

} // namespace

std::string describe_json(std::vector<Resource> const& roots)
{
    json listing = json::array();
    for (auto const& root : roots) listing.push_back(describe_resource(root));
    // Labels are application text; replace rather than throw on malformed UTF-8.
    return listing.dump(-1, ' ', false, json::error_handler_t::replace);
}

base::Result<Invocation> parse_invocation(std::string_view text)
{
    // A repeated key would silently override the first; tools get an error instead.
    std::vector<std::set<std::string>> open_objects;
    std::optional<std::string> repeated;
    auto watch_keys = [&](int, json::parse_event_t event, json& parsed) {
        if (event == json::parse_event_t::object_start) open_objects.emplace_back();
        else if (event == json::parse_event_t::object_end) open_objects.pop_back();
        else if (event == json::parse_event_t::key && !open_objects.back().insert(parsed.get<std::string>()).second)
            repeated = repeated.value_or(parsed.get<std::string>());
        return true;
    };
    try {
        json value = json::parse(text, watch_keys);
        if (repeated) return base::error("invocation repeats the key \"" + *repeated + "\"");
        return invocation_from(value);
    } catch (json::exception const& e) {
        return base::error(std::string("invocation is not valid JSON: ") + e.what());
    }
}

base::Result<EncodedAction> resolve(std::vector<Resource> const& roots, door::ActionAddress const& address,
                                    ActionArguments const& arguments)
{
    Resource const* resource = find_in(roots, address.resource);
    if (!resource) return base::error("no resource at " + address.resource);
    ActionSpec const* offered = resource->action(address.action);
    if (!offered) return base::error(address.resource + " offers no action \"" + address.action + "\"");
    return offered->encode(arguments);
}

} // namespace orvo_actions::resource
