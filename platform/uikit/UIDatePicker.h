#pragma once

#include "platform/corefoundation/NSDate.h"
#include "platform/uikit/UIControl.h"

// A wheel picker for a date; the time mode (hours and minutes, in the device's local time zone)
// is the one the system uses. Dragging a column by a row (32 points) or tapping the row above or
// below its middle turns that wheel by one; the other fields of the date are kept. Each turn sends
// value-changed.
class UIDatePicker : public UIControl {
    OBJC_CLASS(UIDatePicker)
public:
    static objc::Ref<UIDatePicker> create(CGRect frame = CGRectZero);

    UIDatePickerMode datePickerMode() const { return m_mode; }
    void setDatePickerMode(UIDatePickerMode mode) { m_mode = mode; }
    NSDate* date() const { return m_date.ptr(); }
    void setDate(NSDate* date, bool animated = false);
    NSInteger minuteInterval() const { return m_minuteInterval; }
    void setMinuteInterval(NSInteger i) { m_minuteInterval = i > 0 && i <= 30 && 60 % i == 0 ? i : 1; }

    // The hour (0–23) and minute shown, in local time.
    int hour() const;
    int minute() const;
    // Turns the hour or minute wheel by `steps` rows (wrapping within its range).
    void turnWheel(bool hours, int steps);

    static void registerClass(objc::Runtime&);

private:
    // Runtime methods whose C++ senders have the plain names.
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    void setDateNotAnimated(NSDate* date);
    void storeDate(NSDate* date, bool animated);
    bool beginTurning(UITouch* touch, UIEvent* event);
    void endTurning(UITouch* touch, UIEvent* event);

    UIDatePickerMode m_mode = UIDatePickerModeDateAndTime;
    objc::Ref<NSDate> m_date;
    NSInteger m_minuteInterval = 1;
    CGPoint m_trackStart;
};
