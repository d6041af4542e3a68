#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/Guarded.h"
#include "platform/runtime/NSObject.h"
#include "platform/substrate/Replacement.h"

#include <gtest/gtest.h>

using namespace objc;

namespace {

class Gadget : public NSObject {
    OBJC_CLASS(Gadget)
public:
    long size() const { return m_size; }
    void setSize(long size) { m_size = size; }
    std::string describe(const std::string& prefix) { return prefix + std::to_string(m_size); }
    static Ref<Gadget> shared() { return make<Gadget>(); }

    long m_size = 3;
    Ref<Object> m_child;
    long m_count = 0;
};

class Gizmo : public Gadget {
    OBJC_CLASS(Gizmo)
public:
    // Overrides size with another result type: a fault the registration must catch.
    double sizeAsDouble() const { return 1.5; }
    long biggerSize() const { return m_size * 10; }
};

constinit Sel<long()> size { "size" };
constinit Sel<void(long)> setSize { "setSize:" };
constinit Sel<std::string(const std::string&)> describe { "describe:" };
constinit Sel<Ref<Gadget>()> shared { "shared" };
constinit Sel<double()> sizeAsDouble { "size" }; // the same selector declared otherwise
constinit Sel<void(Object*, long)> gadgetDidChange { "gadget:didChange:" };
constinit Sel<bool(Object*)> gadgetShouldChange { "gadgetShouldChange:" };

const Protocol GadgetDelegate { "GadgetDelegate", { required(gadgetDidChange), optional(gadgetShouldChange) } };

class Listener : public NSObject {
    OBJC_CLASS(Listener)
public:
    void didChange(Object*, long value) { last = value; }
    long last = 0;
};

void classDidChange(Object*, long) { }
bool classShouldChange(int) { return true; }

class DeclarationTest : public ::testing::Test {
protected:
    Runtime runtime;
    Class* gadget = ClassBuilder<Gadget>(runtime, "NSObject")
                        .method(size, &Gadget::size)
                        .method(setSize, &Gadget::setSize)
                        .method(describe, &Gadget::describe)
                        .classMethod(shared, &Gadget::shared)
                        .ivar("_child", &Gadget::m_child)
                        .ivar("_count", &Gadget::m_count)
                        .build();
};

TEST_F(DeclarationTest, DeclaredMethodsAreSentThroughTheirSelectors)
{
    Ref<Gadget> g = shared(gadget);
    ASSERT_TRUE(g);
    setSize(g, 7);
    EXPECT_EQ(size(g), 7);
    EXPECT_EQ(describe(g, "n="), "n=7");
    EXPECT_EQ(size(nullptr), 0) << "a message to nil is zero";
}

TEST_F(DeclarationTest, RegistrationRefusesAnOverrideWithAnotherSignature)
{
    try {
        ClassBuilder<Gizmo>(runtime, "Gadget").method(sizeAsDouble, &Gizmo::sizeAsDouble).build();
        FAIL() << "an override of size returning double must not register";
    } catch (const RuntimeError& e) {
        std::string text = e.what();
        EXPECT_NE(text.find("-[Gizmo size]"), std::string::npos) << text;
        EXPECT_NE(text.find("-[Gadget size]"), std::string::npos) << text;
        EXPECT_NE(text.find("double"), std::string::npos) << text;
        EXPECT_NE(text.find("long"), std::string::npos) << text;
    }
    EXPECT_EQ(objc_getClass("Gizmo"), nullptr) << "a class that fails its checks is not registered";
    // An override with the same signature is fine and is what instances answer.
    ClassBuilder<Gizmo>(runtime, "Gadget").method(size, &Gizmo::biggerSize).build();
    EXPECT_EQ(size(make<Gizmo>()), 30);
}

TEST_F(DeclarationTest, ProtocolsAreCheckedAtRegistration)
{
    // Lacking the required method.
    try {
        ClassBuilder<Listener>(runtime, "NSObject").conformsTo(GadgetDelegate).build();
        FAIL() << "a delegate without its required method must not register";
    } catch (const RuntimeError& e) {
        EXPECT_NE(std::string(e.what()).find("lacks its required method gadget:didChange:"), std::string::npos) << e.what();
    }
    // A class object as delegate, with an optional method of the wrong parameter type.
    Sel<bool(long long)> wrongShould { "gadgetShouldChange:" };
    try {
        ClassBuilder<Listener>(runtime, "NSObject").classMethod(gadgetDidChange, &classDidChange).classMethod(wrongShould, &classShouldChange).classConformsTo(GadgetDelegate).build();
        FAIL() << "an optional method with another signature must not register";
    } catch (const RuntimeError& e) {
        std::string text = e.what();
        EXPECT_NE(text.find("class object Listener"), std::string::npos) << text;
        EXPECT_NE(text.find("gadgetShouldChange:"), std::string::npos) << text;
    }
    Class* listener = ClassBuilder<Listener>(runtime, "NSObject").method(gadgetDidChange, &Listener::didChange).conformsTo(GadgetDelegate).build();
    auto l = make<Listener>();
    gadgetDidChange(l, nullptr, 4);
    EXPECT_EQ(l->last, 4);
    EXPECT_FALSE(gadgetShouldChange.ifAnswered(l, nullptr)) << "an optional method not implemented answers zero";
    EXPECT_EQ(listener, objc_getClass("Listener"));
}

TEST_F(DeclarationTest, ATypedSendToAMethodOfAnotherSignatureIsRefused)
{
    auto g = make<Gadget>();
    try {
        sizeAsDouble(g);
        FAIL() << "size is long on Gadget";
    } catch (const RuntimeError& e) {
        std::string text = e.what();
        EXPECT_NE(text.find("-[Gadget size]: signature mismatch: the method is long ()"), std::string::npos) << text;
        EXPECT_NE(text.find("the call was double ()"), std::string::npos) << text;
    }
    // The check is remembered per implementation, not per selector: a replacement is checked anew.
    EXPECT_EQ(size(g), 3);
    gadget->addMethod(size.sel(), makeImp([](Gadget*, SEL) { return 2.5; }));
    EXPECT_THROW(size(g), RuntimeError);
}

TEST_F(DeclarationTest, GuardedSendsNeverThrowAndLeaveOneDiagnosticEach)
{
    auto g = make<Gadget>();
    DiagnosticCapture diagnostics;
    Sel<long()> absent { "notOnThisSystem" };
    EXPECT_EQ(absent.orZero(g), 0);
    EXPECT_EQ(absent.ifAnswered(g), 0) << "an expected absence is silent";
    EXPECT_EQ(sizeAsDouble.orZero(g), 0.0);
    auto problems = diagnostics.take();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("-[Gadget notOnThisSystem]: unrecognized selector"), std::string::npos) << problems[0];
    EXPECT_NE(problems[1].find("signature mismatch"), std::string::npos) << problems[1];

    // An exception below a guarded send stops there.
    gadget->addMethod(describe.sel(), makeImp([](Gadget*, SEL, const std::string&) -> std::string { throw std::runtime_error("disk on fire"); }));
    EXPECT_EQ(describe.orZero(g, "x"), "");
    problems = diagnostics.take();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("disk on fire"), std::string::npos);
}

TEST_F(DeclarationTest, GuardedInstanceVariablesReadAsNull)
{
    ClassBuilder<Listener>(runtime, "NSObject").build();
    auto g = make<Gadget>();
    g->m_child = make<Listener>();
    DiagnosticCapture diagnostics;
    EXPECT_TRUE(ivarOrNull<Listener>(g, "_child"));
    EXPECT_FALSE(ivarOrNull<Object>(g, "_absent"));
    EXPECT_FALSE(ivarOrNull<Gadget>(g, "_child")) << "the variable holds a Listener";
    EXPECT_FALSE(ivarOrNull<Object>(g, "_count")) << "the variable is a number";
    auto problems = diagnostics.take();
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_NE(problems[0].find("no instance variable _absent"), std::string::npos) << problems[0];
    EXPECT_NE(problems[1].find("holds a Listener"), std::string::npos) << problems[1];
    EXPECT_NE(problems[2].find("not an object"), std::string::npos) << problems[2];
}

long tenTimesSize(Object* self, const substrate::Original<long()>& original) { return original() * 10 + (self ? 0 : 1); }
double halfSize(Object*, const substrate::Original<double()>& original) { return original() / 2; }
long throwingSize(Object*, const substrate::Original<long()>&) { throw std::runtime_error("bad picture"); }

TEST_F(DeclarationTest, ReplacementsInstallOnlyWhatMatches)
{
    auto g = make<Gadget>();
    substrate::Replacement<long()> absentClass { "SBNotHere", size, tenTimesSize };
    EXPECT_FALSE(absentClass.install()) << "a class this system lacks installs nothing, silently";

    substrate::Replacement<long()> times10 { "Gadget", size, tenTimesSize };
    EXPECT_TRUE(times10.install());
    EXPECT_EQ(size(g), 30) << "the body calls the implementation it replaced";

    DiagnosticCapture diagnostics;
    substrate::Replacement<double()> wrong { "Gadget", sizeAsDouble, halfSize };
    EXPECT_FALSE(wrong.install());
    EXPECT_EQ(size(g), 30) << "the earlier replacement stays";
    ASSERT_EQ(diagnostics.messages().size(), 1u);
    EXPECT_NE(diagnostics.messages()[0].find("Gadget size"), std::string::npos) << diagnostics.messages()[0];

    // A body that throws answers as the original, with a diagnostic.
    substrate::Replacement<long()> throwing { "Gadget", size, throwingSize };
    EXPECT_TRUE(throwing.install());
    diagnostics.take();
    EXPECT_EQ(size(g), 30);
    ASSERT_EQ(diagnostics.messages().size(), 1u);
    EXPECT_NE(diagnostics.messages()[0].find("bad picture"), std::string::npos);
}

} // namespace
