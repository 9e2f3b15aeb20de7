#include "app/strings/catalog.h"

namespace chat::strings {

namespace {

constexpr std::string_view SOURCE = R"ftl(# Chat — user-facing strings.

# Marker beside a participant of the mention picker who is an agent rather than a person.
chat-mention-agent-tag = agent

# Status line under the user's own name in the identity bar.
chat-identity-available = Available
# The same status line during a call.
chat-identity-in-voice = In voice

# Chip under the workspace title that adds a channel category.
chat-sidebar-add-category = ＋ Category

# Control buttons along the bottom of the expanded call overlay.
chat-call-mute = Mute
chat-call-unmute = Unmute
chat-call-deafen = Deafen
chat-call-undeafen = Undeafen
chat-call-audio-only = Audio only
chat-call-collapse = Collapse
chat-call-leave = Leave
)ftl";

} // namespace

std::string_view catalog_source() { return SOURCE; }

orvo_ui::i18n::EmbeddedCatalog const& catalog()
{
    static orvo_ui::i18n::EmbeddedCatalog const parsed(SOURCE, "en-US");
    return parsed;
}

std::string t(std::string_view key) { return catalog().t(key); }

} // namespace chat::strings
