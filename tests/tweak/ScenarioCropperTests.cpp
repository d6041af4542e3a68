// The crop editor on a booted phone: the tweak registers it when SpringBoard loads the library,
// and the editing workflow finds it by name, presents it over the home screen and is its delegate.

#include "ScenarioFixture.h"

#include "tweak/cropper/ImageCropperInterface.h"

#include <cmath>

using namespace scenario;

namespace {

// A landscape picture like a photo: a sky, a green hill and a yellow sun.
void writeLandscape(const std::filesystem::path& path)
{
    std::filesystem::create_directories(path.parent_path());
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1200, 800);
    cairo_t* cr = cairo_create(surface);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 800);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.15, 0.35, 0.75);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.65, 0.85, 1.0);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    cairo_set_source_rgb(cr, 1.0, 0.85, 0.2);
    cairo_arc(cr, 820, 260, 110, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.2, 0.6, 0.25);
    cairo_move_to(cr, 0, 800);
    cairo_curve_to(cr, 300, 420, 800, 520, 1200, 600);
    cairo_line_to(cr, 1200, 800);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
}

// The workflow's part: a class object that takes the result and dismisses the cropper.
struct WorkflowStandIn {
    static inline int saved = 0;
    static inline Ref<UIImage> result;
    static objc::Class* install()
    {
        saved = 0;
        result = nullptr;
        auto& rt = objc::Runtime::current();
        objc::Class* c = rt.registerClass("CropperWorkflowStandIn", rt.getClass("NSObject"));
        c->addClassMethod("imageCropper:didFinished:", [](objc::Object*, objc::SEL, objc::Object* cropper, UIImage* image) {
            ++saved;
            result = image;
            if (auto* controller = dynamic_cast<UIViewController*>(cropper))
                controller->dismissViewControllerAnimated(true);
        });
        c->addClassMethod("imageCropperDidCancel:", [](objc::Object*, objc::SEL, objc::Object*) { });
        return c;
    }
};

} // namespace

TEST_F(ScenarioTest, TheCropEditorOpensOverTheHomeScreenAndHandsBackTheHole)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    objc::Class* cropperClass = objc::objc_getClass("VPImageCropperViewController");
    ASSERT_TRUE(cropperClass) << "registered by the tweak at load";

    writeLandscape(root().host("/var/mobile/Media/DCIM/landscape.png"));
    Ref<UIImage> picture = UIImage::imageWithContentsOfFile("/var/mobile/Media/DCIM/landscape.png");
    ASSERT_TRUE(picture);
    // The single-icon hole: a square of the screen width divided by 1.5, centred.
    CGRect screenBounds = dev().window()->bounds();
    double side = screenBounds.size.width / 1.5;
    CGRect hole = CGRectMake((screenBounds.size.width - side) / 2, (screenBounds.size.height - side) / 2, side, side);
    Ref<objc::Object> made = ovrimo::cropper::initWithImageCropFrameLimitScaleRatioTitle(cropperClass->createInstance(), picture, hole, 6,
        "Crop and scale the image. The highlighted area will be used as the icon image.");
    auto* cropper = dynamic_cast<UIViewController*>(made.ptr());
    ASSERT_TRUE(cropper);
    ovrimo::cropper::setDelegate(cropper, WorkflowStandIn::install());
    dev().window()->rootViewController()->presentViewController(cropper, true);
    settle(800);
    ASSERT_EQ(dev().window()->topmostViewController(), cropper);
    EXPECT_EQ(cropper->view()->frame(), screenBounds);

    Ref<UIImage> image = dev().screenshot();
    ASSERT_TRUE(image);
    // The sky is as it is inside the hole and halved outside it, left and right of the hole.
    CGPoint inside = CGPointMake(hole.origin.x + 20, hole.origin.y + 20);
    CGPoint outside = CGPointMake(hole.origin.x - 20, hole.origin.y + 20);
    Pixel clear = screenPixel(image, inside), dimmed = screenPixel(image, outside);
    EXPECT_GT(clear.b, 180);
    EXPECT_NEAR(dimmed.b, clear.b / 2.0, 8);
    // Above the picture: the black background, darkened.
    EXPECT_LT(screenPixel(image, CGPointMake(5, hole.origin.y - 60)).b, 10);
    // The yellow outline on the hole's left edge.
    Pixel edge = screenPixel(image, CGPointMake(hole.origin.x + 0.25, CGRectGetMidY(hole)));
    EXPECT_GT(edge.r, 220);
    EXPECT_GT(edge.g, 170);
    EXPECT_LT(edge.b, 90);
    if (const char* dir = std::getenv("OVRIMO_SCREENS_DIR")) {
        std::filesystem::path out = std::filesystem::path(dir) / "workflow" / "cropper.png";
        std::filesystem::create_directories(out.parent_path());
        EXPECT_TRUE(uikit::writePNG(image, out.string()));
    }

    // A person zooms in on the sun's side, then taps Save; the stand-in dismisses the editor.
    uikit::TouchDriver& fingers = dev().touch();
    fingers.pinch(CGPointMake(CGRectGetMidX(hole), CGRectGetMidY(hole)), 1.5);
    settle(500);
    fingers.drag(CGPointMake(CGRectGetMidX(hole), CGRectGetMidY(hole)), CGPointMake(CGRectGetMidX(hole) - 60, CGRectGetMidY(hole)));
    settle(500);
    UIView* save = cropper->view()->viewWithTag(222).ptr();
    ASSERT_TRUE(save);
    CGRect saveFrame = save->convertRectToView(save->bounds(), nullptr);
    fingers.tap(CGPointMake(CGRectGetMidX(saveFrame), CGRectGetMidY(saveFrame)));
    settle(800);
    EXPECT_EQ(WorkflowStandIn::saved, 1);
    ASSERT_TRUE(WorkflowStandIn::result);
    // Square, smaller than the fitted cut of 800 pixels because of the zoom.
    CGSize cut = WorkflowStandIn::result->size();
    EXPECT_NEAR(cut.width, cut.height, 1);
    EXPECT_LT(cut.width, 700);
    EXPECT_GT(cut.width, 400);
    EXPECT_NE(dev().window()->topmostViewController(), cropper);
}
