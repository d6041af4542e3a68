#include "DeviceFixture.h"

#include "device/springboard/IconLayout.h"
#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/ReadFile.h"
#include "platform/filesystem/DeviceRoot.h"

#include <algorithm>

using namespace device_tests;
using objc::msgSend;
using objc::Ref;

namespace {

class LayoutTest : public DeviceTest {
protected:
    void writeFile(const std::string& devicePath, const std::string& text)
    {
        filesystem::DeviceRoot::set(m_root.path());
        ASSERT_TRUE(filesystem::writeFileAtomically(m_root.host(devicePath), text));
    }
    bool mentioned(const std::string& words)
    {
        const auto& m = dev().messages();
        return std::any_of(m.begin(), m.end(), [&](const std::string& line) { return line.find(words) != std::string::npos; });
    }
    std::vector<std::string> ids(const std::vector<Ref<SBIcon>>& icons)
    {
        std::vector<std::string> out;
        for (auto& icon : icons)
            out.push_back(icon->identifier());
        return out;
    }
};

const char* kCustomLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
  <key>buttonBar</key><array><string>com.apple.mobilenotes</string><string>com.apple.Music</string></array>
  <key>iconLists</key><array>
    <array>
      <string>com.apple.mobilecal</string>
      <string>com.example.notinstalled</string>
      <dict><key>displayName</key><string>Games</string><key>listType</key><string>folder</string>
        <key>iconLists</key><array><array><string>com.apple.calculator</string><string>com.apple.compass</string></array></array></dict>
      <string>CLIP1</string>
      <integer>7</integer>
      <string>com.apple.mobilecal</string>
    </array>
  </array>
</dict></plist>)";

} // namespace

TEST_F(LayoutTest, ACustomLayoutIsHonoured)
{
    writeFile(springboard::kIconStatePath, kCustomLayout);
    writeFile(std::string(springboard::kWebClipsFolder) + "/CLIP1.webclip/Info.plist",
        R"(<plist version="1.0"><dict><key>Title</key><string>Weekly Menu</string><key>URL</key><string>https://example.com/menu</string></dict></plist>)");
    boot("iphone8-ios12");
    auto* model = icons()->model();
    EXPECT_EQ(ids(model->dock()), (std::vector<std::string> { "com.apple.mobilenotes", "com.apple.Music" }));
    ASSERT_FALSE(model->pages().empty());
    const auto& first = model->pages()[0];
    ASSERT_GE(first.size(), 3u);
    EXPECT_EQ(first[0]->identifier(), "com.apple.mobilecal");
    auto* folder = dynamic_cast<SBFolderIcon*>(first[1].ptr());
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->folder()->displayName(), "Games");
    EXPECT_EQ(ids(folder->folder()->icons()), (std::vector<std::string> { "com.apple.calculator", "com.apple.compass" }));
    auto* clip = dynamic_cast<SBBookmarkIcon*>(first[2].ptr());
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(msgSend<std::string>(msgSend<Ref<objc::Object>>(clip, "webClip"), "title"), "Weekly Menu");
    EXPECT_EQ(msgSend<std::string>(msgSend<Ref<objc::Object>>(clip, "webClip"), "identifier"), "CLIP1");
    EXPECT_EQ(iconView("CLIP1")->labelView()->text(), "Weekly Menu");
    // Unknown identifiers, items of the wrong kind and duplicates are skipped and reported.
    EXPECT_TRUE(mentioned("com.example.notinstalled"));
    EXPECT_TRUE(mentioned("appears twice"));
    EXPECT_TRUE(mentioned("neither an identifier nor a folder"));
    // Apps the layout leaves out follow after its icons, as newly installed apps do.
    EXPECT_NE(model->iconForIdentifier("com.apple.mobilemail"), nullptr);
    size_t total = 0;
    for (auto& page : model->pages()) {
        EXPECT_LE(page.size(), 24u);
        total += page.size();
    }
    // Every app once: two in the folder (whose icon counts on the page), plus the web clip.
    EXPECT_EQ(total + model->dock().size(), dev().profile().apps.size());
}

TEST_F(LayoutTest, AMissingFileGivesTheDefaultAndIsWritten)
{
    boot("iphone8-ios12");
    auto* model = icons()->model();
    EXPECT_EQ(model->pages().size(), 2u);
    EXPECT_EQ(model->dock().size(), 4u);
    ASSERT_NE(model->iconForIdentifier(springboard::kDefaultWebClipIdentifier), nullptr);
    bool folder = false;
    for (auto& icon : model->pages()[0])
        folder |= dynamic_cast<SBFolderIcon*>(icon.ptr()) != nullptr;
    EXPECT_TRUE(folder);
    // What was written reads back as the same layout.
    std::string problem;
    auto layout = springboard::readLayout(springboard::kIconStatePath, &problem, nullptr);
    ASSERT_TRUE(layout) << problem;
    EXPECT_EQ(layout->dock, springboard::defaultLayout(dev().profile()).dock);
}

TEST_F(LayoutTest, ADamagedFileGivesTheDefaultAndAMessageAndStaysAsItWas)
{
    const std::string damaged = "<?xml version=\"1.0\"?><plist><dict><key>iconLists</key><array><string>unterminated";
    writeFile(springboard::kIconStatePath, damaged);
    boot("iphone5-ios9");
    EXPECT_TRUE(mentioned("damaged"));
    EXPECT_EQ(icons()->model()->pages().size(), 2u);
    EXPECT_EQ(filesystem::readWholeFile(m_root.host(springboard::kIconStatePath), 1 << 20).value_or(""), damaged);

    writeFile(springboard::kIconStatePath, "<plist version=\"1.0\"><array><string>com.apple.mobilecal</string></array></plist>");
    boot("iphone5-ios9");
    EXPECT_TRUE(mentioned("not a dictionary"));
    EXPECT_EQ(icons()->model()->dock().size(), 4u);
}

TEST_F(LayoutTest, OverfullPagesFlowOnAndWebClipPathsStayInside)
{
    std::string many = "<plist version=\"1.0\"><dict><key>buttonBar</key><array/><key>iconLists</key><array><array>";
    for (auto& app : device::findProfile("iphone5-ios9")->apps)
        many += "<string>" + app.bundleIdentifier + "</string>";
    many += "<string>../../../etc/passwd</string></array></array></dict></plist>";
    writeFile(springboard::kIconStatePath, many);
    boot("iphone5-ios9");
    auto* model = icons()->model();
    ASSERT_EQ(model->pages().size(), 2u);
    EXPECT_EQ(model->pages()[0].size(), 20u);
    EXPECT_EQ(model->pages()[1].size(), dev().profile().apps.size() - 20);
    EXPECT_TRUE(mentioned("../../../etc/passwd"));
    EXPECT_TRUE(mentioned("more than 20"));
}
