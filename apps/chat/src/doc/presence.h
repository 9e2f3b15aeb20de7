#pragma once

// A person's presence, stored in the user record's "status".

#include <string_view>

namespace chat::doc {

enum class Presence { Online, Idle, DoNotDisturb, Offline };

// "online", "idle", "dnd", "offline".
std::string_view presence_name(Presence);

} // namespace chat::doc
