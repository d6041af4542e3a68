#pragma once

// How an animated value moves over time: timing curves, a spring, and the timing of one animation
// (start, passes, repeats, reversal) on the main run loop's virtual clock. Plain values only, so
// that a compositor on another thread can evaluate them.

#include "platform/dispatch/RunLoop.h"

#include <optional>

namespace uikit {

enum class TimingCurve { EaseInOut, Linear, EaseIn, EaseOut };

// The part of the change done at `t` (0..1 of the duration) along the curve: cubic Bezier curves
// through (0,0) and (1,1) with the phone's control points.
double curveProgress(TimingCurve curve, double t);

// A spring from 0 to 1, as a damped harmonic oscillator. The damping ratio is 1 for no overshoot
// and less for more oscillation; the initial velocity is in whole distances a second. The spring's
// stiffness is chosen so that it settles within the duration.
struct Spring {
    double dampingRatio = 1;
    double initialVelocity = 0;
};
// The spring's position `elapsed` seconds into an animation of `duration` seconds (1 from the end on).
double springProgress(const Spring& spring, double duration, double elapsed);

struct AnimationTiming {
    dispatch::Nanoseconds start = 0; // when the first pass begins (any delay included)
    double duration = 0.25;          // seconds, one pass
    TimingCurve curve = TimingCurve::EaseInOut;
    std::optional<Spring> spring;    // instead of the curve
    double repeatCount = 0;          // extra passes; infinity: forever
    bool autoreverses = false;       // each pass runs forward, then back
    int steps = 0;                   // 0: continuous; n: n discrete steps
    bool showsFromBeforeStart = false; // during the delay: the start value (else nothing)

    // The progress (0: from, 1: to) shown at `at`; nothing before the start (unless it shows its
    // start value) and from the end on, when the animation is over.
    std::optional<double> progressAt(dispatch::Nanoseconds at) const;
    // The time from which the animation is over (INT64_MAX when it repeats forever).
    dispatch::Nanoseconds end() const;
};

dispatch::Nanoseconds secondsToNanoseconds(double seconds);

} // namespace uikit
