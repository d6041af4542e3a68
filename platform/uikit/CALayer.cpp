#include "platform/uikit/CALayer.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/QuartzCoreSelectors.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/LayerTree.h"
#include "platform/uikit/UIView.h"

#include <algorithm>

using objc::Ref;

Ref<CALayer> CALayer::layer() { return objc::make<CALayer>(); }

void CALayer::setZPosition(CGFloat z) { m_zPosition = z; }

void CALayer::setDelegate(UIView* view) { m_view = view; }

CGRect CALayer::frame() const
{
    if (UIView* view = m_view.ptr())
        return view->frame();
    return m_frame;
}

void CALayer::setFrame(CGRect frame)
{
    if (UIView* view = m_view.ptr())
        return view->setFrame(frame);
    m_frame = frame;
}

// The renderer and hit testing read the view's alpha; an opacity kept apart from it was ignored.
float CALayer::opacity() const
{
    if (UIView* view = m_view.ptr())
        return static_cast<float>(view->alpha());
    return m_opacity;
}

void CALayer::setOpacity(float o)
{
    if (UIView* view = m_view.ptr())
        return view->setAlpha(o);
    m_opacity = std::clamp(o, 0.f, 1.f);
}

void CALayer::addAnimation(const uikit::LayerAnimation& animation, const std::string& key)
{
    auto now = dispatch::RunLoop::main().now();
    // Finished animations are dropped here, so that the list does not grow with every turn.
    std::erase_if(m_animations, [&](const uikit::RunningLayerAnimation& a) { return a.key == key || a.timing().end() <= now; });
    m_animations.push_back({ key, animation, now });
}

void CALayer::removeAnimationForKey(const std::string& key)
{
    std::erase_if(m_animations, [&](const uikit::RunningLayerAnimation& a) { return a.key == key; });
}

void CALayer::removeAllAnimations()
{
    m_animations.clear();
    if (UIView* view = m_view.ptr())
        view->endOwnAnimations();
}

bool CALayer::hasAnimations() const
{
    auto now = dispatch::RunLoop::main().now();
    return std::any_of(m_animations.begin(), m_animations.end(), [&](const uikit::RunningLayerAnimation& a) { return a.timing().end() > now; });
}

void CALayer::setDrawnContents(std::shared_ptr<const uikit::LayerContents> contents)
{
    m_drawnContents = std::move(contents);
    m_needsDisplay = false;
}

CGRect CALayer::bounds() const
{
    if (UIView* view = m_view.ptr())
        return view->bounds();
    return CGRectMake(0, 0, m_frame.size.width, m_frame.size.height);
}

Ref<objc::Object> CALayer::newInstanceOf(const std::string& className)
{
    Ref<objc::Object> layer = objc::Runtime::current().requireClass(className)->createInstance();
    return uikit::sel::init(layer);
}

void CALayer::registerClass(objc::Runtime& rt)
{
    namespace sel = quartzcore::sel;
    objc::ClassBuilder<CALayer>(rt, "NSObject")
        .classMethod(sel::layer, &CALayer::newLayer<CALayer>)
        .method(sel::setCornerRadius, &CALayer::setCornerRadius)
        .method(sel::cornerRadius, &CALayer::cornerRadius)
        .method(sel::setBorderWidth, &CALayer::setBorderWidth)
        .method(sel::borderWidth, &CALayer::borderWidth)
        .method(sel::setBorderColor, &CALayer::setBorderColor)
        .method(sel::setZPosition, &CALayer::setZPosition)
        .method(sel::zPosition, &CALayer::zPosition)
        .method(sel::setMasksToBounds, &CALayer::setMasksToBounds)
        .method(sel::masksToBounds, &CALayer::masksToBounds)
        .method(sel::setMask, &CALayer::setMask)
        .method(sel::mask, &CALayer::mask)
        .method(uikit::sel::setFrame, &CALayer::setFrame)
        .method(uikit::sel::frame, &CALayer::frame)
        .method(uikit::sel::bounds, &CALayer::bounds)
        .method(sel::setOpacity, &CALayer::setOpacity)
        .method(sel::opacity, &CALayer::opacity)
        .build();
}
