#include "platform/uikit/UIDatePicker.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/foundation/NSDateFormatter.h"

#include "platform/uikit/UIFont.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <ctime>

using objc::Ref;

namespace {

constexpr CGFloat kRowHeight = 32;

std::tm localTime(const NSDate* date)
{
    auto seconds = static_cast<std::time_t>(std::floor(date ? date->timeIntervalSince1970() : 0));
    std::tm tm {};
    localtime_r(&seconds, &tm);
    return tm;
}

} // namespace

Ref<UIDatePicker> UIDatePicker::create(CGRect frame)
{
    auto view = objc::make<UIDatePicker>();
    uikit::sel::initWithFrame(view, frame);
    return view;
}

void UIDatePicker::setDate(NSDate* date, bool animated) { uikit::sel::setDateAnimated(this, date, animated); }

int UIDatePicker::hour() const { return localTime(m_date).tm_hour; }
int UIDatePicker::minute() const { return localTime(m_date).tm_min; }

void UIDatePicker::turnWheel(bool hours, int steps)
{
    if (!steps)
        return;
    std::tm tm = localTime(m_date);
    double before = m_date ? m_date->timeIntervalSince1970() : 0;
    double fraction = before - std::floor(before);
    if (hours) {
        tm.tm_hour = ((tm.tm_hour + steps) % 24 + 24) % 24;
    } else {
        int step = static_cast<int>(m_minuteInterval);
        int minute = (tm.tm_min / step) * step;
        tm.tm_min = ((minute + steps * step) % 60 + 60) % 60;
    }
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    m_date = NSDate::withTimeIntervalSince1970(static_cast<double>(t) + fraction);
}

namespace {

// Whether the current locale's short time has a day half ("9:41 AM").
bool usesTwelveHourClock()
{
    NSDateFormatter formatter;
    formatter.setLocale(NSLocale::currentLocale());
    formatter.setDateStyle(NSDateFormatterNoStyle);
    formatter.setTimeStyle(NSDateFormatterShortStyle);
    return formatter.effectivePattern().find('a') != std::string::npos;
}

// -drawRect: the hour and minute wheels, two rows above and below the chosen time, between the
// selection lines.
void drawWheels(UIDatePicker* self, CGRect)
{
    cairo_t* cr = uikit::currentCairoContext();
    if (!cr)
        return;
    CGRect b = self->bounds();
    double mid = CGRectGetMidY(b);
    cairo_set_source_rgb(cr, 0.8, 0.8, 0.82);
    cairo_rectangle(cr, b.origin.x, mid - 16.5, b.size.width, 0.5);
    cairo_rectangle(cr, b.origin.x, mid + 16, b.size.width, 0.5);
    cairo_fill(cr);
    auto font = UIFont::systemFontOfSize(21);
    auto two = [](int v) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%02d", v);
        return std::string(buffer);
    };
    int hour = self->hour(), minute = self->minute();
    // The hours are written the way the device's locale writes times: 1–12 with a day-half
    // column in a twelve-hour locale (en_US), 00–23 otherwise.
    bool twelveHour = usesTwelveHourClock();
    auto hourText = [&](int h) {
        h = (h % 24 + 24) % 24;
        return twelveHour ? std::to_string((h + 11) % 12 + 1) : two(h);
    };
    double colW = 60;
    double hx = CGRectGetMidX(b) - colW - 8, mx = CGRectGetMidX(b) + 8;
    for (int d = -2; d <= 2; ++d) {
        double y = mid - 16 + d * 32;
        if (y < b.origin.y || y + 32 > CGRectGetMaxY(b))
            continue;
        Ref<UIColor> color = d == 0 ? UIColor::blackColor() : UIColor::colorWithWhite(0.6, 1);
        uikit::drawTextInRect(cr, hourText(hour + d), font, color, CGRectMake(hx, y, colW, 32), NSTextAlignmentRight);
        uikit::drawTextInRect(cr, two(((minute + d) % 60 + 60) % 60), font, color, CGRectMake(mx, y, colW, 32), NSTextAlignmentLeft);
    }
    uikit::drawTextInRect(cr, ":", font, UIColor::blackColor(), CGRectMake(CGRectGetMidX(b) - 8, mid - 16, 16, 32));
    if (twelveHour)
        uikit::drawTextInRect(cr, hour < 12 ? "AM" : "PM", font, UIColor::blackColor(), CGRectMake(mx + colW, mid - 16, colW, 32), NSTextAlignmentLeft);
}

} // namespace

// Registration -----------------------------------------------------------------------------------

Ref<objc::Object> UIDatePicker::initWithFrame(CGRect frame)
{
    if (frame.size.height <= 0)
        frame.size = CGSizeMake(320, 216);
    uikit::sel::initWithFrame.sendSuper(objc::classOf<UIDatePicker>(), this, frame);
    m_date = NSDate::now();
    setBackgroundColor(UIColor::whiteColor());
    return Ref<objc::Object>(this);
}

void UIDatePicker::setDateNotAnimated(NSDate* date) { setDate(date, false); }

void UIDatePicker::storeDate(NSDate* date, bool)
{
    if (date)
        m_date = date;
}

bool UIDatePicker::beginTurning(UITouch* touch, UIEvent*)
{
    m_trackStart = touch->locationInView(this);
    return true;
}

void UIDatePicker::endTurning(UITouch* touch, UIEvent* event)
{
    CGPoint end = touch->locationInView(this);
    CGFloat dy = end.y - m_trackStart.y;
    int steps;
    if (std::fabs(dy) < 10) {
        CGFloat mid = bounds().size.height / 2;
        steps = end.y < mid - kRowHeight / 2 ? -1 : end.y > mid + kRowHeight / 2 ? 1 : 0;
    } else {
        // Dragging up brings the later rows into the middle.
        steps = static_cast<int>(std::lround(-dy / kRowHeight));
    }
    bool hours = m_trackStart.x < bounds().size.width / 2;
    if (!steps)
        return;
    turnWheel(hours, steps);
    sendActionsForControlEvents(UIControlEventValueChanged, event);
}

void UIDatePicker::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UIDatePicker>(rt, "UIControl")
        .method(sel::drawRect, &drawWheels)
        .method(sel::initWithFrame, &UIDatePicker::initWithFrame)
        .method(sel::date, &UIDatePicker::date)
        .method(sel::setDate, &UIDatePicker::setDateNotAnimated)
        .method(sel::setDateAnimated, &UIDatePicker::storeDate)
        .method(sel::setDatePickerMode, &UIDatePicker::setDatePickerMode)
        .method(sel::datePickerMode, &UIDatePicker::datePickerMode)
        .method(sel::setMinuteInterval, &UIDatePicker::setMinuteInterval)
        .method(sel::beginTrackingWithTouchWithEvent, &UIDatePicker::beginTurning)
        .method(sel::endTrackingWithTouchWithEvent, &UIDatePicker::endTurning)
        .build();
}
