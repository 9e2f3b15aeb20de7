#include "blobstore/image_size.h"

#include <cstdlib>
#include <string_view>

namespace zozi::blobstore {

namespace {

using View = std::span<std::uint8_t const>;

bool starts_with(View bytes, std::size_t at, std::string_view text)
{
    if (bytes.size() < at + text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (bytes[at + i] != static_cast<std::uint8_t>(text[i])) return false;
    return true;
}

// Little- and big-endian fields of n bytes at `at`; the caller checked the length.
std::uint32_t le(View b, std::size_t at, int n)
{
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

std::uint32_t be(View b, std::size_t at, int n)
{
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

std::optional<PixelSize> png(View b)
{
    if (!starts_with(b, 0, "\x89PNG\r\n\x1a\n") || !starts_with(b, 12, "IHDR") || b.size() < 24) return std::nullopt;
    return PixelSize {be(b, 16, 4), be(b, 20, 4)};
}

std::optional<PixelSize> gif(View b)
{
    if (!(starts_with(b, 0, "GIF87a") || starts_with(b, 0, "GIF89a")) || b.size() < 10) return std::nullopt;
    return PixelSize {le(b, 6, 2), le(b, 8, 2)};
}

std::optional<PixelSize> bmp(View b)
{
    if (!starts_with(b, 0, "BM") || b.size() < 18) return std::nullopt;
    auto header = le(b, 14, 4);
    if (header == 12 && b.size() >= 22) return PixelSize {le(b, 18, 2), le(b, 20, 2)};
    if (header < 40 || b.size() < 26) return std::nullopt;
    // Signed fields: a negative height marks rows stored top-down.
    auto width = static_cast<std::int32_t>(le(b, 18, 4));
    auto height = static_cast<std::int32_t>(le(b, 22, 4));
    if (width <= 0 || height == INT32_MIN) return std::nullopt;
    return PixelSize {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(std::abs(height))};
}

std::optional<PixelSize> webp(View b)
{
    if (!starts_with(b, 0, "RIFF") || !starts_with(b, 8, "WEBP")) return std::nullopt;
    if (starts_with(b, 12, "VP8 ") && b.size() >= 30 && b[23] == 0x9d && b[24] == 0x01 && b[25] == 0x2a)
        return PixelSize {le(b, 26, 2) & 0x3fff, le(b, 28, 2) & 0x3fff};
    if (starts_with(b, 12, "VP8L") && b.size() >= 25 && b[20] == 0x2f) {
        auto bits = le(b, 21, 4);
        return PixelSize {(bits & 0x3fff) + 1, ((bits >> 14) & 0x3fff) + 1};
    }
    if (starts_with(b, 12, "VP8X") && b.size() >= 30) return PixelSize {le(b, 24, 3) + 1, le(b, 27, 3) + 1};
    return std::nullopt;
}

bool is_start_of_frame(std::uint8_t marker)
{
    return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

std::optional<PixelSize> jpeg(View b)
{
    if (b.size() < 4 || b[0] != 0xff || b[1] != 0xd8) return std::nullopt;
    std::size_t at = 2;
    while (at + 4 <= b.size()) {
        if (b[at] != 0xff) return std::nullopt;
        std::uint8_t marker = b[at + 1];
        if (marker == 0xff) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd8)) { // no length field
            at += 2;
            continue;
        }
        if (marker == 0xd9 || marker == 0xda) return std::nullopt; // image data before any frame header
        auto length = be(b, at + 2, 2);
        if (length < 2) return std::nullopt;
        if (is_start_of_frame(marker)) {
            if (at + 9 > b.size()) return std::nullopt;
            return PixelSize {be(b, at + 7, 2), be(b, at + 5, 2)};
        }
        at += 2 + length;
    }
    return std::nullopt;
}

} // namespace

std::optional<PixelSize> image_size(std::span<std::uint8_t const> bytes)
{
    for (auto reader : {png, jpeg, gif, webp, bmp}) {
        auto size = reader(bytes);
        if (!size) continue;
        if (size->width == 0 || size->height == 0) return std::nullopt;
        return size;
    }
    return std::nullopt;
}

} // namespace zozi::blobstore
