#pragma once

// A widget of the Today view (systems 10 and later). Runtime methods: widgetIdentifier,
// displayName, icon and settingsIcon (pictures of the containing app's icon).

#include "platform/graphics/UIImage.h"
#include "platform/runtime/NSObject.h"

#include <string>

class WGWidgetInfo : public objc::NSObject {
    OBJC_CLASS(WGWidgetInfo)
public:
    WGWidgetInfo() = default;
    WGWidgetInfo(std::string identifier, std::string name, std::string app)
        : m_identifier(std::move(identifier))
        , m_name(std::move(name))
        , m_app(std::move(app))
    {
    }

    static void registerClass(objc::Runtime& rt);

private:
    const std::string& widgetIdentifier() const { return m_identifier; }
    const std::string& displayName() const { return m_name; }
    objc::Ref<UIImage> icon() const;
    objc::Ref<UIImage> settingsIcon() const;

    std::string m_identifier, m_name, m_app;
};
