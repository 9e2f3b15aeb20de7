#include "app/chat_app.h"
#include "app/views/timeline_people.h"
#include "app/views/timeline_row.h"

namespace chat::views {

void draw_thread_summary(ChatApp& app, orvo_ui::Painter& painter, Message const& root, ThreadSummary const& summary,
                         orvo_ui::Rect const& bar)
{
    auto const& theme = painter.theme();
    bool open = app.open_thread == root.id;
    if (open) {
        painter.fill_rounded(bar, 10, theme.accent.with_alpha(0.14));
        painter.stroke_rounded(bar, 10, 1, theme.accent.with_alpha(0.5));
    } else {
        painter.fill_rounded(bar, 10, theme.card.scaled_alpha(0.35));
    }
    double cy = bar.center().y;
    double x = bar.left() + 25;
    for (auto const& person : summary.participants) {
        painter.disc({x, cy}, 13, open ? theme.panel : theme.window);
        draw_person_avatar(app, painter, person, {x, cy}, 11);
        x += 17;
    }
    orvo_ui::TextStyle count_style;
    count_style.size = 13;
    count_style.weight = orvo_ui::FontWeight::Semibold;
    count_style.color = theme.accent;
    auto count = replies_text(summary.count);
    double count_h = painter.measure(count, count_style).height;
    painter.text(count, {x + 13 - 17 + 8, cy - count_h / 2}, count_style);

    orvo_ui::TextStyle last_style;
    last_style.size = 11;
    last_style.color = theme.muted_text;
    auto last = "last reply " + clock_time(summary.latest_ts);
    auto last_size = painter.measure(last, last_style);
    painter.text(last, {bar.right() - 14 - last_size.width, cy - last_size.height / 2}, last_style);
    push_region(app, bar, control::OpenThread{root.id});
}

} // namespace chat::views
