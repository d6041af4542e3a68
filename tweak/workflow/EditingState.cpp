#include "tweak/workflow/EditingState.h"

#include "platform/runtime/Runtime.h"

namespace ovrimo {

// Kept with the booted device's runtime, so that it ends with the device and a new boot starts
// with no edit.
EditingState& Editing()
{
    return objc::Runtime::current().state<EditingState>();
}

void ResetEditingState()
{
    Editing() = EditingState {};
}

} // namespace ovrimo
