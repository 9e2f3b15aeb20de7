#include "ui/i18n/embedded_catalog.h"

#include <gtest/gtest.h>

using orvo_ui::i18n::EmbeddedCatalog;
using orvo_ui::i18n::I18nManager;

namespace {

constexpr char const* source = R"ftl(### Chat — user-facing strings.

## Sidebar
# chip under the workspace title
chat-sidebar-add-category = ＋ Category
-brand = Orvo
chat-welcome = Welcome to { -brand }, { $name }!
chat-braces = Use {"{"} and {"}"} and {"\u00E9"}
chat-multiline =
    First line
      indented second
    third
chat-login = Sign in
    .title = Sign in to { -brand }
chat-nested = { chat-login } now
chat-cycle-a = { chat-cycle-b }
chat-cycle-b = { chat-cycle-a }
this line is junk
    and so is its continuation
chat-select = { $n ->
chat-unclosed = Hello { $name
chat-after-junk = still parsed
)ftl";

} // namespace

TEST(EmbeddedCatalog, ReadsMessagesTermsAttributesAndPlaceables)
{
    EmbeddedCatalog catalog(source);
    struct Case {
        char const* key;
        char const* expected;
    } const cases[] = {
        {"chat-sidebar-add-category", "＋ Category"},
        {"chat-welcome", "Welcome to Orvo, {$name}!"},
        {"chat-braces", "Use { and } and é"},
        {"chat-multiline", "First line\n  indented second\nthird"},
        {"chat-login", "Sign in"},
        {"chat-login.title", "Sign in to Orvo"},
        {"chat-nested", "Sign in now"},
        {"chat-after-junk", "still parsed"},
        {"missing-key", "missing-key"},
        {"-brand", "Orvo"},
    };
    for (auto const& c : cases)
        EXPECT_EQ(catalog.t(c.key), c.expected) << c.key;
    EXPECT_EQ(catalog.t("chat-welcome", {{"name", "Ada"}}), "Welcome to Orvo, Ada!");
    EXPECT_FALSE(catalog.contains("missing-key"));
    EXPECT_EQ(catalog.locale(), "en-US");
}

TEST(EmbeddedCatalog, ReportsJunkAndSurvivesReferenceCycles)
{
    EmbeddedCatalog catalog(source);
    ASSERT_EQ(catalog.errors().size(), 3u);
    EXPECT_NE(catalog.errors()[0].find("line 18"), std::string::npos) << catalog.errors()[0];
    EXPECT_NE(catalog.errors()[1].find("select expressions"), std::string::npos);
    EXPECT_NE(catalog.errors()[2].find("unclosed"), std::string::npos);
    EXPECT_FALSE(catalog.contains("chat-select"));
    // A cycle ends in a visible key instead of recursing forever.
    EXPECT_NE(catalog.t("chat-cycle-a").find("chat-cycle"), std::string::npos);
}

TEST(I18nManager, InstallingACatalogRaisesTheRevision)
{
    I18nManager& manager = I18nManager::global();
    auto before = manager.revision();
    manager.install(EmbeddedCatalog("hello = Hi\n"));
    EXPECT_EQ(manager.revision(), before + 1);
    EXPECT_EQ(manager.catalog().t("hello"), "Hi");
}
