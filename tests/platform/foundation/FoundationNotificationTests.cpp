#include "platform/foundation/Foundation.h"
#include "platform/runtime/Message.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

namespace {

class Listener : public objc::NSObject {
    OBJC_CLASS(Listener)
public:
    std::vector<std::string> heard;
    int bare = 0;
};

class NotificationCenterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registerFoundationClasses(env.runtime());
        objc::Class* cls = env.runtime().registerClass<Listener>("NSObject");
        cls->addMethod("changed:", [](Listener* self, SEL, NSNotification* note) {
            self->heard.push_back(note->name + ":" + corefoundation::stringValueOf(note->object) + ":" + (note->userInfo ? note->userInfo->stringForKey("k").value_or("") : ""));
        });
        cls->addMethod("changed", [](Listener* self, SEL) { ++self->bare; });
        center = msgSend<Ref<NSNotificationCenter>>(objc::objc_getClass("NSNotificationCenter"), "defaultCenter");
    }

    testing_support::TestEnvironment env;
    Ref<NSNotificationCenter> center;
};

TEST_F(NotificationCenterTest, PostsReachMatchingObserversAtOnce)
{
    auto listener = objc::make<Listener>();
    auto picky = objc::make<Listener>();
    auto colour = NSString::make("#FF0000");
    msgSend(center, "addObserver:selector:name:object:", listener, objc::sel_registerName("changed:"), "ColorChanged", static_cast<objc::Object*>(nullptr));
    msgSend(center, "addObserver:selector:name:object:", picky, objc::sel_registerName("changed"), "ColorChanged", NSString::make("other"));
    msgSend(center, "postNotificationName:object:userInfo:", "ColorChanged", colour, NSDictionary::make({ { "k", NSString::make("v") } }));
    EXPECT_EQ(listener->heard, std::vector<std::string> { "ColorChanged:#FF0000:v" });
    EXPECT_EQ(picky->bare, 0) << "it observes another object";
    msgSend(center, "removeObserver:", listener);
    msgSend(center, "postNotificationName:object:", "ColorChanged", colour);
    EXPECT_EQ(listener->heard.size(), 1u);
}

TEST_F(NotificationCenterTest, ObserversAreHeldWeakly)
{
    auto listener = objc::make<Listener>();
    int refs = listener->retainCount();
    center->addObserver(listener, objc::sel_registerName("changed"), "", nullptr);
    EXPECT_EQ(listener->retainCount(), refs);
    listener = nullptr;
    center->postNotificationName("Anything", nullptr); // must not touch the freed observer
    SUCCEED();
}

TEST_F(NotificationCenterTest, PercentEncodingForQueries)
{
    auto name = NSString::make("zarnek dev/ü&x");
    auto allowed = msgSend<Ref<NSCharacterSet>>(objc::objc_getClass("NSCharacterSet"), "URLQueryAllowedCharacterSet");
    EXPECT_EQ(msgSend<std::string>(name, "stringByAddingPercentEncodingWithAllowedCharacters:", allowed), "zarnek%20dev/%C3%BC&x");
}

} // namespace
