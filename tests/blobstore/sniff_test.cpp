// What sniffing makes of a few formats' first bytes, and the header sizes.

#include "blobstore/blobstore.h"
#include "blobstore/image_size.h"
#include "sample_bytes.h"

#include <gtest/gtest.h>

using namespace zozi::blobstore;
using namespace blob_samples;

namespace zozi::blobstore {
void PrintTo(Sniffed const& s, std::ostream* out)
{
    *out << s.media_type << " " << s.width << "x" << s.height << (s.is_video ? " video" : "");
}
void PrintTo(PixelSize const& s, std::ostream* out) { *out << s.width << "x" << s.height; }
} // namespace zozi::blobstore

TEST(Sniff, MediaTypeSizeAndVideoFlagFromTheContent)
{
    struct Case {
        char const* name;
        Bytes bytes;
        Sniffed expected;
    };
    Case const cases[] = {
        {"png", png_3x2(), {"image/png", 3, 2, false}},
        {"jpeg", jpeg_7x5(), {"image/jpeg", 7, 5, false}},
        {"gif", text("GIF89a") + bytes({10, 0, 20, 0, 0, 0, 0}), {"image/gif", 10, 20, false}},
        {"mp4", mp4_header(), {"video/mp4", 0, 0, true}},
        {"webm", webm_header(), {"video/webm", 0, 0, true}},
        {"plain text", text("just some words\n"), {"text/plain", 0, 0, false}},
    };
    for (auto const& test : cases) EXPECT_EQ(sniff(test.bytes), test.expected) << test.name;
}

TEST(ImageSize, HeaderFieldsOfEachFormat)
{
    auto riff = [](std::string_view chunk, Bytes const& payload) {
        return text("RIFF") + bytes({0, 0, 0, 0}) + "WEBP" + chunk + bytes({0, 0, 0, 0}) + payload;
    };
    auto truncated_png = png_3x2();
    truncated_png.resize(20);
    struct Case {
        char const* name;
        Bytes bytes;
        std::optional<PixelSize> expected;
    };
    Case const cases[] = {
        {"png", png_3x2(), PixelSize {3, 2}},
        {"truncated png", truncated_png, std::nullopt},
        {"jpeg behind fill bytes", bytes({0xff, 0xd8, 0xff, 0xff, 0xc2, 0, 11, 8, 1, 0, 2, 0, 1, 1, 0, 0}),
         PixelSize {512, 256}},
        {"jpeg whose scan starts before a frame", bytes({0xff, 0xd8, 0xff, 0xda, 0, 2}), std::nullopt},
        {"jpeg with a zero-length segment", bytes({0xff, 0xd8, 0xff, 0xe1, 0, 0, 0, 0}), std::nullopt},
        {"webp lossy", riff("VP8 ", bytes({0, 0, 0, 0x9d, 0x01, 0x2a, 0x80, 0x02, 0x68, 0x01})), PixelSize {640, 360}},
        {"webp lossless", riff("VP8L", bytes({0x2f, 0x7f, 0x00, 0x20, 0x00})), PixelSize {128, 129}},
        {"webp extended", riff("VP8X", bytes({0, 0, 0, 0, 0x6b, 0x02, 0x00, 0x8f, 0x01, 0x00})), PixelSize {620, 400}},
        {"bmp bottom-up", text("BM") + Bytes(12) + bytes({40, 0, 0, 0, 4, 0, 0, 0, 3, 0, 0, 0}), PixelSize {4, 3}},
        {"bmp top-down", text("BM") + Bytes(12) + bytes({40, 0, 0, 0, 4, 0, 0, 0, 0xfd, 0xff, 0xff, 0xff}),
         PixelSize {4, 3}},
        {"bmp core header", text("BM") + Bytes(12) + bytes({12, 0, 0, 0, 9, 0, 8, 0}), PixelSize {9, 8}},
        {"gif of zero width", text("GIF87a") + bytes({0, 0, 20, 0}), std::nullopt},
        {"empty", Bytes {}, std::nullopt},
    };
    for (auto const& test : cases) EXPECT_EQ(image_size(test.bytes), test.expected) << test.name;
}
