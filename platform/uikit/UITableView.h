#pragma once

#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UITableViewCell.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

class NSArray;
class UIGestureRecognizer;
class UISwipeGestureRecognizer;

// A list of rows in sections, asked of its data source and delegate through msgSend (optional
// methods only when they respond): numberOfSectionsInTableView:, tableView:numberOfRowsInSection:,
// tableView:cellForRowAtIndexPath:, tableView:titleForHeaderInSection:,
// tableView:titleForFooterInSection:, tableView:canEditRowAtIndexPath:,
// tableView:canMoveRowAtIndexPath:, tableView:commitEditingStyle:forRowAtIndexPath:,
// tableView:moveRowAtIndexPath:toIndexPath: (data source); tableView:heightForRowAtIndexPath:,
// tableView:heightForHeaderInSection:, tableView:heightForFooterInSection:,
// tableView:viewForHeaderInSection:, tableView:viewForFooterInSection:,
// tableView:willSelectRowAtIndexPath:, tableView:didSelectRowAtIndexPath:,
// tableView:didDeselectRowAtIndexPath:, tableView:willDisplayCell:forRowAtIndexPath:,
// tableView:editingStyleForRowAtIndexPath:, tableView:shouldIndentWhileEditingRowAtIndexPath:,
// tableView:targetIndexPathForMoveFromRowAtIndexPath:toProposedIndexPath:,
// tableView:titleForDeleteConfirmationButtonForRowAtIndexPath:,
// tableView:shouldHighlightRowAtIndexPath: (delegate, which is also the scroll view delegate).
//
// Cells exist only for visible rows; those scrolled away go back to the reuse queue of their
// identifier. A tap selects a row; a left swipe over an editable row shows its delete button; in
// editing mode rows show their delete circle and, when the data source moves rows, a reorder grip.
class UITableView : public UIScrollView {
    OBJC_CLASS(UITableView)
public:
    // [[UITableView alloc] initWithFrame:frame style:style]
    static objc::Ref<UITableView> create(CGRect frame, UITableViewStyle style);

    UITableViewStyle style() const { return m_style; }
    objc::Object* dataSource() const { return m_dataSource.ptr(); }
    void setDataSource(objc::Object* source);
    CGFloat rowHeight() const { return m_rowHeight; }
    void setRowHeight(CGFloat h);
    CGFloat sectionHeaderHeight() const { return m_sectionHeaderHeight; }
    void setSectionHeaderHeight(CGFloat h) { m_sectionHeaderHeight = h; }
    CGFloat sectionFooterHeight() const { return m_sectionFooterHeight; }
    void setSectionFooterHeight(CGFloat h) { m_sectionFooterHeight = h; }
    bool allowsSelection() const { return m_allowsSelection; }
    void setAllowsSelection(bool on) { m_allowsSelection = on; }
    bool allowsSelectionDuringEditing() const { return m_allowsSelectionDuringEditing; }
    void setAllowsSelectionDuringEditing(bool on) { m_allowsSelectionDuringEditing = on; }
    bool allowsMultipleSelection() const { return m_allowsMultipleSelection; }
    void setAllowsMultipleSelection(bool on) { m_allowsMultipleSelection = on; }
    bool allowsMultipleSelectionDuringEditing() const { return m_allowsMultipleSelectionDuringEditing; }
    void setAllowsMultipleSelectionDuringEditing(bool on) { m_allowsMultipleSelectionDuringEditing = on; }
    bool isEditing() const { return m_editing; }
    void setEditing(bool editing, bool animated = false);
    bool separatorsHidden() const { return m_separatorsHidden; }
    void setSeparatorsHidden(bool hidden) { m_separatorsHidden = hidden; }
    UIView* tableHeaderView() const { return m_tableHeaderView.ptr(); }
    void setTableHeaderView(UIView* view);
    UIView* tableFooterView() const { return m_tableFooterView.ptr(); }
    void setTableFooterView(UIView* view);

    void reloadData();
    NSInteger numberOfSections();
    NSInteger numberOfRowsInSection(NSInteger section);
    // The cell of a visible row, else null.
    UITableViewCell* cellForRowAtIndexPath(const NSIndexPath* path);
    objc::Ref<NSIndexPath> indexPathForCell(const UITableViewCell* cell) const;
    // The row at a point in the table's (content) coordinates, or null.
    objc::Ref<NSIndexPath> indexPathForRowAtPoint(CGPoint point);
    objc::Ref<NSIndexPath> indexPathForSelectedRow() const;
    std::vector<objc::Ref<NSIndexPath>> indexPathsForSelectedRows() const;
    std::vector<objc::Ref<UITableViewCell>> visibleCells();
    std::vector<objc::Ref<NSIndexPath>> indexPathsForVisibleRows();
    CGRect rectForRowAtIndexPath(const NSIndexPath* path);
    CGRect rectForSection(NSInteger section);
    CGRect rectForHeaderInSection(NSInteger section);
    void selectRowAtIndexPath(const NSIndexPath* path, bool animated);
    void deselectRowAtIndexPath(const NSIndexPath* path, bool animated);
    void scrollToRowAtIndexPath(const NSIndexPath* path, bool animated);

    objc::Ref<UITableViewCell> dequeueReusableCellWithIdentifier(const std::string& identifier);
    // Cells for `identifier` made on demand from `cellClass` (a UITableViewCell class).
    void registerClassForCellReuseIdentifier(objc::Class* cellClass, const std::string& identifier);

    // Row updates: the table takes its counts from the data source again (no animation).
    // FIXME: Updates are not batched: beginUpdates does nothing and each insert, delete or reload
    // reloads the whole table at once, so the data source must already hold its new counts.
    void beginUpdates() { }
    void endUpdates() { reloadData(); }
    void insertRowsAtIndexPaths(const std::vector<objc::Ref<NSIndexPath>>& paths, UITableViewRowAnimation animation);
    void deleteRowsAtIndexPaths(const std::vector<objc::Ref<NSIndexPath>>& paths, UITableViewRowAnimation animation);
    void reloadRowsAtIndexPaths(const std::vector<objc::Ref<NSIndexPath>>& paths, UITableViewRowAnimation animation);

    // The row showing its swipe delete button, or null.
    objc::Ref<NSIndexPath> deleteConfirmationIndexPath() const;

    // Cell side.
    void editingControlTapped(UITableViewCell* cell);
    void deleteConfirmed(UITableViewCell* cell);
    void reorderTouch(UITableViewCell* cell, UITouch* touch, UITouchPhase phase);

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the runtime methods (the C++ senders above keep their names).
    objc::Ref<objc::Object> initTable(CGRect frame, NSInteger style);
    objc::Ref<objc::Object> initWithFrameAsPlainTable(CGRect frame);
    void applyDelegate(objc::Object* delegate);
    void applyEditing(bool editing, bool animated);
    void editWithoutAnimation(bool editing);
    objc::Ref<NSArray> visibleCellsArray();
    void applySeparatorStyle(NSInteger style);
    void registerCellClass(objc::Object* cellClass, std::string identifier);
    objc::Ref<UITableViewCell> dequeueReusableCellForIndexPath(std::string identifier, NSIndexPath* path);
    void selectRowWithScrollPosition(NSIndexPath* path, bool animated, NSInteger scrollPosition);
    void scrollToRowAtScrollPosition(NSIndexPath* path, NSInteger scrollPosition, bool animated);
    void swipeToDelete(UISwipeGestureRecognizer* swipe);
    bool shouldBeginGesture(UIGestureRecognizer* recognizer);
    void tableTouchesBegan(const UITouchSet& touches, UIEvent* event);
    void tableTouchesMoved(const UITouchSet& touches, UIEvent* event);
    void tableTouchesCancelled(const UITouchSet& touches, UIEvent* event);
    void tableTouchesEnded(const UITouchSet& touches, UIEvent* event);

    void replaceTableView(objc::Ref<UIView>& slot, UIView* view);
    struct Section {
        CGFloat top = 0;
        CGFloat headerHeight = 0;
        std::string headerTitle;
        objc::Ref<UIView> headerView;
        std::vector<CGFloat> rowTops;
        std::vector<CGFloat> rowHeights;
        CGFloat footerTop = 0;
        CGFloat footerHeight = 0;
        std::string footerTitle;
        objc::Ref<UIView> footerView;
        CGFloat bottom() const { return footerTop + footerHeight; }
    };
    using Key = std::pair<NSInteger, NSInteger>;

    void ensureGeometry();
    void layoutTable();
    void enqueue(const objc::Ref<UITableViewCell>& cell);
    void configureCell(UITableViewCell* cell, const Key& key);
    void selectByUser(Key key);
    objc::Ref<UIView> makeHeaderFooter(const std::string& title, bool header, CGFloat height);
    void showDeleteConfirmation(UITableViewCell* cell, NSIndexPath* path);
    void hideDeleteConfirmation();
    bool validKey(const Key& key);
    Key destinationForReorder(CGFloat y, const Key& source);
    objc::Object* delegateObject() const { return delegate(); }

    UITableViewStyle m_style = UITableViewStylePlain;
    objc::WeakRef<objc::Object> m_dataSource;
    CGFloat m_rowHeight = 44;
    CGFloat m_sectionHeaderHeight = -1;
    CGFloat m_sectionFooterHeight = -1;
    bool m_allowsSelection = true;
    bool m_allowsSelectionDuringEditing = false;
    bool m_allowsMultipleSelection = false;
    bool m_allowsMultipleSelectionDuringEditing = false;
    bool m_editing = false;
    bool m_separatorsHidden = false;
    objc::Ref<UIView> m_tableHeaderView;
    objc::Ref<UIView> m_tableFooterView;

    bool m_geometryValid = false;
    std::vector<Section> m_sections;
    CGFloat m_contentHeight = 0;
    std::map<Key, objc::Ref<UITableViewCell>> m_visible;
    std::map<std::string, std::vector<objc::Ref<UITableViewCell>>> m_reusePool;
    std::map<std::string, objc::Class*> m_registeredClasses;
    std::vector<Key> m_selected;
    std::optional<Key> m_tracking;
    CGPoint m_trackingStart;
    std::optional<Key> m_deleteConfirmation;
    objc::Ref<UISwipeGestureRecognizer> m_deleteSwipe;
    struct Reorder {
        Key source;
        objc::Ref<UITableViewCell> cell;
        CGFloat startY = 0;
        CGFloat startCenterY = 0;
    };
    std::optional<Reorder> m_reorder;
};
