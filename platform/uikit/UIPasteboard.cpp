#include "platform/uikit/UIPasteboard.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"

using objc::Ref;
namespace sel = uikit::sel;

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
    objc::ClassBuilder<UIPasteboard>(rt, "NSObject")
        .classMethod(sel::generalPasteboard, &UIPasteboard::generalPasteboard)
        .method(sel::string, &UIPasteboard::string)
        .method(sel::setString, &UIPasteboard::setString)
        .method(sel::hasStrings, &UIPasteboard::hasStrings)
        .build();
}
