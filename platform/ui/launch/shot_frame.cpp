#include "ui/launch/shot_frame.h"

#include "crdt/document.h"
#include "ui/a11y/access_json.h"

#include <spdlog/spdlog.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>
#include <unistd.h>

namespace orvo_ui::launch {

base::Result<ShotFrame> ShotFrame::create(std::uint32_t width, std::uint32_t height, Theme theme, double scale)
{
    if (width == 0 || height == 0 || !(scale > 0))
        return base::error("screenshot size must not be empty");
    int device_w = static_cast<int>(width * scale + 0.5);
    int device_h = static_cast<int>(height * scale + 0.5);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, device_w, device_h);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        std::string why = cairo_status_to_string(cairo_surface_status(surface));
        cairo_surface_destroy(surface);
        return base::error("cannot create a " + std::to_string(device_w) + "x" + std::to_string(device_h) + " frame: " + why);
    }
    return ShotFrame(surface, Size{double(width), double(height)}, std::move(theme), scale);
}

ShotFrame::ShotFrame(cairo_surface_t* surface, Size size, Theme theme, double scale)
    : m_surface(surface), m_size(size), m_theme(std::move(theme)), m_scale(scale),
      m_document(std::make_unique<crdt::Document>())
{
}

ShotFrame::ShotFrame(ShotFrame&& other) noexcept
    : m_surface(std::exchange(other.m_surface, nullptr)), m_size(other.m_size), m_theme(std::move(other.m_theme)),
      m_scale(other.m_scale), m_document(std::move(other.m_document))
{
}

ShotFrame& ShotFrame::operator=(ShotFrame&& other) noexcept
{
    if (this != &other) {
        if (m_surface) cairo_surface_destroy(m_surface);
        m_surface = std::exchange(other.m_surface, nullptr);
        m_size = other.m_size;
        m_theme = std::move(other.m_theme);
        m_scale = other.m_scale;
        m_document = std::move(other.m_document);
    }
    return *this;
}

ShotFrame::~ShotFrame()
{
    if (m_surface) cairo_surface_destroy(m_surface);
}

void ShotFrame::sync(Widget& widget) { widget.sync(*m_document); }

base::Result<void> ShotFrame::layout(Widget& widget)
{
    TRY_VOID(widget.build_layout(m_size));
    widget.apply_layout(Rect{0, 0, m_size.width, m_size.height});
    return {};
}

void ShotFrame::draw(Widget& widget)
{
    cairo_t* cr = cairo_create(m_surface);
    cairo_scale(cr, m_scale, m_scale);
    Painter painter(cr, m_theme, m_size);
    painter.fill_rect(Rect{0, 0, m_size.width, m_size.height}, m_theme.window);
    widget.draw(painter);
    cairo_destroy(cr);
    cairo_surface_flush(m_surface);
    if (auto path = access_dump_path())
        if (auto written = write_access_tree_if_changed(*path, widget.accessibility()); !written)
            spdlog::error("cannot write the accessibility tree: {}", written.error());
}

base::Result<void> ShotFrame::write_png(std::filesystem::path const& path) const
{
    std::error_code ec;
    auto dir = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    if (!std::filesystem::is_directory(dir, ec))
        return base::error("cannot write " + path.string() + ": no such directory " + dir.string());

    std::random_device random;
    auto temp = dir / ("." + path.filename().string() + ".tmp-" + std::to_string(random()));
    cairo_status_t status = cairo_surface_write_to_png(m_surface, temp.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        std::filesystem::remove(temp, ec);
        return base::error("cannot write " + path.string() + ": " + cairo_status_to_string(status));
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        std::string why = std::strerror(errno);
        std::filesystem::remove(temp, ec);
        return base::error("cannot write " + path.string() + ": " + why);
    }
    return {};
}

} // namespace orvo_ui::launch
