#pragma once

#include "platform/preferences/PSSpecifier.h"
#include "platform/uikit/UITableViewCell.h"

#include <string>

class UIImage;

// The cell of one specifier row. Every cell of a list is made by class (the specifier's
// "cellClass" when it names one, else by the row's kind) with the runtime method
// initWithStyle:reuseIdentifier:specifier:, so a settings bundle's own cell classes work; the list
// then sends refreshCellContentsWithSpecifier:, which shows the name, the value and the icon
// (through setIcon:, so a replacement of setIcon: sees every icon a cell is given).
//
// Runtime methods: initWithStyle:reuseIdentifier:specifier:, specifier, setSpecifier:, setIcon:,
// getLazyIconID, setLazyIconID:, refreshCellContentsWithSpecifier:, setValue:, value,
// titleLabel, valueLabel, iconImageView, type, setCellEnabled:, cellEnabled. setValue: keeps the
// value and shows it as text in rows that print their value; cells with a control override it,
// calling super, to show the value in their control.
class PSTableCell : public UITableViewCell {
    OBJC_CLASS(PSTableCell)
public:
    // [[class alloc] initWithStyle:reuseIdentifier:specifier:], the way a list makes its cells.
    static objc::Ref<PSTableCell> createWithClass(objc::Class* cls, UITableViewCellStyle style, const std::string& reuseIdentifier, PSSpecifier* specifier);

    // These send the runtime methods.
    objc::Ref<PSSpecifier> specifier();
    void setIcon(UIImage* icon);
    void setValue(objc::Object* value);
    void refreshCellContentsWithSpecifier(PSSpecifier* specifier);

    objc::Object* value() const { return m_value.ptr(); }
    PSCellType type() const { return m_type; }

    static void registerClass(objc::Runtime&);

protected:
    // initWithStyle:reuseIdentifier:specifier:, which the control cells override.
    objc::Ref<objc::Object> initWithStyleReuseIdentifierSpecifier(NSInteger style, std::string reuseIdentifier, PSSpecifier* specifier);

private:
    // The value as text in the detail label, in rows that print their value.
    void showValueText(objc::Object* value);

    // The runtime methods.
    objc::Ref<PSSpecifier> specifierObject() { return m_specifier; }
    void keepSpecifier(PSSpecifier* specifier) { m_specifier = specifier; }
    void showIcon(UIImage* icon);
    std::string lazyIconID() const { return m_lazyIconID; }
    void keepLazyIconID(std::string identifier) { m_lazyIconID = std::move(identifier); }
    objc::Ref<UIImageView> iconImageView() { return imageView(); }
    objc::Ref<UILabel> titleLabel() { return textLabel(); }
    objc::Ref<UILabel> valueLabel() { return detailTextLabel(); }
    objc::Ref<objc::Object> valueObject() { return m_value; }
    void keepValue(objc::Object* value);
    bool cellEnabled() const { return m_enabled; }
    void setCellEnabled(bool on);
    void showSpecifier(PSSpecifier* specifier);

    objc::Ref<PSSpecifier> m_specifier;
    objc::Ref<objc::Object> m_value;
    std::string m_lazyIconID;
    PSCellType m_type = PSStaticTextCell;
    bool m_enabled = true;
};

// A cell whose row is edited with a control (`control`): the control's changes go to the row's
// setter at once. Runtime methods: control, setControl:, controlChanged:, controlValue.
class PSControlTableCell : public PSTableCell {
    OBJC_CLASS(PSControlTableCell)
public:
    UIControl* control() const { return m_control.ptr(); }

    static void registerClass(objc::Runtime&);

protected:
    objc::Ref<UIControl> m_control;

private:
    // The runtime methods.
    objc::Ref<UIControl> controlObject() { return m_control; }
    void keepControl(UIControl* control);
    objc::Ref<objc::Object> noControlValue();
    void storeControlValue(objc::Object* sender);
};

// A switch row: `control` is a UISwitch showing the row's value and storing every change.
class PSSwitchTableCell : public PSControlTableCell {
    OBJC_CLASS(PSSwitchTableCell)
public:
    static void registerClass(objc::Runtime&);

private:
    // The switch's side of setValue:.
    void showValueInSwitch(objc::Object* value);

    // The runtime methods.
    void keepValueInSwitch(objc::Object* value);
    objc::Ref<objc::Object> initWithStyleReuseIdentifierSpecifier(NSInteger style, std::string reuseIdentifier, PSSpecifier* specifier);
    objc::Ref<objc::Object> switchValue();
};

// A slider row: `control` is a UISlider from the row's "min" to its "max" (0 to 1 when absent);
// with "showValue" the value is printed in a label (a subview of the slider, tagged 'valu') at
// the slider's right.
class PSSliderTableCell : public PSControlTableCell {
    OBJC_CLASS(PSSliderTableCell)
public:
    static constexpr NSInteger kValueLabelTag = 0x76616c75; // 'valu'

    static void registerClass(objc::Runtime&);

private:
    // The slider's side of setValue: (and its value label's).
    void showValueInSlider(objc::Object* value);

    // The runtime methods.
    void keepValueInSlider(objc::Object* value);
    objc::Ref<objc::Object> initWithStyleReuseIdentifierSpecifier(NSInteger style, std::string reuseIdentifier, PSSpecifier* specifier);
    objc::Ref<objc::Object> sliderValue();
};

namespace preferences {
// The cell class a list uses for a row: its "cellClass" when registered, else by kind.
objc::Class* cellClassForSpecifier(PSSpecifier* specifier);
// The cell style a row's kind asks for.
UITableViewCellStyle cellStyleForSpecifier(PSSpecifier* specifier);
} // namespace preferences
