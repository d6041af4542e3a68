#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/uikit/Compositor.h"
#include "platform/uikit/LayerTree.h"
#include "platform/uikit/UILabel.h"

#include <limits>
#include <thread>

using objc::Ref;

// The committed layer tree and the compositor: a commit is a snapshot that another thread can
// draw at any time, while the views go on changing, with animations at the time asked for.

namespace {

constexpr dispatch::Nanoseconds millis(double m) { return static_cast<dispatch::Nanoseconds>(m * 1e6); }

// The colour at a point (in points) of a composited buffer, unpremultiplied.
Pixel pixelOf(const uikit::PixelBuffer& buffer, double scale, CGPoint p)
{
    int x = static_cast<int>(p.x * scale), y = static_cast<int>(p.y * scale);
    uint32_t px = *reinterpret_cast<const uint32_t*>(buffer.bytes.data() + y * buffer.stride + x * 4);
    int a = px >> 24 & 0xff;
    auto channel = [&](int shift) { return a ? (static_cast<int>(px >> shift & 0xff) * 255 + a / 2) / a : 0; };
    return Pixel { static_cast<uint8_t>(channel(16)), static_cast<uint8_t>(channel(8)), static_cast<uint8_t>(channel(0)), static_cast<uint8_t>(a) };
}

} // namespace

TEST_F(UIKitTest, ACommitIsDrawnOnAnotherThreadAsItStoodWhileTheViewsChange)
{
    UIWindow* w = showWindow();
    auto box = UIView::create(CGRectMake(50, 100, 100, 100));
    box->setBackgroundColor(UIColor::redColor());
    auto label = UILabel::create(CGRectMake(0, 300, 375, 40));
    label->setText("Committed");
    w->addSubview(box);
    w->addSubview(label);
    auto tree = uikit::commitWindow(w);
    auto labelContents = tree->root.sublayers.back().contents;
    ASSERT_TRUE(labelContents) << "a label draws its text";

    // The main thread changes everything while the render thread draws the commit.
    uikit::PixelBuffer drawn;
    std::thread render([&] { uikit::composite(*tree, 0, 2, drawn); });
    for (int i = 0; i < 50; ++i) {
        box->setBackgroundColor(UIColor::blueColor());
        box->setFrame(CGRectMake(200, 400, 50, 50));
        label->setText("Changed " + std::to_string(i));
    }
    box->removeFromSuperview();
    render.join();

    EXPECT_EQ(drawn.width, 750);
    EXPECT_EQ(drawn.height, 1334);
    EXPECT_TRUE(isColour(pixelOf(drawn, 2, CGPointMake(100, 150)), 255, 0, 0)) << "the box as committed";
    EXPECT_TRUE(isColour(pixelOf(drawn, 2, CGPointMake(225, 425)), 255, 255, 255));
    EXPECT_EQ(tree->root.sublayers.back().contents, labelContents) << "the commit keeps what it was given";
    EXPECT_TRUE(tree->statusBarOnLight && tree->statusBarOnDark);
    EXPECT_FALSE(uikit::isAnimating(*tree, 0));

    // A hidden window is black; a still scene composites as the renderer draws it.
    auto again = uikit::commitWindow(w);
    uikit::PixelBuffer still;
    uikit::composite(*again, 0, 2, still);
    auto picture = uikit::Renderer::renderWindow(w);
    for (CGPoint p : { CGPointMake(10, 10), CGPointMake(100, 150), CGPointMake(40, 320) }) {
        Pixel a = pixelOf(still, 2, p), b = pixelAt(picture.ptr(), p);
        EXPECT_TRUE(isColour(a, b.r, b.g, b.b, 1)) << p.x << "," << p.y;
    }
    w->setHidden(true);
    uikit::composite(*uikit::commitWindow(w), 0, 1, still);
    EXPECT_TRUE(isColour(pixelOf(still, 1, CGPointMake(100, 150)), 0, 0, 0));
}

TEST_F(UIKitTest, AnAnimationInACommitIsDrawnAtTheTimeAsked)
{
    auto& loop = dispatch::RunLoop::main();
    UIWindow* w = showWindow();
    auto box = UIView::create(CGRectMake(0, 100, 100, 100));
    box->setBackgroundColor(UIColor::redColor());
    w->addSubview(box);
    UIView::animateWithDuration(1, 0, UIViewAnimationOptionCurveLinear, [&] { box->setCenter(CGPointMake(250, 150)); }, nullptr);
    auto tree = uikit::commitWindow(w);
    auto start = loop.now();
    EXPECT_TRUE(uikit::isAnimating(*tree, start));
    EXPECT_EQ(tree->animationEnd, start + millis(1000));

    // One commit, three times: the box slides from the left to the right.
    uikit::PixelBuffer early, middle, late;
    uikit::composite(*tree, start, 1, early);
    uikit::composite(*tree, start + millis(500), 1, middle);
    uikit::composite(*tree, start + millis(2000), 1, late);
    EXPECT_NE(early.bytes, middle.bytes);
    EXPECT_TRUE(isColour(pixelOf(early, 1, CGPointMake(20, 150)), 255, 0, 0));
    EXPECT_TRUE(isColour(pixelOf(middle, 1, CGPointMake(150, 150)), 255, 0, 0));
    EXPECT_TRUE(isColour(pixelOf(middle, 1, CGPointMake(20, 150)), 255, 255, 255));
    EXPECT_TRUE(isColour(pixelOf(late, 1, CGPointMake(280, 150)), 255, 0, 0));
    EXPECT_FALSE(uikit::isAnimating(*tree, start + millis(1000)));

    // A layer animation that never ends keeps the tree animating.
    uikit::LayerAnimation spin;
    spin.to = 6.28;
    spin.repeatCount = std::numeric_limits<double>::infinity();
    box->layer()->addAnimation(spin, "spin");
    auto spinning = uikit::commitWindow(w);
    EXPECT_EQ(spinning->animationEnd, std::numeric_limits<dispatch::Nanoseconds>::max());
    EXPECT_TRUE(uikit::isAnimating(*spinning, loop.now() + millis(1'000'000)));
}

TEST_F(UIKitTest, ALayerKeepsWhatItDrewUntilMarkedForDisplay)
{
    UIWindow* w = showWindow();
    auto label = UILabel::create(CGRectMake(0, 300, 375, 40));
    label->setText("Kept");
    w->addSubview(label);
    auto contentsOf = [&] { return uikit::commitWindow(w)->root.sublayers.back().contents; };
    auto first = contentsOf();
    ASSERT_TRUE(first);
    EXPECT_EQ(contentsOf(), first) << "nothing changed: drawn once";
    label->setCenter(CGPointMake(100, 100));
    EXPECT_EQ(contentsOf(), first) << "moving does not redraw";

    // Each change of what it shows draws it again, and the new picture differs.
    auto changed = [&](auto change) {
        auto before = contentsOf();
        change();
        auto after = contentsOf();
        return after != before;
    };
    EXPECT_TRUE(changed([&] { label->setText("Changed"); }));
    EXPECT_TRUE(changed([&] { label->setTextColor(UIColor::redColor()); }));
    EXPECT_TRUE(changed([&] { label->setTextAlignment(NSTextAlignmentRight); }));
    EXPECT_TRUE(changed([&] { label->setFrame(CGRectMake(0, 0, 200, 40)); })) << "a new size";
    EXPECT_TRUE(changed([&] { label->setNeedsDisplay(); }));
    EXPECT_FALSE(changed([&] { label->setText("Changed"); })) << "the same text again";

    // A view that draws nothing of its own keeps no pixels.
    auto plain = UIView::create(CGRectMake(0, 0, 10, 10));
    w->addSubview(plain);
    EXPECT_FALSE(contentsOf());
}
