// The plot and line drawers' shortcuts on real GDI: one pen and one clip for a whole chain,
// a pixel column drawn from its extremes, and the long dash walk that skips invisible pieces,
// must leave every pixel as the plain one-call-per-segment drawing does.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "overlays/line_style.h"
#include "platform/gdi/gdi_system.h"
#include "series/plot_series.h"
#include "tests/unit/plot_scenes.h"

namespace corvane {
namespace {

using testing::SplitMix;

// A white 24-bit DIB section selected into a GDI memory context.
class GdiPicture {
 public:
  GdiPicture(std::int32_t w, std::int32_t h) : w_(w), h_(h) {
    screen_ = system_.GetScreenDC();
    dc_ = system_.CreateCompatibleDC(screen_.get());
    dib_ = dc_->CreateDIBSection24(w, h, &bits_);
    previous_ = dc_->SelectObject(dib_);
    Clear();
  }
  ~GdiPicture() {
    dc_->SelectObject(previous_);
    dc_.reset();
    system_.DeleteObject(dib_);
  }
  bool ok() const { return bits_ != nullptr && previous_ != kNoObject; }
  DeviceContext& dc() { return *dc_; }
  void Clear() {
    const ObjHandle white = dc_->CreateSolidBrush(0xFFFFFF);
    dc_->FillRect(IRect{0, 0, w_, h_}, white);
    dc_->DeleteObject(white);
  }
  std::vector<std::uint8_t> Pixels() const {
    GdiFlush();
    const std::size_t stride = (static_cast<std::size_t>(w_) * 3 + 3) & ~std::size_t{3};
    const auto* p = static_cast<const std::uint8_t*>(bits_);
    return std::vector<std::uint8_t>(p, p + stride * h_);
  }
  // "x,y" of the first differing pixel, or "" when both are equal.
  std::string FirstDifference(const std::vector<std::uint8_t>& a,
                              const std::vector<std::uint8_t>& b) const {
    const std::size_t stride = (static_cast<std::size_t>(w_) * 3 + 3) & ~std::size_t{3};
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
      if (a[i] != b[i])
        return std::to_string((i % stride) / 3) + "," + std::to_string(h_ - 1 - int(i / stride));
    return a.size() == b.size() ? "" : "sizes differ";
  }

 private:
  GdiGraphicsSystem system_;
  std::unique_ptr<DeviceContext> screen_, dc_;
  ObjHandle dib_ = kNoObject, previous_ = kNoObject;
  void* bits_ = nullptr;
  std::int32_t w_, h_;
};

CLineStyle Solid(std::int32_t width, Color color) {
  CLineStyle s;
  s.width = width;
  s.color = color;
  s.style = 0;
  s.enabled = 1;
  return s;
}

void SegmentBySegment(const CLineStyle& style, const std::vector<IPoint>& pts, const IRect& clip,
                      DeviceContext& dc) {
  CLineStyle s = style;
  for (std::size_t k = 0; k + 1 < pts.size(); ++k)
    s.DrawLineClipped(pts[k].x, pts[k].y, pts[k + 1].x, pts[k + 1].y, clip, dc);
}

std::vector<IPoint> RandomChain(SplitMix& rng, int count) {
  std::vector<IPoint> pts;
  IPoint p{int(rng.Range(0, 200)), int(rng.Range(0, 150))};
  for (int i = 0; i < count; ++i) {
    switch (rng.Range(0, 9)) {
      case 0:
        p = IPoint{int(rng.Range(-5000, 5000)), int(rng.Range(-5000, 5000))};
        break;
      case 1:
        break;
      case 2:
        if (!pts.empty()) p = pts[std::size_t(rng.Range(0, std::int64_t(pts.size()) - 1))];
        break;
      case 3:  // up and down one column
        for (std::int64_t k = rng.Range(1, 12); k > 0; --k) {
          p.y += int(rng.Range(-4, 4));
          pts.push_back(p);
        }
        break;
      default:
        p.x += int(rng.Range(-6, 6));
        p.y += int(rng.Range(-6, 6));
    }
    pts.push_back(p);
  }
  return pts;
}

TEST(GdiPolylineFastPath, PixelIdenticalToSegmentBySegment) {
  GdiPicture fast(220, 170), reference(220, 170);
  ASSERT_TRUE(fast.ok() && reference.ok());
  SplitMix rng(2024);
  for (int seed = 0; seed < 90; ++seed) {
    const std::int32_t width = 1 + seed % 15;
    const IRect clip{int(rng.Range(0, 40)), int(rng.Range(0, 30)), int(rng.Range(150, 220)),
                     int(rng.Range(110, 170))};
    const std::vector<IPoint> pts = RandomChain(rng, int(rng.Range(2, 400)));
    const CLineStyle s = Solid(width, Color(rng.Next() & 0xFFFFFF));
    fast.Clear();
    reference.Clear();
    s.DrawPolylineClipped(pts.data(), std::int32_t(pts.size()), clip, fast.dc());
    SegmentBySegment(s, pts, clip, reference.dc());
    ASSERT_EQ(fast.FirstDifference(fast.Pixels(), reference.Pixels()), "")
        << "seed " << seed << " width " << width;
  }
}

TEST(GdiPolylineFastPath, StationaryChainsAndDenseData) {
  GdiPicture fast(200, 160), reference(200, 160);
  ASSERT_TRUE(fast.ok() && reference.ok());
  for (std::int32_t width : {1, 2, 3, 6, 15}) {
    std::vector<std::vector<IPoint>> chains = {{{30, 30}, {30, 30}, {30, 30}},
                                               {{30, 30}, {30, 30}, {40, 35}, {40, 35}}};
    // A dense random walk: the plot case, most points on the previous pixel.
    SplitMix rng{static_cast<std::uint64_t>(width)};
    std::vector<IPoint> walk;
    double y = 80;
    for (int k = 0; k < 20000; ++k) {
      y += (rng.Unit() - 0.5) * 0.6;
      walk.push_back(IPoint{10 + k / 120, TruncToInt32(y)});
    }
    chains.push_back(walk);
    for (const std::vector<IPoint>& pts : chains) {
      const CLineStyle s = Solid(width, 0x204080);
      fast.Clear();
      reference.Clear();
      s.DrawPolylineClipped(pts.data(), std::int32_t(pts.size()), IRect{5, 5, 190, 150},
                            fast.dc());
      SegmentBySegment(s, pts, IRect{5, 5, 190, 150}, reference.dc());
      EXPECT_EQ(fast.FirstDifference(fast.Pixels(), reference.Pixels()), "")
          << "width " << width << " points " << pts.size();
    }
  }
}

TEST(GdiPolylineFastPath, LongDashWalkMatchesThePieceByPieceWalk) {
  GdiPicture mine(240, 180), reference(240, 180);
  ASSERT_TRUE(mine.ok() && reference.ok());
  static const std::vector<double> kUnits[5] = {{}, {5, 2}, {5, 2, 2, 2}, {5, 2, 2, 2, 2, 2}, {2, 2}};
  SplitMix rng(11);
  const IRect clip{30, 20, 210, 160};
  for (int seed = 0; seed < 12; ++seed) {
    mine.Clear();
    reference.Clear();
    const int x1 = int(rng.Range(-60000, 60000)), y1 = int(rng.Range(-40000, 40000));
    const int x2 = 120 - (x1 - 120) / 2, y2 = 90 - (y1 - 90) / 2;
    const int width = int(rng.Range(1, 15)), style = int(rng.Range(1, 4));
    CLineStyle s = Solid(width, 0x0000CC);
    s.style = style;
    s.DrawLineClipped(x1, y1, x2, y2, clip, mine.dc());
    WithClipRect(clip, reference.dc(), [&] {
      DeviceContext& dc = reference.dc();
      const ObjHandle pen = dc.CreatePen(width, 0x0000CC);
      const ObjHandle old = dc.SelectObject(pen);
      const double dx = double(x2) - x1, dy = double(y2) - y1;
      const double n = std::trunc(std::sqrt(dx * dx + dy * dy) / (2.0 * width));
      const std::vector<double>& p = kUnits[style];
      std::vector<double> f;
      for (double v : p) f.push_back(v * (1.0 / n));
      dc.MoveToEx(x1, y1);
      std::size_t k = 0;
      for (double t = f[0]; t <= 1.0; t += f[++k % f.size()]) {
        const int x = TruncToInt32(t * dx + x1), y = TruncToInt32(t * dy + y1);
        if (k % 2 == 0)
          dc.LineTo(x, y);
        else
          dc.MoveToEx(x, y);
      }
      const double last = 1.0 - 2.0 / n;
      dc.MoveToEx(TruncToInt32(x1 + last * dx), TruncToInt32(y1 + last * dy));
      dc.LineTo(x2, y2);
      dc.SelectObject(old);
      dc.DeleteObject(pen);
    });
    ASSERT_EQ(mine.FirstDifference(mine.Pixels(), reference.Pixels()), "") << "seed " << seed;
  }
}

// The plot drawer on real GDI -- dense ordered plots a pixel column at a time, the others
// point by point, gaps, markers, windows and rings -- against every segment drawn on its own.
TEST(GdiPolylineFastPath, PlotDrawingMatchesSegmentBySegment) {
  GdiPicture fast(200, 160), reference(200, 160);
  ASSERT_TRUE(fast.ok() && reference.ok());
  CPlotSeries p;
  for (std::uint64_t seed = 0; seed < 45; ++seed) {
    const std::string scene = testing::BuildPlotScene(seed, 200, 160, p);
    fast.Clear();
    reference.Clear();
    p.DrawPlot(fast.dc());
    testing::DrawEverySegment(p, reference.dc());
    ASSERT_EQ(fast.FirstDifference(fast.Pixels(), reference.Pixels()), "") << scene;
  }
}

}  // namespace
}  // namespace corvane
