#include "tweak/Startup.h"

#include "platform/corefoundation/CoreFoundation.h"
#include "tweak/EditMode.h"
#include "tweak/Preferences.h"
#include "tweak/Substitution.h"
#include "tweak/Welcome.h"

namespace ovrimo {

namespace {

struct Replacement {
    const char* className;
    const char* selector;
    void (*install)(objc::Class*);
};

// The replacements in the order they are installed; the version gates split the table after
// rows 14 and 19 and before the last row.
const Replacement kAlwaysInstalled[] = {
    { "SBIconView", "_applyEditingStateAnimated:", InstallApplyEditingState },
    { "SBFolderController", "setEditing:animated:", InstallFolderControllerSetEditing },
    { "SBClockApplicationIconImageView", "contentsImage", InstallClockContentsImage },
    { "SBIconImageView", "contentsImage", InstallIconImageViewContentsImage },
    { "SBIcon", "gridCellImage", InstallGridCellImage },
    { "SBIcon", "getIconImage:", InstallGetIconImage },
    { "SBIconImageCrossfadeView", "_updateCornerMask", InstallUpdateCornerMask },
    { "SBDeckSwitcherIconImageContainerView", "layoutSubviews", InstallDeckSwitcherLayout },
    { "BBBulletin", "sectionIconImageWithFormat:", InstallBulletinSectionIcon },
    { "PSTableCell", "setIcon:", InstallSettingsCellSetIcon },
    { "_SBIconGridWrapperView", "layoutSubviews", InstallGridWrapperLayout },
    { "_SBIconGridWrapperView", "reposition", InstallGridWrapperReposition },
    { "SBFolderIconImageView", "layoutSubviews", InstallFolderOverlayLayout },
    { "SBIconController", "_launchIcon:", InstallLaunchIcon },
};
const Replacement kFromCoreFoundation1348[] = {
    { "NCNotificationRequestContentProvider", "icon", InstallNotificationIcon },
    { "WGWidgetInfo", "icon", InstallWidgetIcon },
    { "WGWidgetInfo", "settingsIcon", InstallWidgetSettingsIcon },
    { "SearchUIAppIconImage", "generateImageWithFormat:", InstallSearchIcon },
    { "APWAppIconAndLabelView", "setBundleIdentifier:", InstallSuggestionIcon },
};
const Replacement kFromSystem11[] = {
    { "SBFluidSwitcherIconImageContainerView", "layoutSubviews", InstallFluidSwitcherLayout },
    { "SBFluidSwitcherIconImageContainerView", "updateIcon", InstallFluidSwitcherUpdate },
};
const Replacement kWelcome = { "SBUIController", "restoreContent", InstallWelcomeAlert };

template<std::size_t N>
void installAll(const Replacement (&rows)[N], std::vector<std::string>& installed)
{
    for (const auto& row : rows) {
        // Each class goes to the hooking call untested: a missing class makes it do nothing.
        row.install(objc::objc_getClass(row.className));
        installed.push_back(std::string(row.className) + " " + row.selector);
    }
}

} // namespace

std::vector<std::string> StartTweakCore()
{
    std::vector<std::string> installed;
    ReplacePreferencesSnapshot(LoadPreferencesDomain());
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr, PreferencesChanged, kPreferencesChangedNotification,
        nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);

    installAll(kAlwaysInstalled, installed);
    if (kCFCoreFoundationVersionNumber >= 1348.0) {
        installAll(kFromCoreFoundation1348, installed);
        if (SystemVersionNumber() >= 11.0)
            installAll(kFromSystem11, installed);
    }
    // With "firstrun" present and false the welcome can never appear in this process.
    if (SwitchIsOn("firstrun")) {
        const Replacement welcome[] = { kWelcome };
        installAll(welcome, installed);
    }
    return installed;
}

} // namespace ovrimo
