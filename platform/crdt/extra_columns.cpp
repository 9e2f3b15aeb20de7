#include "crdt/extra_columns.h"

#include <algorithm>
#include <map>

namespace crdt {

namespace {

ColumnType type_of(std::uint32_t column_id) { return static_cast<ColumnType>(column_id & 7); }

std::span<std::uint8_t const> data_of(ColumnSet const& columns, std::uint32_t column_id)
{
    return columns.at(column_id);
}

} // namespace

base::Result<ExtraColumns> ExtraColumns::read(ColumnSet const& columns, std::span<std::uint32_t const> known,
                                               std::span<std::uint32_t const> grouped, GroupCounts const& counts,
                                               std::size_t rows, std::span<std::uint32_t const> actors)
{
    ExtraColumns out;
    out.m_rows = rows;
    std::map<std::uint32_t, std::vector<std::uint32_t>> by_id;
    std::size_t bytes = 0;
    for (auto const& [column_id, data] : columns) {
        if (std::find(known.begin(), known.end(), column_id) != known.end())
            continue;
        by_id[column_id >> 4].push_back(column_id); // ascending: a group column comes first
        bytes += data.size();
    }
    std::size_t const max_cells = max_rows_for(bytes) + rows;
    for (auto const& [id, column_ids] : by_id) {
        Family family;
        family.id = id;
        family.column_ids = column_ids;
        family.own_group = type_of(column_ids.front()) == ColumnType::Group;
        family.known_group = !family.own_group && std::find(grouped.begin(), grouped.end(), id) != grouped.end();
        auto meta = std::find_if(column_ids.begin(), column_ids.end(), [](auto s) { return type_of(s) == ColumnType::ValueMeta; });
        bool has_value = std::any_of(column_ids.begin(), column_ids.end(), [](auto s) { return type_of(s) == ColumnType::Value; });
        if (has_value && meta == column_ids.end())
            return base::error("document: a value column without its metadata column");

        std::vector<UlebDecoder> ulebs;
        std::vector<DeltaDecoder> deltas;
        std::vector<BooleanDecoder> booleans;
        std::vector<StringDecoder> strings;
        std::vector<Reader> values;
        std::vector<std::size_t> slot(column_ids.size()); // each column's decoder in its vector
        for (std::size_t s = 0; s < column_ids.size(); ++s) {
            auto data = data_of(columns, column_ids[s]);
            switch (type_of(column_ids[s])) {
            case ColumnType::Delta: slot[s] = deltas.size(); deltas.emplace_back(data); break;
            case ColumnType::Boolean: slot[s] = booleans.size(); booleans.emplace_back(data); break;
            case ColumnType::String: slot[s] = strings.size(); strings.emplace_back(data); break;
            case ColumnType::Value: slot[s] = values.size(); values.emplace_back(data); break;
            default: slot[s] = ulebs.size(); ulebs.emplace_back(data); break;
            }
        }
        std::size_t const meta_index = std::size_t(meta - column_ids.begin());

        for (std::size_t row = 0; row < rows; ++row) {
            auto const begin = family.cells.size();
            family.row_begin.push_back(begin);
            std::uint64_t items = 1;
            std::size_t first = 0;
            if (family.own_group) {
                auto count = ulebs[slot[0]].next();
                if (!count)
                    return base::error("document: " + count.error());
                items = count->value_or(0);
                family.cells.push_back(*count ? Cell(**count) : Cell());
                first = 1;
            } else if (family.known_group) {
                items = counts(id, row);
            }
            if (items > max_cells || family.cells.size() + items * column_ids.size() > max_cells)
                return base::error("document: a column holds more values than the chunk can");
            // Cells of column s start at begin + offset(s): [count] then items per column.
            auto offset = [&](std::size_t s) { return begin + (family.own_group ? 1 : 0) + (s - first) * items; };
            for (std::size_t s = first; s < column_ids.size(); ++s) {
                for (std::uint64_t k = 0; k < items; ++k) {
                    Cell cell;
                    auto const type = type_of(column_ids[s]);
                    if (type == ColumnType::Delta) {
                        auto v = deltas[slot[s]].next();
                        if (!v)
                            return base::error("document: " + v.error());
                        if (*v)
                            cell = **v;
                    } else if (type == ColumnType::Boolean) {
                        auto v = booleans[slot[s]].next();
                        if (!v)
                            return base::error("document: " + v.error());
                        cell = *v;
                    } else if (type == ColumnType::String) {
                        auto v = strings[slot[s]].next();
                        if (!v)
                            return base::error("document: " + v.error());
                        if (*v)
                            cell = std::move(**v);
                    } else if (type == ColumnType::Value) {
                        auto const& meta_cell = family.cells[offset(meta_index) + k];
                        auto length = std::holds_alternative<std::uint64_t>(meta_cell) ? std::get<std::uint64_t>(meta_cell) >> 4 : 0;
                        auto v = values[slot[s]].bytes(length);
                        if (!v)
                            return base::error("document: value column shorter than its metadata says");
                        cell = std::string(v->begin(), v->end());
                    } else {
                        auto v = ulebs[slot[s]].next();
                        if (!v)
                            return base::error("document: " + v.error());
                        if (*v && type == ColumnType::Actor) {
                            if (**v >= actors.size())
                                return base::error("document: actor index out of range in a column");
                            cell = std::uint64_t{ actors[**v] };
                        } else if (*v) {
                            cell = **v;
                        }
                    }
                    family.cells.push_back(std::move(cell));
                }
            }
        }
        family.row_begin.push_back(family.cells.size());
        bool done = std::all_of(ulebs.begin(), ulebs.end(), [](auto const& d) { return d.done(); })
            && std::all_of(deltas.begin(), deltas.end(), [](auto const& d) { return d.done(); })
            && std::all_of(booleans.begin(), booleans.end(), [](auto const& d) { return d.done(); })
            && std::all_of(strings.begin(), strings.end(), [](auto const& d) { return d.done(); })
            && std::all_of(values.begin(), values.end(), [](auto const& d) { return d.done(); });
        if (!done)
            return base::error("document: a column holds more values than the chunk has rows");
        out.m_families.push_back(std::move(family));
    }
    return out;
}

void ExtraColumns::write(std::vector<Column>& out, std::span<std::uint32_t const> rows,
                         std::span<std::uint32_t const> actor_out, GroupCounts const& counts) const
{
    for (auto const& family : m_families) {
        auto const& column_ids = family.column_ids;
        std::vector<UlebEncoder> ulebs(column_ids.size());
        std::vector<DeltaEncoder> deltas(column_ids.size());
        std::vector<BooleanEncoder> booleans(column_ids.size());
        std::vector<StringEncoder> strings(column_ids.size());
        std::vector<std::vector<std::uint8_t>> values(column_ids.size());
        std::size_t const first = family.own_group ? 1 : 0;
        std::size_t const per_item = column_ids.size() - first;
        for (std::size_t position = 0; position < rows.size(); ++position) {
            auto const row = rows[position];
            bool const known = row != none && row < m_rows;
            std::size_t begin = known ? family.row_begin[row] : 0;
            std::size_t stored = known ? (family.row_begin[row + 1] - begin - first) / std::max<std::size_t>(per_item, 1) : 0;
            std::uint64_t items = 1;
            if (family.own_group)
                items = stored;
            else if (family.known_group)
                items = counts(family.id, position);
            // A row whose known group changed size no longer lines up with its items.
            bool const keep = known && (!family.known_group || stored == items);
            if (family.own_group) {
                if (keep && std::holds_alternative<std::uint64_t>(family.cells[begin]))
                    ulebs[0].append(std::get<std::uint64_t>(family.cells[begin]));
                else
                    ulebs[0].append_null();
                if (!keep)
                    items = 0;
            }
            for (std::size_t s = first; s < column_ids.size(); ++s) {
                for (std::uint64_t k = 0; k < items; ++k) {
                    static Cell const null_cell;
                    auto const& cell = keep ? family.cells[begin + first + (s - first) * items + k] : null_cell;
                    switch (type_of(column_ids[s])) {
                    case ColumnType::Delta:
                        if (auto* v = std::get_if<std::int64_t>(&cell)) deltas[s].append(*v); else deltas[s].append_null();
                        break;
                    case ColumnType::Boolean:
                        booleans[s].append(std::holds_alternative<bool>(cell) && std::get<bool>(cell));
                        break;
                    case ColumnType::String:
                        if (auto* v = std::get_if<std::string>(&cell)) strings[s].append(*v); else strings[s].append_null();
                        break;
                    case ColumnType::Value:
                        if (auto* v = std::get_if<std::string>(&cell)) values[s].insert(values[s].end(), v->begin(), v->end());
                        break;
                    default:
                        if (auto* v = std::get_if<std::uint64_t>(&cell))
                            ulebs[s].append(type_of(column_ids[s]) == ColumnType::Actor ? actor_out[*v] : *v);
                        else
                            ulebs[s].append_null();
                        break;
                    }
                }
            }
        }
        for (std::size_t s = 0; s < column_ids.size(); ++s) {
            switch (type_of(column_ids[s])) {
            case ColumnType::Delta: out.push_back({ column_ids[s], deltas[s].finish() }); break;
            case ColumnType::Boolean: out.push_back({ column_ids[s], booleans[s].finish() }); break;
            case ColumnType::String: out.push_back({ column_ids[s], strings[s].finish() }); break;
            case ColumnType::Value: out.push_back({ column_ids[s], std::move(values[s]) }); break;
            default: out.push_back({ column_ids[s], ulebs[s].finish() }); break;
            }
        }
    }
}

} // namespace crdt
