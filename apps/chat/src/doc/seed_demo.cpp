#include "doc/apply.h"
#include "doc/create.h"
#include "doc/ids.h"
#include "doc/messages.h"
#include "doc/seed.h"
#include "doc/write.h"

#include <array>

namespace chat::doc {

namespace {

struct DemoUser {
    char const* id;
    UserFields fields;
};

constexpr std::array demo_users{
    DemoUser{"u_me", {"You", "YU", 0, Presence::Online}},
    DemoUser{"u_nell", {"Nell Yates", "NY", 1, Presence::Online}},
    DemoUser{"u_rune", {"Rune Hale", "RH", 2, Presence::Idle}},
    DemoUser{"u_lise", {"Lise Moreau", "LM", 3, Presence::Online}},
    DemoUser{"u_tomas", {"Tomas Berg", "TB", 5, Presence::DoNotDisturb}},
    DemoUser{"u_pia", {"Pia Lund", "PL", 6, Presence::Offline}},
};

struct DemoWorkspace {
    char const* id;
    WorkspaceFields fields;
};

constexpr std::array demo_workspaces{
    DemoWorkspace{"ws_acme", {"Acme Design", "AD", 0, 0}},
    DemoWorkspace{"ws_orvo", {"Orvo Core", "OC", 1, 1}},
    DemoWorkspace{"ws_jam", {"Weekend Jam", "WJ", 3, 2}},
};

struct DemoCategory {
    char const* id;
    CategoryFields fields;
};

constexpr std::array demo_categories{
    DemoCategory{"cat_acme_main", {"ws_acme", "Channels", 0}},
    DemoCategory{"cat_acme_voice", {"ws_acme", "Voice", 1}},
    DemoCategory{"cat_orvo_eng", {"ws_orvo", "Engineering", 0}},
    DemoCategory{"cat_orvo_voice", {"ws_orvo", "Voice", 1}},
    DemoCategory{"cat_jam_main", {"ws_jam", "Hangout", 0}},
};

struct DemoChannel {
    char const* id;
    ChannelFields fields;
};

constexpr auto text = ChannelKind::Text;
constexpr auto voice = ChannelKind::Voice;

constexpr std::array demo_channels{
    DemoChannel{"c_general", {"ws_acme", "cat_acme_main", "general", "Company-wide announcements", text, 0}},
    DemoChannel{"c_crit", {"ws_acme", "cat_acme_main", "design-crit", "Share work, get sharp feedback", text, 1}},
    DemoChannel{"c_frontend", {"ws_acme", "cat_acme_main", "frontend", "ui toolkit + app shells", text, 2}},
    DemoChannel{"c_random", {"ws_acme", "cat_acme_main", "random", "Off-topic & watercooler", text, 3}},
    DemoChannel{"c_standup", {"ws_acme", "cat_acme_voice", "Daily Standup", "", voice, 0}},
    DemoChannel{"c_huddle", {"ws_acme", "cat_acme_voice", "Design Huddle", "", voice, 1}},
    DemoChannel{"c_kernel", {"ws_orvo", "cat_orvo_eng", "kernel", "bootc + immutable base", text, 0}},
    DemoChannel{"c_compositor", {"ws_orvo", "cat_orvo_eng", "compositor", "2D clusters & sandboxing", text, 1}},
    DemoChannel{"c_fssync", {"ws_orvo", "cat_orvo_eng", "fs-sync", "mesh projection & hydration", text, 2}},
    DemoChannel{"c_releases", {"ws_orvo", "cat_orvo_eng", "releases", "ship logs", text, 3}},
    DemoChannel{"c_warroom", {"ws_orvo", "cat_orvo_voice", "War Room", "", voice, 0}},
    DemoChannel{"c_ideas", {"ws_jam", "cat_jam_main", "ideas", "weekend hacks", text, 0}},
    DemoChannel{"c_music", {"ws_jam", "cat_jam_main", "music", "now playing", text, 1}},
};

void seed_call(crdt::Document& doc)
{
    struct Flags {
        char const* user;
        bool talking, muted, deafened, audio_only;
    };
    constexpr std::array participants{
        Flags{"u_nell", true, false, false, false},
        Flags{"u_rune", false, true, false, false},
        Flags{"u_lise", false, false, false, true},
    };
    for (auto const& p : participants) {
        apply_chat_action(doc, action::JoinCall{"c_huddle", p.user});
        apply_chat_action(doc, action::SetCallState{"c_huddle", p.user, p.talking, p.muted, p.deafened, p.audio_only});
    }
}

NewMessage message(char const* author, std::int64_t ts, char const* text)
{
    NewMessage m;
    m.author = author;
    m.ts = ts;
    m.text = text;
    return m;
}

void seed_crit_conversation(crdt::Document& doc)
{
    auto open = message("u_nell", 1782471840, "Morning! Pushed the new call overlay mock — pulling tiles into a 2x2 grid reads way calmer than the old filmstrip.");
    open.reactions = {{"🎉", {"u_me", "u_rune"}}};
    insert_message(doc, "c_crit", "m_open", open);

    auto frame = message("u_nell", 1782471900, "Here's the frame — the host tile keeps the live camera, everyone else collapses to chips when they're audio-only.");
    frame.reactions = {{"❤️", {"u_me", "u_lise", "u_rune"}}, {"🔥", {"u_tomas"}}};
    frame.attachment = ImageAttachment{"call-overlay-v3.png", "orvo-demo://call-grid", 640, 360};
    insert_message(doc, "c_crit", "m_concept", frame);

    insert_message(doc, "c_crit", "m_me1", message("u_me", 1782472140, "Love it. One ask: can the 'follow the host' affordance live on the host tile itself instead of the controls bar?"));

    auto rune = message("u_rune", 1782472560, "+1 — and we should read every colour from the OS theme so it matches whatever the cluster is themed to.");
    rune.reactions = {{"👍", {"u_me", "u_nell"}}};
    insert_message(doc, "c_crit", "m_rune", rune);

    auto tomas = message("u_tomas", 1782473400, "Dropping the transport notes here so they don't get lost.");
    tomas.attachment = FileAttachment{"moq-over-mesh.md", "demo:moq-over-mesh", 18944};
    insert_message(doc, "c_crit", "m_tomas", tomas);

    auto clip = message("u_lise", 1782473760, "Screen recording of the tile-promotion motion — this is the feel I'm after:");
    clip.reactions = {{"🔥", {"u_me", "u_nell"}}};
    clip.attachment = VideoAttachment{"tile-promotion.webm", "demo:tile-promotion", 1280, 720, 6815744};
    insert_message(doc, "c_crit", "m_clip", clip);

    auto lise = message("u_lise", 1782475140, "Wired the screen-share stage — whoever presents gets a big featured tile and everyone else drops to the filmstrip beneath it. Reads really cleanly.");
    lise.edited = true;
    lise.history = {{1782475020, "Wired up screen-share — the presenter gets a featured tile, everyone else goes to a filmstrip."}};
    lise.reactions = {{"🚀", {"u_me", "u_nell", "u_rune", "u_tomas"}}, {"👀", {"u_pia"}}};
    insert_message(doc, "c_crit", "m_lise", lise);

    insert_message(doc, "c_crit", "m_me2", message("u_me", 1782475320, "That's the one. Starting a huddle to walk through the grid — jump in."));
}

void seed_thread_and_welcome(crdt::Document& doc)
{
    auto reply = [](char const* author, std::int64_t ts, char const* text) {
        auto m = message(author, ts, text);
        m.parent = "m_concept";
        return m;
    };
    insert_message(doc, "c_crit", new_id("m_"), reply("u_rune", 1782472020, "Should the chips show a mic-level ring when someone's talking?"));
    auto pulse = reply("u_nell", 1782472080, "Yeah — a thin accent ring that pulses. I'll spec the motion token.");
    pulse.reactions = {{"👍", {"u_me"}}};
    insert_message(doc, "c_crit", new_id("m_"), pulse);
    insert_message(doc, "c_crit", new_id("m_"), reply("u_me", 1782472200, "Perfect, that keeps the audio-only state legible."));

    auto welcome = message("u_pia", 1782464400, "Welcome to Acme Design on Orvo 👋 Channels relate to the workspace you're standing in — switch workspaces from the rail on the left.");
    welcome.reactions = {{"👋", {"u_me", "u_nell", "u_rune"}}};
    insert_message(doc, "c_general", new_id("m_"), welcome);
}

} // namespace

void seed_demo(crdt::Document& doc)
{
    if (is_seeded(doc))
        return;
    put_boolean(doc, crdt::Document::root(), "seeded", true);
    for (auto const& user : demo_users)
        create_user(doc, user.id, user.fields);
    for (auto const& workspace : demo_workspaces)
        create_workspace(doc, workspace.id, workspace.fields);
    for (auto const& category : demo_categories)
        create_category(doc, category.id, category.fields);
    for (auto const& channel : demo_channels)
        create_channel(doc, channel.id, channel.fields);
    seed_call(doc);
    seed_crit_conversation(doc);
    seed_thread_and_welcome(doc);
}

} // namespace chat::doc
