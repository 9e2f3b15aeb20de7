#include "model/participants.h"

#include <algorithm>

#include "doc/read.h"

namespace chat {
namespace {

// Codec names separated by commas; empty pieces are dropped, nothing is trimmed.
std::vector<std::string> split_codecs(std::string_view text)
{
    std::vector<std::string> names;
    while (!text.empty()) {
        auto const comma = text.find(',');
        auto const piece = text.substr(0, comma);
        if (!piece.empty())
            names.emplace_back(piece);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return names;
}

CallParticipant read_participant(crdt::Document const& doc, std::string const& user, crdt::ObjId const& record)
{
    auto const flag = [&](std::string_view key) { return doc::read_boolean(doc, record, key).value_or(false); };
    auto ticket = doc::read_string(doc, record, "ticket");
    if (ticket && ticket->empty())
        ticket.reset();
    std::optional<VideoDecoders> decoders;
    // The software list decides whether the participant announced decoders at all.
    if (auto const software = doc::read_string(doc, record, "video_sw_decode"))
        decoders = VideoDecoders{split_codecs(doc::read_string(doc, record, "video_hw_decode").value_or("")),
                                 split_codecs(*software)};
    return CallParticipant{
        .user = user,
        .ticket = std::move(ticket),
        .video_decoders = std::move(decoders),
        .talking = flag("talking"),
        .muted = flag("muted"),
        .deafened = flag("deafened"),
        .audio_only = flag("audio_only"),
        .sharing = flag("sharing"),
    };
}

} // namespace

std::vector<CallParticipant> list_participants(crdt::Document const& doc, std::string_view channel)
{
    std::vector<CallParticipant> participants;
    auto const voice = doc::read_map(doc, crdt::Document::root(), "voice");
    if (!voice)
        return participants;
    auto const call = doc::read_map(doc, *voice, channel);
    if (!call)
        return participants;
    for (auto const& user : doc.keys(*call)) {
        if (auto const record = doc::read_map(doc, *call, user))
            participants.push_back(read_participant(doc, user, *record));
    }
    // Keys come in ascending order; the stable partition keeps it in each group.
    std::stable_partition(participants.begin(), participants.end(),
                          [](CallParticipant const& participant) { return participant.talking; });
    return participants;
}

} // namespace chat
