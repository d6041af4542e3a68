#include "sim/ViewFinder.h"

#include "platform/runtime/Message.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

namespace sim {

FoundView findView(UIWindow* window, const std::string& label)
{
    auto found = uikit::findViewWithLabel(window, label);
    if (!found)
        return {};
    // An icon's name is its label view's text; the finger goes on the icon itself.
    for (UIView* v = found->view->superview(); v; v = v->superview()) {
        if (objc::isKindOfClass(v, "SBIconView")) {
            CGRect r = visibleRectOf(v);
            if (!CGRectIsEmpty(r)) {
                found->view = v;
                found->center = CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r));
            }
            break;
        }
    }
    return *found;
}

std::vector<std::string> visibleTexts(UIWindow* window)
{
    std::vector<std::string> texts;
    uikit::forEachVisibleView(window, [&](UIView* view, CGRect) {
        std::string t = uikit::titleOrTextOf(view);
        if (!t.empty() && std::find(texts.begin(), texts.end(), t) == texts.end())
            texts.push_back(std::move(t));
    });
    return texts;
}

UIAlertController* alertOnScreen(UIWindow* window)
{
    if (!window)
        return nullptr;
    if (auto* alert = dynamic_cast<UIAlertController*>(window->topmostViewController()))
        return alert;
    // An alert presented from a controller other than the window's root: look for its view.
    UIAlertController* found = nullptr;
    uikit::forEachVisibleView(window, [&](UIView* view, CGRect) {
        if (auto* alert = dynamic_cast<UIAlertController*>(view->viewController()))
            found = alert;
    });
    return found;
}

} // namespace sim
