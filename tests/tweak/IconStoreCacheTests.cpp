// The memo of shown custom icons must never show what the store no longer holds: each test
// changes one thing the shown image depends on and expects the next lookup to see it, with the
// image made afresh (the shaping without any memo) as the oracle.

#include "platform/graphics/Graphics.h"
#include "tests/support/Pixels.h"
#include "tests/tweak/TweakTestSupport.h"
#include "tweak/IconImages.h"
#include "tweak/IconStore.h"
#include "tweak/IconStoreCache.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>

using namespace tweak_test;
using namespace ovrimo;
using testing_support::pixelAt;
using testing_support::RGBA;

namespace {

constexpr const char* kKey = "com.apple.mobilecal";

std::vector<uint8_t> solidPNG(double r, double g, double b, double side = 32)
{
    return *UIImagePNGRepresentation(solidImage(CGSizeMake(side, side), 1, r, g, b));
}

bool sameBitmap(UIImage* a, UIImage* b)
{
    if (!a || !b || a->CGImage()->width() != b->CGImage()->width() || a->CGImage()->height() != b->CGImage()->height())
        return false;
    const CGImage *x = a->CGImage(), *y = b->CGImage();
    for (size_t row = 0; row < x->height(); ++row)
        if (std::memcmp(x->data() + row * x->bytesPerRow(), y->data() + row * y->bytesPerRow(), x->width() * 4) != 0)
            return false;
    return true;
}

class IconStoreCacheTest : public ::testing::Test {
protected:
    void SetUp() override { SharedShownImageCache().clear(); }

    std::filesystem::path file(const std::string& key = kKey) { return env.hostPath(CustomIconPath(key)); }
    void store(const std::vector<uint8_t>& bytes, const std::string& key = kKey) { env.writeFile(CustomIconPath(key), bytes); }
    Ref<UIImage> lookup(UIImage* reference = nullptr) { return CustomImageForKey(reference ? reference : original.ptr(), std::string(kKey)); }
    // The shown image as made without any memo: the stored file decoded and shaped now.
    Ref<UIImage> fresh(UIImage* reference = nullptr)
    {
        Ref<UIImage> loaded = LoadCustomImage(kKey);
        return StoredImagesAreFinal() ? loaded : ShapeLikeReference(loaded, reference ? reference : original.ptr());
    }
    RGBA centre(UIImage* image) { return pixelAt(image, image->CGImage()->width() / 2, image->CGImage()->height() / 2); }

    TweakEnvironment env;
    // SpringBoard's own icon: 60 points at 2x, rounded, opaque blue inside.
    Ref<UIImage> original = solidImage(CGSizeMake(60, 60), 2, 0, 0, 1, 1, 13);
};

// The case that file times and inode numbers would miss: the same file rewritten in place with
// other bytes of the same length, its modification time set back.
TEST_F(IconStoreCacheTest, BytesRewrittenWithTheSameSizeAndTimeAreSeen)
{
    // Bytes after a PNG's end are not read: padding the shorter file gives two of one length.
    auto red = solidPNG(1, 0, 0), blue = solidPNG(0, 0, 1);
    red.resize(std::max(red.size(), blue.size()));
    blue.resize(red.size());
    store(red);
    EXPECT_EQ(centre(lookup()), (RGBA { 255, 0, 0, 255 }));
    struct stat before {};
    ASSERT_EQ(stat(file().c_str(), &before), 0);

    std::ofstream(file(), std::ios::binary | std::ios::in | std::ios::out).write(reinterpret_cast<const char*>(blue.data()), std::streamsize(blue.size()));
    timespec times[2] = { before.st_atim, before.st_mtim };
    ASSERT_EQ(utimensat(AT_FDCWD, file().c_str(), times, 0), 0);
    struct stat after {};
    ASSERT_EQ(stat(file().c_str(), &after), 0);
    ASSERT_EQ(after.st_ino, before.st_ino);
    ASSERT_EQ(after.st_size, before.st_size);
    ASSERT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    ASSERT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);

    EXPECT_EQ(centre(lookup()), (RGBA { 0, 0, 255, 255 }));
}

// Whatever takes the file's place decides the next lookup; without a picture the original object
// itself comes back.
TEST_F(IconStoreCacheTest, WhatReplacesTheFileDecidesTheNextLookup)
{
    store(solidPNG(1, 0, 0));
    ASSERT_EQ(centre(lookup()), (RGBA { 255, 0, 0, 255 }));

    std::filesystem::remove(file());
    EXPECT_EQ(lookup(), original) << "removed";

    // Recreated at once: the freed inode number is commonly handed out again.
    store(solidPNG(0, 1, 0));
    EXPECT_EQ(centre(lookup()), (RGBA { 0, 255, 0, 255 })) << "recreated";

    std::filesystem::remove(file());
    std::filesystem::create_directory(file());
    EXPECT_EQ(lookup(), original) << "a directory";
    std::filesystem::remove(file());

    store({});
    EXPECT_EQ(lookup(), original) << "an empty file";

    const std::string text = "not a picture at all";
    store(std::vector<uint8_t>(text.begin(), text.end()));
    EXPECT_EQ(lookup(), original) << "not a picture";

    // A picture cut short, or with its compressed data spoilt, is not a picture either, and the
    // memo of that failure does not outlive the file's repair.
    auto good = solidPNG(1, 1, 0);
    store(std::vector<uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(good.size() / 2)));
    EXPECT_EQ(lookup(), original) << "truncated";
    auto spoilt = good;
    for (size_t i = 40; i < spoilt.size() - 20; ++i)
        spoilt[i] ^= 0x5A;
    store(spoilt);
    EXPECT_EQ(lookup(), original) << "corrupt";
    store(good);
    EXPECT_EQ(centre(lookup()), (RGBA { 255, 255, 0, 255 })) << "repaired";

    // A symbolic link to another stored picture shows that picture.
    store(solidPNG(1, 0, 1), "other");
    std::filesystem::remove(file());
    std::filesystem::create_symlink(file("other"), file());
    EXPECT_EQ(centre(lookup()), (RGBA { 255, 0, 255, 255 })) << "a symbolic link";
}

// Restoring a backup puts a whole folder in the store's place at once.
TEST_F(IconStoreCacheTest, AStoreSwappedForABackupFolderInOneStepIsSeen)
{
    store(solidPNG(1, 0, 0));
    ASSERT_EQ(centre(lookup()), (RGBA { 255, 0, 0, 255 }));
    auto backup = env.hostPath("/var/mobile/Documents/Ovrimo/IconLibrary/Backup");
    std::filesystem::create_directories(backup);
    auto green = solidPNG(0, 1, 0);
    std::ofstream(backup / (std::string(kKey) + ".png"), std::ios::binary).write(reinterpret_cast<const char*>(green.data()), std::streamsize(green.size()));

    auto folder = file().parent_path();
    std::filesystem::rename(folder, folder.parent_path() / "Icons.old");
    std::filesystem::rename(backup, folder);
    EXPECT_EQ(centre(lookup()), (RGBA { 0, 255, 0, 255 }));
}

// The shape follows the reference's alpha, size and scale and nothing else: another outline or
// size gives another result (each equal to the shaping done afresh), while SpringBoard's image drawn
// again, or in other colours inside the same outline, finds the remembered bitmap.
TEST_F(IconStoreCacheTest, TheShapeFollowsTheReference)
{
    store(solidPNG(1, 0, 0));
    Ref<UIImage> first = lookup();
    EXPECT_EQ(pixelAt(first, 0, 0).a, 0) << "rounded corner";

    Ref<UIImage> redrawn = solidImage(CGSizeMake(60, 60), 2, 0, 0, 1, 1, 13);
    EXPECT_EQ(lookup(redrawn)->CGImage(), first->CGImage()) << "the same picture drawn again";
    Ref<UIImage> recoloured = solidImage(CGSizeMake(60, 60), 2, 0.3, 0.9, 0.1, 1, 13);
    EXPECT_EQ(lookup(recoloured)->CGImage(), first->CGImage()) << "other colours, same outline";
    EXPECT_TRUE(sameBitmap(fresh(recoloured), first));

    struct Case {
        const char* what;
        Ref<UIImage> reference;
    } cases[] = {
        { "square outline", solidImage(CGSizeMake(60, 60), 2, 0, 0, 1) },
        { "half transparent", solidImage(CGSizeMake(60, 60), 2, 0, 0, 1, 0.5, 13) },
        { "another size", solidImage(CGSizeMake(40, 40), 2, 0, 0, 1, 1, 9) },
        { "another scale", solidImage(CGSizeMake(60, 60), 3, 0, 0, 1, 1, 13) },
        { "the first again", original },
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        Ref<UIImage> shown = lookup(c.reference);
        EXPECT_TRUE(sameBitmap(shown, fresh(c.reference)));
        EXPECT_EQ(shown->scale(), 1);
    }
    EXPECT_EQ(pixelAt(lookup(cases[0].reference), 0, 0).a, 255);
    EXPECT_EQ(centre(lookup(cases[1].reference)).a, 128);
    EXPECT_EQ(lookup(cases[2].reference)->CGImage()->width(), 80u);
}

TEST_F(IconStoreCacheTest, ALargeStoredPictureIsReducedAsItIsDecodedAndShownTheSame)
{
    // 3000 × 1500: kept at 1024 × 512 pixels, its size in points and its colours unchanged.
    store(*UIImagePNGRepresentation(solidImage(CGSizeMake(3000, 1500), 1, 1, 0, 0)));
    Ref<UIImage> loaded = LoadCustomImage(kKey);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->CGImage()->width(), kLargestCustomIconSide);
    EXPECT_EQ(loaded->CGImage()->height(), kLargestCustomIconSide / 2);
    EXPECT_DOUBLE_EQ(loaded->size().width, 3000);
    EXPECT_EQ(centre(loaded), (RGBA { 255, 0, 0, 255 }));
    // Shown as a small picture of the same colour would be.
    Ref<UIImage> shown = lookup();
    store(solidPNG(1, 0, 0, 300));
    EXPECT_TRUE(sameBitmap(shown, fresh()));
    // A picture within the bound is kept as it is.
    store(solidPNG(0, 1, 0, 1000));
    EXPECT_EQ(LoadCustomImage(kKey)->CGImage()->width(), 1000u);
}

TEST_F(IconStoreCacheTest, TheModeAndTheSwitchesAreReadOnEveryLookup)
{
    store(solidPNG(1, 0, 0));
    Ref<UIImage> shaped = lookup();
    ASSERT_EQ(shaped->CGImage()->width(), 120u);

    env.setPreference("generatemethod", NSNumber::withInteger(1));
    Ref<UIImage> unchanged = lookup();
    EXPECT_EQ(unchanged->CGImage()->width(), 32u);
    EXPECT_EQ(pixelAt(unchanged, 0, 0), (RGBA { 255, 0, 0, 255 })) << "square corners kept";

    env.setPreference("generatemethod", NSNumber::withInteger(0));
    EXPECT_TRUE(sameBitmap(lookup(), shaped));

    env.setPreference("enabled", NSNumber::withBool(false));
    EXPECT_EQ(lookup(), original);
    EXPECT_EQ(ScaledCustomImageForKey(original, std::string(kKey)), original);
    env.setPreference("enabled", NSNumber::withBool(true));
    EXPECT_TRUE(sameBitmap(lookup(), shaped));
}

// Canvases open at the screen's scale, so the shaped body's pixels follow it.
TEST_F(IconStoreCacheTest, AnotherScreenScaleShapesAfresh)
{
    store(solidPNG(1, 0, 0));
    ASSERT_EQ(lookup()->CGImage()->width(), 120u);
    double scale = graphics::mainScreenScale();
    graphics::setMainScreenScale(3);
    Ref<UIImage> atThree = lookup();
    graphics::setMainScreenScale(scale);
    EXPECT_EQ(atThree->CGImage()->width(), 180u);
    EXPECT_EQ(lookup()->CGImage()->width(), 120u);
}

TEST_F(IconStoreCacheTest, TheSharedMemoStaysWithinItsBudgetOver2000Icons)
{
    ShownImageCache& cache = SharedShownImageCache();
    EXPECT_EQ(cache.budgetBytes(), size_t(32) << 20);
    auto picture = solidPNG(1, 0, 0, 16);
    size_t peak = 0;
    for (int i = 0; i < 2000; ++i) {
        std::string key = "com.example.app" + std::to_string(i);
        store(picture, key);
        ASSERT_TRUE(CustomImageForKey(original, key) != original);
        peak = std::max(peak, cache.accountedBytes());
    }
    EXPECT_LE(peak, cache.budgetBytes());
    EXPECT_LT(cache.entryCount(), 2000u) << "older icons were let go";
    EXPECT_GT(cache.entryCount(), 100u) << "but a home screen's worth is kept";
}

// The accounting itself, on a small memo: least recently used entries go first, an entry larger
// than the whole budget is not kept, and the total never passes the budget.
TEST_F(IconStoreCacheTest, TheLeastRecentlyUsedEntriesGoFirst)
{
    ShownImageCache cache(1u << 20);
    Ref<UIImage> picture = solidImage(CGSizeMake(64, 64), 1, 1, 0, 0); // 16 KiB of pixels
    std::vector<std::string> bytes(2000), paths(2000);
    auto inputs = [&](int i) { return ShownImageInputs { paths[i], bytes[i], 1, original.ptr(), 2 }; };
    for (int i = 0; i < 2000; ++i) {
        paths[i] = "/icon" + std::to_string(i);
        bytes[i] = "bytes of " + paths[i];
        cache.insert(inputs(i), picture);
        ASSERT_LE(cache.accountedBytes(), cache.budgetBytes());
        if (i >= 1) {
            ASSERT_TRUE(cache.find(inputs(0))) << "used again and again, never the oldest: " << i;
        }
    }
    EXPECT_TRUE(cache.find(inputs(1999)));
    EXPECT_FALSE(cache.find(inputs(1)));
    EXPECT_GT(cache.entryCount(), 10u);

    std::string huge(2u << 20, 'x');
    cache.insert({ paths[5], huge, 1, original.ptr(), 2 }, picture);
    EXPECT_FALSE(cache.find({ paths[5], huge, 1, original.ptr(), 2 }));
    EXPECT_LE(cache.accountedBytes(), cache.budgetBytes());

    cache.clear();
    EXPECT_EQ(cache.accountedBytes(), 0u);
    EXPECT_FALSE(cache.find(inputs(0)));
}

} // namespace
