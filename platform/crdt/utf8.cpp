#include "crdt/utf8.h"

#include <cstdint>

namespace crdt {

std::optional<std::vector<std::string_view>> split_code_points(std::string_view text)
{
    std::vector<std::string_view> out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<std::uint8_t>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return std::nullopt;
        std::uint32_t cp = length == 1 ? lead : lead & (0x7f >> length);
        for (std::size_t k = 1; k < length; ++k) {
            auto next = static_cast<std::uint8_t>(text[i + k]);
            if ((next & 0xc0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (next & 0x3f);
        }
        static constexpr std::uint32_t smallest[] = { 0, 0, 0x80, 0x800, 0x10000 };
        if (cp < smallest[length] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff))
            return std::nullopt;
        out.push_back(text.substr(i, length));
        i += length;
    }
    return out;
}

} // namespace crdt
