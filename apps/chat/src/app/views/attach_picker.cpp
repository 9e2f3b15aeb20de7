#include "app/views/attach_picker.h"

#include "app/attachment_flow.h"
#include "app/chat_app.h"
#include "app/views/frame.h"
#include "app/views/text_styles.h"
#include "ui/i18n/format.h"
#include "ui/image/image_store.h"
#include "ui/paint/surface.h"

#include <algorithm>

namespace chat::views {

using orvo_ui::FontWeight;
using orvo_ui::Rect;

namespace {

constexpr double radius = 14;
constexpr double window_margin = 12;
constexpr double composer_gap = 10;

double inset(double z) { return 14 * std::min(z, 1.2); }

bool notice_is_trouble(std::string_view notice)
{
    return notice.find("failed") != std::string_view::npos || notice.find("cancelled") != std::string_view::npos;
}

void draw_thumbnail(ChatApp& app, orvo_ui::Painter& painter, PickerFile const& file, Rect const& square)
{
    auto const& theme = painter.theme();
    if (is_image_name(file.name)) {
        auto lookup = app.image_store.get(file.path);
        if (lookup.state == orvo_ui::image_store::ImageState::Ready && lookup.image) {
            orvo_ui::image_store::paint_image_cover(painter, *lookup.image, square, 8);
            return;
        }
    }
    painter.fill_rounded(square, 8, theme.lift(1.0));
    painter.text_centered(attach_placeholder_glyph(file), square, row_text(16, FontWeight::Regular, theme.text));
}

void draw_row(ChatApp& app, orvo_ui::Painter& painter, PickerFile const& file, Rect const& row, Rect const& panel,
              double z)
{
    auto const& theme = painter.theme();
    double c = std::min(z, 1.2);
    if (hovered(app, row)) painter.fill_rounded(row, 10, theme.lift(0.35));
    double side = row.height - 10 * c;
    Rect thumb {panel.left() + 6 + 6 * c, row.top() + 5 * c, side, side};
    draw_thumbnail(app, painter, file, thumb);

    double text_left = thumb.right() + 10 * c;
    double text_width = std::max(panel.right() - inset(z) - text_left, 0.0);
    painter.text(file.name, {text_left, row.top() + 8 * z}, row_text(13.5, FontWeight::Regular, theme.text, text_width));
    painter.text(orvo_ui::format::bytes(file.size), {text_left, row.top() + 28 * z},
                 row_text(11, FontWeight::Regular, theme.muted_text, text_width));
    if (!app.import_in_flight) push_region(app, row, control::AttachPick {file.path, file.name});
}

void draw_title_band(ChatApp& app, orvo_ui::Painter& painter, Rect const& panel, double z)
{
    auto const& theme = painter.theme();
    double left = panel.left() + inset(z);
    double right = panel.right() - inset(z);
    painter.text("Share a file", {left, panel.top() + 12 * z}, row_text(13.5, FontWeight::Semibold, theme.text));
    auto count = std::to_string(app.picker_files.size());
    auto count_style = row_text(11.5, FontWeight::Regular, theme.muted_text);
    painter.text(count, {right - painter.measure(count, count_style).width, panel.top() + 14 * z}, count_style);

    auto const& notice = app.attachment_notice;
    bool loading_notice = notice && *notice == loading_attachments_notice;
    if (notice && (!app.listing_request || !loading_notice)) {
        auto color = notice_is_trouble(*notice) ? theme.danger : theme.muted_text;
        painter.text(*notice, {left, panel.top() + 30 * z}, ellipsized_text(10.5, color, panel.width - 28));
    }
    orvo_ui::surface::separator(painter, panel.left(), panel.right(), panel.top() + 56 * z - 4);
}

} // namespace

std::size_t attach_picker_row_limit(double z) { return z <= 1.15 ? 6 : z <= 1.5 ? 4 : 2; }

AttachPickerLayout attach_picker_layout(Rect const& window, Rect const& composer, std::size_t file_count, double z)
{
    AttachPickerLayout layout;
    layout.rows = std::min(file_count, attach_picker_row_limit(z));
    layout.hidden = file_count - layout.rows;
    double width = std::max(std::min(std::min(z, 1.25) * 360, window.width - 2 * window_margin), 220.0);
    double list = file_count == 0 ? 46 * z : 52 * z * static_cast<double>(layout.rows) + 8;
    double extra = layout.hidden > 0 ? 20 * z : 0;
    double height = 56 * z + list + extra + 8;
    double top = std::max(composer.top() - composer_gap - height, window.top() + window_margin);
    // When the popup is wider than the window allows, its left edge wins.
    double left = std::max(std::min(composer.left(), window.right() - window_margin - width),
                           window.left() + window_margin);
    layout.panel = {left, top, width, height};
    layout.list_top = top + 56 * z;
    return layout;
}

Rect attach_picker_row(AttachPickerLayout const& layout, std::size_t index, double z)
{
    Rect const& p = layout.panel;
    return {p.left() + 6, layout.list_top + 4 + 52 * z * static_cast<double>(index), p.width - 12, 52 * z};
}

std::string_view attach_placeholder_glyph(PickerFile const& file)
{
    if (is_image_name(file.name)) return "🖼";
    return file.is_video ? "🎬" : "📄";
}

void draw_attach_picker(ChatApp& app, orvo_ui::Painter& painter, Rect const& composer)
{
    if (!app.attach_panel_open) return;
    push_region(app, app.window_bounds, control::Dismiss {});
    double z = app.ui_scale > 0 ? app.ui_scale : 1.0;
    auto const& theme = painter.theme();
    auto layout = attach_picker_layout(app.window_bounds, composer, app.picker_files.size(), z);
    Rect const& panel = layout.panel;
    orvo_ui::surface::shadow(painter, panel, radius);
    painter.fill_rounded(panel, radius, theme.card);
    orvo_ui::surface::soft_outline(painter, panel, radius);
    draw_title_band(app, painter, panel, z);

    if (app.picker_files.empty()) {
        std::string empty = app.listing_request ? std::string(loading_attachments_notice)
                                                : "No attachments in " + attach_dir().string();
        auto style = ellipsized_text(12.5, theme.muted_text, panel.width - 2 * inset(z));
        double text_height = painter.measure(empty, style).height;
        painter.text(empty, {panel.left() + inset(z), layout.list_top + (46 * z - text_height) / 2}, style);
        return;
    }
    for (std::size_t i = 0; i < layout.rows; ++i)
        draw_row(app, painter, app.picker_files[i], attach_picker_row(layout, i, z), panel, z);
    if (layout.hidden > 0) {
        auto more = "+" + std::to_string(layout.hidden) + " more in the workspace";
        painter.text(more, {panel.left() + inset(z), panel.bottom() - 8 - 20 * z + 2},
                     row_text(11, FontWeight::Regular, theme.muted_text));
    }
}

} // namespace chat::views
