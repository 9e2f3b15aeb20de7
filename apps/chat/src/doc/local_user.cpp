#include "doc/local_user.h"

#include "doc/read.h"
#include "doc/write.h"

namespace chat::doc {

namespace {

bool put_string_if_changed(crdt::Document& doc, crdt::ObjId const& obj, std::string_view key, std::string_view value)
{
    if (read_string(doc, obj, key).value_or("") == value)
        return false;
    put_string(doc, obj, key, value);
    return true;
}

} // namespace

bool upsert_local_user(crdt::Document& doc, LocalUser const& user)
{
    auto const record = ensure_map(doc, ensure_map(doc, crdt::Document::root(), "users"), user.id);
    bool changed = put_string_if_changed(doc, record, "name", user.name);
    changed |= put_string_if_changed(doc, record, "initials", user.initials);
    if (read_integer(doc, record, "color_idx").value_or(0) != user.color_idx) {
        put_integer(doc, record, "color_idx", user.color_idx);
        changed = true;
    }
    changed |= put_string_if_changed(doc, record, "status", presence_name(user.status));
    return changed;
}

} // namespace chat::doc
