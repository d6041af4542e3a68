#pragma once

#include <stdexcept>
#include <string>
#include <typeinfo>

namespace objc {

// A programming error detected by the runtime (unrecognized selector, mismatched signature,
// unknown class or instance variable). On the phone these would crash the process; here they are
// thrown so that the failure names the class and selector involved.
class RuntimeError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// "long (double, objc::Object*)" instead of the mangled name.
std::string demangle(const std::type_info&);

} // namespace objc
