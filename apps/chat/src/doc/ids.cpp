#include "doc/ids.h"

#include <uuid/uuid.h>

namespace chat::doc {

std::string new_id(std::string_view prefix)
{
    uuid_t uuid;
    uuid_generate_random(uuid);
    static constexpr char digits[] = "0123456789abcdef";
    std::string id(prefix);
    id.reserve(prefix.size() + 32);
    for (unsigned char byte : uuid) {
        id.push_back(digits[byte >> 4]);
        id.push_back(digits[byte & 0x0F]);
    }
    return id;
}

} // namespace chat::doc
