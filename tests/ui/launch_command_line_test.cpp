#include "ui/launch/command_line.h"

#include <gtest/gtest.h>

using namespace orvo_ui::launch;

namespace {

CommandLine parse(std::vector<std::string> args) { return parse_command_line("orvo-chat", "1.2.3", std::move(args)); }

} // namespace

TEST(LaunchCommandLine, NoArgumentsOpensTheWindow)
{
    EXPECT_TRUE(std::holds_alternative<RunWindow>(parse({})));
}

TEST(LaunchCommandLine, ScreenshotCarriesEveryOption)
{
    auto cmd = parse({"--screenshot", "/tmp/a.png", "--scenario", "narrow", "--size", "640x400", "--theme", "light", "--scale", "2"});
    auto* shot = std::get_if<TakeScreenshot>(&cmd);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->request.output, "/tmp/a.png");
    EXPECT_EQ(shot->request.scenario, "narrow");
    ASSERT_TRUE(shot->request.size.has_value());
    EXPECT_EQ(shot->request.size->first, 640u);
    EXPECT_EQ(shot->request.size->second, 400u);
    EXPECT_EQ(shot->request.theme, orvo_ui::ThemeKind::Light);
    EXPECT_DOUBLE_EQ(shot->request.scale, 2.0);
}

TEST(LaunchCommandLine, ScreenshotDefaultsLeaveSizeAndScenarioToTheHook)
{
    auto cmd = parse({"--screenshot", "out.png"});
    auto* shot = std::get_if<TakeScreenshot>(&cmd);
    ASSERT_NE(shot, nullptr);
    EXPECT_FALSE(shot->request.size.has_value());
    EXPECT_FALSE(shot->request.scenario.has_value());
    EXPECT_EQ(shot->request.theme, orvo_ui::ThemeKind::Dark);
    EXPECT_DOUBLE_EQ(shot->request.scale, 1.0);
}

TEST(LaunchCommandLine, MalformedInputExitsWithStatusTwoAndOneLineNamingTheProblem)
{
    struct Case {
        std::vector<std::string> args;
        std::string mentions;
    } const cases[] = {
        {{"--bogus"}, "--bogus"},
        {{"--screenshot", "a.png", "--size", "0x0"}, "--size"},
        {{"--screenshot", "a.png", "--size", "abc"}, "--size"},
        {{"--screenshot", "a.png", "--size", "640x"}, "--size"},
        {{"--screenshot", "a.png", "--size", "-640x400"}, "--size"},
        {{"--screenshot", "a.png", "--scale", "-1"}, "--scale"},
        {{"--screenshot", "a.png", "--scale", "nan"}, "--scale"},
        {{"--screenshot", "a.png", "--theme", "blue"}, "--theme"},
        {{"--scenario", "narrow"}, "--screenshot"},
        {{"--screenshot"}, "--screenshot"},
        {{"stray"}, "stray"},
    };
    for (auto const& c : cases) {
        auto cmd = parse(c.args);
        auto* exit = std::get_if<ExitWith>(&cmd);
        ASSERT_NE(exit, nullptr) << c.args[0];
        EXPECT_EQ(exit->status, 2) << exit->text;
        EXPECT_TRUE(exit->to_stderr);
        EXPECT_EQ(exit->text.find('\n'), std::string::npos) << exit->text;
        EXPECT_NE(exit->text.find(c.mentions), std::string::npos) << exit->text;
    }
}

TEST(LaunchCommandLine, HelpVersionAndListing)
{
    auto help = parse({"--help"});
    ASSERT_TRUE(std::holds_alternative<ExitWith>(help));
    EXPECT_EQ(std::get<ExitWith>(help).status, 0);
    EXPECT_NE(std::get<ExitWith>(help).text.find("--screenshot"), std::string::npos);

    auto version = parse({"--version"});
    ASSERT_TRUE(std::holds_alternative<ExitWith>(version));
    EXPECT_EQ(std::get<ExitWith>(version).text, "orvo-chat 1.2.3\n");

    EXPECT_TRUE(std::holds_alternative<ListScenarios>(parse({"--list-scenarios"})));
}
