#pragma once

// An off-screen frame: the same sync, layout and draw as the window, into a
// Cairo image surface, written out as PNG.

#include "base/result.h"
#include "ui/paint/theme.h"
#include "ui/widget/widget.h"

#include <cairo.h>

#include <filesystem>
#include <memory>

namespace crdt {
class Document;
}

namespace orvo_ui::launch {

class ShotFrame {
public:
    // A frame of `width` × `height` logical pixels, drawn at `scale` device pixels per logical pixel.
    static base::Result<ShotFrame> create(std::uint32_t width, std::uint32_t height, Theme theme, double scale = 1.0);

    ShotFrame(ShotFrame&&) noexcept;
    ShotFrame& operator=(ShotFrame&&) noexcept;
    ~ShotFrame();

    // The in-memory document the frame lends to the widget.
    crdt::Document& document() { return *m_document; }

    void sync(Widget& widget);
    base::Result<void> layout(Widget& widget);
    void draw(Widget& widget);
    // Writes through a temporary file in the same directory and renames it into place,
    // so a failed write leaves nothing behind.
    base::Result<void> write_png(std::filesystem::path const& path) const;

    Size logical_size() const { return m_size; }
    cairo_surface_t* surface() const { return m_surface; }

private:
    ShotFrame(cairo_surface_t* surface, Size size, Theme theme, double scale);

    cairo_surface_t* m_surface = nullptr;
    Size m_size;
    Theme m_theme;
    double m_scale = 1.0;
    std::unique_ptr<crdt::Document> m_document;
};

} // namespace orvo_ui::launch
