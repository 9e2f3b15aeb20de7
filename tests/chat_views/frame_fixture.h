#pragma once

// A screenshot-state ChatApp drawn into a real off-screen frame, as the
// screenshot hook does it.

#include "app/chat_app.h"
#include "app/controls.h"
#include "ui/launch/shot_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace chat::testing {

struct Shot {
    std::unique_ptr<ChatApp> app = std::make_unique<ChatApp>();
    std::optional<orvo_ui::launch::ShotFrame> frame;

    explicit Shot(std::string_view scenario, std::uint32_t width = 1280, std::uint32_t height = 800)
    {
        app->apply_scenario(scenario);
        auto made = orvo_ui::launch::ShotFrame::create(width, height, orvo_ui::Theme::dark());
        EXPECT_TRUE(made.has_value());
        frame.emplace(std::move(made).value());
        frame->sync(*app);
        auto laid = frame->layout(*app);
        EXPECT_TRUE(laid.has_value());
        frame->draw(*app);
    }

    void redraw()
    {
        frame->sync(*app);
        (void)frame->layout(*app);
        frame->draw(*app);
    }

    std::vector<std::string> ids() const
    {
        std::vector<std::string> out;
        for (auto const& region : app->hit_regions) out.push_back(control_node_id(region.control));
        return out;
    }
    bool has(std::string_view id) const
    {
        auto all = ids();
        return std::find(all.begin(), all.end(), id) != all.end();
    }
    std::optional<orvo_ui::Rect> rect_of(std::string_view id) const
    {
        for (auto const& region : app->hit_regions)
            if (control_node_id(region.control) == id) return region.rect;
        return std::nullopt;
    }
    template<class Member>
    std::size_t count() const
    {
        return std::count_if(app->hit_regions.begin(), app->hit_regions.end(),
                             [](HitRegion const& r) { return std::holds_alternative<Member>(r.control); });
    }
};

} // namespace chat::testing
