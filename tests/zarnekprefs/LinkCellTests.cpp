// The link, logo and slider cells in a settings pane; avatars come from a server on 127.0.0.1.

#include "tests/zarnekprefs/ControlsFixture.h"

#include "platform/corefoundation/CFLog.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UITextField.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"
#include "zarnekprefs/zarneklink/ZarnekLinkCell.h"
#include "zarnekprefs/zarneklink/ZarnekLogoLinkCell.h"
#include "zarnekprefs/zarneklink/ZarnekSliderLinkCell.h"

#include <httplib.h>

#include <atomic>
#include <mutex>
#include <thread>

using namespace controls_test;

namespace {

std::string linkRow(const std::string& id, const std::string& label, const std::string& extra)
{
    return "<dict><key>cell</key><string>PSLinkCell</string><key>id</key><string>" + id + "</string><key>label</key><string>" + label
           + "</string><key>cellClass</key><string>ZarnekLinkCell</string>" + extra + "</dict>";
}

std::string solidPNG(int side, double r, double g, double b)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(side, side), false, 1);
    CGContextSetRGBFillColor(UIGraphicsGetCurrentContext(), r, g, b, 1);
    UIRectFill(CGRectMake(0, 0, side, side));
    auto png = UIImagePNGRepresentation(UIGraphicsGetImageFromCurrentImageContext());
    UIGraphicsEndImageContext();
    return std::string(png->begin(), png->end());
}

class LinkCellTest : public ControlsTest {
protected:
    void SetUp() override
    {
        std::string avatar = solidPNG(64, 0, 0, 1);
        m_server.Get(R"(/([^/]+)/profile_image)", [this, avatar](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(m_requestsMutex);
            m_requests.push_back(request.matches[1].str() + "?" + request.get_param_value("size"));
            std::string user = request.matches[1].str();
            if (user == "page")
                response.set_content("<html>not a picture</html>", "text/html");
            else if (user == "huge")
                response.set_content(std::string("\x89PNG", 4) + std::string(3 * 1024 * 1024, 'x'), "image/png");
            else if (user == "gone") {
                response.status = 404;
                response.set_content(avatar, "image/png");
            } else
                response.set_content(avatar, "image/png");
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        zarnek::socialNetworkAddresses().webBase = "http://127.0.0.1:" + std::to_string(m_port);
        zarnek::socialNetworkAddresses().mobileWebBase = "https://m.example.net";
        uikit::setInstalledURLSchemes({});

        installPicture("logo.png", CGSizeMake(200, 60), 1, 0.5, 0);
        installPane("<dict><key>cell</key><string>PSGroupCell</string></dict>"
            "<dict><key>cell</key><string>PSStaticTextCell</string><key>id</key><string>logo</string><key>cellClass</key><string>ZarnekLogoLinkCell</string>"
            "<key>icon</key><string>logo.png</string></dict>"
            + linkRow("site", "Donate", "<key>url</key><string>https://example.org/donate</string><key>subtitle</key><string>Buy me a coffee</string>")
            + linkRow("mail", "Write", "<key>url</key><string>mailto:dev@example.org</string>")
            + linkRow("nothing", "Nowhere", "")
            + linkRow("person", "Jane", "<key>user</key><string>jane doe</string><key>subtitle</key><string>ignored</string>")
            + linkRow("badge", "Jo", "<key>user</key><string>jo</string><key>initials</key><string>JD</string><key>big</key><true/>"
                                     "<key>subtitle</key><string>Design\nand icons</string>")
            + linkRow("page", "Page", "<key>user</key><string>page</string>") + linkRow("huge", "Huge", "<key>user</key><string>huge</string>")
            + linkRow("gone", "Gone", "<key>user</key><string>gone</string>")
            + "<dict><key>cell</key><string>PSSliderCell</string><key>id</key><string>volume</string><key>cellClass</key><string>ZarnekSliderLinkCell</string>"
              "<key>key</key><string>volume</string><key>defaults</key><string>com.demo.controls</string><key>default</key><real>2</real>"
              "<key>min</key><real>0</real><key>max</key><real>10</real><key>showValue</key><true/><key>manualInput</key><true/></dict>"
            + "<dict><key>cell</key><string>PSSliderCell</string><key>id</key><string>plain</string><key>cellClass</key><string>ZarnekSliderLinkCell</string>"
              "<key>key</key><string>plain</string><key>defaults</key><string>com.demo.controls</string><key>showValue</key><true/></dict>");
    }
    void TearDown() override
    {
        m_server.stop();
        if (m_thread.joinable())
            m_thread.join();
        zarnek::socialNetworkAddresses() = {};
        uikit::setInstalledURLSchemes({});
    }

    ZarnekLinkCell* link(const std::string& id)
    {
        auto* cell = dynamic_cast<ZarnekLinkCell*>(paneCell(id));
        EXPECT_NE(cell, nullptr) << id;
        return cell;
    }
    std::size_t openedCount() const { return uikit::openedURLs().size(); }

    // What the server was asked for ("user?size"), in order; the server's threads add to it.
    std::vector<std::string> requests()
    {
        std::lock_guard lock(m_requestsMutex);
        return m_requests;
    }
    std::mutex m_requestsMutex;
    std::vector<std::string> m_requests;
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

} // namespace

TEST_F(LinkCellTest, ProfileRowsShowTheUserAndTheirAvatar)
{
    openPane();
    ZarnekLinkCell* person = link("person");
    ASSERT_NE(person, nullptr);
    EXPECT_EQ(person->detailTextLabel()->text(), "@jane doe") << "the user replaces the given subtitle";
    EXPECT_EQ(person->url(), "https://m.example.net/jane%20doe") << "no client app: the mobile web page";
    ASSERT_NE(person->badge(), nullptr);
    EXPECT_EQ(person->badge()->bounds().size.width, 29);
    EXPECT_EQ(person->badge()->layer()->cornerRadius(), 14.5);
    settle();
    ASSERT_NE(person->avatarImageView()->image(), nullptr) << "downloaded in the background, shown on the main queue";
    EXPECT_EQ(person->avatarImageView()->alpha(), 1.0) << "faded in";
    EXPECT_EQ(graphics_test::pixelAt(person->avatarImageView()->image()->CGImage(), 10, 10), graphics_test::kBlue);
    auto asked = requests();
    EXPECT_NE(std::find(asked.begin(), asked.end(), "jane doe?bigger"), asked.end());

    ZarnekLinkCell* badge = link("badge");
    EXPECT_TRUE(badge->isBig());
    EXPECT_EQ(badge->badge()->bounds().size.width, 38);
    EXPECT_EQ(badge->badge()->layer()->cornerRadius(), 19);
    EXPECT_EQ(badge->avatarImageView(), nullptr);
    EXPECT_EQ(badge->detailTextLabel()->numberOfLines(), 0);
    auto labels = badge->badge()->subviews();
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(dynamic_cast<UILabel*>(labels.front().ptr())->text(), "JD");
    asked = requests();
    EXPECT_EQ(std::count_if(asked.begin(), asked.end(), [](const std::string& r) { return r.rfind("jo?", 0) == 0; }), 0) << "initials: no download";

    ZarnekLinkCell* site = link("site");
    EXPECT_EQ(site->badge(), nullptr);
    EXPECT_EQ(site->detailTextLabel()->text(), "Buy me a coffee");
    pane->table()->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0), false);
    shot("link-cells");
}

TEST_F(LinkCellTest, FailedOrRefusedAvatarsLeaveTheBadgeEmpty)
{
    std::size_t logged = corefoundation::systemLogLines().size();
    openPane();
    settle();
    for (const char* id : { "page", "huge", "gone" }) {
        ZarnekLinkCell* cell = link(id);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->avatarImageView()->image(), nullptr) << id;
        EXPECT_EQ(cell->avatarImageView()->alpha(), 0) << id;
    }
    EXPECT_EQ(corefoundation::systemLogLines().size(), logged) << "answers that are no picture are not transfer errors";

    // Nobody listens there: the transfer fails and the one error line is logged.
    m_server.stop();
    m_thread.join();
    pane->reloadSpecifiers();
    settle();
    ZarnekLinkCell* person = link("person");
    settle();
    EXPECT_EQ(person->avatarImageView()->image(), nullptr);
    auto lines = corefoundation::systemLogLines();
    auto found = std::find_if(lines.begin() + static_cast<long>(logged), lines.end(),
        [](const std::string& line) { return line.find("[ovrimoprefs: zarnekprefs/zarneklink/ZarnekLinkCell:212] ERROR: error loading twitter avatar: ") != std::string::npos; });
    EXPECT_NE(found, lines.end());
}

TEST_F(LinkCellTest, TappingOpensTheAddressInsideOrOutside)
{
    uikit::setInstalledURLSchemes({ "twitter", "tweetbot", "mailto" });
    openPane();
    EXPECT_EQ(link("person")->url(), "tweetbot:///user_profile/jane%20doe") << "the first client that answers, in order";
    EXPECT_EQ(link("badge")->url(), "tweetbot:///user_profile/jo");

    std::size_t before = openedCount();
    tapPaneRow("mail");
    ASSERT_EQ(openedCount(), before + 1);
    EXPECT_EQ(uikit::openedURLs().back(), "mailto:dev@example.org");
    EXPECT_FALSE(link("mail")->isSelected()) << "the row does not stay highlighted";
    tapPaneRow("site");
    EXPECT_EQ(uikit::openedURLs().back(), "https://example.org/donate") << "no in-app browser here: the system opens it";
    tapPaneRow("badge");
    EXPECT_EQ(uikit::openedURLs().back(), "tweetbot:///user_profile/jo");
    before = openedCount();
    tapPaneRow("nothing");
    EXPECT_EQ(openedCount(), before) << "no user and no url: nothing opens";

    // With the in-app browser available, web addresses open inside Settings.
    std::vector<std::string> browsed;
    objc::Class* browser = env.runtime().registerClass("SFSafariViewController", env.runtime().requireClass("UIViewController"));
    browser->addMethod("initWithURL:", [&browsed](UIViewController* self, objc::SEL, objc::Object* url) {
        browsed.push_back(uikit::urlString(url));
        return msgSend<Ref<Object>>(self, "init");
    });
    before = openedCount();
    tapPaneRow("site");
    EXPECT_EQ(browsed, (std::vector<std::string> { "https://example.org/donate" }));
    EXPECT_EQ(objc::classNameOf(window->topmostViewController()), "SFSafariViewController");
    EXPECT_EQ(openedCount(), before);
}

TEST_F(LinkCellTest, LogoRowIsAsTallAsItsPicture)
{
    openPane();
    auto* logo = dynamic_cast<ZarnekLogoLinkCell*>(paneCell("logo"));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(msgSend<double>(logo, "preferredHeightForWidth:", 375.0), 60);
    EXPECT_EQ(logo->bounds().size.height, 60) << "the list asks the cell for its height";
    EXPECT_TRUE(logo->textLabel()->isHidden());
    EXPECT_TRUE(logo->imageView()->isHidden());
    EXPECT_EQ(logo->bigImageView()->contentMode(), UIViewContentModeScaleAspectFit);
    // The picture's view reaches 15 points above and below the row, and the fitted picture is
    // drawn that much larger: 90 points high, 300 wide.
    CGRect content = logo->contentView()->bounds();
    EXPECT_EQ(logo->bigImageView()->frame().origin.y, content.origin.y - 15);
    EXPECT_EQ(logo->bigImageView()->frame().size.height, content.size.height + 30);
    CGRect rowFrame = logo->contentView()->frame();
    logo->contentView()->setFrame(CGRectMake(rowFrame.origin.x, rowFrame.origin.y, rowFrame.size.width, 80));
    EXPECT_EQ(logo->bigImageView()->frame().size.height, 110) << "it follows the row";
    logo->contentView()->setFrame(rowFrame);
    ASSERT_GE(content.size.width, 320);
    auto picture = uikit::Renderer::renderView(logo->contentView(), 1);
    ASSERT_TRUE(picture);
    double middleX = content.size.width / 2;
    auto middle = graphics_test::pixelAt(picture->CGImage(), static_cast<size_t>(middleX), 30);
    EXPECT_EQ(middle.r, 255);
    EXPECT_NEAR(middle.g, 128, 2);
    // Fitted into 90 points of height the picture is 300 wide: 140 points left of the middle is
    // still picture (at the row's 60 points it would be 200 wide and end at 100).
    EXPECT_EQ(graphics_test::pixelAt(picture->CGImage(), static_cast<size_t>(middleX - 140), 30).r, 255);
}

TEST_F(LinkCellTest, LongPressTypesTheExactSliderValue)
{
    openPane();
    auto* cell = dynamic_cast<ZarnekSliderLinkCell*>(paneCell("volume"));
    ASSERT_NE(cell, nullptr);
    auto* slider = dynamic_cast<UISlider*>(cell->control());
    ASSERT_NE(slider, nullptr);
    EXPECT_FLOAT_EQ(slider->value(), 2);
    UIView* label = slider->viewWithTag(PSSliderTableCell::kValueLabelTag).ptr();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->frame().size.width, 54) << "the value label is 10 points wider, once";
    cell->setNeedsLayout();
    cell->layoutIfNeeded();
    EXPECT_EQ(label->frame().size.width, 54);
    EXPECT_EQ(slider->gestureRecognizers().size(), 1u);

    // Hold the thumb where it is (a touch on the track moves the thumb there).
    auto thumbPoint = [slider] {
        double share = (slider->value() - slider->minimumValue()) / (slider->maximumValue() - slider->minimumValue());
        double x = slider->trackStart() + (slider->trackEnd() - slider->trackStart()) * share;
        return slider->convertPointToView(CGPointMake(x, slider->bounds().size.height / 2), nullptr);
    };
    touch.longPress(thumbPoint(), 1.0);
    settle();
    UIAlertController* alert = shownAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Enter the value");
    ASSERT_EQ(alert->textFields().size(), 1u);
    UITextField* field = alert->textFields().front();
    EXPECT_EQ(field->text(), "2.00");
    EXPECT_EQ(field->keyboardType(), UIKeyboardTypeDecimalPad);
    ASSERT_EQ(alert->actions().size(), 2u);
    EXPECT_EQ(alert->actions()[0]->title(), "OK");
    EXPECT_EQ(alert->actions()[1]->style(), UIAlertActionStyleCancel);
    shot("slider-manual-input");
    field->setText("");
    tapView(field);
    touch.typeText("3.5");
    alert->tapAction(alert->actions()[0]);
    settle();
    EXPECT_FLOAT_EQ(slider->value(), 3.5f);
    auto numberHeld = stored("volume");
    auto* number = dynamic_cast<NSNumber*>(numberHeld.ptr());
    ASSERT_NE(number, nullptr) << "stored as if dragged";
    EXPECT_DOUBLE_EQ(number->doubleValue(), 3.5);
    EXPECT_EQ(dynamic_cast<UILabel*>(label)->text(), "3.50");

    // Beyond the slider's ends: the nearer end, stored. Not a number: the old value, and no second
    // alert.
    struct Typed {
        const char* text;
        double kept;
    };
    for (Typed typed : { Typed { "59.4", 10 }, Typed { "-3", 0 }, Typed { "abc", 0 }, Typed { "3.5.1", 0 }, Typed { "7", 7 }, Typed { "", 7 } }) {
        touch.longPress(thumbPoint(), 1.0);
        settle();
        alert = shownAlert();
        ASSERT_NE(alert, nullptr) << typed.text;
        alert->textFields().front()->setText(typed.text);
        alert->tapAction(alert->actions()[0]);
        settle();
        EXPECT_EQ(shownAlert(), nullptr) << typed.text;
        EXPECT_FLOAT_EQ(slider->value(), static_cast<float>(typed.kept)) << typed.text;
        EXPECT_NEAR(dynamic_cast<NSNumber*>(stored("volume").ptr())->doubleValue(), typed.kept, 1e-4) << typed.text;
    }
    EXPECT_NEAR(slider->value(), 7, 1e-4);

    // Cancel leaves everything; without "manualInput" a long press opens nothing.
    touch.longPress(thumbPoint(), 1.0);
    settle();
    shownAlert()->tapAction(shownAlert()->actions()[1]);
    settle();
    EXPECT_NEAR(dynamic_cast<NSNumber*>(stored("volume").ptr())->doubleValue(), 7, 1e-4);
    auto* plain = dynamic_cast<ZarnekSliderLinkCell*>(paneCell("plain"));
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(plain->control()->gestureRecognizers().empty());
}

TEST(SliderTypedValue, OnlyWholeNumbersAreNumbers)
{
    EXPECT_EQ(ZarnekSliderLinkCell::parseTypedValue("3.5"), 3.5);
    EXPECT_EQ(ZarnekSliderLinkCell::parseTypedValue(" 3,5 "), 3.5);
    EXPECT_EQ(ZarnekSliderLinkCell::parseTypedValue("-1"), -1);
    for (const char* bad : { "", " ", "abc", "3.5.1", "1e999", "nan", "inf", "3 4" })
        EXPECT_FALSE(ZarnekSliderLinkCell::parseTypedValue(bad)) << bad;
}
