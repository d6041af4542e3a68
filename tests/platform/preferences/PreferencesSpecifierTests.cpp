#include "platform/foundation/NSBundle.h"
#include "platform/preferences/PreferenceValues.h"
#include "platform/preferences/PSSpecifierList.h"
#include "tests/platform/preferences/PreferencesTestSupport.h"

using objc::msgSend;
using objc::Object;
using objc::Ref;
using objc::SEL;

namespace {

class StatsTarget : public objc::NSObject {
    OBJC_CLASS(StatsTarget)
public:
    std::vector<std::string> actions;
};

void registerStatsTarget(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<StatsTarget>("NSObject");
    c->addMethod("getCount:", [](StatsTarget*, SEL, PSSpecifier*) { return std::string("42"); });
    c->addMethod("getSize:", [](StatsTarget*, SEL, PSSpecifier*) { return Ref<Object>(NSString::make("1 KB")); });
    c->addMethod("restore:", [](StatsTarget* self, SEL, Object* sender) { self->actions.push_back(objc::classNameOf(sender)); });
}

const char* kList = R"(<dict>
  <key>title</key><string>Ovrimo</string>
  <key>items</key><array>
    <dict><key>cell</key><string>PSGroupCell</string><key>label</key><string>General</string>
          <key>footerText</key><string>Turns everything on or off.</string></dict>
    <dict><key>cell</key><string>PSSwitchCell</string><key>label</key><string>Enabled</string>
          <key>key</key><string>enabled</string><key>defaults</key><string>com.zarnek.ovrimo</string>
          <key>default</key><true/><key>PostNotification</key><string>com.zarnek.ovrimo.prefs</string>
          <key>cellClass</key><string>OvrimoSwitchTableCell</string><key>accentHint</key><integer>7</integer></dict>
    <dict><key>cell</key><string>PSLinkCell</string><key>label</key><string>Settings</string>
          <key>detail</key><string>StatsTarget</string><key>id</key><string>SETTINGS</string><key>icon</key><string>icon.png</string></dict>
    <dict><key>cell</key><string>PSLinkListCell</string><key>label</key><string>Mode</string>
          <key>key</key><string>mode</string><key>validValues</key><array><integer>0</integer><integer>1</integer></array>
          <key>validTitles</key><array><string>Tap</string><string>Swipe</string></array></dict>
    <dict><key>cell</key><string>PSTitleValueCell</string><key>label</key><string>Icons</string><key>get</key><string>getCount:</string></dict>
    <dict><key>cell</key><string>PSButtonCell</string><key>label</key><string>Restore</string><key>action</key><string>restore:</string></dict>
    <dict><key>cell</key><string>PSSliderCell</string><key>min</key><real>1.5</real><key>max</key><integer>9</integer></dict>
    <string>not a row</string>
    <dict><key>cell</key><string>PSWhatever</string><key>label</key><string>Odd</string></dict>
  </array>
</dict>)";

} // namespace

TEST_F(PreferencesTest, SpecifierListKeepsCellTypesFieldsAndEveryProperty)
{
    registerStatsTarget(env.runtime());
    writePlist("/Library/PreferenceBundles/test.bundle/Root.plist", kList);
    writeDeviceFile("/Library/PreferenceBundles/test.bundle/icon.png", "");
    auto bundle = NSBundle::bundleWithPath("/Library/PreferenceBundles/test.bundle");
    auto target = objc::make<StatsTarget>();

    auto list = preferences::loadSpecifierList(bundle->pathForResource("Root", "plist"), target, bundle);
    EXPECT_EQ(list.error, "");
    EXPECT_EQ(list.title, "Ovrimo");
    ASSERT_EQ(list.specifiers.size(), 8u) << "the row that is not a dictionary is skipped";

    std::vector<PSCellType> types;
    for (auto& s : list.specifiers)
        types.push_back(s->cellType());
    EXPECT_EQ(types, (std::vector<PSCellType> { PSGroupCell, PSSwitchCell, PSLinkCell, PSLinkListCell, PSTitleValueCell, PSButtonCell, PSSliderCell, PSStaticTextCell }));

    PSSpecifier* group = list.specifiers[0];
    EXPECT_EQ(group->name(), "General");
    EXPECT_EQ(group->stringProperty("footerText"), "Turns everything on or off.");

    PSSpecifier* toggle = list.specifiers[1];
    EXPECT_EQ(toggle->identifier(), "Enabled") << "without an id the label identifies the row";
    EXPECT_EQ(toggle->stringProperty("cellClass"), "OvrimoSwitchTableCell");
    EXPECT_EQ(toggle->stringProperty("accentHint"), "7") << "unknown keys are kept";
    EXPECT_TRUE(toggle->boolProperty("default", false));
    EXPECT_EQ(toggle->target(), target.ptr());
    EXPECT_STREQ(objc::sel_getName(toggle->getter()), "readPreferenceValue:");
    EXPECT_STREQ(objc::sel_getName(toggle->setter()), "setPreferenceValue:specifier:");

    PSSpecifier* link = list.specifiers[2];
    EXPECT_EQ(link->identifier(), "SETTINGS");
    EXPECT_EQ(msgSend<std::string>(link, "identifier"), "SETTINGS");
    EXPECT_EQ(link->detailControllerClass(), objc::objc_getClass("StatsTarget"));
    EXPECT_EQ(link->getter(), nullptr) << "a link edits no value";
    EXPECT_EQ(link->propertyForKey("iconImage"), nullptr) << "an icon file that is no picture gives no image";

    PSSpecifier* listRow = list.specifiers[3];
    EXPECT_EQ(listRow->titleForValue(NSNumber::withInteger(1)), "Swipe");
    EXPECT_EQ(listRow->titleForValue(NSNumber::withInteger(5)), "5");

    EXPECT_STREQ(objc::sel_getName(list.specifiers[4]->getter()), "getCount:");
    EXPECT_EQ(list.specifiers[4]->setter(), nullptr);
    EXPECT_STREQ(objc::sel_getName(list.specifiers[5]->buttonAction()), "restore:");
    EXPECT_EQ(list.specifiers[6]->stringProperty("min"), "1.5");
    EXPECT_EQ(list.specifiers[7]->stringProperty("cell"), "PSWhatever");
}

TEST_F(PreferencesTest, MissingOrMalformedListGivesNoSpecifiers)
{
    auto missing = preferences::loadSpecifierList("/Library/PreferenceBundles/none.bundle/Root.plist", nullptr, nullptr);
    EXPECT_TRUE(missing.specifiers.empty());
    EXPECT_FALSE(missing.error.empty());

    writeDeviceFile("/tmp/broken.plist", "<plist><dict><key>items</key>");
    auto broken = preferences::loadSpecifierList("/tmp/broken.plist", nullptr, nullptr);
    EXPECT_TRUE(broken.specifiers.empty());
    EXPECT_FALSE(broken.error.empty());

    writePlist("/tmp/array.plist", "<array><dict/></array>");
    EXPECT_TRUE(preferences::loadSpecifierList("/tmp/array.plist", nullptr, nullptr).specifiers.empty());

    EXPECT_TRUE(preferences::loadSpecifierList("/../../etc/passwd", nullptr, nullptr).specifiers.empty()) << "no path leaves the device root";
}

TEST_F(PreferencesTest, FactoryMethodsAndPropertiesGoThroughTheRuntime)
{
    auto group = PSSpecifier::groupSpecifierWithName("Header");
    EXPECT_EQ(group->cellType(), PSGroupCell);
    EXPECT_EQ(group->name(), "Header");
    EXPECT_EQ(PSSpecifier::emptyGroupSpecifier()->name(), "");

    auto row = PSSpecifier::preferenceSpecifierNamed("Row", nullptr, objc::sel_registerName("set:specifier:"), objc::sel_registerName("get:"),
        objc::objc_getClass("PSViewController"), PSSwitchCell, nullptr);
    EXPECT_EQ(row->cellType(), PSSwitchCell);
    EXPECT_EQ(row->detailControllerClass(), objc::objc_getClass("PSViewController"));
    msgSend(row, "setProperty:forKey:", NSString::make("RESTRICTED"), "restrictByID");
    EXPECT_EQ(corefoundation::stringValueOf(msgSend<Ref<Object>>(row, "propertyForKey:", "restrictByID")), "RESTRICTED");
    row->removePropertyForKey("restrictByID");
    EXPECT_EQ(row->propertyForKey("restrictByID"), nullptr);
}

TEST_F(PreferencesTest, DefaultSetterWritesTheDomainThenPostsTheNotification)
{
    observeDarwin();
    writePlist("/tmp/list.plist", kList);
    auto rows = preferences::loadSpecifierList("/tmp/list.plist", nullptr, nullptr).specifiers;
    PSSpecifier* toggle = rows[1];

    EXPECT_TRUE(corefoundation::objectsEqual(preferences::readDefaultPreferenceValue(toggle), NSNumber::withBool(true))) << "nothing stored: the default";
    preferences::writeDefaultPreferenceValue(NSNumber::withBool(false), toggle);
    auto stored = corefoundation::propertyListFromHostFile(env.hostPath("/var/mobile/Library/Preferences/com.zarnek.ovrimo.plist"));
    auto* domain = dynamic_cast<NSDictionary*>(stored.ptr());
    ASSERT_NE(domain, nullptr) << "the domain file was written before the notification";
    EXPECT_EQ(domain->boolForKey("enabled"), false);
    EXPECT_FALSE(preferences::readDefaultPreferenceValue(toggle).ptr() == nullptr);
    EXPECT_FALSE(dynamic_cast<NSNumber*>(preferences::readDefaultPreferenceValue(toggle).ptr())->boolValue());

    settle();
    EXPECT_EQ(posted, (std::vector<std::string> { "com.zarnek.ovrimo.prefs" }));

    // A row without a domain stores nothing, and one without a notification posts nothing.
    toggle->removePropertyForKey("PostNotification");
    toggle->removePropertyForKey("defaults");
    preferences::writeDefaultPreferenceValue(NSNumber::withBool(true), toggle);
    settle();
    EXPECT_EQ(posted.size(), 1u);
    EXPECT_TRUE(preferences::readDefaultPreferenceValue(toggle)) << "falls back to the default";
}

TEST_F(PreferencesTest, GettersAnswerStringsOrObjectsAndFailuresAreContained)
{
    registerStatsTarget(env.runtime());
    auto target = objc::make<StatsTarget>();
    auto row = PSSpecifier::preferenceSpecifierNamed("Icons", target, nullptr, objc::sel_registerName("getCount:"), nullptr, PSTitleValueCell, nullptr);
    EXPECT_EQ(preferences::displayText(preferences::readSpecifierValue(row)), "42");
    auto size = PSSpecifier::preferenceSpecifierNamed("Size", target, nullptr, objc::sel_registerName("getSize:"), nullptr, PSTitleValueCell, nullptr);
    EXPECT_EQ(preferences::displayText(preferences::readSpecifierValue(size)), "1 KB");

    auto unknown = PSSpecifier::preferenceSpecifierNamed("X", target, objc::sel_registerName("nope:specifier:"), objc::sel_registerName("nope:"), nullptr, PSTitleValueCell, nullptr);
    EXPECT_EQ(preferences::readSpecifierValue(unknown), nullptr);
    EXPECT_FALSE(preferences::writeSpecifierValue(unknown, nullptr));
    EXPECT_FALSE(preferences::sendAction(target, objc::sel_registerName("donate:"), row));

    EXPECT_TRUE(preferences::sendAction(target, objc::sel_registerName("restore:"), row));
    EXPECT_EQ(target->actions, (std::vector<std::string> { "PSSpecifier" }));
    // A setter of the wrong shape is refused without throwing.
    auto wrong = PSSpecifier::preferenceSpecifierNamed("W", target, objc::sel_registerName("restore:"), nullptr, nullptr, PSSwitchCell, nullptr);
    EXPECT_FALSE(preferences::writeSpecifierValue(wrong, NSNumber::withBool(true)));
}
