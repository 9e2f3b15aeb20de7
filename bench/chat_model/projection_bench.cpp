// Projecting the chat document into the model, as every frame does.
// Target: the 100,000-message document projects in at most 50 ms
// (channels, every message, and every channel's unread count, as the app's
// first frame does). The message cache keeps frames after the first
// proportional to what changed.

#include <benchmark/benchmark.h>

#include <memory>

#include "chat_workload.h"
#include "model/message_cache.h"
#include "model/messages.h"
#include "model/structure.h"
#include "model/unread.h"

namespace {

constexpr std::uint64_t message_count = 100000;

// Built once: the workload takes seconds and is not what is measured.
crdt::Document& document()
{
    static crdt::Document doc = bench::build_chat(crdt::ActorId::random(), message_count);
    return doc;
}

// The app's first frame: channels, every message through the message cache,
// and every channel's unread count from the cached counts. Freeing the
// previous round's projection is not part of it and is not timed.
void project_everything(benchmark::State& state)
{
    auto& doc = document();
    for (auto _ : state) {
        auto const channels = chat::list_channels(doc);
        auto cache = std::make_unique<chat::MessageCache>();
        cache->refresh(doc, channels);
        std::int64_t unread = 0;
        for (auto const& channel : channels)
            unread += cache->unread_count(doc, channel.id, "u_0");
        benchmark::DoNotOptimize(unread);
        state.PauseTiming();
        cache.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(message_count));
}

// Every message as one flat vector (no app path uses it; tools and tests do).
void project_all_messages(benchmark::State& state)
{
    auto const& doc = document();
    auto const channels = chat::list_channels(doc);
    for (auto _ : state) {
        auto messages = chat::all_messages(doc, channels);
        benchmark::DoNotOptimize(messages.data());
        state.PauseTiming();
        messages = {};
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(message_count));
}

// Unread counts read from the document alone, without a projection.
void count_unread(benchmark::State& state)
{
    auto const& doc = document();
    auto const channels = chat::list_channels(doc);
    for (auto _ : state) {
        std::int64_t unread = 0;
        for (auto const& channel : channels)
            unread += chat::unread_count(doc, channel.id, "u_0");
        benchmark::DoNotOptimize(unread);
    }
}

// The open conversation: one channel of the same document (1,000 messages).
void project_one_channel(benchmark::State& state)
{
    auto const& doc = document();
    for (auto _ : state)
        benchmark::DoNotOptimize(chat::channel_messages(doc, "c_042").data());
}

void project_structure(benchmark::State& state)
{
    auto const& doc = document();
    for (auto _ : state) {
        benchmark::DoNotOptimize(chat::list_people(doc).data());
        benchmark::DoNotOptimize(chat::list_workspaces(doc).data());
        benchmark::DoNotOptimize(chat::list_categories(doc).data());
        benchmark::DoNotOptimize(chat::list_channels(doc).data());
    }
}

// The first frame: the cache reads every message and notes the objects inside each.
void refresh_cache_cold(benchmark::State& state)
{
    auto& doc = document();
    auto const channels = chat::list_channels(doc);
    for (auto _ : state) {
        auto cache = std::make_unique<chat::MessageCache>();
        cache->refresh(doc, channels);
        benchmark::DoNotOptimize(cache->top_level_count("c_000"));
        state.PauseTiming();
        cache.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(message_count));
}

// A frame whose document did not change.
void refresh_cache_unchanged(benchmark::State& state)
{
    auto& doc = document();
    auto const channels = chat::list_channels(doc);
    chat::MessageCache cache;
    cache.refresh(doc, channels);
    for (auto _ : state) {
        auto const channels = chat::list_channels(doc);
        cache.refresh(doc, channels);
        std::int64_t unread = 0;
        for (auto const& channel : channels)
            unread += cache.unread_count(doc, channel.id, "u_0");
        benchmark::DoNotOptimize(unread);
    }
}

// A frame after one more message arrived (the send itself is not timed).
void refresh_cache_after_send(benchmark::State& state)
{
    auto& doc = document();
    chat::MessageCache cache;
    cache.refresh(doc, chat::list_channels(doc));
    auto next = message_count;
    for (auto _ : state) {
        state.PauseTiming();
        bench::send_message(doc, next++);
        state.ResumeTiming();
        cache.refresh(doc, chat::list_channels(doc));
        benchmark::DoNotOptimize(cache.top_level_count("c_000"));
    }
}

BENCHMARK(project_everything)->Unit(benchmark::kMillisecond);
BENCHMARK(project_all_messages)->Unit(benchmark::kMillisecond);
BENCHMARK(count_unread)->Unit(benchmark::kMillisecond);
BENCHMARK(project_one_channel)->Unit(benchmark::kMicrosecond);
BENCHMARK(project_structure)->Unit(benchmark::kMicrosecond);
BENCHMARK(refresh_cache_cold)->Unit(benchmark::kMillisecond);
// Last: they add messages to the shared document.
BENCHMARK(refresh_cache_unchanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(refresh_cache_after_send)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
