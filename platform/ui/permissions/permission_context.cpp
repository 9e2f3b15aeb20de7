#include "ui/permissions/permission_context.h"

namespace orvo_ui::permissions {

namespace {

bool is_separator(char c) { return c == '/' || c == ':'; }

bool covers(std::string_view prefix, std::string_view resource)
{
    if (prefix.empty()) return true;
    if (!resource.starts_with(prefix)) return false;
    return resource.size() == prefix.size() || is_separator(prefix.back()) || is_separator(resource[prefix.size()]);
}

} // namespace

PermissionContext PermissionContext::permissive()
{
    PermissionContext context;
    context.allow("", Access::Read).allow("", Access::Write);
    return context;
}

PermissionContext PermissionContext::read_only()
{
    PermissionContext context;
    context.allow("", Access::Read).deny("", Access::Write);
    return context;
}

PermissionContext PermissionContext::deny_all()
{
    PermissionContext context;
    context.deny("", Access::Read).deny("", Access::Write);
    return context;
}

PermissionContext& PermissionContext::allow(std::string prefix, Access access)
{
    m_rules.push_back({std::move(prefix), access, true});
    return *this;
}

PermissionContext& PermissionContext::deny(std::string prefix, Access access)
{
    m_rules.push_back({std::move(prefix), access, false});
    return *this;
}

PermissionContext::Rule const* PermissionContext::deciding_rule(Access access, std::string_view resource) const
{
    Rule const* best = nullptr;
    for (auto const& rule : m_rules) {
        if (rule.access != access || !covers(rule.prefix, resource)) continue;
        bool longer = !best || rule.prefix.size() > best->prefix.size();
        bool same_but_denies = best && rule.prefix.size() == best->prefix.size() && !rule.allowed;
        if (longer || same_but_denies) best = &rule;
    }
    return best;
}

bool PermissionContext::check() const { return check(Access::Write, ""); }

bool PermissionContext::check(Access access, std::string_view resource) const
{
    Rule const* rule = deciding_rule(access, resource);
    return rule && rule->allowed;
}

std::optional<std::string> PermissionContext::refusal(Access access, std::string_view resource) const
{
    Rule const* rule = deciding_rule(access, resource);
    if (rule && rule->allowed) return std::nullopt;
    return rule ? rule->prefix : std::string();
}

} // namespace orvo_ui::permissions
