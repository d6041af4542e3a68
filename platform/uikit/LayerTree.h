#pragma once

// The layer tree as committed at the end of a run-loop turn: a snapshot of a window that holds
// only plain values (geometry, the running animations, colours) and the contents the views drew,
// shared with the layers that keep them. A compositor draws it at any time on any thread without
// touching a UIKit object.

#include "platform/uikit/LayerAnimation.h"
#include "platform/uikit/Renderer.h"

#include <memory>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;
typedef struct cairo_path cairo_path_t;
class UIView;
class UIWindow;
namespace objc {
class Runtime;
}

namespace uikit {

using RGBA = std::array<double, 4>;

// Pixels a view drew (premultiplied ARGB32, `scale` pixels a point) over its bounds of `size`.
// Immutable once made; shared between the layer that keeps it and the trees committed with it.
class LayerContents {
public:
    LayerContents(cairo_surface_t* surface, double scale, CGSize size);
    ~LayerContents();
    LayerContents(const LayerContents&) = delete;
    LayerContents& operator=(const LayerContents&) = delete;

    cairo_surface_t* surface() const { return m_surface; }
    double scale() const { return m_scale; }
    CGSize size() const { return m_size; }

private:
    cairo_surface_t* m_surface;
    double m_scale;
    CGSize m_size;
};

// A shape (a path in the mask's coordinates) or a picture whose alpha lets the view show.
struct CommittedMask {
    CGRect frame;
    std::shared_ptr<cairo_path_t> path;
    bool evenOdd = false;
    std::shared_ptr<cairo_surface_t> image;
};

struct CommittedLayer {
    ViewValues model;
    std::vector<PropertyAnimation> animations;
    std::vector<RunningLayerAnimation> layerAnimations;
    double cornerRadius = 0;
    double borderWidth = 0;
    RGBA borderColor {};
    std::optional<RGBA> layerBackground;
    bool masksToBounds = false;
    std::optional<CommittedMask> mask;
    std::shared_ptr<const LayerContents> contents; // null: the view draws nothing of its own
    std::vector<CommittedLayer> sublayers;         // in drawing order
};

class LayerTree {
public:
    CGSize canvasSize;        // points
    bool opaque = true;       // a window on black; a lone view on transparent
    bool showsRoot = true;    // false: a hidden window, all black
    CGPoint rootOrigin;       // where the root's bounds origin lands on the canvas
    CommittedLayer root;
    // The status bar drawn for dark and for light content under it (null: no bar).
    std::shared_ptr<const LayerContents> statusBarOnLight, statusBarOnDark;
    // From this time on nothing in the tree moves (INT64_MAX while an animation repeats forever).
    dispatch::Nanoseconds animationEnd = 0;
};

// Main thread: lays out, redraws the contents of layers marked for display, snapshots the window
// (with its status bar) as it stands at the end of this run-loop turn.
std::shared_ptr<const LayerTree> commitWindow(UIWindow* window, const RenderOptions& options = {});
// Called once the classes are registered: the drawings whose classes mark every change of what
// they draw for display (labels, image views, glyphs), as registered.
void rememberDrawingsKeepingContents(objc::Runtime& runtime);

// Whether layers keep what they drew between commits until marked for display (else every commit
// draws each view afresh).
void setKeepsLayerContents(bool on);

// One view and what is below it, in its own bounds, on a transparent canvas, as the model stands
// (as a layer rendered into a context on the phone: running animations are not shown).
std::shared_ptr<const LayerTree> commitView(UIView* view, double scale = 0);

} // namespace uikit
