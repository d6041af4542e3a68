// UIColor: components, grey levels, HSB decomposition and its runtime messages.

#include "platform/graphics/Graphics.h"
#include "platform/graphics/UIColor.h"
#include "platform/runtime/Message.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

using objc::Ref;

namespace {

class GraphicsColor : public ::testing::Test {
protected:
    GraphicsColor() { registerGraphicsClasses(env.runtime()); }
    testing_support::TestEnvironment env;
};

struct HSB {
    CGFloat h, s, b, a;
};

HSB hsbOf(UIColor* c)
{
    HSB v {};
    EXPECT_TRUE(objc::msgSend<bool>(c, "getHue:saturation:brightness:alpha:", &v.h, &v.s, &v.b, &v.a));
    return v;
}

} // namespace

TEST_F(GraphicsColor, HueSaturationBrightnessOfPrimariesAndGreys)
{
    HSB red = hsbOf(UIColor::redColor());
    EXPECT_DOUBLE_EQ(red.h, 0);
    EXPECT_DOUBLE_EQ(red.s, 1);
    EXPECT_DOUBLE_EQ(red.b, 1);
    EXPECT_NEAR(hsbOf(UIColor::greenColor()).h, 1.0 / 3, 1e-12);
    EXPECT_NEAR(hsbOf(UIColor::blueColor()).h, 2.0 / 3, 1e-12);
    // Just below red again, from the magenta side.
    EXPECT_NEAR(hsbOf(UIColor::colorWithRed(1, 0, 0.1, 1)).h, 1 - 0.1 / 6, 1e-12);
    HSB grey = hsbOf(UIColor::colorWithWhite(0.4, 0.5));
    EXPECT_DOUBLE_EQ(grey.s, 0);
    EXPECT_DOUBLE_EQ(grey.b, 0.4);
    EXPECT_DOUBLE_EQ(grey.a, 0.5);
    HSB black = hsbOf(UIColor::blackColor());
    EXPECT_DOUBLE_EQ(black.s, 0);
    EXPECT_DOUBLE_EQ(black.b, 0);
}

TEST_F(GraphicsColor, HueRoundTripsThroughRGB)
{
    for (double h = 0; h < 1; h += 0.07) {
        for (double s : { 0.2, 0.6, 1.0 }) {
            Ref<UIColor> c = UIColor::colorWithHue(h, s, 0.8, 1);
            HSB back = hsbOf(c);
            EXPECT_NEAR(back.h, h, 1e-9) << h << " " << s;
            EXPECT_NEAR(back.s, s, 1e-9);
            EXPECT_NEAR(back.b, 0.8, 1e-9);
        }
    }
    CGFloat r, g, b, a;
    UIColor::colorWithHue(1.0, 1, 1, 1)->getRed(&r, &g, &b, &a);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 0);
}

TEST_F(GraphicsColor, ComponentsWhiteAndCGColor)
{
    Ref<UIColor> c = objc::msgSend<Ref<UIColor>>(objc::objc_getClass("UIColor"), "colorWithRed:green:blue:alpha:", 0.2, 0.4, 1.5, -1.0);
    CGFloat r, g, b, a;
    EXPECT_TRUE(objc::msgSend<bool>(c, "getRed:green:blue:alpha:", &r, &g, &b, &a));
    EXPECT_DOUBLE_EQ(r, 0.2);
    EXPECT_DOUBLE_EQ(g, 0.4);
    EXPECT_DOUBLE_EQ(b, 1); // clamped
    EXPECT_DOUBLE_EQ(a, 0);

    CGColorRef rgb = c->CGColor();
    EXPECT_EQ(CGColorGetNumberOfComponents(rgb), 4u);
    EXPECT_EQ(CGColorSpaceGetModel(CGColorGetColorSpace(rgb)), kCGColorSpaceModelRGB);
    Ref<UIColor> grey = UIColor::colorWithWhite(0.25, 0.75);
    CGColorRef greyCG = grey->CGColor();
    ASSERT_EQ(CGColorGetNumberOfComponents(greyCG), 2u);
    EXPECT_DOUBLE_EQ(CGColorGetComponents(greyCG)[0], 0.25);
    EXPECT_DOUBLE_EQ(CGColorGetAlpha(greyCG), 0.75);
    CGFloat w, wa;
    EXPECT_TRUE(grey->getWhite(&w, &wa));
    EXPECT_DOUBLE_EQ(w, 0.25);

    Ref<UIColor> faded = objc::msgSend<Ref<UIColor>>(grey, "colorWithAlphaComponent:", 0.1);
    EXPECT_TRUE(faded->isGrey());
    EXPECT_DOUBLE_EQ(faded->alpha(), 0.1);
    EXPECT_DOUBLE_EQ(grey->alpha(), 0.75); // colours are immutable
    EXPECT_TRUE(UIColor::colorWithCGColor(greyCG)->isEqual(grey));
}

TEST_F(GraphicsColor, NamedColoursAndEquality)
{
    auto cls = objc::objc_getClass("UIColor");
    Ref<UIColor> white = objc::msgSend<Ref<UIColor>>(cls, "whiteColor");
    EXPECT_TRUE(objc::msgSend<bool>(white, "isEqual:", UIColor::colorWithRed(1, 1, 1, 1).ptr()));
    EXPECT_FALSE(objc::msgSend<bool>(white, "isEqual:", UIColor::lightGrayColor().ptr()));
    EXPECT_EQ(objc::msgSend<Ref<UIColor>>(cls, "clearColor")->alpha(), 0);
    Ref<UIColor> background = objc::msgSend<Ref<UIColor>>(cls, "groupTableViewBackgroundColor");
    EXPECT_NEAR(background->blue(), 244 / 255.0, 1e-12);
    Ref<UIColor> orange = UIColor::orangeColor();
    EXPECT_EQ(orange->red(), 1);
    EXPECT_EQ(orange->green(), 0.5);
    EXPECT_EQ(orange->blue(), 0);
}
