#include "platform/corefoundation/CoreFoundation.h"
#include "platform/dispatch/RunLoop.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Delivery {
    CFNotificationCenterRef center;
    void* observer;
    std::string name;
    const void* object;
    objc::Ref<NSDictionary> userInfo;
};

std::vector<Delivery> g_deliveries;

void record(CFNotificationCenterRef center, void* observer, const std::string& name, const void* object, NSDictionary* userInfo)
{
    g_deliveries.push_back({ center, observer, name, object, userInfo });
}

// Removes the second observer while the first is being told.
int g_second = 0;
void removeSecond(CFNotificationCenterRef center, void*, const std::string&, const void*, NSDictionary*)
{
    CFNotificationCenterRemoveObserver(center, &g_second, "", nullptr);
}

class NotificationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registerCoreFoundationClasses(env.runtime());
        g_deliveries.clear();
    }

    testing_support::TestEnvironment env;
    dispatch::RunLoop& loop = dispatch::RunLoop::main();
    int observerA = 0, observerB = 0;
};

TEST_F(NotificationTest, DarwinDeliversOnlyOnTheRunLoopAndOnlyTheName)
{
    auto darwin = CFNotificationCenterGetDarwinNotifyCenter();
    CFNotificationCenterAddObserver(darwin, &observerA, record, "com.zarnek.ovrimo.prefs", nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    CFNotificationCenterAddObserver(darwin, &observerB, record, "other", nullptr, CFNotificationSuspensionBehaviorCoalesce);
    int object = 0;
    auto info = NSDictionary::make({ { "appID", NSString::make("com.x") } });
    CFNotificationCenterPostNotification(darwin, "com.zarnek.ovrimo.prefs", &object, info, true);
    EXPECT_TRUE(g_deliveries.empty()) << "nothing is delivered inside the post";
    loop.runUntilIdle();
    ASSERT_EQ(g_deliveries.size(), 1u);
    EXPECT_EQ(g_deliveries[0].center, darwin);
    EXPECT_EQ(g_deliveries[0].observer, &observerA);
    EXPECT_EQ(g_deliveries[0].name, "com.zarnek.ovrimo.prefs");
    EXPECT_EQ(g_deliveries[0].object, nullptr);
    EXPECT_EQ(g_deliveries[0].userInfo, nullptr);
}

TEST_F(NotificationTest, DarwinObserverRemovedBeforeDeliveryHearsNothing)
{
    auto darwin = CFNotificationCenterGetDarwinNotifyCenter();
    CFNotificationCenterAddObserver(darwin, &observerA, record, "n", nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    CFNotificationCenterPostNotification(darwin, "n", nullptr, nullptr, true);
    CFNotificationCenterRemoveObserver(darwin, &observerA, "n", nullptr);
    loop.runUntilIdle();
    EXPECT_TRUE(g_deliveries.empty());
}

TEST_F(NotificationTest, LocalDeliversAtOnceWithObjectAndUserInfo)
{
    auto local = CFNotificationCenterGetLocalCenter();
    auto key = NSString::make("com.apple.mobilesafari");
    auto otherObject = NSString::make("other");
    CFNotificationCenterAddObserver(local, &observerA, record, "com.zarnek.ovrimo.iconimagechanged", nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    CFNotificationCenterAddObserver(local, &observerB, record, "com.zarnek.ovrimo.iconimagechanged", otherObject.ptr(), CFNotificationSuspensionBehaviorDeliverImmediately);
    auto info = NSDictionary::make({ { "appID", key } });
    CFNotificationCenterPostNotification(local, "com.zarnek.ovrimo.iconimagechanged", key.ptr(), info, true);
    ASSERT_EQ(g_deliveries.size(), 1u) << "delivered inside the post, only to observers of any object or this one";
    EXPECT_EQ(g_deliveries[0].observer, &observerA);
    EXPECT_EQ(g_deliveries[0].object, key.ptr());
    ASSERT_TRUE(g_deliveries[0].userInfo);
    EXPECT_EQ(g_deliveries[0].userInfo->stringForKey("appID"), "com.apple.mobilesafari");
    EXPECT_EQ(loop.runUntilIdle(), 0u) << "nothing left for the run loop";
    g_deliveries.clear();
    CFNotificationCenterPostNotification(local, "com.zarnek.ovrimo.iconimagechanged", otherObject.ptr(), nullptr, true);
    EXPECT_EQ(g_deliveries.size(), 2u);
}

TEST_F(NotificationTest, RemovingObservers)
{
    auto local = CFNotificationCenterGetLocalCenter();
    CFNotificationCenterAddObserver(local, &observerA, record, "one", nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    CFNotificationCenterAddObserver(local, &observerA, record, "two", nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    CFNotificationCenterAddObserver(local, &observerB, record, "", nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    CFNotificationCenterRemoveObserver(local, &observerA, "one", nullptr);
    CFNotificationCenterPostNotification(local, "one", nullptr, nullptr, true);
    ASSERT_EQ(g_deliveries.size(), 1u) << "an empty name observes every name";
    EXPECT_EQ(g_deliveries[0].observer, &observerB);
    CFNotificationCenterRemoveEveryObserver(local, &observerB);
    g_deliveries.clear();
    CFNotificationCenterPostNotification(local, "two", nullptr, nullptr, true);
    ASSERT_EQ(g_deliveries.size(), 1u);
    EXPECT_EQ(g_deliveries[0].observer, &observerA);
}

TEST_F(NotificationTest, AnObserverRemovedDuringADeliveryIsNotCalled)
{
    auto local = CFNotificationCenterGetLocalCenter();
    CFNotificationCenterAddObserver(local, &observerA, removeSecond, "n", nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    CFNotificationCenterAddObserver(local, &g_second, record, "n", nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    CFNotificationCenterPostNotification(local, "n", nullptr, nullptr, true);
    EXPECT_TRUE(g_deliveries.empty());
}

TEST_F(NotificationTest, AFreshRuntimeHasNoObservers)
{
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), &observerA, record, "n", nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    CFNotificationCenterAddObserver(CFNotificationCenterGetLocalCenter(), &observerA, record, "n", nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    EXPECT_EQ(corefoundation::notificationObserverCount(CFNotificationCenterGetDarwinNotifyCenter()), 1u);
    {
        objc::Runtime fresh;
        EXPECT_EQ(corefoundation::notificationObserverCount(CFNotificationCenterGetDarwinNotifyCenter()), 0u);
        EXPECT_EQ(corefoundation::notificationObserverCount(CFNotificationCenterGetLocalCenter()), 0u);
        CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(), "n", nullptr, nullptr, true);
        CFNotificationCenterPostNotification(CFNotificationCenterGetLocalCenter(), "n", nullptr, nullptr, true);
        loop.runUntilIdle();
        EXPECT_TRUE(g_deliveries.empty());
    }
    EXPECT_EQ(corefoundation::notificationObserverCount(CFNotificationCenterGetLocalCenter()), 1u) << "the first device keeps its own";
}

TEST_F(NotificationTest, VersionNumberDefault)
{
    EXPECT_GE(kCFCoreFoundationVersionNumber, 1348.0);
}

} // namespace
