#pragma once

// A notification as the bulletin board keeps it. Runtime methods: sectionID, title, message,
// sectionIconImageWithFormat:.

#include "platform/graphics/UIImage.h"
#include "platform/runtime/NSObject.h"

#include <cstdint>
#include <string>

class BBBulletin : public objc::NSObject {
    OBJC_CLASS(BBBulletin)
public:
    BBBulletin() = default;
    BBBulletin(std::string section, std::string title, std::string message)
        : m_section(std::move(section))
        , m_title(std::move(title))
        , m_message(std::move(message))
    {
    }
    const std::string& sectionID() const { return m_section; }
    const std::string& title() const { return m_title; }
    const std::string& message() const { return m_message; }

    static void registerClass(objc::Runtime& rt);

private:
    objc::Ref<UIImage> sectionIconImageWithFormat(std::int64_t format) const;

    std::string m_section, m_title, m_message;
};
