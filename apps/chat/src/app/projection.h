#pragma once

// The model ChatApp keeps: the document's projection plus what depends on the
// selection and the local person. Rebuilt only when one of those changed.

#include "app/local_identity.h"
#include "crdt/types.h"
#include "model/message_cache.h"
#include "model/records.h"

#include <map>
#include <span>
#include <string>
#include <vector>

namespace crdt {
class Document;
}

namespace chat {

struct VoiceChannelParticipants {
    std::string channel;
    std::vector<CallParticipant> participants;
    bool operator==(VoiceChannelParticipants const&) const = default;
};

struct Model {
    std::vector<Workspace> workspaces;
    std::vector<Category> categories;
    std::vector<Channel> channels;
    std::map<std::string, std::int64_t, std::less<>> unread; // channel id → count shown
    std::vector<Message> messages;                           // the open channel's, threads included
    std::uint64_t messages_revision = 0;                     // raised whenever `messages` is re-read
    // Every channel's messages, channels in model order: views into the
    // projection's message cache, not copies (a large document holds hundreds
    // of thousands), current until the next refresh.
    std::vector<std::span<Message const>> all_messages;
    std::vector<Person> people;                              // the document's
    std::vector<Person> workspace_people;                    // the current workspace's, by name then id
    std::vector<VoiceChannelParticipants> voice_participants;

    Workspace const* workspace(std::string_view id) const;
    Channel const* channel(std::string_view id) const;
    Message const* message(std::string_view id) const; // in the open channel
    std::int64_t unread_count(std::string_view channel) const;
};

// What a projection depends on besides the document.
struct ProjectionInputs {
    std::string workspace;
    std::string channel;
    LocalIdentity const* identity = nullptr;
};

class ProjectionCache {
public:
    // Re-reads the workspaces, categories and channels when the document changed.
    // Returns whether it did.
    bool refresh_structure(crdt::Document& doc, Model& model);
    // Fills the rest of the model for the current selection (steps after the repairs).
    void refresh_content(crdt::Document& doc, Model& model, ProjectionInputs const& inputs);

private:
    std::vector<crdt::ChangeHash> m_structure_heads;
    bool m_structure_ready = false;
    std::vector<crdt::ChangeHash> m_content_heads;
    std::string m_content_key;
    bool m_content_ready = false;
    std::vector<Channel> m_channels_seen; // what the copied messages were ordered by
    std::vector<Person> m_people_seen;    // what the workspace's people were built from
    MessageCache m_messages;
};

} // namespace chat
