// The cost of multi mode's Save on a full home-screen page: a booted phone whose first page holds
// 24 apps, the 4:6 middle of the 12-megapixel photo (2016 x 3024, as the cropper hands it over,
// decoded), cut into 4 x 6 pieces and written as 24 icon files, with the notifications and icon
// refreshes that follow each. Also the split alone. Every figure comes with the bytes written.

#include "device/Device.h"
#include "device/springboard/SpringBoard.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIWindow.h"
#include "tests/device/DeviceFixture.h"
#include "tests/support/TestEnvironment.h"
#include "tweak/workflow/IconEdit.h"
#include "tweak/workflow/OvrimoHelper.h"
#include "tweak/workflow/PageGrid.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#ifndef OVRIMO_BENCH_INPUTS
#define OVRIMO_BENCH_INPUTS "../shared/bench-inputs"
#endif

namespace {

using objc::Ref;

// Every app of the phone but the dock's four: 24, a full page.
const char* const kPageApps[] = { "com.apple.facetime", "com.apple.mobilecal", "com.apple.mobileslideshow", "com.apple.camera",
    "com.apple.mobilemail", "com.apple.mobiletimer", "com.apple.Maps", "com.apple.weather", "com.apple.reminders", "com.apple.mobilenotes",
    "com.apple.stocks", "com.apple.iBooks", "com.apple.AppStore", "com.apple.podcasts", "com.apple.Home", "com.apple.Health", "com.apple.Passbook",
    "com.apple.Preferences", "com.apple.calculator", "com.apple.compass", "com.apple.VoiceMemos", "com.apple.MobileAddressBook", "com.apple.news",
    "com.apple.tips" };

Ref<UIImage> pagePicture()
{
    std::ifstream in(std::string(OVRIMO_BENCH_INPUTS) + "/photo_4032x3024.jpg", std::ios::binary);
    std::vector<uint8_t> bytes { std::istreambuf_iterator<char>(in), {} };
    Ref<UIImage> photo = UIImage::imageWithData(bytes);
    if (!photo)
        return nullptr;
    // The middle 4:6 part, the page's shape.
    CGImageRef part = CGImageCreateWithImageInRect(photo->CGImage(), CGRectMake((4032 - 2016) / 2.0, 0, 2016, 3024));
    return part ? UIImage::imageWithCGImage(part, 1, UIImageOrientationUp) : nullptr;
}

struct FullPagePhone {
    device_tests::TempRoot root;
    std::unique_ptr<device::Device> phone;

    FullPagePhone()
    {
        std::filesystem::copy(OVRIMO_PACKAGE_DIR, root.path(), std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
        std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n<key>buttonBar</key>\n<array>"
                          "<string>com.apple.mobilephone</string><string>com.apple.mobilesafari</string><string>com.apple.MobileSMS</string>"
                          "<string>com.apple.Music</string></array>\n<key>iconLists</key>\n<array><array>";
        for (const char* app : kPageApps)
            xml += std::string("<string>") + app + "</string>";
        xml += "</array></array>\n</dict>\n</plist>\n";
        auto layout = root.host("/var/mobile/Library/SpringBoard/IconState.plist");
        std::filesystem::create_directories(layout.parent_path());
        std::ofstream(layout) << xml;
        auto prefs = root.host("/var/mobile/Library/Preferences/com.zarnek.ovrimo.plist");
        std::filesystem::create_directories(prefs.parent_path());
        std::ofstream(prefs) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>firstrun</key><false/></dict></plist>\n";
        phone = device::Device::boot("iphone8-ios12", root.path());
        settle();
    }
    void settle()
    {
        phone->runUntilIdle();
        phone->advance(800);
        phone->runUntilIdle();
    }
    // The page sheet opened and put away: the page's icons, keys and paths in the edit.
    bool beginPageEdit()
    {
        ovrimo::OvrimoHelper::showSBPageActionSheet(nullptr);
        phone->window()->rootViewController()->dismissViewControllerAnimated(false);
        phone->runUntilIdle();
        const ovrimo::IconEdit* edit = ovrimo::OpenEdit();
        return edit && edit->page && edit->slots.size() == std::size(kPageApps);
    }
    std::uintmax_t storeBytes() const
    {
        std::uintmax_t total = 0;
        for (auto& entry : std::filesystem::directory_iterator(root.host("/var/mobile/Documents/Ovrimo/Icons/")))
            total += entry.file_size();
        return total;
    }
};

void BM_GeneratePageIcons(benchmark::State& state)
{
    FullPagePhone fixture;
    Ref<UIImage> picture = pagePicture();
    if (!picture) {
        state.SkipWithError("bench input photo_4032x3024.jpg missing");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (!fixture.beginPageEdit()) {
            state.SkipWithError("the page does not hold 24 icons");
            return;
        }
        state.ResumeTiming();
        // The overlay, the 10 ms head start on the virtual clock, then the whole page at once.
        ovrimo::OvrimoHelper::generatePageIcons(picture, nullptr, ovrimo::OpenEditOrNone());
        fixture.phone->advance(11);
        fixture.phone->runUntilIdle();
    }
    state.counters["files"] = static_cast<double>(std::distance(std::filesystem::directory_iterator(fixture.root.host("/var/mobile/Documents/Ovrimo/Icons/")), {}));
    state.counters["total_bytes"] = static_cast<double>(fixture.storeBytes());
}

void BM_SplitIntoPieces(benchmark::State& state)
{
    testing_support::TestEnvironment env;
    Ref<UIImage> picture = pagePicture();
    if (!picture) {
        state.SkipWithError("bench input photo_4032x3024.jpg missing");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(ovrimo::SplitIntoPieces(picture, 6, 4));
}

} // namespace

BENCHMARK(BM_GeneratePageIcons)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_SplitIntoPieces)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
