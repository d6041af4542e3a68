#pragma once

// What the phone's thread hands the render thread at the end of a turn, and what the render
// thread makes of it. The phone's thread commits the key window as the turn left it; any other
// thread may then draw that commit at a given virtual time without touching a UIKit object.
//
// For now a commit is the window already drawn to pixels on the phone's thread, which shows the
// same picture at any time and never animates; the render thread only copies it.

#include "platform/dispatch/RunLoop.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace device {
class Device;
}

namespace sim {

// Premultiplied ARGB32 pixels, as cairo's image surfaces hold them.
struct PixelBuffer {
    int width = 0, height = 0, stride = 0;
    std::vector<std::uint8_t> bytes;
};

struct ScreenCommit;

// The phone's thread: the key window as this turn left it, drawn at `scale` pixels a point. Null
// when the phone shows no window.
std::shared_ptr<const ScreenCommit> commitScreen(device::Device& phone, double scale);
// Any thread: the commit as the screen shows it at `at` (virtual nanoseconds) into `out`.
void compositeScreen(const ScreenCommit& commit, dispatch::Nanoseconds at, PixelBuffer& out);
// Any thread: whether the commit still shows something moving after `at`.
bool screenIsAnimating(const ScreenCommit& commit, dispatch::Nanoseconds at);

} // namespace sim
