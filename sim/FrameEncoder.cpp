#include "sim/FrameEncoder.h"

#include "platform/graphics/ImageCodecs.h"

namespace sim {

FrameEncoder::FrameEncoder(FrameEncoderOptions options)
    : m_options(options)
{
}

std::vector<EncodedRect> FrameEncoder::encode(std::shared_ptr<const PixelBuffer> screen, bool moving)
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
    return encodeTiles(changed, moving);
}

std::vector<EncodedRect> FrameEncoder::refine()
{
    if (!m_last || !m_lossy.any())
        return {};
    TileGrid lossy = m_lossy;
    return encodeTiles(lossy, false);
}

std::vector<EncodedRect> FrameEncoder::encodeTiles(const TileGrid& tiles, bool lossy)
{
    std::vector<EncodedRect> rects;
    for (const PixelRect& rect : tiles.rectangles(m_options.mostRects)) {
        graphics::PixelRows rows { m_last->bytes.data() + std::size_t(rect.y) * std::size_t(m_last->stride) + std::size_t(rect.x) * 4,
            std::size_t(rect.width), std::size_t(rect.height), std::size_t(m_last->stride) };
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
