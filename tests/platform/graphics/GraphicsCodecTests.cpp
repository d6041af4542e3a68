// PNG and JPEG coding: round trips, orientation tags, and refusal of corrupt or oversized data.

#include "tests/platform/graphics/GraphicsTestSupport.h"
#include "tests/support/Elapsed.h"

#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/graphics/UIImage.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/resource.h>

using namespace graphics_test;
using objc::Ref;

namespace {

class GraphicsCodec : public ::testing::Test {
protected:
    GraphicsCodec() { registerGraphicsClasses(env.runtime()); }

    void writeFile(const std::string& devicePath, const std::vector<uint8_t>& bytes)
    {
        auto host = env.hostPath(devicePath);
        std::filesystem::create_directories(host.parent_path());
        std::ofstream(host, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    testing_support::TestEnvironment env;
};

CGImageRef noisyImage(size_t w, size_t h, bool withAlpha, unsigned seed = 7)
{
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(w * h * 4);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uint8_t(random());
    if (withAlpha)
        return imageFromRGBA(w, h, bytes);
    return CGImageCreate(w, h, 8, 32, w * 4, CGColorSpaceCreateDeviceRGB(), kCGImageAlphaNoneSkipLast, CGDataProviderCreateWithBytes(bytes),
        nullptr, true, kCGRenderingIntentDefault);
}

bool samePixels(const CGImage* a, const CGImage* b)
{
    if (a->width() != b->width() || a->height() != b->height())
        return false;
    for (size_t y = 0; y < a->height(); ++y)
        for (size_t x = 0; x < a->width(); ++x)
            if (pixelAt(a, x, y) != pixelAt(b, x, y))
                return false;
    return true;
}

// A well-formed PNG whose header declares `w` × `h` pixels but whose data holds only a little.
std::vector<uint8_t> pngDeclaring(uint32_t w, uint32_t h)
{
    std::vector<uint8_t> out = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    std::vector<uint8_t> ihdr = { uint8_t(w >> 24), uint8_t(w >> 16), uint8_t(w >> 8), uint8_t(w), uint8_t(h >> 24), uint8_t(h >> 16),
        uint8_t(h >> 8), uint8_t(h), 8, 6, 0, 0, 0 };
    appendChunk(out, "IHDR", ihdr);
    std::vector<uint8_t> raw(4096, 0);
    std::vector<uint8_t> packed(compressBound(uLong(raw.size())));
    uLongf packedSize = uLongf(packed.size());
    compress(packed.data(), &packedSize, raw.data(), uLong(raw.size()));
    packed.resize(packedSize);
    appendChunk(out, "IDAT", packed);
    appendChunk(out, "IEND", {});
    return out;
}

} // namespace

TEST_F(GraphicsCodec, PNGRoundTripIsExactWithAndWithoutAlpha)
{
    for (bool alpha : { true, false }) {
        auto image = UIImage::imageWithCGImage(noisyImage(37, 23, alpha), 1);
        auto png = UIImagePNGRepresentation(image);
        ASSERT_TRUE(png);
        auto decoded = UIImage::imageWithData(*png);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->size(), CGSizeMake(37, 23));
        EXPECT_EQ(CGImageGetAlphaInfo(decoded->CGImage()), alpha ? kCGImageAlphaPremultipliedFirst : kCGImageAlphaNoneSkipFirst);
        EXPECT_TRUE(samePixels(image->CGImage(), decoded->CGImage())) << "alpha " << alpha;
    }
}

TEST_F(GraphicsCodec, AnAlphaChannelThatIsOpaqueEverywhereIsLeftOut)
{
    // The colour type byte of the header: 2 is RGB, 6 is RGBA.
    auto colourType = [](const std::vector<uint8_t>& png) { return png.size() > 25 ? png[25] : 0; };
    std::vector<uint8_t> rgba;
    for (int i = 0; i < 16; ++i)
        rgba.insert(rgba.end(), { uint8_t(i * 16), uint8_t(255 - i * 16), 7, 255 });
    CGImageRef opaque = imageFromRGBA(4, 4, rgba);
    ASSERT_TRUE(opaque && opaque->hasAlpha());
    auto png = graphics::encodePNG(opaque);
    ASSERT_TRUE(png);
    EXPECT_EQ(colourType(*png), 2);
    CGImageRef decoded = graphics::decodePNG(png->data(), png->size());
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(samePixels(opaque, decoded)) << "the same picture, without the channel";

    // One pixel less than opaque keeps the channel, and its value.
    rgba[4 * 5 + 3] = 128;
    CGImageRef translucent = imageFromRGBA(4, 4, rgba);
    png = graphics::encodePNG(translucent);
    ASSERT_TRUE(png);
    EXPECT_EQ(colourType(*png), 6);
    EXPECT_EQ(pixelAt(graphics::decodePNG(png->data(), png->size()), 1, 1).a, 128);
}

TEST_F(GraphicsCodec, GreyPicturesAndMasksEncodeAsGrey)
{
    const std::vector<uint8_t> samples = { 0, 50, 200, 255 };
    CGImageRef grey = CGImageCreate(2, 2, 8, 8, 2, CGColorSpaceCreateDeviceGray(), kCGImageAlphaNone, CGDataProviderCreateWithBytes(samples),
        nullptr, false, kCGRenderingIntentDefault);
    ASSERT_TRUE(grey);
    auto png = graphics::encodePNG(grey);
    ASSERT_TRUE(png);
    CGImageRef decoded = graphics::decodePNG(png->data(), png->size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(pixelAt(decoded, 1, 0), (RGBA { 50, 50, 50, 255 }));
    EXPECT_EQ(pixelAt(decoded, 0, 1), (RGBA { 200, 200, 200, 255 }));
}

TEST_F(GraphicsCodec, JPEGKeepsPicturesCloseAndQualityMatters)
{
    auto image = UIImage::imageWithCGImage(fourCorners(64, 32), 1);
    auto best = UIImageJPEGRepresentation(image, 1.0);
    auto worst = UIImageJPEGRepresentation(image, 0.0);
    ASSERT_TRUE(best && worst);
    EXPECT_LT(worst->size(), best->size());
    auto decoded = UIImage::imageWithData(*best);
    ASSERT_TRUE(decoded);
    Corners c = cornersOf(decoded->CGImage());
    const RGBA want[4] = { kRed, kGreen, kBlue, kYellow };
    const RGBA got[4] = { c.topLeft, c.topRight, c.bottomLeft, c.bottomRight };
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(got[i].r, want[i].r, 8) << i;
        EXPECT_NEAR(got[i].g, want[i].g, 8) << i;
        EXPECT_NEAR(got[i].b, want[i].b, 8) << i;
        EXPECT_EQ(got[i].a, 255);
    }
}

TEST_F(GraphicsCodec, JPEGCarriesTheOrientationTag)
{
    for (int tag = 0; tag < 8; ++tag) {
        auto image = UIImage::imageWithCGImage(fourCorners(16, 8), 1, static_cast<UIImageOrientation>(tag));
        auto jpeg = UIImageJPEGRepresentation(image, 0.8);
        ASSERT_TRUE(jpeg);
        EXPECT_EQ(graphics::jpegOrientation(jpeg->data(), jpeg->size()), tag);
        auto decoded = UIImage::imageWithData(*jpeg);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->imageOrientation(), tag);
        EXPECT_EQ(decoded->size(), image->size());
    }
}

TEST_F(GraphicsCodec, CorruptAndTruncatedDataGiveNull)
{
    std::mt19937 random(3);
    std::vector<uint8_t> garbage(5000);
    for (auto& b : garbage)
        b = uint8_t(random());
    EXPECT_FALSE(UIImage::imageWithData(garbage));
    EXPECT_FALSE(UIImage::imageWithData(std::vector<uint8_t> {}));
    EXPECT_FALSE(UIImage::imageWithData(std::vector<uint8_t> { 0xFF, 0xD8, 0xFF }));

    auto png = *graphics::encodePNG(noisyImage(40, 40, true));
    auto jpeg = *graphics::encodeJPEG(noisyImage(40, 40, false), 0.9);
    for (size_t cut : { size_t(8), size_t(30), png.size() / 2, png.size() - 13 })
        EXPECT_FALSE(UIImage::imageWithData(png.data(), cut)) << "PNG cut at " << cut;
    for (size_t cut : { size_t(4), size_t(200), jpeg.size() / 2, jpeg.size() - 40 })
        EXPECT_FALSE(UIImage::imageWithData(jpeg.data(), cut)) << "JPEG cut at " << cut;

    // Bytes flipped inside the data: any outcome but a crash is acceptable; a damaged checksum in
    // a PNG must be refused.
    for (int round = 0; round < 300; ++round) {
        auto damaged = (round % 2) ? png : jpeg;
        for (int k = 0; k < 4; ++k)
            damaged[100 + random() % (damaged.size() - 100)] ^= uint8_t(1 + random() % 255);
        auto image = UIImage::imageWithData(damaged);
        if (round % 2) {
            EXPECT_FALSE(image);
        }
    }
}

TEST_F(GraphicsCodec, OversizedPicturesAreRefusedBeforeDecoding)
{
    auto huge = pngDeclaring(20000, 20000); // 400 megapixels
    auto lying = pngDeclaring(9000, 9000); // allowed size, but far more than its data can hold
    auto honest = pngDeclaring(30, 30);
    double seconds = testing_support::secondsFor([&] {
        EXPECT_FALSE(graphics::decodePNG(huge.data(), huge.size()));
        EXPECT_FALSE(graphics::decodePNG(lying.data(), lying.size()));
    });
    EXPECT_LT(seconds, 0.05);
    CGImageRef small = graphics::decodePNG(honest.data(), honest.size());
    ASSERT_TRUE(small);
    EXPECT_EQ(pixelAt(small, 29, 29).a, 0);

    // JPEGs whose frame header is patched to 20000 × 20000 (too many pixels) and to 9000 × 9000
    // (more than the data can describe).
    auto jpegDeclaring = [](uint16_t side) {
        auto jpeg = *graphics::encodeJPEG(noisyImage(16, 16, false), 0.9);
        for (size_t i = 0; i + 8 < jpeg.size(); ++i) {
            if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
                jpeg[i + 5] = jpeg[i + 7] = uint8_t(side >> 8);
                jpeg[i + 6] = jpeg[i + 8] = uint8_t(side);
                break;
            }
        }
        return jpeg;
    };
    auto hugeJPEG = jpegDeclaring(20000), lyingJPEG = jpegDeclaring(9000);
    seconds = testing_support::secondsFor([&] {
        EXPECT_FALSE(graphics::decodeJPEG(hugeJPEG.data(), hugeJPEG.size()).image);
        EXPECT_FALSE(graphics::decodeJPEG(lyingJPEG.data(), lyingJPEG.size()).image);
    });
    EXPECT_LT(seconds, 0.05);
}

TEST_F(GraphicsCodec, ATextChunkClaimingGigabytesIsRefusedAtOnce)
{
    std::ifstream in(std::string(OVRIMO_TEST_DATA_DIR) + "/png-itxt-2GiB-length.png", std::ios::binary);
    std::vector<uint8_t> hostile((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(hostile.size(), 57u);
    auto peakKilobytes = [] {
        rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    };
    long before = peakKilobytes();
    double seconds = testing_support::secondsFor([&] {
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(graphics::decodePNG(hostile.data(), hostile.size()));
    });
    EXPECT_LT(seconds, 0.05);
    EXPECT_LT(peakKilobytes() - before, 32 * 1024) << "the claimed 2 GiB were allocated";

    // Honest text chunks are skipped and the picture decodes.
    auto picture = *graphics::encodePNG(noisyImage(8, 8, true));
    std::vector<uint8_t> withText(picture.begin(), picture.begin() + 33); // signature and IHDR
    std::string comment = "Comment\0made here";
    appendChunk(withText, "tEXt", std::vector<uint8_t>(comment.begin(), comment.end()));
    appendChunk(withText, "iTXt", std::vector<uint8_t>(comment.begin(), comment.end()));
    withText.insert(withText.end(), picture.begin() + 33, picture.end());
    CGImageRef decoded = graphics::decodePNG(withText.data(), withText.size());
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(samePixels(decoded, noisyImage(8, 8, true)));
}

TEST_F(GraphicsCodec, FilesAreReadThroughTheDeviceRoot)
{
    auto png = *graphics::encodePNG(fourCorners(8, 4));
    writeFile("/var/mobile/Documents/Ovrimo/Icons/com.apple.mobilecal.png", png);
    writeFile("/var/mobile/Documents/logo@2x.png", png);
    writeFile("/var/mobile/Documents/notes.png", { 'h', 'e', 'l', 'l', 'o' });
    writeFile("/var/mobile/Documents/empty.png", {});

    auto icon = UIImage::imageWithContentsOfFile("/var/mobile/Documents/Ovrimo/Icons/com.apple.mobilecal.png");
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->scale(), 1);
    EXPECT_EQ(cornersOf(icon->CGImage()), (Corners { kRed, kGreen, kBlue, kYellow }));
    auto retina = UIImage::imageWithContentsOfFile("/var/mobile/Documents/logo@2x.png");
    ASSERT_TRUE(retina);
    EXPECT_EQ(retina->size(), CGSizeMake(4, 2));

    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/var/mobile/Documents/missing.png"));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/var/mobile/Documents/notes.png"));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/var/mobile/Documents/empty.png"));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/var/mobile/Documents"));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/../../../etc/passwd"));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("relative.png"));
}
