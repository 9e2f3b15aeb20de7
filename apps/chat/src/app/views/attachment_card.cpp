#include "app/views/attachment_card.h"

#include "blobstore/blobstore.h"
#include "app/views/text_styles.h"

#include "app/chat_app.h"
#include "app/views/attachment_card_rules.h"
#include "ui/image/image_store.h"
#include "ui/i18n/format.h"
#include "ui/paint/surface.h"

#include <variant>

namespace chat::views {

namespace {

using orvo_ui::Painter;
using orvo_ui::Point;
using orvo_ui::Rect;
using orvo_ui::TextStyle;


// "🖼  name" on the left, the detail on the right in the muted colour.
void caption_band(Painter& painter, Rect const& band, std::string_view icon, std::string_view name,
                  std::string const& detail, double z)
{
    auto const& theme = painter.theme();
    auto detail_style = ellipsized_text(12, theme.muted_text);
    double detail_width = painter.measure(detail, detail_style).width;
    double left = band.left() + 12 * z;
    auto name_style = ellipsized_text(12, theme.text, std::max(band.right() - detail_width - 12 - left - 8, 20.0));
    std::string label = std::string(icon) + "  " + std::string(name);
    double h = painter.measure(label, name_style).height;
    painter.text(label, {left, band.center().y - h / 2}, name_style);
    painter.text(detail, {band.right() - 12 - detail_width, band.center().y - h / 2}, detail_style);
}

void locked_card(Painter& painter, Rect const& card)
{
    auto const& theme = painter.theme();
    orvo_ui::surface::card(painter, card, 12);
    auto lock = ellipsized_text(18, theme.text);
    auto note = ellipsized_text(12, theme.muted_text);
    double lock_h = painter.measure("🔒", lock).height, note_h = painter.measure("Access not granted", note).height;
    double top = card.center().y - (lock_h + 4 + note_h) / 2;
    painter.text_centered("🔒", {card.x, top, card.width, lock_h}, lock);
    painter.text_centered("Access not granted", {card.x, top + lock_h + 4, card.width, note_h}, note);
}

// The label under the placeholder's disc: what the shared store says about the
// bytes for blob sources, a plain loading line for the built-in pictures.
std::string_view placeholder_label(std::string_view source)
{
    if (!source.starts_with(blob_scheme_prefix)) return "Loading image…";
    return blob_state_label(int(zozi::blobstore::state(source.substr(blob_scheme_prefix.size()))));
}

void image_media(ChatApp& app, Painter& painter, ImageAttachment const& image, Rect const& media)
{
    auto const& theme = painter.theme();
    auto source = attachment_source(image.blob);
    auto lookup = app.image_store.get(source);
    if (lookup.state == orvo_ui::image_store::ImageState::Ready && lookup.image) {
        orvo_ui::image_store::paint_image_cover(painter, *lookup.image, media, 12);
        painter.stroke_rounded(media, 12, 1, theme.hairline);
        return;
    }
    orvo_ui::surface::card(painter, media, 12);
    Point centre = media.center();
    painter.disc({centre.x, centre.y - 10}, 20, theme.lift(1.5));
    painter.text_centered("🖼", {centre.x - 20, centre.y - 30, 40, 40}, ellipsized_text(18, theme.text));
    auto label = ellipsized_text(11, theme.muted_text);
    painter.text_centered(placeholder_label(source), {media.x, centre.y + 14, media.width, 16}, label);
}

void video_media(Painter& painter, Rect const& media, double z)
{
    auto const& theme = painter.theme();
    painter.fill_rounded(media, 12, theme.tile_surface);
    Point centre = media.center();
    painter.disc(centre, 25 * z, orvo_ui::Color::black(0.35));
    painter.ring(centre, 25 * z, 1.5, orvo_ui::Color::white(0.55));
    painter.ring(centre, 24 * z, 1, orvo_ui::Color::white(0.25));
    painter.text_centered("▶", {centre.x - 25 * z + 2, centre.y - 25 * z, 50 * z, 50 * z}, ellipsized_text(20, orvo_ui::Color::white()));
}

void file_card(Painter& painter, FileAttachment const& file, Rect const& card, double z)
{
    auto const& theme = painter.theme();
    painter.fill_rounded(card, 10, theme.card);
    painter.stroke_rounded(card, 10, 1, theme.hairline);
    auto icon = ellipsized_text(20, theme.text);
    painter.text_centered("📄", {card.x + 10 * z, card.y, 32 * z, card.height}, icon);
    double left = card.x + 50 * z;
    auto name = ellipsized_text(12, theme.text, card.right() - left - 12);
    name.weight = orvo_ui::FontWeight::Semibold;
    auto size = ellipsized_text(12, theme.muted_text);
    double name_h = painter.measure(file.name, name).height, size_h = painter.measure("0", size).height;
    double top = card.center().y - (name_h + 2 + size_h) / 2;
    painter.text(file.name, {left, top}, name);
    painter.text(orvo_ui::format::bytes(file.size), {left, top + name_h + 2}, size);
}

} // namespace

double draw_attachment_card(ChatApp& app, Painter& painter, Attachment const& attachment, Point origin,
                            double available, double z)
{
    auto media_size = card_media_size(attachment, available, z);
    double height = card_height(attachment, available, z);
    Rect media {origin.x, origin.y, media_size.width, media_size.height};
    auto const& blob = attachment_blob(attachment);
    if (!app.permissions.check(orvo_ui::permissions::Access::Read, attachment_resource(blob))) {
        locked_card(painter, {origin.x, origin.y, media_size.width, height - 6 * z});
        return height;
    }
    if (auto const* file = std::get_if<FileAttachment>(&attachment)) {
        file_card(painter, *file, media, z);
        return height;
    }
    Rect band {origin.x, media.bottom(), media.width, 24 * z};
    if (auto const* image = std::get_if<ImageAttachment>(&attachment)) {
        image_media(app, painter, *image, media);
        caption_band(painter, band, "🖼", image->name, caption_detail(attachment), z);
    } else {
        auto const& video = std::get<VideoAttachment>(attachment);
        video_media(painter, media, z);
        caption_band(painter, band, "🎬", video.name, caption_detail(attachment), z);
    }
    return height;
}

} // namespace chat::views
