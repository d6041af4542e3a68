#include "platform/uikit/TextLayout.h"

#include "platform/uikit/UIFont.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <mutex>

namespace uikit {

namespace {

std::string descriptionFor(const TextStyle& style)
{
    if (style.font)
        return style.font->pangoDescription();
    return std::string(kSystemFaceFamily) + " 17px";
}

// The phone's system font spaces its letters by size: a little wider below 12 points, tighter
// above (its published text tracking, in points, for 6 to 19 points). The stand-in face gets the
// same, so that a line of text is about as long as on the phone. From 20 points on (the phone's
// display face) the letters keep their own spacing.
double systemTracking(double size)
{
    static constexpr double kTracking[] = { 0.24, 0.23, 0.21, 0.17, 0.12, 0.07, 0.0, -0.08, -0.15, -0.24, -0.32, -0.41, -0.45, -0.49 };
    constexpr double kFirstSize = 6, kLastSize = 19;
    if (size < kFirstSize || size >= kLastSize + 1)
        return 0;
    double at = std::min(size, kLastSize) - kFirstSize;
    auto below = static_cast<std::size_t>(std::floor(at));
    std::size_t above = std::min<std::size_t>(below + 1, std::size(kTracking) - 1);
    return kTracking[below] + (kTracking[above] - kTracking[below]) * (at - std::floor(at));
}

// A pango layout configured for the style, on `cr`. Caller unrefs.
PangoLayout* makeLayout(cairo_t* cr, const std::string& text, const TextStyle& style, CGFloat maxWidth, CGFloat maxHeight)
{
    PangoLayout* layout = pango_cairo_create_layout(cr);
    // Unhinted metrics, so that a text measures the same at every scale it is drawn at.
    static cairo_font_options_t* options = [] {
        cairo_font_options_t* o = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
        return o;
    }();
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
    pango_layout_context_changed(layout);
    PangoFontDescription* desc = pango_font_description_from_string(descriptionFor(style).c_str());
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
    double size = style.font ? style.font->pointSize() : 17;
    if (double tracking = systemTracking(size); tracking != 0) {
        PangoAttrList* attributes = pango_attr_list_new();
        pango_attr_list_insert(attributes, pango_attr_letter_spacing_new(static_cast<int>(std::lround(tracking * PANGO_SCALE))));
        pango_layout_set_attributes(layout, attributes);
        pango_attr_list_unref(attributes);
    }

    bool singleLine = style.numberOfLines == 1;
    if (maxWidth > 0)
        pango_layout_set_width(layout, static_cast<int>(maxWidth * PANGO_SCALE));
    switch (style.lineBreakMode) {
    case NSLineBreakByCharWrapping:
        pango_layout_set_wrap(layout, PANGO_WRAP_CHAR);
        break;
    default:
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        break;
    }
    PangoEllipsizeMode ellipsize = PANGO_ELLIPSIZE_NONE;
    switch (style.lineBreakMode) {
    case NSLineBreakByTruncatingHead:
        ellipsize = PANGO_ELLIPSIZE_START;
        break;
    case NSLineBreakByTruncatingMiddle:
        ellipsize = PANGO_ELLIPSIZE_MIDDLE;
        break;
    case NSLineBreakByTruncatingTail:
        ellipsize = PANGO_ELLIPSIZE_END;
        break;
    default:
        // Wrapping modes still end a label's last allowed line with an ellipsis.
        ellipsize = style.numberOfLines > 0 ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE;
        break;
    }
    // NOTE: pango ellipsizes a layout of no height limit to its first line: a text of any number
    // of lines measured without a height must not be ellipsized at all.
    if (style.numberOfLines == 0 && maxHeight <= 0)
        ellipsize = PANGO_ELLIPSIZE_NONE;
    if (maxWidth > 0 && ellipsize != PANGO_ELLIPSIZE_NONE) {
        pango_layout_set_ellipsize(layout, ellipsize);
        if (singleLine)
            pango_layout_set_height(layout, -1);
        else if (style.numberOfLines > 1)
            pango_layout_set_height(layout, -static_cast<int>(style.numberOfLines));
        else if (maxHeight > 0)
            pango_layout_set_height(layout, static_cast<int>(maxHeight * PANGO_SCALE));
    }
    if (singleLine && maxWidth > 0 && ellipsize == PANGO_ELLIPSIZE_NONE) {
        pango_layout_set_width(layout, -1);
    }
    switch (style.alignment) {
    case NSTextAlignmentCenter:
        pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
        break;
    case NSTextAlignmentRight:
        pango_layout_set_alignment(layout, PANGO_ALIGN_RIGHT);
        break;
    case NSTextAlignmentJustified:
        pango_layout_set_justify(layout, true);
        break;
    default:
        pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
        break;
    }
    return layout;
}

// Measuring needs a cairo context; one small surface serves every measurement.
cairo_t* measuringContext()
{
    static std::mutex mutex;
    static cairo_t* cr = nullptr;
    std::lock_guard lock(mutex);
    if (!cr) {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
        cr = cairo_create(surface);
        cairo_surface_destroy(surface);
    }
    return cr;
}

// Keeps at most `lines` lines (0: all) of a laid-out text; answers the height they take.
CGFloat heightOfLines(PangoLayout* layout, NSInteger lines)
{
    int count = pango_layout_get_line_count(layout);
    if (lines <= 0 || lines >= count) {
        int w = 0, h = 0;
        pango_layout_get_pixel_size(layout, &w, &h);
        return h;
    }
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    CGFloat bottom = 0;
    int index = 0;
    do {
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        bottom = static_cast<CGFloat>(logical.y + logical.height) / PANGO_SCALE;
        ++index;
    } while (index < lines && pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    return bottom;
}

} // namespace

CGSize measureText(const std::string& text, const TextStyle& style, CGFloat maxWidth)
{
    if (text.empty())
        return CGSizeZero;
    cairo_t* cr = measuringContext();
    PangoLayout* layout = makeLayout(cr, text, style, maxWidth, 0);
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    CGFloat height = heightOfLines(layout, style.numberOfLines);
    // A little room, so that text drawn in exactly the measured width is never cut short.
    CGFloat width = logical.width + 1;
    if (maxWidth > 0)
        width = std::min(width, maxWidth);
    g_object_unref(layout);
    return CGSizeMake(std::ceil(width), std::ceil(height));
}

void drawText(cairo_t* cr, const std::string& text, const TextStyle& style, CGRect rect)
{
    if (text.empty() || rect.size.width <= 0 || rect.size.height <= 0)
        return;
    PangoLayout* layout = makeLayout(cr, text, style, rect.size.width, rect.size.height);
    // Lines that do not fit the rectangle are dropped (a label never draws outside its height).
    int count = pango_layout_get_line_count(layout);
    NSInteger limit = style.numberOfLines > 0 ? std::min<NSInteger>(style.numberOfLines, count) : count;
    CGFloat height = heightOfLines(layout, limit);
    while (limit > 1 && height > rect.size.height + 0.5) {
        --limit;
        height = heightOfLines(layout, limit);
    }
    if (limit < count) {
        // Re-lay with the reduced line count so that the last kept line is ellipsized.
        TextStyle shorter = style;
        shorter.numberOfLines = limit;
        if (shorter.lineBreakMode == NSLineBreakByWordWrapping || shorter.lineBreakMode == NSLineBreakByCharWrapping || shorter.lineBreakMode == NSLineBreakByClipping)
            shorter.lineBreakMode = NSLineBreakByTruncatingTail;
        g_object_unref(layout);
        layout = makeLayout(cr, text, shorter, rect.size.width, rect.size.height);
        height = heightOfLines(layout, limit);
    }
    cairo_save(cr);
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    cairo_clip(cr);
    CGFloat y = rect.origin.y + (rect.size.height - height) / 2;
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    int index = 0;
    do {
        if (index >= limit)
            break;
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        int baseline = pango_layout_iter_get_baseline(iter);
        // Lines are placed by the layout's alignment within the rectangle's width.
        cairo_move_to(cr, rect.origin.x + static_cast<CGFloat>(logical.x) / PANGO_SCALE, y + static_cast<CGFloat>(baseline) / PANGO_SCALE);
        pango_cairo_show_layout_line(cr, line);
        ++index;
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    cairo_restore(cr);
    g_object_unref(layout);
}

} // namespace uikit
