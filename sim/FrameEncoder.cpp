#include "sim/FrameEncoder.h"

#include "platform/graphics/ImageCodecs.h"

namespace sim {

FrameEncoder::FrameEncoder(FrameEncoderOptions options)
    : m_options(options)
{
}

std::vector<EncodedRect> FrameEncoder::encode(std::shared_ptr<const PixelBuffer> screen, bool moving, int shrink)
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
    return encodeTiles(changed, moving, moving ? shrink : 1);
}

std::vector<EncodedRect> FrameEncoder::refine()
{
    if (!m_last || !m_lossy.any())
        return {};
    TileGrid lossy = m_lossy;
    return encodeTiles(lossy, false);
}

namespace {

// `rect` of `screen` at 1 / `shrink` of its size, each pixel the mean of the block it stands for
// (blocks cut by the rectangle's far edges take what they have).
std::vector<std::uint8_t> shrunk(const PixelBuffer& screen, const PixelRect& rect, int shrink, int& width, int& height)
{
    width = (rect.width + shrink - 1) / shrink;
    height = (rect.height + shrink - 1) / shrink;
    std::vector<std::uint8_t> out(std::size_t(width) * std::size_t(height) * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned sum[4] = { 0, 0, 0, 0 }, count = 0;
            for (int dy = 0; dy < shrink && y * shrink + dy < rect.height; ++dy)
                for (int dx = 0; dx < shrink && x * shrink + dx < rect.width; ++dx) {
                    const std::uint8_t* p = screen.bytes.data() + std::size_t(rect.y + y * shrink + dy) * std::size_t(screen.stride) + std::size_t(rect.x + x * shrink + dx) * 4;
                    for (int c = 0; c < 4; ++c)
                        sum[c] += p[c];
                    ++count;
                }
            std::uint8_t* q = out.data() + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4;
            for (int c = 0; c < 4; ++c)
                q[c] = std::uint8_t((sum[c] + count / 2) / count);
        }
    return out;
}

} // namespace

std::vector<EncodedRect> FrameEncoder::encodeTiles(const TileGrid& tiles, bool lossy, int shrink)
{
    std::vector<EncodedRect> rects;
    for (const PixelRect& rect : tiles.rectangles(m_options.mostRects)) {
        graphics::PixelRows rows { m_last->bytes.data() + std::size_t(rect.y) * std::size_t(m_last->stride) + std::size_t(rect.x) * 4,
            std::size_t(rect.width), std::size_t(rect.height), std::size_t(m_last->stride) };
        std::vector<std::uint8_t> small;
        if (lossy && shrink > 1) {
            int width = 0, height = 0;
            small = shrunk(*m_last, rect, shrink, width, height);
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
