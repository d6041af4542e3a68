#include "NSData.h"

#include "CoreFoundationSelectors.h"
#include "Create.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObjectSelectors.h"

objc::Ref<NSData> NSData::make(std::vector<std::uint8_t> bytes) { return corefoundation::create<NSData>(std::move(bytes)); }
objc::Ref<NSData> NSData::make(std::string_view bytes) { return make(std::vector<std::uint8_t>(bytes.begin(), bytes.end())); }

namespace corefoundation {

namespace {

using objc::Object;
using objc::Ref;

Ref<NSData> emptyData() { return NSData::make(std::vector<std::uint8_t> {}); }

Ref<NSData> dataWithBytes(const void* bytes, std::uint64_t length)
{
    auto* p = static_cast<const std::uint8_t*>(bytes);
    return NSData::make(p ? std::vector<std::uint8_t>(p, p + length) : std::vector<std::uint8_t> {});
}

const void* bytesOf(NSData* self) { return self->bytes().data(); }
bool isEqualToData(NSData* self, NSData* other) { return other && other->bytes() == self->bytes(); }

bool dataIsEqual(NSData* self, Object* other)
{
    auto* data = dynamic_cast<NSData*>(other);
    return data && data->bytes() == self->bytes();
}

Ref<NSData> copyData(NSData* self) { return self; }

} // namespace

void registerDataClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSData>(runtime, "NSObject")
        .classMethod(sel::data, &emptyData)
        .classMethod(sel::dataWithBytesLength, &dataWithBytes)
        .method(sel::bytes, &bytesOf)
        .method(sel::length, &NSData::length)
        .method(sel::isEqualToData, &isEqualToData)
        .method(objc::sel::isEqual, &dataIsEqual)
        .method(objc::sel::copy, &copyData)
        .build();
}

} // namespace corefoundation
