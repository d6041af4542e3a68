#pragma once

#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/LayerTree.h"

#include <cstdint>
#include <vector>

typedef struct _cairo cairo_t;

namespace uikit {

// Any thread, no UIKit object touched: the tree drawn at `at` (virtual nanoseconds, running
// animations interpolated) into `out` (premultiplied ARGB32 as cairo's image surfaces, `scale`
// pixels a point; resized as needed).
struct PixelBuffer {
    int width = 0, height = 0, stride = 0;
    std::vector<std::uint8_t> bytes;
};
void composite(const LayerTree& tree, dispatch::Nanoseconds at, double scale, PixelBuffer& out);
// The same onto a cairo context whose user space is the tree's canvas in points.
void compositeInto(cairo_t* cr, const LayerTree& tree, dispatch::Nanoseconds at);
// True while an animation of the tree still changes what it shows after `at`.
bool isAnimating(const LayerTree& tree, dispatch::Nanoseconds at);

} // namespace uikit
