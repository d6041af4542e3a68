#include "platform/uikit/Compositor.h"

#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace uikit {

namespace {

void setSource(cairo_t* cr, const RGBA& c) { cairo_set_source_rgba(cr, c[0], c[1], c[2], c[3]); }

// Pixels drawn at `contents.scale()` painted over `rect` (points). Where they land one to one on
// the target's pixels, they are placed on whole pixels and copied as they are.
void paintContents(cairo_t* cr, const LayerContents& contents, CGRect rect)
{
    cairo_save(cr);
    cairo_translate(cr, rect.origin.x, rect.origin.y);
    CGSize size = contents.size();
    if (size.width > 0 && size.height > 0)
        cairo_scale(cr, rect.size.width / size.width, rect.size.height / size.height);
    cairo_scale(cr, 1 / contents.scale(), 1 / contents.scale());
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    auto near = [](double a, double b) { return std::fabs(a - b) < 1e-6; };
    if (near(m.xx, 1) && near(m.yy, 1) && near(m.xy, 0) && near(m.yx, 0)) {
        m.x0 = std::round(m.x0);
        m.y0 = std::round(m.y0);
        cairo_set_matrix(cr, &m);
    }
    cairo_set_source_surface(cr, contents.surface(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

void applyMask(cairo_t* cr, const CommittedMask& mask, cairo_pattern_t* content, double alpha)
{
    cairo_save(cr);
    cairo_translate(cr, mask.frame.origin.x, mask.frame.origin.y);
    if (mask.path) {
        cairo_new_path(cr);
        cairo_append_path(cr, mask.path.get());
        cairo_set_fill_rule(cr, mask.evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_clip(cr);
        cairo_set_source(cr, content);
        cairo_paint_with_alpha(cr, alpha);
    } else if (cairo_surface_t* surface = mask.image.get()) {
        // A picture: its alpha lets the content through, stretched over the mask's bounds.
        double sx = mask.frame.size.width / std::max(1, cairo_image_surface_get_width(surface));
        double sy = mask.frame.size.height / std::max(1, cairo_image_surface_get_height(surface));
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
    }
    cairo_restore(cr);
}

void drawLayer(cairo_t* cr, const CommittedLayer& layer, bool isRoot, dispatch::Nanoseconds at)
{
    ViewValues shown = layer.animations.empty() ? layer.model : presentationValues(layer.model, layer.animations, at);
    double alpha = shown.alpha;
    if (!layer.layerAnimations.empty())
        alpha *= animatedOpacity(layer.layerAnimations, at);
    if (alpha < 0.01)
        return;
    CGRect b = shown.bounds;
    cairo_save(cr);
    if (!isRoot) {
        CGAffineTransform t = shown.transform;
        if (!layer.layerAnimations.empty())
            t = CGAffineTransformConcat(animatedTransform(layer.layerAnimations, at), t);
        cairo_matrix_t m;
        cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
        cairo_translate(cr, shown.center.x, shown.center.y);
        cairo_transform(cr, &m);
        cairo_translate(cr, -(b.origin.x + b.size.width / 2), -(b.origin.y + b.size.height / 2));
    }
    bool group = alpha < 0.999 || layer.mask;
    if (group)
        cairo_push_group(cr);

    double radius = layer.cornerRadius;
    if (shown.background && (*shown.background)[3] > 0) {
        addRoundedRect(cr, b, radius);
        setSource(cr, *shown.background);
        cairo_fill(cr);
    } else if (layer.layerBackground) {
        addRoundedRect(cr, b, radius);
        setSource(cr, *layer.layerBackground);
        cairo_fill(cr);
    }
    cairo_save(cr);
    if (layer.masksToBounds) {
        addRoundedRect(cr, b, radius);
        cairo_clip(cr);
    }
    // What the view drew for its model bounds, stretched over the bounds shown while they change.
    if (layer.contents)
        paintContents(cr, *layer.contents, b);
    for (auto& sub : layer.sublayers)
        drawLayer(cr, sub, false, at);
    cairo_restore(cr);
    if (layer.borderWidth > 0) {
        double w = layer.borderWidth;
        addRoundedRect(cr, CGRectInset(b, w / 2, w / 2), std::max(0.0, radius - w / 2));
        setSource(cr, layer.borderColor);
        cairo_set_line_width(cr, w);
        cairo_stroke(cr);
    }

    if (group) {
        cairo_pattern_t* content = cairo_pop_group(cr);
        if (layer.mask) {
            applyMask(cr, *layer.mask, content, alpha);
        } else {
            cairo_set_source(cr, content);
            cairo_paint_with_alpha(cr, alpha);
        }
        cairo_pattern_destroy(content);
    }
    cairo_restore(cr);
}

// Dark content under the status bar gets the light bar: judged from the pixels under it.
bool darkUnderStatusBar(cairo_t* cr)
{
    cairo_surface_t* surface = cairo_get_target(cr);
    if (cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
        return false;
    cairo_surface_flush(surface);
    double scale = 1, zero = 0;
    cairo_user_to_device_distance(cr, &scale, &zero);
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

} // namespace

void compositeInto(cairo_t* cr, const LayerTree& tree, dispatch::Nanoseconds at)
{
    cairo_save(cr);
    if (tree.opaque) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
    }
    if (tree.showsRoot) {
        cairo_translate(cr, tree.rootOrigin.x, tree.rootOrigin.y);
        drawLayer(cr, tree.root, true, at);
    }
    cairo_restore(cr);
    if (tree.statusBarOnLight && tree.statusBarOnDark) {
        const LayerContents& bar = darkUnderStatusBar(cr) ? *tree.statusBarOnDark : *tree.statusBarOnLight;
        paintContents(cr, bar, CGRectMake(0, 0, bar.size().width, bar.size().height));
    }
}

void composite(const LayerTree& tree, dispatch::Nanoseconds at, double scale, PixelBuffer& out)
{
    auto pixels = [&](double points) { return std::max(0, static_cast<int>(std::ceil(points * scale - 1e-6))); };
    out.width = pixels(tree.canvasSize.width);
    out.height = pixels(tree.canvasSize.height);
    out.stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, out.width);
    out.bytes.assign(static_cast<size_t>(out.stride) * static_cast<size_t>(out.height), 0);
    if (!out.width || !out.height)
        return;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(out.bytes.data(), CAIRO_FORMAT_ARGB32, out.width, out.height, out.stride);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    compositeInto(cr, tree, at);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
}

bool isAnimating(const LayerTree& tree, dispatch::Nanoseconds at) { return at < tree.animationEnd; }

} // namespace uikit
