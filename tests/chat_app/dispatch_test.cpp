#include "fixture.h"

#include "actions/registry.h"
#include "actions/vocabulary/vocabulary.h"
#include "app/action_handler.h"
#include "ui/bound_dispatch/action_history.h"

#include <gtest/gtest.h>

using namespace chat;
using namespace chat::testing;
using orvo_actions::action::OperationType;

namespace {

OperationAnswer run(ChatApp& app, crdt::Document& doc, ChatOperation const& op, OperationType type = OperationType::View)
{
    auto encoded = encode_chat_operation(op);
    return app.handle_operation(type, encoded.kind, encoded.json, doc);
}

struct Demo {
    crdt::Document doc;
    ChatApp app;
    Demo() { app.sync(doc); }
};

} // namespace

TEST(ChatAppDispatch, PendingReportKeepsTheFirstBeforeHeadsAndTheLatestDescription)
{
    Demo d;
    orvo_ui::bound_dispatch::ActionHistory history;
    orvo_ui::bound_dispatch::DispatchBinding binding(d.doc, history);
    d.app.take_pending_report();
    auto before = d.doc.heads();
    d.app.dispatch_chat_action(d.doc, message("c_crit", "m_a", "u_me", "one"));
    d.app.dispatch_chat_action(d.doc, action::PinMessage{"c_crit", "m_a", false});
    auto report = d.app.take_pending_report();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->before, before);
    EXPECT_EQ(report->description.title, "Unpin message");
    EXPECT_EQ(report->description.target, "chat.message:m_a");
    EXPECT_FALSE(d.app.take_pending_report()) << "taking it empties the slot";
    EXPECT_EQ(binding.steps_reported(), 2u);
    binding.finish(std::move(report));
    ASSERT_NE(history.latest(), nullptr);
    EXPECT_EQ(history.latest()->before, before);
    EXPECT_EQ(history.latest()->steps.size(), 2u);
}

TEST(ChatAppDispatch, DispatchAppliesThroughTheExecutorAndRefusalsLeaveNoReport)
{
    Demo d;
    d.app.take_pending_report();
    d.app.dispatch_chat_action(d.doc, message("c_crit", "m_b", "u_me", "hello"));
    d.app.sync(d.doc);
    EXPECT_TRUE(has_message(d.app, "m_b"));
    EXPECT_TRUE(d.app.take_pending_report());
}

TEST(ChatAppDispatch, RegisteredDecoderRunsChatActions)
{
    Demo d;
    orvo_actions::ActionRegistry registry;
    register_chat_actions(registry);
    ASSERT_TRUE(registry.contains("chat.action"));
    orvo_actions::executor::LocalTransport transport;
    auto encoded = encode_chat_action(message("c_crit", "m_c", "u_nell", "via registry"));
    auto ran = registry.dispatch({encoded.kind, encoded.json, OperationType::Ordinary}, transport, d.doc);
    ASSERT_TRUE(ran) << ran.error();
    d.app.sync(d.doc);
    EXPECT_TRUE(has_message(d.app, "m_c"));

    auto bad = registry.decode({"chat.action", "{\"Nope\":{}}", OperationType::Ordinary});
    ASSERT_FALSE(bad);
    EXPECT_NE(bad.error().find("chat.action"), std::string::npos) << bad.error();
}

TEST(ChatAppOperations, RefusalsAreTheFixedSentences)
{
    struct Case {
        ChatOperation op;
        OperationType type;
        std::string answer;
    } const cases[] = {
        {operation::ImportAttachment{"c_crit", "/tmp/x"}, OperationType::View, "attachment import requires an Effect operation"},
        {operation::ImportAttachment{"c_crit", ""}, OperationType::Effect, "attachment path is empty"},
        {operation::ImportAttachment{"c_gone", "/tmp/x"}, OperationType::Effect, "conversation no longer exists"},
        {operation::OpenWorkspace{"ws_acme"}, OperationType::Effect, "Chat navigation requires a View operation"},
        {operation::OpenWorkspace{"ws_gone"}, OperationType::View, "workspace no longer exists"},
        {operation::OpenChannel{"ws_orvo", "c_crit"}, OperationType::View, "conversation no longer exists"},
        {operation::OpenCategory{"ws_acme", "cat_gone"}, OperationType::View, "category no longer exists"},
        {operation::RevealMessage{"ws_acme", "c_crit", "m_gone", std::nullopt}, OperationType::View, "message no longer exists"},
        {operation::OpenPerson{"u_gone"}, OperationType::View, "person no longer exists"},
    };
    for (auto const& c : cases) {
        Demo d;
        auto answer = run(d.app, d.doc, c.op, c.type);
        EXPECT_EQ(answer.kind, OperationAnswer::Kind::Error) << c.answer;
        EXPECT_EQ(answer.error, c.answer);
    }
}

TEST(ChatAppOperations, OrdinaryTypeAndOtherKindsAreNotHandled)
{
    Demo d;
    EXPECT_EQ(run(d.app, d.doc, operation::OpenWorkspace{"ws_orvo"}, OperationType::Ordinary).kind, OperationAnswer::Kind::NotHandled);
    EXPECT_EQ(d.app.current_workspace, "ws_acme");
    EXPECT_EQ(d.app.handle_operation(OperationType::View, "chat.action", "{}", d.doc).kind, OperationAnswer::Kind::NotHandled);
    auto garbled = d.app.handle_operation(OperationType::View, "chat.operation", "{\"OpenWorkspace\":", d.doc);
    EXPECT_EQ(garbled.kind, OperationAnswer::Kind::Error);
}

TEST(ChatAppOperations, OpenWorkspaceEmptiesTheChannelAndTheNextSyncPicksOne)
{
    Demo d;
    d.app.follow_latest = false;
    d.app.timeline_scroll = 120;
    EXPECT_EQ(run(d.app, d.doc, operation::OpenWorkspace{"ws_orvo"}).kind, OperationAnswer::Kind::Handled);
    EXPECT_EQ(d.app.current_channel, "");
    EXPECT_FALSE(d.app.open_thread);
    EXPECT_TRUE(d.app.follow_latest);
    EXPECT_EQ(d.app.timeline_scroll, 0);
    d.app.sync(d.doc);
    EXPECT_EQ(d.app.current_channel, "c_kernel");
}

TEST(ChatAppOperations, RevealingAReplyOpensItsThreadAndStopsFollowing)
{
    Demo d;
    auto reply = std::find_if(d.app.model.messages.begin(), d.app.model.messages.end(),
                              [](auto const& m) { return m.parent == "m_concept"; });
    ASSERT_NE(reply, d.app.model.messages.end());
    d.app.open_thread.reset();
    auto id = reply->id;
    EXPECT_EQ(run(d.app, d.doc, operation::RevealMessage{"ws_acme", "c_crit", id, "m_concept"}).kind, OperationAnswer::Kind::Handled);
    EXPECT_EQ(d.app.open_thread, "m_concept");
    EXPECT_EQ(d.app.highlighted_message, id);
    EXPECT_FALSE(d.app.follow_latest);
    EXPECT_TRUE(d.app.thread_composer_focused);
    EXPECT_EQ(d.app.right_flap.override_, FlapOverride::Open);
}

TEST(ChatAppOperations, OpenPersonGoesWhereThePersonTookPart)
{
    Demo d;
    EXPECT_EQ(run(d.app, d.doc, operation::OpenPerson{"u_pia"}).kind, OperationAnswer::Kind::Handled);
    EXPECT_EQ(d.app.current_channel, "c_general") << "u_pia wrote the welcome message, the first channel in model order";
    EXPECT_EQ(d.app.selected_person, "u_pia");
    EXPECT_EQ(d.app.right_flap.override_, FlapOverride::Open);
}

TEST(ChatAppOperations, OpenCategoryOpensItsFirstChannel)
{
    Demo d;
    EXPECT_EQ(run(d.app, d.doc, operation::OpenCategory{"ws_orvo", "cat_orvo_voice"}).kind, OperationAnswer::Kind::Handled);
    EXPECT_EQ(d.app.current_workspace, "ws_orvo");
    EXPECT_EQ(d.app.current_channel, "c_warroom");
}
