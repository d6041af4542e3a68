#pragma once

// CoreFoundation of the simulated device: property-list objects, property-list files,
// preferences domains and the Darwin and local notification centers.

#include "platform/corefoundation/CFLog.h"
#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSData.h"
#include "platform/corefoundation/NSDate.h"
#include "platform/corefoundation/NSDictionary.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/corefoundation/PropertyList.h"
#include "platform/corefoundation/StringFormat.h"
#include "platform/corefoundation/Create.h"

// The version the booted system reports; the device boot sets it from its profile.
extern double kCFCoreFoundationVersionNumber;

// Registers NSString, NSNumber, NSData, NSDate, NSArray, NSMutableArray, NSDictionary and
// NSMutableDictionary (and NSObject's isEqual:). Idempotent per runtime.
void registerCoreFoundationClasses(objc::Runtime&);
