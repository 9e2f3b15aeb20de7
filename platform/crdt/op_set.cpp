#include "crdt/op_set.h"

#include <algorithm>
#include <cstring>

namespace crdt {

OpSet::OpSet(ActorId actor)
    : m_actor(std::move(actor))
{
    add_object(ObjType::Map, none);
}

void OpSet::set_actor(ActorId actor)
{
    m_actor = std::move(actor);
    m_local_actor = none;
}

std::uint32_t OpSet::intern_actor(ActorId const& actor)
{
    if (auto found = m_actor_lookup.find(actor); found != m_actor_lookup.end())
        return found->second;
    auto index = static_cast<std::uint32_t>(m_actors.size());
    m_actors.push_back(actor);
    m_actor_lookup.emplace(actor, index);
    m_actor_changes.emplace_back();
    // Ranks follow actor byte order; existing actors keep their relative order.
    std::vector<std::uint32_t> sorted(m_actors.size());
    for (std::uint32_t i = 0; i < sorted.size(); ++i)
        sorted[i] = i;
    std::sort(sorted.begin(), sorted.end(), [&](auto a, auto b) { return m_actors[a] < m_actors[b]; });
    m_actor_rank.assign(m_actors.size(), 0);
    for (std::uint32_t rank = 0; rank < sorted.size(); ++rank)
        m_actor_rank[sorted[rank]] = rank;
    return index;
}

std::uint32_t OpSet::intern_key(std::string_view key)
{
    if (auto found = m_key_lookup.find(key); found != m_key_lookup.end())
        return found->second;
    auto index = static_cast<std::uint32_t>(m_keys.size());
    m_keys.emplace_back(key);
    m_key_lookup.emplace(m_keys.back(), index);
    return index;
}

bool OpSet::op_less(OpId a, OpId b) const
{
    if (a.counter != b.counter)
        return a.counter < b.counter;
    return m_actor_rank[a.actor] < m_actor_rank[b.actor];
}

std::uint32_t OpSet::add_object(ObjType type, std::uint32_t make_op)
{
    Object object(&m_object_memory);
    object.type = type;
    object.make_op = make_op;
    if (make_op != none)
        object.id = m_ops[make_op].id;
    m_objects.push_back(std::move(object));
    return static_cast<std::uint32_t>(m_objects.size() - 1);
}

std::optional<std::uint32_t> OpSet::find_object(ObjId const& id) const
{
    if (id.is_root())
        return 0;
    if (id.hint() < m_objects.size()) {
        auto const& object = m_objects[id.hint()];
        if (object.make_op != none && object.id.counter == id.counter() && m_actors[object.id.actor] == id.actor())
            return id.hint();
    }
    // Documents have a handful of actors: comparing is cheaper than hashing.
    std::uint32_t actor = none;
    if (m_actors.size() <= 8) {
        for (std::uint32_t i = 0; i < m_actors.size(); ++i)
            if (m_actors[i] == id.actor())
                actor = i;
    } else if (auto found = m_actor_lookup.find(id.actor()); found != m_actor_lookup.end()) {
        actor = found->second;
    }
    if (actor == none)
        return std::nullopt;
    auto op = m_op_index.find({ id.counter(), actor });
    if (op == none || !is_make_action(m_ops[op].action))
        return std::nullopt;
    return m_ops[op].made_object();
}

ObjId OpSet::object_id(std::uint32_t object) const
{
    auto const& record = m_objects[object];
    if (record.make_op == none)
        return ROOT;
    return ObjId(record.id.counter, m_actors[record.id.actor], object);
}

PackedValue OpSet::pack(RawValue const& raw)
{
    PackedValue packed;
    packed.type = raw.type;
    packed.length = static_cast<std::uint32_t>(raw.bytes.size());
    if (raw.bytes.size() <= 8) {
        std::memcpy(&packed.payload, raw.bytes.data(), raw.bytes.size());
    } else {
        packed.payload = m_arena.size();
        m_arena.append(raw.bytes);
    }
    return packed;
}

PackedValue OpSet::pack(ScalarValue const& value) { return pack(to_raw(value)); }

std::string_view OpSet::string_of(PackedValue const& value) const
{
    if (value.in_arena())
        return std::string_view(m_arena).substr(value.payload, value.length);
    return std::string_view(reinterpret_cast<char const*>(&value.payload), value.length);
}

RawValue OpSet::unpack(PackedValue const& value) const
{
    return { value.type, std::string(string_of(value)) };
}

std::int64_t OpSet::counter_value(std::uint32_t op) const
{
    auto found = m_increments.find(op);
    return found == m_increments.end() ? 0 : found->second;
}

Value OpSet::value_of(std::uint32_t index) const
{
    auto const& op = m_ops[index];
    return decode_value(index, op.value(), op.action);
}

Value OpSet::value_of(Object::MapEntry const& entry) const { return decode_value(entry.op, entry.value(), entry.action); }

Value OpSet::decode_value(std::uint32_t op, PackedValue value, std::uint8_t action) const
{
    if (is_make_action(action)) {
        auto const made = static_cast<std::uint32_t>(value.payload);
        auto const& object = m_objects[made];
        return ObjectRef{ ObjId(object.id.counter, m_actors[object.id.actor], made), object.type };
    }
    return decode_scalar(op, value);
}

ScalarValue OpSet::decode_scalar(std::uint32_t op, PackedValue value) const
{
    auto scalar = to_scalar(value.type, string_of(value));
    if (auto* counter = std::get_if<Counter>(&scalar))
        counter->value += counter_value(op);
    return scalar;
}

Object::MapEntry OpSet::map_entry(std::uint32_t index) const
{
    auto const& op = m_ops[index];
    return { op.key, index, op.value_payload, op.value_length, op.value_type, op.action, is_visible(op) };
}

void OpSet::refresh_map_entry(std::uint32_t op)
{
    auto const& record = m_ops[op];
    auto& object = m_objects[record.obj];
    if (object.is_sequence())
        return;
    auto [first, last] = key_range(record.obj, m_keys[record.key]);
    for (auto i = first; i < last; ++i)
        if (object.map_ops[i].op == op)
            object.map_ops[i].visible = is_visible(record);
}

std::pair<std::size_t, std::size_t> OpSet::key_range(std::uint32_t object, std::string_view key) const
{
    auto const& entries = m_objects[object].map_ops;
    auto first = std::lower_bound(entries.begin(), entries.end(), key,
        [&](Object::MapEntry e, std::string_view wanted) { return m_keys[e.key] < wanted; });
    auto last = first;
    if (last != entries.end() && m_keys[last->key] == key) {
        auto const index = last->key;
        while (last != entries.end() && last->key == index)
            ++last;
    }
    return { std::size_t(first - entries.begin()), std::size_t(last - entries.begin()) };
}

std::vector<std::uint32_t> OpSet::visible_at_key(std::uint32_t object, std::string_view key) const
{
    std::vector<std::uint32_t> out;
    auto [first, last] = key_range(object, key);
    for (auto i = first; i < last; ++i) {
        auto const& entry = m_objects[object].map_ops[i];
        if (entry.visible)
            out.push_back(entry.op);
    }
    return out;
}

std::vector<std::uint32_t> OpSet::visible_at_element(std::uint32_t elem) const
{
    std::vector<std::uint32_t> out;
    if (is_visible(m_ops[elem]))
        out.push_back(elem);
    if (auto extra = m_elem_ops.find(elem); extra != m_elem_ops.end())
        for (auto op : extra->second)
            if (is_visible(m_ops[op]))
                out.push_back(op);
    std::sort(out.begin(), out.end(), [&](auto a, auto b) { return op_less(m_ops[a].id, m_ops[b].id); });
    return out;
}

Object::MapEntry const* OpSet::winner_entry_at_key(std::uint32_t object, std::string_view key) const
{
    auto [first, last] = key_range(object, key);
    auto const& entries = m_objects[object].map_ops;
    // Sorted by op id: the last visible one wins.
    for (auto i = last; i > first; --i)
        if (entries[i - 1].visible)
            return &entries[i - 1];
    return nullptr;
}


std::uint32_t OpSet::winner_among_element_ops(std::uint32_t elem) const
{
    std::uint32_t winner = is_visible(m_ops[elem]) ? elem : none;
    if (auto extra = m_elem_ops.find(elem); extra != m_elem_ops.end())
        for (auto op : extra->second)
            if (is_visible(m_ops[op]) && (winner == none || op_less(m_ops[winner].id, m_ops[op].id)))
                winner = op;
    return winner;
}

std::optional<std::uint32_t> OpSet::element_at(std::uint32_t object, std::size_t index)
{
    auto& seq = m_objects[object].seq;
    if (!seq)
        return std::nullopt;
    auto position = seq->find_visible(index);
    if (!position)
        return std::nullopt;
    return seq->element(*position);
}

std::vector<std::string> OpSet::keys(std::uint32_t object) const
{
    std::vector<std::string> out;
    auto const& obj = m_objects[object];
    std::uint32_t last = none;
    for (auto entry : obj.map_ops) {
        if (entry.key != last && entry.visible) {
            last = entry.key;
            out.push_back(m_keys[last]);
        }
    }
    return out;
}

std::size_t OpSet::length(std::uint32_t object) const
{
    auto const& obj = m_objects[object];
    if (obj.is_sequence())
        return obj.seq ? obj.seq->visible_count() : 0;
    std::size_t count = 0;
    std::uint32_t last = none;
    for (auto entry : obj.map_ops) {
        if (entry.key != last && entry.visible) {
            last = entry.key;
            ++count;
        }
    }
    return count;
}

std::string OpSet::text(std::uint32_t object) const
{
    auto const& seq = m_objects[object].seq;
    if (!seq)
        return {};
    if (auto const* cached = seq->cached_text())
        return std::string(*cached);
    return spell_text(object);
}

void OpSet::settle_texts()
{
    // Caching means spelling the whole text again after every change to it:
    // cheap for messages, quadratic for typing into a long document.
    constexpr std::size_t longest_settled = 1024; // characters
    for (auto object : m_unsettled_texts) {
        auto& seq = *m_objects[object].seq;
        if (seq.visible_count() <= longest_settled)
            seq.set_cached_text(spell_text(object));
        else
            seq.unqueue_text();
    }
    m_unsettled_texts.clear();
}

std::string OpSet::spell_text(std::uint32_t object) const
{
    std::string out;
    auto const& obj = m_objects[object];
    out.reserve(obj.seq->visible_count()); // at least a byte per character
    obj.seq->for_each([&](std::uint32_t elem, bool visible) {
        if (!visible)
            return;
        auto const& op = m_ops[winner_at_element(elem)];
        if (op.value_type == Vstring)
            out.append(string_of(op.value()));
    });
    return out;
}

std::uint32_t OpSet::element_of(std::uint32_t op) const
{
    return m_ops[op].insert ? op : m_ops[op].key;
}

void OpSet::refresh_element(std::uint32_t object, std::uint32_t elem)
{
    auto const& op = m_ops[elem];
    if (op.action == std::uint8_t(Action::Mark))
        return;
    bool visible = is_visible(op);
    if (!visible) {
        if (auto extra = m_elem_ops.find(elem); extra != m_elem_ops.end())
            for (auto other : extra->second)
                visible = visible || is_visible(m_ops[other]);
    }
    m_objects[object].seq->set_visible(m_ops, elem, visible);
}

Sequence& OpSet::sequence_of(Object& object)
{
    if (!object.seq)
        object.seq.reset(std::pmr::polymorphic_allocator<Sequence>(&m_object_memory).new_object<Sequence>(&m_object_memory));
    return *object.seq;
}

void OpSet::place_in_sequence(Object& object, std::uint32_t index)
{
    auto& seq = sequence_of(object);
    auto const id = m_ops[index].id;
    auto ref = m_ops[index].key;
    auto at = ref == none ? seq.begin() : seq.next(seq.position_of(m_ops, ref));
    // Skip later elements with greater ids: they were inserted concurrently or
    // after and sort before us.
    while (!seq.at_end(at) && op_less(id, m_ops[seq.element(at)].id))
        at = seq.next(at);
    seq.insert(m_ops, at, index, is_visible(m_ops[index]));
}

std::uint32_t OpSet::integrate(Op op, std::span<std::uint32_t const> preds)
{
    auto index = static_cast<std::uint32_t>(m_ops.size());
    op.pred_begin = static_cast<std::uint32_t>(m_preds.size());
    op.pred_count = static_cast<std::uint16_t>(preds.size());
    m_preds.insert(m_preds.end(), preds.begin(), preds.end());
    m_pred_owner.insert(m_pred_owner.end(), preds.size(), op.id);
    m_max_op = std::max<std::uint64_t>(m_max_op, std::uint64_t{ op.id.counter });
    bool increment = op.action == std::uint8_t(Action::Increment);
    std::int64_t by = 0;
    if (increment) {
        auto raw = to_scalar(unpack(op.value()));
        if (auto* i = std::get_if<std::int64_t>(&raw))
            by = *i;
        else if (auto* u = std::get_if<std::uint64_t>(&raw))
            by = static_cast<std::int64_t>(*u);
    }
    m_ops.push_back(op);
    (void)m_op_index.insert(index); // ids are checked unique before ops get here
    for (auto pred : preds) {
        if (increment) {
            m_increments[pred] += by;
        } else {
            m_ops[pred].add_successor();
            refresh_map_entry(pred);
        }
    }
    if (is_make_action(op.action))
        m_ops[index].value_payload = add_object(made_object_type(op.action), index);

    auto object_index = op.obj;
    auto& object = m_objects[object_index];
    if (!object.is_sequence()) {
        if (op.action != std::uint8_t(Action::Delete)) {
            auto [first, last] = key_range(object_index, m_keys[op.key]);
            auto at = object.map_ops.begin() + static_cast<std::ptrdiff_t>(first);
            auto end = object.map_ops.begin() + static_cast<std::ptrdiff_t>(last);
            while (at != end && op_less(m_ops[at->op].id, op.id))
                ++at;
            object.map_ops.insert(at, map_entry(index));
        }
        return index;
    }
    if (op.insert) {
        place_in_sequence(object, index);
    } else {
        if (op.action != std::uint8_t(Action::Delete))
            m_elem_ops[op.key].push_back(index);
        refresh_element(object_index, op.key);
    }
    for (auto pred : preds)
        if (element_of(pred) != element_of(index))
            refresh_element(object_index, element_of(pred));
    if (object.type == ObjType::Text && object.seq && object.seq->drop_cached_text())
        m_unsettled_texts.push_back(object_index);
    return index;
}

std::uint32_t OpSet::local_op(std::uint32_t object, std::uint32_t key, bool insert, Action action, PackedValue value,
                              std::vector<std::uint32_t> const& pred)
{
    if (m_local_actor == none)
        m_local_actor = intern_actor(m_actor);
    if (m_pending_ops == 0) {
        m_pending_start = m_max_op + 1;
        m_pending_first = static_cast<std::uint32_t>(m_ops.size());
    }
    Op op;
    op.id = { m_max_op + 1, m_local_actor };
    op.obj = object;
    op.key = key;
    op.insert = insert;
    op.action = static_cast<std::uint8_t>(action);
    op.set_value(value);
    std::vector<std::uint32_t> sorted = pred;
    std::sort(sorted.begin(), sorted.end(), [&](auto a, auto b) { return op_less(m_ops[a].id, m_ops[b].id); });
    ++m_pending_ops;
    return integrate(op, sorted);
}

} // namespace crdt
