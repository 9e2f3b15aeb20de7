// The document file: appending and flushing one small change, and compacting a
// chat-shaped document of 100,000 messages.

#include "chat_workload.h"

#include "crdt/document.h"
#include "ui/persist/document_file.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>
#include <stdlib.h>

namespace {

using bench::build_chat;
using bench::seed_chat;
using bench::send_message;

std::filesystem::path fresh_dir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "persist-bench-XXXXXX").string();
    return mkdtemp(pattern.data());
}

void AppendAndFlushOneChange(benchmark::State& state)
{
    auto dir = fresh_dir();
    auto file = std::move(orvo_ui::persist::DocumentFile::open_path(dir / "workspace.automerge", "dev.orvo.chat").value());
    // A realistic base, so appends stay appends rather than compactions.
    seed_chat(file->document());
    for (std::uint64_t i = 0; i < 2000; ++i) send_message(file->document(), i);
    if (!file->compact()) state.SkipWithError("compact failed");
    // The mean per iteration includes the occasional compaction; the median of single
    // appends is the figure that matters for a frame, so it is reported as a counter.
    std::vector<double> each_ms;
    std::int64_t i = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        (void)file->document().put(crdt::ROOT, "typing", i++);
        if (!file->save_changes()) state.SkipWithError("save failed");
        each_ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(each_ms.begin(), each_ms.begin() + each_ms.size() / 2, each_ms.end());
    state.counters["median_ms"] = each_ms[each_ms.size() / 2];
    file.reset();
    std::filesystem::remove_all(dir);
}
BENCHMARK(AppendAndFlushOneChange)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void Compact100kMessages(benchmark::State& state)
{
    auto dir = fresh_dir();
    auto file = std::move(orvo_ui::persist::DocumentFile::open_path(dir / "workspace.automerge", "dev.orvo.chat").value());
    auto built = build_chat(crdt::ActorId::random(), 100'000);
    if (!file->document().merge(built)) state.SkipWithError("merge failed");
    for (auto _ : state) {
        if (!file->compact()) state.SkipWithError("compact failed");
    }
    state.counters["bytes"] = double(std::filesystem::file_size(dir / "workspace.automerge"));
    file.reset();
    std::filesystem::remove_all(dir);
}
BENCHMARK(Compact100kMessages)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
