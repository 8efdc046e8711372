// ChartInteraction: what the mouse does to the chart control's chart -- the wheel zooms X
// around the cursor, a left drag zooms X to a rectangle, a right or middle drag scrolls X,
// and a click is a click -- free of windows and messages. It reads the layout and moves the
// window through the automation layer's members (read-back, PixelToWorldX, SetSegment), so
// it draws nothing and knows nothing of events: each call says what happened.
#pragma once
#include <cstdint>

#include "control/automation.h"
#include "platform/geometry.h"
#include "platform/hresult.h"

namespace corvane {

// The control's own settings, as IChartControl has them. Every interaction is off at first.
struct InteractionSettings {
  std::int32_t zoomMode = 0;  // 0 none, 1 wheel, 2 wheel and left-drag rectangle
  std::int32_t panMode = 0;   // 0 none, 1 right or middle drag scrolls X
  bool hoverInfo = false;
  bool crosshair = false;
};

constexpr std::int32_t kMaxZoomMode = 2;
constexpr std::int32_t kMaxPanMode = 1;

// Buttons as VB's mouse events number them.
enum MouseButton : std::int32_t { kNoButton = 0, kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// What one call did.
struct InteractionResult {
  bool zoomed = false;  // the X window changed: Zoomed(xMin, xMax) is due
  double xMin = 0, xMax = 0;
  bool click = false;   // a press and release of `button` without a drag
  bool redraw = false;  // what is drawn over the picture changed
};

class ChartInteraction {
 public:
  // Below this many pixels of movement a press and release is a click, not a drag.
  static constexpr int kDragThreshold = 3;
  // One notch of the wheel (120 units) scales the X window by this factor.
  static constexpr double kNotchScale = 0.8;

  explicit ChartInteraction(CorvaneAutomation& chart) : chart_(chart) {}

  const InteractionSettings& settings() const { return settings_; }
  // E_INVALIDARG outside 0..kMaxZoomMode / 0..kMaxPanMode; the previous value stays. Turning
  // a mode off ends a gesture of that mode.
  HResult SetZoomMode(std::int32_t mode);
  HResult SetPanMode(std::int32_t mode);
  void SetHoverInfo(bool on) { settings_.hoverInfo = on; }
  void SetCrosshair(bool on) { settings_.crosshair = on; }

  // The host set the X window with SetSegment: the window ResetZoom returns to.
  void HostSegment(double a, double b);

  // The wheel turned by `delta` (120 a notch, positive away from the user) with the cursor at
  // (x, y) in the control's pixels.
  InteractionResult Wheel(std::int32_t x, std::int32_t y, std::int32_t delta);
  // `held` is every button down with this press (MouseButton bits). A press while another
  // gesture goes on joins none, unless that gesture's button is no longer held or is this one:
  // its release was lost, and the new press starts afresh.
  InteractionResult Press(MouseButton button, std::int32_t x, std::int32_t y,
                          std::int32_t held = kLeftButton | kRightButton | kMiddleButton);
  InteractionResult Move(std::int32_t x, std::int32_t y);
  InteractionResult Release(MouseButton button, std::int32_t x, std::int32_t y);
  // The mouse capture was lost: a drag ends where it stands, a rectangle is dropped.
  InteractionResult Cancel();
  // The cursor left the control: nothing follows it any more.
  InteractionResult Leave();
  // Back to the host's last SetSegment, or to the window before the first zoom when the host
  // never set one. zoomed is false when nothing was zoomed.
  InteractionResult ResetZoom();

  // The rectangle a left drag in zoom mode 2 is drawing (in pixels), if one is.
  bool ZoomRectangle(IRect* rect) const;
  // Where the cursor is, while it is over the control.
  bool Cursor(std::int32_t* x, std::int32_t* y) const;

 private:
  enum class Gesture { kNone, kPress, kDrag, kRectangle, kPan };

  // The X window and plot area of the layout, or false when there is no picture to map.
  bool Window(double* xMin, double* xMax, IRect* area);
  // SetSegment(a, b) if it is a usable window: finite, ordered and not vanishingly small.
  InteractionResult MoveTo(double a, double b);
  void RememberHome();

  CorvaneAutomation& chart_;
  InteractionSettings settings_;
  bool hasHome_ = false;
  double homeMin_ = 0, homeMax_ = 0;

  Gesture gesture_ = Gesture::kNone;
  MouseButton button_ = kNoButton;
  std::int32_t startX_ = 0, startY_ = 0;
  double startMin_ = 0, startMax_ = 0, pixelsPerUnit_ = 0;
  std::int64_t panDx_ = 0;

  bool cursorIn_ = false;
  std::int32_t cursorX_ = 0, cursorY_ = 0;
};

}  // namespace corvane
