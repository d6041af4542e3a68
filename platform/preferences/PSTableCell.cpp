#include "platform/preferences/PSTableCell.h"

#include "platform/corefoundation/Create.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/corefoundation/StringFormat.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/preferences/PreferenceValues.h"
#include "platform/preferences/PreferencesSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObjectSelectors.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UISlider.h"
#include "platform/uikit/UISwitch.h"

#include <algorithm>

using objc::Class;
using objc::Object;
using objc::Ref;
using objc::SEL;

namespace sel = preferences::sel;

namespace preferences {

Class* cellClassForSpecifier(PSSpecifier* specifier)
{
    if (!specifier)
        return objc::objc_getClass("PSTableCell");
    std::string named = specifier->stringProperty("cellClass");
    if (!named.empty()) {
        Class* cls = objc::objc_getClass(named);
        if (cls && cls->isSubclassOf(objc::objc_getClass("PSTableCell")))
            return cls;
        logProblem("cell class " + named + " is not a registered PSTableCell class; using the standard cell");
    }
    switch (specifier->cellType()) {
    case PSSwitchCell:
        return objc::objc_getClass("PSSwitchTableCell");
    case PSSliderCell:
        return objc::objc_getClass("PSSliderTableCell");
    case PSSegmentCell:
        return objc::objc_getClass("PSSegmentTableCell");
    default:
        return objc::objc_getClass("PSTableCell");
    }
}

UITableViewCellStyle cellStyleForSpecifier(PSSpecifier* specifier)
{
    if (!specifier)
        return UITableViewCellStyleDefault;
    switch (specifier->cellType()) {
    case PSTitleValueCell:
    case PSLinkListCell:
    case PSLinkCell:
        return UITableViewCellStyleValue1;
    default:
        return UITableViewCellStyleDefault;
    }
}

} // namespace preferences

namespace {

bool showsValueText(PSCellType type) { return type == PSTitleValueCell || type == PSLinkListCell || type == PSLinkCell; }

} // namespace

Ref<PSTableCell> PSTableCell::createWithClass(Class* cls, UITableViewCellStyle style, const std::string& reuseIdentifier, PSSpecifier* specifier)
{
    if (!cls)
        return nullptr;
    Ref<Object> made = objc::sel::alloc(cls);
    Ref<Object> cell = sel::initWithStyleReuseIdentifierSpecifier(made, style, reuseIdentifier, specifier);
    return Ref<PSTableCell>(dynamic_cast<PSTableCell*>(cell.ptr()));
}

Ref<PSSpecifier> PSTableCell::specifier() { return sel::specifier(this); }
void PSTableCell::setIcon(UIImage* icon) { sel::setIcon(this, icon); }
void PSTableCell::setValue(Object* value) { sel::setValue(this, value); }
void PSTableCell::refreshCellContentsWithSpecifier(PSSpecifier* specifier) { sel::refreshCellContentsWithSpecifier(this, specifier); }

void PSTableCell::showValueText(Object* value)
{
    if (!showsValueText(m_type) || !detailTextLabel())
        return;
    std::string text;
    if (m_type == PSLinkListCell && m_specifier)
        text = value ? m_specifier->titleForValue(value) : std::string();
    else
        text = preferences::displayText(value);
    detailTextLabel()->setText(text);
    setNeedsLayout();
}

Ref<Object> PSTableCell::initWithStyleReuseIdentifierSpecifier(NSInteger style, std::string reuseIdentifier, PSSpecifier* specifier)
{
    Ref<Object> result = uikit::sel::initWithStyleReuseIdentifier.sendSuper(objc::classOf<PSTableCell>(), this, style, reuseIdentifier);
    if (!result)
        return result;
    m_specifier = specifier;
    m_type = specifier ? specifier->cellType() : PSStaticTextCell;
    switch (m_type) {
    case PSLinkCell:
    case PSLinkListCell:
        setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
        break;
    case PSButtonCell:
        textLabel()->setTextColor(UIColor::systemBlueColor());
        break;
    case PSStaticTextCell:
    case PSTitleValueCell:
    case PSSwitchCell:
    case PSSliderCell:
    case PSGroupCell:
        setSelectionStyle(UITableViewCellSelectionStyleNone);
        break;
    default:
        break;
    }
    return result;
}

void PSTableCell::showIcon(UIImage* icon)
{
    imageView()->setImage(icon);
    setNeedsLayout();
}

void PSTableCell::keepValue(Object* value)
{
    m_value = value;
    showValueText(value);
}

void PSTableCell::setCellEnabled(bool on)
{
    m_enabled = on;
    textLabel()->setEnabled(on);
    setUserInteractionEnabled(on);
}

// Shows the row's name, its icon (through setIcon:) and its current value.
void PSTableCell::showSpecifier(PSSpecifier* specifier)
{
    if (specifier && specifier != m_specifier.ptr())
        sel::setSpecifier(this, specifier);
    if (!specifier)
        return;
    textLabel()->setText(specifier->name());
    // An app's row names the app whose icon it loads; the cell keeps that name.
    if (auto* lazy = dynamic_cast<NSString*>(specifier->propertyForKey("appIDForLazyIcon").ptr()))
        sel::setLazyIconID(this, lazy->value());
    if (Ref<Object> icon = specifier->propertyForKey("iconImage")) {
        if (auto* image = dynamic_cast<UIImage*>(icon.ptr()))
            sel::setIcon(this, image);
    }
    if (specifier->getter())
        sel::setValue(this, preferences::readSpecifierValue(specifier).ptr());
    if (specifier->propertyForKey("enabled"))
        sel::setCellEnabled(this, specifier->boolProperty("enabled", true));
    setNeedsLayout();
}

void PSTableCell::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<PSTableCell>(rt, "UITableViewCell")
        .method(sel::initWithStyleReuseIdentifierSpecifier, &PSTableCell::initWithStyleReuseIdentifierSpecifier)
        .method(sel::specifier, &PSTableCell::specifierObject)
        .method(sel::setSpecifier, &PSTableCell::keepSpecifier)
        .method(sel::type, &PSTableCell::type)
        .method(sel::setIcon, &PSTableCell::showIcon)
        .method(sel::getLazyIconID, &PSTableCell::lazyIconID)
        .method(sel::setLazyIconID, &PSTableCell::keepLazyIconID)
        .method(sel::iconImageView, &PSTableCell::iconImageView)
        .method(sel::titleLabel, &PSTableCell::titleLabel)
        .method(sel::valueLabel, &PSTableCell::valueLabel)
        .method(sel::value, &PSTableCell::valueObject)
        .method(sel::setValue, &PSTableCell::keepValue)
        .method(sel::cellEnabled, &PSTableCell::cellEnabled)
        .method(sel::setCellEnabled, &PSTableCell::setCellEnabled)
        .method(sel::refreshCellContentsWithSpecifier, &PSTableCell::showSpecifier)
        .build();
}

void PSControlTableCell::keepControl(UIControl* control)
{
    if (m_control)
        m_control->removeTarget(this, sel::controlChanged, UIControlEventValueChanged);
    m_control = control;
    if (control)
        control->addTarget(this, sel::controlChanged, UIControlEventValueChanged);
}

Ref<Object> PSControlTableCell::noControlValue() { return nullptr; }

// The control moved: the new value goes to the row's setter (and is kept as the cell's value).
void PSControlTableCell::storeControlValue(Object*)
{
    Ref<Object> value = sel::controlValue(this);
    sel::setValue(this, value.ptr());
    preferences::writeSpecifierValue(specifier(), value);
}

void PSControlTableCell::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<PSControlTableCell>(rt, "PSTableCell")
        .method(sel::control, &PSControlTableCell::controlObject)
        .method(sel::setControl, &PSControlTableCell::keepControl)
        .method(sel::controlValue, &PSControlTableCell::noControlValue)
        .method(sel::controlChanged, &PSControlTableCell::storeControlValue)
        .build();
}

void PSSwitchTableCell::showValueInSwitch(Object* value)
{
    auto* toggle = dynamic_cast<UISwitch*>(m_control.ptr());
    if (!toggle)
        return;
    bool on = false;
    if (auto* number = dynamic_cast<NSNumber*>(value))
        on = number->boolValue();
    else if (auto* string = dynamic_cast<NSString*>(value))
        on = string->boolValue();
    toggle->setOn(on, false);
}

void PSSwitchTableCell::keepValueInSwitch(Object* value)
{
    sel::setValue.sendSuper(objc::classOf<PSSwitchTableCell>(), this, value);
    showValueInSwitch(value);
}

Ref<Object> PSSwitchTableCell::initWithStyleReuseIdentifierSpecifier(NSInteger style, std::string reuseIdentifier, PSSpecifier* specifier)
{
    Ref<Object> result = sel::initWithStyleReuseIdentifierSpecifier.sendSuper(objc::classOf<PSSwitchTableCell>(), this, style, reuseIdentifier, specifier);
    if (!result)
        return result;
    Ref<UISwitch> toggle = UISwitch::create(CGRectZero);
    sel::setControl(this, toggle.ptr());
    setAccessoryView(toggle);
    return result;
}

Ref<Object> PSSwitchTableCell::switchValue()
{
    auto* toggle = dynamic_cast<UISwitch*>(m_control.ptr());
    return NSNumber::withBool(toggle && toggle->isOn());
}

void PSSwitchTableCell::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<PSSwitchTableCell>(rt, "PSControlTableCell")
        .method(sel::setValue, &PSSwitchTableCell::keepValueInSwitch)
        .method(sel::initWithStyleReuseIdentifierSpecifier, &PSSwitchTableCell::initWithStyleReuseIdentifierSpecifier)
        .method(sel::controlValue, &PSSwitchTableCell::switchValue)
        .build();
}

void PSSliderTableCell::showValueInSlider(Object* value)
{
    auto* slider = dynamic_cast<UISlider*>(m_control.ptr());
    if (!slider)
        return;
    if (auto* number = dynamic_cast<NSNumber*>(value))
        slider->setValue(static_cast<float>(number->doubleValue()), false);
    else if (auto* string = dynamic_cast<NSString*>(value))
        slider->setValue(static_cast<float>(string->doubleValue()), false);
    if (auto label = slider->viewWithTag(kValueLabelTag))
        if (auto* text = dynamic_cast<UILabel*>(label.ptr()))
            text->setText(corefoundation::stringWithFormat("%.2f", static_cast<double>(slider->value())));
}

void PSSliderTableCell::keepValueInSlider(Object* value)
{
    sel::setValue.sendSuper(objc::classOf<PSSliderTableCell>(), this, value);
    showValueInSlider(value);
}

Ref<Object> PSSliderTableCell::initWithStyleReuseIdentifierSpecifier(NSInteger style, std::string reuseIdentifier, PSSpecifier* specifier)
{
    Ref<Object> result = sel::initWithStyleReuseIdentifierSpecifier.sendSuper(objc::classOf<PSSliderTableCell>(), this, style, reuseIdentifier, specifier);
    if (!result)
        return result;
    // With "showValue" the slider leaves room at its right for its value label.
    bool showsValue = specifier && specifier->boolProperty("showValue", false);
    double labelWidth = showsValue ? 50 : 0;
    Ref<UISlider> slider = UISlider::create(CGRectMake(15, 0, bounds().size.width - 30 - labelWidth, bounds().size.height));
    slider->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    double low = 0;
    double high = 1;
    if (specifier) {
        if (auto* min = dynamic_cast<NSNumber*>(specifier->propertyForKey("min").ptr()))
            low = min->doubleValue();
        if (auto* max = dynamic_cast<NSNumber*>(specifier->propertyForKey("max").ptr()))
            high = max->doubleValue();
    }
    slider->setMinimumValue(static_cast<float>(std::min(low, high)));
    slider->setMaximumValue(static_cast<float>(std::max(low, high)));
    if (showsValue) {
        auto label = UILabel::create(CGRectMake(slider->bounds().size.width + 6, 0, labelWidth - 6, slider->bounds().size.height));
        label->setTag(kValueLabelTag);
        label->setFont(UIFont::systemFontOfSize(13));
        label->setTextAlignment(NSTextAlignmentRight);
        label->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
        slider->addSubview(label);
    }
    contentView()->addSubview(slider);
    sel::setControl(this, slider.ptr());
    return result;
}

Ref<Object> PSSliderTableCell::sliderValue()
{
    auto* slider = dynamic_cast<UISlider*>(m_control.ptr());
    return NSNumber::withDouble(slider ? slider->value() : 0);
}

void PSSliderTableCell::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<PSSliderTableCell>(rt, "PSControlTableCell")
        .method(sel::setValue, &PSSliderTableCell::keepValueInSlider)
        .method(sel::initWithStyleReuseIdentifierSpecifier, &PSSliderTableCell::initWithStyleReuseIdentifierSpecifier)
        .method(sel::controlValue, &PSSliderTableCell::sliderValue)
        .build();
}
