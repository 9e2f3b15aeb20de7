#include "app/views/timeline_row.h"
#include "app/views/text_styles.h"

#include "app/chat_app.h"
#include "app/views/attachment_card.h"
#include "app/views/timeline_people.h"
#include "ui/text/rich_text.h"
#include "ui/widget/button.h"

namespace chat::views {

namespace {

using orvo_ui::Painter;
using orvo_ui::Rect;
using orvo_ui::TextStyle;


std::vector<orvo_ui::richtext::Span> styled_spans(ChatApp const& app, Message const& message, orvo_ui::Color surface)
{
    std::vector<orvo_ui::richtext::Span> spans;
    for (auto const& range : styled_mentions(message.text, message.mentions)) {
        auto colour = person_color(app.local_identity, range.person);
        orvo_ui::richtext::Span span {.start = range.start, .end = range.end};
        if (app.local_identity.is_local(range.person)) {
            auto background = orvo_ui::mix(colour, surface, 0.78);
            span.background = background;
            span.color = orvo_ui::adjust_for_contrast(colour, background, 3.0);
        } else {
            span.color = orvo_ui::adjust_for_contrast(colour, surface, 4.5);
        }
        spans.push_back(span);
    }
    return spans;
}

// Author line: name in the author's colour, clock time bottom-aligned one padding unit to its right.
void draw_author_line(ChatApp& app, Painter& painter, Message const& message, double left, double top)
{
    auto const& theme = painter.theme();
    auto name_style = wrapped_text(14.5, readable_person_color(app, message.author, theme.window));
    name_style.weight = orvo_ui::FontWeight::Semibold;
    auto name = author_name(app, message.author);
    auto name_size = painter.text(name, {left, top}, name_style);
    auto time_style = wrapped_text(11.5, theme.muted_text);
    auto& text = painter.text_renderer();
    double baseline_gap = text.baseline(name, name_style) - text.baseline("0", time_style);
    painter.text(clock_time(message.ts), {left + name_size.width + theme.metrics.padding_unit, top + baseline_gap},
                 time_style);
}

void draw_body(ChatApp& app, Painter& painter, Message const& message, double left, double top, double width)
{
    auto const& theme = painter.theme();
    auto style = wrapped_text(15, theme.text, width);
    if (message.mentions.empty()) {
        painter.text(message.text, {left, top}, style);
        return;
    }
    auto layout = orvo_ui::richtext::RichTextLayout::shape(painter.text_renderer(), message.text,
                                                           styled_spans(app, message, theme.window), style);
    painter.rich_text(layout, {left, top});
}

// The inline edit card with its input, hint and the two buttons; answers the height drawn.
void draw_edit_card(ChatApp& app, Painter& painter, TimelineLayout const& layout, TimelineRow const& row, double top)
{
    auto const& theme = painter.theme();
    double z = layout.z;
    Rect card = Rect::from_edges(layout.text_left - 10, top, layout.text_left + layout.text_width + 10,
                                 top + row.body_height + 16);
    painter.fill_rounded(card, 10, theme.card);
    painter.stroke_rounded(card, 10, 1.6, theme.accent);
    app.edit_input.set_placeholder("Edit message…");
    Rect input {layout.text_left, top + 8, layout.text_width, row.body_height};
    app.edit_input.draw(painter, input);
    push_region(app, card, control::FocusEdit{});

    double line_top = card.bottom() + 4 * z;
    double line_h = 24;
    painter.text("Enter to save · Esc to cancel", {layout.text_left, line_top + 5}, wrapped_text(11, theme.muted_text));
    Rect cancel {card.right() - 62, line_top, 62, line_h};
    orvo_ui::widget::button::ButtonStyle button_style {.radius = 7, .text_size = 12.5};
    double save_w = orvo_ui::widget::button::Button::preferred_width(painter, "Save", button_style);
    Rect save {cancel.x - 8 - save_w, line_top, save_w, line_h};
    button_style.selected = true;
    orvo_ui::widget::button::Button::paint(painter, save, "Save", button_style);
    button_style.selected = false;
    orvo_ui::widget::button::Button::paint(painter, cancel, "Cancel", button_style);
    push_region(app, save, control::EditSave{});
    push_region(app, cancel, control::EditCancel{});
}

void draw_edited_mark(ChatApp& app, Painter& painter, Message const& message, double left, double top)
{
    auto style = wrapped_text(11.5, painter.theme().muted_text);
    auto size = painter.text("(edited) · view history", {left, top}, style);
    Rect mark {left, top, size.width, 18};
    push_region(app, mark, control::EditHistory{message.id, {mark.left(), mark.bottom()}});
}

} // namespace

void draw_timeline_row(ChatApp& app, Painter& painter, TimelineLayout const& layout, VisibleRow const& visible)
{
    auto const& theme = painter.theme();
    auto const& message = *visible.message;
    auto const& row = visible.row;
    double conv_left = layout.conversation.left(), conv_right = layout.conversation.right();
    double y = visible.top;

    if (app.highlighted_message == message.id)
        painter.fill_rounded(Rect::from_edges(conv_left + 4, y, conv_right - 4, y + row_height(row)), 8,
                             theme.accent.with_alpha(0.45));
    double band_top = y;
    if (row.first_in_group) {
        draw_person_avatar(app, painter, message.author, {conv_left + 36, y + 34}, 20);
        y += 14;
        band_top = y;
        draw_author_line(app, painter, message, layout.text_left, y);
        y += row.header_height;
    } else {
        y += 3;
    }
    if (row.editing) {
        draw_edit_card(app, painter, layout, row, y);
        y += row.body_height + 16 + row.edit_extra;
    } else if (row.body_height > 0) {
        draw_body(app, painter, message, layout.text_left, y, layout.text_width);
        y += row.body_height + 2;
    }
    if (app.local_identity.is_local(message.author) && !row.editing)
        push_region(app, Rect::from_edges(conv_left, band_top, conv_right, y), control::MessageMenu{message.id});
    if (row.edited_height > 0) {
        draw_edited_mark(app, painter, message, layout.text_left, y);
        y += row.edited_height;
    }
    if (message.attachment) y += draw_attachment_card(app, painter, *message.attachment, {layout.text_left, y},
                                                      layout.text_width, layout.z);
    if (row.reactions_height > 0) {
        draw_reaction_chips(app, painter, message, layout.text_left, y, reactions_row_height(layout.z));
        y += row.reactions_height;
    }
    if (row.thread_height > 0) {
        auto const& summary = layout.threads->at(message.id);
        double bar_h = thread_bar_height(painter.text_renderer());
        draw_thread_summary(app, painter, message, summary, {layout.text_left, y, layout.text_width, bar_h});
    }
}

} // namespace chat::views
