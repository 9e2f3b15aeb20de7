#pragma once

// JSON encodings of the stored records. Every field is always written, in
// the record's field order, absent optionals as null. Decoding is strict
// about types, duplicates and missing fields; members it does not know are
// skipped, except by ChatCallContinuation and its two parts, which refuse them.
//
//   std::string text = chat::encode_record(reference);
//   base::Result<chat::ResourceRef> back = chat::decode_record<chat::ResourceRef>(text);

#include <string>
#include <string_view>

#include "base/result.h"
#include "doc/records/agent_work.h"
#include "doc/records/attachment.h"
#include "doc/records/call_continuation.h"
#include "doc/records/channel_kind.h"
#include "doc/records/json_codec.h"
#include "doc/records/mention.h"
#include "doc/records/resource_ref.h"
#include "doc/records/span.h"

namespace chat {

// Building blocks for encodings that nest these records (chat actions).
void write_json(JsonOut&, SpanUnit);
void write_json(JsonOut&, ChannelKind);
void write_json(JsonOut&, Span const&);
void write_json(JsonOut&, ResourceRef const&);
void write_json(JsonOut&, Mention const&);
void write_json(JsonOut&, Attachment const&);
void write_json(JsonOut&, AgentWorkState const&);
void write_json(JsonOut&, AgentRoute);
void write_json(JsonOut&, AgentReasoning const&);
void write_json(JsonOut&, AgentStepOutcome const&);
void write_json(JsonOut&, AgentStep const&);
void write_json(JsonOut&, AgentWork const&);
void write_json(JsonOut&, StoredAgentTransition const&);
void write_json(JsonOut&, RealtimeMediaFacets const&);
void write_json(JsonOut&, RealtimeControlIntent const&);
void write_json(JsonOut&, ChatCallContinuation const&);

base::Result<void> read_json(json::Value const&, SpanUnit&);
base::Result<void> read_json(json::Value const&, ChannelKind&);
base::Result<void> read_json(json::Value const&, Span&);
base::Result<void> read_json(json::Value const&, ResourceRef&);
base::Result<void> read_json(json::Value const&, Mention&);
base::Result<void> read_json(json::Value const&, Attachment&);
base::Result<void> read_json(json::Value const&, AgentWorkState&);
base::Result<void> read_json(json::Value const&, AgentRoute&);
base::Result<void> read_json(json::Value const&, AgentReasoning&);
base::Result<void> read_json(json::Value const&, AgentStepOutcome&);
base::Result<void> read_json(json::Value const&, AgentStep&);
base::Result<void> read_json(json::Value const&, AgentWork&);
base::Result<void> read_json(json::Value const&, StoredAgentTransition&);
base::Result<void> read_json(json::Value const&, RealtimeMediaFacets&);
base::Result<void> read_json(json::Value const&, RealtimeControlIntent&);
base::Result<void> read_json(json::Value const&, ChatCallContinuation&);

// Serialises any record above as compact JSON text; cannot fail.
template <class Record>
std::string encode_record(Record const& record)
{
    JsonOut out;
    write_json(out, record);
    return dump_json(out);
}

// Parses JSON text into any record above.
template <class Record>
base::Result<Record> decode_record(std::string_view text)
{
    auto tree = json::parse(text);
    if (!tree)
        return std::move(tree).take_error();
    Record record{};
    auto read = read_json(*tree, record);
    if (!read)
        return std::move(read).take_error();
    return record;
}

} // namespace chat
