#pragma once

#include "platform/corefoundation/NSArray.h"
#include "platform/preferences/PSTableCell.h"
#include "platform/preferences/PSViewController.h"

#include <map>
#include <string>
#include <vector>

class NSIndexPath;
class UITableView;

// A list of specifier rows in a grouped table. The rows come from the runtime method
// `specifiers` (subclasses override it, typically loading a list file once into `_specifiers`);
// every group row starts a section whose header is the group's name and whose footer is its
// "footerText". Tapping a link row makes its "detail" controller (by class, alloc/init), gives it
// the row's specifier and pushes it; tapping a button row sends its "action" to its target with
// the specifier. Rows read and write their values through their getter and setter, by default
// readPreferenceValue: and setPreferenceValue:specifier:, which use the row's "defaults" domain
// and "key" and post its "PostNotification".
//
// Runtime methods: specifiers, setSpecifiers:, loadSpecifiersFromPlistName:target:,
// reloadSpecifiers, reloadSpecifier:, reloadSpecifierID:, specifierForID:, indexOfSpecifier:,
// specifierAtIndexPath:, indexPathForSpecifier:, readPreferenceValue:,
// setPreferenceValue:specifier:, table, cachedCellForSpecifier:, and the table's data source and
// delegate methods (numberOfSectionsInTableView:, tableView:numberOfRowsInSection:,
// tableView:cellForRowAtIndexPath:, tableView:titleForHeaderInSection:,
// tableView:titleForFooterInSection:, tableView:heightForRowAtIndexPath:,
// tableView:didSelectRowAtIndexPath:). Instance variables: _specifiers, _table.
class PSListController : public PSViewController {
    OBJC_CLASS(PSListController)
public:
    // These send the runtime methods.
    objc::Ref<NSArray> specifiers();
    objc::Ref<NSArray> loadSpecifiersFromPlistName(const std::string& name, objc::Object* target);
    void reloadSpecifiers();
    objc::Ref<PSSpecifier> specifierForID(const std::string& identifier);
    objc::Ref<UITableView> table();

    // The specifier storage subclasses fill (the `_specifiers` instance variable).
    NSArray* storedSpecifiers() const { return m_specifiers.ptr(); }
    void setStoredSpecifiers(NSArray* specifiers) { m_specifiers = specifiers; }

    // The cell made for a row (null until the table asked for it).
    PSTableCell* existingCellForSpecifier(PSSpecifier* specifier) const;

    static void registerClass(objc::Runtime&);

protected:
    struct Section {
        objc::Ref<PSSpecifier> group;
        std::vector<objc::Ref<PSSpecifier>> rows;
    };
    // The rows of `specifiers` cut into sections at each group row.
    std::vector<Section> sections();
    objc::Ref<PSSpecifier> rowAt(const NSIndexPath* path);
    objc::Ref<PSTableCell> cellFor(PSSpecifier* specifier);
    void selectRow(PSSpecifier* specifier);

private:
    // The runtime methods.
    void makeTable();
    objc::Ref<UITableView> loadedTable();
    void refreshOnAppear(bool animated);
    objc::Ref<NSArray> storedOrEmptySpecifiers();
    void replaceSpecifiers(NSArray* specifiers);
    objc::Ref<NSArray> loadSpecifierList(std::string name, objc::Object* target);
    void forgetAndReloadSpecifiers();
    void refreshSpecifierCell(PSSpecifier* specifier);
    void refreshSpecifierCellWithID(std::string identifier);
    objc::Ref<PSSpecifier> findSpecifierWithID(std::string identifier);
    NSInteger positionOfSpecifier(PSSpecifier* specifier);
    objc::Ref<PSSpecifier> specifierAt(NSIndexPath* path);
    objc::Ref<NSIndexPath> pathOfSpecifier(PSSpecifier* specifier);
    objc::Ref<PSTableCell> cellForSpecifier(PSSpecifier* specifier);
    objc::Ref<objc::Object> readDefaultValue(PSSpecifier* specifier);
    void writeDefaultValue(objc::Object* value, PSSpecifier* specifier);
    NSInteger sectionCount(UITableView* table);
    NSInteger rowCount(UITableView* table, NSInteger section);
    std::string headerTitle(UITableView* table, NSInteger section);
    std::string footerTitle(UITableView* table, NSInteger section);
    objc::Ref<UITableViewCell> tableCell(UITableView* table, NSIndexPath* path);
    double rowHeight(UITableView* table, NSIndexPath* path);
    bool canEditRow(UITableView* table, NSIndexPath* path);
    void didSelectRow(UITableView* table, NSIndexPath* path);

    objc::Ref<NSArray> m_specifiers;
    objc::Ref<UITableView> m_table;
    // Cells by row; each entry keeps its specifier alive, so no later specifier can take its address.
    struct CachedCell {
        objc::Ref<PSSpecifier> specifier;
        objc::Ref<PSTableCell> cell;
    };
    std::map<const PSSpecifier*, CachedCell> m_cells;
};

// The list a link-list row opens: one row per choice of the row that opened it ("validTitles"),
// the current value checked; choosing one stores it through that row's setter.
class PSListItemsController : public PSListController {
    OBJC_CLASS(PSListItemsController)
public:
    static void registerClass(objc::Runtime&);

private:
    // The runtime methods.
    objc::Ref<NSArray> choiceRows();
    objc::Ref<UITableViewCell> checkedTableCell(UITableView* table, NSIndexPath* path);
    void chooseRow(UITableView* table, NSIndexPath* path);
};

namespace preferences {
// Makes a controller of `cls` (alloc/init through the runtime): null, logged, when the class is
// not a view controller class or making it fails.
objc::Ref<UIViewController> makeController(objc::Class* cls);
} // namespace preferences
