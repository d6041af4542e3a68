#include "zarnekprefs/zarnekcolorpicker/ZarnekColorPicker.h"

#include "platform/corefoundation/NSString.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSBundle.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UISlider.h"
#include "zarnekprefs/ZarnekPrefsSupport.h"
#include "zarnekprefs/ZarnekSelectors.h"
#include "zarnekprefs/zarnekcolorpicker/UIColor+ZarnekHex.h"
#include "zarnekprefs/zarnekcolorpicker/ZarnekColorPalettes.h"

using objc::Object;
using objc::Ref;

namespace {

constexpr const char* kPickerCellIdentifier = "ColorSwatchCell";
constexpr CGSize kSwatchSize { 48, 24 };
constexpr double kCustomRowHeight = 130;

std::string colourHexOf(NSDictionary* entry)
{
    auto hex = entry ? entry->stringForKey("hex") : std::nullopt;
    return hex.value_or(std::string());
}

std::string stringOf(Object* value)
{
    auto* string = dynamic_cast<NSString*>(value);
    return string ? string->value() : std::string();
}

void giveBorder(UIImageView* view, bool on)
{
    view->layer()->setBorderWidth(on ? 1 : 0);
    view->layer()->setBorderColor(UIColor::colorWithWhite(0.8, 1)->CGColor());
}

} // namespace

void ZarnekColorPicker::buildView()
{
    m_table = UITableView::create(UIScreen::mainScreen()->bounds(), UITableViewStyleGrouped);
    m_table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_table->setDelegate(this);
    m_table->setDataSource(this);
    m_table->setRowHeight(44);
    setView(m_table);
}

void ZarnekColorPicker::viewLoaded()
{
    objc::sendSuperOrZero(zarnek::sel::viewDidLoad, this);
    Ref<PSSpecifier> row = specifier();
    if (!row)
        return;
    setTitle(row->name());
    m_prefKey = row->stringProperty("key");
    m_appID = row->stringProperty("defaults");
    m_defaultColor = row->stringProperty("default");
    m_notificationKey = row->stringProperty("PostNotification");
    m_refreshPreviewNotificationKey = row->stringProperty("PreviewNotification");
    m_disabledTitle = row->stringProperty("disabledTitle");
    m_disabledSubtitle = row->stringProperty("disabledSubtitle");
    // A stored value of another kind (a number, a dictionary) is left alone until the user
    // chooses: the picker shows the default meanwhile.
    m_selectedColor = stringOf(zarnek::readStoredValue(m_appID, m_prefKey).ptr());
    if (m_selectedColor.empty())
        m_selectedColor = m_defaultColor;
    m_allowAutomatic = row->boolProperty("allowAutomatic", true);
    m_allowTransparent = row->boolProperty("allowTransparent", true);
}

Ref<NSDictionary> ZarnekColorPicker::entryAt(NSInteger section, NSInteger row)
{
    Ref<NSArray> all = zarnek::sel::palettes(this);
    auto* palette = all ? dynamic_cast<NSDictionary*>(all->objectAtIndex(static_cast<std::size_t>(std::max<NSInteger>(section, 0)))) : nullptr;
    if (!palette || section < 0 || row < 0)
        return nullptr;
    auto* colours = dynamic_cast<NSArray*>(palette->objectForKey("colors"));
    return colours ? Ref<NSDictionary>(dynamic_cast<NSDictionary*>(colours->objectAtIndex(static_cast<std::size_t>(row)))) : nullptr;
}

Ref<UITableViewCell> ZarnekColorPicker::cellFor(UITableView* table, NSIndexPath* path)
{
    Ref<UITableViewCell> cell = table ? table->dequeueReusableCellWithIdentifier(kPickerCellIdentifier) : nullptr;
    if (!cell) {
        cell = UITableViewCell::create(UITableViewCellStyleSubtitle, kPickerCellIdentifier);
        cell->setOpaque(true);
        cell->setSelectionStyle(UITableViewCellSelectionStyleNone);
        cell->setAccessoryType(UITableViewCellAccessoryNone);
        cell->textLabel()->setFont(UIFont::systemFontOfSize(14));
        cell->textLabel()->setTextColor(UIColor::blackColor());
        cell->detailTextLabel()->setFont(UIFont::systemFontOfSize(10));
        cell->detailTextLabel()->setTextColor(UIColor::colorWithWhite(0.7, 1));
    }
    cell->textLabel()->setText("");
    cell->detailTextLabel()->setText("");
    cell->imageView()->setImage(nullptr);
    giveBorder(cell->imageView(), false);
    cell->setUserInteractionEnabled(true);
    cell->textLabel()->setEnabled(true);
    cell->setTag(0);
    if (Ref<UIView> old = cell->viewWithTag(kSliderContainerTag))
        old->removeFromSuperview();
    if (!path)
        return cell;

    Ref<NSDictionary> entry = entryAt(path->section(), path->row());
    std::string hex = colourHexOf(entry);
    cell->textLabel()->setText(entry ? entry->stringForKey("name").value_or("") : "");
    if (path->section() == 0) {
        cell->detailTextLabel()->setText(zarnek::palettes::specialSubtitle(hex));
        bool enabled = true;
        if (path->row() == 0) {
            if (!m_disabledTitle.empty())
                cell->textLabel()->setText(m_disabledTitle);
            if (!m_disabledSubtitle.empty())
                cell->detailTextLabel()->setText(m_disabledSubtitle);
        } else if (path->row() == 1) {
            enabled = m_allowTransparent;
        } else {
            enabled = m_allowAutomatic;
        }
        cell->setUserInteractionEnabled(enabled);
        cell->textLabel()->setEnabled(enabled);
    } else {
        cell->detailTextLabel()->setText(hex);
        cell->imageView()->setImage(zarnek::thumbnailWithSize(zarnek::colorFromHexString(hex), kSwatchSize));
        giveBorder(cell->imageView(), hex == "#FFFFFF");
    }
    bool checked = hex == m_selectedColor;
    if (path->section() == kCustomSection) {
        cell->detailTextLabel()->setText(m_selectedColor);
        Ref<UIColor> colour = zarnek::colorFromHexString(m_selectedColor);
        cell->imageView()->setImage(zarnek::thumbnailWithSize(colour, kSwatchSize));
        if (Ref<UIView> sliders = zarnek::sel::getSliderViewWithColor(this, colour.ptr()))
            cell->contentView()->addSubview(sliders);
        cell->setTag(kCustomCellTag);
        giveBorder(cell->imageView(), true);
        checked = !zarnek::sel::presetColorExists(this, m_selectedColor);
    }
    if (checked)
        m_selectedIndexPath = NSIndexPath::indexPathForRow(path->row(), path->section());
    cell->setAccessoryType(checked ? UITableViewCellAccessoryCheckmark : UITableViewCellAccessoryNone);
    return cell;
}

Ref<UIView> ZarnekColorPicker::sliderContainer(UIColor* colour)
{
    Ref<UIDevice> device = UIDevice::currentDevice();
    bool large = device && objc::respondsToSelector(device, "userInterfaceIdiom") && device->userInterfaceIdiom() == UIUserInterfaceIdiomPad;
    double containerWidth = large ? 300 : 220;
    double sliderWidth = large ? 250 : 170;
    CGFloat components[3] = { 0, 0, 0 };
    if (colour)
        colour->getRed(&components[0], &components[1], &components[2], nullptr);
    Ref<UIView> container = UIView::create(CGRectMake(160, 0, containerWidth, kCustomRowHeight));
    container->setTag(kSliderContainerTag);
    const Ref<UIColor> tints[3] = { UIColor::colorWithRed(1, 59 / 255.0, 48 / 255.0, 1), UIColor::colorWithRed(76 / 255.0, 217 / 255.0, 100 / 255.0, 1),
        UIColor::colorWithRed(0, 122 / 255.0, 1, 1) };
    for (int i = 0; i < 3; ++i) {
        Ref<UISlider> slider = UISlider::create(CGRectMake(0, 20 + 40 * i, sliderWidth, 10));
        slider->setMinimumValue(0);
        slider->setMaximumValue(255);
        slider->setContinuous(true);
        slider->setBackgroundColor(UIColor::clearColor());
        slider->setMinimumTrackTintColor(tints[i]);
        slider->setThumbTintColor(tints[i]);
        slider->setValue(static_cast<float>(components[i] * 255));
        slider->setTag(kRedSliderTag + i);
        slider->addTarget(this, "sliderAction:", UIControlEventValueChanged);
        slider->addTarget(this, "sliderDidEndSliding:", UIControlEventTouchUpInside | UIControlEventTouchUpOutside);
        container->addSubview(slider);
    }
    return container;
}

void ZarnekColorPicker::rowSelected(UITableView* table, NSIndexPath* path)
{
    if (!table || !path)
        return;
    UITableViewCell* tapped = table->cellForRowAtIndexPath(path);
    table->deselectRowAtIndexPath(path, false);
    if (tapped && tapped->accessoryType() == UITableViewCellAccessoryCheckmark)
        return;
    if (m_selectedIndexPath)
        if (UITableViewCell* previous = table->cellForRowAtIndexPath(m_selectedIndexPath))
            previous->setAccessoryType(UITableViewCellAccessoryNone);
    if (tapped)
        tapped->setAccessoryType(UITableViewCellAccessoryCheckmark);
    m_selectedIndexPath = NSIndexPath::indexPathForRow(path->row(), path->section());
    if (path->section() < kCustomSection) {
        m_selectedColor = colourHexOf(entryAt(path->section(), path->row()));
        zarnek::sel::setCustomColorNotifyTweak(this, NSString::make(m_selectedColor).ptr(), true);
        zarnek::sel::notifyTweak(this, NSString::make(m_selectedColor).ptr());
    } else {
        auto* custom = dynamic_cast<UITableViewCell*>(view()->viewWithTag(kCustomCellTag).ptr());
        m_selectedColor = custom && custom->detailTextLabel() ? custom->detailTextLabel()->text() : m_selectedColor;
        zarnek::sel::notifyTweak(this, NSString::make(m_selectedColor).ptr());
    }
}

void ZarnekColorPicker::setCustomColor(Object* hex, bool notifyTweak)
{
    UISlider* sliders[3] = {};
    Ref<UIView> found[3];
    for (int i = 0; i < 3; ++i) {
        found[i] = view()->viewWithTag(kRedSliderTag + i);
        sliders[i] = dynamic_cast<UISlider*>(found[i].ptr());
        if (!sliders[i])
            return; // the custom row is off screen
    }
    if (auto* string = dynamic_cast<NSString*>(hex)) {
        CGFloat components[3] = { 0, 0, 0 };
        zarnek::colorFromHexString(string->value())->getRed(&components[0], &components[1], &components[2], nullptr);
        for (int i = 0; i < 3; ++i)
            sliders[i]->setValue(static_cast<float>(components[i] * 255));
    }
    std::string custom = zarnek::hexStringFromComponents(sliders[0]->value(), sliders[1]->value(), sliders[2]->value());
    auto* cell = dynamic_cast<UITableViewCell*>(view()->viewWithTag(kCustomCellTag).ptr());
    if (!cell)
        return;
    cell->imageView()->setImage(zarnek::thumbnailWithSize(zarnek::colorFromHexString(custom), kSwatchSize));
    if (cell->detailTextLabel())
        cell->detailTextLabel()->setText(custom);
    cell->setNeedsLayout();
    if (cell->accessoryType() == UITableViewCellAccessoryCheckmark && notifyTweak) {
        m_selectedColor = custom;
        zarnek::sel::notifyTweak(this, NSString::make(custom).ptr());
    }
}

void ZarnekColorPicker::notify(Object* value)
{
    if (!m_appID.empty() && !m_prefKey.empty())
        zarnek::storeValue(m_appID, m_prefKey, value);
    if (!m_refreshPreviewNotificationKey.empty())
        NSNotificationCenter::defaultCenter()->postNotificationName(m_refreshPreviewNotificationKey, nullptr);
    zarnek::postDarwinNotification(m_notificationKey);
}

namespace {

// The palette of a section, null outside the palettes.
Ref<NSDictionary> paletteAt(ZarnekColorPicker* self, std::int64_t section)
{
    Ref<NSArray> all = zarnek::sel::palettes(self);
    return Ref<NSDictionary>(all && section >= 0 ? dynamic_cast<NSDictionary*>(all->objectAtIndex(static_cast<std::size_t>(section))) : nullptr);
}

std::int64_t pickerSectionCount(ZarnekColorPicker* self, UITableView*)
{
    Ref<NSArray> all = zarnek::sel::palettes(self);
    return all ? static_cast<std::int64_t>(all->count()) : 0;
}

std::string pickerSectionTitle(ZarnekColorPicker* self, UITableView*, std::int64_t section)
{
    Ref<NSDictionary> palette = paletteAt(self, section);
    return palette ? palette->stringForKey("title").value_or("") : std::string();
}

std::int64_t pickerRowCount(ZarnekColorPicker* self, UITableView*, std::int64_t section)
{
    Ref<NSDictionary> palette = paletteAt(self, section);
    auto* colours = palette ? dynamic_cast<NSArray*>(palette->objectForKey("colors")) : nullptr;
    return colours ? static_cast<std::int64_t>(colours->count()) : 0;
}

double pickerRowHeight(ZarnekColorPicker*, UITableView* table, NSIndexPath* path)
{
    if (path && path->section() == ZarnekColorPicker::kCustomSection)
        return kCustomRowHeight;
    return table ? table->rowHeight() : 44;
}

Ref<NSArray> allPalettes(ZarnekColorPicker*) { return zarnek::palettes::allPalettes(); }
Ref<NSArray> specialColors(ZarnekColorPicker*) { return zarnek::palettes::specialColors(); }
Ref<NSArray> iOSColors(ZarnekColorPicker*) { return zarnek::palettes::iOSColors(); }
Ref<NSArray> crayonColors(ZarnekColorPicker*) { return zarnek::palettes::crayonColors(); }
Ref<NSArray> customColor(ZarnekColorPicker*) { return zarnek::palettes::customColor(); }
bool presetColorExists(ZarnekColorPicker*, std::string hex) { return zarnek::palettes::presetColorExists(hex); }
Ref<NSArray> sortByHue(ZarnekColorPicker*, NSArray* entries) { return zarnek::palettes::sortByHue(entries); }

// A slider moved (the colour shown, the tweak not yet told) or let go (the tweak told).
void slid(ZarnekColorPicker* self, Object*) { zarnek::sel::setCustomColorNotifyTweak(self, nullptr, false); }
void slidingEnded(ZarnekColorPicker* self, Object*) { zarnek::sel::setCustomColorNotifyTweak(self, nullptr, true); }

std::string selectedColorOf(ZarnekColorPicker* self) { return self->selectedColor(); }

} // namespace

void ZarnekColorPicker::registerClass(objc::Runtime& rt)
{
    using Self = ZarnekColorPicker;
    namespace sel = zarnek::sel;
    objc::ClassBuilder<Self>(rt, "PSViewController")
        .method(sel::loadView, &Self::buildView)
        .method(sel::viewDidLoad, &Self::viewLoaded)
        .method(sel::numberOfSectionsInTableView, &pickerSectionCount)
        .method(sel::titleForHeaderInSection, &pickerSectionTitle)
        .method(sel::numberOfRowsInSection, &pickerRowCount)
        .method(sel::heightForRowAtIndexPath, &pickerRowHeight)
        .method(sel::cellForRowAtIndexPath, &Self::cellFor)
        .method(sel::didSelectRowAtIndexPath, &Self::rowSelected)
        .method(sel::palettes, &allPalettes)
        .method(sel::specialColors, &specialColors)
        .method(sel::iOSColors, &iOSColors)
        .method(sel::crayonColors, &crayonColors)
        .method(sel::customColor, &customColor)
        .method(sel::presetColorExists, &presetColorExists)
        .method(sel::sortPaletteByHue, &sortByHue)
        .method(sel::getSliderViewWithColor, &Self::sliderContainer)
        .method(sel::setCustomColorNotifyTweak, &Self::setCustomColor)
        .method(sel::sliderAction, &slid)
        .method(sel::sliderDidEndSliding, &slidingEnded)
        .method(sel::notifyTweak, &Self::notify)
        .method(sel::selectedColor, &selectedColorOf)
        .method(sel::selectedIndexPath, &Self::selectedIndexPathRef)
        .buildSystemClass();
}
