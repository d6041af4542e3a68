#pragma once

#include "platform/uikit/UIControl.h"

// A value between a minimum and a maximum, set by dragging (or tapping) along the track; sends
// value-changed while it moves (or only at the end when not continuous).
class UISlider : public UIControl {
    OBJC_CLASS(UISlider)
public:
    static objc::Ref<UISlider> create(CGRect frame = CGRectZero);

    float value() const { return m_value; }
    void setValue(float value, bool animated = false);
    float minimumValue() const { return m_min; }
    void setMinimumValue(float v);
    float maximumValue() const { return m_max; }
    void setMaximumValue(float v);
    bool isContinuous() const { return m_continuous; }
    void setContinuous(bool on) { m_continuous = on; }
    UIColor* minimumTrackTintColor() const { return m_minTrack.ptr(); }
    void setMinimumTrackTintColor(UIColor* c) { m_minTrack = c; }
    UIColor* maximumTrackTintColor() const { return m_maxTrack.ptr(); }
    void setMaximumTrackTintColor(UIColor* c) { m_maxTrack = c; }
    UIColor* thumbTintColor() const { return m_thumb.ptr(); }
    void setThumbTintColor(UIColor* c) { m_thumb = c; }

    // The track's extent in the slider's coordinates (the thumb's centre moves along it).
    CGFloat trackStart() const;
    CGFloat trackEnd() const;

    static void registerClass(objc::Runtime&);

private:
    // Runtime methods whose C++ senders above have the plain names.
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    void setValueNotAnimated(float value);
    void storeValue(float value, bool animated);
    bool beginTrackingAt(UITouch* touch, UIEvent* event);
    bool continueTrackingAt(UITouch* touch, UIEvent* event);
    void endTrackingAt(UITouch* touch, UIEvent* event);

    void trackTo(CGFloat x, UIEvent* event);

    float m_value = 0, m_min = 0, m_max = 1;
    bool m_continuous = true;
    bool m_changedWhileTracking = false;
    objc::Ref<UIColor> m_minTrack, m_maxTrack, m_thumb;
};
