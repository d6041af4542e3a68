#include "zarnekprefs/ZarnekPrefs.h"

#include "platform/runtime/Runtime.h"

namespace zarnek {

void RegisterZarnekPrefsClasses(objc::Runtime&)
{
    // FIXME: the controls register here as they are built.
}

} // namespace zarnek
