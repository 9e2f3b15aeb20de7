#pragma once

// The local person's own user record, refreshed by the shell every frame.

#include "crdt/document.h"
#include "doc/presence.h"

#include <cstdint>
#include <string_view>

namespace chat::doc {

struct LocalUser {
    std::string_view id;
    std::string_view name;
    std::string_view initials;
    std::int64_t color_idx = 0;
    Presence status = Presence::Online;
};

// Puts each field only when it differs from the stored one; returns whether
// anything was put.
bool upsert_local_user(crdt::Document&, LocalUser const&);

} // namespace chat::doc
