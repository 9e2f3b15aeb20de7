#include "doc/presence.h"

namespace chat::doc {

std::string_view presence_name(Presence presence)
{
    switch (presence) {
    case Presence::Online: return "online";
    case Presence::Idle: return "idle";
    case Presence::DoNotDisturb: return "dnd";
    case Presence::Offline: return "offline";
    }
    return "online";
}

} // namespace chat::doc
