#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/graphics/UIGraphics.h"
#include "platform/substrate/Substrate.h"
#include "platform/uikit/Renderer.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"

using objc::Ref;
using objc::SEL;

// Views draw themselves through their runtime drawRect:, so a runtime subclass or a replacement
// installed with MSHookMessageEx changes what the screen shows.

namespace {

// Whether any pixel in the rectangle (points) is dark, as text ink is.
bool hasDarkInk(UIImage* image, CGRect rect)
{
    for (double y = rect.origin.y; y < CGRectGetMaxY(rect); y += 0.5)
        for (double x = rect.origin.x; x < CGRectGetMaxX(rect); x += 0.5) {
            Pixel p = pixelAt(image, CGPointMake(x, y));
            if (p.a > 200 && p.r + p.g + p.b < 150)
                return true;
        }
    return false;
}

Ref<UIImage> solidImage(UIColor* colour)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(20, 20), true, 1);
    colour->setFill();
    UIRectFill(CGRectMake(0, 0, 20, 20));
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

template<class T>
Ref<T> instanceOf(objc::Class* cls, CGRect frame)
{
    return Ref<T>(objc::checkedObjectCast<T>(objc::msgSend<Ref<objc::Object>>(objc::msgSend<Ref<objc::Object>>(cls, "alloc"), "initWithFrame:", frame).ptr()));
}

} // namespace

TEST_F(UIKitTest, ALabelSubclassDrawsOverItsSuperclassOrInsteadOfIt)
{
    auto& rt = env.runtime();
    // One subclass underlines the label's text after letting UILabel draw it; the other only
    // draws its underline.
    objc::Class* underlined = rt.registerClass("UnderlinedLabel", rt.getClass("UILabel"));
    underlined->addMethod("drawRect:", [underlined](UILabel* self, SEL, CGRect rect) {
        objc::msgSendSuper(underlined, self, "drawRect:", rect);
        UIColor::redColor()->setFill();
        UIRectFill(CGRectMake(0, self->bounds().size.height - 2, self->bounds().size.width, 2));
    });
    objc::Class* bare = rt.registerClass("BareUnderline", rt.getClass("UILabel"));
    bare->addMethod("drawRect:", [](UILabel* self, SEL, CGRect) {
        UIColor::redColor()->setFill();
        UIRectFill(CGRectMake(0, self->bounds().size.height - 2, self->bounds().size.width, 2));
    });

    for (objc::Class* cls : { underlined, bare }) {
        auto canvas = UIView::create(CGRectMake(0, 0, 200, 40));
        canvas->setBackgroundColor(UIColor::whiteColor());
        Ref<UILabel> label = instanceOf<UILabel>(cls, CGRectMake(0, 0, 200, 40));
        label->setText("Ovrimo");
        canvas->addSubview(label);
        auto image = uikit::Renderer::renderView(canvas, 2);
        EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(100, 39)), 255, 0, 0)) << cls->name() << ": its own drawing";
        EXPECT_EQ(hasDarkInk(image, CGRectMake(2, 8, 80, 24)), cls == underlined) << cls->name() << ": the text only through super";
    }
}

TEST_F(UIKitTest, AReplacedImageViewDrawRectChangesTheScreenAndCanCallThrough)
{
    showWindow();
    auto imageView = UIImageView::createWithImage(solidImage(UIColor::blueColor()));
    imageView->setFrame(CGRectMake(50, 100, 40, 40));
    root->view()->addSubview(imageView);
    EXPECT_TRUE(isColour(pixelAt(uikit::Renderer::renderWindow(window), CGPointMake(70, 120)), 0, 0, 255));

    // A frame drawn over the picture; the picture itself only while the replacement calls through.
    bool callThrough = true;
    objc::Imp<void(CGRect)> previous;
    MSHookMessageEx(env.runtime().getClass("UIImageView"), "drawRect:", [&](UIImageView* self, SEL cmd, CGRect rect) {
        if (callThrough)
            previous(self, cmd, rect);
        UIColor::greenColor()->setFill();
        UIRectFill(CGRectMake(0, 0, self->bounds().size.width, 4));
    }, &previous);

    auto image = uikit::Renderer::renderWindow(window);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(70, 102)), 0, 255, 0)) << "the replacement draws";
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(70, 120)), 0, 0, 255)) << "and the original still draws the picture";
    callThrough = false;
    image = uikit::Renderer::renderWindow(window);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(70, 102)), 0, 255, 0));
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(70, 120)), 255, 255, 255)) << "no picture without the original";
}

TEST_F(UIKitTest, OneViewsDrawingStateDoesNotReachTheNext)
{
    auto& rt = env.runtime();
    // The first view moves the origin and picks red, and fills nothing; the second fills a square
    // with whatever fill it finds.
    objc::Class* meddler = rt.registerClass("MeddlingView", rt.getClass("UIView"));
    meddler->addMethod("drawRect:", [](UIView*, SEL, CGRect) {
        CGContextTranslateCTM(UIGraphicsGetCurrentContext(), 30, 0);
        UIColor::redColor()->setFill();
    });
    objc::Class* filler = rt.registerClass("FillingView", rt.getClass("UIView"));
    filler->addMethod("drawRect:", [](UIView*, SEL, CGRect) { UIRectFill(CGRectMake(0, 0, 10, 10)); });

    auto canvas = UIView::create(CGRectMake(0, 0, 100, 40));
    canvas->setBackgroundColor(UIColor::whiteColor());
    canvas->addSubview(instanceOf<UIView>(meddler, CGRectMake(0, 0, 20, 20)));
    canvas->addSubview(instanceOf<UIView>(filler, CGRectMake(40, 0, 20, 20)));
    auto image = uikit::Renderer::renderView(canvas, 2);
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(45, 5)), 0, 0, 0)) << "the default fill, at the view's own origin";
    EXPECT_TRUE(isColour(pixelAt(image, CGPointMake(75, 5)), 255, 255, 255));
}

TEST_F(UIKitTest, DrawRectWithoutACurrentContextDrawsNothing)
{
    auto label = UILabel::create(CGRectMake(0, 0, 100, 20));
    label->setText("nowhere");
    ASSERT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    objc::msgSend(label, "drawRect:", label->bounds());
    objc::msgSend(UIImageView::createWithImage(solidImage(UIColor::redColor())), "drawRect:", CGRectMake(0, 0, 20, 20));
}
