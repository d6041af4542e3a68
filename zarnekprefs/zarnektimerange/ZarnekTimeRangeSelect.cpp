#include "zarnekprefs/zarnektimerange/ZarnekTimeRangeSelect.h"

#include "platform/corefoundation/NSDate.h"
#include "platform/corefoundation/NSString.h"
#include "platform/corefoundation/StringFormat.h"
#include "platform/dispatch/Queue.h"
#include "platform/foundation/FoundationCreate.h"
#include "platform/foundation/NSBundle.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIScreen.h"
#include "zarnekprefs/ZarnekPrefsSupport.h"
#include "zarnekprefs/ZarnekSelectors.h"

using objc::Object;
using objc::Ref;

namespace {
constexpr const char* kRangeCellIdentifier = "TimeRangeCell";
constexpr double kPickerTop = 150;
constexpr double kPickerHeight = 200;
const char* endOfRow(NSInteger row) { return row == 1 ? "to" : "from"; }
} // namespace

namespace zarnek {
Ref<NSMutableDictionary> validTimeRange(Object* value)
{
    auto* range = dynamic_cast<NSDictionary*>(value);
    if (!range || !dynamic_cast<NSDate*>(range->objectForKey("from")) || !dynamic_cast<NSDate*>(range->objectForKey("to")))
        return nullptr;
    return NSMutableDictionary::make(range->entries());
}

Ref<NSDateFormatter> shortTimeFormatter()
{
    Ref<NSDateFormatter> formatter = foundation::create<NSDateFormatter>();
    formatter->setLocale(NSLocale::currentLocale());
    formatter->setDateStyle(NSDateFormatterNoStyle);
    formatter->setTimeStyle(NSDateFormatterShortStyle);
    return formatter;
}
} // namespace zarnek

void ZarnekTimeRangeSelect::buildView()
{
    m_table = UITableView::create(UIScreen::mainScreen()->bounds(), UITableViewStyleGrouped);
    m_table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_table->setDelegate(this);
    m_table->setDataSource(this);
    m_table->setRowHeight(44);
    m_table->setScrollEnabled(false);
    m_table->setDelaysContentTouches(false);
    m_table->setCanCancelContentTouches(false);
    setView(m_table);
    m_timePicker = UIDatePicker::create(CGRectMake(0, kPickerTop, m_table->bounds().size.width, kPickerHeight));
    m_timePicker->setDatePickerMode(UIDatePickerModeTime);
    m_timePicker->addTarget(this, "timeValueChanged:", UIControlEventValueChanged);
    m_table->addSubview(m_timePicker);
    m_timeFormatter = zarnek::shortTimeFormatter();
}

void ZarnekTimeRangeSelect::viewLoaded()
{
    objc::sendSuperOrZero(zarnek::sel::viewDidLoad, this);
    // The picker takes its width once the view has been laid out.
    objc::WeakRef<ZarnekTimeRangeSelect> weakSelf(this);
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, NSEC_PER_SEC / 10), dispatch_get_main_queue(), [weakSelf] {
        if (Ref<ZarnekTimeRangeSelect> self = weakSelf.strong(); self && self->m_timePicker)
            self->m_timePicker->setFrame(CGRectMake(0, kPickerTop, self->view()->bounds().size.width, kPickerHeight));
    });
    Ref<PSSpecifier> row = specifier();
    if (!row)
        return;
    setTitle(row->name());
    m_prefKey = row->stringProperty("key");
    m_defaultTimeRange = zarnek::validTimeRange(row->propertyForKey("defaultTime").ptr());
    m_prefAppID = row->stringProperty("defaults");
    m_prefNotification = row->stringProperty("PostNotification");
    // A stored value that is no range of two dates is left alone until the user turns the
    // picker; the default range shows meanwhile.
    m_selectedTimeRange = zarnek::validTimeRange(zarnek::readStoredValue(m_prefAppID, m_prefKey).ptr());
    if (!m_selectedTimeRange && m_defaultTimeRange)
        m_selectedTimeRange = NSMutableDictionary::make(m_defaultTimeRange->entries());
    if (m_selectedTimeRange) {
        m_selectedIndexPath = NSIndexPath::indexPathForRow(0, 0);
        m_table->reloadData();
        m_table->selectRowAtIndexPath(m_selectedIndexPath, false);
        m_timePicker->setDate(dynamic_cast<NSDate*>(m_selectedTimeRange->objectForKey("from")));
    }
}

std::string ZarnekTimeRangeSelect::timeText(const char* end) const
{
    auto* date = m_selectedTimeRange ? dynamic_cast<NSDate*>(m_selectedTimeRange->objectForKey(end)) : nullptr;
    return date ? corefoundation::stringWithFormat("%@", NSString::make(m_timeFormatter->stringFromDate(*date)).ptr()) : std::string();
}

Ref<UITableViewCell> ZarnekTimeRangeSelect::cellFor(UITableView* table, NSIndexPath* path)
{
    Ref<UITableViewCell> cell = table ? table->dequeueReusableCellWithIdentifier(kRangeCellIdentifier) : nullptr;
    if (!cell) {
        cell = UITableViewCell::create(UITableViewCellStyleSubtitle, kRangeCellIdentifier);
        cell->setOpaque(true);
        cell->setSelectionStyle(UITableViewCellSelectionStyleDefault);
        cell->setAccessoryType(UITableViewCellAccessoryNone);
        cell->textLabel()->setFont(UIFont::systemFontOfSize(16));
        cell->textLabel()->setTextColor(UIColor::colorWithRed(0, 122 / 255.0, 1.0, 1.0));
        cell->textLabel()->setTextAlignment(NSTextAlignmentCenter);
        cell->detailTextLabel()->setFont(UIFont::systemFontOfSize(10));
        cell->detailTextLabel()->setTextColor(UIColor::colorWithWhite(0.5, 1));
    }
    cell->textLabel()->setText("Current time");
    cell->detailTextLabel()->setText("Time");
    if (m_selectedTimeRange && path) {
        cell->detailTextLabel()->setText(path->row() == 0 ? "From" : "To");
        cell->textLabel()->setText(timeText(endOfRow(path->row())));
    }
    return cell;
}

void ZarnekTimeRangeSelect::rowSelected(UITableView*, NSIndexPath* path)
{
    if (!path)
        return;
    if (m_selectedTimeRange)
        if (auto* date = dynamic_cast<NSDate*>(m_selectedTimeRange->objectForKey(endOfRow(path->row()))))
            m_timePicker->setDate(date);
    m_selectedIndexPath = NSIndexPath::indexPathForRow(path->row(), path->section());
}

void ZarnekTimeRangeSelect::pickerChanged(Object*)
{
    NSDate* date = m_timePicker ? m_timePicker->date() : nullptr;
    if (!date)
        return;
    bool toEnd = m_selectedIndexPath && m_selectedIndexPath->row() == 1;
    if (!m_selectedTimeRange) {
        // Nothing stored and no default: the first turn starts a range at the picker's time
        // (rather than storing nothing), and the "From" row takes the selection.
        m_selectedTimeRange = NSMutableDictionary::make({ { "from", Ref<Object>(date) }, { "to", Ref<Object>(date) } });
        m_selectedIndexPath = NSIndexPath::indexPathForRow(toEnd ? 1 : 0, 0);
        m_table->reloadData();
        m_table->selectRowAtIndexPath(m_selectedIndexPath, false);
    }
    m_selectedTimeRange->setObject(date, toEnd ? "to" : "from");
    if (UITableViewCell* cell = m_table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(toEnd ? 1 : 0, 0))) {
        cell->textLabel()->setText(timeText(toEnd ? "to" : "from"));
        cell->setNeedsLayout();
    }
    zarnek::sel::notifyTweak(this, m_selectedTimeRange.ptr());
}

void ZarnekTimeRangeSelect::notify(Object* range)
{
    if (!m_prefKey.empty() && !m_prefAppID.empty()) {
        auto* dictionary = dynamic_cast<NSDictionary*>(range);
        zarnek::storeValue(m_prefAppID, m_prefKey, dictionary ? NSDictionary::make(dictionary->entries()).ptr() : nullptr);
    }
    zarnek::postDarwinNotification(m_prefNotification);
}

namespace {

// One untitled section of two rows: the start and the end of the range.
std::int64_t rangeSectionCount(ZarnekTimeRangeSelect*, UITableView*) { return 1; }
std::string rangeSectionTitle(ZarnekTimeRangeSelect*, UITableView*, std::int64_t) { return std::string(); }
std::int64_t rangeRowCount(ZarnekTimeRangeSelect*, UITableView*, std::int64_t) { return 2; }
double rangeRowHeight(ZarnekTimeRangeSelect*, UITableView* table, NSIndexPath*) { return table ? table->rowHeight() : 44; }

} // namespace

void ZarnekTimeRangeSelect::registerClass(objc::Runtime& rt)
{
    using Self = ZarnekTimeRangeSelect;
    namespace sel = zarnek::sel;
    objc::ClassBuilder<Self>(rt, "PSViewController")
        .method(sel::loadView, &Self::buildView)
        .method(sel::viewDidLoad, &Self::viewLoaded)
        .method(sel::numberOfSectionsInTableView, &rangeSectionCount)
        .method(sel::titleForHeaderInSection, &rangeSectionTitle)
        .method(sel::numberOfRowsInSection, &rangeRowCount)
        .method(sel::heightForRowAtIndexPath, &rangeRowHeight)
        .method(sel::cellForRowAtIndexPath, &Self::cellFor)
        .method(sel::didSelectRowAtIndexPath, &Self::rowSelected)
        .method(sel::timeValueChanged, &Self::pickerChanged)
        .method(sel::notifyTweak, &Self::notify)
        .method(sel::selectedIndexPath, &Self::selectedIndexPathRef)
        .buildSystemClass();
}
