#pragma once

// Selectors of the value classes (NSString, NSNumber, NSData, NSDate, NSArray, NSDictionary and
// their mutable kinds), declared once with their signatures. A selector several classes answer
// (count, length, the number readings) is declared once with the signature they share; NSObject's
// own (isEqual:, hash, copy, description) are in platform/runtime/NSObjectSelectors.h.

#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSData.h"
#include "platform/corefoundation/NSDate.h"
#include "platform/corefoundation/NSDictionary.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/runtime/NSObjectSelectors.h"
#include "platform/runtime/Sel.h"

#include <cstdint>
#include <string>

namespace corefoundation::sel {

using objc::Object;
using objc::Ref;
using objc::Sel;

// Shared by several classes
inline constinit Sel<std::uint64_t()> count { "count" };
inline constinit Sel<std::uint64_t()> length { "length" };
inline constinit Sel<bool()> boolValue { "boolValue" };
inline constinit Sel<int()> intValue { "intValue" };
inline constinit Sel<std::int64_t()> integerValue { "integerValue" };
inline constinit Sel<std::int64_t()> longLongValue { "longLongValue" };
inline constinit Sel<float()> floatValue { "floatValue" };
inline constinit Sel<double()> doubleValue { "doubleValue" };
inline constinit Sel<Ref<Object>(std::string)> initWithContentsOfFile { "initWithContentsOfFile:" };
// Every write is atomic, whatever `atomically` says.
inline constinit Sel<bool(std::string, bool)> writeToFileAtomically { "writeToFile:atomically:" };

// NSString
inline constinit Sel<Ref<NSString>(std::string)> stringWithString { "stringWithString:" };
inline constinit Sel<Ref<NSString>()> string { "string" };
inline constinit Sel<Ref<NSString>(std::string)> initWithString { "initWithString:" };
inline constinit Sel<std::string()> UTF8String { "UTF8String" };
inline constinit Sel<bool(std::string)> isEqualToString { "isEqualToString:" };
inline constinit Sel<bool(std::string)> hasPrefix { "hasPrefix:" };
inline constinit Sel<bool(std::string)> hasSuffix { "hasSuffix:" };
inline constinit Sel<Ref<NSString>(std::string)> stringByAppendingString { "stringByAppendingString:" };

// NSNumber
inline constinit Sel<Ref<NSNumber>(bool)> numberWithBool { "numberWithBool:" };
inline constinit Sel<Ref<NSNumber>(int)> numberWithInt { "numberWithInt:" };
inline constinit Sel<Ref<NSNumber>(std::int64_t)> numberWithInteger { "numberWithInteger:" };
inline constinit Sel<Ref<NSNumber>(std::int64_t)> numberWithLongLong { "numberWithLongLong:" };
inline constinit Sel<Ref<NSNumber>(float)> numberWithFloat { "numberWithFloat:" };
inline constinit Sel<Ref<NSNumber>(double)> numberWithDouble { "numberWithDouble:" };
inline constinit Sel<std::uint64_t()> unsignedIntegerValue { "unsignedIntegerValue" };
inline constinit Sel<std::string()> stringValue { "stringValue" };
inline constinit Sel<bool(NSNumber*)> isEqualToNumber { "isEqualToNumber:" };

// NSData
inline constinit Sel<Ref<NSData>()> data { "data" };
inline constinit Sel<Ref<NSData>(const void*, std::uint64_t)> dataWithBytesLength { "dataWithBytes:length:" };
inline constinit Sel<const void*()> bytes { "bytes" };
inline constinit Sel<bool(NSData*)> isEqualToData { "isEqualToData:" };

// NSDate
inline constinit Sel<Ref<NSDate>()> date { "date" };
inline constinit Sel<Ref<NSDate>(double)> dateWithTimeIntervalSince1970 { "dateWithTimeIntervalSince1970:" };
inline constinit Sel<Ref<NSDate>(double)> dateWithTimeIntervalSinceReferenceDate { "dateWithTimeIntervalSinceReferenceDate:" };
inline constinit Sel<Ref<NSDate>(double)> dateWithTimeIntervalSinceNow { "dateWithTimeIntervalSinceNow:" };
inline constinit Sel<double()> timeIntervalSince1970 { "timeIntervalSince1970" };
inline constinit Sel<double()> timeIntervalSinceReferenceDate { "timeIntervalSinceReferenceDate" };
inline constinit Sel<double()> timeIntervalSinceNow { "timeIntervalSinceNow" };
inline constinit Sel<double(NSDate*)> timeIntervalSinceDate { "timeIntervalSinceDate:" };
inline constinit Sel<Ref<NSDate>(double)> dateByAddingTimeInterval { "dateByAddingTimeInterval:" };
inline constinit Sel<bool(NSDate*)> isEqualToDate { "isEqualToDate:" };

// NSArray (the class methods make an instance of the class they are sent to)
inline constinit Sel<Ref<NSArray>()> array { "array" };
inline constinit Sel<Ref<NSArray>(NSArray*)> arrayWithArray { "arrayWithArray:" };
inline constinit Sel<Ref<NSArray>(Object*)> arrayWithObject { "arrayWithObject:" };
inline constinit Sel<Ref<NSArray>(std::string)> arrayWithContentsOfFile { "arrayWithContentsOfFile:" };
inline constinit Sel<Ref<Object>(std::uint64_t)> objectAtIndex { "objectAtIndex:" };
inline constinit Sel<Ref<Object>()> firstObject { "firstObject" };
inline constinit Sel<Ref<Object>()> lastObject { "lastObject" };
inline constinit Sel<bool(Object*)> containsObject { "containsObject:" };
inline constinit Sel<std::int64_t(Object*)> indexOfObject { "indexOfObject:" };
inline constinit Sel<bool(NSArray*)> isEqualToArray { "isEqualToArray:" };

// NSMutableArray
inline constinit Sel<Ref<NSArray>(std::uint64_t)> arrayWithCapacity { "arrayWithCapacity:" };
inline constinit Sel<void(Object*)> addObject { "addObject:" };
inline constinit Sel<void(NSArray*)> addObjectsFromArray { "addObjectsFromArray:" };
inline constinit Sel<void(Object*, std::uint64_t)> insertObjectAtIndex { "insertObject:atIndex:" };
inline constinit Sel<void(std::uint64_t)> removeObjectAtIndex { "removeObjectAtIndex:" };
inline constinit Sel<void(Object*)> removeObject { "removeObject:" };
inline constinit Sel<void()> removeLastObject { "removeLastObject" };
inline constinit Sel<void()> removeAllObjects { "removeAllObjects" };
inline constinit Sel<void(std::uint64_t, Object*)> replaceObjectAtIndexWithObject { "replaceObjectAtIndex:withObject:" };
inline constinit Sel<void(std::uint64_t, std::uint64_t)> exchangeObjectAtIndexWithObjectAtIndex { "exchangeObjectAtIndex:withObjectAtIndex:" };

// NSDictionary (the class methods make an instance of the class they are sent to)
inline constinit Sel<Ref<NSDictionary>()> dictionary { "dictionary" };
inline constinit Sel<Ref<NSDictionary>(NSDictionary*)> dictionaryWithDictionary { "dictionaryWithDictionary:" };
inline constinit Sel<Ref<NSDictionary>(Object*, std::string)> dictionaryWithObjectForKey { "dictionaryWithObject:forKey:" };
inline constinit Sel<Ref<NSDictionary>(std::string)> dictionaryWithContentsOfFile { "dictionaryWithContentsOfFile:" };
inline constinit Sel<Ref<Object>(std::string)> objectForKey { "objectForKey:" };
inline constinit Sel<Ref<Object>(std::string)> valueForKey { "valueForKey:" };
inline constinit Sel<Ref<NSArray>()> allKeys { "allKeys" };
inline constinit Sel<Ref<NSArray>()> allValues { "allValues" };
inline constinit Sel<bool(NSDictionary*)> isEqualToDictionary { "isEqualToDictionary:" };

// NSMutableDictionary
inline constinit Sel<Ref<NSDictionary>(std::uint64_t)> dictionaryWithCapacity { "dictionaryWithCapacity:" };
inline constinit Sel<void(Object*, std::string)> setObjectForKey { "setObject:forKey:" };
inline constinit Sel<void(Object*, std::string)> setValueForKey { "setValue:forKey:" };
inline constinit Sel<void(std::string)> removeObjectForKey { "removeObjectForKey:" };
inline constinit Sel<void(NSDictionary*)> addEntriesFromDictionary { "addEntriesFromDictionary:" };

} // namespace corefoundation::sel
