#include "ClassBuilder.h"

namespace objc::detail {

std::string superclassMismatchText(const std::string& className, bool classSide, const SelBase& sel, const std::type_info& own, const std::string& superName,
    const std::type_info& inherited)
{
    std::string prefix = classSide ? "+[" : "-[";
    return prefix + className + " " + sel.name() + "] is " + demangle(own) + ", but " + prefix + superName + " " + sel.name() + "], which it overrides, is "
        + demangle(inherited);
}

} // namespace objc::detail
