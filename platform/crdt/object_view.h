#pragma once

// Borrowed, read-only looks into a Document for reading many objects fast: a
// view names an object by where the document keeps it, so nested objects need
// no lookup by id, and values are decoded only when asked for (strings point
// into the document). A view and everything it hands out are valid until the
// document next changes.

#include "base/function_ref.h"
#include "crdt/types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace crdt {

class OpSet;
class ValueView;

class ObjectView {
public:
    ObjectView() = default; // a view of nothing

    explicit operator bool() const { return m_ops != nullptr; }
    ObjType type() const { return m_type; }
    ObjId id() const;
    // The object holding this one; a view of nothing for the root.
    ObjectView parent() const;
    // Map keys, list elements or text characters; 0 for a view of nothing.
    std::size_t length() const;
    // Maps: every key with its visible value, ascending (nothing otherwise).
    void for_each_entry(base::FunctionRef<void(std::string_view key, ValueView const& value)> visit) const;
    // Lists and text: every visible element, in order (nothing otherwise).
    void for_each_element(base::FunctionRef<void(ValueView const& value)> visit) const;
    // The content of a text object; nothing for other objects.
    std::optional<std::string> text() const;

private:
    friend class Document;
    friend class ValueView;
    ObjectView(OpSet const* ops, std::uint32_t object, ObjType type) : m_ops(ops), m_object(object), m_type(type) {}

    OpSet const* m_ops = nullptr;
    std::uint32_t m_object = 0;
    ObjType m_type = ObjType::Map;
};

// One stored value: a scalar or a nested object.
class ValueView {
public:
    // Make ops (map, list, text, table) hold objects.
    bool is_object() const { return m_action == 0 || m_action == 2 || m_action == 4 || m_action == 6; }
    // The nested object; a view of nothing for a scalar.
    ObjectView object() const;
    // The characters of a string value; nothing for other values.
    std::optional<std::string_view> string() const;
    // Decoded; Null for an object.
    ScalarValue scalar() const;
    Value value() const;

private:
    friend class ObjectView;
    ValueView(OpSet const* ops, std::uint32_t op, std::uint64_t const* payload, std::uint32_t length,
              std::uint8_t type, std::uint8_t action)
        : m_ops(ops), m_op(op), m_payload(payload), m_length(length), m_type(type), m_action(action) {}

    OpSet const* m_ops;
    std::uint32_t m_op;
    // The stored packed value (short strings live in it); for an object, where it is kept.
    std::uint64_t const* m_payload;
    std::uint32_t m_length;
    std::uint8_t m_type;
    std::uint8_t m_action;
};

} // namespace crdt
