#include "platform/uikit/UIPasteboard.h"

#include "platform/uikit/UIKitState.h"

using objc::Ref;
using objc::SEL;

Ref<UIPasteboard> UIPasteboard::generalPasteboard()
{
    auto& st = uikit::state();
    if (!st.generalPasteboard)
        st.generalPasteboard = objc::make<UIPasteboard>();
    return st.generalPasteboard;
}

void UIPasteboard::setString(std::string value)
{
    m_string = std::move(value);
    m_hasString = true;
}

void UIPasteboard::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIPasteboard>("NSObject");
    c->addClassMethod("generalPasteboard", [](objc::Object*, SEL) { return generalPasteboard(); });
    c->addMethod("string", [](UIPasteboard* self, SEL) { return self->string(); });
    c->addMethod("setString:", [](UIPasteboard* self, SEL, std::string value) { self->setString(std::move(value)); });
    c->addMethod("hasStrings", [](UIPasteboard* self, SEL) { return self->hasStrings(); });
}
