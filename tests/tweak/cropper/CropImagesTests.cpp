#include "tweak/cropper/CropImages.h"

#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/Graphics.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace ovrimo::cropper;
using namespace graphics_test;

namespace {
class CropImages : public ::testing::Test {
protected:
    CropImages() { registerGraphicsClasses(env.runtime()); }
    testing_support::TestEnvironment env;
};

// The picture as the platform shows it: drawn with its orientation into a fresh canvas.
Corners shown(UIImage* image)
{
    CGSize s = image->size();
    UIGraphicsBeginImageContextWithOptions(s, false, 1);
    image->drawInRect(CGRectMake(0, 0, s.width, s.height));
    objc::Ref<UIImage> out = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return cornersOf(out->CGImage());
}
} // namespace

TEST_F(CropImages, FixOrientationAnswersThePictureAsShownForEveryTag)
{
    for (int tag = 0; tag < 8; ++tag) {
        SCOPED_TRACE(tag);
        objc::Ref<UIImage> image = UIImage::imageWithCGImage(fourCorners(40, 20), 1, UIImageOrientation(tag));
        objc::Ref<UIImage> upright = fixOrientation(image);
        ASSERT_TRUE(upright);
        EXPECT_EQ(upright->imageOrientation(), UIImageOrientationUp);
        EXPECT_EQ(upright->size().width, image->size().width);
        EXPECT_EQ(upright->size().height, image->size().height);
        EXPECT_EQ(cornersOf(upright->CGImage()), shown(image));
    }
    EXPECT_FALSE(fixOrientation(nullptr));
}

TEST_F(CropImages, QuarterTurnsGoClockwiseAndFourGiveBackTheStart)
{
    objc::Ref<UIImage> image = UIImage::imageWithCGImage(fourCorners(40, 20));
    objc::Ref<UIImage> once = imageRotatedByDegrees(90, image);
    ASSERT_TRUE(once);
    EXPECT_EQ(once->size().width, 20);
    EXPECT_EQ(once->size().height, 40);
    EXPECT_EQ(cornersOf(once->CGImage()), (Corners { kBlue, kRed, kYellow, kGreen }));
    objc::Ref<UIImage> turned = once;
    for (int i = 0; i < 3; ++i)
        turned = imageRotatedByDegrees(90, turned);
    EXPECT_EQ(cornersOf(turned->CGImage()), cornersOf(image->CGImage()));
    EXPECT_FALSE(imageRotatedByDegrees(90, nullptr));
}

TEST_F(CropImages, SubImageCutsWholePixels)
{
    objc::Ref<UIImage> image = UIImage::imageWithCGImage(fourCorners(40, 20));
    objc::Ref<UIImage> part = subImage(image, CGRectMake(19.5, 0, 20, 10));
    ASSERT_TRUE(part);
    EXPECT_EQ(part->size().width, 21);
    EXPECT_EQ(pixelAt(part->CGImage(), 0, 0), kRed);
    EXPECT_EQ(pixelAt(part->CGImage(), 20, 9), kGreen);
    EXPECT_FALSE(subImage(image, CGRectMake(0, 0, 0, 0)));
    // Rounding noise of the crop arithmetic (a 12-megapixel photo fitted in a 250-point hole
    // gives 503.99999999 for 504) adds no column or row.
    objc::Ref<UIImage> noisy = subImage(image, CGRectMake(9.999999999, -0.000000001, 20.000000002, 20.000000001));
    ASSERT_TRUE(noisy);
    EXPECT_EQ(noisy->size().width, 20);
    EXPECT_EQ(noisy->size().height, 20);
}
