#pragma once

// Write conventions of the chat document.
//
// Creating a nested object can only be refused when the target object has
// vanished or has the wrong kind, which would mean the layout was broken
// underneath us: those failures stop the program with a fixed message naming
// the step. A refused scalar put, text splice or delete is ignored and the
// caller goes on with its next write.

#include "crdt/document.h"

#include <cstdint>
#include <string_view>

namespace chat::doc {

// The map (list, text) under `key`; anything else there, or nothing, is
// replaced by a new empty one. Refusal stops with "put map" ("put list",
// "put text").
crdt::ObjId ensure_map(crdt::Document&, crdt::ObjId const& obj, std::string_view key);
crdt::ObjId ensure_list(crdt::Document&, crdt::ObjId const& obj, std::string_view key);
crdt::ObjId ensure_text(crdt::Document&, crdt::ObjId const& obj, std::string_view key);

// Puts a new object under `key` whatever was there; refusal stops with `step`.
crdt::ObjId put_new_object(crdt::Document&, crdt::ObjId const& obj, std::string_view key, crdt::ObjType type,
                           std::string_view step);

// Appends a new map at the end of a list; refusal stops with `step`.
crdt::ObjId append_map(crdt::Document&, crdt::ObjId const& list, std::string_view step);

// Scalar puts overwrite whatever the key held; refusal is ignored.
void put_string(crdt::Document&, crdt::ObjId const& obj, std::string_view key, std::string_view value);
void put_integer(crdt::Document&, crdt::ObjId const& obj, std::string_view key, std::int64_t value);
void put_boolean(crdt::Document&, crdt::ObjId const& obj, std::string_view key, bool value);

// Deletes are ignored when refused; an absent key is left alone.
void delete_key(crdt::Document&, crdt::ObjId const& obj, std::string_view key);
void delete_index(crdt::Document&, crdt::ObjId const& list, std::size_t index);

} // namespace chat::doc
