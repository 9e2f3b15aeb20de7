#include "app/projection.h"

#include "crdt/document.h"
#include "model/participants.h"
#include "model/structure.h"
#include "model/unread.h"

#include <algorithm>
#include <set>

namespace chat {

Workspace const* Model::workspace(std::string_view id) const
{
    auto it = std::find_if(workspaces.begin(), workspaces.end(), [&](auto const& w) { return w.id == id; });
    return it == workspaces.end() ? nullptr : &*it;
}

Channel const* Model::channel(std::string_view id) const
{
    auto it = std::find_if(channels.begin(), channels.end(), [&](auto const& c) { return c.id == id; });
    return it == channels.end() ? nullptr : &*it;
}

Message const* Model::message(std::string_view id) const
{
    auto it = std::find_if(messages.begin(), messages.end(), [&](auto const& m) { return m.id == id; });
    return it == messages.end() ? nullptr : &*it;
}

std::int64_t Model::unread_count(std::string_view channel) const
{
    auto it = unread.find(channel);
    return it == unread.end() ? 0 : it->second;
}

bool ProjectionCache::refresh_structure(crdt::Document& doc, Model& model)
{
    auto heads = doc.heads();
    if (m_structure_ready && heads == m_structure_heads) return false;
    model.workspaces = list_workspaces(doc);
    model.categories = list_categories(doc);
    model.channels = list_channels(doc);
    model.people = list_people(doc);
    m_structure_heads = std::move(heads);
    m_structure_ready = true;
    return true;
}

namespace {

std::string content_key(ProjectionInputs const& in)
{
    std::string key = in.workspace + '\n' + in.channel + '\n' + in.identity->id + '\n' + in.identity->name + '\n'
        + in.identity->initials + '\n' + std::to_string(in.identity->color_index);
    for (auto const& former : in.identity->former_ids) key += '\n' + former;
    return key;
}

// Step 7 of the refresh: everyone who took part in the workspace, and always the local person.
std::vector<Person> workspace_people(Model const& model, std::string_view workspace, LocalIdentity const& me)
{
    std::set<std::string, std::less<>> ids{me.id};
    ids.insert(me.former_ids.begin(), me.former_ids.end());
    for (auto const& list : model.all_messages) {
        for (auto const& message : list) {
            auto const* channel = model.channel(message.channel);
            if (!channel || channel->workspace != workspace) continue;
            ids.insert(message.author);
            for (auto const& group : message.reactions) ids.insert(group.users.begin(), group.users.end());
            for (auto const& mention : message.mentions) ids.insert(mention.user);
        }
    }
    for (auto const& voice : model.voice_participants)
        for (auto const& p : voice.participants) ids.insert(p.user);

    std::vector<Person> people;
    bool has_me = false;
    for (auto const& person : model.people) {
        if (!ids.contains(person.id)) continue;
        has_me |= me.is_local(person.id);
        people.push_back(person);
    }
    if (!has_me) people.push_back(Person{me.id, me.name, me.initials, me.color_index, Presence::Online, false});
    std::sort(people.begin(), people.end(),
              [](Person const& a, Person const& b) { return std::tie(a.name, a.id) < std::tie(b.name, b.id); });
    return people;
}

} // namespace

void ProjectionCache::refresh_content(crdt::Document& doc, Model& model, ProjectionInputs const& in)
{
    auto heads = doc.heads();
    auto key = content_key(in);
    if (m_content_ready && heads == m_content_heads && key == m_content_key) return;

    bool const messages_changed = m_messages.refresh(doc, model.channels);
    bool const reselected = !m_content_ready || key != m_content_key;
    bool const channels_changed = reselected || model.channels != m_channels_seen;
    model.unread.clear();
    for (auto const& channel : model.channels)
        model.unread[channel.id] =
            channel.id == in.channel ? 0 : m_messages.unread_count(doc, channel.id, in.identity->id);

    // A change that touched no message (a draft keystroke, a read marker) copies nothing.
    if (messages_changed || channels_changed) {
        auto open = m_messages.messages(in.channel);
        model.messages.assign(open.begin(), open.end());
        ++model.messages_revision;
        model.all_messages.clear();
        for (auto const& channel : model.channels) model.all_messages.push_back(m_messages.messages(channel.id));
    }

    std::vector<VoiceChannelParticipants> voice;
    for (auto const& channel : model.channels) {
        if (channel.workspace != in.workspace || channel.kind != ChannelKind::Voice) continue;
        auto participants = list_participants(doc, channel.id);
        if (!participants.empty()) voice.push_back({channel.id, std::move(participants)});
    }
    bool const voice_changed = voice != model.voice_participants;
    model.voice_participants = std::move(voice);
    if (messages_changed || channels_changed || voice_changed || model.people != m_people_seen) {
        model.workspace_people = workspace_people(model, in.workspace, *in.identity);
        m_people_seen = model.people;
    }
    m_channels_seen = model.channels;

    m_content_heads = std::move(heads);
    m_content_key = std::move(key);
    m_content_ready = true;
}

} // namespace chat
