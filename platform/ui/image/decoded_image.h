#pragma once

// A decoded picture ready to paint: a Cairo image surface (premultiplied ARGB32).

#include "base/result.h"

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace orvo_ui::image_store {

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::shared_ptr<cairo_surface_t> surface;

    // From straight (not premultiplied) RGBA rows, for example a decoded video frame.
    static base::Result<DecodedImage> from_rgba(int width, int height, std::size_t stride,
        std::span<std::uint8_t const> pixels);
};

// Decodes PNG, JPEG, GIF (first frame), BMP, WebP and the other gdk-pixbuf
// formats; the embedded orientation is applied. Safe on any thread.
base::Result<DecodedImage> decode_image(std::span<std::uint8_t const> bytes);

// PNG bytes of a Cairo image surface, for loaders that paint their pictures
// (procedural demo images) and hand them to the store like any other source.
base::Result<std::vector<std::uint8_t>> encode_png(cairo_surface_t* surface);

} // namespace orvo_ui::image_store
