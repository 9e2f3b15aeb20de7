#include "doc/write.h"

#include "doc/internal_check.h"

#include <string>
#include <variant>

namespace chat::doc {

namespace {

crdt::ObjId ensure_object(crdt::Document& doc, crdt::ObjId const& obj, std::string_view key, crdt::ObjType type,
                          std::string_view step)
{
    if (auto const value = doc.get(obj, key)) {
        if (auto const* object = std::get_if<crdt::ObjectRef>(&*value); object && object->type == type)
            return object->id;
    }
    return put_new_object(doc, obj, key, type, step);
}

} // namespace

crdt::ObjId ensure_map(crdt::Document& doc, crdt::ObjId const& obj, std::string_view key)
{
    return ensure_object(doc, obj, key, crdt::ObjType::Map, "put map");
}

crdt::ObjId ensure_list(crdt::Document& doc, crdt::ObjId const& obj, std::string_view key)
{
    return ensure_object(doc, obj, key, crdt::ObjType::List, "put list");
}

crdt::ObjId ensure_text(crdt::Document& doc, crdt::ObjId const& obj, std::string_view key)
{
    return ensure_object(doc, obj, key, crdt::ObjType::Text, "put text");
}

crdt::ObjId put_new_object(crdt::Document& doc, crdt::ObjId const& obj, std::string_view key, crdt::ObjType type,
                           std::string_view step)
{
    auto created = doc.put_object(obj, key, type);
    if (!created)
        internal_check_failed(step);
    return std::move(created).value();
}

crdt::ObjId append_map(crdt::Document& doc, crdt::ObjId const& list, std::string_view step)
{
    auto created = doc.insert_object(list, doc.length(list), crdt::ObjType::Map);
    if (!created)
        internal_check_failed(step);
    return std::move(created).value();
}

void put_string(crdt::Document& doc, crdt::ObjId const& obj, std::string_view key, std::string_view value)
{
    (void)doc.put(obj, key, crdt::ScalarValue{std::string(value)});
}

void put_integer(crdt::Document& doc, crdt::ObjId const& obj, std::string_view key, std::int64_t value)
{
    (void)doc.put(obj, key, crdt::ScalarValue{value});
}

void put_boolean(crdt::Document& doc, crdt::ObjId const& obj, std::string_view key, bool value)
{
    (void)doc.put(obj, key, crdt::ScalarValue{value});
}

void delete_key(crdt::Document& doc, crdt::ObjId const& obj, std::string_view key)
{
    // Deleting an absent key would still record an operation.
    if (!doc.get(obj, key))
        return;
    (void)doc.delete_key(obj, key);
}

void delete_index(crdt::Document& doc, crdt::ObjId const& list, std::size_t index)
{
    (void)doc.delete_index(list, index);
}

} // namespace chat::doc
