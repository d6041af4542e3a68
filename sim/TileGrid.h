#pragma once

// The screen cut into square tiles, each marked or not: the tiles that changed between two
// frames, or those sent lossy since the screen was last exact. Marked tiles come out as a few
// rectangles, so that a frame sends what changed and not the whole screen.

#include "sim/ScreenCommit.h"

#include <cstddef>
#include <vector>

namespace sim {

// Pixels of a frame.
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    long long area() const { return (long long)width * height; }
    bool operator==(const PixelRect&) const = default;
};

class TileGrid {
public:
    TileGrid() = default;
    // A grid over `width` x `height` pixels, nothing marked; the last column and row of tiles
    // may be narrower than `tile`.
    TileGrid(int width, int height, int tile);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool any() const;
    bool isMarked(int column, int row) const { return m_marked[std::size_t(row * m_columns + column)]; }

    // Marks every tile where `a` and `b` (both of this grid's size) differ in a pixel; answers
    // whether any did.
    bool markDifferences(const PixelBuffer& a, const PixelBuffer& b);
    void markAll();
    // Marks the tiles `rect` touches, or clears them.
    void mark(const PixelRect& rect);
    void clear(const PixelRect& rect);
    void clear();

    // The marked tiles as at most `most` rectangles (at least one), clipped to the grid: each
    // marked tile lies in one of them; a greedy merge keeps the unmarked pixels they take in few.
    std::vector<PixelRect> rectangles(std::size_t most) const;

private:
    PixelRect tileRect(int column, int row, int columns = 1, int rows = 1) const;
    void setTiles(const PixelRect& rect, bool marked);

    int m_width = 0, m_height = 0, m_tile = 32;
    int m_columns = 0, m_rows = 0;
    std::vector<bool> m_marked;
};

} // namespace sim
