#include "platform/runtime/NSObject.h"
#include "platform/substrate/Substrate.h"

#include <gtest/gtest.h>

using namespace objc;

namespace {

class Icon : public NSObject {
    OBJC_CLASS(Icon)
};
class AppIcon : public Icon {
    OBJC_CLASS(AppIcon)
};
class FolderIcon : public Icon {
    OBJC_CLASS(FolderIcon)
};

class SubstrateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        icon = runtime.registerClass<Icon>("NSObject");
        app = runtime.registerClass<AppIcon>(icon);
        folder = runtime.registerClass<FolderIcon>(icon);
        icon->addMethod("describe:", [](Icon*, SEL, const std::string& tail) { return "icon" + tail; });
    }
    Runtime runtime;
    Class *icon, *app, *folder;
};

Imp<std::string(const std::string&)> g_previous;
Imp<std::string(const std::string&)> g_previousSecond;

TEST_F(SubstrateTest, ReplacementCallsThroughToTheOriginal)
{
    MSHookMessageEx(icon, "describe:", +[](Icon* self, SEL cmd, const std::string& tail) { return "[" + g_previous(self, cmd, tail) + "]"; }, &g_previous);
    EXPECT_EQ(msgSend<std::string>(make<Icon>(), "describe:", "!"), "[icon!]");
    // Subclasses inherit the replacement because it sits in the shared slot.
    EXPECT_EQ(msgSend<std::string>(make<FolderIcon>(), "describe:", "?"), "[icon?]");
}

TEST_F(SubstrateTest, HookOfAnInheritedMethodLeavesSuperclassAndSiblingsAlone)
{
    MSHookMessageEx(app, "describe:", +[](AppIcon* self, SEL cmd, const std::string& tail) { return "app:" + g_previous(self, cmd, tail); }, &g_previous);
    EXPECT_EQ(msgSend<std::string>(make<AppIcon>(), "describe:", "."), "app:icon.");
    EXPECT_EQ(msgSend<std::string>(make<Icon>(), "describe:", "."), "icon.");
    EXPECT_EQ(msgSend<std::string>(make<FolderIcon>(), "describe:", "."), "icon.");
    EXPECT_NE(app->ownMethod(sel_registerName("describe:")), nullptr);
}

TEST_F(SubstrateTest, StackedReplacementsRunNewestFirst)
{
    MSHookMessageEx(icon, "describe:", +[](Icon* self, SEL cmd, const std::string& tail) { return "1" + g_previous(self, cmd, tail); }, &g_previous);
    MSHookMessageEx(icon, "describe:", +[](Icon* self, SEL cmd, const std::string& tail) { return "2" + g_previousSecond(self, cmd, tail); }, &g_previousSecond);
    EXPECT_EQ(msgSend<std::string>(make<Icon>(), "describe:", ""), "21icon");
}

TEST_F(SubstrateTest, MissingClassOrSelectorIsANoOp)
{
    Imp<std::string(const std::string&)> previous;
    MSHookMessageEx(objc_getClass("SBNotOnThisSystem"), "describe:", +[](Icon*, SEL, const std::string&) { return std::string(); }, &previous);
    EXPECT_FALSE(previous);
    MSHookMessageEx(icon, "neverImplemented:", +[](Icon*, SEL, const std::string&) { return std::string(); }, &previous);
    EXPECT_FALSE(previous);
    EXPECT_FALSE(respondsToSelector(make<Icon>(), "neverImplemented:"));
}

TEST_F(SubstrateTest, ReplacementWithAnotherSignatureIsRefused)
{
    // Refused without throwing: inside a library initializer an exception would end the host.
    Imp<long(long)> previous;
    DiagnosticCapture diagnostics;
    EXPECT_NO_THROW(MSHookMessageEx(icon, "describe:", +[](Icon*, SEL, long) { return 0L; }, &previous));
    EXPECT_FALSE(previous);
    ASSERT_EQ(diagnostics.messages().size(), 1u);
    EXPECT_NE(diagnostics.messages()[0].find("-[Icon describe:]"), std::string::npos) << diagnostics.messages()[0];
    EXPECT_EQ(msgSend<std::string>(make<Icon>(), "describe:", "x"), "iconx") << "the original stays installed";
}

} // namespace
