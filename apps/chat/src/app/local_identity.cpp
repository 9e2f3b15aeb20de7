#include "app/local_identity.h"

#include "doc/ids.h"
#include "identity/runtime_identity.h"
#include "ui/paint/user_color.h"
#include "ui/presence/presence_ctx.h"

#include <glib.h>
#include <spdlog/spdlog.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace chat {

namespace {

std::string_view trim(std::string_view text)
{
    auto const* space = " \t\r\n";
    auto first = text.find_first_not_of(space);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

std::string hex(std::span<std::uint8_t const> bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    for (auto b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string environment_name()
{
    for (char const* var : {"USER", "USERNAME"})
        if (char const* value = std::getenv(var); value && !trim(value).empty()) return std::string(trim(value));
    return "You";
}

// The "peer-id" file: one line holding the identifier, made on first use.
std::optional<std::string> peer_id(std::filesystem::path const& data_dir)
{
    auto path = data_dir / "peer-id";
    if (std::ifstream in(path); in) {
        std::string line;
        std::getline(in, line);
        auto id = std::string(trim(line));
        bool hex_digits = id.size() >= 16 && std::all_of(id.begin(), id.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
        if (hex_digits) return id;
        spdlog::warn("identity: {} does not hold an identifier; making a new one", path.string());
    }
    std::string id = doc::new_id("");
    std::error_code ec;
    std::filesystem::create_directories(data_dir, ec);
    std::ofstream out(path, std::ios::trunc);
    out << id << "\n";
    if (!out) {
        spdlog::error("identity: cannot write {}", path.string());
        return std::nullopt;
    }
    return id;
}

} // namespace

bool LocalIdentity::is_local(std::string_view person) const
{
    return person == id || std::find(former_ids.begin(), former_ids.end(), person) != former_ids.end();
}

std::uint64_t fnv1a64(std::string_view bytes)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char b : bytes) {
        hash ^= b;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string initials_for(std::string_view name)
{
    // Letters are taken whole (a multi-byte first letter stays intact) and upper-cased.
    auto first_char = [](std::string_view word) {
        gunichar c = g_utf8_get_char_validated(word.data(), gssize(word.size()));
        if (c == gunichar(-1) || c == gunichar(-2)) return std::string();
        char buffer[8];
        int n = g_unichar_to_utf8(g_unichar_toupper(c), buffer);
        return std::string(buffer, std::size_t(n));
    };
    std::vector<std::string_view> words;
    std::string_view rest = trim(name);
    while (!rest.empty()) {
        auto end = rest.find_first_of(" \t");
        words.push_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : trim(rest.substr(end));
    }
    if (words.empty()) return "?";
    if (words.size() >= 2) return first_char(words.front()) + first_char(words.back());
    // One word: its first and last letters, as "You" gives "YU".
    auto word = words.front();
    char const* last = g_utf8_find_prev_char(word.data(), word.data() + word.size());
    if (!last || last == word.data()) return first_char(word);
    return first_char(word) + first_char(word.substr(std::size_t(last - word.data())));
}

LocalIdentity identity_from_environment(std::optional<std::filesystem::path> const& data_dir)
{
    LocalIdentity me;
    if (auto identity = runtime_identity::unix::load()) {
        auto const& key = identity->public_key();
        me.id = "u_" + hex(std::span(key).first(8));
        me.name = identity->display_name().value_or(environment_name());
        me.color_index = std::int64_t(fnv1a64(std::string_view(reinterpret_cast<char const*>(key.data()), key.size())) % 8);
    } else {
        spdlog::warn("identity: the platform identity is unavailable ({}); using peer-id", identity.error());
        auto id = data_dir ? peer_id(*data_dir) : std::nullopt;
        me.id = "u_" + (id ? id->substr(0, 16) : doc::new_id("").substr(0, 16));
        me.name = environment_name();
        me.color_index = std::int64_t(fnv1a64(me.id) % 8);
    }
    me.initials = initials_for(me.name);
    return me;
}

void apply_presence(LocalIdentity& me, orvo_ui::presence::PresenceCtx const& presence)
{
    if (auto const& id = presence.self_id(); id && *id != me.id) {
        if (std::find(me.former_ids.begin(), me.former_ids.end(), me.id) == me.former_ids.end())
            me.former_ids.push_back(me.id);
        me.id = *id;
        me.color_index = std::int64_t(fnv1a64(me.id) % 8);
    }
    if (auto const& name = presence.self_name(); name && *name != me.name) {
        me.name = *name;
        me.initials = initials_for(me.name);
    }
    std::erase_if(me.presence_names, [&](auto const& entry) { return !presence.contains(entry.first); });
    std::erase_if(me.presence_colors, [&](auto const& entry) { return !presence.contains(entry.first); });
    for (auto const& [id, person] : presence.people()) {
        auto name = trim(person.name);
        if (name.empty()) continue;
        me.presence_names[id] = std::string(name);
        me.presence_colors[id] = presence.color_for(id);
    }
}

std::string display_name(LocalIdentity const& me, std::vector<Person> const& workspace_people, std::string_view person)
{
    if (auto it = me.presence_names.find(person); it != me.presence_names.end()) return it->second;
    for (auto const& p : workspace_people)
        if (p.id == person && !trim(p.name).empty()) return p.name;
    if (me.is_local(person) && !trim(me.name).empty()) return me.name;
    return std::string(person);
}

orvo_ui::Color person_color(LocalIdentity const& me, std::string_view person)
{
    if (auto it = me.presence_colors.find(person); it != me.presence_colors.end())
        return orvo_ui::Color::rgb(it->second);
    return orvo_ui::presence::user_color(person);
}

} // namespace chat
