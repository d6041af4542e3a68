#include "device/springboard/IconArt.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/graphics/CairoAccess.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/TextLayout.h"
#include "platform/uikit/UIFont.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <map>

namespace springboard {

namespace {

constexpr const char* kWeekdays[] = { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" };

uint32_t fnv1a(const std::string& text)
{
    uint32_t hash = 2166136261u;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

RGB hsv(double h, double s, double v)
{
    h = std::fmod(h, 1.0) * 6;
    int i = static_cast<int>(h);
    double f = h - i, p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (i % 6) {
    case 0: return { v, t, p };
    case 1: return { q, v, p };
    case 2: return { p, v, t };
    case 3: return { p, q, v };
    case 4: return { t, p, v };
    default: return { v, p, q };
    }
}

RGB rgb255(int r, int g, int b) { return { r / 255.0, g / 255.0, b / 255.0 }; }

RGB shade(RGB c, double f)
{
    auto one = [f](double v) { return f >= 0 ? v + (1 - v) * f : v * (1 + f); };
    return { one(c.r), one(c.g), one(c.b) };
}

double luminance(RGB c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

// A UIKit canvas of `size` points at the screen's scale, handed to `draw`, taken out as an image.
template<class F>
objc::Ref<UIImage> paint(CGSize size, F&& draw)
{
    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (cairo_t* cr = context ? graphics::cairoContext(context.ptr()) : nullptr) {
        cairo_save(cr);
        draw(context.ptr(), cr);
        cairo_restore(cr);
    }
    objc::Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

void fillVerticalGradient(cairo_t* cr, CGRect rect, RGB top, RGB bottom)
{
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, rect.origin.y, 0, rect.origin.y + rect.size.height);
    cairo_pattern_add_color_stop_rgb(pattern, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void shapePath(cairo_t* cr, CGRect rect)
{
    // A superellipse of exponent 5: the curvature changes continuously from the straight edges
    // into the corners, and the corners fill about as much as a 22.5 % radius would.
    constexpr int steps = 256;
    constexpr double exponent = 2.0 / 5.0;
    double cx = rect.origin.x + rect.size.width / 2, cy = rect.origin.y + rect.size.height / 2;
    double ax = rect.size.width / 2, ay = rect.size.height / 2;
    cairo_new_path(cr);
    for (int i = 0; i < steps; ++i) {
        double t = 2 * M_PI * i / steps;
        double c = std::cos(t), s = std::sin(t);
        double x = cx + ax * std::copysign(std::pow(std::fabs(c), exponent), c);
        double y = cy + ay * std::copysign(std::pow(std::fabs(s), exponent), s);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

void drawCentredText(cairo_t* cr, const std::string& text, double fontSize, bool bold, RGB colour, CGRect rect)
{
    objc::Ref<UIFont> font = bold ? UIFont::boldSystemFontOfSize(fontSize) : UIFont::systemFontOfSize(fontSize);
    uikit::TextStyle style;
    style.font = font;
    style.alignment = NSTextAlignmentCenter;
    style.numberOfLines = 1;
    style.lineBreakMode = NSLineBreakByClipping;
    cairo_save(cr);
    cairo_set_source_rgb(cr, colour.r, colour.g, colour.b);
    uikit::drawText(cr, text, style, rect);
    cairo_restore(cr);
}

std::string initialOf(const std::string& name)
{
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = name[i];
        if (std::isalnum(c))
            return std::string(1, static_cast<char>(std::toupper(c)));
        if (c >= 0x80) {
            size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
            return name.substr(i, len);
        }
    }
    return "?";
}

std::array<CGRect, 9> gridCells(double side)
{
    // Three cells and two gaps fill the grid's side: 13 + 3.5 + 13 + 3.5 + 13.
    double cell = side * 13.0 / 46.0, gap = side * 3.5 / 46.0;
    double margin = 0;
    std::array<CGRect, 9> rects;
    for (int i = 0; i < 9; ++i)
        rects[i] = CGRectMake(margin + (i % 3) * (cell + gap), margin + (i / 3) * (cell + gap), cell, cell);
    return rects;
}

} // namespace

RGB iconColorFor(const std::string& bundleIdentifier)
{
    static const std::map<std::string, RGB> known = {
        { "com.apple.mobilemail", rgb255(30, 140, 250) },
        { "com.apple.mobilesafari", rgb255(40, 150, 240) },
        { "com.apple.Music", rgb255(250, 60, 90) },
        { "com.apple.mobilenotes", rgb255(250, 200, 50) },
        { "com.apple.reminders", rgb255(250, 130, 40) },
        { "com.apple.Home", rgb255(250, 150, 30) },
        { "com.apple.facetime", rgb255(60, 200, 90) },
        { "com.apple.mobilephone", rgb255(60, 200, 90) },
        { "com.apple.MobileSMS", rgb255(70, 210, 100) },
        { "com.apple.MobileAddressBook", rgb255(150, 150, 160) },
        { "com.apple.AppStore", rgb255(20, 130, 250) },
        { "com.apple.Preferences", rgb255(140, 142, 150) },
        { "com.apple.camera", rgb255(110, 112, 120) },
        { "com.apple.mobileslideshow", rgb255(240, 90, 160) },
        { "com.apple.weather", rgb255(60, 160, 240) },
        { "com.apple.Maps", rgb255(90, 190, 110) },
        { "com.apple.news", rgb255(240, 60, 70) },
        { "com.apple.podcasts", rgb255(160, 80, 230) },
        { "com.apple.calculator", rgb255(60, 60, 66) },
        { "com.apple.compass", rgb255(50, 50, 56) },
        { "com.apple.VoiceMemos", rgb255(40, 40, 46) },
        { "com.apple.stocks", rgb255(30, 30, 36) },
        { "com.apple.tips", rgb255(250, 190, 40) },
        { "com.apple.Health", rgb255(250, 80, 110) },
        { "com.apple.iBooks", rgb255(250, 140, 30) },
        { "com.apple.Passbook", rgb255(20, 20, 26) },
    };
    auto it = known.find(bundleIdentifier);
    if (it != known.end())
        return it->second;
    uint32_t h = fnv1a(bundleIdentifier);
    return hsv((h % 360) / 360.0, 0.55 + ((h >> 9) % 20) / 100.0, 0.80 + ((h >> 17) % 15) / 100.0);
}

std::tm deviceLocalTime()
{
    std::time_t t = std::chrono::system_clock::to_time_t(dispatch::RunLoop::main().wallClock());
    std::tm out {};
    localtime_r(&t, &out);
    return out;
}

void addIconShapePath(CGContext* context, CGRect rect)
{
    if (cairo_t* cr = graphics::cairoContext(context))
        shapePath(cr, rect);
}

objc::Ref<UIImage> drawAppIcon(const std::string& bundleIdentifier, const std::string& displayName, double side, const std::tm& now)
{
    if (bundleIdentifier == "com.apple.mobilecal")
        return drawCalendarIcon(side, now);
    if (bundleIdentifier == "com.apple.mobiletimer")
        return drawClockIcon(side, now);
    RGB base = iconColorFor(bundleIdentifier);
    return paint({ side, side }, [&](CGContext*, cairo_t* cr) {
        CGRect rect = CGRectMake(0, 0, side, side);
        shapePath(cr, rect);
        fillVerticalGradient(cr, rect, shade(base, 0.25), shade(base, -0.18));
        // A soft ring behind the letter gives every icon a little depth.
        cairo_arc(cr, side / 2, side / 2, side * 0.32, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.16);
        cairo_set_line_width(cr, side * 0.035);
        cairo_stroke(cr);
        RGB ink = luminance(base) > 0.72 ? RGB { 0.15, 0.15, 0.18 } : RGB { 1, 1, 1 };
        drawCentredText(cr, initialOf(displayName.empty() ? bundleIdentifier : displayName), side * 0.46, true, ink, CGRectMake(0, 0, side, side));
    });
}

objc::Ref<UIImage> drawCalendarIcon(double side, const std::tm& now)
{
    return paint({ side, side }, [&](CGContext*, cairo_t* cr) {
        // Pure white, so that everything printed on it can be told from the ground.
        shapePath(cr, CGRectMake(0, 0, side, side));
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill(cr);
        const char* weekday = kWeekdays[std::clamp(now.tm_wday, 0, 6)];
        drawCentredText(cr, weekday, side * 0.16, false, { 1, 0.23, 0.19 }, CGRectMake(0, side * 0.07, side, side * 0.22));
        drawCentredText(cr, std::to_string(now.tm_mday), side * 0.5, false, { 0, 0, 0 }, CGRectMake(0, side * 0.26, side, side * 0.64));
    });
}

objc::Ref<UIImage> drawClockIcon(double side, const std::tm& now)
{
    return paint({ side, side }, [&](CGContext*, cairo_t* cr) {
        shapePath(cr, CGRectMake(0, 0, side, side));
        cairo_set_source_rgb(cr, 0.04, 0.04, 0.05);
        cairo_fill(cr);
        double c = side / 2, r = side * 0.42;
        cairo_arc(cr, c, c, r, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        for (int i = 0; i < 12; ++i) {
            double a = i * M_PI / 6;
            cairo_set_line_width(cr, side * (i % 3 == 0 ? 0.025 : 0.012));
            cairo_move_to(cr, c + std::sin(a) * r * 0.82, c - std::cos(a) * r * 0.82);
            cairo_line_to(cr, c + std::sin(a) * r * 0.94, c - std::cos(a) * r * 0.94);
            cairo_stroke(cr);
        }
        auto hand = [&](double angle, double length, double width, RGB colour) {
            cairo_set_source_rgb(cr, colour.r, colour.g, colour.b);
            cairo_set_line_width(cr, width);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_move_to(cr, c - std::sin(angle) * length * 0.15, c + std::cos(angle) * length * 0.15);
            cairo_line_to(cr, c + std::sin(angle) * length, c - std::cos(angle) * length);
            cairo_stroke(cr);
        };
        double minutes = now.tm_min + now.tm_sec / 60.0;
        double hours = (now.tm_hour % 12) + minutes / 60.0;
        hand(hours * M_PI / 6, r * 0.55, side * 0.045, { 0.05, 0.05, 0.05 });
        hand(minutes * M_PI / 30, r * 0.8, side * 0.035, { 0.05, 0.05, 0.05 });
        hand(now.tm_sec * M_PI / 30, r * 0.88, side * 0.015, { 1, 0.58, 0 });
        cairo_arc(cr, c, c, side * 0.03, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 1, 0.58, 0);
        cairo_fill(cr);
    });
}

objc::Ref<UIImage> drawWebClipIcon(const std::string& title, double side)
{
    RGB base = iconColorFor("webclip:" + title);
    return paint({ side, side }, [&](CGContext*, cairo_t* cr) {
        CGRect rect = CGRectMake(0, 0, side, side);
        shapePath(cr, rect);
        cairo_set_source_rgb(cr, 0.97, 0.97, 0.98);
        cairo_fill(cr);
        // A globe: a coloured disc with a meridian and the equator.
        double c = side / 2, r = side * 0.3;
        cairo_arc(cr, c, c * 0.9, r, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, base.r, base.g, base.b);
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
        cairo_set_line_width(cr, side * 0.02);
        cairo_stroke(cr);
        cairo_save(cr);
        cairo_translate(cr, c, c * 0.9);
        cairo_scale(cr, 0.45, 1);
        cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_stroke(cr);
        cairo_move_to(cr, c - r, c * 0.9);
        cairo_line_to(cr, c + r, c * 0.9);
        cairo_stroke(cr);
        drawCentredText(cr, initialOf(title), side * 0.16, true, { 0.3, 0.3, 0.35 }, CGRectMake(0, side * 0.76, side, side * 0.2));
    });
}

objc::Ref<UIImage> drawMiniGrid(const std::vector<objc::Ref<UIImage>>& cells, double side)
{
    auto rects = gridCells(side);
    return paint({ side, side }, [&](CGContext*, cairo_t*) {
        for (size_t i = 0; i < cells.size() && i < rects.size(); ++i)
            if (cells[i])
                cells[i]->drawInRect(rects[i]);
    });
}

CGRect folderGridRect(double side)
{
    double inset = side * 7.0 / 60.0;
    return CGRectMake(inset, inset, side - 2 * inset, side - 2 * inset);
}

objc::Ref<UIImage> drawFolderIcon(const std::vector<objc::Ref<UIImage>>& cells, double side)
{
    objc::Ref<UIImage> grid = drawMiniGrid(cells, folderGridRect(side).size.width);
    return paint({ side, side }, [&](CGContext*, cairo_t* cr) {
        shapePath(cr, CGRectMake(0, 0, side, side));
        cairo_set_source_rgba(cr, 0.85, 0.87, 0.92, 0.55);
        cairo_fill(cr);
        if (grid)
            grid->drawInRect(folderGridRect(side));
    });
}

objc::Ref<UIImage> drawIconShape(double side)
{
    return paint({ side, side }, [&](CGContext*, cairo_t* cr) {
        shapePath(cr, CGRectMake(0, 0, side, side));
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_fill(cr);
    });
}

objc::Ref<UIImage> drawWallpaper(CGSize size)
{
    return paint(size, [&](CGContext*, cairo_t* cr) {
        cairo_rectangle(cr, 0, 0, size.width, size.height);
        fillVerticalGradient(cr, CGRectMake(0, 0, size.width, size.height), rgb255(28, 62, 120), rgb255(92, 46, 120));
        struct Blob {
            double x, y, r, a;
            RGB c;
        };
        const Blob blobs[] = {
            { 0.15, 0.2, 0.45, 0.22, rgb255(80, 170, 230) },
            { 0.9, 0.45, 0.5, 0.18, rgb255(230, 110, 170) },
            { 0.3, 0.9, 0.55, 0.2, rgb255(120, 90, 220) },
        };
        for (const Blob& b : blobs) {
            double r = b.r * size.width;
            cairo_pattern_t* p = cairo_pattern_create_radial(b.x * size.width, b.y * size.height, 0, b.x * size.width, b.y * size.height, r);
            cairo_pattern_add_color_stop_rgba(p, 0, b.c.r, b.c.g, b.c.b, b.a);
            cairo_pattern_add_color_stop_rgba(p, 1, b.c.r, b.c.g, b.c.b, 0);
            cairo_set_source(cr, p);
            cairo_paint(cr);
            cairo_pattern_destroy(p);
        }
    });
}

objc::Ref<UIImage> drawSamplePhoto(int index, CGSize size)
{
    return paint(size, [&](CGContext*, cairo_t* cr) {
        double w = size.width, h = size.height;
        cairo_rectangle(cr, 0, 0, w, h);
        switch (index % 3) {
        case 0: // Mountains under a blue sky.
            fillVerticalGradient(cr, CGRectMake(0, 0, w, h), rgb255(90, 160, 230), rgb255(200, 230, 250));
            cairo_move_to(cr, 0, h * 0.75);
            cairo_line_to(cr, w * 0.3, h * 0.35);
            cairo_line_to(cr, w * 0.5, h * 0.6);
            cairo_line_to(cr, w * 0.72, h * 0.3);
            cairo_line_to(cr, w, h * 0.7);
            cairo_line_to(cr, w, h);
            cairo_line_to(cr, 0, h);
            cairo_close_path(cr);
            cairo_set_source_rgb(cr, 0.25, 0.4, 0.3);
            cairo_fill(cr);
            cairo_rectangle(cr, 0, h * 0.85, w, h * 0.15);
            cairo_set_source_rgb(cr, 0.3, 0.55, 0.25);
            cairo_fill(cr);
            break;
        case 1: // A sunset over the sea.
            fillVerticalGradient(cr, CGRectMake(0, 0, w, h * 0.6), rgb255(250, 120, 60), rgb255(250, 210, 120));
            cairo_arc(cr, w * 0.5, h * 0.6, std::min(w, h) * 0.18, M_PI, 2 * M_PI);
            cairo_set_source_rgb(cr, 1, 0.9, 0.5);
            cairo_fill(cr);
            cairo_rectangle(cr, 0, h * 0.6, w, h * 0.4);
            fillVerticalGradient(cr, CGRectMake(0, h * 0.6, w, h * 0.4), rgb255(40, 70, 120), rgb255(10, 30, 70));
            break;
        default: // Tiles in four colours, a different one in each corner.
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x) {
                    RGB c = hsv((x * 4 + y) / 16.0, 0.6, 0.9);
                    cairo_rectangle(cr, x * w / 4, y * h / 4, w / 4, h / 4);
                    cairo_set_source_rgb(cr, c.r, c.g, c.b);
                    cairo_fill(cr);
                }
            break;
        }
    });
}

} // namespace springboard
