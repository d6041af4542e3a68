#pragma once

// What a step runs with: the booted device, what is on its screen, and the runner that keeps the
// folders and what the steps made (screenshots, web servers, the gallery page).

#include "platform/uikit/UIKitTypes.h"
#include "sim/ViewFinder.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace device {
class Device;
}

class UIAlertController;
class UIView;
class UIWindow;

namespace sim {

class ScriptRunner;

// A step that could not be done; the runner turns it into a ScriptError for the step's line.
struct StepFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class StepRun {
public:
    StepRun(ScriptRunner& runner, device::Device& device)
        : runner(runner)
        , device(device)
    {
    }

    ScriptRunner& runner;
    device::Device& device;

    // The window on screen; throws StepFailure when there is none.
    UIWindow* window() const;
    CGRect screen() const;
    // The view with that label, title or text; throws StepFailure naming what is on screen.
    FoundView find(const std::string& label) const;
    // The alert or sheet on screen; throws StepFailure when there is none.
    UIAlertController* alert() const;
    // A short list of what is on screen, for a message about something that is not.
    std::string onScreenHint() const;
    // A view for which `match` holds, scrolling the lists on screen a screenful at a time from
    // their top, as a person looking for a row would, when none is on screen yet. Null if none.
    UIView* reveal(const std::function<bool(UIView*)>& match) const;
    // Lets the device finish what the step started, then a person's pause.
    void settle() const;
    void runUntilIdle() const;
};

std::string quoted(const std::string& text);
CGPoint middle(CGRect rect);

// Whether the file starts as a PNG or a JPEG does.
bool isPicture(const std::filesystem::path& path);

// A file the runner reads whole (a photo, a package file, a screenshot); throws StepFailure.
std::vector<std::uint8_t> readFile(const std::filesystem::path& path);

} // namespace sim
