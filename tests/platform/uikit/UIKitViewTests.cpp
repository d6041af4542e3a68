#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/substrate/Substrate.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"

using objc::Ref;

TEST_F(UIKitTest, FrameFollowsCentreBoundsAndTransform)
{
    auto v = UIView::create(CGRectMake(10, 20, 100, 50));
    EXPECT_EQ(v->center(), CGPointMake(60, 45));
    EXPECT_EQ(v->bounds(), CGRectMake(0, 0, 100, 50));
    v->setTransform(CGAffineTransformMakeScale(2, 2));
    EXPECT_EQ(v->frame(), CGRectMake(-40, -5, 200, 100));
    EXPECT_EQ(v->bounds().size, CGSizeMake(100, 50)) << "a transform leaves the bounds alone";
    // Setting the frame under a scale sizes the bounds so that the transformed box is the frame.
    v->setFrame(CGRectMake(0, 0, 300, 100));
    EXPECT_EQ(v->bounds().size, CGSizeMake(150, 50));
    EXPECT_EQ(v->frame(), CGRectMake(0, 0, 300, 100));
}

TEST_F(UIKitTest, ConvertsPointsThroughScrollingAndTransforms)
{
    showWindow();
    auto outer = UIView::create(CGRectMake(100, 100, 200, 200));
    root->view()->addSubview(outer);
    auto inner = UIView::create(CGRectMake(10, 10, 50, 50));
    outer->addSubview(inner);
    outer->setBounds(CGRectMake(0, 40, 200, 200)); // scrolled down by 40
    EXPECT_EQ(inner->convertPointToView(CGPointZero, nullptr), CGPointMake(110, 70));
    inner->setTransform(CGAffineTransformMakeRotation(M_PI));
    CGPoint p = inner->convertPointToView(CGPointZero, nullptr);
    EXPECT_NEAR(p.x, 160, 1e-9);
    EXPECT_NEAR(p.y, 120, 1e-9);
    CGPoint back = inner->convertPointFromView(p, nullptr);
    EXPECT_NEAR(back.x, 0, 1e-9);
    EXPECT_NEAR(back.y, 0, 1e-9);
}

TEST_F(UIKitTest, HierarchyKeepsOrderAndFindsTagsBelow)
{
    auto parent = UIView::create();
    auto a = UIView::create(), b = UIView::create(), c = UIView::create();
    parent->addSubview(a);
    parent->addSubview(b);
    parent->insertSubviewBelowSubview(c, b);
    ASSERT_EQ(parent->subviews().size(), 3u);
    EXPECT_EQ(parent->subviews()[1].ptr(), c.ptr());
    parent->addSubview(a); // re-adding brings to the front
    EXPECT_EQ(parent->subviews().back().ptr(), a.ptr());
    auto deep = UIView::create();
    deep->setTag(121345);
    c->addSubview(deep);
    EXPECT_EQ(parent->viewWithTag(121345).ptr(), deep.ptr());
    EXPECT_EQ(a->viewWithTag(121345).ptr(), nullptr);
    deep->removeFromSuperview();
    EXPECT_EQ(deep->superview(), nullptr);
    EXPECT_EQ(parent->viewWithTag(121345).ptr(), nullptr);
    c->addSubview(parent); // a cycle is refused
    EXPECT_EQ(parent->superview(), nullptr);
}

TEST_F(UIKitTest, AutoresizingFollowsMasks)
{
    auto parent = UIView::create(CGRectMake(0, 0, 100, 100));
    auto fill = UIView::create(CGRectMake(10, 10, 80, 80));
    fill->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    auto corner = UIView::create(CGRectMake(70, 70, 20, 20));
    corner->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleTopMargin);
    parent->addSubview(fill);
    parent->addSubview(corner);
    parent->setFrame(CGRectMake(0, 0, 200, 150));
    EXPECT_EQ(fill->frame(), CGRectMake(10, 10, 180, 130));
    EXPECT_EQ(corner->frame(), CGRectMake(170, 120, 20, 20));
}

TEST_F(UIKitTest, HitTestingSkipsHiddenTransparentAndInertViews)
{
    showWindow();
    auto base = UIView::create(CGRectMake(0, 0, 200, 200));
    auto top = UIView::create(CGRectMake(50, 50, 100, 100));
    root->view()->addSubview(base);
    base->addSubview(top);
    EXPECT_EQ(window->hitTest(CGPointMake(60, 60), nullptr).ptr(), top.ptr());
    top->setHidden(true);
    EXPECT_EQ(window->hitTest(CGPointMake(60, 60), nullptr).ptr(), base.ptr());
    top->setHidden(false);
    top->setAlpha(0.005);
    EXPECT_EQ(window->hitTest(CGPointMake(60, 60), nullptr).ptr(), base.ptr());
    top->setAlpha(1);
    top->setUserInteractionEnabled(false);
    EXPECT_EQ(window->hitTest(CGPointMake(60, 60), nullptr).ptr(), base.ptr());
    // A label does not take touches by default; its superview does.
    auto label = UILabel::create(CGRectMake(0, 0, 50, 50));
    base->addSubview(label);
    EXPECT_EQ(window->hitTest(CGPointMake(10, 10), nullptr).ptr(), base.ptr());
    // A subview outside its superview's bounds cannot be hit there.
    auto outside = UIView::create(CGRectMake(250, 0, 50, 50));
    base->addSubview(outside);
    EXPECT_EQ(window->hitTest(CGPointMake(260, 10), nullptr).ptr(), root->view().ptr());
    // A higher z position is on top whatever the order.
    auto low = UIView::create(CGRectMake(0, 100, 40, 40));
    auto high = UIView::create(CGRectMake(0, 100, 40, 40));
    high->layer()->setZPosition(100);
    base->addSubview(high);
    base->addSubview(low);
    EXPECT_EQ(window->hitTest(CGPointMake(10, 110), nullptr).ptr(), high.ptr());
}

TEST_F(UIKitTest, ReplacedHitTestIsSeenByEveryCaller)
{
    showWindow();
    auto v = UIView::create(CGRectMake(0, 0, 100, 100));
    root->view()->addSubview(v);
    objc::Imp<Ref<UIView>(CGPoint, UIEvent*)> previous;
    MSHookMessageEx(objc::objc_getClass("UIView"), "hitTest:withEvent:", [&](UIView* self, objc::SEL cmd, CGPoint p, UIEvent* e) -> Ref<UIView> {
        auto hit = previous(self, cmd, p, e);
        return hit.ptr() == v.ptr() ? Ref<UIView>(nullptr) : hit;
    }, &previous);
    EXPECT_EQ(window->hitTest(CGPointMake(10, 10), nullptr).ptr(), root->view().ptr());
}

TEST_F(UIKitTest, LayoutRunsOnceMarkedAndOnTheRunLoop)
{
    auto& rt = env.runtime();
    objc::Class* sub = rt.registerClass("CountingView", rt.getClass("UIView"));
    int layouts = 0;
    sub->addMethod("layoutSubviews", [&](UIView*, objc::SEL) { ++layouts; });
    showWindow();
    Ref<UIView> v(objc::checkedObjectCast<UIView>(objc::msgSend<Ref<objc::Object>>(objc::msgSend<Ref<objc::Object>>(sub, "alloc"), "initWithFrame:", CGRectMake(0, 0, 10, 10)).ptr()));
    root->view()->addSubview(v);
    dispatch::RunLoop::main().runUntilIdle();
    EXPECT_EQ(layouts, 1);
    v->layoutIfNeeded();
    EXPECT_EQ(layouts, 1) << "nothing marked, nothing laid out";
    v->setFrame(CGRectMake(0, 0, 20, 20));
    dispatch::RunLoop::main().runUntilIdle();
    EXPECT_EQ(layouts, 2);
}

TEST_F(UIKitTest, AnimationsApplyAtOnceAndCompleteAfterTheirDuration)
{
    auto v = UIView::create(CGRectMake(0, 0, 10, 10));
    bool finished = false;
    UIView::animateWithDuration(0.3, [&] { v->setAlpha(0); }, [&](bool f) { finished = f; });
    EXPECT_EQ(v->alpha(), 0) << "the final state is applied at once";
    settle(0.29);
    EXPECT_FALSE(finished);
    settle(0.011);
    EXPECT_TRUE(finished);
    // Through the runtime, with a delay: 0.2 + 0.3.
    int done = 0;
    objc::msgSend(objc::objc_getClass("UIView"), "animateWithDuration:delay:options:animations:completion:", 0.3, 0.2, 0,
        UIViewAnimationsBlock([] {}), UIViewCompletionBlock([&](bool) { ++done; }));
    settle(0.49);
    EXPECT_EQ(done, 0);
    settle(0.02);
    EXPECT_EQ(done, 1);
}

TEST_F(UIKitTest, DidMoveToWindowReachesTheWholeSubtree)
{
    auto& rt = env.runtime();
    objc::Class* sub = rt.registerClass("WindowWatcher", rt.getClass("UIView"));
    std::vector<bool> seen;
    sub->addMethod("didMoveToWindow", [&](UIView* self, objc::SEL) { seen.push_back(self->window() != nullptr); });
    showWindow();
    auto parent = UIView::create();
    Ref<UIView> child(objc::checkedObjectCast<UIView>(objc::msgSend<Ref<objc::Object>>(sub, "new").ptr()));
    parent->addSubview(child);
    EXPECT_TRUE(seen.empty());
    root->view()->addSubview(parent);
    parent->removeFromSuperview();
    EXPECT_EQ(seen, (std::vector<bool> { true, false }));
}
