// Loading a document chunk: ops arrive sorted, so objects are rebuilt in one pass;
// deletions, stored only as successors, are rebuilt; then the change history is
// re-encoded and its hashes checked against the stored heads.

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

std::span<std::uint8_t const> column_of(ColumnSet const& columns, std::uint32_t id)
{
    auto found = columns.find(id);
    return found == columns.end() ? std::span<std::uint8_t const>{} : std::span<std::uint8_t const>(found->second);
}

} // namespace

#define CRDT_TRY(var, expr)                                  \
    auto var = (expr);                                       \
    if (!var)                                                \
        return base::error("document: " + var.error());

class DocumentLoader {
public:
    DocumentLoader(OpSet& ops) : m_ops(ops) {}

    base::Result<void> load(std::span<std::uint8_t const> contents);

private:
    base::Result<void> read_ops(ColumnSet const& columns, std::size_t max_rows);
    base::Result<void> add_op(ChangeOp const& in);
    base::Result<void> read_extra_op_columns(ColumnSet const& columns);
    base::Result<void> resolve_successors();
    base::Result<void> read_changes(ColumnSet const& columns, std::size_t max_rows);
    base::Result<void> attach_ops();

    OpSet& m_ops;
    std::vector<std::uint32_t> m_actors;                         // file index -> actor index
    std::vector<std::pair<std::uint32_t, OpId>> m_successors;     // (op, successor id)
    std::uint32_t m_last_object = none;
    std::uint32_t m_last_map_op = none;
    OpRef m_last_obj_ref;
    std::uint32_t m_last_obj = 0;
    std::vector<ChangeMeta> m_changes; // read before the ops, added once hashed
    std::uint64_t m_op_budget = 0;     // at most this many ops: the sum of each actor's last maxOp
};

base::Result<void> DocumentLoader::load(std::span<std::uint8_t const> contents)
{
    Reader reader(contents);
    CRDT_TRY(actor_count, reader.uleb());
    if (*actor_count > reader.remaining())
        return base::error("document: actor count exceeds the chunk");
    for (std::uint64_t i = 0; i < *actor_count; ++i) {
        CRDT_TRY(bytes, reader.prefixed());
        ActorId actor(std::vector<std::uint8_t>(bytes->begin(), bytes->end()));
        if (m_ops.m_actor_lookup.contains(actor))
            return base::error("document: actor listed twice");
        m_actors.push_back(m_ops.intern_actor(actor));
    }
    CRDT_TRY(head_count, reader.uleb());
    if (*head_count > reader.remaining() / 32)
        return base::error("document: head count exceeds the chunk");
    std::vector<ChangeHash> heads(*head_count);
    for (auto& head : heads) {
        CRDT_TRY(bytes, reader.bytes(32));
        std::memcpy(head.bytes.data(), bytes->data(), 32);
    }
    CRDT_TRY(change_layout, read_column_layout(reader));
    CRDT_TRY(op_layout, read_column_layout(reader));
    CRDT_TRY(change_columns, read_column_data(reader, *change_layout, true));
    CRDT_TRY(op_columns, read_column_data(reader, *op_layout, true));
    std::size_t inflated = contents.size();
    for (auto const& [column_spec, data] : *op_columns)
        inflated += data.size();
    auto max_rows = max_rows_for(inflated);
    TRY_VOID(read_changes(*change_columns, max_rows));
    CRDT_TRY(extra_changes, ExtraColumns::read(*change_columns, change_column::known, std::array{ change_column::deps_id },
        [&](std::uint32_t, std::size_t row) { return m_changes[row].deps.size(); }, m_changes.size(), m_actors));
    m_ops.m_extra_change_columns = std::move(*extra_changes);
    // Reserve for the ops the changes claim, but never more than the data could hold
    // at one op per byte: a forged maxOp must not buy a huge table.
    auto expected_ops = static_cast<std::size_t>(std::min<std::uint64_t>(m_op_budget, inflated));
    m_ops.m_ops.reserve(expected_ops);
    m_ops.m_op_index.reserve(expected_ops);
    TRY_VOID(read_ops(*op_columns, max_rows));
    TRY_VOID(read_extra_op_columns(*op_columns));
    TRY_VOID(resolve_successors());
    TRY_VOID(attach_ops());
    std::sort(heads.begin(), heads.end());
    if (m_ops.heads() != heads)
        return base::error("document: stored heads do not match its changes (corrupt or unsupported data)");
    return {};
}

base::Result<void> DocumentLoader::read_ops(ColumnSet const& columns, std::size_t max_rows)
{
    OpColumnsDecoder decoder(columns, OpLayout::Document, m_actors.size(), max_rows);
    ChangeOp op;
    while (true) {
        CRDT_TRY(more, decoder.next(op));
        if (!*more)
            return {};
        TRY_VOID(add_op(op));
    }
}

// Before deletions are rebuilt: the ops read so far are exactly the chunk's rows.
base::Result<void> DocumentLoader::read_extra_op_columns(ColumnSet const& columns)
{
    auto known = document_op_column_specs();
    bool any = std::any_of(columns.begin(), columns.end(),
        [&](auto const& c) { return std::find(known.begin(), known.end(), c.first) == known.end(); });
    if (!any)
        return {};
    std::vector<std::uint32_t> successors(m_ops.m_ops.size(), 0);
    for (auto const& entry : m_successors)
        ++successors[entry.first];
    CRDT_TRY(extra, ExtraColumns::read(columns, known, std::array{ successor_column_id },
        [&](std::uint32_t, std::size_t row) { return successors[row]; }, m_ops.m_ops.size(), m_actors));
    m_ops.m_extra_op_columns = std::move(*extra);
    return {};
}

base::Result<void> DocumentLoader::add_op(ChangeOp const& in)
{
    auto& ops = m_ops.m_ops;
    auto find = [&](OpRef ref) { return m_ops.m_op_index.find({ ref.counter, m_actors[ref.actor] }); };
    Op op;
    op.id = { in.id.counter, m_actors[in.id.actor] };
    if (in.action > 7)
        return base::error("document: unknown action");
    op.obj = 0;
    if (in.obj.counter != 0 && in.obj == m_last_obj_ref) {
        op.obj = m_last_obj;
    } else if (in.obj.counter != 0) {
        auto make = find(in.obj);
        if (make == none)
            return base::error("document: operation before its object exists");
        if (!(ops[make].action == 0 || ops[make].action == 2 || ops[make].action == 4 || ops[make].action == 6))
            return base::error("document: operation on something that is not an object");
        op.obj = ops[make].made_object();
        // Ops of one object arrive together: the next op most likely has the same one.
        m_last_obj_ref = in.obj;
        m_last_obj = op.obj;
    }
    auto& object = m_ops.m_objects[op.obj];
    bool sequence = object.is_sequence();
    if (sequence == in.map_key)
        return base::error("document: operation key does not match its object kind");
    if (sequence) {
        if (in.elem.counter != 0) {
            // In document order an insert usually follows the element it goes after.
            auto previous = static_cast<std::uint32_t>(ops.size() - 1);
            bool hit = !ops.empty() && ops[previous].id.counter == in.elem.counter && ops[previous].id.actor == m_actors[in.elem.actor];
            op.key = hit ? previous : find(in.elem);
            if (op.key == none || !ops[op.key].insert || ops[op.key].obj != op.obj)
                return base::error("document: operation refers to an unknown list element");
        } else if (!in.insert) {
            return base::error("document: update of the list head");
        }
    } else {
        if (in.insert)
            return base::error("document: insert into a map");
        op.key = m_ops.intern_key(in.key);
    }
    op.insert = in.insert;
    op.action = in.action;
    op.set_value(m_ops.pack(in.value));
    op.expand = in.expand;
    auto index = static_cast<std::uint32_t>(ops.size());
    ops.push_back(op);
    if (!m_ops.m_op_index.insert(index))
        return base::error("document: duplicate op id");
    m_ops.m_max_op = std::max<std::uint64_t>(m_ops.m_max_op, std::uint64_t{ op.id.counter });
    if (in.mark_name)
        m_ops.m_mark_names.emplace(index, *in.mark_name);
    for (auto const& succ : in.succ)
        m_successors.emplace_back(index, OpId{ succ.counter, m_actors[succ.actor] });
    if (op.action == 0 || op.action == 2 || op.action == 4 || op.action == 6)
        ops[index].value_payload = m_ops.add_object(op.action == 2 ? ObjType::List : op.action == 4 ? ObjType::Text : op.action == 6 ? ObjType::Table : ObjType::Map, index);

    auto& target = m_ops.m_objects[op.obj];
    if (!target.is_sequence()) {
        // Map ops must arrive sorted by key, then op id; binary search relies on it.
        if (m_last_object == op.obj && m_last_map_op != none) {
            auto const& previous = ops[m_last_map_op];
            auto const& key = m_ops.m_keys[op.key];
            auto const& previous_key = m_ops.m_keys[previous.key];
            if (key < previous_key || (key == previous_key && !m_ops.op_less(previous.id, op.id)))
                return base::error("document: map operations out of order " + key + " after " + previous_key);
        }
        m_last_object = op.obj;
        m_last_map_op = index;
        target.map_ops.push_back(m_ops.map_entry(index));
    } else if (op.insert) {
        m_ops.sequence_of(target).append(ops, index, false);
    } else if (op.action != std::uint8_t(Action::Delete)) {
        m_ops.m_elem_ops[op.key].push_back(index);
    }
    return {};
}

base::Result<void> DocumentLoader::resolve_successors()
{
    auto& ops = m_ops.m_ops;
    // (successor, predecessor) pairs; a successor that is no stored op is a deletion.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
    pairs.reserve(m_successors.size());
    for (auto [pred, succ_id] : m_successors) {
        auto succ = m_ops.m_op_index.find(succ_id);
        if (succ == none) {
            Op del;
            del.id = succ_id;
            del.obj = ops[pred].obj;
            del.key = m_ops.m_objects[del.obj].is_sequence() ? m_ops.element_of(pred) : ops[pred].key;
            del.action = std::uint8_t(Action::Delete);
            succ = static_cast<std::uint32_t>(ops.size());
            ops.push_back(del);
            (void)m_ops.m_op_index.insert(succ); // not found just above
            m_ops.m_max_op = std::max<std::uint64_t>(m_ops.m_max_op, std::uint64_t{ succ_id.counter });
        } else if (ops[succ].obj != ops[pred].obj) {
            return base::error("document: successor in another object");
        }
        pairs.emplace_back(succ, pred);
    }
    m_successors = {};
    std::sort(pairs.begin(), pairs.end(), [&](auto const& a, auto const& b) {
        if (a.first != b.first)
            return a.first < b.first;
        return m_ops.op_less(ops[a.second].id, ops[b.second].id);
    });
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    auto& pool = m_ops.m_preds;
    pool.reserve(pairs.size());
    m_ops.m_pred_owner.reserve(pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        auto [succ, pred] = pairs[i];
        if (i == 0 || pairs[i - 1].first != succ)
            ops[succ].pred_begin = static_cast<std::uint32_t>(pool.size());
        if (ops[succ].pred_count == max_predecessors)
            return base::error("document: an operation with too many predecessors");
        ++ops[succ].pred_count;
        pool.push_back(pred);
        m_ops.m_pred_owner.push_back(ops[succ].id);
        if (ops[succ].action == std::uint8_t(Action::Increment)) {
            auto by = to_scalar(m_ops.unpack(ops[succ].value()));
            if (auto* v = std::get_if<std::int64_t>(&by))
                m_ops.m_increments[pred] += *v;
            else if (auto* u = std::get_if<std::uint64_t>(&by))
                m_ops.m_increments[pred] += static_cast<std::int64_t>(*u);
        } else {
            ops[pred].add_successor();
        }
    }
    for (std::uint32_t i = 0; i < m_ops.m_objects.size(); ++i) {
        auto& object = m_ops.m_objects[i];
        for (auto& entry : object.map_ops)
            entry.visible = m_ops.is_visible(ops[entry.op]);
        if (!object.seq)
            continue;
        object.seq->reset_visibility([&](std::uint32_t elem) {
            if (ops[elem].action == std::uint8_t(Action::Mark))
                return false;
            return m_ops.winner_at_element(elem) != none;
        });
        if (object.type == ObjType::Text)
            object.seq->set_cached_text(m_ops.text(i));
    }
    return {};
}

base::Result<void> DocumentLoader::read_changes(ColumnSet const& columns, std::size_t max_rows)
{
    UlebDecoder actor_col(column_of(columns, change_column::actor));
    DeltaDecoder seq_col(column_of(columns, change_column::seq));
    DeltaDecoder max_op_col(column_of(columns, change_column::max_op));
    DeltaDecoder time_col(column_of(columns, change_column::time));
    StringDecoder message_col(column_of(columns, change_column::message));
    UlebDecoder deps_group(column_of(columns, change_column::deps_group));
    DeltaDecoder deps_index(column_of(columns, change_column::deps_index));
    UlebDecoder extra_meta(column_of(columns, change_column::extra_meta));
    Reader extra_data(column_of(columns, change_column::extra_data));

    auto done = [&] {
        return actor_col.done() && seq_col.done() && max_op_col.done() && time_col.done() && message_col.done()
            && deps_group.done() && deps_index.done() && extra_meta.done() && extra_data.done();
    };
    std::vector<std::uint64_t> seq_of(m_actors.size(), 0);
    std::vector<std::uint64_t> last_max(m_actors.size(), 0);
    while (!done()) {
        if (m_changes.size() >= max_rows)
            return base::error("document: more changes than the chunk can hold");
        CRDT_TRY(actor, actor_col.next());
        CRDT_TRY(seq, seq_col.next());
        CRDT_TRY(max_op, max_op_col.next());
        CRDT_TRY(time, time_col.next());
        CRDT_TRY(message, message_col.next());
        CRDT_TRY(dep_count, deps_group.next());
        if (!*actor || **actor >= m_actors.size() || !*seq || !*max_op || **max_op < 0)
            return base::error("document: invalid change metadata");
        ChangeMeta meta;
        meta.actor = m_actors[**actor];
        meta.seq = static_cast<std::uint64_t>(**seq);
        meta.max_op = static_cast<std::uint64_t>(**max_op);
        meta.time = time->value_or(0);
        meta.message = std::move(*message);
        if (dep_count->value_or(0) > m_changes.size())
            return base::error("document: too many dependencies");
        for (std::uint64_t i = 0; i < dep_count->value_or(0); ++i) {
            CRDT_TRY(dep, deps_index.next());
            if (!*dep || **dep < 0 || static_cast<std::uint64_t>(**dep) >= m_changes.size())
                return base::error("document: dependency on an unknown change");
            meta.deps.push_back(static_cast<std::uint32_t>(**dep));
        }
        CRDT_TRY(meta_value, extra_meta.next());
        CRDT_TRY(extra, extra_data.bytes(meta_value->value_or(0) >> 4));
        meta.extra.assign(extra->begin(), extra->end());
        auto& seq_count = seq_of[**actor];
        if (meta.seq != ++seq_count || meta.max_op < last_max[**actor])
            return base::error("document: changes out of order");
        last_max[**actor] = meta.max_op;
        m_changes.push_back(std::move(meta));
    }
    m_op_budget = 0;
    for (auto max : last_max)
        m_op_budget += max;
    return {};
}

// Gives every op to its change (the first of its actor's changes whose maxOp is not
// below the op's counter), then hashes the changes in order.
base::Result<void> DocumentLoader::attach_ops()
{
    auto const& ops = m_ops.m_ops;
    std::vector<std::vector<std::pair<std::uint64_t, std::uint32_t>>> by_actor(m_ops.m_actors.size());
    for (std::uint32_t i = 0; i < m_changes.size(); ++i)
        by_actor[m_changes[i].actor].emplace_back(m_changes[i].max_op, i);
    std::vector<std::uint32_t> owner(ops.size());
    std::vector<std::uint32_t> count(m_changes.size() + 1, 0);
    std::vector<std::uint64_t> lowest(m_changes.size(), UINT64_MAX);
    for (std::uint32_t i = 0; i < ops.size(); ++i) {
        auto const& list = by_actor[ops[i].id.actor];
        auto found = std::lower_bound(list.begin(), list.end(), std::pair{ ops[i].id.counter, std::uint32_t(0) });
        if (found == list.end())
            return base::error("document: operations that belong to no change");
        owner[i] = found->second;
        ++count[found->second + 1];
        lowest[found->second] = std::min<std::uint64_t>(lowest[found->second], std::uint64_t{ ops[i].id.counter });
    }
    for (std::size_t k = 0; k < m_changes.size(); ++k)
        count[k + 1] += count[k];
    // A well-formed change numbers its ops lowest..maxOp without gaps, so each op's
    // slot follows from its counter; anything else is sorted below.
    auto& list = m_ops.m_change_ops;
    list.assign(ops.size(), none);
    for (std::uint32_t i = 0; i < ops.size(); ++i) {
        auto k = owner[i];
        auto slot = ops[i].id.counter - lowest[k];
        if (slot < count[k + 1] - count[k] && list[count[k] + slot] == none)
            list[count[k] + slot] = i;
    }
    if (std::find(list.begin(), list.end(), none) != list.end()) {
        auto fill = count;
        for (std::uint32_t i = 0; i < ops.size(); ++i)
            list[fill[owner[i]]++] = i;
    }
    for (std::uint32_t k = 0; k < m_changes.size(); ++k) {
        auto& meta = m_changes[k];
        meta.ops_begin = count[k];
        meta.ops_count = count[k + 1] - count[k];
        auto first = list.begin() + meta.ops_begin;
        auto last = first + meta.ops_count;
        // Doc order interleaves a change's ops; the change lists them by counter.
        bool sorted = std::is_sorted(first, last, [&](auto a, auto b) { return ops[a].id.counter < ops[b].id.counter; });
        if (!sorted) {
            std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed;
            keyed.reserve(meta.ops_count);
            for (auto it = first; it != last; ++it)
                keyed.emplace_back(std::uint64_t{ ops[*it].id.counter }, *it);
            std::sort(keyed.begin(), keyed.end());
            for (std::size_t j = 0; j < keyed.size(); ++j)
                first[static_cast<std::ptrdiff_t>(j)] = keyed[j].second;
        }
        meta.start_op = meta.ops_count == 0 ? meta.max_op + 1 : ops[*first].id.counter;
        if (meta.seq != m_ops.m_actor_changes[meta.actor].size() + 1)
            return base::error("document: changes out of order");
        meta.hash = chunk_hash(ChunkType::Change, m_ops.encode_change_body(meta));
        m_ops.add_change(std::move(meta));
    }
    m_changes = {};
    return {};
}

#undef CRDT_TRY

base::Result<std::unique_ptr<OpSet>> OpSet::load_document(std::span<std::uint8_t const> contents, ActorId actor)
{
    auto ops = std::make_unique<OpSet>(std::move(actor));
    DocumentLoader loader(*ops);
    TRY_VOID(loader.load(contents));
    return ops;
}

} // namespace crdt
