#include "zarnekprefs/ZarnekPrefs.h"

#include "platform/preferences/Preferences.h"
#include "platform/runtime/Runtime.h"
#include "zarnekprefs/zarnekcolorpicker/UIColor+ZarnekHex.h"
#include "zarnekprefs/zarnekcolorpicker/ZarnekColorPicker.h"
#include "zarnekprefs/zarnekcolorpicker/ZarnekColorPickerLinkCell.h"
#include "zarnekprefs/zarneklink/ZarnekLinkCell.h"
#include "zarnekprefs/zarneklistselect/ZarnekListSelect.h"
#include "zarnekprefs/zarneklistselect/ZarnekListSelectLinkCell.h"
#include "zarnekprefs/zarnektimerange/ZarnekTimeRangeSelect.h"
#include "zarnekprefs/zarnektimerange/ZarnekTimeRangeSelectLinkCell.h"
#include "zarnekprefs/zarneklink/ZarnekLogoLinkCell.h"
#include "zarnekprefs/zarneklink/ZarnekSliderLinkCell.h"

namespace zarnek {

void RegisterZarnekPrefsClasses(objc::Runtime& runtime)
{
    // The kit's classes build on the Preferences framework's (and UIKit's UIColor for the category).
    registerPreferencesClasses(runtime);
    if (!runtime.beginRegistering("ZarnekPrefs"))
        return;
    registerColorCategory(runtime);
    ZarnekColorPicker::registerClass(runtime);
    ZarnekColorPickerLinkCell::registerClass(runtime);
    ZarnekLinkCell::registerClass(runtime);
    ZarnekLogoLinkCell::registerClass(runtime);
    ZarnekSliderLinkCell::registerClass(runtime);
    ZarnekListSelect::registerClass(runtime);
    ZarnekListSelectLinkCell::registerClass(runtime);
    ZarnekTimeRangeSelect::registerClass(runtime);
    ZarnekTimeRangeSelectLinkCell::registerClass(runtime);
}

} // namespace zarnek
