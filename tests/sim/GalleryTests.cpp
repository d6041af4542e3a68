#include "sim/Gallery.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/ImageCodecs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdlib.h>

namespace fs = std::filesystem;
using namespace sim;

namespace {

// A temporary folder, removed afterwards.
struct TemporaryFolder {
    TemporaryFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "ovrimo-gallery-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        path = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

size_t count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

std::string readText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A PNG of one colour.
std::vector<std::uint8_t> solidPNG(size_t width, size_t height, double r, double g, double b)
{
    CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
    CGContextRef c = CGBitmapContextCreate(nullptr, width, height, 8, width * 4, space.ptr(), kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Little);
    CGContextSetRGBFillColor(c, r, g, b, 1);
    CGContextFillRect(c, CGRectMake(0, 0, width, height));
    return *graphics::encodePNG(CGBitmapContextCreateImage(c).ptr());
}

// The pixel at (x, y) from the top left, as 0xRRGGBB.
unsigned pixelAt(const CGImage* image, size_t x, size_t y)
{
    CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
    size_t w = CGImageGetWidth(image), h = CGImageGetHeight(image);
    CGContextRef c = CGBitmapContextCreate(nullptr, w, h, 8, w * 4, space.ptr(), kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Little);
    CGContextDrawImage(c, CGRectMake(0, 0, w, h), const_cast<CGImage*>(image));
    const auto* row = static_cast<const std::uint8_t*>(CGBitmapContextGetData(c)) + y * CGBitmapContextGetBytesPerRow(c);
    const std::uint8_t* p = row + x * 4; // B, G, R, A in memory
    return (unsigned(p[2]) << 16) | (unsigned(p[1]) << 8) | p[0];
}

} // namespace

TEST(GalleryPage, RowsInOrderWithBothPicturesAndTheirCaption)
{
    std::string page = galleryPage({ { "First change", "01-a.png", "02-b.png" }, { "Second change", "02-b.png", "03-c.png" } });
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_EQ(count(page, "<figure>"), 2u);
    EXPECT_EQ(count(page, "<figcaption>"), 2u);
    EXPECT_LT(page.find("First change"), page.find("Second change"));
    // Each row: before on the left, after on the right, each picture linked to itself.
    size_t row = page.find("<figure>");
    EXPECT_LT(page.find("src=\"01-a.png\"", row), page.find("src=\"02-b.png\"", row));
    EXPECT_EQ(count(page, "href=\"02-b.png\""), 2u);
    // Nothing is fetched from elsewhere: no address with a scheme, no style or script file.
    EXPECT_EQ(page.find("http"), std::string::npos);
    EXPECT_EQ(page.find("<link"), std::string::npos);
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_NE(page.find("<style>"), std::string::npos);
}

TEST(GalleryPage, CaptionsAreTextAndFileNamesAreAddresses)
{
    std::string page = galleryPage({ { "<b>\"Don't\" & co</b>", "my shots/a#1.png", "ü?.png" } });
    EXPECT_NE(page.find("&lt;b&gt;&quot;Don&#39;t&quot; &amp; co&lt;/b&gt;"), std::string::npos) << page;
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_NE(page.find("src=\"my%20shots/a%231.png\""), std::string::npos) << page;
    EXPECT_NE(page.find("src=\"%C3%BC%3F.png\""), std::string::npos) << page;
}

TEST(GalleryPage, FileNamesMustStayInsideTheFolder)
{
    EXPECT_TRUE(isGalleryFileName("a.png"));
    EXPECT_TRUE(isGalleryFileName("shots/a.png"));
    EXPECT_TRUE(isGalleryFileName("..a.png"));
    EXPECT_FALSE(isGalleryFileName(""));
    EXPECT_FALSE(isGalleryFileName("/tmp/a.png"));
    EXPECT_FALSE(isGalleryFileName("../a.png"));
    EXPECT_FALSE(isGalleryFileName("shots/../../a.png"));
    EXPECT_FALSE(isGalleryFileName("shots/"));
}

TEST(GalleryFolder, EachRowRewritesThePageAndAMissingPictureAddsNothing)
{
    TemporaryFolder folder;
    std::ofstream(folder.path / "a.png") << "a";
    std::ofstream(folder.path / "b.png") << "b";
    Gallery gallery(folder.path);
    gallery.add({ "One", "a.png", "b.png" });
    EXPECT_EQ(gallery.pagePath(), folder.path / "index.html");
    EXPECT_EQ(count(readText(gallery.pagePath()), "<figure>"), 1u);
    gallery.add({ "Two", "b.png", "a.png" });
    EXPECT_EQ(count(readText(gallery.pagePath()), "<figure>"), 2u);

    try {
        gallery.add({ "Three", "a.png", "missing.png" });
        ADD_FAILURE() << "a row with a missing picture was added";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("no picture missing.png"), std::string::npos) << e.what();
    }
    EXPECT_EQ(gallery.rows().size(), 2u);
    std::string page = readText(gallery.pagePath());
    EXPECT_EQ(count(page, "<figure>"), 2u);
    EXPECT_EQ(page.find("Three"), std::string::npos);

    // Nothing but the page is left in the folder (no temporary beside it).
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path))
        ++files;
    EXPECT_EQ(files, 3u);
}

TEST(GalleryPicture, BothScreensAtHalfSizeWithTheBeforeOnTheLeft)
{
    auto red = solidPNG(200, 400, 1, 0, 0);
    auto blue = solidPNG(200, 300, 0, 0, 1);
    auto pair = sideBySidePicture(red, blue);
    ASSERT_TRUE(pair);
    CGImageRef image = graphics::decodePNG(pair->data(), pair->size());
    ASSERT_TRUE(image);
    // Margins of 24 around, 88 between: 24 + 100 + 88 + 100 + 24 wide, 24 + 200 + 24 high.
    EXPECT_EQ(CGImageGetWidth(image), 336u);
    EXPECT_EQ(CGImageGetHeight(image), 248u);
    EXPECT_EQ(pixelAt(image, 74, 124), 0xFF0000u);
    EXPECT_EQ(pixelAt(image, 262, 100), 0x0000FFu);
    // The shorter one hangs from the top: below it is background, not blue.
    EXPECT_NE(pixelAt(image, 262, 200), 0x0000FFu);
    EXPECT_NE(pixelAt(image, 5, 5), 0xFF0000u);
}

TEST(GalleryPicture, NothingForWhatIsNotAPicture)
{
    auto red = solidPNG(20, 20, 1, 0, 0);
    std::vector<std::uint8_t> text { 'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g' };
    EXPECT_FALSE(sideBySidePicture(red, text));
    EXPECT_FALSE(sideBySidePicture({}, red));
    auto truncated = red;
    truncated.resize(truncated.size() / 2);
    EXPECT_FALSE(sideBySidePicture(truncated, red));
}
