#include "platform/uikit/UINavigationItem.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

using objc::Ref;
namespace sel = uikit::sel;

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
    objc::ClassBuilder<UINavigationItem>(rt, "NSObject")
        .method(sel::title, &UINavigationItem::title)
        .method(sel::setTitle, &UINavigationItem::setTitle)
        .method(sel::prompt, &UINavigationItem::prompt)
        .method(sel::setPrompt, &UINavigationItem::setPrompt)
        .method(sel::leftBarButtonItem, &UINavigationItem::leftBarButtonItem)
        .method(sel::setLeftBarButtonItem, &UINavigationItem::setLeftBarButtonItem)
        .method(sel::rightBarButtonItem, &UINavigationItem::rightBarButtonItem)
        .method(sel::setRightBarButtonItem, &UINavigationItem::setRightBarButtonItem)
        .method(sel::backBarButtonItem, &UINavigationItem::backBarButtonItem)
        .method(sel::setBackBarButtonItem, &UINavigationItem::setBackBarButtonItem)
        .method(sel::setHidesBackButton, &UINavigationItem::setHidesBackButton)
        .build();
}
