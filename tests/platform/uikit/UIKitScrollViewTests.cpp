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

} // namespace

TEST_F(UIKitTest, DraggingMovesTheOffsetWithTheFingerWithinTheContent)
{
    showWindow();
    auto log = ScrollLog::make();
    auto scroll = UIScrollView::create(CGRectMake(0, 0, 375, 600));
    scroll->setContentSize(CGSizeMake(375, 1500));
    scroll->setDelegate(log);
    root->view()->addSubview(scroll);
    uikit::TouchDriver driver;
    driver.drag(CGPointMake(100, 500), CGPointMake(100, 300));
    EXPECT_NEAR(scroll->contentOffset().y, 200, 0.5);
    EXPECT_EQ(scroll->contentOffset().x, 0) << "content as wide as the view does not scroll sideways";
    EXPECT_EQ(log->events, (std::vector<std::string> { "scrollViewWillBeginDragging:", "didEndDragging" }));
    ASSERT_FALSE(log->scrolledTo.empty());
    EXPECT_NEAR(log->scrolledTo.back().y, 200, 0.5) << "didScroll reports the offset already moved";
    EXPECT_FALSE(scroll->isDragging());
    // Far past the end: held at content height - view height.
    driver.drag(CGPointMake(100, 590), CGPointMake(100, 10));
    driver.drag(CGPointMake(100, 590), CGPointMake(100, 10));
    EXPECT_EQ(scroll->contentOffset().y, 900);
    EXPECT_EQ(scroll->maximumContentOffset().y, 900);
    // And back past the top: held at 0.
    driver.drag(CGPointMake(100, 10), CGPointMake(100, 590), 0.5, 10, 0.1);
    driver.drag(CGPointMake(100, 10), CGPointMake(100, 590), 0.5, 10, 0.1);
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
    EXPECT_EQ(scroll->contentOffset().y, -64) << "the top inset can be pulled into view, no further";
    driver.drag(CGPointMake(100, 590), CGPointMake(100, 10));
    driver.drag(CGPointMake(100, 590), CGPointMake(100, 10));
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
    EXPECT_EQ(pages->contentOffset().y, 500);
    EXPECT_EQ(log->events, (std::vector<std::string> { "scrollViewWillBeginDragging:", "didEndDragging decelerate", "scrollViewWillBeginDecelerating:", "scrollViewDidEndDecelerating:" }));
    driver.swipe(CGPointMake(100, 400), CGPointMake(100, 300), 0.1); // a flick turns the page
    EXPECT_EQ(pages->contentOffset().y, 1000);
    driver.swipe(CGPointMake(100, 400), CGPointMake(100, 100), 0.1);
    EXPECT_EQ(pages->contentOffset().y, 1000) << "the last page is the last";
    driver.drag(CGPointMake(100, 100), CGPointMake(100, 180), 0.5, 10, 0.3); // short and slow
    EXPECT_EQ(pages->contentOffset().y, 1000);
    EXPECT_EQ(log->count("scrollViewDidEndDecelerating:"), 4u);
}

TEST_F(UIKitTest, ScrollingCanBeTurnedOffAndShortContentDoesNotScroll)
{
    showWindow();
    auto scroll = UIScrollView::create(CGRectMake(0, 0, 375, 600));
    scroll->setContentSize(CGSizeMake(375, 300));
    root->view()->addSubview(scroll);
    uikit::TouchDriver driver;
    driver.drag(CGPointMake(100, 500), CGPointMake(100, 100));
    EXPECT_EQ(scroll->contentOffset(), CGPointZero) << "content shorter than the view";
    scroll->setAlwaysBounceVertical(true);
    driver.drag(CGPointMake(100, 500), CGPointMake(100, 100));
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
    auto scroll = UIScrollView::create(CGRectMake(0, 0, 375, 600));
    scroll->setContentSize(CGSizeMake(375, 2000));
    root->view()->addSubview(scroll);
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

TEST_F(UIKitTest, AnimatedOffsetChangesReportTheirEnd)
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
    scroll->setContentOffset(CGPointMake(0, 120), true);
    EXPECT_EQ(log->events, (std::vector<std::string> { "scrollViewDidEndScrollingAnimation:" }));
    EXPECT_EQ(scroll->contentOffset().y, 120);
}
