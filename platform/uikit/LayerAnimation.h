#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/uikit/AnimationCurves.h"

#include <array>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace uikit {

// An animation of what a layer shows, not of its model: hit testing, frame and bounds keep the
// model values (as a basic animation added to a layer on the phone). Composited on top of the
// view's own transform and alpha.
struct LayerAnimation {
    enum class Property { Rotation /*radians*/, Scale, Opacity /*multiplies*/, TranslationX, TranslationY /*points*/ };
    Property property = Property::Rotation;
    double from = 0, to = 0;
    double duration = 0.25;   // seconds, one pass
    double delay = 0;         // seconds after being added
    TimingCurve curve = TimingCurve::EaseInOut;
    double repeatCount = 0;   // extra passes; std::numeric_limits<double>::infinity() = forever
    bool autoreverses = false;
    int steps = 0;            // 0: continuous; n: the value moves in n discrete steps (a spinner)
};

// A layer animation as the layer keeps it: with its key and the time it was added.
struct RunningLayerAnimation {
    std::string key;
    LayerAnimation animation;
    dispatch::Nanoseconds added = 0;

    AnimationTiming timing() const;
};

// What the running animations show at `at`, applied in the order they were added: the transform
// (about the layer's centre, before the view's own) and the factor on the opacity.
CGAffineTransform animatedTransform(const std::vector<RunningLayerAnimation>& animations, dispatch::Nanoseconds at);
double animatedOpacity(const std::vector<RunningLayerAnimation>& animations, dispatch::Nanoseconds at);
// The time from which none of them shows anything (INT64_MAX while one runs forever).
dispatch::Nanoseconds animationsEnd(const std::vector<RunningLayerAnimation>& animations);

// A view's own values as the screen shows them (UIView's animation methods move these).
struct ViewValues {
    CGPoint center;
    CGRect bounds;
    CGAffineTransform transform = CGAffineTransformIdentity;
    double alpha = 1;
    std::optional<std::array<double, 4>> background; // red, green, blue, alpha; none: no colour
};

// An animation of one of a view's values from the value shown when it began to the model value
// the animations block set; the model itself changed at once.
struct PropertyAnimation {
    enum class Property { Center, BoundsOrigin, BoundsSize, Transform, Alpha, BackgroundColor };
    using Value = std::array<double, 6>;
    Property property = Property::Center;
    Value from {}, to {};
    AnimationTiming timing;

    static Value valueOf(const ViewValues& values, Property property);
    static void setValue(ViewValues& values, Property property, const Value& value);
};

// The values at `at`: the model's with each running animation's in-between value in place.
ViewValues presentationValues(ViewValues model, const std::vector<PropertyAnimation>& animations, dispatch::Nanoseconds at);

} // namespace uikit
