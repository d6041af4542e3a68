#include "platform/uikit/UISegmentedControl.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <algorithm>

using objc::Ref;

namespace {
struct AppearanceSlot {
    Ref<UISegmentedControlAppearance> proxy;
};
} // namespace

Ref<UISegmentedControlAppearance> UISegmentedControlAppearance::shared()
{
    auto& slot = objc::Runtime::current().state<AppearanceSlot>();
    if (!slot.proxy)
        slot.proxy = objc::make<UISegmentedControlAppearance>();
    return slot.proxy;
}

Ref<UISegmentedControl> UISegmentedControl::createWithItems(const std::vector<std::string>& titles)
{
    auto control = objc::make<UISegmentedControl>();
    uikit::sel::initWithFrame(control, CGRectMake(0, 0, std::max<size_t>(1, titles.size()) * 70.0, 29));
    control->m_titles = titles;
    return control;
}

void UISegmentedControl::setTitle(const std::string& title, NSUInteger index)
{
    if (index < m_titles.size())
        m_titles[index] = title;
}

void UISegmentedControl::insertSegmentWithTitle(const std::string& title, NSUInteger index)
{
    index = std::min<NSUInteger>(index, m_titles.size());
    m_titles.insert(m_titles.begin() + static_cast<long>(index), title);
    if (m_selected >= static_cast<NSInteger>(index))
        ++m_selected;
}

void UISegmentedControl::removeAllSegments()
{
    m_titles.clear();
    m_selected = -1;
}

void UISegmentedControl::setSelectedSegmentIndex(NSInteger index)
{
    m_selected = index >= 0 && index < static_cast<NSInteger>(m_titles.size()) ? index : -1;
}

NSInteger UISegmentedControl::segmentAtPoint(CGPoint point) const
{
    if (m_titles.empty() || !CGRectContainsPoint(bounds(), point))
        return -1;
    CGFloat w = bounds().size.width / static_cast<CGFloat>(m_titles.size());
    return std::clamp<NSInteger>(static_cast<NSInteger>(point.x / w), 0, static_cast<NSInteger>(m_titles.size()) - 1);
}

namespace {

// -drawRect: the outline in the tint, dividers between the segments, the selected one filled.
void drawSegments(UISegmentedControl* self, CGRect)
{
    cairo_t* cr = uikit::currentCairoContext();
    NSUInteger n = self->numberOfSegments();
    if (!cr || !n)
        return;
    CGRect b = self->bounds();
    Ref<UIColor> tint = self->tintColor();
    double w = b.size.width / static_cast<double>(n);
    auto font = UIFont::systemFontOfSize(13);
    for (NSUInteger i = 0; i < n; ++i) {
        CGRect seg = CGRectMake(b.origin.x + i * w, b.origin.y, w, b.size.height);
        bool selected = static_cast<NSInteger>(i) == self->selectedSegmentIndex();
        if (selected) {
            cairo_save(cr);
            uikit::addRoundedRect(cr, CGRectInset(b, 0.5, 0.5), 4);
            cairo_clip(cr);
            uikit::setSourceColor(cr, tint);
            cairo_rectangle(cr, seg.origin.x, seg.origin.y, seg.size.width, seg.size.height);
            cairo_fill(cr);
            cairo_restore(cr);
        }
        if (i > 0) {
            uikit::setSourceColor(cr, tint);
            cairo_rectangle(cr, seg.origin.x - 0.5, b.origin.y, 1, b.size.height);
            cairo_fill(cr);
        }
        uikit::drawTextInRect(cr, self->titleForSegmentAtIndex(i), font, selected ? UIColor::whiteColor().ptr() : tint.ptr(), CGRectInset(seg, 4, 0));
    }
    uikit::addRoundedRect(cr, CGRectInset(b, 0.5, 0.5), 4);
    uikit::setSourceColor(cr, tint);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

} // namespace

// Registration -----------------------------------------------------------------------------------

Ref<objc::Object> UISegmentedControl::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<UISegmentedControl>(), this, frame);
    setOpaque(false);
    if (UIColor* tint = UISegmentedControlAppearance::shared()->tintColor())
        setTintColor(tint);
    return Ref<objc::Object>(this);
}

Ref<objc::Object> UISegmentedControl::initWithItems(objc::Object* items)
{
    std::vector<std::string> titles;
    if (auto* array = dynamic_cast<NSArray*>(items))
        titles = array->strings();
    uikit::sel::initWithFrame(this, CGRectMake(0, 0, std::max<size_t>(1, titles.size()) * 70.0, 29));
    m_titles = std::move(titles);
    return Ref<objc::Object>(this);
}

void UISegmentedControl::insertSegmentAnimated(std::string title, NSUInteger index, bool) { insertSegmentWithTitle(title, index); }

void UISegmentedControl::selectSegmentAt(UITouch* touch, UIEvent* event)
{
    NSInteger segment = segmentAtPoint(touch->locationInView(this));
    if (segment < 0 || segment == m_selected)
        return;
    m_selected = segment;
    sendActionsForControlEvents(UIControlEventValueChanged, event);
}

void UISegmentedControl::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UISegmentedControlAppearance>(rt, "NSObject").method(sel::setTintColor, &UISegmentedControlAppearance::setTintColor).build();
    objc::ClassBuilder<UISegmentedControl>(rt, "UIControl")
        .method(sel::drawRect, &drawSegments)
        .classMethod(sel::appearance, &UISegmentedControlAppearance::shared)
        .method(sel::initWithFrame, &UISegmentedControl::initWithFrame)
        .method(sel::initWithItems, &UISegmentedControl::initWithItems)
        .method(sel::selectedSegmentIndex, &UISegmentedControl::selectedSegmentIndex)
        .method(sel::setSelectedSegmentIndex, &UISegmentedControl::setSelectedSegmentIndex)
        .method(sel::numberOfSegments, &UISegmentedControl::numberOfSegments)
        .method(sel::titleForSegmentAtIndex, &UISegmentedControl::titleForSegmentAtIndex)
        .method(sel::setTitleForSegmentAtIndex, &UISegmentedControl::setTitle)
        .method(sel::insertSegmentWithTitleAtIndexAnimated, &UISegmentedControl::insertSegmentAnimated)
        .method(sel::removeAllSegments, &UISegmentedControl::removeAllSegments)
        .method(sel::setTintColor, &UISegmentedControl::setTintColor)
        .method(sel::endTrackingWithTouchWithEvent, &UISegmentedControl::selectSegmentAt)
        .build();
}
