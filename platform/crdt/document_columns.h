#pragma once

// The change-metadata columns of a document chunk, and every column id of a
// document chunk this engine reads (the rest are kept as extra columns).

#include "crdt/columns.h"

#include <array>
#include <cstdint>

namespace crdt::change_column {

inline constexpr std::uint32_t actor = column_spec(0, ColumnType::Actor);
inline constexpr std::uint32_t seq = column_spec(0, ColumnType::Delta);
inline constexpr std::uint32_t max_op = column_spec(1, ColumnType::Delta);
inline constexpr std::uint32_t time = column_spec(2, ColumnType::Delta);
inline constexpr std::uint32_t message = column_spec(3, ColumnType::String);
inline constexpr std::uint32_t deps_group = column_spec(4, ColumnType::Group);
inline constexpr std::uint32_t deps_index = column_spec(4, ColumnType::Delta);
inline constexpr std::uint32_t extra_meta = column_spec(5, ColumnType::ValueMeta);
inline constexpr std::uint32_t extra_data = column_spec(5, ColumnType::Value);

inline constexpr std::uint32_t deps_id = 4;
inline constexpr std::array<std::uint32_t, 9> known = { actor, seq, max_op, time, message, deps_group, deps_index, extra_meta, extra_data };

} // namespace crdt::change_column
