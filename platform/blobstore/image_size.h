#pragma once

// Pixel sizes read from image headers, without decoding any pixels.

#include <cstdint>
#include <optional>
#include <span>

namespace zozi::blobstore {

struct PixelSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool operator==(PixelSize const&) const = default;
};

// The stored size of a PNG, JPEG, GIF, WebP or BMP picture (no orientation
// applied); nothing for other bytes, truncated headers or a zero side.
std::optional<PixelSize> image_size(std::span<std::uint8_t const> bytes);

} // namespace zozi::blobstore
