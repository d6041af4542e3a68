#pragma once

// Pictures for frame tests, and a page's side of the frame stream: its messages parsed and their
// rectangles drawn onto a canvas.

#include "platform/graphics/ImageCodecs.h"
#include "sim/FrameFeed.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace frametest {

using sim::PixelBuffer;

inline std::shared_ptr<PixelBuffer> solid(int width, int height, std::uint32_t argb)
{
    auto buffer = std::make_shared<PixelBuffer>();
    buffer->width = width;
    buffer->height = height;
    buffer->stride = width * 4;
    buffer->bytes.resize(std::size_t(buffer->stride * height));
    for (int i = 0; i < width * height; ++i)
        std::memcpy(buffer->bytes.data() + i * 4, &argb, 4);
    return buffer;
}

inline std::uint32_t& pixel(PixelBuffer& buffer, int x, int y) { return *reinterpret_cast<std::uint32_t*>(buffer.bytes.data() + y * buffer.stride + x * 4); }

// A picture with detail everywhere, as a screen has: gradients and noise.
inline std::shared_ptr<PixelBuffer> busy(int width, int height, unsigned seed)
{
    auto buffer = solid(width, height, 0);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixel(*buffer, x, y) = 0xFF000000u | (std::uint32_t(x * 3) & 0xFF) << 16 | (std::uint32_t(y * 5) & 0xFF) << 8 | (random() & 0x3F);
    return buffer;
}

// Draws encoded rectangles over `canvas`, as the page does.
inline void drawOnto(PixelBuffer& canvas, const std::vector<sim::EncodedRect>& rects)
{
    for (const auto& r : rects) {
        CGImageRef image = r.encoding == sim::RectEncoding::PNG ? graphics::decodePNG(r.bytes.data(), r.bytes.size())
                                                                 : graphics::decodeJPEG(r.bytes.data(), r.bytes.size()).image;
        ASSERT_TRUE(image);
        if (int(image->width()) == r.rect.width && int(image->height()) == r.rect.height) {
            for (int y = 0; y < r.rect.height; ++y)
                std::memcpy(&pixel(canvas, r.rect.x, r.rect.y + y), image->data() + y * image->bytesPerRow(), std::size_t(r.rect.width) * 4);
            continue;
        }
        // A moving picture sent smaller than its rectangle, as a page stretches it (nearest pixel).
        ASSERT_EQ(r.encoding, sim::RectEncoding::JPEG) << "only lossy pictures come smaller than their rectangle";
        ASSERT_EQ(int(image->width()), (r.rect.width + 1) / 2);
        ASSERT_EQ(int(image->height()), (r.rect.height + 1) / 2);
        for (int y = 0; y < r.rect.height; ++y)
            for (int x = 0; x < r.rect.width; ++x)
                std::memcpy(&pixel(canvas, r.rect.x + x, r.rect.y + y), image->data() + (y / 2) * image->bytesPerRow() + (x / 2) * 4, 4);
    }
}

// Colour bytes alike everywhere (the unused top byte of an opaque decode aside).
inline bool sameColours(const PixelBuffer& a, const PixelBuffer& b)
{
    if (a.width != b.width || a.height != b.height)
        return false;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if ((pixel(const_cast<PixelBuffer&>(a), x, y) ^ pixel(const_cast<PixelBuffer&>(b), x, y)) & 0xFFFFFF)
                return false;
    return true;
}

struct Message {
    std::uint32_t frame = 0, boots = 0;
    int width = 0, height = 0;
    std::uint16_t flags = 0;
    std::vector<sim::EncodedRect> rects;
};

inline std::uint32_t read32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | std::uint8_t(bytes[at + std::size_t(i)]);
    return value;
}
inline int read16(const std::string& bytes, std::size_t at) { return std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8; }

// Splits a stream into its messages; fails on a message cut short or with bytes to spare.
inline std::vector<Message> parse(const std::string& stream)
{
    std::vector<Message> messages;
    std::size_t at = 0;
    while (at < stream.size()) {
        EXPECT_GE(stream.size() - at, 4u);
        std::size_t end = at + 4 + read32(stream, at);
        EXPECT_LE(end, stream.size());
        Message m { read32(stream, at + 4), read32(stream, at + 8), read16(stream, at + 12), read16(stream, at + 14), std::uint16_t(read16(stream, at + 18)), {} };
        int count = read16(stream, at + 16);
        std::size_t data = at + 20 + std::size_t(count) * 16;
        for (int i = 0; i < count; ++i) {
            std::size_t r = at + 20 + std::size_t(i) * 16;
            sim::EncodedRect rect { { read16(stream, r), read16(stream, r + 2), read16(stream, r + 4), read16(stream, r + 6) }, sim::RectEncoding(stream[r + 8]), {} };
            std::size_t length = read32(stream, r + 12);
            rect.bytes.assign(stream.begin() + std::ptrdiff_t(data), stream.begin() + std::ptrdiff_t(data + length));
            data += length;
            m.rects.push_back(std::move(rect));
        }
        EXPECT_EQ(data, end) << "the rectangles' bytes fill the message";
        messages.push_back(std::move(m));
        at = end;
    }
    return messages;
}

} // namespace frametest
