#include "appearance/background_painter.h"

#include <algorithm>
#include <cstdint>

#include "platform/geometry.h"
#include "platform/random_sequence.h"

namespace corvane {
namespace {

constexpr std::int32_t kTile = 40;

// The part of [0, w) x [0, h) that the clip lets through. Rows, columns and tiles outside it
// would change no pixel; skipping them keeps an enormous picture size from turning into
// billions of calls.
IRect VisiblePart(DeviceContext& dc, std::int32_t w, std::int32_t h) {
  IRect box{0, 0, w, h};
  IRect clip{0, 0, 0, 0};
  const int kind = dc.GetClipBox(&clip);
  if (kind == kRegionError) return box;
  if (kind == kNullRegion) return IRect{0, 0, 0, 0};
  box.left = std::max(box.left, clip.left);
  box.top = std::max(box.top, clip.top);
  box.right = std::min(box.right, clip.right);
  box.bottom = std::min(box.bottom, clip.bottom);
  return box;
}

int ClampChannel(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, 255)); }

}  // namespace

void CBackgroundPainter::PaintBackground(DeviceContext& dc) {
  if (pictureWidth <= 1 || pictureHeight <= 1) return;
  switch (fillKind) {
    case 1: PaintGradient(dc); break;
    case 2: PaintTexture(dc); break;
    default: PaintSolid(dc); break;
  }
}

void CBackgroundPainter::PaintSolid(DeviceContext& dc) {
  dc.SetBkColor(firstColor);
  dc.ExtTextOutOpaque(IRect{0, 0, pictureWidth, pictureHeight});
}

void CBackgroundPainter::PaintGradient(DeviceContext& dc) {
  const IRect visible = VisiblePart(dc, pictureWidth, pictureHeight);
  const int r1 = RedOf(firstColor), g1 = GreenOf(firstColor), b1 = BlueOf(firstColor);
  const int r2 = RedOf(secondColor), g2 = GreenOf(secondColor), b2 = BlueOf(secondColor);
  const double s = 1.0 / (static_cast<double>(pictureHeight) - 1.0);

  // The null pen stays selected afterwards: each row puts it back.
  dc.SelectObject(dc.GetStockNullPen());
  for (std::int32_t i = std::max(visible.top, 0); i < visible.bottom; ++i) {
    const double t = i * s;
    const int r = TruncToInt32(r1 + (r2 - r1) * t);
    const int g = TruncToInt32(g1 + (g2 - g1) * t);
    const int b = TruncToInt32(b1 + (b2 - b1) * t);
    const ObjHandle pen = dc.CreatePen(1, MakeColor(r, g, b));
    const ObjHandle previous = dc.SelectObject(pen);
    dc.MoveToEx(0, i);
    // LineTo leaves the end point out: the last column keeps what the picture held.
    dc.LineTo(pictureWidth - 1, i);
    dc.SelectObject(previous);
    if (pen) dc.DeleteObject(pen);
  }
}

void CBackgroundPainter::PaintTexture(DeviceContext& dc) {
  textureBitmap.Reset();
  GraphicsSystem& system = dc.System();
  std::unique_ptr<DeviceContext> tileDc = system.CreateCompatibleDC(&dc);
  if (!tileDc) return;
  const ObjHandle tile = dc.CreateCompatibleBitmap(kTile, kTile);
  if (!tile) return;
  textureBitmap.Reset(&system, tile);
  const ObjHandle previous = tileDc->SelectObject(tile);

  const int r = RedOf(firstColor), g = GreenOf(firstColor), b = BlueOf(firstColor);
  const double scale = noiseAmplitude / 32768.0;
  for (std::int32_t x = 0; x < kTile; ++x) {
    for (std::int32_t y = 0; y < kTile; ++y) {
      const std::int64_t n = TruncToInt32(NextRandom() * scale);
      Color c;
      if (textureDarkens == 0)
        c = MakeColor(ClampChannel(r + n), ClampChannel(g + n), ClampChannel(b + n));
      else
        c = MakeColor(ClampChannel(r - n), ClampChannel(g - n), ClampChannel(b - n));
      tileDc->SetPixelV(x, y, c);
    }
  }

  // Tiles i = 0 .. W/40 and j = 0 .. H/40; only those that meet the visible part are copied.
  const IRect visible = VisiblePart(dc, pictureWidth, pictureHeight);
  const std::int32_t columns = pictureWidth / kTile + 1;
  const std::int32_t rows = pictureHeight / kTile + 1;
  const std::int32_t i0 = std::max(visible.left, 0) / kTile;
  const std::int32_t j0 = std::max(visible.top, 0) / kTile;
  const std::int32_t i1 = visible.right <= 0 ? 0 : std::min(columns, (visible.right - 1) / kTile + 1);
  const std::int32_t j1 = visible.bottom <= 0 ? 0 : std::min(rows, (visible.bottom - 1) / kTile + 1);
  for (std::int32_t i = i0; i < i1; ++i)
    for (std::int32_t j = j0; j < j1; ++j)
      dc.BitBlt(kTile * i, kTile * j, kTile, kTile, *tileDc, 0, 0);

  tileDc->SelectObject(previous);
}

}  // namespace corvane
