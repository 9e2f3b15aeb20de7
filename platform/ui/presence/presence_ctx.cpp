#include "ui/presence/presence_ctx.h"

#include "ui/paint/user_color.h"

namespace orvo_ui::presence {

void PresenceCtx::set_self(std::string id, std::string name)
{
    m_self_id = std::move(id);
    m_self_name = std::move(name);
}

void PresenceCtx::set_person(std::string const& id, std::string name)
{
    m_people[id].name = std::move(name);
}

bool PresenceCtx::set_color(std::string_view id, Color color)
{
    auto found = m_people.find(id);
    if (found == m_people.end()) return false;
    found->second.color = color.with_alpha(1.0);
    return true;
}

void PresenceCtx::remove_person(std::string_view id)
{
    if (auto found = m_people.find(id); found != m_people.end()) m_people.erase(found);
}

bool PresenceCtx::contains(std::string_view id) const { return m_people.find(id) != m_people.end(); }

std::optional<std::string_view> PresenceCtx::name_of(std::string_view id) const
{
    auto found = m_people.find(id);
    if (found == m_people.end()) return std::nullopt;
    return std::string_view(found->second.name);
}

std::uint32_t PresenceCtx::color_for(std::string_view id) const
{
    auto found = m_people.find(id);
    if (found != m_people.end() && found->second.color) return found->second.color->to_rgb24();
    return user_color(id).to_rgb24();
}

std::uint32_t PresenceCtx::color_for(std::string_view id, Theme const& theme) const
{
    auto found = m_people.find(id);
    if (found != m_people.end() && found->second.color) return found->second.color->to_rgb24();
    return user_color(id, theme).to_rgb24();
}

} // namespace orvo_ui::presence
