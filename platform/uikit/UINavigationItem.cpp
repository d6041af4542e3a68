#include "platform/uikit/UINavigationItem.h"

using objc::Ref;
using objc::SEL;

void UINavigationItem::setTitle(std::string title)
{
    if (m_title == title)
        return;
    m_title = std::move(title);
    changed();
}

void UINavigationItem::setPrompt(std::string prompt)
{
    if (m_prompt == prompt)
        return;
    m_prompt = std::move(prompt);
    changed();
}

void UINavigationItem::setLeftBarButtonItem(UIBarButtonItem* item)
{
    m_left = item;
    changed();
}

void UINavigationItem::setRightBarButtonItem(UIBarButtonItem* item)
{
    m_right = item;
    changed();
}

void UINavigationItem::setBackBarButtonItem(UIBarButtonItem* item)
{
    m_back = item;
    changed();
}

void UINavigationItem::setHidesBackButton(bool on)
{
    if (m_hidesBackButton == on)
        return;
    m_hidesBackButton = on;
    changed();
}

void UINavigationItem::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UINavigationItem>("NSObject");
    c->addMethod("title", [](UINavigationItem* self, SEL) { return self->title(); });
    c->addMethod("setTitle:", [](UINavigationItem* self, SEL, std::string t) { self->setTitle(std::move(t)); });
    c->addMethod("prompt", [](UINavigationItem* self, SEL) { return self->prompt(); });
    c->addMethod("setPrompt:", [](UINavigationItem* self, SEL, std::string t) { self->setPrompt(std::move(t)); });
    c->addMethod("leftBarButtonItem", [](UINavigationItem* self, SEL) { return Ref<UIBarButtonItem>(self->leftBarButtonItem()); });
    c->addMethod("setLeftBarButtonItem:", [](UINavigationItem* self, SEL, UIBarButtonItem* item) { self->setLeftBarButtonItem(item); });
    c->addMethod("rightBarButtonItem", [](UINavigationItem* self, SEL) { return Ref<UIBarButtonItem>(self->rightBarButtonItem()); });
    c->addMethod("setRightBarButtonItem:", [](UINavigationItem* self, SEL, UIBarButtonItem* item) { self->setRightBarButtonItem(item); });
    c->addMethod("backBarButtonItem", [](UINavigationItem* self, SEL) { return Ref<UIBarButtonItem>(self->backBarButtonItem()); });
    c->addMethod("setBackBarButtonItem:", [](UINavigationItem* self, SEL, UIBarButtonItem* item) { self->setBackBarButtonItem(item); });
    c->addMethod("setHidesBackButton:", [](UINavigationItem* self, SEL, bool on) { self->setHidesBackButton(on); });
}
