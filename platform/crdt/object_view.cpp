#include "crdt/object_view.h"

#include "crdt/op_set.h"

#include <algorithm>
#include <vector>

namespace crdt {

// Elements' ops, the objects they made and what those hold are scattered
// through memory, and a reader of a list of objects nearly always reads each
// object next: ask for that storage a few elements ahead, one level deeper
// each step closer, so the waits overlap instead of adding up.
class ListPrefetcher {
public:
    [[gnu::always_inline]] ListPrefetcher(OpSet const& ops, std::vector<std::uint32_t> const& elements)
        : m_set(ops), m_elements(elements)
    {
        for (std::size_t i = 0; i < std::min(elements.size(), op_distance); ++i)
            __builtin_prefetch(&m_set.m_ops[elements[i]]);
    }

    // Before element i is read. Inlined by force: GCC takes a function that
    // only prefetches for one without effects and drops the call.
    [[gnu::always_inline]] void before(std::size_t i)
    {
        auto const count = m_elements.size();
        if (i + op_distance < count)
            __builtin_prefetch(&m_set.m_ops[m_elements[i + op_distance]]);
        if (auto const* object = made(i + object_distance)) {
            // Objects made together (a map and the objects inside it) sit together.
            auto const* first = reinterpret_cast<char const*>(object);
            for (std::size_t offset = 0; offset < (1 + neighbours) * sizeof(Object); offset += 64)
                __builtin_prefetch(first + offset);
        }
        if (auto const* object = made(i + entries_distance)) {
            auto const* entries = reinterpret_cast<char const*>(object->map_ops.data());
            auto const bytes = object->map_ops.size() * sizeof(Object::MapEntry);
            for (std::size_t offset = 0; offset < bytes; offset += 64)
                __builtin_prefetch(entries + offset);
        }
        if (auto const* object = made(i + values_distance)) {
            for (auto const& entry : object->map_ops) {
                if (is_make_action(entry.action)) {
                    if (auto const& seq = m_set.m_objects[entry.payload].seq)
                        __builtin_prefetch(seq.get());
                } else if (entry.value().in_arena()) {
                    __builtin_prefetch(m_set.m_arena.data() + entry.payload);
                }
            }
        }
        if (auto const* object = made(i + texts_distance)) {
            for (auto const& entry : object->map_ops) {
                if (!is_make_action(entry.action))
                    continue;
                if (auto const& seq = m_set.m_objects[entry.payload].seq)
                    if (auto const* text = seq->cached_text())
                        __builtin_prefetch(text->data());
            }
        }
    }

private:
    static constexpr std::size_t op_distance = 16;
    static constexpr std::size_t object_distance = 8;
    static constexpr std::size_t entries_distance = 4;
    static constexpr std::size_t values_distance = 2;
    static constexpr std::size_t texts_distance = 1;
    static constexpr std::size_t neighbours = 4;

    [[gnu::always_inline]] Object const* made(std::size_t i) const
    {
        if (i >= m_elements.size())
            return nullptr;
        auto const& op = m_set.m_ops[m_elements[i]];
        return is_make_action(op.action) ? &m_set.m_objects[op.made_object()] : nullptr;
    }

    OpSet const& m_set;
    std::vector<std::uint32_t> const& m_elements;
};

ObjId ObjectView::id() const { return m_ops ? m_ops->object_id(m_object) : ROOT; }

ObjectView ObjectView::parent() const
{
    if (!m_ops)
        return {};
    auto const make = m_ops->object(m_object).make_op;
    if (make == none)
        return {};
    auto const holder = m_ops->m_ops[make].obj;
    return ObjectView(m_ops, holder, m_ops->object(holder).type);
}

std::size_t ObjectView::length() const { return m_ops ? m_ops->length(m_object) : 0; }

void ObjectView::for_each_entry(base::FunctionRef<void(std::string_view, ValueView const&)> visit) const
{
    if (!m_ops || is_sequence(m_type))
        return;
    m_ops->for_each_key_winner(m_object, [&](std::string_view key, Object::MapEntry const& entry) {
        visit(key, ValueView(m_ops, entry.op, &entry.payload, entry.length, entry.type, entry.action));
    });
}

void ObjectView::for_each_element(base::FunctionRef<void(ValueView const&)> visit) const
{
    if (!m_ops || !is_sequence(m_type) || !m_ops->object(m_object).seq)
        return;
    auto const& ops = m_ops->m_ops;
    auto const visit_op = [&](std::uint32_t index) {
        auto const& op = ops[index];
        visit(ValueView(m_ops, index, &op.value_payload, op.value_length, op.value_type, op.action));
    };
    // Short lists (a message's reactions) are read as they are walked: asking
    // ahead pays only over many elements.
    constexpr std::size_t short_list = 16;
    if (m_ops->object(m_object).seq->visible_count() <= short_list) {
        m_ops->for_each_element_winner(m_object, visit_op);
        return;
    }
    std::vector<std::uint32_t> winners;
    winners.reserve(m_ops->object(m_object).seq->visible_count());
    m_ops->for_each_element_winner(m_object, [&](std::uint32_t op) { winners.push_back(op); });
    ListPrefetcher ahead(*m_ops, winners);
    for (std::size_t i = 0; i < winners.size(); ++i) {
        ahead.before(i);
        visit_op(winners[i]);
    }
}

std::optional<std::string> ObjectView::text() const
{
    if (!m_ops || m_type != ObjType::Text)
        return std::nullopt;
    return m_ops->text(m_object);
}

ObjectView ValueView::object() const
{
    if (!is_object())
        return {};
    return ObjectView(m_ops, static_cast<std::uint32_t>(*m_payload), made_object_type(m_action));
}

std::optional<std::string_view> ValueView::string() const
{
    if (is_object() || m_type != Vstring)
        return std::nullopt;
    PackedValue const stored{ *m_payload, m_length, m_type };
    if (stored.in_arena())
        return m_ops->string_of(stored);
    return std::string_view(reinterpret_cast<char const*>(m_payload), m_length);
}

ScalarValue ValueView::scalar() const
{
    if (is_object())
        return Null{};
    return m_ops->decode_scalar(m_op, PackedValue{ *m_payload, m_length, m_type });
}

Value ValueView::value() const
{
    return m_ops->decode_value(m_op, PackedValue{ *m_payload, m_length, m_type }, m_action);
}

} // namespace crdt
