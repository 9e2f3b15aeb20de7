#pragma once

#include "app/chat_app.h"
#include "crdt/document.h"
#include "doc/apply.h"
#include "model/unread.h"

#include <algorithm>

namespace chat::testing {

inline bool has_message(ChatApp const& app, std::string_view id)
{
    return std::any_of(app.model.messages.begin(), app.model.messages.end(), [&](auto const& m) { return m.id == id; });
}

inline std::vector<std::string> ids_of(std::vector<Person> const& people)
{
    std::vector<std::string> ids;
    for (auto const& p : people) ids.push_back(p.id);
    return ids;
}

inline action::SendMessage message(std::string channel, std::string id, std::string author, std::string text)
{
    action::SendMessage send;
    send.channel = std::move(channel);
    send.id = std::move(id);
    send.author = std::move(author);
    send.ts = 1782475400;
    send.text = std::move(text);
    return send;
}

} // namespace chat::testing
