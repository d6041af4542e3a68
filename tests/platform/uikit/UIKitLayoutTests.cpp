#include "tests/platform/uikit/UIKitTestSupport.h"

#include <cmath>

using objc::Ref;

// Geometry, coordinate conversion, autoresizing, the layout cycle, tags and hit testing.

namespace {

void expectRectNear(CGRect actual, CGRect expected, double tolerance = 1e-6)
{
    EXPECT_NEAR(actual.origin.x, expected.origin.x, tolerance);
    EXPECT_NEAR(actual.origin.y, expected.origin.y, tolerance);
    EXPECT_NEAR(actual.size.width, expected.size.width, tolerance);
    EXPECT_NEAR(actual.size.height, expected.size.height, tolerance);
}

// A view of a new UIView subclass `name` that counts its layoutSubviews calls in `counter`.
Ref<UIView> makeCountingView(objc::Runtime& rt, const char* name, int& counter, CGRect frame)
{
    objc::Class* cls = rt.registerClass(name, rt.getClass("UIView"));
    cls->addMethod("layoutSubviews", [&counter](UIView*, objc::SEL) { ++counter; });
    return Ref<UIView>(objc::checkedObjectCast<UIView>(objc::msgSend<Ref<objc::Object>>(objc::msgSend<Ref<objc::Object>>(cls, "alloc"), "initWithFrame:", frame).ptr()));
}

} // namespace

TEST_F(UIKitTest, TransformsKeepTheCentreAndTheFrameIsTheirBoundingBox)
{
    auto v = UIView::create(CGRectMake(100, 100, 100, 50));
    CGPoint centre = v->center();
    v->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    EXPECT_NEAR(v->center().x, centre.x, 1e-9);
    EXPECT_NEAR(v->center().y, centre.y, 1e-9);
    expectRectNear(v->frame(), CGRectMake(125, 75, 50, 100));
    v->setTransform(CGAffineTransformMakeRotation(M_PI / 4));
    double side = 150 / std::sqrt(2.0);
    expectRectNear(v->frame(), CGRectMake(150 - side / 2, 125 - side / 2, side, side));
    EXPECT_EQ(v->bounds().size, CGSizeMake(100, 50)) << "rotation never touches the bounds";

    // Setting the frame of a view turned a quarter sizes the bounds the other way round.
    v->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    v->setFrame(CGRectMake(0, 0, 40, 80));
    EXPECT_NEAR(v->bounds().size.width, 80, 1e-6);
    EXPECT_NEAR(v->bounds().size.height, 40, 1e-6);
    expectRectNear(v->frame(), CGRectMake(0, 0, 40, 80));

    // A translation moves the frame but not the centre; back to identity, all is as it was.
    v->setTransform(CGAffineTransformMakeTranslation(10, -5));
    EXPECT_NEAR(v->center().x, 20, 1e-9);
    expectRectNear(v->frame(), CGRectMake(-10, 15, 80, 40));
    v->setTransform(CGAffineTransformIdentity);
    expectRectNear(v->frame(), CGRectMake(-20, 20, 80, 40));
}

TEST_F(UIKitTest, ConvertsBetweenViewsInDifferentBranches)
{
    showWindow();
    // Two branches under the root view: a scrolled one and a scaled one.
    auto left = UIView::create(CGRectMake(0, 100, 150, 300));
    left->setBounds(CGRectMake(0, 50, 150, 300));
    auto leftChild = UIView::create(CGRectMake(10, 60, 40, 40));
    left->addSubview(leftChild);
    auto right = UIView::create(CGRectMake(200, 100, 100, 100));
    right->setTransform(CGAffineTransformMakeScale(2, 2));
    auto rightChild = UIView::create(CGRectMake(0, 0, 10, 10));
    right->addSubview(rightChild);
    root->view()->addSubview(left);
    root->view()->addSubview(right);

    // leftChild's origin is at (10, 100 + 60 - 50) on the screen; right's origin is at (150, 50).
    CGPoint p = leftChild->convertPointToView(CGPointZero, rightChild);
    EXPECT_NEAR(p.x, (10 - 150) / 2.0, 1e-9);
    EXPECT_NEAR(p.y, (110 - 50) / 2.0, 1e-9);
    CGPoint back = leftChild->convertPointFromView(p, rightChild);
    EXPECT_NEAR(back.x, 0, 1e-9);
    EXPECT_NEAR(back.y, 0, 1e-9);
    expectRectNear(leftChild->convertRectToView(leftChild->bounds(), rightChild), CGRectMake(-70, 30, 20, 20));
    expectRectNear(rightChild->convertRectFromView(leftChild->bounds(), leftChild), CGRectMake(-70, 30, 20, 20));
}

TEST_F(UIKitTest, ConvertingARectIntoARotatedViewGivesItsBoundingBox)
{
    showWindow();
    auto turned = UIView::create(CGRectMake(50, 50, 100, 100));
    turned->setTransform(CGAffineTransformMakeRotation(M_PI / 4));
    root->view()->addSubview(turned);
    CGRect square = CGRectMake(90, 90, 20, 20); // about the view's centre, on the screen
    double half = 10 * std::sqrt(2.0);
    CGRect expected = CGRectMake(50 - half, 50 - half, 2 * half, 2 * half);
    expectRectNear(turned->convertRectFromView(square, window), expected);
    SCOPED_TRACE("from the window's coordinates, as from the window");
    expectRectNear(turned->convertRectFromView(square, nullptr), expected);
    // And out again: the box of the box.
    expectRectNear(turned->convertRectToView(turned->bounds(), nullptr), turned->frame());
}

TEST_F(UIKitTest, AutoresizingLeavesFixedEdgesAndSharesAmongFlexibleOnes)
{
    auto parent = UIView::create(CGRectMake(0, 0, 100, 100));
    auto pinned = UIView::create(CGRectMake(10, 10, 30, 30)); // no mask: stays put
    auto topLeft = UIView::create(CGRectMake(10, 10, 30, 30));
    topLeft->setAutoresizingMask(UIViewAutoresizingFlexibleRightMargin | UIViewAutoresizingFlexibleBottomMargin);
    auto centred = UIView::create(CGRectMake(40, 40, 20, 20));
    centred->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin | UIViewAutoresizingFlexibleTopMargin | UIViewAutoresizingFlexibleBottomMargin);
    auto stretch = UIView::create(CGRectMake(20, 0, 60, 10));
    stretch->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleWidth);
    for (UIView* v : std::initializer_list<UIView*> { pinned, topLeft, centred, stretch })
        parent->addSubview(v);
    parent->setFrame(CGRectMake(0, 0, 200, 300));
    EXPECT_EQ(pinned->frame(), CGRectMake(10, 10, 30, 30));
    EXPECT_EQ(topLeft->frame(), CGRectMake(10, 10, 30, 30));
    EXPECT_EQ(centred->frame(), CGRectMake(90, 140, 20, 20)) << "stays centred";
    // 100 more points shared 20 : 60 between the left margin and the width.
    EXPECT_EQ(stretch->frame(), CGRectMake(45, 0, 135, 10));
    // Through setBounds as well, and back to where it began.
    parent->setBounds(CGRectMake(0, 0, 100, 100));
    EXPECT_EQ(centred->frame(), CGRectMake(40, 40, 20, 20));
    EXPECT_EQ(stretch->frame(), CGRectMake(20, 0, 60, 10));
    // A parent that does not autoresize leaves its subviews alone.
    parent->setAutoresizesSubviews(false);
    parent->setFrame(CGRectMake(0, 0, 400, 400));
    EXPECT_EQ(centred->frame(), CGRectMake(40, 40, 20, 20));
}

TEST_F(UIKitTest, LayoutSubviewsRunsOncePerMarkedCycle)
{
    int layouts = 0, childLayouts = 0;
    auto v = makeCountingView(env.runtime(), "CountingA", layouts, CGRectMake(0, 0, 50, 50));
    dispatch::RunLoop::main().runUntilIdle();
    layouts = 0;
    v->setNeedsLayout();
    v->setNeedsLayout();
    v->setNeedsLayout();
    v->layoutIfNeeded();
    EXPECT_EQ(layouts, 1) << "three marks, one layout";
    v->layoutIfNeeded();
    EXPECT_EQ(layouts, 1);
    EXPECT_FALSE(v->needsLayout());

    // A marked subview is laid out by its ancestor's layoutIfNeeded, the unmarked ancestor is not.
    objc::Class* childClass = env.runtime().registerClass("ChildCountingView", env.runtime().getClass("UIView"));
    childClass->addMethod("layoutSubviews", [&childLayouts](UIView*, objc::SEL) { ++childLayouts; });
    Ref<UIView> child(objc::checkedObjectCast<UIView>(objc::msgSend<Ref<objc::Object>>(childClass, "new").ptr()));
    v->addSubview(child); // marks v too
    v->layoutIfNeeded();
    EXPECT_EQ(layouts, 2);
    EXPECT_EQ(childLayouts, 1);
    child->setNeedsLayout();
    v->layoutIfNeeded();
    EXPECT_EQ(layouts, 2);
    EXPECT_EQ(childLayouts, 2);
    // Changing only the position does not ask for a layout; changing the size does.
    v->setCenter(CGPointMake(100, 100));
    v->layoutIfNeeded();
    EXPECT_EQ(layouts, 2);
    v->setBounds(CGRectMake(0, 0, 60, 60));
    v->layoutIfNeeded();
    EXPECT_EQ(layouts, 3);
}

TEST_F(UIKitTest, LayoutPassOnTheRunLoopReachesEveryWindowOnce)
{
    int layouts = 0;
    showWindow();
    auto v = makeCountingView(env.runtime(), "CountingB", layouts, CGRectMake(0, 0, 50, 50));
    root->view()->addSubview(v);
    dispatch::RunLoop::main().runUntilIdle();
    layouts = 0;
    v->setNeedsLayout();
    v->setFrame(CGRectMake(0, 0, 70, 70));
    EXPECT_EQ(layouts, 0) << "nothing is laid out before the run loop turns";
    dispatch::RunLoop::main().runUntilIdle();
    EXPECT_EQ(layouts, 1);
    // A view outside any window is not laid out by the pass.
    int loose = 0;
    auto orphan = makeCountingView(env.runtime(), "CountingC", loose, CGRectMake(0, 0, 10, 10));
    dispatch::RunLoop::main().runUntilIdle();
    EXPECT_EQ(loose, 0);
    EXPECT_TRUE(orphan->needsLayout());
}

TEST_F(UIKitTest, ViewWithTagSearchesDepthFirstInSubviewOrder)
{
    auto top = UIView::create();
    auto first = UIView::create(), second = UIView::create(), deepInFirst = UIView::create();
    first->addSubview(deepInFirst);
    top->addSubview(first);
    top->addSubview(second);
    deepInFirst->setTag(7);
    second->setTag(7);
    EXPECT_EQ(top->viewWithTag(7).ptr(), deepInFirst.ptr()) << "the first branch is searched to its end before the next";
    top->exchangeSubviewAtIndex(0, 1);
    EXPECT_EQ(top->viewWithTag(7).ptr(), second.ptr());
    top->setTag(7);
    EXPECT_EQ(top->viewWithTag(7).ptr(), top.ptr()) << "the receiver itself comes first";
    // Tag 0 is every untagged view: the receiver.
    EXPECT_EQ(first->viewWithTag(0).ptr(), first.ptr());
    EXPECT_EQ(second->viewWithTag(99).ptr(), nullptr);
    // Through the runtime too.
    auto found = objc::msgSend<Ref<UIView>>(first, "viewWithTag:", NSInteger(7));
    EXPECT_EQ(found.ptr(), deepInFirst.ptr());
}

TEST_F(UIKitTest, HitTestingFollowsAncestorsBoundsAndTransforms)
{
    showWindow();
    auto parent = UIView::create(CGRectMake(0, 0, 100, 100));
    auto child = UIView::create(CGRectMake(80, 80, 60, 60)); // pokes out of its parent
    parent->addSubview(child);
    root->view()->addSubview(parent);
    EXPECT_EQ(window->hitTest(CGPointMake(90, 90), nullptr).ptr(), child.ptr());
    EXPECT_EQ(window->hitTest(CGPointMake(120, 120), nullptr).ptr(), root->view().ptr()) << "outside the parent the child is not hit";
    parent->setClipsToBounds(true);
    EXPECT_EQ(window->hitTest(CGPointMake(120, 120), nullptr).ptr(), root->view().ptr());
    EXPECT_EQ(window->hitTest(CGPointMake(90, 90), nullptr).ptr(), child.ptr());

    // An inert or hidden ancestor takes its whole subtree out; alpha 0.01 is still touchable.
    parent->setUserInteractionEnabled(false);
    EXPECT_EQ(window->hitTest(CGPointMake(90, 90), nullptr).ptr(), root->view().ptr());
    parent->setUserInteractionEnabled(true);
    parent->setHidden(true);
    EXPECT_EQ(window->hitTest(CGPointMake(90, 90), nullptr).ptr(), root->view().ptr());
    parent->setHidden(false);
    child->setAlpha(0.01);
    EXPECT_EQ(window->hitTest(CGPointMake(90, 90), nullptr).ptr(), child.ptr());
    child->setAlpha(0.009);
    EXPECT_EQ(window->hitTest(CGPointMake(90, 90), nullptr).ptr(), parent.ptr());
    child->setAlpha(1);

    // Scrolled bounds move where the child is hit.
    parent->setBounds(CGRectMake(0, 50, 100, 100));
    EXPECT_EQ(window->hitTest(CGPointMake(90, 40), nullptr).ptr(), child.ptr());
    EXPECT_EQ(window->hitTest(CGPointMake(90, 85), nullptr).ptr(), child.ptr());
    EXPECT_EQ(window->hitTest(CGPointMake(90, 95), nullptr).ptr(), parent.ptr()) << "below the scrolled child";
    parent->setBounds(CGRectMake(0, 0, 100, 100));

    // A view rotated a quarter turn is hit where it shows, not where its untransformed frame was.
    auto bar = UIView::create(CGRectMake(200, 300, 100, 20)); // centre (250, 310)
    bar->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    root->view()->addSubview(bar);
    EXPECT_EQ(window->hitTest(CGPointMake(250, 350), nullptr).ptr(), bar.ptr());
    EXPECT_EQ(window->hitTest(CGPointMake(210, 310), nullptr).ptr(), root->view().ptr());
}
