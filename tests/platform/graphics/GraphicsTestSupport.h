#pragma once

// Pictures built in the tests and pixel reading for the graphics tests.

#include "platform/graphics/CGImage.h"
#include "tests/support/Pixels.h"

#include <zlib.h>

#include <cstdint>
#include <ostream>
#include <vector>

namespace graphics_test {

// Appends one PNG chunk (length, type, data, CRC) to a file being built by hand, for pictures no
// encoder would write.
inline void appendChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    auto put32 = [&](uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(uint8_t(v >> shift));
    };
    put32(uint32_t(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

using testing_support::RGBA;
using testing_support::pixelAt;

inline constexpr RGBA kRed { 255, 0, 0, 255 };
inline constexpr RGBA kGreen { 0, 255, 0, 255 };
inline constexpr RGBA kBlue { 0, 0, 255, 255 };
inline constexpr RGBA kYellow { 255, 255, 0, 255 };

// A picture from straight RGBA rows (bytes R, G, B, A), through CGImageCreate.
inline CGImageRef imageFromRGBA(size_t w, size_t h, const std::vector<uint8_t>& bytes)
{
    return CGImageCreate(w, h, 8, 32, w * 4, CGColorSpaceCreateDeviceRGB(), kCGImageAlphaLast | kCGBitmapByteOrderDefault,
        CGDataProviderCreateWithBytes(bytes), nullptr, true, kCGRenderingIntentDefault);
}

// A picture whose four quarters are red (top left), green (top right), blue (bottom left) and
// yellow (bottom right). Width and height must be even.
inline CGImageRef fourCorners(size_t w, size_t h)
{
    std::vector<uint8_t> bytes(w * h * 4);
    for (size_t y = 0; y < h; ++y) {
        for (size_t x = 0; x < w; ++x) {
            RGBA c = y < h / 2 ? (x < w / 2 ? kRed : kGreen) : (x < w / 2 ? kBlue : kYellow);
            uint8_t* p = &bytes[(y * w + x) * 4];
            p[0] = uint8_t(c.r), p[1] = uint8_t(c.g), p[2] = uint8_t(c.b), p[3] = uint8_t(c.a);
        }
    }
    return imageFromRGBA(w, h, bytes);
}

struct Corners {
    RGBA topLeft, topRight, bottomLeft, bottomRight;
    bool operator==(const Corners&) const = default;
    friend std::ostream& operator<<(std::ostream& os, const Corners& c)
    {
        return os << "TL" << c.topLeft << " TR" << c.topRight << " BL" << c.bottomLeft << " BR" << c.bottomRight;
    }
};

// The corner pixels (one pixel in from each edge, away from resampled borders).
inline Corners cornersOf(const CGImage* image)
{
    size_t w = image->width(), h = image->height();
    return { pixelAt(image, 1, 1), pixelAt(image, w - 2, 1), pixelAt(image, 1, h - 2), pixelAt(image, w - 2, h - 2) };
}

} // namespace graphics_test
