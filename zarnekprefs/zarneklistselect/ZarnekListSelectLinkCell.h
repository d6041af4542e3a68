#pragma once

// The cell of the row that opens the ordered list: "<n> enabled" (or "Disabled" when none is)
// at its right edge, re-read from the domain on every layout pass.
// Runtime methods: initWithStyle:reuseIdentifier:specifier:, layoutSubviews, loadValueFromPrefs.

#include "platform/corefoundation/NSArray.h"
#include "platform/preferences/PSTableCell.h"

class ZarnekListSelectLinkCell : public PSTableCell {
    OBJC_CLASS(ZarnekListSelectLinkCell)
public:
    NSMutableArray* enabledItems() const { return m_enabledItems.ptr(); }
    UILabel* countLabel() const { return m_valueLabel.ptr(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<objc::Object> initCell(std::int64_t style, std::string reuseIdentifier, PSSpecifier* specifier);
    void layoutCellContents();
    void loadValue();

    objc::Ref<NSMutableArray> m_enabledItems;
    objc::Ref<UILabel> m_valueLabel;
};
