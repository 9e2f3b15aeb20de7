// Applying a burst of sent messages to one document: every send validates
// (including the document-wide id check) and appends a complete record.
// Target: 10,000 sends in at most one second.

#include "doc/apply.h"
#include "doc/create.h"
#include "doc/messages.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void send_messages(benchmark::State& state)
{
    auto const count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        crdt::Document doc;
        chat::doc::create_channel(doc, "c_general", {"ws", "", "general", "", chat::ChannelKind::Text, 0});
        for (int i = 0; i < count; ++i) {
            chat::action::SendMessage send{"c_general", "m_" + std::to_string(i), "u_me", 1782471840 + i,
                                           "message number " + std::to_string(i)};
            chat::doc::apply_chat_action(doc, send);
        }
        benchmark::DoNotOptimize(doc.heads());
    }
    state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK(send_messages)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same records written without the acceptance checks: what the writes
// alone cost, against which the document-wide id scan of each send shows.
void append_messages(benchmark::State& state)
{
    auto const count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        crdt::Document doc;
        for (int i = 0; i < count; ++i) {
            chat::doc::NewMessage message;
            message.author = "u_me";
            message.ts = 1782471840 + i;
            message.text = "message number " + std::to_string(i);
            chat::doc::append_message(doc, "c_general", "m_" + std::to_string(i), message);
        }
        benchmark::DoNotOptimize(doc.heads());
    }
    state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK(append_messages)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
