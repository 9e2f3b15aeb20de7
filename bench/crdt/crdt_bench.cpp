// Engine benchmarks: a chat-shaped document of 100,000 messages and the
// automerge-paper editing trace. compare.sh runs the same workloads through
// the npm package. Counters: saved_bytes; peak_rss_mb, the process's peak so
// far; workload_peak_mb, the peak while the workload ran (what was already
// resident included).

#include "chat_workload.h"
#include "peak_memory.h"
#include "text_trace.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// 100,000 messages unless CRDT_BENCH_MESSAGES says otherwise (compare.sh
// passes the same count to both sides).
std::uint64_t const chat_messages = [] {
    char const* text = std::getenv("CRDT_BENCH_MESSAGES");
    return text ? std::strtoull(text, nullptr, 10) : 100'000;
}();

crdt::ActorId bench_actor()
{
    return *crdt::ActorId::from_hex("be7c0000000000000000000000000001");
}

void report(benchmark::State& state, std::size_t saved_bytes = 0)
{
    if (saved_bytes > 0) state.counters["saved_bytes"] = static_cast<double>(saved_bytes);
    state.counters["peak_rss_mb"] = bench::process_peak_rss_mb();
    state.counters["workload_peak_mb"] = bench::peak_rss_since_reset_mb();
}

// Built on first use, or by BM_ChatBuild when that runs.
std::optional<crdt::Document> g_chat;
std::vector<std::uint8_t> g_chat_saved;

crdt::Document& chat()
{
    if (!g_chat) g_chat = bench::build_chat(bench_actor(), chat_messages);
    return *g_chat;
}

std::vector<std::uint8_t> const& chat_saved()
{
    if (g_chat_saved.empty()) g_chat_saved = chat().save();
    return g_chat_saved;
}

void BM_ChatBuild(benchmark::State& state)
{
    bench::reset_peak_rss();
    for (auto _ : state) g_chat = bench::build_chat(bench_actor(), chat_messages);
    report(state);
}
BENCHMARK(BM_ChatBuild)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ChatSave(benchmark::State& state)
{
    auto& doc = chat();
    std::size_t size = 0;
    bench::reset_peak_rss();
    for (auto _ : state) size = doc.save().size();
    report(state, size);
}
BENCHMARK(BM_ChatSave)->Unit(benchmark::kMillisecond);

void BM_ChatLoad(benchmark::State& state)
{
    auto const& saved = chat_saved();
    bench::reset_peak_rss();
    for (auto _ : state) {
        auto doc = crdt::Document::load(saved);
        if (!doc) state.SkipWithError(doc.error().c_str());
        benchmark::DoNotOptimize(doc);
    }
    report(state);
}
BENCHMARK(BM_ChatLoad)->Unit(benchmark::kMillisecond);

void BM_ChatApplyChanges(benchmark::State& state)
{
    auto const changes = chat().get_changes({});
    bench::reset_peak_rss();
    for (auto _ : state) {
        crdt::Document doc;
        if (auto applied = doc.apply_changes(changes); !applied) state.SkipWithError(applied.error().c_str());
        benchmark::DoNotOptimize(doc);
    }
    state.counters["changes"] = static_cast<double>(changes.size());
    report(state);
}
BENCHMARK(BM_ChatApplyChanges)->Unit(benchmark::kMillisecond);

// One more message and the bytes appended to the file for it.
void BM_ChatAppendMessage(benchmark::State& state)
{
    auto& doc = chat();
    (void)doc.save();
    std::uint64_t n = chat_messages + 1'000'000;
    std::size_t appended = 0;
    bench::reset_peak_rss();
    for (auto _ : state) {
        bench::send_message(doc, n++);
        appended = doc.save_incremental().size();
    }
    state.counters["appended_bytes"] = static_cast<double>(appended);
    report(state);
}
BENCHMARK(BM_ChatAppendMessage)->Unit(benchmark::kMicrosecond);

bench::TextTrace const& paper_trace()
{
    static bench::TextTrace const trace = [] {
        auto loaded = bench::load_trace(bench::bench_data_dir() + "/automerge-paper.json.gz");
        if (!loaded) {
            std::fprintf(stderr, "crdt_bench: %s\n", loaded.error().c_str());
            std::exit(1);
        }
        return std::move(loaded).value();
    }();
    return trace;
}

std::optional<crdt::Document> g_trace_doc;

// Replays the trace into a fresh document and checks the final text.
bool replay_trace(benchmark::State& state, bool commit_each)
{
    crdt::Document doc(bench_actor());
    auto text = doc.put_object(crdt::Document::root(), "text", crdt::ObjType::Text);
    if (!text) {
        state.SkipWithError(text.error().c_str());
        return false;
    }
    auto done = bench::replay(doc, *text, paper_trace(), commit_each);
    if (!done) {
        state.SkipWithError(done.error().c_str());
        return false;
    }
    if (doc.text(*text) != paper_trace().end_content) {
        state.SkipWithError("replayed text differs from the trace's endContent");
        return false;
    }
    // Save and load work on the single-change document, as on the JS side.
    if (!commit_each) g_trace_doc = std::move(doc);
    return true;
}

void BM_TraceSingleChange(benchmark::State& state)
{
    paper_trace();
    bench::reset_peak_rss();
    for (auto _ : state)
        if (!replay_trace(state, false)) break;
    state.counters["patches"] = static_cast<double>(paper_trace().patches.size());
    report(state);
}
BENCHMARK(BM_TraceSingleChange)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_TracePerTransaction(benchmark::State& state)
{
    paper_trace();
    bench::reset_peak_rss();
    for (auto _ : state)
        if (!replay_trace(state, true)) break;
    report(state);
}
BENCHMARK(BM_TracePerTransaction)->Unit(benchmark::kMillisecond)->Iterations(1);

crdt::Document& trace_doc(benchmark::State& state)
{
    if (!g_trace_doc) replay_trace(state, false);
    return *g_trace_doc;
}

void BM_TraceSave(benchmark::State& state)
{
    auto& doc = trace_doc(state);
    std::size_t size = 0;
    bench::reset_peak_rss();
    for (auto _ : state) size = doc.save().size();
    report(state, size);
}
BENCHMARK(BM_TraceSave)->Unit(benchmark::kMillisecond);

void BM_TraceLoad(benchmark::State& state)
{
    auto const saved = trace_doc(state).save();
    bench::reset_peak_rss();
    for (auto _ : state) {
        auto doc = crdt::Document::load(saved);
        if (!doc) state.SkipWithError(doc.error().c_str());
        benchmark::DoNotOptimize(doc);
    }
    report(state, saved.size());
}
BENCHMARK(BM_TraceLoad)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
