// The write half of Document: every write becomes ops in the open transaction.

#include "crdt/document.h"
#include "crdt/op_set.h"
#include "crdt/utf8.h"

namespace crdt {

namespace {

Action make_action(ObjType type)
{
    switch (type) {
    case ObjType::Map: return Action::MakeMap;
    case ObjType::List: return Action::MakeList;
    case ObjType::Text: return Action::MakeText;
    case ObjType::Table: return Action::MakeTable;
    }
    return Action::MakeMap;
}

base::Result<std::uint32_t> map_object(OpSet const& ops, ObjId const& obj)
{
    auto index = ops.find_object(obj);
    if (!index)
        return base::error("no object " + obj.to_string());
    if (is_sequence(ops.object(*index).type))
        return base::error("object " + obj.to_string() + " is not a map");
    return *index;
}

base::Result<std::uint32_t> sequence_object(OpSet const& ops, ObjId const& obj)
{
    auto index = ops.find_object(obj);
    if (!index)
        return base::error("no object " + obj.to_string());
    if (!is_sequence(ops.object(*index).type))
        return base::error("object " + obj.to_string() + " is not a list or text");
    return *index;
}

base::Error out_of_range(std::size_t index, std::size_t length)
{
    return base::error("index " + std::to_string(index) + " is past the end (length " + std::to_string(length) + ")");
}

// Ops at a key or element that hold a counter.
std::vector<std::uint32_t> counters_among(OpSet const& ops, std::vector<std::uint32_t> const& visible)
{
    std::vector<std::uint32_t> out;
    for (auto op : visible) {
        auto value = ops.value_of(op);
        if (auto* scalar = std::get_if<ScalarValue>(&value); scalar && std::holds_alternative<Counter>(*scalar))
            out.push_back(op);
    }
    return out;
}

// Writing the value a key already holds, unconflicted, makes no op (as in Automerge).
bool unchanged(OpSet const& ops, std::vector<std::uint32_t> const& visible, ScalarValue const& value)
{
    if (visible.size() != 1)
        return false;
    auto current = ops.value_of(visible.front());
    auto const* scalar = std::get_if<ScalarValue>(&current);
    return scalar && to_raw(*scalar) == to_raw(value);
}

ObjId made_object(OpSet const& ops, std::uint32_t op)
{
    return std::get<ObjectRef>(ops.value_of(op)).id;
}

} // namespace

base::Result<void> Document::put(ObjId const& obj, std::string_view key, ScalarValue value)
{
    auto object = map_object(*m_ops, obj);
    if (!object)
        return std::move(object).take_error();
    auto pred = m_ops->visible_at_key(*object, key);
    if (unchanged(*m_ops, pred, value))
        return {};
    m_ops->local_op(*object, m_ops->intern_key(key), false, Action::Set, m_ops->pack(value), pred);
    return {};
}

base::Result<ObjId> Document::put_object(ObjId const& obj, std::string_view key, ObjType type)
{
    auto object = map_object(*m_ops, obj);
    if (!object)
        return std::move(object).take_error();
    auto pred = m_ops->visible_at_key(*object, key);
    auto op = m_ops->local_op(*object, m_ops->intern_key(key), false, make_action(type), {}, pred);
    return made_object(*m_ops, op);
}

base::Result<void> Document::put(ObjId const& obj, std::size_t index, ScalarValue value)
{
    auto object = sequence_object(*m_ops, obj);
    if (!object)
        return std::move(object).take_error();
    auto elem = m_ops->element_at(*object, index);
    if (!elem)
        return out_of_range(index, m_ops->length(*object));
    auto pred = m_ops->visible_at_element(*elem);
    if (unchanged(*m_ops, pred, value))
        return {};
    m_ops->local_op(*object, *elem, false, Action::Set, m_ops->pack(value), pred);
    return {};
}

base::Result<ObjId> Document::put_object(ObjId const& obj, std::size_t index, ObjType type)
{
    auto object = sequence_object(*m_ops, obj);
    if (!object)
        return std::move(object).take_error();
    auto elem = m_ops->element_at(*object, index);
    if (!elem)
        return out_of_range(index, m_ops->length(*object));
    auto op = m_ops->local_op(*object, *elem, false, make_action(type), {}, m_ops->visible_at_element(*elem));
    return made_object(*m_ops, op);
}

namespace {

// The element a new one at `index` goes after: none for the head.
base::Result<std::uint32_t> insert_reference(OpSet& ops, std::uint32_t object, std::size_t index)
{
    auto length = ops.length(object);
    if (index > length)
        return out_of_range(index, length);
    if (index == 0)
        return none;
    return *ops.element_at(object, index - 1);
}

} // namespace

base::Result<void> Document::insert(ObjId const& obj, std::size_t index, ScalarValue value)
{
    auto object = sequence_object(*m_ops, obj);
    if (!object)
        return std::move(object).take_error();
    auto ref = insert_reference(*m_ops, *object, index);
    if (!ref)
        return std::move(ref).take_error();
    m_ops->local_op(*object, *ref, true, Action::Set, m_ops->pack(value), {});
    return {};
}

base::Result<ObjId> Document::insert_object(ObjId const& obj, std::size_t index, ObjType type)
{
    auto object = sequence_object(*m_ops, obj);
    if (!object)
        return std::move(object).take_error();
    auto ref = insert_reference(*m_ops, *object, index);
    if (!ref)
        return std::move(ref).take_error();
    auto op = m_ops->local_op(*object, *ref, true, make_action(type), {}, {});
    return made_object(*m_ops, op);
}

base::Result<void> Document::delete_key(ObjId const& obj, std::string_view key)
{
    auto object = map_object(*m_ops, obj);
    if (!object)
        return std::move(object).take_error();
    auto pred = m_ops->visible_at_key(*object, key);
    if (pred.empty())
        return {}; // nothing to delete; Automerge makes no op either
    m_ops->local_op(*object, m_ops->intern_key(key), false, Action::Delete, {}, pred);
    return {};
}

base::Result<void> Document::delete_index(ObjId const& obj, std::size_t index)
{
    auto object = sequence_object(*m_ops, obj);
    if (!object)
        return std::move(object).take_error();
    auto elem = m_ops->element_at(*object, index);
    if (!elem)
        return out_of_range(index, m_ops->length(*object));
    m_ops->local_op(*object, *elem, false, Action::Delete, {}, m_ops->visible_at_element(*elem));
    return {};
}

namespace {

// Splices as Automerge does: the new elements go in first, after the element
// before `pos`; then the `del` elements that followed it are deleted. The op
// order decides op ids, and so change hashes and later conflict winners.
template <typename MakeValue>
base::Result<void> splice_elements(OpSet& ops, std::uint32_t object, std::size_t pos, std::size_t del, std::size_t count,
                                   MakeValue&& value_at)
{
    auto length = ops.length(object);
    if (pos > length || del > length - pos)
        return base::error("splice range " + std::to_string(pos) + "+" + std::to_string(del)
            + " is past the end (length " + std::to_string(length) + ")");
    std::vector<std::uint32_t> doomed;
    doomed.reserve(del);
    for (std::size_t i = 0; i < del; ++i)
        doomed.push_back(*ops.element_at(object, pos + i));
    auto previous = pos == 0 ? none : *ops.element_at(object, pos - 1);
    for (std::size_t i = 0; i < count; ++i)
        previous = ops.local_op(object, previous, true, Action::Set, value_at(i), {});
    for (auto elem : doomed)
        ops.local_op(object, elem, false, Action::Delete, {}, ops.visible_at_element(elem));
    return {};
}

} // namespace

base::Result<void> Document::splice_text(ObjId const& obj, std::size_t pos, std::size_t del, std::string_view text)
{
    auto object = sequence_object(*m_ops, obj);
    if (!object)
        return std::move(object).take_error();
    if (m_ops->object(*object).type != ObjType::Text)
        return base::error("object " + obj.to_string() + " is not text");
    auto chars = split_code_points(text);
    if (!chars)
        return base::error("text to insert is not valid UTF-8");
    return splice_elements(*m_ops, *object, pos, del, chars->size(),
        [&](std::size_t i) { return m_ops->pack(RawValue{ Vstring, std::string((*chars)[i]) }); });
}

base::Result<void> Document::splice(ObjId const& obj, std::size_t pos, std::size_t del, std::span<ScalarValue const> values)
{
    auto object = sequence_object(*m_ops, obj);
    if (!object)
        return std::move(object).take_error();
    return splice_elements(*m_ops, *object, pos, del, values.size(), [&](std::size_t i) { return m_ops->pack(values[i]); });
}

base::Result<void> Document::increment(ObjId const& obj, std::string_view key, std::int64_t by)
{
    auto object = map_object(*m_ops, obj);
    if (!object)
        return std::move(object).take_error();
    auto pred = counters_among(*m_ops, m_ops->visible_at_key(*object, key));
    if (pred.empty())
        return base::error("no counter at key \"" + std::string(key) + "\"");
    m_ops->local_op(*object, m_ops->intern_key(key), false, Action::Increment, m_ops->pack(ScalarValue(by)), pred);
    return {};
}

base::Result<void> Document::increment(ObjId const& obj, std::size_t index, std::int64_t by)
{
    auto object = sequence_object(*m_ops, obj);
    if (!object)
        return std::move(object).take_error();
    auto elem = m_ops->element_at(*object, index);
    if (!elem)
        return out_of_range(index, m_ops->length(*object));
    auto pred = counters_among(*m_ops, m_ops->visible_at_element(*elem));
    if (pred.empty())
        return base::error("no counter at index " + std::to_string(index));
    m_ops->local_op(*object, *elem, false, Action::Increment, m_ops->pack(ScalarValue(by)), pred);
    return {};
}

} // namespace crdt
