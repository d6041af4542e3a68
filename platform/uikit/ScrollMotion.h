#pragma once

#include "platform/uikit/UIKitTypes.h"

namespace uikit {

// How a scroll view's content offset moves on its own, as a function of the time since the motion
// began: an eased glide to a target (an animated offset change, a page snapping into place), or
// the coast after a flick, slowing at the normal deceleration rate and, where it runs into an edge
// of the content, springing past it a little and back. Pure arithmetic on one axis at a time, so
// the curves can be checked without a view; the scroll view samples it once a frame.
class ScrollMotion {
public:
    // Velocity is kept per millisecond as 0.998 of what it was the millisecond before.
    static constexpr double kDecelerationRate = 0.998;
    // A flick slower than this (points per second) does not coast.
    static constexpr double kMinimumFlickSpeed = 50;
    // The glide of setContentOffset:animated: and of a page snap.
    static constexpr double kGlideSeconds = 0.3;
    // The glide home of a content let go while pulled past an edge.
    static constexpr double kHomeSeconds = 0.4;

    // From `from` to `to` in `seconds`, eased in and out.
    static ScrollMotion glide(CGPoint from, CGPoint to, double seconds = kGlideSeconds);
    // Coasting from `from` at `velocity` (points per second, in offset terms), kept within
    // [`lo`, `hi`]; past an edge it springs back when `bounces`, else stops there. From beyond an
    // edge (let go while pulled past it) it glides home to the edge.
    static ScrollMotion coast(CGPoint from, CGPoint velocity, CGPoint lo, CGPoint hi, bool bounces);

    // The offset `t` seconds after the start; the end position once `t` >= duration().
    CGPoint offsetAt(double t) const;
    // Seconds until the offset rests.
    double duration() const { return m_duration; }
    CGPoint target() const { return CGPointMake(m_x.end, m_y.end); }

    // One axis of a coast: an exponential slowdown, and once it crosses an edge a critically
    // damped spring that carries it past the edge and home again.
    struct Axis {
        double start = 0, end = 0;
        // Glide: plain easing from start to end.
        bool glide = true;
        double seconds = 0;
        // Coast.
        double velocity = 0;
        double edgeTime = -1; // seconds until the edge is reached; -1 never
        double edgeVelocity = 0;
        bool bounces = true;

        double at(double t) const;
    };

private:
    static Axis coastAxis(double from, double velocity, double lo, double hi, bool bounces);

    Axis m_x, m_y;
    double m_duration = 0;
};

} // namespace uikit
