#include "platform/uikit/Renderer.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/filesystem/AtomicFile.h"
#include "platform/graphics/CairoAccess.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/CAShapeLayer.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>

using objc::Ref;

namespace uikit {

namespace {

// The view's own drawing: its drawRect: (a runtime method, so that subclasses and replacements are
// seen), in its bounds, with this canvas current and its graphics state kept from the next view.
void drawContent(CGContext* cg, UIView* view, CGRect b)
{
    // NOTE: drawRect: is given the whole bounds, never a smaller dirty rectangle.
    CGContextSaveGState(cg);
    UIGraphicsPushContext(cg);
    sel::drawRect(view, b);
    UIGraphicsPopContext();
    CGContextRestoreGState(cg);
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
        if (!layer->animations().empty())
            t = CGAffineTransformConcat(animatedTransform(layer->animations(), dispatch::RunLoop::main().now()), t);
        cairo_matrix_t m;
        cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
        cairo_translate(cr, c.x, c.y);
        cairo_transform(cr, &m);
        cairo_translate(cr, -(b.origin.x + b.size.width / 2), -(b.origin.y + b.size.height / 2));
    }
    double alpha = view->alpha();
    if (!layer->animations().empty())
        alpha *= animatedOpacity(layer->animations(), dispatch::RunLoop::main().now());
    bool group = alpha < 0.999 || layer->mask();
    if (group)
        cairo_push_group(cr);

    double radius = layer->cornerRadius();
    if (UIColor* bg = view->backgroundColor(); bg && bg->alpha() > 0) {
        addRoundedRect(cr, b, radius);
        setSourceColor(cr, bg);
        cairo_fill(cr);
    } else if (layer->backgroundColor()) {
        addRoundedRect(cr, b, radius);
        setSourceColor(cr, layer->backgroundColor());
        cairo_fill(cr);
    }
    cairo_save(cr);
    if (layer->masksToBounds()) {
        addRoundedRect(cr, b, radius);
        cairo_clip(cr);
    }
    drawContent(cg, view, b);
    for (UIView* sub : view->subviewsInDrawingOrder())
        drawView(cr, cg, sub, false);
    cairo_restore(cr);
    if (layer->borderWidth() > 0) {
        double w = layer->borderWidth();
        addRoundedRect(cr, CGRectInset(b, w / 2, w / 2), std::max(0.0, radius - w / 2));
        setSourceColor(cr, layer->borderColor());
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
    drawTextInRect(cr, clockText(), UIFont::boldSystemFontOfSize(12).ptr(), color, CGRectMake(0, 0, size.width, 20));
    drawTextInRect(cr, "Carrier", UIFont::systemFontOfSize(12).ptr(), color, CGRectMake(6, 0, 80, 20), NSTextAlignmentLeft);
    // Battery: an outline, a full charge and its nub.
    double x = size.width - 31, y = 5.5;
    setSourceColor(cr, color);
    cairo_set_line_width(cr, 1);
    addRoundedRect(cr, CGRectMake(x, y, 22, 10), 2.5);
    cairo_stroke(cr);
    addRoundedRect(cr, CGRectMake(x + 2, y + 2, 18, 6), 1);
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
        statusBar = !sel::prefersStatusBarHidden(top);
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
