// Saving the whole document as one compacted document chunk, and loading one.

#include "crdt/chunk.h"
#include "crdt/columns.h"
#include "crdt/document_columns.h"
#include "crdt/leb128.h"
#include "crdt/op_columns.h"
#include "crdt/op_set.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace crdt {

namespace {

// The reference compresses document columns from this size on.
constexpr std::size_t deflate_threshold = 256;

} // namespace

std::vector<Column> OpSet::save_change_columns() const
{
    UlebEncoder actor_col, deps_group, extra_meta;
    DeltaEncoder seq_col, max_op_col, time_col, deps_index;
    StringEncoder message_col;
    std::vector<std::uint8_t> extra_data;
    for (auto const& change : m_changes) {
        actor_col.append(m_actor_rank[change.actor]);
        seq_col.append(static_cast<std::int64_t>(change.seq));
        max_op_col.append(static_cast<std::int64_t>(change.max_op));
        time_col.append(change.time);
        if (change.message)
            message_col.append(*change.message);
        else
            message_col.append_null();
        auto deps = change.deps;
        std::sort(deps.begin(), deps.end(), [&](auto a, auto b) { return m_changes[a].hash < m_changes[b].hash; });
        deps_group.append(deps.size());
        for (auto dep : deps)
            deps_index.append(dep);
        extra_meta.append((static_cast<std::uint64_t>(change.extra.size()) << 4) | Vbytes);
        extra_data.insert(extra_data.end(), change.extra.begin(), change.extra.end());
    }
    std::vector<Column> change_columns;
    change_columns.push_back({ change_column::actor, actor_col.finish() });
    change_columns.push_back({ change_column::seq, seq_col.finish() });
    change_columns.push_back({ change_column::max_op, max_op_col.finish() });
    change_columns.push_back({ change_column::time, time_col.finish() });
    change_columns.push_back({ change_column::message, message_col.finish() });
    change_columns.push_back({ change_column::deps_group, deps_group.finish() });
    change_columns.push_back({ change_column::deps_index, deps_index.finish() });
    change_columns.push_back({ change_column::extra_meta, extra_meta.finish() });
    change_columns.push_back({ change_column::extra_data, std::move(extra_data) });
    if (!m_extra_change_columns.empty()) {
        std::vector<std::uint32_t> rows(m_changes.size());
        for (std::uint32_t i = 0; i < rows.size(); ++i)
            rows[i] = i;
        m_extra_change_columns.write(change_columns, rows, m_actor_rank,
            [&](std::uint32_t, std::size_t row) { return m_changes[row].deps.size(); });
    }

    return change_columns;
}

std::vector<Column> OpSet::save_op_columns() const
{
    auto ref = [&](std::uint32_t op) { return OpRef{ m_ops[op].id.counter, m_actor_rank[m_ops[op].id.actor] }; };
    // Successors are the inverse of predecessors, listed in op id order: a
    // counting sort of the predecessor pool by the op each entry names.
    std::vector<std::uint32_t> succ_start(m_ops.size() + 1, 0);
    for (auto pred : m_preds)
        ++succ_start[pred + 1];
    for (std::size_t i = 0; i < m_ops.size(); ++i)
        succ_start[i + 1] += succ_start[i];
    std::vector<OpRef> succ_refs(m_preds.size());
    for (std::size_t i = 0; i < m_preds.size(); ++i) {
        auto const& id = m_pred_owner[i];
        succ_refs[succ_start[m_preds[i]]++] = OpRef{ id.counter, m_actor_rank[id.actor] };
    }
    // Placing advanced every start to the next op's; shift them back.
    for (std::size_t i = m_ops.size(); i > 0; --i)
        succ_start[i] = succ_start[i - 1];
    succ_start[0] = 0;
    auto successors = [&](std::uint32_t op) {
        auto list = std::span<OpRef>(succ_refs).subspan(succ_start[op], succ_start[op + 1] - succ_start[op]);
        if (list.size() > 1)
            std::sort(list.begin(), list.end(), [&](OpRef a, OpRef b) {
                return a.counter != b.counter ? a.counter < b.counter : a.actor < b.actor;
            });
        return std::span<OpRef const>(list);
    };

    OpColumnsEncoder encoder(OpLayout::Document);
    OpRow row;
    // The rows written, for the extra columns: the op each came from, and its successor count.
    std::vector<std::uint32_t> extra_rows, extra_groups;
    bool in_map = false;
    std::uint32_t previous = none;
    auto emit = [&](std::uint32_t index) {
        auto const& op = m_ops[index];
        auto const previous_id = row.id;
        row.id = OpRef{ op.id.counter, m_actor_rank[op.id.actor] };
        if (in_map)
            row.key = &m_keys[op.key];
        else if (op.key == none)
            row.elem = {};
        else // typing inserts after the element just written
            row.elem = op.key == previous ? previous_id : ref(op.key);
        previous = index;
        row.insert = op.insert;
        row.action = op.action;
        row.value_type = op.value_type;
        row.value = string_of(op.value());
        // Most ops have no successors; those skip the lookup.
        bool followed = op.succ_count != 0 || (!m_increments.empty() && m_increments.contains(index));
        row.group = followed ? successors(index) : std::span<OpRef const>{};
        row.expand = op.expand;
        row.mark_name = nullptr;
        if (op.action == std::uint8_t(Action::Mark))
            if (auto name = m_mark_names.find(index); name != m_mark_names.end())
                row.mark_name = &name->second;
        encoder.add(row);
        if (!m_extra_op_columns.empty()) {
            extra_rows.push_back(index < m_extra_op_columns.rows() ? index : none);
            extra_groups.push_back(row.group.size());
        }
    };

    std::vector<std::uint32_t> objects(m_objects.size());
    for (std::uint32_t i = 0; i < objects.size(); ++i)
        objects[i] = i;
    std::sort(objects.begin() + 1, objects.end(), [&](auto a, auto b) {
        return op_less(m_ops[m_objects[a].make_op].id, m_ops[m_objects[b].make_op].id);
    });
    // Ops are written in document order, which is not the order they sit in the
    // table: each is fetched this many ops before it is written, which hides
    // most of the memory latency.
    constexpr std::size_t read_ahead = 16;
    std::array<std::uint32_t, read_ahead> pending;
    std::size_t pending_first = 0, pending_count = 0;
    auto visit = [&](std::uint32_t index) {
        __builtin_prefetch(&m_ops[index]);
        if (pending_count < read_ahead) {
            pending[(pending_first + pending_count++) % read_ahead] = index;
            return;
        }
        emit(pending[pending_first]);
        pending[pending_first] = index;
        pending_first = (pending_first + 1) % read_ahead;
    };
    auto drain = [&] {
        for (; pending_count > 0; --pending_count, pending_first = (pending_first + 1) % read_ahead)
            emit(pending[pending_first]);
    };
    std::vector<std::uint32_t> extra;
    for (auto index : objects) {
        auto const& object = m_objects[index];
        row.obj = object.make_op == none ? OpRef{} : ref(object.make_op);
        row.key = nullptr;
        in_map = !object.is_sequence();
        previous = none;
        if (!object.seq) {
            for (auto entry : object.map_ops)
                visit(entry.op);
        } else {
            // (an empty list or text has no seq and no ops)
            object.seq->for_each([&](std::uint32_t elem, bool) {
                visit(elem);
                auto found = m_elem_ops.empty() ? m_elem_ops.end() : m_elem_ops.find(elem);
                if (found == m_elem_ops.end())
                    return;
                extra = found->second;
                std::sort(extra.begin(), extra.end(), [&](auto a, auto b) { return op_less(m_ops[a].id, m_ops[b].id); });
                for (auto op : extra)
                    visit(op);
            });
        }
        drain();
    }

    auto columns = encoder.finish();
    if (!m_extra_op_columns.empty())
        m_extra_op_columns.write(columns, extra_rows, m_actor_rank,
            [&](std::uint32_t, std::size_t position) { return extra_groups[position]; });
    return columns;
}

std::vector<std::uint8_t> OpSet::save_document() const
{
    std::vector<std::uint8_t> out;
    // A document chunk re-encodes every change, which would give a change that arrived
    // in another (valid but unusual) encoding a different hash. Keep such histories
    // as their change chunks instead.
    bool verbatim = std::any_of(m_changes.begin(), m_changes.end(), [](auto const& c) { return !c.original.empty(); });
    if (verbatim) {
        for (std::uint32_t i = 0; i < m_changes.size(); ++i) {
            auto chunk = encode_change_chunk(i);
            out.insert(out.end(), chunk.begin(), chunk.end());
        }
        return out;
    }
    std::vector<std::uint32_t> sorted_actors(m_actors.size());
    for (std::uint32_t i = 0; i < m_actors.size(); ++i)
        sorted_actors[m_actor_rank[i]] = i;
    write_uleb(out, m_actors.size());
    for (auto actor : sorted_actors)
        write_prefixed(out, m_actors[actor].view());
    auto head_hashes = heads();
    write_uleb(out, head_hashes.size());
    for (auto const& hash : head_hashes)
        write_bytes(out, hash.bytes);

    auto change_columns = save_change_columns();
    auto op_columns = save_op_columns();
    prepare_columns(change_columns, deflate_threshold);
    prepare_columns(op_columns, deflate_threshold);
    write_column_meta(out, change_columns);
    write_column_meta(out, op_columns);
    write_column_data(out, change_columns);
    write_column_data(out, op_columns);
    for (auto const& hash : head_hashes)
        write_uleb(out, m_change_lookup.at(hash));
    std::vector<std::uint8_t> chunk;
    write_chunk(chunk, ChunkType::Document, out);
    return chunk;
}

} // namespace crdt
