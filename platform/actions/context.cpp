#include "actions/context.h"

namespace orvo_actions::context {

namespace {

void fill(std::string& mine, std::string const& theirs)
{
    if (mine.empty()) mine = theirs;
}

template <typename T>
void fill(std::optional<T>& mine, std::optional<T> const& theirs)
{
    if (!mine) mine = theirs;
}

} // namespace

ActionContext ActionContext::enriched_by(ActionContext const& other) const
{
    ActionContext merged = *this;
    fill(merged.app_id, other.app_id);
    fill(merged.app_name, other.app_name);
    fill(merged.title, other.title);
    fill(merged.target, other.target);
    fill(merged.version, other.version);
    // map::insert keeps the existing entry for a key already present.
    merged.attributes.insert(other.attributes.begin(), other.attributes.end());
    return merged;
}

ActionContext ActionDescription::to_context(std::optional<VersionStamp> version) const
{
    ActionContext own;
    own.app_id = app_id;
    own.app_name = app_name;
    own.title = title;
    own.target = target;
    own.version = std::move(version);
    if (!context) return own;
    return context->enriched_by(own);
}

} // namespace orvo_actions::context
