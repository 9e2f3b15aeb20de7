#include "doc/records/json_codec.h"

#include <charconv>
#include <limits>

namespace chat {
namespace {

std::string json_quoted(std::string_view text)
{
    return dump_json(JsonOut(std::string(text)));
}

std::string backticked(std::string_view text)
{
    return "`" + std::string(text) + "`";
}

// serde's list of alternatives: "expected `a`", "`a` or `b`", "one of `a`, `b`, `c`".
std::string expected_names(std::span<std::string_view const> names)
{
    switch (names.size()) {
    case 0:
        return "there are no fields";
    case 1:
        return "expected " + backticked(names[0]);
    case 2:
        return "expected " + backticked(names[0]) + " or " + backticked(names[1]);
    default:
        break;
    }
    std::string text = "expected one of ";
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (index > 0)
            text += ", ";
        text += backticked(names[index]);
    }
    return text;
}

std::string format_float(double value)
{
    std::array<char, 32> buffer{};
    auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return error == std::errc{} ? std::string(buffer.data(), end) : std::string("NaN");
}

base::Error integer_out_of_range(json::Value const& in, std::string_view expected)
{
    return base::error("invalid value: " + describe_json(in) + ", expected " + std::string(expected));
}

// Reads any JSON integer into T when it fits; floats and other kinds are
// type errors, integers that do not fit are value errors.
template <class T>
base::Result<void> read_integer(json::Value const& in, T& out, std::string_view expected)
{
    if (auto const* value = std::get_if<std::uint64_t>(&in.data)) {
        if (*value > static_cast<std::uint64_t>(std::numeric_limits<T>::max()))
            return integer_out_of_range(in, expected);
        out = static_cast<T>(*value);
        return {};
    }
    if (auto const* value = std::get_if<std::int64_t>(&in.data)) {
        if constexpr (std::is_unsigned_v<T>) {
            if (*value < 0)
                return integer_out_of_range(in, expected);
        }
        out = static_cast<T>(*value);
        return {};
    }
    return invalid_type(in, expected);
}

} // namespace

std::string describe_json(json::Value const& in)
{
    struct Describer {
        std::string operator()(std::nullptr_t) const { return "null"; }
        std::string operator()(bool value) const { return value ? "boolean `true`" : "boolean `false`"; }
        std::string operator()(std::int64_t value) const { return "integer " + backticked(std::to_string(value)); }
        std::string operator()(std::uint64_t value) const { return "integer " + backticked(std::to_string(value)); }
        std::string operator()(double value) const { return "floating point " + backticked(format_float(value)); }
        std::string operator()(std::string const& value) const { return "string " + json_quoted(value); }
        std::string operator()(json::Value::Array const&) const { return "sequence"; }
        std::string operator()(json::Value::Object const&) const { return "map"; }
    };
    return std::visit(Describer{}, in.data);
}

base::Error invalid_type(json::Value const& in, std::string_view expected)
{
    return base::error("invalid type: " + describe_json(in) + ", expected " + std::string(expected));
}

base::Error missing_field(std::string_view name)
{
    return base::error("missing field " + backticked(name));
}

base::Error duplicate_field(std::string_view name)
{
    return base::error("duplicate field " + backticked(name));
}

base::Error unknown_field(std::string_view name, std::span<std::string_view const> expected)
{
    return base::error("unknown field " + backticked(name) + ", " + expected_names(expected));
}

base::Error unknown_variant(std::string_view name, std::span<std::string_view const> expected)
{
    return base::error("unknown variant " + backticked(name) + ", " + expected_names(expected));
}

base::Error not_single_key_map()
{
    return base::error("invalid value: map, expected map with a single key");
}

std::string dump_json(JsonOut const& value)
{
    return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

void write_json(JsonOut& out, std::string const& value) { out = value; }
void write_json(JsonOut& out, bool value) { out = value; }
void write_json(JsonOut& out, std::int64_t value) { out = value; }
void write_json(JsonOut& out, std::uint64_t value) { out = value; }
void write_json(JsonOut& out, std::uint32_t value) { out = value; }

base::Result<void> read_json(json::Value const& in, std::string& out)
{
    auto const* value = in.as_string();
    if (!value)
        return invalid_type(in, "a string");
    out = *value;
    return {};
}

base::Result<void> read_json(json::Value const& in, bool& out)
{
    auto const* value = std::get_if<bool>(&in.data);
    if (!value)
        return invalid_type(in, "a boolean");
    out = *value;
    return {};
}

base::Result<void> read_json(json::Value const& in, std::int64_t& out) { return read_integer(in, out, "i64"); }
base::Result<void> read_json(json::Value const& in, std::uint64_t& out) { return read_integer(in, out, "u64"); }
base::Result<void> read_json(json::Value const& in, std::uint32_t& out) { return read_integer(in, out, "u32"); }

} // namespace chat
