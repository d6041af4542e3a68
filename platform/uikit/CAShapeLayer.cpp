#include "platform/uikit/CAShapeLayer.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/QuartzCoreSelectors.h"

void CAShapeLayer::registerClass(objc::Runtime& rt)
{
    namespace sel = quartzcore::sel;
    objc::ClassBuilder<CAShapeLayer>(rt, "CALayer")
        .classMethod(sel::layer, &CAShapeLayer::newLayer<CAShapeLayer>)
        .method(sel::setPath, &CAShapeLayer::setPath)
        .method(sel::path, &CAShapeLayer::path)
        .method(sel::setFillColor, &CAShapeLayer::setFillColor)
        .method(sel::setFillRule, &CAShapeLayer::setFillRule)
        .build();
}
