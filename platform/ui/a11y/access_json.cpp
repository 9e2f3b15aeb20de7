#include "ui/a11y/access_json.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

namespace orvo_ui {

namespace {

nlohmann::json state_names(AccessStates const& s)
{
    nlohmann::json out = nlohmann::json::array();
    std::pair<bool, char const*> const flags[] = {
        {s.focused, "focused"}, {s.focusable, "focusable"}, {s.selected, "selected"}, {s.checked, "checked"},
        {s.expanded, "expanded"}, {s.collapsible, "collapsible"}, {s.disabled, "disabled"}, {s.hidden, "hidden"},
    };
    for (auto const& [set, name] : flags) {
        if (set)
            out.push_back(name);
    }
    return out;
}

nlohmann::json node_json(AccessNode const& node)
{
    nlohmann::json children = nlohmann::json::array();
    for (AccessNode const& child : node.children)
        children.push_back(node_json(child));
    return {
        {"id", node.id},
        {"role", role_name(node.role)},
        {"label", node.label},
        {"description", node.description},
        {"states", state_names(node.states)},
        {"rect", {node.rect.left(), node.rect.top(), node.rect.right(), node.rect.bottom()}},
        {"children", std::move(children)},
    };
}

} // namespace

std::string access_tree_json(AccessNode const& root)
{
    // Labels are user text and may hold invalid UTF-8; replace rather than throw.
    return node_json(root).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::optional<std::string> access_dump_path()
{
    char const* value = std::getenv(access_dump_variable);
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

base::Result<bool> write_access_tree_if_changed(std::string const& path, AccessNode const& root)
{
    static std::mutex mutex;
    static std::map<std::string, std::string> last_written;

    std::string json = access_tree_json(root);
    std::lock_guard lock(mutex);
    std::error_code ec;
    auto it = last_written.find(path);
    if (it != last_written.end() && it->second == json && std::filesystem::exists(path, ec))
        return false;

    std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return base::error("cannot write accessibility dump " + temporary + ": " + std::strerror(errno));
        out << json << '\n';
        if (!out.flush())
            return base::error("cannot write accessibility dump " + temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        return base::error("cannot replace accessibility dump " + path + ": " + reason);
    }
    last_written[path] = std::move(json);
    return true;
}

} // namespace orvo_ui
