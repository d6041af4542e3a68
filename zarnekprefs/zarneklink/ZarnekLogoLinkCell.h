#pragma once

// A borderless row showing one large picture (the row's "iconImage"), fitted with its aspect
// ratio kept, as tall as the picture. Runtime methods: initWithStyle:reuseIdentifier:specifier:,
// initWithSpecifier:, layoutSubviews, preferredHeightForWidth:. Instance variable: _bigImageView.

#include "platform/preferences/PSTableCell.h"

class ZarnekLogoLinkCell : public PSTableCell {
    OBJC_CLASS(ZarnekLogoLinkCell)
public:
    UIImageView* bigImageView() const { return m_bigImageView.ptr(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<objc::Object> initCell(std::int64_t style, std::string reuseIdentifier, PSSpecifier* specifier);

    objc::Ref<UIImageView> m_bigImageView;
};
