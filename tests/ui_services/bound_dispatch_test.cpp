#include "actions/executor.h"
#include "crdt/document.h"
#include "ui/bound_dispatch/bound_dispatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace orvo_ui::bound_dispatch;
using orvo_actions::action::EncodedAction;
using orvo_actions::context::ActionDescription;

namespace {

// Writes one text value into the document's root map; an empty key is refused.
class PutNote final : public orvo_actions::executor::TypedActionHandler<crdt::Document> {
public:
    PutNote(std::string key, std::string text) : m_key(std::move(key)), m_text(std::move(text)) {}
    std::string debug_text() const override { return "PutNote " + m_key; }
    std::uint32_t schema_version() const override { return 0; }
    bool replicates() const override { return true; }

protected:
    base::Result<void> apply_to(crdt::Document& document) override
    {
        if (m_key.empty()) return base::error("note key is empty");
        return document.put(crdt::Document::root(), m_key, crdt::ScalarValue(m_text));
    }

private:
    std::string m_key;
    std::string m_text;
};

// An application's dispatch path: ask for a before-token, run the executor with a
// context, report the applied action and keep the pending report up to date.
base::Result<void> dispatch_note(crdt::Document& document, std::optional<PendingReport>& pending,
                                 orvo_actions::executor::LocalTransport& transport, std::string const& key)
{
    ActionDescription description{"org.example.Notes", "Notes", "Put note " + key, "notes.note:" + key, {}};
    EncodedAction typed{"notes.put", R"({"key":")" + key + R"("})"};
    auto token = typed_action_before(document);
    Heads before = token ? token->heads : document.heads();
    auto context = description.to_context(version_stamp(document, before));
    PutNote handler(key, "text of " + key);
    auto done = orvo_actions::executor::dispatch_by_with_context(typed, handler, transport, document, context);
    if (!done) return std::move(done).take_error();
    if (token) report_typed_action(document, *token, document.heads());
    if (!pending) pending = PendingReport{before, description};
    else pending->description = description;
    return {};
}

} // namespace

TEST(BoundDispatch, OneCallWithSeveralActionsBecomesOneReport)
{
    crdt::Document document;
    ASSERT_TRUE(document.put(crdt::Document::root(), "seed", crdt::ScalarValue(std::string("x"))).has_value());
    Heads initial = document.heads();
    ActionHistory history;
    orvo_actions::executor::LocalTransport transport;
    std::optional<PendingReport> pending;

    DispatchBinding binding(document, history);
    ASSERT_TRUE(dispatch_note(document, pending, transport, "a").has_value());
    Heads middle = document.heads();
    ASSERT_TRUE(dispatch_note(document, pending, transport, "b").has_value());
    EXPECT_EQ(binding.steps_reported(), 2u);
    binding.finish(pending);

    ASSERT_EQ(history.reports().size(), 1u);
    auto const& report = *history.latest();
    EXPECT_EQ(report.sequence, 1u);
    EXPECT_EQ(report.before, initial);
    EXPECT_EQ(report.after, document.heads());
    ASSERT_TRUE(report.description.has_value());
    EXPECT_EQ(report.description->title, "Put note b") << "the latest action describes the call";
    ASSERT_EQ(report.steps.size(), 2u);
    EXPECT_EQ(report.steps[0], (TypedActionStep{initial, middle}));
    EXPECT_EQ(report.steps[1], (TypedActionStep{middle, document.heads()}));

    // The transport saw each action with the version it was built against.
    ASSERT_EQ(transport.outbox().size(), 2u);
    auto const& version = transport.outbox()[1].context.version;
    ASSERT_TRUE(version.has_value());
    ASSERT_EQ(version->heads.size(), 1u);
    EXPECT_TRUE(std::equal(middle[0].bytes.begin(), middle[0].bytes.end(), version->heads[0].begin()));
    EXPECT_EQ(version->actor, document.actor().bytes());
    EXPECT_EQ(transport.outbox()[1].context.target, "notes.note:b");
    EXPECT_EQ(document.get(crdt::Document::root(), "b"),
              std::optional<crdt::Value>(crdt::ScalarValue(std::string("text of b"))));
}

TEST(BoundDispatch, NothingIsRecordedWithoutABinding)
{
    crdt::Document document;
    ActionHistory history;
    orvo_actions::executor::LocalTransport transport;
    std::optional<PendingReport> pending;
    EXPECT_FALSE(typed_action_before(document).has_value());
    ASSERT_TRUE(dispatch_note(document, pending, transport, "a").has_value());
    EXPECT_TRUE(pending.has_value()) << "the application still keeps its own pending report";
    EXPECT_TRUE(history.reports().empty());
}

TEST(BoundDispatch, FailedOrChangelessCallsLeaveNoReport)
{
    crdt::Document document;
    ActionHistory history;
    orvo_actions::executor::LocalTransport transport;
    {
        std::optional<PendingReport> pending;
        DispatchBinding binding(document, history);
        auto failed = dispatch_note(document, pending, transport, "");
        ASSERT_FALSE(failed.has_value());
        EXPECT_EQ(failed.error(), "notes.put failed: note key is empty");
        EXPECT_EQ(binding.steps_reported(), 0u);
        binding.finish(pending);
    }
    {
        DispatchBinding binding(document, history);
        binding.finish(PendingReport{document.heads(), {}});
    }
    EXPECT_TRUE(history.reports().empty());
    EXPECT_TRUE(transport.outbox().empty());
}

TEST(BoundDispatch, TokensBelongToTheirBindingAndDocument)
{
    crdt::Document document, other;
    ActionHistory history;
    auto outer = std::make_unique<DispatchBinding>(document, history);
    auto outer_token = typed_action_before(document);
    ASSERT_TRUE(outer_token.has_value());
    EXPECT_FALSE(typed_action_before(other).has_value());
    {
        DispatchBinding inner(document, history);
        auto inner_token = typed_action_before(document);
        ASSERT_TRUE(inner_token.has_value());
        EXPECT_NE(inner_token->binding, outer_token->binding) << "the newer binding takes over";
        EXPECT_FALSE(report_typed_action(other, *inner_token, other.heads()));
        EXPECT_TRUE(report_typed_action(document, *outer_token, document.heads())) << "the outer one still listens";
    }
    EXPECT_EQ(typed_action_before(document)->binding, outer_token->binding);
    outer->finish();
    EXPECT_FALSE(report_typed_action(document, *outer_token, document.heads())) << "its binding has ended";
    EXPECT_FALSE(typed_action_before(document).has_value());
}

TEST(BoundDispatch, EndingTheBindingWithoutFinishStillRecordsTheChange)
{
    crdt::Document document;
    ActionHistory history;
    orvo_actions::executor::LocalTransport transport;
    std::optional<PendingReport> pending;
    {
        DispatchBinding binding(document, history);
        ASSERT_TRUE(dispatch_note(document, pending, transport, "a").has_value());
    }
    ASSERT_EQ(history.reports().size(), 1u);
    EXPECT_FALSE(history.latest()->description.has_value());
    EXPECT_EQ(history.latest()->after, document.heads());
}

TEST(ActionHistory, KeepsTheNewestReportsUpToItsCapacity)
{
    ActionHistory history(2);
    for (int i = 0; i < 3; ++i) history.record(ActionReport{});
    ASSERT_EQ(history.reports().size(), 2u);
    EXPECT_EQ(history.reports().front().sequence, 2u);
    EXPECT_EQ(history.latest()->sequence, 3u);
    history.clear();
    EXPECT_EQ(history.latest(), nullptr);
}
