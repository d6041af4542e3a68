#include "Protocol.h"

namespace objc {

std::string Protocol::conformanceProblem(const std::string& owner, const std::function<const std::type_info*(SEL)>& signatureOf) const
{
    for (const ProtocolMethod& entry : m_methods) {
        const std::type_info* signature = signatureOf(entry.selector->sel());
        if (!signature) {
            if (entry.required)
                return owner + " conforms to " + m_name + " but lacks its required method " + entry.selector->name() + " (" + demangle(entry.selector->signature()) + ")";
            continue;
        }
        if (*signature != entry.selector->signature())
            return owner + " conforms to " + m_name + " but its " + entry.selector->name() + " is " + demangle(*signature) + ", the protocol's is "
                + demangle(entry.selector->signature());
    }
    return {};
}

std::string Protocol::conformanceProblem(const Class* cls) const
{
    std::string owner = std::string(cls && cls->isMetaClass() ? "class object " : "class ") + (cls ? cls->name() : "nil");
    return conformanceProblem(owner, [cls](SEL sel) -> const std::type_info* {
        const Method* method = cls ? cls->findMethod(sel) : nullptr;
        return method ? &method->imp->signature() : nullptr;
    });
}

} // namespace objc
