#include "platform/uikit/AnimationCurves.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace uikit {

namespace {

struct Bezier {
    double x1, y1, x2, y2;

    static double at(double p1, double p2, double s)
    {
        double u = 1 - s;
        return 3 * u * u * s * p1 + 3 * u * s * s * p2 + s * s * s;
    }
    static double slope(double p1, double p2, double s)
    {
        double u = 1 - s;
        return 3 * u * u * p1 + 6 * u * s * (p2 - p1) + 3 * s * s * (1 - p2);
    }
    // y for the x = t: the parameter s with x(s) = t by Newton's method, bisection where the
    // slope is too flat for it.
    double solve(double t) const
    {
        double s = t;
        for (int i = 0; i < 8; ++i) {
            double error = at(x1, x2, s) - t;
            if (std::fabs(error) < 1e-7)
                return at(y1, y2, s);
            double d = slope(x1, x2, s);
            if (std::fabs(d) < 1e-6)
                break;
            s -= error / d;
        }
        double lo = 0, hi = 1;
        s = t;
        for (int i = 0; i < 40; ++i) {
            double x = at(x1, x2, s);
            if (std::fabs(x - t) < 1e-7)
                break;
            (x < t ? lo : hi) = s;
            s = (lo + hi) / 2;
        }
        return at(y1, y2, s);
    }
};

} // namespace

double curveProgress(TimingCurve curve, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    switch (curve) {
    case TimingCurve::Linear:
        return t;
    case TimingCurve::EaseIn:
        return Bezier { 0.42, 0, 1, 1 }.solve(t);
    case TimingCurve::EaseOut:
        return Bezier { 0, 0, 0.58, 1 }.solve(t);
    case TimingCurve::EaseInOut:
        break;
    }
    return Bezier { 0.42, 0, 0.58, 1 }.solve(t);
}

double springProgress(const Spring& spring, double duration, double elapsed)
{
    if (duration <= 0 || elapsed >= duration)
        return 1;
    if (elapsed <= 0)
        return 0;
    // The slowest part of the motion falls to a thousandth of the distance by the end of the
    // duration; a nearly undamped spring is given a floor so that it still comes to rest.
    double zeta = std::max(0.05, spring.dampingRatio);
    double decay = zeta <= 1 ? zeta : zeta - std::sqrt(zeta * zeta - 1);
    double omega = std::log(1000.0) / (decay * duration);
    double v0 = spring.initialVelocity;
    // The displacement from the end, y = x - 1: y(0) = -1, y'(0) = v0.
    double t = elapsed, y;
    if (zeta < 1) {
        double omegaD = omega * std::sqrt(1 - zeta * zeta);
        double b = (v0 - zeta * omega) / omegaD;
        y = std::exp(-zeta * omega * t) * (-std::cos(omegaD * t) + b * std::sin(omegaD * t));
    } else if (zeta == 1) {
        y = (-1 + (v0 - omega) * t) * std::exp(-omega * t);
    } else {
        double root = std::sqrt(zeta * zeta - 1);
        double r1 = -omega * (zeta - root), r2 = -omega * (zeta + root);
        // c1 + c2 = -1, r1 c1 + r2 c2 = v0.
        double c1 = (v0 + r2) / (r1 - r2);
        double c2 = -1 - c1;
        y = c1 * std::exp(r1 * t) + c2 * std::exp(r2 * t);
    }
    return 1 + y;
}

dispatch::Nanoseconds secondsToNanoseconds(double seconds)
{
    if (!(seconds < 9e9))
        return std::numeric_limits<dispatch::Nanoseconds>::max();
    return static_cast<dispatch::Nanoseconds>(std::llround(std::max(0.0, seconds) * 1e9));
}

dispatch::Nanoseconds AnimationTiming::end() const
{
    double passes = (1 + std::max(0.0, repeatCount)) * (autoreverses ? 2 : 1);
    double total = std::max(0.0, duration) * passes;
    if (!std::isfinite(total))
        return std::numeric_limits<dispatch::Nanoseconds>::max();
    dispatch::Nanoseconds length = secondsToNanoseconds(total);
    if (length == std::numeric_limits<dispatch::Nanoseconds>::max() || start > std::numeric_limits<dispatch::Nanoseconds>::max() - length)
        return std::numeric_limits<dispatch::Nanoseconds>::max();
    return start + length;
}

std::optional<double> AnimationTiming::progressAt(dispatch::Nanoseconds at) const
{
    if (at < start)
        return showsFromBeforeStart ? std::optional<double>(0.0) : std::nullopt;
    if (at >= end() || duration <= 0)
        return std::nullopt;
    double elapsed = static_cast<double>(at - start) / 1e9;
    double cycle = duration * (autoreverses ? 2 : 1);
    double local = std::fmod(elapsed, cycle);
    double passTime = local < duration ? local : 2 * duration - local;
    double p = spring ? springProgress(*spring, duration, passTime) : curveProgress(curve, passTime / duration);
    if (steps > 0)
        p = std::floor(p * steps + 1e-9) / steps;
    return p;
}

} // namespace uikit
