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

} // namespace uikit
