#include "tweak/SystemVersion.h"

#include "platform/uikit/UIDevice.h"

#include <cstdlib>

namespace ovrimo {

double SystemVersionNumber() { return std::strtod(UIDevice::currentDevice()->systemVersion().c_str(), nullptr); }

} // namespace ovrimo
