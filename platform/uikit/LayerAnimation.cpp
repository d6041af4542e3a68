#include "platform/uikit/LayerAnimation.h"

#include <algorithm>

namespace uikit {

AnimationTiming RunningLayerAnimation::timing() const
{
    AnimationTiming timing;
    timing.start = added + secondsToNanoseconds(animation.delay);
    timing.duration = animation.duration;
    timing.curve = animation.curve;
    timing.repeatCount = animation.repeatCount;
    timing.autoreverses = animation.autoreverses;
    timing.steps = animation.steps;
    return timing;
}

CGAffineTransform animatedTransform(const std::vector<RunningLayerAnimation>& animations, dispatch::Nanoseconds at)
{
    CGAffineTransform t = CGAffineTransformIdentity;
    for (auto& running : animations) {
        const LayerAnimation& a = running.animation;
        if (a.property == LayerAnimation::Property::Opacity)
            continue;
        auto progress = running.timing().progressAt(at);
        if (!progress)
            continue;
        double value = a.from + (a.to - a.from) * *progress;
        switch (a.property) {
        case LayerAnimation::Property::Rotation:
            t = CGAffineTransformConcat(t, CGAffineTransformMakeRotation(value));
            break;
        case LayerAnimation::Property::Scale:
            t = CGAffineTransformConcat(t, CGAffineTransformMakeScale(value, value));
            break;
        case LayerAnimation::Property::TranslationX:
            t = CGAffineTransformConcat(t, CGAffineTransformMakeTranslation(value, 0));
            break;
        case LayerAnimation::Property::TranslationY:
            t = CGAffineTransformConcat(t, CGAffineTransformMakeTranslation(0, value));
            break;
        case LayerAnimation::Property::Opacity:
            break;
        }
    }
    return t;
}

double animatedOpacity(const std::vector<RunningLayerAnimation>& animations, dispatch::Nanoseconds at)
{
    double opacity = 1;
    for (auto& running : animations) {
        const LayerAnimation& a = running.animation;
        if (a.property != LayerAnimation::Property::Opacity)
            continue;
        if (auto progress = running.timing().progressAt(at))
            opacity *= std::clamp(a.from + (a.to - a.from) * *progress, 0.0, 1.0);
    }
    return opacity;
}

dispatch::Nanoseconds animationsEnd(const std::vector<RunningLayerAnimation>& animations)
{
    dispatch::Nanoseconds end = 0;
    for (auto& running : animations)
        end = std::max(end, running.timing().end());
    return end;
}

PropertyAnimation::Value PropertyAnimation::valueOf(const ViewValues& v, Property property)
{
    switch (property) {
    case Property::Center:
        return { v.center.x, v.center.y };
    case Property::BoundsOrigin:
        return { v.bounds.origin.x, v.bounds.origin.y };
    case Property::BoundsSize:
        return { v.bounds.size.width, v.bounds.size.height };
    case Property::Transform:
        return { v.transform.a, v.transform.b, v.transform.c, v.transform.d, v.transform.tx, v.transform.ty };
    case Property::Alpha:
        return { v.alpha };
    case Property::BackgroundColor:
        break;
    }
    // No colour reads as clear.
    auto c = v.background.value_or(std::array<double, 4> {});
    return { c[0], c[1], c[2], c[3] };
}

void PropertyAnimation::setValue(ViewValues& v, Property property, const Value& x)
{
    switch (property) {
    case Property::Center:
        v.center = CGPointMake(x[0], x[1]);
        break;
    case Property::BoundsOrigin:
        v.bounds.origin = CGPointMake(x[0], x[1]);
        break;
    case Property::BoundsSize:
        v.bounds.size = CGSizeMake(std::max(0.0, x[0]), std::max(0.0, x[1]));
        break;
    case Property::Transform:
        v.transform = CGAffineTransformMake(x[0], x[1], x[2], x[3], x[4], x[5]);
        break;
    case Property::Alpha:
        v.alpha = std::clamp(x[0], 0.0, 1.0);
        break;
    case Property::BackgroundColor:
        v.background = std::array<double, 4> { std::clamp(x[0], 0.0, 1.0), std::clamp(x[1], 0.0, 1.0), std::clamp(x[2], 0.0, 1.0), std::clamp(x[3], 0.0, 1.0) };
        break;
    }
}

ViewValues presentationValues(ViewValues model, const std::vector<PropertyAnimation>& animations, dispatch::Nanoseconds at)
{
    for (auto& a : animations) {
        auto progress = a.timing.progressAt(at);
        if (!progress)
            continue;
        PropertyAnimation::Value value;
        for (size_t i = 0; i < value.size(); ++i)
            value[i] = a.from[i] + (a.to[i] - a.from[i]) * *progress;
        PropertyAnimation::setValue(model, a.property, value);
    }
    return model;
}

} // namespace uikit
