#pragma once

// The time range screen a link row opens: "From" and "To" rows above a time picker. The chosen
// row's end of the range follows the picker; every turn stores the whole range (a dictionary of
// "from" and "to" dates) under the row's "key" in its "defaults" domain and posts its
// "PostNotification".
//
// Runtime methods: init, loadView, viewDidLoad, the table's data source and delegate,
// timeValueChanged:, notifyTweak:, selectedIndexPath.

#include "platform/corefoundation/NSDictionary.h"
#include "platform/foundation/NSDateFormatter.h"
#include "platform/preferences/PSViewController.h"
#include "platform/uikit/UIDatePicker.h"
#include "platform/uikit/UITableView.h"

#include <string>

class ZarnekTimeRangeSelect : public PSViewController {
    OBJC_CLASS(ZarnekTimeRangeSelect)
public:
    NSMutableDictionary* selectedTimeRange() const { return m_selectedTimeRange.ptr(); }
    UIDatePicker* timePicker() const { return m_timePicker.ptr(); }
    UITableView* tableView() const { return m_table.ptr(); }

    static void registerClass(objc::Runtime&);

private:
    void buildView();
    void viewLoaded();
    objc::Ref<UITableViewCell> cellFor(UITableView* table, NSIndexPath* path);
    void rowSelected(UITableView* table, NSIndexPath* path);
    void pickerChanged(objc::Object* sender);
    void notify(objc::Object* range);
    objc::Ref<NSIndexPath> selectedIndexPathRef() { return m_selectedIndexPath; }
    std::string timeText(const char* end) const;

    objc::Ref<NSMutableDictionary> m_selectedTimeRange;
    objc::Ref<NSMutableDictionary> m_defaultTimeRange;
    objc::Ref<NSIndexPath> m_selectedIndexPath;
    std::string m_prefKey;
    std::string m_prefAppID;
    std::string m_prefNotification;
    objc::Ref<UITableView> m_table;
    objc::Ref<UIDatePicker> m_timePicker;
    objc::Ref<NSDateFormatter> m_timeFormatter;
};

namespace zarnek {
// A time range as the controls read it: a mutable copy of `value` when it is a dictionary whose
// "from" and "to" are both dates, else none.
objc::Ref<NSMutableDictionary> validTimeRange(objc::Object* value);
// The short time of the current locale ("9:41 AM", "09:41").
objc::Ref<NSDateFormatter> shortTimeFormatter();
} // namespace zarnek
