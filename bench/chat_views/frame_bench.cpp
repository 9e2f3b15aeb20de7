// One whole frame of the chat window (sync, layout, draw) into an off-screen
// frame at 1280 × 800, as the window loop runs it.
// Targets: the default scenario ≤ 8 ms median; with "c_crit" holding 10,000
// messages ≤ 12 ms. Rows are kept between frames and only those on screen are
// laid out, measured and painted, so a long conversation costs what it shows.

#include <benchmark/benchmark.h>

#include "app/chat_app.h"
#include "doc/messages.h"
#include "doc/seed.h"
#include "ui/launch/shot_frame.h"

#include <string>

namespace {

// The screenshot state with "c_crit" grown by `extra_messages`, synced once.
struct Window {
    chat::ChatApp app;
    orvo_ui::launch::ShotFrame frame = orvo_ui::launch::ShotFrame::create(1280, 800, orvo_ui::Theme::dark()).value();

    explicit Window(std::size_t extra_messages)
    {
        app.apply_scenario("");
        frame.sync(app);
        auto& doc = frame.document();
        for (std::size_t i = 0; i < extra_messages; ++i) {
            chat::doc::NewMessage m;
            m.author = i % 3 == 0 ? "u_me" : (i % 3 == 1 ? "u_nell" : "u_rune");
            m.ts = 1782475400 + static_cast<std::int64_t>(i) * 97;
            m.text = "Message " + std::to_string(i) + " about the call overlay grid and its tiles";
            chat::doc::append_message(doc, "c_crit", "m_bench_" + std::to_string(i), m);
        }
        frame.sync(app);
        app.preload_images();
    }
    void run_frame(bool with_sync = true)
    {
        if (with_sync) frame.sync(app);
        (void)frame.layout(app);
        frame.draw(app);
    }
};

// `with_sync` off measures layout and draw alone, to tell the views' share from the projection's.
void run_frames(benchmark::State& state, std::size_t extra_messages, bool with_sync = true)
{
    Window window(extra_messages);
    for (auto _ : state) window.run_frame(with_sync);
}

void default_scenario(benchmark::State& state) { run_frames(state, 0); }
void crit_with_10000_messages(benchmark::State& state) { run_frames(state, 10000 - 11); }
void crit_with_10000_messages_draw_only(benchmark::State& state) { run_frames(state, 10000 - 11, false); }

// The frame that opens the long conversation again after another one: its
// messages are projected and its rows rebuilt, yet only the rows on screen are measured.
void switch_to_crit_with_10000_messages(benchmark::State& state)
{
    Window window(10000 - 11);
    for (auto _ : state) {
        state.PauseTiming();
        window.app.current_channel = "c_general";
        window.run_frame();
        state.ResumeTiming();
        window.app.current_channel = "c_crit";
        window.run_frame();
    }
}

// The frame after a message arrived in another channel, with 10,000 messages
// in the document: the projection takes in one new message.
void frame_after_message_with_10000_messages(benchmark::State& state)
{
    Window window(10000 - 11);
    std::size_t next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        chat::doc::NewMessage m;
        m.author = "u_nell";
        m.ts = 1782490000 + static_cast<std::int64_t>(next);
        m.text = "Arrived while reading";
        chat::doc::append_message(window.frame.document(), "c_general", "m_arrived_" + std::to_string(next++), m);
        state.ResumeTiming();
        window.run_frame();
    }
}

} // namespace

// Repetitions report the median the targets are stated in.
BENCHMARK(default_scenario)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(crit_with_10000_messages)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(crit_with_10000_messages_draw_only)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(switch_to_crit_with_10000_messages)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(frame_after_message_with_10000_messages)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
