#include "platform/runtime/Category.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObject.h"

#include <gtest/gtest.h>

using namespace objc;

namespace {

class Trinket : public NSObject {
    OBJC_CLASS(Trinket)
public:
    long weight = 4;
};

class HeavyTrinket : public Trinket {
    OBJC_CLASS(HeavyTrinket)
};

constinit Sel<long()> weight { "weight" };
constinit Sel<double()> weightAsDouble { "weight" }; // the same selector declared otherwise
constinit Sel<long(long)> doubledWeightPlus { "doubledWeightPlus:" };
constinit Sel<Ref<Trinket>()> standardWidget { "standardWidget" };

long weightOf(Trinket* self) { return self->weight; }
double weightAsDoubleOf(Trinket*) { return 1.5; }
long doubledWeightPlusOf(Trinket* self, long extra) { return self->weight * 2 + extra; }
Ref<Trinket> makeStandardWidget() { return make<Trinket>(); }

class CategoryTest : public ::testing::Test {
protected:
    Runtime runtime;
    Class* widget = ClassBuilder<Trinket>(runtime, "NSObject").method(weight, &weightOf).build();
    Class* heavy = ClassBuilder<HeavyTrinket>(runtime, "Trinket").build();
};

TEST_F(CategoryTest, AddsMethodsThatSubclassesInherit)
{
    Category<Trinket>(runtime, "Trinket").method(doubledWeightPlus, &doubledWeightPlusOf).classMethod(standardWidget, &makeStandardWidget);
    Ref<Trinket> made = standardWidget(widget);
    ASSERT_TRUE(made);
    EXPECT_EQ(doubledWeightPlus(made, 1), 9);
    EXPECT_EQ(doubledWeightPlus(make<HeavyTrinket>(), 2), 10) << "a subclass answers what its superclass gained";
    EXPECT_TRUE(standardWidget(heavy)) << "class methods are inherited too";
}

TEST_F(CategoryTest, RefusesAMethodOfAnotherSignatureThanTheOneAnswered)
{
    try {
        Category<HeavyTrinket>(runtime, "HeavyTrinket").method(weightAsDouble, &weightAsDoubleOf);
        FAIL() << "weight returning double must not replace the inherited weight returning long";
    } catch (const RuntimeError& e) {
        std::string text = e.what();
        EXPECT_NE(text.find("-[HeavyTrinket weight]"), std::string::npos) << text;
        EXPECT_NE(text.find("double"), std::string::npos) << text;
    }
    EXPECT_EQ(weight(make<HeavyTrinket>()), 4) << "the refused method left the class as it was";
    EXPECT_THROW(Category<Trinket>(runtime, "Gadget"), RuntimeError) << "a class that is not registered has no category";
}

} // namespace
