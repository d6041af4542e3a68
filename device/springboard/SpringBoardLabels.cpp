#include "device/springboard/SpringBoardLabels.h"

#include "platform/uikit/UIFont.h"

namespace springboard {

objc::Ref<UILabel> makeLabel(CGRect frame, const std::string& text, double size, bool bold, UIColor* colour, NSTextAlignment alignment)
{
    auto label = UILabel::create(frame);
    label->setText(text);
    label->setFont((bold ? UIFont::boldSystemFontOfSize(size) : UIFont::systemFontOfSize(size)).ptr());
    label->setTextColor(colour);
    label->setTextAlignment(alignment);
    return label;
}

} // namespace springboard
