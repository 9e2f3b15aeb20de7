#pragma once

// The decoded form of changes and operations as the storage format lays them out,
// with actors as indices into a table. Shared by change chunks and document chunks.

#include "base/result.h"
#include "crdt/types.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace crdt {

enum class Action : std::uint8_t { MakeMap = 0, Set = 1, MakeList = 2, Delete = 3, MakeText = 4, Increment = 5, MakeTable = 6, Mark = 7 };

// (counter, actor index). Counter 0 names the root object or the head of a list.
struct OpRef {
    std::uint64_t counter = 0;
    std::uint32_t actor = 0;
    bool operator==(OpRef const&) const = default;
};

// A value as stored: the value-metadata type code and its encoded bytes.
struct RawValue {
    std::uint8_t type = 0;
    std::string bytes;
    bool operator==(RawValue const&) const = default;
};

enum ValueType : std::uint8_t { Vnull = 0, Vfalse = 1, Vtrue = 2, Vuint = 3, Vint = 4, Vf64 = 5, Vstring = 6, Vbytes = 7, Vcounter = 8, Vtimestamp = 9 };

struct ChangeOp {
    OpRef id;  // document chunks store it; in changes it is startOp + row
    OpRef obj; // counter 0: the root
    bool map_key = true;
    std::string key;         // map keys
    OpRef elem;              // list keys; counter 0: the head
    bool insert = false;
    std::uint8_t action = 0;
    RawValue value;
    std::vector<OpRef> pred; // change chunks
    std::vector<OpRef> succ; // document chunks
    bool expand = false;     // marks
    std::optional<std::string> mark_name;
};

struct ChangeData {
    std::vector<ChangeHash> deps;  // sorted
    std::vector<ActorId> actors;   // author first, then the others sorted
    std::uint64_t seq = 0;
    std::uint64_t start_op = 0;
    std::int64_t time = 0;
    std::optional<std::string> message;
    std::vector<ChangeOp> ops;
    std::vector<std::uint8_t> extra;
};

std::vector<std::uint8_t> encode_change(ChangeData const& change);
// Everything of a change chunk before its columns (the actors: author first).
void write_change_header(std::vector<std::uint8_t>& out, std::span<ChangeHash const> deps, std::span<ActorId const> actors,
                         std::uint64_t seq, std::uint64_t start_op, std::int64_t time, std::optional<std::string> const& message);
base::Result<ChangeData> decode_change(std::span<std::uint8_t const> contents);

// Largest number of operations a chunk of `bytes` bytes may claim; caps what an
// untrusted input can make us allocate.
std::size_t max_rows_for(std::size_t bytes);

ScalarValue to_scalar(RawValue const& raw);
ScalarValue to_scalar(std::uint8_t type, std::string_view bytes);
RawValue to_raw(ScalarValue const& value);

} // namespace crdt
