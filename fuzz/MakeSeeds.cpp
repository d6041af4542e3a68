// Writes the seed corpus of every fuzz target: small valid files made with the project's own
// encoders. Run by hand when the corpus needs remaking:
//   build-asan/fuzz/fuzz_make_seeds fuzz/corpus

#include "FuzzDevice.h"

#include "device/springboard/IconLayout.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSData.h"
#include "platform/corefoundation/NSDictionary.h"
#include "platform/corefoundation/NSDate.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/corefoundation/PropertyList.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIImage.h"

#include <cstdio>
#include <cstring>
// clang-format off
#include <jpeglib.h>
// clang-format on

using objc::Ref;

namespace {

std::filesystem::path corpus;

void write(const std::string& target, const std::string& name, std::string_view bytes)
{
    std::filesystem::create_directories(corpus / target);
    std::ofstream(corpus / target / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void write(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes)
{
    write(target, name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// A picture whose quarters differ (so that a turned or mirrored decode is a different picture),
// optionally transparent in one quarter.
Ref<UIImage> quarters(CGSize size, bool transparentCorner)
{
    UIGraphicsBeginImageContextWithOptions(size, false, 1);
    CGContextRef c = UIGraphicsGetCurrentContext();
    double w = size.width / 2, h = size.height / 2;
    CGContextSetRGBFillColor(c, 1, 0, 0, 1);
    CGContextFillRect(c, CGRectMake(0, 0, w, h));
    CGContextSetRGBFillColor(c, 0, 1, 0, 1);
    CGContextFillRect(c, CGRectMake(w, 0, w, h));
    CGContextSetRGBFillColor(c, 0, 0, 1, 1);
    CGContextFillRect(c, CGRectMake(0, h, w, h));
    CGContextSetRGBFillColor(c, 1, 1, 0, transparentCorner ? 0.3 : 1);
    CGContextFillRect(c, CGRectMake(w, h, w, h));
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

std::string plist(objc::Object* value, corefoundation::PropertyListFormat format)
{
    auto bytes = corefoundation::propertyListBytes(value, format);
    if (!bytes)
        fuzz::fail("a seed is not a property list");
    return *bytes;
}

// A progressive JPEG of the picture: the encoder's usual scan script when `script` is empty,
// else that one (one component: grey).
std::vector<uint8_t> progressiveJPEG(UIImage* picture, bool grey, const std::vector<jpeg_scan_info>& script = {})
{
    CGImage* image = picture->CGImage();
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(image->width());
    cinfo.image_height = JDIMENSION(image->height());
    cinfo.input_components = grey ? 1 : 4;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 80, TRUE);
    if (script.empty()) {
        jpeg_simple_progression(&cinfo);
    } else {
        cinfo.scan_info = script.data();
        cinfo.num_scans = int(script.size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(image->width() * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto* pixels = reinterpret_cast<const uint32_t*>(image->data() + cinfo.next_scanline * image->bytesPerRow());
        for (size_t x = 0; x < image->width(); ++x) {
            if (grey)
                row[x] = uint8_t(((pixels[x] >> 16) & 0xFF) / 3 + ((pixels[x] >> 8) & 0xFF) / 3 + (pixels[x] & 0xFF) / 3);
            else
                std::memcpy(&row[x * 4], &pixels[x], 4);
        }
        JSAMPROW rows[1] = { row.data() };
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

// A grey scan script: DC in one scan, then each AC coefficient at `bits` bits dropped followed by
// one refinement scan per dropped bit (1 + 63 × (1 + bits) scans).
std::vector<jpeg_scan_info> everyCoefficientScans(int bits)
{
    std::vector<jpeg_scan_info> script;
    script.push_back({ 1, { 0 }, 0, 0, 0, 0 });
    for (int k = 1; k < 64; ++k) {
        script.push_back({ 1, { 0 }, k, k, 0, bits });
        for (int al = bits - 1; al >= 0; --al)
            script.push_back({ 1, { 0 }, k, k, al + 1, al });
    }
    return script;
}

void imageSeeds()
{
    write("png_shaping", "opaque-4x4.png", *graphics::encodePNG(quarters(CGSizeMake(4, 4), false)->CGImage()));
    write("png_shaping", "alpha-6x2.png", *graphics::encodePNG(quarters(CGSizeMake(6, 2), true)->CGImage()));
    write("png_shaping", "alpha-16x16.png", *graphics::encodePNG(quarters(CGSizeMake(16, 16), true)->CGImage()));
    // Up, Down, Right and LeftMirrored.
    for (int orientation : { 0, 1, 3, 6 }) {
        auto jpeg = graphics::encodeJPEG(quarters(CGSizeMake(8, 4), false)->CGImage(), 0.8, orientation);
        write("jpeg_shaping", "8x4-orientation-" + std::to_string(orientation) + ".jpg", *jpeg);
    }
    write("jpeg_shaping", "16x16-low-quality.jpg", *graphics::encodeJPEG(quarters(CGSizeMake(16, 16), false)->CGImage(), 0.2));
    // Progressive: the usual scripts in colour and grey, 64 scans (within the bounds) and 127
    // (beyond them: refused as the scans arrive).
    write("jpeg_shaping", "24x16-progressive.jpg", progressiveJPEG(quarters(CGSizeMake(24, 16), false), false));
    write("jpeg_shaping", "16x16-progressive-grey.jpg", progressiveJPEG(quarters(CGSizeMake(16, 16), false), true));
    write("jpeg_shaping", "16x16-progressive-64-scans.jpg", progressiveJPEG(quarters(CGSizeMake(16, 16), false), true, everyCoefficientScans(0)));
    write("jpeg_shaping", "8x8-progressive-127-scans.jpg", progressiveJPEG(quarters(CGSizeMake(8, 8), false), true, everyCoefficientScans(1)));
}

void preferenceSeeds()
{
    using corefoundation::PropertyListFormat;
    auto domain = NSDictionary::make({
        { "enabled", NSNumber::withBool(true) },
        { "firstrun", NSNumber::withBool(false) },
        { "activationmethodsingle", NSNumber::withInteger(1) },
        { "activationmethodmulti", NSNumber::withInteger(4) },
        { "generatemethod", NSNumber::withInteger(0) },
        { "calendardate", NSString::make("#FF8800") },
        { "scale", NSNumber::withDouble(0.75) },
        { "saved", NSDate::withTimeIntervalSince1970(1600000000) },
        { "blob", NSData::make(std::string_view("\x01\x02\x03", 3)) },
        { "order", NSArray::make({ NSString::make("a"), NSNumber::withInteger(-2) }) },
        { "nested", NSDictionary::make({ { "key", NSString::make("caf\xC3\xA9") } }) },
    });
    write("preferences_write_back", "domain.xml.plist", plist(domain, PropertyListFormat::XML));
    write("preferences_write_back", "domain.binary.plist", plist(domain, PropertyListFormat::Binary));
    auto small = NSDictionary::make({ { "systemwide", NSNumber::withBool(false) } });
    write("preferences_write_back", "small.binary.plist", plist(small, PropertyListFormat::Binary));
}

void layoutSeeds()
{
    using corefoundation::PropertyListFormat;
    springboard::IconLayout layout;
    layout.dock = { "com.apple.mobilephone", "com.apple.mobilesafari" };
    springboard::LayoutFolder utilities { "Utilities", { { "com.apple.calculator", "com.apple.compass" }, { "com.apple.tips" } } };
    layout.pages = { { { "com.apple.mobilecal", std::nullopt }, { "", utilities }, { springboard::kDefaultWebClipIdentifier, std::nullopt } },
        { { "com.apple.Music", std::nullopt } } };
    auto list = springboard::layoutPropertyList(layout);
    write("icon_state_write_back", "layout.xml.plist", plist(list, PropertyListFormat::XML));
    write("icon_state_write_back", "layout.binary.plist", plist(list, PropertyListFormat::Binary));
    springboard::IconLayout bare;
    bare.pages = { {} };
    write("icon_state_write_back", "empty-page.binary.plist", plist(springboard::layoutPropertyList(bare), PropertyListFormat::Binary));
}

void scriptSeeds()
{
    write("script_parser", "walk.sim",
        "profile iphone8-ios12\n"
        "# a comment\n"
        "expect alert \"Welcome to Ovrimo!\"\n"
        "choose \"Don't show anymore\"\n"
        "longpress \"Safari\" 1.5\n"
        "tap 100 200\n"
        "swipe left \"Mail\"\n"
        "drag 10 20 30 40 0.5\n"
        "pinch 187 333 0.5\n"
        "wait 400\n");
    write("script_parser", "steps.sim",
        "pref activationmethodsingle 1\n"
        "pref calendardate \"#FF0000\"\n"
        "type \"a \\\"quoted\\\" \\\\ text\"\n"
        "clipboard \"https://example.org/icon.png\"\n"
        "photo picture.jpg\n"
        "open \"com.apple.Preferences\"\n"
        "expect exists /var/mobile/Documents/Ovrimo/Icons\n"
        "expect text \"General\"\n"
        "notify \"com.apple.mobilemail\" \"Title\" \"Message\"\n"
        "search \"Mail\"\n"
        "switcher\nnotifications\nwidgets\nhome\n"
        "screenshot shot.png\n");
    write("script_parser", "mistake.sim", "tap\nprofile iphone5-ios9\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stdout, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    corpus = argv[1];
    fuzz::device();
    imageSeeds();
    preferenceSeeds();
    layoutSeeds();
    scriptSeeds();
    return 0;
}
