#include "tweak/cropper/CropGeometry.h"

#include <gtest/gtest.h>

using namespace ovrimo::cropper;

namespace {
void expectRect(CGRect r, double x, double y, double w, double h)
{
    EXPECT_DOUBLE_EQ(r.origin.x, x);
    EXPECT_DOUBLE_EQ(r.origin.y, y);
    EXPECT_DOUBLE_EQ(r.size.width, w);
    EXPECT_DOUBLE_EQ(r.size.height, h);
}
const CGRect kHole = CGRectMake(37.5, 183.5, 300, 300);
} // namespace

TEST(CropGeometry, FitCoversTheHoleAlongItsShorterSideWithEqualOverhang)
{
    // Landscape in a square hole: hole height, overhang split left and right.
    expectRect(fitImageToCrop(CGSizeMake(400, 200), kHole), 37.5 - 150, 183.5, 600, 300);
    // Portrait: hole width, overhang split top and bottom.
    expectRect(fitImageToCrop(CGSizeMake(100, 300), kHole), 37.5, 183.5 - 300, 300, 900);
    // Nothing to fit: zero, no division by zero.
    expectRect(fitImageToCrop(CGSizeMake(0, 0), kHole), 0, 0, 0, 0);
    expectRect(fitImageToCrop(CGSizeMake(10, 10), CGRectMake(0, 0, 0, 10)), 0, 0, 0, 0);
}

TEST(CropGeometry, ScaleSettlesBetweenFittedAndLargestAboutTheCentre)
{
    CGRect fitted = CGRectMake(0, 0, 600, 300);
    CGRect largest = CGRectMake(0, 0, 3600, 1800);
    expectRect(clampScale(CGRectMake(100, 100, 300, 150), fitted, largest), 250 - 300, 175 - 150, 600, 300);
    expectRect(clampScale(CGRectMake(0, 0, 4000, 2000), fitted, largest), 2000 - 1800, 1000 - 900, 3600, 1800);
    expectRect(clampScale(CGRectMake(5, 6, 700, 350), fitted, largest), 5, 6, 700, 350);
}

TEST(CropGeometry, BorderPullsEveryGapBackToTheHoleEdges)
{
    // Gap on the left and the top.
    expectRect(clampBorder(CGRectMake(50, 200, 600, 600), kHole, false), 37.5, 183.5, 600, 600);
    // Gap on the right and the bottom.
    expectRect(clampBorder(CGRectMake(-500, -500, 600, 600), kHole, false), 337.5 - 600, 483.5 - 600, 600, 600);
    // Inside: unchanged.
    expectRect(clampBorder(CGRectMake(0, 100, 600, 600), kHole, false), 0, 100, 600, 600);
    // A short wide picture is centred vertically on the hole.
    expectRect(clampBorder(CGRectMake(0, 400, 600, 200), kHole, true), 0, 183.5 + 50, 600, 200);
}

TEST(CropGeometry, SubImageOfAFittedPictureAndOfOneShorterThanTheHole)
{
    // Square picture fitted unmoved in a square hole: the whole picture.
    expectRect(subImageRect(kHole, kHole, CGSizeMake(80, 80)), 0, 0, 80, 80);
    // Landscape fitted: the centred square.
    expectRect(subImageRect(CGRectMake(-112.5, 183.5, 600, 300), kHole, CGSizeMake(400, 200)), 100, 0, 200, 200);
    // Hole taller than the portrait picture shown: full height, centred band of the hole's aspect.
    CGRect tall = CGRectMake(0, 0, 100, 400);
    expectRect(subImageRect(CGRectMake(0, 50, 100, 300), tall, CGSizeMake(100, 300)), 50 - 37.5, 0, 75, 300);
    expectRect(subImageRect(CGRectMake(0, 0, 0, 0), kHole, CGSizeMake(10, 10)), 0, 0, 0, 0);
}
