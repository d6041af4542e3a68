#include "tweak/workflow/WorkflowPreferences.h"

#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/runtime/Runtime.h"
#include "tweak/Preferences.h"

namespace ovrimo {

namespace {

// Kept with the booted device's runtime: it ends with the device, and a new boot loads afresh.
struct WorkflowSnapshot {
    objc::Ref<NSMutableDictionary> values;
};

objc::Ref<NSMutableDictionary>& snapshot() { return objc::Runtime::current().state<WorkflowSnapshot>().values; }

void WorkflowPreferencesChanged(CFNotificationCenterRef, void*, const std::string&, const void*, NSDictionary*)
{
    snapshot() = nullptr;
    snapshot() = LoadPreferencesDomain();
}

} // namespace

NSDictionary* WorkflowPreferencesSnapshot()
{
    if (!snapshot())
        snapshot() = LoadPreferencesDomain();
    return snapshot().ptr();
}

void StartWorkflowPreferences()
{
    snapshot() = LoadPreferencesDomain();
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr, WorkflowPreferencesChanged, kPreferencesChangedNotification,
        nullptr, CFNotificationSuspensionBehaviorCoalesce);
}

std::optional<std::int64_t> WorkflowInteger(const char* key) { return IntegerValue(WorkflowPreferencesSnapshot(), key); }

} // namespace ovrimo
