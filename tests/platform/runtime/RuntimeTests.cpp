#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"

#include <gtest/gtest.h>

using namespace objc;

namespace {

class Widget : public NSObject {
    OBJC_CLASS(Widget)
public:
    int size = 3;
    std::string label = "plain";
    Ref<NSObject> child;
    WeakRef<Object> delegate;
};

class FancyWidget : public Widget {
    OBJC_CLASS(FancyWidget)
};

struct Point {
    double x = 0, y = 0;
};

class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        widget = runtime.registerClass<Widget>("NSObject");
        fancy = runtime.registerClass<FancyWidget>(widget);
        widget->addMethod("size", [](Widget* self, SEL) { return self->size; });
        widget->addMethod("setSize:", [](Widget* self, SEL, long size) { self->size = static_cast<int>(size); });
        widget->addMethod("label", [](Widget* self, SEL) -> const std::string& { return self->label; });
        widget->addMethod("origin", [](Widget*, SEL) { return Point { 1, 2 }; });
        widget->addMethod("makeChild", [](Widget*, SEL) { return make<Widget>(); });
        widget->addClassMethod("sharedWidget", [](Object*, SEL) -> Ref<Widget> {
            return make<FancyWidget>();
        });
        widget->addIvar("_child", &Widget::child);
        widget->addIvar("_label", &Widget::label);
        widget->addIvar("_delegate", &Widget::delegate);
    }

    Runtime runtime;
    Class* widget = nullptr;
    Class* fancy = nullptr;
};

TEST_F(RuntimeTest, ClassesAreFoundByNameOnlyWhereRegistered)
{
    EXPECT_EQ(objc_getClass("Widget"), widget);
    EXPECT_EQ(objc_getClass("FancyWidget")->superclass(), widget);
    EXPECT_EQ(objc_getClass("SBFluidSwitcherIconImageContainerView"), nullptr);
    EXPECT_THROW(runtime.registerClass<Widget>("NSObject"), RuntimeError);
}

TEST_F(RuntimeTest, TypedSendsConvertCompatibleTypes)
{
    auto w = make<Widget>();
    // An int argument reaches a method declared with long; the int result reads back as long.
    msgSend(w, "setSize:", 7);
    EXPECT_EQ(msgSend<long>(w, "size"), 7);
    EXPECT_EQ(msgSend<std::string>(w, "label"), "plain");
    Point p = msgSend<Point>(w, "origin");
    EXPECT_EQ(p.y, 2);
    Ref<Widget> child = msgSend<Ref<Widget>>(w, "makeChild");
    ASSERT_TRUE(child);
    EXPECT_EQ(child->retainCount(), 1) << "a made object is handed over, not leaked or freed";
}

TEST_F(RuntimeTest, SignatureMismatchFailsNamingClassAndSelector)
{
    auto w = make<FancyWidget>();
    try {
        msgSend(w, "setSize:", 1.5);
        FAIL() << "a double argument for a long parameter must not go through";
    } catch (const RuntimeError& e) {
        EXPECT_NE(std::string(e.what()).find("-[FancyWidget setSize:]"), std::string::npos) << e.what();
    }
    EXPECT_THROW(msgSend<std::string>(w, "size"), RuntimeError);
    EXPECT_THROW(msgSend(w, "noSuchThing"), RuntimeError);
}

TEST_F(RuntimeTest, ObjectResultOfTheWrongClassIsRefused)
{
    auto w = make<Widget>();
    EXPECT_THROW(msgSend<Ref<Class>>(w, "makeChild"), RuntimeError);
}

TEST_F(RuntimeTest, MessagesToNullReturnZeroValues)
{
    Object* nothing = nullptr;
    EXPECT_EQ(msgSend<long>(nothing, "size"), 0);
    EXPECT_EQ(msgSend<bool>(nothing, "anything"), false);
    EXPECT_EQ(msgSend<Ref<Widget>>(nothing, "makeChild"), nullptr);
    EXPECT_EQ(msgSend<Point>(nothing, "origin").x, 0);
    EXPECT_EQ(msgSend<std::string>(nothing, "label"), "");
}

TEST_F(RuntimeTest, ClassObjectsAnswerClassMethodsAndRootMethods)
{
    auto shared = msgSend<Ref<Widget>>(widget, "sharedWidget");
    EXPECT_EQ(classNameOf(shared), "FancyWidget");
    EXPECT_TRUE(msgSend<bool>(widget, "respondsToSelector:", sel_registerName("sharedWidget")));
    EXPECT_FALSE(msgSend<bool>(widget, "respondsToSelector:", sel_registerName("size")));
    EXPECT_TRUE(msgSend<bool>(shared, "respondsToSelector:", sel_registerName("size")));
    EXPECT_TRUE(msgSend<bool>(shared, "isKindOfClass:", widget));
    EXPECT_FALSE(isKindOfClass(make<Widget>(), fancy));
    EXPECT_EQ(msgSend<Ref<Class>>(shared, "class").ptr(), fancy);
    // alloc/init through the class object builds the C++ type of the nearest registered factory.
    Class* runtimeOnly = runtime.registerClass("RuntimeOnlyWidget", fancy);
    auto made = msgSend<Ref<Widget>>(runtimeOnly, "new");
    EXPECT_EQ(classNameOf(made), "RuntimeOnlyWidget");
    EXPECT_EQ(made->size, 3);
}

TEST_F(RuntimeTest, InstanceVariablesByNameOnTheActualClass)
{
    auto w = make<FancyWidget>();
    auto child = make<Widget>();
    setIvar(w.ptr(), "_child", child);
    EXPECT_EQ(getIvar<Ref<Widget>>(w, "_child"), child.ptr());
    EXPECT_EQ(getIvar<std::string>(w, "_label"), "plain");
    EXPECT_THROW(getIvar<Ref<Widget>>(w, "_label"), RuntimeError);
    EXPECT_THROW(getIvar<Ref<Widget>>(w, "_missing"), RuntimeError);
    EXPECT_EQ(getIvar<Ref<Widget>>(nullptr, "_child"), nullptr);
}

TEST_F(RuntimeTest, WeakReferencesClearWhenTheObjectGoes)
{
    auto w = make<Widget>();
    {
        auto delegate = make<Widget>();
        w->delegate = delegate.ptr();
        EXPECT_EQ(getIvar<Ref<Widget>>(w, "_delegate"), delegate.ptr());
    }
    EXPECT_EQ(w->delegate.ptr(), nullptr);
    // A class object can be a delegate: it lives as long as the runtime.
    w->delegate = widget;
    EXPECT_EQ(w->delegate.ptr(), widget);
}

TEST(RuntimeLifetime, NoRuntimeMeansNoClasses)
{
    EXPECT_EQ(objc_getClass("NSObject"), nullptr);
    {
        Runtime outer;
        {
            Runtime inner;
            EXPECT_EQ(&Runtime::current(), &inner);
        }
        EXPECT_EQ(&Runtime::current(), &outer);
    }
    EXPECT_THROW(Runtime::current(), RuntimeError);
}

TEST(RuntimeLifetime, ObjectsKeepTheirClassAliveAfterTheRuntime)
{
    Ref<Widget> survivor;
    {
        Runtime runtime;
        runtime.registerClass<Widget>("NSObject");
        survivor = make<Widget>();
    }
    EXPECT_EQ(survivor->isa()->name(), "Widget");
}

} // namespace

namespace {
struct Counter {
    static inline int alive = 0;
    Counter() { ++alive; }
    ~Counter() { --alive; }
    int value = 0;
};

TEST(RuntimeState, PerDeviceStateIsMadeOnceAndDiesWithTheRuntime)
{
    {
        Runtime runtime;
        runtime.state<Counter>().value = 5;
        EXPECT_EQ(runtime.state<Counter>().value, 5);
        EXPECT_EQ(Counter::alive, 1);
    }
    EXPECT_EQ(Counter::alive, 0);
}
} // namespace
