#include "device/springboard/SpringBoard.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/IconLayout.h"
#include "device/springboard/SBApplicationIcon.h"
#include "device/springboard/SBBookmarkIcon.h"
#include "device/springboard/SBFolderIcon.h"
#include "device/springboard/SBIconController.h"
#include "device/springboard/SBIconModel.h"
#include "device/springboard/Surfaces.h"
#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/DeviceRoot.h"

#include <array>
#include <filesystem>

namespace springboard {

void registerSpringBoardClasses(objc::Runtime& runtime, const device::DeviceProfile& profile)
{
    auto& s = runtime.state<SpringBoardState>();
    s.profile = profile;
    s.configured = true;
    if (!runtime.beginRegistering("SpringBoard"))
        return;
    SBApplication::registerClass(runtime);
    UIWebClip::registerClass(runtime);
    SBFolder::registerClass(runtime);
    SBIcon::registerClass(runtime);
    SBApplicationIcon::registerClass(runtime);
    SBBookmarkIcon::registerClass(runtime);
    SBFolderIcon::registerClass(runtime);
    SBIconModel::registerClass(runtime);
    SBIconImageView::registerClass(runtime);
    SBClockApplicationIconImageView::registerClass(runtime);
    _SBIconGridWrapperView::registerClass(runtime);
    SBFolderIconImageView::registerClass(runtime);
    SBIconImageCrossfadeView::registerClass(runtime);
    SBIconView::registerClass(runtime);
    SBIconListView::registerClass(runtime);
    SBFolderIconListView::registerClass(runtime);
    SBDockIconListView::registerClass(runtime);
    SBIconViewMap::registerClass(runtime, profile.systemVersionNumber() < 9.3 - 1e-9);
    SBFolderController::registerClass(runtime);
    SBIconController::registerClass(runtime, profile);
    SBUIController::registerClass(runtime);
    if (profile.systemVersionNumber() >= 11 - 1e-9)
        SBFloatingDockController::registerClass(runtime);
    registerSurfaceClasses(runtime, profile);
}

namespace {

constexpr int kSamplePhotoCount = 3;

// The camera roll's sample photos, encoded once per process: they never change, and drawing and
// compressing three megapixel pictures was two thirds of every first boot of a fresh device root.
const std::string& samplePhotoPNG(int index)
{
    static const std::array<std::string, kSamplePhotoCount> encoded = [] {
        std::array<std::string, kSamplePhotoCount> pngs;
        const CGSize sizes[] = { { 1200, 900 }, { 900, 1200 }, { 1000, 1000 } };
        for (int i = 0; i < kSamplePhotoCount; ++i) {
            auto picture = drawSamplePhoto(i, sizes[i]);
            if (auto png = UIImagePNGRepresentation(picture.ptr()))
                pngs[i].assign(reinterpret_cast<const char*>(png->data()), png->size());
        }
        return pngs;
    }();
    return encoded[index];
}

} // namespace

void writeDefaultFiles(const device::DeviceProfile& profile)
{
    std::error_code ec;
    auto layoutHost = filesystem::DeviceRoot::resolve(kIconStatePath);
    if (layoutHost && !std::filesystem::exists(*layoutHost, ec)) {
        std::string error;
        if (!writeLayout(defaultLayout(profile), kIconStatePath, &error))
            log("cannot write the default layout: " + error);
    }
    WebClipInfo clip = defaultWebClip();
    auto clipHost = filesystem::DeviceRoot::resolve(std::string(kWebClipsFolder) + "/" + clip.identifier + ".webclip/Info.plist");
    if (clipHost && !std::filesystem::exists(*clipHost, ec)) {
        std::string error;
        if (!writeWebClip(clip, &error))
            log("cannot write the default web clip: " + error);
    }
    auto photos = filesystem::DeviceRoot::resolve(kPhotosFolder);
    if (photos && !std::filesystem::exists(*photos, ec)) {
        std::filesystem::create_directories(*photos, ec);
        for (int i = 0; i < kSamplePhotoCount; ++i) {
            const std::string& png = samplePhotoPNG(i);
            if (png.empty())
                continue;
            char name[32];
            std::snprintf(name, sizeof name, "IMG_%04d.PNG", i + 1);
            std::string error;
            if (!filesystem::writeFileAtomically(*photos / name, png, &error))
                log("cannot write a sample photo: " + error);
        }
    }
}

} // namespace springboard
