#pragma once

// UIKit's selectors that the list framework overrides or sends, in UIKit's own namespace.
// NOTE: UIKitSelectors.h is being filled at the same time; once it declares these, this header
// goes and its includers include UIKitSelectors.h (a selector declared in both does not compile).

#include "platform/runtime/Sel.h"
#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITableViewCell.h"

#include <cstdint>
#include <string>

namespace uikit::sel {

// UIViewController
inline constinit Sel<void()> loadView { "loadView" };
inline constinit Sel<void(bool)> viewWillAppear { "viewWillAppear:" };

// UITableViewCell
inline constinit Sel<Ref<objc::Object>(std::int64_t, std::string)> initWithStyleReuseIdentifier { "initWithStyle:reuseIdentifier:" };

// UITableViewDataSource, UITableViewDelegate
inline constinit Sel<std::int64_t(UITableView*)> numberOfSectionsInTableView { "numberOfSectionsInTableView:" };
inline constinit Sel<std::int64_t(UITableView*, std::int64_t)> tableViewNumberOfRowsInSection { "tableView:numberOfRowsInSection:" };
inline constinit Sel<std::string(UITableView*, std::int64_t)> tableViewTitleForHeaderInSection { "tableView:titleForHeaderInSection:" };
inline constinit Sel<std::string(UITableView*, std::int64_t)> tableViewTitleForFooterInSection { "tableView:titleForFooterInSection:" };
inline constinit Sel<Ref<UITableViewCell>(UITableView*, NSIndexPath*)> tableViewCellForRowAtIndexPath { "tableView:cellForRowAtIndexPath:" };
inline constinit Sel<double(UITableView*, NSIndexPath*)> tableViewHeightForRowAtIndexPath { "tableView:heightForRowAtIndexPath:" };
inline constinit Sel<bool(UITableView*, NSIndexPath*)> tableViewCanEditRowAtIndexPath { "tableView:canEditRowAtIndexPath:" };
inline constinit Sel<void(UITableView*, NSIndexPath*)> tableViewDidSelectRowAtIndexPath { "tableView:didSelectRowAtIndexPath:" };

} // namespace uikit::sel
