#include "tests/platform/graphics/GraphicsTestSupport.h"
#include "tests/tweak/TweakTestSupport.h"
#include "tweak/IconImages.h"
#include "tweak/IconStore.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>

using namespace tweak_test;
using namespace ovrimo;

namespace {

// An opaque red PNG of `width` x `height` pixels, deflated row by row so that no picture of that
// size is ever held in memory.
std::vector<uint8_t> flatPNG(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> out = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    auto chunk = [&](const char* type, const std::vector<uint8_t>& data) { graphics_test::appendChunk(out, type, data); };
    chunk("IHDR", { uint8_t(width >> 24), uint8_t(width >> 16), uint8_t(width >> 8), uint8_t(width), uint8_t(height >> 24), uint8_t(height >> 16),
                      uint8_t(height >> 8), uint8_t(height), 8, 2, 0, 0, 0 });
    std::vector<uint8_t> row(1 + size_t(width) * 3, 0), packed;
    for (size_t x = 0; x < width; ++x)
        row[1 + x * 3] = 0xff;
    z_stream stream {};
    deflateInit(&stream, 9);
    std::vector<uint8_t> buffer(1 << 16);
    for (uint32_t y = 0; y <= height; ++y) {
        stream.next_in = row.data();
        stream.avail_in = y < height ? uInt(row.size()) : 0;
        int flush = y < height ? Z_NO_FLUSH : Z_FINISH;
        do {
            stream.next_out = buffer.data();
            stream.avail_out = uInt(buffer.size());
            deflate(&stream, flush);
            packed.insert(packed.end(), buffer.data(), buffer.data() + (buffer.size() - stream.avail_out));
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    chunk("IDAT", packed);
    chunk("IEND", {});
    return out;
}

class IconStoreTest : public ::testing::Test {
protected:
    void storePicture(const std::string& key, UIImage* picture) { env.writeFile(CustomIconPath(key), *UIImagePNGRepresentation(picture)); }

    TweakEnvironment env;
    // SpringBoard's own icon: 60 points at 2x, rounded, opaque blue inside.
    Ref<UIImage> original = solidImage(CGSizeMake(60, 60), 2, 0, 0, 1, 1, 13);
};

TEST_F(IconStoreTest, KeysFollowTheFirstMatchingRule)
{
    EXPECT_EQ(IconKeyForIcon(appIcon("com.apple.mobilecal")), "com.apple.mobilecal");

    // The home screen's folder, and one renamed.
    SBIcon* utilities = nullptr;
    for (auto& icon : springboard::iconController()->model()->pages().front())
        if (dynamic_cast<SBFolderIcon*>(icon.ptr()))
            utilities = icon.ptr();
    ASSERT_NE(utilities, nullptr);
    EXPECT_EQ(IconKeyForIcon(utilities), "com.ovrimo.folder.Utilities");
    auto games = objc::make<SBFolder>();
    games->setDisplayName("Games");
    auto folder = objc::make<SBFolderIcon>(games.ptr());
    EXPECT_EQ(IconKeyForIcon(folder), "com.ovrimo.folder.Games");
    games->setDisplayName("Fun");
    EXPECT_EQ(IconKeyForIcon(folder), "com.ovrimo.folder.Fun") << "renaming a folder changes its key";

    auto clip = [](const char* identifier, const char* title) { return objc::make<SBBookmarkIcon>(objc::make<UIWebClip>(identifier, title, "https://example.com").ptr()); };
    EXPECT_EQ(IconKeyForIcon(clip("ABC", "News")), "ABC");
    EXPECT_EQ(IconKeyForIcon(clip("", "News")), "com.ovrimo.generated.News");
    EXPECT_EQ(IconKeyForIcon(clip("", "")), "com.ovrimo.no.bundle.id.found");

    // An icon with no application: its applicationBundleID, else its display name.
    auto bare = objc::make<SBIcon>();
    EXPECT_EQ(IconKeyForIcon(bare), "com.ovrimo.no.bundle.id.found") << "no identifier and no name";
    static objc::Imp<std::string()> previous;
    MSHookMessageEx(objc::objc_getClass("SBIcon"), "applicationBundleID", [](SBIcon*, objc::SEL) { return std::string("com.example.bare"); }, &previous);
    EXPECT_EQ(IconKeyForIcon(bare), "com.example.bare");
    EXPECT_EQ(IconKeyForIcon(appIcon("com.apple.mobilemail")), "com.apple.mobilemail") << "an app's own answer comes first";
    EXPECT_EQ(CustomIconPath("com.apple.mobilecal"), "/var/mobile/Documents/Ovrimo/Icons/com.apple.mobilecal.png");
}

TEST_F(IconStoreTest, WithoutAFileTheOriginalComesBackUnchanged)
{
    EXPECT_EQ(CustomImageForKey(original, std::string("com.apple.mobilecal")).ptr(), original.ptr());
    EXPECT_EQ(CustomImageForKey(original, std::nullopt).ptr(), original.ptr());
    EXPECT_EQ(CustomImageForKey(nullptr, std::string("x")), nullptr);
}

TEST_F(IconStoreTest, StoredPictureIsShapedLikeTheOriginal)
{
    storePicture("com.apple.mobilecal", solidImage(CGSizeMake(256, 256), 1, 1, 0, 0));
    Ref<UIImage> shaped = CustomImageForKey(original, std::string("com.apple.mobilecal"));
    ASSERT_TRUE(shaped);
    ASSERT_NE(shaped.ptr(), original.ptr());
    EXPECT_EQ(shaped->scale(), 1.0);
    EXPECT_EQ(shaped->size().width, 120) << "the original's pixel size, at scale 1";
    Pixel centre = pixelAt(shaped, 60, 60);
    EXPECT_EQ(centre.r, 255);
    EXPECT_EQ(centre.a, 255);
    EXPECT_EQ(pixelAt(shaped, 0, 0).a, 0) << "transparent outside the rounded outline";
}

TEST_F(IconStoreTest, AlphasMultiply)
{
    // A half-transparent picture over a half-transparent reference: a quarter, within rounding.
    Ref<UIImage> reference = solidImage(CGSizeMake(60, 60), 2, 0, 0, 1, 0.5);
    Ref<UIImage> shaped = ShapeLikeReference(solidImage(CGSizeMake(100, 100), 1, 0, 1, 0, 0.5), reference);
    Pixel p = pixelAt(shaped, 40, 40);
    EXPECT_NEAR(p.a, 64, 2);
    EXPECT_NEAR(p.g, 255, 3);
}

TEST_F(IconStoreTest, GenerateMethodOneShowsTheFileUnchanged)
{
    env.setPreference("generatemethod", NSNumber::withInteger(1));
    storePicture("com.apple.Music", solidImage(CGSizeMake(300, 300), 1, 0, 1, 0));
    Ref<UIImage> custom = CustomImageForKey(original, std::string("com.apple.Music"));
    EXPECT_EQ(custom->size().width, 300);
    EXPECT_EQ(pixelAt(custom, 0, 0).a, 255) << "square corners kept";
}

TEST_F(IconStoreTest, ScaledVariantRedrawsAtTheOriginalsSize)
{
    storePicture("com.apple.Music", solidImage(CGSizeMake(256, 256), 1, 0, 1, 0));
    Ref<UIImage> scaled = ScaledCustomImageForKey(original, std::string("com.apple.Music"));
    EXPECT_EQ(scaled->size().width, 60);
    EXPECT_EQ(scaled->scale(), 2);
    // With no file the original itself is redrawn (a copy, same size).
    Ref<UIImage> copy = ScaledCustomImageForKey(original, std::string("nothing.here"));
    EXPECT_NE(copy.ptr(), original.ptr());
    EXPECT_EQ(copy->size().width, 60);
}

TEST_F(IconStoreTest, DisabledMeansOriginalsEvenWithFiles)
{
    storePicture("com.apple.mobilecal", solidImage(CGSizeMake(256, 256), 1, 1, 0, 0));
    env.setPreference("enabled", NSNumber::withBool(false));
    EXPECT_EQ(CustomImageForKey(original, std::string("com.apple.mobilecal")).ptr(), original.ptr());
    EXPECT_EQ(ScaledCustomImageForKey(original, std::string("com.apple.mobilecal")).ptr(), original.ptr());
    EXPECT_EQ(CustomImageForIcon(original, appIcon("com.apple.mobilecal")).ptr(), original.ptr());
}

TEST_F(IconStoreTest, AFileThatIsNotAPictureKeepsTheOriginal)
{
    env.writeFile(CustomIconPath("com.apple.mobilecal"), { 0x89, 'P', 'N', 'G', 1, 2, 3 });
    EXPECT_EQ(CustomImageForKey(original, std::string("com.apple.mobilecal")).ptr(), original.ptr());
    // A key with a slash points into a folder that does not exist.
    EXPECT_EQ(CustomImageForKey(original, std::string("com.ovrimo.folder.A/B")).ptr(), original.ptr());
}

TEST_F(IconStoreTest, AKeyWithASlashNeverReachesAFileOutsideTheStore)
{
    // The settings bundle's picture, which a folder named with ".." would otherwise reach.
    env.writeFile("/Library/PreferenceBundles/ovrimoprefs.bundle/ovrimo.png", *UIImagePNGRepresentation(solidImage(CGSizeMake(64, 64), 1, 1, 0, 0)));
    std::string key = std::string(kFolderKeyPrefix) + "x/../../../../../../Library/PreferenceBundles/ovrimoprefs.bundle/ovrimo";
    EXPECT_EQ(CustomImageForKey(original, key).ptr(), original.ptr());
    EXPECT_FALSE(CustomIconFile(key));
    // Even with every folder on the way present, a key with "/" has no custom file.
    std::filesystem::create_directories(env.hostPath(std::string(kIconStoreFolder) + "com.ovrimo.folder.x"));
    EXPECT_EQ(CustomImageForKey(original, key).ptr(), original.ptr());
    storePicture("com.ovrimo.folder.A", solidImage(CGSizeMake(64, 64), 1, 1, 0, 0));
    std::filesystem::create_directories(env.hostPath(std::string(kIconStoreFolder) + "com.ovrimo.folder.A"));
    env.writeFile(std::string(kIconStoreFolder) + "com.ovrimo.folder.A/B.png", *UIImagePNGRepresentation(solidImage(CGSizeMake(64, 64), 1, 1, 0, 0)));
    EXPECT_EQ(CustomImageForKey(original, std::string("com.ovrimo.folder.A/B")).ptr(), original.ptr());
    for (std::string odd : { "", ".", ".." })
        EXPECT_FALSE(CustomIconFile(odd)) << '"' << odd << '"';
    EXPECT_EQ(CustomIconFile("com.apple.mobilecal"), CustomIconPath("com.apple.mobilecal"));
}

TEST_F(IconStoreTest, PicturesBeyondTheStoresLimitAreRefusedBeforeDecoding)
{
    auto atLimit = flatPNG(4096, 4096), overLimit = flatPNG(4097, 4096), huge = flatPNG(10000, 10000);
    EXPECT_LT(huge.size(), 1u << 20) << "flat colour compresses to little";
    env.writeFile(CustomIconPath("com.apple.Music"), atLimit);
    EXPECT_NE(CustomImageForKey(original, std::string("com.apple.Music")).ptr(), original.ptr()) << "4096 x 4096 is used";
    for (auto* bytes : { &overLimit, &huge }) {
        env.writeFile(CustomIconPath("com.apple.Music"), *bytes);
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(CustomImageForKey(original, std::string("com.apple.Music")).ptr(), original.ptr());
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 0.5) << "refused before decoding";
    }
}

TEST_F(IconStoreTest, AFileChangeIsSeenByTheNextLookup)
{
    storePicture("com.apple.Music", solidImage(CGSizeMake(256, 256), 1, 1, 0, 0));
    EXPECT_EQ(pixelAt(CustomImageForKey(original, std::string("com.apple.Music")), 60, 60).r, 255);
    storePicture("com.apple.Music", solidImage(CGSizeMake(256, 256), 1, 0, 0, 0));
    EXPECT_EQ(pixelAt(CustomImageForKey(original, std::string("com.apple.Music")), 60, 60).r, 0);
    std::filesystem::remove(env.hostPath(CustomIconPath("com.apple.Music")));
    EXPECT_EQ(CustomImageForKey(original, std::string("com.apple.Music")).ptr(), original.ptr());
}

TEST_F(IconStoreTest, TintKeepsAlphaAndReplacesColour)
{
    Ref<UIImage> tinted = TintImage(solidImage(CGSizeMake(10, 10), 1, 0, 0, 1, 0.5), UIColor::redColor());
    EXPECT_EQ(tinted->scale(), 2);
    Pixel p = pixelAt(tinted, 10, 10);
    EXPECT_NEAR(p.a, 128, 2);
    EXPECT_NEAR(p.r, 255, 3);
    EXPECT_NEAR(p.b, 0, 3);
}

} // namespace
