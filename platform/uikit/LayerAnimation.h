#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/uikit/AnimationCurves.h"

#include <limits>
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

} // namespace uikit
