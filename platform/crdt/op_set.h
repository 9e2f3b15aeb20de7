#pragma once

// The document state: every operation ever applied, the objects they build, and the
// change history. Document is a thin handle over this.

#include "base/result.h"
#include "crdt/change.h"
#include "crdt/extra_columns.h"
#include "crdt/huge_pages.h"
#include "crdt/op.h"
#include "crdt/op_columns.h"
#include "crdt/op_id_map.h"
#include "crdt/sequence.h"
#include "crdt/types.h"

#include <deque>
#include <memory>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace crdt {

inline bool is_sequence(ObjType type) { return type == ObjType::List || type == ObjType::Text; }

// The kind of object a make op makes.
inline ObjType made_object_type(std::uint8_t action)
{
    switch (static_cast<Action>(action)) {
    case Action::MakeList: return ObjType::List;
    case Action::MakeText: return ObjType::Text;
    case Action::MakeTable: return ObjType::Table;
    default: return ObjType::Map;
    }
}

// Sequences live in their owner's memory resource and return to it.
struct SequenceDelete {
    void operator()(Sequence* sequence) const
    {
        std::pmr::polymorphic_allocator<Sequence>(sequence->memory()).delete_object(sequence);
    }
};

struct Object {
    explicit Object(std::pmr::memory_resource* memory) : map_ops(memory) {}

    ObjType type = ObjType::Map;
    std::uint32_t make_op = none;        // none for the root
    OpId id;                             // the make op's id, here so lookups by id stay in this record
    // Maps: ops sorted by (key, op id), deletes excluded. Each entry copies its
    // op's key, value and visibility, so reading a map touches no op: a map's
    // entries are one array, its ops are scattered across the op table.
    struct MapEntry {
        std::uint32_t key = 0;
        std::uint32_t op = 0;
        std::uint64_t payload = 0; // as Op::value_payload
        std::uint32_t length = 0;
        std::uint8_t type = 0;
        std::uint8_t action = 0;
        bool visible = false;

        PackedValue value() const { return { payload, length, type }; }
    };
    std::pmr::vector<MapEntry> map_ops;
    std::unique_ptr<Sequence, SequenceDelete> seq; // lists and text, made at the first insert

    bool is_sequence() const { return type == ObjType::List || type == ObjType::Text; }
};

struct ChangeMeta {
    std::uint32_t actor = 0;
    std::uint64_t seq = 0;
    std::uint64_t start_op = 0;
    std::uint64_t max_op = 0;
    std::int64_t time = 0;
    std::optional<std::string> message;
    std::vector<std::uint32_t> deps; // change indices, in the order of their hashes
    ChangeHash hash;
    std::vector<std::uint8_t> extra;
    // The received bytes, kept only when re-encoding would not reproduce them.
    std::vector<std::uint8_t> original;
    // This change's ops, in counter order: m_change_ops[ops_begin, ops_begin + ops_count).
    std::uint32_t ops_begin = 0;
    std::uint32_t ops_count = 0;
};

class OpSet {
public:
    explicit OpSet(ActorId actor);

    // Identity and tables.
    ActorId const& actor() const { return m_actor; }
    void set_actor(ActorId actor);
    std::uint32_t intern_actor(ActorId const& actor);
    std::uint32_t intern_key(std::string_view key);
    bool op_less(OpId a, OpId b) const;

    // Objects and reads.
    std::optional<std::uint32_t> find_object(ObjId const& id) const;
    ObjId object_id(std::uint32_t object) const;
    Object const& object(std::uint32_t index) const { return m_objects[index]; }
    std::pair<std::size_t, std::size_t> key_range(std::uint32_t object, std::string_view key) const;
    std::vector<std::uint32_t> visible_at_key(std::uint32_t object, std::string_view key) const;
    std::vector<std::uint32_t> visible_at_element(std::uint32_t elem) const;
    std::uint32_t winner_at_element(std::uint32_t elem) const
    {
        // Inline: whole-text reads call this per character, and most documents
        // never overwrite a sequence element.
        if (m_elem_ops.empty())
            return is_visible(m_ops[elem]) ? elem : none;
        return winner_among_element_ops(elem);
    }
    std::optional<std::uint32_t> element_at(std::uint32_t object, std::size_t index);
    Value value_of(std::uint32_t op) const;
    Value value_of(Object::MapEntry const& entry) const;
    // The value an op holds (for a make op: the object it made).
    Value decode_value(std::uint32_t op, PackedValue value, std::uint8_t action) const;
    ScalarValue decode_scalar(std::uint32_t op, PackedValue value) const;
    std::string_view string_of(PackedValue const& value) const;
    // The entry of the visible value with the greatest op id, or nothing.
    Object::MapEntry const* winner_entry_at_key(std::uint32_t object, std::string_view key) const;
    std::vector<std::string> keys(std::uint32_t object) const;
    std::size_t length(std::uint32_t object) const;
    std::string text(std::uint32_t object) const;
    // Caches the content of every short text edited since the last call.
    void settle_texts();
    bool is_visible(Op const& op) const
    {
        if (op.succ_count != 0)
            return false;
        auto const action = static_cast<Action>(op.action);
        return action != Action::Delete && action != Action::Increment && action != Action::Mark;
    }
    // One pass over a map: f(key, winner entry) for every key with a visible
    // value, in ascending key order.
    template <typename F>
    void for_each_key_winner(std::uint32_t object, F&& f) const
    {
        auto const& entries = m_objects[object].map_ops;
        for (std::size_t i = 0; i < entries.size();) {
            auto const key = entries[i].key;
            Object::MapEntry const* winner = nullptr;
            // Entries of a key are in op id order: the last visible one wins.
            for (; i < entries.size() && entries[i].key == key; ++i)
                if (entries[i].visible)
                    winner = &entries[i];
            if (winner)
                f(std::string_view(m_keys[key]), *winner);
        }
    }
    // One pass over a list or text: f(winner op) for every visible element, in order.
    template <typename F>
    void for_each_element_winner(std::uint32_t object, F&& f) const
    {
        auto const& seq = m_objects[object].seq;
        if (!seq)
            return;
        seq->for_each([&](std::uint32_t elem, bool visible) {
            if (!visible)
                return;
            // Without overwrites, a visible element is its own insert op.
            if (m_elem_ops.empty())
                f(elem);
            else if (auto const winner = winner_among_element_ops(elem); winner != none)
                f(winner);
        });
    }

    // Local writes; each makes one op in the open transaction.
    std::uint32_t local_op(std::uint32_t object, std::uint32_t key, bool insert, Action action, PackedValue value,
                           std::vector<std::uint32_t> const& pred);
    PackedValue pack(ScalarValue const& value);
    PackedValue pack(RawValue const& value);
    RawValue unpack(PackedValue const& value) const;

    // Transactions and history (history.cpp).
    bool has_pending() const { return m_pending_ops > 0; }
    std::size_t pending_ops() const { return m_pending_ops; }
    void commit(std::optional<std::string> message, std::optional<std::int64_t> time);
    std::vector<ChangeHash> heads() const;
    std::vector<std::uint32_t> changes_since(std::vector<ChangeHash> const& since) const;
    std::vector<std::uint8_t> encode_change_chunk(std::uint32_t change) const;
    base::Result<void> apply_change(ChangeData change, ChangeHash hash, std::span<std::uint8_t const> contents);
    std::size_t queued_changes() const { return m_queue.size(); }
    std::size_t change_count() const { return m_changes.size(); }
    std::size_t saved_changes() const { return m_saved_changes; }
    void mark_saved() { m_saved_changes = m_changes.size(); }

    // Storage (document_chunk.cpp).
    std::vector<std::uint8_t> save_document() const;
    static base::Result<std::unique_ptr<OpSet>> load_document(std::span<std::uint8_t const> contents, ActorId actor);

private:
    friend class DocumentLoader;
    friend class ObjectView;
    friend class ListPrefetcher;
    friend class ChangeApplier;

    std::uint32_t add_object(ObjType type, std::uint32_t make_op);
    Sequence& sequence_of(Object& object);
    Object::MapEntry map_entry(std::uint32_t op) const;
    // Copies the op's visibility into its map entry, after it gained a successor.
    void refresh_map_entry(std::uint32_t op);
    std::vector<Column> save_change_columns() const;
    std::vector<Column> save_op_columns() const;
    std::uint32_t integrate(Op op, std::span<std::uint32_t const> preds);
    void place_in_sequence(Object& object, std::uint32_t op_index);
    void refresh_element(std::uint32_t object, std::uint32_t elem);
    std::string spell_text(std::uint32_t object) const;
    std::uint32_t element_of(std::uint32_t op) const;
    std::uint32_t winner_among_element_ops(std::uint32_t elem) const;
    std::int64_t counter_value(std::uint32_t op) const;
    std::vector<std::uint8_t> encode_change_body(ChangeMeta const& meta) const;
    void add_change(ChangeMeta meta);
    base::Result<void> check_change(ChangeData const& change, std::vector<std::uint32_t> const& actor_map) const;
    base::Result<void> apply_now(ChangeData const& change, ChangeHash const& hash, std::span<std::uint8_t const> contents);
    base::Result<void> apply_ready_queue();

    // Objects' entries, element orders and texts: packed together in large
    // buffers (whole huge pages once big), not scattered through the heap.
    // Declared first, so they outlive every object.
    HugePageResource m_large_memory;
    std::pmr::monotonic_buffer_resource m_object_buffers{ 64 * 1024, &m_large_memory };
    std::pmr::unsynchronized_pool_resource m_object_memory{ { 0, 64 * 1024 }, &m_object_buffers };

    ActorId m_actor;
    std::uint32_t m_local_actor = none;
    std::vector<ActorId> m_actors;
    std::unordered_map<ActorId, std::uint32_t> m_actor_lookup;
    std::vector<std::uint32_t> m_actor_rank;
    std::deque<std::string> m_keys;
    std::unordered_map<std::string_view, std::uint32_t> m_key_lookup;
    std::string m_arena;

    OpTable m_ops;
    std::vector<std::uint32_t> m_preds;
    // The id of the op each m_preds entry belongs to: saving lists successors
    // from it without visiting those ops.
    std::vector<OpId> m_pred_owner;
    OpIdMap m_op_index{ m_ops };
    std::vector<Object, LargeTableAllocator<Object>> m_objects;
    std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> m_elem_ops;
    std::vector<std::uint32_t> m_unsettled_texts; // objects
    std::unordered_map<std::uint32_t, std::int64_t> m_increments;
    std::unordered_map<std::uint32_t, std::string> m_mark_names;
    std::uint64_t m_max_op = 0;

    std::vector<ChangeMeta> m_changes;
    std::unordered_map<ChangeHash, std::uint32_t> m_change_lookup;
    std::vector<std::vector<std::uint32_t>> m_actor_changes; // by actor, then seq - 1
    std::vector<std::uint32_t> m_heads;
    std::vector<std::uint32_t> m_change_ops;
    struct Queued {
        ChangeData change;
        ChangeHash hash;
        std::vector<std::uint8_t> contents;
    };
    std::vector<Queued> m_queue;
    // Columns of the loaded document chunk this engine does not read; rows are
    // change indices and op indices.
    ExtraColumns m_extra_change_columns;
    ExtraColumns m_extra_op_columns;
    std::size_t m_saved_changes = 0;
    std::uint64_t m_pending_start = 0;
    std::uint32_t m_pending_first = 0; // op index of the first pending op
    std::size_t m_pending_ops = 0;
};

} // namespace crdt
