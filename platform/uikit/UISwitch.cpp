#include "platform/uikit/UISwitch.h"

using objc::msgSend;
using objc::Ref;
using objc::SEL;

Ref<UISwitch> UISwitch::create(CGRect frame)
{
    auto view = objc::make<UISwitch>();
    msgSend<Ref<objc::Object>>(view, "initWithFrame:", frame);
    return view;
}

void UISwitch::setOn(bool on, bool animated) { msgSend(this, "setOn:animated:", on, animated); }

void UISwitch::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UISwitch>("UIControl");
    c->addMethod("initWithFrame:", [c](UISwitch* self, SEL, CGRect frame) {
        objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", CGRectMake(frame.origin.x, frame.origin.y, 51, 31));
        self->setOpaque(false);
        return Ref<objc::Object>(self);
    });
    // The platform keeps a switch at its own size whatever frame it is given.
    c->addMethod("setFrame:", [c](UISwitch* self, SEL, CGRect frame) { objc::msgSendSuper(c, self, "setFrame:", CGRectMake(frame.origin.x, frame.origin.y, 51, 31)); });
    c->addMethod("sizeThatFits:", [](UISwitch*, SEL, CGSize) { return CGSizeMake(51, 31); });
    c->addMethod("isOn", [](UISwitch* self, SEL) { return self->isOn(); });
    c->addMethod("setOn:", [](UISwitch* self, SEL, bool on) { self->setOn(on, false); });
    c->addMethod("setOn:animated:", [](UISwitch* self, SEL, bool on, bool) { self->m_on = on; });
    c->addMethod("setOnTintColor:", [](UISwitch* self, SEL, UIColor* color) { self->setOnTintColor(color); });
    c->addMethod("onTintColor", [](UISwitch* self, SEL) { return Ref<UIColor>(self->onTintColor()); });
    c->addMethod("setTintColor:", [](UISwitch* self, SEL, UIColor* color) { self->setTintColor(color); });
    c->addMethod("setThumbTintColor:", [](UISwitch* self, SEL, UIColor* color) { self->setThumbTintColor(color); });
    c->addMethod("endTrackingWithTouch:withEvent:", [](UISwitch* self, SEL, UITouch*, UIEvent* event) {
        if (!self->isTouchInside())
            return;
        self->setOn(!self->m_on, true);
        self->sendActionsForControlEvents(UIControlEventValueChanged, event);
    });
}
