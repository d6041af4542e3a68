#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/graphics/CairoAccess.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/Renderer.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"

#include <cairo.h>

#include <cmath>

using objc::Ref;

// Pixels of rendered views, from pictures and trees built here: placement at each scale, alpha,
// clipping, corners and borders, transforms, image content modes, text placement, the status
// bar and an alert's dimming.

namespace {

// The horizontal extent (in points) of pixels in row `y` (points) that are not white.
std::pair<double, double> inkRow(UIImage* image, double y)
{
    cairo_surface_t* s = graphics::cairoSurface(image->CGImage());
    cairo_surface_flush(s);
    int w = cairo_image_surface_get_width(s);
    double minX = -1, maxX = -1;
    for (int x = 0; x < w; ++x) {
        Pixel p = pixelAt(image, CGPointMake((x + 0.5) / image->scale(), y));
        if (p.r + p.g + p.b < 3 * 200) {
            if (minX < 0)
                minX = x / image->scale();
            maxX = (x + 1) / image->scale();
        }
    }
    return { minX, maxX };
}

Ref<UIView> whiteCanvas(CGFloat w, CGFloat h)
{
    auto canvas = UIView::create(CGRectMake(0, 0, w, h));
    canvas->setBackgroundColor(UIColor::whiteColor());
    return canvas;
}

Ref<UIView> colouredView(CGRect frame, UIColor* colour)
{
    auto v = UIView::create(frame);
    v->setBackgroundColor(colour);
    return v;
}

// A 40 × 20 picture: the left half red, the right half blue.
Ref<UIImage> halvesPicture()
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(40, 20), true, 1);
    UIColor::redColor()->setFill();
    UIRectFill(CGRectMake(0, 0, 20, 20));
    UIColor::blueColor()->setFill();
    UIRectFill(CGRectMake(20, 0, 20, 20));
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

} // namespace

TEST_F(UIKitTest, BackgroundsLandOnTheRightPixelsAtScalesTwoAndThree)
{
    auto canvas = whiteCanvas(100, 100);
    canvas->addSubview(colouredView(CGRectMake(10, 20, 30, 40), UIColor::redColor()));
    for (double scale : { 2.0, 3.0 }) {
        auto image = uikit::Renderer::renderView(canvas, scale);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->scale(), scale);
        cairo_surface_t* s = graphics::cairoSurface(image->CGImage());
        EXPECT_EQ(cairo_image_surface_get_width(s), static_cast<int>(100 * scale));
        EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(10.2, 20.2)), 255, 0, 0)) << scale;
        EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(39.7, 59.7)), 255, 0, 0)) << scale;
        EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(9.6, 30)), 255, 255, 255)) << scale;
        EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(40.1, 30)), 255, 255, 255)) << scale;
        EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(20, 60.2)), 255, 255, 255)) << scale;
    }
    // The screen's scale is the default.
    uikit::configureScreen(CGSizeMake(375, 667), 3);
    EXPECT_EQ(uikit::Renderer::renderView(canvas)->scale(), 3);
}

TEST_F(UIKitTest, LayerOpacityAndAlphaAreOneValue)
{
    auto canvas = whiteCanvas(100, 100);
    auto black = colouredView(CGRectMake(0, 0, 100, 100), UIColor::blackColor());
    canvas->addSubview(black);
    black->layer()->setOpacity(0.5);
    EXPECT_NEAR(black->alpha(), 0.5, 1e-6);
    EXPECT_NEAR(pixelAt(uikit::Renderer::renderView(canvas, 1), CGPointMake(50, 50)).r, 128, 2);
    objc::msgSend(black->layer(), "setOpacity:", 0.0);
    EXPECT_TRUE(isColour(pixelAt(uikit::Renderer::renderView(canvas, 1), CGPointMake(50, 50)), 255, 255, 255)) << "an invisible layer shows nothing";
    black->setAlpha(1);
    EXPECT_EQ(black->layer()->opacity(), 1);
    // A stand-alone layer keeps its own, clamped.
    auto loose = CALayer::layer();
    loose->setOpacity(3);
    EXPECT_EQ(loose->opacity(), 1);
}

TEST_F(UIKitTest, ClipsToBoundsCutsChildrenAtTheParentsEdge)
{
    auto canvas = whiteCanvas(100, 100);
    auto parent = UIView::create(CGRectMake(10, 10, 50, 50));
    auto child = colouredView(CGRectMake(30, 30, 50, 50), UIColor::redColor());
    parent->addSubview(child);
    canvas->addSubview(parent);
    auto image = uikit::Renderer::renderView(canvas, 2);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(80, 80)), 255, 0, 0)) << "unclipped, the child shows outside";
    parent->setClipsToBounds(true);
    image = uikit::Renderer::renderView(canvas, 2);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(80, 80)), 255, 255, 255));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(59.5, 59.5)), 255, 0, 0));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(60.5, 50)), 255, 255, 255));
    // Scrolling the parent's bounds moves the child within the clip.
    parent->setBounds(CGRectMake(30, 30, 50, 50));
    image = uikit::Renderer::renderView(canvas, 2);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(11, 11)), 255, 0, 0));
    // Clipping follows rounded corners.
    parent->layer()->setCornerRadius(25);
    image = uikit::Renderer::renderView(canvas, 2);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(11, 11)), 255, 255, 255));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(35, 35)), 255, 0, 0));
}

TEST_F(UIKitTest, CornersAndBordersFollowTheRadius)
{
    auto canvas = whiteCanvas(100, 100);
    auto box = colouredView(CGRectMake(10, 10, 80, 80), UIColor::greenColor());
    box->layer()->setCornerRadius(20);
    box->layer()->setBorderWidth(4);
    box->layer()->setBorderColor(UIColor::blueColor()->CGColor());
    canvas->addSubview(box);
    // A child over the edge stays under the border.
    box->addSubview(colouredView(CGRectMake(0, 30, 80, 20), UIColor::redColor()));
    auto image = uikit::Renderer::renderView(canvas, 2);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(11, 11)), 255, 255, 255)) << "the corner is cut";
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(50, 11)), 0, 0, 255)) << "border at the top edge";
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(88.5, 50)), 0, 0, 255)) << "border drawn over the child";
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(50, 20)), 0, 255, 0));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(50, 50)), 255, 0, 0));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(50, 91)), 255, 255, 255));
}

TEST_F(UIKitTest, RotatedAndScaledViewsPaintWhereTheyShow)
{
    auto canvas = whiteCanvas(100, 100);
    auto bar = colouredView(CGRectMake(0, 40, 100, 20), UIColor::redColor());
    bar->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    canvas->addSubview(bar);
    auto image = uikit::Renderer::renderView(canvas, 2);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(50, 5)), 255, 0, 0)) << "now upright";
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(50, 95)), 255, 0, 0));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(5, 50)), 255, 255, 255));
    bar->setTransform(CGAffineTransformMakeScale(0.5, 1));
    image = uikit::Renderer::renderView(canvas, 2);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(26, 50)), 255, 0, 0));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(24, 50)), 255, 255, 255)) << "scaled about its centre";
}

TEST_F(UIKitTest, ImageViewContentModesPlaceThePicture)
{
    auto picture = halvesPicture();
    ASSERT_TRUE(picture);
    auto canvas = whiteCanvas(100, 100);
    auto view = UIImageView::create(CGRectMake(0, 0, 100, 100));
    view->setImage(picture);
    canvas->addSubview(view);

    view->setContentMode(UIViewContentModeScaleAspectFit); // 100 × 50, letterboxed
    auto image = uikit::Renderer::renderView(canvas, 2);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(10, 20)), 255, 255, 255));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(10, 30)), 255, 0, 0));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(90, 70)), 0, 0, 255));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(90, 80)), 255, 255, 255));

    view->setContentMode(UIViewContentModeScaleAspectFill); // 200 × 100, centred
    view->setClipsToBounds(true);
    image = uikit::Renderer::renderView(canvas, 2);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(10, 5)), 255, 0, 0));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(45, 95)), 255, 0, 0));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(55, 95)), 0, 0, 255)) << "the halves meet in the middle";

    view->setContentMode(UIViewContentModeCenter); // 40 × 20 at (30, 40)
    image = uikit::Renderer::renderView(canvas, 2);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(31, 41)), 255, 0, 0));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(69, 59)), 0, 0, 255));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(29, 50)), 255, 255, 255));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(50, 61)), 255, 255, 255));

    view->setContentMode(UIViewContentModeScaleToFill);
    image = uikit::Renderer::renderView(canvas, 2);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(1, 99)), 255, 0, 0));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(99, 1)), 0, 0, 255));
}

TEST_F(UIKitTest, LabelTextSitsWhereItsAlignmentPutsIt)
{
    auto canvas = whiteCanvas(300, 60);
    auto label = UILabel::create(CGRectMake(50, 10, 200, 40));
    label->setText("Ovrimo");
    label->setFont(UIFont::boldSystemFontOfSize(20));
    canvas->addSubview(label);
    auto extent = [&] { return inkRow(uikit::Renderer::renderView(canvas, 2), 30); };
    label->setTextAlignment(NSTextAlignmentLeft);
    auto [leftMin, leftMax] = extent();
    ASSERT_GE(leftMin, 50);
    EXPECT_LT(leftMin, 60);
    EXPECT_LT(leftMax, 150);
    label->setTextAlignment(NSTextAlignmentRight);
    auto [rightMin, rightMax] = extent();
    EXPECT_GT(rightMin, 150);
    EXPECT_LE(rightMax, 250);
    EXPECT_GT(rightMax, 240);
    label->setTextAlignment(NSTextAlignmentCenter);
    auto [centreMin, centreMax] = extent();
    EXPECT_NEAR((centreMin + centreMax) / 2, 150, 3);
    EXPECT_NEAR(centreMax - centreMin, leftMax - leftMin, 1) << "the same text, moved";
    // Text colour is used.
    label->setTextColor(UIColor::redColor());
    label->setText("IIIIIIIIIIII");
    label->setFont(UIFont::boldSystemFontOfSize(30));
    auto image = uikit::Renderer::renderView(canvas, 2);
    bool red = false;
    for (double x = 60; x < 240 && !red; x += 0.5)
        red = isColour(pixelAt(image, CGPointMake(x, 30)), 255, 0, 0, 10);
    EXPECT_TRUE(red);
}

TEST_F(UIKitTest, StatusBarOnlyCoversTheTopTwentyPoints)
{
    showWindow();
    root->view()->setBackgroundColor(UIColor::greenColor());
    auto image = uikit::Renderer::renderWindow(window);
    ASSERT_TRUE(image);
    bool inkInBar = false;
    for (double x = 0; x < 375; x += 0.5) {
        EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(x, 20.25)), 0, 255, 0)) << "at x = " << x;
        inkInBar = inkInBar || !isColour(pixelAt(image, CGPointMake(x, 10)), 0, 255, 0);
        if (HasFailure())
            break;
    }
    EXPECT_TRUE(inkInBar) << "the bar shows something";
    // Without the bar the top is the window's content.
    uikit::RenderOptions options;
    options.statusBar = false;
    image = uikit::Renderer::renderWindow(window, options);
    for (double x = 0; x < 375; x += 0.5)
        if (!isColour(pixelAt(image, CGPointMake(x, 10)), 0, 255, 0)) {
            ADD_FAILURE() << "ink at x = " << x;
            break;
        }
    // A hidden window shows black.
    window->setHidden(true);
    EXPECT_TRUE(isColour(pixelAt(uikit::Renderer::renderWindow(window), CGPointMake(187, 300)), 0, 0, 0));
}

TEST_F(UIKitTest, AnAlertDimsTheScreenAroundItsPanel)
{
    showWindow();
    auto alert = UIAlertController::alertControllerWithTitle("Title", "Message", UIAlertControllerStyleAlert);
    alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyleDefault, nullptr));
    root->presentViewController(alert, false);
    settle(0.1);
    auto image = uikit::Renderer::renderWindow(window);
    Pixel dimmed = pixelAt(image, CGPointMake(20, 600));
    EXPECT_NEAR(dimmed.r, 153, 4) << "white under 40% black";
    EXPECT_EQ(dimmed.r, dimmed.b);
    CGRect panel = alert->panelView()->convertRectToView(alert->panelView()->bounds(), nullptr);
    EXPECT_GT(pixelAt(image, CGPointMake(CGRectGetMidX(panel), panel.origin.y + 5)).r, 200) << "the panel is not dimmed";
    // Dismissed, the screen is white again.
    root->dismissViewControllerAnimated(false);
    settle(0.1);
    EXPECT_TRUE(isColour(pixelAt(uikit::Renderer::renderWindow(window), CGPointMake(20, 600)), 255, 255, 255));
}
