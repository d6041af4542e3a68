// From picture to icon file: the two modes, the atomic write, the keys that name no file, the
// notification, and the cropper's Save with the overwrite question.

#include "WorkflowFixture.h"

#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/corefoundation/NSDictionary.h"
#include "device/springboard/SBFolder.h"
#include "device/springboard/SBFolderIcon.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/ViewSearch.h"
#include "tweak/workflow/IconGeneration.h"

using namespace workflow_tests;

namespace {

class IconGeneration : public WorkflowTest {
protected:
    SBIcon* iconOf(const std::string& identifier) { return icons()->model()->iconForIdentifier(identifier); }
    Ref<UIImage> stored(const std::string& key) { return picture(storeFile(key)); }

    // A screen presented where the workflow presents its editor, standing in for the cropper
    // whose delegate is the workflow's class.
    Ref<UIViewController> presentEditorStandIn()
    {
        Ref<UIViewController> editor = UIViewController::create();
        dev().window()->rootViewController()->presentViewController(editor, false);
        settle();
        return editor;
    }
    void cropperSaves(UIViewController* editor, UIImage* cut)
    {
        msgSend(objc::objc_getClass("OvrimoHelper"), "imageCropper:didFinished:", editor, cut);
        settle(0);
    }
};

struct Posted {
    static inline std::vector<std::pair<std::string, std::string>> seen; // object, appID
    static void observe(CFNotificationCenterRef, void*, const std::string&, const void* object, NSDictionary* info)
    {
        auto* key = static_cast<const NSString*>(object);
        seen.push_back({ key ? key->value() : "", info ? info->stringForKey("appID").value_or("") : "" });
    }
};

} // namespace

TEST_F(IconGeneration, SquareModeSqueezesTheWholePictureUprightInto256Pixels)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    ovrimo::GenerateIconImage(quarters(1000, 500), iconOf(kMail), std::string(kMail));
    Ref<UIImage> file = stored(kMail);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->CGImage()->width(), 256u);
    ASSERT_EQ(file->CGImage()->height(), 256u);
    // Squeezed, not cropped: all four quarters, each a quarter of the square.
    EXPECT_EQ(colourOf(testing_support::pixelAt(file, 10, 10)), Colour::Red);
    EXPECT_EQ(colourOf(testing_support::pixelAt(file, 245, 10)), Colour::Green);
    EXPECT_EQ(colourOf(testing_support::pixelAt(file, 10, 245)), Colour::Blue);
    EXPECT_EQ(colourOf(testing_support::pixelAt(file, 245, 245)), Colour::Yellow);

    // A picture stored sideways (turned right to be seen) comes out as it is seen.
    ovrimo::GenerateIconImage(quarters(400, 400, UIImageOrientationRight), iconOf(kMail), std::string(kMail));
    file = stored(kMail);
    ASSERT_TRUE(file);
    // Turned a quarter clockwise, the bottom left (blue) quarter of the bitmap is now at the top left.
    EXPECT_EQ(colourOf(testing_support::pixelAt(file, 10, 10)), Colour::Blue);
    EXPECT_EQ(colourOf(testing_support::pixelAt(file, 245, 10)), Colour::Red);
}

TEST_F(IconGeneration, PreShapedModeCutsTheShapeAtTheScreensScale)
{
    pref("firstrun", false);
    pref("generatemethod", 1LL);
    boot("iphone8-ios12");
    ovrimo::GenerateIconImage(quarters(300, 300), iconOf(kMail), std::string(kMail));
    Ref<UIImage> file = stored(kMail);
    ASSERT_TRUE(file);
    // The shape is 60 x 60 points on a screen of scale 2.
    ASSERT_EQ(file->CGImage()->width(), 120u);
    ASSERT_EQ(file->CGImage()->height(), 120u);
    EXPECT_EQ(testing_support::pixelAt(file, 0, 0).a, 0) << "outside the rounded outline";
    EXPECT_EQ(testing_support::pixelAt(file, 119, 119).a, 0);
    EXPECT_EQ(colourOf(testing_support::pixelAt(file, 30, 30)), Colour::Red);
    EXPECT_EQ(colourOf(testing_support::pixelAt(file, 90, 90)), Colour::Yellow);
    bool partlyTransparentEdge = false;
    for (size_t x = 0; x < 20; ++x) {
        int a = testing_support::pixelAt(file, x, x).a;
        partlyTransparentEdge |= a > 0 && a < 255;
    }
    EXPECT_TRUE(partlyTransparentEdge) << "the outline is smoothed";
}

TEST_F(IconGeneration, PreShapedModeWithoutAShapeWritesNothingAndSaysError130)
{
    pref("firstrun", false);
    pref("generatemethod", 1LL);
    boot("iphone8-ios12");
    Posted::seen.clear();
    CFNotificationCenterAddObserver(CFNotificationCenterGetLocalCenter(), this, Posted::observe, "com.zarnek.ovrimo.iconimagechanged", nullptr,
        CFNotificationSuspensionBehaviorDeliverImmediately);
    // An icon with no view on the home screen has no shape to cut.
    Ref<SBIcon> loose = objc::make<SBIcon>();
    ovrimo::GenerateIconImage(quarters(100, 100), loose, std::string("com.example.loose"));
    settle();
    EXPECT_FALSE(exists(storeFile("com.example.loose")));
    EXPECT_EQ(alertMessage(), "Error 130! Something went wrong. Please try again, if the error continues then contact me!");
    EXPECT_TRUE(Posted::seen.empty());
    CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetLocalCenter(), this);
}

TEST_F(IconGeneration, ReplacesTheFileAtomicallyAndTellsSpringBoard)
{
    pref("firstrun", false);
    customPicture(kMail, kRed);
    boot("iphone8-ios12");
    std::filesystem::remove_all(host(kStore));
    Posted::seen.clear();
    CFNotificationCenterAddObserver(CFNotificationCenterGetLocalCenter(), this, Posted::observe, "com.zarnek.ovrimo.iconimagechanged", nullptr,
        CFNotificationSuspensionBehaviorDeliverImmediately);

    ovrimo::GenerateIconImage(quarters(64, 64), iconOf(kMail), std::string(kMail));
    EXPECT_TRUE(std::filesystem::is_directory(host(kStore))) << "a missing store folder is made first";
    ASSERT_EQ(Posted::seen.size(), 1u);
    EXPECT_EQ(Posted::seen[0].first, kMail);
    EXPECT_EQ(Posted::seen[0].second, kMail);
    // SpringBoard redrew the icon with the new file.
    EXPECT_EQ(colourOf(testing_support::pixelAt(shownImage(kMail), CGPointMake(8, 8))), Colour::Red);
    EXPECT_EQ(colourOf(testing_support::pixelAt(shownImage(kMail), CGPointMake(52, 52))), Colour::Yellow);
    // Nothing but the icon's file is left in the store: no temporary beside it.
    int entries = 0;
    for (auto& entry : std::filesystem::directory_iterator(host(kStore)))
        entries += entry.is_regular_file();
    EXPECT_EQ(entries, 1);
    CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetLocalCenter(), this);
}

TEST_F(IconGeneration, KeysThatNameNoFileInTheStoreWriteNothing)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    for (std::string key : { "..", ".", "com.ovrimo.folder.A/B", "com.ovrimo.folder.../../../../Library/x", "" }) {
        ovrimo::GenerateIconImage(quarters(32, 32), iconOf(kMail), key);
        settle();
        EXPECT_EQ(alertMessage(), "Error 131! Something went wrong. Please try again, if the error continues then contact me!") << key;
        if (alertOnScreen())
            choose("OK");
    }
    EXPECT_FALSE(exists("/var/mobile/Documents/Ovrimo/Icons.png"));
    EXPECT_FALSE(exists("/var/mobile/Library/x.png"));
    EXPECT_FALSE(exists("/var/mobile/Documents/Ovrimo/Icons/com.ovrimo.folder.A/B.png"));
    // Nothing at all was written in the store.
    EXPECT_TRUE(!std::filesystem::exists(host(kStore)) || std::filesystem::is_empty(host(kStore)));
    // Without an icon, a key or a picture nothing happens either.
    ovrimo::GenerateIconImage(nullptr, iconOf(kMail), std::string(kMail));
    ovrimo::GenerateIconImage(quarters(32, 32), nullptr, std::string(kMail));
    ovrimo::GenerateIconImage(quarters(32, 32), iconOf(kMail), std::nullopt);
    EXPECT_FALSE(exists(storeFile(kMail)));
}

TEST_F(IconGeneration, AFolderWhoseNameHoldsASlashIsRefusedWithAnErrorAfterSave)
{
    pref("firstrun", false);
    pref("activationmethodsingle", 1LL);
    boot("iphone8-ios12");
    SBIconView* folder = folderView();
    ASSERT_TRUE(folder);
    auto* folderIcon = dynamic_cast<SBFolderIcon*>(folder->icon());
    ASSERT_TRUE(folderIcon);
    folderIcon->folder()->setDisplayName("Work/Play");
    // The folder's "+" button opens its sheet; the sheet is put away as a source would.
    dev().touch().longPress(iconCentre(folder), 1.0);
    settle();
    UIView* button = folder->viewWithTag(121345);
    ASSERT_TRUE(button);
    CGRect rect = uikit::visibleRectOf(button);
    dev().touch().tap(CGPointMake(CGRectGetMidX(rect), CGRectGetMidY(rect)));
    settle();
    ASSERT_TRUE(alertOnScreen());
    EXPECT_EQ(editedKey(), std::optional<std::string>("com.ovrimo.folder.Work/Play"));
    dev().window()->rootViewController()->dismissViewControllerAnimated(false);
    settle();

    auto editor = presentEditorStandIn();
    cropperSaves(editor, quarters(50, 50));
    settle(1000);
    EXPECT_EQ(alertMessage(), "Error 131! Something went wrong. Please try again, if the error continues then contact me!");
    EXPECT_TRUE(!std::filesystem::exists(host(kStore)) || std::filesystem::is_empty(host(kStore))) << "nothing written";
    EXPECT_FALSE(openEdit()) << "the edit ended";
}

TEST_F(IconGeneration, CropperSaveAsksBeforeReplacingAndTheQuestionsCancelKeepsTheEditor)
{
    pref("firstrun", false);
    customPicture(kMail, kGreen);
    boot("iphone8-ios12");
    // The sheet's choice leads to the editor; here a stand-in whose Save is sent by hand.
    beginEdit(kMail);
    auto editor = presentEditorStandIn();
    cropperSaves(editor, quarters(50, 50));
    UIAlertController* question = dynamic_cast<UIAlertController*>(editor->presentedViewController());
    ASSERT_TRUE(question) << "the question is presented from the cropper";
    EXPECT_EQ(question->message(), "A custom icon for the app Mail already exists. What do you want to do with it?");
    EXPECT_EQ(actionTitles(question), (std::vector<std::string> { "Overwrite", "Move to icon library", "Cancel" }));
    choose("Cancel");
    EXPECT_EQ(dev().window()->rootViewController()->presentedViewController(), editor.ptr()) << "the cropper stays open";
    EXPECT_TRUE(isGreen(centreOf(stored(kMail))));

    cropperSaves(editor, quarters(50, 50));
    chooseUntilOverlay("Overwrite");
    EXPECT_EQ(overlayTitle(), "Please wait! Generating icon image...");
    EXPECT_TRUE(isGreen(centreOf(stored(kMail)))) << "the work starts 10 ms after the overlay";
    dev().advance(11);
    EXPECT_EQ(colourOf(testing_support::pixelAt(stored(kMail), 10, 10)), Colour::Red);
    settle(1000);
    EXPECT_EQ(overlayTitle(), "");
    EXPECT_EQ(dev().window()->rootViewController()->presentedViewController(), nullptr) << "the cropper closed";
    EXPECT_FALSE(openEdit());
    EXPECT_FALSE(exists(libraryFile(1)));
}

TEST_F(IconGeneration, ReplaceDefaultTwoKeepsTheOldIconInTheLibraryWithoutAsking)
{
    pref("firstrun", false);
    pref("defaultactionreplace", 2LL);
    customPicture(kMail, kGreen);
    boot("iphone8-ios12");
    beginEdit(kMail);
    auto editor = presentEditorStandIn();
    cropperSaves(editor, quarters(50, 50));
    EXPECT_FALSE(editor->presentedViewController()) << "no question";
    settle(1000);
    ASSERT_TRUE(exists(libraryFile(1)));
    EXPECT_TRUE(isGreen(centreOf(picture(libraryFile(1)))));
    EXPECT_EQ(colourOf(testing_support::pixelAt(stored(kMail), 10, 10)), Colour::Red);
}

TEST_F(IconGeneration, ACropperThatCutNothingEndsTheEditWithAnError)
{
    pref("firstrun", false);
    customPicture(kMail, kGreen);
    boot("iphone8-ios12");
    beginEdit(kMail);
    auto editor = presentEditorStandIn();
    cropperSaves(editor, nullptr);
    settle(1000);
    EXPECT_EQ(alertMessage(), "Error 160! Something went wrong. Please try again, if the error continues then contact me!");
    EXPECT_NE(dev().window()->rootViewController()->presentedViewController(), editor.ptr());
    EXPECT_TRUE(isGreen(centreOf(stored(kMail)))) << "the icon is left as it was";
    EXPECT_FALSE(openEdit());
}

TEST_F(IconGeneration, ALibraryPictureIsWrittenWithoutTheCropperAndTheBrowserCloses)
{
    pref("firstrun", false);
    customPicture(kMail, kGreen);
    boot("iphone8-ios12");
    beginEdit(kMail);
    // The browser reports a choice after asking its own question: no question here, whatever
    // "defaultactionreplace" says.
    auto browser = presentEditorStandIn();
    msgSend(objc::objc_getClass("OvrimoHelper"), "iconSelector:didFinished:", browser.ptr(), quarters(64, 64).ptr());
    for (int ms = 0; ms < 1000 && overlayTitle().empty(); ++ms)
        dev().advance(1);
    EXPECT_EQ(overlayTitle(), "Please wait! Saving icon image...");
    EXPECT_FALSE(alertOnScreen());
    settle(1000);
    EXPECT_EQ(colourOf(testing_support::pixelAt(stored(kMail), 10, 10)), Colour::Red);
    EXPECT_FALSE(dev().window()->rootViewController()->presentedViewController()) << "the browser closed";
    EXPECT_FALSE(openEdit());
    EXPECT_FALSE(exists(libraryFile(1)));

    // With no icon being edited nothing is written, and the browser still closes.
    browser = presentEditorStandIn();
    msgSend(objc::objc_getClass("OvrimoHelper"), "iconSelector:didFinished:", browser.ptr(), quarters(64, 64, UIImageOrientationDown).ptr());
    settle(1000);
    EXPECT_EQ(colourOf(testing_support::pixelAt(stored(kMail), 10, 10)), Colour::Red) << "the file is the earlier one";
    EXPECT_FALSE(dev().window()->rootViewController()->presentedViewController());
}
