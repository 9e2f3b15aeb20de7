#pragma once

// An Automerge-compatible document: a root map holding maps, lists, text and scalars,
// edited through an auto-committing handle and stored in Automerge's binary format.
//
// Positions in lists count elements. Positions in text count Unicode scalar values
// (code points), the unit Automerge stores one element per; text() returns UTF-8.
// Every write joins an open transaction; heads(), save(), save_incremental(),
// get_changes(), apply_changes() and merge() commit it first. Reads see the open
// transaction's ops. Reads never fail: a missing object or key reads as nothing.
// Reads may run on several threads at once, never alongside a write; the one
// exception is reading one list or text by index (get, get_all), which moves a
// cursor kept in that object.

#include "base/result.h"
#include "crdt/object_view.h"
#include "crdt/types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace crdt {

class OpSet;

struct CommitOptions {
    std::optional<std::string> message;
    // Seconds since the epoch (what the npm package records); now when not given.
    std::optional<std::int64_t> time;
};

class Document {
public:
    Document();                        // a fresh random actor
    explicit Document(ActorId actor);
    ~Document();
    Document(Document&&) noexcept;
    Document& operator=(Document&&) noexcept;
    Document(Document const&) = delete;
    Document& operator=(Document const&) = delete;

    // Loads any sequence of document, change and compressed change chunks.
    static base::Result<Document> load(std::span<std::uint8_t const> bytes);
    static base::Result<Document> load(std::span<std::uint8_t const> bytes, ActorId actor);
    // Applies the chunks in bytes to this document; on error nothing is applied.
    base::Result<void> load_incremental(std::span<std::uint8_t const> bytes);

    static ObjId root() { return ROOT; }
    ActorId const& actor() const;
    void set_actor(ActorId actor);

    // Writes. A vanished object, an object of the wrong kind, or an index past the
    // end is an error and changes nothing.
    base::Result<void> put(ObjId const& obj, std::string_view key, ScalarValue value);
    base::Result<ObjId> put_object(ObjId const& obj, std::string_view key, ObjType type);
    base::Result<void> put(ObjId const& obj, std::size_t index, ScalarValue value);
    base::Result<ObjId> put_object(ObjId const& obj, std::size_t index, ObjType type);
    base::Result<void> insert(ObjId const& obj, std::size_t index, ScalarValue value);
    base::Result<ObjId> insert_object(ObjId const& obj, std::size_t index, ObjType type);
    base::Result<void> delete_key(ObjId const& obj, std::string_view key);
    base::Result<void> delete_index(ObjId const& obj, std::size_t index);
    // Deletes `del` characters at `pos` and inserts `text` (UTF-8) there.
    base::Result<void> splice_text(ObjId const& obj, std::size_t pos, std::size_t del, std::string_view text);
    // Lists: deletes `del` elements at `pos` and inserts `values` there.
    base::Result<void> splice(ObjId const& obj, std::size_t pos, std::size_t del, std::span<ScalarValue const> values);
    // Adds to a counter stored under key (or at index).
    base::Result<void> increment(ObjId const& obj, std::string_view key, std::int64_t by);
    base::Result<void> increment(ObjId const& obj, std::size_t index, std::int64_t by);

    // Reads.
    std::optional<Value> get(ObjId const& obj, std::string_view key) const;
    std::optional<Value> get(ObjId const& obj, std::size_t index) const;
    // Every concurrent value (the conflict set), ordered by op id; the winner is last.
    std::vector<Value> get_all(ObjId const& obj, std::string_view key) const;
    std::vector<Value> get_all(ObjId const& obj, std::size_t index) const;
    std::vector<std::string> keys(ObjId const& obj) const; // ascending UTF-8 byte order
    std::size_t length(ObjId const& obj) const;           // map keys, list elements or text characters
    std::optional<std::string> text(ObjId const& obj) const;
    std::optional<ObjType> object_type(ObjId const& obj) const;
    // Whole-object reads in one pass, in storage order, with no lookup per key or
    // index: for a large document far cheaper than get() key by key, and the same
    // values. Every key of a map with its visible value, ascending (nothing for a
    // list or text); every element of a list or text (nothing for a map).
    void for_each_entry(ObjId const& map, std::function<void(std::string_view key, Value&& value)> const& visit) const;
    void for_each_element(ObjId const& list, std::function<void(Value&& value)> const& visit) const;
    // The object to read through a view (see object_view.h); a view of nothing
    // when the document has no such object.
    ObjectView view(ObjId const& obj) const;

    // History.
    std::vector<ChangeHash> heads();                      // sorted
    void commit();
    void commit(CommitOptions const& options);
    bool has_pending() const;
    std::size_t pending_ops() const;
    // Encoded change chunks not reachable from `since`, in an order that applies cleanly.
    std::vector<std::vector<std::uint8_t>> get_changes(std::span<ChangeHash const> since);
    // Each element is one change chunk (plain or compressed). Changes whose dependencies
    // are missing wait until they arrive; changes already known are ignored.
    base::Result<void> apply_changes(std::span<std::vector<std::uint8_t> const> changes);
    base::Result<void> merge(Document& other);
    Document fork();                                      // same history, a new random actor
    Document fork(ActorId actor);
    // Number of changes waiting for missing dependencies.
    std::size_t queued_changes() const;

    // Storage.
    // One compacted document chunk. A history holding a change that arrived in an
    // unusual (valid, non-canonical) encoding is saved as its change chunks instead,
    // so that change keeps its hash.
    std::vector<std::uint8_t> save();
    std::vector<std::uint8_t> save_incremental();         // change chunks since the last save

private:
    explicit Document(std::unique_ptr<OpSet> ops);
    std::unique_ptr<OpSet> m_ops;
};

} // namespace crdt
