// A chat-like frame: 500 text runs (names, times, bodies, labels, emoji) painted
// into a 1280 × 800 surface, with and without the layout cache.

#include "ui/paint/painter.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <string>
#include <vector>

using namespace orvo_ui;

namespace {

struct Run {
    std::string text;
    TextStyle style;
    Point at;
};

std::vector<Run> chat_frame(Theme const& theme)
{
    static char const* const names[] = {"Ada Lovelace", "Grace Hopper", "Alan Turing", "Katherine Johnson", "you"};
    static char const* const bodies[] = {
        "Shipping the composer on the shared TextInput — real caret, selection, and Ctrl+C/V now.",
        "Enter sends, Shift+Enter for a new line.",
        "Can someone review the call overlay before Friday? 🚀",
        "The floating card now snaps back when dragged into the window 🎉",
        "lgtm 👍",
        "I pushed the fix for the unread badge; counts of 100 or more read 99+.",
        "Thread summary bars show the last reply time on the right.",
    };
    std::vector<Run> runs;
    for (int i = 0; i < 500; ++i) {
        Run run;
        int kind = i % 5;
        double column = (i / 100) * 250.0;
        double y = (i % 100) * 7.6;
        run.at = {20 + column, y};
        switch (kind) {
        case 0:
            run.text = names[i % 5];
            run.style.size = 14.5;
            run.style.weight = FontWeight::Semibold;
            run.style.color = theme.user(static_cast<std::size_t>(i));
            break;
        case 1:
            run.text = std::to_string(10 + i % 12) + ":" + std::to_string(10 + i % 50);
            run.style.size = 11.5;
            run.style.color = theme.muted_text;
            break;
        case 2:
        case 3:
            run.text = bodies[i % 7];
            run.style.size = 15;
            run.style.width = 520;
            run.style.color = theme.text;
            run.at.x = 80 + (i % 3) * 200.0;
            break;
        default:
            run.text = "# channel-" + std::to_string(i % 13);
            run.style.size = 14;
            run.style.color = theme.muted_text;
            run.style.width = 180;
            run.style.overflow = TextOverflow::Ellipsis;
        }
        runs.push_back(run);
    }
    return runs;
}

void paint_frame(cairo_t* cr, Theme const& theme, TextRenderer& text, std::vector<Run> const& runs)
{
    Painter painter(cr, theme, {1280, 800}, text);
    painter.fill_rect(painter.bounds(), theme.window);
    for (Run const& run : runs)
        painter.text(run.text, run.at, run.style);
    cairo_surface_flush(cairo_get_target(cr));
}

void BM_ChatFrame500Runs(benchmark::State& state)
{
    Theme theme = Theme::dark();
    TextRenderer text;
    auto runs = chat_frame(theme);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1280, 800);
    cairo_t* cr = cairo_create(surface);
    paint_frame(cr, theme, text, runs); // warm the layout and glyph caches, as a steady frame loop has
    for (auto _ : state)
        paint_frame(cr, theme, text, runs);
    state.counters["cache_entries"] = static_cast<double>(text.cache().size());
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(BM_ChatFrame500Runs)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_ChatFrame500RunsUncached(benchmark::State& state)
{
    Theme theme = Theme::dark();
    auto runs = chat_frame(theme);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1280, 800);
    cairo_t* cr = cairo_create(surface);
    TextRenderer warm;
    paint_frame(cr, theme, warm, runs);
    for (auto _ : state) {
        // A renderer per frame: every run is shaped again (the fonts stay loaded).
        state.PauseTiming();
        auto text = std::make_unique<TextRenderer>();
        state.ResumeTiming();
        paint_frame(cr, theme, *text, runs);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(BM_ChatFrame500RunsUncached)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
