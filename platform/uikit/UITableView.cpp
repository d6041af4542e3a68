#include "platform/uikit/UITableView.h"

#include "platform/corefoundation/NSArray.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/TextLayout.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UIPanGestureRecognizer.h"
#include "platform/uikit/UISwipeGestureRecognizer.h"
#include "platform/uikit/UITouch.h"

#include <algorithm>
#include <cctype>
#include <cmath>

using objc::Ref;
namespace sel = uikit::sel;

namespace {

// How far a finger may move and still tap a row.
constexpr CGFloat kTapMovementLimit = 10;

Ref<NSIndexPath> pathOf(std::pair<NSInteger, NSInteger> key) { return NSIndexPath::indexPathForRow(key.second, key.first); }

std::string uppercased(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

Ref<UITableView> UITableView::create(CGRect frame, UITableViewStyle style)
{
    auto table = objc::make<UITableView>();
    sel::initWithFrameStyle(table, frame, style);
    return table;
}

void UITableView::setDataSource(objc::Object* source)
{
    m_dataSource = source;
    reloadData();
}

void UITableView::setRowHeight(CGFloat h)
{
    m_rowHeight = h;
    m_geometryValid = false;
    setNeedsLayout();
}

// The table's header and footer views take part in its scrolling content and its geometry.
void UITableView::replaceTableView(objc::Ref<UIView>& slot, UIView* view)
{
    if (slot)
        slot->removeFromSuperview();
    slot = view;
    if (view)
        addSubview(view);
    m_geometryValid = false;
    setNeedsLayout();
}

void UITableView::setTableHeaderView(UIView* view) { replaceTableView(m_tableHeaderView, view); }
void UITableView::setTableFooterView(UIView* view) { replaceTableView(m_tableFooterView, view); }

void UITableView::setEditing(bool editing, bool animated) { sel::setEditingAnimated(this, editing, animated); }

void UITableView::reloadData()
{
    hideDeleteConfirmation();
    for (auto& [key, cell] : std::map<Key, Ref<UITableViewCell>>(m_visible))
        enqueue(cell);
    m_visible.clear();
    for (auto& s : m_sections) {
        if (s.headerView)
            s.headerView->removeFromSuperview();
        if (s.footerView)
            s.footerView->removeFromSuperview();
    }
    m_sections.clear();
    m_selected.clear();
    m_geometryValid = false;
    setNeedsLayout();
}

void UITableView::enqueue(const Ref<UITableViewCell>& cell)
{
    cell->removeFromSuperview();
    if (!cell->reuseIdentifier().empty()) {
        auto& pool = m_reusePool[cell->reuseIdentifier()];
        if (std::find(pool.begin(), pool.end(), cell) == pool.end())
            pool.push_back(cell);
    }
}

Ref<UITableViewCell> UITableView::dequeueReusableCellWithIdentifier(const std::string& identifier)
{
    auto& pool = m_reusePool[identifier];
    if (!pool.empty()) {
        Ref<UITableViewCell> cell = pool.back();
        pool.pop_back();
        sel::prepareForReuse(cell);
        return cell;
    }
    if (auto it = m_registeredClasses.find(identifier); it != m_registeredClasses.end()) {
        auto object = it->second->createInstance();
        Ref<UITableViewCell> cell(objc::checkedObjectCast<UITableViewCell>(object.ptr()));
        sel::initWithStyleReuseIdentifier(cell, UITableViewCellStyleDefault, identifier);
        return cell;
    }
    return nullptr;
}

void UITableView::registerClassForCellReuseIdentifier(objc::Class* cellClass, const std::string& identifier)
{
    if (cellClass)
        m_registeredClasses[identifier] = cellClass;
    else
        m_registeredClasses.erase(identifier);
}

void UITableView::ensureGeometry()
{
    if (m_geometryValid)
        return;
    m_geometryValid = true;
    for (auto& s : m_sections) {
        if (s.headerView)
            s.headerView->removeFromSuperview();
        if (s.footerView)
            s.footerView->removeFromSuperview();
    }
    m_sections.clear();
    Ref<objc::Object> source = m_dataSource.strong();
    Ref<objc::Object> delegate(delegateObject());
    bool grouped = m_style == UITableViewStyleGrouped;
    NSInteger sections = 0;
    if (source)
        sections = sel::numberOfSectionsInTableView.isAnsweredBy(source) ? sel::numberOfSectionsInTableView(source, this) : 1;
    CGFloat y = m_tableHeaderView ? m_tableHeaderView->frame().size.height : 0;
    for (NSInteger s = 0; s < std::max<NSInteger>(0, sections); ++s) {
        Section sec;
        sec.top = y;
        if (sel::tableViewTitleForHeaderInSection.isAnsweredBy(source))
            sec.headerTitle = sel::tableViewTitleForHeaderInSection(source, this, s);
        if (sel::tableViewTitleForFooterInSection.isAnsweredBy(source))
            sec.footerTitle = sel::tableViewTitleForFooterInSection(source, this, s);
        if (sel::tableViewViewForHeaderInSection.isAnsweredBy(delegate))
            sec.headerView = sel::tableViewViewForHeaderInSection(delegate, this, s);
        if (sel::tableViewViewForFooterInSection.isAnsweredBy(delegate))
            sec.footerView = sel::tableViewViewForFooterInSection(delegate, this, s);
        if (sel::tableViewHeightForHeaderInSection.isAnsweredBy(delegate))
            sec.headerHeight = sel::tableViewHeightForHeaderInSection(delegate, this, s);
        else if (m_sectionHeaderHeight >= 0)
            sec.headerHeight = m_sectionHeaderHeight;
        else if (grouped)
            sec.headerHeight = !sec.headerTitle.empty() ? (s == 0 ? 55 : 38) : (s == 0 ? 35 : 17);
        else
            sec.headerHeight = sec.headerView ? sec.headerView->frame().size.height : (sec.headerTitle.empty() ? 0 : 28);
        y += sec.headerHeight;
        NSInteger rows = sel::tableViewNumberOfRowsInSection(source, this, s);
        for (NSInteger r = 0; r < std::max<NSInteger>(0, rows); ++r) {
            CGFloat h = m_rowHeight;
            if (sel::tableViewHeightForRowAtIndexPath.isAnsweredBy(delegate))
                h = sel::tableViewHeightForRowAtIndexPath(delegate, this, pathOf({ s, r }));
            sec.rowTops.push_back(y);
            sec.rowHeights.push_back(std::max(0.0, h));
            y += std::max(0.0, h);
        }
        sec.footerTop = y;
        if (sel::tableViewHeightForFooterInSection.isAnsweredBy(delegate))
            sec.footerHeight = sel::tableViewHeightForFooterInSection(delegate, this, s);
        else if (m_sectionFooterHeight >= 0)
            sec.footerHeight = m_sectionFooterHeight;
        else if (!sec.footerTitle.empty()) {
            uikit::TextStyle style { UIFont::systemFontOfSize(13), NSTextAlignmentLeft, 0, NSLineBreakByWordWrapping };
            sec.footerHeight = uikit::measureText(sec.footerTitle, style, bounds().size.width - 30).height + 16;
        } else
            sec.footerHeight = grouped ? 17 : 0;
        y += sec.footerHeight;
        m_sections.push_back(std::move(sec));
    }
    if (m_tableFooterView)
        y += m_tableFooterView->frame().size.height;
    m_contentHeight = y;
    setContentSize(CGSizeMake(bounds().size.width, y));
}

bool UITableView::validKey(const Key& key)
{
    ensureGeometry();
    return key.first >= 0 && key.first < static_cast<NSInteger>(m_sections.size()) && key.second >= 0
        && key.second < static_cast<NSInteger>(m_sections[static_cast<size_t>(key.first)].rowTops.size());
}

NSInteger UITableView::numberOfSections()
{
    ensureGeometry();
    return static_cast<NSInteger>(m_sections.size());
}

NSInteger UITableView::numberOfRowsInSection(NSInteger section)
{
    ensureGeometry();
    if (section < 0 || section >= static_cast<NSInteger>(m_sections.size()))
        return 0;
    return static_cast<NSInteger>(m_sections[static_cast<size_t>(section)].rowTops.size());
}

CGRect UITableView::rectForRowAtIndexPath(const NSIndexPath* path)
{
    if (!path || !validKey({ path->section(), path->row() }))
        return CGRectZero;
    auto& s = m_sections[static_cast<size_t>(path->section())];
    auto r = static_cast<size_t>(path->row());
    return CGRectMake(0, s.rowTops[r], bounds().size.width, s.rowHeights[r]);
}

CGRect UITableView::rectForSection(NSInteger section)
{
    ensureGeometry();
    if (section < 0 || section >= static_cast<NSInteger>(m_sections.size()))
        return CGRectZero;
    auto& s = m_sections[static_cast<size_t>(section)];
    return CGRectMake(0, s.top, bounds().size.width, s.bottom() - s.top);
}

CGRect UITableView::rectForHeaderInSection(NSInteger section)
{
    ensureGeometry();
    if (section < 0 || section >= static_cast<NSInteger>(m_sections.size()))
        return CGRectZero;
    auto& s = m_sections[static_cast<size_t>(section)];
    return CGRectMake(0, s.top, bounds().size.width, s.headerHeight);
}

UITableViewCell* UITableView::cellForRowAtIndexPath(const NSIndexPath* path)
{
    if (!path)
        return nullptr;
    auto it = m_visible.find({ path->section(), path->row() });
    return it == m_visible.end() ? nullptr : it->second.ptr();
}

Ref<NSIndexPath> UITableView::indexPathForCell(const UITableViewCell* cell) const
{
    for (auto& [key, c] : m_visible)
        if (c.ptr() == cell)
            return pathOf(key);
    return nullptr;
}

Ref<NSIndexPath> UITableView::indexPathForRowAtPoint(CGPoint point)
{
    ensureGeometry();
    for (size_t s = 0; s < m_sections.size(); ++s) {
        auto& sec = m_sections[s];
        if (point.y < sec.top || point.y >= sec.bottom())
            continue;
        for (size_t r = 0; r < sec.rowTops.size(); ++r)
            if (point.y >= sec.rowTops[r] && point.y < sec.rowTops[r] + sec.rowHeights[r])
                return pathOf({ static_cast<NSInteger>(s), static_cast<NSInteger>(r) });
    }
    return nullptr;
}

Ref<NSIndexPath> UITableView::indexPathForSelectedRow() const { return m_selected.empty() ? nullptr : pathOf(m_selected.front()); }

std::vector<Ref<NSIndexPath>> UITableView::indexPathsForSelectedRows() const
{
    std::vector<Ref<NSIndexPath>> result;
    for (auto& key : m_selected)
        result.push_back(pathOf(key));
    return result;
}

std::vector<Ref<UITableViewCell>> UITableView::visibleCells()
{
    layoutIfNeeded();
    std::vector<Ref<UITableViewCell>> result;
    for (auto& [key, cell] : m_visible)
        result.push_back(cell);
    return result;
}

std::vector<Ref<NSIndexPath>> UITableView::indexPathsForVisibleRows()
{
    layoutIfNeeded();
    std::vector<Ref<NSIndexPath>> result;
    for (auto& [key, cell] : m_visible)
        result.push_back(pathOf(key));
    return result;
}

void UITableView::selectRowAtIndexPath(const NSIndexPath* path, bool animated)
{
    if (!path || !validKey({ path->section(), path->row() }))
        return;
    Key key { path->section(), path->row() };
    bool multiple = m_editing ? m_allowsMultipleSelectionDuringEditing : m_allowsMultipleSelection;
    if (!multiple)
        for (auto& old : std::vector<Key>(m_selected))
            if (old != key)
                deselectRowAtIndexPath(pathOf(old), animated);
    if (std::find(m_selected.begin(), m_selected.end(), key) == m_selected.end())
        m_selected.push_back(key);
    if (auto it = m_visible.find(key); it != m_visible.end())
        it->second->setSelected(true, animated);
}

void UITableView::deselectRowAtIndexPath(const NSIndexPath* path, bool animated)
{
    if (!path)
        return;
    Key key { path->section(), path->row() };
    m_selected.erase(std::remove(m_selected.begin(), m_selected.end(), key), m_selected.end());
    if (auto it = m_visible.find(key); it != m_visible.end())
        it->second->setSelected(false, animated);
}

void UITableView::scrollToRowAtIndexPath(const NSIndexPath* path, bool animated)
{
    CGRect r = rectForRowAtIndexPath(path);
    if (!CGRectIsEmpty(r))
        scrollRectToVisible(r, animated);
}

void UITableView::insertRowsAtIndexPaths(const std::vector<Ref<NSIndexPath>>&, UITableViewRowAnimation) { reloadData(); }
void UITableView::deleteRowsAtIndexPaths(const std::vector<Ref<NSIndexPath>>&, UITableViewRowAnimation) { reloadData(); }
void UITableView::reloadRowsAtIndexPaths(const std::vector<Ref<NSIndexPath>>&, UITableViewRowAnimation) { reloadData(); }

Ref<NSIndexPath> UITableView::deleteConfirmationIndexPath() const { return m_deleteConfirmation ? pathOf(*m_deleteConfirmation) : nullptr; }

Ref<UIView> UITableView::makeHeaderFooter(const std::string& title, bool header, CGFloat height)
{
    auto view = UIView::create(CGRectMake(0, 0, bounds().size.width, height));
    bool grouped = m_style == UITableViewStyleGrouped;
    if (!grouped && header)
        view->setBackgroundColor(UIColor::colorWithRed(0.969, 0.969, 0.969, 1));
    auto label = UILabel::create();
    label->setTextColor(grouped || !header ? UIColor::colorWithRed(0.427, 0.427, 0.447, 1) : UIColor::blackColor());
    label->setFont(grouped || !header ? UIFont::systemFontOfSize(13) : UIFont::boldSystemFontOfSize(15));
    label->setText(grouped && header ? uppercased(title) : title);
    label->setNumberOfLines(header ? 1 : 0);
    uikit::TextStyle style { label->font(), NSTextAlignmentLeft, label->numberOfLines(), NSLineBreakByWordWrapping };
    CGFloat textHeight = uikit::measureText(label->text(), style, view->bounds().size.width - 30).height;
    if (header && grouped)
        label->setFrame(CGRectMake(15, height - textHeight - 7, view->bounds().size.width - 30, textHeight));
    else if (header)
        label->setFrame(CGRectMake(15, 0, view->bounds().size.width - 30, height));
    else
        label->setFrame(CGRectMake(15, 8, view->bounds().size.width - 30, textHeight));
    view->addSubview(label);
    return view;
}

void UITableView::configureCell(UITableViewCell* cell, const Key& key)
{
    Ref<objc::Object> source = m_dataSource.strong();
    Ref<objc::Object> delegate(delegateObject());
    Ref<NSIndexPath> path = pathOf(key);
    cell->setEditing(m_editing, false);
    UITableViewCellEditingStyle style = UITableViewCellEditingStyleNone;
    bool reorderable = false, indent = true;
    if (m_editing) {
        bool canEdit = sel::tableViewCanEditRowAtIndexPath.isAnsweredBy(source) ? sel::tableViewCanEditRowAtIndexPath(source, this, path.ptr()) : true;
        if (canEdit) {
            if (sel::tableViewEditingStyleForRowAtIndexPath.isAnsweredBy(delegate))
                style = static_cast<UITableViewCellEditingStyle>(sel::tableViewEditingStyleForRowAtIndexPath(delegate, this, path.ptr()));
            else if (sel::tableViewCommitEditingStyleForRowAtIndexPath.isAnsweredBy(source))
                style = UITableViewCellEditingStyleDelete;
        }
        if (sel::tableViewMoveRowAtIndexPathToIndexPath.isAnsweredBy(source))
            reorderable = sel::tableViewCanMoveRowAtIndexPath.isAnsweredBy(source) ? sel::tableViewCanMoveRowAtIndexPath(source, this, path.ptr()) : true;
        if (sel::tableViewShouldIndentWhileEditingRowAtIndexPath.isAnsweredBy(delegate))
            indent = sel::tableViewShouldIndentWhileEditingRowAtIndexPath(delegate, this, path.ptr());
    }
    cell->configureEditing(style, reorderable, indent);
    bool selected = std::find(m_selected.begin(), m_selected.end(), key) != m_selected.end();
    if (cell->isSelected() != selected)
        cell->setSelected(selected, false);
    auto& sec = m_sections[static_cast<size_t>(key.first)];
    bool last = key.second + 1 == static_cast<NSInteger>(sec.rowTops.size());
    cell->setSeparatorInset(last && m_style == UITableViewStyleGrouped ? 0 : 15, !m_separatorsHidden);
}

void UITableView::layoutTable()
{
    ensureGeometry();
    Ref<objc::Object> source = m_dataSource.strong();
    Ref<objc::Object> delegate(delegateObject());
    CGRect visible = bounds();
    CGFloat width = visible.size.width;
    if (m_tableHeaderView)
        m_tableHeaderView->setFrame(CGRectMake(0, 0, width, m_tableHeaderView->frame().size.height));
    if (m_tableFooterView)
        m_tableFooterView->setFrame(CGRectMake(0, m_contentHeight - m_tableFooterView->frame().size.height, width, m_tableFooterView->frame().size.height));

    // Rows that left the screen go back to the reuse queue first, so that rows coming in can
    // take their cells.
    for (auto it = m_visible.begin(); it != m_visible.end();) {
        auto [sec, row] = it->first;
        bool valid = sec < static_cast<NSInteger>(m_sections.size()) && row < static_cast<NSInteger>(m_sections[static_cast<size_t>(sec)].rowTops.size());
        CGRect frame = valid ? CGRectMake(0, m_sections[static_cast<size_t>(sec)].rowTops[static_cast<size_t>(row)], width, m_sections[static_cast<size_t>(sec)].rowHeights[static_cast<size_t>(row)]) : CGRectZero;
        bool dragged = m_reorder && m_reorder->cell == it->second;
        if (!dragged && (!valid || !CGRectIntersectsRect(frame, visible))) {
            enqueue(it->second);
            it = m_visible.erase(it);
        } else {
            ++it;
        }
    }
    std::map<Key, Ref<UITableViewCell>> keep;
    for (size_t s = 0; s < m_sections.size(); ++s) {
        auto& sec = m_sections[s];
        // Headers and footers.
        if (sec.headerHeight > 0 && (sec.headerView || !sec.headerTitle.empty())) {
            if (!sec.headerView)
                sec.headerView = makeHeaderFooter(sec.headerTitle, true, sec.headerHeight);
            sec.headerView->setFrame(CGRectMake(0, sec.top, width, sec.headerHeight));
            if (sec.headerView->superview() != this)
                addSubview(sec.headerView);
        }
        if (sec.footerHeight > 0 && (sec.footerView || !sec.footerTitle.empty())) {
            if (!sec.footerView)
                sec.footerView = makeHeaderFooter(sec.footerTitle, false, sec.footerHeight);
            sec.footerView->setFrame(CGRectMake(0, sec.footerTop, width, sec.footerHeight));
            if (sec.footerView->superview() != this)
                addSubview(sec.footerView);
        }
        for (size_t r = 0; r < sec.rowTops.size(); ++r) {
            CGRect frame = CGRectMake(0, sec.rowTops[r], width, sec.rowHeights[r]);
            if (!CGRectIntersectsRect(frame, visible) || frame.size.height <= 0)
                continue;
            Key key { static_cast<NSInteger>(s), static_cast<NSInteger>(r) };
            Ref<UITableViewCell> cell;
            if (auto it = m_visible.find(key); it != m_visible.end()) {
                cell = it->second;
            } else {
                Ref<NSIndexPath> path = pathOf(key);
                cell = sel::tableViewCellForRowAtIndexPath(source, this, path.ptr());
                if (!cell) {
                    uikit::warn("UITableView dataSource returned no cell from tableView:cellForRowAtIndexPath:");
                    continue;
                }
                configureCell(cell, key);
                if (sel::tableViewWillDisplayCellForRowAtIndexPath.isAnsweredBy(delegate))
                    sel::tableViewWillDisplayCellForRowAtIndexPath(delegate, this, cell.ptr(), path.ptr());
            }
            if (!(m_reorder && m_reorder->cell == cell))
                cell->setFrame(frame);
            if (cell->superview() != this)
                insertSubviewAtIndex(cell, 0);
            keep[key] = cell;
        }
    }
    for (auto& [key, cell] : m_visible)
        if (!keep.count(key) && !(m_reorder && m_reorder->cell == cell))
            enqueue(cell);
    m_visible = std::move(keep);
}

void UITableView::selectByUser(Key key)
{
    Ref<UITableView> keep(this);
    Ref<objc::Object> delegate(delegateObject());
    Ref<NSIndexPath> path = pathOf(key);
    if (sel::tableViewWillSelectRowAtIndexPath.isAnsweredBy(delegate)) {
        path = sel::tableViewWillSelectRowAtIndexPath(delegate, this, path.ptr());
        if (!path || !validKey({ path->section(), path->row() }))
            return;
    }
    bool multiple = m_editing ? m_allowsMultipleSelectionDuringEditing : m_allowsMultipleSelection;
    Key chosen { path->section(), path->row() };
    if (multiple && std::find(m_selected.begin(), m_selected.end(), chosen) != m_selected.end()) {
        deselectRowAtIndexPath(path, false);
        if (sel::tableViewDidDeselectRowAtIndexPath.isAnsweredBy(delegate))
            sel::tableViewDidDeselectRowAtIndexPath(delegate, this, path.ptr());
        return;
    }
    if (!multiple) {
        for (auto& old : std::vector<Key>(m_selected)) {
            if (old == chosen)
                continue;
            Ref<NSIndexPath> oldPath = pathOf(old);
            deselectRowAtIndexPath(oldPath, false);
            if (sel::tableViewDidDeselectRowAtIndexPath.isAnsweredBy(delegate))
                sel::tableViewDidDeselectRowAtIndexPath(delegate, this, oldPath.ptr());
        }
    }
    selectRowAtIndexPath(path, false);
    if (sel::tableViewDidSelectRowAtIndexPath.isAnsweredBy(delegate))
        sel::tableViewDidSelectRowAtIndexPath(delegate, this, path.ptr());
}

void UITableView::hideDeleteConfirmation()
{
    if (!m_deleteConfirmation)
        return;
    if (auto it = m_visible.find(*m_deleteConfirmation); it != m_visible.end())
        it->second->hideDeleteConfirmation();
    m_deleteConfirmation.reset();
}

void UITableView::editingControlTapped(UITableViewCell* cell)
{
    Ref<NSIndexPath> path = indexPathForCell(cell);
    if (!path)
        return;
    Ref<objc::Object> source = m_dataSource.strong();
    Ref<objc::Object> delegate(delegateObject());
    auto style = sel::tableViewEditingStyleForRowAtIndexPath.isAnsweredBy(delegate)
        ? static_cast<UITableViewCellEditingStyle>(sel::tableViewEditingStyleForRowAtIndexPath(delegate, this, path.ptr()))
        : UITableViewCellEditingStyleDelete;
    if (style == UITableViewCellEditingStyleInsert) {
        if (sel::tableViewCommitEditingStyleForRowAtIndexPath.isAnsweredBy(source))
            sel::tableViewCommitEditingStyleForRowAtIndexPath(source, this, UITableViewCellEditingStyleInsert, path.ptr());
        return;
    }
    showDeleteConfirmation(cell, path);
}

// The row's delete button, titled as the delegate says; any other row's goes away.
void UITableView::showDeleteConfirmation(UITableViewCell* cell, NSIndexPath* path)
{
    hideDeleteConfirmation();
    Ref<objc::Object> delegate(delegateObject());
    std::string title = sel::tableViewTitleForDeleteConfirmationButtonForRowAtIndexPath.isAnsweredBy(delegate)
        ? sel::tableViewTitleForDeleteConfirmationButtonForRowAtIndexPath(delegate, this, path)
        : std::string("Delete");
    m_deleteConfirmation = Key { path->section(), path->row() };
    cell->showDeleteConfirmation(title);
}

void UITableView::deleteConfirmed(UITableViewCell* cell)
{
    Ref<UITableView> keep(this);
    Ref<NSIndexPath> path = indexPathForCell(cell);
    hideDeleteConfirmation();
    Ref<objc::Object> source = m_dataSource.strong();
    if (path && sel::tableViewCommitEditingStyleForRowAtIndexPath.isAnsweredBy(source))
        sel::tableViewCommitEditingStyleForRowAtIndexPath(source, this, UITableViewCellEditingStyleDelete, path.ptr());
}

UITableView::Key UITableView::destinationForReorder(CGFloat y, const Key& source)
{
    if (m_sections.empty())
        return source;
    size_t s = 0;
    if (y >= m_sections.back().bottom())
        s = m_sections.size() - 1;
    else
        for (size_t i = 0; i < m_sections.size(); ++i)
            if (y < m_sections[i].bottom()) {
                s = i;
                break;
            }
    auto& sec = m_sections[s];
    auto count = static_cast<NSInteger>(sec.rowTops.size());
    NSInteger target = count;
    for (NSInteger r = 0; r < count; ++r) {
        if (y < sec.rowTops[static_cast<size_t>(r)] + sec.rowHeights[static_cast<size_t>(r)]) {
            target = r;
            break;
        }
    }
    bool same = static_cast<NSInteger>(s) == source.first;
    if (same)
        target = std::min(target, count - 1);
    return { static_cast<NSInteger>(s), std::max<NSInteger>(0, target) };
}

void UITableView::reorderTouch(UITableViewCell* cell, UITouch* touch, UITouchPhase phase)
{
    Ref<UITableView> keep(this);
    CGFloat y = touch->locationInView(this).y;
    if (phase == UITouchPhaseBegan) {
        Ref<NSIndexPath> path = indexPathForCell(cell);
        if (!path)
            return;
        m_reorder = Reorder { { path->section(), path->row() }, Ref<UITableViewCell>(cell), y, cell->center().y };
        bringSubviewToFront(cell);
        return;
    }
    if (!m_reorder || m_reorder->cell.ptr() != cell)
        return;
    if (phase == UITouchPhaseMoved) {
        cell->setCenter(CGPointMake(cell->center().x, m_reorder->startCenterY + (y - m_reorder->startY)));
        return;
    }
    Reorder reorder = *m_reorder;
    m_reorder.reset();
    if (phase == UITouchPhaseCancelled) {
        setNeedsLayout();
        layoutIfNeeded();
        return;
    }
    Key destination = destinationForReorder(y, reorder.source);
    Ref<NSIndexPath> from = pathOf(reorder.source);
    Ref<NSIndexPath> to = pathOf(destination);
    Ref<objc::Object> delegate(delegateObject());
    if (sel::tableViewTargetIndexPathForMoveFromRowAtIndexPathToProposedIndexPath.isAnsweredBy(delegate)) {
        if (auto proposed = sel::tableViewTargetIndexPathForMoveFromRowAtIndexPathToProposedIndexPath(delegate, this, from.ptr(), to.ptr()))
            to = proposed;
    }
    if (!to->isEqual(from)) {
        Ref<objc::Object> source = m_dataSource.strong();
        if (sel::tableViewMoveRowAtIndexPathToIndexPath.isAnsweredBy(source))
            sel::tableViewMoveRowAtIndexPathToIndexPath(source, this, from.ptr(), to.ptr());
    }
    reloadData();
    layoutIfNeeded();
}

Ref<objc::Object> UITableView::initTable(CGRect frame, NSInteger style)
{
    m_style = static_cast<UITableViewStyle>(style);
    sel::initWithFrame.sendSuper(objc::classOf<UITableView>(), this, frame);
    setBackgroundColor(m_style == UITableViewStyleGrouped ? UIColor::colorWithRed(0.937, 0.937, 0.957, 1) : UIColor::whiteColor());
    setAlwaysBounceVertical(true);
    m_deleteSwipe = UIGestureRecognizer::create<UISwipeGestureRecognizer>(this, sel::_swipeToDelete.name());
    m_deleteSwipe->setDirection(UISwipeGestureRecognizerDirectionLeft);
    addGestureRecognizer(m_deleteSwipe);
    return Ref<objc::Object>(this);
}

void UITableView::applyDelegate(objc::Object* d)
{
    UIScrollView::setDelegate(d);
    m_geometryValid = false;
    setNeedsLayout();
}

void UITableView::applyEditing(bool editing, bool)
{
    if (m_editing == editing)
        return;
    hideDeleteConfirmation();
    m_editing = editing;
    for (auto& [key, cell] : m_visible)
        configureCell(cell, key);
    setNeedsLayout();
}

Ref<NSArray> UITableView::visibleCellsArray()
{
    auto cells = visibleCells();
    return NSArray::make(std::vector<Ref<objc::Object>>(cells.begin(), cells.end()));
}

void UITableView::registerCellClass(objc::Object* cls, std::string id)
{
    registerClassForCellReuseIdentifier(dynamic_cast<objc::Class*>(cls), id);
}

void UITableView::swipeToDelete(UISwipeGestureRecognizer* swipe)
{
    Ref<NSIndexPath> path = indexPathForRowAtPoint(swipe->locationInView(this));
    UITableViewCell* cell = cellForRowAtIndexPath(path);
    if (cell)
        showDeleteConfirmation(cell, path);
}

bool UITableView::shouldBeginGesture(UIGestureRecognizer* r)
{
    if (r == m_deleteSwipe.ptr()) {
        if (m_editing)
            return false;
        Ref<objc::Object> source = m_dataSource.strong();
        if (!sel::tableViewCommitEditingStyleForRowAtIndexPath.isAnsweredBy(source))
            return false;
        Ref<NSIndexPath> path = indexPathForRowAtPoint(r->locationInView(this));
        if (!path)
            return false;
        if (sel::tableViewCanEditRowAtIndexPath.isAnsweredBy(source) && !sel::tableViewCanEditRowAtIndexPath(source, this, path.ptr()))
            return false;
        Ref<objc::Object> delegate(delegateObject());
        if (sel::tableViewEditingStyleForRowAtIndexPath.isAnsweredBy(delegate)
            && sel::tableViewEditingStyleForRowAtIndexPath(delegate, this, path.ptr()) != UITableViewCellEditingStyleDelete)
            return false;
        return true;
    }
    // No scrolling while a row is being dragged by its grip.
    for (auto& t : r->touches())
        for (UIView* v = t->view(); v && v != this; v = v->superview())
            if (objc::isKindOfClass(v, "UITableViewCellReorderControl"))
                return false;
    return sel::gestureRecognizerShouldBegin.sendSuper(objc::classOf<UITableView>(), this, r);
}

// Taps on rows (touches arrive here from the cells' views along the responder chain).
void UITableView::tableTouchesBegan(const UITouchSet& touches, UIEvent*)
{
    if (touches.empty())
        return;
    m_tracking.reset();
    CGPoint p = touches.front()->locationInView(this);
    if (m_deleteConfirmation) {
        // Any touch outside the delete button puts the row back.
        hideDeleteConfirmation();
        return;
    }
    bool allowed = m_editing ? m_allowsSelectionDuringEditing : m_allowsSelection;
    Ref<NSIndexPath> path = indexPathForRowAtPoint(p);
    if (!allowed || !path)
        return;
    // A row whose cell takes no touches (a greyed-out choice) cannot be tapped.
    if (UITableViewCell* cell = cellForRowAtIndexPath(path); cell && !cell->isUserInteractionEnabled())
        return;
    Ref<objc::Object> delegate(delegateObject());
    if (sel::tableViewShouldHighlightRowAtIndexPath.isAnsweredBy(delegate) && !sel::tableViewShouldHighlightRowAtIndexPath(delegate, this, path.ptr()))
        return;
    m_tracking = Key { path->section(), path->row() };
    m_trackingStart = p;
    if (UITableViewCell* cell = cellForRowAtIndexPath(path))
        cell->setHighlighted(true, false);
}

// A finger that wanders off its starting point (a swipe no recogniser took) is no tap.
void UITableView::tableTouchesMoved(const UITouchSet& touches, UIEvent*)
{
    if (!m_tracking || touches.empty())
        return;
    CGPoint p = touches.front()->locationInView(this);
    if (std::hypot(p.x - m_trackingStart.x, p.y - m_trackingStart.y) <= kTapMovementLimit)
        return;
    if (UITableViewCell* cell = cellForRowAtIndexPath(pathOf(*m_tracking)))
        cell->setHighlighted(false, false);
    m_tracking.reset();
}

void UITableView::tableTouchesCancelled(const UITouchSet&, UIEvent*)
{
    if (m_tracking)
        if (UITableViewCell* cell = cellForRowAtIndexPath(pathOf(*m_tracking)))
            cell->setHighlighted(false, false);
    m_tracking.reset();
}

void UITableView::tableTouchesEnded(const UITouchSet&, UIEvent*)
{
    if (!m_tracking)
        return;
    Key key = *m_tracking;
    m_tracking.reset();
    if (UITableViewCell* cell = cellForRowAtIndexPath(pathOf(key)))
        cell->setHighlighted(false, false);
    selectByUser(key);
}

Ref<objc::Object> UITableView::initWithFrameAsPlainTable(CGRect frame) { return sel::initWithFrameStyle(this, frame, UITableViewStylePlain); }

void UITableView::editWithoutAnimation(bool editing) { setEditing(editing, false); }

void UITableView::applySeparatorStyle(NSInteger style) { setSeparatorsHidden(style == 0); }

Ref<UITableViewCell> UITableView::dequeueReusableCellForIndexPath(std::string identifier, NSIndexPath*) { return dequeueReusableCellWithIdentifier(identifier); }

void UITableView::selectRowWithScrollPosition(NSIndexPath* path, bool animated, NSInteger) { selectRowAtIndexPath(path, animated); }

void UITableView::scrollToRowAtScrollPosition(NSIndexPath* path, NSInteger, bool animated) { scrollToRowAtIndexPath(path, animated); }

void UITableView::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UITableView>(rt, "UIScrollView")
        .method(sel::initWithFrameStyle, &UITableView::initTable)
        .method(sel::initWithFrame, &UITableView::initWithFrameAsPlainTable)
        .method(sel::setDataSource, &UITableView::setDataSource)
        .method(sel::dataSource, &UITableView::dataSource)
        .method(sel::setDelegate, &UITableView::applyDelegate)
        .method(sel::reloadData, &UITableView::reloadData)
        .method(sel::setRowHeight, &UITableView::setRowHeight)
        .method(sel::rowHeight, &UITableView::rowHeight)
        .method(sel::setEditingAnimated, &UITableView::applyEditing)
        .method(sel::setEditing, &UITableView::editWithoutAnimation)
        .method(sel::isEditing, &UITableView::isEditing)
        .method(sel::layoutSubviews, &UITableView::layoutTable)
        .method(sel::numberOfSections, &UITableView::numberOfSections)
        .method(sel::numberOfRowsInSection, &UITableView::numberOfRowsInSection)
        .method(sel::cellForRowAtIndexPath, &UITableView::cellForRowAtIndexPath)
        .method(sel::indexPathForCell, &UITableView::indexPathForCell)
        .method(sel::indexPathForSelectedRow, &UITableView::indexPathForSelectedRow)
        .method(sel::indexPathForRowAtPoint, &UITableView::indexPathForRowAtPoint)
        .method(sel::dequeueReusableCellWithIdentifier, &UITableView::dequeueReusableCellWithIdentifier)
        .method(sel::deselectRowAtIndexPathAnimated, &UITableView::deselectRowAtIndexPath)
        .method(sel::visibleCells, &UITableView::visibleCellsArray)
        .method(sel::setAllowsSelection, &UITableView::setAllowsSelection)
        .method(sel::setAllowsSelectionDuringEditing, &UITableView::setAllowsSelectionDuringEditing)
        .method(sel::setAllowsMultipleSelection, &UITableView::setAllowsMultipleSelection)
        .method(sel::setAllowsMultipleSelectionDuringEditing, &UITableView::setAllowsMultipleSelectionDuringEditing)
        .method(sel::setSectionHeaderHeight, &UITableView::setSectionHeaderHeight)
        .method(sel::setSectionFooterHeight, &UITableView::setSectionFooterHeight)
        .method(sel::setTableHeaderView, &UITableView::setTableHeaderView)
        .method(sel::setTableFooterView, &UITableView::setTableFooterView)
        .method(sel::setSeparatorStyle, &UITableView::applySeparatorStyle)
        .method(sel::registerClassForCellReuseIdentifier, &UITableView::registerCellClass)
        .method(sel::dequeueReusableCellWithIdentifierForIndexPath, &UITableView::dequeueReusableCellForIndexPath)
        .method(sel::selectRowAtIndexPathAnimatedScrollPosition, &UITableView::selectRowWithScrollPosition)
        .method(sel::scrollToRowAtIndexPathAtScrollPositionAnimated, &UITableView::scrollToRowAtScrollPosition)
        .method(sel::beginUpdates, &UITableView::beginUpdates)
        .method(sel::endUpdates, &UITableView::endUpdates)
        .method(sel::style, &UITableView::style)
        .method(sel::rectForRowAtIndexPath, &UITableView::rectForRowAtIndexPath)
        .method(sel::_swipeToDelete, &UITableView::swipeToDelete)
        .method(sel::gestureRecognizerShouldBegin, &UITableView::shouldBeginGesture)
        .method(sel::touchesBeganWithEvent, &UITableView::tableTouchesBegan)
        .method(sel::touchesMovedWithEvent, &UITableView::tableTouchesMoved)
        .method(sel::touchesCancelledWithEvent, &UITableView::tableTouchesCancelled)
        .method(sel::touchesEndedWithEvent, &UITableView::tableTouchesEnded)
        .build();
}
