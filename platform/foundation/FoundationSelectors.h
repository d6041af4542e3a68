#pragma once

// Selectors that Foundation's classes introduce (files, bundles, URLs and downloads, timers,
// notifications, formatters), and those it adds to NSString and NSData, declared once with their
// signatures. The value classes' own selectors are in CoreFoundationSelectors.h.

#include "platform/corefoundation/CoreFoundationSelectors.h"
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
#include "platform/runtime/Sel.h"

#include <cstdint>
#include <string>

namespace foundation::sel {

using objc::Object;
using objc::Ref;
using objc::Sel;

// Shared: NSNotification's userInfo is a dictionary, NSTimer's any object.
inline constinit Sel<Ref<Object>()> userInfo { "userInfo" };
// NSURLRequest and NSHTTPURLResponse
inline constinit Sel<Ref<NSURL>()> URL { "URL" };

// NSError
inline constinit Sel<Ref<NSError>(std::string, std::int64_t, NSDictionary*)> errorWithDomainCodeUserInfo { "errorWithDomain:code:userInfo:" };
inline constinit Sel<std::string()> domain { "domain" };
inline constinit Sel<std::int64_t()> code { "code" };
inline constinit Sel<std::string()> localizedDescription { "localizedDescription" };

// NSLocale
inline constinit Sel<Ref<NSLocale>()> currentLocale { "currentLocale" };
inline constinit Sel<Ref<NSLocale>()> autoupdatingCurrentLocale { "autoupdatingCurrentLocale" };
inline constinit Sel<Ref<NSLocale>(std::string)> localeWithLocaleIdentifier { "localeWithLocaleIdentifier:" };
inline constinit Sel<std::string()> localeIdentifier { "localeIdentifier" };
inline constinit Sel<std::string()> languageCode { "languageCode" };
inline constinit Sel<std::string()> countryCode { "countryCode" };

// NSDateFormatter
inline constinit Sel<void(NSDateFormatterStyle)> setDateStyle { "setDateStyle:" };
inline constinit Sel<void(NSDateFormatterStyle)> setTimeStyle { "setTimeStyle:" };
inline constinit Sel<void(std::string)> setDateFormat { "setDateFormat:" };
inline constinit Sel<std::string()> dateFormat { "dateFormat" };
inline constinit Sel<void(NSLocale*)> setLocale { "setLocale:" };
inline constinit Sel<Ref<NSLocale>()> locale { "locale" };
inline constinit Sel<std::string(NSDate*)> stringFromDate { "stringFromDate:" };

// NSByteCountFormatter (stringFromByteCount: on the class and on instances)
inline constinit Sel<std::string(std::int64_t, NSByteCountFormatterCountStyle)> stringFromByteCountCountStyle { "stringFromByteCount:countStyle:" };
inline constinit Sel<std::string(std::int64_t)> stringFromByteCount { "stringFromByteCount:" };
inline constinit Sel<void(NSByteCountFormatterCountStyle)> setCountStyle { "setCountStyle:" };
inline constinit Sel<NSByteCountFormatterCountStyle()> countStyle { "countStyle" };

// NSScanner (scanHexInt: and scanInteger: write through the pointer they are given)
inline constinit Sel<Ref<NSScanner>(std::string)> scannerWithString { "scannerWithString:" };
inline constinit Sel<std::uint64_t()> scanLocation { "scanLocation" };
inline constinit Sel<void(std::uint64_t)> setScanLocation { "setScanLocation:" };
inline constinit Sel<bool()> isAtEnd { "isAtEnd" };
inline constinit Sel<bool(unsigned int*)> scanHexInt { "scanHexInt:" };
inline constinit Sel<bool(std::int64_t*)> scanInteger { "scanInteger:" };

// NSCharacterSet, and the percent encoding it adds to NSString
inline constinit Sel<Ref<NSCharacterSet>()> URLQueryAllowedCharacterSet { "URLQueryAllowedCharacterSet" };
inline constinit Sel<Ref<NSCharacterSet>()> URLPathAllowedCharacterSet { "URLPathAllowedCharacterSet" };
inline constinit Sel<std::string(NSCharacterSet*)> stringByAddingPercentEncodingWithAllowedCharacters { "stringByAddingPercentEncodingWithAllowedCharacters:" };

// NSURL
inline constinit Sel<Ref<NSURL>(std::string)> URLWithString { "URLWithString:" };
inline constinit Sel<Ref<NSURL>(std::string)> fileURLWithPath { "fileURLWithPath:" };
inline constinit Sel<std::string()> absoluteString { "absoluteString" };
inline constinit Sel<std::string()> scheme { "scheme" };
inline constinit Sel<std::string()> host { "host" };
inline constinit Sel<std::string()> path { "path" };
inline constinit Sel<std::string()> query { "query" };
inline constinit Sel<bool()> isFileURL { "isFileURL" };

// NSURLRequest, NSHTTPURLResponse, NSURLSessionDataTask, NSURLSession, and NSData's download
inline constinit Sel<Ref<NSURLRequest>(NSURL*)> requestWithURL { "requestWithURL:" };
inline constinit Sel<Ref<NSURLRequest>(NSURL*, std::uint64_t, double)> requestWithURLCachePolicyTimeoutInterval { "requestWithURL:cachePolicy:timeoutInterval:" };
inline constinit Sel<double()> timeoutInterval { "timeoutInterval" };
inline constinit Sel<long()> statusCode { "statusCode" };
inline constinit Sel<void()> resume { "resume" };
inline constinit Sel<void()> cancel { "cancel" };
inline constinit Sel<Ref<NSURLSession>()> sharedSession { "sharedSession" };
inline constinit Sel<Ref<NSURLSessionDataTask>(NSURL*, NSURLSessionDataCompletion)> dataTaskWithURLCompletionHandler { "dataTaskWithURL:completionHandler:" };
inline constinit Sel<Ref<NSURLSessionDataTask>(NSURLRequest*, NSURLSessionDataCompletion)> dataTaskWithRequestCompletionHandler { "dataTaskWithRequest:completionHandler:" };
inline constinit Sel<Ref<NSData>(NSURL*)> dataWithContentsOfURL { "dataWithContentsOfURL:" };

// NSNotification, NSNotificationCenter
inline constinit Sel<std::string()> name { "name" };
inline constinit Sel<Ref<Object>()> object { "object" };
inline constinit Sel<Ref<NSNotificationCenter>()> defaultCenter { "defaultCenter" };
inline constinit Sel<void(Object*, objc::SEL, std::string, Object*)> addObserverSelectorNameObject { "addObserver:selector:name:object:" };
inline constinit Sel<void(Object*)> removeObserver { "removeObserver:" };
inline constinit Sel<void(Object*, std::string, Object*)> removeObserverNameObject { "removeObserver:name:object:" };
inline constinit Sel<void(std::string, Object*)> postNotificationNameObject { "postNotificationName:object:" };
inline constinit Sel<void(std::string, Object*, NSDictionary*)> postNotificationNameObjectUserInfo { "postNotificationName:object:userInfo:" };
inline constinit Sel<void(NSNotification*)> postNotification { "postNotification:" };

// NSTimer, NSRunLoop
inline constinit Sel<Ref<NSTimer>(double, Object*, objc::SEL, Object*, bool)> scheduledTimerWithTimeIntervalTargetSelectorUserInfoRepeats {
    "scheduledTimerWithTimeInterval:target:selector:userInfo:repeats:"
};
inline constinit Sel<Ref<NSTimer>(double, Object*, objc::SEL, Object*, bool)> timerWithTimeIntervalTargetSelectorUserInfoRepeats {
    "timerWithTimeInterval:target:selector:userInfo:repeats:"
};
inline constinit Sel<Ref<NSTimer>(double, bool, NSTimerBlock)> scheduledTimerWithTimeIntervalRepeatsBlock { "scheduledTimerWithTimeInterval:repeats:block:" };
inline constinit Sel<Ref<NSTimer>(double, bool, NSTimerBlock)> timerWithTimeIntervalRepeatsBlock { "timerWithTimeInterval:repeats:block:" };
inline constinit Sel<void()> fire { "fire" };
inline constinit Sel<void()> invalidate { "invalidate" };
inline constinit Sel<bool()> isValid { "isValid" };
inline constinit Sel<double()> timeInterval { "timeInterval" };
inline constinit Sel<Ref<NSRunLoop>()> mainRunLoop { "mainRunLoop" };
inline constinit Sel<Ref<NSRunLoop>()> currentRunLoop { "currentRunLoop" };
inline constinit Sel<void(NSTimer*, std::string)> addTimerForMode { "addTimer:forMode:" };

// NSFileManager, and NSData's file reading (its writeToFile:atomically: and
// initWithContentsOfFile: are declared with the value classes')
inline constinit Sel<Ref<NSFileManager>()> defaultManager { "defaultManager" };
inline constinit Sel<bool(std::string)> fileExistsAtPath { "fileExistsAtPath:" };
inline constinit Sel<bool(std::string, bool*)> fileExistsAtPathIsDirectory { "fileExistsAtPath:isDirectory:" };
inline constinit Sel<Ref<NSArray>(std::string, NSErrorPointer)> contentsOfDirectoryAtPathError { "contentsOfDirectoryAtPath:error:" };
inline constinit Sel<Ref<NSArray>(std::string, NSErrorPointer)> subpathsOfDirectoryAtPathError { "subpathsOfDirectoryAtPath:error:" };
inline constinit Sel<Ref<NSArray>(std::string)> subpathsAtPath { "subpathsAtPath:" };
inline constinit Sel<bool(std::string, std::string, NSErrorPointer)> copyItemAtPathToPathError { "copyItemAtPath:toPath:error:" };
inline constinit Sel<bool(std::string, std::string, NSErrorPointer)> moveItemAtPathToPathError { "moveItemAtPath:toPath:error:" };
inline constinit Sel<bool(std::string, NSErrorPointer)> removeItemAtPathError { "removeItemAtPath:error:" };
inline constinit Sel<bool(std::string, bool, NSDictionary*, NSErrorPointer)> createDirectoryAtPathWithIntermediateDirectoriesAttributesError {
    "createDirectoryAtPath:withIntermediateDirectories:attributes:error:"
};
inline constinit Sel<Ref<NSDictionary>(std::string, NSErrorPointer)> attributesOfItemAtPathError { "attributesOfItemAtPath:error:" };
inline constinit Sel<bool(std::string, NSData*, NSDictionary*)> createFileAtPathContentsAttributes { "createFileAtPath:contents:attributes:" };
inline constinit Sel<Ref<NSData>(std::string)> contentsAtPath { "contentsAtPath:" };
inline constinit Sel<Ref<NSData>(std::string)> dataWithContentsOfFile { "dataWithContentsOfFile:" };

// NSBundle
inline constinit Sel<Ref<NSBundle>(std::string)> bundleWithPath { "bundleWithPath:" };
inline constinit Sel<Ref<NSBundle>(std::string)> bundleWithIdentifier { "bundleWithIdentifier:" };
inline constinit Sel<std::string()> bundlePath { "bundlePath" };
inline constinit Sel<std::string()> bundleIdentifier { "bundleIdentifier" };
inline constinit Sel<Ref<NSDictionary>()> infoDictionary { "infoDictionary" };
inline constinit Sel<Ref<Object>(std::string)> objectForInfoDictionaryKey { "objectForInfoDictionaryKey:" };
inline constinit Sel<Ref<objc::Class>()> principalClass { "principalClass" };
inline constinit Sel<std::string(std::string, std::string)> pathForResourceOfType { "pathForResource:ofType:" };
inline constinit Sel<std::string(std::string, std::string, std::string)> localizedStringForKeyValueTable { "localizedStringForKey:value:table:" };
inline constinit Sel<bool()> load { "load" };
inline constinit Sel<bool()> isLoaded { "isLoaded" };

} // namespace foundation::sel
