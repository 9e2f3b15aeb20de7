#include "actions/resource_json.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace orvo_actions::resource;

namespace {

std::vector<Resource> sample_tree()
{
    auto post = ActionSpec::with_parameter(
        "post", "Post message", OperationType::Ordinary, TextParameter{"value", "Message", "type a message…"},
        [](ActionArguments const& arguments) -> base::Result<EncodedAction> {
            auto found = arguments.find("value");
            if (found == arguments.end() || found->second.empty()) return base::error("message is empty");
            return EncodedAction{"app.action", nlohmann::json{{"Post", found->second}}.dump()};
        });
    std::vector<Resource> roots;
    roots.push_back(
        Resource("app.channel:c_1", "# general")
            .with_action(ActionSpec::fixed("open", "Open", OperationType::View, {"app.operation", "{}"}))
            .with_action(std::move(post))
            .with_action(ActionSpec::fixed("delete", "Delete", OperationType::Ordinary, {"app.action", "{}"})
                             .destructive())
            .with_child(Resource("app.call:c_1", "Call")));
    return roots;
}

} // namespace

TEST(ResourceJson, DescribesResourcesActionsAndChildren)
{
    auto listing = nlohmann::json::parse(describe_json(sample_tree()));
    ASSERT_EQ(listing.size(), 1u);
    auto const& channel = listing[0];
    EXPECT_EQ(channel["address"], "app.channel:c_1");
    EXPECT_EQ(channel["kind"], "app.channel");
    EXPECT_EQ(channel["label"], "# general");
    ASSERT_EQ(channel["actions"].size(), 3u);
    EXPECT_EQ(channel["actions"][0]["operation"], "view");
    EXPECT_TRUE(channel["actions"][0]["parameter"].is_null());
    EXPECT_EQ(channel["actions"][1]["parameter"]["placeholder"], "type a message…");
    EXPECT_EQ(channel["actions"][2]["destructive"], true);
    EXPECT_EQ(channel["children"][0]["address"], "app.call:c_1");
}

TEST(ResourceJson, MalformedLabelsStillGiveValidJson)
{
    std::vector<Resource> roots{Resource("app.file:f", "report\xff.pdf")};
    auto listing = nlohmann::json::parse(describe_json(roots));
    EXPECT_EQ(listing[0]["label"], "report\xef\xbf\xbd.pdf");
}

TEST(ResourceJson, InvocationResolvesToTheEncodedAction)
{
    auto invocation = parse_invocation(R"({"address":"app.channel:c_1#post","arguments":{"value":"hi"}})");
    ASSERT_TRUE(invocation.has_value()) << invocation.error();
    EXPECT_EQ(invocation->address, (orvo_actions::door::ActionAddress{"app.channel:c_1", "post"}));
    auto encoded = resolve(sample_tree(), invocation->address, invocation->arguments);
    ASSERT_TRUE(encoded.has_value()) << encoded.error();
    EXPECT_EQ(encoded->payload, R"({"Post":"hi"})");

    auto open = parse_invocation(R"({"address":"app.channel:c_1#open"})");
    ASSERT_TRUE(open.has_value()) << open.error();
    auto view = resolve(sample_tree(), open->address);
    ASSERT_TRUE(view.has_value()) << view.error();
    EXPECT_EQ(view->operation_type, OperationType::View);
}

TEST(ResourceJson, ResolveNamesWhatIsMissing)
{
    struct Case {
        Invocation invocation;
        std::string error;
    } const cases[] = {
        {{{"app.channel:c_9", "open"}, {}}, "no resource at app.channel:c_9"},
        {{{"app.call:c_1", "open"}, {}}, "app.call:c_1 offers no action \"open\""},
        {{{"app.channel:c_1", "post"}, {}}, "message is empty"},
        {{{"app.channel:c_1", "open"}, {{"value", "x"}}}, "action open takes no parameter, got \"value\""},
    };
    for (auto const& c : cases) {
        auto encoded = resolve(sample_tree(), c.invocation.address, c.invocation.arguments);
        ASSERT_FALSE(encoded.has_value()) << c.error;
        EXPECT_EQ(encoded.error(), c.error);
    }
}

TEST(ResourceJson, RefusesMalformedInvocations)
{
    struct Case {
        char const* json;
        char const* error_part;
    } const cases[] = {
        {"", "not valid JSON"},
        {"{", "not valid JSON"},
        {"[]", "must be a JSON object"},
        {R"({"arguments":{}})", "needs \"address\""},
        {R"({"address":7})", "needs \"address\""},
        {R"({"address":"app.people"})", "no '#'"},
        {R"({"address":"App:x#open"})", "invocation address: "},
        {R"({"address":"app.x:#open"})", "empty id"},
        {R"({"address":"app.x:y#open","arguments":[]})", "must be an object"},
        {R"({"address":"app.x:y#open","arguments":{"value":1}})", "must be a string"},
        {R"({"address":"app.x:y#open","action":"open"})", "unknown invocation field \"action\""},
        {R"({"address":"app.x:y#open","address":"app.x:y#delete"})", "repeats the key \"address\""},
        {R"({"address":"app.x:y#a","arguments":{"value":"1","value":"2"}})", "repeats the key \"value\""},
        {"{\"address\":\"app.x:\xff#a\"}", "not valid JSON"},
    };
    for (auto const& c : cases) {
        auto invocation = parse_invocation(c.json);
        ASSERT_FALSE(invocation.has_value()) << c.json;
        EXPECT_NE(invocation.error().find(c.error_part), std::string::npos) << c.json << " -> " << invocation.error();
    }
}
