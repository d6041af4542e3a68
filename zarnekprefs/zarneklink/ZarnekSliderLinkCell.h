#pragma once

// The platform's slider row with a value label 10 points wider and, when the row's specifier
// has "manualInput", a long press on the slider that asks for the exact value in an alert. A
// typed value must be a number within the slider's range; anything else is refused with a
// message and nothing is stored. Runtime methods: initWithStyle:reuseIdentifier:specifier:
// (the base's), layoutSubviews, handleLongPress:, applyTypedValue:.

#include "platform/preferences/PSTableCell.h"

#include <optional>
#include <string>

class ZarnekSliderLinkCell : public PSSliderTableCell {
    OBJC_CLASS(ZarnekSliderLinkCell)
public:
    // The number a typed text stands for, or none when it is not one number.
    static std::optional<double> parseTypedValue(const std::string& text);

    static void registerClass(objc::Runtime&);

private:
    void layoutCellContents();
    void longPressed(objc::Object* recognizer);
    void applyTypedValue(const std::string& text);

    objc::WeakRef<UIView> m_recognizerSlider;
    objc::WeakRef<UIView> m_widenedLabel;
};
