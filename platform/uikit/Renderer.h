#pragma once

// Paints view trees into pictures: a window as the screen shows it (with a status bar), or one
// view alone, at the main run loop's current time: the tree is committed (LayerTree.h) and
// composited (Compositor.h), so running animations show their in-between state. Hidden and
// (nearly) transparent views are skipped, alpha is carried down (a view with alpha below 1 is
// composited as a group), frames, bounds origins (scrolling) and transforms place each view,
// backgrounds and borders follow the corner radius, masksToBounds clips the subviews, a layer mask
// (a shape or an image) cuts the view out. What a view shows inside its background and border is
// what its drawRect: drew, sent through the runtime with a canvas of its bounds current.

#include "platform/dispatch/RunLoop.h"
#include "platform/graphics/UIImage.h"
#include "platform/runtime/Object.h"

#include <string>

class UIView;
class UIWindow;

namespace uikit {

class LayerTree;

struct RenderOptions {
    // Points to pixels; 0 means the main screen's scale.
    double scale = 0;
    // Draw the status bar (time and battery) over the top 20 points, unless the topmost
    // controller prefers it hidden.
    bool statusBar = true;
};

class Renderer {
public:
    // The window as the screen shows it, at the screen's scale. A hidden window shows black.
    static objc::Ref<UIImage> renderWindow(UIWindow* window, const RenderOptions& options = {});
    // One view and its subviews, in its own bounds, on a transparent canvas, as the model stands
    // (running animations are not shown).
    static objc::Ref<UIImage> renderView(UIView* view, double scale = 0);
    // A committed tree as the screen shows it at `at` (virtual nanoseconds): what the render
    // server draws of a commit while the main thread is busy.
    static objc::Ref<UIImage> renderCommitted(const LayerTree& tree, dispatch::Nanoseconds at, double scale = 0);
};

// Writes `image` as a PNG file at a host path (atomically: a temporary file, then a rename).
// Answers false, with the reason in `error`, when the image is null or the file cannot be written.
bool writePNG(const UIImage* image, const std::string& hostPath, std::string* error = nullptr);

} // namespace uikit
