#pragma once

#include "platform/graphics/CGColor.h"
#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"
#include "platform/uikit/LayerAnimation.h"
#include "platform/uikit/UIKitTypes.h"

#include <memory>
#include <string>

class UIView;
namespace uikit {
class LayerContents;
}

// The layer behind every view. A view keeps its geometry, alpha and background itself; the layer
// carries what only layers have: rounded corners, a border, z position, clipping and a mask.
// A layer that stands alone (a mask) has its own frame.
class CALayer : public objc::NSObject {
    OBJC_CLASS(CALayer)
public:
    static objc::Ref<CALayer> layer();

    CGFloat cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(CGFloat r) { m_cornerRadius = r; }
    CGFloat borderWidth() const { return m_borderWidth; }
    void setBorderWidth(CGFloat w) { m_borderWidth = w; }
    const CGColorRef& borderColor() const { return m_borderColor; }
    void setBorderColor(CGColorRef c) { m_borderColor = std::move(c); }
    const CGColorRef& backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(CGColorRef c) { m_backgroundColor = std::move(c); }
    CGFloat zPosition() const { return m_zPosition; }
    void setZPosition(CGFloat z);
    bool masksToBounds() const { return m_masksToBounds; }
    void setMasksToBounds(bool on) { m_masksToBounds = on; }
    CALayer* mask() const { return m_mask.ptr(); }
    void setMask(CALayer* mask) { m_mask = mask; }
    // A view's layer answers with its view's alpha (they are one value on the phone).
    float opacity() const;
    void setOpacity(float o);

    // A stand-alone layer's frame (a mask's, in its owner's coordinates). A view's layer answers
    // with its view's frame.
    CGRect frame() const;
    void setFrame(CGRect frame);
    CGRect bounds() const;

    // Animations of what the layer shows (SpringBoard's wiggle, a spinner's turn), on the main run
    // loop's clock from the moment they are added. Only drawing sees them: frame, bounds,
    // conversions and hit testing keep the model geometry. An animation added with the key of a
    // running one replaces it; a finished one shows nothing more.
    void addAnimation(const uikit::LayerAnimation& animation, const std::string& key);
    void removeAnimationForKey(const std::string& key);
    // The added animations and, for a view's layer, the running animations of its view's values.
    void removeAllAnimations();
    // True while an added animation has not yet finished.
    bool hasAnimations() const;
    const std::vector<uikit::RunningLayerAnimation>& animations() const { return m_animations; }

    // Image contents (a CGImage), used by image masks: opaque parts let the owner show through.
    objc::Object* contents() const { return m_contents.ptr(); }
    void setContents(objc::Object* image) { m_contents = image; }

    // What the layer's view drew, kept until the layer is marked for display (the committed trees
    // share it). Only the main thread touches these.
    const std::shared_ptr<const uikit::LayerContents>& drawnContents() const { return m_drawnContents; }
    void setDrawnContents(std::shared_ptr<const uikit::LayerContents> contents);
    bool needsDisplay() const { return m_needsDisplay; }
    void setNeedsDisplay() { m_needsDisplay = true; }

    UIView* delegate() const { return m_view.ptr(); }
    void setDelegate(UIView* view);

    static void registerClass(objc::Runtime&);

protected:
    // +layer of each layer class: a new, initialized instance of that class (class methods do not
    // see their receiver, so every layer class declares its own).
    template<class Layer>
    static objc::Ref<objc::Object> newLayer() { return newInstanceOf(Layer::className()); }
    static objc::Ref<objc::Object> newInstanceOf(const std::string& className);

private:
    CGFloat m_cornerRadius = 0;
    CGFloat m_borderWidth = 0;
    CGColorRef m_borderColor;
    CGColorRef m_backgroundColor;
    CGFloat m_zPosition = 0;
    bool m_masksToBounds = false;
    objc::Ref<CALayer> m_mask;
    float m_opacity = 1;
    CGRect m_frame;
    std::vector<uikit::RunningLayerAnimation> m_animations;
    std::shared_ptr<const uikit::LayerContents> m_drawnContents;
    bool m_needsDisplay = true;
    objc::Ref<objc::Object> m_contents;
    objc::WeakRef<UIView> m_view;
};
