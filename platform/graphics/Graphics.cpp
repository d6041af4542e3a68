#include "platform/graphics/Graphics.h"

#include "platform/graphics/UIBezierPath.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/runtime/Runtime.h"

#include <atomic>

void registerGraphicsClasses(objc::Runtime& runtime)
{
    if (!runtime.beginRegistering("graphics"))
        return;
    UIColor::registerClass(runtime);
    UIImage::registerClass(runtime);
    UIBezierPath::registerClass(runtime);
}

namespace graphics {

namespace {
std::atomic<double> s_mainScreenScale { 2.0 };
}

void setMainScreenScale(double scale)
{
    if (scale > 0)
        s_mainScreenScale.store(scale);
}

double mainScreenScale()
{
    return s_mainScreenScale.load();
}

void ensureGraphicsClasses()
{
    if (auto* runtime = objc::Runtime::currentOrNull())
        registerGraphicsClasses(*runtime);
}

} // namespace graphics
