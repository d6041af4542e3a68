#include "platform/uikit/CAShapeLayer.h"

using objc::Ref;
using objc::SEL;

void CAShapeLayer::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<CAShapeLayer>("CALayer");
    c->addMethod("setPath:", [](CAShapeLayer* self, SEL, UIBezierPath* path) { self->setPath(path); });
    c->addMethod("path", [](CAShapeLayer* self, SEL) { return Ref<UIBezierPath>(self->path()); });
    c->addMethod("setFillColor:", [](CAShapeLayer* self, SEL, CGColor* color) { self->setFillColor(color); });
    c->addMethod("setFillRule:", [](CAShapeLayer* self, SEL, std::string rule) { self->setFillRule(std::move(rule)); });
}
