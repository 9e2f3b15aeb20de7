#include "ui/paint/color.h"
#include "ui/paint/theme.h"
#include "ui/paint/user_color.h"

#include <gtest/gtest.h>

#include <set>

using namespace orvo_ui;

namespace {

struct SurfacePair {
    char const* what;
    Color Theme::*text;
    Color Theme::*surface;
    double minimum;
};

} // namespace

TEST(Theme, TextReachesContrastOnEverySurfaceInBothThemes)
{
    SurfacePair const pairs[] = {
        {"text on window", &Theme::text, &Theme::window, 4.5},
        {"text on panel", &Theme::text, &Theme::panel, 4.5},
        {"text on card", &Theme::text, &Theme::card, 4.5},
        {"text on rail", &Theme::text, &Theme::rail, 4.5},
        {"muted text on window", &Theme::muted_text, &Theme::window, 4.5},
        {"muted text on panel", &Theme::muted_text, &Theme::panel, 4.5},
        {"muted text on card", &Theme::muted_text, &Theme::card, 4.5},
        {"on-accent text on accent", &Theme::on_accent, &Theme::accent, 3.0},
    };
    for (Theme const& theme : {Theme::dark(), Theme::light()}) {
        for (auto const& p : pairs) {
            double ratio = contrast_ratio(theme.*(p.text), theme.*(p.surface));
            EXPECT_GE(ratio, p.minimum) << p.what << (theme.kind == ThemeKind::Dark ? " (dark)" : " (light)");
        }
    }
}

TEST(Theme, ThemeForPicksTheKindAndDarkIsTheDefault)
{
    EXPECT_EQ(theme_for(ThemeKind::Light).window, Color::rgb(0xFFFFFF));
    EXPECT_EQ(theme_for(ThemeKind::Dark).window, Color::rgb(0x15171C));
    EXPECT_EQ(Theme {}.kind, ThemeKind::Dark);
    Theme t = Theme::dark();
    EXPECT_EQ(t.hairline_on(51), Color::white(51 / 255.0));
    t.reduced_motion = true;
    EXPECT_EQ(t.motion_ms(), 0.0);
}

TEST(Color, ContrastRatioMatchesKnownValues)
{
    EXPECT_NEAR(contrast_ratio(Color::black(), Color::white()), 21.0, 1e-9);
    EXPECT_NEAR(contrast_ratio(Color::white(), Color::white()), 1.0, 1e-9);
    // #777777 on white is the textbook 4.48:1.
    EXPECT_NEAR(contrast_ratio(Color::rgb(0x777777), Color::white()), 4.48, 0.01);
    // A translucent foreground is judged as it is seen: composited over the surface.
    EXPECT_NEAR(contrast_ratio(Color::black(0.0), Color::white()), 1.0, 1e-9);
}

TEST(Color, AdjustForContrastReachesTheTargetAndKeepsPassingColours)
{
    struct Case {
        Color fg, bg;
        double target;
    } const cases[] = {
        {Color::rgb(0x7A8CFF), Color::rgb(0xFFFFFF), 4.5}, // light surface: darkened
        {Color::rgb(0x4F5FE8), Color::rgb(0x15171C), 4.5}, // dark surface: lightened
        {Color::rgb(0xF5B841), Color::rgb(0xF6F7F9), 3.0},
        {Color::rgb(0x94A3B8), Color::rgb(0x94A3B8), 4.5}, // same colour
    };
    for (auto const& c : cases) {
        Color adjusted = adjust_for_contrast(c.fg, c.bg, c.target);
        EXPECT_GE(contrast_ratio(adjusted, c.bg), c.target - 1e-6);
    }
    Color fine = Color::rgb(0xE7E9EE);
    EXPECT_EQ(adjust_for_contrast(fine, Color::rgb(0x15171C), 4.5), fine);
}

TEST(UserColor, IsStableAndSpreadsOverThePalette)
{
    EXPECT_EQ(presence::user_color_index("u_me"), presence::user_color_index("u_me"));
    std::set<std::size_t> seen;
    for (int i = 0; i < 64; ++i)
        seen.insert(presence::user_color_index("u_" + std::to_string(i)));
    EXPECT_EQ(seen.size(), 8u);
    Theme dark = Theme::dark();
    EXPECT_EQ(presence::user_color("u_ada", dark), dark.user_palette[presence::user_color_index("u_ada")]);
}
