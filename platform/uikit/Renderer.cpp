#include "platform/uikit/Renderer.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/filesystem/AtomicFile.h"
#include "platform/graphics/ImageContextDrawing.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/Compositor.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIView.h"

#include <cairo.h>

#include <filesystem>

using objc::Ref;

namespace uikit {

namespace {

Ref<UIImage> picture(const LayerTree& tree, dispatch::Nanoseconds at, double scale)
{
    if (scale <= 0)
        scale = UIScreen::mainScreen()->scale();
    return graphics::drawInImageContext(
        tree.canvasSize, tree.opaque, scale, [&](CGContext*, cairo_t* cr) { compositeInto(cr, tree, at); },
        [](CGContext*, cairo_t*) { return Ref<UIImage>(UIGraphicsGetImageFromCurrentImageContext()); });
}

} // namespace

Ref<UIImage> Renderer::renderWindow(UIWindow* window, const RenderOptions& options)
{
    return picture(*commitWindow(window, options), dispatch::RunLoop::main().now(), options.scale);
}

Ref<UIImage> Renderer::renderCommitted(const LayerTree& tree, dispatch::Nanoseconds at, double scale)
{
    return picture(tree, at, scale);
}

Ref<UIImage> Renderer::renderView(UIView* view, double scale)
{
    if (!view)
        return nullptr;
    return picture(*commitView(view, scale), dispatch::RunLoop::main().now(), scale);
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
