#pragma once

// Typed reads of the chat document. Each read names an object and a key (or
// a list index) and yields a value or nothing; a missing key and a value of
// another kind read alike, and the caller states the default.

#include "crdt/document.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace chat::doc {

std::optional<std::string> read_string(crdt::Document const&, crdt::ObjId const&, std::string_view key);
std::optional<std::string> read_string(crdt::Document const&, crdt::ObjId const&, std::size_t index);

// Signed and unsigned integers, counters and timestamps as stored; a
// floating-point value truncated toward zero.
std::optional<std::int64_t> read_integer(crdt::Document const&, crdt::ObjId const&, std::string_view key);
std::optional<std::int64_t> read_integer(crdt::Document const&, crdt::ObjId const&, std::size_t index);

std::optional<bool> read_boolean(crdt::Document const&, crdt::ObjId const&, std::string_view key);
std::optional<bool> read_boolean(crdt::Document const&, crdt::ObjId const&, std::size_t index);

// The whole content of a text object.
std::optional<std::string> read_text(crdt::Document const&, crdt::ObjId const&, std::string_view key);
std::optional<std::string> read_text(crdt::Document const&, crdt::ObjId const&, std::size_t index);

std::optional<crdt::ObjId> read_map(crdt::Document const&, crdt::ObjId const&, std::string_view key);
std::optional<crdt::ObjId> read_map(crdt::Document const&, crdt::ObjId const&, std::size_t index);
std::optional<crdt::ObjId> read_list(crdt::Document const&, crdt::ObjId const&, std::string_view key);
std::optional<crdt::ObjId> read_list(crdt::Document const&, crdt::ObjId const&, std::size_t index);
// The text object itself, for writes.
std::optional<crdt::ObjId> read_text_object(crdt::Document const&, crdt::ObjId const&, std::string_view key);

// The same readings of a value already in hand (from a whole-object read).
std::optional<std::string> string_value(crdt::Value&&);
std::optional<std::int64_t> integer_value(crdt::Value const&);
std::optional<bool> boolean_value(crdt::Value const&);
std::optional<crdt::ObjId> object_value(crdt::Value const&, crdt::ObjType);

// The same readings of a value seen in place, through a view.
std::optional<std::string_view> string_value(crdt::ValueView const&);
std::optional<std::int64_t> integer_value(crdt::ValueView const&);
std::optional<bool> boolean_value(crdt::ValueView const&);
// A view of nothing unless the value is an object of `type`.
crdt::ObjectView object_value(crdt::ValueView const&, crdt::ObjType);

} // namespace chat::doc
