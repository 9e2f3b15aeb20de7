#include "doc/attachment_fixup.h"

#include "doc/read.h"
#include "doc/write.h"

#include <vector>

namespace chat::doc {

namespace {

inline constexpr std::size_t max_demo_path_bytes = 256;

bool is_candidate(crdt::Document const& doc, crdt::ObjId const& attachment)
{
    if (!read_string(doc, attachment, "blob").value_or("").empty())
        return false;
    auto const path = read_string(doc, attachment, "path");
    return path && path->size() <= max_demo_path_bytes && path->starts_with("orvo-demo://");
}

std::vector<crdt::ObjId> find_candidates(crdt::Document const& doc)
{
    std::vector<crdt::ObjId> candidates;
    auto const messages = read_map(doc, crdt::Document::root(), "messages");
    if (!messages)
        return candidates;
    std::size_t channels_seen = 0;
    std::size_t messages_seen = 0;
    for (auto const& channel : doc.keys(*messages)) {
        auto const list = read_list(doc, *messages, channel);
        if (!list)
            continue;
        if (channels_seen++ == fixup_channel_limit)
            break;
        std::size_t const length = doc.length(*list);
        for (std::size_t index = 0; index < length; ++index) {
            if (messages_seen++ == fixup_message_limit)
                return candidates;
            auto const message = read_map(doc, *list, index);
            if (!message)
                continue;
            if (auto const attachment = read_map(doc, *message, "attachment"); attachment && is_candidate(doc, *attachment))
                candidates.push_back(*attachment);
        }
    }
    return candidates;
}

} // namespace

void fix_attachment_refs(crdt::Document& doc)
{
    for (auto const& attachment : find_candidates(doc)) {
        put_string(doc, attachment, "blob", *read_string(doc, attachment, "path"));
        delete_key(doc, attachment, "path");
    }
}

} // namespace chat::doc
