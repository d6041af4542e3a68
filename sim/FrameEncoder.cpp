#include "sim/FrameEncoder.h"

#include "platform/graphics/ImageCodecs.h"

#include <algorithm>

namespace sim {

FrameEncoder::FrameEncoder(FrameEncoderOptions options)
    : m_options(options)
{
}

std::vector<EncodedRect> FrameEncoder::encode(std::shared_ptr<const PixelBuffer> screen, bool moving, bool halve)
{
    if (!screen || screen->width <= 0 || screen->height <= 0)
        return {};
    TileGrid changed(screen->width, screen->height, m_options.tile);
    bool sameSize = m_last && m_last->width == screen->width && m_last->height == screen->height;
    if (!sameSize) {
        changed.markAll();
        m_lossy = TileGrid(screen->width, screen->height, m_options.tile);
    } else if (!changed.markDifferences(*m_last, *screen)) {
        return {};
    }
    m_last = std::move(screen);
    return encodeTiles(changed, moving, moving && halve);
}

std::vector<EncodedRect> FrameEncoder::refine()
{
    if (!m_last || !m_lossy.any())
        return {};
    TileGrid lossy = m_lossy;
    return encodeTiles(lossy, false);
}

namespace {

// `rect` of `screen` at half its size, each pixel the mean of the 2 x 2 block it stands for (a
// block cut by the rectangle's far edge repeats its last row or column, which averages to what it
// has). Rows are read two at a time, a pixel's four channels at once.
std::vector<std::uint8_t> halved(const PixelBuffer& screen, const PixelRect& rect, int& width, int& height)
{
    width = (rect.width + 1) / 2;
    height = (rect.height + 1) / 2;
    std::vector<std::uint8_t> out(std::size_t(width) * std::size_t(height) * 4);
    const std::size_t stride = std::size_t(screen.stride);
    const std::uint8_t* origin = screen.bytes.data() + std::size_t(rect.y) * stride + std::size_t(rect.x) * 4;
    std::uint8_t* q = out.data();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* top = origin + std::size_t(2 * y) * stride;
        const std::uint8_t* bottom = origin + std::size_t(std::min(2 * y + 1, rect.height - 1)) * stride;
        for (int x = 0; x < width; ++x, q += 4) {
            std::size_t left = std::size_t(2 * x) * 4, right = std::size_t(std::min(2 * x + 1, rect.width - 1)) * 4;
            for (int c = 0; c < 4; ++c)
                q[c] = std::uint8_t((top[left + c] + top[right + c] + bottom[left + c] + bottom[right + c] + 2) >> 2);
        }
    }
    return out;
}

} // namespace

std::vector<EncodedRect> FrameEncoder::encodeTiles(const TileGrid& tiles, bool lossy, bool halve)
{
    std::vector<EncodedRect> rects;
    for (const PixelRect& rect : tiles.rectangles(m_options.mostRects)) {
        graphics::PixelRows rows { m_last->bytes.data() + std::size_t(rect.y) * std::size_t(m_last->stride) + std::size_t(rect.x) * 4,
            std::size_t(rect.width), std::size_t(rect.height), std::size_t(m_last->stride) };
        std::vector<std::uint8_t> small;
        if (lossy && halve) {
            int width = 0, height = 0;
            small = halved(*m_last, rect, width, height);
            rows = { small.data(), std::size_t(width), std::size_t(height), std::size_t(width) * 4 };
        }
        auto bytes = lossy ? graphics::encodeJPEG(rows, m_options.jpegQuality) : graphics::encodePNG(rows, m_options.pngLevel);
        if (!bytes)
            continue;
        rects.push_back({ rect, lossy ? RectEncoding::JPEG : RectEncoding::PNG, std::move(*bytes) });
        if (lossy)
            m_lossy.mark(rect);
        else
            m_lossy.clear(rect);
    }
    return rects;
}

} // namespace sim
