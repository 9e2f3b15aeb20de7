#include "doc/create.h"

#include "doc/write.h"

namespace chat::doc {

namespace {

crdt::ObjId record_map(crdt::Document& doc, std::string_view table, std::string_view id)
{
    return ensure_map(doc, ensure_map(doc, crdt::Document::root(), table), id);
}

} // namespace

void create_user(crdt::Document& doc, std::string_view id, UserFields const& fields)
{
    auto const user = record_map(doc, "users", id);
    put_string(doc, user, "name", fields.name);
    put_string(doc, user, "initials", fields.initials);
    put_integer(doc, user, "color_idx", fields.color_idx);
    put_string(doc, user, "status", presence_name(fields.status));
}

void create_workspace(crdt::Document& doc, std::string_view id, WorkspaceFields const& fields)
{
    auto const workspace = record_map(doc, "workspaces", id);
    put_string(doc, workspace, "name", fields.name);
    put_string(doc, workspace, "glyph", fields.glyph);
    put_integer(doc, workspace, "color_idx", fields.color_idx);
    put_integer(doc, workspace, "order", fields.order);
}

void create_category(crdt::Document& doc, std::string_view id, CategoryFields const& fields)
{
    auto const category = record_map(doc, "categories", id);
    put_string(doc, category, "workspace", fields.workspace);
    put_string(doc, category, "name", fields.name);
    put_integer(doc, category, "order", fields.order);
    put_boolean(doc, category, "collapsed", false);
}

void create_channel(crdt::Document& doc, std::string_view id, ChannelFields const& fields)
{
    auto const channel = record_map(doc, "channels", id);
    put_string(doc, channel, "workspace", fields.workspace);
    put_string(doc, channel, "category", fields.category);
    put_string(doc, channel, "name", fields.name);
    put_string(doc, channel, "topic", fields.topic);
    bool const voice = fields.kind == ChannelKind::Voice;
    put_string(doc, channel, "kind", voice ? "voice" : "text");
    put_integer(doc, channel, "order", fields.order);
    if (voice)
        ensure_map(doc, ensure_map(doc, crdt::Document::root(), "voice"), id);
}

} // namespace chat::doc
