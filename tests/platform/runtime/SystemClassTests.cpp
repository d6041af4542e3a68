#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObject.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace objc;

namespace {

constinit Sel<long()> measure { "measure" };
constinit Sel<std::string(const std::string&)> greet { "greet:" };
constinit Sel<Ref<Object>()> makeOne { "makeOne" };
constinit Sel<double()> measureAsDouble { "measure" };

// A class the platform registers: its methods may throw (a fault of the platform).
class Base : public NSObject {
    OBJC_CLASS(Base)
public:
    long measureOrThrow()
    {
        if (failing)
            throw std::runtime_error("the base broke");
        return 5;
    }
    bool failing = false;
};

// A class of the system, built on the platform's.
class Sprocket : public Base {
    OBJC_CLASS(Sprocket)
public:
    // Adds one to what the superclass measures, whatever the superclass does.
    long measurePlusOne() { return sendSuperOrZero(measure, this) + 1; }
    std::string greetOrThrow(const std::string& name)
    {
        if (name.empty())
            throw std::invalid_argument("no name");
        return "hello " + name;
    }
    static Ref<Object> makeOneOrThrow() { throw std::runtime_error("nothing to make"); }
};

// Overrides measure with another result type.
class Broken : public Base {
    OBJC_CLASS(Broken)
public:
    double measureDouble() { return 1.5; }
};

class SystemClassTest : public ::testing::Test {
protected:
    Runtime runtime;
    Class* base = ClassBuilder<Base>(runtime, "NSObject").method(measure, &Base::measureOrThrow).build();
    Class* widget = ClassBuilder<Sprocket>(runtime, "Base")
                        .method(measure, &Sprocket::measurePlusOne)
                        .method(greet, &Sprocket::greetOrThrow)
                        .classMethod(makeOne, &Sprocket::makeOneOrThrow)
                        .buildSystemClass();
};

TEST_F(SystemClassTest, AThrowingMethodAnswersZeroWithADiagnosticNamingIt)
{
    ASSERT_TRUE(widget);
    Ref<Object> w = widget->createInstance();
    DiagnosticCapture capture;
    EXPECT_EQ(greet(w, "Ann"), "hello Ann");
    EXPECT_TRUE(capture.messages().empty()) << "a method that returns is untouched";

    std::string answer = "unset";
    EXPECT_NO_THROW(answer = greet(w, ""));
    EXPECT_EQ(answer, "");
    EXPECT_NO_THROW(EXPECT_FALSE(makeOne(widget)));
    std::vector<std::string> messages = capture.take();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "-[Sprocket greet:] failed: no name; answered zero");
    EXPECT_EQ(messages[1], "+[Sprocket makeOne] failed: nothing to make; answered zero");
}

TEST_F(SystemClassTest, TheSafeSuperSendReadsAFaultAsZeroAndTheMethodGoesOn)
{
    ASSERT_TRUE(widget);
    Ref<Sprocket> w(dynamic_cast<Sprocket*>(widget->createInstance().ptr()));
    ASSERT_TRUE(w);
    EXPECT_EQ(measure(w), 6);

    DiagnosticCapture capture;
    w->failing = true;
    EXPECT_EQ(measure(w), 1) << "the superclass's failure reads as zero, the rest of the method runs";
    std::vector<std::string> messages = capture.take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "[super measure] in -[Sprocket measure] failed: the base broke; read as zero");

    // The platform's own classes are not guarded: their faults are exceptions.
    Ref<Object> b = base->createInstance();
    dynamic_cast<Base*>(b.ptr())->failing = true;
    EXPECT_THROW(measure(b), std::runtime_error);
}

TEST_F(SystemClassTest, ASuperSendTheSuperclassCannotAnswerIsADiagnostic)
{
    ASSERT_TRUE(widget);
    Ref<Object> w = widget->createInstance();
    DiagnosticCapture capture;
    EXPECT_EQ(sendSuperOrZero(greet, "Sprocket", w.ptr(), std::string("Bo")), "");
    EXPECT_EQ(sendSuperOrZero(greet, "NoSuchClass", w.ptr(), std::string("Bo")), "");
    std::vector<std::string> messages = capture.take();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].find("unrecognized selector"), std::string::npos) << messages[0];
    EXPECT_NE(messages[1].find("NoSuchClass"), std::string::npos) << messages[1];
}

TEST_F(SystemClassTest, ASystemClassThatFailsItsChecksIsADiagnosticNotAnException)
{
    DiagnosticCapture capture;
    Class* broken = nullptr;
    EXPECT_NO_THROW(broken = ClassBuilder<Broken>(runtime, "Base").method(measureAsDouble, &Broken::measureDouble).buildSystemClass());
    EXPECT_FALSE(broken);
    EXPECT_FALSE(runtime.getClass("Broken"));
    std::vector<std::string> messages = capture.take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("class Broken not registered: ", 0), 0u) << messages[0];
}

} // namespace
