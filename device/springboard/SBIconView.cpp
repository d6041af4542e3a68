#include "device/springboard/SBIconView.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SpringBoard.h"
#include "platform/corefoundation/NSString.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/UILongPressGestureRecognizer.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <cmath>

using objc::msgSend;
using objc::msgSendSuper;
using objc::Ref;
using objc::SEL;

namespace {

constexpr double kWiggleRadians = 0.035;

Ref<UIImage> miniGridFor(SBFolderIcon* folderIcon, double side)
{
    std::vector<Ref<UIImage>> cells;
    SBFolder* folder = folderIcon ? folderIcon->folder() : nullptr;
    if (folder && !folder->lists().empty())
        for (auto& icon : folder->lists().front())
            cells.push_back(msgSend<Ref<UIImage>>(icon, "gridCellImage"));
    return springboard::drawMiniGrid(cells, side);
}

double sideOf(UIView* view)
{
    double side = view->bounds().size.width;
    return side > 0 ? side : springboard::iconImageSide(SBIcon::FormatHome);
}

} // namespace

// MARK: SBIconImageView

void SBIconImageView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBIconImageView>("UIView");
    c->addMethod("initWithFrame:", [c](SBIconImageView* self, SEL, CGRect frame) {
        msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
        self->setOpaque(false);
        self->setUserInteractionEnabled(false);
        self->m_contents = UIImageView::create(CGRectMake(0, 0, frame.size.width, frame.size.height));
        self->addSubview(self->m_contents);
        return Ref<objc::Object>(self);
    });
    c->addMethod("icon", [](SBIconImageView* self, SEL) { return Ref<SBIcon>(self->icon()); });
    c->addMethod("setIcon:", [](SBIconImageView* self, SEL, SBIcon* icon) {
        self->m_icon = icon;
        msgSend(self, "updateImageAnimated:", false);
    });
    // The original: the home screen image of the icon.
    c->addMethod("contentsImage", [](SBIconImageView* self, SEL) { return msgSend<Ref<UIImage>>(self->icon(), "getIconImage:", static_cast<int>(SBIcon::FormatHome)); });
    c->addMethod("updateImageAnimated:", [](SBIconImageView* self, SEL, bool) {
        Ref<UIImage> image = msgSend<Ref<UIImage>>(self, "contentsImage");
        if (self->m_contents)
            self->m_contents->setImage(image);
    });
    c->addMethod("displayedImage", [](SBIconImageView* self, SEL) { return Ref<UIImage>(self->displayedImage()); });
    c->addMethod("darkeningOverlayImage", [](SBIconImageView* self, SEL) { return springboard::drawIconShape(sideOf(self)); });
    c->addMethod("layoutSubviews", [](SBIconImageView* self, SEL) {
        if (self->m_contents)
            self->m_contents->setFrame(self->bounds());
    });
}

// MARK: SBClockApplicationIconImageView

SBClockApplicationIconImageView::~SBClockApplicationIconImageView() { stopTicking(); }

void SBClockApplicationIconImageView::startTicking()
{
    if (m_timer)
        return;
    objc::WeakRef<SBClockApplicationIconImageView> weak(this);
    m_timer = dispatch::RunLoop::main().addTimer(1'000'000'000, true, [weak] {
        if (auto* view = weak.ptr())
            msgSend(view, "updateImageAnimated:", false);
    }, "common");
}

void SBClockApplicationIconImageView::stopTicking()
{
    if (m_timer)
        dispatch::RunLoop::main().cancelTimer(m_timer);
    m_timer = 0;
}

void SBClockApplicationIconImageView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBClockApplicationIconImageView>("SBIconImageView");
    // The original: the clock face showing the device's time, at the home screen icon size.
    c->addMethod("contentsImage", [](SBClockApplicationIconImageView*, SEL) {
        return springboard::drawClockIcon(springboard::iconImageSide(SBIcon::FormatHome), springboard::deviceLocalTime());
    });
    c->addMethod("didMoveToWindow", [c](SBClockApplicationIconImageView* self, SEL) {
        msgSendSuper(c, self, "didMoveToWindow");
        if (self->window())
            self->startTicking();
        else
            self->stopTicking();
    });
}

// MARK: _SBIconGridWrapperView

SBFolderIconImageView* _SBIconGridWrapperView::element() const { return dynamic_cast<SBFolderIconImageView*>(m_element.ptr()); }
void _SBIconGridWrapperView::setElement(SBFolderIconImageView* element) { m_element = element; }

void _SBIconGridWrapperView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<_SBIconGridWrapperView>("UIImageView");
    c->addMethod("element", [](_SBIconGridWrapperView* self, SEL) { return Ref<objc::Object>(self->element()); });
    // The originals compose the mini grid from the folder's first page of icons.
    auto compose = [](_SBIconGridWrapperView* self, SEL) {
        auto folderIcon = msgSend<Ref<SBFolderIcon>>(self->element(), "folderIcon");
        msgSend(self, "setImage:", miniGridFor(folderIcon, sideOf(self)));
    };
    c->addMethod("layoutSubviews", compose);
    c->addMethod("reposition", compose);
}

// MARK: SBFolderIconImageView

void SBFolderIconImageView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBFolderIconImageView>("SBIconImageView");
    c->addIvar("_folderIcon", &SBFolderIconImageView::m_folderIcon);
    c->addMethod("initWithFrame:", [c](SBFolderIconImageView* self, SEL, CGRect frame) {
        msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
        self->m_contents->setHidden(true);
        CGRect inner = CGRectMake(0, 0, frame.size.width, frame.size.height);
        self->m_backgroundView = UIImageView::create(inner);
        self->m_backgroundView->setImage(springboard::drawFolderIcon({}, frame.size.width > 0 ? frame.size.width : springboard::iconImageSide(SBIcon::FormatHome)));
        self->addSubview(self->m_backgroundView);
        self->m_grid = springboard::makeView<_SBIconGridWrapperView>(springboard::folderGridRect(inner.size.width));
        self->m_grid->setElement(self);
        self->addSubview(self->m_grid);
        return Ref<objc::Object>(self);
    });
    c->addMethod("setIcon:", [](SBFolderIconImageView* self, SEL, SBIcon* icon) {
        self->m_icon = icon;
        self->m_folderIcon = dynamic_cast<SBFolderIcon*>(icon);
        msgSend(self, "updateImageAnimated:", false);
    });
    c->addMethod("folderIcon", [](SBFolderIconImageView* self, SEL) { return Ref<SBFolderIcon>(self->folderIcon()); });
    c->addMethod("backgroundView", [](SBFolderIconImageView* self, SEL) { return Ref<UIView>(self->backgroundView()); });
    c->addMethod("iconGridImageAlpha", [](SBFolderIconImageView* self, SEL) { return self->m_grid ? self->m_grid->alpha() : 0.0; });
    c->addMethod("setIconGridImageAlpha:", [](SBFolderIconImageView* self, SEL, double alpha) {
        if (self->m_grid)
            self->m_grid->setAlpha(alpha);
    });
    c->addMethod("contentsImage", [](SBFolderIconImageView* self, SEL) { return msgSend<Ref<UIImage>>(self->folderIcon(), "getIconImage:", static_cast<int>(SBIcon::FormatHome)); });
    // Updating a folder icon repositions its grid and lays the view out again.
    c->addMethod("updateImageAnimated:", [](SBFolderIconImageView* self, SEL, bool) {
        if (self->m_grid)
            msgSend(self->m_grid, "reposition");
        self->setNeedsLayout();
    });
    c->addMethod("darkeningOverlayImage", [](SBFolderIconImageView* self, SEL) { return springboard::drawIconShape(sideOf(self)); });
    c->addMethod("layoutSubviews", [](SBFolderIconImageView* self, SEL) {
        CGRect inner = self->bounds();
        self->m_contents->setFrame(inner);
        self->m_backgroundView->setFrame(inner);
        self->m_grid->setFrame(springboard::folderGridRect(inner.size.width));
        msgSend(self->m_grid, "layoutSubviews");
    });
}

// MARK: SBIconImageCrossfadeView

void SBIconImageCrossfadeView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBIconImageCrossfadeView>("UIView");
    // Rounds the crossfade like the icon it grows out of.
    c->addMethod("_updateCornerMask", [](SBIconImageCrossfadeView* self, SEL) {
        CGSize size = self->bounds().size;
        self->layer()->setCornerRadius(std::min(size.width, size.height) * 0.225);
        self->setClipsToBounds(true);
    });
}

// MARK: SBIconView

Ref<SBIconView> SBIconView::create(SBIcon* icon, Location location)
{
    const double side = springboard::iconImageSide(SBIcon::FormatHome);
    auto view = springboard::makeView<SBIconView>(CGRectMake(0, 0, side, side + 19));
    view->m_icon = icon;
    view->m_location = location;
    CGRect imageFrame = CGRectMake(0, 0, side, side);
    if (auto* folderIcon = dynamic_cast<SBFolderIcon*>(icon)) {
        view->m_folderIconImageView = springboard::makeView<SBFolderIconImageView>(imageFrame);
        view->m_iconImageView = view->m_folderIconImageView;
        msgSend(view->m_iconImageView, "setIcon:", folderIcon);
    } else {
        if (springboard::iconIdentifier(icon) == "com.apple.mobiletimer")
            view->m_iconImageView = springboard::makeView<SBClockApplicationIconImageView>(imageFrame);
        else
            view->m_iconImageView = springboard::makeView<SBIconImageView>(imageFrame);
        msgSend(view->m_iconImageView, "setIcon:", icon);
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

    auto press = UIGestureRecognizer::create<UILongPressGestureRecognizer>(view, "_handleLongPress:");
    view->addGestureRecognizer(press);

    msgSend(icon, "addObserver:", view.ptr());
    view->updateBadge();
    springboard::state().iconViews.emplace_back(view.ptr());
    return view;
}

void SBIconView::updateBadge()
{
    Ref<objc::Object> badge = msgSend<Ref<objc::Object>>(m_icon, "badgeNumberOrString");
    std::int64_t value = msgSend<std::int64_t>(m_icon, "badgeValue");
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

void SBIconView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBIconView>("UIView");
    c->addIvar("_icon", &SBIconView::m_icon);
    c->addIvar("_iconImageView", &SBIconView::m_iconImageView);
    c->addIvar("_folderIconImageView", &SBIconView::m_folderIconImageView);
    c->addIvar("_labelView", &SBIconView::m_label);
    c->addMethod("initWithFrame:", [c](SBIconView* self, SEL, CGRect frame) {
        msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
        self->setOpaque(false);
        return Ref<objc::Object>(self);
    });
    c->addMethod("icon", [](SBIconView* self, SEL) { return Ref<SBIcon>(self->icon()); });
    c->addMethod("isEditing", [](SBIconView* self, SEL) { return self->isEditing(); });
    c->addMethod("setEditing:animated:", [](SBIconView* self, SEL, bool editing, bool animated) {
        if (self->m_editing == editing)
            return;
        self->m_editing = editing;
        msgSend(self, "_applyEditingStateAnimated:", animated);
    });
    // The original: the wiggle and the close box of editing mode.
    c->addMethod("_applyEditingStateAnimated:", [](SBIconView* self, SEL, bool) {
        bool folder = msgSend<bool>(self->icon(), "isFolderIcon");
        if (self->m_editing) {
            // Neighbouring icons lean the other way.
            size_t index = 0;
            if (auto* parent = self->superview()) {
                auto& siblings = parent->subviews();
                index = static_cast<size_t>(std::find(siblings.begin(), siblings.end(), self) - siblings.begin());
            }
            // The wiggle is an animation of what is shown: the view's frame stays as it is.
            self->layer()->setPresentationTransform(CGAffineTransformMakeRotation(index % 2 ? kWiggleRadians : -kWiggleRadians));
            if (!folder && !self->m_closeBox) {
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
                self->addSubview(box);
                self->m_closeBox = box;
            }
        } else {
            self->layer()->setPresentationTransform(CGAffineTransformIdentity);
            if (self->m_closeBox) {
                self->m_closeBox->removeFromSuperview();
                self->m_closeBox = nullptr;
            }
        }
    });
    c->addMethod("iconImageDidUpdate:", [](SBIconView* self, SEL, SBIcon*) { msgSend(self->m_iconImageView, "updateImageAnimated:", true); });
    c->addMethod("iconAccessoriesDidUpdate:", [](SBIconView* self, SEL, SBIcon*) { self->updateBadge(); });
    c->addMethod("_handleLongPress:", [](SBIconView*, SEL, UIGestureRecognizer* recognizer) {
        if (recognizer && recognizer->state() == UIGestureRecognizerStateBegan)
            msgSend(springboard::state().iconController, "setIsEditing:", true);
    });
    // A tap launches the icon (a folder opens, also in editing mode).
    c->addMethod("touchesBegan:withEvent:", [](SBIconView* self, SEL, const UITouchSet&, UIEvent*) { self->m_touchInside = true; });
    c->addMethod("touchesMoved:withEvent:", [](SBIconView* self, SEL, const UITouchSet& touches, UIEvent*) {
        if (!touches.empty())
            self->m_touchInside = CGRectContainsPoint(CGRectInset(self->bounds(), -10, -10), touches.front()->locationInView(self));
    });
    c->addMethod("touchesCancelled:withEvent:", [](SBIconView* self, SEL, const UITouchSet&, UIEvent*) { self->m_touchInside = false; });
    c->addMethod("touchesEnded:withEvent:", [](SBIconView* self, SEL, const UITouchSet&, UIEvent*) {
        if (!self->m_touchInside)
            return;
        self->m_touchInside = false;
        bool folder = msgSend<bool>(self->icon(), "isFolderIcon");
        if (self->m_editing && !folder)
            return;
        msgSend(springboard::state().iconController, "_launchIcon:", self->icon());
    });
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
