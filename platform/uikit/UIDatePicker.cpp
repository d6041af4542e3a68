#include "platform/uikit/UIDatePicker.h"

#include "platform/foundation/NSDateFormatter.h"

#include "platform/uikit/UIFont.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <ctime>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

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
    msgSend<Ref<objc::Object>>(view, "initWithFrame:", frame);
    return view;
}

void UIDatePicker::setDate(NSDate* date, bool animated) { msgSend(this, "setDate:animated:", date, animated); }

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
void drawRect(UIDatePicker* self, SEL, CGRect)
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

void UIDatePicker::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIDatePicker>("UIControl");
    c->addMethod("drawRect:", drawRect);
    c->addMethod("initWithFrame:", [c](UIDatePicker* self, SEL, CGRect frame) {
        if (frame.size.height <= 0)
            frame.size = CGSizeMake(320, 216);
        objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
        self->m_date = NSDate::now();
        self->setBackgroundColor(UIColor::whiteColor());
        return Ref<objc::Object>(self);
    });
    c->addMethod("date", [](UIDatePicker* self, SEL) { return Ref<NSDate>(self->date()); });
    c->addMethod("setDate:", [](UIDatePicker* self, SEL, NSDate* d) { self->setDate(d, false); });
    c->addMethod("setDate:animated:", [](UIDatePicker* self, SEL, NSDate* d, bool) {
        if (d)
            self->m_date = d;
    });
    c->addMethod("setDatePickerMode:", [](UIDatePicker* self, SEL, NSInteger m) { self->setDatePickerMode(static_cast<UIDatePickerMode>(m)); });
    c->addMethod("datePickerMode", [](UIDatePicker* self, SEL) { return self->datePickerMode(); });
    c->addMethod("setMinuteInterval:", [](UIDatePicker* self, SEL, NSInteger i) { self->setMinuteInterval(i); });
    c->addMethod("beginTrackingWithTouch:withEvent:", [](UIDatePicker* self, SEL, UITouch* touch, UIEvent*) {
        self->m_trackStart = touch->locationInView(self);
        return true;
    });
    c->addMethod("endTrackingWithTouch:withEvent:", [](UIDatePicker* self, SEL, UITouch* touch, UIEvent* event) {
        CGPoint end = touch->locationInView(self);
        CGFloat dy = end.y - self->m_trackStart.y;
        int steps;
        if (std::fabs(dy) < 10) {
            CGFloat mid = self->bounds().size.height / 2;
            steps = end.y < mid - kRowHeight / 2 ? -1 : end.y > mid + kRowHeight / 2 ? 1 : 0;
        } else {
            // Dragging up brings the later rows into the middle.
            steps = static_cast<int>(std::lround(-dy / kRowHeight));
        }
        bool hours = self->m_trackStart.x < self->bounds().size.width / 2;
        if (!steps)
            return;
        self->turnWheel(hours, steps);
        self->sendActionsForControlEvents(UIControlEventValueChanged, event);
    });
}
