// Multi mode: the page grid and its crop frame, the split into pieces, the page sheet, the
// generation of a whole page with its question and its failures, and restoring a page.

#include "WorkflowFixture.h"

#include "tests/support/TestEnvironment.h"

#include <algorithm>
#include <iomanip>
#include <map>
#include <set>

#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "tweak/cropper/VPImageCropperViewController.h"
#include "tweak/workflow/PageGrid.h"

using namespace workflow_tests;
using ovrimo::cropper::VPImageCropperViewController;
using testing_support::pixelAt;

namespace {

constexpr long kPageButtonTag = 212543;

// The colour of grid cell `i` of a numbered-cell picture: every cell its own.
RGBA cellColour(int i)
{
    return RGBA { static_cast<std::uint8_t>(20 + i * 9), static_cast<std::uint8_t>(230 - i * 9), static_cast<std::uint8_t>((i * 37) % 200 + 30), 255 };
}

bool near(RGBA a, RGBA b, int tolerance = 6)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance && std::abs(a.a - b.a) <= tolerance;
}
bool sameRect(CGRect a, CGRect b)
{
    return a.origin.x == b.origin.x && a.origin.y == b.origin.y && a.size.width == b.size.width && a.size.height == b.size.height;
}
bool isWhite(RGBA p) { return p.r > 240 && p.g > 240 && p.b > 240 && p.a > 240; }

::testing::AssertionResult showsCell(UIImage* piece, int cell)
{
    if (!piece || !piece->CGImage())
        return ::testing::AssertionFailure() << "no picture for cell " << cell;
    auto w = piece->CGImage()->width(), h = piece->CGImage()->height();
    // The cell's colour fills it but for a white mark in its top left quarter: a piece turned
    // or mirrored puts the mark elsewhere.
    RGBA body = pixelAt(piece, w * 3 / 4, h * 3 / 4), mark = pixelAt(piece, w / 8, h / 8);
    RGBA otherCorners[] = { pixelAt(piece, w * 7 / 8, h / 8), pixelAt(piece, w / 8, h * 7 / 8) };
    if (!near(body, cellColour(cell)))
        return ::testing::AssertionFailure() << "cell " << cell << " shows " << int(body.r) << "," << int(body.g) << "," << int(body.b);
    if (!isWhite(mark) || isWhite(otherCorners[0]) || isWhite(otherCorners[1]))
        return ::testing::AssertionFailure() << "cell " << cell << " is not upright";
    return ::testing::AssertionSuccess();
}

// A picture of `rows` x `columns` cells of `cell` x `cell` pixels, numbered row by row from the
// top left, each with its white mark.
Ref<UIImage> numberedCells(int rows, int columns, int cell, double scale = 1, UIImageOrientation orientation = UIImageOrientationUp)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(columns * cell, rows * cell), true, 1.0);
    CGContext* c = UIGraphicsGetCurrentContext();
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < columns; ++k) {
            RGBA colour = cellColour(r * columns + k);
            CGContextSetRGBFillColor(c, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0, 1);
            CGContextFillRect(c, CGRectMake(k * cell, r * cell, cell, cell));
            CGContextSetRGBFillColor(c, 1, 1, 1, 1);
            CGContextFillRect(c, CGRectMake(k * cell, r * cell, cell / 4.0, cell / 4.0));
        }
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return UIImage::imageWithCGImage(image->CGImage(), scale, orientation);
}

} // namespace

// The grid ----------------------------------------------------------------------------------------

TEST(PageGrid, FallbackSlotCountsAreTriedFromTheTopOfTheTable)
{
    using ovrimo::FallbackSlotCount;
    struct Case {
        bool folder;
        std::optional<std::int64_t> idiom;
        double longer;
        std::int64_t slots;
    } cases[] = {
        { true, 1, 1366, 16 }, { true, 0, 667, 9 }, { true, std::nullopt, 480, 9 }, { true, 5, 1000, 9 },
        { false, 1, 1024, 20 }, { false, 0, 568, 20 }, { false, std::nullopt, 736, 24 }, { false, 0, 667, 24 },
        // A device that is neither phone nor pad counts 20 before the size rows are reached.
        { false, 2, 480, 20 }, { false, -1, 667, 20 },
        // Phones of other sizes: 20 from 568 up, 16 below.
        { false, 0, 812, 20 }, { false, 0, 480, 16 }, { false, std::nullopt, 320, 16 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FallbackSlotCount(c.folder, c.idiom, c.longer), c.slots)
            << (c.folder ? "folder" : "home") << " idiom " << c.idiom.value_or(99) << " side " << c.longer;
}

TEST(PageGrid, TheCropFrameHasTheGridsAspectSoEveryCellIsSquare)
{
    CGRect phone = CGRectMake(0, 0, 375, 667);
    auto home = ovrimo::MultiIconCropFrame(phone, { 24, 4, 6 });
    ASSERT_TRUE(home);
    EXPECT_TRUE(sameRect(*home, CGRectMake(62.5, 146, 250, 375)));
    auto folder = ovrimo::MultiIconCropFrame(phone, { 9, 3, 3 });
    ASSERT_TRUE(folder);
    EXPECT_TRUE(sameRect(*folder, CGRectMake(62.5, 208.5, 250, 250)));
    // A width that is no multiple of 1.5 is taken in single precision.
    auto odd = ovrimo::MultiIconCropFrame(CGRectMake(0, 0, 320, 480), { 16, 4, 4 });
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->size.width, static_cast<double>(static_cast<float>(320 / 1.5)));
    EXPECT_EQ(odd->size.width, odd->size.height);
    // No cells, no frame: never a division by a column count of 0.
    EXPECT_FALSE(ovrimo::MultiIconCropFrame(phone, { 9, 0, 0 }));
    EXPECT_FALSE(ovrimo::MultiIconCropFrame(phone, { 2, 3, 0 }));
}

TEST(SplitIntoPieces, EveryPieceIsItsCellUprightRowByRowFromTheTop)
{
    testing_support::TestEnvironment env;
    struct Grid {
        int rows, columns;
    };
    for (Grid g : { Grid { 6, 4 }, Grid { 5, 4 }, Grid { 3, 3 } }) {
        auto pieces = ovrimo::SplitIntoPieces(numberedCells(g.rows, g.columns, 60), g.rows, g.columns);
        ASSERT_EQ(pieces.size(), static_cast<size_t>(g.rows * g.columns)) << g.rows << "x" << g.columns;
        for (int i = 0; i < g.rows * g.columns; ++i) {
            EXPECT_TRUE(showsCell(pieces[i], i)) << g.rows << "x" << g.columns;
            EXPECT_EQ(pieces[i]->size().width, 60);
            EXPECT_EQ(pieces[i]->scale(), 1);
        }
    }
}

TEST(SplitIntoPieces, PiecesAreInPointsAndTheOrientationFlagIsNotApplied)
{
    testing_support::TestEnvironment env;
    // 600 x 900 points (1200 x 1800 pixels at scale 2) on a 6 x 4 grid: 150 x 150-point pieces
    // at scale 1.
    auto pieces = ovrimo::SplitIntoPieces(numberedCells(6, 4, 300, 2), 6, 4);
    ASSERT_EQ(pieces.size(), 24u);
    EXPECT_EQ(pieces[0]->size().width, 150);
    EXPECT_EQ(pieces[0]->CGImage()->width(), 150u);
    EXPECT_TRUE(showsCell(pieces[23], 23));
    // A picture flagged as turned is cut as its bitmap is stored.
    auto flagged = ovrimo::SplitIntoPieces(numberedCells(3, 3, 40, 1, UIImageOrientationDown), 3, 3);
    ASSERT_EQ(flagged.size(), 9u);
    EXPECT_TRUE(showsCell(flagged[0], 0));
    EXPECT_TRUE(showsCell(flagged[8], 8));
    EXPECT_TRUE(ovrimo::SplitIntoPieces(numberedCells(3, 3, 40), 0, 3).empty());
    EXPECT_TRUE(ovrimo::SplitIntoPieces(numberedCells(3, 3, 40), 3, 0).empty());
    EXPECT_TRUE(ovrimo::SplitIntoPieces(nullptr, 3, 3).empty());
}

// The page on a phone -----------------------------------------------------------------------------

namespace {

class PageMode : public WorkflowTest {
protected:
    // A first page of the first `count` apps; the others on the second page (an app left out of
    // the layout would be added to the first page with room).
    void firstPage(size_t count)
    {
        beforeBoot([count](const TempRoot& root) {
            std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n<key>buttonBar</key>\n<array>"
                              "<string>com.apple.mobilephone</string><string>com.apple.mobilesafari</string><string>com.apple.MobileSMS</string>"
                              "<string>com.apple.Music</string></array>\n<key>iconLists</key>\n<array><array>";
            for (size_t i = 0; i < kApps.size(); ++i)
                xml += (i == count ? "</array><array><string>" : "<string>") + kApps[i] + "</string>";
            xml += "</array></array>\n</dict>\n</plist>\n";
            auto path = root.host("/var/mobile/Library/SpringBoard/IconState.plist");
            std::filesystem::create_directories(path.parent_path());
            std::ofstream(path) << xml;
        });
    }
    // Every app of the phone but the dock's four.
    static inline const std::vector<std::string> kApps = { "com.apple.facetime", "com.apple.mobilecal", "com.apple.mobileslideshow", "com.apple.camera",
        "com.apple.mobilemail", "com.apple.mobiletimer", "com.apple.Maps", "com.apple.weather", "com.apple.reminders", "com.apple.mobilenotes",
        "com.apple.stocks", "com.apple.iBooks", "com.apple.AppStore", "com.apple.podcasts", "com.apple.Home", "com.apple.Health", "com.apple.Passbook",
        "com.apple.Preferences", "com.apple.calculator", "com.apple.compass", "com.apple.VoiceMemos", "com.apple.MobileAddressBook", "com.apple.news",
        "com.apple.tips" };

    UIView* pageButton()
    {
        std::function<UIView*(UIView*)> find = [&](UIView* view) -> UIView* {
            if (view->tag() == kPageButtonTag)
                return view;
            for (auto& subview : view->subviews())
                if (UIView* found = find(subview))
                    return found;
            return nullptr;
        };
        return dev().window() ? find(dev().window()) : nullptr;
    }
    // Editing mode, then a finger on the page button: the page sheet.
    UIAlertController* openPageSheet()
    {
        if (!icons()->isEditing())
            enterEditing();
        UIView* button = pageButton();
        EXPECT_TRUE(button) << "no page button";
        if (!button)
            return nullptr;
        CGRect frame = button->convertRectToView(button->bounds(), nullptr);
        dev().touch().tap({ CGRectGetMidX(frame), CGRectGetMidY(frame) });
        settle();
        return alertOnScreen();
    }
    // The page sheet opened and put away: what the workflow knows of the page when the picture
    // arrives.
    void beginPageEdit()
    {
        ASSERT_TRUE(openPageSheet());
        dev().window()->rootViewController()->dismissViewControllerAnimated(false);
        settle();
        ASSERT_TRUE(openEdit() && openEdit()->page);
    }
    UIViewController* presented() { return dev().window()->rootViewController()->presentedViewController(); }
    // The page editor opened with `picture`: the cropper on screen.
    VPImageCropperViewController* openPageEditor(UIImage* picture)
    {
        msgSend(objc::objc_getClass("OvrimoHelper"), "prepareMultiIconEditorWithImage:", picture);
        settle();
        return dynamic_cast<VPImageCropperViewController*>(presented());
    }
    // The cropper's Save handing over its cut.
    void cropperSaves(UIViewController* cropper, UIImage* cut)
    {
        msgSend(objc::objc_getClass("OvrimoHelper"), "imageCropper:didFinished:", cropper, cut);
        settle(0);
    }
    std::vector<std::string> storeFiles()
    {
        std::vector<std::string> names;
        if (std::filesystem::exists(host(kStore)))
            for (auto& entry : std::filesystem::directory_iterator(host(kStore)))
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Replaces a class method of a SpringBoard class for the rest of the test.
    void answer(const char* className, const char* selector, std::int64_t value)
    {
        objc::objc_getClass(className)->addClassMethod(selector, [value](objc::Object*, objc::SEL) { return value; });
    }
};

} // namespace

TEST_F(PageMode, ThePageSheetIsAlwaysAnActionSheetAnchoredAtTheButton)
{
    for (const char* profile : { "iphone8-ios12", "ipadpro-ios13" }) {
        SCOPED_TRACE(profile);
        pref("firstrun", false);
        pref("activationmethodmulti", 4LL);
        boot(profile);
        UIAlertController* sheet = openPageSheet();
        ASSERT_TRUE(sheet);
        // The icon sheet is an alert on the floating-dock pad; the page sheet is not.
        EXPECT_EQ(sheet->preferredStyle(), UIAlertControllerStyleActionSheet);
        EXPECT_EQ(sheet->title(), "Ovrimo");
        EXPECT_EQ(sheet->message(), "Multi mode. In this mode you can use a single image, split it in pieces and apply each piece to the icons on your current "
                                    "Springboard page automatically! Try it! What do you want to do on the current Springboard page?");
        EXPECT_EQ(actionTitles(sheet), (std::vector<std::string> { "Restore original", "Replace from photo library", "Replace from URL", "Open icon library", "Cancel" }));
        EXPECT_EQ(sheet->actions()[0]->style(), UIAlertActionStyleDestructive);
        EXPECT_EQ(sheet->popoverPresentationController()->sourceView(), pageButton());
        auto list = msgSend<Ref<NSArray>>(msgSend<Ref<objc::Object>>(icons(), "currentRootIconList"), "icons");
        ASSERT_TRUE(openEdit());
        EXPECT_EQ(openEdit()->slots.size(), list->count());
        sheet->tapAction(sheet->actions()[4]);
        settle();
        EXPECT_FALSE(alertOnScreen());
        EXPECT_FALSE(openEdit()) << "Cancel ends the edit";
    }
}

TEST_F(PageMode, ThePageIsFixedWhenTheSheetOpensWithKeysAndPathsAlignedInPageOrder)
{
    pref("firstrun", false);
    pref("activationmethodmulti", 2LL);
    boot("iphone8-ios12");
    ASSERT_TRUE(openPageSheet());
    auto list = msgSend<Ref<NSArray>>(msgSend<Ref<objc::Object>>(icons(), "currentRootIconList"), "icons");
    ASSERT_TRUE(openEdit());
    const ovrimo::IconEdit& edit = *openEdit();
    ASSERT_EQ(edit.slots.size(), list->count());
    EXPECT_TRUE(edit.page);
    EXPECT_FALSE(edit.inFolder);
    EXPECT_FALSE(edit.single());
    for (size_t i = 0; i < list->count(); ++i)
        EXPECT_EQ(edit.slots[i].icon.ptr(), list->objectAtIndex(i)) << i;
    EXPECT_EQ(edit.slots[0].key, "com.apple.facetime");
    EXPECT_EQ(edit.slots[18].key, kFolderKey);
    EXPECT_EQ(edit.slots[1].path, storeFile(kCalendar));
    choose("Cancel");

    // An open folder's page: its own icons.
    dev().touch().tap(iconCentre(folderView()));
    settle();
    ASSERT_TRUE(openPageSheet());
    ASSERT_TRUE(openEdit());
    EXPECT_TRUE(openEdit()->inFolder);
    ASSERT_EQ(openEdit()->slots.size(), 4u);
    EXPECT_EQ(openEdit()->slots[0].key, "com.apple.calculator");
}

TEST_F(PageMode, APageWithoutIconsSaysSoAndNothingElse)
{
    pref("firstrun", false);
    pref("activationmethodmulti", 4LL);
    boot("iphone8-ios12");
    objc::objc_getClass("SBIconListView")->addMethod("icons", [](objc::Object*, objc::SEL) { return NSArray::make(); });
    UIAlertController* alert = openPageSheet();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->preferredStyle(), UIAlertControllerStyleAlert);
    EXPECT_EQ(alert->message(), "There are no icons on the current page! Add icons to this page or swipe to a page with icons.");
    EXPECT_EQ(actionTitles(alert).size(), 1u);
}

TEST_F(PageMode, TenIconsTakeTheFirstTenPiecesAndTheRestAreDropped)
{
    pref("firstrun", false);
    pref("activationmethodmulti", 4LL);
    firstPage(10);
    boot("iphone8-ios12");
    beginPageEdit();
    auto* cropper = openPageEditor(numberedCells(6, 4, 50));
    ASSERT_TRUE(cropper);
    EXPECT_TRUE(sameRect(cropper->hole(), CGRectMake(62.5, 146, 250, 375)));

    // 600 x 900 points: 24 pieces of 150 x 150.
    cropperSaves(cropper, numberedCells(6, 4, 150));
    for (int ms = 0; ms < 9 && overlayTitle().empty(); ++ms)
        dev().advance(1);
    EXPECT_EQ(overlayTitle(), "Please wait! Generating custom icons...");
    EXPECT_TRUE(storeFiles().empty()) << "the work starts 10 ms after the overlay";
    settle(1000);
    const auto& page = kApps;
    ASSERT_EQ(storeFiles().size(), 10u);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(showsCell(picture(storeFile(page[i])), i)) << page[i];
    EXPECT_FALSE(presented()) << "the cropper closed";
    EXPECT_FALSE(openEdit());
    // SpringBoard shows the pieces at once.
    EXPECT_TRUE(near(centreOf(shownImage(page[9])), cellColour(9), 12));
}

TEST_F(PageMode, EveryIconOfAHomePageGetsThePieceWhereItStandsOnEveryProfile)
{
    for (const device::DeviceProfile& profile : device::allProfiles()) {
        SCOPED_TRACE(profile.name);
        pref("firstrun", false);
        pref("activationmethodmulti", 4LL);
        boot(profile.name);
        // The page as SpringBoard lays it out: its places, columns and rows.
        const springboard::HomeScreenGeometry& layout = icons()->geometry();
        beginPageEdit();
        ovrimo::PageGrid grid = ovrimo::CurrentPageGrid(false);
        EXPECT_EQ(grid.slots, layout.iconsPerPage());
        EXPECT_EQ(grid.columns, layout.columns);
        EXPECT_EQ(grid.cells(), grid.slots) << "every place of the page has its piece";

        // A picture numbered in the page's own grid, cropped in a frame of the grid's aspect.
        auto* cropper = openPageEditor(numberedCells(layout.rows, layout.columns, 10));
        ASSERT_TRUE(cropper);
        EXPECT_NEAR(cropper->hole().size.width / cropper->hole().size.height, double(layout.columns) / layout.rows, 0.001);

        // Where each icon of the page stands: its row and column among the page's icon views.
        std::map<std::string, CGPoint> origins;
        std::set<double> xs, ys;
        for (auto& view : icons()->pages()[static_cast<size_t>(icons()->currentPage())]->iconViews()) {
            const auto& slots = openEdit()->slots;
            auto slot = std::find_if(slots.begin(), slots.end(), [&](const ovrimo::IconSlot& s) { return s.icon.ptr() == view->icon(); });
            ASSERT_NE(slot, slots.end());
            CGPoint origin = view->convertRectToView(view->bounds(), nullptr).origin;
            origins[slot->key] = origin;
            xs.insert(origin.x);
            ys.insert(origin.y);
        }
        ASSERT_EQ(origins.size(), openEdit()->slots.size());

        cropperSaves(cropper, numberedCells(layout.rows, layout.columns, 30));
        settle(1000);
        ASSERT_EQ(storeFiles().size(), origins.size());
        for (auto& [key, origin] : origins) {
            int column = static_cast<int>(std::distance(xs.begin(), xs.find(origin.x)));
            int row = static_cast<int>(std::distance(ys.begin(), ys.find(origin.y)));
            EXPECT_TRUE(showsCell(picture(storeFile(key)), row * layout.columns + column)) << key << " at row " << row << ", column " << column;
        }
        if (profile.idiom == device::Idiom::Pad) {
            dev().pressHome();
            settle();
            shot("ipad-home-page-done");
        }
    }
}

TEST_F(PageMode, MoreIconsThanSlotsOrThanPiecesChangesNothingAndKeepsTheCropper)
{
    pref("firstrun", false);
    pref("activationmethodmulti", 4LL);
    boot("iphone8-ios12");
    // The page holds 19 icons. 16 slots: more icons than places. 19 slots on 4 columns: 4 rows,
    // 16 pieces for 19 icons.
    for (std::int64_t slots : { 16, 19 }) {
        SCOPED_TRACE(slots);
        answer("SBIconListView", "maxVisibleIcons", slots);
        beginPageEdit();
        auto* cropper = openPageEditor(numberedCells(4, 4, 40));
        ASSERT_TRUE(cropper);
        cropperSaves(cropper, numberedCells(4, 4, 40));
        settle(1000);
        EXPECT_EQ(alertMessage(), "Error 121! Something went wrong. Please try again, if the error continues then contact me!");
        EXPECT_EQ(overlayTitle(), "");
        EXPECT_TRUE(storeFiles().empty());
        EXPECT_EQ(presented(), cropper) << "the cropper stays open behind the alert";
        ASSERT_TRUE(openEdit());
        EXPECT_EQ(openEdit()->slots.size(), 19u) << "the edit stays as it was";
        choose("OK");
        msgSend(objc::objc_getClass("OvrimoHelper"), "imageCropperDidCancel:", cropper);
        settle(1000);
        EXPECT_FALSE(presented());
    }
}

TEST_F(PageMode, AFolderPageIsCutOnItsOwnGridAndAColumnCountOfZeroIsAnError)
{
    pref("firstrun", false);
    pref("activationmethodmulti", 4LL);
    boot("iphone8-ios12");
    dev().touch().longPress(iconCentre(iconView(kMail)), 1.0);
    settle();
    dev().touch().tap(iconCentre(folderView()));
    settle();
    beginPageEdit();
    ASSERT_TRUE(openEdit()->inFolder);
    auto* cropper = openPageEditor(numberedCells(3, 3, 50));
    ASSERT_TRUE(cropper);
    EXPECT_TRUE(sameRect(cropper->hole(), CGRectMake(62.5, 208.5, 250, 250)));
    cropperSaves(cropper, numberedCells(3, 3, 100));
    settle(1000);
    const char* folder[] = { "com.apple.calculator", "com.apple.compass", "com.apple.VoiceMemos", "com.apple.MobileAddressBook" };
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(showsCell(picture(storeFile(folder[i])), i)) << folder[i];
    EXPECT_EQ(storeFiles().size(), 4u);

    objc::objc_getClass("SBFolderIconListView")->addClassMethod("iconColumnsForInterfaceOrientation:", [](objc::Object*, objc::SEL, std::int64_t) -> std::int64_t { return 0; });
    beginPageEdit();
    EXPECT_FALSE(openPageEditor(numberedCells(3, 3, 50)));
    EXPECT_EQ(alertMessage(), "Error 122! Something went wrong. Please try again, if the error continues then contact me!");
    EXPECT_FALSE(openEdit());
    EXPECT_EQ(storeFiles().size(), 4u);
}

TEST_F(PageMode, ExistingCustomIconsAreAskedAboutOverTheCropperOrFollowTheDefault)
{
    pref("firstrun", false);
    pref("activationmethodmulti", 4LL);
    firstPage(4);
    customPicture("com.apple.mobileslideshow", kGreen);
    customPicture("com.apple.facetime", kRed);
    boot("iphone8-ios12");
    beginPageEdit();
    auto* cropper = openPageEditor(numberedCells(6, 4, 20));
    ASSERT_TRUE(cropper);
    cropperSaves(cropper, numberedCells(6, 4, 20));
    auto* question = dynamic_cast<UIAlertController*>(cropper->presentedViewController());
    ASSERT_TRUE(question) << "asked over the cropper";
    EXPECT_EQ(question->message(), "Some apps on the current page already have a custom icon. What do you want to do with them?");
    EXPECT_EQ(actionTitles(question), (std::vector<std::string> { "Overwrite all", "Move all to icon library", "Cancel" }));
    choose("Cancel");
    EXPECT_EQ(presented(), cropper);
    EXPECT_EQ(storeFiles().size(), 2u);

    cropperSaves(cropper, numberedCells(6, 4, 20));
    choose("Move all to icon library");
    settle(1000);
    // In page order: FaceTime (red) first, then Photos (green).
    ASSERT_TRUE(exists(libraryFile(1)) && exists(libraryFile(2)));
    EXPECT_TRUE(isNearRed(centreOf(picture(libraryFile(1)))));
    EXPECT_TRUE(isGreen(centreOf(picture(libraryFile(2)))));
    EXPECT_TRUE(showsCell(picture(storeFile("com.apple.mobileslideshow")), 2));
    EXPECT_EQ(storeFiles().size(), 4u);

    // "defaultactionreplace" 2 moves without asking; 1 overwrites without asking.
    for (long long replace : { 2LL, 1LL }) {
        changePref("defaultactionreplace", replace);
        beginPageEdit();
        cropper = openPageEditor(numberedCells(6, 4, 20));
        ASSERT_TRUE(cropper);
        cropperSaves(cropper, numberedCells(6, 4, 20));
        EXPECT_FALSE(cropper->presentedViewController()) << replace;
        settle(1000);
    }
    EXPECT_TRUE(exists(libraryFile(6)) && !exists(libraryFile(7))) << "four more with 2, none with 1";
}

TEST_F(PageMode, RestoringAPageRemovesOnlyItsIconsFilesAfterTheQuestion)
{
    pref("firstrun", false);
    pref("activationmethodmulti", 4LL);
    firstPage(3);
    boot("iphone8-ios12");

    // No custom file on the page: no question, the overlay for a moment, nothing changes.
    ASSERT_TRUE(openPageSheet());
    chooseUntilOverlay("Restore original");
    EXPECT_EQ(overlayTitle(), "Restoring icons...");
    settle(1000);
    EXPECT_EQ(overlayTitle(), "");
    EXPECT_FALSE(alertOnScreen());

    writeSolidPNG(host(storeFile("com.apple.facetime")), kRed, 60);
    writeSolidPNG(host(storeFile("com.apple.mobilecal")), kGreen, 60);
    writeSolidPNG(host(storeFile("com.apple.mobilesafari")), kGreen, 60); // in the dock: not on the page
    // As restoring a backup does: every icon reloaded.
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(), kChanged, nullptr, nullptr, true);
    settle();
    ASSERT_TRUE(isNearRed(centreOf(shownImage("com.apple.facetime"))));
    ASSERT_TRUE(openPageSheet());
    choose("Restore original");
    EXPECT_EQ(alertMessage(), "Restoring orginal icons for the apps on this page. What would you like to do with the custom icons?");
    EXPECT_EQ(actionTitles(alertOnScreen()), (std::vector<std::string> { "Remove all permanently", "Move all to icon library", "Cancel" }));
    choose("Cancel");
    EXPECT_FALSE(openEdit());
    EXPECT_EQ(storeFiles().size(), 3u);

    ASSERT_TRUE(openPageSheet());
    choose("Restore original");
    choose("Move all to icon library");
    settle(1000);
    EXPECT_EQ(storeFiles(), (std::vector<std::string> { "com.apple.mobilesafari.png" }));
    EXPECT_TRUE(isNearRed(centreOf(picture(libraryFile(1)))));
    EXPECT_TRUE(isGreen(centreOf(picture(libraryFile(2)))));
    EXPECT_FALSE(isNearRed(centreOf(shownImage("com.apple.facetime")))) << "the original is shown again";

    // "defaultactionrestore" 1: removed without a question or a copy.
    writeSolidPNG(host(storeFile("com.apple.mobileslideshow")), kRed, 60);
    changePref("defaultactionrestore", 1LL);
    ASSERT_TRUE(openPageSheet());
    choose("Restore original");
    settle(1000);
    EXPECT_FALSE(alertOnScreen());
    EXPECT_EQ(storeFiles(), (std::vector<std::string> { "com.apple.mobilesafari.png" }));
    EXPECT_FALSE(exists(libraryFile(3)));
}

TEST_F(PageMode, OpenIconLibraryShowsTheBrowserToManageAndItsCancelEndsTheEdit)
{
    pref("firstrun", false);
    pref("activationmethodmulti", 4LL);
    boot("iphone8-ios12");
    ASSERT_TRUE(openPageSheet());
    choose("Open icon library");
    settle(800);
    UIViewController* browser = presented();
    ASSERT_TRUE(browser);
    EXPECT_TRUE(objc::isKindOfClass(browser, "ZarnekIconSelectorViewController"));
    ASSERT_TRUE(openEdit());
    EXPECT_TRUE(openEdit()->page);
    msgSend(objc::objc_getClass("OvrimoHelper"), "iconSelectorDidCancel:", browser);
    settle(800);
    EXPECT_FALSE(presented());
    EXPECT_FALSE(openEdit());
}
