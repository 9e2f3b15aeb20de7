#include "ui/image/decoded_image.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <string>

namespace orvo_ui::image_store {

namespace {

// Larger pictures are refused rather than allowed to exhaust memory.
constexpr int max_side = 16384;
constexpr std::int64_t max_pixels = 64ll * 1024 * 1024;

std::shared_ptr<cairo_surface_t> adopt_surface(cairo_surface_t* surface)
{
    return std::shared_ptr<cairo_surface_t>(surface, [](cairo_surface_t* s) { cairo_surface_destroy(s); });
}

void store_pixel(unsigned char* out, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a)
{
    auto premultiply = [a](std::uint8_t c) { return static_cast<std::uint32_t>((c * a + 127) / 255); };
    std::uint32_t argb = (static_cast<std::uint32_t>(a) << 24) | (premultiply(r) << 16) | (premultiply(g) << 8) | premultiply(b);
    *reinterpret_cast<std::uint32_t*>(out) = argb;
}

} // namespace

base::Result<DecodedImage> DecodedImage::from_rgba(int width, int height, std::size_t stride,
    std::span<std::uint8_t const> pixels)
{
    if (width <= 0 || height <= 0 || width > max_side || height > max_side)
        return base::error("image size out of range: " + std::to_string(width) + "x" + std::to_string(height));
    if (stride < static_cast<std::size_t>(width) * 4 || pixels.size() < stride * static_cast<std::size_t>(height - 1) + width * 4u)
        return base::error("image pixel buffer too small");
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return base::error("cannot allocate image surface");
    }
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int out_stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        std::uint8_t const* row = pixels.data() + stride * static_cast<std::size_t>(y);
        unsigned char* out = data + static_cast<std::size_t>(out_stride) * y;
        for (int x = 0; x < width; ++x)
            store_pixel(out + 4 * x, row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]);
    }
    cairo_surface_mark_dirty(surface);
    return DecodedImage {width, height, adopt_surface(surface)};
}

base::Result<DecodedImage> decode_image(std::span<std::uint8_t const> bytes)
{
    if (bytes.empty())
        return base::error("empty image data");
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    GError* error = nullptr;
    bool ok = gdk_pixbuf_loader_write(loader, bytes.data(), bytes.size(), &error);
    ok = gdk_pixbuf_loader_close(loader, ok ? &error : nullptr) && ok;
    GdkPixbuf* pixbuf = ok ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
    if (!ok || !pixbuf) {
        std::string reason = error ? error->message : "unrecognised image data";
        if (error)
            g_error_free(error);
        g_object_unref(loader);
        return base::error("cannot decode image: " + reason);
    }
    GdkPixbuf* oriented = gdk_pixbuf_apply_embedded_orientation(pixbuf);
    g_object_unref(loader);

    int width = gdk_pixbuf_get_width(oriented);
    int height = gdk_pixbuf_get_height(oriented);
    if (static_cast<std::int64_t>(width) * height > max_pixels) {
        g_object_unref(oriented);
        return base::error("image too large: " + std::to_string(width) + "x" + std::to_string(height));
    }
    // Normalise to RGBA so one conversion serves every source format.
    GdkPixbuf* rgba = gdk_pixbuf_get_has_alpha(oriented) ? g_object_ref(oriented) : gdk_pixbuf_add_alpha(oriented, FALSE, 0, 0, 0);
    g_object_unref(oriented);
    if (!rgba || gdk_pixbuf_get_bits_per_sample(rgba) != 8 || gdk_pixbuf_get_n_channels(rgba) != 4) {
        if (rgba)
            g_object_unref(rgba);
        return base::error("unsupported pixel layout");
    }
    std::size_t stride = static_cast<std::size_t>(gdk_pixbuf_get_rowstride(rgba));
    std::size_t length = gdk_pixbuf_get_byte_length(rgba);
    auto result = DecodedImage::from_rgba(width, height, stride, {gdk_pixbuf_read_pixels(rgba), length});
    g_object_unref(rgba);
    return result;
}

base::Result<std::vector<std::uint8_t>> encode_png(cairo_surface_t* surface)
{
    if (!surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
        return base::error("cannot encode an invalid surface as PNG");
    std::vector<std::uint8_t> out;
    auto append = [](void* closure, unsigned char const* data, unsigned int length) {
        auto* bytes = static_cast<std::vector<std::uint8_t>*>(closure);
        bytes->insert(bytes->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
    };
    cairo_status_t status = cairo_surface_write_to_png_stream(surface, append, &out);
    if (status != CAIRO_STATUS_SUCCESS)
        return base::error(std::string("cannot encode PNG: ") + cairo_status_to_string(status));
    return out;
}

} // namespace orvo_ui::image_store
