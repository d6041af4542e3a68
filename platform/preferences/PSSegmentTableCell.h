#pragma once

#include "platform/preferences/PSTableCell.h"

// A segment row: `control` is a UISegmentedControl with one segment per choice of the row
// ("validTitles", in the order of "validValues"), the segment of the stored value selected; a tap
// on another segment stores that segment's value through the row's setter. A value that is none
// of the choices selects no segment. The control is made when the cell is, so it takes the tint
// of the UISegmentedControl appearance proxy at that moment.
class PSSegmentTableCell : public PSControlTableCell {
    OBJC_CLASS(PSSegmentTableCell)
public:
    static void registerClass(objc::Runtime&);

private:
    // The control's side of setValue:.
    void showValueInSegments(objc::Object* value);

    // The runtime methods.
    objc::Ref<objc::Object> initWithStyleReuseIdentifierSpecifier(NSInteger style, std::string reuseIdentifier, PSSpecifier* specifier);
    void keepValueInSegments(objc::Object* value);
    void layOutSegments();
    objc::Ref<objc::Object> chosenValue();
};
