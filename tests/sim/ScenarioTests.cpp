#include "tests/sim/SimTestSupport.h"

#include "platform/filesystem/AtomicFile.h"

#include <array>
#include <fstream>
#include <vector>

using namespace sim_testing;

namespace {

// Width and height from a PNG file's header; zeros when it is not a PNG.
std::array<uint32_t, 2> pngSize(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> head(24);
    in.read(reinterpret_cast<char*>(head.data()), 24);
    if (in.gcount() != 24 || head[1] != 'P' || head[2] != 'N' || head[3] != 'G')
        return { 0, 0 };
    auto be = [&](int at) { return uint32_t(head[at]) << 24 | uint32_t(head[at + 1]) << 16 | uint32_t(head[at + 2]) << 8 | head[at + 3]; };
    return { be(16), be(20) };
}

bool leftoverTemporaryFiles(const std::filesystem::path& folder)
{
    for (auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (filesystem::isAtomicWriteTemporary(entry.path().filename().string()))
            return true;
    return false;
}

} // namespace

TEST_F(SimulatorTest, ScreenshotsArePicturesOfTheWholeScreenWrittenUnderTheOutputFolder)
{
    boot("iphone5-ios9");
    run("screenshot home.png\nscreenshot shots/again/home.png");
    auto out = folder.path() / "out";
    EXPECT_EQ(pngSize(out / "home.png"), (std::array<uint32_t, 2> { 640, 1136 }));
    EXPECT_EQ(pngSize(out / "shots" / "again" / "home.png"), (std::array<uint32_t, 2> { 640, 1136 }));
    // A screenshot over a folder of that name fails and leaves nothing behind.
    std::filesystem::create_directories(out / "taken.png");
    EXPECT_NE(std::string(failure("screenshot taken.png").what()).find("is a folder"), std::string::npos);
    EXPECT_FALSE(leftoverTemporaryFiles(out));
    ASSERT_EQ(runner->screenshots().size(), 2u);
    EXPECT_EQ(runner->screenshots()[0], out / "home.png");
}

// Editing mode by a long press, a folder, the second page: what a person does first, on the
// smallest phone and on the pad.
class EditingWalkTest : public SimulatorTest, public ::testing::WithParamInterface<std::pair<const char*, std::array<uint32_t, 2>>> { };

TEST_P(EditingWalkTest, LongPressFolderAndSecondPage)
{
    auto [profile, pixels] = GetParam();
    boot(profile);
    run(R"(longpress "Safari"
screenshot editing.png
tap "Utilities"
expect text "Contacts"
screenshot folder.png
# The home button leaves editing mode first, then closes the folder.
home
home
swipe left
expect text "Tips"
screenshot page2.png
swipe right
expect text "Calendar"
)");
    auto out = folder.path() / "out";
    for (const char* name : { "editing.png", "folder.png", "page2.png" })
        EXPECT_EQ(pngSize(out / name), pixels) << name;
}

INSTANTIATE_TEST_SUITE_P(Profiles, EditingWalkTest,
    ::testing::Values(std::make_pair("iphone5-ios9", std::array<uint32_t, 2> { 640, 1136 }),
        std::make_pair("ipadpro-ios13", std::array<uint32_t, 2> { 2048, 2732 })),
    [](const auto& info) { return std::string(info.param.first).substr(0, std::string(info.param.first).find('-')); });
