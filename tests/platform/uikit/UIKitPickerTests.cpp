#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/corefoundation/NSDictionary.h"
#include "platform/corefoundation/NSString.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIImagePickerController.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/ViewSearch.h"

#include <chrono>
#include <filesystem>
#include <fstream>

using objc::Ref;

// The photo picker over the camera-roll folder: which files it lists and in what order, what a
// tap hands the delegate, cancelling, and folders that are empty, missing or hold broken files.

namespace {

class PickLog : public objc::NSObject {
    OBJC_CLASS(PickLogDelegate)
public:
    std::vector<Ref<UIImage>> picked;
    std::vector<std::string> mediaTypes;
    int cancels = 0;

    void didFinishPicking(UIImagePickerController* picker, NSDictionary* info)
    {
        picked.emplace_back(dynamic_cast<UIImage*>(info->objectForKey(UIImagePickerControllerOriginalImage)));
        if (auto* type = dynamic_cast<NSString*>(info->objectForKey(UIImagePickerControllerMediaType)))
            mediaTypes.push_back(type->value());
        picker->dismissViewControllerAnimated(false);
    }
    void didCancel(UIImagePickerController* picker)
    {
        ++cancels;
        picker->dismissViewControllerAnimated(false);
    }
};

class UIKitPickerTest : public UIKitTest {
protected:
    UIKitPickerTest()
    {
        objc::ClassBuilder<PickLog>(env.runtime(), "NSObject")
            .method(uikit::sel::imagePickerControllerDidFinishPickingMediaWithInfo, &PickLog::didFinishPicking)
            .method(uikit::sel::imagePickerControllerDidCancel, &PickLog::didCancel)
            .conformsTo(uikit::UIImagePickerControllerDelegate)
            .build();
        log = objc::make<PickLog>();
        folder = env.hostPath(uikit::kCameraRollFolder);
    }

    // Writes a w × h picture of one colour as PNG or JPEG.
    void writePicture(const std::string& name, int w, int h, bool jpeg = false)
    {
        std::filesystem::create_directories(folder);
        UIGraphicsBeginImageContextWithOptions(CGSizeMake(w, h), true, 1);
        UIColor::redColor()->setFill();
        UIRectFill(CGRectMake(0, 0, w, h));
        Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();
        auto bytes = jpeg ? UIImageJPEGRepresentation(image, 0.9) : UIImagePNGRepresentation(image);
        ASSERT_TRUE(bytes);
        std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
        // Each picture a second newer than the one written before it.
        std::filesystem::last_write_time(folder / name, kFirstPhotoTime + std::chrono::seconds(++m_written));
    }
    static inline const std::filesystem::file_time_type kFirstPhotoTime = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    int m_written = 0;

    Ref<UIImagePickerController> present(objc::Object* delegate)
    {
        showWindow();
        auto picker = UIImagePickerController::create();
        picker->setDelegate(delegate);
        root->presentViewController(picker, false);
        settle(0.1);
        return picker;
    }

    static CGPoint centreOf(UIView* v) { return v->convertPointToView(CGPointMake(v->bounds().size.width / 2, v->bounds().size.height / 2), nullptr); }

    Ref<PickLog> log;
    std::filesystem::path folder;
};

} // namespace

TEST_F(UIKitPickerTest, ListsPngAndJpegNewestFirstAndLeavesTheRestOut)
{
    writePicture("IMG_0003.JPG", 30, 10, true);
    writePicture("IMG_0001.jpeg", 10, 10, true);
    writePicture("IMG_0002.png", 20, 10);
    writePicture("IMG_0000.gif", 5, 5); // PNG bytes, but not a name the library shows
    writePicture(".hidden.png", 5, 5);
    std::filesystem::create_directories(folder / "folder.png");
    std::ofstream(folder / "IMG_0004.PNG") << "not really a picture";
    std::ofstream(folder / "notes.txt") << "text";
    auto picker = present(log);
    EXPECT_EQ(picker->photoPaths(), (std::vector<std::string> { "/var/mobile/Media/DCIM/100APPLE/IMG_0002.png", "/var/mobile/Media/DCIM/100APPLE/IMG_0001.jpeg",
                                        "/var/mobile/Media/DCIM/100APPLE/IMG_0003.JPG" }));
    ASSERT_TRUE(picker->thumbnailAt(2));
    EXPECT_FALSE(picker->thumbnailAt(3)) << "the broken file has no tile";
    // Four to a row on the phone.
    EXPECT_NEAR(picker->thumbnailAt(0)->frame().size.width, (375 - 3 * 2) / 4.0, 0.01);
    EXPECT_LT(picker->thumbnailAt(0)->frame().origin.x, picker->thumbnailAt(1)->frame().origin.x);
}

TEST_F(UIKitPickerTest, TappingATileHandsTheDecodedPictureToTheDelegate)
{
    writePicture("B.png", 12, 34);
    writePicture("A.jpg", 64, 48, true);
    auto picker = present(log);
    uikit::TouchDriver driver;
    driver.tap(centreOf(picker->thumbnailAt(0)));
    ASSERT_EQ(log->picked.size(), 1u);
    ASSERT_TRUE(log->picked[0]);
    EXPECT_EQ(log->picked[0]->size(), CGSizeMake(64, 48));
    EXPECT_EQ(log->mediaTypes, (std::vector<std::string> { "public.image" }));
    EXPECT_EQ(root->presentedViewController(), nullptr);
    // Shown again, the grid is rebuilt from the folder as it is now.
    std::filesystem::remove(folder / "A.jpg");
    root->presentViewController(picker, false);
    settle(0.1);
    ASSERT_EQ(picker->photoPaths().size(), 1u);
    driver.wait(1);
    driver.tap(centreOf(picker->thumbnailAt(0)));
    ASSERT_EQ(log->picked.size(), 2u);
    EXPECT_EQ(log->picked[1]->size(), CGSizeMake(12, 34));
}

TEST_F(UIKitPickerTest, APictureAddedWhileThePickerIsOpenIsShownFirstAtOnce)
{
    writePicture("old.png", 10, 10);
    writePicture("same-b.png", 10, 10);
    std::filesystem::copy_file(folder / "same-b.png", folder / "same-a.png");
    std::filesystem::last_write_time(folder / "same-a.png", std::filesystem::last_write_time(folder / "same-b.png"));
    auto picker = present(log);
    EXPECT_EQ(picker->photoPaths(), (std::vector<std::string> { "/var/mobile/Media/DCIM/100APPLE/same-a.png", "/var/mobile/Media/DCIM/100APPLE/same-b.png",
                                        "/var/mobile/Media/DCIM/100APPLE/old.png" }))
        << "pictures of the same moment by name";
    // A picture arrives while the grid is on screen: the library says so, the grid follows.
    writePicture("new.png", 20, 10);
    uikit::photoLibraryDidChange();
    ASSERT_EQ(picker->photoPaths().size(), 4u);
    EXPECT_EQ(picker->photoPaths()[0], "/var/mobile/Media/DCIM/100APPLE/new.png");
    ASSERT_TRUE(picker->thumbnailAt(3));
    uikit::TouchDriver driver;
    driver.tap(centreOf(picker->thumbnailAt(0)));
    ASSERT_EQ(log->picked.size(), 1u);
    EXPECT_EQ(log->picked[0]->size(), CGSizeMake(20, 10));
    // A picker not on screen is left alone until it is shown.
    writePicture("later.png", 10, 10);
    uikit::photoLibraryDidChange();
    EXPECT_EQ(picker->photoPaths().size(), 4u);
}

TEST_F(UIKitPickerTest, CancelGoesToTheDelegateOrDismissesByItself)
{
    writePicture("A.png", 8, 8);
    auto picker = present(log);
    auto cancel = uikit::findViewWithLabel(window, "Cancel");
    ASSERT_TRUE(cancel);
    uikit::TouchDriver driver;
    driver.tap(cancel->center);
    EXPECT_EQ(log->cancels, 1);
    EXPECT_TRUE(log->picked.empty());
    EXPECT_EQ(root->presentedViewController(), nullptr);
    // A delegate that answers neither message: the picker goes away by itself, either way.
    auto silent = objc::make<objc::NSObject>();
    picker = present(silent);
    driver.wait(1);
    driver.tap(uikit::findViewWithLabel(window, "Cancel")->center);
    settle(0.5);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    picker = present(silent);
    driver.wait(1);
    driver.tap(centreOf(picker->thumbnailAt(0)));
    settle(0.5);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(log->cancels, 1);
}

TEST_F(UIKitPickerTest, EmptyOrMissingFoldersShowThatThereIsNothing)
{
    auto picker = present(log);
    EXPECT_TRUE(picker->photoPaths().empty());
    EXPECT_TRUE(uikit::findViewWithLabel(window, "No Photos or Videos"));
    root->dismissViewControllerAnimated(false);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "broken.jpg") << "\xff\xd8 truncated";
    root->presentViewController(picker, false);
    settle(0.1);
    EXPECT_TRUE(picker->photoPaths().empty());
    EXPECT_TRUE(uikit::findViewWithLabel(window, "No Photos or Videos"));
    picker->pickPhotoAt(0); // out of range: nothing happens
    EXPECT_TRUE(log->picked.empty());
}
