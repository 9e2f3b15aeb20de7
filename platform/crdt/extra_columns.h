#pragma once

// Columns of a document chunk this engine does not interpret. Readers must keep
// them, so they are decoded row by row on load and written again on save; rows
// made since (new ops, new changes) hold nulls.

#include "base/result.h"
#include "crdt/op.h"
#include "crdt/op_columns.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace crdt {

class ExtraColumns {
public:
    // Item counts of a known group column (the id's group), per row; columns that
    // share the id of a known group hold that many items per row.
    using GroupCounts = std::function<std::uint64_t(std::uint32_t id, std::size_t row)>;

    bool empty() const { return m_families.empty(); }
    std::size_t rows() const { return m_rows; }

    // Reads every column of `columns` whose id is not in `known`, as `rows` rows.
    // Actor columns are checked against the file's actors and mapped through `actors`.
    // `grouped` names the ids of known group columns; `counts` gives their counts.
    static base::Result<ExtraColumns> read(ColumnSet const& columns, std::span<std::uint32_t const> known,
                                           std::span<std::uint32_t const> grouped, GroupCounts const& counts,
                                           std::size_t rows, std::span<std::uint32_t const> actors);

    // Encodes the columns for the rows written, in order: each is the row read, or
    // none for a row made since. `actor_out` maps actor indices to those written;
    // `counts` gives the current items of known groups by output position.
    void write(std::vector<Column>& out, std::span<std::uint32_t const> rows, std::span<std::uint32_t const> actor_out,
               GroupCounts const& counts) const;

private:
    using Cell = std::variant<std::monostate, std::uint64_t, std::int64_t, bool, std::string>;
    struct Family {
        std::uint32_t id = 0;
        std::vector<std::uint32_t> column_ids; // ascending; a Group column, if any, first
        bool own_group = false;           // counted by its own (unknown) group column
        bool known_group = false;         // counted by a known group column
        std::vector<std::size_t> row_begin;   // into cells; rows + 1 entries
        std::vector<Cell> cells;              // per row: [count], then each column's items
    };

    std::vector<Family> m_families;
    std::size_t m_rows = 0;
};

} // namespace crdt
