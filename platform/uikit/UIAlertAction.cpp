#include "platform/uikit/UIAlertAction.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

using objc::Ref;
namespace sel = uikit::sel;

Ref<UIAlertAction> UIAlertAction::actionWithTitle(const std::string& title, UIAlertActionStyle style, UIAlertActionHandler handler)
{
    return sel::actionWithTitleStyleHandler(objc::classOf<UIAlertAction>(), title, style, handler);
}

// NOTE: Class methods do not see the class they were sent to, so the action is always a
// UIAlertAction (no subclass of it exists).
Ref<UIAlertAction> UIAlertAction::makeAction(std::string title, NSInteger style, UIAlertActionHandler handler)
{
    auto object = objc::classOf<UIAlertAction>()->createInstance();
    Ref<UIAlertAction> action(objc::checkedObjectCast<UIAlertAction>(object.ptr()));
    action->m_title = std::move(title);
    action->m_style = static_cast<UIAlertActionStyle>(style);
    action->m_handler = std::move(handler);
    return action;
}

void UIAlertAction::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIAlertAction>(rt, "NSObject")
        .classMethod(sel::actionWithTitleStyleHandler, &UIAlertAction::makeAction)
        .method(sel::title, &UIAlertAction::title)
        .method(sel::style, &UIAlertAction::style)
        .method(sel::isEnabled, &UIAlertAction::isEnabled)
        .method(sel::setEnabled, &UIAlertAction::setEnabled)
        .build();
}
