#include "platform/uikit/ViewSearch.h"

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIWindow.h"

namespace uikit {

namespace {

// Below this a view is transparent: hit testing ignores it, and so does a person.
constexpr CGFloat kInvisibleAlpha = 0.01;

bool shown(const UIView* view) { return !view->isHidden() && view->alpha() >= kInvisibleAlpha; }

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

void forEachVisibleView(UIView* root, const std::function<void(UIView*, CGRect)>& visit)
{
    if (!root)
        return;
    std::function<void(UIView*, CGRect)> walk = [&](UIView* view, CGRect clip) {
        if (!shown(view))
            return;
        CGRect onScreen = CGRectIntersection(view->convertRectToView(view->bounds(), nullptr), clip);
        if (!CGRectIsEmpty(onScreen))
            visit(view, onScreen);
        if (view->clipsToBounds() && CGRectIsEmpty(onScreen))
            return;
        CGRect childClip = view->clipsToBounds() ? onScreen : clip;
        for (UIView* child : view->subviewsInDrawingOrder())
            walk(child, childClip);
    };
    walk(root, root->convertRectToView(root->bounds(), nullptr));
}

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

std::string titleOrTextOf(UIView* view)
{
    std::string title = titleOf(view);
    return title.empty() ? textOf(view) : title;
}

std::optional<FoundView> findViewWithLabel(UIView* root, const std::string& label)
{
    if (!root)
        return std::nullopt;
    root->layoutIfNeeded();
    FoundView best[3];
    forEachVisibleView(root, [&](UIView* view, CGRect onScreen) {
        // Later views lie above earlier ones, so each kind keeps its last.
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
        if (found.match == MatchKind::Text) {
            for (UIView* v = found.view->superview(); v; v = v->superview()) {
                if (dynamic_cast<UIButton*>(v)) {
                    CGRect r = CGRectIntersection(v->convertRectToView(v->bounds(), nullptr), root->convertRectToView(root->bounds(), nullptr));
                    found = { v, MatchKind::Title, CGRectIsEmpty(r) ? found.center : middle(r) };
                    break;
                }
            }
        }
        return found;
    }
    return std::nullopt;
}

} // namespace uikit
