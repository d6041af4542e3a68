#include "sim/Gallery.h"

#include "platform/filesystem/AtomicFile.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/ImageCodecs.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace fs = std::filesystem;

namespace sim {

namespace {

std::string escapeHtml(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

// A relative file path as a URL path: every byte but unreserved ones and '/' percent-encoded, so
// that spaces, '#', '?' and non-ASCII names still lead to the file.
std::string urlPath(const std::string& path)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

const char* kStyle = R"(
body { font-family: system-ui, -apple-system, "Segoe UI", sans-serif; margin: 0 auto; max-width: 860px; padding: 1.5em 1em 3em; background: #f3f4f7; color: #1d1d22; }
h1 { font-size: 1.6em; margin-bottom: 0.2em; }
header p { color: #555; margin-top: 0; }
figure { margin: 0 0 2.4em; padding: 1em; background: #fff; border-radius: 14px; box-shadow: 0 1px 4px rgba(0, 0, 0, 0.12); }
.pair { display: flex; gap: 1em; justify-content: center; }
.pair div { flex: 1; max-width: 300px; text-align: center; }
.pair span { display: block; font-size: 0.75em; letter-spacing: 0.08em; text-transform: uppercase; color: #777; margin-bottom: 0.4em; }
.pair img { width: 100%; border-radius: 10px; border: 1px solid #d5d7dd; }
figcaption { margin-top: 0.8em; text-align: center; font-size: 1.05em; }
)";

std::string pictureCell(const char* label, const std::string& file, const std::string& caption)
{
    std::string src = escapeHtml(urlPath(file));
    return std::string("    <div><span>") + label + "</span><a href=\"" + src + "\"><img src=\"" + src + "\" alt=\"" + label + ": "
        + escapeHtml(caption) + "\" loading=\"lazy\"></a></div>\n";
}

} // namespace

bool isGalleryFileName(const std::string& name)
{
    fs::path path(name);
    if (name.empty() || !path.is_relative() || path.has_root_name() || !path.has_filename())
        return false;
    return std::none_of(path.begin(), path.end(), [](const fs::path& part) { return part == ".."; });
}

std::string galleryPage(const std::vector<GalleryRow>& rows)
{
    std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>Ovrimo: what the demo did</title>\n<style>"
        + std::string(kStyle) + "</style>\n</head>\n<body>\n<header>\n<h1>Ovrimo: what the demo did</h1>\n"
        + "<p>A fresh simulated phone with Ovrimo installed, used as a person would. Each row: the screen before and after.</p>\n"
          "</header>\n";
    for (const auto& row : rows) {
        page += "<figure>\n  <div class=\"pair\">\n" + pictureCell("before", row.before, row.caption)
            + pictureCell("after", row.after, row.caption) + "  </div>\n  <figcaption>" + escapeHtml(row.caption)
            + "</figcaption>\n</figure>\n";
    }
    page += "</body>\n</html>\n";
    return page;
}

Gallery::Gallery(fs::path folder)
    : m_folder(std::move(folder))
{
}

void Gallery::add(const GalleryRow& row)
{
    for (const std::string* file : { &row.before, &row.after }) {
        std::error_code ec;
        if (!isGalleryFileName(*file))
            throw std::runtime_error("the picture " + *file + " must be named relative to the gallery's folder, inside it");
        if (!fs::is_regular_file(m_folder / *file, ec))
            throw std::runtime_error("no picture " + *file + " in " + m_folder.string() + " (take the screenshot first)");
    }
    std::vector<GalleryRow> rows = m_rows;
    rows.push_back(row);
    std::string error;
    if (!filesystem::writeFileAtomically(pagePath(), galleryPage(rows), &error))
        throw std::runtime_error("cannot write " + pagePath().string() + ": " + error);
    m_rows = std::move(rows);
}

std::optional<std::vector<std::uint8_t>> sideBySidePicture(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after)
{
    // Screenshots are at most a tablet's screen; anything far larger is not one.
    constexpr double kMaximumPixels = 4096.0 * 4096.0;
    CGImageRef first = graphics::decodeImage(before.data(), before.size(), kMaximumPixels).image;
    CGImageRef second = graphics::decodeImage(after.data(), after.size(), kMaximumPixels).image;
    if (!first || !second)
        return std::nullopt;

    const double margin = 24, gap = 88;
    const double w1 = std::round(CGImageGetWidth(first) / 2.0), h1 = std::round(CGImageGetHeight(first) / 2.0);
    const double w2 = std::round(CGImageGetWidth(second) / 2.0), h2 = std::round(CGImageGetHeight(second) / 2.0);
    const size_t width = static_cast<size_t>(margin * 2 + w1 + gap + w2);
    const size_t height = static_cast<size_t>(margin * 2 + std::max(h1, h2));

    CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
    CGContextRef c = CGBitmapContextCreate(nullptr, width, height, 8, width * 4, space.ptr(), kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Little);
    if (!c)
        return std::nullopt;
    CGContextSetRGBFillColor(c, 0.93, 0.94, 0.96, 1);
    CGContextFillRect(c, CGRectMake(0, 0, width, height));

    // A bitmap context's origin is at the bottom left: both pictures hang from the top margin.
    CGContextSetInterpolationQuality(c, kCGInterpolationHigh);
    const double top = static_cast<double>(height) - margin;
    CGContextDrawImage(c, CGRectMake(margin, top - h1, w1, h1), first);
    CGContextDrawImage(c, CGRectMake(margin + w1 + gap, top - h2, w2, h2), second);

    // The arrow in the gap, halfway down.
    const double left = margin + w1 + 18, right = margin + w1 + gap - 18, mid = top - std::max(h1, h2) / 2;
    CGContextSetRGBFillColor(c, 0.35, 0.37, 0.42, 1);
    CGContextFillRect(c, CGRectMake(left, mid - 5, right - left - 22, 10));
    CGContextBeginPath(c);
    CGContextMoveToPoint(c, right - 28, mid + 18);
    CGContextAddLineToPoint(c, right, mid);
    CGContextAddLineToPoint(c, right - 28, mid - 18);
    CGContextClosePath(c);
    CGContextFillPath(c);

    return graphics::encodePNG(CGBitmapContextCreateImage(c).ptr());
}

} // namespace sim
