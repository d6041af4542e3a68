#pragma once

// The cell of the row that opens the colour picker: the stored colour at its right edge, as a
// 24-point swatch for "#RRGGBB" values or as the word itself ("none", "automatic").
// Runtime methods: initWithStyle:reuseIdentifier:specifier:, layoutSubviews,
// loadColorValueFromPrefs, selectedColor.

#include "platform/preferences/PSTableCell.h"

#include <string>

class ZarnekColorPickerLinkCell : public PSTableCell {
    OBJC_CLASS(ZarnekColorPickerLinkCell)
public:
    const std::string& selectedColor() const { return m_selectedColor; }
    UIImageView* thumbnailView() const { return m_thumbnailView.ptr(); }
    UILabel* colorValueLabel() const { return m_valueLabel.ptr(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<objc::Object> initCell(std::int64_t style, std::string reuseIdentifier, PSSpecifier* specifier);
    void layoutCellContents();
    void loadColorValue();

    std::string m_selectedColor;
    objc::Ref<UIImageView> m_thumbnailView;
    objc::Ref<UILabel> m_valueLabel;
    std::string m_appID;
};
