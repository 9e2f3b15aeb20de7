#include "actions/address.h"

#include "actions/encoded_action.h"
#include "actions/utf8.h"

namespace orvo_actions::address {

base::Result<ActionAddress> ActionAddress::parse(std::string_view encoded)
{
    if (encoded.empty()) return base::error("address is empty");
    if (encoded.size() > max_encoded_length)
        return base::error("address is longer than " + std::to_string(max_encoded_length) + " bytes");
    auto colon = encoded.find(':');
    std::string_view kind = encoded.substr(0, colon);
    if (kind.empty()) return base::error("address has no kind");
    if (!action::is_valid_kind(kind))
        return base::error("address kind is not a dotted lower-case name");
    if (colon == std::string_view::npos) return ActionAddress(std::string(kind));
    std::string_view id = encoded.substr(colon + 1);
    if (id.empty()) return base::error("address has an empty id after ':'");
    if (auto problem = utf8::problem_in(id)) return base::error("address id: " + *problem);
    return ActionAddress(std::string(kind), std::string(id));
}

std::string ActionAddress::encode() const
{
    if (id.empty()) return kind;
    return kind + ":" + id;
}

} // namespace orvo_actions::address
