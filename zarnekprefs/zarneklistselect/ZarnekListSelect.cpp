#include "zarnekprefs/zarneklistselect/ZarnekListSelect.h"

#include "platform/corefoundation/NSString.h"
#include "platform/foundation/NSBundle.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIScreen.h"
#include "zarnekprefs/ZarnekPrefsSupport.h"
#include "zarnekprefs/ZarnekSelectors.h"

using objc::Object;
using objc::Ref;

namespace {
constexpr const char* kListCellIdentifier = "MyCellIdentifier";
}

namespace zarnek {
Ref<NSMutableArray> storedList(Object* value)
{
    auto* array = dynamic_cast<NSArray*>(value);
    return array ? NSMutableArray::make(array->items()) : nullptr;
}
} // namespace zarnek

void ZarnekListSelect::buildView()
{
    m_tableView = UITableView::create(UIScreen::mainScreen()->bounds(), UITableViewStyleGrouped);
    m_tableView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_tableView->setDelegate(this);
    m_tableView->setDataSource(this);
    m_tableView->setRowHeight(44);
    m_tableView->setEditing(true, false);
    setView(m_tableView);
}

void ZarnekListSelect::viewLoaded()
{
    objc::sendSuperOrZero(zarnek::sel::viewDidLoad, this);
    Ref<PSSpecifier> row = specifier();
    if (!row)
        return;
    setTitle(row->name());
    m_listItems = zarnek::propertyOfKind<NSDictionary>(row, "listItems");
    if (!m_listItems)
        m_listItems = NSDictionary::make();
    m_prefEnabledKey = row->stringProperty("enabledItemsKey");
    m_prefDisabledKey = row->stringProperty("disabledItemsKey");
    m_defaultEnabled = zarnek::propertyOfKind<NSArray>(row, "defaultEnabledItems");
    m_prefAppID = row->stringProperty("defaults");
    m_prefNotification = row->stringProperty("PostNotification");
    m_listIconPath = row->stringProperty("listIconPath");

    // Each stored array is shown as it is, items unknown to "listItems" included (they are rows
    // without a title), and written back as it is: the person's order is never dropped. A value
    // that is no array counts as nothing stored.
    Ref<NSMutableArray> enabled = zarnek::storedList(zarnek::readStoredValue(m_prefAppID, m_prefEnabledKey).ptr());
    Ref<NSMutableArray> disabled = zarnek::storedList(zarnek::readStoredValue(m_prefAppID, m_prefDisabledKey).ptr());
    Ref<NSMutableArray> defaults = zarnek::storedList(m_defaultEnabled.ptr());
    if (!enabled)
        enabled = defaults ? defaults : NSMutableArray::make(NSArray::ofStrings(m_listItems->keys())->items());
    m_enabledItems = enabled;
    if (!disabled) {
        disabled = NSMutableArray::make();
        if (defaults)
            for (const std::string& key : m_listItems->keys())
                if (!m_enabledItems->containsObject(NSString::make(key).ptr()))
                    disabled->addObject(NSString::make(key).ptr());
    }
    m_disabledItems = disabled;
}

void ZarnekListSelect::sync(bool notify)
{
    if (!m_prefEnabledKey.empty())
        zarnek::storeValue(m_prefAppID, m_prefEnabledKey, NSArray::make(m_enabledItems->items()).ptr());
    if (!m_prefDisabledKey.empty())
        zarnek::storeValue(m_prefAppID, m_prefDisabledKey, NSArray::make(m_disabledItems->items()).ptr());
    if (notify)
        zarnek::postDarwinNotification(m_prefNotification);
}

Ref<UITableViewCell> ZarnekListSelect::cellFor(UITableView* table, NSIndexPath* path)
{
    Ref<UITableViewCell> cell = table ? table->dequeueReusableCellWithIdentifier(kListCellIdentifier) : nullptr;
    if (!cell) {
        cell = UITableViewCell::create(UITableViewCellStyleDefault, kListCellIdentifier);
        cell->setOpaque(true);
        cell->textLabel()->setFont(UIFont::boldSystemFontOfSize(14));
        cell->setAccessoryType(UITableViewCellAccessoryNone);
        cell->setShowsReorderControl(true);
        cell->setSeparatorInset(0, true);
    }
    cell->textLabel()->setText("");
    cell->imageView()->setImage(nullptr);
    NSMutableArray* list = path ? listOf(path->section()) : nullptr;
    auto* key = list && path->row() >= 0 ? dynamic_cast<NSString*>(list->objectAtIndex(static_cast<std::size_t>(path->row()))) : nullptr;
    if (!key)
        return cell;
    cell->textLabel()->setText(m_listItems->stringForKey(key->value()).value_or(""));
    if (!m_listIconPath.empty()) {
        Ref<UIImage> icon = UIImage::imageWithContentsOfFile(m_listIconPath + key->value() + ".png");
        // Image views here never tint, so the icon shows in its own colours.
        cell->imageView()->setImage(icon);
    }
    return cell;
}

Ref<NSIndexPath> ZarnekListSelect::moveTarget(UITableView*, NSIndexPath*, NSIndexPath* proposed)
{
    if (!proposed)
        return proposed;
    if (listOf(proposed->section())->count() == 0)
        return NSIndexPath::indexPathForRow(0, proposed->section());
    return Ref<NSIndexPath>(proposed);
}

void ZarnekListSelect::moveRow(UITableView*, NSIndexPath* from, NSIndexPath* to)
{
    if (!from || !to)
        return;
    NSMutableArray* source = listOf(from->section());
    NSMutableArray* destination = listOf(to->section());
    if (from->row() < 0 || static_cast<std::size_t>(from->row()) >= source->count())
        return;
    Ref<Object> item(source->objectAtIndex(static_cast<std::size_t>(from->row())));
    source->removeObjectAtIndex(static_cast<std::size_t>(from->row()));
    std::size_t at = std::min(static_cast<std::size_t>(std::max<NSInteger>(to->row(), 0)), destination->count());
    destination->insertObject(item, at);
    zarnek::sel::syncPrefs(this, true);
}

namespace {

// Two sections: the enabled items, then the disabled ones.
NSMutableArray* listOf(ZarnekListSelect* self, std::int64_t section) { return section == 0 ? self->enabledItems() : self->disabledItems(); }

std::int64_t listSectionCount(ZarnekListSelect*, UITableView*) { return 2; }
std::int64_t listRowCount(ZarnekListSelect* self, UITableView*, std::int64_t section) { return static_cast<std::int64_t>(listOf(self, section)->count()); }
std::string listSectionTitle(ZarnekListSelect*, UITableView*, std::int64_t section) { return section == 0 ? "ENABLED" : "DISABLED"; }
// Rows are only moved, never deleted or inserted, and not indented for it.
std::int64_t noEditingStyle(ZarnekListSelect*, UITableView*, NSIndexPath*) { return UITableViewCellEditingStyleNone; }
bool rowCanMove(ZarnekListSelect* self, UITableView*, NSIndexPath* path) { return path && listOf(self, path->section())->count() > 0; }
bool noIndent(ZarnekListSelect*, UITableView*, NSIndexPath*) { return false; }

} // namespace

void ZarnekListSelect::registerClass(objc::Runtime& rt)
{
    using Self = ZarnekListSelect;
    namespace sel = zarnek::sel;
    objc::ClassBuilder<Self>(rt, "PSViewController")
        .method(sel::loadView, &Self::buildView)
        .method(sel::viewDidLoad, &Self::viewLoaded)
        .method(sel::syncPrefs, &Self::sync)
        .method(sel::numberOfSectionsInTableView, &listSectionCount)
        .method(sel::numberOfRowsInSection, &listRowCount)
        .method(sel::titleForHeaderInSection, &listSectionTitle)
        .method(sel::cellForRowAtIndexPath, &Self::cellFor)
        .method(sel::targetIndexPathForMove, &Self::moveTarget)
        .method(sel::moveRowAtIndexPathToIndexPath, &Self::moveRow)
        .method(sel::editingStyleForRowAtIndexPath, &noEditingStyle)
        .method(sel::canMoveRowAtIndexPath, &rowCanMove)
        .method(sel::shouldIndentWhileEditingRowAtIndexPath, &noIndent)
        .buildSystemClass();
}
