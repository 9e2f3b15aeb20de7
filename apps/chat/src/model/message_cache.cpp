#include "model/message_cache.h"

#include <algorithm>
#include <array>
#include <mutex>

#include "crdt/change.h"
#include "crdt/chunk.h"
#include "doc/read.h"
#include "model/map_fields.h"
#include "model/messages.h"
#include "model/unread.h"

namespace chat {

ObjectKey MessageCache::key_of(crdt::ObjId const& id)
{
    if (id.is_root())
        return {};
    if (!m_last_actor || !(m_last_actor->first == id.actor())) {
        auto const [actor, added] = m_actors.try_emplace(id.actor(), static_cast<std::uint32_t>(m_actors.size()));
        m_last_actor.emplace(actor->first, actor->second);
    }
    return {id.counter(), m_last_actor->second};
}

// The objects the changes after `heads` operate on; nothing when the changes
// cannot be read back, in which case everything must be read again.
std::optional<MessageCache::Touched> MessageCache::touched_since(crdt::Document& doc,
                                                                 std::vector<crdt::ChangeHash> const& heads)
{
    Touched touched;
    for (auto const& bytes : doc.get_changes(heads)) {
        auto chunks = crdt::read_chunks(bytes);
        if (!chunks)
            return std::nullopt;
        for (auto const& chunk : *chunks) {
            auto change = crdt::decode_change(chunk.contents);
            if (!change)
                return std::nullopt;
            for (auto const& op : change->ops) {
                if (op.obj.counter == 0)
                    continue; // the root holds no message
                if (op.obj.actor >= change->actors.size())
                    return std::nullopt;
                crdt::ObjId object(op.obj.counter, change->actors[op.obj.actor]);
                if (touched.keys.insert(key_of(object)).second)
                    touched.objects.push_back(std::move(object));
            }
        }
    }
    return touched;
}

// The message maps holding the touched objects: from each touched object up
// to the object whose parent is a channel's message list.
MessageCache::KeySet MessageCache::touched_messages(crdt::Document const& doc, Touched const& touched,
                                                    KeySet const& lists)
{
    KeySet messages;
    for (auto const& object : touched.objects) {
        auto child = doc.view(object);
        for (auto parent = child.parent(); parent; child = parent, parent = parent.parent()) {
            if (parent.type() == crdt::ObjType::List && lists.contains(key_of(parent.id()))) {
                messages.insert(key_of(child.id()));
                break;
            }
        }
    }
    return messages;
}

// Reads the list again, keeping every cached message that is not dirty.
void MessageCache::walk_list(crdt::Document const& doc, std::string_view channel, ChannelMessages& entry,
                             KeySet const& dirty)
{
    std::unordered_map<ObjectKey, std::size_t, ObjectKeyHash> previous;
    previous.reserve(entry.keys.size());
    for (std::size_t index = 0; index < entry.keys.size(); ++index)
        previous.emplace(entry.keys[index], index);
    ChannelMessages next{.list = entry.list};
    if (next.list) {
        auto const list = doc.view(*next.list);
        next.keys.reserve(list.length());
        next.messages.reserve(list.length());
        for_each_map(list, [&](crdt::ObjectView message) {
            auto const key = key_of(message.id());
            auto const cached = previous.find(key);
            if (cached != previous.end() && !dirty.contains(key))
                next.messages.push_back(std::move(entry.messages[cached->second]));
            else
                next.messages.push_back(read_message(doc, message, channel));
            next.keys.push_back(key);
        });
    }
    next.top_level = chat::top_level_count(next.messages);
    entry = std::move(next);
}

bool MessageCache::reread_dirty(crdt::Document const& doc, std::string_view channel, ChannelMessages& entry,
                                KeySet const& dirty)
{
    bool changed = false;
    for (std::size_t index = 0; index < entry.keys.size(); ++index) {
        if (!dirty.contains(entry.keys[index]))
            continue;
        auto const message = doc::read_map(doc, *entry.list, index);
        if (!message || key_of(*message) != entry.keys[index]) {
            // Elements that are not messages shift positions: walk the list instead.
            walk_list(doc, channel, entry, dirty);
            return true;
        }
        entry.messages[index] = read_message(doc, doc.view(*message), channel);
        changed = true;
    }
    if (changed)
        entry.top_level = chat::top_level_count(entry.messages);
    return changed;
}

void MessageCache::read_everything(crdt::Document const& doc, std::vector<Channel> const& channels,
                                   std::vector<std::optional<crdt::ObjId>>& lists)
{
    // Keys are made as the halves read, each half remembering the actors it
    // met; only an actor new to a half takes the lock that interns it.
    std::vector<std::vector<ObjectKey>> keys(lists.size());
    std::array<std::vector<std::pair<crdt::ActorId, std::uint32_t>>, 2> met;
    std::mutex interning;
    auto read = read_message_lists(doc, lists, channels, [&](std::size_t list, int half, crdt::ObjectView message) {
        auto const id = message.id();
        auto& known = met[static_cast<std::size_t>(half)];
        auto found = std::find_if(known.begin(), known.end(), [&](auto const& actor) { return actor.first == id.actor(); });
        if (found == known.end()) {
            std::lock_guard lock(interning);
            auto const [actor, added] = m_actors.try_emplace(id.actor(), static_cast<std::uint32_t>(m_actors.size()));
            found = known.insert(known.end(), {actor->first, actor->second});
        }
        keys[list].push_back({id.counter(), found->second});
    });
    m_channels.clear();
    m_channels.reserve(channels.size());
    for (std::size_t index = 0; index < channels.size(); ++index) {
        ChannelMessages entry{.list = std::move(lists[index])};
        entry.keys = std::move(keys[index]);
        entry.messages = std::move(read[index].messages);
        entry.top_level = read[index].top_level;
        m_channels.insert_or_assign(channels[index].id, std::move(entry));
    }
}

bool MessageCache::refresh(crdt::Document& doc, std::vector<Channel> const& channels)
{
    auto heads = doc.heads();
    std::optional<Touched> touched;
    if (m_primed)
        touched = heads == m_heads ? Touched{} : touched_since(doc, m_heads);
    m_heads = std::move(heads);
    m_primed = true;

    std::vector<std::optional<crdt::ObjId>> lists;
    lists.reserve(channels.size());
    for (auto const& channel : channels)
        lists.push_back(message_list(doc, channel.id));
    KeySet dirty;
    if (touched && !touched->objects.empty()) {
        KeySet list_keys;
        for (auto const& list : lists)
            if (list)
                list_keys.insert(key_of(*list));
        dirty = touched_messages(doc, *touched, list_keys);
    }
    if (!touched) {
        read_everything(doc, channels, lists);
        return true;
    }
    bool changed = false;
    std::unordered_map<std::string, ChannelMessages> next;
    next.reserve(channels.size());
    for (std::size_t index = 0; index < channels.size(); ++index) {
        auto const& channel = channels[index];
        auto node = m_channels.extract(channel.id);
        ChannelMessages entry = node.empty() ? ChannelMessages{} : std::move(node.mapped());
        auto& list = lists[index];
        bool const list_changed =
            node.empty() || list != entry.list || (list && touched->keys.contains(key_of(*list)));
        if (list_changed) {
            entry.list = std::move(list);
            walk_list(doc, channel.id, entry, dirty);
            changed = true;
        } else if (!dirty.empty()) {
            changed |= reread_dirty(doc, channel.id, entry, dirty);
        }
        next.insert_or_assign(channel.id, std::move(entry));
    }
    changed |= !m_channels.empty(); // channels that are gone
    m_channels = std::move(next);
    return changed;
}

std::span<Message const> MessageCache::messages(std::string_view channel) const
{
    auto const found = m_channels.find(std::string(channel));
    if (found == m_channels.end())
        return {};
    return found->second.messages;
}

std::int64_t MessageCache::top_level_count(std::string_view channel) const
{
    auto const found = m_channels.find(std::string(channel));
    return found == m_channels.end() ? 0 : found->second.top_level;
}

std::int64_t MessageCache::unread_count(crdt::Document const& doc, std::string_view channel,
                                       std::string_view person) const
{
    return std::max<std::int64_t>(0, top_level_count(channel) - read_marker(doc, channel, person));
}

} // namespace chat
