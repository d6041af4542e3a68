// The shaping of real custom icons keeps its results: the pictures in data/ (a 256 × 256 icon with
// gradients, a hole and a half-transparent band; the same alpha with photo-like content; a 120 ×
// 120 rounded reference) are shaped as SpringBoard's 60-point icon at scale 2 would shape them, on
// a screen of scale 2 and of scale 3, and compared with the results saved before the shaping was
// made faster (data/shaped_*.png); a screen of scale 2 takes the one-pass shaping, one of scale 3
// the step-by-step one. Those files hold the premultiplied bytes of each pixel, red,
// green, blue and alpha, written as they are: every channel must stay within 1/255 of them.

#include "platform/uikit/UIScreen.h"
#include "tests/tweak/TweakTestSupport.h"
#include "tweak/IconImages.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <iterator>

using namespace tweak_test;

namespace {

std::vector<uint8_t> dataFile(const std::string& name)
{
    std::ifstream in(std::string(OVRIMO_TWEAK_TEST_DATA) + "/" + name, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

struct SavedResult {
    size_t width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

SavedResult savedResult(const std::string& name)
{
    SavedResult result;
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    std::string path = std::string(OVRIMO_TWEAK_TEST_DATA) + "/" + name;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return result;
    image.format = PNG_FORMAT_RGBA;
    result.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, result.rgba.data(), 0, nullptr))
        return {};
    result.width = image.width;
    result.height = image.height;
    return result;
}

class ShapingAccuracyTest : public ::testing::TestWithParam<std::tuple<const char*, int>> {
protected:
    TweakEnvironment env;
};

TEST_P(ShapingAccuracyTest, StaysWithinOneLevelOfTheSavedResult)
{
    auto [name, screenScale] = GetParam();
    uikit::configureScreen(CGSizeMake(375, 667), screenScale);
    Ref<UIImage> reference = UIImage::imageWithData(dataFile("ref_120.png"), 2);
    Ref<UIImage> custom = UIImage::imageWithData(dataFile(std::string(name) + ".png"), 1);
    ASSERT_TRUE(reference && custom);
    SavedResult saved = savedResult("shaped_" + std::string(name) + "_screen" + std::to_string(screenScale) + ".png");
    ASSERT_GT(saved.width, 0u);

    Ref<UIImage> shaped = ovrimo::ShapeLikeReference(custom, reference);
    ASSERT_TRUE(shaped);
    EXPECT_EQ(shaped->scale(), 1);
    const CGImage* bitmap = shaped->CGImage();
    ASSERT_EQ(bitmap->width(), saved.width);
    ASSERT_EQ(bitmap->height(), saved.height);
    int worst = 0;
    size_t off = 0, transparentOutside = 0;
    for (size_t y = 0; y < saved.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(bitmap->data() + y * bitmap->bytesPerRow());
        for (size_t x = 0; x < saved.width; ++x) {
            const uint8_t* want = &saved.rgba[(y * saved.width + x) * 4];
            uint32_t p = row[x];
            int got[4] = { int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF), int(p >> 24) };
            for (int c = 0; c < 4; ++c) {
                int d = std::abs(got[c] - want[c]);
                worst = std::max(worst, d);
                off += d > 1;
            }
            transparentOutside += want[3] == 0 && got[3] == 0;
        }
    }
    EXPECT_LE(worst, 1) << off << " channels off by more than one level";
    // The corners lie outside the reference's outline.
    EXPECT_GT(transparentOutside, 4u * 100);
}

INSTANTIATE_TEST_SUITE_P(BothInputs, ShapingAccuracyTest,
    ::testing::Combine(::testing::Values("custom_256", "custom_256_photo"), ::testing::Values(2, 3)),
    [](const auto& info) { return std::string(std::get<0>(info.param)) + "_screen" + std::to_string(std::get<1>(info.param)); });

} // namespace
