#include "ClassBuilder.h"

namespace objc::detail {

std::string superclassMismatchText(const std::string& className, bool classSide, const SelBase& sel, const std::type_info& own, const std::string& superName,
    const std::type_info& inherited)
{
    std::string prefix = classSide ? "+[" : "-[";
    return prefix + className + " " + sel.name() + "] is " + demangle(own) + ", but " + prefix + superName + " " + sel.name() + "], which it overrides, is "
        + demangle(inherited);
}

void GuardedImp::invoke(Object* self, SEL cmd, void* result, void* const* args) const noexcept
{
    try {
        m_body->invoke(self, cmd, result, args);
    } catch (const std::exception& e) {
        diagnose(methodLabel(self, cmd) + " failed: " + e.what() + "; answered zero");
    } catch (...) {
        diagnose(methodLabel(self, cmd) + " failed: unknown exception; answered zero");
    }
}

void diagnoseFailedSuperSend(Object* self, SEL sel, const char* what) noexcept
{
    try {
        diagnose("[super " + std::string(sel_getName(sel)) + "] in " + methodLabel(self, sel) + " failed: " + what + "; read as zero");
    } catch (...) {
        // Nothing is left to report with.
    }
}

} // namespace objc::detail
