// Where pictures come from: the photo library and web addresses (downloads against a server on
// 127.0.0.1 started by the test), up to the moment the editor receives the picture.

#include "WorkflowFixture.h"

#include "platform/uikit/UIImagePickerController.h"
#include "platform/uikit/UIPasteboard.h"
#include "platform/uikit/UITextField.h"
#include "tweak/workflow/Downloads.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace workflow_tests;

namespace {

// The editor's door: every picture the sources hand to +prepareImageEditorWithImage:.
struct EditorRecorder {
    static inline std::vector<Ref<UIImage>> received;
    static void install()
    {
        received.clear();
        objc::objc_getClass("OvrimoHelper")->addClassMethod("prepareImageEditorWithImage:", [](objc::Object*, objc::SEL, UIImage* picture) {
            received.push_back(Ref<UIImage>(picture));
        });
    }
};

// A web server on 127.0.0.1 for the length of a test.
class LocalServer {
public:
    LocalServer()
    {
        auto png = UIImagePNGRepresentation(quarters(40, 20));
        std::string picture(png->begin(), png->end());
        m_server.Get("/picture.png", [picture](const httplib::Request&, httplib::Response& res) { res.set_content(picture, "image/png"); });
        m_server.Get("/page.html", [](const httplib::Request&, httplib::Response& res) { res.set_content("<html><body>not a picture</body></html>", "text/html"); });
        m_server.Get("/missing.png", [picture](const httplib::Request&, httplib::Response& res) {
            res.status = 404;
            res.set_content(picture, "image/png"); // a picture, but the answer says it is not the one asked for
        });
        m_server.Get("/slow.png", [this, picture](const httplib::Request&, httplib::Response& res) {
            for (int i = 0; i < 40 && !m_stopping; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            res.set_content(picture, "image/png");
        });
        m_server.Get("/endless", [this](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("image/png", [this](size_t, httplib::DataSink& sink) {
                std::string chunk(64 * 1024, 'x');
                return !m_stopping && sink.write(chunk.data(), chunk.size());
            });
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~LocalServer()
    {
        m_stopping = true;
        m_server.stop();
        m_thread.join();
    }
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(m_port) + path; }

private:
    httplib::Server m_server;
    std::thread m_thread;
    std::atomic<bool> m_stopping { false };
    int m_port = 0;
};

class ImageSources : public WorkflowTest {
protected:
    void openURLAlertFor(const std::string& identifier)
    {
        openSheet(identifier);
        choose("Replace from URL");
    }
    void download(const std::string& address)
    {
        msgSend(objc::objc_getClass("OvrimoHelper"), "downloadAndEditImageWithURLString:", address);
        settle(0);
    }
};

} // namespace

TEST_F(ImageSources, TheURLAlertOffersTheClipboardOnlyForAWebAddress)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    UIPasteboard::generalPasteboard()->setString("just some words");
    openURLAlertFor(kMail);
    UIAlertController* alert = alertOnScreen();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->message(), "Enter the image URL");
    EXPECT_EQ(actionTitles(alert), (std::vector<std::string> { "OK", "Cancel" }));
    ASSERT_EQ(alert->textFields().size(), 1u);
    EXPECT_EQ(alert->textFields()[0]->keyboardType(), UIKeyboardTypeURL);
    choose("Cancel");
    EXPECT_FALSE(openEdit()) << "the alert's Cancel ends the edit";

    UIPasteboard::generalPasteboard()->setString("https://example.org/icon.png");
    openURLAlertFor(kMail);
    EXPECT_EQ(actionTitles(alertOnScreen()), (std::vector<std::string> { "OK", "From clipboard", "Cancel" }));
}

TEST_F(ImageSources, DownloadsReachTheEditorAndEveryFailureEndsInOneAlert)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    EditorRecorder::install();
    LocalServer server;
    ovrimo::PictureDownloadLimits().seconds = 2;
    ovrimo::PictureDownloadLimits().maximumBytes = 1 << 20;

    // The address typed into the alert.
    openURLAlertFor(kMail);
    UITextField* field = alertOnScreen()->textFields()[0].ptr();
    dev().touch().tap(CGPointMake(CGRectGetMidX(uikit::visibleRectOf(field)), CGRectGetMidY(uikit::visibleRectOf(field))));
    dev().touch().typeText(server.url("/picture.png"));
    choose("OK");
    EXPECT_EQ(overlayTitle(), "Downloading image...");
    settle(500);
    ASSERT_EQ(EditorRecorder::received.size(), 1u);
    EXPECT_EQ(EditorRecorder::received[0]->size().width, 40);
    EXPECT_EQ(colourOf(testing_support::pixelAt(EditorRecorder::received[0], 2, 2)), Colour::Red);
    EXPECT_EQ(overlayTitle(), "") << "the overlay always hides";

    struct Failure {
        const char* what;
        std::string address;
    };
    const std::vector<Failure> failures {
        { "an HTML page", server.url("/page.html") },
        { "a 404 answer, even with a picture in it", server.url("/missing.png") },
        { "an answer slower than the time allowed", server.url("/slow.png") },
        { "a body that never ends", server.url("/endless") },
        { "a refused connection", "http://127.0.0.1:1/picture.png" },
        { "a device file", "file:///var/mobile/Library/Preferences/com.zarnek.ovrimo.plist" },
        { "words", "not an address" },
        { "nothing typed", "" },
    };
    for (const Failure& failure : failures) {
        download(failure.address);
        settle(3000);
        EXPECT_EQ(alertMessage(), "Download failed. Wrong URL or connection error!") << failure.what;
        EXPECT_EQ(overlayTitle(), "") << failure.what;
        if (alertOnScreen())
            choose("OK");
    }
    EXPECT_EQ(EditorRecorder::received.size(), 1u);
}

TEST_F(ImageSources, FromClipboardDownloadsWhatTheClipboardHoldsAtTheTap)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    EditorRecorder::install();
    LocalServer server;
    UIPasteboard::generalPasteboard()->setString(server.url("/page.html"));
    openURLAlertFor(kMail);
    UIPasteboard::generalPasteboard()->setString(server.url("/picture.png"));
    choose("From clipboard");
    settle(500);
    EXPECT_EQ(EditorRecorder::received.size(), 1u);
    EXPECT_FALSE(alertOnScreen());
}

TEST_F(ImageSources, APickedPhotoGoesToTheEditorAndCancelEndsTheEdit)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    EditorRecorder::install();
    writePicture(std::string(kCameraRoll) + "IMG_0001.PNG", quarters(30, 60));

    openSheet(kMail);
    choose("Replace from photo library");
    auto* picker = dynamic_cast<UIImagePickerController*>(dev().window()->rootViewController()->presentedViewController());
    ASSERT_TRUE(picker);
    const auto& paths = picker->photoPaths();
    auto ours = std::find(paths.begin(), paths.end(), std::string(kCameraRoll) + "IMG_0001.PNG");
    ASSERT_NE(ours, paths.end());
    UIView* thumbnail = picker->thumbnailAt(static_cast<size_t>(ours - paths.begin()));
    ASSERT_TRUE(thumbnail);
    CGRect rect = uikit::visibleRectOf(thumbnail);
    dev().touch().tap(CGPointMake(CGRectGetMidX(rect), CGRectGetMidY(rect)));
    settle(800);
    ASSERT_EQ(EditorRecorder::received.size(), 1u);
    EXPECT_EQ(EditorRecorder::received[0]->size().height, 60);
    EXPECT_FALSE(dev().window()->rootViewController()->presentedViewController()) << "the picker closed first";

    openSheet(kMail);
    choose("Replace from photo library");
    picker = dynamic_cast<UIImagePickerController*>(dev().window()->rootViewController()->presentedViewController());
    ASSERT_TRUE(picker);
    picker->cancel();
    settle(800);
    EXPECT_FALSE(openEdit());
    EXPECT_FALSE(dev().window()->rootViewController()->presentedViewController());
    EXPECT_EQ(EditorRecorder::received.size(), 1u);
}

TEST_F(ImageSources, APickerResultWithoutAPictureEndsTheEditWithAnError)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    beginEdit(kMail);
    msgSend(objc::objc_getClass("OvrimoHelper"), "imagePickerController:didFinishPickingMediaWithInfo:", nullptr, NSDictionary::make().ptr());
    settle(800);
    EXPECT_EQ(alertMessage(), "Error 160! Something went wrong. Please try again, if the error continues then contact me!");
    EXPECT_FALSE(openEdit());
}
