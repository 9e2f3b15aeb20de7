#include "ui/permissions/permission_context.h"

#include <gtest/gtest.h>

using orvo_ui::permissions::Access;
using orvo_ui::permissions::PermissionContext;

TEST(PermissionContext, BasePolicies)
{
    struct Case {
        char const* name;
        PermissionContext context;
        bool app_write, read, write;
    } const cases[] = {
        {"permissive", PermissionContext::permissive(), true, true, true},
        {"read only", PermissionContext::read_only(), false, true, false},
        {"deny all", PermissionContext::deny_all(), false, false, false},
    };
    for (auto const& c : cases) {
        EXPECT_EQ(c.context.check(), c.app_write) << c.name;
        EXPECT_EQ(c.context.check(Access::Read, "orvo-blob://abc"), c.read) << c.name;
        EXPECT_EQ(c.context.check(Access::Write, "app.channel:c_1"), c.write) << c.name;
    }
}

TEST(PermissionContext, LongestCoveringRuleDecides)
{
    auto context = PermissionContext::permissive();
    context.deny("/var/workspace/private", Access::Read)
        .allow("/var/workspace/private/shared", Access::Read)
        .deny("orvo-demo://", Access::Read)
        .deny("app.channel:c_1", Access::Write);
    struct Case {
        Access access;
        char const* resource;
        bool allowed;
    } const cases[] = {
        {Access::Read, "/var/workspace/report.pdf", true},
        {Access::Read, "/var/workspace/private", false},
        {Access::Read, "/var/workspace/private/salaries.ods", false},
        {Access::Read, "/var/workspace/private2/notes.txt", true}, // not under the denied directory
        {Access::Read, "/var/workspace/private/shared/plan.md", true},
        {Access::Write, "/var/workspace/private/x", true},         // rules are per access
        {Access::Read, "orvo-demo://call-grid", false},
        {Access::Read, "orvo-blob://call-grid", true},
        {Access::Write, "app.channel:c_1", false},
        {Access::Write, "app.channel:c_1:m_5", false},
        {Access::Write, "app.channel:c_10", true},
        {Access::Read, "app.channel:c_1", true},
    };
    for (auto const& c : cases)
        EXPECT_EQ(context.check(c.access, c.resource), c.allowed)
            << c.resource << (c.access == Access::Read ? " read" : " write");
    EXPECT_TRUE(context.check()) << "a resource rule does not close the whole application";
}

TEST(PermissionContext, DenyWinsATieAndRefusalNamesTheRule)
{
    auto context = PermissionContext::deny_all();
    context.allow("app.call:", Access::Write).deny("app.call:", Access::Write).allow("app.message:", Access::Write);
    EXPECT_FALSE(context.check(Access::Write, "app.call:c_voice"));
    EXPECT_EQ(context.refusal(Access::Write, "app.call:c_voice"), "app.call:");
    EXPECT_TRUE(context.check(Access::Write, "app.message:m_1"));
    EXPECT_EQ(context.refusal(Access::Write, "app.message:m_1"), std::nullopt);
    EXPECT_EQ(context.refusal(Access::Read, "app.message:m_1"), "");
    EXPECT_FALSE(context.check());

    context.allow("", Access::Write);
    EXPECT_FALSE(context.check()) << "an allow beside a deny of the same prefix loses, the empty one too";
}
