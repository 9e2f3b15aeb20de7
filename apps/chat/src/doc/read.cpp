#include "doc/read.h"

#include <cmath>
#include <limits>
#include <type_traits>
#include <variant>

namespace chat::doc {

namespace {

// Out-of-range values saturate; NaN has no integer reading.
std::optional<std::int64_t> truncate_toward_zero(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit)
        return std::numeric_limits<std::int64_t>::max();
    if (value < -limit)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

template <class Key>
std::optional<std::string> string_at(crdt::Document const& doc, crdt::ObjId const& obj, Key key)
{
    auto value = doc.get(obj, key);
    return value ? string_value(std::move(*value)) : std::nullopt;
}

template <class Key>
std::optional<std::int64_t> integer_at(crdt::Document const& doc, crdt::ObjId const& obj, Key key)
{
    auto const value = doc.get(obj, key);
    return value ? integer_value(*value) : std::nullopt;
}

template <class Key>
std::optional<bool> boolean_at(crdt::Document const& doc, crdt::ObjId const& obj, Key key)
{
    auto const value = doc.get(obj, key);
    return value ? boolean_value(*value) : std::nullopt;
}

template <class Key>
std::optional<crdt::ObjId> object_at(crdt::Document const& doc, crdt::ObjId const& obj, Key key, crdt::ObjType type)
{
    auto const value = doc.get(obj, key);
    return value ? object_value(*value, type) : std::nullopt;
}

template <class Key>
std::optional<std::string> text_at(crdt::Document const& doc, crdt::ObjId const& obj, Key key)
{
    auto const text = object_at(doc, obj, key, crdt::ObjType::Text);
    if (!text)
        return std::nullopt;
    return doc.text(*text);
}

} // namespace

std::optional<std::string> read_string(crdt::Document const& doc, crdt::ObjId const& obj, std::string_view key)
{
    return string_at(doc, obj, key);
}

std::optional<std::string> read_string(crdt::Document const& doc, crdt::ObjId const& obj, std::size_t index)
{
    return string_at(doc, obj, index);
}

std::optional<std::int64_t> read_integer(crdt::Document const& doc, crdt::ObjId const& obj, std::string_view key)
{
    return integer_at(doc, obj, key);
}

std::optional<std::int64_t> read_integer(crdt::Document const& doc, crdt::ObjId const& obj, std::size_t index)
{
    return integer_at(doc, obj, index);
}

std::optional<bool> read_boolean(crdt::Document const& doc, crdt::ObjId const& obj, std::string_view key)
{
    return boolean_at(doc, obj, key);
}

std::optional<bool> read_boolean(crdt::Document const& doc, crdt::ObjId const& obj, std::size_t index)
{
    return boolean_at(doc, obj, index);
}

std::optional<std::string> read_text(crdt::Document const& doc, crdt::ObjId const& obj, std::string_view key)
{
    return text_at(doc, obj, key);
}

std::optional<std::string> read_text(crdt::Document const& doc, crdt::ObjId const& obj, std::size_t index)
{
    return text_at(doc, obj, index);
}

std::optional<crdt::ObjId> read_map(crdt::Document const& doc, crdt::ObjId const& obj, std::string_view key)
{
    return object_at(doc, obj, key, crdt::ObjType::Map);
}

std::optional<crdt::ObjId> read_map(crdt::Document const& doc, crdt::ObjId const& obj, std::size_t index)
{
    return object_at(doc, obj, index, crdt::ObjType::Map);
}

std::optional<crdt::ObjId> read_list(crdt::Document const& doc, crdt::ObjId const& obj, std::string_view key)
{
    return object_at(doc, obj, key, crdt::ObjType::List);
}

std::optional<crdt::ObjId> read_list(crdt::Document const& doc, crdt::ObjId const& obj, std::size_t index)
{
    return object_at(doc, obj, index, crdt::ObjType::List);
}

std::optional<crdt::ObjId> read_text_object(crdt::Document const& doc, crdt::ObjId const& obj, std::string_view key)
{
    return object_at(doc, obj, key, crdt::ObjType::Text);
}

std::optional<std::string> string_value(crdt::Value&& value)
{
    auto* scalar = std::get_if<crdt::ScalarValue>(&value);
    if (!scalar)
        return std::nullopt;
    if (auto* text = std::get_if<std::string>(scalar))
        return std::move(*text);
    return std::nullopt;
}

namespace {

std::optional<std::int64_t> integer_of(crdt::ScalarValue const& scalar)
{
    return std::visit(
        [](auto const& v) -> std::optional<std::int64_t> {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, std::int64_t>)
                return v;
            else if constexpr (std::is_same_v<V, std::uint64_t>)
                return static_cast<std::int64_t>(v);
            else if constexpr (std::is_same_v<V, double>)
                return truncate_toward_zero(v);
            else if constexpr (std::is_same_v<V, crdt::Counter> || std::is_same_v<V, crdt::Timestamp>)
                return v.value;
            else
                return std::nullopt;
        },
        scalar);
}

std::optional<bool> boolean_of(crdt::ScalarValue const& scalar)
{
    if (auto const* flag = std::get_if<bool>(&scalar))
        return *flag;
    return std::nullopt;
}

} // namespace

std::optional<std::int64_t> integer_value(crdt::Value const& value)
{
    auto const* scalar = std::get_if<crdt::ScalarValue>(&value);
    return scalar ? integer_of(*scalar) : std::nullopt;
}

std::optional<bool> boolean_value(crdt::Value const& value)
{
    auto const* scalar = std::get_if<crdt::ScalarValue>(&value);
    return scalar ? boolean_of(*scalar) : std::nullopt;
}

std::optional<crdt::ObjId> object_value(crdt::Value const& value, crdt::ObjType type)
{
    auto const* object = std::get_if<crdt::ObjectRef>(&value);
    if (!object || object->type != type)
        return std::nullopt;
    return object->id;
}

std::optional<std::string_view> string_value(crdt::ValueView const& value) { return value.string(); }

std::optional<std::int64_t> integer_value(crdt::ValueView const& value)
{
    return value.is_object() ? std::nullopt : integer_of(value.scalar());
}

std::optional<bool> boolean_value(crdt::ValueView const& value)
{
    return value.is_object() ? std::nullopt : boolean_of(value.scalar());
}

crdt::ObjectView object_value(crdt::ValueView const& value, crdt::ObjType type)
{
    auto object = value.object();
    return object && object.type() == type ? object : crdt::ObjectView();
}

} // namespace chat::doc
