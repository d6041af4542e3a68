#pragma once

#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"

#include <string>

class UIImage;

// The general pasteboard of the device (one per booted device).
class UIPasteboard : public objc::NSObject {
    OBJC_CLASS(UIPasteboard)
public:
    static objc::Ref<UIPasteboard> generalPasteboard();

    // Empty when the pasteboard holds no string (the platform answers nil).
    const std::string& string() const { return m_string; }
    void setString(std::string value);
    bool hasStrings() const { return m_hasString; }

    static void registerClass(objc::Runtime&);

private:
    std::string m_string;
    bool m_hasString = false;
};
