#include "tweak/ui/NumberedErrors.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace ovrimo;

namespace {

TEST(NumberedErrors, EachNumberHasOneTextAndItsMessageStartsWithIt)
{
    std::set<int> seen;
    for (const NumberedErrorText& entry : kNumberedErrors) {
        int number = static_cast<int>(entry.number);
        EXPECT_TRUE(seen.insert(number).second) << number << " appears twice";
        std::string message = ErrorMessage(entry.number, "Mail");
        EXPECT_EQ(message.rfind("Error " + std::to_string(number) + "! ", 0), 0u) << message;
        EXPECT_EQ(message.find("%@"), std::string::npos) << message;
    }
    EXPECT_EQ(seen.size(), 18u);
}

TEST(NumberedErrors, MessagesKeepTheirWording)
{
    EXPECT_EQ(ErrorMessage(ErrorNumber::NoPicture), "Error 160! Something went wrong. Please try again, if the error continues then contact me!");
    EXPECT_EQ(ErrorMessage(ErrorNumber::NoIconForSheet), "Error 143! Something went wrong. Please try again, if the error continues then contact the developer!");
    EXPECT_EQ(ErrorMessage(ErrorNumber::LibraryCopy, "Mail"),
        "Error 154! The custom icon for Mail could not be copied to the icon library, so it was kept and nothing was changed. Please try again, if the error "
        "continues then contact me!");
    EXPECT_EQ(ErrorMessage(ErrorNumber::LibraryDelete, "Summer"),
        "Error 405! The directory Summer could not be deleted completely. Please try again, if the error continues then contact the developer!");
    // A name is only put where the text has a place for it.
    EXPECT_EQ(ErrorMessage(ErrorNumber::LibraryRemove, "ignored"),
        "Error 401! The icon could not be removed. Please try again, if the error continues then contact the developer!");
}

} // namespace
