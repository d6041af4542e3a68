#pragma once

// The ordered list screen a link row opens: the row's "listItems" in two sections, "ENABLED"
// and "DISABLED", always in reorder mode. Dragging a row within or between the sections stores
// both ordered arrays of item keys at once ("enabledItemsKey", "disabledItemsKey" in the
// "defaults" domain) and posts the row's "PostNotification".
//
// Runtime methods: init, loadView, viewDidLoad, syncPrefs:, tableView, and the table's data
// source and delegate (the move callbacks included).

#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSDictionary.h"
#include "platform/preferences/PSViewController.h"
#include "platform/uikit/UITableView.h"

#include <string>

class ZarnekListSelect : public PSViewController {
    OBJC_CLASS(ZarnekListSelect)
public:
    NSMutableArray* enabledItems() const { return m_enabledItems.ptr(); }
    NSMutableArray* disabledItems() const { return m_disabledItems.ptr(); }
    UITableView* tableView() const { return m_tableView.ptr(); }

    static void registerClass(objc::Runtime&);

private:
    void buildView();
    void viewLoaded();
    void sync(bool notify);
    objc::Ref<UITableViewCell> cellFor(UITableView* table, NSIndexPath* path);
    objc::Ref<NSIndexPath> moveTarget(UITableView* table, NSIndexPath* from, NSIndexPath* proposed);
    void moveRow(UITableView* table, NSIndexPath* from, NSIndexPath* to);
    NSMutableArray* listOf(NSInteger section) const { return section == 0 ? m_enabledItems.ptr() : m_disabledItems.ptr(); }

    objc::Ref<UITableView> m_tableView;
    objc::Ref<NSMutableArray> m_enabledItems = NSMutableArray::make();
    objc::Ref<NSMutableArray> m_disabledItems = NSMutableArray::make();
    objc::Ref<NSDictionary> m_listItems;
    std::string m_prefEnabledKey;
    std::string m_prefDisabledKey;
    objc::Ref<NSArray> m_defaultEnabled;
    std::string m_prefAppID;
    std::string m_prefNotification;
    std::string m_listIconPath;
};

namespace zarnek {
// A stored list as the control reads it: a mutable copy of `value` when it is an array (whatever
// its items), else none.
objc::Ref<NSMutableArray> storedList(objc::Object* value);
} // namespace zarnek
