#pragma once

#include "platform/uikit/UIControl.h"

#include <string>
#include <vector>

// A row of titled segments, one of them selected; a tap on another selects it and sends
// value-changed. `+appearance` hands out a proxy whose tint colour every segmented control made
// afterwards on this device takes (the platform's appearance proxy, for this one property).
class UISegmentedControl : public UIControl {
    OBJC_CLASS(UISegmentedControl)
public:
    // [[UISegmentedControl alloc] initWithItems:titles]
    static objc::Ref<UISegmentedControl> createWithItems(const std::vector<std::string>& titles);

    NSUInteger numberOfSegments() const { return m_titles.size(); }
    std::string titleForSegmentAtIndex(NSUInteger index) const { return index < m_titles.size() ? m_titles[index] : std::string(); }
    void setTitle(const std::string& title, NSUInteger index);
    void insertSegmentWithTitle(const std::string& title, NSUInteger index);
    void removeAllSegments();
    // -1 when none is selected.
    NSInteger selectedSegmentIndex() const { return m_selected; }
    void setSelectedSegmentIndex(NSInteger index);
    // The segment under a point of the control.
    NSInteger segmentAtPoint(CGPoint point) const;

    static void registerClass(objc::Runtime&);

private:
    // Runtime methods whose C++ senders have the plain names.
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    objc::Ref<objc::Object> initWithItems(objc::Object* items);
    void insertSegmentAnimated(std::string title, NSUInteger index, bool animated);
    void selectSegmentAt(UITouch* touch, UIEvent* event);

    std::vector<std::string> m_titles;
    NSInteger m_selected = -1;
};

// What +[UISegmentedControl appearance] answers: records the tint colour new controls get.
class UISegmentedControlAppearance : public objc::NSObject {
    OBJC_CLASS(_UISegmentedControlAppearance)
public:
    static objc::Ref<UISegmentedControlAppearance> shared();
    UIColor* tintColor() const { return m_tintColor.ptr(); }
    void setTintColor(UIColor* color) { m_tintColor = color; }

private:
    objc::Ref<UIColor> m_tintColor;
};
