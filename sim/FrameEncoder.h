#pragma once

// Turns successive pictures of the screen into what a page needs to follow them: the rectangles
// that changed since the last picture, each encoded. While something moves they go out lossy
// (JPEG: a few times smaller and faster than PNG); once the screen is still, refine() sends what
// went out lossy again losslessly, so that a still screen is exact on the page.

#include "sim/FrameFeed.h"
#include "sim/ScreenCommit.h"
#include "sim/TileGrid.h"

#include <memory>
#include <vector>

namespace sim {

struct FrameEncoderOptions {
    // Pixels a side of the tiles compared.
    int tile = 32;
    // Rectangles a frame is sent in at most.
    std::size_t mostRects = 8;
    int jpegQuality = 80;
    int pngLevel = 1;
};

class FrameEncoder {
public:
    explicit FrameEncoder(FrameEncoderOptions options = {});

    // The rectangles where `screen` differs from the last screen encoded (all of it the first time
    // and after a change of size), lossy when `moving`; empty when nothing changed. `screen`
    // becomes the last screen encoded. With `halve`, a lossy rectangle's picture is half as wide
    // and high as the rectangle (the page stretches it over it): a moving picture of a screen of
    // 2 pixels a point loses nothing a page shown at 1 pixel a point would show, and costs a
    // quarter of the decoding.
    std::vector<EncodedRect> encode(std::shared_ptr<const PixelBuffer> screen, bool moving, bool halve = false);
    // What went out lossy since the screen was last exact, from the last screen encoded,
    // losslessly; empty when nothing did.
    std::vector<EncodedRect> refine();
    // Forgets the last screen: the next is sent whole.
    void reset() { m_last.reset(); }
    // Nothing that went out lossy is still shown.
    bool isExact() const { return !m_lossy.any(); }
    const std::shared_ptr<const PixelBuffer>& last() const { return m_last; }

private:
    std::vector<EncodedRect> encodeTiles(const TileGrid& tiles, bool lossy, bool halve = false);

    FrameEncoderOptions m_options;
    std::shared_ptr<const PixelBuffer> m_last;
    // Tiles the page shows as a lossy encoding left them.
    TileGrid m_lossy;
};

} // namespace sim
