#pragma once

// A parsed JSON value that keeps every member of an object, duplicates
// included, in the order written. Strict decoding needs to see duplicates,
// which a map-backed tree would silently merge.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/result.h"

namespace chat::json {

struct Member;

struct Value {
    // Non-negative integers parse as unsigned, negative ones as signed, and
    // numbers beyond 64 bits or with a fraction or exponent as floating point.
    using Array = std::vector<Value>;
    using Object = std::vector<Member>;
    std::variant<std::nullptr_t, bool, std::int64_t, std::uint64_t, double, std::string, Array, Object> data;

    bool is_null() const { return std::holds_alternative<std::nullptr_t>(data); }
    Object const* as_object() const { return std::get_if<Object>(&data); }
    Array const* as_array() const { return std::get_if<Array>(&data); }
    std::string const* as_string() const { return std::get_if<std::string>(&data); }
};

struct Member {
    std::string key;
    Value value;
};

// Nesting deeper than this is refused, so that hostile input cannot exhaust
// the stack when the tree is destroyed.
inline constexpr std::size_t max_nesting_depth = 128;

base::Result<Value> parse(std::string_view text);

} // namespace chat::json
