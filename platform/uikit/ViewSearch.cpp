#include "platform/uikit/ViewSearch.h"

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITextField.h"

namespace uikit {

namespace {

enum Rank { None = 0, ByText = 1, ByTitle = 2, ByAccessibility = 3 };

Rank rankOf(UIView* view, const std::string& label)
{
    if (!view->accessibilityLabel().empty() && view->accessibilityLabel() == label)
        return ByAccessibility;
    if (auto* button = dynamic_cast<UIButton*>(view); button && button->currentTitle() == label)
        return ByTitle;
    if (auto* l = dynamic_cast<UILabel*>(view); l && l->text() == label)
        return ByText;
    if (auto* f = dynamic_cast<UITextField*>(view); f && f->text() == label)
        return ByText;
    return None;
}

// Walks topmost first; keeps the best rank found, the first (topmost) view of that rank.
void search(UIView* view, const std::string& label, CGRect clip, Rank& best, UIView*& found)
{
    if (view->isHidden() || view->alpha() < 0.01)
        return;
    CGRect onScreen = view->convertRectToView(view->bounds(), nullptr);
    CGRect visible = CGRectIntersection(onScreen, clip);
    if (CGRectIsEmpty(visible) && !CGRectIsEmpty(onScreen))
        return;
    CGRect childClip = view->clipsToBounds() ? visible : clip;
    auto order = view->subviewsInDrawingOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        search(*it, label, childClip, best, found);
    Rank r = rankOf(view, label);
    if (r > best) {
        best = r;
        found = view;
    }
}

} // namespace

std::optional<FoundView> findViewWithLabel(UIView* root, const std::string& label)
{
    if (!root)
        return std::nullopt;
    root->layoutIfNeeded();
    Rank best = None;
    UIView* found = nullptr;
    search(root, label, root->convertRectToView(root->bounds(), nullptr), best, found);
    if (!found)
        return std::nullopt;
    // A title or text inside a button counts as the button.
    for (UIView* v = found->superview(); v; v = v->superview())
        if (dynamic_cast<UIButton*>(v) && best == ByText) {
            found = v;
            break;
        }
    CGRect r = found->convertRectToView(found->bounds(), nullptr);
    return FoundView { found, CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r)) };
}

} // namespace uikit
