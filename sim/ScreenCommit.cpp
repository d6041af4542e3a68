#include "sim/ScreenCommit.h"

#include "device/Device.h"
#include "platform/graphics/CGImage.h"

#include <cstring>

namespace sim {

struct ScreenCommit {
    PixelBuffer pixels;
};

std::shared_ptr<const ScreenCommit> commitScreen(device::Device& phone, double scale)
{
    auto picture = phone.screenshot(scale);
    if (!picture || !picture->CGImage() || !picture->CGImage()->data())
        return nullptr;
    const CGImage* image = picture->CGImage().ptr();
    auto commit = std::make_shared<ScreenCommit>();
    commit->pixels.width = int(image->width());
    commit->pixels.height = int(image->height());
    commit->pixels.stride = int(image->bytesPerRow());
    commit->pixels.bytes.assign(image->data(), image->data() + image->dataSize());
    return commit;
}

void compositeScreen(const ScreenCommit& commit, dispatch::Nanoseconds, PixelBuffer& out) { out = commit.pixels; }

bool screenIsAnimating(const ScreenCommit&, dispatch::Nanoseconds) { return false; }

} // namespace sim
