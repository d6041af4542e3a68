#include "tweak/hud/MBProgressHUD.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/Diagnostics.h"
#include "platform/uikit/MakeView.h"
#include "platform/uikit/UIKitSelectors.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

namespace ovrimo::hud {

using objc::Ref;

namespace {

constexpr double kAnimationDuration = 0.3;
constexpr double kItemSpacing = 4;

// The thread RegisterHUDClasses ran on: the one that drives the main run loop.
// Made on first use: the library initializer that sets it runs before ordinary static
// initialization, which would otherwise reset it afterwards.
std::atomic<std::thread::id>& mainThread()
{
    static std::atomic<std::thread::id> id;
    return id;
}

bool onMainThread(const char* what)
{
    if (std::this_thread::get_id() == mainThread().load())
        return true;
    objc::diagnose(std::string("internal inconsistency (") + what + "): MBProgressHUD needs to be accessed on the main thread.");
    return false;
}

bool shows(UIView* view) { return view && !view->isHidden(); }

bool showsText(UILabel* label) { return shows(label) && !label->text().empty(); }

} // namespace

// Creation ---------------------------------------------------------------------------------------

Ref<Object> MBProgressHUD::initWithFrame(CGRect frame)
{
    objc::sendSuperOrZero(uikit::sel::initWithFrame, this, frame);
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    setAlpha(0);
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_contentColor = UIColor::colorWithWhite(0, 0.7);

    m_backgroundView = uikit::makeView<MBBackgroundView>(bounds());
    setStyle(m_backgroundView, 0);
    setColor(m_backgroundView, UIColor::clearColor());
    m_backgroundView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_backgroundView->setAlpha(0);
    addSubview(m_backgroundView);

    m_bezelView = uikit::makeView<MBBackgroundView>(CGRectZero);
    setStyle(m_bezelView, 1);
    setColor(m_bezelView, UIColor::colorWithWhite(0.8, 0.6));
    m_bezelView->layer()->setCornerRadius(5);
    m_bezelView->setAlpha(0);
    addSubview(m_bezelView);

    m_indicator = UIActivityIndicatorView::create(UIActivityIndicatorViewStyleWhiteLarge);
    m_indicator->setColor(m_contentColor);
    m_indicator->startAnimating();
    m_bezelView->addSubview(m_indicator);

    auto makeLabel = [&](double size, NSInteger lines) {
        Ref<UILabel> label = UILabel::create();
        label->setFont(UIFont::boldSystemFontOfSize(size));
        label->setTextAlignment(NSTextAlignmentCenter);
        label->setNumberOfLines(lines);
        label->setTextColor(m_contentColor);
        label->setOpaque(false);
        label->setBackgroundColor(UIColor::clearColor());
        m_bezelView->addSubview(label);
        return label;
    };
    m_label = makeLabel(16, 1);
    m_detailsLabel = makeLabel(12, 0);

    m_button = uikit::makeView<MBProgressHUDRoundedButton>(CGRectZero);
    m_button->setTitleColor(m_contentColor, UIControlStateNormal);
    m_bezelView->addSubview(m_button);
    return Ref<Object>(this);
}

Ref<UIView> MBProgressHUD::showHUDAddedTo(UIView* view, bool animated)
{
    if (!view) {
        objc::diagnose("MBProgressHUD showHUDAddedTo:animated: refused: View must not be nil.");
        return nullptr;
    }
    Ref<MBProgressHUD> hud = uikit::makeView<MBProgressHUD>(view->bounds());
    hud->m_removeFromSuperViewOnHide = true;
    view->addSubview(hud);
    showAnimated.orZero(hud, animated);
    return hud;
}

// Settings ---------------------------------------------------------------------------------------

Ref<UILabel> MBProgressHUD::labelRef() { return m_label; }
Ref<UILabel> MBProgressHUD::detailsLabelRef() { return m_detailsLabel; }
Ref<UIButton> MBProgressHUD::buttonRef() { return m_button; }
Ref<UIView> MBProgressHUD::backgroundViewRef() { return m_backgroundView; }
Ref<UIView> MBProgressHUD::bezelViewRef() { return m_bezelView; }

void MBProgressHUD::setGraceTimeValue(double seconds) { m_graceTime = std::max(0.0, seconds); }
void MBProgressHUD::setMinShowTimeValue(double seconds) { m_minShowTime = std::max(0.0, seconds); }

void MBProgressHUD::setOffsetValue(CGPoint offset)
{
    m_offset = offset;
    setNeedsLayout();
}

void MBProgressHUD::setMarginValue(double margin)
{
    m_margin = std::max(0.0, margin);
    setNeedsLayout();
}

void MBProgressHUD::setMinSize(CGSize size)
{
    m_minSize = size;
    setNeedsLayout();
}

void MBProgressHUD::setSquare(bool on)
{
    m_square = on;
    setNeedsLayout();
}

// Timers -----------------------------------------------------------------------------------------

void MBProgressHUD::cancel(Ref<NSTimer>& timer)
{
    if (timer)
        timer->invalidate();
    timer = nullptr;
}

// A one-shot timer on the main run loop, in all common modes, that sends `action` to the
// overlay. It holds the overlay weakly: an overlay that is gone by then has nothing to show or
// hide.
Ref<NSTimer> MBProgressHUD::startTimer(double seconds, const Sel<void()>& action)
{
    objc::WeakRef<MBProgressHUD> weak(this);
    Ref<NSTimer> timer = NSTimer::timerWithTimeInterval(seconds, false, [weak, &action](NSTimer*) {
        if (Ref<MBProgressHUD> hud = weak.strong())
            action.orZero(hud);
    });
    timer->schedule(NSRunLoopCommonModes);
    return timer;
}

// Showing and hiding -----------------------------------------------------------------------------

void MBProgressHUD::show(bool animated)
{
    if (!onMainThread("showAnimated:"))
        return;
    cancel(m_minShowTimer);
    m_useAnimation = animated;
    m_finished = false;
    if (m_graceTime > 0) {
        m_graceTimer = startTimer(m_graceTime, hudsel::graceTimeEnded);
        return;
    }
    showUsingAnimation(m_useAnimation);
}

void MBProgressHUD::showUsingAnimation(bool animated)
{
    ++m_animation; // drops the completion of any animation still running
    // A fade still running (out, after a hide) stops where the values were set, not half-way.
    m_bezelView->layer()->removeAllAnimations();
    m_backgroundView->layer()->removeAllAnimations();
    cancel(m_hideDelayTimer);
    m_showStarted = dispatch::RunLoop::main().now();
    m_shown = true;
    setAlpha(1);
    setNeedsLayout();
    if (animated) {
        animateIn(true);
    } else {
        m_bezelView->setAlpha(m_opacity);
        m_backgroundView->setAlpha(1);
    }
}

void MBProgressHUD::hide(bool animated)
{
    if (!onMainThread("hideAnimated:"))
        return;
    cancel(m_graceTimer);
    m_useAnimation = animated;
    m_finished = true;
    if (m_minShowTime > 0 && m_showStarted >= 0) {
        double shownFor = static_cast<double>(dispatch::RunLoop::main().now() - m_showStarted) / 1e9;
        if (shownFor < m_minShowTime) {
            cancel(m_minShowTimer);
            m_minShowTimer = startTimer(m_minShowTime - shownFor, hudsel::minShowTimeEnded);
            return;
        }
    }
    hideUsingAnimation(m_useAnimation);
}

void MBProgressHUD::hideUsingAnimation(bool animated)
{
    if (animated && m_shown) {
        m_shown = false;
        animateIn(false);
        return;
    }
    m_shown = false;
    ++m_animation;
    m_bezelView->setAlpha(0);
    m_backgroundView->setAlpha(0);
    finish();
}

void MBProgressHUD::hideAfterDelay(bool animated, double delay)
{
    cancel(m_hideDelayTimer);
    m_useAnimation = animated;
    m_hideDelayTimer = startTimer(std::max(0.0, delay), hudsel::hideDelayEnded);
}

void MBProgressHUD::graceTimeEnded()
{
    m_graceTimer = nullptr;
    if (!m_finished)
        showUsingAnimation(m_useAnimation);
}

void MBProgressHUD::minShowTimeEnded()
{
    m_minShowTimer = nullptr;
    hideUsingAnimation(m_useAnimation);
}

void MBProgressHUD::hideDelayEnded()
{
    m_hideDelayTimer = nullptr;
    hideAnimated.orZero(this, m_useAnimation);
}

// Fades the box to the opacity and the background to full (in), or both to nothing (out); a fade
// out that runs to its end finishes the overlay.
void MBProgressHUD::animateIn(bool in)
{
    unsigned generation = ++m_animation;
    objc::WeakRef<MBProgressHUD> weak(this);
    UIView::animateWithDurationSpring(kAnimationDuration, 0, 1.0, 0, UIViewAnimationOptionBeginFromCurrentState,
        [weak, in] {
            if (MBProgressHUD* hud = weak.ptr()) {
                hud->m_bezelView->setAlpha(in ? hud->m_opacity : 0);
                hud->m_backgroundView->setAlpha(in ? 1 : 0);
            }
        },
        [weak, generation, in](bool) {
            Ref<MBProgressHUD> hud = weak.strong();
            if (hud && hud->m_animation == generation && !in)
                hudsel::fadedOut.orZero(hud);
        });
}

void MBProgressHUD::finish()
{
    Ref<MBProgressHUD> keep(this); // removing it from its host may drop the last reference
    cancel(m_hideDelayTimer);
    setAlpha(0);
    if (m_removeFromSuperViewOnHide)
        removeFromSuperview();
    if (m_completion) {
        auto completion = m_completion;
        completion();
    }
    if (Object* delegate = m_delegate.ptr())
        hudsel::hudWasHidden.ifAnswered(delegate, this);
}

// Layout -----------------------------------------------------------------------------------------

void MBProgressHUD::movedToSuperview()
{
    objc::sendSuperOrZero(uikit::sel::didMoveToSuperview, this);
    if (UIView* host = superview()) {
        setFrame(host->bounds());
        setNeedsLayout();
    }
}

// The box: centred, moved by the offset, at least the margin inside the overlay, as large as the
// visible items need (and minSize), the items stacked with 4 points between neighbours and the
// margin round them.
void MBProgressHUD::layOutBox()
{
    CGRect area = bounds();
    m_backgroundView->setFrame(area);
    double maxContentWidth = std::max(0.0, area.size.width - 4 * m_margin);

    std::vector<std::pair<UIView*, CGSize>> items;
    auto consider = [&](UIView* view, bool visible) {
        if (!visible) {
            view->setFrame(CGRectZero);
            return;
        }
        CGSize size = view->sizeThatFits(CGSizeMake(maxContentWidth, 1e6));
        size.width = std::min(size.width, maxContentWidth);
        items.push_back({ view, size });
    };
    consider(m_indicator, shows(m_indicator));
    consider(m_label, showsText(m_label));
    consider(m_detailsLabel, showsText(m_detailsLabel));
    consider(m_button, shows(m_button) && !m_button->currentTitle().empty());

    double contentWidth = 0, contentHeight = 0;
    for (const auto& [view, size] : items) {
        contentWidth = std::max(contentWidth, size.width);
        contentHeight += size.height;
    }
    if (items.size() > 1)
        contentHeight += kItemSpacing * static_cast<double>(items.size() - 1);

    CGSize box = CGSizeMake(std::max(contentWidth + 2 * m_margin, m_minSize.width), std::max(contentHeight + 2 * m_margin, m_minSize.height));
    if (m_square)
        box.width = box.height = std::max(box.width, box.height);
    box.width = std::min(box.width, std::max(0.0, area.size.width - 2 * m_margin));
    box.height = std::min(box.height, std::max(0.0, area.size.height - 2 * m_margin));

    double x = CGRectGetMidX(area) + m_offset.x - box.width / 2;
    double y = CGRectGetMidY(area) + m_offset.y - box.height / 2;
    x = std::clamp(x, area.origin.x + m_margin, std::max(area.origin.x + m_margin, CGRectGetMaxX(area) - m_margin - box.width));
    y = std::clamp(y, area.origin.y + m_margin, std::max(area.origin.y + m_margin, CGRectGetMaxY(area) - m_margin - box.height));
    m_bezelView->setFrame(CGRectMake(x, y, box.width, box.height));

    double top = (box.height - contentHeight) / 2;
    for (const auto& [view, size] : items) {
        view->setFrame(CGRectMake((box.width - size.width) / 2, top, size.width, size.height));
        top += size.height + kItemSpacing;
    }
}

// Registration -----------------------------------------------------------------------------------

void MBProgressHUD::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<MBProgressHUD>(rt, "UIView")
        .classMethod(showHUDAddedToAnimated, &MBProgressHUD::showHUDAddedTo)
        .method(uikit::sel::initWithFrame, &MBProgressHUD::initWithFrame)
        .method(showAnimated, &MBProgressHUD::show)
        .method(hideAnimated, &MBProgressHUD::hide)
        .method(hideAnimatedAfterDelay, &MBProgressHUD::hideAfterDelay)
        .method(label, &MBProgressHUD::labelRef)
        .method(detailsLabel, &MBProgressHUD::detailsLabelRef)
        .method(hudsel::button, &MBProgressHUD::buttonRef)
        .method(backgroundView, &MBProgressHUD::backgroundViewRef)
        .method(bezelView, &MBProgressHUD::bezelViewRef)
        .method(hudsel::setRemoveFromSuperViewOnHide, &MBProgressHUD::setRemoveOnHide)
        .method(hudsel::setGraceTime, &MBProgressHUD::setGraceTimeValue)
        .method(hudsel::setMinShowTime, &MBProgressHUD::setMinShowTimeValue)
        .method(hudsel::setOffset, &MBProgressHUD::setOffsetValue)
        .method(hudsel::setMargin, &MBProgressHUD::setMarginValue)
        .method(hudsel::setDelegate, &MBProgressHUD::setDelegateValue)
        .method(uikit::sel::layoutSubviews, &MBProgressHUD::layOutBox)
        .method(uikit::sel::didMoveToSuperview, &MBProgressHUD::movedToSuperview)
        .method(hudsel::graceTimeEnded, &MBProgressHUD::graceTimeEnded)
        .method(hudsel::minShowTimeEnded, &MBProgressHUD::minShowTimeEnded)
        .method(hudsel::hideDelayEnded, &MBProgressHUD::hideDelayEnded)
        .method(hudsel::fadedOut, &MBProgressHUD::finish)
        .buildSystemClass();
}

bool RegisterHUDClasses(objc::Runtime& rt)
{
    mainThread().store(std::this_thread::get_id());
    if (rt.getClass("MBProgressHUD"))
        return true;
    if (!rt.getClass("MBBackgroundView"))
        MBBackgroundView::registerClass(rt);
    if (!rt.getClass("MBProgressHUDRoundedButton"))
        MBProgressHUDRoundedButton::registerClass(rt);
    if (rt.getClass("MBBackgroundView") && rt.getClass("MBProgressHUDRoundedButton"))
        MBProgressHUD::registerClass(rt);
    return rt.getClass("MBProgressHUD") != nullptr;
}

} // namespace ovrimo::hud
