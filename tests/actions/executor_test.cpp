#include "actions/context.h"
#include "actions/executor.h"
#include "actions/registry.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <map>
#include <memory>
#include <string>

using namespace orvo_actions;
using action::EncodedAction;
using action::OperationType;
using context::ActionContext;
using executor::LocalTransport;

namespace {

// A small document with an invariant the handler must keep: balances never go negative.
struct Ledger {
    std::map<std::string, long> balances;
};

struct Transfer {
    std::string from;
    std::string to;
    long amount = 0;
};

class TransferHandler final : public executor::TypedActionHandler<Ledger> {
public:
    explicit TransferHandler(Transfer transfer, bool replicates = true)
        : m_transfer(std::move(transfer))
        , m_replicates(replicates)
    {
    }

    std::string debug_text() const override
    {
        return "Transfer " + std::to_string(m_transfer.amount) + " " + m_transfer.from + "->" + m_transfer.to;
    }
    std::uint32_t schema_version() const override { return 0; }
    bool replicates() const override { return m_replicates; }

protected:
    base::Result<void> apply_to(Ledger& ledger) override
    {
        long& from = ledger.balances[m_transfer.from];
        if (from < m_transfer.amount) return base::error("insufficient funds in " + m_transfer.from);
        from -= m_transfer.amount;
        ledger.balances[m_transfer.to] += m_transfer.amount;
        return {};
    }

private:
    Transfer m_transfer;
    bool m_replicates;
};

base::Result<std::unique_ptr<executor::ActionHandler>> decode_transfer(std::string_view payload)
{
    try {
        auto json = nlohmann::json::parse(payload);
        Transfer transfer{json.at("from").get<std::string>(), json.at("to").get<std::string>(),
                          json.at("amount").get<long>()};
        if (transfer.amount <= 0) return base::error("amount must be positive");
        return executor::make_handler<TransferHandler>(transfer);
    } catch (nlohmann::json::exception const& e) {
        return base::error(e.what());
    }
}

EncodedAction transfer_action(long amount)
{
    return {"ledger.transfer", nlohmann::json{{"from", "alice"}, {"to", "bob"}, {"amount", amount}}.dump()};
}

ActionRegistry ledger_registry()
{
    ActionRegistry registry;
    EXPECT_TRUE(registry.insert("ledger.transfer", decode_transfer).has_value());
    return registry;
}

class UnreadyTransport final : public executor::ActionTransport {
public:
    base::Result<void> replicate(executor::Replication const&) override { return base::error("unreachable"); }
    bool ready() const override { return false; }
};

class FailingTransport final : public executor::ActionTransport {
public:
    base::Result<void> replicate(executor::Replication const&) override { return base::error("peer went away"); }
    bool ready() const override { return true; }
};

} // namespace

TEST(Executor, AppliesThroughTheHandlerAndReplicatesWithTheContext)
{
    Ledger ledger{{{"alice", 10}}};
    LocalTransport transport;
    ActionContext context;
    context.app_id = "org.example.Ledger";
    context.title = "Pay Bob";
    context.target = "ledger.account:bob";
    context.version = context::VersionStamp{{{1, 2}, {3}}, {0xaa}};

    TransferHandler handler({"alice", "bob", 4});
    auto done = executor::dispatch_by_with_context(transfer_action(4), handler, transport, ledger, context);
    ASSERT_TRUE(done.has_value()) << done.error();
    EXPECT_TRUE(done->replicated);
    EXPECT_EQ(done->debug_text, "Transfer 4 alice->bob");
    EXPECT_EQ(ledger.balances["alice"], 6);
    EXPECT_EQ(ledger.balances["bob"], 4);

    ASSERT_EQ(transport.outbox().size(), 1u);
    auto const& sent = transport.outbox()[0];
    EXPECT_EQ(sent.action, transfer_action(4));
    EXPECT_EQ(sent.context, context);
    EXPECT_EQ(sent.debug_text, "Transfer 4 alice->bob");
    EXPECT_EQ(transport.take_outbox().size(), 1u);
    EXPECT_TRUE(transport.outbox().empty());
}

TEST(Executor, DispatchWithoutContextReplicatesAnEmptyOne)
{
    Ledger ledger{{{"alice", 1}}};
    LocalTransport transport;
    TransferHandler handler({"alice", "bob", 1});
    ASSERT_TRUE(executor::dispatch_by(transfer_action(1), handler, transport, ledger).has_value());
    ASSERT_EQ(transport.outbox().size(), 1u);
    EXPECT_EQ(transport.outbox()[0].context, ActionContext{});
}

TEST(Executor, LocalOnlyActionsAreAppliedButNotReplicated)
{
    Ledger ledger{{{"alice", 1}}};
    LocalTransport transport;
    TransferHandler handler({"alice", "bob", 1}, /*replicates=*/false);
    auto done = executor::dispatch_by(transfer_action(1), handler, transport, ledger);
    ASSERT_TRUE(done.has_value()) << done.error();
    EXPECT_FALSE(done->replicated);
    EXPECT_EQ(ledger.balances["bob"], 1);
    EXPECT_TRUE(transport.outbox().empty());
}

TEST(Executor, RefusalsLeaveTheDocumentAndTransportUntouched)
{
    struct Case {
        char const* name;
        EncodedAction action;
        bool ready;
        long amount;
        std::string error_part;
    } const cases[] = {
        {"handler error", transfer_action(50), true, 50, "ledger.transfer failed: insufficient funds in alice"},
        {"view operation", {"ledger.transfer", "{}", OperationType::View}, true, 1, "has operation type view"},
        {"effect operation", {"ledger.transfer", "{}", OperationType::Effect}, true, 1, "has operation type effect"},
        {"bad kind", {"Ledger", "{}"}, true, 1, "not a dotted lower-case name"},
        {"transport not ready", transfer_action(1), false, 1, "transport is not ready"},
    };
    for (auto const& c : cases) {
        Ledger ledger{{{"alice", 10}}};
        LocalTransport local;
        UnreadyTransport unready;
        executor::ActionTransport& transport = c.ready ? static_cast<executor::ActionTransport&>(local) : unready;
        TransferHandler handler({"alice", "bob", c.amount});
        auto done = executor::dispatch_by(c.action, handler, transport, ledger);
        ASSERT_FALSE(done.has_value()) << c.name;
        EXPECT_NE(done.error().find(c.error_part), std::string::npos) << c.name << ": " << done.error();
        EXPECT_EQ(ledger.balances, (std::map<std::string, long>{{"alice", 10}})) << c.name;
        EXPECT_TRUE(local.outbox().empty()) << c.name;
    }
}

TEST(Executor, ReplicationFailureIsReportedAfterTheChangeIsApplied)
{
    Ledger ledger{{{"alice", 3}}};
    FailingTransport transport;
    TransferHandler handler({"alice", "bob", 3});
    auto done = executor::dispatch_by(transfer_action(3), handler, transport, ledger);
    ASSERT_FALSE(done.has_value());
    EXPECT_EQ(done.error(), "ledger.transfer was applied but not replicated: peer went away");
    EXPECT_EQ(ledger.balances["bob"], 3);
}

TEST(Executor, HandlerRefusesADocumentOfAnotherType)
{
    std::string not_a_ledger = "x";
    LocalTransport transport;
    TransferHandler handler({"alice", "bob", 1});
    auto done = executor::dispatch_by(transfer_action(1), handler, transport, not_a_ledger);
    ASSERT_FALSE(done.has_value());
    EXPECT_NE(done.error().find("handler expects a document of type"), std::string::npos) << done.error();
}

TEST(Registry, DecodesByKindAndDispatches)
{
    auto registry = ledger_registry();
    EXPECT_EQ(registry.kinds(), std::vector<std::string>{"ledger.transfer"});
    Ledger ledger{{{"alice", 5}}};
    LocalTransport transport;
    ActionContext context;
    context.title = "Pay";
    auto done = registry.dispatch(transfer_action(2), transport, ledger, context);
    ASSERT_TRUE(done.has_value()) << done.error();
    EXPECT_EQ(ledger.balances["bob"], 2);
    ASSERT_EQ(transport.outbox().size(), 1u);
    EXPECT_EQ(transport.outbox()[0].context.title, "Pay");
}

TEST(Registry, DecodeErrorsCarryTheKind)
{
    auto registry = ledger_registry();
    struct Case {
        EncodedAction action;
        std::string error;
    } const cases[] = {
        {{"ledger.refund", "{}"}, "no decoder is registered for ledger.refund"},
        {transfer_action(-1), "cannot decode ledger.transfer: amount must be positive"},
        {{"ledger.transfer", "{not json"}, "cannot decode ledger.transfer: [json.exception.parse_error"},
        {{"ledger.transfer", R"({"from":"a"})"}, "cannot decode ledger.transfer: [json.exception.out_of_range"},
    };
    for (auto const& c : cases) {
        Ledger ledger{{{"alice", 5}}};
        LocalTransport transport;
        auto done = registry.dispatch(c.action, transport, ledger);
        ASSERT_FALSE(done.has_value()) << c.action.payload;
        EXPECT_EQ(done.error().rfind(c.error, 0), 0u) << done.error();
        EXPECT_EQ(ledger.balances.size(), 1u);
        EXPECT_TRUE(transport.outbox().empty());
    }
    EXPECT_EQ(registry::decode_error("a.b", "oops"), "cannot decode a.b: oops");
}

TEST(Registry, RefusesBadRegistrations)
{
    ActionRegistry registry;
    ASSERT_TRUE(registry.insert("ledger.transfer", decode_transfer).has_value());
    EXPECT_FALSE(registry.insert("ledger.transfer", decode_transfer).has_value());
    EXPECT_FALSE(registry.insert("Ledger.Transfer", decode_transfer).has_value());
    EXPECT_FALSE(registry.insert("ledger.empty", nullptr).has_value());
    EXPECT_TRUE(registry.contains("ledger.transfer"));
    EXPECT_FALSE(registry.contains("ledger.empty"));
}

TEST(Context, EnrichedByFillsOnlyWhatIsMissing)
{
    ActionContext agent;
    agent.app_id = "org.example.Agent";
    agent.title = "Summarise thread";
    agent.attributes = {{"request", "r-17"}, {"origin", "agent"}};

    ActionContext app;
    app.app_id = "org.example.App";
    app.app_name = "App";
    app.title = "Send message";
    app.target = "app.message:m_1";
    app.version = context::VersionStamp{{{9}}, {7}};
    app.attributes = {{"origin", "app"}, {"locale", "en"}};

    auto merged = agent.enriched_by(app);
    EXPECT_EQ(merged.app_id, "org.example.Agent");
    EXPECT_EQ(merged.app_name, "App");
    EXPECT_EQ(merged.title, "Summarise thread");
    EXPECT_EQ(merged.target, app.target);
    EXPECT_EQ(merged.version, app.version);
    EXPECT_EQ(merged.attributes,
              (std::map<std::string, std::string>{{"request", "r-17"}, {"origin", "agent"}, {"locale", "en"}}));
    EXPECT_EQ(agent.attributes.size(), 2u); // inputs unchanged
}

TEST(Context, DescriptionBuildsTheDispatchContext)
{
    context::ActionDescription description{"org.example.App", "App", "Rename channel", "app.channel:c_1",
                                           std::nullopt};
    context::VersionStamp stamp{{{1}}, {2, 3}};
    auto plain = description.to_context(stamp);
    EXPECT_EQ(plain.title, "Rename channel");
    EXPECT_EQ(plain.target, "app.channel:c_1");
    EXPECT_EQ(plain.version, stamp);

    ActionContext carried;
    carried.title = "Agent rename";
    description.context = carried;
    auto enriched = description.to_context(stamp);
    EXPECT_EQ(enriched.title, "Agent rename");
    EXPECT_EQ(enriched.app_name, "App");
    EXPECT_EQ(enriched.version, stamp);
}
