#include "platform/uikit/CALayer.h"

#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UIView.h"

#include <algorithm>

using objc::Ref;
using objc::SEL;

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

CGRect CALayer::bounds() const
{
    if (UIView* view = m_view.ptr())
        return view->bounds();
    return CGRectMake(0, 0, m_frame.size.width, m_frame.size.height);
}

void CALayer::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<CALayer>("NSObject");
    c->addClassMethod("layer", [](objc::Object* cls, SEL) { return objc::msgSend<Ref<objc::Object>>(cls, "new"); });
    c->addMethod("setCornerRadius:", [](CALayer* self, SEL, double r) { self->setCornerRadius(r); });
    c->addMethod("cornerRadius", [](CALayer* self, SEL) { return self->cornerRadius(); });
    c->addMethod("setBorderWidth:", [](CALayer* self, SEL, double w) { self->setBorderWidth(w); });
    c->addMethod("borderWidth", [](CALayer* self, SEL) { return self->borderWidth(); });
    c->addMethod("setBorderColor:", [](CALayer* self, SEL, CGColor* color) { self->setBorderColor(color); });
    c->addMethod("setZPosition:", [](CALayer* self, SEL, double z) { self->setZPosition(z); });
    c->addMethod("zPosition", [](CALayer* self, SEL) { return self->zPosition(); });
    c->addMethod("setMasksToBounds:", [](CALayer* self, SEL, bool on) { self->setMasksToBounds(on); });
    c->addMethod("masksToBounds", [](CALayer* self, SEL) { return self->masksToBounds(); });
    c->addMethod("setMask:", [](CALayer* self, SEL, CALayer* mask) { self->setMask(mask); });
    c->addMethod("mask", [](CALayer* self, SEL) { return Ref<CALayer>(self->mask()); });
    c->addMethod("setFrame:", [](CALayer* self, SEL, CGRect f) { self->setFrame(f); });
    c->addMethod("frame", [](CALayer* self, SEL) { return self->frame(); });
    c->addMethod("bounds", [](CALayer* self, SEL) { return self->bounds(); });
    c->addMethod("setOpacity:", [](CALayer* self, SEL, double o) { self->setOpacity(static_cast<float>(o)); });
    c->addMethod("opacity", [](CALayer* self, SEL) { return static_cast<double>(self->opacity()); });
}
