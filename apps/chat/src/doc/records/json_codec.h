#pragma once

// The machinery under every record encoding: JSON writers and strict readers
// for scalars, optionals and lists, and generic struct and enumeration codecs
// driven by a per-type `JsonShape` (a name and an ordered list of fields).
// Error texts follow the wording of serde_json, the JSON library peers and
// tools written in Rust report with.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/result.h"
#include "doc/records/json_value.h"

namespace chat {

using JsonOut = nlohmann::ordered_json;

template <class Owner, class T>
struct JsonField {
    std::string_view name;
    T Owner::*member;
};

template <class Owner, class T>
constexpr JsonField<Owner, T> json_field(std::string_view name, T Owner::*member)
{
    return {name, member};
}

// Specialised per record with `name` (the struct name, or the member name
// inside a tagged enumeration), `fields` (a tuple of JsonField, in writing
// order) and `refuses_unknown` (whether members not listed fail decoding).
template <class T>
struct JsonShape;

template <class T>
concept JsonShaped = requires {
    JsonShape<T>::name;
    JsonShape<T>::fields;
    JsonShape<T>::refuses_unknown;
};

// Error wording.
std::string describe_json(json::Value const&);
base::Error invalid_type(json::Value const&, std::string_view expected);
base::Error missing_field(std::string_view name);
base::Error duplicate_field(std::string_view name);
base::Error unknown_field(std::string_view name, std::span<std::string_view const> expected);
base::Error unknown_variant(std::string_view name, std::span<std::string_view const> expected);
base::Error not_single_key_map();

// Serialises without white space; text that is not valid UTF-8 is written
// with replacement characters rather than failing.
std::string dump_json(JsonOut const&);

void write_json(JsonOut&, std::string const&);
void write_json(JsonOut&, bool);
void write_json(JsonOut&, std::int64_t);
void write_json(JsonOut&, std::uint64_t);
void write_json(JsonOut&, std::uint32_t);

base::Result<void> read_json(json::Value const&, std::string&);
base::Result<void> read_json(json::Value const&, bool&);
base::Result<void> read_json(json::Value const&, std::int64_t&);
base::Result<void> read_json(json::Value const&, std::uint64_t&);
base::Result<void> read_json(json::Value const&, std::uint32_t&);

template <class T>
void write_json(JsonOut& out, std::optional<T> const& value)
{
    if (value)
        write_json(out, *value);
    else
        out = nullptr;
}

template <class T>
void write_json(JsonOut& out, std::vector<T> const& values)
{
    out = JsonOut::array();
    for (auto const& value : values) {
        JsonOut element;
        write_json(element, value);
        out.push_back(std::move(element));
    }
}

template <class T>
base::Result<void> read_json(json::Value const& in, std::optional<T>& out)
{
    if (in.is_null()) {
        out.reset();
        return {};
    }
    T value{};
    auto read = read_json(in, value);
    if (read)
        out = std::move(value);
    return read;
}

template <class T>
base::Result<void> read_json(json::Value const& in, std::vector<T>& out)
{
    auto const* array = in.as_array();
    if (!array)
        return invalid_type(in, "a sequence");
    out.clear();
    out.reserve(array->size());
    for (auto const& element : *array) {
        T value{};
        TRY_VOID(read_json(element, value));
        out.push_back(std::move(value));
    }
    return {};
}

// Unit enumerations written as the string at their index in `names`.
template <class E, std::size_t N>
void write_unit_enum(JsonOut& out, E value, std::array<std::string_view, N> const& names)
{
    out = std::string(names[static_cast<std::size_t>(value)]);
}

template <class E, std::size_t N>
base::Result<void> read_unit_enum(json::Value const& in, E& out, std::array<std::string_view, N> const& names,
                                  std::string_view enum_name)
{
    auto const* text = in.as_string();
    if (!text)
        return invalid_type(in, std::string("enum ") + std::string(enum_name));
    for (std::size_t index = 0; index < N; ++index) {
        if (names[index] == *text) {
            out = static_cast<E>(index);
            return {};
        }
    }
    return unknown_variant(*text, names);
}

namespace detail {

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};

template <JsonShaped T>
constexpr std::size_t field_count = std::tuple_size_v<std::remove_cvref_t<decltype(JsonShape<T>::fields)>>;

template <JsonShaped T>
constexpr auto field_names()
{
    return std::apply([](auto const&... field) { return std::array<std::string_view, sizeof...(field)>{field.name...}; },
                      JsonShape<T>::fields);
}

template <JsonShaped T, std::size_t I>
bool read_field(json::Value const* found, T& out, base::Result<void>& result)
{
    auto const& field = std::get<I>(JsonShape<T>::fields);
    auto& target = out.*(field.member);
    if (!found) {
        if constexpr (IsOptional<std::remove_cvref_t<decltype(target)>>::value) {
            target.reset();
            return true;
        } else {
            result = missing_field(field.name);
            return false;
        }
    }
    result = read_json(*found, target);
    return result.has_value();
}

template <JsonShaped T, std::size_t... I>
base::Result<void> read_fields(std::array<json::Value const*, sizeof...(I)> const& found, T& out,
                               std::index_sequence<I...>)
{
    base::Result<void> result;
    static_cast<void>((read_field<T, I>(found[I], out, result) && ...));
    return result;
}

} // namespace detail

// Writes the fields of `value` into the object `out`, in shape order.
template <JsonShaped T>
void write_fields(JsonOut& out, T const& value)
{
    std::apply([&](auto const&... field) { (write_json(out[std::string(field.name)], value.*(field.member)), ...); },
               JsonShape<T>::fields);
}

template <JsonShaped T>
void write_struct(JsonOut& out, T const& value)
{
    out = JsonOut::object();
    write_fields(out, value);
}

// Reads the fields of T from the object `in`. Members may come in any order;
// an unlisted member is skipped or refused as the shape says.
template <JsonShaped T>
base::Result<void> read_struct(json::Value const& in, T& out)
{
    constexpr auto names = detail::field_names<T>();
    auto const* object = in.as_object();
    if (!object)
        return invalid_type(in, std::string("struct ") + std::string(JsonShape<T>::name));
    std::array<json::Value const*, names.size()> found{};
    for (auto const& member : *object) {
        std::size_t index = 0;
        while (index < names.size() && names[index] != member.key)
            ++index;
        if (index == names.size()) {
            if (JsonShape<T>::refuses_unknown)
                return unknown_field(member.key, names);
            continue;
        }
        if (found[index])
            return duplicate_field(member.key);
        found[index] = &member.value;
    }
    return detail::read_fields(found, out, std::make_index_sequence<names.size()>{});
}

namespace detail {

template <class Variant, std::size_t... I>
constexpr auto alternative_names(std::index_sequence<I...>)
{
    return std::array<std::string_view, sizeof...(I)>{JsonShape<std::variant_alternative_t<I, Variant>>::name...};
}

template <class Variant>
constexpr auto variant_names = alternative_names<Variant>(std::make_index_sequence<std::variant_size_v<Variant>>{});

template <class Variant, std::size_t I>
base::Result<void> read_alternative_at(json::Value const& body, Variant& out)
{
    std::variant_alternative_t<I, Variant> member{};
    auto read = read_struct(body, member);
    if (read)
        out = std::move(member);
    return read;
}

template <class Variant, std::size_t... I>
base::Result<void> read_alternative(std::size_t index, json::Value const& body, Variant& out,
                                    std::index_sequence<I...>)
{
    using Reader = base::Result<void> (*)(json::Value const&, Variant&);
    static constexpr Reader readers[] = {&read_alternative_at<Variant, I>...};
    return readers[index](body, out);
}

template <class Variant>
std::size_t index_of_name(std::string_view name)
{
    auto const& names = variant_names<Variant>;
    std::size_t index = 0;
    while (index < names.size() && names[index] != name)
        ++index;
    return index;
}

template <class Variant>
base::Result<void> read_named_alternative(std::string_view name, json::Value const& body, Variant& out)
{
    auto index = index_of_name<Variant>(name);
    if (index == variant_names<Variant>.size())
        return unknown_variant(name, variant_names<Variant>);
    return read_alternative(index, body, out, std::make_index_sequence<std::variant_size_v<Variant>>{});
}

} // namespace detail

// Externally tagged: {"Member": {fields...}}.
template <class Variant>
void write_external(JsonOut& out, Variant const& value)
{
    std::visit(
        [&](auto const& member) {
            out = JsonOut::object();
            write_struct(out[std::string(JsonShape<std::remove_cvref_t<decltype(member)>>::name)], member);
        },
        value);
}

template <class Variant>
base::Result<void> read_external(json::Value const& in, Variant& out, std::string_view enum_name)
{
    auto const* object = in.as_object();
    if (!object)
        return invalid_type(in, std::string("enum ") + std::string(enum_name));
    if (object->size() != 1)
        return not_single_key_map();
    return detail::read_named_alternative(object->front().key, object->front().value, out);
}

// Internally tagged: {"<tag>": "member", fields...}.
template <class Variant>
void write_internal(JsonOut& out, Variant const& value, std::string_view tag)
{
    std::visit(
        [&](auto const& member) {
            out = JsonOut::object();
            out[std::string(tag)] = std::string(JsonShape<std::remove_cvref_t<decltype(member)>>::name);
            write_fields(out, member);
        },
        value);
}

template <class Variant>
base::Result<void> read_internal(json::Value const& in, Variant& out, std::string_view tag, std::string_view enum_name)
{
    auto const* object = in.as_object();
    if (!object)
        return invalid_type(in, std::string("internally tagged enum ") + std::string(enum_name));
    std::string const* name = nullptr;
    for (auto const& member : *object) {
        if (member.key != tag)
            continue;
        if (name)
            return duplicate_field(tag);
        name = member.value.as_string();
        if (!name)
            return invalid_type(member.value, "variant identifier");
    }
    if (!name)
        return missing_field(tag);
    // The member's own fields sit beside the tag, which they skip as unknown.
    return detail::read_named_alternative(*name, in, out);
}

} // namespace chat
