// The frames a page draws: changed tiles merged into rectangles, lossy while moving and exact
// once still, and the stream of messages a page reads them from.

#include "platform/graphics/ImageCodecs.h"
#include "sim/FrameEncoder.h"
#include "sim/FrameFeed.h"
#include "sim/FrameStream.h"
#include "sim/TileGrid.h"
#include "tests/sim/FrameTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace std::chrono_literals;
using namespace frametest;
using sim::PixelBuffer;
using sim::PixelRect;

// --- Tiles ---

TEST(TileGrid, AChangedPixelMarksItsTileOnlyAndEdgeTilesAreClippedToTheScreen)
{
    auto before = solid(70, 50, 0xFF336699);
    auto after = std::make_shared<PixelBuffer>(*before);
    pixel(*after, 69, 49) = 0xFFFFFFFF;
    sim::TileGrid grid(70, 50, 32);
    ASSERT_TRUE(grid.markDifferences(*before, *after));
    EXPECT_EQ(grid.rectangles(8), std::vector<PixelRect>({ { 64, 32, 6, 18 } }));
    EXPECT_FALSE(sim::TileGrid(70, 50, 32).markDifferences(*before, *before));
}

TEST(TileGrid, MarkedTilesBecomeFewRectanglesThatCoverEveryOne)
{
    // Two blocks far apart stay two rectangles; asked for one, they become their bounding box.
    sim::TileGrid grid(320, 320, 32);
    grid.mark({ 0, 0, 64, 64 });
    grid.mark({ 256, 256, 64, 64 });
    EXPECT_EQ(grid.rectangles(8), std::vector<PixelRect>({ { 0, 0, 64, 64 }, { 256, 256, 64, 64 } }));
    EXPECT_EQ(grid.rectangles(1), std::vector<PixelRect>({ { 0, 0, 320, 320 } }));
    grid.clear({ 0, 0, 64, 64 });
    EXPECT_EQ(grid.rectangles(8), std::vector<PixelRect>({ { 256, 256, 64, 64 } }));

    // Whatever is marked, each marked tile lies in a rectangle and there are no more than asked.
    std::mt19937 random(27);
    for (int round = 0; round < 200; ++round) {
        sim::TileGrid scattered(300, 200, 32);
        int marks = int(random() % 30);
        for (int i = 0; i < marks; ++i)
            scattered.mark({ int(random() % 300), int(random() % 200), 1, 1 });
        std::size_t most = 1 + random() % 8;
        auto rects = scattered.rectangles(most);
        ASSERT_LE(rects.size(), most);
        for (int row = 0; row < 7; ++row)
            for (int column = 0; column < 10; ++column) {
                if (!scattered.isMarked(column, row))
                    continue;
                bool covered = std::any_of(rects.begin(), rects.end(), [&](const PixelRect& r) {
                    return r.x <= column * 32 && r.y <= row * 32 && r.x + r.width >= std::min(300, column * 32 + 32) && r.y + r.height >= std::min(200, row * 32 + 32);
                });
                ASSERT_TRUE(covered) << "tile " << column << "," << row << " in round " << round;
            }
        for (const auto& r : rects)
            ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.width <= 300 && r.y + r.height <= 200 && r.width > 0 && r.height > 0);
    }
}

// --- Encoding ---

TEST(FrameEncoder, SendsTheWholeScreenFirstThenOnlyWhatChanged)
{
    sim::FrameEncoder encoder;
    auto first = busy(200, 120, 1);
    auto rects = encoder.encode(first, false);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].rect, (PixelRect { 0, 0, 200, 120 }));
    EXPECT_EQ(rects[0].encoding, sim::RectEncoding::PNG);
    EXPECT_TRUE(encoder.encode(std::make_shared<PixelBuffer>(*first), false).empty()) << "nothing changed, nothing to send";

    auto second = std::make_shared<PixelBuffer>(*first);
    pixel(*second, 100, 40) ^= 0xFFFFFF;
    rects = encoder.encode(second, false);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].rect, (PixelRect { 96, 32, 32, 32 }));

    // Another size is a new screen: all of it again.
    rects = encoder.encode(busy(100, 100, 2), false);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].rect, (PixelRect { 0, 0, 100, 100 }));
}

TEST(FrameEncoder, MotionGoesOutLossyAndTheStillScreenIsExactAfterRefining)
{
    sim::FrameEncoder encoder;
    PixelBuffer canvas = *solid(256, 192, 0);
    drawOnto(canvas, encoder.encode(busy(256, 192, 1), false));
    ASSERT_TRUE(encoder.isExact());

    // Three frames of motion, each moving a band of the picture.
    std::shared_ptr<PixelBuffer> screen;
    for (int step = 0; step < 3; ++step) {
        screen = std::make_shared<PixelBuffer>(*encoder.last());
        for (int y = 40 + step * 20; y < 100 + step * 20; ++y)
            for (int x = 0; x < 256; ++x)
                pixel(*screen, x, y) = 0xFF000000u | (std::uint32_t((x + y * step) * 7919) & 0xFFFFFF);
        auto rects = encoder.encode(screen, true);
        ASSERT_FALSE(rects.empty());
        for (const auto& r : rects)
            EXPECT_EQ(r.encoding, sim::RectEncoding::JPEG);
        drawOnto(canvas, rects);
    }
    EXPECT_FALSE(encoder.isExact());
    EXPECT_FALSE(sameColours(canvas, *screen)) << "a lossy encoding of noise is not exact";

    auto refined = encoder.refine();
    ASSERT_FALSE(refined.empty());
    for (const auto& r : refined) {
        EXPECT_EQ(r.encoding, sim::RectEncoding::PNG);
        EXPECT_LT(r.rect.area(), 256 * 192) << "only what went out lossy";
    }
    drawOnto(canvas, refined);
    EXPECT_TRUE(encoder.isExact());
    EXPECT_TRUE(sameColours(canvas, *screen)) << "the still screen is the screen, pixel for pixel";
    EXPECT_TRUE(encoder.refine().empty());
}

TEST(FrameEncoder, AMovingPictureGoesOutAtHalfSizeAndTheStillScreenWholeAgain)
{
    sim::FrameEncoder encoder;
    PixelBuffer canvas = *solid(200, 150, 0);
    drawOnto(canvas, encoder.encode(busy(200, 150, 1), false));

    // A band in two flat colours moves: its picture is half as wide and high as its rectangle,
    // and stretched over it the colours are where they were (JPEG's rounding aside).
    auto screen = std::make_shared<PixelBuffer>(*encoder.last());
    for (int y = 31; y < 97; ++y)
        for (int x = 0; x < 200; ++x)
            pixel(*screen, x, y) = x < 100 ? 0xFF2060C0u : 0xFFE0A020u;
    auto rects = encoder.encode(screen, true, true);
    ASSERT_FALSE(rects.empty());
    std::size_t shrunkBytes = 0;
    for (const auto& r : rects) {
        EXPECT_EQ(r.encoding, sim::RectEncoding::JPEG);
        CGImageRef image = graphics::decodeJPEG(r.bytes.data(), r.bytes.size()).image;
        ASSERT_TRUE(image);
        EXPECT_EQ(int(image->width()), (r.rect.width + 1) / 2);
        EXPECT_EQ(int(image->height()), (r.rect.height + 1) / 2);
        shrunkBytes += r.bytes.size();
    }
    drawOnto(canvas, rects);
    auto near = [](std::uint32_t a, std::uint32_t b) {
        for (int shift : { 0, 8, 16 })
            if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 12)
                return false;
        return true;
    };
    EXPECT_TRUE(near(pixel(canvas, 40, 60), 0xFF2060C0u));
    EXPECT_TRUE(near(pixel(canvas, 160, 60), 0xFFE0A020u));

    // Still again: what went out small is sent whole and exact.
    drawOnto(canvas, encoder.refine());
    EXPECT_TRUE(encoder.isExact());
    EXPECT_TRUE(sameColours(canvas, *screen));
    // Without shrinking, the same motion costs more bytes.
    sim::FrameEncoder whole;
    whole.encode(busy(200, 150, 1), false);
    std::size_t wholeBytes = 0;
    for (const auto& r : whole.encode(screen, true))
        wholeBytes += r.bytes.size();
    EXPECT_LT(shrunkBytes, wholeBytes);
}

// --- The stream ---

// Publishes what `encoder` makes of `screen`.
void publish(sim::FrameFeed& feed, sim::FrameEncoder& encoder, std::shared_ptr<PixelBuffer> screen, bool moving = false)
{
    auto frame = std::make_shared<sim::Frame>();
    frame->boots = 1;
    frame->rects = encoder.encode(std::move(screen), moving);
    frame->exact = encoder.isExact();
    feed.publish(frame, encoder.last());
}

TEST(FrameStream, ANewPageGetsTheWholeScreenThenEachFramesRectanglesInOrder)
{
    sim::FrameFeed feed;
    sim::FrameEncoder encoder;
    sim::FrameStream page(feed);
    EXPECT_EQ(page.next(10ms), "") << "nothing drawn yet";
    publish(feed, encoder, busy(96, 64, 1));
    auto changed = std::make_shared<PixelBuffer>(*encoder.last());
    pixel(*changed, 5, 5) = 0xFF000000;
    publish(feed, encoder, changed);

    PixelBuffer canvas = *solid(96, 64, 0);
    auto messages = parse(page.next(10ms));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].frame, 2u);
    EXPECT_EQ(messages[0].flags, sim::kFrameExact | sim::kFrameWholeScreen);
    EXPECT_EQ(messages[0].width, 96);
    drawOnto(canvas, messages[0].rects);
    EXPECT_TRUE(sameColours(canvas, *changed));

    auto moved = std::make_shared<PixelBuffer>(*changed);
    pixel(*moved, 90, 60) = 0xFFFFFFFF;
    publish(feed, encoder, moved, true);
    auto still = std::make_shared<PixelBuffer>(*moved);
    pixel(*still, 40, 40) = 0xFFFFFFFF;
    publish(feed, encoder, still, false);
    messages = parse(page.next(10ms));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].frame, 3u);
    EXPECT_EQ(messages[1].frame, 4u);
    EXPECT_EQ(messages[0].flags, 0) << "lossy: not exact yet";
    EXPECT_EQ(messages[0].rects.at(0).rect, (PixelRect { 64, 32, 32, 32 }));
    EXPECT_EQ(messages[1].rects.at(0).rect, (PixelRect { 32, 32, 32, 32 }));
    EXPECT_EQ(page.next(10ms), "") << "nothing newer";
}

TEST(FrameStream, APageFurtherBehindThanTheFeedKeepsStartsAgainFromTheWholeScreen)
{
    sim::FrameFeed feed;
    sim::FrameEncoder encoder;
    sim::FrameStream page(feed);
    publish(feed, encoder, busy(64, 64, 1));
    ASSERT_EQ(parse(page.next(10ms)).size(), 1u);
    for (int i = 0; i < 200; ++i) {
        auto next = std::make_shared<PixelBuffer>(*encoder.last());
        pixel(*next, i % 64, 0) ^= 0xFF;
        publish(feed, encoder, next);
    }
    auto messages = parse(page.next(10ms));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].frame, 201u);
    EXPECT_TRUE(messages[0].flags & sim::kFrameWholeScreen);
    PixelBuffer canvas = *solid(64, 64, 0);
    drawOnto(canvas, messages[0].rects);
    EXPECT_TRUE(sameColours(canvas, *encoder.last()));
}

TEST(FrameStream, APacedPageIsSentAFrameOrTwoBeyondWhatItDrewAndCatchesUpWithTheWholeScreen)
{
    sim::FrameFeed feed;
    sim::FrameEncoder encoder;
    sim::FrameStream page(feed, true);
    auto step = [&](int i) {
        auto next = std::make_shared<PixelBuffer>(*encoder.last());
        pixel(*next, i % 64, 1) ^= 0xFF;
        publish(feed, encoder, next);
    };
    publish(feed, encoder, busy(64, 64, 1));
    ASSERT_EQ(parse(page.next(10ms)).size(), 1u) << "the whole screen first";
    page.acknowledge(1);
    PixelBuffer canvas = *solid(64, 64, 0);

    // Two frames go out unanswered; the third waits until the page says it drew one.
    step(1);
    auto first = parse(page.next(10ms));
    step(2);
    auto second = parse(page.next(10ms));
    step(3);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(page.next(10ms), "") << "a third frame beyond what the page drew";
    page.acknowledge(2);
    auto third = parse(page.next(10ms));
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(third[0].frame, 4u);
    EXPECT_FALSE(third[0].flags & sim::kFrameWholeScreen);

    // A page far behind gets the screen whole, not every frame it missed; one that claims a frame
    // it was never sent is taken at what it was sent.
    for (int i = 4; i < 12; ++i)
        step(i);
    page.acknowledge(1000);
    auto caughtUp = parse(page.next(10ms));
    ASSERT_EQ(caughtUp.size(), 1u);
    EXPECT_EQ(caughtUp[0].frame, 12u);
    EXPECT_TRUE(caughtUp[0].flags & sim::kFrameWholeScreen);
    drawOnto(canvas, caughtUp[0].rects);
    EXPECT_TRUE(sameColours(canvas, *encoder.last()));
    step(12);
    EXPECT_EQ(page.next(10ms), "") << "the page has not said it drew more than frame 4";
    page.acknowledge(12);
    EXPECT_NE(page.next(10ms), "");
    step(13);
    EXPECT_NE(page.next(10ms), "");
    step(14);
    EXPECT_EQ(page.next(10ms), "") << "frames 13 and 14 are out and unanswered";
}

TEST(FrameStream, TheWordThatAPageDrewReachesOnlyItsOwnOpenStream)
{
    sim::FrameFeed feed;
    sim::PacedStreams streams;
    auto mine = std::make_shared<sim::FrameStream>(feed, true);
    streams.add("mine", mine);
    EXPECT_TRUE(streams.acknowledge("mine", 0));
    EXPECT_FALSE(streams.acknowledge("someone else", 0));
    // A stream that closed is forgotten, and a newer stream of the same page is not removed by an
    // older one closing late.
    auto newer = std::make_shared<sim::FrameStream>(feed, true);
    streams.add("mine", newer);
    streams.remove("mine", mine.get());
    EXPECT_TRUE(streams.acknowledge("mine", 0));
    streams.remove("mine", newer.get());
    EXPECT_FALSE(streams.acknowledge("mine", 0));
}

} // namespace
