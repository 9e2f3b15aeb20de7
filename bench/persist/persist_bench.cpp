// The document file: appending and flushing one small change, and compacting a
// chat-shaped document of 100,000 messages.

#include "chat_workload.h"

#include "crdt/document.h"
#include "ui/persist/document_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
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
    std::int64_t i = 0;
    for (auto _ : state) {
        (void)file->document().put(crdt::ROOT, "typing", i++);
        if (!file->save_changes()) state.SkipWithError("save failed");
    }
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
