#include "doc/message_index.h"

#include "doc/read.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace chat::doc {

namespace {

struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

struct IdIndex {
    bool built = false;
    std::vector<crdt::ChangeHash> heads;
    std::unordered_set<std::string, Hash, std::equal_to<>> ids;
};

// The application works on one document at a time, on one thread; a second
// document (or thread) only costs a rebuild.
thread_local IdIndex index;

void rebuild(crdt::Document const& doc, std::vector<crdt::ChangeHash> heads)
{
    index.ids.clear();
    index.heads = std::move(heads);
    index.built = true;
    auto const messages = read_map(doc, crdt::Document::root(), "messages");
    if (!messages)
        return;
    for (auto const& channel : doc.keys(*messages)) {
        auto const list = read_list(doc, *messages, channel);
        if (!list)
            continue;
        std::size_t const length = doc.length(*list);
        for (std::size_t position = 0; position < length; ++position) {
            auto const message = read_map(doc, *list, position);
            if (!message)
                continue;
            if (auto id = read_string(doc, *message, "id"))
                index.ids.insert(std::move(*id));
        }
    }
}

} // namespace

bool message_exists(crdt::Document& doc, std::string_view id)
{
    auto heads = doc.heads();
    if (!index.built || heads != index.heads)
        rebuild(doc, std::move(heads));
    return index.ids.contains(id);
}

void note_message_appended(crdt::Document& doc, std::string_view id)
{
    // Valid only when the index described the document just before the
    // append; committing the append then gives the heads it describes now.
    auto const before = index.heads;
    bool const was_current = index.built;
    auto after = doc.heads();
    if (!was_current || after == before)
        return;
    index.ids.emplace(id);
    index.heads = std::move(after);
}

} // namespace chat::doc
