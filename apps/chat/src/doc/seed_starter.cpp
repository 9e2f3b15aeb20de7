#include "doc/create.h"
#include "doc/read.h"
#include "doc/seed.h"
#include "doc/write.h"

namespace chat::doc {

bool is_seeded(crdt::Document const& doc)
{
    return read_boolean(doc, crdt::Document::root(), "seeded").value_or(false);
}

void seed_starter(crdt::Document& doc, std::string_view person_id, std::string_view name, std::string_view initials)
{
    if (is_seeded(doc))
        return;
    put_boolean(doc, crdt::Document::root(), "seeded", true);
    // The shell's presence update corrects the colour on the next frame.
    create_user(doc, person_id, {name, initials, 0, Presence::Online});
    create_workspace(doc, "ws_home", {"My Workspace", "MW", 0, 0});
    create_category(doc, "cat_home_text", {"ws_home", "Channels", 0});
    create_category(doc, "cat_home_voice", {"ws_home", "Voice", 1});
    create_channel(doc, "c_general", {"ws_home", "cat_home_text", "general", "", ChannelKind::Text, 0});
    create_channel(doc, "c_lounge", {"ws_home", "cat_home_voice", "Lounge", "", ChannelKind::Voice, 0});
}

} // namespace chat::doc
