#include "actions/resource_action.h"
#include "actions/resource.h"

#include <gtest/gtest.h>

using namespace orvo_actions::resource;

namespace {

EncodedAction rename_to(std::string const& name) { return {"app.action", R"({"Rename":")" + name + R"("})"}; }

// An encoder in the way applications write them: reads "value", trims, defaults.
ActionEncoder renaming_encoder()
{
    return [](ActionArguments const& arguments) -> base::Result<EncodedAction> {
        auto found = arguments.find("value");
        std::string text = found == arguments.end() ? "" : found->second;
        auto first = text.find_first_not_of(" \t");
        text = first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
        return rename_to(text.empty() ? "unnamed" : text);
    };
}

ActionSpec rename_spec()
{
    return ActionSpec::with_parameter("rename", "Rename", OperationType::Ordinary,
                                      TextParameter{"value", "Name", "name…"}, renaming_encoder());
}

} // namespace

TEST(ActionSpec, FixedActionEncodesToItsActionMarkedWithItsType)
{
    auto open = ActionSpec::fixed("open", "Open", OperationType::View, {"app.operation", R"({"Open":1})"});
    auto encoded = open.encode();
    ASSERT_TRUE(encoded.has_value()) << encoded.error();
    EXPECT_EQ(encoded->payload, R"({"Open":1})");
    EXPECT_EQ(encoded->operation_type, OperationType::View);
    EXPECT_FALSE(open.is_destructive);
}

TEST(ActionSpec, ParameterisedActionRunsItsEncoderOnTheArguments)
{
    auto offered = rename_spec();
    struct Case {
        ActionArguments arguments;
        std::string payload;
    } const cases[] = {
        {{{"value", "  general  "}}, R"({"Rename":"general"})"},
        {{{"value", "   "}}, R"({"Rename":"unnamed"})"},
        {{}, R"({"Rename":"unnamed"})"}, // an absent parameter counts as empty
    };
    for (auto const& c : cases) {
        auto encoded = offered.encode(c.arguments);
        ASSERT_TRUE(encoded.has_value()) << encoded.error();
        EXPECT_EQ(encoded->payload, c.payload);
    }
}

TEST(ActionSpec, RefusesArgumentsItDoesNotTake)
{
    auto parameterless = ActionSpec::fixed("delete", "Delete", OperationType::Ordinary, rename_to("x"));
    auto refused = parameterless.encode({{"value", "x"}});
    ASSERT_FALSE(refused.has_value());
    EXPECT_NE(refused.error().find("takes no parameter"), std::string::npos);

    auto misspelt = rename_spec().encode({{"valeu", "x"}});
    ASSERT_FALSE(misspelt.has_value());
    EXPECT_NE(misspelt.error().find("\"valeu\""), std::string::npos);
}

TEST(ActionSpec, EncoderResultMustCarryTheDeclaredOperationType)
{
    auto import_encoder = [](bool enforce) {
        return [enforce](ActionArguments const& arguments) -> base::Result<EncodedAction> {
            EncodedAction fresh{"app.operation", R"({"Import":")" + arguments.at("value") + R"("})"};
            return enforce ? enforce_operation_type(fresh, OperationType::Effect) : fresh;
        };
    };
    TextParameter path{"value", "File path", "/tmp/x"};
    auto careless = ActionSpec::with_parameter("attach", "Attach", OperationType::Effect, path, import_encoder(false));
    auto refused = careless.encode({{"value", "/tmp/a"}});
    ASSERT_FALSE(refused.has_value());
    EXPECT_NE(refused.error().find("declared effect but produced an action of type ordinary"), std::string::npos) << refused.error();

    auto careful = ActionSpec::with_parameter("attach", "Attach", OperationType::Effect, path, import_encoder(true));
    auto encoded = careful.encode({{"value", "/tmp/a"}});
    ASSERT_TRUE(encoded.has_value()) << encoded.error();
    EXPECT_EQ(encoded->operation_type, OperationType::Effect);
}

TEST(ActionSpec, EncoderErrorsAndMissingEncodersAreReported)
{
    auto failing = ActionSpec::with_parameter("x", "X", OperationType::Ordinary, TextParameter{"value", "", ""},
                                              [](ActionArguments const&) -> base::Result<EncodedAction> {
                                                  return base::error("name is taken");
                                              });
    auto result = failing.encode({{"value", "a"}});
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error(), "name is taken");

    ActionSpec empty;
    empty.id = "empty";
    ASSERT_FALSE(empty.encode().has_value());
}

TEST(Resource, BuildsATreeAndFindsAddressesAndActions)
{
    auto channel = Resource("app.channel:c_1", "# general")
                       .with_action(ActionSpec::fixed("open", "Open", OperationType::View, rename_to("a")))
                       .with_action(ActionSpec::fixed("delete", "Delete", OperationType::Ordinary, rename_to("b"))
                                        .destructive())
                       .with_child(Resource("app.call:c_1", "Call: # general"));
    std::vector<Resource> roots;
    roots.push_back(Resource("app.workspace:w", "Home").with_child(std::move(channel)));
    roots.push_back(Resource("app.people", "People"));

    EXPECT_EQ(roots[0].children[0].kind, "app.channel");
    EXPECT_EQ(roots[1].kind, "app.people");
    ASSERT_NE(find_in(roots, "app.people"), nullptr);
    auto const* call = find_in(roots, "app.call:c_1");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->label, "Call: # general");
    EXPECT_EQ(find_in(roots, "app.call:c_2"), nullptr);

    auto const* found_channel = find_in(roots, "app.channel:c_1");
    ASSERT_NE(found_channel, nullptr);
    EXPECT_EQ(found_channel->actions.size(), 2u);
    ASSERT_NE(found_channel->action("delete"), nullptr);
    EXPECT_TRUE(found_channel->action("delete")->is_destructive);
    EXPECT_FALSE(found_channel->action("open")->is_destructive);
    EXPECT_EQ(found_channel->action("archive"), nullptr);
}
