#pragma once

// The colour picker screen a link row opens: four palettes of named colours ("Special", "iOS
// Palette", "Crayons", "Custom"), one row checked, and a "Custom" row whose red, green and blue
// sliders make any colour. Choosing a row stores its value at once under the row's specifier
// "key" in its "defaults" domain and announces it ("PreviewNotification" in the process,
// "PostNotification" on the Darwin center). Values are the special words or "#RRGGBB".
//
// Runtime methods: init, loadView, viewDidLoad, the table's data source and delegate,
// palettes, specialColors, iOSColors, crayonColors, customColor, presetColorExists:,
// sortPaletteByHue:, getSliderViewWithColor:, setCustomColor:notifyTweak:, sliderAction:,
// sliderDidEndSliding:, notifyTweak:, selectedColor, selectedIndexPath.

#include "platform/preferences/PSViewController.h"
#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UITableView.h"

#include <string>

class ZarnekColorPicker : public PSViewController {
    OBJC_CLASS(ZarnekColorPicker)
public:
    // View tags inside the picker's table.
    static constexpr NSInteger kRedSliderTag = 201;
    static constexpr NSInteger kGreenSliderTag = 202;
    static constexpr NSInteger kBlueSliderTag = 203;
    static constexpr NSInteger kSliderContainerTag = 204;
    static constexpr NSInteger kCustomCellTag = 205;
    static constexpr int kCustomSection = 3;

    const std::string& selectedColor() const { return m_selectedColor; }
    bool allowAutomatic() const { return m_allowAutomatic; }
    bool allowTransparent() const { return m_allowTransparent; }

    static void registerClass(objc::Runtime&);

private:
    void buildView();
    void viewLoaded();
    objc::Ref<UITableViewCell> cellFor(UITableView* table, NSIndexPath* path);
    void rowSelected(UITableView* table, NSIndexPath* path);
    objc::Ref<UIView> sliderContainer(UIColor* colour);
    void setCustomColor(objc::Object* hex, bool notify);
    void notify(objc::Object* value);
    objc::Ref<NSIndexPath> selectedIndexPathRef() { return m_selectedIndexPath; }
    // The colour entry at a row, null outside the palettes.
    objc::Ref<NSDictionary> entryAt(NSInteger section, NSInteger row);

    std::string m_selectedColor;
    std::string m_defaultColor;
    objc::Ref<NSIndexPath> m_selectedIndexPath;
    std::string m_prefKey;
    std::string m_appID;
    std::string m_notificationKey;
    std::string m_refreshPreviewNotificationKey;
    std::string m_disabledTitle;
    std::string m_disabledSubtitle;
    bool m_allowAutomatic = true;
    bool m_allowTransparent = true;
    objc::Ref<UITableView> m_table;
};
