#include "device/springboard/Surfaces.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoard.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/UITapGestureRecognizer.h"

#include <algorithm>
#include <cctype>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

// MARK: The switcher's icon containers

class SBDeckSwitcherIconImageContainerView : public UIView {
    OBJC_CLASS(SBDeckSwitcherIconImageContainerView)
public:
    static void registerClass(objc::Runtime& rt)
    {
        objc::Class* c = rt.registerClass<SBDeckSwitcherIconImageContainerView>("UIView");
        c->addIvar("_imageView", &SBDeckSwitcherIconImageContainerView::m_imageView);
        c->addMethod("initWithFrame:", [c](SBDeckSwitcherIconImageContainerView* self, SEL, CGRect frame) {
            objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
            self->setOpaque(false);
            self->m_imageView = UIImageView::create(CGRectMake(0, 0, frame.size.width, frame.size.height));
            self->addSubview(self->m_imageView);
            return Ref<objc::Object>(self);
        });
        c->addMethod("icon", [](SBDeckSwitcherIconImageContainerView* self, SEL) { return Ref<SBIcon>(self->m_icon); });
        c->addMethod("setIcon:", [](SBDeckSwitcherIconImageContainerView* self, SEL, SBIcon* icon) {
            self->m_icon = icon;
            self->setNeedsLayout();
            msgSend(self, "layoutSubviews");
        });
        // The original: the icon's home screen image in the image view.
        c->addMethod("layoutSubviews", [](SBDeckSwitcherIconImageContainerView* self, SEL) {
            self->m_imageView->setFrame(self->bounds());
            self->m_imageView->setImage(springboard::appIconArt(self->m_icon, SBIcon::FormatHome));
        });
    }

private:
    Ref<SBIcon> m_icon;
    Ref<UIImageView> m_imageView;
};

class SBFluidSwitcherIconImageContainerView : public UIView {
    OBJC_CLASS(SBFluidSwitcherIconImageContainerView)
public:
    static void registerClass(objc::Runtime& rt)
    {
        objc::Class* c = rt.registerClass<SBFluidSwitcherIconImageContainerView>("UIView");
        c->addMethod("initWithFrame:", [c](SBFluidSwitcherIconImageContainerView* self, SEL, CGRect frame) {
            objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
            self->setOpaque(false);
            self->m_imageView = UIImageView::create(CGRectMake(0, 0, frame.size.width, frame.size.height));
            self->addSubview(self->m_imageView);
            return Ref<objc::Object>(self);
        });
        c->addMethod("icon", [](SBFluidSwitcherIconImageContainerView* self, SEL) { return Ref<SBIcon>(self->m_icon); });
        c->addMethod("imageView", [](SBFluidSwitcherIconImageContainerView* self, SEL) { return Ref<UIImageView>(self->m_imageView); });
        c->addMethod("setIcon:", [](SBFluidSwitcherIconImageContainerView* self, SEL, SBIcon* icon) {
            self->m_icon = icon;
            msgSend(self, "updateIcon");
            self->setNeedsLayout();
        });
        // The originals: the icon's home screen image in the image view.
        c->addMethod("updateIcon", [](SBFluidSwitcherIconImageContainerView* self, SEL) {
            self->m_imageView->setImage(springboard::appIconArt(self->m_icon, SBIcon::FormatHome));
        });
        c->addMethod("layoutSubviews", [](SBFluidSwitcherIconImageContainerView* self, SEL) {
            self->m_imageView->setFrame(self->bounds());
            self->m_imageView->setImage(springboard::appIconArt(self->m_icon, SBIcon::FormatHome));
        });
    }

private:
    Ref<SBIcon> m_icon;
    Ref<UIImageView> m_imageView;
};

// MARK: Notifications

class BBBulletin : public objc::NSObject {
    OBJC_CLASS(BBBulletin)
public:
    BBBulletin() = default;
    BBBulletin(std::string section, std::string title, std::string message)
        : m_section(std::move(section))
        , m_title(std::move(title))
        , m_message(std::move(message))
    {
    }
    const std::string& sectionID() const { return m_section; }
    const std::string& title() const { return m_title; }
    const std::string& message() const { return m_message; }

    static void registerClass(objc::Runtime& rt)
    {
        objc::Class* c = rt.registerClass<BBBulletin>("NSObject");
        c->addMethod("sectionID", [](BBBulletin* self, SEL) { return self->m_section; });
        c->addMethod("title", [](BBBulletin* self, SEL) { return self->m_title; });
        c->addMethod("message", [](BBBulletin* self, SEL) { return self->m_message; });
        // The original: the section's app icon, small.
        c->addMethod("sectionIconImageWithFormat:", [](BBBulletin* self, SEL, std::int64_t format) {
            SBIcon* icon = springboard::iconController()->model()->iconForIdentifier(self->m_section);
            return springboard::appIconArt(icon, format == 0 ? SBIcon::FormatTiny : SBIcon::FormatSmall);
        });
    }

private:
    std::string m_section, m_title, m_message;
};

class NCNotificationRequestContentProvider : public objc::NSObject {
    OBJC_CLASS(NCNotificationRequestContentProvider)
public:
    NCNotificationRequestContentProvider() = default;
    NCNotificationRequestContentProvider(std::string bundleIdentifier, std::string title, std::string message)
        : _appBundleIdentifer(std::move(bundleIdentifier))
        , m_title(std::move(title))
        , m_message(std::move(message))
    {
    }

    static void registerClass(objc::Runtime& rt)
    {
        objc::Class* c = rt.registerClass<NCNotificationRequestContentProvider>("NSObject");
        // The platform's own spelling.
        c->addIvar("_appBundleIdentifer", &NCNotificationRequestContentProvider::_appBundleIdentifer);
        c->addMethod("title", [](NCNotificationRequestContentProvider* self, SEL) { return self->m_title; });
        c->addMethod("message", [](NCNotificationRequestContentProvider* self, SEL) { return self->m_message; });
        // The original: the app's small icon.
        c->addMethod("icon", [](NCNotificationRequestContentProvider* self, SEL) {
            SBIcon* icon = springboard::iconController()->model()->iconForIdentifier(self->_appBundleIdentifer);
            return springboard::appIconArt(icon, SBIcon::FormatSmall);
        });
    }

private:
    std::string _appBundleIdentifer;
    std::string m_title, m_message;
};

// MARK: Widgets

class WGWidgetInfo : public objc::NSObject {
    OBJC_CLASS(WGWidgetInfo)
public:
    WGWidgetInfo() = default;
    WGWidgetInfo(std::string identifier, std::string name, std::string app)
        : m_identifier(std::move(identifier))
        , m_name(std::move(name))
        , m_app(std::move(app))
    {
    }

    static void registerClass(objc::Runtime& rt)
    {
        objc::Class* c = rt.registerClass<WGWidgetInfo>("NSObject");
        c->addMethod("widgetIdentifier", [](WGWidgetInfo* self, SEL) { return self->m_identifier; });
        c->addMethod("displayName", [](WGWidgetInfo* self, SEL) { return self->m_name; });
        // The originals: the containing app's icon, small (header) and settings-sized.
        c->addMethod("icon", [](WGWidgetInfo* self, SEL) {
            return springboard::appIconArt(springboard::iconController()->model()->iconForIdentifier(self->m_app), SBIcon::FormatTiny);
        });
        c->addMethod("settingsIcon", [](WGWidgetInfo* self, SEL) {
            return springboard::appIconArt(springboard::iconController()->model()->iconForIdentifier(self->m_app), SBIcon::FormatSmall);
        });
    }

private:
    std::string m_identifier, m_name, m_app;
};

// MARK: Search

class SearchUIAppIconImage : public objc::NSObject {
    OBJC_CLASS(SearchUIAppIconImage)
public:
    SearchUIAppIconImage() = default;
    explicit SearchUIAppIconImage(std::string bundleIdentifier)
        : m_bundleIdentifier(std::move(bundleIdentifier))
    {
    }

    static void registerClass(objc::Runtime& rt, bool withBundleID)
    {
        objc::Class* c = rt.registerClass<SearchUIAppIconImage>("NSObject");
        c->addMethod("bundleIdentifier", [](SearchUIAppIconImage* self, SEL) { return self->m_bundleIdentifier; });
        if (withBundleID)
            c->addMethod("bundleID", [](SearchUIAppIconImage* self, SEL) { return self->m_bundleIdentifier; });
        // The original: the app's icon in the format asked for.
        c->addMethod("generateImageWithFormat:", [](SearchUIAppIconImage* self, SEL, std::int64_t format) {
            return springboard::appIconArt(springboard::iconController()->model()->iconForIdentifier(self->m_bundleIdentifier), static_cast<int>(format));
        });
    }

private:
    std::string m_bundleIdentifier;
};

class APWAppIconAndLabelView : public UIView {
    OBJC_CLASS(APWAppIconAndLabelView)
public:
    static void registerClass(objc::Runtime& rt)
    {
        objc::Class* c = rt.registerClass<APWAppIconAndLabelView>("UIView");
        c->addIvar("_iconButton", &APWAppIconAndLabelView::m_iconButton);
        c->addMethod("initWithFrame:", [c](APWAppIconAndLabelView* self, SEL, CGRect frame) {
            objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
            self->setOpaque(false);
            double side = springboard::iconImageSide(SBIcon::FormatHome);
            self->m_iconButton = UIButton::buttonWithType(UIButtonTypeCustom);
            self->m_iconButton->setFrame(CGRectMake((frame.size.width - side) / 2, 0, side, side));
            self->addSubview(self->m_iconButton);
            self->m_label = UILabel::create(CGRectMake(0, side + 5, frame.size.width, 15));
            self->m_label->setFont(UIFont::systemFontOfSize(12).ptr());
            self->m_label->setTextColor(UIColor::whiteColor().ptr());
            self->m_label->setTextAlignment(NSTextAlignmentCenter);
            self->addSubview(self->m_label);
            return Ref<objc::Object>(self);
        });
        c->addMethod("bundleIdentifier", [](APWAppIconAndLabelView* self, SEL) { return self->m_bundleIdentifier; });
        // The original: the app's icon on the button, its name on the label.
        c->addMethod("setBundleIdentifier:", [](APWAppIconAndLabelView* self, SEL, std::string bundleIdentifier) {
            self->m_bundleIdentifier = bundleIdentifier;
            SBIcon* icon = springboard::iconController()->model()->iconForIdentifier(bundleIdentifier);
            self->m_iconButton->setImage(springboard::appIconArt(icon, SBIcon::FormatHome).ptr(), UIControlStateNormal);
            self->m_label->setText(icon ? springboard::iconDisplayName(icon) : std::string());
            self->setAccessibilityLabel(self->m_label->text());
        });
    }
    UIButton* iconButton() const { return m_iconButton.ptr(); }

private:
    Ref<UIButton> m_iconButton;
    Ref<UILabel> m_label;
    std::string m_bundleIdentifier;
};

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
    view->addGestureRecognizer(UIGestureRecognizer::create<UITapGestureRecognizer>(uiController(), "_handleLaunchTap:"));
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
        msgSend(container, "setIcon:", icon);
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
        image = msgSend<Ref<UIImage>>(objc::make<NCNotificationRequestContentProvider>(bundleIdentifier, title, message), "icon");
    else
        image = msgSend<Ref<UIImage>>(bulletin, "sectionIconImageWithFormat:", 0);

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
        row->addSubview(imageView(CGRectMake(12, 10, 29, 29), msgSend<Ref<UIImage>>(bulletin, "sectionIconImageWithFormat:", 1)));
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
            header->addSubview(imageView(CGRectMake(10, 8, 20, 20), msgSend<Ref<UIImage>>(info, "icon")));
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
            row->addSubview(imageView(CGRectMake(10, 7, 29, 29), msgSend<Ref<UIImage>>(info, "settingsIcon")));
            row->addSubview(label(CGRectMake(50, 12, width - 60, 20), msgSend<std::string>(info, "displayName"), 16, false, UIColor::blackColor().ptr()));
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
            msgSend(apw, "setBundleIdentifier:", unique[i]);
            apw->iconButton()->addTarget(uiController(), "_handleLaunchButton:", UIControlEventTouchUpInside);
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
                image = msgSend<Ref<UIImage>>(objc::make<SearchUIAppIconImage>(app->bundleIdentifier()), "generateImageWithFormat:", 1);
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
