#include "platform/uikit/UIImagePickerController.h"

#include "platform/corefoundation/NSDictionary.h"
#include "platform/corefoundation/NSString.h"
#include "platform/filesystem/DeviceRoot.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIScrollView.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

using objc::Ref;
namespace sel = uikit::sel;

namespace {

bool isPictureName(const std::string& name)
{
    auto dot = name.rfind('.');
    if (dot == std::string::npos || name.front() == '.')
        return false;
    std::string ext = name.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == "png" || ext == "jpg" || ext == "jpeg";
}

constexpr CGFloat kSpacing = 2;

// The pickers of this device, to be told when the library changes.
struct OpenPickers {
    std::vector<objc::WeakRef<UIImagePickerController>> pickers;
};

} // namespace

Ref<UIImagePickerController> UIImagePickerController::create()
{
    auto picker = objc::make<UIImagePickerController>();
    sel::init(picker);
    return picker;
}

bool UIImagePickerController::isSourceTypeAvailable(UIImagePickerControllerSourceType type)
{
    return type == UIImagePickerControllerSourceTypePhotoLibrary || type == UIImagePickerControllerSourceTypeSavedPhotosAlbum;
}

UIView* UIImagePickerController::thumbnailAt(size_t index) const { return index < m_thumbnails.size() ? m_thumbnails[index].ptr() : nullptr; }

void UIImagePickerController::reloadPhotos()
{
    m_paths.clear();
    m_images.clear();
    auto folder = filesystem::DeviceRoot::resolve(uikit::kCameraRollFolder);
    std::error_code ec;
    if (!folder || !std::filesystem::is_directory(*folder, ec))
        return;
    struct Photo {
        std::string name;
        std::filesystem::file_time_type added;
    };
    std::vector<Photo> photos;
    for (auto it = std::filesystem::directory_iterator(*folder, ec); !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (it->is_regular_file(ec) && isPictureName(name))
            photos.push_back({ name, it->last_write_time(ec) });
    }
    // Newest first; pictures of the same moment by name.
    std::sort(photos.begin(), photos.end(), [](const Photo& a, const Photo& b) { return a.added != b.added ? a.added > b.added : a.name < b.name; });
    std::vector<std::string> names;
    for (auto& photo : photos)
        names.push_back(photo.name);
    // A file that does not decode is left out: it would be a blank tile that does nothing.
    m_images.clear();
    for (auto& name : names) {
        std::string path = std::string(uikit::kCameraRollFolder) + name;
        if (Ref<UIImage> image = UIImage::imageWithContentsOfFile(path)) {
            m_paths.push_back(path);
            m_images.push_back(image);
        }
    }
}

void UIImagePickerController::buildGrid()
{
    for (auto& sub : std::vector<Ref<UIView>>(m_grid->subviews()))
        sub->removeFromSuperview();
    m_thumbnails.clear();
    CGFloat width = m_grid->bounds().size.width;
    int perRow = UIDevice::currentDevice()->userInterfaceIdiom() == UIUserInterfaceIdiomPad ? 7 : 4;
    CGFloat side = (width - kSpacing * (perRow - 1)) / perRow;
    if (m_paths.empty()) {
        auto label = UILabel::create(CGRectMake(20, 120, width - 40, 60));
        label->setText("No Photos or Videos");
        label->setFont(UIFont::boldSystemFontOfSize(20));
        label->setTextColor(UIColor::colorWithWhite(0.6, 1));
        label->setTextAlignment(NSTextAlignmentCenter);
        m_grid->addSubview(label);
    }
    for (size_t i = 0; i < m_paths.size(); ++i) {
        CGFloat x = static_cast<CGFloat>(i % perRow) * (side + kSpacing), y = static_cast<CGFloat>(i / perRow) * (side + kSpacing) + kSpacing;
        auto tile = UIButton::buttonWithType(UIButtonTypeCustom);
        tile->setFrame(CGRectMake(x, y, side, side));
        tile->setTag(static_cast<NSInteger>(i));
        tile->setClipsToBounds(true);
        tile->setBackgroundColor(UIColor::colorWithWhite(0.9, 1));
        tile->setAccessibilityLabel(std::filesystem::path(m_paths[i]).filename().string());
        auto thumb = UIImageView::create(tile->bounds());
        thumb->setContentMode(UIViewContentModeScaleAspectFill);
        thumb->setImage(i < m_images.size() ? m_images[i].ptr() : nullptr);
        tile->addSubview(thumb);
        tile->addTarget(this, sel::_photoTapped, UIControlEventTouchUpInside);
        m_grid->addSubview(tile);
        m_thumbnails.emplace_back(tile);
    }
    size_t rows = (m_paths.size() + static_cast<size_t>(perRow) - 1) / static_cast<size_t>(perRow);
    m_grid->setContentSize(CGSizeMake(width, static_cast<CGFloat>(rows) * (side + kSpacing) + kSpacing));
}

void UIImagePickerController::loadPhotosForPresentation()
{
    if (m_sourceType == UIImagePickerControllerSourceTypeCamera)
        uikit::warn("UIImagePickerController: the device has no camera; showing the photo library");
    reloadPhotos();
    (void)view();
    m_grid->setFrame(m_page->view()->bounds());
    buildGrid();
}

void UIImagePickerController::pickPhotoAt(size_t index)
{
    if (index >= m_paths.size())
        return;
    Ref<UIImagePickerController> keep(this);
    Ref<UIImage> image = UIImage::imageWithContentsOfFile(m_paths[index]);
    if (!image)
        return;
    NSDictionary::Storage entries;
    entries[UIImagePickerControllerOriginalImage] = image;
    entries[UIImagePickerControllerMediaType] = NSString::make("public.image");
    auto info = NSDictionary::make(std::move(entries));
    Ref<objc::Object> delegate = m_delegate.strong();
    if (sel::imagePickerControllerDidFinishPickingMediaWithInfo.isAnsweredBy(delegate))
        sel::imagePickerControllerDidFinishPickingMediaWithInfo(delegate, this, info.ptr());
    else
        dismissViewControllerAnimated(true);
}

void UIImagePickerController::cancel()
{
    Ref<UIImagePickerController> keep(this);
    Ref<objc::Object> delegate = m_delegate.strong();
    if (sel::imagePickerControllerDidCancel.isAnsweredBy(delegate))
        sel::imagePickerControllerDidCancel(delegate, this);
    else
        dismissViewControllerAnimated(true);
}

Ref<objc::Object> UIImagePickerController::initPicker()
{
    sel::init.sendSuper(objc::classOf<UIImagePickerController>(), this);
    m_page = UIViewController::create();
    m_page->setTitle("Photos");
    m_grid = UIScrollView::create(m_page->view()->bounds());
    m_grid->setBackgroundColor(UIColor::whiteColor());
    m_grid->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_page->view()->addSubview(m_grid);
    m_page->navigationItem()->setRightBarButtonItem(UIBarButtonItem::createWithSystemItem(UIBarButtonSystemItemCancel, this, sel::_cancel));
    setViewControllers({ m_page }, false);
    auto& open = objc::Runtime::current().state<OpenPickers>().pickers;
    open.erase(std::remove_if(open.begin(), open.end(), [](auto& weak) { return !weak.strong(); }), open.end());
    open.emplace_back(this);
    return Ref<objc::Object>(this);
}

void UIImagePickerController::photoTapped(UIButton* sender)
{
    if (sender)
        pickPhotoAt(static_cast<size_t>(sender->tag()));
}

void UIImagePickerController::cancelTapped(objc::Object*) { cancel(); }

void UIImagePickerController::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIImagePickerController>(rt, "UINavigationController")
        .method(sel::_prepareForPresentation, &UIImagePickerController::loadPhotosForPresentation)
        .classMethod(sel::isSourceTypeAvailable, &UIImagePickerController::isSourceTypeAvailable)
        .method(sel::init, &UIImagePickerController::initPicker)
        .method(sel::setSourceType, &UIImagePickerController::setSourceType)
        .method(sel::sourceType, &UIImagePickerController::sourceType)
        .method(sel::setDelegate, &UIImagePickerController::setDelegate)
        .method(sel::delegate, &UIImagePickerController::delegate)
        .method(sel::setAllowsEditing, &UIImagePickerController::setAllowsEditing)
        .method(sel::_cancel, &UIImagePickerController::cancelTapped)
        .method(sel::_photoTapped, &UIImagePickerController::photoTapped)
        .build();
}

namespace uikit {

void photoLibraryDidChange()
{
    auto* runtime = objc::Runtime::currentOrNull();
    if (!runtime)
        return;
    for (auto& weak : std::vector<objc::WeakRef<UIImagePickerController>>(runtime->state<OpenPickers>().pickers)) {
        Ref<UIImagePickerController> picker = weak.strong();
        // Only a picker whose grid is up: one not yet presented reads the library when it is.
        if (!picker || !picker->m_grid || !picker->m_grid->window())
            continue;
        picker->reloadPhotos();
        picker->buildGrid();
    }
}

} // namespace uikit
