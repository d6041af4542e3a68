#pragma once

// The cell of the row that opens the time range: the start time over the end time at its right
// edge, in the short time of the user's locale, re-read on every layout pass.
// Runtime methods: initWithStyle:reuseIdentifier:specifier:, layoutSubviews, loadValueFromPrefs.

#include "platform/corefoundation/NSDictionary.h"
#include "platform/preferences/PSTableCell.h"

class ZarnekTimeRangeSelectLinkCell : public PSTableCell {
    OBJC_CLASS(ZarnekTimeRangeSelectLinkCell)
public:
    NSDictionary* selectedTimeRange() const { return m_selectedTimeRange.ptr(); }
    UILabel* rangeLabel() const { return m_valueLabel.ptr(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<objc::Object> initCell(std::int64_t style, std::string reuseIdentifier, PSSpecifier* specifier);
    void layoutCellContents();
    void loadValue();

    objc::Ref<NSDictionary> m_selectedTimeRange;
    objc::Ref<UILabel> m_valueLabel;
};
