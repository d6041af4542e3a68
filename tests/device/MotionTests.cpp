#include "DeviceFixture.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/TouchDriver.h"

#include <cmath>
#include <set>

using namespace device_tests;
using objc::Ref;

// What moves on the home screen, and what a finger on it changes, seen in screenshots.

namespace {

class MotionTest : public DeviceTest {
protected:
    // The first app icon (not a folder) of the first page.
    SBIconView* firstAppIcon()
    {
        for (auto& icon : icons()->model()->pages()[0])
            if (!dynamic_cast<SBFolderIcon*>(icon.ptr()))
                return icons()->iconViewForIcon(icon.ptr());
        return nullptr;
    }
    // The first folder of the first page.
    SBFolderIcon* firstFolder()
    {
        for (auto& icon : icons()->model()->pages()[0])
            if (auto* f = dynamic_cast<SBFolderIcon*>(icon.ptr()))
                return f;
        return nullptr;
    }
    Pixel screenPixel(CGPoint point)
    {
        Ref<UIImage> shot = dev().screenshot();
        double scale = shot->scale();
        return pixelAt(shot, static_cast<int>(point.x * scale), static_cast<int>(point.y * scale));
    }
    static int brightness(Pixel p) { return p.r + p.g + p.b; }
};

} // namespace

TEST_F(MotionTest, AnIconDarkensInItsShapeWhileAFingerRestsOnIt)
{
    boot();
    SBIconView* view = firstAppIcon();
    ASSERT_TRUE(view);
    CGPoint centre = centreOnScreen(view);
    CGRect image = view->iconImageView()->convertRectToView(view->iconImageView()->bounds(), nullptr);
    CGPoint corner = CGPointMake(image.origin.x + 0.5, image.origin.y + 0.5); // outside the rounded shape
    Pixel centreBefore = screenPixel(centre), cornerBefore = screenPixel(corner);

    auto& touch = dev().touch();
    touch.touchDown(centre);
    Pixel centrePressed = screenPixel(centre);
    EXPECT_LT(brightness(centrePressed), brightness(centreBefore) * 3 / 4) << "a touched icon darkens";
    EXPECT_EQ(screenPixel(corner), cornerBefore) << "only within the icon's shape";

    // The finger slides off: the tint goes, and lifting there launches nothing.
    touch.touchMove(CGPointMake(centre.x, centre.y + 90));
    EXPECT_EQ(screenPixel(centre), centreBefore);
    touch.touchMove(centre);
    EXPECT_EQ(screenPixel(centre), centrePressed) << "back on the icon, dark again";
    touch.touchCancel(0);
    EXPECT_EQ(screenPixel(centre), centreBefore) << "a cancelled touch leaves no tint";

    // A tap launches with the tint gone.
    touch.tap(centre);
    dev().advance(400);
    EXPECT_FALSE(view->isHighlighted());
}

TEST_F(MotionTest, EditingIconsWiggleOutOfStep)
{
    boot();
    SBIconView* view = firstAppIcon();
    ASSERT_TRUE(view);
    dev().touch().longPress(centreOnScreen(view), 1.0);
    ASSERT_TRUE(view->isEditing());
    dev().advance(500);
    CGRect box = CGRectInset(view->convertRectToView(view->bounds(), nullptr), -6, -6);
    auto iconPicture = [&] {
        Ref<UIImage> shot = dev().screenshot();
        double s = shot->scale();
        std::vector<int> sums;
        for (double y = box.origin.y; y < CGRectGetMaxY(box); y += 0.5)
            for (double x = box.origin.x; x < CGRectGetMaxX(box); x += 0.5) {
                Pixel p = pixelAt(shot, static_cast<int>(x * s), static_cast<int>(y * s));
                sums.push_back(p.r + p.g + p.b);
            }
        return sums;
    };
    auto first = iconPicture();
    dev().advance(60);
    EXPECT_NE(iconPicture(), first) << "the icon moves between two frames";
    EXPECT_EQ(view->frame().size, icons()->geometry().iconViewSize()) << "only what is shown turns";

    // The page's icons lean by different amounts at one moment: they do not rock together.
    std::set<long> leans;
    for (auto& icon : icons()->pages()[0]->iconViews()) {
        CGAffineTransform t = uikit::animatedTransform(icon->layer()->animations(), dispatch::RunLoop::main().now());
        leans.insert(std::lround(std::fabs(std::atan2(t.b, t.a)) * 1000));
    }
    EXPECT_GT(leans.size(), 2u);

    dev().pressHome();
    EXPECT_FALSE(view->layer()->hasAnimations());
}

TEST_F(MotionTest, AFolderGrowsOutOfItsIconAndComesToRest)
{
    boot();
    SBFolderIcon* folder = firstFolder();
    ASSERT_TRUE(folder);
    SBIconView* view = icons()->iconViewForIcon(folder);
    CGPoint iconCentre = centreOnScreen(view);
    auto& touch = dev().touch();
    touch.touchDown(iconCentre);
    touch.wait(0.05);
    touch.touchUp(iconCentre);
    ASSERT_NE(icons()->openFolderController(), nullptr) << "the folder is open at once; only its picture grows";

    // Early on, the screen's centre still shows the page (the folder is a small, faint thing near
    // its icon); at rest it shows the folder's panel, and stays so.
    CGPoint middle = CGPointMake(icons()->geometry().screen.width / 2, icons()->geometry().screen.height / 2);
    dev().advance(30);
    Ref<UIImage> early = dev().screenshot();
    dev().advance(600);
    Ref<UIImage> rest = dev().screenshot();
    dev().advance(300);
    Ref<UIImage> later = dev().screenshot();
    double s = rest->scale();
    auto at = [&](UIImage* image, CGPoint p) { return pixelAt(image, static_cast<int>(p.x * s), static_cast<int>(p.y * s)); };
    EXPECT_NE(at(early, middle), at(rest, middle));
    EXPECT_EQ(at(rest, middle), at(later, middle)) << "nothing moves once it has opened";
}

TEST_F(MotionTest, AFolderShrinksBackIntoItsIconAsItClosesAndTheHomeScreenAnswersAtOnce)
{
    boot();
    SBFolderIcon* folder = firstFolder();
    ASSERT_TRUE(folder);
    CGPoint middle = CGPointMake(icons()->geometry().screen.width / 2, icons()->geometry().screen.height / 2);
    Ref<UIImage> home = dev().screenshot();
    dev().touch().tap(centreOnScreen(icons()->iconViewForIcon(folder)));
    dev().advance(600);
    Ref<UIImage> open = dev().screenshot();

    dev().pressHome();
    EXPECT_EQ(icons()->openFolderController(), nullptr) << "closed at once; only its picture shrinks";
    dev().advance(120);
    Ref<UIImage> closing = dev().screenshot();
    dev().advance(500);
    Ref<UIImage> closed = dev().screenshot();
    double s = home->scale();
    auto at = [&](UIImage* image) { return pixelAt(image, static_cast<int>(middle.x * s), static_cast<int>(middle.y * s)); };
    EXPECT_NE(at(closing), at(open)) << "the panel is on its way out";
    EXPECT_NE(at(closing), at(home)) << "a closing folder does not vanish in one frame";
    EXPECT_EQ(at(closed), at(home)) << "once closed, the home screen is as it was";
    // While it shrinks, a tap on the home screen reaches the home screen, not the fading folder.
    dev().touch().tap(centreOnScreen(icons()->iconViewForIcon(folder)));
    dev().pressHome();
    dev().touch().wait(0.1);
    dev().touch().tap(centreOnScreen(icons()->iconViewForIcon(folder)));
    EXPECT_NE(icons()->openFolderController(), nullptr) << "the tap during the close opened the folder again";
}
