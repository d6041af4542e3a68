#pragma once

// One method replacement as one object: the class (by name), the typed selector, the body that
// replaces it and, once installed, the implementation it replaced. A tweak lists its
// replacements as a table of these and installs them in order.
//
// The body receives the receiver, the replaced implementation bound to this call, and the
// arguments:
//
//     Ref<UIImage> getIconImage(Object* self, const Original<Ref<UIImage>(long long)>& original, long long format)
//     {
//         Ref<UIImage> image = original(format);   // the implementation it replaced
//         ...
//     }
//
// Installing never throws: a class or method the booted system does not have installs nothing
// (that is how one table serves every system); a method of another signature installs nothing
// and leaves a diagnostic. A body that throws is reported as a diagnostic and the call answers
// what the replaced implementation answers, so a fault in the tweak never reaches its host.
// Replacements are constant-initialized (declare them constinit), so a table of them is ready
// before any library initializer runs.

#include "platform/runtime/Sel.h"
#include "platform/substrate/Substrate.h"

#include <memory>
#include <string>

namespace substrate {

template<class Sig>
class Original;

template<class R, class... A>
class Original<R(A...)> {
public:
    Original(const objc::Imp<R(A...)>& imp, objc::Object* self, objc::SEL cmd)
        : m_imp(imp)
        , m_self(self)
        , m_cmd(cmd)
    {
    }

    // Calls the replaced implementation on the same receiver with the same selector.
    R operator()(A... args) const { return m_imp(m_self, m_cmd, std::forward<A>(args)...); }
    objc::SEL cmd() const { return m_cmd; }

private:
    const objc::Imp<R(A...)>& m_imp;
    objc::Object* m_self;
    objc::SEL m_cmd;
};

class ReplacementBase {
public:
    constexpr ReplacementBase(const char* className, const objc::SelBase& selector)
        : m_className(className)
        , m_selector(&selector)
    {
    }
    constexpr virtual ~ReplacementBase() = default;

    const char* className() const { return m_className; }
    const char* selectorName() const { return m_selector->name(); }
    // "SBIcon getIconImage:"
    std::string description() const { return std::string(m_className) + " " + m_selector->name(); }

    // Installs the replacement on the class of that name in the running process; answers whether
    // it was installed.
    virtual bool install() noexcept = 0;

protected:
    const char* m_className;
    const objc::SelBase* m_selector;
};

template<class Sig>
class Replacement;

template<class R, class... A>
class Replacement<R(A...)> final : public ReplacementBase {
public:
    using Body = R (*)(objc::Object* self, const Original<R(A...)>& original, A... args);

    constexpr Replacement(const char* className, const objc::Sel<R(A...)>& selector, Body body)
        : ReplacementBase(className, selector)
        , m_body(body)
    {
    }

    bool install() noexcept override
    {
        objc::Class* cls = objc::objc_getClass(m_className);
        if (!cls)
            return false;
        try {
            auto previous = std::make_shared<objc::Imp<R(A...)>>();
            Body body = m_body;
            std::string label = description();
            objc::ImpPtr imp = objc::makeImp([previous, body, label](objc::Object* self, objc::SEL cmd, A... args) -> R {
                Original<R(A...)> original(*previous, self, cmd);
                try {
                    return body(self, original, args...);
                } catch (const std::exception& e) {
                    objc::diagnose("replacement of " + label + " failed: " + e.what() + "; answered as the original");
                } catch (...) {
                    objc::diagnose("replacement of " + label + " failed; answered as the original");
                }
                return original(args...);
            });
            objc::ImpPtr old;
            HookResult result = hookMessage(cls, m_selector->sel(), imp, &old);
            if (result == HookResult::SignatureDiffers)
                objc::diagnose("replacement of " + label + " not installed: " + signatureDiffersText(cls, m_selector->sel(), imp));
            if (result != HookResult::Installed)
                return false;
            *previous = objc::Imp<R(A...)>(std::move(old));
            return true;
        } catch (const std::exception& e) {
            objc::diagnose("replacement of " + description() + " not installed: " + e.what());
        }
        return false;
    }

private:
    Body m_body;
};

} // namespace substrate
