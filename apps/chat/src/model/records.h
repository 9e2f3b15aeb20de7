#pragma once

// The plain records the views read instead of the document. Every record owns
// its strings and is rebuilt on each projection.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/heap_optional.h"
#include "doc/presence.h"
#include "doc/records/agent_work.h"
#include "doc/records/attachment.h"
#include "doc/records/channel_kind.h"
#include "doc/records/mention.h"
#include "doc/records/resource_ref.h"

namespace chat {

using doc::Presence;

struct Person {
    std::string id;
    std::string name;
    std::string initials;
    std::int64_t color_index = 0;
    Presence presence = Presence::Online;
    bool is_agent = false;

    bool operator==(Person const&) const = default;
};

struct Workspace {
    std::string id;
    std::string name;
    std::string glyph;
    std::int64_t color_index = 0;
    std::uint32_t order = 0;

    bool operator==(Workspace const&) const = default;
};

struct Category {
    std::string id;
    std::string workspace;
    std::string name;
    std::uint32_t order = 0;
    bool collapsed = false;

    bool operator==(Category const&) const = default;
};

struct Channel {
    std::string id;
    std::string workspace;
    std::string category; // empty: the channel belongs to no category
    std::string name;
    std::string topic;
    ChannelKind kind = ChannelKind::Text;
    std::uint32_t order = 0;
    bool archived = false;

    bool operator==(Channel const&) const = default;
};

// The video codecs a call participant can decode, by codec name.
struct VideoDecoders {
    std::vector<std::string> hardware;
    std::vector<std::string> software;

    bool operator==(VideoDecoders const&) const = default;
};

struct CallParticipant {
    std::string user;
    std::optional<std::string> ticket;
    std::optional<VideoDecoders> video_decoders;
    bool talking = false;
    bool muted = false;
    bool deafened = false;
    bool audio_only = false;
    bool sharing = false;

    bool operator==(CallParticipant const&) const = default;
};

// The people who reacted with one emoji, each once, in the order they reacted.
struct ReactionGroup {
    std::string emoji;
    std::vector<std::string> users;

    bool operator==(ReactionGroup const&) const = default;
};

// A text a message had before the edit at `ts` replaced it.
struct HistoryEntry {
    std::int64_t ts = 0;
    std::string text;

    bool operator==(HistoryEntry const&) const = default;
};

struct Message {
    std::string id;
    std::string channel;
    std::optional<std::string> parent; // thread root; nothing for a top-level message
    std::string author;
    std::int64_t ts = 0;
    std::string text;
    bool edited = false;
    std::vector<HistoryEntry> history;     // oldest first
    std::vector<ReactionGroup> reactions; // most people first, then by emoji
    std::vector<Mention> mentions;
    // Rare and large: on the heap, so a document's worth of messages stays compact.
    base::HeapOptional<ResourceRef> reference;
    base::HeapOptional<Attachment> attachment;
    base::HeapOptional<AgentWork> work;
    bool pinned = false;

    bool operator==(Message const&) const = default;
};

} // namespace chat
