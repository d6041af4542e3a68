#include "platform/uikit/UIBarButtonItem.h"

#include "platform/graphics/UIImage.h"

using objc::msgSend;
using objc::Ref;
using objc::SEL;

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
    msgSend<Ref<objc::Object>>(item, "initWithTitle:style:target:action:", title, style, target, action);
    return item;
}

Ref<UIBarButtonItem> UIBarButtonItem::createWithSystemItem(UIBarButtonSystemItem systemItem, objc::Object* target, SEL action)
{
    auto item = alloc();
    msgSend<Ref<objc::Object>>(item, "initWithBarButtonSystemItem:target:action:", systemItem, target, action);
    return item;
}

Ref<UIBarButtonItem> UIBarButtonItem::createWithImage(UIImage* image, UIBarButtonItemStyle style, objc::Object* target, SEL action)
{
    auto item = alloc();
    msgSend<Ref<objc::Object>>(item, "initWithImage:style:target:action:", image, style, target, action);
    return item;
}

UIImage* UIBarButtonItem::image() const { return static_cast<UIImage*>(m_image.ptr()); }
void UIBarButtonItem::setImage(UIImage* image) { m_image = image; }

void UIBarButtonItem::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIBarButtonItem>("NSObject");
    c->addMethod("initWithTitle:style:target:action:", [](UIBarButtonItem* self, SEL, std::string title, NSInteger style, objc::Object* target, SEL action) {
        self->m_title = std::move(title);
        self->m_style = static_cast<UIBarButtonItemStyle>(style);
        self->m_target = target;
        self->m_action = action;
        return Ref<objc::Object>(self);
    });
    c->addMethod("initWithBarButtonSystemItem:target:action:", [](UIBarButtonItem* self, SEL, NSInteger item, objc::Object* target, SEL action) {
        self->m_systemItem = item;
        self->m_title = titleOfSystemItem(static_cast<UIBarButtonSystemItem>(item));
        self->m_style = item == UIBarButtonSystemItemDone ? UIBarButtonItemStyleDone : UIBarButtonItemStylePlain;
        self->m_target = target;
        self->m_action = action;
        return Ref<objc::Object>(self);
    });
    c->addMethod("initWithImage:style:target:action:", [](UIBarButtonItem* self, SEL, UIImage* image, NSInteger style, objc::Object* target, SEL action) {
        self->m_image = image;
        self->m_style = static_cast<UIBarButtonItemStyle>(style);
        self->m_target = target;
        self->m_action = action;
        return Ref<objc::Object>(self);
    });
    c->addMethod("title", [](UIBarButtonItem* self, SEL) { return self->title(); });
    c->addMethod("setTitle:", [](UIBarButtonItem* self, SEL, std::string t) { self->setTitle(std::move(t)); });
    c->addMethod("setEnabled:", [](UIBarButtonItem* self, SEL, bool on) { self->setEnabled(on); });
    c->addMethod("target", [](UIBarButtonItem* self, SEL) { return Ref<objc::Object>(self->target()); });
    c->addMethod("action", [](UIBarButtonItem* self, SEL) { return self->action(); });
}
