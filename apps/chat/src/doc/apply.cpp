#include "doc/apply.h"

#include "doc/apply_members.h"

namespace chat::doc {

void apply_chat_action(crdt::Document& doc, ChatAction const& action)
{
    std::visit([&](auto const& member) { members::apply(doc, member); }, action);
}

} // namespace chat::doc
