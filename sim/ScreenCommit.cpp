#include "sim/ScreenCommit.h"

#include "device/Device.h"
#include "platform/uikit/LayerTree.h"
#include "platform/uikit/UIWindow.h"

namespace sim {

struct ScreenCommit {
    std::shared_ptr<const uikit::LayerTree> tree;
    double scale = 1;
};

double commitScale(const ScreenCommit& commit) { return commit.scale; }

std::shared_ptr<const ScreenCommit> commitScreen(device::Device& phone, double scale)
{
    UIWindow* key = phone.window();
    if (!key)
        return nullptr;
    // SpringBoard draws its own status bar; an app gets the platform's (as Device::screenshot).
    uikit::RenderOptions options;
    options.statusBar = !phone.foregroundApp().empty();
    options.scale = scale;
    auto commit = std::make_shared<ScreenCommit>();
    commit->tree = uikit::commitWindow(key, options);
    commit->scale = scale;
    if (!commit->tree)
        return nullptr;
    return commit;
}

void compositeScreen(const ScreenCommit& commit, dispatch::Nanoseconds at, PixelBuffer& out)
{
    uikit::composite(*commit.tree, at, commit.scale, out);
}

bool screenIsAnimating(const ScreenCommit& commit, dispatch::Nanoseconds at) { return uikit::isAnimating(*commit.tree, at); }

} // namespace sim
