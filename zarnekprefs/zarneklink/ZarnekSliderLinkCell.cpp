#include "zarnekprefs/zarneklink/ZarnekSliderLinkCell.h"

#include "platform/corefoundation/StringFormat.h"
#include "platform/foundation/NSBundle.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UILongPressGestureRecognizer.h"
#include "platform/uikit/UISlider.h"
#include "platform/uikit/UITextField.h"
#include "zarnekprefs/ZarnekPrefsSupport.h"
#include "zarnekprefs/ZarnekSelectors.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

using objc::Object;
using objc::Ref;

namespace {

constexpr const char* kPrompt = "Enter the value";

std::string uikitString(const std::string& key)
{
    Ref<NSBundle> uikit = NSBundle::bundleWithIdentifier("com.apple.UIKit");
    std::string text = uikit ? uikit->localizedStringForKey(key, "", "Localizable") : std::string();
    return text.empty() ? key : text;
}

} // namespace

std::optional<double> ZarnekSliderLinkCell::parseTypedValue(const std::string& text)
{
    std::size_t start = text.find_first_not_of(" \t");
    std::size_t end = text.find_last_not_of(" \t");
    if (start == std::string::npos)
        return std::nullopt;
    std::string trimmed = text.substr(start, end - start + 1);
    // The decimal pad of some regions types a comma.
    for (char& c : trimmed)
        if (c == ',')
            c = '.';
    errno = 0;
    char* stop = nullptr;
    double value = std::strtod(trimmed.c_str(), &stop);
    if (errno != 0 || stop != trimmed.c_str() + trimmed.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void ZarnekSliderLinkCell::layoutCellContents()
{
    objc::sendSuperOrZero(zarnek::sel::layoutSubviews, this);
    auto* slider = dynamic_cast<UISlider*>(control());
    if (!slider)
        return;
    Ref<PSSpecifier> row = specifier();
    if (row && row->boolProperty("manualInput", false) && m_recognizerSlider.strong().ptr() != slider) {
        slider->addGestureRecognizer(UIGestureRecognizer::create<UILongPressGestureRecognizer>(this, "handleLongPress:"));
        m_recognizerSlider = slider;
    }
    // Wider once, to the left, so that values like "100.00" fit; later passes keep it.
    Ref<UIView> label = slider->viewWithTag(kValueLabelTag);
    if (label && m_widenedLabel.strong() != label) {
        CGRect frame = label->frame();
        label->setFrame(CGRectMake(frame.origin.x - 10, frame.origin.y, frame.size.width + 10, frame.size.height));
        m_widenedLabel = label.ptr();
    }
}

void ZarnekSliderLinkCell::longPressed(Object* sender)
{
    auto* recognizer = dynamic_cast<UIGestureRecognizer*>(sender);
    if (recognizer && recognizer->state() != UIGestureRecognizerStateBegan)
        return;
    auto* slider = dynamic_cast<UISlider*>(control());
    if (!slider)
        return;
    std::string label = accessibilityLabel();
    if (label.empty() && textLabel())
        label = textLabel()->text();
    Ref<UIAlertController> alert = label.empty() ? UIAlertController::alertControllerWithTitle(kPrompt, "", UIAlertControllerStyleAlert)
                                                 : UIAlertController::alertControllerWithTitle(label, kPrompt, UIAlertControllerStyleAlert);
    std::string current = corefoundation::stringWithFormat("%.02f", static_cast<double>(slider->value()));
    alert->addTextFieldWithConfigurationHandler([current](UITextField* field) {
        field->setKeyboardType(UIKeyboardTypeDecimalPad);
        field->setText(current);
    });
    objc::WeakRef<ZarnekSliderLinkCell> weakSelf(this);
    objc::WeakRef<UIAlertController> weakAlert(alert.ptr());
    alert->addAction(UIAlertAction::actionWithTitle(uikitString("OK"), UIAlertActionStyleDefault, [weakSelf, weakAlert](UIAlertAction*) {
        Ref<ZarnekSliderLinkCell> cell = weakSelf.strong();
        Ref<UIAlertController> shown = weakAlert.strong();
        if (cell && shown && !shown->textFields().empty())
            zarnek::sel::applyTypedValue.orZero(cell, shown->textFields().front()->text());
    }));
    alert->addAction(UIAlertAction::actionWithTitle(uikitString("Cancel"), UIAlertActionStyleCancel, nullptr));
    if (UIViewController* presenter = zarnek::presentingController())
        presenter->presentViewController(alert, true);
}

void ZarnekSliderLinkCell::applyTypedValue(const std::string& text)
{
    auto* slider = dynamic_cast<UISlider*>(control());
    if (!slider)
        return;
    // A text that is no number changes nothing; a number beyond the slider's ends is taken as the
    // nearer end, as a drag past the end would be.
    std::optional<double> value = parseTypedValue(text);
    if (!value)
        return;
    double clamped = std::clamp(*value, static_cast<double>(slider->minimumValue()), static_cast<double>(slider->maximumValue()));
    slider->setValue(static_cast<float>(clamped));
    // As if the finger had moved it: the row stores the value through its setter.
    slider->sendActionsForControlEvents(UIControlEventValueChanged);
}

void ZarnekSliderLinkCell::registerClass(objc::Runtime& rt)
{
    using Self = ZarnekSliderLinkCell;
    objc::ClassBuilder<Self>(rt, "PSSliderTableCell")
        .method(zarnek::sel::layoutSubviews, &Self::layoutCellContents)
        .method(zarnek::sel::handleLongPress, &Self::longPressed)
        .method(zarnek::sel::applyTypedValue, &Self::applyTypedValue)
        .buildSystemClass();
}
