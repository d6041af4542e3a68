#include "platform/uikit/Renderer.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/filesystem/AtomicFile.h"
#include "platform/graphics/CairoAccess.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/CAShapeLayer.h"
#include "platform/uikit/TextLayout.h"
#include "platform/uikit/UIActivityIndicatorView.h"
#include "platform/uikit/UIDatePicker.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIKitGlyphView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UISlider.h"
#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>

using objc::Ref;

namespace uikit {

namespace {

void setSource(cairo_t* cr, const UIColor* color, double alpha = 1)
{
    if (!color) {
        cairo_set_source_rgba(cr, 0, 0, 0, alpha);
        return;
    }
    cairo_set_source_rgba(cr, color->red(), color->green(), color->blue(), color->alpha() * alpha);
}

void setSource(cairo_t* cr, const CGColor* color)
{
    CGFloat rgba[4] = { 0, 0, 0, 1 };
    if (color)
        color->getRGBA(rgba);
    cairo_set_source_rgba(cr, rgba[0], rgba[1], rgba[2], rgba[3]);
}

void roundedRect(cairo_t* cr, CGRect r, double radius)
{
    radius = std::max(0.0, std::min({ radius, r.size.width / 2, r.size.height / 2 }));
    if (radius <= 0) {
        cairo_rectangle(cr, r.origin.x, r.origin.y, r.size.width, r.size.height);
        return;
    }
    double x = r.origin.x, y = r.origin.y, w = r.size.width, h = r.size.height;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void text(cairo_t* cr, const std::string& s, const UIFont* font, const UIColor* color, CGRect rect, NSTextAlignment alignment = NSTextAlignmentCenter,
    NSInteger lines = 1, NSLineBreakMode mode = NSLineBreakByTruncatingTail)
{
    setSource(cr, color);
    TextStyle style { font, alignment, lines, mode };
    drawText(cr, s, style, rect);
}

bool overridesDrawRect(UIView* view)
{
    static objc::SEL sel = objc::sel_registerName("drawRect:");
    objc::Class* base = objc::objc_getClass("UIView");
    objc::Method* own = base ? base->ownMethod(sel) : nullptr;
    objc::Method* found = view->isa() ? view->isa()->findMethod(sel) : nullptr;
    return found && own && found->imp != own->imp;
}

void drawGlyph(cairo_t* cr, UIKitGlyphView* glyph, CGRect b)
{
    Ref<UIColor> color = glyph->color() ? Ref<UIColor>(glyph->color()) : glyph->tintColor();
    double w = b.size.width, h = b.size.height, x = b.origin.x, y = b.origin.y;
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    switch (glyph->glyph()) {
    case UIKitGlyphView::Glyph::Checkmark:
        setSource(cr, color);
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, x + 1, y + h * 0.55);
        cairo_line_to(cr, x + w * 0.38, y + h - 1);
        cairo_line_to(cr, x + w - 1, y + 1);
        cairo_stroke(cr);
        break;
    case UIKitGlyphView::Glyph::Disclosure:
        setSource(cr, color);
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, x + 1.5, y + 1.5);
        cairo_line_to(cr, x + w - 1.5, y + h / 2);
        cairo_line_to(cr, x + 1.5, y + h - 1.5);
        cairo_stroke(cr);
        break;
    case UIKitGlyphView::Glyph::Reorder:
        cairo_set_source_rgb(cr, 0.6, 0.6, 0.62);
        for (int i = -1; i <= 1; ++i)
            cairo_rectangle(cr, x + w / 2 - 9, y + h / 2 + i * 5 - 0.75, 18, 1.5);
        cairo_fill(cr);
        break;
    case UIKitGlyphView::Glyph::DeleteCircle:
    case UIKitGlyphView::Glyph::InsertCircle: {
        bool insert = glyph->glyph() == UIKitGlyphView::Glyph::InsertCircle;
        double r = std::min(w, h) / 2;
        cairo_arc(cr, x + w / 2, y + h / 2, r, 0, 2 * M_PI);
        if (insert)
            cairo_set_source_rgb(cr, 0.3, 0.85, 0.39);
        else
            cairo_set_source_rgb(cr, 1, 0.23, 0.19);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_rectangle(cr, x + w / 2 - r * 0.55, y + h / 2 - 1, r * 1.1, 2);
        if (insert)
            cairo_rectangle(cr, x + w / 2 - 1, y + h / 2 - r * 0.55, 2, r * 1.1);
        cairo_fill(cr);
        break;
    }
    }
    cairo_restore(cr);
}

void drawSwitch(cairo_t* cr, UISwitch* sw, CGRect b)
{
    CGRect track = CGRectMake(b.origin.x + 0.5, b.origin.y + 0.5, 50, 30);
    roundedRect(cr, track, 15);
    if (sw->isOn()) {
        Ref<UIColor> tint = sw->onTintColor() ? Ref<UIColor>(sw->onTintColor()) : UIColor::colorWithRed(0.298, 0.851, 0.392, 1);
        setSource(cr, tint);
        cairo_fill(cr);
    } else {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.9, 0.9, 0.92);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    double cx = sw->isOn() ? b.origin.x + 51 - 15.5 : b.origin.x + 15.5;
    cairo_arc(cr, cx, b.origin.y + 15.5, 13.5, 0, 2 * M_PI);
    setSource(cr, sw->thumbTintColor() ? sw->thumbTintColor() : UIColor::whiteColor().ptr());
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.15);
    cairo_set_line_width(cr, 0.75);
    cairo_stroke(cr);
}

void drawSlider(cairo_t* cr, UISlider* slider, CGRect b)
{
    double mid = b.origin.y + b.size.height / 2;
    double span = slider->maximumValue() - slider->minimumValue();
    double f = span > 0 ? (slider->value() - slider->minimumValue()) / span : 0;
    double x0 = b.origin.x + slider->trackStart(), x1 = b.origin.x + slider->trackEnd();
    double tx = x0 + (x1 - x0) * f;
    setSource(cr, slider->minimumTrackTintColor() ? Ref<UIColor>(slider->minimumTrackTintColor()) : slider->tintColor());
    cairo_rectangle(cr, b.origin.x + 2, mid - 1, tx - b.origin.x - 2, 2);
    cairo_fill(cr);
    if (slider->maximumTrackTintColor())
        setSource(cr, slider->maximumTrackTintColor());
    else
        cairo_set_source_rgb(cr, 0.72, 0.72, 0.74);
    cairo_rectangle(cr, tx, mid - 1, b.origin.x + b.size.width - 2 - tx, 2);
    cairo_fill(cr);
    cairo_arc(cr, tx, mid, 13.5, 0, 2 * M_PI);
    setSource(cr, slider->thumbTintColor() ? slider->thumbTintColor() : UIColor::whiteColor().ptr());
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.2);
    cairo_set_line_width(cr, 0.75);
    cairo_stroke(cr);
}

void drawSpinner(cairo_t* cr, UIActivityIndicatorView* spinner, CGRect b)
{
    double cx = CGRectGetMidX(b), cy = CGRectGetMidY(b);
    double r = std::min(b.size.width, b.size.height) / 2;
    Ref<UIColor> color = spinner->color() ? Ref<UIColor>(spinner->color()) : UIColor::whiteColor();
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, std::max(2.0, r * 0.18));
    for (int i = 0; i < 12; ++i) {
        double a = i * M_PI / 6 - M_PI / 2;
        setSource(cr, color, 0.25 + 0.75 * (12 - i) / 12.0);
        cairo_move_to(cr, cx + std::cos(a) * r * 0.5, cy + std::sin(a) * r * 0.5);
        cairo_line_to(cr, cx + std::cos(a) * r * 0.95, cy + std::sin(a) * r * 0.95);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void drawDatePicker(cairo_t* cr, UIDatePicker* picker, CGRect b)
{
    double mid = CGRectGetMidY(b);
    cairo_set_source_rgb(cr, 0.8, 0.8, 0.82);
    cairo_rectangle(cr, b.origin.x, mid - 16.5, b.size.width, 0.5);
    cairo_rectangle(cr, b.origin.x, mid + 16, b.size.width, 0.5);
    cairo_fill(cr);
    auto font = UIFont::systemFontOfSize(21);
    auto two = [](int v) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%02d", v);
        return std::string(buffer);
    };
    int hour = picker->hour(), minute = picker->minute();
    double colW = 60;
    double hx = CGRectGetMidX(b) - colW - 8, mx = CGRectGetMidX(b) + 8;
    for (int d = -2; d <= 2; ++d) {
        double y = mid - 16 + d * 32;
        if (y < b.origin.y || y + 32 > CGRectGetMaxY(b))
            continue;
        Ref<UIColor> color = d == 0 ? UIColor::blackColor() : UIColor::colorWithWhite(0.6, 1);
        text(cr, two(((hour + d) % 24 + 24) % 24), font, color, CGRectMake(hx, y, colW, 32), NSTextAlignmentRight);
        text(cr, two(((minute + d) % 60 + 60) % 60), font, color, CGRectMake(mx, y, colW, 32), NSTextAlignmentLeft);
    }
    text(cr, ":", font, UIColor::blackColor(), CGRectMake(CGRectGetMidX(b) - 8, mid - 16, 16, 32));
}

void drawSegments(cairo_t* cr, UISegmentedControl* control, CGRect b)
{
    Ref<UIColor> tint = control->tintColor();
    NSUInteger n = control->numberOfSegments();
    if (!n)
        return;
    double w = b.size.width / static_cast<double>(n);
    auto font = UIFont::systemFontOfSize(13);
    for (NSUInteger i = 0; i < n; ++i) {
        CGRect seg = CGRectMake(b.origin.x + i * w, b.origin.y, w, b.size.height);
        bool selected = static_cast<NSInteger>(i) == control->selectedSegmentIndex();
        if (selected) {
            cairo_save(cr);
            roundedRect(cr, CGRectInset(b, 0.5, 0.5), 4);
            cairo_clip(cr);
            setSource(cr, tint);
            cairo_rectangle(cr, seg.origin.x, seg.origin.y, seg.size.width, seg.size.height);
            cairo_fill(cr);
            cairo_restore(cr);
        }
        if (i > 0) {
            setSource(cr, tint);
            cairo_rectangle(cr, seg.origin.x - 0.5, b.origin.y, 1, b.size.height);
            cairo_fill(cr);
        }
        text(cr, control->titleForSegmentAtIndex(i), font, selected ? UIColor::whiteColor().ptr() : tint.ptr(), CGRectInset(seg, 4, 0));
    }
    roundedRect(cr, CGRectInset(b, 0.5, 0.5), 4);
    setSource(cr, tint);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawTextField(cairo_t* cr, UITextField* field, CGRect b)
{
    if (field->borderStyle() == UITextBorderStyleRoundedRect) {
        roundedRect(cr, CGRectInset(b, 0.5, 0.5), 5);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.8, 0.8, 0.82);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    } else if (field->borderStyle() == UITextBorderStyleLine || field->borderStyle() == UITextBorderStyleBezel) {
        cairo_rectangle(cr, b.origin.x + 0.5, b.origin.y + 0.5, b.size.width - 1, b.size.height - 1);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    CGRect inner = CGRectInset(b, 6, 0);
    if (field->text().empty()) {
        text(cr, field->placeholder(), field->font(), UIColor::colorWithWhite(0.7, 1), inner, NSTextAlignmentLeft);
    } else {
        std::string shown = field->isSecureTextEntry() ? std::string(field->text().size(), '*') : field->text();
        text(cr, shown, field->font(), field->textColor(), inner, field->textAlignment(), 1, NSLineBreakByTruncatingHead);
    }
    if (field->isFirstResponder()) {
        // The caret after the text.
        TextStyle style { field->font(), NSTextAlignmentLeft, 1, NSLineBreakByClipping };
        double w = std::min(measureText(field->text(), style, 0).width, inner.size.width);
        cairo_set_source_rgb(cr, 0, 0.478, 1);
        cairo_rectangle(cr, inner.origin.x + w + 1, CGRectGetMidY(b) - 9, 2, 18);
        cairo_fill(cr);
    }
}

void drawContent(cairo_t* cr, UIView* view, CGRect b)
{
    if (auto* iv = dynamic_cast<UIImageView*>(view)) {
        UIImage* image = iv->isHighlighted() && iv->highlightedImage() ? iv->highlightedImage() : iv->image();
        if (image) {
            CGRect r = UIImageView::imageRectForContentMode(iv->contentMode(), image->size(), b);
            image->drawInRect(r);
        }
    } else if (auto* label = dynamic_cast<UILabel*>(view)) {
        UIColor* color = label->isHighlighted() && label->highlightedTextColor() ? label->highlightedTextColor() : label->textColor();
        Ref<UIColor> shown = label->isEnabled() ? Ref<UIColor>(color) : UIColor::colorWithWhite(0.6, 1);
        text(cr, label->text(), label->font(), shown, b, label->textAlignment(), label->numberOfLines(), label->lineBreakMode());
    } else if (auto* field = dynamic_cast<UITextField*>(view)) {
        drawTextField(cr, field, b);
    } else if (auto* sw = dynamic_cast<UISwitch*>(view)) {
        drawSwitch(cr, sw, b);
    } else if (auto* segments = dynamic_cast<UISegmentedControl*>(view)) {
        drawSegments(cr, segments, b);
    } else if (auto* slider = dynamic_cast<UISlider*>(view)) {
        drawSlider(cr, slider, b);
    } else if (auto* spinner = dynamic_cast<UIActivityIndicatorView*>(view)) {
        drawSpinner(cr, spinner, b);
    } else if (auto* picker = dynamic_cast<UIDatePicker*>(view)) {
        drawDatePicker(cr, picker, b);
    } else if (auto* glyph = dynamic_cast<UIKitGlyphView*>(view)) {
        drawGlyph(cr, glyph, b);
    }
    if (overridesDrawRect(view)) {
        cairo_save(cr);
        objc::msgSend(view, "drawRect:", b);
        cairo_restore(cr);
    }
}

void applyMask(cairo_t* cr, CGContext* cg, CALayer* mask, cairo_pattern_t* content, double alpha)
{
    cairo_save(cr);
    CGRect mf = mask->frame();
    cairo_translate(cr, mf.origin.x, mf.origin.y);
    if (auto* shape = dynamic_cast<CAShapeLayer*>(mask); shape && shape->path()) {
        shape->path()->addToContext(cg);
        cairo_set_fill_rule(cr, shape->usesEvenOddFill() ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_clip(cr);
        cairo_set_source(cr, content);
        cairo_paint_with_alpha(cr, alpha);
    } else if (auto* image = dynamic_cast<CGImage*>(mask->contents())) {
        // An image mask: its alpha (coverage for masks) lets the content through, stretched over
        // the mask layer's bounds.
        cairo_surface_t* surface = graphics::cairoSurface(image);
        double sx = mf.size.width / std::max<size_t>(1, image->width()), sy = mf.size.height / std::max<size_t>(1, image->height());
        cairo_pattern_t* maskPattern = cairo_pattern_create_for_surface(surface);
        cairo_matrix_t m;
        cairo_matrix_init_scale(&m, 1 / sx, 1 / sy);
        cairo_pattern_set_matrix(maskPattern, &m);
        cairo_push_group(cr);
        cairo_set_source(cr, content);
        cairo_paint_with_alpha(cr, alpha);
        cairo_pattern_t* group = cairo_pop_group(cr);
        cairo_set_source(cr, group);
        cairo_mask(cr, maskPattern);
        cairo_pattern_destroy(group);
        cairo_pattern_destroy(maskPattern);
    } else {
        // A mask with nothing in it hides everything.
    }
    cairo_restore(cr);
}

void drawView(cairo_t* cr, CGContext* cg, UIView* view, bool isRoot)
{
    if (view->isHidden() || view->alpha() < 0.01)
        return;
    CALayer* layer = view->layer();
    CGRect b = view->bounds();
    cairo_save(cr);
    if (!isRoot) {
        CGPoint c = view->center();
        CGAffineTransform t = view->transform();
        cairo_matrix_t m;
        cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
        cairo_translate(cr, c.x, c.y);
        cairo_transform(cr, &m);
        cairo_translate(cr, -(b.origin.x + b.size.width / 2), -(b.origin.y + b.size.height / 2));
    }
    double alpha = view->alpha();
    bool group = alpha < 0.999 || layer->mask();
    if (group)
        cairo_push_group(cr);

    double radius = layer->cornerRadius();
    if (UIColor* bg = view->backgroundColor(); bg && bg->alpha() > 0) {
        roundedRect(cr, b, radius);
        setSource(cr, bg);
        cairo_fill(cr);
    } else if (layer->backgroundColor()) {
        roundedRect(cr, b, radius);
        setSource(cr, layer->backgroundColor());
        cairo_fill(cr);
    }
    cairo_save(cr);
    if (layer->masksToBounds()) {
        roundedRect(cr, b, radius);
        cairo_clip(cr);
    }
    drawContent(cr, view, b);
    for (UIView* sub : view->subviewsInDrawingOrder())
        drawView(cr, cg, sub, false);
    cairo_restore(cr);
    if (layer->borderWidth() > 0) {
        double w = layer->borderWidth();
        roundedRect(cr, CGRectInset(b, w / 2, w / 2), std::max(0.0, radius - w / 2));
        setSource(cr, layer->borderColor());
        cairo_set_line_width(cr, w);
        cairo_stroke(cr);
    }

    if (group) {
        cairo_pattern_t* content = cairo_pop_group(cr);
        if (CALayer* mask = layer->mask()) {
            applyMask(cr, cg, mask, content, alpha);
        } else {
            cairo_set_source(cr, content);
            cairo_paint_with_alpha(cr, alpha);
        }
        cairo_pattern_destroy(content);
    }
    cairo_restore(cr);
}

std::string clockText()
{
    auto now = std::chrono::system_clock::to_time_t(dispatch::RunLoop::main().wallClock());
    std::tm tm {};
    localtime_r(&now, &tm);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d:%02d", tm.tm_hour, tm.tm_min);
    return buffer;
}

// Dark text on light content, light on dark: judged from the pixels under the bar.
bool darkUnderStatusBar(cairo_surface_t* surface, double scale)
{
    cairo_surface_flush(surface);
    int w = cairo_image_surface_get_width(surface);
    int rows = std::min(cairo_image_surface_get_height(surface), static_cast<int>(20 * scale));
    int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    if (!data || w <= 0 || rows <= 0)
        return false;
    double sum = 0;
    long count = 0;
    for (int y = 0; y < rows; y += 2)
        for (int x = 0; x < w; x += 4) {
            uint32_t px = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
            double r = (px >> 16 & 0xff) / 255.0, g = (px >> 8 & 0xff) / 255.0, bl = (px & 0xff) / 255.0;
            sum += 0.299 * r + 0.587 * g + 0.114 * bl;
            ++count;
        }
    return count && sum / count < 0.5;
}

void drawStatusBar(cairo_t* cr, CGSize size, bool light)
{
    Ref<UIColor> color = light ? UIColor::whiteColor() : UIColor::blackColor();
    text(cr, clockText(), UIFont::boldSystemFontOfSize(12).ptr(), color, CGRectMake(0, 0, size.width, 20));
    text(cr, "Carrier", UIFont::systemFontOfSize(12).ptr(), color, CGRectMake(6, 0, 80, 20), NSTextAlignmentLeft);
    // Battery: an outline, a full charge and its nub.
    double x = size.width - 31, y = 5.5;
    setSource(cr, color);
    cairo_set_line_width(cr, 1);
    roundedRect(cr, CGRectMake(x, y, 22, 10), 2.5);
    cairo_stroke(cr);
    roundedRect(cr, CGRectMake(x + 2, y + 2, 18, 6), 1);
    cairo_fill(cr);
    cairo_rectangle(cr, x + 23, y + 3.5, 1.5, 3);
    cairo_fill(cr);
}

Ref<UIImage> render(UIView* view, CGSize size, double scale, bool opaque, bool isWindow, bool statusBar)
{
    if (scale <= 0)
        scale = UIScreen::mainScreen()->scale();
    if (size.width <= 0 || size.height <= 0)
        return nullptr;
    UIGraphicsBeginImageContextWithOptions(size, opaque, scale);
    CGContextRef cg = UIGraphicsGetCurrentContext();
    cairo_t* cr = graphics::cairoContext(cg);
    if (!cr) {
        UIGraphicsEndImageContext();
        return nullptr;
    }
    cairo_save(cr);
    if (opaque) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
    }
    if (view && (!isWindow || !view->isHidden())) {
        // The root is drawn in its own bounds; a window's origin on the screen is its frame's.
        CGRect b = view->bounds();
        CGPoint origin = isWindow ? view->frame().origin : CGPointZero;
        cairo_translate(cr, origin.x - b.origin.x, origin.y - b.origin.y);
        drawView(cr, cg, view, true);
    }
    cairo_restore(cr);
    if (statusBar) {
        bool light = darkUnderStatusBar(cairo_get_target(cr), scale);
        cairo_save(cr);
        drawStatusBar(cr, size, light);
        cairo_restore(cr);
    }
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

} // namespace

Ref<UIImage> Renderer::renderWindow(UIWindow* window, const RenderOptions& options)
{
    CGSize size = UIScreen::mainScreen()->bounds().size;
    if (!window)
        return render(nullptr, size, options.scale, true, true, false);
    window->layoutIfNeeded();
    bool statusBar = options.statusBar && !window->isHidden();
    if (UIViewController* top = window->topmostViewController(); statusBar && top)
        statusBar = !objc::msgSend<bool>(top, "prefersStatusBarHidden");
    return render(window, size, options.scale, true, true, statusBar);
}

Ref<UIImage> Renderer::renderView(UIView* view, double scale)
{
    if (!view)
        return nullptr;
    view->layoutIfNeeded();
    return render(view, view->bounds().size, scale, false, false, false);
}

bool writePNG(const UIImage* image, const std::string& hostPath, std::string* error)
{
    auto fail = [&](std::string why) {
        if (error)
            *error = std::move(why);
        return false;
    };
    if (!image)
        return fail("no image to write");
    auto bytes = UIImagePNGRepresentation(image);
    if (!bytes)
        return fail("the image could not be encoded as PNG");
    std::filesystem::path target(hostPath);
    std::error_code ec;
    // A picture goes into an existing folder only.
    if (!std::filesystem::is_directory(target.parent_path().empty() ? "." : target.parent_path(), ec))
        return fail("no folder " + target.parent_path().string());
    return filesystem::writeFileAtomically(target, std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), error);
}

} // namespace uikit
