#pragma once

// One function per chat action member, grouped by what they touch
// (apply_messages.cpp, apply_structure.cpp, apply_calls.cpp).

#include "actions/vocabulary/chat_action.h"
#include "crdt/document.h"

namespace chat::doc::members {

void apply(crdt::Document&, action::SendMessage const&);
void apply(crdt::Document&, action::EditMessage const&);
void apply(crdt::Document&, action::DeleteMessage const&);
void apply(crdt::Document&, action::AddReaction const&);
void apply(crdt::Document&, action::RemoveReaction const&);
void apply(crdt::Document&, action::PinMessage const&);
void apply(crdt::Document&, action::MarkRead const&);
void apply(crdt::Document&, action::SetAgentWork const&);

void apply(crdt::Document&, action::CreateChannel const&);
void apply(crdt::Document&, action::CreateCategory const&);
void apply(crdt::Document&, action::RenameCategory const&);
void apply(crdt::Document&, action::DeleteCategory const&);
void apply(crdt::Document&, action::SetCategoryCollapsed const&);
void apply(crdt::Document&, action::ReorderChannel const&);
void apply(crdt::Document&, action::RenameChannel const&);
void apply(crdt::Document&, action::DeleteChannel const&);
void apply(crdt::Document&, action::ArchiveChannel const&);

void apply(crdt::Document&, action::JoinCall const&);
void apply(crdt::Document&, action::LeaveCall const&);
void apply(crdt::Document&, action::SetCallState const&);
void apply(crdt::Document&, action::SetScreenShare const&);
void apply(crdt::Document&, action::SetCallTicket const&);
void apply(crdt::Document&, action::SetCallVideoCaps const&);

} // namespace chat::doc::members
