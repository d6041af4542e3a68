#include "tests/tweak/TweakTestSupport.h"
#include "tweak/IconStore.h"
#include "tweak/PrivateInterfaces.h"
#include "tweak/Substitution.h"

#include <gtest/gtest.h>

using namespace tweak_test;
using namespace ovrimo;

namespace {

// SpringBoard's calendar icon: white inside a rounded outline (transparent corners), with a dark
// bar near the top where the date is printed; nothing below it, so an upside-down print shows.
Ref<UIImage> calendarIcon()
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(60, 60), false, 2);
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextSetRGBFillColor(c, 1, 1, 1, 1);
    CGContextAddRoundedRect(c, CGRectMake(0, 0, 60, 60), 13);
    CGContextFillPath(c);
    CGContextSetRGBFillColor(c, 0, 0, 0, 1);
    CGContextFillRect(c, CGRectMake(15, 8, 30, 12));
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

class SubstitutionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // SpringBoard's own getIconImage: draws the picture above; the tweak's goes on top.
        objc::Class* icon = objc::objc_getClass("SBIcon");
        MSHookMessageEx(icon, "getIconImage:", [](SBIcon*, objc::SEL, int) { return calendarIcon(); }, &s_springBoardsImage);
        substrate::Replacement<Ref<UIImage>(long long)>("SBIcon", sb::getIconImage, GetIconImage).install();
        calendar = appIcon("com.apple.mobilecal");
        ASSERT_NE(calendar, nullptr);
    }

    Ref<UIImage> iconImage(long long format) { return objc::msgSend<Ref<UIImage>>(calendar, "getIconImage:", format); }

    static inline objc::Imp<Ref<UIImage>(int)> s_springBoardsImage;
    TweakEnvironment env;
    SBIcon* calendar = nullptr;
};

TEST_F(SubstitutionTest, DatePrintIsLaidOverTheCustomCalendarInTheChosenColour)
{
    env.setPreference("calendardate", NSString::make("#FF0000"));
    env.writeFile(CustomIconPath("com.apple.mobilecal"), *UIImagePNGRepresentation(solidImage(CGSizeMake(256, 256), 1, 0, 1, 0)));

    Ref<UIImage> image = iconImage(2);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size().width, 60);
    Pixel date = pixelAt(image, 60, 28);
    EXPECT_GT(date.r, 200) << "the date bar is printed in red, near the top";
    EXPECT_LT(date.g, 60);
    Pixel mirrored = pixelAt(image, 60, 92);
    EXPECT_GT(mirrored.g, 200) << "nothing is printed where an upside-down bar would be";
    EXPECT_LT(mirrored.r, 60);
    Pixel body = pixelAt(image, 20, 60);
    EXPECT_GT(body.g, 200) << "the custom picture shows around the print";
    EXPECT_LT(body.r, 60);
    EXPECT_LT(pixelAt(image, 0, 0).a, 30) << "the corners stay transparent, not printed in the date colour";

    // Any other format: the custom picture alone.
    Pixel plain = pixelAt(iconImage(1), 60, 28);
    EXPECT_LT(plain.r, 60);
    EXPECT_GT(plain.g, 200);
}

TEST_F(SubstitutionTest, WithoutACustomCalendarThePrintIsRedrawnOverTheOriginal)
{
    env.setPreference("calendardate", NSString::make("#0000FF"));
    Ref<UIImage> image = iconImage(2);
    Pixel date = pixelAt(image, 60, 28);
    EXPECT_GT(date.b, 200);
    EXPECT_LT(date.r, 60);
    for (Pixel white : { pixelAt(image, 20, 60), pixelAt(image, 60, 92) }) {
        EXPECT_GT(white.r, 230);
        EXPECT_GT(white.b, 230);
    }
    env.setPreference("calendardate", NSString::make("none"));
    EXPECT_LT(pixelAt(iconImage(2), 60, 28).b, 30) << "no print with \"none\"";
}

TEST(SubstitutionTables, SettingsIdentifiersAndWidgetKeys)
{
    EXPECT_STREQ(SettingsIdentifierKey("WILLOW"), "com.apple.Home");
    EXPECT_STREQ(SettingsIdentifierKey("com.apple.Dataclass.Calendars"), "com.apple.mobilecal");
    EXPECT_STREQ(SettingsIdentifierKey("DEVICE_LOCATOR"), "com.apple.mobileme.fmip1");
    EXPECT_EQ(SettingsIdentifierKey("willow"), nullptr) << "exact comparison";
    EXPECT_EQ(WidgetKey("com.apple.mobilecal.CalendarWidget"), "com.apple.mobilecal");
    EXPECT_EQ(WidgetKey("a.b"), "a");
    EXPECT_EQ(WidgetKey("nodots"), "nodots");
}

} // namespace
