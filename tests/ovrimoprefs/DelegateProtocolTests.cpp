#include "tests/ovrimoprefs/SettingsBundleFixture.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

using namespace settings_tests;

// UIKit sends its delegates and data sources typed messages: a method answering one of them with
// another signature than the declared one fails at the send, on whichever screen first reaches
// it. Here every class of a booted phone (SpringBoard with the tweak, Settings with the bundle's
// panes loaded) is held against the declarations at once.

namespace {

class DelegateProtocols : public SettingsBundleTest { };

// Rows, but no cells.
class HalfSource : public objc::NSObject {
    OBJC_CLASS(HalfSource)
public:
    NSInteger rows(objc::Object*, NSInteger) { return 1; }
};

// "-[Class selector] is Sig, declared Sig" for each answered selector of `protocol` whose
// signature differs.
std::vector<std::string> mismatches(const objc::Protocol& protocol, const objc::Class* cls)
{
    std::vector<std::string> found;
    for (const objc::ProtocolMethod& entry : protocol.methods()) {
        const objc::Method* method = cls->findMethod(entry.selector->sel());
        if (method && method->imp->signature() != entry.selector->signature())
            found.push_back(std::string(cls->isMetaClass() ? "+[" : "-[") + cls->name() + " " + entry.selector->name() + "] is "
                + objc::demangle(method->imp->signature()) + ", declared " + objc::demangle(entry.selector->signature()));
    }
    return found;
}

} // namespace

TEST_F(DelegateProtocols, EveryClassAnswersUIKitsDelegateSelectorsWithTheDeclaredSignatures)
{
    boot("iphone8-ios12");
    openOvrimo();
    const objc::Protocol* protocols[] = { &uikit::UITableViewDataSource, &uikit::UITableViewDelegate, &uikit::UIGestureRecognizerDelegate,
        &uikit::UIImagePickerControllerDelegate };
    auto& runtime = objc::Runtime::current();
    std::vector<std::string> problems;
    int answering = 0;
    for (const std::string& name : runtime.classNames()) {
        objc::Class* cls = runtime.getClass(name);
        for (const objc::Class* side : { static_cast<const objc::Class*>(cls), static_cast<const objc::Class*>(cls->metaClass()) })
            for (const objc::Protocol* protocol : protocols) {
                for (const objc::ProtocolMethod& entry : protocol->methods())
                    answering += side->findMethod(entry.selector->sel()) != nullptr;
                for (std::string& problem : mismatches(*protocol, side))
                    problems.push_back(std::move(problem));
            }
    }
    // The settings panes (table data sources) and UIKit's own views (gesture delegates) are among them.
    EXPECT_GT(answering, 10);
    EXPECT_TRUE(problems.empty()) << testing::PrintToString(problems);
}

// A class that declares a data source's conformance but lacks a required method is refused when
// it is registered, before any table asks it.
TEST_F(DelegateProtocols, ADataSourceWithoutItsRequiredMethodsIsRefusedAtRegistration)
{
    boot("iphone8-ios12");
    try {
        objc::ClassBuilder<HalfSource>(objc::Runtime::current(), "NSObject")
            .method(uikit::sel::tableViewNumberOfRowsInSection, &HalfSource::rows)
            .conformsTo(uikit::UITableViewDataSource)
            .build();
        FAIL() << "registered without tableView:cellForRowAtIndexPath:";
    } catch (const objc::RuntimeError& e) {
        EXPECT_NE(std::string(e.what()).find("tableView:cellForRowAtIndexPath:"), std::string::npos) << e.what();
    }
    EXPECT_EQ(objc::objc_getClass("HalfSource"), nullptr);
}
