#include "NSData.h"

#include "Create.h"

objc::Ref<NSData> NSData::make(std::vector<std::uint8_t> bytes) { return corefoundation::create<NSData>(std::move(bytes)); }
objc::Ref<NSData> NSData::make(std::string_view bytes) { return make(std::vector<std::uint8_t>(bytes.begin(), bytes.end())); }

namespace corefoundation {

void registerDataClass(objc::Runtime& runtime)
{
    using objc::SEL;
    objc::Class* cls = runtime.registerClass<NSData>("NSObject");
    cls->addClassMethod("data", [](objc::Object*, SEL) { return NSData::make(std::vector<std::uint8_t> {}); });
    cls->addClassMethod("dataWithBytes:length:", [](objc::Object*, SEL, const void* bytes, std::uint64_t length) {
        auto* p = static_cast<const std::uint8_t*>(bytes);
        return NSData::make(p ? std::vector<std::uint8_t>(p, p + length) : std::vector<std::uint8_t> {});
    });
    cls->addMethod("bytes", [](NSData* self, SEL) { return static_cast<const void*>(self->bytes().data()); });
    cls->addMethod("length", [](NSData* self, SEL) { return static_cast<std::uint64_t>(self->length()); });
    cls->addMethod("isEqualToData:", [](NSData* self, SEL, NSData* other) { return other && other->bytes() == self->bytes(); });
    cls->addMethod("isEqual:", [](NSData* self, SEL, objc::Object* other) {
        auto* data = dynamic_cast<NSData*>(other);
        return data && data->bytes() == self->bytes();
    });
    cls->addMethod("copy", [](NSData* self, SEL) { return objc::Ref<NSData>(self); });
}

} // namespace corefoundation
