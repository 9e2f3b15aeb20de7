#pragma once

// Creating the structural records: people, workspaces, categories, channels.
// Used by the chat actions and the seed content alike. Each creation
// get-or-creates the record's map and then puts every field, so an existing
// record with the same id is overwritten field by field.

#include "crdt/document.h"
#include "doc/presence.h"
#include "doc/records/channel_kind.h"

#include <cstdint>
#include <string_view>

namespace chat::doc {

struct UserFields {
    std::string_view name;
    std::string_view initials;
    std::int64_t color_idx = 0;
    Presence status = Presence::Online;
};

struct WorkspaceFields {
    std::string_view name;
    std::string_view glyph;
    std::int64_t color_idx = 0;
    std::uint32_t order = 0;
};

struct CategoryFields {
    std::string_view workspace;
    std::string_view name;
    std::uint32_t order = 0;
};

struct ChannelFields {
    std::string_view workspace;
    std::string_view category; // empty: no category
    std::string_view name;
    std::string_view topic;
    ChannelKind kind = ChannelKind::Text;
    std::uint32_t order = 0;
};

void create_user(crdt::Document&, std::string_view id, UserFields const&);
void create_workspace(crdt::Document&, std::string_view id, WorkspaceFields const&);
// Categories are created unfolded.
void create_category(crdt::Document&, std::string_view id, CategoryFields const&);
// A voice channel also gets its (possibly empty) map of call participants.
void create_channel(crdt::Document&, std::string_view id, ChannelFields const&);

} // namespace chat::doc
