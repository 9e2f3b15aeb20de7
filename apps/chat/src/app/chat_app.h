#pragma once

// The application's single root widget and the owner of all interface state.
// The framework lends it the document for each call; it keeps only the
// projection of the document and what is about presentation.

#include "actions/vocabulary/chat_action.h"
#include "actions/vocabulary/chat_operation.h"
#include "app/attachment_jobs.h"
#include "app/controls.h"
#include "actions/mentions.h"
#include "app/flap.h"
#include "app/local_identity.h"
#include "app/popups.h"
#include "actions/transport.h"
#include "app/projection.h"
#include "app/views/timeline_layout.h"
#include "ui/bound_dispatch/bound_dispatch.h"
#include "ui/exec/one_answer.h"
#include "ui/image/image_store.h"
#include "ui/permissions/permission_context.h"
#include "ui/widget/text_input.h"
#include "ui/widget/tooltip.h"
#include "ui/widget/widget.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace chat {

using OperationAnswer = orvo_ui::OperationOutcome;

class ChatApp final : public orvo_ui::Widget {
public:
    ChatApp(); // the demo state

    // Widget interface.
    void sync(crdt::Document& doc) override;
    base::Result<void> build_layout(orvo_ui::Size window) override;
    void apply_layout(orvo_ui::Rect bounds) override;
    void draw(orvo_ui::Painter& painter) override;
    bool handle_event(orvo_ui::Event const& event, crdt::Document& doc) override;
    bool perform_semantic_action(std::string_view node_id, orvo_ui::SemanticAction action, crdt::Document& doc) override;
    orvo_ui::AccessNode accessibility() const override;
    bool needs_animation_frame() const override;
    bool take_needs_redraw() override;
    std::optional<orvo_ui::bound_dispatch::PendingReport> take_pending_report() override;
    OperationAnswer handle_operation(orvo_actions::action::OperationType type, std::string_view kind,
                                     std::string_view payload, crdt::Document& doc) override;

    // Changes the document through the action framework; failures are logged and answer false.
    bool dispatch_chat_action(crdt::Document& doc, ChatAction const& action);
    // Re-projects the model and reloads the composer inputs for the current conversation.
    void refresh(crdt::Document& doc);

    // Input: the one activation every way of reaching a control shares.
    void activate(ChatControl const& control, crdt::Document& doc);
    // Accessibility: synthetic nodes addressed by their index in the synthetic list.
    std::vector<SyntheticNode> synthetic_nodes() const;
    std::optional<orvo_ui::Rect> synthetic_accessibility_rect(std::span<std::size_t const> path) const;
    bool focus_synthetic_accessibility(std::span<std::size_t const> path);

    // Composer.
    void update_focus();
    void refresh_composer(crdt::Document& doc);
    void send(crdt::Document& doc);
    void begin_edit(std::string const& message_id);
    void save_edit(crdt::Document& doc);
    void cancel_edit();
    void insert_emoji(crdt::Document& doc, std::string_view emoji);
    bool thread_composer_active() const; // focused flag set and a thread open
    std::vector<MentionCandidate> mention_candidates_now() const;

    // Menus and rename.
    // The menu of the thing under the pointer; nothing for another person's message.
    void open_context_menu(ChatControl const& control, orvo_ui::Point at);
    void open_menu(MenuTargetKind kind, std::string id, orvo_ui::Point at);
    void carry_out_menu_item(crdt::Document& doc, MenuTargetKind kind, std::string const& id, int code);
    void start_rename(RenameTarget::Kind kind, std::string const& id);
    void commit_rename(crdt::Document& doc);
    void cancel_rename();

    // Screenshot scenarios: the fixed state before the first sync, and the images the frame will show.
    void apply_scenario(std::string_view name);
    void preload_images();

    // Text inputs.
    orvo_ui::widget::text_input::TextInput composer;
    orvo_ui::widget::text_input::TextInput thread_composer;
    orvo_ui::widget::text_input::TextInput edit_input;
    orvo_ui::widget::text_input::TextInput rename_input;

    // Selection.
    std::string current_workspace = "ws_acme";
    std::string rail_workspace = "ws_acme";
    std::string current_channel = "c_crit";
    std::optional<std::string> open_thread = std::string("m_concept");
    std::optional<std::string> editing_message;
    std::optional<std::string> highlighted_message;
    std::optional<std::string> selected_person;
    bool inbox_open = false;

    // The projection of the document, rebuilt when the document or the selection changes.
    Model model;

    LocalIdentity local_identity;

    // Composer side state.
    std::vector<PickerFile> picker_files;
    bool attach_panel_open = false;
    std::optional<std::string> attachment_notice;
    std::optional<std::uint64_t> listing_request;
    std::optional<ImportInFlight> import_in_flight;
    std::uint64_t request_counter = 0;
    std::optional<std::string> composer_preset;

    // Background result channels, polled by sync.
    std::optional<orvo_ui::exec::AnswerReceiver<ListingAnswer>> listing_answers;
    std::optional<orvo_ui::exec::AnswerReceiver<ImportAnswer>> import_answers;

    // Timeline.
    double timeline_scroll = 0;
    double previous_content_height = 0;
    bool follow_latest = true;
    bool pending_jump_to_latest = false;
    views::TimelineCache timeline_cache; // rows kept between frames, measured once on screen

    // Panels.
    Flap left_flap;
    Flap right_flap;
    bool flaps_animating = false;

    // What the last draw recorded: clickable regions in painting order, and tooltip areas.
    std::vector<HitRegion> hit_regions;
    std::vector<orvo_ui::widget::tooltip::TooltipArea> tooltip_areas;
    std::optional<std::size_t> focus_ring;   // index into hit_regions
    std::optional<std::size_t> focus_cursor; // index into the synthetic nodes
    orvo_ui::Rect conversation_header;       // where the last draw put the header
    orvo_ui::Point pointer {-1, -1};       // logical units; off-window until the first move
    std::optional<RenameTarget> rename_target;
    std::optional<ChannelSwipe> channel_swipe;

    // Menus and hover.
    std::optional<ChatContextMenu> context_menu;
    EmojiPicker emoji_picker;
    EditHistoryPopup edit_history;
    std::optional<ChatControl> hovered_call_control;
    orvo_ui::widget::tooltip::TooltipHost tooltip_host;

    orvo_ui::image_store::ImageStore image_store;
    orvo_ui::permissions::PermissionContext permissions = orvo_ui::permissions::PermissionContext::permissive();

    std::optional<orvo_ui::bound_dispatch::PendingReport> pending_report;

    // Geometry.
    orvo_ui::Rect window_bounds;
    double zoom = 1.0;
    float ui_scale = 1.0f;
    bool narrow = false;
    bool compact = false;

    // Flags.
    bool interactive = false;
    bool starter_hint = false;
    bool thread_composer_focused = false;
    bool needs_redraw = true;
    bool animating = false;

private:
    void seed_and_presence(crdt::Document& doc);
    bool repair_selection();
    void repair_thread();
    void mark_open_channel_read(crdt::Document& doc);
    void reload_composer_inputs(crdt::Document& doc);
    void write_draft_if_changed(crdt::Document& doc);
    std::string thread_draft_key() const;
    static std::int64_t message_time();
    // Input routing.
    bool route_pointer_move(orvo_ui::PointerMove const& e);
    bool route_pointer_down(orvo_ui::PointerDown const& e, crdt::Document& doc);
    bool route_pointer_up(orvo_ui::PointerUp const& e, crdt::Document& doc);
    bool route_wheel(orvo_ui::Wheel const& e);
    bool route_key(orvo_ui::KeyDown const& key, crdt::Document& doc);
    bool route_text(orvo_ui::Event const& event, crdt::Document& doc);
    bool route_to_composer(orvo_ui::Event const& event, crdt::Document& doc);
    bool offer_to_context_menu(orvo_ui::Event const& event, crdt::Document& doc);
    bool redraw_if(bool consumed); // a consumed key or text event changed what is shown
    void move_focus_cursor(bool backwards);
    void set_focus_cursor(std::optional<std::size_t> index);
    void run_escape_chain();
    void dismiss();
    bool popup_open() const;
    void finish_swipe(crdt::Document& doc);
    void toggle_reaction(crdt::Document& doc, std::string const& message, std::string const& emoji);
    OperationAnswer carry_out(operation::OpenWorkspace const&);
    OperationAnswer carry_out(operation::OpenChannel const&);
    OperationAnswer carry_out(operation::OpenCategory const&);
    OperationAnswer carry_out(operation::RevealMessage const&, crdt::Document& doc);
    OperationAnswer carry_out(operation::OpenPerson const&);
    void open_conversation(std::string workspace, std::string channel);

    bool m_fixup_done = false;
    std::string m_composer_draft_key;
    std::string m_thread_draft_key;
    ProjectionCache m_projection;
    orvo_actions::executor::LocalTransport m_action_transport;
};

} // namespace chat
