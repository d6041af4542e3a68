#pragma once

// Foundation of the simulated device: the file manager over the device root, URLs and
// downloads, formatters, the scanner, timers and bundles; on top of CoreFoundation.

#include "platform/corefoundation/CoreFoundation.h"
#include "platform/foundation/FoundationCreate.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSByteCountFormatter.h"
#include "platform/foundation/NSCharacterSet.h"
#include "platform/foundation/NSDateFormatter.h"
#include "platform/foundation/NSError.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSScanner.h"
#include "platform/foundation/NSTimer.h"
#include "platform/foundation/NSURL.h"
#include "platform/foundation/NSURLSession.h"

// Registers the Foundation classes (after CoreFoundation's). Idempotent per runtime.
void registerFoundationClasses(objc::Runtime&);
