#include "device/springboard/SBIconView.h"

#include "device/springboard/SpringBoardState.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/corefoundation/NSString.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UILongPressGestureRecognizer.h"
#include "platform/uikit/UITouch.h"

#include <algorithm>
#include <limits>

using objc::Ref;
namespace sel = springboard::sel;

namespace {
constexpr double kWiggleRadians = 0.035;
constexpr double kWigglePassSeconds = 0.13;
constexpr const char* kWiggleKey = "wiggle";
// How dark a touched icon gets.
constexpr double kHighlightAlpha = 0.4;
} // namespace

Ref<SBIconView> SBIconView::create(SBIcon* icon, Location location)
{
    const double side = springboard::iconImageSide(SBIcon::FormatHome);
    auto view = uikit::makeView<SBIconView>(CGRectMake(0, 0, side, side + 19));
    view->m_icon = icon;
    view->m_location = location;
    CGRect imageFrame = CGRectMake(0, 0, side, side);
    if (auto* folderIcon = dynamic_cast<SBFolderIcon*>(icon)) {
        view->m_folderIconImageView = uikit::makeView<SBFolderIconImageView>(imageFrame);
        view->m_iconImageView = view->m_folderIconImageView;
        sel::setIcon(view->m_iconImageView, folderIcon);
    } else {
        if (springboard::iconIdentifier(icon) == "com.apple.mobiletimer")
            view->m_iconImageView = uikit::makeView<SBClockApplicationIconImageView>(imageFrame);
        else
            view->m_iconImageView = uikit::makeView<SBIconImageView>(imageFrame);
        sel::setIcon(view->m_iconImageView, icon);
    }
    view->addSubview(view->m_iconImageView);

    view->m_label = UILabel::create(CGRectMake(-16, side + 4, side + 32, 15));
    view->m_label->setText(springboard::iconDisplayName(icon));
    view->m_label->setFont(UIFont::systemFontOfSize(12).ptr());
    view->m_label->setTextColor(UIColor::whiteColor().ptr());
    view->m_label->setTextAlignment(NSTextAlignmentCenter);
    view->m_label->setHidden(location == Location::Dock);
    if (location == Location::Folder)
        view->m_label->setTextColor(UIColor::colorWithWhite(0.1, 1).ptr());
    view->addSubview(view->m_label);
    view->setAccessibilityLabel(springboard::iconDisplayName(icon));

    auto press = UIGestureRecognizer::create<UILongPressGestureRecognizer>(view, sel::_handleLongPress.name());
    view->addGestureRecognizer(press);

    sel::addObserver(icon, view.ptr());
    view->updateBadge();
    springboard::state().iconViews.emplace_back(view.ptr());
    return view;
}

void SBIconView::updateBadge()
{
    Ref<objc::Object> badge = sel::badgeNumberOrString(m_icon);
    std::int64_t value = sel::badgeValue(m_icon);
    std::string text;
    if (value > 0)
        text = std::to_string(value);
    else if (auto* s = dynamic_cast<NSString*>(badge.ptr()))
        text = s->value();
    if (m_badge) {
        m_badge->removeFromSuperview();
        m_badge = nullptr;
    }
    if (text.empty())
        return;
    const double side = springboard::iconImageSide(SBIcon::FormatHome);
    double width = std::max(24.0, 12.0 + 9.0 * static_cast<double>(text.size()));
    m_badge = UIView::create(CGRectMake(side - width + 10, -8, width, 24));
    m_badge->setBackgroundColor(UIColor::colorWithRed(1, 0.23, 0.19, 1).ptr());
    m_badge->layer()->setCornerRadius(12);
    m_badge->setUserInteractionEnabled(false);
    auto label = UILabel::create(CGRectMake(0, 0, width, 24));
    label->setText(text);
    label->setFont(UIFont::systemFontOfSize(15).ptr());
    label->setTextColor(UIColor::whiteColor().ptr());
    label->setTextAlignment(NSTextAlignmentCenter);
    m_badge->addSubview(label);
    addSubview(m_badge);
}

Ref<objc::Object> SBIconView::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<SBIconView>(), this, frame);
    setOpaque(false);
    return Ref<objc::Object>(this);
}

void SBIconView::setEditingAnimated(bool editing, bool animated)
{
    if (m_editing == editing)
        return;
    m_editing = editing;
    sel::_applyEditingStateAnimated(this, animated);
}

// The original: the wiggle and the close box of editing mode.
void SBIconView::applyEditingStateAnimated(bool)
{
    bool folder = sel::isFolderIcon(icon());
    if (m_editing) {
        // Neighbouring icons lean the other way.
        size_t index = 0;
        if (auto* parent = superview()) {
            auto& siblings = parent->subviews();
            index = static_cast<size_t>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
        }
        // The wiggle is an animation of what is shown: the view's frame stays as it is. Icons
        // start up to three quarters of a swing apart, so that the page never rocks in step.
        uikit::LayerAnimation wiggle;
        wiggle.property = uikit::LayerAnimation::Property::Rotation;
        wiggle.from = index % 2 ? kWiggleRadians : -kWiggleRadians;
        wiggle.to = -wiggle.from;
        wiggle.duration = kWigglePassSeconds;
        wiggle.delay = kWigglePassSeconds * static_cast<double>(index * 3 % 4) / 4;
        wiggle.repeatCount = std::numeric_limits<double>::infinity();
        wiggle.autoreverses = true;
        layer()->addAnimation(wiggle, kWiggleKey);
        if (!folder && !m_closeBox) {
            auto box = UIView::create(CGRectMake(-8, -8, 22, 22));
            box->setBackgroundColor(UIColor::colorWithWhite(0.35, 0.9).ptr());
            box->layer()->setCornerRadius(11);
            box->layer()->setBorderWidth(1);
            box->layer()->setBorderColor(UIColor::whiteColor()->CGColor());
            box->setUserInteractionEnabled(false);
            auto cross = UILabel::create(CGRectMake(0, 0, 22, 21));
            cross->setText("×");
            cross->setFont(UIFont::boldSystemFontOfSize(16).ptr());
            cross->setTextColor(UIColor::whiteColor().ptr());
            cross->setTextAlignment(NSTextAlignmentCenter);
            box->addSubview(cross);
            addSubview(box);
            m_closeBox = box;
        }
    } else {
        layer()->removeAnimationForKey(kWiggleKey);
        if (m_closeBox) {
            m_closeBox->removeFromSuperview();
            m_closeBox = nullptr;
        }
    }
}

void SBIconView::iconImageDidUpdate(SBIcon*) { sel::updateImageAnimated(m_iconImageView, true); }

void SBIconView::iconAccessoriesDidUpdate(SBIcon*) { updateBadge(); }

void SBIconView::handleLongPress(UIGestureRecognizer* recognizer)
{
    if (recognizer && recognizer->state() == UIGestureRecognizerStateBegan)
        sel::setIsEditing(springboard::state().iconController, true);
}

// The icon darkens while a finger rests on it: its image view's darkening overlay image (sent
// through the runtime, so an icon whose shape was replaced darkens in that shape) lies over the
// picture, semi-transparent. It is a sibling above the image view, not a subview of it, so that
// showing it lays out nothing inside the image view.
void SBIconView::setTouchInside(bool inside)
{
    m_touchInside = inside;
    if (!inside) {
        if (m_highlight)
            m_highlight->setHidden(true);
        return;
    }
    if (!m_iconImageView || (m_highlight && !m_highlight->isHidden()))
        return;
    Ref<UIImage> shape = sel::darkeningOverlayImage(m_iconImageView);
    if (!shape)
        return;
    if (!m_highlight) {
        m_highlight = UIImageView::create(m_iconImageView->frame());
        m_highlight->setAlpha(kHighlightAlpha);
        m_highlight->setUserInteractionEnabled(false);
        insertSubviewAboveSubview(m_highlight, m_iconImageView);
    }
    m_highlight->setFrame(m_iconImageView->frame());
    m_highlight->setImage(shape);
    m_highlight->setHidden(false);
}

// A tap launches the icon (a folder opens, also in editing mode).
void SBIconView::touchesBeganWithEvent(const UITouchSet&, UIEvent*) { setTouchInside(true); }

void SBIconView::touchesMovedWithEvent(const UITouchSet& touches, UIEvent*)
{
    if (!touches.empty())
        setTouchInside(CGRectContainsPoint(CGRectInset(bounds(), -10, -10), touches.front()->locationInView(this)));
}

void SBIconView::touchesCancelledWithEvent(const UITouchSet&, UIEvent*) { setTouchInside(false); }

void SBIconView::touchesEndedWithEvent(const UITouchSet&, UIEvent*)
{
    if (!m_touchInside)
        return;
    setTouchInside(false);
    bool folder = sel::isFolderIcon(icon());
    if (m_editing && !folder)
        return;
    sel::_launchIcon(springboard::state().iconController, icon());
}

void SBIconView::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBIconView>(rt, "UIView")
        .ivar("_icon", &SBIconView::m_icon)
        .ivar("_iconImageView", &SBIconView::m_iconImageView)
        .ivar("_folderIconImageView", &SBIconView::m_folderIconImageView)
        .ivar("_labelView", &SBIconView::m_label)
        .method(uikit::sel::initWithFrame, &SBIconView::initWithFrame)
        .method(sel::icon, &SBIconView::icon)
        .method(sel::isEditing, &SBIconView::isEditing)
        .method(sel::setEditingAnimated, &SBIconView::setEditingAnimated)
        .method(sel::_applyEditingStateAnimated, &SBIconView::applyEditingStateAnimated)
        .method(sel::iconImageDidUpdate, &SBIconView::iconImageDidUpdate)
        .method(sel::iconAccessoriesDidUpdate, &SBIconView::iconAccessoriesDidUpdate)
        .method(sel::_handleLongPress, &SBIconView::handleLongPress)
        .method(uikit::sel::touchesBeganWithEvent, &SBIconView::touchesBeganWithEvent)
        .method(uikit::sel::touchesMovedWithEvent, &SBIconView::touchesMovedWithEvent)
        .method(uikit::sel::touchesCancelledWithEvent, &SBIconView::touchesCancelledWithEvent)
        .method(uikit::sel::touchesEndedWithEvent, &SBIconView::touchesEndedWithEvent)
        .build();
}

namespace springboard {

std::vector<Ref<SBIconView>> liveIconViews()
{
    auto& views = state().iconViews;
    std::erase_if(views, [](const objc::WeakRef<objc::Object>& w) { return !w; });
    std::vector<Ref<SBIconView>> live;
    for (auto& w : views)
        if (auto* view = dynamic_cast<SBIconView*>(w.ptr()))
            live.emplace_back(view);
    return live;
}

} // namespace springboard
