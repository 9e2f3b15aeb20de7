#pragma once

// Writes chat documents for the tests straight through the document engine,
// including the malformed and earlier-layout records the projection must
// tolerate.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "crdt/document.h"

namespace chat::test {

template <class T>
T must(base::Result<T> result)
{
    if (!result) {
        std::fprintf(stderr, "document write failed: %s\n", result.error().c_str());
        std::abort();
    }
    return std::move(result).value();
}

inline void must(base::Result<void> result)
{
    if (!result) {
        std::fprintf(stderr, "document write failed: %s\n", result.error().c_str());
        std::abort();
    }
}

class DocBuilder {
public:
    crdt::Document doc;

    crdt::ObjId map(crdt::ObjId const& parent, std::string_view key)
    {
        return must(doc.put_object(parent, key, crdt::ObjType::Map));
    }
    crdt::ObjId list(crdt::ObjId const& parent, std::string_view key)
    {
        return must(doc.put_object(parent, key, crdt::ObjType::List));
    }
    crdt::ObjId append_map(crdt::ObjId const& list)
    {
        return must(doc.insert_object(list, doc.length(list), crdt::ObjType::Map));
    }
    void append(crdt::ObjId const& list, crdt::ScalarValue value) { must(doc.insert(list, doc.length(list), std::move(value))); }
    void put(crdt::ObjId const& obj, std::string_view key, crdt::ScalarValue value) { must(doc.put(obj, key, std::move(value))); }
    void put(crdt::ObjId const& obj, std::string_view key, char const* text) { put(obj, key, std::string(text)); }
    void text(crdt::ObjId const& obj, std::string_view key, std::string_view content)
    {
        auto const text = must(doc.put_object(obj, key, crdt::ObjType::Text));
        must(doc.splice_text(text, 0, 0, content));
    }

    // The map "<table>"/<id> under the root, each created on first use.
    crdt::ObjId record(std::string_view table, std::string_view id) { return existing_or_new(table_map(table), id); }

    // Appends a message map to "messages"/<channel> with its id and parent.
    crdt::ObjId message(std::string_view channel, std::string_view id, std::string_view parent = "")
    {
        auto const messages = table_map("messages");
        auto const existing = doc.get(messages, channel);
        auto const list = existing ? std::get<crdt::ObjectRef>(*existing).id : this->list(messages, channel);
        auto const message = append_map(list);
        put(message, "id", std::string(id));
        put(message, "parent", std::string(parent));
        return message;
    }

    crdt::ObjId table_map(std::string_view table) { return existing_or_new(crdt::Document::root(), table); }

private:
    crdt::ObjId existing_or_new(crdt::ObjId const& parent, std::string_view key)
    {
        if (auto const existing = doc.get(parent, key))
            return std::get<crdt::ObjectRef>(*existing).id;
        return map(parent, key);
    }
};

} // namespace chat::test
