#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "doc/records/record_json.h"

namespace chat {
namespace {

AgentWork sample_work()
{
    return AgentWork{
        .state = AgentDoing{.did = "read the thread", .about = "call overlay"},
        .since = -5,
        .reasoning = AgentReasoning{.route = AgentRoute::Floor, .why = "fixed rule"},
        .trace = {AgentStep{.id = "s1", .sequence = 1, .resource = "chat.channel:c_a", .label = "look",
                            .outcome = StepApplied{}},
                  AgentStep{.id = "s2", .sequence = 2, .resource = "r", .label = "ask",
                            .outcome = StepRefused{.why = "no access"}}},
    };
}

// Encodes, compares with the exact text, decodes and compares with the value.
template <class Record>
void expect_exact_round_trip(Record const& record, std::string const& text)
{
    EXPECT_EQ(encode_record(record), text);
    auto decoded = decode_record<Record>(text);
    ASSERT_TRUE(decoded.has_value()) << decoded.error();
    EXPECT_TRUE(*decoded == record);
}

TEST(RecordJson, EncodesFieldsInOrderWithNullForAbsentAndTaggedEnumerations)
{
    expect_exact_round_trip(ResourceRef{.kind = "doc", .id = "d1", .label = "Design"},
                            R"({"kind":"doc","id":"d1","label":"Design","span":null})");
    expect_exact_round_trip(
        ResourceRef{.kind = "doc", .id = "d1", .label = "", .span = Span{.start = 3, .end = 9, .unit = SpanUnit::Bytes}},
        R"({"kind":"doc","id":"d1","label":"","span":{"start":3,"end":9,"unit":"Bytes"}})");
    expect_exact_round_trip(Mention{.user = "u_nell", .start = 6, .len = 5, .is_agent = true},
                            R"({"user":"u_nell","start":6,"len":5,"is_agent":true})");
    expect_exact_round_trip(Attachment{ImageAttachment{.name = "a.png", .blob = "b", .w = 640, .h = 480}},
                            R"({"Image":{"name":"a.png","blob":"b","w":640,"h":480}})");
    expect_exact_round_trip(
        Attachment{VideoAttachment{.name = "v.mp4", .blob = "b", .w = 4294967295u, .h = 1, .size = 18446744073709551615u}},
        R"({"Video":{"name":"v.mp4","blob":"b","w":4294967295,"h":1,"size":18446744073709551615}})");
    expect_exact_round_trip(Attachment{FileAttachment{.name = "n\"é\n", .blob = "b", .size = 0}},
                            "{\"File\":{\"name\":\"n\\\"é\\n\",\"blob\":\"b\",\"size\":0}}");
    expect_exact_round_trip(AgentWorkState{AgentDoing{.did = "x", .about = "y"}},
                            R"({"state":"doing","did":"x","about":"y"})");
    expect_exact_round_trip(AgentWorkState{AgentWaiting{.app = "Figma"}}, R"({"state":"waiting","app":"Figma"})");
    expect_exact_round_trip(AgentWorkState{AgentDone{.did = "shipped"}}, R"({"state":"done","did":"shipped"})");
    expect_exact_round_trip(AgentWorkState{AgentRefused{}}, R"({"state":"refused"})");
    expect_exact_round_trip(AgentStepOutcome{StepNoChange{}}, R"({"outcome":"no_change"})");
    expect_exact_round_trip(AgentStepOutcome{StepAsked{}}, R"({"outcome":"asked"})");
    expect_exact_round_trip(AgentReasoning{.route = AgentRoute::Model, .why = "w"}, R"({"route":"model","why":"w"})");
    expect_exact_round_trip(StoredAgentTransition{.state = AgentTaken{}, .since = 1782477600},
                            R"({"state":{"state":"taken"},"since":1782477600})");
    expect_exact_round_trip(
        sample_work(),
        R"({"state":{"state":"doing","did":"read the thread","about":"call overlay"},"since":-5,)"
        R"("reasoning":{"route":"floor","why":"fixed rule"},"trace":[)"
        R"({"id":"s1","sequence":1,"resource":"chat.channel:c_a","label":"look","outcome":{"outcome":"applied"}},)"
        R"({"id":"s2","sequence":2,"resource":"r","label":"ask","outcome":{"outcome":"refused","why":"no access"}}]})");
    expect_exact_round_trip(
        ChatCallContinuation{.workspace_id = "ws",
                             .channel_id = "c_v",
                             .media = {.microphone = true, .share_audio = true},
                             .controls = {.camera_muted = true, .screen_share_paused = true}},
        R"({"workspace_id":"ws","channel_id":"c_v","media":{"microphone":true,"camera":false,)"
        R"("screen_share":false,"share_audio":true},"controls":{"microphone_muted":false,)"
        R"("camera_muted":true,"screen_share_paused":true,"share_audio_muted":false}})");
}

TEST(RecordJson, DecodingAcceptsAnyOrderAbsentOptionalsAndSkipsUnknownMembers)
{
    auto ref = decode_record<ResourceRef>(R"({"label":"L","id":"i","kind":"k"})");
    ASSERT_TRUE(ref.has_value()) << ref.error();
    EXPECT_TRUE(*ref == (ResourceRef{.kind = "k", .id = "i", .label = "L"}));

    // Duplicates of a skipped member are not duplicates of a field.
    auto mention = decode_record<Mention>(
        R"({"extra":1,"is_agent":false,"len":2,"start":1,"user":"u","extra":[{"deep":null}]})");
    ASSERT_TRUE(mention.has_value()) << mention.error();
    EXPECT_TRUE(*mention == (Mention{.user = "u", .start = 1, .len = 2, .is_agent = false}));

    // The state tag sits beside the member's fields, in any position.
    auto state = decode_record<AgentWorkState>(R"({"about":"a","did":"d","state":"doing","note":true})");
    ASSERT_TRUE(state.has_value()) << state.error();
    EXPECT_TRUE((*state == AgentWorkState{AgentDoing{.did = "d", .about = "a"}}));

    auto image = decode_record<Attachment>(R"( {"Image" : {"h":2,"w":1,"blob":"b","name":"n","size":7}} )");
    ASSERT_TRUE(image.has_value()) << image.error();
    EXPECT_TRUE((*image == Attachment{ImageAttachment{.name = "n", .blob = "b", .w = 1, .h = 2}}));
}

struct DecodeErrorCase {
    char const* what;
    std::function<base::Result<void>(std::string_view)> decode;
    char const* input;
    char const* error;
};

template <class Record>
std::function<base::Result<void>(std::string_view)> decoder()
{
    return [](std::string_view text) -> base::Result<void> {
        auto decoded = decode_record<Record>(text);
        if (!decoded)
            return std::move(decoded).take_error();
        return {};
    };
}

TEST(RecordJson, DecodingErrorsNameTheProblem)
{
    std::string const deep = std::string(200, '[') + std::string(200, ']');
    DecodeErrorCase const cases[] = {
        {"missing required", decoder<Mention>(), R"({"user":"u","start":0,"len":1})", "missing field `is_agent`"},
        {"duplicate field", decoder<Mention>(), R"({"user":"u","user":"v","start":0,"len":1,"is_agent":false})",
         "duplicate field `user`"},
        {"integer for string", decoder<Mention>(), R"({"user":5,"start":0,"len":1,"is_agent":false})",
         "invalid type: integer `5`, expected a string"},
        {"null for required", decoder<ResourceRef>(), R"({"kind":null,"id":"i","label":"l"})",
         "invalid type: null, expected a string"},
        {"negative unsigned", decoder<Mention>(), R"({"user":"u","start":-1,"len":1,"is_agent":false})",
         "invalid value: integer `-1`, expected u64"},
        {"string for bool", decoder<Mention>(), R"({"user":"u","start":0,"len":1,"is_agent":"x"})",
         "invalid type: string \"x\", expected a boolean"},
        {"u32 overflow", decoder<Attachment>(), R"({"Image":{"name":"n","blob":"b","w":4294967296,"h":1}})",
         "invalid value: integer `4294967296`, expected u32"},
        {"float for i64", decoder<StoredAgentTransition>(), R"({"state":{"state":"taken"},"since":1.5})",
         "invalid type: floating point `1.5`, expected i64"},
        {"i64 overflow", decoder<StoredAgentTransition>(), R"({"state":{"state":"taken"},"since":9223372036854775808})",
         "invalid value: integer `9223372036854775808`, expected i64"},
        {"two attachment keys", decoder<Attachment>(),
         R"({"File":{"name":"n","blob":"b","size":1},"Image":{"name":"n","blob":"b","w":1,"h":1}})",
         "invalid value: map, expected map with a single key"},
        {"empty attachment", decoder<Attachment>(), "{}", "invalid value: map, expected map with a single key"},
        {"unknown attachment", decoder<Attachment>(), R"({"Audio":{"name":"n"}})",
         "unknown variant `Audio`, expected one of `Image`, `Video`, `File`"},
        {"attachment member case", decoder<Attachment>(), R"({"image":{"name":"n","blob":"b","w":1,"h":1}})",
         "unknown variant `image`, expected one of `Image`, `Video`, `File`"},
        {"attachment not an object", decoder<Attachment>(), R"("File")",
         "invalid type: string \"File\", expected enum Attachment"},
        {"unknown state", decoder<AgentWorkState>(), R"({"state":"paused"})",
         "unknown variant `paused`, expected one of `taken`, `waiting`, `doing`, `done`, `refused`"},
        {"missing state tag", decoder<AgentWorkState>(), R"({"did":"x"})", "missing field `state`"},
        {"state tag not text", decoder<AgentWorkState>(), R"({"state":3})",
         "invalid type: integer `3`, expected variant identifier"},
        {"state member field", decoder<AgentWorkState>(), R"({"state":"doing","did":"x"})", "missing field `about`"},
        {"refusal without reason", decoder<AgentStepOutcome>(), R"({"outcome":"refused"})", "missing field `why`"},
        {"nested outcome", decoder<AgentStep>(),
         R"({"id":"s","sequence":0,"resource":"r","label":"l","outcome":{"outcome":"skipped"}})",
         "unknown variant `skipped`, expected one of `asked`, `applied`, `no_change`, `refused`"},
        {"route case", decoder<AgentReasoning>(), R"({"route":"Model","why":""})",
         "unknown variant `Model`, expected `model` or `floor`"},
        {"span unit", decoder<Span>(), R"({"start":0,"end":1,"unit":"chars"})",
         "unknown variant `chars`, expected `Chars` or `Bytes`"},
        {"array for struct", decoder<Span>(), "[0,1,\"Chars\"]", "invalid type: sequence, expected struct Span"},
        {"trace not a list", decoder<AgentWork>(),
         R"({"state":{"state":"taken"},"since":0,"reasoning":{"route":"model","why":""},"trace":{}})",
         "invalid type: map, expected a sequence"},
        {"continuation extra member", decoder<ChatCallContinuation>(),
         R"({"workspace_id":"w","channel_id":"c","extra":1,"media":{"microphone":true,"camera":false,)"
         R"("screen_share":false,"share_audio":false},"controls":{"microphone_muted":false,"camera_muted":false,)"
         R"("screen_share_paused":false,"share_audio_muted":false}})",
         "unknown field `extra`, expected one of `workspace_id`, `channel_id`, `media`, `controls`"},
        {"facets extra member", decoder<RealtimeMediaFacets>(),
         R"({"microphone":true,"camera":false,"screen_share":false,"share_audio":false,"video":true})",
         "unknown field `video`, expected one of `microphone`, `camera`, `screen_share`, `share_audio`"},
        {"intent extra member", decoder<RealtimeControlIntent>(),
         R"({"microphone_muted":true,"camera_muted":false,"screen_share_paused":false,"share_audio_muted":false,"x":0})",
         "unknown field `x`, expected one of `microphone_muted`, `camera_muted`, `screen_share_paused`, "
         "`share_audio_muted`"},
        {"too deep", decoder<Span>(), deep.c_str(), "recursion limit exceeded"},
    };
    for (auto const& test : cases) {
        SCOPED_TRACE(test.what);
        auto decoded = test.decode(test.input);
        ASSERT_FALSE(decoded.has_value());
        EXPECT_EQ(decoded.error(), test.error);
    }
}

TEST(RecordJson, MalformedTextIsAParseErrorNotACrash)
{
    char const* const inputs[] = {"", "{", R"({"user":"u",})", R"({"user":"u"} trailing)", "nul", "{\"a\":\"\xff\"}",
                                  R"({"kind":"k","id":"i","label":"l"}{})"};
    for (auto const* input : inputs) {
        SCOPED_TRACE(input);
        auto decoded = decode_record<ResourceRef>(input);
        ASSERT_FALSE(decoded.has_value());
        EXPECT_NE(decoded.error().find("parse error"), std::string::npos) << decoded.error();
    }
}

TEST(RecordJson, InvalidUtf8IsWrittenWithReplacementCharacters)
{
    auto text = encode_record(ResourceRef{.kind = "k\xff", .id = "i", .label = "l"});
    auto decoded = decode_record<ResourceRef>(text);
    ASSERT_TRUE(decoded.has_value()) << decoded.error();
    EXPECT_EQ(decoded->kind, "k\xEF\xBF\xBD");
}

} // namespace
} // namespace chat
