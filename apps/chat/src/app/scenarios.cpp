#include "app/scenarios.h"

#include "app/chat_app.h"
#include "app/views/attachment_card_rules.h"

#include <chrono>

namespace chat {

void force_flap(Flap& flap, bool open, bool shown)
{
    flap.override_ = open ? FlapOverride::Open : FlapOverride::Closed;
    if (shown) flap.progress = open ? 1.0 : 0.0;
}

namespace {

// The state most scenarios start from: details closed, no thread.
// (No call state exists before the first sync, so there is no call to reset.)
void quiet_conversation(ChatApp& app)
{
    force_flap(app.right_flap, false, true);
    app.open_thread.reset();
}

void open_attach_panel(ChatApp& app)
{
    quiet_conversation(app);
    app.picker_files = {
        {"orvo-demo://call-grid", "call-overlay-v3.png", 84'992, false},
        {"orvo-demo://shared-shot", "design-handoff.png", 132'480, false},
    };
    app.attach_panel_open = true;
}

} // namespace

void ChatApp::apply_scenario(std::string_view name)
{
    if (name == "narrow") {
        force_flap(left_flap, false, true);
        quiet_conversation(*this);
    } else if (name == "history") {
        quiet_conversation(*this);
        follow_latest = false;
        timeline_scroll = 220.0;
    } else if (name == "starter") {
        starter_hint = true;
        open_thread.reset();
    } else if (name == "people") {
        open_thread.reset();
        force_flap(right_flap, true, true);
    } else if (name == "thread-narrow") {
        open_thread = "m_concept";
        force_flap(right_flap, true, true);
    } else if (name == "attach" || name == "attach-loading" || name == "attach-error") {
        open_attach_panel(*this);
        if (name == "attach-loading") {
            picker_files.clear();
            listing_request = 0;
            attachment_notice = "Loading attachments…";
        } else if (name == "attach-error") {
            attachment_notice = "Attachment import failed: file is unavailable";
        }
    } else if (name == "context") {
        open_menu(MenuTargetKind::Channel, "c_frontend", {240, 230});
    } else if (name == "msgmenu") {
        quiet_conversation(*this);
        open_menu(MenuTargetKind::Message, "m_me2", {360, 300});
    } else if (name == "edit") {
        quiet_conversation(*this);
        edit_input.set_text("That's the one. Starting a huddle to walk through the grid — jump in. "
                            "Moving it to 3pm so the west-coast folks can make it.");
        editing_message = "m_me2";
        thread_composer_focused = false;
        update_focus();
    } else if (name == "composer") {
        quiet_conversation(*this);
        thread_composer_focused = false;
        composer_preset = "Shipping the composer on the shared TextInput — real caret, selection, and Ctrl+C/V now.\n"
                          "Enter sends, Shift+Enter for a new line.\n"
                          "\n"
                          "Please check teh adress";
    } else {
        // "compact", and every name without a state of its own.
        quiet_conversation(*this);
    }
}

void ChatApp::preload_images()
{
    for (auto const& message : model.messages) {
        if (!message.attachment || !std::holds_alternative<ImageAttachment>(*message.attachment)) continue;
        auto const& blob = attachment_blob(*message.attachment);
        if (!permissions.check(orvo_ui::permissions::Access::Read, views::attachment_resource(blob))) continue;
        image_store.get(views::attachment_source(blob));
    }
    for (auto const& file : picker_files) image_store.get(file.path);
    image_store.block_until_idle(std::chrono::seconds(3));
}

} // namespace chat
