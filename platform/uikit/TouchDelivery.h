#pragma once

// What the view under a finger hears of its touch while gesture recognizers see the touch too,
// as the platform arranges it:
//
// - a recognizer that delaysTouchesBegan keeps touchesBegan (and the moves after it) from the view
//   while it may still recognize; if it fails, the view hears them late; if it recognizes, never;
// - a recognizer that delaysTouchesEnded (the default) keeps touchesEnded from the view while it
//   may still recognize, such as a tap waiting for its second tap;
// - a recognizer that recognizes with cancelsTouchesInView (the default) takes the touches it saw
//   from the view: the view hears touchesCancelled for what it began, also for a touch that ends in
//   the very event that made the gesture (a tap), and nothing more.
//
// Internal to the UIKit layer: the touch driver delivers through these, and recognizers call
// deliverHeldTouches whenever their state changes.

#include "platform/uikit/UIKitTypes.h"

class UITouch;
class UIEvent;

namespace uikit {

void deliverTouchBegan(UITouch* touch, UIEvent* event);
void deliverTouchMoved(UITouch* touch, UIEvent* event);
void deliverTouchEnded(UITouch* touch, UIEvent* event);
void deliverTouchCancelled(UITouch* touch, UIEvent* event);
// Takes the touch from its view: touchesCancelled when the view heard it begin.
void takeTouchFromView(UITouch* touch);
// Hands the views what their recognizers no longer hold back.
void deliverHeldTouches();

} // namespace uikit
