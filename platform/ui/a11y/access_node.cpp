#include "ui/a11y/access_node.h"

namespace orvo_ui {

namespace {

void fnv1a(std::uint64_t& hash, std::string_view bytes)
{
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
}

} // namespace

std::string AccessNode::key(std::string_view scope, std::string_view name)
{
    std::string out;
    out.reserve(scope.size() + name.size() + 1);
    out.append(scope).append("/").append(name);
    return out;
}

std::uint64_t AccessNode::stable_key_for(std::string_view first, std::string_view second)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (std::string_view part : {first, second}) {
        std::uint64_t length = part.size();
        fnv1a(hash, std::string_view(reinterpret_cast<char const*>(&length), sizeof length));
        fnv1a(hash, part);
    }
    return hash == 0 ? 1 : hash;
}

std::string_view role_name(AccessRole role)
{
    switch (role) {
    case AccessRole::Window: return "window";
    case AccessRole::Group: return "group";
    case AccessRole::Region: return "region";
    case AccessRole::List: return "list";
    case AccessRole::ListItem: return "list-item";
    case AccessRole::Button: return "button";
    case AccessRole::ToggleButton: return "toggle-button";
    case AccessRole::Link: return "link";
    case AccessRole::Tab: return "tab";
    case AccessRole::TextInput: return "text-input";
    case AccessRole::StaticText: return "static-text";
    case AccessRole::Image: return "image";
    case AccessRole::Menu: return "menu";
    case AccessRole::MenuItem: return "menu-item";
    case AccessRole::Separator: return "separator";
    case AccessRole::Heading: return "heading";
    }
    return "group";
}

} // namespace orvo_ui
