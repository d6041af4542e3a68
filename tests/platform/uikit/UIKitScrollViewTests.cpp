#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UISlider.h"

using objc::Ref;

// Scrolling by touch: offsets follow the finger within the content (and its insets), paging
// settles on pages, and the delegate hears about it in order.

namespace {

// Logs the scroll-view delegate messages it receives.
class ScrollLog : public objc::NSObject {
    OBJC_CLASS(ScrollLogDelegate)
public:
    std::vector<std::string> events;
    std::vector<CGPoint> scrolledTo;

    static objc::Ref<ScrollLog> make()
    {
        auto& rt = objc::Runtime::current();
        if (!rt.getClass("ScrollLogDelegate")) {
            objc::Class* c = rt.registerClass<ScrollLog>("NSObject");
            for (const char* sel : { "scrollViewWillBeginDragging:", "scrollViewWillBeginDecelerating:", "scrollViewDidEndDecelerating:", "scrollViewDidEndScrollingAnimation:" })
                c->addMethod(sel, [](ScrollLog* self, objc::SEL cmd, UIScrollView*) { self->events.emplace_back(objc::sel_getName(cmd)); });
            c->addMethod("scrollViewDidScroll:", [](ScrollLog* self, objc::SEL, UIScrollView* s) { self->scrolledTo.push_back(s->contentOffset()); });
            c->addMethod("scrollViewDidEndDragging:willDecelerate:", [](ScrollLog* self, objc::SEL, UIScrollView*, bool decelerate) {
                self->events.push_back(decelerate ? "didEndDragging decelerate" : "didEndDragging");
            });
        }
        return objc::make<ScrollLog>();
    }
    size_t count(const std::string& e) const { return static_cast<size_t>(std::count(events.begin(), events.end(), e)); }
};

// A scroll view over `content`, shown in `parent`, telling `delegate` (when given) what it does.
Ref<UIScrollView> addScrollView(UIView* parent, CGRect frame, CGSize content, objc::Object* delegate = nullptr)
{
    auto scroll = UIScrollView::create(frame);
    scroll->setContentSize(content);
    if (delegate)
        scroll->setDelegate(delegate);
    parent->addSubview(scroll);
    return scroll;
}

} // namespace

TEST_F(UIKitTest, DraggingMovesTheOffsetWithTheFingerAndPastAnEdgeLikeARubberBand)
{
    showWindow();
    auto log = ScrollLog::make();
    auto scroll = addScrollView(root->view(), CGRectMake(0, 0, 375, 600), CGSizeMake(375, 1500), log);
    uikit::TouchDriver driver;
    driver.drag(CGPointMake(100, 500), CGPointMake(100, 300));
    EXPECT_NEAR(scroll->contentOffset().y, 200, 0.5);
    EXPECT_EQ(scroll->contentOffset().x, 0) << "content as wide as the view does not scroll sideways";
    EXPECT_EQ(log->events, (std::vector<std::string> { "scrollViewWillBeginDragging:", "didEndDragging" }));
    ASSERT_FALSE(log->scrolledTo.empty());
    EXPECT_NEAR(log->scrolledTo.back().y, 200, 0.5) << "didScroll reports the offset already moved";
    EXPECT_FALSE(scroll->isDragging());
    // Far past the end: the content follows less and less (a rubber band), and once let go it
    // glides home to content height - view height.
    driver.drag(CGPointMake(100, 590), CGPointMake(100, 10));
    driver.drag(CGPointMake(100, 590), CGPointMake(100, 10));
    driver.wait(0.6);
    driver.touchDown(CGPointMake(100, 590));
    double before = scroll->contentOffset().y;
    ASSERT_EQ(before, 900);
    for (int y = 570; y >= 10; y -= 20) {
        driver.wait(0.016);
        driver.touchMove(CGPointMake(100, y));
    }
    double overshoot = scroll->contentOffset().y - 900;
    EXPECT_GT(overshoot, 30) << "pulled 580 points past the end, the content should give";
    EXPECT_LT(overshoot, 580 * 0.55) << "past an edge the content must not follow the finger one for one";
    driver.wait(0.2);
    driver.touchUp(CGPointMake(100, 10));
    driver.wait(0.2);
    EXPECT_GT(scroll->contentOffset().y, 900) << "it glides home, not jumps";
    driver.wait(0.4);
    EXPECT_EQ(scroll->contentOffset().y, 900);
    EXPECT_EQ(scroll->maximumContentOffset().y, 900);

    // Without bouncing, a pull past the top holds at 0 all along.
    scroll->setBounces(false);
    log->scrolledTo.clear();
    driver.drag(CGPointMake(100, 10), CGPointMake(100, 590), 0.5, 10, 0.1);
    driver.drag(CGPointMake(100, 10), CGPointMake(100, 590), 0.5, 10, 0.1);
    driver.wait(0.6);
    EXPECT_EQ(scroll->contentOffset().y, 0);
    for (CGPoint p : log->scrolledTo) {
        EXPECT_GE(p.y, 0);
        EXPECT_LE(p.y, 900);
    }
}

TEST_F(UIKitTest, ContentInsetWidensTheScrollableRange)
{
    showWindow();
    auto scroll = UIScrollView::create(CGRectMake(0, 0, 375, 600));
    scroll->setContentSize(CGSizeMake(375, 1000));
    scroll->setContentInset(UIEdgeInsetsMake(64, 0, 50, 0));
    root->view()->addSubview(scroll);
    EXPECT_EQ(scroll->minimumContentOffset(), CGPointMake(0, -64));
    EXPECT_EQ(scroll->maximumContentOffset(), CGPointMake(0, 450));
    uikit::TouchDriver driver;
    driver.drag(CGPointMake(100, 100), CGPointMake(100, 500));
    driver.wait(0.6);
    EXPECT_EQ(scroll->contentOffset().y, -64) << "the top inset can be pulled into view, and rests there";
    driver.drag(CGPointMake(100, 590), CGPointMake(100, 10));
    driver.drag(CGPointMake(100, 590), CGPointMake(100, 10));
    driver.wait(0.6);
    EXPECT_EQ(scroll->contentOffset().y, 450);
    // scrollRectToVisible keeps within the same range.
    scroll->scrollRectToVisible(CGRectMake(0, 0, 10, 10), false);
    EXPECT_EQ(scroll->contentOffset().y, 0);
    scroll->scrollRectToVisible(CGRectMake(0, 5000, 10, 10), false);
    EXPECT_EQ(scroll->contentOffset().y, 450);
}

TEST_F(UIKitTest, VerticalPagingSettlesOnWholePagesAndNeverPastTheLast)
{
    showWindow();
    auto log = ScrollLog::make();
    auto pages = UIScrollView::create(CGRectMake(0, 0, 375, 500));
    pages->setContentSize(CGSizeMake(375, 1500));
    pages->setPagingEnabled(true);
    pages->setDelegate(log);
    root->view()->addSubview(pages);
    uikit::TouchDriver driver;
    driver.drag(CGPointMake(100, 450), CGPointMake(100, 150), 0.5, 10, 0.3); // 300 of 500: more than half
    EXPECT_EQ(pages->contentOffset().y, 300) << "the page glides into place after the finger lifts";
    EXPECT_TRUE(pages->isDecelerating());
    driver.wait(0.5);
    EXPECT_EQ(pages->contentOffset().y, 500);
    EXPECT_FALSE(pages->isDecelerating());
    EXPECT_EQ(log->events, (std::vector<std::string> { "scrollViewWillBeginDragging:", "didEndDragging decelerate", "scrollViewWillBeginDecelerating:", "scrollViewDidEndDecelerating:" }));
    driver.swipe(CGPointMake(100, 400), CGPointMake(100, 300), 0.1); // a flick turns the page
    driver.wait(0.5);
    EXPECT_EQ(pages->contentOffset().y, 1000);
    driver.swipe(CGPointMake(100, 400), CGPointMake(100, 100), 0.1);
    driver.wait(0.5);
    EXPECT_EQ(pages->contentOffset().y, 1000) << "the last page is the last";
    driver.drag(CGPointMake(100, 100), CGPointMake(100, 180), 0.5, 10, 0.3); // short and slow
    driver.wait(0.5);
    EXPECT_EQ(pages->contentOffset().y, 1000);
    EXPECT_EQ(log->count("scrollViewDidEndDecelerating:"), 4u);
    // Past the last page the finger pulls the content a little way (a rubber band); a page
    // glide itself never leaves the content.
    for (CGPoint p : log->scrolledTo) {
        EXPECT_GE(p.y, 0);
        EXPECT_LE(p.y, 1000 + 150);
    }
}

TEST_F(UIKitTest, ScrollingCanBeTurnedOffAndShortContentDoesNotScroll)
{
    showWindow();
    auto scroll = addScrollView(root->view(), CGRectMake(0, 0, 375, 600), CGSizeMake(375, 300));
    uikit::TouchDriver driver;
    driver.drag(CGPointMake(100, 500), CGPointMake(100, 100));
    EXPECT_EQ(scroll->contentOffset(), CGPointZero) << "content shorter than the view";
    scroll->setAlwaysBounceVertical(true);
    driver.drag(CGPointMake(100, 500), CGPointMake(100, 100));
    EXPECT_GT(scroll->contentOffset().y, 0) << "bouncing, the content gives under the finger";
    driver.wait(0.6);
    EXPECT_EQ(scroll->contentOffset(), CGPointZero) << "bouncing never rests past the content";
    scroll->setContentSize(CGSizeMake(375, 3000));
    scroll->setScrollEnabled(false);
    driver.drag(CGPointMake(100, 500), CGPointMake(100, 100));
    EXPECT_EQ(scroll->contentOffset(), CGPointZero);
    scroll->setScrollEnabled(true);
    driver.drag(CGPointMake(100, 500), CGPointMake(100, 100));
    EXPECT_NEAR(scroll->contentOffset().y, 400, 0.5);
}

TEST_F(UIKitTest, ContentScrolledIntoViewTakesTaps)
{
    showWindow();
    auto rec = ActionRecorder::make();
    auto scroll = addScrollView(root->view(), CGRectMake(0, 0, 375, 600), CGSizeMake(375, 2000));
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setFrame(CGRectMake(50, 1500, 100, 44));
    button->addTarget(rec, "upInside:", UIControlEventTouchUpInside);
    scroll->addSubview(button);
    scroll->setContentOffset(CGPointMake(0, 1200));
    uikit::TouchDriver driver;
    EXPECT_EQ(driver.touchDown(CGPointMake(60, 310)), button.ptr());
    driver.touchUp(CGPointMake(60, 310));
    EXPECT_EQ(rec->count("upInside:"), 1u);
    // A drag that starts on the button scrolls and cancels the button.
    button->addTarget(rec, "cancel:", UIControlEventTouchCancel);
    driver.drag(CGPointMake(60, 310), CGPointMake(60, 110));
    EXPECT_NEAR(scroll->contentOffset().y, 1400, 0.5);
    EXPECT_EQ(rec->count("upInside:"), 1u);
    EXPECT_EQ(rec->count("cancel:"), 1u);
}

TEST_F(UIKitTest, ControlsKeepTheirTouchesWhenTheScrollViewMayNotCancelThem)
{
    showWindow();
    auto scroll = UIScrollView::create(CGRectMake(0, 0, 375, 600));
    scroll->setContentSize(CGSizeMake(1000, 600));
    scroll->setCanCancelContentTouches(false);
    root->view()->addSubview(scroll);
    auto slider = UISlider::create(CGRectMake(10, 100, 228, 31));
    scroll->addSubview(slider);
    uikit::TouchDriver driver;
    driver.drag(CGPointMake(24, 115), CGPointMake(224, 115));
    EXPECT_EQ(scroll->contentOffset(), CGPointZero);
    EXPECT_EQ(slider->value(), 1) << "the slider got the whole drag";
    // Outside the slider the same drag scrolls.
    driver.drag(CGPointMake(300, 300), CGPointMake(100, 300));
    EXPECT_NEAR(scroll->contentOffset().x, 200, 0.5);
}

TEST_F(UIKitTest, AnimatedOffsetChangesGlideAndReportTheirEnd)
{
    auto log = ScrollLog::make();
    auto scroll = UIScrollView::create(CGRectMake(0, 0, 100, 100));
    scroll->setContentSize(CGSizeMake(100, 1000));
    scroll->setDelegate(log);
    scroll->setContentOffset(CGPointMake(0, 50), false);
    EXPECT_TRUE(log->events.empty());
    EXPECT_EQ(log->scrolledTo.size(), 1u);
    scroll->setContentOffset(CGPointMake(0, 50), false);
    EXPECT_EQ(log->scrolledTo.size(), 1u) << "no scroll, no message";

    scroll->setContentOffset(CGPointMake(0, 250), true);
    EXPECT_EQ(scroll->contentOffset().y, 50) << "nothing moves before the first frame";
    settle(0.15);
    EXPECT_NEAR(scroll->contentOffset().y, 150, 10) << "half-way through the glide, about half-way there";
    EXPECT_TRUE(log->events.empty());
    settle(0.2);
    EXPECT_EQ(scroll->contentOffset().y, 250);
    EXPECT_EQ(log->events, (std::vector<std::string> { "scrollViewDidEndScrollingAnimation:" }));
    EXPECT_GE(log->scrolledTo.size(), 15u) << "didScroll once a frame";
    EXPECT_TRUE(std::is_sorted(log->scrolledTo.begin(), log->scrolledTo.end(), [](CGPoint a, CGPoint b) { return a.y < b.y; }));

    // Eased: the first and last frames move less than the middle ones.
    std::vector<double> steps;
    for (size_t i = 2; i < log->scrolledTo.size(); ++i)
        steps.push_back(log->scrolledTo[i].y - log->scrolledTo[i - 1].y);
    EXPECT_LT(steps.front(), steps[steps.size() / 2]);
    EXPECT_LT(steps.back(), steps[steps.size() / 2]);

    // A plain offset set during a glide wins, and the glide never reports its end.
    log->events.clear();
    scroll->setContentOffset(CGPointMake(0, 600), true);
    settle(0.1);
    scroll->setContentOffset(CGPointMake(0, 10));
    settle(0.5);
    EXPECT_EQ(scroll->contentOffset().y, 10);
    EXPECT_TRUE(log->events.empty());
    // A second glide replaces the first: one end, at the second target.
    scroll->setContentOffset(CGPointMake(0, 600), true);
    settle(0.1);
    scroll->setContentOffset(CGPointMake(0, 300), true);
    settle(0.5);
    EXPECT_EQ(scroll->contentOffset().y, 300);
    EXPECT_EQ(log->events, (std::vector<std::string> { "scrollViewDidEndScrollingAnimation:" }));
}

TEST_F(UIKitTest, AFlickCoastsSlowingDownAndSpringsBackFromTheEdge)
{
    showWindow();
    auto log = ScrollLog::make();
    auto scroll = addScrollView(root->view(), CGRectMake(0, 0, 375, 600), CGSizeMake(375, 6000), log);
    uikit::TouchDriver driver;
    driver.swipe(CGPointMake(100, 500), CGPointMake(100, 300), 0.1); // 2000 points a second
    double released = scroll->contentOffset().y;
    EXPECT_NEAR(released, 200, 0.5);
    EXPECT_TRUE(scroll->isDecelerating());
    EXPECT_EQ(log->events, (std::vector<std::string> { "scrollViewWillBeginDragging:", "didEndDragging decelerate", "scrollViewWillBeginDecelerating:" }));
    driver.wait(0.1);
    double early = scroll->contentOffset().y - released;
    driver.wait(0.1);
    double later = scroll->contentOffset().y - released - early;
    EXPECT_GT(early, 100) << "it goes on at about the finger's speed";
    EXPECT_LT(later, early) << "and slows down";
    driver.wait(4);
    EXPECT_FALSE(scroll->isDecelerating());
    EXPECT_EQ(log->events.back(), "scrollViewDidEndDecelerating:");
    // At 0.998 a millisecond it travels about half a second's worth of its release speed.
    EXPECT_NEAR(scroll->contentOffset().y - released, 2000 * 0.4995, 25);

    // Thrown at the end: past it for a moment, then back to rest exactly on it.
    scroll->setContentOffset(CGPointMake(0, 5300));
    log->scrolledTo.clear();
    driver.swipe(CGPointMake(100, 500), CGPointMake(100, 300), 0.1);
    driver.wait(3);
    double furthest = 0;
    for (CGPoint p : log->scrolledTo)
        furthest = std::max(furthest, p.y);
    EXPECT_GT(furthest, 5400 + 5) << "it overshoots the edge";
    EXPECT_LT(furthest, 5400 + 150) << "but only a little";
    EXPECT_EQ(scroll->contentOffset().y, 5400);
    // Without bouncing it stops at the edge.
    scroll->setBounces(false);
    scroll->setContentOffset(CGPointMake(0, 5300));
    log->scrolledTo.clear();
    driver.swipe(CGPointMake(100, 500), CGPointMake(100, 300), 0.1);
    driver.wait(3);
    for (CGPoint p : log->scrolledTo)
        EXPECT_LE(p.y, 5400);
    EXPECT_EQ(scroll->contentOffset().y, 5400);
}

TEST_F(UIKitTest, AFingerCatchesACoastingScrollView)
{
    showWindow();
    auto log = ScrollLog::make();
    auto scroll = addScrollView(root->view(), CGRectMake(0, 0, 375, 600), CGSizeMake(375, 6000), log);
    uikit::TouchDriver driver;
    driver.swipe(CGPointMake(100, 500), CGPointMake(100, 300), 0.1);
    driver.wait(0.1);
    // A slow drag that rests before lifting: the coast stops once the finger moves the content,
    // and the drag throws nothing.
    driver.drag(CGPointMake(100, 300), CGPointMake(100, 250), 0.5, 10, 0.1);
    EXPECT_FALSE(scroll->isDecelerating());
    double caught = scroll->contentOffset().y;
    EXPECT_LT(caught, 1000) << "well short of where the coast would have gone";
    driver.wait(2);
    EXPECT_EQ(scroll->contentOffset().y, caught);
    EXPECT_EQ(log->count("scrollViewDidEndDecelerating:"), 0u) << "the caught coast never ended on its own";
}
