#include "platform/preferences/PSListController.h"

#include "platform/corefoundation/Create.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/PropertyList.h"
#include "platform/foundation/NSBundle.h"
#include "platform/preferences/PreferenceValues.h"
#include "platform/preferences/PSSpecifierList.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/preferences/PreferencesSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObjectSelectors.h"
#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UITableView.h"

using objc::Class;
using objc::Object;
using objc::Ref;
using objc::SEL;

namespace sel = preferences::sel;

namespace preferences {

Ref<UIViewController> makeController(Class* cls)
{
    if (!cls) {
        logProblem("no controller class to open");
        return nullptr;
    }
    if (!cls->isSubclassOf(objc::objc_getClass("UIViewController"))) {
        logProblem(cls->name() + " is not a view controller class");
        return nullptr;
    }
    try {
        Ref<Object> made = objc::sel::init(objc::sel::alloc(cls));
        Ref<UIViewController> controller(dynamic_cast<UIViewController*>(made.ptr()));
        if (!controller)
            logProblem("making a " + cls->name() + " gave no controller");
        return controller;
    } catch (const std::exception& error) {
        logProblem("making a " + cls->name() + " failed: " + error.what());
        return nullptr;
    }
}

} // namespace preferences

Ref<NSArray> PSListController::specifiers() { return sel::specifiers(this); }

Ref<NSArray> PSListController::loadSpecifiersFromPlistName(const std::string& name, Object* target)
{
    return sel::loadSpecifiersFromPlistNameTarget(this, name, target);
}

void PSListController::reloadSpecifiers() { sel::reloadSpecifiers(this); }
Ref<PSSpecifier> PSListController::specifierForID(const std::string& identifier) { return sel::specifierForID(this, identifier); }
Ref<UITableView> PSListController::table() { return sel::table(this); }

PSTableCell* PSListController::existingCellForSpecifier(PSSpecifier* specifier) const
{
    auto found = m_cells.find(specifier);
    return found == m_cells.end() ? nullptr : found->second.cell.ptr();
}

std::vector<PSListController::Section> PSListController::sections()
{
    std::vector<Section> result;
    Ref<NSArray> all = specifiers();
    if (!all)
        return result;
    for (const auto& item : all->items()) {
        auto* specifier = dynamic_cast<PSSpecifier*>(item.ptr());
        if (!specifier)
            continue;
        if (specifier->cellType() == PSGroupCell) {
            result.push_back({ specifier, {} });
            continue;
        }
        if (result.empty())
            result.push_back({});
        result.back().rows.emplace_back(specifier);
    }
    return result;
}

Ref<PSSpecifier> PSListController::rowAt(const NSIndexPath* path)
{
    if (!path)
        return nullptr;
    auto all = sections();
    if (path->section() < 0 || path->section() >= static_cast<NSInteger>(all.size()))
        return nullptr;
    const auto& rows = all[path->section()].rows;
    if (path->row() < 0 || path->row() >= static_cast<NSInteger>(rows.size()))
        return nullptr;
    return rows[path->row()];
}

Ref<PSTableCell> PSListController::cellFor(PSSpecifier* specifier)
{
    if (!specifier)
        return nullptr;
    if (PSTableCell* cached = existingCellForSpecifier(specifier))
        return cached;
    Ref<PSTableCell> cell;
    try {
        Class* cls = preferences::cellClassForSpecifier(specifier);
        cell = PSTableCell::createWithClass(cls, preferences::cellStyleForSpecifier(specifier), specifier->identifier(), specifier);
        if (!cell && cls != objc::objc_getClass("PSTableCell")) {
            preferences::logProblem(cls->name() + " made no cell; using the standard cell");
            cell = PSTableCell::createWithClass(objc::objc_getClass("PSTableCell"), preferences::cellStyleForSpecifier(specifier), specifier->identifier(), specifier);
        }
        if (cell)
            cell->refreshCellContentsWithSpecifier(specifier);
    } catch (const std::exception& error) {
        preferences::logProblem("the cell of " + specifier->identifier() + " failed: " + error.what());
        cell = PSTableCell::createWithClass(objc::objc_getClass("PSTableCell"), UITableViewCellStyleDefault, specifier->identifier(), specifier);
        if (cell)
            cell->textLabel()->setText(specifier->name());
    }
    if (cell)
        m_cells[specifier] = { specifier, cell };
    return cell;
}

void PSListController::selectRow(PSSpecifier* specifier)
{
    if (!specifier)
        return;
    try {
        if (Class* detail = specifier->detailControllerClass()) {
            Ref<UIViewController> controller = preferences::makeController(detail);
            if (!controller)
                return;
            if (auto* pane = dynamic_cast<PSViewController*>(controller.ptr())) {
                sel::setParentController(pane, this);
                sel::setRootController(pane, sel::rootController(this).ptr());
                sel::setSpecifier(pane, specifier);
            } else {
                controller->setTitle(specifier->name());
            }
            sel::pushControllerAnimate(this, controller.ptr(), true);
        } else if (SEL action = specifier->buttonAction()) {
            Object* target = specifier->target() ? specifier->target() : this;
            preferences::sendAction(target, action, specifier);
        }
    } catch (const std::exception& error) {
        preferences::logProblem("opening " + specifier->identifier() + " failed: " + error.what());
    }
}

void PSListController::makeTable()
{
    CGRect bounds = UIScreen::mainScreen()->bounds();
    m_table = UITableView::create(bounds, UITableViewStyleGrouped);
    m_table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_table->setDataSource(this);
    m_table->setDelegate(this);
    setView(m_table);
}

Ref<UITableView> PSListController::loadedTable()
{
    (void)view();
    return m_table;
}

// The rows change only through reloads; coming back to the list shows the stored values.
void PSListController::refreshOnAppear(bool animated)
{
    uikit::sel::viewWillAppear.sendSuper(objc::classOf<PSListController>(), this, animated);
    for (auto& [key, cached] : m_cells)
        cached.cell->refreshCellContentsWithSpecifier(cached.specifier);
    if (m_table)
        m_table->reloadData();
}

Ref<NSArray> PSListController::storedOrEmptySpecifiers()
{
    if (!m_specifiers)
        m_specifiers = corefoundation::create<NSMutableArray>();
    return m_specifiers;
}

void PSListController::replaceSpecifiers(NSArray* specifiers)
{
    m_specifiers = specifiers;
    m_cells.clear();
    if (m_table)
        m_table->reloadData();
}

Ref<NSArray> PSListController::loadSpecifierList(std::string name, Object* target)
{
    auto result = corefoundation::create<NSMutableArray>();
    Ref<NSBundle> ownBundle = bundle();
    std::string path = ownBundle ? ownBundle->pathForResource(name, "plist") : std::string();
    if (path.empty()) {
        preferences::logProblem("no specifier list " + name + ".plist in " + (ownBundle ? ownBundle->bundlePath() : std::string("a controller without a bundle")));
        return Ref<NSArray>(result);
    }
    auto list = preferences::loadSpecifierList(path, target, ownBundle, name);
    if (!list.error.empty())
        preferences::logProblem(list.error);
    for (auto& specifier : list.specifiers)
        result->addObject(specifier);
    if (!list.title.empty())
        setTitle(list.title);
    return Ref<NSArray>(result);
}

void PSListController::forgetAndReloadSpecifiers()
{
    m_specifiers = nullptr;
    m_cells.clear();
    (void)specifiers();
    if (m_table)
        m_table->reloadData();
}

void PSListController::refreshSpecifierCell(PSSpecifier* specifier)
{
    if (PSTableCell* cell = existingCellForSpecifier(specifier))
        cell->refreshCellContentsWithSpecifier(specifier);
}

void PSListController::refreshSpecifierCellWithID(std::string identifier)
{
    if (Ref<PSSpecifier> specifier = specifierForID(identifier))
        sel::reloadSpecifier(this, specifier.ptr());
}

Ref<PSSpecifier> PSListController::findSpecifierWithID(std::string identifier)
{
    if (Ref<NSArray> all = specifiers())
        for (const auto& item : all->items())
            if (auto* specifier = dynamic_cast<PSSpecifier*>(item.ptr()); specifier && specifier->identifier() == identifier)
                return Ref<PSSpecifier>(specifier);
    return nullptr;
}

NSInteger PSListController::positionOfSpecifier(PSSpecifier* specifier)
{
    Ref<NSArray> all = specifiers();
    if (!all)
        return -1;
    for (std::size_t i = 0; i < all->count(); ++i)
        if (all->objectAtIndex(i) == specifier)
            return static_cast<NSInteger>(i);
    return -1;
}

Ref<PSSpecifier> PSListController::specifierAt(NSIndexPath* path) { return rowAt(path); }

Ref<NSIndexPath> PSListController::pathOfSpecifier(PSSpecifier* specifier)
{
    auto all = sections();
    for (std::size_t s = 0; s < all.size(); ++s)
        for (std::size_t r = 0; r < all[s].rows.size(); ++r)
            if (all[s].rows[r].ptr() == specifier)
                return NSIndexPath::indexPathForRow(static_cast<NSInteger>(r), static_cast<NSInteger>(s));
    return nullptr;
}

Ref<PSTableCell> PSListController::cellForSpecifier(PSSpecifier* specifier) { return cellFor(specifier); }

Ref<Object> PSListController::readDefaultValue(PSSpecifier* specifier) { return preferences::readDefaultPreferenceValue(specifier); }

void PSListController::writeDefaultValue(Object* value, PSSpecifier* specifier) { preferences::writeDefaultPreferenceValue(value, specifier); }

NSInteger PSListController::sectionCount(UITableView*) { return static_cast<NSInteger>(sections().size()); }

NSInteger PSListController::rowCount(UITableView*, NSInteger section)
{
    auto all = sections();
    return section >= 0 && section < static_cast<NSInteger>(all.size()) ? static_cast<NSInteger>(all[section].rows.size()) : 0;
}

std::string PSListController::headerTitle(UITableView*, NSInteger section)
{
    auto all = sections();
    if (section < 0 || section >= static_cast<NSInteger>(all.size()) || !all[section].group)
        return std::string();
    return all[section].group->name();
}

std::string PSListController::footerTitle(UITableView*, NSInteger section)
{
    auto all = sections();
    if (section < 0 || section >= static_cast<NSInteger>(all.size()) || !all[section].group)
        return std::string();
    return all[section].group->stringProperty("footerText");
}

Ref<UITableViewCell> PSListController::tableCell(UITableView*, NSIndexPath* path)
{
    Ref<PSTableCell> cell = cellFor(rowAt(path));
    if (!cell)
        cell = PSTableCell::createWithClass(objc::objc_getClass("PSTableCell"), UITableViewCellStyleDefault, "", nullptr);
    return Ref<UITableViewCell>(cell);
}

double PSListController::rowHeight(UITableView* table, NSIndexPath* path)
{
    Ref<PSSpecifier> specifier = rowAt(path);
    double standard = table ? table->rowHeight() : 44;
    if (!specifier)
        return standard;
    if (auto* height = dynamic_cast<NSNumber*>(specifier->propertyForKey("height").ptr()))
        return height->doubleValue();
    Ref<PSTableCell> cell = cellFor(specifier);
    if (cell && sel::preferredHeightForWidth.isAnsweredBy(cell)) {
        double width = table ? table->bounds().size.width : UIScreen::mainScreen()->bounds().size.width;
        try {
            double preferred = sel::preferredHeightForWidth(cell, width);
            if (preferred > 0)
                return preferred;
        } catch (const std::exception& error) {
            preferences::logProblem(std::string("preferredHeightForWidth: failed: ") + error.what());
        }
    }
    return standard;
}

bool PSListController::canEditRow(UITableView*, NSIndexPath*) { return false; }

void PSListController::didSelectRow(UITableView* table, NSIndexPath* path)
{
    Ref<PSSpecifier> specifier = rowAt(path);
    if (table)
        table->deselectRowAtIndexPath(path, true);
    selectRow(specifier);
}

void PSListController::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<PSListController>(rt, "PSViewController")
        .ivar("_specifiers", &PSListController::m_specifiers)
        .ivar("_table", &PSListController::m_table)
        .method(uikit::sel::loadView, &PSListController::makeTable)
        .method(sel::table, &PSListController::loadedTable)
        .method(uikit::sel::viewWillAppear, &PSListController::refreshOnAppear)
        .method(sel::specifiers, &PSListController::storedOrEmptySpecifiers)
        .method(sel::setSpecifiers, &PSListController::replaceSpecifiers)
        .method(sel::loadSpecifiersFromPlistNameTarget, &PSListController::loadSpecifierList)
        .method(sel::reloadSpecifiers, &PSListController::forgetAndReloadSpecifiers)
        .method(sel::reloadSpecifier, &PSListController::refreshSpecifierCell)
        .method(sel::reloadSpecifierID, &PSListController::refreshSpecifierCellWithID)
        .method(sel::specifierForID, &PSListController::findSpecifierWithID)
        .method(sel::indexOfSpecifier, &PSListController::positionOfSpecifier)
        .method(sel::specifierAtIndexPath, &PSListController::specifierAt)
        .method(sel::indexPathForSpecifier, &PSListController::pathOfSpecifier)
        .method(sel::cachedCellForSpecifier, &PSListController::cellForSpecifier)
        .method(sel::readPreferenceValue, &PSListController::readDefaultValue)
        .method(sel::setPreferenceValueSpecifier, &PSListController::writeDefaultValue)
        // The table's data source and delegate.
        .method(uikit::sel::numberOfSectionsInTableView, &PSListController::sectionCount)
        .method(uikit::sel::tableViewNumberOfRowsInSection, &PSListController::rowCount)
        .method(uikit::sel::tableViewTitleForHeaderInSection, &PSListController::headerTitle)
        .method(uikit::sel::tableViewTitleForFooterInSection, &PSListController::footerTitle)
        .method(uikit::sel::tableViewCellForRowAtIndexPath, &PSListController::tableCell)
        .method(uikit::sel::tableViewHeightForRowAtIndexPath, &PSListController::rowHeight)
        .method(uikit::sel::tableViewCanEditRowAtIndexPath, &PSListController::canEditRow)
        .method(uikit::sel::tableViewDidSelectRowAtIndexPath, &PSListController::didSelectRow)
        .build();
}

Ref<NSArray> PSListItemsController::choiceRows()
{
    if (storedSpecifiers())
        return Ref<NSArray>(storedSpecifiers());
    auto rows = corefoundation::create<NSMutableArray>();
    Ref<PSSpecifier> owner = specifier();
    rows->addObject(PSSpecifier::emptyGroupSpecifier());
    if (owner && owner->values()) {
        NSArray* values = owner->values();
        for (std::size_t i = 0; i < values->count(); ++i) {
            Object* value = values->objectAtIndex(i);
            auto row = PSSpecifier::preferenceSpecifierNamed(owner->titleForValue(value), this, nullptr, nullptr, nullptr, PSListItemCell, nullptr);
            row->setProperty(value, "value");
            rows->addObject(row);
        }
    }
    setStoredSpecifiers(rows);
    return Ref<NSArray>(rows);
}

Ref<UITableViewCell> PSListItemsController::checkedTableCell(UITableView* table, NSIndexPath* path)
{
    auto cell = uikit::sel::tableViewCellForRowAtIndexPath.sendSuper(objc::classOf<PSListItemsController>(), this, table, path);
    Ref<PSSpecifier> row = rowAt(path);
    Ref<Object> current = preferences::readSpecifierValue(specifier());
    bool chosen = row && current && corefoundation::objectsEqual(row->propertyForKey("value"), current);
    if (cell)
        cell->setAccessoryType(chosen ? UITableViewCellAccessoryCheckmark : UITableViewCellAccessoryNone);
    return cell;
}

void PSListItemsController::chooseRow(UITableView* table, NSIndexPath* path)
{
    Ref<PSSpecifier> row = rowAt(path);
    if (table)
        table->deselectRowAtIndexPath(path, true);
    if (!row)
        return;
    preferences::writeSpecifierValue(specifier(), row->propertyForKey("value"));
    if (table)
        table->reloadData();
}

void PSListItemsController::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<PSListItemsController>(rt, "PSListController")
        .method(sel::specifiers, &PSListItemsController::choiceRows)
        .method(uikit::sel::tableViewCellForRowAtIndexPath, &PSListItemsController::checkedTableCell)
        .method(uikit::sel::tableViewDidSelectRowAtIndexPath, &PSListItemsController::chooseRow)
        .build();
}
