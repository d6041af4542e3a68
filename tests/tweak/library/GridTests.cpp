// Long grids: every row can be scrolled into view and tapped on every phone, and only the tiles
// on screen or near it hold pictures, decoded at the tile's size.

#include "LibraryFixture.h"

#include "platform/uikit/UIScrollView.h"

using namespace library_tests;

namespace {

class GridTest : public LibraryTest {
protected:
    UIScrollView* grid()
    {
        auto all = tiles();
        return all.empty() ? nullptr : dynamic_cast<UIScrollView*>(all.front()->superview());
    }

    // Swipes up across the grid until it scrolls no further.
    void scrollToTheEnd()
    {
        UIScrollView* scroll = grid();
        ASSERT_TRUE(scroll);
        CGRect area = scroll->convertRectToView(scroll->bounds(), nullptr);
        CGPoint from { CGRectGetMidX(area), CGRectGetMaxY(area) - 40 }, to { CGRectGetMidX(area), CGRectGetMinY(area) + 40 };
        for (int swipes = 0; swipes < 40; ++swipes) {
            double before = scroll->contentOffset().y;
            dev().touch().swipe(from, to, 0.3);
            settle();
            if (scroll->contentOffset().y == before)
                return;
        }
        FAIL() << "the grid kept scrolling";
    }

    // The last tile lies wholly on the screen, and a finger on its middle lands on its button.
    void expectLastTileReachable(const std::string& where)
    {
        auto all = tiles();
        ASSERT_FALSE(all.empty()) << where;
        UIImageView* last = all.back();
        CGRect onScreen = last->convertRectToView(last->bounds(), nullptr);
        CGRect screen = dev().window()->bounds();
        EXPECT_TRUE(CGRectContainsRect(screen, onScreen)) << where << ": the last row ends at " << CGRectGetMaxY(onScreen) << " of " << screen.size.height;
        CGRect visible = grid()->convertRectToView(grid()->bounds(), nullptr);
        EXPECT_TRUE(CGRectContainsRect(visible, onScreen)) << where << ": the last row is outside the grid's visible part";
        Ref<UIView> hit = dev().window()->hitTest(centreOf(last), nullptr);
        EXPECT_EQ(hit.ptr(), tileButton(all.size() - 1)) << where;
    }

    // The tiles whose buttons hold a picture.
    std::vector<size_t> tilesWithPictures()
    {
        std::vector<size_t> result;
        auto all = tiles();
        for (size_t i = 0; i < all.size(); ++i)
            if (UIButton* button = tileButton(i); button && button->currentBackgroundImage())
                result.push_back(i);
        return result;
    }
};

RGB colourOf(int n) { return { 8 * n, 120, 255 - 8 * n }; }

} // namespace

TEST_F(GridTest, TheLastRowOfALongGridCanBeReachedAndChosenOnEveryPhone)
{
    for (const std::string profile : { "iphone8-ios12", "iphone5-ios9", "iphone8plus-ios12" }) {
        SCOPED_TRACE(profile);
        bootPhone(profile);
        for (int n = 0; n < 30; ++n)
            picture(std::string(kLibrary) + "p" + std::to_string(n) + ".png", colourOf(n));
        open("Calendar", kStore + std::string("com.apple.mobilecal.png"));
        tap(cell(0, 1));
        ASSERT_EQ(tiles().size(), 30u);
        scrollToTheEnd();
        expectLastTileReachable(profile);
        if (profile == "iphone8-ios12")
            shot("library-grid-last-row");
        // Tapping it chooses that very picture.
        std::string lastPath = lib::sel::selectedIconList(browser)->strings().back();
        tap(tileButton(29));
        ASSERT_EQ(DelegateRecorder::chosen.size(), 1u);
        EXPECT_EQ(scenario::centreOf(DelegateRecorder::chosen[0]), fileCentre(lastPath));
        browser->dismissViewControllerAnimated(false);
        browser = nullptr;
    }
}

TEST_F(GridTest, ManageModesCustomIconGridReachesItsLastRowToo)
{
    static const char* const apps[] = { "com.apple.mobilecal", "com.apple.mobilesafari", "com.apple.MobileSMS", "com.apple.mobilephone",
        "com.apple.Music", "com.apple.camera", "com.apple.mobilemail", "com.apple.Maps", "com.apple.weather", "com.apple.mobilenotes" };
    for (const char* app : apps)
        customPicture(app, kGreen);
    // Thirty files: the store lists every regular file, whether an app has it or not.
    beforeBoot([](const TempRoot& root) {
        for (int n = 0; n < 20; ++n)
            writeSolidPNG(root.host(std::string(kStore) + "extra" + std::to_string(n) + ".png"), colourOf(n), 120);
    });
    bootPhone("iphone8-ios12");
    open();
    tap(cell(0, 0));
    EXPECT_EQ(page()->title(), "Custom Icons");
    ASSERT_EQ(tiles().size(), 30u);
    scrollToTheEnd();
    expectLastTileReachable("custom icons");

    // The library grid of manage mode: the last picture can be removed.
    tapLabel("Back");
    for (int n = 0; n < 30; ++n)
        picture(std::string(kLibrary) + std::to_string(n + 1) + ".png", colourOf(n));
    tap(cell(0, 1));
    scrollToTheEnd();
    expectLastTileReachable("library");
    tap(tileButton(29));
    EXPECT_EQ(alertMessage(), "Are you sure that you want to remove this icon?");
}

TEST_F(GridTest, OnlyTilesNearTheScreenHoldPicturesDecodedAtTheTileSize)
{
    bootPhone("iphone5-ios9");
    for (int n = 1; n <= 400; ++n)
        picture(std::string(kLibrary) + std::to_string(n) + ".png", colourOf(n % 30), 300);
    open();
    tap(cell(0, 1));
    ASSERT_EQ(tiles().size(), 400u);
    // 4 tiles a row of 75 points: the screen and the screen below it, about 16 rows, not 100.
    auto shown = tilesWithPictures();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), 0u);
    EXPECT_LT(shown.size(), 100u);
    EXPECT_GE(shown.size(), 28u) << "the first screen's seven rows";
    // Tiles far below are not drawn at all until they come near.
    EXPECT_FALSE(tiles().front()->isHidden());
    EXPECT_TRUE(tiles().back()->isHidden());

    // A tile of 55 points on a 2x screen: 110 pixels of the 300, the size in points kept.
    UIImage* first = tileButton(0)->currentBackgroundImage();
    EXPECT_EQ(first->CGImage()->width(), 110u);
    EXPECT_DOUBLE_EQ(first->size().width, 300);
    EXPECT_EQ(scenario::centreOf(first), fileCentre(lib::sel::selectedIconList(browser)->strings().front()));

    // At the end the first tiles have let their pictures go and the last ones hold theirs.
    scrollToTheEnd();
    shown = tilesWithPictures();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), 399u);
    EXPECT_GT(shown.front(), 200u);
    EXPECT_LT(shown.size(), 100u);
    EXPECT_TRUE(tiles().front()->isHidden());
    EXPECT_FALSE(tiles().back()->isHidden());
    expectLastTileReachable("400 pictures");
}
