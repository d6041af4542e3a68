#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/uikit/Renderer.h"
#include "platform/uikit/UIActivityIndicatorView.h"
#include "platform/uikit/UIWindow.h"

using objc::Ref;

// Motion where the phone has it, seen in pictures taken at different moments on the run loop's
// clock: what moves differs between two moments and rests where it should.

namespace {

bool samePixels(UIImage* a, UIImage* b)
{
    int w = static_cast<int>(a->CGImage()->width()), h = static_cast<int>(a->CGImage()->height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!(pixelAt(a, x, y) == pixelAt(b, x, y)))
                return false;
    return true;
}

} // namespace

TEST_F(UIKitTest, AnActivityIndicatorTurnsInTwelveStepsASecondOnlyWhileAnimating)
{
    // On screen: a view drawn alone shows its model, not its running animations.
    auto window = UIWindow::create(CGRectMake(0, 0, 60, 60));
    window->setBackgroundColor(UIColor::blackColor());
    window->makeKeyAndVisible();
    auto spinner = UIActivityIndicatorView::create(UIActivityIndicatorViewStyleWhiteLarge);
    spinner->setCenter(CGPointMake(30, 30));
    window->addSubview(spinner);
    uikit::RenderOptions options;
    options.scale = 2;
    options.statusBar = false;
    auto shot = [&] { return uikit::Renderer::renderWindow(window, options); };

    spinner->setHidesWhenStopped(false);
    spinner->setHidden(false);
    Ref<UIImage> still = shot();
    settle(0.5);
    EXPECT_TRUE(samePixels(still, shot())) << "a stopped spinner stands still";

    spinner->startAnimating();
    Ref<UIImage> start = shot();
    EXPECT_TRUE(samePixels(start, still)) << "it starts from where it stood";
    settle(0.04);
    EXPECT_TRUE(samePixels(start, shot())) << "a step lasts a twelfth of a second";
    settle(0.05);
    Ref<UIImage> step = shot();
    EXPECT_FALSE(samePixels(start, step)) << "one step on";
    settle(1);
    EXPECT_TRUE(samePixels(step, shot())) << "a whole turn later it looks the same";
    // Clockwise: the brightest spoke, at the top to begin with, moves to the right.
    auto brightness = [](UIImage* image, CGPoint p) {
        Pixel px = pixelAt(image, static_cast<int>(p.x * 2), static_cast<int>(p.y * 2));
        return px.r + px.g + px.b;
    };
    CGPoint top = CGPointMake(30, 30 - 14), clockwise = CGPointMake(30 + 14 * std::sin(M_PI / 6), 30 - 14 * std::cos(M_PI / 6));
    EXPECT_GT(brightness(start, top), brightness(start, clockwise));
    EXPECT_GT(brightness(step, clockwise), brightness(step, top));

    spinner->stopAnimating();
    EXPECT_FALSE(spinner->layer()->hasAnimations());
    EXPECT_TRUE(samePixels(still, shot())) << "stopped, it shows its resting spokes";
}
