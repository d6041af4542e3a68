// The edit as a value: which edit is open, what starts and ends one, and that every step works on
// the edit it was started with even when another trigger fires meanwhile.

#include "WorkflowFixture.h"

#include "platform/uikit/UIButton.h"
#include "tweak/IconStore.h"
#include "tweak/cropper/VPImageCropperViewController.h"

using namespace workflow_tests;

namespace {

inline constexpr const char* kFaceTime = "com.apple.facetime";
inline constexpr const char* kSafari = "com.apple.mobilesafari"; // in the dock: on no page

class IconEdits : public WorkflowTest {
protected:
    objc::Class* helper() { return objc::objc_getClass("OvrimoHelper"); }
    UIViewController* presented() { return dev().window()->rootViewController()->presentedViewController(); }

    // The icon trigger fired from a "+" button lying on `identifier`'s icon view, as it would be
    // while another screen covers the icons.
    void triggerSheet(const std::string& identifier)
    {
        SBIconView* view = iconView(identifier);
        ASSERT_TRUE(view) << identifier;
        Ref<UIButton> button = UIButton::buttonWithType(UIButtonTypeCustom);
        view->addSubview(button);
        msgSend(helper(), "showActionSheet:", button.ptr());
        settle();
        button->removeFromSuperview();
    }
    UIAlertController* openPageSheet()
    {
        if (!icons()->isEditing()) {
            dev().touch().longPress(iconCentre(iconView(kMail)), 1.0);
            settle();
        }
        msgSend(helper(), "showSBPageActionSheet:", static_cast<objc::Object*>(nullptr));
        settle();
        return alertOnScreen();
    }
};

} // namespace

TEST_F(IconEdits, ASheetTriggeredWhileAnEditorIsOpenStartsNothingAndTheEditorWritesItsOwnIcon)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    beginEdit(kMail);
    ASSERT_TRUE(openEdit());
    std::uint64_t mailEdit = openEdit()->number;
    msgSend(helper(), "prepareImageEditorWithImage:", quarters(300, 300).ptr());
    settle();
    auto* cropper = dynamic_cast<ovrimo::cropper::VPImageCropperViewController*>(presented());
    ASSERT_TRUE(cropper);

    // Neither an icon's sheet nor the page sheet can be shown over the cropper: no edit of
    // theirs begins.
    triggerSheet(kSafari);
    openPageSheet();
    EXPECT_EQ(presented(), cropper);
    ASSERT_TRUE(openEdit());
    EXPECT_EQ(openEdit()->number, mailEdit);
    EXPECT_EQ(editedKey(), kMail);

    msgSend(helper(), "imageCropper:didFinished:", cropper, quarters(200, 200).ptr());
    settle(1000);
    EXPECT_TRUE(exists(storeFile(kMail)));
    EXPECT_FALSE(exists(storeFile(kSafari)));
    EXPECT_FALSE(presented());
    EXPECT_FALSE(openEdit());
}

TEST_F(IconEdits, ADelayedPageRestoreWorksOnItsPageAndLeavesASheetOpenedMeanwhileItsEdit)
{
    pref("firstrun", false);
    pref("defaultactionrestore", 1LL);
    customPicture(kFaceTime, kRed);
    customPicture(kSafari, kGreen);
    boot("iphone8-ios12");
    ASSERT_TRUE(openPageSheet());
    ASSERT_TRUE(openEdit() && openEdit()->page);
    std::uint64_t pageEdit = openEdit()->number;

    // The restore waits 10 ms behind its overlay; no screen is up, so Safari's sheet opens.
    chooseUntilOverlay("Restore original");
    ASSERT_EQ(overlayTitle(), "Restoring icons...");
    ASSERT_TRUE(exists(storeFile(kFaceTime))) << "the removal has not run yet";
    SBIconView* safari = iconView(kSafari);
    ASSERT_TRUE(safari);
    Ref<UIButton> button = UIButton::buttonWithType(UIButtonTypeCustom);
    safari->addSubview(button);
    msgSend(helper(), "showActionSheet:", button.ptr());
    ASSERT_TRUE(alertOnScreen());
    ASSERT_TRUE(openEdit());
    EXPECT_NE(openEdit()->number, pageEdit);

    settle(1000);
    EXPECT_FALSE(exists(storeFile(kFaceTime))) << "the page's files went";
    EXPECT_TRUE(exists(storeFile(kSafari))) << "the icon opened meanwhile is not the page's";
    EXPECT_EQ(editedKey(), kSafari) << "the page's end is not the sheet's";
    ASSERT_EQ(alertMessage(), "What would you like to do with the icon image for Safari?");

    // Safari's sheet still works on Safari.
    choose("Restore original");
    settle(1000);
    EXPECT_FALSE(exists(storeFile(kSafari)));
    EXPECT_FALSE(openEdit());
}

TEST_F(IconEdits, APageEditNeverPassesForItsFirstIcon)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    ASSERT_TRUE(openPageSheet());
    ASSERT_TRUE(openEdit());
    const ovrimo::IconEdit& page = *openEdit();
    ASSERT_GT(page.slots.size(), 1u);
    EXPECT_FALSE(page.single());
    // Every slot holds its own icon's key and path, whatever the order.
    for (const ovrimo::IconSlot& slot : page.slots) {
        EXPECT_EQ(ovrimo::IconKeyForIcon(slot.icon), slot.key);
        EXPECT_EQ(slot.path, storeFile(slot.key));
    }

    // A picture from the library browser while a page is edited: no single icon, nothing written,
    // the browser closes and the edit ends.
    choose("Open icon library");
    settle(800);
    UIViewController* browser = presented();
    ASSERT_TRUE(objc::isKindOfClass(browser, "ZarnekIconSelectorViewController"));
    msgSend(helper(), "iconSelector:didFinished:", browser, quarters(64, 64).ptr());
    settle(1000);
    EXPECT_TRUE(!exists(kStore) || std::filesystem::is_empty(host(kStore)));
    EXPECT_FALSE(presented());
    EXPECT_FALSE(openEdit());
}

TEST_F(IconEdits, EditingEndingUnderAnOpenSheetEndsItsEdit)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    ASSERT_TRUE(openSheet(kMail));
    ASSERT_TRUE(openEdit());
    dev().pressHome();
    settle(800);
    EXPECT_FALSE(alertOnScreen());
    EXPECT_FALSE(openEdit());

    // A new sheet is a new edit.
    ASSERT_TRUE(openSheet(kMail));
    ASSERT_TRUE(openEdit());
    EXPECT_EQ(editedKey(), kMail);
}
