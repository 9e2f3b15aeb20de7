// Document lifecycle, reads, history and storage; writes are in document_writes.cpp.

#include "crdt/document.h"

#include "crdt/chunk.h"
#include "crdt/op_set.h"

#include <cstdio>
#include <cstdlib>

namespace crdt {

Document::Document() : Document(ActorId::random()) {}
Document::Document(ActorId actor) : m_ops(std::make_unique<OpSet>(std::move(actor))) {}
Document::Document(std::unique_ptr<OpSet> ops) : m_ops(std::move(ops)) {}
Document::~Document() = default;
Document::Document(Document&&) noexcept = default;
Document& Document::operator=(Document&&) noexcept = default;

ActorId const& Document::actor() const { return m_ops->actor(); }

void Document::set_actor(ActorId actor)
{
    commit();
    m_ops->set_actor(std::move(actor));
}

// Reads.

namespace {

std::optional<std::uint32_t> map_like(OpSet const& ops, ObjId const& obj)
{
    auto index = ops.find_object(obj);
    if (!index || is_sequence(ops.object(*index).type))
        return std::nullopt;
    return index;
}

std::optional<std::uint32_t> sequence_like(OpSet const& ops, ObjId const& obj)
{
    auto index = ops.find_object(obj);
    if (!index || !is_sequence(ops.object(*index).type))
        return std::nullopt;
    return index;
}

std::vector<Value> values_of(OpSet const& ops, std::vector<std::uint32_t> const& indices)
{
    std::vector<Value> out;
    for (auto op : indices)
        out.push_back(ops.value_of(op));
    return out;
}

} // namespace

std::optional<Value> Document::get(ObjId const& obj, std::string_view key) const
{
    auto object = map_like(*m_ops, obj);
    if (!object)
        return std::nullopt;
    auto const* winner = m_ops->winner_entry_at_key(*object, key);
    if (!winner)
        return std::nullopt;
    return m_ops->value_of(*winner);
}

std::optional<Value> Document::get(ObjId const& obj, std::size_t index) const
{
    auto object = sequence_like(*m_ops, obj);
    if (!object)
        return std::nullopt;
    auto elem = m_ops->element_at(*object, index);
    if (!elem)
        return std::nullopt;
    return m_ops->value_of(m_ops->winner_at_element(*elem));
}

std::vector<Value> Document::get_all(ObjId const& obj, std::string_view key) const
{
    auto object = map_like(*m_ops, obj);
    if (!object)
        return {};
    return values_of(*m_ops, m_ops->visible_at_key(*object, key));
}

std::vector<Value> Document::get_all(ObjId const& obj, std::size_t index) const
{
    auto object = sequence_like(*m_ops, obj);
    if (!object)
        return {};
    auto elem = m_ops->element_at(*object, index);
    if (!elem)
        return {};
    return values_of(*m_ops, m_ops->visible_at_element(*elem));
}

std::vector<std::string> Document::keys(ObjId const& obj) const
{
    auto object = map_like(*m_ops, obj);
    return object ? m_ops->keys(*object) : std::vector<std::string>{};
}

std::size_t Document::length(ObjId const& obj) const
{
    auto object = m_ops->find_object(obj);
    return object ? m_ops->length(*object) : 0;
}

std::optional<std::string> Document::text(ObjId const& obj) const
{
    auto object = m_ops->find_object(obj);
    if (!object || m_ops->object(*object).type != ObjType::Text)
        return std::nullopt;
    return m_ops->text(*object);
}

void Document::for_each_entry(ObjId const& map,
                              std::function<void(std::string_view key, Value&& value)> const& visit) const
{
    view(map).for_each_entry([&](std::string_view key, ValueView const& value) { visit(key, value.value()); });
}

void Document::for_each_element(ObjId const& list, std::function<void(Value&& value)> const& visit) const
{
    view(list).for_each_element([&](ValueView const& value) { visit(value.value()); });
}

ObjectView Document::view(ObjId const& obj) const
{
    auto object = m_ops->find_object(obj);
    return object ? ObjectView(m_ops.get(), *object, m_ops->object(*object).type) : ObjectView();
}

std::optional<ObjType> Document::object_type(ObjId const& obj) const
{
    auto object = m_ops->find_object(obj);
    if (!object)
        return std::nullopt;
    return m_ops->object(*object).type;
}

// History.

std::vector<ChangeHash> Document::heads()
{
    commit();
    return m_ops->heads();
}

void Document::commit() { m_ops->commit(std::nullopt, std::nullopt); }

void Document::commit(CommitOptions const& options) { m_ops->commit(options.message, options.time); }

bool Document::has_pending() const { return m_ops->has_pending(); }

std::size_t Document::pending_ops() const { return m_ops->pending_ops(); }

std::size_t Document::queued_changes() const { return m_ops->queued_changes(); }

std::vector<std::vector<std::uint8_t>> Document::get_changes(std::span<ChangeHash const> since)
{
    commit();
    std::vector<std::vector<std::uint8_t>> out;
    for (auto index : m_ops->changes_since({ since.begin(), since.end() }))
        out.push_back(m_ops->encode_change_chunk(static_cast<std::uint32_t>(index)));
    return out;
}

namespace {

// Applies decoded chunks in order. A document chunk joins through its changes.
base::Result<void> apply_chunks(OpSet& ops, std::vector<Chunk> const& chunks)
{
    for (auto const& chunk : chunks) {
        if (chunk.type == ChunkType::Document) {
            auto loaded = OpSet::load_document(chunk.contents, ops.actor());
            if (!loaded)
                return std::move(loaded).take_error();
            for (std::uint32_t i = 0; i < (*loaded)->change_count(); ++i) {
                auto bytes = (*loaded)->encode_change_chunk(i);
                auto again = read_chunks(bytes);
                auto change = decode_change(again->front().contents);
                if (!change)
                    return std::move(change).take_error();
                TRY_VOID(ops.apply_change(std::move(*change), again->front().hash, again->front().contents));
            }
            continue;
        }
        auto change = decode_change(chunk.contents);
        if (!change)
            return std::move(change).take_error();
        TRY_VOID(ops.apply_change(std::move(*change), chunk.hash, chunk.contents));
    }
    return {};
}

} // namespace

base::Result<void> Document::apply_changes(std::span<std::vector<std::uint8_t> const> changes)
{
    commit();
    std::vector<Chunk> chunks;
    for (auto const& bytes : changes) {
        auto read = read_chunks(bytes);
        if (!read)
            return std::move(read).take_error();
        for (auto& chunk : *read)
            chunks.push_back(std::move(chunk));
    }
    return apply_chunks(*m_ops, chunks);
}

base::Result<void> Document::merge(Document& other)
{
    commit();
    other.commit();
    std::vector<Chunk> chunks;
    for (auto index : other.m_ops->changes_since(m_ops->heads())) {
        auto read = read_chunks(other.m_ops->encode_change_chunk(index));
        if (!read)
            return std::move(read).take_error();
        chunks.push_back(std::move(read->front()));
    }
    return apply_chunks(*m_ops, chunks);
}

Document Document::fork() { return fork(ActorId::random()); }

Document Document::fork(ActorId actor)
{
    commit();
    auto copy = load(m_ops->save_document(), std::move(actor));
    // Our own save always loads; anything else is a defect worth stopping on.
    if (!copy) {
        std::fprintf(stderr, "crdt: fork could not reload its own save: %s\n", copy.error().c_str());
        std::abort();
    }
    return std::move(*copy);
}

// Storage.

base::Result<Document> Document::load(std::span<std::uint8_t const> bytes) { return load(bytes, ActorId::random()); }

base::Result<Document> Document::load(std::span<std::uint8_t const> bytes, ActorId actor)
{
    auto chunks = read_chunks(bytes);
    if (!chunks)
        return std::move(chunks).take_error();
    std::unique_ptr<OpSet> ops;
    std::size_t first = 0;
    if (!chunks->empty() && chunks->front().type == ChunkType::Document) {
        auto loaded = OpSet::load_document(chunks->front().contents, actor);
        if (!loaded)
            return std::move(loaded).take_error();
        ops = std::move(*loaded);
        first = 1;
    } else {
        ops = std::make_unique<OpSet>(actor);
    }
    std::vector<Chunk> rest(std::make_move_iterator(chunks->begin() + static_cast<std::ptrdiff_t>(first)),
                            std::make_move_iterator(chunks->end()));
    TRY_VOID(apply_chunks(*ops, rest));
    ops->mark_saved();
    return Document(std::move(ops));
}

base::Result<void> Document::load_incremental(std::span<std::uint8_t const> bytes)
{
    commit();
    auto chunks = read_chunks(bytes);
    if (!chunks)
        return std::move(chunks).take_error();
    return apply_chunks(*m_ops, *chunks);
}

std::vector<std::uint8_t> Document::save()
{
    commit();
    auto bytes = m_ops->save_document();
    m_ops->mark_saved();
    return bytes;
}

std::vector<std::uint8_t> Document::save_incremental()
{
    commit();
    std::vector<std::uint8_t> out;
    for (auto i = m_ops->saved_changes(); i < m_ops->change_count(); ++i) {
        auto chunk = m_ops->encode_change_chunk(static_cast<std::uint32_t>(i));
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    m_ops->mark_saved();
    return out;
}

} // namespace crdt
