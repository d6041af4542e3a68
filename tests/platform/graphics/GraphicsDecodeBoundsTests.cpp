// What one decode may cost: progressive JPEGs whose scans ask for unbounded work are refused, and
// pictures decoded for a small place are reduced while they are read.

#include "tests/platform/graphics/GraphicsTestSupport.h"
#include "tests/support/Elapsed.h"

#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/graphics/UIImage.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
// clang-format off
#include <jpeglib.h>
// clang-format on

using namespace graphics_test;
using objc::Ref;

namespace {

class DecodeBounds : public ::testing::Test {
protected:
    DecodeBounds() { registerGraphicsClasses(env.runtime()); }
    testing_support::TestEnvironment env;
};

// A grey progressive JPEG of `w` × `h` (a soft diagonal ramp) written with a scan script of our
// own: the DC coefficients in one scan, then each of the 63 AC coefficients in a scan of its own
// at `bits` bits of precision dropped, followed by one refinement scan per dropped bit. That is
// 1 + 63 × (1 + bits) scans: 64 with no bits dropped, 694 with ten (the encoder's most).
std::vector<uint8_t> progressiveGrey(size_t w, size_t h, int bits)
{
    std::vector<jpeg_scan_info> script;
    script.push_back({ 1, { 0 }, 0, 0, 0, 0 });
    for (int k = 1; k < 64; ++k) {
        script.push_back({ 1, { 0 }, k, k, 0, bits });
        for (int al = bits - 1; al >= 0; --al)
            script.push_back({ 1, { 0 }, k, k, al + 1, al });
    }
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(w);
    cinfo.image_height = JDIMENSION(h);
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    cinfo.scan_info = script.data();
    cinfo.num_scans = int(script.size());
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(w);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (size_t x = 0; x < w; ++x)
            row[x] = uint8_t((x + cinfo.next_scanline) * 255 / (w + h));
        JSAMPROW rows[1] = { row.data() };
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

// How many scans a JPEG holds (its start-of-scan markers).
int scanCount(const std::vector<uint8_t>& jpeg)
{
    int scans = 0;
    for (size_t i = 0; i + 1 < jpeg.size(); ++i)
        scans += jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA;
    return scans;
}

// A PNG of `w` × `h` in one colour (straight RGBA), compressed a row at a time so that making it
// never holds the whole picture. Interlaced when asked (every pass has the same rows then).
std::vector<uint8_t> flatPNG(uint32_t w, uint32_t h, RGBA colour, bool interlaced = false)
{
    std::vector<uint8_t> out = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    appendChunk(out,
        "IHDR",
        { uint8_t(w >> 24), uint8_t(w >> 16), uint8_t(w >> 8), uint8_t(w), uint8_t(h >> 24), uint8_t(h >> 16), uint8_t(h >> 8), uint8_t(h), 8, 6, 0, 0,
            uint8_t(interlaced ? 1 : 0) });
    z_stream z {};
    deflateInit(&z, 6);
    std::vector<uint8_t> packed;
    std::vector<uint8_t> chunk(1 << 16);
    auto feed = [&](std::vector<uint8_t>& raw, int flush) {
        z.next_in = raw.data();
        z.avail_in = uInt(raw.size());
        do {
            z.next_out = chunk.data();
            z.avail_out = uInt(chunk.size());
            deflate(&z, flush);
            packed.insert(packed.end(), chunk.data(), chunk.data() + (chunk.size() - z.avail_out));
        } while (z.avail_out == 0);
    };
    // Adam7 rows: each pass holds some rows of a reduced width; feeding the widest row for every
    // row of every pass would be wrong, so an interlaced picture is written from its passes.
    auto addRows = [&](uint32_t rowWidth, uint32_t rows) {
        std::vector<uint8_t> raw(1 + size_t(rowWidth) * 4);
        for (uint32_t x = 0; x < rowWidth; ++x) {
            raw[1 + x * 4] = uint8_t(colour.r), raw[2 + x * 4] = uint8_t(colour.g), raw[3 + x * 4] = uint8_t(colour.b), raw[4 + x * 4] = uint8_t(colour.a);
        }
        for (uint32_t y = 0; y < rows; ++y)
            feed(raw, Z_NO_FLUSH);
    };
    if (!interlaced) {
        addRows(w, h);
    } else {
        const uint32_t startX[7] = { 0, 4, 0, 2, 0, 1, 0 }, stepX[7] = { 8, 8, 4, 4, 2, 2, 1 };
        const uint32_t startY[7] = { 0, 0, 4, 0, 2, 0, 1 }, stepY[7] = { 8, 8, 8, 4, 4, 2, 2 };
        for (int pass = 0; pass < 7; ++pass) {
            uint32_t pw = w > startX[pass] ? (w - startX[pass] + stepX[pass] - 1) / stepX[pass] : 0;
            uint32_t ph = h > startY[pass] ? (h - startY[pass] + stepY[pass] - 1) / stepY[pass] : 0;
            if (pw && ph)
                addRows(pw, ph);
        }
    }
    std::vector<uint8_t> none;
    feed(none, Z_FINISH);
    deflateEnd(&z);
    appendChunk(out, "IDAT", packed);
    appendChunk(out, "IEND", {});
    return out;
}

// Runs `decode` in a child process and answers how many kilobytes its peak resident size grew
// by (the parent's own earlier peaks do not hide it); -1 when the child failed.
template<class F>
long peakGrowthKilobytes(F&& decode)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return -1;
    pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        long pages = 0, resident = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
                resident = 0;
            std::fclose(statm);
        }
        long before = resident * (sysconf(_SC_PAGESIZE) / 1024);
        long growth = decode() ? 0 : -1;
        rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        if (growth == 0)
            growth = usage.ru_maxrss - before;
        ssize_t written = write(pipeFds[1], &growth, sizeof growth);
        _exit(written == sizeof growth ? 0 : 1);
    }
    close(pipeFds[1]);
    long growth = -1;
    if (read(pipeFds[0], &growth, sizeof growth) != sizeof growth)
        growth = -1;
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return growth;
}

} // namespace

TEST_F(DecodeBounds, ProgressiveJPEGsOfHonestMakeDecode)
{
    // The encoder's usual progression (ten scans for colour) and the 64-scan script on a
    // megapixel: both well within the bounds.
    auto colour = UIImageJPEGRepresentation(UIImage::imageWithCGImage(fourCorners(320, 240), 1), 0.9);
    ASSERT_TRUE(colour);
    auto everyCoefficient = progressiveGrey(1024, 1024, 0);
    EXPECT_EQ(scanCount(everyCoefficient), 64);
    auto decoded = graphics::decodeJPEG(everyCoefficient.data(), everyCoefficient.size());
    ASSERT_TRUE(decoded.image);
    EXPECT_EQ(decoded.image->width(), 1024u);
    EXPECT_NEAR(pixelAt(decoded.image, 1023, 1023).r, 255, 6);
    EXPECT_NEAR(pixelAt(decoded.image, 0, 0).r, 0, 6);
}

TEST_F(DecodeBounds, AScanBombIsRefusedLikeABrokenPicture)
{
    // 694 scans of a small picture: refused on the scan count, at once.
    auto bomb = progressiveGrey(64, 64, 10);
    ASSERT_EQ(scanCount(bomb), 694);
    double seconds = testing_support::secondsFor([&] {
        EXPECT_FALSE(graphics::decodeJPEG(bomb.data(), bomb.size()).image);
        EXPECT_FALSE(UIImage::imageWithData(bomb));
    });
    EXPECT_LT(seconds, 0.1);
    // The same script with one bit dropped still has 127 scans: refused too.
    auto fewerBits = progressiveGrey(64, 64, 1);
    ASSERT_EQ(scanCount(fewerBits), 127);
    EXPECT_FALSE(graphics::decodeJPEG(fewerBits.data(), fewerBits.size()).image);

    // 64 scans are fine on a megapixel (above) but not on 7.8 megapixels: the work summed over
    // the scans is what is bounded.
    auto large = progressiveGrey(2800, 2800, 0);
    ASSERT_EQ(scanCount(large), 64);
    ASSERT_GT(64 * 2800.0 * 2800.0, graphics::kMaxJPEGScanPixels);
    EXPECT_FALSE(graphics::decodeJPEG(large.data(), large.size()).image);
    auto largeButSequential = UIImageJPEGRepresentation(UIImage::imageWithCGImage(fourCorners(2800, 2800), 1), 0.5);
    ASSERT_TRUE(largeButSequential);
    EXPECT_TRUE(UIImage::imageWithData(*largeButSequential));
}

TEST_F(DecodeBounds, ReducedPicturesKeepTheirShapeColoursAndPointSize)
{
    auto png = graphics::encodePNG(fourCorners(1000, 500));
    auto jpeg = UIImageJPEGRepresentation(UIImage::imageWithCGImage(fourCorners(1000, 500), 1), 0.95);
    ASSERT_TRUE(png && jpeg);
    for (auto* bytes : { &*png, &*jpeg }) {
        graphics::DecodedImage decoded = graphics::decodeImage(bytes->data(), bytes->size(), graphics::DecodeLimits { 0, 180 });
        ASSERT_TRUE(decoded.image);
        EXPECT_EQ(decoded.image->width(), 180u);
        EXPECT_EQ(decoded.image->height(), 90u);
        EXPECT_EQ(decoded.storedWidth, 1000u);
        EXPECT_EQ(decoded.storedHeight, 500u);
        Corners c = cornersOf(decoded.image);
        const RGBA want[4] = { kRed, kGreen, kBlue, kYellow };
        const RGBA got[4] = { c.topLeft, c.topRight, c.bottomLeft, c.bottomRight };
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(got[i].r, want[i].r, 10) << i;
            EXPECT_NEAR(got[i].g, want[i].g, 10) << i;
            EXPECT_NEAR(got[i].b, want[i].b, 10) << i;
        }
    }

    // A picture within the bound comes out as it is.
    auto small = graphics::encodePNG(fourCorners(100, 60));
    graphics::DecodedImage same = graphics::decodeImage(small->data(), small->size(), graphics::DecodeLimits { 0, 180 });
    ASSERT_TRUE(same.image);
    EXPECT_EQ(same.image->width(), 100u);

    // As a UIImage the reduced picture keeps its size in points, at a higher scale.
    Ref<UIImage> image = UIImage::imageWithData(png->data(), png->size(), 2, 0, 250);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->CGImage()->width(), 250u);
    EXPECT_DOUBLE_EQ(image->size().width, 500);
    EXPECT_DOUBLE_EQ(image->size().height, 250);
    EXPECT_DOUBLE_EQ(image->scale(), 0.5);
}

TEST_F(DecodeBounds, TransparencyIsAveragedPremultipliedAndInterlacedPicturesReduceToo)
{
    // Columns alternating opaque red and fully transparent green: the average is half-covered
    // red, with nothing of the invisible green.
    std::vector<uint8_t> rgba(64 * 64 * 4);
    for (size_t i = 0; i < 64 * 64; ++i) {
        bool red = (i % 64) % 2 == 0;
        rgba[i * 4 + 0] = red ? 255 : 0;
        rgba[i * 4 + 1] = red ? 0 : 255;
        rgba[i * 4 + 3] = red ? 255 : 0;
    }
    auto striped = graphics::encodePNG(imageFromRGBA(64, 64, rgba));
    ASSERT_TRUE(striped);
    auto half = graphics::decodeImage(striped->data(), striped->size(), graphics::DecodeLimits { 0, 16 });
    ASSERT_TRUE(half.image);
    RGBA p = pixelAt(half.image, 8, 8);
    EXPECT_NEAR(p.a, 128, 2);
    EXPECT_NEAR(p.r, 255, 3);
    EXPECT_NEAR(p.g, 0, 3);

    for (bool interlaced : { false, true }) {
        auto flat = flatPNG(300, 200, { 10, 200, 30, 255 }, interlaced);
        auto decoded = graphics::decodeImage(flat.data(), flat.size(), graphics::DecodeLimits { 0, 60 });
        ASSERT_TRUE(decoded.image) << interlaced;
        EXPECT_EQ(decoded.image->width(), 60u);
        EXPECT_EQ(decoded.image->height(), 40u);
        EXPECT_EQ(pixelAt(decoded.image, 30, 20), (RGBA { 10, 200, 30, 255 })) << interlaced;
    }
    // Reduction does not let a broken picture through.
    auto flat = flatPNG(300, 200, { 10, 200, 30, 255 });
    EXPECT_FALSE(graphics::decodeImage(flat.data(), flat.size() - 40, graphics::DecodeLimits { 0, 60 }).image);
}

TEST_F(DecodeBounds, AReducedPNGIsNeverHeldAtFullSize)
{
    // 4096 × 4096 is 64 MB at full size; reduced to 180² it needs a row at a time.
    auto huge = flatPNG(4096, 4096, { 40, 90, 200, 255 });
    long reduced = peakGrowthKilobytes([&] {
        auto decoded = graphics::decodeImage(huge.data(), huge.size(), graphics::DecodeLimits { 0, 180 });
        return decoded.image && decoded.image->width() == 180;
    });
    ASSERT_GE(reduced, 0);
    EXPECT_LT(reduced, 16 * 1024);
    long full = peakGrowthKilobytes([&] { return bool(graphics::decodeImage(huge.data(), huge.size()).image); });
    EXPECT_GT(full, 60 * 1024) << "the measurement sees a full-size decode";
}
