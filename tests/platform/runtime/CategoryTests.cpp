#include "platform/runtime/Category.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObject.h"

#include <gtest/gtest.h>

using namespace objc;

namespace {

class Widget : public NSObject {
    OBJC_CLASS(Widget)
public:
    long weight = 4;
};

class HeavyWidget : public Widget {
    OBJC_CLASS(HeavyWidget)
};

constinit Sel<long()> weight { "weight" };
constinit Sel<double()> weightAsDouble { "weight" }; // the same selector declared otherwise
constinit Sel<long(long)> doubledWeightPlus { "doubledWeightPlus:" };
constinit Sel<Ref<Widget>()> standardWidget { "standardWidget" };

long weightOf(Widget* self) { return self->weight; }
double weightAsDoubleOf(Widget*) { return 1.5; }
long doubledWeightPlusOf(Widget* self, long extra) { return self->weight * 2 + extra; }
Ref<Widget> makeStandardWidget() { return make<Widget>(); }

class CategoryTest : public ::testing::Test {
protected:
    Runtime runtime;
    Class* widget = ClassBuilder<Widget>(runtime, "NSObject").method(weight, &weightOf).build();
    Class* heavy = ClassBuilder<HeavyWidget>(runtime, "Widget").build();
};

TEST_F(CategoryTest, AddsMethodsThatSubclassesInherit)
{
    Category<Widget>(runtime, "Widget").method(doubledWeightPlus, &doubledWeightPlusOf).classMethod(standardWidget, &makeStandardWidget);
    Ref<Widget> made = standardWidget(widget);
    ASSERT_TRUE(made);
    EXPECT_EQ(doubledWeightPlus(made, 1), 9);
    EXPECT_EQ(doubledWeightPlus(make<HeavyWidget>(), 2), 10) << "a subclass answers what its superclass gained";
    EXPECT_TRUE(standardWidget(heavy)) << "class methods are inherited too";
}

TEST_F(CategoryTest, RefusesAMethodOfAnotherSignatureThanTheOneAnswered)
{
    try {
        Category<HeavyWidget>(runtime, "HeavyWidget").method(weightAsDouble, &weightAsDoubleOf);
        FAIL() << "weight returning double must not replace the inherited weight returning long";
    } catch (const RuntimeError& e) {
        std::string text = e.what();
        EXPECT_NE(text.find("-[HeavyWidget weight]"), std::string::npos) << text;
        EXPECT_NE(text.find("double"), std::string::npos) << text;
    }
    EXPECT_EQ(weight(make<HeavyWidget>()), 4) << "the refused method left the class as it was";
    EXPECT_THROW(Category<Widget>(runtime, "Gadget"), RuntimeError) << "a class that is not registered has no category";
}

} // namespace
