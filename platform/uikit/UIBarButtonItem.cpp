#include "platform/uikit/UIBarButtonItem.h"

#include "platform/graphics/UIImage.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

using objc::Ref;
using objc::SEL;
namespace sel = uikit::sel;

namespace {

std::string titleOfSystemItem(UIBarButtonSystemItem item)
{
    switch (item) {
    case UIBarButtonSystemItemDone:
        return "Done";
    case UIBarButtonSystemItemCancel:
        return "Cancel";
    case UIBarButtonSystemItemEdit:
        return "Edit";
    case UIBarButtonSystemItemSave:
        return "Save";
    case UIBarButtonSystemItemAdd:
        return "+";
    }
    return {};
}

Ref<UIBarButtonItem> alloc() { return objc::make<UIBarButtonItem>(); }

} // namespace

Ref<UIBarButtonItem> UIBarButtonItem::createWithTitle(const std::string& title, UIBarButtonItemStyle style, objc::Object* target, SEL action)
{
    auto item = alloc();
    sel::initWithTitleStyleTargetAction(item, title, style, target, action);
    return item;
}

Ref<UIBarButtonItem> UIBarButtonItem::createWithSystemItem(UIBarButtonSystemItem systemItem, objc::Object* target, SEL action)
{
    auto item = alloc();
    sel::initWithBarButtonSystemItemTargetAction(item, systemItem, target, action);
    return item;
}

Ref<UIBarButtonItem> UIBarButtonItem::createWithImage(UIImage* image, UIBarButtonItemStyle style, objc::Object* target, SEL action)
{
    auto item = alloc();
    sel::initWithImageStyleTargetAction(item, image, style, target, action);
    return item;
}

UIImage* UIBarButtonItem::image() const { return static_cast<UIImage*>(m_image.ptr()); }
void UIBarButtonItem::setImage(UIImage* image) { m_image = image; }

Ref<objc::Object> UIBarButtonItem::initWithTitleStyleTargetAction(std::string title, NSInteger style, objc::Object* target, SEL action)
{
    m_title = std::move(title);
    m_style = static_cast<UIBarButtonItemStyle>(style);
    m_target = target;
    m_action = action;
    return Ref<objc::Object>(this);
}

Ref<objc::Object> UIBarButtonItem::initWithBarButtonSystemItemTargetAction(NSInteger item, objc::Object* target, SEL action)
{
    m_systemItem = item;
    m_title = titleOfSystemItem(static_cast<UIBarButtonSystemItem>(item));
    m_style = item == UIBarButtonSystemItemDone ? UIBarButtonItemStyleDone : UIBarButtonItemStylePlain;
    m_target = target;
    m_action = action;
    return Ref<objc::Object>(this);
}

Ref<objc::Object> UIBarButtonItem::initWithImageStyleTargetAction(UIImage* image, NSInteger style, objc::Object* target, SEL action)
{
    m_image = image;
    m_style = static_cast<UIBarButtonItemStyle>(style);
    m_target = target;
    m_action = action;
    return Ref<objc::Object>(this);
}

void UIBarButtonItem::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIBarButtonItem>(rt, "NSObject")
        .method(sel::initWithTitleStyleTargetAction, &UIBarButtonItem::initWithTitleStyleTargetAction)
        .method(sel::initWithBarButtonSystemItemTargetAction, &UIBarButtonItem::initWithBarButtonSystemItemTargetAction)
        .method(sel::initWithImageStyleTargetAction, &UIBarButtonItem::initWithImageStyleTargetAction)
        .method(sel::title, &UIBarButtonItem::title)
        .method(sel::setTitle, &UIBarButtonItem::setTitle)
        .method(sel::setEnabled, &UIBarButtonItem::setEnabled)
        .method(sel::target, &UIBarButtonItem::target)
        .method(sel::action, &UIBarButtonItem::action)
        .build();
}
