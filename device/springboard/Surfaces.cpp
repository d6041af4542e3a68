#include "device/springboard/Surfaces.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/APWAppIconAndLabelView.h"
#include "device/springboard/BBBulletin.h"
#include "device/springboard/NCNotificationRequestContentProvider.h"
#include "device/springboard/SBDeckSwitcherIconImageContainerView.h"
#include "device/springboard/SBFluidSwitcherIconImageContainerView.h"
#include "device/springboard/SearchUIAppIconImage.h"
#include "device/springboard/WGWidgetInfo.h"
#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoardState.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/UITapGestureRecognizer.h"

#include <algorithm>
#include <cctype>

using objc::Ref;

namespace springboard {

namespace {

struct SurfaceState {
    std::vector<Ref<BBBulletin>> bulletins;
    std::uint64_t bannerGeneration = 0;
};

SurfaceState& surfaceState() { return objc::Runtime::current().state<SurfaceState>(); }

const HomeScreenGeometry& geometry() { return iconController()->geometry(); }

Ref<UILabel> label(CGRect frame, const std::string& text, double size, bool bold, UIColor* colour, NSTextAlignment alignment = NSTextAlignmentLeft)
{
    auto l = UILabel::create(frame);
    l->setText(text);
    l->setFont((bold ? UIFont::boldSystemFontOfSize(size) : UIFont::systemFontOfSize(size)).ptr());
    l->setTextColor(colour);
    l->setTextAlignment(alignment);
    return l;
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

Ref<UIView> fullScreen(UIColor* background)
{
    const auto& g = geometry();
    auto view = UIView::create(CGRectMake(0, 0, g.screen.width, g.screen.height));
    view->setBackgroundColor(background);
    return view;
}

Ref<UIImageView> imageView(CGRect frame, UIImage* image)
{
    auto v = UIImageView::create(frame);
    v->setImage(image);
    return v;
}

void makeTappable(UIView* view, const std::string& bundleIdentifier)
{
    view->setUserInteractionEnabled(true);
    view->addGestureRecognizer(UIGestureRecognizer::create<UITapGestureRecognizer>(uiController(), sel::_handleLaunchTap.name()));
    uiController()->setLaunchTarget(view, bundleIdentifier);
}

Ref<UIView> platter(CGRect frame, double alpha = 0.9)
{
    auto v = UIView::create(frame);
    v->setBackgroundColor(UIColor::colorWithWhite(1, alpha).ptr());
    v->layer()->setCornerRadius(13);
    v->setClipsToBounds(true);
    return v;
}

std::string appName(const std::string& bundleIdentifier)
{
    SBIcon* icon = iconController()->model()->iconForIdentifier(bundleIdentifier);
    return icon ? iconDisplayName(icon) : bundleIdentifier;
}

} // namespace

void registerSurfaceClasses(objc::Runtime& rt, const device::DeviceProfile& profile)
{
    double version = profile.systemVersionNumber() + 1e-9;
    if (version < 11)
        SBDeckSwitcherIconImageContainerView::registerClass(rt);
    else
        SBFluidSwitcherIconImageContainerView::registerClass(rt);
    BBBulletin::registerClass(rt);
    if (version >= 10) {
        NCNotificationRequestContentProvider::registerClass(rt);
        WGWidgetInfo::registerClass(rt);
        SearchUIAppIconImage::registerClass(rt, version >= 12);
        APWAppIconAndLabelView::registerClass(rt);
    }
}

UIView* surface(const std::string& kind) { return uiController() ? uiController()->overlay(kind) : nullptr; }

void showSwitcher()
{
    auto* ui = uiController();
    ui->deactivateApplication(false);
    const auto& g = geometry();
    auto view = fullScreen(UIColor::colorWithWhite(0.08, 0.88).ptr());
    view->setAccessibilityLabel("App Switcher");
    const auto& recents = ui->recentApps();
    if (recents.empty())
        view->addSubview(label(CGRectMake(0, g.screen.height / 2 - 15, g.screen.width, 30), "No Recent Apps", 20, false, UIColor::colorWithWhite(1, 0.8).ptr(), NSTextAlignmentCenter));
    bool fluid = objc::objc_getClass("SBFluidSwitcherIconImageContainerView") != nullptr;
    double width = g.screen.width * 0.62, height = g.screen.height * 0.62;
    double top = (g.screen.height - height) / 2 + 20;
    for (size_t i = 0; i < recents.size() && i < 4; ++i) {
        const std::string& id = recents[i];
        double x = (g.screen.width - width) / 2 + static_cast<double>(i) * (width + 24);
        // The card: the app's last screen, here its colour with its name.
        auto card = platter(CGRectMake(x, top, width, height), 1);
        RGB tint = iconColorFor(id);
        card->setBackgroundColor(UIColor::colorWithRed(0.55 + tint.r * 0.45, 0.55 + tint.g * 0.45, 0.55 + tint.b * 0.45, 1).ptr());
        card->addSubview(label(CGRectMake(0, height / 2 - 18, width, 36), appName(id), 24, true, UIColor::colorWithWhite(0.15, 1).ptr(), NSTextAlignmentCenter));
        makeTappable(card, id);
        card->setAccessibilityLabel(appName(id));
        view->addSubview(card);
        // The icon above the card, drawn by the switcher's icon container.
        SBIcon* icon = iconController()->model()->iconForIdentifier(id);
        CGRect iconFrame = CGRectMake(x, top - 40, 32, 32);
        Ref<UIView> container;
        if (fluid)
            container = makeView<SBFluidSwitcherIconImageContainerView>(iconFrame);
        else
            container = makeView<SBDeckSwitcherIconImageContainerView>(iconFrame);
        sel::setIcon(container, icon);
        view->addSubview(container);
        view->addSubview(label(CGRectMake(x + 40, top - 33, width - 40, 18), appName(id), 15, true, UIColor::whiteColor().ptr()));
    }
    ui->pushOverlay(view, "switcher");
}

void postNotification(const std::string& bundleIdentifier, const std::string& title, const std::string& message)
{
    auto bulletin = objc::make<BBBulletin>(bundleIdentifier, title, message);
    auto& st = surfaceState();
    st.bulletins.insert(st.bulletins.begin(), bulletin);
    Ref<UIImage> image;
    if (objc::objc_getClass("NCNotificationRequestContentProvider"))
        image = sel::iconPicture(objc::make<NCNotificationRequestContentProvider>(bundleIdentifier, title, message));
    else
        image = sel::sectionIconImageWithFormat(bulletin, 0);

    const auto& g = geometry();
    double width = std::min(g.screen.width - 16, 500.0);
    auto banner = platter(CGRectMake((g.screen.width - width) / 2, g.statusBarHeight + 4, width, 78), 0.95);
    banner->setAccessibilityLabel("Notification");
    banner->addSubview(imageView(CGRectMake(12, 10, 20, 20), image));
    banner->addSubview(label(CGRectMake(40, 11, width - 100, 18), upper(appName(bundleIdentifier)), 13, false, UIColor::colorWithWhite(0.35, 1).ptr()));
    banner->addSubview(label(CGRectMake(width - 52, 11, 40, 18), "now", 13, false, UIColor::colorWithWhite(0.45, 1).ptr(), NSTextAlignmentRight));
    banner->addSubview(label(CGRectMake(12, 35, width - 24, 19), title, 15, true, UIColor::blackColor().ptr()));
    banner->addSubview(label(CGRectMake(12, 54, width - 24, 19), message, 15, false, UIColor::blackColor().ptr()));
    makeTappable(banner, bundleIdentifier);
    auto* ui = uiController();
    ui->pushOverlay(banner, "banner");
    std::uint64_t generation = ++st.bannerGeneration;
    objc::WeakRef<UIView> weak(banner);
    dispatch::RunLoop::main().post([weak, generation] {
        if (!objc::Runtime::currentOrNull() || surfaceState().bannerGeneration != generation)
            return;
        if (weak && uiController() && uiController()->overlay("banner") == weak.ptr())
            uiController()->closeOverlay("banner");
    }, static_cast<dispatch::Nanoseconds>(kBannerSeconds * 1e9));
}

void showNotificationCenter()
{
    const auto& g = geometry();
    auto view = fullScreen(UIColor::colorWithWhite(0.1, 0.9).ptr());
    view->setAccessibilityLabel("Notification Center");
    view->addSubview(label(CGRectMake(16, g.statusBarHeight + 10, g.screen.width - 32, 34), "Notifications", 28, true, UIColor::whiteColor().ptr()));
    double y = g.statusBarHeight + 56;
    double width = std::min(g.screen.width - 16, 500.0);
    double x = (g.screen.width - width) / 2;
    auto& bulletins = surfaceState().bulletins;
    if (bulletins.empty())
        view->addSubview(label(CGRectMake(0, g.screen.height / 2 - 12, g.screen.width, 24), "No Older Notifications", 17, false, UIColor::colorWithWhite(1, 0.7).ptr(), NSTextAlignmentCenter));
    for (auto& bulletin : bulletins) {
        if (y + 80 > g.screen.height)
            break;
        auto row = platter(CGRectMake(x, y, width, 74), 0.85);
        row->addSubview(imageView(CGRectMake(12, 10, 29, 29), sel::sectionIconImageWithFormat(bulletin, 1)));
        row->addSubview(label(CGRectMake(50, 8, width - 60, 18), upper(appName(bulletin->sectionID())), 12, false, UIColor::colorWithWhite(0.35, 1).ptr()));
        row->addSubview(label(CGRectMake(50, 27, width - 60, 19), bulletin->title(), 15, true, UIColor::blackColor().ptr()));
        row->addSubview(label(CGRectMake(50, 47, width - 60, 19), bulletin->message(), 15, false, UIColor::blackColor().ptr()));
        makeTappable(row, bulletin->sectionID());
        view->addSubview(row);
        y += 84;
    }
    uiController()->pushOverlay(view, "notifications");
}

void showWidgets()
{
    struct Widget {
        const char* identifier;
        const char* app;
        const char* name;
        const char* body;
    };
    static const Widget widgets[] = {
        { "com.apple.mobilecal.CalendarWidget", "com.apple.mobilecal", "Up Next", "No more events today" },
        { "com.apple.weather.WeatherAppTodayWidget", "com.apple.weather", "Weather", "Sunny, 21° — High 24° Low 14°" },
        { "com.apple.reminders.TodayWidget", "com.apple.reminders", "Reminders", "Buy flowers · Call the bakery" },
        { "com.apple.mobilenotes.SharedNoteWidget", "com.apple.mobilenotes", "Notes", "Icon ideas for the dock" },
    };
    const auto& g = geometry();
    auto view = fullScreen(UIColor::colorWithWhite(0.12, 0.9).ptr());
    view->setAccessibilityLabel("Widgets");
    std::tm now = deviceLocalTime();
    static const char* days[] = { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" };
    static const char* months[] = { "January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November", "December" };
    std::string date = std::string(days[now.tm_wday % 7]) + ", " + std::to_string(now.tm_mday) + " " + months[now.tm_mon % 12];
    view->addSubview(label(CGRectMake(16, g.statusBarHeight + 8, g.screen.width - 32, 34), date, 26, true, UIColor::whiteColor().ptr()));

    bool infos = objc::objc_getClass("WGWidgetInfo") != nullptr;
    double width = std::min(g.screen.width - 16, 500.0);
    double x = (g.screen.width - width) / 2, y = g.statusBarHeight + 56;
    std::vector<Ref<objc::Object>> shown;
    for (const Widget& w : widgets) {
        if (!iconController()->model()->iconForIdentifier(w.app))
            continue;
        auto box = platter(CGRectMake(x, y, width, 96), 0.82);
        box->setAccessibilityLabel(w.name);
        auto header = UIView::create(CGRectMake(0, 0, width, 36));
        header->setBackgroundColor(UIColor::colorWithWhite(1, 0.55).ptr());
        box->addSubview(header);
        double textX = 12;
        if (infos) {
            auto info = objc::make<WGWidgetInfo>(w.identifier, w.name, w.app);
            header->addSubview(imageView(CGRectMake(10, 8, 20, 20), sel::iconPicture(info)));
            shown.emplace_back(info.ptr());
            textX = 38;
        }
        header->addSubview(label(CGRectMake(textX, 9, width - textX - 12, 18), upper(w.name), 13, false, UIColor::colorWithWhite(0.3, 1).ptr()));
        box->addSubview(label(CGRectMake(12, 50, width - 24, 24), w.body, 16, false, UIColor::colorWithWhite(0.1, 1).ptr()));
        makeTappable(box, w.app);
        view->addSubview(box);
        y += 106;
    }
    // The edit list shows each widget with its settings icon.
    if (!shown.empty()) {
        view->addSubview(label(CGRectMake(x + 4, y + 4, width, 18), "EDIT WIDGETS", 13, false, UIColor::colorWithWhite(1, 0.6).ptr()));
        y += 28;
        for (auto& info : shown) {
            auto row = platter(CGRectMake(x, y, width, 44), 0.75);
            row->addSubview(imageView(CGRectMake(10, 7, 29, 29), sel::settingsIcon(info)));
            row->addSubview(label(CGRectMake(50, 12, width - 60, 20), sel::displayName(info), 16, false, UIColor::blackColor().ptr()));
            view->addSubview(row);
            y += 50;
        }
    }
    uiController()->pushOverlay(view, "widgets");
}

void showSearch(const std::string& query)
{
    const auto& g = geometry();
    auto* model = iconController()->model();
    auto view = fullScreen(UIColor::colorWithWhite(0.1, 0.9).ptr());
    view->setAccessibilityLabel("Search");
    double width = std::min(g.screen.width - 24, 600.0);
    double x = (g.screen.width - width) / 2, y = g.statusBarHeight + 8;
    auto field = UIView::create(CGRectMake(x, y, width, 36));
    field->setBackgroundColor(UIColor::colorWithWhite(1, 0.22).ptr());
    field->layer()->setCornerRadius(10);
    field->addSubview(label(CGRectMake(12, 8, width - 24, 20), query.empty() ? "Search" : query, 17, false, UIColor::colorWithWhite(1, query.empty() ? 0.5 : 1).ptr()));
    view->addSubview(field);
    y += 52;

    if (objc::objc_getClass("APWAppIconAndLabelView")) {
        view->addSubview(label(CGRectMake(x, y, width, 18), "SIRI APP SUGGESTIONS", 13, false, UIColor::colorWithWhite(1, 0.6).ptr()));
        y += 26;
        std::vector<std::string> suggestions = uiController()->recentApps();
        for (auto& icon : model->pages().empty() ? SBIconModel::Page {} : model->pages().front())
            if (!icon->identifier().empty() && !dynamic_cast<SBFolderIcon*>(icon.ptr()))
                suggestions.push_back(icon->identifier());
        std::vector<std::string> unique;
        for (auto& id : suggestions)
            if (std::find(unique.begin(), unique.end(), id) == unique.end() && model->applicationIcon(id))
                unique.push_back(id);
        double cell = width / 4;
        for (size_t i = 0; i < unique.size() && i < 4; ++i) {
            auto apw = makeView<APWAppIconAndLabelView>(CGRectMake(x + cell * static_cast<double>(i), y, cell, g.iconSide + 22));
            sel::setBundleIdentifier(apw, unique[i]);
            apw->iconButton()->addTarget(uiController(), sel::_handleLaunchButton.name(), UIControlEventTouchUpInside);
            uiController()->setLaunchTarget(apw, unique[i]);
            view->addSubview(apw);
        }
        y += g.iconSide + 34;
    }

    if (!query.empty()) {
        view->addSubview(label(CGRectMake(x, y, width, 18), "APPLICATIONS", 13, false, UIColor::colorWithWhite(1, 0.6).ptr()));
        y += 26;
        bool searchImages = objc::objc_getClass("SearchUIAppIconImage") != nullptr;
        int found = 0;
        for (auto& app : model->applications()) {
            if (lower(app->displayName()).find(lower(query)) == std::string::npos)
                continue;
            if (y + 50 > g.screen.height)
                break;
            auto row = platter(CGRectMake(x, y, width, 48), 0.16);
            // Before the search framework had its own image class, search drew the app's art
            // itself, not through the home screen's getIconImage:.
            Ref<UIImage> image;
            if (searchImages)
                image = sel::generateImageWithFormat(objc::make<SearchUIAppIconImage>(app->bundleIdentifier()), 1);
            else
                image = appIconArt(model->applicationIcon(app->bundleIdentifier()), SBIcon::FormatSmall);
            row->addSubview(imageView(CGRectMake(10, 9, 29, 29), image));
            row->addSubview(label(CGRectMake(50, 14, width - 60, 20), app->displayName(), 17, false, UIColor::whiteColor().ptr()));
            row->setAccessibilityLabel(app->displayName());
            makeTappable(row, app->bundleIdentifier());
            view->addSubview(row);
            y += 54;
            ++found;
        }
        if (!found)
            view->addSubview(label(CGRectMake(x, y, width, 22), "No Results", 17, false, UIColor::colorWithWhite(1, 0.7).ptr()));
    }
    uiController()->pushOverlay(view, "search");
}

} // namespace springboard
