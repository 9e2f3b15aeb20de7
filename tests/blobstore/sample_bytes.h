#pragma once

// Just enough of each format's header for sniffing and size reading.

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace blob_samples {

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytes(std::initializer_list<int> values)
{
    Bytes out;
    for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

inline Bytes operator+(Bytes a, std::string_view text)
{
    a.insert(a.end(), text.begin(), text.end());
    return a;
}

inline Bytes operator+(Bytes a, Bytes const& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes text(std::string_view t) { return Bytes(t.begin(), t.end()); }

// 3 × 2, RGBA; the chunk CRC is not checked by anything here.
inline Bytes png_3x2()
{
    return bytes({0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13}) + "IHDR"
        + bytes({0, 0, 0, 3, 0, 0, 0, 2, 8, 6, 0, 0, 0, 0x5a, 0x3b, 0x1c, 0x07});
}

// 7 wide, 5 high, behind a JFIF segment.
inline Bytes jpeg_7x5()
{
    return bytes({0xff, 0xd8, 0xff, 0xe0, 0, 16}) + "JFIF" + bytes({0, 1, 1, 0, 0, 1, 0, 1, 0, 0})
        + bytes({0xff, 0xc0, 0, 17, 8, 0, 5, 0, 7, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1});
}

inline Bytes mp4_header()
{
    return bytes({0, 0, 0, 24}) + "ftypisom" + bytes({0, 0, 2, 0}) + "isomiso2";
}

inline Bytes webm_header()
{
    return bytes({0x1a, 0x45, 0xdf, 0xa3, 0x9f, 0x42, 0x86, 0x81, 1, 0x42, 0xf7, 0x81, 1, 0x42, 0xf2, 0x81, 4, 0x42,
                  0xf3, 0x81, 8, 0x42, 0x82, 0x84})
        + "webm" + bytes({0x42, 0x87, 0x81, 4, 0x42, 0x85, 0x81, 2});
}

} // namespace blob_samples
