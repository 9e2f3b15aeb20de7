#include "app/views/timeline_layout.h"

#include "app/chat_app.h"

#include <algorithm>
#include <optional>

namespace chat::views {

namespace {

// The kept rows with the edited message, if any, sized from the edit input.
class FrameRows {
public:
    FrameRows(ChatApp& app, TimelineCache& rows, orvo_ui::TextRenderer& text, TimelineLayout const& layout)
        : m_rows(rows), m_text(text)
    {
        if (!app.editing_message) return;
        m_editing = rows.index_of(*app.editing_message);
        if (!m_editing) return;
        orvo_ui::TextStyle style;
        style.size = 15;
        style.width = layout.text_width;
        m_edit_row = rows.row(*m_editing);
        m_edit_row.editing = true;
        m_edit_row.body_height = std::max(text.measure(app.edit_input.text(), style).height, 19.0);
        m_edit_row.edit_extra = 30 * layout.z;
        m_edit_row.edited_height = 0;
    }

    std::size_t size() const { return m_rows.size(); }
    bool editing(std::size_t i) const { return m_editing && *m_editing == i; }
    double height(std::size_t i) const { return editing(i) ? row_height(m_edit_row) : m_rows.height(i); }
    TimelineRow const& row(std::size_t i) const { return editing(i) ? m_edit_row : m_rows.row(i); }
    // H: the day band and every row, estimates included.
    double content_height() const
    {
        double edit_change = m_editing ? row_height(m_edit_row) - m_rows.height(*m_editing) : 0.0;
        return day_band_height + m_rows.total() + edit_change;
    }
    // Measures rows from the newest up until they are at least `depth` tall.
    void cover(double depth)
    {
        double below = 0;
        for (std::size_t i = size(); i-- > 0 && below < depth;) {
            m_rows.measure(i, m_text);
            below += height(i);
        }
    }
    // Measures rows from the newest up to row `first`; answers their height.
    double measure_down_to(std::size_t first)
    {
        double below = 0;
        for (std::size_t i = size(); i-- > first;) {
            m_rows.measure(i, m_text);
            below += height(i);
        }
        return below;
    }

private:
    TimelineCache& m_rows;
    orvo_ui::TextRenderer& m_text;
    std::optional<std::size_t> m_editing;
    TimelineRow m_edit_row;
};

} // namespace

TimelineLayout layout_timeline(ChatApp& app, orvo_ui::Rect viewport, double z, orvo_ui::Painter& painter)
{
    auto& text = painter.text_renderer();
    auto& cache = app.timeline_cache;
    TimelineLayout layout;
    layout.conversation = viewport;
    layout.z = z;
    layout.text_left = viewport.left() + 16 + 40 + 14;
    layout.text_width = std::max(viewport.right() - layout.text_left - 18, 80.0);
    cache.update({app.model.messages, app.model.messages_revision, layout.text_width, z,
                  painter.theme().metrics.line_height},
                 text);
    layout.threads = &cache.threads();
    layout.row_count = cache.size();
    FrameRows rows(app, cache, text, layout);
    double V = viewport.height;

    // Everything the current position shows, or holds below it, is measured
    // before the growth since the last frame is judged.
    rows.cover(app.timeline_scroll + V);
    std::optional<double> reveal_middle;
    if (app.pending_jump_to_latest && app.highlighted_message) {
        if (auto target = cache.index_of(*app.highlighted_message)) {
            double from_target = rows.measure_down_to(*target);
            reveal_middle = rows.content_height() - from_target + rows.height(*target) / 2;
        }
    }
    // Rows shown with an estimate last frame and measured now did not grow.
    double previous = app.previous_content_height;
    if (previous > 0) previous += cache.take_correction();
    double H = rows.content_height();
    auto settled = settle_scroll({app.timeline_scroll, H, previous, V, app.follow_latest, reveal_middle});
    // The settled position may show rows still estimated; measure them and clamp again.
    rows.cover(settled.scroll + V);
    if (double measured = rows.content_height(); measured != H) {
        H = measured;
        bool consumed = settled.reveal_consumed;
        settled = settle_scroll({settled.scroll, H, H, V, settled.follow_latest, {}});
        settled.reveal_consumed = consumed;
    }
    cache.take_correction();
    cache.end_frame();

    app.timeline_scroll = settled.scroll;
    app.follow_latest = settled.follow_latest;
    if (settled.reveal_consumed) app.pending_jump_to_latest = false;
    app.previous_content_height = H;
    layout.content_height = H;
    layout.content_top = viewport.top() + content_offset(H, V, settled.scroll);

    // Walk up from the newest row to the first one reaching above the viewport.
    double bottom = layout.content_top + H;
    for (std::size_t i = rows.size(); i-- > 0;) {
        double top = bottom - rows.height(i);
        if (top < viewport.bottom() && bottom > viewport.top())
            layout.visible.push_back({&cache.message(i), rows.row(i), top});
        if (top <= viewport.top()) break;
        bottom = top;
    }
    std::reverse(layout.visible.begin(), layout.visible.end());
    return layout;
}

} // namespace chat::views
