#include "tweak/Startup.h"

#include "platform/corefoundation/CoreFoundation.h"
#include "tweak/EditMode.h"
#include "tweak/Preferences.h"
#include "tweak/PrivateInterfaces.h"
#include "tweak/Substitution.h"
#include "tweak/SystemVersion.h"
#include "tweak/Welcome.h"

#include <memory>

namespace ovrimo {

namespace {

using objc::Object;
using objc::Ref;
using substrate::Replacement;
using substrate::ReplacementBase;
using uikit::sel::layoutSubviews;

// The replacements in the order they are installed; the version gates split the table after
// the fourteenth and the nineteenth row and before the last.
constinit Replacement<void(bool)> s_applyEditingState { "SBIconView", sb::_applyEditingStateAnimated, ApplyEditingState };
constinit Replacement<void(bool, bool)> s_folderControllerSetEditing { "SBFolderController", sb::setEditingAnimated, FolderControllerSetEditing };
constinit Replacement<Ref<UIImage>()> s_clockContentsImage { "SBClockApplicationIconImageView", sb::contentsImage, ClockContentsImage };
constinit Replacement<Ref<UIImage>()> s_iconImageViewContentsImage { "SBIconImageView", sb::contentsImage, IconImageViewContentsImage };
constinit Replacement<Ref<UIImage>()> s_gridCellImage { "SBIcon", sb::gridCellImage, GridCellImage };
constinit Replacement<Ref<UIImage>(long long)> s_getIconImage { "SBIcon", sb::getIconImage, GetIconImage };
constinit Replacement<void()> s_updateCornerMask { "SBIconImageCrossfadeView", sb::_updateCornerMask, UpdateCornerMask };
constinit Replacement<void()> s_deckSwitcherLayout { "SBDeckSwitcherIconImageContainerView", layoutSubviews, DeckSwitcherLayout };
constinit Replacement<Ref<UIImage>(long long)> s_bulletinSectionIcon { "BBBulletin", sb::sectionIconImageWithFormat, BulletinSectionIcon };
constinit Replacement<void(UIImage*)> s_settingsCellSetIcon { "PSTableCell", sb::setIcon, SettingsCellSetIcon };
constinit Replacement<void()> s_gridWrapperLayout { "_SBIconGridWrapperView", layoutSubviews, GridWrapperLayout };
constinit Replacement<void()> s_gridWrapperReposition { "_SBIconGridWrapperView", sb::reposition, GridWrapperLayout };
constinit Replacement<void()> s_folderOverlayLayout { "SBFolderIconImageView", layoutSubviews, FolderOverlayLayout };
constinit Replacement<void(Object*)> s_launchIcon { "SBIconController", sb::_launchIcon, LaunchIcon };

constinit Replacement<Ref<UIImage>()> s_notificationIcon { "NCNotificationRequestContentProvider", sb::iconImage, NotificationIcon };
constinit Replacement<Ref<UIImage>()> s_widgetIcon { "WGWidgetInfo", sb::iconImage, WidgetIcon };
constinit Replacement<Ref<UIImage>()> s_widgetSettingsIcon { "WGWidgetInfo", sb::settingsIcon, WidgetIcon };
constinit Replacement<Ref<UIImage>(long long)> s_searchIcon { "SearchUIAppIconImage", sb::generateImageWithFormat, SearchIcon };
constinit Replacement<void(const std::string&)> s_suggestionIcon { "APWAppIconAndLabelView", sb::setBundleIdentifier, SuggestionSetBundleIdentifier };

constinit Replacement<void()> s_fluidSwitcherLayout { "SBFluidSwitcherIconImageContainerView", layoutSubviews, FluidSwitcherUpdate };
constinit Replacement<void()> s_fluidSwitcherUpdate { "SBFluidSwitcherIconImageContainerView", sb::updateIcon, FluidSwitcherUpdate };

constinit Replacement<void()> s_welcome { "SBUIController", sb::restoreContent, RestoreContent };

ReplacementBase* const kAlwaysInstalled[] = {
    &s_applyEditingState, &s_folderControllerSetEditing, &s_clockContentsImage, &s_iconImageViewContentsImage, &s_gridCellImage, &s_getIconImage,
    &s_updateCornerMask, &s_deckSwitcherLayout, &s_bulletinSectionIcon, &s_settingsCellSetIcon, &s_gridWrapperLayout, &s_gridWrapperReposition,
    &s_folderOverlayLayout, &s_launchIcon,
};
ReplacementBase* const kFromCoreFoundation1348[] = { &s_notificationIcon, &s_widgetIcon, &s_widgetSettingsIcon, &s_searchIcon, &s_suggestionIcon };
ReplacementBase* const kFromSystem11[] = { &s_fluidSwitcherLayout, &s_fluidSwitcherUpdate };

template<std::size_t N>
void installAll(ReplacementBase* const (&rows)[N], std::vector<std::string>& installed)
{
    for (ReplacementBase* row : rows) {
        // A class this system lacks installs nothing; the row still counts as attempted.
        row->install();
        installed.push_back(row->description());
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
        ReplacementBase* const welcome[] = { &s_welcome };
        installAll(welcome, installed);
    }
    return installed;
}

} // namespace ovrimo
