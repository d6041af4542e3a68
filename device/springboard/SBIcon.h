#pragma once

// The icon model's objects: applications, web clips, folders, and the icons that stand for them on
// the home screen.
//
// Runtime methods of SBIcon (every one replaceable; SpringBoard sends them through the runtime
// whenever it draws an icon): getIconImage:, gridCellImage, reloadIconImage, badgeValue,
// badgeNumberOrString, setBadge:, noteBadgeDidChange, displayName, application,
// applicationBundleID, leafIdentifier, isFolderIcon, isBookmarkIcon, addObserver:, removeObserver:.
// SBBookmarkIcon adds webClip, SBFolderIcon adds folder.

#include "platform/graphics/UIImage.h"
#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"

#include <string>
#include <vector>

class SBIcon;

// An installed application.
class SBApplication : public objc::NSObject {
    OBJC_CLASS(SBApplication)
public:
    SBApplication() = default;
    SBApplication(std::string bundleIdentifier, std::string displayName)
        : m_bundleIdentifier(std::move(bundleIdentifier))
        , m_displayName(std::move(displayName))
    {
    }
    const std::string& bundleIdentifier() const { return m_bundleIdentifier; }
    const std::string& displayName() const { return m_displayName; }

    static void registerClass(objc::Runtime&);

private:
    std::string m_bundleIdentifier;
    std::string m_displayName;
};

// A web page saved to the home screen (/var/mobile/Library/WebClips/IDENTIFIER.webclip).
class UIWebClip : public objc::NSObject {
    OBJC_CLASS(UIWebClip)
public:
    UIWebClip() = default;
    UIWebClip(std::string identifier, std::string title, std::string url)
        : m_identifier(std::move(identifier))
        , m_title(std::move(title))
        , m_url(std::move(url))
    {
    }
    const std::string& identifier() const { return m_identifier; }
    const std::string& title() const { return m_title; }
    const std::string& url() const { return m_url; }

    static void registerClass(objc::Runtime&);

private:
    std::string m_identifier;
    std::string m_title;
    std::string m_url;
};

// A folder: a name and pages of icons (at most nine a page).
class SBFolder : public objc::NSObject {
    OBJC_CLASS(SBFolder)
public:
    using Page = std::vector<objc::Ref<SBIcon>>;

    const std::string& displayName() const { return m_displayName; }
    void setDisplayName(std::string name) { m_displayName = std::move(name); }
    const std::vector<Page>& lists() const { return m_lists; }
    std::vector<Page>& lists() { return m_lists; }
    // Every icon of every page, in order.
    std::vector<objc::Ref<SBIcon>> icons() const;

    static void registerClass(objc::Runtime&);

private:
    std::string m_displayName;
    std::vector<Page> m_lists;
};

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
    objc::Ref<objc::Object> m_badge;
    std::vector<objc::WeakRef<objc::Object>> m_observers;
};

class SBApplicationIcon : public SBIcon {
    OBJC_CLASS(SBApplicationIcon)
public:
    SBApplicationIcon() = default;
    explicit SBApplicationIcon(SBApplication* app)
        : m_application(app)
    {
    }
    SBApplication* application() const { return m_application.ptr(); }

    objc::Ref<UIImage> drawIconAtSide(double side) override;
    std::string defaultDisplayName() const override { return m_application ? m_application->displayName() : std::string(); }
    std::string identifier() const override { return m_application ? m_application->bundleIdentifier() : std::string(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<SBApplication> m_application;
};

class SBBookmarkIcon : public SBIcon {
    OBJC_CLASS(SBBookmarkIcon)
public:
    SBBookmarkIcon() = default;
    explicit SBBookmarkIcon(UIWebClip* clip)
        : m_webClip(clip)
    {
    }
    UIWebClip* webClip() const { return m_webClip.ptr(); }

    objc::Ref<UIImage> drawIconAtSide(double side) override;
    std::string defaultDisplayName() const override { return m_webClip ? m_webClip->title() : std::string(); }
    std::string identifier() const override { return m_webClip ? m_webClip->identifier() : std::string(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<UIWebClip> m_webClip;
};

class SBFolderIcon : public SBIcon {
    OBJC_CLASS(SBFolderIcon)
public:
    SBFolderIcon() = default;
    explicit SBFolderIcon(SBFolder* folder)
        : m_folder(folder)
    {
    }
    SBFolder* folder() const { return m_folder.ptr(); }

    objc::Ref<UIImage> drawIconAtSide(double side) override;
    std::string defaultDisplayName() const override { return m_folder ? m_folder->displayName() : std::string(); }
    std::string identifier() const override { return m_folder ? "folder:" + m_folder->displayName() : std::string(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<SBFolder> m_folder;
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
