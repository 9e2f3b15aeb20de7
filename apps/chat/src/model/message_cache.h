#pragma once

// Projected messages kept between frames. Projecting every message costs
// about a dozen document reads each, far too much to repeat every frame for
// a large document, so refresh re-reads only what the document's new changes
// touched: a message whose map, or any object inside it, an operation
// targeted (found by walking up from the object to the channel's list), and a
// channel's list when elements were inserted or deleted. What it holds always
// equals what channel_messages would read now.

#include <cstdint>
#include <optional>
#include <utility>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "crdt/document.h"
#include "model/records.h"

namespace chat {

// An object named by its op id, the actor interned to a small number.
struct ObjectKey {
    std::uint64_t counter = 0; // 0: the root
    std::uint32_t actor = 0;
    bool operator==(ObjectKey const&) const = default;
};

class MessageCache {
public:
    // Brings the messages of `channels` up to date; other channels are dropped.
    // Reads the document's heads, which commits its open transaction.
    // Answers whether any channel's messages differ from before.
    bool refresh(crdt::Document&, std::vector<Channel> const& channels);

    // In list order; empty for a channel that refresh was not given.
    std::span<Message const> messages(std::string_view channel) const;
    // The channel's messages without a parent.
    std::int64_t top_level_count(std::string_view channel) const;
    // unread_count from the cached count: only the read marker is read.
    std::int64_t unread_count(crdt::Document const&, std::string_view channel, std::string_view person) const;

    // Objects are named by op id; actors are interned to keep keys small.
    struct ObjectKeyHash {
        std::size_t operator()(ObjectKey const& key) const noexcept
        {
            return std::hash<std::uint64_t>{}(key.counter * 0x9e3779b97f4a7c15ull ^ key.actor);
        }
    };
    using KeySet = std::unordered_set<ObjectKey, ObjectKeyHash>;

private:
    struct ChannelMessages {
        std::optional<crdt::ObjId> list;
        std::vector<ObjectKey> keys; // of the message maps, parallel to messages
        std::vector<Message> messages;
        std::int64_t top_level = 0;
    };

    struct Touched {
        KeySet keys;
        std::vector<crdt::ObjId> objects; // each once
    };

    ObjectKey key_of(crdt::ObjId const&);
    std::optional<Touched> touched_since(crdt::Document&, std::vector<crdt::ChangeHash> const& heads);
    KeySet touched_messages(crdt::Document const&, Touched const&, KeySet const& lists);
    void read_everything(crdt::Document const&, std::vector<Channel> const& channels,
                         std::vector<std::optional<crdt::ObjId>>& lists);
    void walk_list(crdt::Document const&, std::string_view channel, ChannelMessages&, KeySet const& dirty);
    bool reread_dirty(crdt::Document const&, std::string_view channel, ChannelMessages&, KeySet const& dirty);

    bool m_primed = false;
    std::vector<crdt::ChangeHash> m_heads;
    std::unordered_map<crdt::ActorId, std::uint32_t> m_actors;
    // The actor key_of interned last: nearly every id comes from the same few.
    std::optional<std::pair<crdt::ActorId, std::uint32_t>> m_last_actor;
    std::unordered_map<std::string, ChannelMessages> m_channels;
};

} // namespace chat
