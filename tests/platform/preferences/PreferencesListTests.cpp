#include "platform/foundation/NSBundle.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/preferences/PSTableCell.h"
#include "platform/preferences/PSSpecifierList.h"
#include "platform/substrate/Substrate.h"
#include "platform/uikit/UISlider.h"
#include "platform/uikit/UISwitch.h"
#include "tests/platform/preferences/PreferencesTestSupport.h"

using objc::Class;
using objc::msgSend;
using objc::Object;
using objc::Ref;
using objc::SEL;

namespace {

const char* kBundle = "/Library/PreferenceBundles/demo.bundle";

// What the demo pane's methods saw.
struct Calls {
    int counts = 0;
    std::vector<std::string> actions;
};
Calls* calls = nullptr;

Ref<UIImage> solidImage(double red, double green, double blue)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(29, 29), false, 2);
    CGContextSetRGBFillColor(UIGraphicsGetCurrentContext(), red, green, blue, 1);
    UIRectFill(CGRectMake(0, 0, 29, 29));
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

class ListTest : public PreferencesTest {
protected:
    void SetUp() override
    {
        calls = &m_calls;
        writePlist(std::string(kBundle) + "/Root.plist", R"(<dict><key>title</key><string>Demo</string><key>items</key><array>
            <dict><key>cell</key><string>PSGroupCell</string><key>label</key><string>Options</string>
                  <key>footerText</key><string>Changes apply at once.</string></dict>
            <dict><key>cell</key><string>PSLinkCell</string><key>label</key><string>More</string>
                  <key>detail</key><string>DemoDetailController</string><key>id</key><string>MORE</string></dict>
            <dict><key>cell</key><string>PSTitleValueCell</string><key>label</key><string>Icons</string><key>get</key><string>getCount:</string></dict>
            <dict><key>cell</key><string>PSGroupCell</string></dict>
            <dict><key>cell</key><string>PSButtonCell</string><key>label</key><string>Restore</string><key>action</key><string>restore:</string></dict>
            <dict><key>cell</key><string>PSStaticTextCell</string><key>label</key><string>Styled</string><key>cellClass</key><string>DemoCell</string></dict>
            <dict><key>cell</key><string>PSStaticTextCell</string><key>label</key><string>Plain</string><key>cellClass</key><string>NoSuchCell</string></dict>
            <dict><key>cell</key><string>PSLinkListCell</string><key>label</key><string>Mode</string>
                  <key>defaults</key><string>com.demo</string><key>key</key><string>mode</string><key>default</key><integer>0</integer>
                  <key>PostNotification</key><string>com.demo.changed</string>
                  <key>validValues</key><array><integer>0</integer><integer>1</integer><integer>2</integer></array>
                  <key>validTitles</key><array><string>Tap</string><string>Swipe</string><string>Button</string></array></dict>
        </array></dict>)");

        objc::Runtime& rt = env.runtime();
        // A pane as a settings bundle writes one: it loads its list once into _specifiers.
        Class* pane = rt.registerClass("DemoListController", rt.requireClass("PSListController"));
        pane->addMethod("specifiers", [](PSListController* self, SEL) {
            if (!objc::getIvar<Ref<NSArray>>(self, "_specifiers"))
                objc::setIvar(self, "_specifiers", self->loadSpecifiersFromPlistName("Root", self));
            return objc::getIvar<Ref<NSArray>>(self, "_specifiers");
        });
        pane->addMethod("getCount:", [](PSListController*, SEL, PSSpecifier*) { return std::to_string(++calls->counts); });
        pane->addMethod("restore:", [](PSListController*, SEL, Object* sender) {
            calls->actions.push_back("restore:" + (sender ? static_cast<PSSpecifier*>(sender)->identifier() : std::string("nil")));
        });
        rt.registerClass("DemoDetailController", rt.requireClass("PSListController"));
        Class* cell = rt.registerClass("DemoCell", rt.requireClass("PSTableCell"));
        cell->addMethod("initWithStyle:reuseIdentifier:specifier:", [cell](PSTableCell* self, SEL, NSInteger style, std::string reuse, PSSpecifier* specifier) {
            Ref<Object> made = objc::msgSendSuper<Ref<Object>>(cell, self, "initWithStyle:reuseIdentifier:specifier:", style, reuse, specifier);
            self->setBackgroundColor(UIColor::yellowColor());
            return made;
        });

        list = Ref<PSListController>(dynamic_cast<PSListController*>(preferences::makeController(rt.requireClass("DemoListController")).ptr()));
        ASSERT_TRUE(list);
        list->setBundle(NSBundle::bundleWithPath(kBundle));
        showInNavigation(list);
    }

    Calls m_calls;
    Ref<PSListController> list;
};

} // namespace

TEST_F(ListTest, SectionsHeadersFootersAndCellsComeFromTheList)
{
    EXPECT_EQ(list->title(), "Demo");
    Ref<UITableView> table = list->table();
    ASSERT_EQ(table->numberOfSections(), 2);
    EXPECT_EQ(table->numberOfRowsInSection(0), 2);
    EXPECT_EQ(table->numberOfRowsInSection(1), 4);
    EXPECT_EQ(msgSend<std::string>(list, "tableView:titleForHeaderInSection:", table.ptr(), 0), "Options");
    EXPECT_EQ(msgSend<std::string>(list, "tableView:titleForFooterInSection:", table.ptr(), 0), "Changes apply at once.");
    EXPECT_EQ(msgSend<std::string>(list, "tableView:titleForFooterInSection:", table.ptr(), 1), "");

    UITableViewCell* link = cellAt(list, 0, 0);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->textLabel()->text(), "More");
    EXPECT_EQ(link->accessoryType(), UITableViewCellAccessoryDisclosureIndicator);

    UITableViewCell* value = cellAt(list, 0, 1);
    ASSERT_NE(value, nullptr);
    ASSERT_NE(value->detailTextLabel(), nullptr);
    EXPECT_EQ(value->detailTextLabel()->text(), "1") << "the getter's string is the row's value";

    EXPECT_EQ(objc::classNameOf(cellAt(list, 1, 1)), "DemoCell") << "a cell class named by the row is made by name";
    EXPECT_EQ(objc::classNameOf(cellAt(list, 1, 2)), "PSTableCell") << "an unknown cell class falls back to the standard cell";
    EXPECT_EQ(cellAt(list, 1, 3)->detailTextLabel()->text(), "Tap") << "a list row shows the title of its value";

    EXPECT_EQ(list->specifierForID("MORE")->name(), "More");
    EXPECT_EQ(list->specifierForID("NONE"), nullptr);
}

TEST_F(ListTest, LinkRowsPushTheirControllerWithTheirSpecifier)
{
    tapRow(list, 0, 0);
    UIViewController* top = navigation->topViewController();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(objc::classNameOf(top), "DemoDetailController");
    auto* detail = dynamic_cast<PSViewController*>(top);
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->specifier(), list->specifierForID("MORE"));
    EXPECT_EQ(detail->title(), "More");
    EXPECT_EQ(detail->parentController(), list.ptr());
    EXPECT_EQ(detail->bundle(), list->bundle()) << "a pane opened from a list shares its bundle";
}

TEST_F(ListTest, ButtonRowsSendTheirActionWithTheSpecifierAndReloadAsksGettersAgain)
{
    tapRow(list, 1, 0);
    EXPECT_EQ(m_calls.actions, (std::vector<std::string> { "restore:Restore" }));
    EXPECT_EQ(navigation->viewControllers().size(), 1u) << "a button row pushes nothing";

    EXPECT_EQ(m_calls.counts, 1);
    list->reloadSpecifiers();
    EXPECT_EQ(cellAt(list, 0, 1)->detailTextLabel()->text(), "2");
}

TEST_F(ListTest, LinkListOpensItsChoicesAndStoresTheChosenValue)
{
    observeDarwin();
    tapRow(list, 1, 3);
    auto* choices = dynamic_cast<PSListController*>(navigation->topViewController());
    ASSERT_NE(choices, nullptr);
    EXPECT_EQ(objc::classNameOf(choices), "PSListItemsController");
    EXPECT_EQ(cellAt(choices, 0, 0)->accessoryType(), UITableViewCellAccessoryCheckmark) << "the default is checked";
    EXPECT_EQ(cellAt(choices, 0, 2)->textLabel()->text(), "Button");

    tapRow(choices, 0, 2);
    auto storedHeld = CFPreferencesCopyAppValue("mode", "com.demo");
    auto* stored = dynamic_cast<NSNumber*>(storedHeld.ptr());
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->integerValue(), 2);
    EXPECT_EQ(cellAt(choices, 0, 2)->accessoryType(), UITableViewCellAccessoryCheckmark);
    EXPECT_EQ(cellAt(choices, 0, 0)->accessoryType(), UITableViewCellAccessoryNone);
    EXPECT_EQ(posted, (std::vector<std::string> { "com.demo.changed" }));

    navigation->popViewControllerAnimated(false);
    settle();
    EXPECT_EQ(cellAt(list, 1, 3)->detailTextLabel()->text(), "Button") << "the list shows the new value when it comes back";
}

TEST_F(ListTest, SetIconIsSentThroughTheRuntimeSoAReplacementSeesEveryIcon)
{
    Ref<UIImage> original = solidImage(1, 0, 0);
    Ref<UIImage> replacement = solidImage(0, 0, 1);
    std::vector<std::string> seen;
    objc::Imp<void(UIImage*)> previous;
    MSHookMessageEx(objc::objc_getClass("PSTableCell"), "setIcon:", [&](PSTableCell* self, SEL cmd, UIImage*) {
        seen.push_back(msgSend<Ref<PSSpecifier>>(self, "specifier")->identifier() + "|" + msgSend<std::string>(self, "getLazyIconID"));
        previous(self, cmd, replacement);
    }, &previous);

    list->specifierForID("MORE")->setProperty(original, "iconImage");
    list->reloadSpecifiers();
    UITableViewCell* cell = cellAt(list, 0, 0);
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(seen.empty()) << "the reload made new specifiers without the icon";

    list->specifierForID("MORE")->setProperty(original, "iconImage");
    msgSend(list, "reloadSpecifier:", list->specifierForID("MORE").ptr());
    EXPECT_EQ(seen, (std::vector<std::string> { "MORE|" })) << "the cell knows its specifier when its icon arrives";
    EXPECT_EQ(cell->imageView()->image(), replacement.ptr());
}

TEST_F(ListTest, MissingListFileGivesAnEmptyPane)
{
    Class* empty = env.runtime().registerClass("EmptyListController", env.runtime().requireClass("PSListController"));
    empty->addMethod("specifiers", [](PSListController* self, SEL) {
        if (!self->storedSpecifiers())
            self->setStoredSpecifiers(self->loadSpecifiersFromPlistName("Missing", self));
        return Ref<NSArray>(self->storedSpecifiers());
    });
    auto pane = preferences::makeController(empty);
    auto listHeld = pane;
    auto* list = dynamic_cast<PSListController*>(listHeld.ptr());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->specifiers()->count(), 0u) << "no bundle at all";
    list->setBundle(NSBundle::bundleWithPath(kBundle));
    list->reloadSpecifiers();
    EXPECT_EQ(list->specifiers()->count(), 0u) << "a bundle without the file";
    EXPECT_EQ(list->table()->numberOfSections(), 0);
}

TEST_F(PreferencesTest, SwitchAndSliderRowsShowAndStoreTheirPreference)
{
    observeDarwin();
    CFPreferencesSetAppValue("size", NSNumber::withDouble(4), "com.demo");
    CFPreferencesAppSynchronize("com.demo");
    writePlist("/tmp/Controls.plist", R"(<dict><key>items</key><array>
        <dict><key>cell</key><string>PSSwitchCell</string><key>label</key><string>Enabled</string>
              <key>defaults</key><string>com.demo</string><key>key</key><string>enabled</string><key>default</key><true/>
              <key>PostNotification</key><string>com.demo.changed</string><key>cellClass</key><string>AccentSwitchCell</string></dict>
        <dict><key>cell</key><string>PSSliderCell</string><key>defaults</key><string>com.demo</string><key>key</key><string>size</string>
              <key>min</key><real>1.5</real><key>max</key><integer>9</integer><key>showValue</key><true/></dict>
    </array></dict>)");
    // A bundle's own switch cell: the base switch cell, with its control tinted.
    Class* accent = env.runtime().registerClass("AccentSwitchCell", env.runtime().requireClass("PSSwitchTableCell"));
    accent->addMethod("initWithStyle:reuseIdentifier:specifier:", [accent](PSTableCell* self, SEL, NSInteger style, std::string reuse, PSSpecifier* specifier) {
        Ref<Object> made = objc::msgSendSuper<Ref<Object>>(accent, self, "initWithStyle:reuseIdentifier:specifier:", style, reuse, specifier);
        if (made)
            if (auto toggle = msgSend<Ref<UISwitch>>(self, "control"))
                toggle->setOnTintColor(UIColor::purpleColor());
        return made;
    });

    auto list = preferences::makeController(objc::objc_getClass("PSListController"));
    auto paneHeld = list;
    auto* pane = dynamic_cast<PSListController*>(paneHeld.ptr());
    ASSERT_NE(pane, nullptr);
    auto rows = corefoundation::create<NSMutableArray>();
    for (auto& row : preferences::loadSpecifierList("/tmp/Controls.plist", pane, nullptr).specifiers)
        rows->addObject(row);
    msgSend(pane, "setSpecifiers:", rows.ptr());
    showInNavigation(pane);

    auto* toggleCell = dynamic_cast<PSSwitchTableCell*>(cellAt(pane, 0, 0));
    ASSERT_NE(toggleCell, nullptr);
    EXPECT_EQ(objc::classNameOf(toggleCell), "AccentSwitchCell");
    auto* toggle = dynamic_cast<UISwitch*>(toggleCell->control());
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isOn()) << "nothing stored: the row's default";
    ASSERT_NE(toggle->onTintColor(), nullptr) << "the cell subclass reached its control";

    CGRect frame = toggle->convertRectToView(toggle->bounds(), nullptr);
    touch.tap(CGPointMake(frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2));
    settle();
    EXPECT_FALSE(toggle->isOn());
    auto storedHeld = CFPreferencesCopyAppValue("enabled", "com.demo");
    auto* stored = dynamic_cast<NSNumber*>(storedHeld.ptr());
    ASSERT_NE(stored, nullptr) << "the tap stored the switch's value";
    EXPECT_FALSE(stored->boolValue());
    EXPECT_EQ(posted, (std::vector<std::string> { "com.demo.changed" }));

    auto* sliderCell = dynamic_cast<PSSliderTableCell*>(cellAt(pane, 0, 1));
    ASSERT_NE(sliderCell, nullptr);
    auto* slider = dynamic_cast<UISlider*>(sliderCell->control());
    ASSERT_NE(slider, nullptr);
    EXPECT_FLOAT_EQ(slider->minimumValue(), 1.5f);
    EXPECT_FLOAT_EQ(slider->maximumValue(), 9.0f);
    EXPECT_FLOAT_EQ(slider->value(), 4.0f) << "the stored value";
    auto label = slider->viewWithTag(PSSliderTableCell::kValueLabelTag);
    ASSERT_TRUE(label);
    EXPECT_EQ(dynamic_cast<UILabel*>(label.ptr())->text(), "4.00");
    slider->setValue(7.25f);
    slider->sendActionsForControlEvents(UIControlEventValueChanged);
    auto sizeHeld = CFPreferencesCopyAppValue("size", "com.demo");
    auto* size = dynamic_cast<NSNumber*>(sizeHeld.ptr());
    ASSERT_NE(size, nullptr);
    EXPECT_DOUBLE_EQ(size->doubleValue(), 7.25);
    EXPECT_EQ(dynamic_cast<UILabel*>(label.ptr())->text(), "7.25");
}

TEST_F(PreferencesTest, ReplacedSetValueIsSeenWhenTheListShowsControlCells)
{
    CFPreferencesSetAppValue("enabled", NSNumber::withBool(true), "com.demo");
    CFPreferencesSetAppValue("size", NSNumber::withDouble(4), "com.demo");
    CFPreferencesAppSynchronize("com.demo");
    writePlist("/tmp/Values.plist", R"(<dict><key>items</key><array>
        <dict><key>cell</key><string>PSSwitchCell</string><key>label</key><string>Enabled</string>
              <key>defaults</key><string>com.demo</string><key>key</key><string>enabled</string></dict>
        <dict><key>cell</key><string>PSSliderCell</string><key>defaults</key><string>com.demo</string><key>key</key><string>size</string>
              <key>min</key><integer>0</integer><key>max</key><integer>9</integer></dict>
    </array></dict>)");
    // The switch cell's setValue: replaced to show the opposite; the base cell's replaced to count
    // what reaches it, which the slider's setValue: does through super.
    objc::Imp<void(Object*)> previousSwitch;
    MSHookMessageEx(objc::objc_getClass("PSSwitchTableCell"), "setValue:", [&](PSTableCell* self, SEL cmd, Object* value) {
        auto* number = dynamic_cast<NSNumber*>(value);
        previousSwitch(self, cmd, NSNumber::withBool(!(number && number->boolValue())).ptr());
    }, &previousSwitch);
    std::vector<std::string> reachedBase;
    objc::Imp<void(Object*)> previousBase;
    MSHookMessageEx(objc::objc_getClass("PSTableCell"), "setValue:", [&](PSTableCell* self, SEL cmd, Object* value) {
        reachedBase.push_back(objc::classNameOf(self));
        previousBase(self, cmd, value);
    }, &previousBase);

    auto list = preferences::makeController(objc::objc_getClass("PSListController"));
    auto paneHeld = list;
    auto* pane = dynamic_cast<PSListController*>(paneHeld.ptr());
    ASSERT_NE(pane, nullptr);
    auto rows = corefoundation::create<NSMutableArray>();
    for (auto& row : preferences::loadSpecifierList("/tmp/Values.plist", pane, nullptr).specifiers)
        rows->addObject(row);
    msgSend(pane, "setSpecifiers:", rows.ptr());
    showInNavigation(pane);

    auto* toggleCell = dynamic_cast<PSSwitchTableCell*>(cellAt(pane, 0, 0));
    auto* sliderCell = dynamic_cast<PSSliderTableCell*>(cellAt(pane, 0, 1));
    ASSERT_TRUE(toggleCell && sliderCell);
    EXPECT_FALSE(dynamic_cast<UISwitch*>(toggleCell->control())->isOn()) << "the replacement decided what the switch shows";
    EXPECT_FLOAT_EQ(dynamic_cast<UISlider*>(sliderCell->control())->value(), 4.0f) << "the slider's own setValue: still ran";
    EXPECT_NE(std::find(reachedBase.begin(), reachedBase.end(), "PSSliderTableCell"), reachedBase.end());
    EXPECT_NE(std::find(reachedBase.begin(), reachedBase.end(), "PSSwitchTableCell"), reachedBase.end());
}
