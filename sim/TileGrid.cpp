#include "sim/TileGrid.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace sim {

namespace {

// Past this many rectangles before the merge, the bounding box of them all is sent: the pairwise
// merge costs the square of the count at each step.
constexpr std::size_t kMostToMerge = 128;

PixelRect unite(const PixelRect& a, const PixelRect& b)
{
    int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    int right = std::max(a.x + a.width, b.x + b.width), bottom = std::max(a.y + a.height, b.y + b.height);
    return { left, top, right - left, bottom - top };
}

// Merges pairs, each time the two whose bounding box takes in the fewest extra pixels, until at
// most `most` rectangles are left.
void mergeDown(std::vector<PixelRect>& rects, std::size_t most)
{
    if (rects.size() > kMostToMerge) {
        PixelRect all = rects.front();
        for (const auto& r : rects)
            all = unite(all, r);
        rects = { all };
        return;
    }
    while (rects.size() > most) {
        std::size_t bestA = 0, bestB = 1;
        long long bestWaste = std::numeric_limits<long long>::max();
        for (std::size_t a = 0; a < rects.size(); ++a)
            for (std::size_t b = a + 1; b < rects.size(); ++b) {
                long long waste = unite(rects[a], rects[b]).area() - rects[a].area() - rects[b].area();
                if (waste < bestWaste)
                    bestWaste = waste, bestA = a, bestB = b;
            }
        rects[bestA] = unite(rects[bestA], rects[bestB]);
        rects.erase(rects.begin() + std::ptrdiff_t(bestB));
    }
}

} // namespace

TileGrid::TileGrid(int width, int height, int tile)
    : m_width(std::max(0, width))
    , m_height(std::max(0, height))
    , m_tile(std::max(1, tile))
    , m_columns((m_width + m_tile - 1) / m_tile)
    , m_rows((m_height + m_tile - 1) / m_tile)
    , m_marked(std::size_t(m_columns * m_rows), false)
{
}

bool TileGrid::any() const { return std::find(m_marked.begin(), m_marked.end(), true) != m_marked.end(); }

bool TileGrid::markDifferences(const PixelBuffer& a, const PixelBuffer& b)
{
    bool changed = false;
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t* rowA = a.bytes.data() + std::size_t(y) * std::size_t(a.stride);
        const std::uint8_t* rowB = b.bytes.data() + std::size_t(y) * std::size_t(b.stride);
        int row = y / m_tile;
        for (int column = 0; column < m_columns; ++column) {
            std::size_t at = std::size_t(row * m_columns + column);
            if (m_marked[at])
                continue;
            int x = column * m_tile, width = std::min(m_tile, m_width - x);
            if (std::memcmp(rowA + x * 4, rowB + x * 4, std::size_t(width) * 4) != 0)
                m_marked[at] = changed = true;
        }
    }
    return changed;
}

void TileGrid::markAll() { std::fill(m_marked.begin(), m_marked.end(), true); }

void TileGrid::mark(const PixelRect& rect) { setTiles(rect, true); }

void TileGrid::clear(const PixelRect& rect) { setTiles(rect, false); }

void TileGrid::clear() { std::fill(m_marked.begin(), m_marked.end(), false); }

void TileGrid::setTiles(const PixelRect& rect, bool marked)
{
    if (rect.width <= 0 || rect.height <= 0)
        return;
    int firstColumn = std::max(0, rect.x / m_tile), lastColumn = std::min(m_columns - 1, (rect.x + rect.width - 1) / m_tile);
    int firstRow = std::max(0, rect.y / m_tile), lastRow = std::min(m_rows - 1, (rect.y + rect.height - 1) / m_tile);
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column)
            m_marked[std::size_t(row * m_columns + column)] = marked;
}

PixelRect TileGrid::tileRect(int column, int row, int columns, int rows) const
{
    int x = column * m_tile, y = row * m_tile;
    return { x, y, std::min(columns * m_tile, m_width - x), std::min(rows * m_tile, m_height - y) };
}

std::vector<PixelRect> TileGrid::rectangles(std::size_t most) const
{
    // Runs of marked tiles in each row; a run spanning the same columns as one in the row above
    // extends that one downwards.
    struct Run {
        int first, last, topRow, bottomRow;
    };
    std::vector<Run> runs;
    std::vector<std::size_t> open; // runs that ended on the row above
    for (int row = 0; row < m_rows; ++row) {
        std::vector<std::size_t> nowOpen;
        for (int column = 0; column < m_columns;) {
            if (!isMarked(column, row)) {
                ++column;
                continue;
            }
            int first = column;
            while (column < m_columns && isMarked(column, row))
                ++column;
            int last = column - 1;
            auto above = std::find_if(open.begin(), open.end(), [&](std::size_t i) { return runs[i].first == first && runs[i].last == last; });
            if (above != open.end()) {
                runs[*above].bottomRow = row;
                nowOpen.push_back(*above);
            } else {
                runs.push_back({ first, last, row, row });
                nowOpen.push_back(runs.size() - 1);
            }
        }
        open.swap(nowOpen);
    }
    std::vector<PixelRect> rects;
    rects.reserve(runs.size());
    for (const auto& run : runs)
        rects.push_back(tileRect(run.first, run.topRow, run.last - run.first + 1, run.bottomRow - run.topRow + 1));
    mergeDown(rects, std::max<std::size_t>(1, most));
    return rects;
}

} // namespace sim
