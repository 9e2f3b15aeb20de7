#pragma once

// Helpers for the chat document suites: raw engine writes (independent of
// the code under test) and a few structural reads.

#include "crdt/document.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace chat::doc::test {

template <class T>
T must(base::Result<T> result)
{
    if (!result) {
        std::fprintf(stderr, "engine write failed: %s\n", result.error().c_str());
        std::abort();
    }
    return std::move(result).value();
}

inline void must(base::Result<void> result)
{
    if (!result) {
        std::fprintf(stderr, "engine write failed: %s\n", result.error().c_str());
        std::abort();
    }
}

inline crdt::ObjId const root = crdt::Document::root();

inline crdt::ScalarValue str(std::string_view text) { return crdt::ScalarValue{std::string(text)}; }
inline crdt::ScalarValue num(std::int64_t value) { return crdt::ScalarValue{value}; }
inline crdt::ScalarValue flag(bool value) { return crdt::ScalarValue{value}; }

// The object under key, which must be there.
inline crdt::ObjId object_at(crdt::Document const& doc, crdt::ObjId const& obj, std::string_view key)
{
    auto const value = doc.get(obj, key);
    if (!value || !std::holds_alternative<crdt::ObjectRef>(*value)) {
        ADD_FAILURE() << "no object under " << key;
        return crdt::Document::root();
    }
    return std::get<crdt::ObjectRef>(*value).id;
}

inline crdt::ObjId object_at(crdt::Document const& doc, crdt::ObjId const& obj, std::size_t index)
{
    auto const value = doc.get(obj, index);
    if (!value || !std::holds_alternative<crdt::ObjectRef>(*value)) {
        ADD_FAILURE() << "no object at " << index;
        return crdt::Document::root();
    }
    return std::get<crdt::ObjectRef>(*value).id;
}

// Follows a path of map keys from the root.
inline crdt::ObjId path(crdt::Document const& doc, std::initializer_list<std::string_view> keys)
{
    crdt::ObjId obj = crdt::Document::root();
    for (auto key : keys)
        obj = object_at(doc, obj, key);
    return obj;
}

inline bool has_key(crdt::Document const& doc, crdt::ObjId const& obj, std::string_view key)
{
    return doc.get(obj, key).has_value();
}

inline std::vector<std::string> message_ids(crdt::Document const& doc, std::string_view channel)
{
    std::vector<std::string> ids;
    auto const messages = doc.get(root, "messages");
    if (!messages)
        return ids;
    auto const list = doc.get(std::get<crdt::ObjectRef>(*messages).id, channel);
    if (!list)
        return ids;
    auto const list_id = std::get<crdt::ObjectRef>(*list).id;
    for (std::size_t i = 0; i < doc.length(list_id); ++i) {
        auto const id = doc.get(object_at(doc, list_id, i), "id");
        ids.push_back(id ? std::get<std::string>(std::get<crdt::ScalarValue>(*id)) : "");
    }
    return ids;
}

} // namespace chat::doc::test
