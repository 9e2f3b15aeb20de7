#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "actions/vocabulary/vocabulary.h"

namespace chat {
namespace {

std::vector<ChatAction> every_action()
{
    using namespace action;
    return {
        SendMessage{.channel = "c_general",
                    .id = "m_1",
                    .author = "u_me",
                    .ts = 1782477600,
                    .text = "hi @Nell",
                    .parent = "m_root",
                    .attachment = Attachment{VideoAttachment{.name = "v", .blob = "b", .w = 2, .h = 3, .size = 4}},
                    .mentions = {Mention{.user = "u_nell", .start = 3, .len = 5, .is_agent = true}},
                    .reference = ResourceRef{.kind = "k", .id = "i", .label = "l", .span = Span{1, 2, SpanUnit::Chars}}},
        EditMessage{.channel = "c_huddle", .id = "m_me2", .text = "edited", .ts = -1},
        DeleteMessage{.channel = "c", .id = "m"},
        AddReaction{.channel = "c", .msg = "m", .emoji = "👍", .user = "u"},
        RemoveReaction{.channel = "c", .msg = "m", .emoji = "🎉", .user = "u"},
        PinMessage{.channel = "c", .msg = "m", .pinned = true},
        CreateChannel{.workspace = "ws", .category = "", .id = "c_x", .name = "lobby", .kind = ChannelKind::Voice},
        CreateCategory{.workspace = "ws", .id = "cat_x", .name = "Text"},
        RenameCategory{.id = "cat_x", .name = "Renamed"},
        DeleteCategory{.id = "cat_x"},
        SetCategoryCollapsed{.id = "cat_x", .collapsed = true},
        ReorderChannel{.id = "c_x", .up = false},
        RenameChannel{.id = "c_x", .name = "n"},
        DeleteChannel{.id = "c_x"},
        ArchiveChannel{.id = "c_x", .archived = true},
        MarkRead{.channel = "c", .user = "u", .count = 12},
        SetAgentWork{.channel = "c",
                     .msg = "m",
                     .work = AgentWork{.state = AgentWaiting{.app = "review"},
                                       .since = 5,
                                       .reasoning = {AgentRoute::Model, "why"},
                                       .trace = {AgentStep{"s", 1, "r", "l", StepRefused{"no"}}}},
                     .say = "on it"},
        JoinCall{.channel = "c_v", .user = "u"},
        LeaveCall{.channel = "c_v", .user = "u"},
        SetCallState{.channel = "c_v", .user = "u", .talking = true, .muted = false, .deafened = true, .audio_only = true},
        SetScreenShare{.channel = "c_v", .user = "u", .sharing = true},
        SetCallTicket{.channel = "c_v", .user = "u", .ticket = "ticket-bytes"},
        SetCallVideoCaps{.channel = "c_v", .user = "u", .hardware_decode = {"hevc-main10"}, .software_decode = {"vp9", "av1"}},
    };
}

std::vector<ChatOperation> every_operation()
{
    using namespace operation;
    return {
        OpenWorkspace{.workspace = "ws_home"},
        OpenChannel{.workspace = "ws_home", .channel = "c_general"},
        OpenCategory{.workspace = "ws_home", .category = "cat_home_text"},
        RevealMessage{.workspace = "ws", .channel = "c", .message = "m", .parent = "m_root"},
        OpenPerson{.user = "u_nell"},
        ImportAttachment{.channel = "c", .path = "/tmp/a b.png"},
    };
}

TEST(Vocabulary, EveryMemberRoundTripsUnderItsOwnNameAndKind)
{
    auto actions = every_action();
    ASSERT_EQ(actions.size(), std::variant_size_v<ChatAction>);
    for (std::size_t index = 0; index < actions.size(); ++index) {
        ASSERT_EQ(actions[index].index(), index) << "table out of order";
        auto encoded = encode_chat_action(actions[index]);
        SCOPED_TRACE(encoded.json);
        EXPECT_EQ(encoded.kind, "chat.action");
        EXPECT_EQ(encoded_member_name(encoded.json), std::string(chat_action_name(actions[index])));
        auto decoded = decode_chat_action(encoded.json);
        ASSERT_TRUE(decoded.has_value()) << decoded.error();
        EXPECT_TRUE(*decoded == actions[index]);
    }
    auto operations = every_operation();
    ASSERT_EQ(operations.size(), std::variant_size_v<ChatOperation>);
    for (std::size_t index = 0; index < operations.size(); ++index) {
        ASSERT_EQ(operations[index].index(), index) << "table out of order";
        auto encoded = encode_chat_operation(operations[index]);
        SCOPED_TRACE(encoded.json);
        EXPECT_EQ(encoded.kind, "chat.operation");
        EXPECT_EQ(encoded_member_name(encoded.json), std::string(chat_operation_name(operations[index])));
        auto decoded = decode_chat_operation(encoded.json);
        ASSERT_TRUE(decoded.has_value()) << decoded.error();
        EXPECT_TRUE(*decoded == operations[index]);
    }
}

TEST(Vocabulary, EncodesTheExactExternallyTaggedForm)
{
    using namespace action;
    struct Case {
        ChatAction action;
        char const* json;
    };
    Case const cases[] = {
        {EditMessage{"c_huddle", "m_me2", "new", 1782477600},
         R"({"EditMessage":{"channel":"c_huddle","id":"m_me2","text":"new","ts":1782477600}})"},
        {SendMessage{.channel = "c", .id = "m", .author = "u", .ts = 7, .text = "t"},
         R"({"SendMessage":{"channel":"c","id":"m","author":"u","ts":7,"text":"t","parent":null,)"
         R"("attachment":null,"mentions":[],"reference":null}})"},
        {ReorderChannel{"c_x", false}, R"({"ReorderChannel":{"id":"c_x","up":false}})"},
        {SetCallVideoCaps{"c", "u", {}, {}},
         R"({"SetCallVideoCaps":{"channel":"c","user":"u","hardware_decode":[],"software_decode":[]}})"},
        {CreateChannel{"ws", "cat", "c_x", "lobby", ChannelKind::Voice},
         R"({"CreateChannel":{"workspace":"ws","category":"cat","id":"c_x","name":"lobby","kind":"Voice"}})"},
        {SetAgentWork{"c", "m", AgentWork{AgentTaken{}, 3, {AgentRoute::Floor, ""}, {}}, std::nullopt},
         R"({"SetAgentWork":{"channel":"c","msg":"m","work":{"state":{"state":"taken"},"since":3,)"
         R"("reasoning":{"route":"floor","why":""},"trace":[]},"say":null}})"},
    };
    for (auto const& test : cases)
        EXPECT_EQ(encode_chat_action(test.action).json, test.json);
    EXPECT_EQ(encode_chat_operation(operation::RevealMessage{"ws", "c", "m", std::nullopt}).json,
              R"({"RevealMessage":{"workspace":"ws","channel":"c","message":"m","parent":null}})");
}

TEST(Vocabulary, OptionalFieldsMayBeNullOrLeftOut)
{
    auto decoded = decode_chat_action(R"({"SendMessage":{"text":"t","ts":7,"author":"u","id":"m","channel":"c",)"
                                      R"("mentions":[],"parent":null}})");
    ASSERT_TRUE(decoded.has_value()) << decoded.error();
    EXPECT_TRUE((*decoded == ChatAction{action::SendMessage{.channel = "c", .id = "m", .author = "u", .ts = 7, .text = "t"}}));
}

TEST(Vocabulary, DecodingErrorsNameTheProblem)
{
    struct Case {
        char const* input;
        char const* error;
    };
    Case const cases[] = {
        {R"({"DeleteMessage":{"channel":"c","id":"m"},"DeleteChannel":{"id":"c"}})",
         "invalid value: map, expected map with a single key"},
        {R"({"deleteMessage":{"channel":"c","id":"m"}})",
         "unknown variant `deleteMessage`, expected one of `SendMessage`, `EditMessage`, `DeleteMessage`, "
         "`AddReaction`, `RemoveReaction`, `PinMessage`, `CreateChannel`, `CreateCategory`, `RenameCategory`, "
         "`DeleteCategory`, `SetCategoryCollapsed`, `ReorderChannel`, `RenameChannel`, `DeleteChannel`, "
         "`ArchiveChannel`, `MarkRead`, `SetAgentWork`, `JoinCall`, `LeaveCall`, `SetCallState`, `SetScreenShare`, "
         "`SetCallTicket`, `SetCallVideoCaps`"},
        {R"({"DeleteMessage":{"channel":"c","id":"m","why":"spam"}})",
         "unknown field `why`, expected `channel` or `id`"},
        {R"({"DeleteChannel":{"id":"a","id":"b"}})", "duplicate field `id`"},
        {R"({"MarkRead":{"channel":"c","user":"u"}})", "missing field `count`"},
        {R"({"MarkRead":{"channel":"c","user":"u","count":"3"}})", "invalid type: string \"3\", expected i64"},
        {R"({"PinMessage":{"channel":"c","msg":"m","pinned":1}})", "invalid type: integer `1`, expected a boolean"},
        {R"({"CreateChannel":{"workspace":"w","category":"","id":"c","name":"n","kind":"voice"}})",
         "unknown variant `voice`, expected `Text` or `Voice`"},
        {R"({"SetCallVideoCaps":{"channel":"c","user":"u","hardware_decode":"vp9","software_decode":[]}})",
         "invalid type: string \"vp9\", expected a sequence"},
        {R"({"SendMessage":{"channel":"c","id":"m","author":"u","ts":1,"text":"t","mentions":[{"user":"u"}]}})",
         "missing field `start`"},
        {R"(["DeleteChannel",{"id":"c"}])", "invalid type: sequence, expected enum ChatAction"},
        {R"({"DeleteChannel":null})", "invalid type: null, expected struct DeleteChannel"},
    };
    for (auto const& test : cases) {
        SCOPED_TRACE(test.input);
        auto decoded = decode_chat_action(test.input);
        ASSERT_FALSE(decoded.has_value());
        EXPECT_EQ(decoded.error(), test.error);
    }
    auto operation = decode_chat_operation(R"({"OpenPerson":{"user":"u","extra":0}})");
    ASSERT_FALSE(operation.has_value());
    EXPECT_EQ(operation.error(), "unknown field `extra`, expected `user`");
    EXPECT_FALSE(decode_chat_operation(R"({"OpenChannel":{"workspace":"w"}})").has_value());
}

TEST(Vocabulary, OnlyTheThreeDeletionsAreDestructive)
{
    for (auto const& action : every_action()) {
        auto name = chat_action_name(action);
        bool const deletion = name == "DeleteMessage" || name == "DeleteCategory" || name == "DeleteChannel";
        EXPECT_EQ(is_destructive(action), deletion) << name;
    }
}

TEST(Vocabulary, TimestampsFallBackBeforeTheEpoch)
{
    using namespace std::chrono;
    EXPECT_EQ(timestamp_at(system_clock::time_point{} + seconds{1700000000} + milliseconds{999}), 1700000000);
    EXPECT_EQ(timestamp_at(system_clock::time_point{}), 0);
    EXPECT_EQ(timestamp_at(system_clock::time_point{} - milliseconds{1}), fallback_timestamp);
    EXPECT_EQ(fallback_timestamp, 1782477600);
}

TEST(Vocabulary, MemberNameOfUndecodableText)
{
    EXPECT_EQ(encoded_member_name(R"({"Frobnicate":{"x":1}})"), "Frobnicate");
    EXPECT_EQ(encoded_member_name("{}"), std::nullopt);
    EXPECT_EQ(encoded_member_name("[1]"), std::nullopt);
    EXPECT_EQ(encoded_member_name("not json"), std::nullopt);
}

} // namespace
} // namespace chat
