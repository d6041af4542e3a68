// The crop editor's costs on a 12-megapixel photo (4032 × 3024): opening it (creation with the
// picture turned upright, the view loaded and laid out; the decode is done beforehand) and cutting
// the result on Save, with the picture fitted and zoomed to the limit.
//
// Run from the build folder: ./bench/cropper_bench [photo] (default: the shared bench input).

#include "platform/foundation/Foundation.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"
#include "tests/support/TestEnvironment.h"
#include "tweak/cropper/VPImageCropperViewController.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

namespace {

using objc::Ref;
using namespace ovrimo::cropper;

std::string g_photoPath = "/work/shared/bench-inputs/photo_4032x3024.jpg";

const CGRect kSquareHole = CGRectMake(62.5, 208.5, 250, 250);

struct Fixture {
    testing_support::TestEnvironment env;
    Ref<UIImage> photo;

    Fixture()
    {
        registerUIKitClasses(env.runtime());
        registerFoundationClasses(env.runtime());
        uikit::configureScreen(CGSizeMake(375, 667), 2);
        RegisterImageCropperClass(env.runtime());
        std::ifstream in(g_photoPath, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        photo = UIImage::imageWithData(bytes);
    }

    // The photo as the camera would tag it: the same pixels, shown with `orientation`.
    Ref<UIImage> tagged(UIImageOrientation orientation) const { return UIImage::imageWithCGImage(photo->CGImage(), 1, orientation); }

    Ref<VPImageCropperViewController> open(UIImage* picture) const
    {
        objc::Class* cls = objc::Runtime::current().requireClass("VPImageCropperViewController");
        Ref<objc::Object> made = initWithImageCropFrameLimitScaleRatioTitle(cls->createInstance(), picture, kSquareHole, 6, "Crop and scale the image.");
        Ref<VPImageCropperViewController> cropper(dynamic_cast<VPImageCropperViewController*>(made.ptr()));
        cropper->view()->layoutIfNeeded();
        return cropper;
    }
};

// Up: the picture is used as it is. Right (a portrait photo as phones store it): redrawn upright.
void BM_OpenCropper(benchmark::State& state)
{
    Fixture f;
    if (!f.photo) {
        state.SkipWithError("photo not readable");
        return;
    }
    Ref<UIImage> picture = f.tagged(UIImageOrientation(state.range(0)));
    for (auto _ : state) {
        Ref<VPImageCropperViewController> cropper = f.open(picture);
        benchmark::DoNotOptimize(cropper->pictureView()->frame());
    }
    state.SetLabel(state.range(0) == UIImageOrientationUp ? "upright, not redrawn" : "tagged Right, redrawn upright");
}
BENCHMARK(BM_OpenCropper)->Arg(UIImageOrientationUp)->Arg(UIImageOrientationRight)->Unit(benchmark::kMillisecond);

// Save: arg 1 = fitted (the hole covers 3024 × 3024 pixels), 6 = zoomed to the limit (504 × 504).
void BM_CutResult(benchmark::State& state)
{
    Fixture f;
    if (!f.photo) {
        state.SkipWithError("photo not readable");
        return;
    }
    Ref<VPImageCropperViewController> cropper = f.open(f.photo);
    if (state.range(0) > 1) {
        // Presented and pinched out by fingers until it settles at the zoom limit.
        Ref<UIWindow> window = UIWindow::create(UIScreen::mainScreen()->bounds());
        Ref<UIViewController> root = UIViewController::create();
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        root->presentViewController(cropper, false);
        uikit::TouchDriver fingers;
        for (int i = 0; i < 3; ++i)
            fingers.pinch(CGPointMake(CGRectGetMidX(kSquareHole), CGRectGetMidY(kSquareHole)), 5, 0.4, 10, 50);
        fingers.wait(0.5);
    }
    size_t bytes = 0, side = 0;
    for (auto _ : state) {
        Ref<UIImage> cut = croppersel::getSubImage(cropper);
        side = cut ? cut->CGImage()->width() : 0;
        bytes = cut ? cut->CGImage()->width() * cut->CGImage()->height() * 4 : 0;
        benchmark::DoNotOptimize(cut.ptr());
    }
    state.counters["result_px"] = double(side);
    state.counters["result_bytes"] = double(bytes);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(BM_CutResult)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc > 1)
        g_photoPath = argv[1];
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
