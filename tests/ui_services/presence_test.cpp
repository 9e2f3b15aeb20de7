#include "ui/paint/user_color.h"
#include "ui/presence/presence_ctx.h"

#include <gtest/gtest.h>

using orvo_ui::Color;
using orvo_ui::presence::PresenceCtx;

TEST(PresenceCtx, StartsEmptyAndNamesSelfAndOthers)
{
    PresenceCtx presence;
    EXPECT_FALSE(presence.self_id().has_value());
    EXPECT_FALSE(presence.self_name().has_value());
    EXPECT_TRUE(presence.people().empty());

    presence.set_self("u_0123456789abcdef", "Ada");
    presence.set_person("u_1", "Grace");
    presence.set_person("u_2", "  ");
    EXPECT_EQ(presence.self_id(), "u_0123456789abcdef");
    EXPECT_EQ(presence.self_name(), "Ada");
    EXPECT_EQ(presence.name_of("u_1"), "Grace");
    EXPECT_EQ(presence.name_of("u_2"), "  "); // the consumer decides what blank means
    EXPECT_EQ(presence.name_of("u_3"), std::nullopt);

    presence.set_person("u_1", "Grace Hopper");
    EXPECT_EQ(presence.name_of("u_1"), "Grace Hopper");
    presence.remove_person("u_1");
    presence.remove_person("u_9");
    EXPECT_FALSE(presence.contains("u_1"));
    EXPECT_EQ(presence.people().size(), 1u);
}

TEST(PresenceCtx, ColourIsTheChosenOneElseThePalettePick)
{
    PresenceCtx presence;
    presence.set_person("u_1", "Grace");
    auto palette_pick = orvo_ui::presence::user_color("u_1").to_rgb24();
    EXPECT_EQ(presence.color_for("u_1"), palette_pick);
    EXPECT_EQ(presence.color_for("u_unknown"), orvo_ui::presence::user_color("u_unknown").to_rgb24());
    auto light = orvo_ui::Theme::light();
    EXPECT_EQ(presence.color_for("u_1", light), orvo_ui::presence::user_color("u_1", light).to_rgb24());

    EXPECT_TRUE(presence.set_color("u_1", Color::rgb(0x123456, 0.5)));
    EXPECT_EQ(presence.color_for("u_1"), 0x123456u);
    EXPECT_EQ(presence.color_for("u_1", light), 0x123456u);
    presence.set_person("u_1", "Grace H.");
    EXPECT_EQ(presence.color_for("u_1"), 0x123456u) << "renaming keeps the chosen colour";

    EXPECT_FALSE(presence.set_color("u_absent", Color::rgb(0xffffff)));
    EXPECT_FALSE(presence.contains("u_absent"));
}
