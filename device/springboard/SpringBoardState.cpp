#include "device/springboard/SpringBoardState.h"

#include <iostream>
#include <stdexcept>

namespace springboard {

SpringBoardState& state() { return objc::Runtime::current().state<SpringBoardState>(); }

const device::DeviceProfile& profile()
{
    auto& s = state();
    if (!s.configured)
        throw std::logic_error("SpringBoard's classes are not registered on this device");
    return s.profile;
}

bool systemAtLeast(double version) { return profile().systemVersionNumber() >= version - 1e-9; }

void log(std::string message)
{
    std::cerr << "SpringBoard: " << message << "\n";
    state().messages.push_back(std::move(message));
}

const std::vector<std::string>& messages() { return state().messages; }

} // namespace springboard
