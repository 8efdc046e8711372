#include "control/chart_control/chart_interaction.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace corvane {
namespace {

// A window narrower than this share of its own magnitude cannot be told apart in doubles.
constexpr double kMinRelativeWidth = 1e-12;
// Nor can one wider than this be drawn sensibly.
constexpr double kMaxWidth = 1e300;
// The wheel counts at most this many notches in one message.
constexpr std::int32_t kMaxNotchesPerMessage = 20;

bool Usable(double a, double b) {
  if (!std::isfinite(a) || !std::isfinite(b) || !(a < b)) return false;
  const double width = b - a;
  const double magnitude = std::max({1.0, std::fabs(a), std::fabs(b)});
  return std::isfinite(width) && width > magnitude * kMinRelativeWidth && width < kMaxWidth;
}

}  // namespace

HResult ChartInteraction::SetZoomMode(std::int32_t mode) {
  if (mode < 0 || mode > kMaxZoomMode) return kE_INVALIDARG;
  settings_.zoomMode = mode;
  if (mode != 2 && gesture_ == Gesture::kRectangle) gesture_ = Gesture::kNone;
  return kS_OK;
}

HResult ChartInteraction::SetPanMode(std::int32_t mode) {
  if (mode < 0 || mode > kMaxPanMode) return kE_INVALIDARG;
  settings_.panMode = mode;
  if (mode == 0 && gesture_ == Gesture::kPan) gesture_ = Gesture::kNone;
  return kS_OK;
}

void ChartInteraction::HostSegment(double a, double b) {
  hasHome_ = true;
  homeMin_ = a;
  homeMax_ = b;
}

bool ChartInteraction::Window(double* xMin, double* xMax, IRect* area) {
  if (Failed(chart_.get_WorldXMin(xMin)) || Failed(chart_.get_WorldXMax(xMax))) return false;
  if (Failed(chart_.get_PlotAreaLeft(&area->left)) || Failed(chart_.get_PlotAreaTop(&area->top)) ||
      Failed(chart_.get_PlotAreaRight(&area->right)) ||
      Failed(chart_.get_PlotAreaBottom(&area->bottom)))
    return false;
  return area->right > area->left && Usable(*xMin, *xMax);
}

void ChartInteraction::RememberHome() {
  if (hasHome_) return;
  double a = 0, b = 0;
  if (Failed(chart_.get_WorldXMin(&a)) || Failed(chart_.get_WorldXMax(&b))) return;
  HostSegment(a, b);
}

InteractionResult ChartInteraction::MoveTo(double a, double b) {
  InteractionResult r;
  if (!Usable(a, b) || Failed(chart_.SetSegment(a, b))) return r;
  r.zoomed = true;
  r.xMin = a;
  r.xMax = b;
  return r;
}

InteractionResult ChartInteraction::Wheel(std::int32_t x, std::int32_t y, std::int32_t delta) {
  (void)y;
  if (settings_.zoomMode < 1 || delta == 0) return {};
  double xMin = 0, xMax = 0;
  IRect area{};
  if (!Window(&xMin, &xMax, &area)) return {};
  double centre = 0;
  const std::int32_t px = std::clamp(x, area.left, area.right);
  if (Failed(chart_.PixelToWorldX(px, &centre))) return {};
  centre = std::clamp(centre, xMin, xMax);
  const double notches =
      std::clamp(delta / 120.0, -double{kMaxNotchesPerMessage}, double{kMaxNotchesPerMessage});
  const double scale = std::pow(kNotchScale, notches);
  RememberHome();
  return MoveTo(centre - (centre - xMin) * scale, centre + (xMax - centre) * scale);
}

InteractionResult ChartInteraction::Press(MouseButton button, std::int32_t x, std::int32_t y,
                                          std::int32_t held) {
  cursorIn_ = true;
  cursorX_ = x;
  cursorY_ = y;
  InteractionResult r;
  if (gesture_ != Gesture::kNone) {
    // One gesture at a time: a second button joins none.
    if (button != button_ && (held & button_)) return r;
    r = Cancel();
  }
  if (button != kLeftButton && button != kRightButton && button != kMiddleButton) return r;
  gesture_ = Gesture::kPress;
  button_ = button;
  startX_ = x;
  startY_ = y;
  return r;
}

InteractionResult ChartInteraction::Move(std::int32_t x, std::int32_t y) {
  InteractionResult r;
  r.redraw = settings_.crosshair && (!cursorIn_ || x != cursorX_ || y != cursorY_);
  cursorIn_ = true;
  cursorX_ = x;
  cursorY_ = y;
  const std::int64_t dx = std::int64_t{x} - startX_, dy = std::int64_t{y} - startY_;
  if (gesture_ == Gesture::kPress &&
      (std::llabs(dx) >= kDragThreshold || std::llabs(dy) >= kDragThreshold)) {
    double xMin = 0, xMax = 0;
    IRect area{};
    if (button_ == kLeftButton && settings_.zoomMode == 2) {
      gesture_ = Gesture::kRectangle;
    } else if (button_ != kLeftButton && settings_.panMode == 1 && Window(&xMin, &xMax, &area)) {
      gesture_ = Gesture::kPan;
      startMin_ = xMin;
      startMax_ = xMax;
      pixelsPerUnit_ = (area.right - area.left) / (xMax - xMin);
      panDx_ = 0;
      RememberHome();
    } else {
      gesture_ = Gesture::kDrag;  // moved too far to be a click, and nothing to do
    }
  }
  if (gesture_ == Gesture::kRectangle) r.redraw = true;
  if (gesture_ == Gesture::kPan) {
    // From where the drag began, so the chart follows the cursor without drifting.
    if (dx == panDx_) return r;  // no change since the last step
    panDx_ = dx;
    const double shift = static_cast<double>(dx) / pixelsPerUnit_;
    const InteractionResult moved = MoveTo(startMin_ - shift, startMax_ - shift);
    r.zoomed = moved.zoomed;
    r.xMin = moved.xMin;
    r.xMax = moved.xMax;
  }
  return r;
}

InteractionResult ChartInteraction::Release(MouseButton button, std::int32_t x, std::int32_t y) {
  if (gesture_ == Gesture::kNone || button != button_) return {};
  InteractionResult r = Move(x, y);
  const Gesture done = gesture_;
  gesture_ = Gesture::kNone;
  if (done == Gesture::kPress) r.click = true;
  if (done == Gesture::kRectangle) {
    r.redraw = true;
    double xMin = 0, xMax = 0;
    IRect area{};
    const std::int32_t left = std::min(startX_, x), right = std::max(startX_, x);
    if (std::int64_t{right} - left >= kDragThreshold && Window(&xMin, &xMax, &area)) {
      double a = 0, b = 0;
      if (!Failed(chart_.PixelToWorldX(std::clamp(left, area.left, area.right), &a)) &&
          !Failed(chart_.PixelToWorldX(std::clamp(right, area.left, area.right), &b))) {
        RememberHome();
        const InteractionResult zoom = MoveTo(a, b);
        r.zoomed = zoom.zoomed;
        r.xMin = zoom.xMin;
        r.xMax = zoom.xMax;
      }
    }
  }
  return r;
}

InteractionResult ChartInteraction::Cancel() {
  InteractionResult r;
  r.redraw = gesture_ == Gesture::kRectangle;
  gesture_ = Gesture::kNone;
  return r;
}

InteractionResult ChartInteraction::Leave() {
  InteractionResult r;
  r.redraw = cursorIn_ && (settings_.crosshair || settings_.hoverInfo);
  cursorIn_ = false;
  return r;
}

InteractionResult ChartInteraction::ResetZoom() {
  InteractionResult r;
  if (!hasHome_) return r;
  // The host's own window, as it set it (SetSegment repairs nothing; the layout may).
  if (Failed(chart_.SetSegment(homeMin_, homeMax_))) return r;
  if (Failed(chart_.get_WorldXMin(&r.xMin)) || Failed(chart_.get_WorldXMax(&r.xMax))) {
    r.xMin = homeMin_;
    r.xMax = homeMax_;
  }
  r.zoomed = true;
  return r;
}

bool ChartInteraction::ZoomRectangle(IRect* rect) const {
  if (gesture_ != Gesture::kRectangle) return false;
  *rect = IRect{std::min(startX_, cursorX_), std::min(startY_, cursorY_),
                std::max(startX_, cursorX_), std::max(startY_, cursorY_)};
  return true;
}

bool ChartInteraction::Cursor(std::int32_t* x, std::int32_t* y) const {
  if (!cursorIn_) return false;
  *x = cursorX_;
  *y = cursorY_;
  return true;
}

}  // namespace corvane
