#pragma once

// Which call the application was in and how, kept so that the call can be
// resumed. The media and control records mirror the framework's
// realtime-continuity records field for field.

#include <string>

namespace chat {

struct RealtimeMediaFacets {
    bool microphone = false;
    bool camera = false;
    bool screen_share = false;
    bool share_audio = false;

    bool operator==(RealtimeMediaFacets const&) const = default;
};

struct RealtimeControlIntent {
    bool microphone_muted = false;
    bool camera_muted = false;
    bool screen_share_paused = false;
    bool share_audio_muted = false;

    bool operator==(RealtimeControlIntent const&) const = default;
};

struct ChatCallContinuation {
    std::string workspace_id;
    std::string channel_id;
    RealtimeMediaFacets media;
    RealtimeControlIntent controls;

    bool operator==(ChatCallContinuation const&) const = default;
};

} // namespace chat
