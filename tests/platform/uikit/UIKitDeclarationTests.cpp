#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/CAShapeLayer.h"
#include "platform/uikit/MakeView.h"
#include "platform/uikit/QuartzCoreSelectors.h"
#include "platform/uikit/Renderer.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UISwitch.h"

using objc::Ref;

// UIKit's classes as declared with their selectors: class methods that make instances, subclasses
// that override through UIKit's declarations (and are refused with another signature), super-sends
// of the controls, and messages to delegates that answer only some of them.

namespace {

// A view whose drawRect: (declared through UIKit's selector) fills its bounds with red.
class RedView : public UIView {
    OBJC_CLASS(RedView)
public:
    int draws = 0;
    void drawRed(CGRect rect)
    {
        ++draws;
        CGContext* cg = UIGraphicsGetCurrentContext();
        CGContextSetRGBFillColor(cg, 1, 0, 0, 1);
        CGContextFillRect(cg, rect);
    }
};

// Hears scrollViewDidScroll: only.
class ScrollListener : public objc::NSObject {
    OBJC_CLASS(ScrollListener)
public:
    std::vector<CGPoint> offsets;
    void didScroll(UIScrollView* scrollView) { offsets.push_back(scrollView->contentOffset()); }
};

} // namespace

TEST_F(UIKitTest, EachLayerClassMakesItsOwnKindOfLayer)
{
    auto& rt = env.runtime();
    Ref<CALayer> plain = quartzcore::sel::layer(rt.requireClass("CALayer"));
    Ref<CALayer> shape = quartzcore::sel::layer(rt.requireClass("CAShapeLayer"));
    ASSERT_TRUE(plain && shape);
    EXPECT_EQ(objc::classNameOf(plain.ptr()), "CALayer");
    EXPECT_TRUE(dynamic_cast<CAShapeLayer*>(shape.ptr())) << "a shape layer, able to take a path";
    EXPECT_NE(plain.ptr(), quartzcore::sel::layer(rt.requireClass("CALayer")).ptr()) << "a new layer each time";
}

TEST_F(UIKitTest, AButtonMadeThroughTheRuntimeKeepsItsTypeAndParts)
{
    Ref<UIButton> button = uikit::sel::buttonWithType(env.runtime().requireClass("UIButton"), UIButtonTypeSystem);
    ASSERT_TRUE(button);
    EXPECT_EQ(uikit::sel::buttonType(button), UIButtonTypeSystem);
    uikit::sel::setTitleForState(button, "Done", UIControlStateNormal);
    Ref<UILabel> title = uikit::sel::titleLabel(button);
    ASSERT_TRUE(title);
    EXPECT_EQ(title->text(), "Done");
    EXPECT_FALSE(title->isHidden());
    // A null colour forgets the state's own: the system type falls back to the tint.
    uikit::sel::setTitleColorForState(button, UIColor::redColor().ptr(), UIControlStateNormal);
    uikit::sel::setTitleColorForState(button, nullptr, UIControlStateNormal);
    EXPECT_TRUE(CGColorEqualToColor(uikit::sel::titleColorForState(button, UIControlStateNormal)->CGColor().ptr(), button->tintColor()->CGColor().ptr()));
}

TEST_F(UIKitTest, ASubclassDrawsThroughUIKitsDrawRectAndAnotherSignatureIsRefused)
{
    auto& rt = env.runtime();
    objc::ClassBuilder<RedView>(rt, "UIView").method(uikit::sel::drawRect, &RedView::drawRed).build();
    auto view = uikit::makeView<RedView>(CGRectMake(0, 0, 20, 20));
    Ref<UIImage> picture = uikit::Renderer::renderView(view, 1);
    EXPECT_EQ(view->draws, 1);
    Pixel p = pixelAt(picture.ptr(), CGPointMake(10, 10));
    EXPECT_EQ(p.r, 255);
    EXPECT_EQ(p.g, 0);

    // drawRect: declared as taking a point instead of a rectangle: refused when the class is built.
    static constinit objc::Sel<void(CGPoint)> drawPoint { "drawRect:" };
    auto drawAt = +[](UIView*, CGPoint) { };
    EXPECT_THROW(objc::ClassBuilder<UIView>(rt, "PointDrawingView", "UIView").method(drawPoint, drawAt).build(), objc::RuntimeError);
    EXPECT_FALSE(rt.getClass("PointDrawingView"));
}

TEST_F(UIKitTest, AScrollViewTellsItsDelegateOnlyWhatItAnswers)
{
    auto& rt = env.runtime();
    objc::ClassBuilder<ScrollListener>(rt, "NSObject").method(uikit::sel::scrollViewDidScroll, &ScrollListener::didScroll).build();
    auto listener = objc::make<ScrollListener>();
    auto scroll = UIScrollView::create(CGRectMake(0, 0, 100, 100));
    scroll->setContentSize(CGSizeMake(100, 400));
    uikit::sel::setDelegate(scroll, listener);
    EXPECT_EQ(uikit::sel::delegate(scroll).ptr(), listener.ptr());

    scroll->setContentOffset(CGPointMake(0, 50), true);
    scroll->setContentOffset(CGPointMake(0, 50));
    ASSERT_EQ(listener->offsets.size(), 1u) << "an unchanged offset is no scroll; the animation's end is not answered";
    EXPECT_EQ(listener->offsets[0].y, 50);
    // Without viewForZoomingInScrollView: there is nothing to zoom.
    scroll->setMaximumZoomScale(3);
    scroll->setZoomScale(2);
    EXPECT_EQ(scroll->zoomScale(), 1);
}

TEST_F(UIKitTest, ASwitchKeepsItsOwnSizeThroughEveryWayOfFramingIt)
{
    auto toggle = UISwitch::create(CGRectMake(5, 6, 200, 100));
    EXPECT_EQ(toggle->frame(), CGRectMake(5, 6, 51, 31));
    uikit::sel::setFrame(toggle, CGRectMake(10, 20, 80, 80));
    EXPECT_EQ(toggle->frame(), CGRectMake(10, 20, 51, 31));
    toggle->layer()->setFrame(CGRectMake(1, 2, 3, 4));
    EXPECT_EQ(toggle->frame(), CGRectMake(1, 2, 51, 31)) << "through its layer too";
}
