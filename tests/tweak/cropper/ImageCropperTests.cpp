// The crop editor as a person uses it: presented full screen on a 375 × 667 phone, driven by
// fingers (pinch, drag, taps), with pictures of four coloured quarters built here so that every
// crop, turn and orientation can be read back from the pixels.

#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/foundation/Foundation.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/Renderer.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIPanGestureRecognizer.h"
#include "platform/uikit/UIPinchGestureRecognizer.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"
#include "tweak/cropper/VPImageCropperViewController.h"

#include <cmath>

using namespace ovrimo::cropper;
using graphics_test::Corners;
using graphics_test::cornersOf;
using graphics_test::fourCorners;
using graphics_test::kBlue;
using graphics_test::kGreen;
using graphics_test::kRed;
using graphics_test::kYellow;
using objc::Ref;

namespace {

// The single-icon hole on this screen: a side of 375 / 1.5, centred.
const CGRect kSquareHole = CGRectMake(62.5, 208.5, 250, 250);
const char* const kTitle = "Crop and scale the image. The highlighted area will be used as the icon image.";

// A class object as delegate, as the editing workflow is: it records what it is sent.
struct DelegateRecorder {
    struct Call {
        std::string selector;
        Ref<objc::Object> cropper;
        Ref<UIImage> image;
    };
    static inline std::vector<Call> calls;

    static objc::Class* install(const char* name = "CropperDelegate", bool complete = true)
    {
        calls.clear();
        auto& rt = objc::Runtime::current();
        if (objc::Class* existing = rt.getClass(name))
            return existing;
        objc::Class* c = rt.registerClass(name, rt.getClass("NSObject"));
        c->addClassMethod("imageCropper:didFinished:", [](objc::Object*, objc::SEL, objc::Object* cropper, UIImage* image) {
            calls.push_back({ "didFinished", Ref<objc::Object>(cropper), Ref<UIImage>(image) });
        });
        if (complete)
            c->addClassMethod("imageCropperDidCancel:", [](objc::Object*, objc::SEL, objc::Object* cropper) { calls.push_back({ "didCancel", Ref<objc::Object>(cropper), nullptr }); });
        return c;
    }
};

class ImageCropperTest : public UIKitTest {
protected:
    ImageCropperTest()
    {
        registerFoundationClasses(env.runtime());
        EXPECT_TRUE(RegisterImageCropperClass(env.runtime()));
    }

    // As the workflow opens it: found by name, created, given the delegate, presented.
    Ref<VPImageCropperViewController> open(UIImage* picture, CGRect hole = kSquareHole, objc::Object* delegate = nullptr, std::int64_t limit = 6)
    {
        showWindow();
        objc::Class* cls = objc::Runtime::current().requireClass("VPImageCropperViewController");
        Ref<objc::Object> made = initWithImageCropFrameLimitScaleRatioTitle(cls->createInstance(), picture, hole, limit, kTitle);
        Ref<VPImageCropperViewController> cropper(dynamic_cast<VPImageCropperViewController*>(made.ptr()));
        EXPECT_TRUE(cropper);
        if (!cropper)
            return nullptr;
        if (delegate)
            setDelegate(cropper, delegate);
        root->presentViewController(cropper, false);
        settle(0.5);
        return cropper;
    }

    UIButton* button(VPImageCropperViewController* cropper, NSInteger tag) { return dynamic_cast<UIButton*>(cropper->view()->viewWithTag(tag).ptr()); }
    CGPoint centreOf(UIView* view) { CGRect r = view->convertRectToView(view->bounds(), nullptr); return CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r)); }
    Ref<UIImage> screen() { return uikit::Renderer::renderWindow(window); }

    uikit::TouchDriver fingers;
};

Ref<UIImage> quarters(size_t w, size_t h, UIImageOrientation orientation = UIImageOrientationUp)
{
    return UIImage::imageWithCGImage(fourCorners(w, h), 1, orientation);
}

// The picture as the platform shows it, drawn with its orientation into a fresh canvas.
Corners shownCorners(UIImage* image)
{
    CGSize s = image->size();
    UIGraphicsBeginImageContextWithOptions(s, false, 1);
    image->drawInRect(CGRectMake(0, 0, s.width, s.height));
    Ref<UIImage> out = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return cornersOf(out->CGImage());
}

void expectRect(CGRect r, CGRect expected, double tolerance = 1e-9)
{
    EXPECT_NEAR(r.origin.x, expected.origin.x, tolerance);
    EXPECT_NEAR(r.origin.y, expected.origin.y, tolerance);
    EXPECT_NEAR(r.size.width, expected.size.width, tolerance);
    EXPECT_NEAR(r.size.height, expected.size.height, tolerance);
}

bool sameColour(UIColor* a, int r, int g, int b)
{
    return a && std::lround(a->red() * 255) == r && std::lround(a->green() * 255) == g && std::lround(a->blue() * 255) == b && a->alpha() == 1;
}

bool isClear(UIColor* c) { return c && c->alpha() == 0; }

} // namespace

// Layout ------------------------------------------------------------------------------------------

TEST_F(ImageCropperTest, LaysOutPictureOverlayOutlineButtonsAndTitleInThatOrder)
{
    Ref<VPImageCropperViewController> cropper = open(quarters(400, 200));
    ASSERT_TRUE(cropper);
    UIView* rootView = cropper->view();
    EXPECT_EQ(rootView->frame(), window->bounds());
    const auto& views = rootView->subviews();
    ASSERT_EQ(views.size(), 7u);
    EXPECT_EQ(views[0].ptr(), cropper->pictureView());
    EXPECT_EQ(views[1].ptr(), cropper->overlay());
    EXPECT_EQ(views[2].ptr(), cropper->outline());
    EXPECT_EQ(views[3]->tag(), kCancelButtonTag);
    EXPECT_EQ(views[4]->tag(), kSaveButtonTag);
    EXPECT_EQ(views[5]->tag(), kRotateButtonTag);
    auto* title = dynamic_cast<UILabel*>(views[6].ptr());
    ASSERT_TRUE(title);

    // A landscape picture in a square hole: the hole's height, the overhang split left and right.
    expectRect(cropper->pictureView()->frame(), CGRectMake(62.5 - 125, 208.5, 500, 250));
    EXPECT_EQ(cropper->fittedFrame(), cropper->settledFrame());
    EXPECT_EQ(cropper->largestFrame().size, CGSizeMake(3000, 1500));
    EXPECT_EQ(cropper->pictureView()->image(), cropper->workingImage());

    UIView* overlay = cropper->overlay();
    EXPECT_EQ(overlay->frame(), rootView->bounds());
    EXPECT_EQ(overlay->alpha(), 0.5);
    EXPECT_FALSE(overlay->isUserInteractionEnabled());
    EXPECT_EQ(cropper->outline()->frame(), kSquareHole);

    // Buttons: 100 × 50 on a screen longer than 568 points, on one line 10 points from the bottom.
    struct Expected {
        NSInteger tag;
        const char* title;
        double x;
        int r, g, b;
    };
    for (const Expected& e : { Expected { 111, "Cancel", 10, 241, 89, 74 }, Expected { 222, "Save", 265, 171, 210, 94 }, Expected { 333, "Rotate", 137.5, 184, 225, 242 } }) {
        SCOPED_TRACE(e.title);
        UIButton* b = button(cropper, e.tag);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->frame(), CGRectMake(e.x, 607, 100, 50));
        EXPECT_EQ(b->titleForState(UIControlStateNormal), e.title);
        EXPECT_TRUE(sameColour(b->titleColorForState(UIControlStateNormal), e.r, e.g, e.b));
        EXPECT_TRUE(sameColour(b->titleColorForState(UIControlStateHighlighted), 255, 255, 255));
        EXPECT_TRUE(isClear(b->backgroundColor()));
    }
    EXPECT_EQ(title->frame(), CGRectMake(62.5, 20, 250, 80));
    EXPECT_EQ(title->text(), kTitle);

    // Pinch and pan belong to the root view, so a finger anywhere moves the picture.
    ASSERT_EQ(rootView->gestureRecognizers().size(), 2u);
    EXPECT_TRUE(dynamic_cast<UIPinchGestureRecognizer*>(rootView->gestureRecognizers()[0].ptr()));
    EXPECT_TRUE(dynamic_cast<UIPanGestureRecognizer*>(rootView->gestureRecognizers()[1].ptr()));
    EXPECT_TRUE(cropper->pictureView()->gestureRecognizers().empty());
    for (std::int64_t o = 1; o <= 4; ++o)
        EXPECT_FALSE(croppersel::shouldAutorotateToInterfaceOrientation(cropper, o));
}

TEST_F(ImageCropperTest, SmallPhonesGetSmallerButtons)
{
    uikit::configureScreen(CGSizeMake(320, 568), 2);
    Ref<VPImageCropperViewController> cropper = open(quarters(400, 200), CGRectMake(53, 177, 213, 213));
    ASSERT_TRUE(cropper);
    EXPECT_EQ(button(cropper, kCancelButtonTag)->frame(), CGRectMake(10, 518, 90, 40));
    EXPECT_EQ(button(cropper, kSaveButtonTag)->frame(), CGRectMake(220, 518, 90, 40));
    EXPECT_EQ(button(cropper, kRotateButtonTag)->frame(), CGRectMake(115, 518, 90, 40));
}

TEST_F(ImageCropperTest, DarkensEverythingButTheHoleAndOutlinesItInYellow)
{
    Ref<VPImageCropperViewController> cropper = open(quarters(400, 200));
    ASSERT_TRUE(cropper);
    Ref<UIImage> shot = screen();
    ASSERT_TRUE(shot);
    // Inside the hole the picture is as it is; on the picture outside the hole it is halved.
    EXPECT_EQ(pixelAt(shot, CGPointMake(80, 230)), (Pixel { 255, 0, 0, 255 }));
    EXPECT_EQ(pixelAt(shot, CGPointMake(300, 440)), (Pixel { 255, 255, 0, 255 }));
    Pixel dimmed = pixelAt(shot, CGPointMake(30, 230));
    EXPECT_NEAR(dimmed.r, 128, 2);
    EXPECT_EQ(dimmed.g, 0);
    Pixel below = pixelAt(shot, CGPointMake(345, 440));
    EXPECT_NEAR(below.r, 128, 2);
    EXPECT_NEAR(below.g, 128, 2);
    // Above and below the picture: the black background.
    EXPECT_EQ(pixelAt(shot, CGPointMake(187, 150)), (Pixel { 0, 0, 0, 255 }));
    // The outline, one point wide, on the hole's edge.
    Pixel edge = pixelAt(shot, CGPointMake(62.75, 330));
    EXPECT_NEAR(edge.r, 248, 3);
    EXPECT_NEAR(edge.g, 200, 3);
    EXPECT_NEAR(edge.b, 48, 3);
}

// Gestures -----------------------------------------------------------------------------------------

TEST_F(ImageCropperTest, APinchZoomsWithinTheFittedAndTheLargestSize)
{
    Ref<VPImageCropperViewController> cropper = open(quarters(400, 200));
    ASSERT_TRUE(cropper);
    CGRect fitted = cropper->fittedFrame();
    CGPoint holeCentre = CGPointMake(CGRectGetMidX(kSquareHole), CGRectGetMidY(kSquareHole));

    // Spreading the fingers to twice their distance doubles the picture about its centre.
    fingers.pinch(holeCentre, 2);
    settle(0.5);
    CGRect zoomed = cropper->settledFrame();
    EXPECT_NEAR(zoomed.size.width / fitted.size.width, 2, 0.15);
    EXPECT_NEAR(zoomed.size.height / zoomed.size.width, 0.5, 1e-9);
    EXPECT_NEAR(CGRectGetMidX(zoomed), holeCentre.x, 1);
    EXPECT_NEAR(CGRectGetMidY(zoomed), holeCentre.y, 1);
    expectRect(cropper->pictureView()->frame(), zoomed);

    // Pinched in below the fitted size: back to exactly that size, covering the hole.
    fingers.pinch(holeCentre, 0.2, 0.4, 10, 200);
    settle(0.5);
    expectRect(cropper->settledFrame(), fitted, 1e-6);

    // Zoomed, dragged to its right edge, then pinched in: the fitted size about the picture's
    // centre would leave a gap on the hole's right, so it is pulled onto the hole's right edge.
    fingers.pinch(holeCentre, 2);
    settle(0.5);
    for (int i = 0; i < 2; ++i) {
        fingers.drag(CGPointMake(340, 330), CGPointMake(20, 330));
        settle(0.5);
    }
    EXPECT_NEAR(CGRectGetMaxX(cropper->settledFrame()), CGRectGetMaxX(kSquareHole), 1e-9);
    EXPECT_LT(CGRectGetMidX(cropper->settledFrame()), holeCentre.x - 100);
    fingers.pinch(holeCentre, 0.2, 0.4, 10, 200);
    settle(0.5);
    expectRect(cropper->settledFrame(), CGRectOffset(fitted, CGRectGetMaxX(kSquareHole) - CGRectGetMaxX(fitted), 0), 1e-6);

    // Spread far beyond six times: exactly six times.
    for (int i = 0; i < 3; ++i)
        fingers.pinch(holeCentre, 5, 0.4, 10, 50);
    settle(0.5);
    EXPECT_NEAR(cropper->settledFrame().size.width, cropper->largestFrame().size.width, 1e-6);
    EXPECT_NEAR(cropper->settledFrame().size.height, cropper->largestFrame().size.height, 1e-6);
    // Still no gap inside the hole.
    CGRect settled = cropper->settledFrame();
    EXPECT_LE(settled.origin.x, kSquareHole.origin.x);
    EXPECT_GE(CGRectGetMaxX(settled), CGRectGetMaxX(kSquareHole));
    EXPECT_LE(settled.origin.y, kSquareHole.origin.y);
    EXPECT_GE(CGRectGetMaxY(settled), CGRectGetMaxY(kSquareHole));
}

TEST_F(ImageCropperTest, ADragFollowsTheFingerMoreSlowlyTheFurtherItGoes)
{
    Ref<VPImageCropperViewController> cropper = open(quarters(400, 200));
    ASSERT_TRUE(cropper);
    UIView* picture = cropper->pictureView();
    double startX = picture->center().x;
    // Past the pan's slop first, then two equal steps of the finger.
    fingers.touchDown(CGPointMake(60, 330));
    fingers.touchMove(CGPointMake(80, 330));
    double begun = picture->center().x;
    EXPECT_GT(begun, startX);
    fingers.touchMove(CGPointMake(180, 330));
    double first = picture->center().x - begun;
    fingers.touchMove(CGPointMake(280, 330));
    double second = picture->center().x - begun - first;
    EXPECT_GT(first, 0);
    EXPECT_LT(first, 100);
    EXPECT_GT(second, 0);
    EXPECT_LT(second, first);
    // While the finger is down nothing settles and only the centre changes.
    EXPECT_EQ(picture->frame().size, cropper->fittedFrame().size);
    EXPECT_EQ(cropper->settledFrame(), cropper->fittedFrame());
    fingers.touchUp(CGPointMake(280, 330));
    settle(0.5);
    // The left edge had left the hole's: it is pulled back onto it.
    EXPECT_GT(begun + first + second - startX, 125);
    EXPECT_DOUBLE_EQ(cropper->settledFrame().origin.x, kSquareHole.origin.x);
    EXPECT_DOUBLE_EQ(picture->frame().origin.x, kSquareHole.origin.x);
}

TEST_F(ImageCropperTest, ADragReleasedWithAGapSettlesWithTheEdgesAligned)
{
    Ref<VPImageCropperViewController> cropper = open(quarters(400, 200));
    ASSERT_TRUE(cropper);
    // Far to the left: the right edges meet.
    fingers.drag(CGPointMake(300, 330), CGPointMake(20, 330));
    settle(0.5);
    EXPECT_DOUBLE_EQ(CGRectGetMaxX(cropper->settledFrame()), CGRectGetMaxX(kSquareHole));
    // Down, then up: a landscape picture as high as the hole goes back to the hole's top.
    fingers.drag(CGPointMake(187, 300), CGPointMake(187, 420));
    settle(0.5);
    EXPECT_DOUBLE_EQ(cropper->settledFrame().origin.y, kSquareHole.origin.y);
    fingers.drag(CGPointMake(187, 420), CGPointMake(187, 250));
    settle(0.5);
    EXPECT_DOUBLE_EQ(cropper->settledFrame().origin.y, kSquareHole.origin.y);

    // What Save cuts is what the hole shows: the right half of the picture (green over yellow).
    Ref<UIImage> cut = croppersel::getSubImage(cropper);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->size(), CGSizeMake(200, 200));
    EXPECT_EQ(cornersOf(cut->CGImage()), (Corners { kGreen, kGreen, kYellow, kYellow }));
}

TEST_F(ImageCropperTest, AHoleTallerThanThePictureKeepsTheFullHeightAndACentredBand)
{
    // A multi-mode hole of 250 × 375 and a picture of 300 × 400: fitted 250 wide, 333 high.
    const CGRect tall = CGRectMake(62.5, 146, 250, 375);
    Ref<VPImageCropperViewController> cropper = open(quarters(300, 400), tall);
    ASSERT_TRUE(cropper);
    expectRect(cropper->fittedFrame(), CGRectMake(62.5, 146 + (375 - 1000 / 3.0) / 2, 250, 1000 / 3.0), 1e-9);
    // A drag released settles with the bottom edges aligned (the lower edge rule comes last).
    fingers.drag(CGPointMake(187, 300), CGPointMake(187, 260));
    settle(0.5);
    EXPECT_DOUBLE_EQ(CGRectGetMaxY(cropper->settledFrame()), CGRectGetMaxY(tall));
    Ref<UIImage> cut = croppersel::getSubImage(cropper);
    ASSERT_TRUE(cut);
    // Full height, width 400 × 250 / 375 = 266.7 centred (to whole pixels: 16 to 284).
    EXPECT_EQ(cut->size().height, 400);
    EXPECT_NEAR(cut->size().width, 267, 1.5);
    size_t mid = cut->CGImage()->width() / 2;
    EXPECT_EQ(pixelAt(cut->CGImage(), mid - 2, 5), kRed);
    EXPECT_EQ(pixelAt(cut->CGImage(), mid + 2, 5), kGreen);
}

// Rotate, orientation and the cut ----------------------------------------------------------------

TEST_F(ImageCropperTest, EachRotateTurnsAQuarterClockwiseAndResetsZoomAndPosition)
{
    Ref<VPImageCropperViewController> cropper = open(quarters(400, 200));
    ASSERT_TRUE(cropper);
    CGPoint holeCentre = CGPointMake(CGRectGetMidX(kSquareHole), CGRectGetMidY(kSquareHole));
    CGPoint rotate = centreOf(button(cropper, kRotateButtonTag));
    // The picture's quarters after 0 to 4 turns (top left, top right, bottom left, bottom right).
    const Corners turns[] = { { kRed, kGreen, kBlue, kYellow }, { kBlue, kRed, kYellow, kGreen }, { kYellow, kBlue, kGreen, kRed },
        { kGreen, kYellow, kRed, kBlue }, { kRed, kGreen, kBlue, kYellow } };
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        fingers.pinch(holeCentre, 1.8);
        settle(0.5);
        EXPECT_GT(cropper->settledFrame().size.width, cropper->fittedFrame().size.width * 1.3);
        fingers.tap(rotate);
        settle(0.5);
        bool portrait = n % 2 == 1;
        EXPECT_EQ(cropper->workingImage()->size(), portrait ? CGSizeMake(200, 400) : CGSizeMake(400, 200));
        EXPECT_EQ(cornersOf(cropper->workingImage()->CGImage()), turns[n]);
        // Fitted again, the largest size following.
        CGRect fitted = portrait ? CGRectMake(62.5, 208.5 - 125, 250, 500) : CGRectMake(62.5 - 125, 208.5, 500, 250);
        expectRect(cropper->fittedFrame(), fitted);
        expectRect(cropper->settledFrame(), fitted);
        expectRect(cropper->pictureView()->frame(), fitted, 1e-6);
        EXPECT_NEAR(cropper->largestFrame().size.width, 6 * fitted.size.width, 1e-9);
        // The screen shows the turned picture: the hole's corners have its quarters' colours.
        Ref<UIImage> shot = screen();
        EXPECT_EQ(pixelAt(shot, CGPointMake(kSquareHole.origin.x + 5, kSquareHole.origin.y + 5)), turns[n].topLeft);
        EXPECT_EQ(pixelAt(shot, CGPointMake(CGRectGetMaxX(kSquareHole) - 5, CGRectGetMaxY(kSquareHole) - 5)), turns[n].bottomRight);
        // And Save cuts the middle square of the turned picture.
        Ref<UIImage> cut = croppersel::getSubImage(cropper);
        ASSERT_TRUE(cut);
        EXPECT_EQ(cut->size(), CGSizeMake(200, 200));
        EXPECT_EQ(cornersOf(cut->CGImage()), turns[n]);
    }
}

TEST_F(ImageCropperTest, PicturesOfEveryOrientationAreCutUpright)
{
    for (int tag = 0; tag < 8; ++tag) {
        SCOPED_TRACE(tag);
        Ref<UIImage> picture = quarters(80, 40, UIImageOrientation(tag));
        Corners expected = shownCorners(picture);
        Ref<VPImageCropperViewController> cropper = open(picture);
        ASSERT_TRUE(cropper);
        EXPECT_EQ(cropper->workingImage()->imageOrientation(), UIImageOrientationUp);
        EXPECT_EQ(cropper->workingImage()->size(), picture->size());
        EXPECT_EQ(cornersOf(cropper->workingImage()->CGImage()), expected);
        // An upright picture is used as it is, not redrawn.
        if (tag == 0) {
            EXPECT_EQ(cropper->workingImage(), picture.ptr());
        }
        // The middle square of the picture as seen, its quarters where the eye sees them.
        Ref<UIImage> cut = croppersel::getSubImage(cropper);
        ASSERT_TRUE(cut);
        EXPECT_EQ(cut->size(), CGSizeMake(40, 40));
        EXPECT_EQ(cut->imageOrientation(), UIImageOrientationUp);
        EXPECT_EQ(cornersOf(cut->CGImage()), expected);
        root->dismissViewControllerAnimated(false);
        settle(0.5);
    }
}

TEST_F(ImageCropperTest, ASquarePictureUnmovedInASquareHoleIsCutWhole)
{
    Ref<VPImageCropperViewController> cropper = open(quarters(300, 300));
    ASSERT_TRUE(cropper);
    Ref<UIImage> cut = croppersel::getSubImage(cropper);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->size(), CGSizeMake(300, 300));
    EXPECT_EQ(cornersOf(cut->CGImage()), cornersOf(cropper->workingImage()->CGImage()));
    // Zoomed in twice about the centre: the middle half, in fewer pixels.
    fingers.pinch(CGPointMake(CGRectGetMidX(kSquareHole), CGRectGetMidY(kSquareHole)), 2);
    settle(0.5);
    Ref<UIImage> zoomed = croppersel::getSubImage(cropper);
    ASSERT_TRUE(zoomed);
    EXPECT_NEAR(zoomed->size().width, 300 * kSquareHole.size.width / cropper->settledFrame().size.width, 1.5);
    EXPECT_LT(zoomed->size().width, 180);
    EXPECT_EQ(cornersOf(zoomed->CGImage()), (Corners { kRed, kGreen, kBlue, kYellow }));
    root->dismissViewControllerAnimated(false);
    settle(0.5);

    // A picture drawn at scale 2 (150 points, 300 pixels) is cut in its own pixels: whole.
    Ref<UIImage> sharp = UIImage::imageWithCGImage(fourCorners(300, 300), 2, UIImageOrientationUp);
    cropper = open(sharp);
    ASSERT_TRUE(cropper);
    cut = croppersel::getSubImage(cropper);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->CGImage()->width(), 300u);
    EXPECT_EQ(cornersOf(cut->CGImage()), (Corners { kRed, kGreen, kBlue, kYellow }));
}

TEST_F(ImageCropperTest, AZoomLimitBelowOneAllowsNoZoomAndNoShrinking)
{
    Ref<VPImageCropperViewController> cropper = open(quarters(400, 200), kSquareHole, nullptr, 0);
    ASSERT_TRUE(cropper);
    EXPECT_EQ(croppersel::limitRatio(cropper), 1);
    EXPECT_EQ(cropper->largestFrame().size, cropper->fittedFrame().size);
    CGPoint holeCentre = CGPointMake(CGRectGetMidX(kSquareHole), CGRectGetMidY(kSquareHole));
    for (double scale : { 2.0, 0.5 }) {
        fingers.pinch(holeCentre, scale);
        settle(0.5);
        expectRect(cropper->settledFrame(), cropper->fittedFrame(), 1e-6);
    }
}

TEST_F(ImageCropperTest, AFittedFourByThreePhotoIsCutAsItsCentredSquare)
{
    // 400 × 300 in a 250-point hole: the arithmetic gives 49.99999999 for 50; the cut is still
    // 300 × 300, not a column wider.
    Ref<VPImageCropperViewController> cropper = open(quarters(400, 300));
    ASSERT_TRUE(cropper);
    Ref<UIImage> cut = croppersel::getSubImage(cropper);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->size(), CGSizeMake(300, 300));
    EXPECT_EQ(cornersOf(cut->CGImage()), (Corners { kRed, kGreen, kBlue, kYellow }));
}

// Buttons and the delegate -------------------------------------------------------------------------

TEST_F(ImageCropperTest, SaveAndCancelReportToAClassObjectDelegateAndLeaveTheScreenOpen)
{
    objc::Class* delegateClass = DelegateRecorder::install();
    Ref<VPImageCropperViewController> cropper = open(quarters(300, 300), kSquareHole, delegateClass);
    ASSERT_TRUE(cropper);
    EXPECT_EQ(delegate(cropper).ptr(), delegateClass);
    fingers.tap(centreOf(button(cropper, kSaveButtonTag)));
    ASSERT_EQ(DelegateRecorder::calls.size(), 1u);
    EXPECT_EQ(DelegateRecorder::calls[0].selector, "didFinished");
    EXPECT_EQ(DelegateRecorder::calls[0].cropper.ptr(), cropper.ptr());
    ASSERT_TRUE(DelegateRecorder::calls[0].image);
    EXPECT_EQ(DelegateRecorder::calls[0].image->size(), CGSizeMake(300, 300));
    // Each tap cuts and reports again; the cropper never dismisses itself.
    fingers.tap(centreOf(button(cropper, kSaveButtonTag)));
    fingers.tap(centreOf(button(cropper, kCancelButtonTag)));
    settle(0.5);
    ASSERT_EQ(DelegateRecorder::calls.size(), 3u);
    EXPECT_EQ(DelegateRecorder::calls[1].selector, "didFinished");
    EXPECT_EQ(DelegateRecorder::calls[2].selector, "didCancel");
    EXPECT_EQ(DelegateRecorder::calls[2].cropper.ptr(), cropper.ptr());
    EXPECT_EQ(root->presentedViewController(), cropper.ptr());
}

TEST_F(ImageCropperTest, WithoutAConformingDelegateSaveAndCancelDoNothing)
{
    // No delegate at all.
    Ref<VPImageCropperViewController> cropper = open(quarters(300, 300));
    ASSERT_TRUE(cropper);
    fingers.tap(centreOf(button(cropper, kSaveButtonTag)));
    fingers.tap(centreOf(button(cropper, kCancelButtonTag)));
    // A delegate that answers only one of the two messages does not conform: it hears nothing.
    objc::Class* half = DelegateRecorder::install("HalfDelegate", false);
    setDelegate(cropper, half);
    fingers.tap(centreOf(button(cropper, kSaveButtonTag)));
    EXPECT_TRUE(DelegateRecorder::calls.empty());
    EXPECT_EQ(root->presentedViewController(), cropper.ptr());
}

TEST_F(ImageCropperTest, APressedButtonShowsWhiteOnItsColourUntilTheFingerLifts)
{
    objc::Class* delegateClass = DelegateRecorder::install();
    Ref<VPImageCropperViewController> cropper = open(quarters(300, 300), kSquareHole, delegateClass);
    ASSERT_TRUE(cropper);
    UIButton* save = button(cropper, kSaveButtonTag);
    CGPoint on = centreOf(save);
    fingers.touchDown(on);
    EXPECT_TRUE(sameColour(save->backgroundColor(), 171, 210, 94));
    EXPECT_TRUE(sameColour(save->currentTitleColor(), 255, 255, 255));
    // Dragged well away and lifted: the picture's pan takes the finger over and cancels the
    // button's touch; the button is clear again, and nothing is saved.
    fingers.touchMove(CGPointMake(on.x - 150, on.y - 300));
    fingers.touchUp(CGPointMake(on.x - 150, on.y - 300));
    EXPECT_TRUE(isClear(save->backgroundColor()));
    EXPECT_TRUE(DelegateRecorder::calls.empty());
    // A touch that ends outside (the pan cannot leave one to the button, so it is sent here).
    fingers.touchDown(on);
    EXPECT_FALSE(isClear(save->backgroundColor()));
    save->sendActionsForControlEvents(UIControlEventTouchUpOutside);
    EXPECT_TRUE(isClear(save->backgroundColor()));
    fingers.cancelAll();
    EXPECT_TRUE(DelegateRecorder::calls.empty());
    // Each button in its own colour; lifted inside it is clear again too.
    UIButton* rotate = button(cropper, kRotateButtonTag);
    fingers.touchDown(centreOf(rotate));
    EXPECT_TRUE(sameColour(rotate->backgroundColor(), 184, 225, 242));
    fingers.touchUp(centreOf(rotate));
    EXPECT_TRUE(isClear(rotate->backgroundColor()));
    UIButton* cancel = button(cropper, kCancelButtonTag);
    fingers.touchDown(centreOf(cancel));
    EXPECT_TRUE(sameColour(cancel->backgroundColor(), 241, 89, 74));
    fingers.touchUp(centreOf(cancel));
    EXPECT_TRUE(isClear(cancel->backgroundColor()));
    ASSERT_EQ(DelegateRecorder::calls.size(), 1u);
    EXPECT_EQ(DelegateRecorder::calls[0].selector, "didCancel");
}

// No picture ---------------------------------------------------------------------------------------

TEST_F(ImageCropperTest, WithNoPictureTheScreenIsEmptyAndSaveReportsNoImage)
{
    objc::Class* delegateClass = DelegateRecorder::install();
    for (CGRect hole : { kSquareHole, CGRectMake(62.5, 208.5, 0, 250) }) {
        // No picture at all, and a picture in a hole without width.
        Ref<UIImage> picture = hole.size.width > 0 ? nullptr : quarters(300, 300);
        Ref<VPImageCropperViewController> cropper = open(picture, hole, delegateClass);
        ASSERT_TRUE(cropper);
        EXPECT_EQ(cropper->view()->subviews().size(), 7u);
        EXPECT_EQ(cropper->pictureView()->frame(), CGRectZero);
        CGPoint middle = CGPointMake(187, 330);
        fingers.pinch(middle, 2);
        fingers.drag(middle, CGPointMake(250, 400));
        fingers.tap(centreOf(button(cropper, kRotateButtonTag)));
        settle(0.5);
        EXPECT_EQ(cropper->pictureView()->frame(), CGRectZero);
        EXPECT_TRUE(screen());
        fingers.tap(centreOf(button(cropper, kSaveButtonTag)));
        ASSERT_EQ(DelegateRecorder::calls.size(), 1u);
        EXPECT_EQ(DelegateRecorder::calls[0].selector, "didFinished");
        EXPECT_FALSE(DelegateRecorder::calls[0].image);
        DelegateRecorder::calls.clear();
        root->dismissViewControllerAnimated(false);
        settle(0.5);
    }
}
