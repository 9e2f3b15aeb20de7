#include "ui/widget/context_menu.h"

#include <gtest/gtest.h>

using namespace orvo_ui;
using namespace orvo_ui::widget::context_menu;

namespace {

ContextMenu channel_menu()
{
    ContextMenu menu;
    menu.push("Delete", 1, std::nullopt, ItemStyle::Destructive);
    menu.push("Archive / unarchive", 8, 36);
    menu.push("Rename", 0, 49);
    menu.push("Move up", 2, 15);
    menu.push("Move down", 3, 16);
    return menu;
}

KeyDown key(Key k)
{
    KeyDown e;
    e.key = k;
    return e;
}

} // namespace

TEST(ContextMenu, ClampedOpeningFlipsAndStaysInsideTheBounds)
{
    Rect bounds {0, 0, 800, 600};
    struct Case {
        char const* name;
        Point at;
    } const cases[] = {
        {"middle", {300, 200}},
        {"bottom right corner", {795, 595}},
        {"right edge", {790, 100}},
        {"bottom edge", {100, 598}},
        {"outside to the left", {-50, -50}},
    };
    for (auto const& c : cases) {
        ContextMenu menu = channel_menu();
        menu.open_at_clamped(c.at, bounds);
        Rect r = menu.rect();
        EXPECT_TRUE(menu.is_open());
        EXPECT_GE(r.left(), bounds.left()) << c.name;
        EXPECT_GE(r.top(), bounds.top()) << c.name;
        EXPECT_LE(r.right(), bounds.right()) << c.name;
        EXPECT_LE(r.bottom(), bounds.bottom()) << c.name;
    }
    ContextMenu menu = channel_menu();
    menu.open_at_clamped({300, 200}, bounds);
    EXPECT_EQ(menu.rect().x, 300);
    EXPECT_EQ(menu.rect().y, 200);
    // Unclamped opening keeps the point even when it overflows.
    menu.open_at({790, 590});
    EXPECT_EQ(menu.rect().x, 790);
}

TEST(ContextMenu, ClickingAnEntryReportsItsCodeAndCloses)
{
    ContextMenu menu = channel_menu();
    menu.open_at({100, 100});
    Point rename = menu.item_rect(2).center();
    auto move = menu.handle_event(PointerMove {rename});
    EXPECT_TRUE(move.consumed);
    EXPECT_EQ(menu.highlighted(), 2u);
    EXPECT_FALSE(menu.handle_event(PointerDown {rename}).chosen);
    auto up = menu.handle_event(PointerUp {rename});
    EXPECT_TRUE(up.consumed);
    EXPECT_EQ(up.chosen, 0);
    EXPECT_FALSE(menu.is_open());
}

TEST(ContextMenu, ReleaseWithoutAPressInsideChoosesNothing)
{
    // The release of the secondary click that opened the menu must not pick an entry.
    ContextMenu menu = channel_menu();
    menu.open_at({100, 100});
    auto r = menu.handle_event(PointerUp {menu.item_rect(0).center(), MouseButton::Right});
    EXPECT_TRUE(r.consumed);
    EXPECT_FALSE(r.chosen);
    EXPECT_TRUE(menu.is_open());
}

TEST(ContextMenu, PressOutsideClosesAndPassesTheEventOn)
{
    ContextMenu menu = channel_menu();
    menu.open_at({100, 100});
    auto r = menu.handle_event(PointerDown {{10, 10}});
    EXPECT_FALSE(r.consumed);
    EXPECT_FALSE(menu.is_open());
    // A closed menu takes nothing.
    EXPECT_FALSE(menu.handle_event(key(Key::Down)).consumed);
}

TEST(ContextMenu, KeyboardNavigatesWrapsSkipsDisabledAndChooses)
{
    ContextMenu menu;
    menu.push("First", 10);
    menu.push(MenuItem {"Disabled", 11, std::nullopt, ItemStyle::Normal, false});
    menu.push("Last", 12);
    menu.open_at({0, 0});
    EXPECT_TRUE(menu.handle_event(key(Key::Down)).consumed);
    EXPECT_EQ(menu.highlighted(), 0u);
    menu.handle_event(key(Key::Down));
    EXPECT_EQ(menu.highlighted(), 2u); // skipped the disabled entry
    menu.handle_event(key(Key::Down));
    EXPECT_EQ(menu.highlighted(), 0u); // wrapped
    menu.handle_event(key(Key::Up));
    EXPECT_EQ(menu.highlighted(), 2u);
    // Typing while open is swallowed by the menu.
    EXPECT_TRUE(menu.handle_event(TextInputEvent {"x"}).consumed);
    auto chosen = menu.handle_event(key(Key::Enter));
    EXPECT_EQ(chosen.chosen, 12);
    EXPECT_FALSE(menu.is_open());

    menu.open_at({0, 0});
    auto escaped = menu.handle_event(key(Key::Escape));
    EXPECT_TRUE(escaped.consumed);
    EXPECT_FALSE(escaped.chosen);
    EXPECT_FALSE(menu.is_open());
}

TEST(ContextMenu, AccessibilitySubtreeAndSemanticActions)
{
    ContextMenu menu = channel_menu();
    menu.open_at({50, 60});
    AccessNode tree = menu.accessibility();
    EXPECT_EQ(tree.role, AccessRole::Menu);
    ASSERT_EQ(tree.children.size(), 5u);
    EXPECT_EQ(tree.children[2].id, "context-menu:item:2");
    EXPECT_EQ(tree.children[2].label, "Rename");
    EXPECT_EQ(tree.children[2].role, AccessRole::MenuItem);
    EXPECT_EQ(tree.children[2].rect, menu.item_rect(2));

    EXPECT_TRUE(menu.perform_semantic_action("context-menu:item:3", SemanticAction::Focus).consumed);
    EXPECT_TRUE(menu.accessibility().children[3].states.focused);
    for (char const* bad : {"context-menu:item:9", "context-menu:item:", "context-menu:item:1x", "channel:1"})
        EXPECT_FALSE(menu.perform_semantic_action(bad, SemanticAction::Activate).chosen) << bad;
    auto chosen = menu.perform_semantic_action("context-menu:item:4", SemanticAction::Activate);
    EXPECT_EQ(chosen.chosen, 3);
    EXPECT_FALSE(menu.is_open());
    EXPECT_TRUE(menu.accessibility().children.empty());
}

TEST(ContextMenu, DestructiveEntriesAreSetApartBelowASeparator)
{
    ContextMenu menu;
    menu.push("Edit message", 9, 49);
    menu.push("Pin / unpin", 10, 55);
    menu.push("Delete message", 11, std::nullopt, ItemStyle::Destructive);
    menu.open_at({0, 0});
    double gap_before_delete = menu.item_rect(2).top() - menu.item_rect(1).bottom();
    double gap_between_normal = menu.item_rect(1).top() - menu.item_rect(0).bottom();
    EXPECT_GT(gap_before_delete, gap_between_normal + 4);
    EXPECT_LE(menu.item_rect(2).bottom(), menu.rect().bottom());
}
