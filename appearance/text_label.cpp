#include "appearance/text_label.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/geometry.h"
#include "platform/random_sequence.h"

namespace corvane {
namespace {

// Text positions from anchors, extents and unchecked radii: computed wide, saturated.
std::int32_t Sat(std::int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(v);
}

int Brightness(Color c) { return RedOf(c) + GreenOf(c) + BlueOf(c); }

// The one-pixel black frame filled with the box colour, one pixel larger than the text.
void DrawBox(const CTextLabel& label, std::int32_t x, std::int32_t y, DeviceContext& dc) {
  const ObjHandle brush = dc.CreateSolidBrush(label.boxColor);
  const ObjHandle pen = dc.CreatePen(label.scale(1), 0x000000);
  const ObjHandle previousPen = pen ? dc.SelectObject(pen) : kNoObject;
  const ObjHandle previousBrush = brush ? dc.SelectObject(brush) : kNoObject;
  const TextSize size = label.MeasureInSelectedFont(dc);
  const std::int64_t pad = label.scale(1);
  const std::int64_t left = x, top = y;  // a far anchor plus the text runs past 32 bits
  dc.Rectangle(Sat(left - pad), Sat(top - pad), Sat(left + size.cx + pad), Sat(top + size.cy + pad));
  if (pen) dc.SelectObject(previousPen);
  if (brush) dc.SelectObject(previousBrush);
  if (brush) dc.DeleteObject(brush);
  if (pen) dc.DeleteObject(pen);
}

}  // namespace

LabelFont::LabelFont(DeviceContext& dc, const FontRequest& request)
    : dc_(dc), font_(dc.CreateFontA(request)) {
  if (font_) {
    previous_ = dc.SelectObject(font_);
    selected_ = true;
  }
}

LabelFont::~LabelFont() {
  if (selected_) dc_.SelectObject(previous_);
  if (font_) dc_.DeleteObject(font_);
}

std::int32_t CTextLabel::TextLength() const {
  return text.size() > static_cast<std::size_t>(INT32_MAX) ? INT32_MAX
                                                           : static_cast<std::int32_t>(text.size());
}

TextSize CTextLabel::Measure(DeviceContext& dc) const {
  LabelFont font(dc, Font());
  return MeasureInSelectedFont(dc);
}

TextSize CTextLabel::MeasureInSelectedFont(DeviceContext& dc) const {
  TextSize size{0, 0};
  if (!dc.GetTextExtentPoint32A(text.data(), TextLength(), &size)) size = TextSize{0, 0};
  return size;
}

void CTextLabel::Draw(std::int32_t x, std::int32_t y, DeviceContext& dc) {
  if (text.empty()) return;
  LabelFont font(dc, Font());
  DrawInSelectedFont(x, y, dc);
}

void CTextLabel::DrawInSelectedFont(std::int32_t x, std::int32_t y, DeviceContext& dc) {
  if (text.empty()) return;
  const Color previousColor = dc.GetTextColor();
  dc.SetTextColor(textColor);
  const int previousMode = dc.GetBkMode();
  dc.SetBkMode(kTransparent);
  if (!noBox) DrawBox(*this, x, y, dc);
  // The box is drawn first: a boxed label inside the picture finds a uniform background.
  if (!checkBackground || IsBackgroundUniform(x, y, dc)) dc.TextOutA(x, y, text.data(), TextLength());
  dc.SetBkMode(previousMode);
  dc.SetTextColor(previousColor);
}

bool CTextLabel::IsBackgroundUniform(std::int32_t x, std::int32_t y, DeviceContext& dc) const {
  // A pixel outside the picture or its clip reads as CLR_INVALID: nothing known there can be
  // called uniform.
  const Color reference = dc.GetPixel(x, y);
  if (reference == kInvalidColor) return false;
  TextSize size{0, 0};
  if (!dc.GetTextExtentPoint32A(text.data(), TextLength(), &size)) size = TextSize{0, 0};
  std::int64_t samples = std::int64_t{size.cx} * size.cy;
  if (samples > 200) samples = 200;
  if (samples <= 0) return true;

  const int referenceSum = Brightness(reference);
  const std::int64_t tolerance = std::int64_t{3} * contrastThreshold;
  const double w = size.cx, h = size.cy;
  for (std::int64_t k = 0; k < samples; ++k) {
    // x from the first number of the pair, y from the second.
    const double rx = NextRandom();
    const std::int32_t xs = TruncToInt32(rx * w * 0x1p-15 + x);
    const double ry = NextRandom();
    const std::int32_t ys = TruncToInt32(ry * h * 0x1p-15 + y);
    const Color sample = dc.GetPixel(xs, ys);
    if (sample == kInvalidColor) return false;
    if (std::abs(Brightness(sample) - referenceSum) > tolerance) return false;
  }
  return true;
}

void CPointLabel::Draw(std::int32_t x, std::int32_t y, DeviceContext& dc) {
  LabelFont font(dc, Font());
  PlaceInSelectedFont(x, y, dc);
}

void CPointLabel::PlaceInSelectedFont(std::int32_t x, std::int32_t y, DeviceContext& dc) {
  anchorX = x;
  anchorY = y;
  const std::int64_t r = scale(dotRadius);
  if (showDot) {
    if (r > 0) {
      const ObjHandle brush = dc.CreateSolidBrush(dotColor);
      dc.FillRect(IRect{Sat(x - r), Sat(y - r), Sat(x + r), Sat(y + r)}, brush);
      if (brush) dc.DeleteObject(brush);
    } else {
      dc.SetPixelV(x, y, dotColor);
    }
  }
  const TextSize size = MeasureInSelectedFont(dc);
  const std::int64_t w = size.cx, h = size.cy;
  // Wide, so that an anchor at the edge of the int32 range saturates instead of wrapping.
  const std::int64_t ax = x, ay = y;
  std::int64_t tx = 0, ty = 0;
  const std::int64_t gap = scale(kGap);
  switch (placement) {
    case 0: tx = ax - w - gap; ty = ay - r - h - gap; break;
    case 1: tx = ax - w / 2; ty = ay - h - gap; break;
    case 2: tx = ax + gap; ty = ay - h - gap; break;
    case 3: tx = ax - w - gap; ty = ay + gap; break;
    case 4: tx = ax - w / 2; ty = ay + gap; break;
    case 5: tx = ax + gap; ty = ay + gap; break;
    case 6: tx = ax - w - gap; ty = ay - h / 2; break;
    case 7: tx = ax + gap; ty = ay - h / 2; break;
    case 8: tx = ax - w / 2; ty = ay - h / 2; break;
    default: break;  // the picture's top-left corner
  }
  // The base drawing, not this override.
  DrawInSelectedFont(Sat(tx), Sat(ty), dc);
}

}  // namespace corvane
