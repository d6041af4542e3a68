#include "sim/ViewFinder.h"

#include "platform/runtime/Message.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <functional>

namespace sim {

namespace {

// Below this a view is transparent: the platform's hit testing ignores it, and so does a person.
constexpr CGFloat kInvisibleAlpha = 0.01;

bool shown(const UIView* view) { return !view->isHidden() && view->alpha() >= kInvisibleAlpha; }

// Visits every visible view below `root` (the root included), back to front, with the part of
// it on screen.
void walkVisible(UIView* root, const std::function<void(UIView*, CGRect)>& visit)
{
    if (!root)
        return;
    std::function<void(UIView*, CGRect)> walk = [&](UIView* view, CGRect clip) {
        if (!shown(view))
            return;
        CGRect onScreen = CGRectIntersection(view->convertRectToView(view->bounds(), nullptr), clip);
        if (!CGRectIsEmpty(onScreen))
            visit(view, onScreen);
        CGRect childClip = view->clipsToBounds() ? onScreen : clip;
        if (view->clipsToBounds() && CGRectIsEmpty(onScreen))
            return;
        for (UIView* child : view->subviewsInDrawingOrder())
            walk(child, childClip);
    };
    walk(root, root->convertRectToView(root->bounds(), nullptr));
}

std::string titleOf(UIView* view)
{
    if (auto* button = dynamic_cast<UIButton*>(view))
        return button->currentTitle();
    return {};
}

std::string textOf(UIView* view)
{
    if (auto* label = dynamic_cast<UILabel*>(view))
        return label->text();
    if (auto* field = dynamic_cast<UITextField*>(view))
        return field->text();
    return {};
}

CGPoint middle(CGRect r) { return CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r)); }

} // namespace

CGRect visibleRectOf(const UIView* view)
{
    if (!view || !view->window())
        return CGRectZero;
    // Up to the window: every view on the way must be shown, and clipping views cut it.
    CGRect rect = view->convertRectToView(view->bounds(), nullptr);
    for (const UIView* v = view; v; v = v->superview()) {
        if (!shown(v))
            return CGRectZero;
        if (v != view && (v->clipsToBounds() || !v->superview()))
            rect = CGRectIntersection(rect, v->convertRectToView(v->bounds(), nullptr));
    }
    return CGRectIsEmpty(rect) ? CGRectZero : rect;
}

FoundView findView(UIWindow* window, const std::string& label)
{
    FoundView best[3];
    walkVisible(window, [&](UIView* view, CGRect onScreen) {
        // Later matches lie above earlier ones, so each kind keeps its last.
        if (!view->accessibilityLabel().empty() && view->accessibilityLabel() == label)
            best[0] = { view, MatchKind::AccessibilityLabel, middle(onScreen) };
        else if (!titleOf(view).empty() && titleOf(view) == label)
            best[1] = { view, MatchKind::Title, middle(onScreen) };
        else if (!textOf(view).empty() && textOf(view) == label)
            best[2] = { view, MatchKind::Text, middle(onScreen) };
    });
    for (FoundView& found : best) {
        if (!found.view)
            continue;
        // An icon's name is its label view's text; the finger goes on the icon itself.
        for (UIView* v = found.view->superview(); v; v = v->superview()) {
            if (objc::isKindOfClass(v, "SBIconView")) {
                CGRect r = visibleRectOf(v);
                if (!CGRectIsEmpty(r)) {
                    found.view = v;
                    found.center = middle(r);
                }
                break;
            }
        }
        return found;
    }
    return {};
}

std::vector<std::string> visibleTexts(UIWindow* window)
{
    std::vector<std::string> texts;
    walkVisible(window, [&](UIView* view, CGRect) {
        for (std::string t : { titleOf(view), textOf(view) })
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
    walkVisible(window, [&](UIView* view, CGRect) {
        if (auto* alert = dynamic_cast<UIAlertController*>(view->viewController()))
            found = alert;
    });
    return found;
}

} // namespace sim
