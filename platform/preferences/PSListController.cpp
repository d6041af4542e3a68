#include "platform/preferences/PSListController.h"

#include "platform/corefoundation/Create.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/PropertyList.h"
#include "platform/foundation/NSBundle.h"
#include "platform/preferences/PreferenceValues.h"
#include "platform/preferences/PSSpecifierList.h"
#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UITableView.h"

using objc::Class;
using objc::msgSend;
using objc::Object;
using objc::Ref;
using objc::SEL;

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
        Ref<Object> made = msgSend<Ref<Object>>(msgSend<Ref<Object>>(cls, "alloc"), "init");
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

Ref<NSArray> PSListController::specifiers() { return msgSend<Ref<NSArray>>(this, "specifiers"); }

Ref<NSArray> PSListController::loadSpecifiersFromPlistName(const std::string& name, Object* target)
{
    return msgSend<Ref<NSArray>>(this, "loadSpecifiersFromPlistName:target:", name, target);
}

void PSListController::reloadSpecifiers() { msgSend(this, "reloadSpecifiers"); }
Ref<PSSpecifier> PSListController::specifierForID(const std::string& identifier) { return msgSend<Ref<PSSpecifier>>(this, "specifierForID:", identifier); }
Ref<UITableView> PSListController::table() { return msgSend<Ref<UITableView>>(this, "table"); }

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
                msgSend(pane, "setParentController:", this);
                msgSend(pane, "setRootController:", msgSend<Ref<UIViewController>>(this, "rootController"));
                msgSend(pane, "setSpecifier:", specifier);
            } else {
                controller->setTitle(specifier->name());
            }
            msgSend(this, "pushController:animate:", controller.ptr(), true);
        } else if (SEL action = specifier->buttonAction()) {
            Object* target = specifier->target() ? specifier->target() : this;
            preferences::sendAction(target, action, specifier);
        }
    } catch (const std::exception& error) {
        preferences::logProblem("opening " + specifier->identifier() + " failed: " + error.what());
    }
}

void PSListController::registerClass(objc::Runtime& rt)
{
    Class* c = rt.registerClass<PSListController>("PSViewController");
    c->addIvar("_specifiers", &PSListController::m_specifiers);
    c->addIvar("_table", &PSListController::m_table);

    c->addMethod("loadView", [](PSListController* self, SEL) {
        CGRect bounds = UIScreen::mainScreen()->bounds();
        self->m_table = UITableView::create(bounds, UITableViewStyleGrouped);
        self->m_table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        self->m_table->setDataSource(self);
        self->m_table->setDelegate(self);
        self->setView(self->m_table);
    });
    c->addMethod("table", [](PSListController* self, SEL) {
        (void)self->view();
        return self->m_table;
    });
    // The rows change only through reloads; coming back to the list shows the stored values.
    c->addMethod("viewWillAppear:", [c](PSListController* self, SEL, bool animated) {
        objc::msgSendSuper(c, self, "viewWillAppear:", animated);
        for (auto& [key, cached] : self->m_cells)
            cached.cell->refreshCellContentsWithSpecifier(cached.specifier);
        if (self->m_table)
            self->m_table->reloadData();
    });

    c->addMethod("specifiers", [](PSListController* self, SEL) {
        if (!self->m_specifiers)
            self->m_specifiers = corefoundation::create<NSMutableArray>();
        return self->m_specifiers;
    });
    c->addMethod("setSpecifiers:", [](PSListController* self, SEL, NSArray* specifiers) {
        self->m_specifiers = specifiers;
        self->m_cells.clear();
        if (self->m_table)
            self->m_table->reloadData();
    });
    c->addMethod("loadSpecifiersFromPlistName:target:", [](PSListController* self, SEL, std::string name, Object* target) {
        auto result = corefoundation::create<NSMutableArray>();
        Ref<NSBundle> bundle = self->bundle();
        std::string path = bundle ? bundle->pathForResource(name, "plist") : std::string();
        if (path.empty()) {
            preferences::logProblem("no specifier list " + name + ".plist in " + (bundle ? bundle->bundlePath() : std::string("a controller without a bundle")));
            return Ref<NSArray>(result);
        }
        auto list = preferences::loadSpecifierList(path, target, bundle, name);
        if (!list.error.empty())
            preferences::logProblem(list.error);
        for (auto& specifier : list.specifiers)
            result->addObject(specifier);
        if (!list.title.empty())
            self->setTitle(list.title);
        return Ref<NSArray>(result);
    });
    c->addMethod("reloadSpecifiers", [](PSListController* self, SEL) {
        self->m_specifiers = nullptr;
        self->m_cells.clear();
        (void)self->specifiers();
        if (self->m_table)
            self->m_table->reloadData();
    });
    c->addMethod("reloadSpecifier:", [](PSListController* self, SEL, PSSpecifier* specifier) {
        if (PSTableCell* cell = self->existingCellForSpecifier(specifier))
            cell->refreshCellContentsWithSpecifier(specifier);
    });
    c->addMethod("reloadSpecifierID:", [](PSListController* self, SEL, std::string identifier) {
        if (Ref<PSSpecifier> specifier = self->specifierForID(identifier))
            msgSend(self, "reloadSpecifier:", specifier.ptr());
    });
    c->addMethod("specifierForID:", [](PSListController* self, SEL, std::string identifier) {
        if (Ref<NSArray> all = self->specifiers())
            for (const auto& item : all->items())
                if (auto* specifier = dynamic_cast<PSSpecifier*>(item.ptr()); specifier && specifier->identifier() == identifier)
                    return Ref<PSSpecifier>(specifier);
        return Ref<PSSpecifier>();
    });
    c->addMethod("indexOfSpecifier:", [](PSListController* self, SEL, PSSpecifier* specifier) -> NSInteger {
        Ref<NSArray> all = self->specifiers();
        if (!all)
            return -1;
        for (std::size_t i = 0; i < all->count(); ++i)
            if (all->objectAtIndex(i) == specifier)
                return static_cast<NSInteger>(i);
        return -1;
    });
    c->addMethod("specifierAtIndexPath:", [](PSListController* self, SEL, NSIndexPath* path) { return self->rowAt(path); });
    c->addMethod("indexPathForSpecifier:", [](PSListController* self, SEL, PSSpecifier* specifier) {
        auto all = self->sections();
        for (std::size_t s = 0; s < all.size(); ++s)
            for (std::size_t r = 0; r < all[s].rows.size(); ++r)
                if (all[s].rows[r].ptr() == specifier)
                    return NSIndexPath::indexPathForRow(static_cast<NSInteger>(r), static_cast<NSInteger>(s));
        return Ref<NSIndexPath>();
    });
    c->addMethod("cachedCellForSpecifier:", [](PSListController* self, SEL, PSSpecifier* specifier) { return self->cellFor(specifier); });
    c->addMethod("readPreferenceValue:", [](PSListController*, SEL, PSSpecifier* specifier) { return preferences::readDefaultPreferenceValue(specifier); });
    c->addMethod("setPreferenceValue:specifier:", [](PSListController*, SEL, Object* value, PSSpecifier* specifier) {
        preferences::writeDefaultPreferenceValue(value, specifier);
    });

    // The table's data source and delegate.
    c->addMethod("numberOfSectionsInTableView:", [](PSListController* self, SEL, UITableView*) { return static_cast<NSInteger>(self->sections().size()); });
    c->addMethod("tableView:numberOfRowsInSection:", [](PSListController* self, SEL, UITableView*, NSInteger section) -> NSInteger {
        auto all = self->sections();
        return section >= 0 && section < static_cast<NSInteger>(all.size()) ? static_cast<NSInteger>(all[section].rows.size()) : 0;
    });
    c->addMethod("tableView:titleForHeaderInSection:", [](PSListController* self, SEL, UITableView*, NSInteger section) {
        auto all = self->sections();
        if (section < 0 || section >= static_cast<NSInteger>(all.size()) || !all[section].group)
            return std::string();
        return all[section].group->name();
    });
    c->addMethod("tableView:titleForFooterInSection:", [](PSListController* self, SEL, UITableView*, NSInteger section) {
        auto all = self->sections();
        if (section < 0 || section >= static_cast<NSInteger>(all.size()) || !all[section].group)
            return std::string();
        return all[section].group->stringProperty("footerText");
    });
    c->addMethod("tableView:cellForRowAtIndexPath:", [](PSListController* self, SEL, UITableView*, NSIndexPath* path) {
        Ref<PSTableCell> cell = self->cellFor(self->rowAt(path));
        if (!cell)
            cell = PSTableCell::createWithClass(objc::objc_getClass("PSTableCell"), UITableViewCellStyleDefault, "", nullptr);
        return Ref<UITableViewCell>(cell);
    });
    c->addMethod("tableView:heightForRowAtIndexPath:", [](PSListController* self, SEL, UITableView* table, NSIndexPath* path) -> double {
        Ref<PSSpecifier> specifier = self->rowAt(path);
        double standard = table ? table->rowHeight() : 44;
        if (!specifier)
            return standard;
        if (auto* height = dynamic_cast<NSNumber*>(specifier->propertyForKey("height").ptr()))
            return height->doubleValue();
        Ref<PSTableCell> cell = self->cellFor(specifier);
        if (cell && objc::respondsToSelector(cell, "preferredHeightForWidth:")) {
            double width = table ? table->bounds().size.width : UIScreen::mainScreen()->bounds().size.width;
            try {
                double preferred = msgSend<double>(cell, "preferredHeightForWidth:", width);
                if (preferred > 0)
                    return preferred;
            } catch (const std::exception& error) {
                preferences::logProblem(std::string("preferredHeightForWidth: failed: ") + error.what());
            }
        }
        return standard;
    });
    c->addMethod("tableView:canEditRowAtIndexPath:", [](PSListController*, SEL, UITableView*, NSIndexPath*) { return false; });
    c->addMethod("tableView:didSelectRowAtIndexPath:", [](PSListController* self, SEL, UITableView* table, NSIndexPath* path) {
        Ref<PSSpecifier> specifier = self->rowAt(path);
        if (table)
            table->deselectRowAtIndexPath(path, true);
        self->selectRow(specifier);
    });
}

void PSListItemsController::registerClass(objc::Runtime& rt)
{
    Class* c = rt.registerClass<PSListItemsController>("PSListController");
    c->addMethod("specifiers", [](PSListItemsController* self, SEL) {
        if (self->storedSpecifiers())
            return Ref<NSArray>(self->storedSpecifiers());
        auto rows = corefoundation::create<NSMutableArray>();
        Ref<PSSpecifier> owner = self->specifier();
        rows->addObject(PSSpecifier::emptyGroupSpecifier());
        if (owner && owner->values()) {
            NSArray* values = owner->values();
            for (std::size_t i = 0; i < values->count(); ++i) {
                Object* value = values->objectAtIndex(i);
                auto row = PSSpecifier::preferenceSpecifierNamed(owner->titleForValue(value), self, nullptr, nullptr, nullptr, PSListItemCell, nullptr);
                row->setProperty(value, "value");
                rows->addObject(row);
            }
        }
        self->setStoredSpecifiers(rows);
        return Ref<NSArray>(rows);
    });
    c->addMethod("tableView:cellForRowAtIndexPath:", [c](PSListItemsController* self, SEL, UITableView* table, NSIndexPath* path) {
        auto cell = objc::msgSendSuper<Ref<UITableViewCell>>(c, self, "tableView:cellForRowAtIndexPath:", table, path);
        Ref<PSSpecifier> row = self->rowAt(path);
        Ref<Object> current = preferences::readSpecifierValue(self->specifier());
        bool chosen = row && current && corefoundation::objectsEqual(row->propertyForKey("value"), current);
        if (cell)
            cell->setAccessoryType(chosen ? UITableViewCellAccessoryCheckmark : UITableViewCellAccessoryNone);
        return cell;
    });
    c->addMethod("tableView:didSelectRowAtIndexPath:", [](PSListItemsController* self, SEL, UITableView* table, NSIndexPath* path) {
        Ref<PSSpecifier> row = self->rowAt(path);
        if (table)
            table->deselectRowAtIndexPath(path, true);
        if (!row)
            return;
        preferences::writeSpecifierValue(self->specifier(), row->propertyForKey("value"));
        if (table)
            table->reloadData();
    });
}
