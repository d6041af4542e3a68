#pragma once

namespace ovrimo {

// The system version read as a number, as `[[UIDevice currentDevice].systemVersion floatValue]`.
double SystemVersionNumber();

} // namespace ovrimo
