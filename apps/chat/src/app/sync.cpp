// The per-frame step: seeding and presence, the one-time fix-up, the refresh of
// the model, selection and thread repair, and automatic read marking.

#include "app/chat_app.h"

#include "app/attachment_flow.h"

#include "crdt/document.h"
#include "doc/attachment_fixup.h"
#include "doc/local_user.h"
#include "doc/seed.h"
#include "model/unread.h"

#include <algorithm>

namespace chat {

void ChatApp::sync(crdt::Document& doc)
{
    // Phases 1, 2 and 5 (call departure, screen capture, screen-share
    // publication) belong to calls, which have nothing pending while no call is active.
    seed_and_presence(doc);
    if (!m_fixup_done) {
        doc::fix_attachment_refs(doc);
        m_fixup_done = true;
    }
    collect_attachment_answers(*this, doc);
    refresh(doc);
    bool reselected = repair_selection();
    repair_thread();
    if (reselected) refresh(doc);
    mark_open_channel_read(doc);
}

void ChatApp::seed_and_presence(crdt::Document& doc)
{
    if (interactive) {
        if (!doc::is_seeded(doc)) doc::seed_starter(doc, local_identity.id, local_identity.name, local_identity.initials);
        doc::upsert_local_user(doc, doc::LocalUser{local_identity.id, local_identity.name, local_identity.initials,
                                                   local_identity.color_index, Presence::Online});
    } else if (starter_hint) {
        if (!doc::is_seeded(doc)) doc::seed_starter(doc, local_identity.id, local_identity.name, local_identity.initials);
    } else {
        if (!doc::is_seeded(doc)) doc::seed_demo(doc);
    }
}

void ChatApp::refresh(crdt::Document& doc)
{
    m_projection.refresh_structure(doc, model);

    // Rail repair.
    if (!model.workspace(rail_workspace) && !model.workspaces.empty())
        rail_workspace = model.workspace(current_workspace) ? current_workspace : model.workspaces.front().id;

    // Channel repair: the first text channel of the workspace that is not archived, by order.
    auto const* open = model.channel(current_channel);
    if (!open || open->workspace != current_workspace) {
        Channel const* first = nullptr;
        for (auto const& channel : model.channels) {
            if (channel.workspace != current_workspace || channel.kind != ChannelKind::Text || channel.archived) continue;
            if (!first || channel.order < first->order) first = &channel;
        }
        if (first) current_channel = first->id;
    }

    m_projection.refresh_content(doc, model, ProjectionInputs{current_workspace, current_channel, &local_identity});
    reload_composer_inputs(doc);
}

bool ChatApp::repair_selection()
{
    if (model.workspace(current_workspace) || model.workspaces.empty()) return false;
    current_workspace = model.workspaces.front().id;
    rail_workspace = current_workspace;
    current_channel.clear();
    return true;
}

void ChatApp::repair_thread()
{
    if (open_thread && !model.message(*open_thread)) {
        open_thread.reset();
        thread_composer_focused = false;
    }
}

void ChatApp::mark_open_channel_read(crdt::Document& doc)
{
    if (current_channel.empty() || !follow_latest || !model.channel(current_channel)) return;
    // The open channel's messages were just projected: count them there, not in the document.
    auto total = std::int64_t(std::count_if(model.messages.begin(), model.messages.end(),
                                            [](Message const& m) { return !m.parent || m.parent->empty(); }));
    if (total <= read_marker(doc, current_channel, local_identity.id)) return;
    dispatch_chat_action(doc, action::MarkRead{current_channel, local_identity.id, total});
    model.unread[current_channel] = 0;
}

} // namespace chat
