#pragma once

// An icon of the home screen: the base of application, web clip and folder icons.
//
// Runtime methods (every one replaceable; SpringBoard sends them through the runtime whenever it
// draws an icon): getIconImage:, gridCellImage, reloadIconImage, badgeValue,
// badgeNumberOrString, setBadge:, noteBadgeDidChange, displayName, application,
// applicationBundleID, leafIdentifier, isFolderIcon, isBookmarkIcon, addObserver:, removeObserver:.

#include "platform/graphics/UIImage.h"
#include "platform/runtime/NSObject.h"

#include <cstdint>
#include <string>
#include <vector>

class SBIcon : public objc::NSObject {
    OBJC_CLASS(SBIcon)
public:
    // The formats of getIconImage:.
    enum Format : int {
        FormatTiny = 0, // 20 points: notifications, list rows
        FormatSmall = 1, // 29 points: settings rows, search results
        FormatHome = 2, // the home screen icon
    };

    // Observers (icon views, switcher cards) hear iconImageDidUpdate: and iconAccessoriesDidUpdate:.
    void addObserver(objc::Object* observer);
    void removeObserver(objc::Object* observer);
    std::vector<objc::Ref<objc::Object>> observers() const;

    objc::Object* badge() const { return m_badge.ptr(); }
    void setBadge(objc::Object* badge) { m_badge = badge; }

    // The icon's own picture at `side` points, drawn by SpringBoard (behind the original
    // getIconImage: and gridCellImage).
    virtual objc::Ref<UIImage> drawIconAtSide(double side);
    virtual std::string defaultDisplayName() const { return {}; }
    virtual std::string identifier() const { return {}; }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<UIImage> getIconImage(long long format);
    objc::Ref<UIImage> gridCellImage();
    void reloadIconImage();
    std::int64_t badgeValue() const;
    void setBadgeAndNotify(objc::Object* badge);
    void noteBadgeDidChange();

    objc::Ref<objc::Object> m_badge;
    std::vector<objc::WeakRef<objc::Object>> m_observers;
};

namespace springboard {

// The side in points of an icon image of `format` on the running device.
double iconImageSide(int format);
// The side of one cell of a folder's mini grid.
double gridCellSide();

// [icon getIconImage:format] and friends, sent through the runtime.
objc::Ref<UIImage> iconImage(objc::Object* icon, int format);
// The app's own icon art in a format, as the frameworks outside the home screen (notifications,
// widgets, search, suggestions, the switchers) draw it from the app bundle: not through the
// icon's getIconImage:, so replacements of that method do not reach them.
objc::Ref<UIImage> appIconArt(objc::Object* icon, int format);
std::string iconDisplayName(objc::Object* icon);
// The bundle identifier of an application icon, the web clip identifier of a bookmark, or "".
std::string iconIdentifier(objc::Object* icon);

} // namespace springboard
