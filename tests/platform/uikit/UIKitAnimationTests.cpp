#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/uikit/AnimationCurves.h"
#include "platform/uikit/LayerAnimation.h"
#include "platform/uikit/Renderer.h"

#include <cmath>
#include <limits>

using objc::Ref;
using uikit::AnimationTiming;
using uikit::TimingCurve;

// Animations on the virtual clock: the timing curves and the spring, the passes of an animation
// (delay, repeat, reversal, steps), and layer animations as the renderer shows them.

namespace {

constexpr dispatch::Nanoseconds ms(double m) { return static_cast<dispatch::Nanoseconds>(m * 1e6); }

AnimationTiming timing(double duration, TimingCurve curve = TimingCurve::Linear)
{
    AnimationTiming t;
    t.duration = duration;
    t.curve = curve;
    return t;
}

// The largest spring position over the duration, sampled every millisecond.
double springPeak(uikit::Spring spring, double duration)
{
    double peak = 0;
    for (double t = 0; t <= duration; t += 0.001)
        peak = std::max(peak, uikit::springProgress(spring, duration, t));
    return peak;
}

} // namespace

TEST(AnimationCurves, CurvesStartAndEndInPlaceAndDifferInBetween)
{
    for (auto curve : { TimingCurve::Linear, TimingCurve::EaseIn, TimingCurve::EaseOut, TimingCurve::EaseInOut }) {
        EXPECT_NEAR(uikit::curveProgress(curve, 0), 0, 1e-6);
        EXPECT_NEAR(uikit::curveProgress(curve, 1), 1, 1e-6);
        double last = 0;
        for (double t = 0.01; t <= 1; t += 0.01) {
            double p = uikit::curveProgress(curve, t);
            EXPECT_GE(p, last - 1e-9) << "never moves back, t " << t;
            last = p;
        }
    }
    EXPECT_DOUBLE_EQ(uikit::curveProgress(TimingCurve::Linear, 0.5), 0.5);
    // Ease-in-out: symmetric, half-way at half the time, slower than linear at both ends.
    EXPECT_NEAR(uikit::curveProgress(TimingCurve::EaseInOut, 0.5), 0.5, 1e-6);
    EXPECT_LT(uikit::curveProgress(TimingCurve::EaseInOut, 0.1), 0.05);
    EXPECT_GT(uikit::curveProgress(TimingCurve::EaseInOut, 0.9), 0.95);
    EXPECT_NEAR(uikit::curveProgress(TimingCurve::EaseInOut, 0.2) + uikit::curveProgress(TimingCurve::EaseInOut, 0.8), 1, 1e-6);
    // Ease-in starts slowly, ease-out ends slowly, mirror images of each other.
    EXPECT_LT(uikit::curveProgress(TimingCurve::EaseIn, 0.5), 0.4);
    EXPECT_GT(uikit::curveProgress(TimingCurve::EaseOut, 0.5), 0.6);
    EXPECT_NEAR(uikit::curveProgress(TimingCurve::EaseIn, 0.3) + uikit::curveProgress(TimingCurve::EaseOut, 0.7), 1, 1e-6);
    // Out of range times are held at the ends.
    EXPECT_EQ(uikit::curveProgress(TimingCurve::EaseIn, -1), 0);
    EXPECT_EQ(uikit::curveProgress(TimingCurve::EaseIn, 2), 1);
}

TEST(AnimationCurves, SpringsSettleAndOvershootOnlyWhenUnderdamped)
{
    for (double damping : { 0.2, 0.5, 1.0, 2.0 }) {
        uikit::Spring spring { damping, 0 };
        EXPECT_EQ(uikit::springProgress(spring, 0.5, 0), 0);
        EXPECT_NEAR(uikit::springProgress(spring, 0.5, 0.49), 1, 0.01) << "settled by the end, damping " << damping;
        EXPECT_EQ(uikit::springProgress(spring, 0.5, 0.5), 1);
    }
    EXPECT_GT(springPeak({ 0.3, 0 }, 0.5), 1.2);
    EXPECT_LE(springPeak({ 1.0, 0 }, 0.5), 1 + 1e-9);
    EXPECT_LE(springPeak({ 1.5, 0 }, 0.5), 1 + 1e-9);
    // A spring thrown towards its end is ahead of one at rest, and one thrown away from it is behind.
    double atRest = uikit::springProgress({ 1, 0 }, 0.5, 0.02);
    EXPECT_GT(uikit::springProgress({ 1, 10 }, 0.5, 0.02), atRest);
    EXPECT_LT(uikit::springProgress({ 1, -10 }, 0.5, 0.02), atRest);
    // No damping at all still comes to rest at the end.
    EXPECT_EQ(uikit::springProgress({ 0, 0 }, 0.5, 0.5), 1);
}

TEST(AnimationCurves, PassesDelayRepeatAndReversal)
{
    AnimationTiming t = timing(0.2);
    t.start = ms(100);
    EXPECT_FALSE(t.progressAt(ms(50))) << "nothing shown before the start";
    t.showsFromBeforeStart = true;
    EXPECT_EQ(t.progressAt(ms(50)), 0.0) << "the start value during the delay";
    EXPECT_NEAR(*t.progressAt(ms(200)), 0.5, 1e-9);
    EXPECT_FALSE(t.progressAt(ms(300))) << "over at the end";
    EXPECT_EQ(t.end(), ms(300));

    // Two passes forward and back: 0 -> 1 -> 0 -> 1 -> 0 in 0.8 s.
    AnimationTiming r = timing(0.2);
    r.repeatCount = 1;
    r.autoreverses = true;
    EXPECT_EQ(r.end(), ms(800));
    EXPECT_NEAR(*r.progressAt(ms(100)), 0.5, 1e-9);
    EXPECT_NEAR(*r.progressAt(ms(199)), 0.995, 1e-6);
    EXPECT_NEAR(*r.progressAt(ms(300)), 0.5, 1e-9);
    EXPECT_NEAR(*r.progressAt(ms(350)), 0.25, 1e-9);
    EXPECT_NEAR(*r.progressAt(ms(450)), 0.25, 1e-9);
    EXPECT_NEAR(*r.progressAt(ms(790)), 0.05, 1e-9);
    EXPECT_FALSE(r.progressAt(ms(800)));

    AnimationTiming forever = timing(0.1);
    forever.repeatCount = std::numeric_limits<double>::infinity();
    EXPECT_EQ(forever.end(), std::numeric_limits<dispatch::Nanoseconds>::max());
    EXPECT_NEAR(*forever.progressAt(ms(1'000'050)), 0.5, 1e-6) << "still running after 1000 s";

    // A spinner in 8 steps only shows multiples of an eighth.
    AnimationTiming steps = timing(1);
    steps.steps = 8;
    EXPECT_EQ(*steps.progressAt(ms(120)), 0.0);
    EXPECT_EQ(*steps.progressAt(ms(130)), 0.125);
    EXPECT_EQ(*steps.progressAt(ms(999)), 0.875);

    // A pass of no length is over at once.
    EXPECT_FALSE(timing(0).progressAt(0));
}

TEST_F(UIKitTest, LayerAnimationsShowOnlyInDrawingAndEndOrGetReplaced)
{
    auto& loop = dispatch::RunLoop::main();
    UIWindow* w = showWindow();
    auto bar = UIView::create(CGRectMake(100, 300, 200, 20));
    bar->setBackgroundColor(UIColor::redColor());
    w->addSubview(bar);
    CGRect frame = bar->frame();

    uikit::LayerAnimation turn;
    turn.property = uikit::LayerAnimation::Property::Rotation;
    turn.from = 0;
    turn.to = M_PI / 2;
    turn.duration = 1;
    turn.curve = TimingCurve::Linear;
    bar->layer()->addAnimation(turn, "turn");
    EXPECT_TRUE(bar->layer()->hasAnimations());

    // Upright at first: the bar's ends are red, above and below its middle white.
    auto red = [&](double x, double y) { return isColour(pixelAt(uikit::Renderer::renderWindow(w).ptr(), CGPointMake(x, y)), 255, 0, 0); };
    EXPECT_TRUE(red(110, 310));
    EXPECT_FALSE(red(200, 250));
    // A quarter turn after a second is the end: drawn upright again, as the model is.
    loop.advance(ms(999));
    EXPECT_FALSE(red(110, 310));
    EXPECT_TRUE(red(200, 250));
    EXPECT_EQ(bar->frame(), frame) << "the model does not move";
    EXPECT_EQ(bar->hitTest(bar->convertPointFromView(CGPointMake(110, 310), nullptr), nullptr), bar) << "hit testing uses the model";
    loop.advance(ms(1));
    EXPECT_FALSE(bar->layer()->hasAnimations());
    EXPECT_TRUE(red(110, 310));

    // An opacity animation fades the bar; one with the same key replaces it; removal ends it.
    uikit::LayerAnimation fade;
    fade.property = uikit::LayerAnimation::Property::Opacity;
    fade.from = 0;
    fade.to = 0;
    fade.duration = 10;
    bar->layer()->addAnimation(fade, "look");
    EXPECT_FALSE(red(200, 310));
    fade.from = fade.to = 1;
    bar->layer()->addAnimation(fade, "look");
    EXPECT_EQ(bar->layer()->animations().size(), 1u);
    EXPECT_TRUE(red(200, 310));
    bar->layer()->addAnimation(turn, "turn");
    bar->layer()->removeAnimationForKey("look");
    EXPECT_EQ(bar->layer()->animations().size(), 1u);
    bar->layer()->removeAllAnimations();
    EXPECT_FALSE(bar->layer()->hasAnimations());
}
