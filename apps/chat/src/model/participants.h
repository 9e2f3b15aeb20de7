#pragma once

// Projection of a voice channel's call participants.

#include <string_view>
#include <vector>

#include "crdt/document.h"
#include "model/records.h"

namespace chat {

// Talking participants first, then the others; each group by ascending user id.
std::vector<CallParticipant> list_participants(crdt::Document const&, std::string_view channel);

} // namespace chat
