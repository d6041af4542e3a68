#include "device/profiles/DeviceProfile.h"

#include <cstring>
#include <iostream>
#include <string>

// The simulator's command line. For now it lists the device profiles and describes the one asked
// for; booting a phone and running scripts grow here.
int main(int argc, char** argv)
{
    std::string profile(device::kDefaultProfile);
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--profile" && i + 1 < argc) {
            profile = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            std::cout << "usage: ovrimo-sim [--profile NAME]\nprofiles:\n";
            for (const auto& p : device::allProfiles())
                std::cout << "  " << p.describe() << "\n";
            return 0;
        } else {
            std::cerr << "ovrimo-sim: unknown argument '" << arg << "' (see --help)\n";
            return 2;
        }
    }
    const device::DeviceProfile* p = device::findProfile(profile);
    if (!p) {
        std::cerr << "ovrimo-sim: no device profile named '" << profile << "' (see --help)\n";
        return 2;
    }
    std::cout << "booted " << p->describe() << "\n";
    return 0;
}
