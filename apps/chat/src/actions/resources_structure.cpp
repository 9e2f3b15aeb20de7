#include "actions/resource_actions.h"
#include "actions/labels.h"
#include "actions/resources.h"
#include "doc/ids.h"
#include "model/structure.h"

namespace chat::resources {

Sources Sources::read(crdt::Document& doc, CatalogueContext const& context)
{
    Sources sources{doc, context, list_people(doc), nullptr};
    sources.candidates = std::make_shared<std::vector<MentionCandidate> const>(mention_candidates(sources.people));
    return sources;
}

std::string address(std::string_view kind, std::string_view id)
{
    return orvo_actions::door::resource_address(kind, id);
}

Resource person(Person const& person)
{
    return Resource(address(resource_kind::person, person.id), person.name)
        .with_action(chat_operation_spec("open", "Open person", operation::OpenPerson{person.id}));
}

Resource people(Sources const& sources)
{
    Resource people(std::string(resource_kind::people), "People");
    for (auto const& one : sources.people)
        people.with_child(person(one));
    return people;
}

namespace {

ActionSpec new_channel_action(std::string const& workspace)
{
    return chat_action_spec("new-channel", "New channel", {"Name", "channel name…"},
                            [workspace](std::string const& name) -> ChatAction {
                                return action::CreateChannel{workspace, "", doc::new_id("c_"),
                                                             name.empty() ? "new-channel" : name, ChannelKind::Text};
                            });
}

ActionSpec new_category_action(std::string const& workspace)
{
    return chat_action_spec("new-category", "New category", {"Name", "category name…"},
                            [workspace](std::string const& name) -> ChatAction {
                                return action::CreateCategory{workspace, doc::new_id("cat_"),
                                                              name.empty() ? "New Category" : name};
                            });
}

} // namespace

Resource workspace(Sources const& sources, Workspace const& workspace, std::vector<Channel> const& channels,
                   std::vector<Category> const& categories)
{
    Resource resource(address(resource_kind::workspace, workspace.id), workspace_label(workspace));
    resource.with_action(chat_operation_spec("open", "Open workspace", operation::OpenWorkspace{workspace.id}))
        .with_action(new_channel_action(workspace.id))
        .with_action(new_category_action(workspace.id));
    for (auto const& one : channels)
        resource.with_child(channel(sources, one));
    for (auto const& one : categories)
        resource.with_child(category(one));
    return resource;
}

Resource category(Category const& category)
{
    auto const& id = category.id;
    auto rename = chat_action_spec("rename", "Rename category", {"Name", "category name…", "the category name"},
                                   [id](std::string const& name) -> ChatAction {
                                       return action::RenameCategory{id, name};
                                   });
    auto collapse = category.collapsed
        ? chat_action_spec("expand", "Expand category", action::SetCategoryCollapsed{id, false})
        : chat_action_spec("collapse", "Collapse category", action::SetCategoryCollapsed{id, true});
    return Resource(address(resource_kind::category, id), category.name)
        .with_action(chat_operation_spec("open", "Open category", operation::OpenCategory{category.workspace, id}))
        .with_action(std::move(rename))
        .with_action(std::move(collapse))
        .with_action(chat_action_spec("delete", "Delete category", action::DeleteCategory{id}));
}

} // namespace chat::resources
