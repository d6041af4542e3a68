#include "tweak/workflow/WorkflowPreferences.h"

#include "platform/corefoundation/CFNotificationCenter.h"
#include "tweak/Preferences.h"

namespace ovrimo {

namespace {

objc::Ref<NSMutableDictionary> g_workflowSnapshot;

void WorkflowPreferencesChanged(CFNotificationCenterRef, void*, const std::string&, const void*, NSDictionary*)
{
    g_workflowSnapshot = nullptr;
    g_workflowSnapshot = LoadPreferencesDomain();
}

} // namespace

NSDictionary* WorkflowPreferencesSnapshot()
{
    if (!g_workflowSnapshot)
        g_workflowSnapshot = LoadPreferencesDomain();
    return g_workflowSnapshot.ptr();
}

void StartWorkflowPreferences()
{
    g_workflowSnapshot = LoadPreferencesDomain();
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr, WorkflowPreferencesChanged, kPreferencesChangedNotification,
        nullptr, CFNotificationSuspensionBehaviorCoalesce);
}

} // namespace ovrimo
