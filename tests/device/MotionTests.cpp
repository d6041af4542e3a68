#include "DeviceFixture.h"

#include "platform/uikit/TouchDriver.h"

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
