// Transactions, change history, and applying changes from elsewhere.

#include "crdt/chunk.h"
#include "crdt/leb128.h"
#include "crdt/op_columns.h"
#include "crdt/op_set.h"

#include <algorithm>
#include <cstring>
#include <ctime>

namespace crdt {

void OpSet::add_change(ChangeMeta meta)
{
    auto index = static_cast<std::uint32_t>(m_changes.size());
    for (auto dep : meta.deps)
        std::erase(m_heads, dep);
    m_heads.push_back(index);
    m_change_lookup.emplace(meta.hash, index);
    m_actor_changes[meta.actor].push_back(index);
    m_changes.push_back(std::move(meta));
}

void OpSet::commit(std::optional<std::string> message, std::optional<std::int64_t> time)
{
    if (m_pending_ops == 0)
        return;
    ChangeMeta meta;
    meta.actor = m_local_actor;
    meta.seq = m_actor_changes[m_local_actor].size() + 1;
    meta.start_op = m_pending_start;
    meta.max_op = m_max_op;
    meta.ops_begin = static_cast<std::uint32_t>(m_change_ops.size());
    meta.ops_count = static_cast<std::uint32_t>(m_ops.size() - m_pending_first);
    for (auto index = m_pending_first; index < m_ops.size(); ++index)
        m_change_ops.push_back(index);
    // Seconds since the epoch, as the npm package writes it.
    meta.time = time.value_or(static_cast<std::int64_t>(std::time(nullptr)));
    meta.message = std::move(message);
    meta.deps = m_heads;
    std::sort(meta.deps.begin(), meta.deps.end(),
        [&](auto a, auto b) { return m_changes[a].hash < m_changes[b].hash; });
    meta.hash = chunk_hash(ChunkType::Change, encode_change_body(meta));
    m_pending_ops = 0;
    add_change(std::move(meta));
    settle_texts();
}

std::vector<ChangeHash> OpSet::heads() const
{
    std::vector<ChangeHash> out;
    for (auto index : m_heads)
        out.push_back(m_changes[index].hash);
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::uint32_t> OpSet::changes_since(std::vector<ChangeHash> const& since) const
{
    std::vector<bool> known(m_changes.size(), false);
    std::vector<std::uint32_t> stack;
    for (auto const& hash : since)
        if (auto found = m_change_lookup.find(hash); found != m_change_lookup.end())
            stack.push_back(found->second);
    while (!stack.empty()) {
        auto index = stack.back();
        stack.pop_back();
        if (known[index])
            continue;
        known[index] = true;
        for (auto dep : m_changes[index].deps)
            stack.push_back(dep);
    }
    std::vector<std::uint32_t> out;
    for (std::uint32_t i = 0; i < m_changes.size(); ++i)
        if (!known[i])
            out.push_back(i);
    return out;
}

std::vector<std::uint8_t> OpSet::encode_change_body(ChangeMeta const& meta) const
{
    std::vector<ChangeHash> deps;
    for (auto dep : meta.deps)
        deps.push_back(m_changes[dep].hash);
    std::sort(deps.begin(), deps.end());

    // Actor table: the author, then every other actor the ops mention, sorted.
    // Local indices go in a scratch table indexed by document actor.
    std::vector<std::uint32_t> local(m_actors.size(), none);
    local[meta.actor] = 0;
    std::vector<std::uint32_t> others;
    auto mention = [&](std::uint32_t actor) {
        if (local[actor] == none) {
            local[actor] = 1;
            others.push_back(actor);
        }
    };
    auto for_each_op = [&](auto&& f) {
        for (auto i = meta.ops_begin; i < meta.ops_begin + meta.ops_count; ++i)
            f(m_change_ops[i]);
    };
    for_each_op([&](std::uint32_t index) {
        auto const& op = m_ops[index];
        if (auto make = m_objects[op.obj].make_op; make != none)
            mention(m_ops[make].id.actor);
        if (m_objects[op.obj].is_sequence() && op.key != none)
            mention(m_ops[op.key].id.actor);
        for (std::uint32_t p = 0; p < op.pred_count; ++p)
            mention(m_ops[m_preds[op.pred_begin + p]].id.actor);
    });
    std::sort(others.begin(), others.end(), [&](auto a, auto b) { return m_actors[a] < m_actors[b]; });
    std::vector<ActorId> actors{ m_actors[meta.actor] };
    for (auto actor : others) {
        local[actor] = static_cast<std::uint32_t>(actors.size());
        actors.push_back(m_actors[actor]);
    }
    auto ref = [&](std::uint32_t op_index) {
        auto const& id = m_ops[op_index].id;
        return OpRef{ id.counter, local[id.actor] };
    };

    OpColumnsEncoder encoder(OpLayout::Change);
    ChangeOp row;
    for_each_op([&](std::uint32_t index) {
        auto const& op = m_ops[index];
        auto const& object = m_objects[op.obj];
        row.obj = object.make_op == none ? OpRef{} : ref(object.make_op);
        row.map_key = !object.is_sequence();
        if (row.map_key)
            row.key = m_keys[op.key];
        else
            row.elem = op.key == none ? OpRef{} : ref(op.key);
        row.insert = op.insert;
        row.action = op.action;
        row.value.type = op.value_type;
        row.value.bytes.assign(string_of(op.value()));
        row.pred.clear();
        for (std::uint32_t p = 0; p < op.pred_count; ++p)
            row.pred.push_back(ref(m_preds[op.pred_begin + p]));
        row.expand = op.expand;
        auto name = m_mark_names.empty() ? m_mark_names.end() : m_mark_names.find(index);
        row.mark_name = name == m_mark_names.end() ? std::nullopt : std::optional<std::string>(name->second);
        encoder.add(row);
    });

    std::vector<std::uint8_t> out;
    write_change_header(out, deps, actors, meta.seq, meta.start_op, meta.time, meta.message);
    write_columns(out, encoder.finish());
    write_bytes(out, meta.extra);
    return out;
}

std::vector<std::uint8_t> OpSet::encode_change_chunk(std::uint32_t change) const
{
    std::vector<std::uint8_t> out;
    auto const& meta = m_changes[change];
    if (!meta.original.empty())
        write_chunk(out, ChunkType::Change, meta.original);
    else
        write_chunk(out, ChunkType::Change, encode_change_body(meta));
    return out;
}

base::Result<void> OpSet::apply_change(ChangeData change, ChangeHash hash, std::span<std::uint8_t const> contents)
{
    if (m_change_lookup.contains(hash))
        return {};
    for (auto const& queued : m_queue)
        if (queued.hash == hash)
            return {};
    bool ready = std::all_of(change.deps.begin(), change.deps.end(),
        [&](auto const& dep) { return m_change_lookup.contains(dep); });
    if (!ready) {
        m_queue.push_back({ std::move(change), hash, std::vector<std::uint8_t>(contents.begin(), contents.end()) });
        return {};
    }
    auto applied = apply_now(change, hash, contents);
    if (applied)
        applied = apply_ready_queue();
    settle_texts(); // whatever was applied, even before an error
    return applied;
}

base::Result<void> OpSet::apply_ready_queue()
{
    bool progress = true;
    while (progress) {
        progress = false;
        for (std::size_t i = 0; i < m_queue.size(); ++i) {
            auto const& deps = m_queue[i].change.deps;
            bool ready = std::all_of(deps.begin(), deps.end(),
                [&](auto const& dep) { return m_change_lookup.contains(dep); });
            if (!ready)
                continue;
            auto entry = std::move(m_queue[i]);
            m_queue.erase(m_queue.begin() + static_cast<std::ptrdiff_t>(i));
            if (!m_change_lookup.contains(entry.hash))
                TRY_VOID(apply_now(entry.change, entry.hash, entry.contents));
            progress = true;
            break;
        }
    }
    return {};
}

base::Result<void> OpSet::check_change(ChangeData const& change, std::vector<std::uint32_t> const& actor_map) const
{
    auto const author = actor_map[0];
    auto const start = change.start_op;
    // An op of this change made before row `row`, or nothing.
    auto earlier = [&](OpRef ref, std::size_t row) -> ChangeOp const* {
        if (ref.actor != 0 || ref.counter < start || ref.counter - start >= row)
            return nullptr;
        return &change.ops[ref.counter - start];
    };
    auto existing = [&](OpRef ref) -> std::uint32_t {
        auto actor = actor_map[ref.actor];
        if (actor >= m_actors.size())
            return none;
        return m_op_index.find({ ref.counter, actor });
    };
    if (author < m_actors.size() && change.seq != m_actor_changes[author].size() + 1)
        return base::error("change has an unexpected sequence number");
    if (author >= m_actors.size() && change.seq != 1)
        return base::error("change has an unexpected sequence number");
    if (start > (std::uint64_t(1) << 62) || change.ops.size() > (std::uint64_t(1) << 32))
        return base::error("change op counter out of range");

    // Every op of an actor belongs to one of its changes, so ids above its last
    // change's maxOp are free without looking.
    bool ids_may_exist = author < m_actors.size() && !m_actor_changes[author].empty()
        && m_changes[m_actor_changes[author].back()].max_op >= start;
    for (std::size_t row = 0; row < change.ops.size(); ++row) {
        auto const& op = change.ops[row];
        if (ids_may_exist && existing({ start + row, 0 }) != none)
            return base::error("change reuses an existing op id");
        if (op.action > 7)
            return base::error("change has an unknown action");
        ObjType type = ObjType::Map;
        if (op.obj.counter != 0) {
            if (auto const* made = earlier(op.obj, row)) {
                if (!is_make_action(made->action))
                    return base::error("operation on something that is not an object");
                type = made->action == 2 ? ObjType::List : made->action == 4 ? ObjType::Text : ObjType::Map;
            } else {
                auto index = existing(op.obj);
                if (index == none || !is_make_action(m_ops[index].action))
                    return base::error("operation on an unknown object");
                type = m_objects[m_ops[index].made_object()].type;
            }
        }
        if (is_sequence(type) == op.map_key)
            return base::error("operation key does not match its object kind");
        if (!op.map_key) {
            if (op.elem.counter == 0 && !op.insert)
                return base::error("update of the list head");
            if (op.elem.counter != 0) {
                auto const* made = earlier(op.elem, row);
                bool ok = made ? (made->insert && made->obj == op.obj)
                               : [&] {
                                     auto index = existing(op.elem);
                                     return index != none && m_ops[index].insert
                                         && m_objects[m_ops[index].obj].make_op == existing(op.obj);
                                 }();
                if (!ok)
                    return base::error("operation refers to an unknown list element");
            }
        } else if (op.insert) {
            return base::error("insert into a map");
        }
        if (op.pred.size() > max_predecessors)
            return base::error("operation with too many predecessors");
        for (auto const& pred : op.pred) {
            bool same_object = false;
            if (auto const* made = earlier(pred, row)) {
                same_object = made->obj == op.obj;
            } else if (auto index = existing(pred); index != none) {
                auto obj = m_objects[m_ops[index].obj].make_op;
                same_object = obj == none ? op.obj.counter == 0 : (op.obj.counter != 0 && obj == existing(op.obj));
            }
            if (!same_object)
                return base::error("operation overwrites an unknown operation");
        }
    }
    return {};
}

base::Result<void> OpSet::apply_now(ChangeData const& change, ChangeHash const& hash, std::span<std::uint8_t const> contents)
{
    std::vector<std::uint32_t> actor_map;
    for (std::size_t i = 0; i < change.actors.size(); ++i) {
        auto found = m_actor_lookup.find(change.actors[i]);
        actor_map.push_back(found == m_actor_lookup.end() ? static_cast<std::uint32_t>(m_actors.size() + i) : found->second);
    }
    TRY_VOID(check_change(change, actor_map));
    for (std::size_t i = 0; i < change.actors.size(); ++i)
        actor_map[i] = intern_actor(change.actors[i]);
    auto resolve = [&](OpRef ref) { return m_op_index.find({ ref.counter, actor_map[ref.actor] }); };

    std::vector<std::uint32_t> preds;
    auto const ops_begin = static_cast<std::uint32_t>(m_change_ops.size());
    for (std::size_t row = 0; row < change.ops.size(); ++row) {
        auto const& in = change.ops[row];
        Op op;
        op.id = { change.start_op + row, actor_map[0] };
        op.obj = in.obj.counter == 0 ? 0 : m_ops[resolve(in.obj)].made_object();
        op.key = in.map_key ? intern_key(in.key) : (in.elem.counter == 0 ? none : resolve(in.elem));
        op.insert = in.insert;
        op.action = in.action;
        op.set_value(pack(in.value));
        op.expand = in.expand;
        preds.clear();
        for (auto const& pred : in.pred)
            preds.push_back(resolve(pred));
        std::sort(preds.begin(), preds.end(), [&](auto a, auto b) { return op_less(m_ops[a].id, m_ops[b].id); });
        auto index = integrate(op, preds);
        m_change_ops.push_back(index);
        if (in.mark_name)
            m_mark_names.emplace(index, *in.mark_name);
    }

    ChangeMeta meta;
    meta.actor = actor_map[0];
    meta.seq = change.seq;
    meta.start_op = change.start_op;
    meta.max_op = change.start_op + change.ops.size() - 1;
    meta.ops_begin = ops_begin;
    meta.ops_count = static_cast<std::uint32_t>(change.ops.size());
    meta.time = change.time;
    meta.message = change.message;
    meta.extra = change.extra;
    meta.hash = hash;
    for (auto const& dep : change.deps)
        meta.deps.push_back(m_change_lookup.at(dep));
    auto encoded = encode_change_body(meta);
    bool same = encoded.size() == contents.size()
        && (contents.empty() || std::memcmp(encoded.data(), contents.data(), contents.size()) == 0);
    if (!same)
        meta.original.assign(contents.begin(), contents.end());
    add_change(std::move(meta));
    return {};
}

} // namespace crdt
