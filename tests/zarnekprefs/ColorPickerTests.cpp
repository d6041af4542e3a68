// The colour picker, its link cell and the hex-colour category, in a settings pane.

#include "tests/zarnekprefs/ControlsFixture.h"

#include "platform/corefoundation/NSNumber.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"
#include "zarnekprefs/zarnekcolorpicker/UIColor+ZarnekHex.h"
#include "zarnekprefs/zarnekcolorpicker/ZarnekColorPicker.h"
#include "zarnekprefs/zarnekcolorpicker/ZarnekColorPickerLinkCell.h"

using namespace controls_test;

namespace {

constexpr const char* kColourChanged = "com.demo.controls.changed";
constexpr const char* kPreview = "com.demo.controls.preview";

std::string pickerRow(const std::string& id, const std::string& key, const std::string& extra = "")
{
    return "<dict><key>cell</key><string>PSLinkCell</string><key>id</key><string>" + id + "</string><key>label</key><string>Date colour</string>"
           "<key>detail</key><string>ZarnekColorPicker</string><key>cellClass</key><string>ZarnekColorPickerLinkCell</string>"
           "<key>key</key><string>" + key + "</string><key>defaults</key><string>com.demo.controls</string><key>default</key><string>none</string>"
           "<key>PostNotification</key><string>com.demo.controls.changed</string><key>PreviewNotification</key><string>com.demo.controls.preview</string>"
           + extra + "</dict>";
}

class ColorPickerTest : public ControlsTest {
protected:
    void SetUp() override
    {
        installPane("<dict><key>cell</key><string>PSGroupCell</string><key>label</key><string>Colours</string></dict>" + pickerRow("date", "datecolor")
            + pickerRow("plain", "plaincolor", "<key>allowAutomatic</key><false/><key>disabledTitle</key><string>Off</string>"));
        observeDarwin();
        // An in-process observer counting the preview notification.
        objc::Class* counter = env.runtime().registerClass("PreviewCounter", env.runtime().requireClass("NSObject"));
        counter->addMethod("previewChanged", [this](objc::Object*, objc::SEL) { ++previews; });
        observer = msgSend<Ref<Object>>(msgSend<Ref<Object>>(counter, "alloc"), "init");
        NSNotificationCenter::defaultCenter()->addObserver(observer, objc::sel_registerName("previewChanged"), kPreview, nullptr);
    }
    Ref<Object> observer;

    ZarnekColorPicker* openPicker(const std::string& id = "date")
    {
        if (!pane)
            openPane();
        tapPaneRow(id);
        auto* picker = dynamic_cast<ZarnekColorPicker*>(navigation->topViewController());
        EXPECT_NE(picker, nullptr);
        return picker;
    }
    UITableView* tableOf(ZarnekColorPicker* picker) { return dynamic_cast<UITableView*>(picker->view().ptr()); }
    UITableViewCell* row(ZarnekColorPicker* picker, NSInteger section, NSInteger r)
    {
        auto path = NSIndexPath::indexPathForRow(r, section);
        tableOf(picker)->scrollToRowAtIndexPath(path, false);
        window->layoutIfNeeded();
        return tableOf(picker)->cellForRowAtIndexPath(path);
    }
    // The red, green and blue sliders' values (the custom row scrolled into view).
    std::array<int, 3> sliders(ZarnekColorPicker* picker)
    {
        row(picker, 3, 0);
        std::array<int, 3> values {};
        for (int i = 0; i < 3; ++i) {
            auto sliderHeld = picker->view()->viewWithTag(201 + i);
            auto* slider = dynamic_cast<UISlider*>(sliderHeld.ptr());
            values[static_cast<size_t>(i)] = slider ? static_cast<int>(slider->value()) : -1;
        }
        return values;
    }
    std::vector<std::pair<NSInteger, NSInteger>> checkedRows(ZarnekColorPicker* picker)
    {
        std::vector<std::pair<NSInteger, NSInteger>> checked;
        UITableView* table = tableOf(picker);
        for (NSInteger s = 0; s < table->numberOfSections(); ++s)
            for (NSInteger r = 0; r < table->numberOfRowsInSection(s); ++r)
                if (UITableViewCell* cell = row(picker, s, r); cell && cell->accessoryType() == UITableViewCellAccessoryCheckmark)
                    checked.emplace_back(s, r);
        return checked;
    }

    int previews = 0;
};

using Checked = std::vector<std::pair<NSInteger, NSInteger>>;
constexpr testing_support::RGBA kBlack { 0, 0, 0, 255 };
constexpr testing_support::RGBA kWhite { 255, 255, 255, 255 };

} // namespace

TEST(HexColourCategory, ReadsSixDigitsAfterTheFirstCharacterAndDrawsSolidSwatches)
{
    testing_support::TestEnvironment env;
    registerPreferencesClasses(env.runtime());
    zarnek::RegisterZarnekPrefsClasses(env.runtime());
    auto components = [](const std::string& hex) {
        auto colour = msgSend<Ref<UIColor>>(objc::objc_getClass("UIColor"), "colorFromHexString:", hex);
        return std::array<int, 4> { int(colour->red() * 255 + 0.5), int(colour->green() * 255 + 0.5), int(colour->blue() * 255 + 0.5), int(colour->alpha() * 255 + 0.5) };
    };
    EXPECT_EQ(components("#FF9500"), (std::array<int, 4> { 255, 149, 0, 255 }));
    EXPECT_EQ(components("#ff9500"), (std::array<int, 4> { 255, 149, 0, 255 }));
    EXPECT_EQ(components("FF0000"), (std::array<int, 4> { 15, 0, 0, 255 })) << "the first character is skipped whatever it is";
    for (const char* word : { "none", "transparent", "automatic", "custom", "", "#" })
        EXPECT_EQ(components(word), (std::array<int, 4> { 0, 0, 0, 255 })) << word;

    auto swatch = msgSend<Ref<UIImage>>(UIColor::colorWithRed(0, 0, 1, 1), "thumbnailWithSize:", CGSizeMake(48, 24));
    ASSERT_TRUE(swatch);
    EXPECT_EQ(swatch->size().width, 48);
    EXPECT_EQ(swatch->scale(), 1);
    EXPECT_EQ(graphics_test::pixelAt(swatch->CGImage(), 0, 0), graphics_test::kBlue);
    EXPECT_EQ(graphics_test::pixelAt(swatch->CGImage(), 47, 23), graphics_test::kBlue);

    EXPECT_EQ(zarnek::hexStringFromComponents(255, 149.9, 0.2), "#FF9500") << "components are cut towards zero, written upper case";
    EXPECT_EQ(zarnek::hexStringFromComponents(171, 205, 239), "#ABCDEF");
}

TEST_F(ColorPickerTest, OpensWithFourPalettesAndTheDefaultChecked)
{
    ZarnekColorPicker* picker = openPicker();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->title(), "Date colour");
    UITableView* table = tableOf(picker);
    ASSERT_EQ(table->numberOfSections(), 4);
    EXPECT_EQ(table->numberOfRowsInSection(0), 5);
    EXPECT_EQ(table->numberOfRowsInSection(1), 10);
    EXPECT_EQ(table->numberOfRowsInSection(2), 48);
    EXPECT_EQ(table->numberOfRowsInSection(3), 1);
    EXPECT_EQ(msgSend<std::string>(picker, "tableView:titleForHeaderInSection:", table, NSInteger(1)), "iOS Palette");
    EXPECT_EQ(row(picker, 0, 3)->detailTextLabel()->text(), "*based on app icon - ignore all bright pixels");
    EXPECT_EQ(row(picker, 2, 5)->detailTextLabel()->text(), "#808080") << "Nickel";
    EXPECT_EQ(row(picker, 2, 6)->detailTextLabel()->text(), "#7F7F7F") << "Tin is a row of its own";
    EXPECT_EQ(msgSend<double>(picker, "tableView:heightForRowAtIndexPath:", table, NSIndexPath::indexPathForRow(0, 3).ptr()), 130);

    // Nothing stored, default "none": only "None" is checked; the custom row shows "none" over black.
    EXPECT_EQ(checkedRows(picker), (Checked { { 0, 0 } }));
    UITableViewCell* custom = row(picker, 3, 0);
    EXPECT_EQ(custom->tag(), 205);
    EXPECT_EQ(custom->detailTextLabel()->text(), "none");
    EXPECT_EQ(graphics_test::pixelAt(custom->imageView()->image()->CGImage(), 5, 5), kBlack);
    EXPECT_EQ(sliders(picker), (std::array<int, 3> { 0, 0, 0 }));
    EXPECT_EQ(storedString("datecolor"), "<none>") << "opening writes nothing";
    shot("colour-picker-custom");
    tableOf(picker)->setContentOffset(CGPointMake(0, 0));
    shot("colour-picker");
}

TEST_F(ColorPickerTest, ChoosingPresetsStoresAtOnceAndAnnouncesOnce)
{
    ZarnekColorPicker* picker = openPicker();
    tapView(row(picker, 1, 6)); // Orange
    EXPECT_EQ(storedString("datecolor"), "#FF9500");
    EXPECT_EQ(postedCount(kColourChanged), 1);
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(checkedRows(picker), (Checked { { 1, 6 } }));
    UITableViewCell* custom = row(picker, 3, 0);
    EXPECT_EQ(custom->detailTextLabel()->text(), "#FF9500");
    EXPECT_EQ(sliders(picker), (std::array<int, 3> { 255, 149, 0 }));

    // Tapping the checked row again changes nothing and announces nothing.
    tapView(row(picker, 1, 6));
    EXPECT_EQ(postedCount(kColourChanged), 1);

    tapView(row(picker, 0, 1)); // Transparent
    EXPECT_EQ(storedString("datecolor"), "transparent");
    EXPECT_EQ(postedCount(kColourChanged), 2);
    // The custom row was off screen: built again, it shows the word over the word's black.
    EXPECT_EQ(sliders(picker), (std::array<int, 3> { 0, 0, 0 }));
    EXPECT_EQ(row(picker, 3, 0)->detailTextLabel()->text(), "transparent");
    EXPECT_EQ(checkedRows(picker), (Checked { { 0, 1 } }));

    // Back in the list, the link cell shows the word.
    navigation->popViewControllerAnimated(false);
    settle();
    auto* cell = dynamic_cast<ZarnekColorPickerLinkCell*>(paneCell("date"));
    ASSERT_NE(cell, nullptr);
    cell->layoutIfNeeded();
    EXPECT_FALSE(cell->colorValueLabel()->isHidden());
    EXPECT_EQ(cell->colorValueLabel()->text(), "transparent");
    EXPECT_TRUE(cell->thumbnailView()->isHidden());
}

TEST_F(ColorPickerTest, StoredValuesOutsideThePalettesCheckTheCustomRow)
{
    store("datecolor", NSString::make("#123456"));
    ZarnekColorPicker* picker = openPicker();
    EXPECT_EQ(checkedRows(picker), (Checked { { 3, 0 } }));
    EXPECT_EQ(row(picker, 3, 0)->detailTextLabel()->text(), "#123456");
    EXPECT_EQ(sliders(picker), (std::array<int, 3> { 0x12, 0x34, 0x56 }));
    navigation->popViewControllerAnimated(false);
    settle();

    // A preset's hex in lower case is no preset (the comparison is exact).
    store("datecolor", NSString::make("#ff9500"));
    picker = openPicker();
    EXPECT_EQ(checkedRows(picker), (Checked { { 3, 0 } }));
}

TEST_F(ColorPickerTest, SlidersOnlyStoreWhenTheCustomRowIsChosen)
{
    ZarnekColorPicker* picker = openPicker();
    tapView(row(picker, 2, 27)); // Ocean, #004080
    ASSERT_EQ(storedString("datecolor"), "#004080");
    int posts = postedCount(kColourChanged);

    // Drag the red slider to its right end: the custom row follows, nothing is stored.
    row(picker, 3, 0);
    auto redHeld = picker->view()->viewWithTag(201);
    auto* red = dynamic_cast<UISlider*>(redHeld.ptr());
    ASSERT_NE(red, nullptr);
    CGRect track = red->convertRectToView(red->bounds(), nullptr);
    touch.drag(CGPointMake(track.origin.x + 2, CGRectGetMidY(track)), CGPointMake(CGRectGetMaxX(track) + 20, CGRectGetMidY(track)));
    settle();
    EXPECT_EQ(static_cast<int>(red->value()), 255);
    EXPECT_EQ(row(picker, 3, 0)->detailTextLabel()->text(), "#FF4080");
    EXPECT_EQ(storedString("datecolor"), "#004080");
    EXPECT_EQ(postedCount(kColourChanged), posts);

    // Tapping the custom row (left of its sliders) stores the slider colour.
    UITableViewCell* custom = row(picker, 3, 0);
    CGRect frame = custom->convertRectToView(custom->bounds(), nullptr);
    touch.tap(CGPointMake(frame.origin.x + 40, CGRectGetMidY(frame)));
    settle();
    EXPECT_EQ(storedString("datecolor"), "#FF4080");
    EXPECT_EQ(postedCount(kColourChanged), posts + 1);
    EXPECT_EQ(checkedRows(picker), (Checked { { 3, 0 } }));

    // With the custom row chosen, letting go of a slider stores its colour.
    auto greenHeld = picker->view()->viewWithTag(202);
    auto* green = dynamic_cast<UISlider*>(greenHeld.ptr());
    track = green->convertRectToView(green->bounds(), nullptr);
    touch.drag(CGPointMake(track.origin.x + 2, CGRectGetMidY(track)), CGPointMake(CGRectGetMaxX(track) + 20, CGRectGetMidY(track)));
    settle();
    EXPECT_EQ(storedString("datecolor"), "#FFFF80");
    EXPECT_EQ(postedCount(kColourChanged), posts + 2);

    // A slider colour that equals a preset checks that preset when the rows are built again.
    tapView(row(picker, 2, 18)); // Magenta
    auto blueHeld = picker->view()->viewWithTag(203);
    auto* blue = dynamic_cast<UISlider*>(blueHeld.ptr());
    ASSERT_EQ(storedString("datecolor"), "#FF00FF");
    EXPECT_EQ(blue, nullptr) << "the custom row went off screen while Magenta was tapped";
}

TEST_F(ColorPickerTest, DisallowedRowsAreGreyAndIgnoreTaps)
{
    ZarnekColorPicker* picker = openPicker("plain");
    EXPECT_FALSE(picker->allowAutomatic());
    EXPECT_TRUE(picker->allowTransparent());
    EXPECT_EQ(row(picker, 0, 0)->textLabel()->text(), "Off") << "the disabled title replaces \"None\"";
    for (NSInteger r = 2; r <= 4; ++r) {
        UITableViewCell* cell = row(picker, 0, r);
        EXPECT_FALSE(cell->textLabel()->isEnabled()) << r;
        tapView(cell);
        EXPECT_EQ(storedString("plaincolor"), "<none>") << "row " << r << " ignores taps";
    }
    shot("colour-picker-disallowed");
    tapView(row(picker, 0, 1));
    EXPECT_EQ(storedString("plaincolor"), "transparent");
    tapView(row(picker, 0, 0));
    EXPECT_EQ(storedString("plaincolor"), "none");
}

TEST_F(ColorPickerTest, LinkCellShowsASwatchOrTheWord)
{
    store("datecolor", NSString::make("#FFFFFF"));
    store("plaincolor", NSString::make("automatic_dark"));
    openPane();
    auto* white = dynamic_cast<ZarnekColorPickerLinkCell*>(paneCell("date"));
    ASSERT_NE(white, nullptr);
    white->layoutIfNeeded();
    EXPECT_FALSE(white->thumbnailView()->isHidden());
    EXPECT_TRUE(white->colorValueLabel()->isHidden());
    EXPECT_EQ(white->thumbnailView()->layer()->borderWidth(), 1);
    EXPECT_EQ(graphics_test::pixelAt(white->thumbnailView()->image()->CGImage(), 3, 3), kWhite);
    CGRect thumb = white->thumbnailView()->frame();
    EXPECT_EQ(thumb.size.width, 24);
    EXPECT_DOUBLE_EQ(CGRectGetMaxX(thumb), white->contentView()->bounds().size.width - 4);
    EXPECT_DOUBLE_EQ(CGRectGetMidY(thumb), white->contentView()->bounds().size.height / 2);

    auto* word = dynamic_cast<ZarnekColorPickerLinkCell*>(paneCell("plain"));
    word->layoutIfNeeded();
    EXPECT_TRUE(word->thumbnailView()->isHidden());
    EXPECT_EQ(word->colorValueLabel()->text(), "automatic_dark");
    shot("colour-picker-link-cells");

    // Another red: the swatch follows on the next layout, without a border.
    store("datecolor", NSString::make("#FF0000"));
    white->setNeedsLayout();
    white->layoutIfNeeded();
    EXPECT_EQ(white->thumbnailView()->layer()->borderWidth(), 0);
    EXPECT_EQ(graphics_test::pixelAt(white->thumbnailView()->image()->CGImage(), 3, 3), graphics_test::kRed);
}

TEST_F(ColorPickerTest, AStoredValueOfAnotherKindShowsTheDefaultAndIsKeptUntilAChoice)
{
    store("datecolor", NSNumber::withInteger(7));
    openPane();
    auto* cell = dynamic_cast<ZarnekColorPickerLinkCell*>(paneCell("date"));
    ASSERT_NE(cell, nullptr);
    cell->layoutIfNeeded();
    EXPECT_EQ(cell->colorValueLabel()->text(), "none");
    ZarnekColorPicker* picker = openPicker();
    EXPECT_EQ(checkedRows(picker), (Checked { { 0, 0 } }));
    auto numberHeld = stored("datecolor");
    auto* number = dynamic_cast<NSNumber*>(numberHeld.ptr());
    ASSERT_NE(number, nullptr) << "looking is not changing";
    EXPECT_EQ(number->integerValue(), 7);
    tapView(row(picker, 1, 1));
    EXPECT_EQ(storedString("datecolor"), "#007AFF");
}

TEST_F(ColorPickerTest, PaletteQueriesAnswerExactly)
{
    ZarnekColorPicker* picker = openPicker();
    EXPECT_TRUE(msgSend<bool>(picker, "presetColorExists:", std::string("#7F7F7F")));
    EXPECT_TRUE(msgSend<bool>(picker, "presetColorExists:", std::string("custom")));
    EXPECT_FALSE(msgSend<bool>(picker, "presetColorExists:", std::string("#7f7f7f")));
    EXPECT_FALSE(msgSend<bool>(picker, "presetColorExists:", std::string("#123456")));
    auto sorted = msgSend<Ref<NSArray>>(picker, "sortPaletteByHue:", msgSend<Ref<NSArray>>(picker, "iOSColors").ptr());
    ASSERT_EQ(sorted->count(), 10u);
    std::vector<std::string> names;
    for (const auto& item : sorted->items())
        names.push_back(dynamic_cast<NSDictionary*>(item.ptr())->stringForKey("name").value_or(""));
    // By rising hue: red, orange, yellow, green, the blues (the palette's "Gray" is a bluish grey),
    // purple, pink.
    EXPECT_EQ(names, (std::vector<std::string> { "System Red", "Orange", "Yellow", "System Green", "Marine Blue", "Light Blue", "System Blue",
                         "Gray", "Purple", "Pink" }));
    auto palettes = msgSend<Ref<NSArray>>(picker, "palettes");
    EXPECT_NE(palettes, msgSend<Ref<NSArray>>(picker, "palettes")) << "a fresh list on every call";
}
