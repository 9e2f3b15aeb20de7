#include "actions/address.h"

#include "actions/encoded_action.h"
#include "actions/utf8.h"

namespace orvo_actions::door {

std::string resource_address(std::string_view kind, std::string_view id)
{
    std::string address(kind);
    if (!id.empty()) {
        address += ':';
        address += id;
    }
    return address;
}

std::string_view resource_kind(std::string_view address) { return address.substr(0, address.find(':')); }

std::string_view resource_id(std::string_view address)
{
    auto colon = address.find(':');
    return colon == std::string_view::npos ? std::string_view() : address.substr(colon + 1);
}

base::Result<void> check_resource_address(std::string_view address)
{
    if (address.empty()) return base::error("resource address is empty");
    if (address.size() > max_address_length)
        return base::error("address is longer than " + std::to_string(max_address_length) + " bytes");
    std::string_view kind = resource_kind(address);
    if (kind.empty()) return base::error("resource address has no kind");
    if (!action::is_valid_kind(kind)) return base::error("resource kind is not a dotted lower-case name");
    if (kind.size() == address.size()) return {};
    std::string_view id = resource_id(address);
    if (id.empty()) return base::error("resource address has an empty id after ':'");
    if (auto problem = utf8::problem_in(id)) return base::error("resource id: " + *problem);
    return {};
}

bool is_valid_action_id(std::string_view id)
{
    if (id.empty()) return false;
    auto is_alnum = [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); };
    if (!is_alnum(id.front())) return false;
    for (char c : id)
        if (!is_alnum(c) && c != '-' && c != '_' && c != '.') return false;
    return true;
}

std::string ActionAddress::encode() const { return resource + "#" + action; }

base::Result<ActionAddress> ActionAddress::parse(std::string_view encoded)
{
    if (encoded.size() > max_address_length)
        return base::error("address is longer than " + std::to_string(max_address_length) + " bytes");
    auto hash = encoded.rfind('#');
    if (hash == std::string_view::npos) return base::error("action address has no '#' before the action id");
    std::string_view action = encoded.substr(hash + 1);
    if (!is_valid_action_id(action)) return base::error("action id is not a lower-case name");
    std::string_view resource = encoded.substr(0, hash);
    TRY_VOID(check_resource_address(resource));
    return ActionAddress{std::string(resource), std::string(action)};
}

} // namespace orvo_actions::door
