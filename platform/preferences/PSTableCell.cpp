#include "platform/preferences/PSTableCell.h"

#include "platform/corefoundation/Create.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/corefoundation/StringFormat.h"
#include "platform/preferences/PreferenceValues.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UISlider.h"
#include "platform/uikit/UISwitch.h"

#include <algorithm>

using objc::Class;
using objc::msgSend;
using objc::Object;
using objc::Ref;
using objc::SEL;

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
    Ref<Object> made = msgSend<Ref<Object>>(cls, "alloc");
    Ref<Object> cell = msgSend<Ref<Object>>(made, "initWithStyle:reuseIdentifier:specifier:", style, reuseIdentifier, specifier);
    return Ref<PSTableCell>(dynamic_cast<PSTableCell*>(cell.ptr()));
}

Ref<PSSpecifier> PSTableCell::specifier() { return msgSend<Ref<PSSpecifier>>(this, "specifier"); }
void PSTableCell::setIcon(UIImage* icon) { msgSend(this, "setIcon:", icon); }
void PSTableCell::setValue(Object* value) { msgSend(this, "setValue:", value); }
void PSTableCell::refreshCellContentsWithSpecifier(PSSpecifier* specifier) { msgSend(this, "refreshCellContentsWithSpecifier:", specifier); }

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

void PSTableCell::registerClass(objc::Runtime& rt)
{
    Class* c = rt.registerClass<PSTableCell>("UITableViewCell");
    c->addMethod("initWithStyle:reuseIdentifier:specifier:", [c](PSTableCell* self, SEL, NSInteger style, std::string reuseIdentifier, PSSpecifier* specifier) {
        Ref<Object> result = objc::msgSendSuper<Ref<Object>>(c, self, "initWithStyle:reuseIdentifier:", style, reuseIdentifier);
        if (!result)
            return result;
        self->m_specifier = specifier;
        self->m_type = specifier ? specifier->cellType() : PSStaticTextCell;
        switch (self->m_type) {
        case PSLinkCell:
        case PSLinkListCell:
            self->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
            break;
        case PSButtonCell:
            self->textLabel()->setTextColor(UIColor::systemBlueColor());
            break;
        case PSStaticTextCell:
        case PSTitleValueCell:
        case PSSwitchCell:
        case PSSliderCell:
        case PSGroupCell:
            self->setSelectionStyle(UITableViewCellSelectionStyleNone);
            break;
        default:
            break;
        }
        return result;
    });
    c->addMethod("specifier", [](PSTableCell* self, SEL) { return self->m_specifier; });
    c->addMethod("setSpecifier:", [](PSTableCell* self, SEL, PSSpecifier* specifier) { self->m_specifier = specifier; });
    c->addMethod("type", [](PSTableCell* self, SEL) { return static_cast<long>(self->m_type); });
    c->addMethod("setIcon:", [](PSTableCell* self, SEL, UIImage* icon) {
        self->imageView()->setImage(icon);
        self->setNeedsLayout();
    });
    c->addMethod("getLazyIconID", [](PSTableCell* self, SEL) { return self->m_lazyIconID; });
    c->addMethod("setLazyIconID:", [](PSTableCell* self, SEL, std::string identifier) { self->m_lazyIconID = std::move(identifier); });
    c->addMethod("iconImageView", [](PSTableCell* self, SEL) { return Ref<UIImageView>(self->imageView()); });
    c->addMethod("titleLabel", [](PSTableCell* self, SEL) { return Ref<UILabel>(self->textLabel()); });
    c->addMethod("valueLabel", [](PSTableCell* self, SEL) { return Ref<UILabel>(self->detailTextLabel()); });
    c->addMethod("value", [](PSTableCell* self, SEL) { return self->m_value; });
    c->addMethod("setValue:", [](PSTableCell* self, SEL, Object* value) {
        self->m_value = value;
        self->showValueText(value);
    });
    c->addMethod("cellEnabled", [](PSTableCell* self, SEL) { return self->m_enabled; });
    c->addMethod("setCellEnabled:", [](PSTableCell* self, SEL, bool on) {
        self->m_enabled = on;
        self->textLabel()->setEnabled(on);
        self->setUserInteractionEnabled(on);
    });
    // Shows the row's name, its icon (through setIcon:) and its current value.
    c->addMethod("refreshCellContentsWithSpecifier:", [](PSTableCell* self, SEL, PSSpecifier* specifier) {
        if (specifier && specifier != self->m_specifier.ptr())
            msgSend(self, "setSpecifier:", specifier);
        if (!specifier)
            return;
        self->textLabel()->setText(specifier->name());
        // An app's row names the app whose icon it loads; the cell keeps that name.
        if (auto* lazy = dynamic_cast<NSString*>(specifier->propertyForKey("appIDForLazyIcon").ptr()))
            msgSend(self, "setLazyIconID:", lazy->value());
        if (Ref<Object> icon = specifier->propertyForKey("iconImage")) {
            if (auto* image = dynamic_cast<UIImage*>(icon.ptr()))
                msgSend(self, "setIcon:", image);
        }
        if (specifier->getter())
            msgSend(self, "setValue:", preferences::readSpecifierValue(specifier));
        if (specifier->propertyForKey("enabled"))
            msgSend(self, "setCellEnabled:", specifier->boolProperty("enabled", true));
        self->setNeedsLayout();
    });
}

void PSControlTableCell::registerClass(objc::Runtime& rt)
{
    Class* c = rt.registerClass<PSControlTableCell>("PSTableCell");
    c->addMethod("control", [](PSControlTableCell* self, SEL) { return Ref<UIControl>(self->m_control); });
    c->addMethod("setControl:", [](PSControlTableCell* self, SEL, UIControl* control) {
        if (self->m_control)
            self->m_control->removeTarget(self, objc::sel_registerName("controlChanged:"), UIControlEventValueChanged);
        self->m_control = control;
        if (control)
            control->addTarget(self, "controlChanged:", UIControlEventValueChanged);
    });
    c->addMethod("controlValue", [](PSControlTableCell*, SEL) { return Ref<Object>(); });
    // The control moved: the new value goes to the row's setter (and is kept as the cell's value).
    c->addMethod("controlChanged:", [](PSControlTableCell* self, SEL, Object*) {
        Ref<Object> value = msgSend<Ref<Object>>(self, "controlValue");
        msgSend(self, "setValue:", value.ptr());
        preferences::writeSpecifierValue(self->specifier(), value);
    });
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

void PSSwitchTableCell::registerClass(objc::Runtime& rt)
{
    Class* c = rt.registerClass<PSSwitchTableCell>("PSControlTableCell");
    c->addMethod("setValue:", [c](PSSwitchTableCell* self, SEL, Object* value) {
        objc::msgSendSuper(c, self, "setValue:", value);
        self->showValueInSwitch(value);
    });
    c->addMethod("initWithStyle:reuseIdentifier:specifier:", [c](PSSwitchTableCell* self, SEL, NSInteger style, std::string reuseIdentifier, PSSpecifier* specifier) {
        Ref<Object> result = objc::msgSendSuper<Ref<Object>>(c, self, "initWithStyle:reuseIdentifier:specifier:", style, reuseIdentifier, specifier);
        if (!result)
            return result;
        Ref<UISwitch> toggle = UISwitch::create(CGRectZero);
        msgSend(self, "setControl:", toggle.ptr());
        self->setAccessoryView(toggle);
        return result;
    });
    c->addMethod("controlValue", [](PSSwitchTableCell* self, SEL) {
        auto* toggle = dynamic_cast<UISwitch*>(self->m_control.ptr());
        return Ref<Object>(NSNumber::withBool(toggle && toggle->isOn()));
    });
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

void PSSliderTableCell::registerClass(objc::Runtime& rt)
{
    Class* c = rt.registerClass<PSSliderTableCell>("PSControlTableCell");
    c->addMethod("setValue:", [c](PSSliderTableCell* self, SEL, Object* value) {
        objc::msgSendSuper(c, self, "setValue:", value);
        self->showValueInSlider(value);
    });
    c->addMethod("initWithStyle:reuseIdentifier:specifier:", [c](PSSliderTableCell* self, SEL, NSInteger style, std::string reuseIdentifier, PSSpecifier* specifier) {
        Ref<Object> result = objc::msgSendSuper<Ref<Object>>(c, self, "initWithStyle:reuseIdentifier:specifier:", style, reuseIdentifier, specifier);
        if (!result)
            return result;
        // With "showValue" the slider leaves room at its right for its value label.
        bool showsValue = specifier && specifier->boolProperty("showValue", false);
        double labelWidth = showsValue ? 50 : 0;
        Ref<UISlider> slider = UISlider::create(CGRectMake(15, 0, self->bounds().size.width - 30 - labelWidth, self->bounds().size.height));
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
        self->contentView()->addSubview(slider);
        msgSend(self, "setControl:", slider.ptr());
        return result;
    });
    c->addMethod("controlValue", [](PSSliderTableCell* self, SEL) {
        auto* slider = dynamic_cast<UISlider*>(self->m_control.ptr());
        return Ref<Object>(NSNumber::withDouble(slider ? slider->value() : 0));
    });
}
