#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/foundation/Foundation.h"
#include "platform/runtime/Diagnostics.h"
#include "platform/uikit/Renderer.h"
#include "platform/uikit/TextLayout.h"
#include "platform/uikit/UIKitSelectors.h"
#include "tweak/hud/MBProgressHUD.h"

#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace ovrimo::hud;
using objc::Ref;

namespace {

class ProgressHUDTest : public UIKitTest {
protected:
    ProgressHUDTest()
    {
        registerFoundationClasses(env.runtime());
        EXPECT_TRUE(RegisterHUDClasses(env.runtime()));
        host = showWindow()->rootViewController()->view();
    }

    // As the tweak shows it: found by name, given its texts and a dark solid background.
    Ref<MBProgressHUD> show(const std::string& title, const std::string& detail, bool animated = true)
    {
        Ref<UIView> view = showHUDAddedToAnimated(objc::Runtime::current().requireClass("MBProgressHUD"), host, animated);
        Ref<MBProgressHUD> hud(dynamic_cast<MBProgressHUD*>(view.ptr()));
        EXPECT_TRUE(hud);
        if (hud) {
            label(hud)->setText(title);
            detailsLabel(hud)->setText(detail);
            setStyle(backgroundView(hud), 0);
            setColor(backgroundView(hud), UIColor::colorWithWhite(0, 0.6));
            hud->layoutIfNeeded();
        }
        return hud;
    }

    bool inHost(UIView* hud) const { return hud->superview() == host; }

    UIView* host = nullptr;
};

CGRect frameIn(UIView* view, UIView* outer) { return view->convertRectToView(view->bounds(), outer); }

} // namespace

TEST_F(ProgressHUDTest, ShowsAsTopmostSubviewOverTheHostWithItsParts)
{
    host->addSubview(UIView::create(CGRectMake(0, 0, 10, 10)));
    Ref<MBProgressHUD> hud = show("Working", "");
    ASSERT_TRUE(hud);
    EXPECT_EQ(host->subviews().back().ptr(), hud.ptr());
    EXPECT_EQ(hud->frame(), host->bounds());
    EXPECT_EQ(hud->alpha(), 1);
    // Parts bottom to top: background, then the box holding indicator, title, detail, button.
    ASSERT_EQ(hud->subviews().size(), 2u);
    EXPECT_EQ(hud->subviews()[0].ptr(), hud->backgroundPart());
    EXPECT_EQ(hud->subviews()[1].ptr(), hud->bezelPart());
    EXPECT_EQ(hud->indicator()->superview(), hud->bezelPart());
    EXPECT_TRUE(hud->indicator()->isAnimating());
    EXPECT_EQ(hud->bezelPart()->style(), 1);
    EXPECT_EQ(hud->bezelPart()->layer()->cornerRadius(), 5);
    EXPECT_EQ(hud->backgroundPart()->style(), 0);
    EXPECT_EQ(hud->labelPart()->numberOfLines(), 1);
    EXPECT_EQ(hud->detailsLabelPart()->numberOfLines(), 0);
    EXPECT_TRUE(hud->removeFromSuperViewOnHide());
    // Fading in: the box reaches its opacity, the background full alpha.
    settle(0.5);
    EXPECT_EQ(hud->bezelPart()->alpha(), 1);
    EXPECT_EQ(hud->backgroundPart()->alpha(), 1);
    // It follows the host's size.
    host->setBounds(CGRectMake(0, 0, 300, 400));
    EXPECT_EQ(hud->bounds().size, CGSizeMake(300, 400));
}

TEST_F(ProgressHUDTest, BoxIsCentredWithMarginsAndFourPointGaps)
{
    Ref<MBProgressHUD> hud = show("Please wait! Generating icon image...", "This will take a moment.");
    ASSERT_TRUE(hud);
    CGRect box = hud->bezelPart()->frame();
    CGRect area = hud->bounds();
    EXPECT_DOUBLE_EQ(CGRectGetMidX(box), CGRectGetMidX(area));
    EXPECT_DOUBLE_EQ(CGRectGetMidY(box), CGRectGetMidY(area));

    CGRect spinner = hud->indicator()->frame(), title = hud->labelPart()->frame(), detail = hud->detailsLabelPart()->frame();
    EXPECT_EQ(spinner.size, CGSizeMake(37, 37));
    EXPECT_DOUBLE_EQ(spinner.origin.y, 20);
    EXPECT_DOUBLE_EQ(CGRectGetMinY(title) - CGRectGetMaxY(spinner), 4);
    EXPECT_DOUBLE_EQ(CGRectGetMinY(detail) - CGRectGetMaxY(title), 4);
    EXPECT_DOUBLE_EQ(box.size.height - CGRectGetMaxY(detail), 20);
    // The widest item (the title) sets the width, with the margin either side; all centred.
    EXPECT_GT(title.size.width, detail.size.width);
    EXPECT_DOUBLE_EQ(title.origin.x, 20);
    EXPECT_DOUBLE_EQ(box.size.width - CGRectGetMaxX(title), 20);
    for (CGRect item : { spinner, title, detail })
        EXPECT_DOUBLE_EQ(CGRectGetMidX(item), box.size.width / 2);

    // An empty detail takes no space: the box shrinks by the detail and its gap.
    double tall = box.size.height;
    detailsLabel(hud)->setText("");
    hud->setNeedsLayout();
    hud->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(hud->bezelPart()->frame().size.height, tall - detail.size.height - 4);
    EXPECT_DOUBLE_EQ(CGRectGetMinY(hud->labelPart()->frame()) - CGRectGetMaxY(hud->indicator()->frame()), 4);
    EXPECT_DOUBLE_EQ(hud->bezelPart()->frame().size.height - CGRectGetMaxY(hud->labelPart()->frame()), 20);
}

TEST_F(ProgressHUDTest, BoxKeepsTheMarginInsideTheOverlay)
{
    Ref<MBProgressHUD> hud = show("A title", [] {
        std::string words;
        for (int i = 0; i < 80; ++i)
            words += "word ";
        return words;
    }());
    ASSERT_TRUE(hud);
    // A far offset pushes the box to the edge, never over it; a long detail wraps inside it.
    hudsel::setOffset(hud, CGPointMake(1000, -1000));
    hud->layoutIfNeeded();
    CGRect box = hud->bezelPart()->frame();
    EXPECT_DOUBLE_EQ(box.origin.y, 20);
    EXPECT_DOUBLE_EQ(CGRectGetMaxX(box), hud->bounds().size.width - 20);
    EXPECT_GE(box.origin.x, 20);
    CGRect detail = hud->detailsLabelPart()->frame();
    EXPECT_GE(detail.origin.x, 20);
    EXPECT_LE(CGRectGetMaxX(detail), box.size.width - 20);
}

TEST_F(ProgressHUDTest, LongDetailWrapsInsideTheBox)
{
    std::string words;
    for (int i = 0; i < 80; ++i)
        words += "word ";
    Ref<MBProgressHUD> hud = show("A title", words);
    ASSERT_TRUE(hud);
    hud->layoutIfNeeded();
    UILabel* detail = hud->detailsLabelPart();
    EXPECT_GT(detail->frame().size.height, 2 * detail->font()->lineHeight());
    EXPECT_LE(CGRectGetMaxY(detail->frame()), hud->bezelPart()->bounds().size.height - 20) << "the box holds every line";
}

TEST_F(ProgressHUDTest, HidingRemovesTheOverlayFromItsHost)
{
    int completions = 0;
    Ref<MBProgressHUD> quick = show("Working", "", false);
    ASSERT_TRUE(quick);
    quick->setCompletionBlock([&] { ++completions; });
    hideAnimated(quick, false);
    EXPECT_FALSE(inHost(quick));
    EXPECT_EQ(quick->alpha(), 0);
    EXPECT_EQ(completions, 1);

    // Animated: still there while it fades out, gone after 0.3 s.
    Ref<MBProgressHUD> faded = show("Working", "");
    ASSERT_TRUE(faded);
    faded->setCompletionBlock([&] { ++completions; });
    settle(0.5);
    hideAnimated(faded, true);
    EXPECT_TRUE(inHost(faded));
    EXPECT_EQ(faded->bezelPart()->alpha(), 0);
    settle(0.31);
    EXPECT_FALSE(inHost(faded));
    EXPECT_EQ(completions, 2);
}

TEST_F(ProgressHUDTest, ShowingAgainDuringTheFadeOutKeepsTheOverlay)
{
    Ref<MBProgressHUD> hud = show("Working", "");
    ASSERT_TRUE(hud);
    settle(0.5);
    hideAnimated(hud, true);
    settle(0.1);
    auto shownAlpha = [&](UIView* view) { return view->presentationValues(dispatch::RunLoop::main().now()).alpha; };
    ASSERT_GT(shownAlpha(hud->bezelPart()), 0.1) << "the fade-out should be under way";
    showAnimated(hud, true);
    // Showing removes the running fade-out: the fade in starts from the values set (0), and its
    // completion is told it did not finish.
    EXPECT_EQ(shownAlpha(hud->bezelPart()), 0);
    settle(0.15);
    EXPECT_GT(shownAlpha(hud->bezelPart()), 0);
    EXPECT_LT(shownAlpha(hud->bezelPart()), 1);
    settle(1);
    // The finished fade-out must not take down the overlay shown again meanwhile.
    EXPECT_TRUE(inHost(hud));
    EXPECT_EQ(hud->alpha(), 1);
    EXPECT_EQ(hud->bezelPart()->alpha(), 1);
}

TEST_F(ProgressHUDTest, GraceTimeDelaysShowingAndAHideMeanwhileMeansNeverShown)
{
    Ref<MBProgressHUD> hud = objc::make<MBProgressHUD>();
    uikit::sel::initWithFrame(hud, host->bounds());
    hudsel::setRemoveFromSuperViewOnHide(hud, true);
    hudsel::setGraceTime(hud, 0.5);
    host->addSubview(hud);
    showAnimated(hud, false);
    settle(0.4);
    EXPECT_EQ(hud->alpha(), 0);
    settle(0.2);
    EXPECT_EQ(hud->alpha(), 1);

    Ref<MBProgressHUD> never = objc::make<MBProgressHUD>();
    uikit::sel::initWithFrame(never, host->bounds());
    hudsel::setGraceTime(never, 0.5);
    host->addSubview(never);
    showAnimated(never, false);
    settle(0.2);
    hideAnimated(never, false);
    settle(1);
    EXPECT_EQ(never->alpha(), 0);
    EXPECT_EQ(never->bezelPart()->alpha(), 0);
}

TEST_F(ProgressHUDTest, MinimumShowTimeAndDelayedHide)
{
    Ref<MBProgressHUD> hud = objc::make<MBProgressHUD>();
    uikit::sel::initWithFrame(hud, host->bounds());
    hudsel::setRemoveFromSuperViewOnHide(hud, true);
    hudsel::setMinShowTime(hud, 1.0);
    host->addSubview(hud);
    showAnimated(hud, false);
    settle(0.25);
    hideAnimated(hud, false);
    // Shown for 0.25 s of its 1 s: it stays for the remaining 0.75 s.
    EXPECT_TRUE(inHost(hud));
    settle(0.7);
    EXPECT_TRUE(inHost(hud));
    settle(0.1);
    EXPECT_FALSE(inHost(hud));

    Ref<MBProgressHUD> later = show("Working", "", false);
    ASSERT_TRUE(later);
    hideAnimatedAfterDelay(later, false, 2.0);
    settle(1.9);
    EXPECT_TRUE(inHost(later));
    settle(0.2);
    EXPECT_FALSE(inHost(later));

    // Showing again cancels a pending delayed hide.
    Ref<MBProgressHUD> kept = show("Working", "", false);
    ASSERT_TRUE(kept);
    hideAnimatedAfterDelay(kept, false, 1.0);
    showAnimated(kept, false);
    settle(2);
    EXPECT_TRUE(inHost(kept));
}

TEST_F(ProgressHUDTest, RefusesAMissingHostAndCallsOffTheMainThread)
{
    objc::DiagnosticCapture capture;
    Ref<UIView> none = showHUDAddedToAnimated(objc::Runtime::current().requireClass("MBProgressHUD"), nullptr, true);
    EXPECT_FALSE(none);
    std::vector<std::string> messages = capture.take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("View must not be nil."), std::string::npos);

    Ref<MBProgressHUD> hud = show("Working", "", false);
    ASSERT_TRUE(hud);
    std::thread([&] { hideAnimated(hud, false); }).join();
    messages = capture.take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("MBProgressHUD needs to be accessed on the main thread."), std::string::npos);
    EXPECT_TRUE(inHost(hud));

    // An unknown background style is refused, the current one kept.
    setStyle(hud->backgroundPart(), 7);
    EXPECT_EQ(hud->backgroundPart()->style(), 0);
    EXPECT_EQ(capture.take().size(), 1u);
}

TEST_F(ProgressHUDTest, RendersADimmedHostWithAFrostedBox)
{
    Ref<UILabel> behind = UILabel::create(CGRectMake(20, 80, 335, 40));
    behind->setText("Icons");
    host->addSubview(behind);
    Ref<MBProgressHUD> hud = show("Please wait! Generating icon image...", "This will take a moment.");
    ASSERT_TRUE(hud);
    settle(0.5);
    Ref<UIImage> image = uikit::Renderer::renderWindow(window);
    ASSERT_TRUE(image);
    CGRect box = frameIn(hud->bezelPart(), window);
    // The host, white, dimmed by black at 0.6; the box lighter than the dimming.
    Pixel dimmed = pixelAt(image, CGPointMake(5, 5));
    EXPECT_NEAR(dimmed.r, 102, 3);
    Pixel plate = pixelAt(image, CGPointMake(box.origin.x + 4, box.origin.y + box.size.height / 2));
    EXPECT_GT(plate.r, 150);
    EXPECT_NEAR(plate.r, plate.b, 2);
    EXPECT_TRUE(uikit::writePNG(image, (env.root() / "progress-overlay.png").string()));
    // OVRIMO_SCREENS_DIR=docs/screens refreshes the documented picture.
    if (const char* dir = std::getenv("OVRIMO_SCREENS_DIR")) {
        std::filesystem::path out = std::filesystem::path(dir) / "workflow" / "progress-overlay.png";
        std::filesystem::create_directories(out.parent_path());
        EXPECT_TRUE(uikit::writePNG(image, out.string()));
    }
}

TEST_F(ProgressHUDTest, EveryTitleTheSystemShowsIsWholeOnThePhonesWidthAndItsDetailWraps)
{
    // The overlays of the editing flows and the icon library, on a 375-point-wide phone.
    struct Shown {
        const char* picture;
        const char* title;
        const char* detail;
    };
    const Shown shown[] = {
        { "overlay-generating-icon", "Please wait! Generating icon image...", "This will take a moment." },
        { "overlay-generating-page", "Please wait! Generating custom icons...", "This might take a while, depending on the source image size." },
        { "overlay-saving-icon", "Please wait! Saving icon image...", "This will take a moment." },
        { "overlay-restoring-icons", "Restoring icons...", "This will take a moment." },
        { "overlay-downloading", "Downloading image...", "" },
        { "overlay-loading-library", "Loading icons...", "Please wait." },
        { "overlay-backing-up", "Backing up directory...", "Please wait." },
        { "overlay-restoring-directory", "Restoring directory...", "Please wait." },
    };
    ASSERT_EQ(host->bounds().size.width, 375);
    for (const Shown& s : shown) {
        SCOPED_TRACE(s.title);
        Ref<MBProgressHUD> hud = show(s.title, s.detail, false);
        ASSERT_TRUE(hud);
        UILabel* title = hud->labelPart();
        uikit::TextStyle oneLine { title->font(), NSTextAlignmentCenter, 1, NSLineBreakByTruncatingTail };
        EXPECT_LE(uikit::measureText(s.title, oneLine, 0).width, title->frame().size.width) << "the title is cut";
        UILabel* detail = hud->detailsLabelPart();
        uikit::TextStyle wrapped { detail->font(), NSTextAlignmentCenter, 0, NSLineBreakByWordWrapping };
        EXPECT_LE(uikit::measureText(s.detail, wrapped, detail->frame().size.width).height, detail->frame().size.height) << "the detail is cut";
        if (const char* dir = std::getenv("OVRIMO_SCREENS_DIR")) {
            std::filesystem::path out = std::filesystem::path(dir) / "workflow" / (std::string(s.picture) + ".png");
            std::filesystem::create_directories(out.parent_path());
            EXPECT_TRUE(uikit::writePNG(uikit::Renderer::renderWindow(window), out.string()));
        }
        hideAnimated(hud, false);
    }
}
