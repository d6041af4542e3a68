#include "platform/uikit/ScrollMotion.h"

#include "platform/uikit/AnimationCurves.h"

#include <algorithm>
#include <cmath>

namespace uikit {

namespace {

// The slowdown per second: velocity(t) = v0 * e^(kDecay t).
const double kDecay = 1000 * std::log(ScrollMotion::kDecelerationRate);
// Stiffness of the spring past an edge (per second): the overshoot peaks after 1/kSpring seconds.
constexpr double kSpring = 12;
// The motion rests once it is this close (points) to where it is going.
constexpr double kRestDistance = 0.5;

// Seconds after an edge until the spring rests within kRestDistance of it.
double springRestTime(double edgeVelocity)
{
    double v = std::fabs(edgeVelocity);
    double s = 1 / kSpring;
    while (v * s * std::exp(-kSpring * s) > kRestDistance && s < 5)
        s += 1.0 / 240;
    return s;
}

} // namespace

double ScrollMotion::Axis::at(double t) const
{
    if (glide)
        return seconds <= 0 || t >= seconds ? end : start + (end - start) * curveProgress(TimingCurve::EaseInOut, t / seconds);
    if (t >= seconds)
        return end;
    if (edgeTime < 0 || t < edgeTime)
        return start + velocity * (std::exp(kDecay * t) - 1) / kDecay;
    if (!bounces)
        return end;
    double s = t - edgeTime;
    return end + edgeVelocity * s * std::exp(-kSpring * s);
}

ScrollMotion ScrollMotion::glide(CGPoint from, CGPoint to, double seconds)
{
    ScrollMotion m;
    m.m_x = { from.x, to.x, true, seconds };
    m.m_y = { from.y, to.y, true, seconds };
    m.m_duration = from == to ? 0 : seconds;
    return m;
}

ScrollMotion::Axis ScrollMotion::coastAxis(double from, double velocity, double lo, double hi, bool bounces)
{
    Axis a;
    a.start = a.end = from;
    a.glide = false;
    a.bounces = bounces;
    if (from < lo || from > hi) {
        // Let go past an edge (pulled there): home to the edge, whatever the finger's speed.
        double edge = from < lo ? lo : hi;
        return { from, edge, true, kHomeSeconds };
    }
    if (std::fabs(velocity) < kMinimumFlickSpeed)
        return a;
    a.velocity = velocity;
    double travel = -velocity / kDecay;
    double resting = from + travel;
    double edge = resting > hi ? hi : resting < lo ? lo : resting;
    if (edge == resting) {
        a.end = resting;
        a.seconds = std::fabs(travel) > kRestDistance ? std::log(kRestDistance / std::fabs(travel)) / kDecay : 0;
        return a;
    }
    // x(t) = from + v (e^(kt) - 1) / k reaches the edge when e^(kt) = 1 + k (edge - from) / v.
    a.end = edge;
    double reach = 1 + kDecay * (edge - from) / velocity;
    a.edgeTime = reach > 0 ? std::log(reach) / kDecay : 0;
    a.edgeVelocity = velocity * reach;
    a.seconds = a.edgeTime + (bounces ? springRestTime(a.edgeVelocity) : 0);
    return a;
}

ScrollMotion ScrollMotion::coast(CGPoint from, CGPoint velocity, CGPoint lo, CGPoint hi, bool bounces)
{
    ScrollMotion m;
    m.m_x = coastAxis(from.x, velocity.x, lo.x, hi.x, bounces);
    m.m_y = coastAxis(from.y, velocity.y, lo.y, hi.y, bounces);
    m.m_duration = std::max(m.m_x.seconds, m.m_y.seconds);
    return m;
}

CGPoint ScrollMotion::offsetAt(double t) const { return CGPointMake(m_x.at(t), m_y.at(t)); }

} // namespace uikit
