#pragma once

// The operation columns shared by change chunks and document chunks, and the
// column-metadata block that precedes column data in both.

#include "base/result.h"
#include "crdt/change.h"
#include "crdt/columns.h"

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace crdt {

struct Column {
    std::uint32_t column_spec = 0;
    std::vector<std::uint8_t> data;
};

// Drops empty columns, sorts, and compresses those of at least `deflate_threshold`
// bytes when it is non-zero.
void prepare_columns(std::vector<Column>& columns, std::size_t deflate_threshold);
void write_column_meta(std::vector<std::uint8_t>& out, std::vector<Column> const& columns);
void write_column_data(std::vector<std::uint8_t>& out, std::vector<Column> const& columns);
// Metadata then data of the non-empty columns, uncompressed (change chunks).
void write_columns(std::vector<std::uint8_t>& out, std::vector<Column> columns);

// Column data by column id (deflate bit cleared), inflated.
using ColumnSet = std::map<std::uint32_t, std::vector<std::uint8_t>>;
struct ColumnLayout {
    std::vector<std::pair<std::uint32_t, std::uint64_t>> entries;
};
base::Result<ColumnLayout> read_column_layout(Reader& reader);
base::Result<ColumnSet> read_column_data(Reader& reader, ColumnLayout const& layout, bool allow_deflate);

enum class OpLayout { Change, Document };

// Every op column id the document layout reads, and the id of its successor group.
std::span<std::uint32_t const> document_op_column_specs();
inline constexpr std::uint32_t successor_column_id = 8;

// One operation as the encoder takes it: views into the caller's storage, so
// saving a large document copies nothing per op.
struct OpRow {
    OpRef id;                          // document layout only
    OpRef obj;                         // counter 0: the root
    std::string const* key = nullptr;  // map key; null for a list key (elem)
    OpRef elem;                        // counter 0: the head
    bool insert = false;
    std::uint8_t action = 0;
    std::uint8_t value_type = 0;
    std::string_view value;
    std::span<OpRef const> group;      // successors (document) or predecessors (change)
    bool expand = false;
    std::string const* mark_name = nullptr;
};

class OpColumnsEncoder {
public:
    explicit OpColumnsEncoder(OpLayout layout) : m_layout(layout) {}
    void add(OpRow const& op);
    void add(ChangeOp const& op);
    std::vector<Column> finish();

private:
    OpLayout m_layout;
    UlebEncoder m_obj_actor, m_obj_counter, m_key_actor, m_id_actor, m_action, m_value_meta, m_group, m_group_actor;
    DeltaEncoder m_key_counter, m_id_counter, m_group_counter;
    StringEncoder m_key_string, m_mark_name;
    BooleanEncoder m_insert, m_expand;
    std::vector<std::uint8_t> m_values;
    bool m_any_expand = false;
};

std::vector<Column> encode_op_columns(std::vector<ChangeOp> const& ops, OpLayout layout);
// Reads operations row by row until every column is used up; actor indices are
// checked against actor_count and more than max_rows rows is an error.
class OpColumnsDecoder {
public:
    OpColumnsDecoder(ColumnSet const& columns, OpLayout layout, std::size_t actor_count, std::size_t max_rows);
    // Fills op and returns true, or returns false at the end.
    base::Result<bool> next(ChangeOp& op);

private:
    bool done() const;
    base::Result<std::optional<OpRef>> read_ref(UlebDecoder& actor, UlebDecoder& counter, bool delta);
    base::Result<void> read_key(ChangeOp& op);
    base::Result<void> read_value(ChangeOp& op);
    base::Result<void> read_group(UlebDecoder& group, UlebDecoder& actor, DeltaDecoder& counter, std::vector<OpRef>& out);

    OpLayout m_layout;
    std::size_t m_actor_count;
    std::size_t m_max_rows;
    std::size_t m_rows = 0;
    UlebDecoder m_obj_actor, m_key_actor, m_id_actor, m_group_actor;
    UlebDecoder m_obj_counter;
    DeltaDecoder m_key_counter, m_id_counter, m_group_counter;
    StringDecoder m_key_string, m_mark_name;
    BooleanDecoder m_insert, m_expand;
    UlebDecoder m_action, m_value_meta, m_group;
    Reader m_values;
};

} // namespace crdt
