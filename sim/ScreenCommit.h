#pragma once

// What the phone's thread hands the render thread at the end of a turn, and what the render
// thread makes of it. The phone's thread commits the key window as the turn left it (its layer
// tree: geometry, running animations, what each layer drew); any other thread may then draw that
// commit at a given virtual time without touching a UIKit object, so animations keep moving while
// the phone's thread is busy.

#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/Compositor.h"

#include <memory>

namespace device {
class Device;
}

namespace sim {

// Premultiplied ARGB32 pixels, as cairo's image surfaces hold them.
using PixelBuffer = uikit::PixelBuffer;

struct ScreenCommit;

// The phone's thread: the key window as this turn left it, to be drawn at `scale` pixels a point.
// Null when the phone shows no window.
std::shared_ptr<const ScreenCommit> commitScreen(device::Device& phone, double scale);
// Any thread: the commit as the screen shows it at `at` (virtual nanoseconds) into `out`.
void compositeScreen(const ScreenCommit& commit, dispatch::Nanoseconds at, PixelBuffer& out);
// Any thread: the pixels a point the commit is drawn at.
double commitScale(const ScreenCommit& commit);
// Any thread: whether the commit still shows something moving after `at`.
bool screenIsAnimating(const ScreenCommit& commit, dispatch::Nanoseconds at);

} // namespace sim
