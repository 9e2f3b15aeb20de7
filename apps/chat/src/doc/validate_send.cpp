#include "doc/validate_send.h"

#include "doc/message_index.h"
#include "doc/messages.h"
#include "doc/read.h"

#include <algorithm>
#include <type_traits>
#include <variant>

namespace chat::doc {

namespace {

bool channel_exists(crdt::Document const& doc, std::string_view channel)
{
    auto const channels = read_map(doc, crdt::Document::root(), "channels");
    return channels && read_map(doc, *channels, channel);
}

bool is_id_character(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

bool is_well_formed_id(std::string_view id)
{
    return !id.empty() && id.size() <= max_message_id_bytes && std::all_of(id.begin(), id.end(), is_id_character);
}

// Control characters are U+0000..U+001F and U+007F..U+009F; in UTF-8 the
// second range is 0x7F itself and 0xC2 followed by 0x80..0x9F.
bool has_control_character(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto const byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F)
            return true;
        if (byte == 0xC2 && i + 1 < text.size()) {
            auto const next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9F)
                return true;
        }
    }
    return false;
}

bool is_blob_id(std::string_view blob)
{
    return blob.size() == 64
        && std::all_of(blob.begin(), blob.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
           });
}

bool in_range(std::uint64_t value, std::uint64_t low, std::uint64_t high)
{
    return value >= low && value <= high;
}

bool is_acceptable_attachment(Attachment const& attachment)
{
    auto const& name = attachment_name(attachment);
    if (name.empty() || name.size() > max_attachment_name_bytes || has_control_character(name))
        return false;
    if (!is_blob_id(attachment_blob(attachment)))
        return false;
    return std::visit(
        [](auto const& a) {
            using A = std::decay_t<decltype(a)>;
            if constexpr (std::is_same_v<A, ImageAttachment>)
                return in_range(a.w, 1, max_attachment_side) && in_range(a.h, 1, max_attachment_side);
            else if constexpr (std::is_same_v<A, VideoAttachment>)
                return in_range(a.size, 1, max_attachment_bytes) && a.w <= max_attachment_side
                    && a.h <= max_attachment_side;
            else
                return in_range(a.size, 1, max_attachment_bytes);
        },
        attachment);
}

// Replies to an unknown parent are accepted; replies to a reply are not.
bool is_acceptable_parent(crdt::Document const& doc, action::SendMessage const& send)
{
    if (!send.parent || send.parent->empty())
        return true;
    auto const parent = find_message(doc, send.channel, *send.parent);
    if (!parent)
        return true;
    return read_string(doc, parent->message, "parent").value_or("").empty();
}

} // namespace

bool validate_send(crdt::Document& doc, action::SendMessage const& send)
{
    return channel_exists(doc, send.channel) && is_well_formed_id(send.id) && !message_exists(doc, send.id)
        && send.text.size() <= max_message_text_bytes
        && (!send.attachment || is_acceptable_attachment(*send.attachment)) && is_acceptable_parent(doc, send);
}

} // namespace chat::doc
