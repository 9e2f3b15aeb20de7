#include "doc/records/record_json.h"

namespace chat {

constexpr std::array<std::string_view, 2> span_unit_names{"Chars", "Bytes"};
constexpr std::array<std::string_view, 2> agent_route_names{"model", "floor"};
constexpr std::array<std::string_view, 2> channel_kind_names{"Text", "Voice"};

template <>
struct JsonShape<Span> {
    static constexpr std::string_view name = "Span";
    static constexpr auto fields = std::tuple{json_field("start", &Span::start), json_field("end", &Span::end),
                                              json_field("unit", &Span::unit)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<ResourceRef> {
    static constexpr std::string_view name = "ResourceRef";
    static constexpr auto fields =
        std::tuple{json_field("kind", &ResourceRef::kind), json_field("id", &ResourceRef::id),
                   json_field("label", &ResourceRef::label), json_field("span", &ResourceRef::span)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<Mention> {
    static constexpr std::string_view name = "Mention";
    static constexpr auto fields = std::tuple{json_field("user", &Mention::user), json_field("start", &Mention::start),
                                              json_field("len", &Mention::len),
                                              json_field("is_agent", &Mention::is_agent)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<ImageAttachment> {
    static constexpr std::string_view name = "Image";
    static constexpr auto fields =
        std::tuple{json_field("name", &ImageAttachment::name), json_field("blob", &ImageAttachment::blob),
                   json_field("w", &ImageAttachment::w), json_field("h", &ImageAttachment::h)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<VideoAttachment> {
    static constexpr std::string_view name = "Video";
    static constexpr auto fields =
        std::tuple{json_field("name", &VideoAttachment::name), json_field("blob", &VideoAttachment::blob),
                   json_field("w", &VideoAttachment::w), json_field("h", &VideoAttachment::h),
                   json_field("size", &VideoAttachment::size)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<FileAttachment> {
    static constexpr std::string_view name = "File";
    static constexpr auto fields = std::tuple{json_field("name", &FileAttachment::name),
                                              json_field("blob", &FileAttachment::blob),
                                              json_field("size", &FileAttachment::size)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<AgentTaken> {
    static constexpr std::string_view name = "taken";
    static constexpr auto fields = std::tuple{};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<AgentWaiting> {
    static constexpr std::string_view name = "waiting";
    static constexpr auto fields = std::tuple{json_field("app", &AgentWaiting::app)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<AgentDoing> {
    static constexpr std::string_view name = "doing";
    static constexpr auto fields =
        std::tuple{json_field("did", &AgentDoing::did), json_field("about", &AgentDoing::about)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<AgentDone> {
    static constexpr std::string_view name = "done";
    static constexpr auto fields = std::tuple{json_field("did", &AgentDone::did)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<AgentRefused> {
    static constexpr std::string_view name = "refused";
    static constexpr auto fields = std::tuple{};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<AgentReasoning> {
    static constexpr std::string_view name = "AgentReasoning";
    static constexpr auto fields =
        std::tuple{json_field("route", &AgentReasoning::route), json_field("why", &AgentReasoning::why)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<StepAsked> {
    static constexpr std::string_view name = "asked";
    static constexpr auto fields = std::tuple{};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<StepApplied> {
    static constexpr std::string_view name = "applied";
    static constexpr auto fields = std::tuple{};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<StepNoChange> {
    static constexpr std::string_view name = "no_change";
    static constexpr auto fields = std::tuple{};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<StepRefused> {
    static constexpr std::string_view name = "refused";
    static constexpr auto fields = std::tuple{json_field("why", &StepRefused::why)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<AgentStep> {
    static constexpr std::string_view name = "AgentStep";
    static constexpr auto fields =
        std::tuple{json_field("id", &AgentStep::id), json_field("sequence", &AgentStep::sequence),
                   json_field("resource", &AgentStep::resource), json_field("label", &AgentStep::label),
                   json_field("outcome", &AgentStep::outcome)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<AgentWork> {
    static constexpr std::string_view name = "AgentWork";
    static constexpr auto fields =
        std::tuple{json_field("state", &AgentWork::state), json_field("since", &AgentWork::since),
                   json_field("reasoning", &AgentWork::reasoning), json_field("trace", &AgentWork::trace)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<StoredAgentTransition> {
    static constexpr std::string_view name = "StoredAgentTransition";
    static constexpr auto fields = std::tuple{json_field("state", &StoredAgentTransition::state),
                                              json_field("since", &StoredAgentTransition::since)};
    static constexpr bool refuses_unknown = false;
};

template <>
struct JsonShape<RealtimeMediaFacets> {
    static constexpr std::string_view name = "RealtimeMediaFacets";
    static constexpr auto fields = std::tuple{json_field("microphone", &RealtimeMediaFacets::microphone),
                                              json_field("camera", &RealtimeMediaFacets::camera),
                                              json_field("screen_share", &RealtimeMediaFacets::screen_share),
                                              json_field("share_audio", &RealtimeMediaFacets::share_audio)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<RealtimeControlIntent> {
    static constexpr std::string_view name = "RealtimeControlIntent";
    static constexpr auto fields =
        std::tuple{json_field("microphone_muted", &RealtimeControlIntent::microphone_muted),
                   json_field("camera_muted", &RealtimeControlIntent::camera_muted),
                   json_field("screen_share_paused", &RealtimeControlIntent::screen_share_paused),
                   json_field("share_audio_muted", &RealtimeControlIntent::share_audio_muted)};
    static constexpr bool refuses_unknown = true;
};

template <>
struct JsonShape<ChatCallContinuation> {
    static constexpr std::string_view name = "ChatCallContinuation";
    static constexpr auto fields = std::tuple{json_field("workspace_id", &ChatCallContinuation::workspace_id),
                                              json_field("channel_id", &ChatCallContinuation::channel_id),
                                              json_field("media", &ChatCallContinuation::media),
                                              json_field("controls", &ChatCallContinuation::controls)};
    static constexpr bool refuses_unknown = true;
};

constexpr std::string_view state_tag = "state";
constexpr std::string_view outcome_tag = "outcome";

void write_json(JsonOut& out, SpanUnit value) { write_unit_enum(out, value, span_unit_names); }
void write_json(JsonOut& out, ChannelKind value) { write_unit_enum(out, value, channel_kind_names); }
void write_json(JsonOut& out, Span const& value) { write_struct(out, value); }
void write_json(JsonOut& out, ResourceRef const& value) { write_struct(out, value); }
void write_json(JsonOut& out, Mention const& value) { write_struct(out, value); }
void write_json(JsonOut& out, Attachment const& value) { write_external(out, value); }
void write_json(JsonOut& out, AgentWorkState const& value) { write_internal(out, value, state_tag); }
void write_json(JsonOut& out, AgentRoute value) { write_unit_enum(out, value, agent_route_names); }
void write_json(JsonOut& out, AgentReasoning const& value) { write_struct(out, value); }
void write_json(JsonOut& out, AgentStepOutcome const& value) { write_internal(out, value, outcome_tag); }
void write_json(JsonOut& out, AgentStep const& value) { write_struct(out, value); }
void write_json(JsonOut& out, AgentWork const& value) { write_struct(out, value); }
void write_json(JsonOut& out, StoredAgentTransition const& value) { write_struct(out, value); }
void write_json(JsonOut& out, RealtimeMediaFacets const& value) { write_struct(out, value); }
void write_json(JsonOut& out, RealtimeControlIntent const& value) { write_struct(out, value); }
void write_json(JsonOut& out, ChatCallContinuation const& value) { write_struct(out, value); }

base::Result<void> read_json(json::Value const& in, SpanUnit& out)
{
    return read_unit_enum(in, out, span_unit_names, "SpanUnit");
}
base::Result<void> read_json(json::Value const& in, ChannelKind& out)
{
    return read_unit_enum(in, out, channel_kind_names, "ChannelKind");
}
base::Result<void> read_json(json::Value const& in, Span& out) { return read_struct(in, out); }
base::Result<void> read_json(json::Value const& in, ResourceRef& out) { return read_struct(in, out); }
base::Result<void> read_json(json::Value const& in, Mention& out) { return read_struct(in, out); }
base::Result<void> read_json(json::Value const& in, Attachment& out) { return read_external(in, out, "Attachment"); }
base::Result<void> read_json(json::Value const& in, AgentWorkState& out)
{
    return read_internal(in, out, state_tag, "AgentWorkState");
}
base::Result<void> read_json(json::Value const& in, AgentRoute& out)
{
    return read_unit_enum(in, out, agent_route_names, "AgentRoute");
}
base::Result<void> read_json(json::Value const& in, AgentReasoning& out) { return read_struct(in, out); }
base::Result<void> read_json(json::Value const& in, AgentStepOutcome& out)
{
    return read_internal(in, out, outcome_tag, "AgentStepOutcome");
}
base::Result<void> read_json(json::Value const& in, AgentStep& out) { return read_struct(in, out); }
base::Result<void> read_json(json::Value const& in, AgentWork& out) { return read_struct(in, out); }
base::Result<void> read_json(json::Value const& in, StoredAgentTransition& out) { return read_struct(in, out); }
base::Result<void> read_json(json::Value const& in, RealtimeMediaFacets& out) { return read_struct(in, out); }
base::Result<void> read_json(json::Value const& in, RealtimeControlIntent& out) { return read_struct(in, out); }
base::Result<void> read_json(json::Value const& in, ChatCallContinuation& out) { return read_struct(in, out); }


} // namespace chat
