#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/graphics/CairoAccess.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/CAShapeLayer.h"
#include "platform/uikit/Renderer.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UITableView.h"

#include <cairo.h>

#include <cstdlib>
#include <filesystem>

using objc::Ref;

namespace {

// The bounding box (in points) of the pixels that differ from `background`.
CGRect inkBox(UIImage* image, Pixel background)
{
    cairo_surface_t* s = graphics::cairoSurface(image->CGImage());
    cairo_surface_flush(s);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s), stride = cairo_image_surface_get_stride(s);
    int minX = w, minY = h, maxX = -1, maxY = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t px = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) + y * stride)[x];
            Pixel p { static_cast<int>(px >> 16 & 0xff), static_cast<int>(px >> 8 & 0xff), static_cast<int>(px & 0xff), static_cast<int>(px >> 24) };
            if (std::abs(p.r - background.r) + std::abs(p.g - background.g) + std::abs(p.b - background.b) + std::abs(p.a - background.a) > 30) { // ink
                minX = std::min(minX, x);
                minY = std::min(minY, y);
                maxX = std::max(maxX, x);
                maxY = std::max(maxY, y);
            }
        }
    if (maxX < 0)
        return CGRectZero;
    double sc = image->scale();
    return CGRectMake(minX / sc, minY / sc, (maxX - minX + 1) / sc, (maxY - minY + 1) / sc);
}

// Saves an example screen where OVRIMO_SCREENS_DIR points (used to refresh docs/screens).
void keep(UIImage* image, const std::string& name)
{
    if (const char* dir = std::getenv("OVRIMO_SCREENS_DIR")) {
        EXPECT_TRUE(uikit::writePNG(image, (std::filesystem::path(dir) / name).string()));
    }
}

class NumbersSource : public objc::NSObject {
    OBJC_CLASS(RenderNumbersSource)
};

} // namespace

TEST_F(UIKitTest, LabelTextStaysInsideItsFrameAndHiddenViewsPaintNothing)
{
    auto canvas = UIView::create(CGRectMake(0, 0, 200, 100));
    canvas->setBackgroundColor(UIColor::whiteColor());
    auto label = UILabel::create(CGRectMake(20, 30, 150, 40));
    label->setText("A long line of text that will not fit");
    label->setFont(UIFont::boldSystemFontOfSize(18));
    canvas->addSubview(label);
    auto image = uikit::Renderer::renderView(canvas, 2);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), CGSizeMake(200, 100));
    CGRect ink = inkBox(image, { 255, 255, 255, 255 });
    EXPECT_FALSE(CGRectIsEmpty(ink));
    EXPECT_TRUE(CGRectContainsRect(label->frame(), ink)) << "the text is truncated inside the label";

    label->setHidden(true);
    auto cover = UIView::create(CGRectMake(0, 0, 200, 100));
    cover->setBackgroundColor(UIColor::redColor());
    cover->setHidden(true);
    canvas->addSubview(cover);
    EXPECT_TRUE(CGRectIsEmpty(inkBox(uikit::Renderer::renderView(canvas, 1), { 255, 255, 255, 255 })));
}

TEST_F(UIKitTest, AlphaMultipliesDownTheTreeAndCornersAreCut)
{
    auto canvas = UIView::create(CGRectMake(0, 0, 100, 100));
    canvas->setBackgroundColor(UIColor::whiteColor());
    auto outer = UIView::create(CGRectMake(0, 0, 100, 100));
    outer->setAlpha(0.5);
    auto inner = UIView::create(CGRectMake(0, 0, 100, 100));
    inner->setBackgroundColor(UIColor::blackColor());
    inner->setAlpha(0.5);
    outer->addSubview(inner);
    canvas->addSubview(outer);
    Pixel p = pixelAt(uikit::Renderer::renderView(canvas, 1), CGPointMake(50, 50));
    EXPECT_NEAR(p.r, 255 * 0.75, 2) << "black at 0.5 × 0.5 over white";

    auto rounded = UIView::create(CGRectMake(0, 0, 100, 100));
    rounded->setBackgroundColor(UIColor::blackColor());
    rounded->layer()->setCornerRadius(30);
    auto plain = UIView::create(CGRectMake(0, 0, 100, 100));
    plain->setBackgroundColor(UIColor::whiteColor());
    plain->addSubview(rounded);
    auto image = uikit::Renderer::renderView(plain, 1);
    EXPECT_EQ(pixelAt(image, CGPointMake(2, 2)).r, 255) << "the corner is cut away";
    EXPECT_EQ(pixelAt(image, CGPointMake(50, 50)).r, 0);
}

TEST_F(UIKitTest, ShapeMaskCutsAHoleAndTransformsPlaceViews)
{
    auto canvas = UIView::create(CGRectMake(0, 0, 100, 100));
    canvas->setBackgroundColor(UIColor::whiteColor());
    auto overlay = UIView::create(canvas->bounds());
    overlay->setBackgroundColor(UIColor::blackColor());
    // Everything but a hole from (40, 40) to (60, 60).
    auto path = UIBezierPath::bezierPath();
    for (CGRect r : { CGRectMake(0, 0, 40, 100), CGRectMake(60, 0, 40, 100), CGRectMake(0, 0, 100, 40), CGRectMake(0, 60, 100, 40) })
        path->appendPath(UIBezierPath::bezierPathWithRect(r));
    auto mask = objc::make<CAShapeLayer>();
    mask->setPath(path);
    overlay->layer()->setMask(mask);
    canvas->addSubview(overlay);
    auto image = uikit::Renderer::renderView(canvas, 1);
    EXPECT_EQ(pixelAt(image, CGPointMake(50, 50)).r, 255);
    EXPECT_EQ(pixelAt(image, CGPointMake(20, 50)).r, 0);

    auto moved = UIView::create(CGRectMake(0, 0, 10, 10));
    moved->setBackgroundColor(UIColor::redColor());
    moved->setTransform(CGAffineTransformMakeTranslation(80, 0));
    canvas->addSubview(moved);
    image = uikit::Renderer::renderView(canvas, 1);
    EXPECT_EQ(pixelAt(image, CGPointMake(85, 5)).r, 255);
    EXPECT_EQ(pixelAt(image, CGPointMake(85, 5)).g, 0);
}

TEST_F(UIKitTest, RenderedActionSheetOverAColouredScreen)
{
    showWindow();
    root->view()->setBackgroundColor(UIColor::colorWithRed(132 / 255.0, 79 / 255.0, 152 / 255.0, 1));
    auto sheet = UIAlertController::alertControllerWithTitle("Ovrimo", "What do you want to do with the icon of Maps?", UIAlertControllerStyleActionSheet);
    for (auto [title, style] : { std::pair { "Replace from photo library", UIAlertActionStyleDefault }, { "Replace from URL", UIAlertActionStyleDefault },
             { "Restore the original icon", UIAlertActionStyleDestructive }, { "Cancel", UIAlertActionStyleCancel } })
        sheet->addAction(UIAlertAction::actionWithTitle(title, style, nullptr));
    root->presentViewController(sheet, false);
    settle(0.1);
    auto image = uikit::Renderer::renderWindow(window);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), CGSizeMake(375, 667));
    EXPECT_EQ(image->scale(), 2);
    keep(image, "action-sheet.png");
    // The background is dimmed, the panel is light and the cancel row apart at the bottom.
    Pixel dimmed = pixelAt(image, CGPointMake(187, 100));
    EXPECT_LT(dimmed.r, 132);
    EXPECT_GT(dimmed.r, 40);
    Pixel cancelRow = pixelAt(image, CGPointMake(30, 667 - 8 - 10));
    EXPECT_GT(cancelRow.r, 240);
    Pixel gap = pixelAt(image, CGPointMake(30, 667 - 8 - 57 - 4));
    EXPECT_LT(gap.r, 132) << "a gap between the sheet and its cancel row";
}

TEST_F(UIKitTest, RenderedAlertWithATextField)
{
    showWindow();
    root->view()->setBackgroundColor(UIColor::colorWithRed(0.2, 0.5, 0.8, 1));
    auto alert = UIAlertController::alertControllerWithTitle("Ovrimo", "Enter the URL of the image. It will be downloaded and opened in the editor.", UIAlertControllerStyleAlert);
    alert->addTextFieldWithConfigurationHandler([](UITextField* f) { f->setPlaceholder("http://"); });
    alert->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, nullptr));
    alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyleDefault, nullptr));
    root->presentViewController(alert, false);
    settle(0.1);
    auto image = uikit::Renderer::renderWindow(window);
    keep(image, "alert-text-field.png");
    CGRect panel = alert->panelView()->convertRectToView(alert->panelView()->bounds(), nullptr);
    EXPECT_NEAR(CGRectGetMidX(panel), 187.5, 0.5);
    EXPECT_GT(pixelAt(image, CGPointMake(CGRectGetMidX(panel), panel.origin.y + 3)).r, 230);
}

TEST_F(UIKitTest, RenderedGroupedTableWithCellStyles)
{
    auto& rt = env.runtime();
    objc::Class* cls = rt.registerClass<NumbersSource>("NSObject");
    cls->addMethod("numberOfSectionsInTableView:", [](objc::Object*, objc::SEL, UITableView*) -> NSInteger { return 2; });
    cls->addMethod("tableView:numberOfRowsInSection:", [](objc::Object*, objc::SEL, UITableView*, NSInteger s) -> NSInteger { return s == 0 ? 3 : 2; });
    cls->addMethod("tableView:titleForHeaderInSection:", [](objc::Object*, objc::SEL, UITableView*, NSInteger s) { return std::string(s == 0 ? "Settings" : "Statistics"); });
    cls->addMethod("tableView:titleForFooterInSection:", [](objc::Object*, objc::SEL, UITableView*, NSInteger s) { return std::string(s == 1 ? "Sizes are counted on disk." : ""); });
    cls->addMethod("tableView:cellForRowAtIndexPath:", [](objc::Object*, objc::SEL, UITableView* table, NSIndexPath* path) -> Ref<UITableViewCell> {
        auto cell = table->dequeueReusableCellWithIdentifier("Cell");
        if (!cell)
            cell = UITableViewCell::create(path->section() == 0 ? UITableViewCellStyleDefault : UITableViewCellStyleValue1, "Cell");
        const char* titles[2][3] = { { "Enabled", "Activation", "Colour" }, { "Custom icons", "Library size", "" } };
        cell->textLabel()->setText(titles[path->section()][path->row()]);
        if (cell->detailTextLabel())
            cell->detailTextLabel()->setText(path->row() == 0 ? "12" : "1.2 MB");
        if (path->section() == 0 && path->row() == 1)
            cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
        if (path->section() == 0 && path->row() == 2)
            cell->setAccessoryType(UITableViewCellAccessoryCheckmark);
        if (path->section() == 0 && path->row() == 0)
            cell->setAccessoryView(UISwitch::create());
        return cell;
    });
    showWindow();
    auto page = UIViewController::create();
    page->setTitle("Ovrimo");
    auto table = UITableView::create(UIScreen::mainScreen()->bounds(), UITableViewStyleGrouped);
    auto source = objc::make<NumbersSource>();
    table->setDataSource(source);
    table->setDelegate(source);
    page->setView(table);
    auto nav = UINavigationController::createWithRoot(page);
    root->presentViewController(nav, false);
    settle(0.1);
    auto image = uikit::Renderer::renderWindow(window);
    keep(image, "grouped-table.png");
    EXPECT_EQ(table->visibleCells().size(), 5u);
    // The grouped background shows between the sections.
    CGRect header1 = table->rectForHeaderInSection(1);
    CGPoint between = table->convertPointToView(CGPointMake(5, header1.origin.y + 3), nullptr);
    Pixel p = pixelAt(image, between);
    EXPECT_NEAR(p.r, 239, 3);
}

TEST_F(UIKitTest, WritePNGRefusesWhatItCannotWrite)
{
    std::string error;
    EXPECT_FALSE(uikit::writePNG(nullptr, (env.root() / "a.png").string(), &error));
    EXPECT_FALSE(error.empty());
    auto image = uikit::Renderer::renderView(UIView::create(CGRectMake(0, 0, 4, 4)), 1);
    EXPECT_FALSE(uikit::writePNG(image, (env.root() / "missing" / "a.png").string(), &error));
    EXPECT_FALSE(std::filesystem::exists(env.root() / "missing"));
    EXPECT_TRUE(uikit::writePNG(image, (env.root() / "a.png").string(), &error));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(env.root()), {}), 1) << "no temporary file left behind";
}

TEST_F(UIKitTest, ViewsMayDrawThemselvesWithDrawRect)
{
    auto& rt = env.runtime();
    objc::Class* cls = rt.registerClass("StripeView", rt.getClass("UIView"));
    cls->addMethod("drawRect:", [](UIView*, objc::SEL, CGRect) {
        UIColor::greenColor()->setFill();
        UIRectFill(CGRectMake(0, 0, 10, 20));
    });
    auto canvas = UIView::create(CGRectMake(0, 0, 60, 60));
    canvas->setBackgroundColor(UIColor::whiteColor());
    Ref<UIView> stripe(objc::checkedObjectCast<UIView>(objc::msgSend<Ref<objc::Object>>(objc::msgSend<Ref<objc::Object>>(cls, "alloc"), "initWithFrame:", CGRectMake(20, 20, 20, 20)).ptr()));
    canvas->addSubview(stripe);
    auto image = uikit::Renderer::renderView(canvas, 2);
    EXPECT_EQ(pixelAt(image, CGPointMake(25, 30)).g, 255);
    EXPECT_EQ(pixelAt(image, CGPointMake(25, 30)).r, 0) << "drawn in the view's own coordinates";
    EXPECT_EQ(pixelAt(image, CGPointMake(35, 30)).r, 255);
}
