#include "platform/uikit/UIAlertAction.h"

using objc::Ref;
using objc::SEL;

Ref<UIAlertAction> UIAlertAction::actionWithTitle(const std::string& title, UIAlertActionStyle style, UIAlertActionHandler handler)
{
    return objc::msgSend<Ref<UIAlertAction>>(objc::Runtime::current().requireClass("UIAlertAction"), "actionWithTitle:style:handler:", title, style, handler);
}

void UIAlertAction::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIAlertAction>("NSObject");
    c->addClassMethod("actionWithTitle:style:handler:", [](objc::Object* cls, SEL, std::string title, NSInteger style, UIAlertActionHandler handler) -> Ref<UIAlertAction> {
        auto object = static_cast<objc::Class*>(cls)->createInstance();
        Ref<UIAlertAction> action(objc::checkedObjectCast<UIAlertAction>(object.ptr()));
        action->m_title = std::move(title);
        action->m_style = static_cast<UIAlertActionStyle>(style);
        action->m_handler = std::move(handler);
        return action;
    });
    c->addMethod("title", [](UIAlertAction* self, SEL) { return self->title(); });
    c->addMethod("style", [](UIAlertAction* self, SEL) { return self->style(); });
    c->addMethod("isEnabled", [](UIAlertAction* self, SEL) { return self->isEnabled(); });
    c->addMethod("setEnabled:", [](UIAlertAction* self, SEL, bool on) { self->setEnabled(on); });
}
