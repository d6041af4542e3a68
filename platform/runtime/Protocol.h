#pragma once

// A protocol: a named set of typed selectors, each required or optional, declared once beside the
// class that talks through it (a delegate, a data source):
//
//     inline const objc::Protocol UITableViewDataSource { "UITableViewDataSource", {
//         objc::required(tableViewNumberOfRowsInSection), objc::optional(numberOfSectionsInTableView) } };
//
// A class that declares it conforms (ClassBuilder::conformsTo) is checked when it is registered:
// every required selector must be answered, and every answered one must have the declared
// signature. The caller of an optional selector asks `ifAnswered`.

#include "Sel.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace objc {

struct ProtocolMethod {
    const SelBase* selector;
    bool required;
};

inline ProtocolMethod required(const SelBase& selector) { return { &selector, true }; }
inline ProtocolMethod optional(const SelBase& selector) { return { &selector, false }; }

class Protocol {
public:
    Protocol(std::string name, std::initializer_list<ProtocolMethod> methods)
        : m_name(std::move(name))
        , m_methods(methods)
    {
    }

    const std::string& name() const { return m_name; }
    const std::vector<ProtocolMethod>& methods() const { return m_methods; }

    // Why `cls` (a class, or a metaclass for a class object as delegate) does not conform, or
    // empty when it does.
    std::string conformanceProblem(const Class* cls) const;
    // The same for a class about to be registered: `signatureOf` answers the signature of the
    // method it would have for a selector, or null.
    std::string conformanceProblem(const std::string& owner, const std::function<const std::type_info*(SEL)>& signatureOf) const;

private:
    std::string m_name;
    std::vector<ProtocolMethod> m_methods;
};

} // namespace objc
