#include "platform/uikit/UITouch.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIWindow.h"

UITouch::UITouch() = default;
UITouch::~UITouch() = default;

void UITouch::addRecognizer(UIGestureRecognizer* r) { m_recognizers.emplace_back(r); }

CGPoint UITouch::locationInView(UIView* view) const
{
    return view ? view->convertPointFromView(m_location, nullptr) : m_location;
}

CGPoint UITouch::previousLocationInView(UIView* view) const
{
    return view ? view->convertPointFromView(m_previous, nullptr) : m_previous;
}

void UITouch::setView(UIView* view) { m_view = view; }
void UITouch::setWindow(UIWindow* window) { m_window = window; }

void UITouch::moveTo(CGPoint windowPoint)
{
    m_previous = m_location;
    m_location = windowPoint;
}

void UITouch::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UITouch>(rt, "NSObject")
        .method(sel::locationInView, &UITouch::locationInView)
        .method(sel::previousLocationInView, &UITouch::previousLocationInView)
        .method(sel::tapCount, &UITouch::tapCount)
        .method(sel::view, &UITouch::view)
        .build();
}

void UIEvent::registerClass(objc::Runtime& rt) { objc::ClassBuilder<UIEvent>(rt, "NSObject").build(); }

double uikit::nowSeconds() { return static_cast<double>(dispatch::RunLoop::main().now()) / 1e9; }
