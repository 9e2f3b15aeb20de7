#include "app/chat_app.h"
#include "app/launch.h"

#include "../support/scoped_env.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

TEST(ResolveDataDir, FollowsTheEnvironment)
{
    struct Case {
        std::optional<std::string> chat_data, xdg, home;
        std::optional<std::string> expected;
    } const cases[] = {
        {"/srv/d", "/x", "/h", "/srv/d"},                 // used as given, no "orvo-chat" appended
        {"", "/x", "/h", ""},                             // set but empty still wins
        {std::nullopt, "/x", "/h", "/x/orvo-chat"},
        {std::nullopt, std::nullopt, "/h", "/h/.local/share/orvo-chat"},
        {std::nullopt, "relative", "/h", "/h/.local/share/orvo-chat"},
    };
    for (auto const& c : cases) {
        ScopedEnv data("ORVO_CHAT_DATA", c.chat_data);
        ScopedEnv xdg("XDG_DATA_HOME", c.xdg);
        ScopedEnv home("HOME", c.home);
        auto dir = chat::resolve_data_dir();
        ASSERT_EQ(dir.has_value(), c.expected.has_value());
        EXPECT_EQ(dir->string(), *c.expected);
        EXPECT_EQ((*dir / chat::DOCUMENT_FILE).filename(), "workspace.automerge");
    }
}

TEST(MakeRootWidget, StartsInteractiveWithNoSelectionUntilTheFirstSync)
{
    // The platform identity is created under the data home: keep it out of the real one.
    std::string base = std::string(::testing::TempDir()) + "/root-widget";
    ScopedEnv xdg("XDG_DATA_HOME", base + "/xdg");
    ScopedEnv data("ORVO_CHAT_DATA", base + "/data");
    auto widget = chat::make_root_widget();
    auto* app = dynamic_cast<chat::ChatApp*>(widget.get());
    ASSERT_NE(app, nullptr);
    EXPECT_TRUE(app->interactive);
    EXPECT_EQ(app->current_workspace, "");
    EXPECT_EQ(app->rail_workspace, "");
    EXPECT_EQ(app->current_channel, "");
    EXPECT_FALSE(app->open_thread);
    EXPECT_TRUE(app->local_identity.id.starts_with("u_"));
    EXPECT_EQ(app->local_identity.id.size(), 18u) << "u_ and 16 hexadecimal digits";

    crdt::Document doc;
    app->sync(doc);
    EXPECT_EQ(app->current_channel, "c_general");
}

TEST(LaunchDescription, AdvertisesTheScenariosAndWindowSize)
{
    auto d = chat::launch_description();
    EXPECT_TRUE(d.app_id.ends_with(".chat"));
    ASSERT_EQ(d.screenshot_scenarios.size(), 21u);
    EXPECT_EQ(d.screenshot_scenarios.front(), "narrow");
    EXPECT_EQ(d.screenshot_scenarios.back(), "floating-call-returned");
    EXPECT_EQ(d.initial_size(), (orvo_ui::Size{1280, 800}));
    EXPECT_TRUE(d.uses_document());
    EXPECT_FALSE(d.borderless);
    EXPECT_FALSE(d.always_on_top);
    EXPECT_TRUE(d.resizable);
    EXPECT_TRUE(d.high_dpi);
}
