// Tabulated wide-pen steps against the scan converter they are copied from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "platform/raster/raster_polygon_scan.h"
#include "platform/raster/raster_region.h"
#include "platform/raster/raster_stroke_stamps.h"
#include "platform/raster/raster_wide_stroke.h"
#include "tests/unit/raster_test_canvas.h"

namespace corvane {
namespace {

using Pixels = std::vector<std::pair<std::int64_t, std::int64_t>>;  // (y, x), sorted, unique

class PixelSink : public SpanSink {
 public:
  explicit PixelSink(Pixels& out) : out_(out) {}
  void Row(std::int32_t y, const RegionSpan* spans, std::size_t n) override {
    for (std::size_t i = 0; i < n; ++i)
      for (std::int32_t x = spans[i].left; x < spans[i].right; ++x) out_.push_back({y, x});
  }

 private:
  Pixels& out_;
};

void Normalise(Pixels& p) {
  std::sort(p.begin(), p.end());
  p.erase(std::unique(p.begin(), p.end()), p.end());
}

// The plain route: the start's disc and the body, scanned where they lie.
Pixels Scanned(WideStroke& stroke, IPoint a, IPoint b, const IRect& limit) {
  Pixels p;
  PixelSink sink(p);
  stroke.Cap(a, limit, sink);
  stroke.Body(a, b, limit, sink);
  Normalise(p);
  return p;
}

TEST(StrokeStamps, EveryStepIsItsScanMovedToTheStartPoint) {
  std::mt19937 rng(20261208);
  std::uniform_int_distribution<std::int32_t> far(-2000000, 2000000);
  const std::int32_t k = StrokeStamps::kReach;
  for (std::int32_t width : {2, 3, 4, 5, 8, 11, 15, 16}) {
    StrokeStamps stamps(width);
    WideStroke plain(width);
    ASSERT_TRUE(stamps.enabled());
    for (std::int32_t dy = -k; dy <= k; ++dy) {
      for (std::int32_t dx = -k; dx <= k; ++dx) {
        Stamp stamp{};
        ASSERT_TRUE(stamps.Find(dx, dy, &stamp));
        const StampSpan* spans = stamp.spans;
        const std::uint32_t count = stamp.count;
        // Rows increase and the spans of a row are disjoint and apart.
        for (std::uint32_t i = 1; i < count; ++i)
          ASSERT_TRUE(spans[i].dy > spans[i - 1].dy ||
                      (spans[i].dy == spans[i - 1].dy && spans[i].left > spans[i - 1].right));
        // The bounds are tight.
        for (std::uint32_t i = 0; i < count; ++i)
          ASSERT_TRUE(spans[i].left >= stamp.left && spans[i].right <= stamp.right &&
                      spans[i].dy >= stamp.top && spans[i].dy < stamp.bottom);
        ASSERT_EQ(stamp.top, spans[0].dy);
        ASSERT_EQ(stamp.bottom, spans[count - 1].dy + 1);
        const IPoint origins[] = {{0, 0}, {-1, -1}, {far(rng), far(rng)}, {far(rng), far(rng)}};
        for (const IPoint a : origins) {
          Pixels stamped;
          for (std::uint32_t i = 0; i < count; ++i)
            for (std::int32_t x = spans[i].left; x < spans[i].right; ++x)
              stamped.push_back({std::int64_t{a.y} + spans[i].dy, std::int64_t{a.x} + x});
          Normalise(stamped);
          const IRect limit{a.x - 64, a.y - 64, a.x + 64, a.y + 64};
          ASSERT_EQ(stamped, Scanned(plain, a, IPoint{a.x + dx, a.y + dy}, limit))
              << "width " << width << " step " << dx << "," << dy << " at " << a.x << "," << a.y;
        }
      }
    }
  }
}

// The stores a stamp is painted with write exactly its spans' pixels, for whatever row pitch
// was set last, including one set after the stamps were built.
TEST(StrokeStamps, StoresCoverExactlyTheSpans) {
  const std::int32_t k = StrokeStamps::kReach;
  for (std::int32_t width : {2, 3, 4, 6, 9, 16}) {
    StrokeStamps stamps(width);
    for (std::size_t pitch : {std::size_t{97}, std::size_t{800}}) {
      stamps.SetRowPitch(pitch);
      for (std::int32_t dy = -k; dy <= k; dy += 3) {
        for (std::int32_t dx = -k; dx <= k; ++dx) {
          Stamp stamp{};
          ASSERT_TRUE(stamps.Find(dx, dy, &stamp));
          std::vector<std::int64_t> expected, written;
          for (std::uint32_t i = 0; i < stamp.count; ++i)
            for (std::int32_t x = stamp.spans[i].left; x < stamp.spans[i].right; ++x)
              expected.push_back(std::int64_t{stamp.spans[i].dy} * static_cast<std::int64_t>(pitch) + x);
          const std::int32_t* at = stamp.stores;
          for (std::uint32_t i = 0; i < stamp.quads; ++i, ++at)
            for (std::int32_t p = 0; p < 4; ++p) written.push_back(*at + p);
          for (std::uint32_t i = 0; i < stamp.pairs; ++i, ++at)
            for (std::int32_t p = 0; p < 2; ++p) written.push_back(*at + p);
          for (std::uint32_t i = 0; i < stamp.singles; ++i, ++at) written.push_back(*at);
          std::sort(expected.begin(), expected.end());
          std::sort(written.begin(), written.end());
          written.erase(std::unique(written.begin(), written.end()), written.end());
          ASSERT_EQ(written, expected) << "width " << width << " step " << dx << "," << dy
                                       << " pitch " << pitch;
        }
      }
    }
  }
}

TEST(StrokeStamps, LongStepsAndWidePensAreNotTabulated) {
  Stamp stamp{};
  StrokeStamps narrow(2);
  EXPECT_FALSE(narrow.Find(StrokeStamps::kReach + 1, 0, &stamp));
  EXPECT_FALSE(narrow.Find(0, -StrokeStamps::kReach - 1, &stamp));
  EXPECT_FALSE(narrow.Find(INT64_MIN, INT64_MAX, &stamp));
  StrokeStamps wide(StrokeStamps::kMaxWidth + 1);
  EXPECT_FALSE(wide.enabled());
  EXPECT_FALSE(wide.Find(1, 1, &stamp));
}

// Random chains drawn by the context (stamps where they apply) against the union of every
// segment's scanned pieces, through rectangular and polygonal clips, on both bitmap depths.
raster_test::PixelSet ReferenceChain(std::int32_t width, const std::vector<IPoint>& chain,
                                     const RasterRegion& clip) {
  WideStroke stroke(width);
  const IRect limit{-100, -100, 300, 300};
  Pixels all;
  for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
    Pixels seg = Scanned(stroke, chain[i], chain[i + 1], limit);
    all.insert(all.end(), seg.begin(), seg.end());
  }
  PixelSink sink(all);
  stroke.Cap(chain.back(), limit, sink);
  raster_test::PixelSet out;
  for (const auto& [y, x] : all)
    if (clip.Contains(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)))
      out.insert({static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)});
  return out;
}

TEST(StrokeStamps, ContextChainsMatchTheScanConverterThroughAnyClip) {
  constexpr std::int32_t kW = 96, kH = 72;
  std::mt19937 rng(7);
  const IPoint triangle[] = {{5, 60}, {90, 3}, {70, 71}};
  for (bool dib : {false, true}) {
    raster_test::TestCanvas c(kW, kH);
    void* bits = nullptr;
    ObjHandle dib_bitmap = kNoObject, kept = kNoObject;
    if (dib) {
      dib_bitmap = c.dc->CreateDIBSection24(kW, kH, &bits);
      ASSERT_NE(dib_bitmap, kNoObject);
      kept = c.dc->SelectObject(dib_bitmap);
    }
    auto ink = [&]() {
      raster_test::PixelSet s;
      for (std::int32_t y = 0; y < kH; ++y)
        for (std::int32_t x = 0; x < kW; ++x)
          if (c.dc->GetPixel(x, y) != raster_test::kWhite) s.insert({x, y});
      return s;
    };
    for (int clip_kind = 0; clip_kind < 3; ++clip_kind) {
      for (int trial = 0; trial < 40; ++trial) {
        const std::int32_t width = 2 + trial % 17;  // up to one past the tabulated widths
        std::vector<IPoint> chain;
        std::uniform_int_distribution<std::int32_t> start(-20, kW + 20), step(-18, 18), jump(-60, 60);
        chain.push_back({start(rng), start(rng)});
        for (int i = 0; i < 30; ++i) {
          const bool long_step = rng() % 8 == 0;
          const IPoint p = chain.back();
          chain.push_back({p.x + (long_step ? jump(rng) : step(rng)), p.y + (long_step ? jump(rng) : step(rng))});
        }
        c.dc->SelectClipRgn(kNoObject);
        const ObjHandle white = c.dc->CreateSolidBrush(raster_test::kWhite);
        c.dc->FillRect({0, 0, kW, kH}, white);
        c.dc->DeleteObject(white);
        RasterRegion clip = RasterRegion::FromRect(0, 0, kW, kH);
        ObjHandle rgn = kNoObject;
        if (clip_kind == 1) {
          rgn = c.dc->CreateRectRgn(9, 7, 80, 61);
          clip = clip.IntersectRect({9, 7, 80, 61});
        } else if (clip_kind == 2) {
          rgn = c.dc->CreatePolygonRgn(triangle, 3);
          clip = clip.Intersect(PolygonRegion(triangle, 3));
        }
        if (rgn) c.dc->SelectClipRgn(rgn);
        c.SelectPen(width, 0x123456);
        c.dc->Polyline(chain.data(), static_cast<std::int32_t>(chain.size()));
        c.ReleasePen();
        c.dc->SelectClipRgn(kNoObject);  // GetPixel reads nothing outside the clip
        if (rgn) c.dc->DeleteObject(rgn);
        ASSERT_EQ(ink(), ReferenceChain(width, chain, clip))
            << "width " << width << " clip " << clip_kind << " trial " << trial << (dib ? " dib" : "");
      }
    }
    if (dib) {
      c.dc->SelectObject(kept);
      c.dc->DeleteObject(dib_bitmap);
    }
  }
}

}  // namespace
}  // namespace corvane
