#pragma once

#include "device/Device.h"
#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <stdlib.h>

namespace device_tests {

// A temporary device root, removed afterwards.
class TempRoot {
public:
    TempRoot()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ovrimo-device-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary device root");
        m_path = pattern;
    }
    ~TempRoot()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path host(const std::string& devicePath) const { return m_path / std::filesystem::path(devicePath).relative_path(); }

private:
    std::filesystem::path m_path;
};

// A freshly booted device per test. Tests that prepare files first call boot() themselves.
class DeviceTest : public ::testing::Test {
protected:
    void TearDown() override { m_device.reset(); }

    device::Device& boot(const std::string& profile = "iphone8-ios12")
    {
        m_device.reset();
        m_device = device::Device::boot(profile, m_root.path());
        return *m_device;
    }
    device::Device& dev() { return *m_device; }
    SBIconController* icons() { return springboard::iconController(); }
    SBUIController* ui() { return springboard::uiController(); }
    // The icon view of an app (or web clip) on the home screen.
    SBIconView* iconView(const std::string& identifier)
    {
        SBIcon* icon = icons()->model()->iconForIdentifier(identifier);
        return icon ? icons()->iconViewForIcon(icon) : nullptr;
    }
    // An icon view's image centre in screen points.
    CGPoint centreOnScreen(UIView* view)
    {
        CGRect r = view->convertRectToView(view->bounds(), nullptr);
        return { CGRectGetMidX(r), r.origin.y + springboard::iconImageSide(2) / 2 };
    }

    TempRoot m_root;
    std::unique_ptr<device::Device> m_device;
};

} // namespace device_tests

#include "platform/graphics/UIGraphics.h"
#include "tests/support/Pixels.h"
#include "platform/graphics/UIColor.h"

namespace device_tests {

using Pixel = testing_support::RGBA;
using testing_support::pixelAt;

inline bool isRed(Pixel p) { return p.r > 200 && p.g < 60 && p.b < 60 && p.a > 200; }

// A solid square of `colour`, `side` points at the screen's scale.
inline objc::Ref<UIImage> solidImage(UIColor* colour, double side)
{
    UIGraphicsBeginImageContextWithOptions({ side, side }, false, 0);
    colour->setFill();
    UIRectFill(CGRectMake(0, 0, side, side));
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

} // namespace device_tests

#include "platform/uikit/UIImageView.h"

#include <functional>
#include <vector>

namespace device_tests {

// Every view below `root` (itself included) that `match` accepts, depth first.
inline std::vector<UIView*> findViews(UIView* root, const std::function<bool(UIView*)>& match)
{
    std::vector<UIView*> out;
    if (!root)
        return out;
    if (match(root))
        out.push_back(root);
    for (auto& sub : root->subviews()) {
        auto more = findViews(sub, match);
        out.insert(out.end(), more.begin(), more.end());
    }
    return out;
}

// How many image views below `root` show an image whose centre is red.
inline int redImageViews(UIView* root)
{
    int count = 0;
    for (UIView* v : findViews(root, [](UIView* v) { return dynamic_cast<UIImageView*>(v) != nullptr; })) {
        UIImage* image = static_cast<UIImageView*>(v)->image();
        if (!image || !image->CGImage())
            continue;
        count += isRed(pixelAt(image, image->CGImage()->width() / 2, image->CGImage()->height() / 2));
    }
    return count;
}

} // namespace device_tests
