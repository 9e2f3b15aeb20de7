#include "chat_workload.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench {
namespace {

using crdt::ObjId;
using crdt::ObjType;

std::array<char const*, 12> const words = {"ship", "the", "overlay", "today", "call", "review",
                                           "merged", "looks", "good", "thanks", "on", "it"};

// The workload is well-formed by construction; a failure is an engine bug.
template <typename T>
T expect(base::Result<T> result, char const* what)
{
    if (!result) {
        std::fprintf(stderr, "chat workload: %s failed: %s\n", what, result.error().c_str());
        std::abort();
    }
    return std::move(result).value();
}

void expect(base::Result<void> result, char const* what)
{
    if (!result) {
        std::fprintf(stderr, "chat workload: %s failed: %s\n", what, result.error().c_str());
        std::abort();
    }
}

std::string message_id(std::uint64_t n)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "m_%032llx", static_cast<unsigned long long>(n));
    return buffer;
}

std::string channel_id(int c)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "c_%03d", c);
    return buffer;
}

std::string message_text(std::uint64_t n)
{
    std::string text;
    for (std::uint64_t i = 0; i < 4 + n % 7; ++i) {
        if (i > 0) text += ' ';
        text += words[(n * 5 + i * 3) % words.size()];
    }
    return text;
}

ObjId child(crdt::Document const& doc, ObjId const& obj, std::string const& key)
{
    auto value = doc.get(obj, key);
    if (!value || !crdt::is_object(*value)) {
        std::fprintf(stderr, "chat workload: no object at %s\n", key.c_str());
        std::abort();
    }
    return std::get<crdt::ObjectRef>(*value).id;
}

crdt::CommitOptions at(std::int64_t time, char const* message = nullptr)
{
    crdt::CommitOptions options;
    options.time = time;
    if (message) options.message = message;
    return options;
}

void put_map_entry(crdt::Document& doc, ObjId const& list, std::size_t index,
                   std::initializer_list<std::pair<char const*, crdt::ScalarValue>> fields)
{
    auto entry = expect(doc.insert_object(list, index, ObjType::Map), "insert entry");
    for (auto const& [key, value] : fields) expect(doc.put(entry, key, value), "put entry field");
}

} // namespace

void seed_chat(crdt::Document& doc)
{
    auto const root = crdt::Document::root();
    expect(doc.put(root, "seeded", true), "put seeded");
    auto users = expect(doc.put_object(root, "users", ObjType::Map), "put users");
    for (int u = 0; u < chat_users; ++u) {
        auto user = expect(doc.put_object(users, "u_" + std::to_string(u), ObjType::Map), "put user");
        expect(doc.put(user, "name", "User " + std::to_string(u)), "put name");
        expect(doc.put(user, "status", std::string("online")), "put status");
    }
    auto workspaces = expect(doc.put_object(root, "workspaces", ObjType::Map), "put workspaces");
    for (int w = 0; w < chat_workspaces; ++w) {
        auto ws = expect(doc.put_object(workspaces, "ws_" + std::to_string(w), ObjType::Map), "put ws");
        expect(doc.put(ws, "name", "Workspace " + std::to_string(w)), "put name");
        expect(doc.put(ws, "order", std::int64_t{w}), "put order");
    }
    auto channels = expect(doc.put_object(root, "channels", ObjType::Map), "put channels");
    auto messages = expect(doc.put_object(root, "messages", ObjType::Map), "put messages");
    for (int c = 0; c < chat_channels; ++c) {
        auto channel = expect(doc.put_object(channels, channel_id(c), ObjType::Map), "put channel");
        expect(doc.put(channel, "workspace", "ws_" + std::to_string(c % chat_workspaces)), "put workspace");
        expect(doc.put(channel, "name", "channel-" + std::to_string(c)), "put name");
        expect(doc.put(channel, "kind", std::string("text")), "put kind");
        expect(doc.put(channel, "order", std::int64_t{c}), "put order");
        expect(doc.put_object(messages, channel_id(c), ObjType::List), "put message list");
    }
    doc.commit(at(chat_time, "seed"));
}

void send_message(crdt::Document& doc, std::uint64_t n)
{
    auto const ts = chat_time + static_cast<std::int64_t>(n);
    auto list = child(doc, child(doc, crdt::Document::root(), "messages"), channel_id(static_cast<int>(n % chat_channels)));
    auto m = expect(doc.insert_object(list, doc.length(list), ObjType::Map), "insert message");
    expect(doc.put(m, "id", message_id(n)), "put id");
    expect(doc.put(m, "author", "u_" + std::to_string(n % chat_users)), "put author");
    expect(doc.put(m, "ts", ts), "put ts");
    expect(doc.put(m, "parent", n % 10 == 9 && n >= chat_channels ? message_id(n - chat_channels) : std::string()), "put parent");
    expect(doc.put(m, "edited", n % 20 == 0), "put edited");
    auto text = expect(doc.put_object(m, "text", ObjType::Text), "put text");
    expect(doc.splice_text(text, 0, 0, message_text(n)), "splice text");
    auto reactions = expect(doc.put_object(m, "reactions", ObjType::List), "put reactions");
    auto mentions = expect(doc.put_object(m, "mentions", ObjType::List), "put mentions");
    auto history = expect(doc.put_object(m, "history", ObjType::List), "put history");
    if (n % 5 == 0)
        put_map_entry(doc, reactions, 0, {{"emoji", std::string("👍")}, {"user", "u_" + std::to_string((n + 1) % chat_users)}});
    if (n % 7 == 0)
        put_map_entry(doc, mentions, 0, {{"user", "u_" + std::to_string((n + 2) % chat_users)},
                                          {"start", std::int64_t{0}}, {"len", std::int64_t{4}}, {"agent", false}});
    if (n % 20 == 0)
        put_map_entry(doc, history, 0, {{"ts", ts - 1}, {"text", std::string("before the edit")}});
    doc.commit(at(ts));
}

crdt::Document build_chat(crdt::ActorId actor, std::uint64_t messages)
{
    crdt::Document doc(std::move(actor));
    seed_chat(doc);
    for (std::uint64_t n = 0; n < messages; ++n) send_message(doc, n);
    return doc;
}

} // namespace bench
