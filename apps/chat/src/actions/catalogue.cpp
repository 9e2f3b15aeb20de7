#include "actions/catalogue.h"

#include <algorithm>

#include "actions/resources.h"
#include "doc/messages.h"
#include "model/messages.h"
#include "model/structure.h"

namespace chat {
namespace {

using resources::Sources;

template <class Record>
std::vector<Record> in_workspace(std::vector<Record> const& records, std::string const& workspace)
{
    std::vector<Record> mine;
    std::copy_if(records.begin(), records.end(), std::back_inserter(mine),
                 [&](Record const& record) { return record.workspace == workspace; });
    return mine;
}

template <class Record>
Record const* with_id(std::vector<Record> const& records, std::string_view id)
{
    auto const found = std::find_if(records.begin(), records.end(), [&](Record const& r) { return r.id == id; });
    return found == records.end() ? nullptr : &*found;
}

struct FoundMessage {
    Message message;
    std::string workspace;
};

// The first message with `id`, channel by channel in model order. Only ids
// are read until it is found; then that one message is projected.
std::optional<FoundMessage> locate_message(crdt::Document const& doc, std::string_view id)
{
    for (auto const& channel : list_channels(doc))
        if (auto const slot = doc::find_message(doc, channel.id, id))
            return FoundMessage{read_message(doc, doc.view(slot->message), channel.id), channel.workspace};
    return std::nullopt;
}

std::optional<Resource> structure_at(Sources const& sources, std::string_view kind, std::string_view id)
{
    if (kind == resource_kind::person) {
        auto const* person = find_person(sources.people, id);
        return person ? std::optional(resources::person(*person)) : std::nullopt;
    }
    if (kind == resource_kind::workspace) {
        auto const workspaces = list_workspaces(sources.doc);
        auto const* workspace = with_id(workspaces, id);
        if (!workspace)
            return std::nullopt;
        return resources::workspace(sources, *workspace, in_workspace(list_channels(sources.doc), workspace->id),
                                    in_workspace(list_categories(sources.doc), workspace->id));
    }
    if (kind == resource_kind::category) {
        auto const categories = list_categories(sources.doc);
        auto const* category = with_id(categories, id);
        return category ? std::optional(resources::category(*category)) : std::nullopt;
    }
    auto const channels = list_channels(sources.doc);
    auto const* channel = with_id(channels, id);
    if (!channel)
        return std::nullopt;
    if (kind == resource_kind::channel)
        return resources::channel(sources, *channel);
    if (kind == resource_kind::call && channel->kind == ChannelKind::Voice)
        return resources::call(sources, *channel);
    return std::nullopt;
}

std::optional<Resource> message_part_at(Sources const& sources, std::string_view kind, std::string_view id)
{
    // A reaction's id is the message id, ":" and the emoji; message ids hold no colon.
    auto const colon = kind == resource_kind::reaction ? id.find(':') : std::string_view::npos;
    if (kind == resource_kind::reaction && colon == std::string_view::npos)
        return std::nullopt;
    auto found = locate_message(sources.doc, id.substr(0, colon));
    if (!found)
        return std::nullopt;
    auto const& [message, workspace] = *found;
    if (kind == resource_kind::message)
        return resources::message(sources, message, workspace);
    if (kind == resource_kind::attachment)
        return message.attachment ? std::optional(resources::attachment(message, workspace)) : std::nullopt;
    auto const emoji = id.substr(colon + 1);
    for (auto const& group : message.reactions)
        if (group.emoji == emoji)
            return resources::reaction(sources, message, group, workspace);
    return std::nullopt;
}

} // namespace

std::vector<Resource> catalogue(crdt::Document& doc, CatalogueContext const& context)
{
    auto const sources = Sources::read(doc, context);
    auto const channels = list_channels(doc);
    auto const categories = list_categories(doc);
    std::vector<Resource> roots;
    for (auto const& workspace : list_workspaces(doc))
        roots.push_back(resources::workspace(sources, workspace, in_workspace(channels, workspace.id),
                                             in_workspace(categories, workspace.id)));
    roots.push_back(resources::people(sources));
    return roots;
}

std::optional<Resource> resource_at(crdt::Document& doc, std::string_view address, CatalogueContext const& context)
{
    auto const sources = Sources::read(doc, context);
    if (address == resource_kind::people)
        return resources::people(sources);
    auto const kind = orvo_actions::door::resource_kind(address);
    auto const id = orvo_actions::door::resource_id(address);
    if (id.empty())
        return std::nullopt;
    if (kind == resource_kind::message || kind == resource_kind::reaction || kind == resource_kind::attachment)
        return message_part_at(sources, kind, id);
    if (kind == resource_kind::person || kind == resource_kind::workspace || kind == resource_kind::category ||
        kind == resource_kind::channel || kind == resource_kind::call)
        return structure_at(sources, kind, id);
    return std::nullopt;
}

} // namespace chat
