#pragma once

// What the local user may do, as the host session decides: read (see, load) or write
// (change documents, start capture, import files) per resource. Resources are named by
// text such as an action address ("app.channel:c_1"), a content address
// ("orvo-blob://…") or a file path; rules apply to a resource and everything below it.
//
// A rule's prefix covers a resource equal to it, or one that continues it after a
// separator ('/' or ':'), so "/var/data" covers "/var/data/a" but not "/var/data2".
// The empty prefix covers everything, and is the only one that covers the application
// as a whole (the empty resource). The longest covering prefix decides; between an
// allow and a deny of the same prefix, the deny wins.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo_ui::permissions {

enum class Access { Read, Write };

class PermissionContext {
public:
    // Everything allowed: the context of a user working alone on their own data.
    static PermissionContext permissive();
    // Reading allowed, writing refused.
    static PermissionContext read_only();
    // Nothing allowed until rules say otherwise.
    static PermissionContext deny_all();

    PermissionContext& allow(std::string prefix, Access access);
    PermissionContext& deny(std::string prefix, Access access);

    // Whether the user may act in the application at all (write access to the
    // application as a whole).
    bool check() const;
    bool check(Access access, std::string_view resource) const;
    // The prefix of the rule that refuses (empty for the rule over everything), or
    // nothing when the access is allowed.
    std::optional<std::string> refusal(Access access, std::string_view resource) const;

private:
    struct Rule {
        std::string prefix;
        Access access;
        bool allowed;
    };
    PermissionContext() = default;
    Rule const* deciding_rule(Access access, std::string_view resource) const;

    std::vector<Rule> m_rules;
};

} // namespace orvo_ui::permissions
