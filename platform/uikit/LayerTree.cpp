#include "platform/uikit/LayerTree.h"

#include "platform/graphics/ImageContextDrawing.h"
#include "platform/runtime/Diagnostics.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/CAShapeLayer.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

using objc::Ref;

namespace uikit {

LayerContents::LayerContents(cairo_surface_t* surface, double scale, CGSize size)
    : m_surface(surface)
    , m_scale(scale)
    , m_size(size)
{
}

LayerContents::~LayerContents() { cairo_surface_destroy(m_surface); }

namespace {

RGBA rgbaOf(const CGColor* color)
{
    CGFloat rgba[4] = { 0, 0, 0, 1 };
    if (color)
        color->getRGBA(rgba);
    return { rgba[0], rgba[1], rgba[2], rgba[3] };
}

// A canvas of `size` points at `scale` with its context current, handed to `draw`; the pixels
// drawn, kept.
template<class Draw>
std::shared_ptr<const LayerContents> drawnPixels(CGSize size, double scale, Draw&& draw)
{
    return graphics::drawInImageContext(size, false, scale, draw, [&](CGContext*, cairo_t* cr) {
        cairo_surface_t* surface = cairo_get_target(cr);
        cairo_surface_flush(surface);
        cairo_surface_reference(surface);
        return std::make_shared<const LayerContents>(surface, scale, size);
    });
}

// The drawRect: the view's class answers with, or null when it is UIView's own, which draws
// nothing (most views keep it).
objc::Method* ownDrawing(UIView* view)
{
    objc::Method* method = view->isa() ? view->isa()->findMethod(sel::drawRect) : nullptr;
    objc::Class* base = objc::Runtime::current().requireClass("UIView");
    return method == base->ownMethod(sel::drawRect) ? nullptr : method;
}

// Classes whose every change of what they draw marks them for display: what they drew is kept
// between commits. Every other drawing view (a subclass drawing its own way included) draws
// afresh at each commit.
bool keepsWhatItDrew(objc::Method* drawing)
{
    auto& known = state().drawingsKeepingContents;
    return std::find(known.begin(), known.end(), drawing->imp) != known.end();
}

std::shared_ptr<const LayerContents> drawContents(UIView* view, double scale)
{
    CGRect b = view->bounds();
    return drawnPixels(b.size, scale, [&](CGContext* cg, cairo_t* cr) {
        cairo_translate(cr, -b.origin.x, -b.origin.y);
        // NOTE: drawRect: is given the whole bounds, never a smaller dirty rectangle.
        CGContextSaveGState(cg);
        UIGraphicsPushContext(cg);
        sel::drawRect(view, b);
        UIGraphicsPopContext();
        CGContextRestoreGState(cg);
    });
}

bool samePixels(const LayerContents& a, const LayerContents& b)
{
    cairo_surface_t *x = a.surface(), *y = b.surface();
    int h = cairo_image_surface_get_height(x), stride = cairo_image_surface_get_stride(x);
    if (h != cairo_image_surface_get_height(y) || stride != cairo_image_surface_get_stride(y))
        return false;
    return std::equal(cairo_image_surface_get_data(x), cairo_image_surface_get_data(x) + static_cast<size_t>(h) * static_cast<size_t>(stride), cairo_image_surface_get_data(y));
}

bool g_keepsContents = true;

// OVRIMO_CHECK_CONTENTS=1: each kept drawing is drawn again at every commit and a difference is
// reported (a state change that did not mark its view for display).
bool checksKeptContents()
{
    static const bool on = [] {
        const char* value = std::getenv("OVRIMO_CHECK_CONTENTS");
        return value && *value && std::string(value) != "0";
    }();
    return on;
}

// A view shown larger than its bounds (zoomed by its transform, as a picture being cropped) draws
// at a finer scale so that it stays sharp, within a limit on the size of its pixels.
double zoomOf(const CGAffineTransform& t)
{
    double zoom = std::sqrt(std::fabs(t.a * t.d - t.b * t.c));
    return std::isfinite(zoom) ? std::max(1.0, zoom) : 1.0;
}

double contentsScale(UIView* view, double scale)
{
    constexpr double kLargestSide = 4096;
    CGSize size = view->bounds().size;
    double side = std::max(size.width, size.height);
    return side * scale > kLargestSide ? std::max(1.0, kLargestSide / side) : scale;
}

std::shared_ptr<const LayerContents> contentsFor(UIView* view, double scale)
{
    CALayer* layer = view->layer();
    objc::Method* drawing = ownDrawing(view);
    if (!drawing) {
        layer->setDrawnContents(nullptr);
        return nullptr;
    }
    scale = contentsScale(view, scale);
    const auto& kept = layer->drawnContents();
    if (g_keepsContents && kept && !layer->needsDisplay() && kept->scale() == scale && kept->size() == view->bounds().size && keepsWhatItDrew(drawing)) {
        if (checksKeptContents()) {
            auto fresh = drawContents(view, scale);
            if (fresh && !samePixels(*fresh, *kept))
                objc::diagnose("a " + view->isa()->name() + " drew something else without being marked for display (setNeedsDisplay)");
        }
        return kept;
    }
    layer->setDrawnContents(drawContents(view, scale));
    return layer->drawnContents();
}

std::optional<CommittedMask> maskOf(CALayer* mask)
{
    CommittedMask committed;
    committed.frame = mask->frame();
    if (auto* shape = dynamic_cast<CAShapeLayer*>(mask); shape && shape->path()) {
        // The path as cairo keeps it, read back from a scratch canvas.
        UIGraphicsBeginImageContextWithOptions(CGSizeMake(1, 1), false, 1);
        CGContextRef cg = UIGraphicsGetCurrentContext();
        if (cairo_t* cr = graphics::cairoContext(cg)) {
            cairo_new_path(cr);
            shape->path()->addToContext(cg.ptr());
            committed.path = std::shared_ptr<cairo_path_t>(cairo_copy_path(cr), cairo_path_destroy);
        }
        UIGraphicsEndImageContext();
        committed.evenOdd = shape->usesEvenOddFill();
    } else if (auto* image = dynamic_cast<CGImage*>(mask->contents())) {
        if (cairo_surface_t* surface = graphics::cairoSurface(image))
            committed.image = std::shared_ptr<cairo_surface_t>(cairo_surface_reference(surface), cairo_surface_destroy);
    }
    // A mask with nothing in it hides everything.
    return committed;
}

// `animationEnd` null: the model alone, without animations.
// `scale` is the canvas's pixels a point, times the zoom of the transforms above the view.
void commitLayer(UIView* view, double scale, dispatch::Nanoseconds now, CommittedLayer& out, dispatch::Nanoseconds* animationEnd)
{
    CALayer* layer = view->layer();
    out.model = view->modelValues();
    if (animationEnd) {
        out.animations = view->propertyAnimations(now);
        for (auto& a : out.animations)
            *animationEnd = std::max(*animationEnd, a.timing.end());
        for (auto& a : layer->animations())
            if (dispatch::Nanoseconds end = a.timing().end(); end > now) {
                out.layerAnimations.push_back(a);
                *animationEnd = std::max(*animationEnd, end);
            }
    }
    out.cornerRadius = layer->cornerRadius();
    out.borderWidth = layer->borderWidth();
    out.borderColor = rgbaOf(layer->borderColor());
    if (layer->backgroundColor())
        out.layerBackground = rgbaOf(layer->backgroundColor());
    out.masksToBounds = layer->masksToBounds();
    if (CALayer* mask = layer->mask())
        out.mask = maskOf(mask);
    out.contents = contentsFor(view, scale);
    for (UIView* sub : view->subviewsInDrawingOrder()) {
        // Hidden views and transparent ones that no animation brings back are left out.
        if (sub->isHidden() || (sub->alpha() < 0.01 && (!animationEnd || sub->propertyAnimations(now).empty())))
            continue;
        out.sublayers.emplace_back();
        commitLayer(sub, scale * zoomOf(sub->transform()), now, out.sublayers.back(), animationEnd);
    }
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

std::shared_ptr<const LayerContents> statusBar(CGSize size, double scale, bool light)
{
    return drawnPixels(CGSizeMake(size.width, 20), scale, [&](CGContext*, cairo_t* cr) {
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
    });
}

double scaleOr(double scale) { return scale > 0 ? scale : UIScreen::mainScreen()->scale(); }

} // namespace

void rememberDrawingsKeepingContents(objc::Runtime& runtime)
{
    auto& known = state().drawingsKeepingContents;
    for (const char* name : { "UILabel", "UIImageView", "UIKitGlyphView" })
        if (objc::Class* c = runtime.getClass(name))
            if (objc::Method* drawing = c->ownMethod(sel::drawRect))
                known.push_back(drawing->imp);
}

void setKeepsLayerContents(bool on) { g_keepsContents = on; }

std::shared_ptr<const LayerTree> commitWindow(UIWindow* window, const RenderOptions& options)
{
    auto tree = std::make_shared<LayerTree>();
    double scale = scaleOr(options.scale);
    tree->canvasSize = UIScreen::mainScreen()->bounds().size;
    tree->opaque = true;
    tree->showsRoot = window && !window->isHidden();
    if (!tree->showsRoot)
        return tree;
    window->layoutIfNeeded();
    auto now = dispatch::RunLoop::main().now();
    CGRect b = window->bounds();
    tree->rootOrigin = CGPointMake(window->frame().origin.x - b.origin.x, window->frame().origin.y - b.origin.y);
    commitLayer(window, scale, now, tree->root, &tree->animationEnd);
    bool bar = options.statusBar;
    if (UIViewController* top = window->topmostViewController(); bar && top)
        bar = !sel::prefersStatusBarHidden(top);
    if (bar) {
        tree->statusBarOnLight = statusBar(tree->canvasSize, scale, false);
        tree->statusBarOnDark = statusBar(tree->canvasSize, scale, true);
    }
    return tree;
}

std::shared_ptr<const LayerTree> commitView(UIView* view, double scale)
{
    auto tree = std::make_shared<LayerTree>();
    tree->opaque = false;
    tree->showsRoot = view && !view->isHidden();
    if (!view)
        return tree;
    view->layoutIfNeeded();
    CGRect b = view->bounds();
    tree->canvasSize = b.size;
    tree->rootOrigin = CGPointMake(-b.origin.x, -b.origin.y);
    if (tree->showsRoot)
        commitLayer(view, scaleOr(scale), dispatch::RunLoop::main().now(), tree->root, nullptr);
    return tree;
}

} // namespace uikit
