#include "tweak/ui/NumberedErrors.h"

#include "platform/corefoundation/StringFormat.h"

namespace ovrimo {

std::string ErrorMessage(ErrorNumber number, const std::string& name)
{
    for (const NumberedErrorText& entry : kNumberedErrors)
        if (entry.number == number)
            return corefoundation::stringWithFormat("Error %d! ", static_cast<int>(number)) + corefoundation::stringWithFormat(entry.text, name);
    // Every number has its entry (the tests hold it); a missing one still says which.
    return corefoundation::stringWithFormat("Error %d! ", static_cast<int>(number)) + kSomethingWentWrong;
}

} // namespace ovrimo
