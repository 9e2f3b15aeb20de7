#pragma once

// Who the framework knows to be present: the local person and the names (and chosen
// colours) of others, as the host session reports them. Applications adopt it before
// drawing; it is plain data, replaced wholesale when the session changes.

#include "ui/paint/color.h"
#include "ui/paint/theme.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orvo_ui::presence {

struct PresencePerson {
    std::string name;
    std::optional<Color> color; // chosen by the person; the palette pick otherwise

    bool operator==(PresencePerson const&) const = default;
};

class PresenceCtx {
public:
    PresenceCtx() = default;

    void set_self(std::string id, std::string name);
    std::optional<std::string> const& self_id() const { return m_self_id; }
    std::optional<std::string> const& self_name() const { return m_self_name; }

    // Adds or renames a person, keeping a colour chosen earlier.
    void set_person(std::string const& id, std::string name);
    // Records the person's own colour; false when the person is not present.
    bool set_color(std::string_view id, Color color);
    void remove_person(std::string_view id);

    bool contains(std::string_view id) const;
    std::optional<std::string_view> name_of(std::string_view id) const;
    std::map<std::string, PresencePerson, std::less<>> const& people() const { return m_people; }

    // 0xRRGGBB: the person's chosen colour, else the palette colour for the id (in
    // `theme`, the dark theme when not given), so everyone has one.
    std::uint32_t color_for(std::string_view id) const;
    std::uint32_t color_for(std::string_view id, Theme const& theme) const;

    bool operator==(PresenceCtx const&) const = default;

private:
    std::optional<std::string> m_self_id;
    std::optional<std::string> m_self_name;
    std::map<std::string, PresencePerson, std::less<>> m_people;
};

} // namespace orvo_ui::presence
