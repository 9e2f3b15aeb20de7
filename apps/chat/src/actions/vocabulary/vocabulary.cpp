#include "actions/vocabulary/vocabulary.h"

#include "actions/vocabulary/shapes.h"

namespace chat {
namespace {

template <class Variant>
std::string encode_external(Variant const& value)
{
    JsonOut out;
    write_external(out, value);
    return dump_json(out);
}

template <class Variant>
base::Result<Variant> decode_external(std::string_view text, std::string_view enum_name)
{
    auto tree = json::parse(text);
    if (!tree)
        return std::move(tree).take_error();
    Variant value;
    auto read = read_external(*tree, value, enum_name);
    if (!read)
        return std::move(read).take_error();
    return value;
}

template <class Variant>
std::string_view member_name(Variant const& value)
{
    return detail::variant_names<Variant>[value.index()];
}

} // namespace

EncodedAction encode_chat_action(ChatAction const& action)
{
    return {std::string(chat_action_kind), encode_external(action)};
}

EncodedAction encode_chat_operation(ChatOperation const& operation)
{
    return {std::string(chat_operation_kind), encode_external(operation)};
}

base::Result<ChatAction> decode_chat_action(std::string_view json)
{
    return decode_external<ChatAction>(json, "ChatAction");
}

base::Result<ChatOperation> decode_chat_operation(std::string_view json)
{
    return decode_external<ChatOperation>(json, "ChatOperation");
}

std::string_view chat_action_name(ChatAction const& action) { return member_name(action); }
std::string_view chat_operation_name(ChatOperation const& operation) { return member_name(operation); }

std::optional<std::string> encoded_member_name(std::string_view text)
{
    auto tree = json::parse(text);
    if (!tree)
        return std::nullopt;
    auto const* object = tree->as_object();
    if (!object || object->empty())
        return std::nullopt;
    return object->front().key;
}

bool is_destructive(ChatAction const& action)
{
    return std::holds_alternative<action::DeleteMessage>(action) ||
           std::holds_alternative<action::DeleteCategory>(action) ||
           std::holds_alternative<action::DeleteChannel>(action);
}

std::int64_t timestamp_at(std::chrono::system_clock::time_point when)
{
    if (when < std::chrono::system_clock::time_point{})
        return fallback_timestamp;
    return std::chrono::duration_cast<std::chrono::seconds>(when.time_since_epoch()).count();
}

std::int64_t timestamp_now() { return timestamp_at(std::chrono::system_clock::now()); }

} // namespace chat
