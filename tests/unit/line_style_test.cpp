#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "overlays/dash_walk.h"
#include "overlays/line_style.h"
#include "platform/recording_dc.h"
#include "plot_test_support.h"

namespace corvane {
namespace {

using testing::FirstDifference;
using testing::PenMoves;
using testing::RasterPicture;
using testing::SplitMix;

CLineStyle Style(std::int32_t width, std::int32_t style, Color color = 0x0000FF) {
  CLineStyle s;
  s.width = width;
  s.style = style;
  s.color = color;
  s.enabled = 1;
  return s;
}

std::vector<std::string> Moves(std::initializer_list<std::pair<char, int>> xs) {
  std::vector<std::string> out;
  for (auto [kind, x] : xs)
    out.push_back(std::string(kind == 'M' ? "MoveToEx " : "LineTo ") + std::to_string(x) + " 0");
  return out;
}

TEST(DashWalk, DashedWidthOneSegmentPieces) {
  RecordingDc dc;
  CLineStyle s = Style(1, 1);
  s.DrawLine(0, 0, 100, 0, dc);
  // n = 50: a unit of 2 px, dashes of 10 and gaps of 4, then the closing 2-unit dash.
  EXPECT_EQ(PenMoves(dc.log()),
            Moves({{'M', 0},  {'L', 10}, {'M', 14}, {'L', 24}, {'M', 28}, {'L', 38},
                   {'M', 42}, {'L', 52}, {'M', 56}, {'L', 66}, {'M', 70}, {'L', 80},
                   {'M', 84}, {'L', 94}, {'M', 98}, {'M', 96}, {'L', 100}}));
}

TEST(DashWalk, DashDotPatternPieces) {
  RecordingDc dc;
  CLineStyle s = Style(1, 2);
  s.DrawLine(0, 0, 100, 0, dc);
  // on 10, off 4, on 4, off 4 per 22 px.
  EXPECT_EQ(PenMoves(dc.log()),
            Moves({{'M', 0},  {'L', 10}, {'M', 14}, {'L', 18}, {'M', 22}, {'L', 32},
                   {'M', 36}, {'L', 40}, {'M', 44}, {'L', 54}, {'M', 58}, {'L', 62},
                   {'M', 66}, {'L', 76}, {'M', 80}, {'L', 84}, {'M', 88}, {'L', 98},
                   {'M', 96}, {'L', 100}}));
}

TEST(DashWalk, ShortAndZeroLengthSegmentsAreSolid) {
  for (std::int32_t style = 1; style <= 4; ++style) {
    RecordingDc dc;
    // Width 8: n = 6 < 7.
    Style(8, style).DrawLine(0, 0, 100, 0, dc);
    EXPECT_EQ(PenMoves(dc.log()), Moves({{'M', 0}, {'L', 100}})) << "style " << style;

    RecordingDc zero;
    Style(1, style).DrawLine(5, 5, 5, 5, zero);
    EXPECT_EQ(PenMoves(zero.log()), (std::vector<std::string>{"MoveToEx 5 5", "LineTo 5 5"}));
  }
}

TEST(DashWalk, PenIsSolidOfTheWidthAndRestored) {
  RecordingDc dc;
  Style(3, 4, 0x123456).DrawLine(0, 0, 300, 40, dc);
  const auto& calls = dc.log().calls();
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(calls.front().text, "CreatePen 3 0x123456");
  EXPECT_EQ(calls[1].text, "SelectObject " + calls.front().result);
  EXPECT_EQ(calls[calls.size() - 2].Name(), "SelectObject");
  EXPECT_EQ(calls.back().text, "DeleteObject " + calls.front().result);
  EXPECT_EQ(calls.back().result, "1");
  EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u);
}

TEST(DashWalk, OutOfRangeFieldsAreDrawnAsProducersStoreThem) {
  // Width 0 would divide the unit by zero; style 9 has no pattern.
  RecordingDc dc;
  Style(0, 9).DrawLine(0, 0, 100, 0, dc);
  EXPECT_EQ(dc.log().Named("CreatePen"), std::vector<std::string>{"CreatePen 1 0x0000ff"});
  EXPECT_EQ(PenMoves(dc.log()), Moves({{'M', 0}, {'L', 100}}));
}

TEST(LineStyle, DisabledTouchesNothing) {
  RecordingDc dc;
  CLineStyle s = Style(2, 1);
  s.enabled = 0;
  s.DrawLine(0, 0, 100, 0, dc);
  s.DrawLineClipped(0, 0, 100, 0, IRect{10, 10, 50, 50}, dc);
  const IPoint pts[3] = {{0, 0}, {10, 10}, {20, 0}};
  s.DrawPolylineClipped(pts, 3, IRect{10, 10, 50, 50}, dc);
  EXPECT_EQ(dc.log().size(), 0u) << dc.log().Dump();
}

TEST(LineStyle, ClippedFormSelectsTheClipAndPutsTheOldBoxBack) {
  RecordingDc dc(200, 100);
  IRect before{};
  dc.GetClipBox(&before);
  dc.log().Clear();
  Style(1, 0).DrawLineClipped(0, 0, 150, 80, IRect{10, 20, 60, 70}, dc);
  const auto& c = dc.log().calls();
  ASSERT_EQ(c.size(), 13u) << dc.log().Dump();
  EXPECT_EQ(c[0].Name(), "GetClipBox");
  EXPECT_EQ(c[1].text, "CreateRectRgn 10 20 60 70");
  EXPECT_EQ(c[2].text, "CreateRectRgn 0 0 200 100");
  EXPECT_EQ(c[3].text, "SelectClipRgn " + c[1].result);
  EXPECT_EQ(c[6].text, "MoveToEx 0 0");
  EXPECT_EQ(c[7].text, "LineTo 150 80");
  EXPECT_EQ(c[10].text, "SelectClipRgn " + c[2].result);
  IRect after{};
  dc.GetClipBox(&after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u);
}

// The walk written out piece by piece, as a reference for the skipping one.
void NaiveDash(DeviceContext& dc, int x1, int y1, int x2, int y2, int width, int style) {
  static const std::vector<double> kUnits[5] = {
      {}, {5, 2}, {5, 2, 2, 2}, {5, 2, 2, 2, 2, 2}, {2, 2}};
  const double dx = double(x2) - x1, dy = double(y2) - y1;
  const double n = std::trunc(std::sqrt(dx * dx + dy * dy) / (2.0 * width));
  if (n < 7) {
    dc.MoveToEx(x1, y1);
    dc.LineTo(x2, y2);
    return;
  }
  const std::vector<double>& p = kUnits[style];
  const double u = 1.0 / n;
  std::vector<double> f;
  for (double v : p) f.push_back(v * u);
  dc.MoveToEx(x1, y1);
  std::size_t k = 0;
  for (double t = f[0]; t <= 1.0; t += f[++k % f.size()]) {
    const int x = TruncToInt32(t * dx + x1), y = TruncToInt32(t * dy + y1);
    if (k % 2 == 0)
      dc.LineTo(x, y);
    else
      dc.MoveToEx(x, y);
  }
  const double s = 1.0 - 2.0 * u;
  dc.MoveToEx(TruncToInt32(x1 + s * dx), TruncToInt32(y1 + s * dy));
  dc.LineTo(x2, y2);
}

TEST(DashWalkAdvance, WholePeriodsLandOnThePieceByPieceSums) {
  SplitMix rng(7);
  static const std::vector<double> kUnits[4] = {{5, 2}, {5, 2, 2, 2}, {5, 2, 2, 2, 2, 2}, {2, 2}};
  for (int trial = 0; trial < 120; ++trial) {
    // Powers of two and their small multiples make the ties of round-to-even likely.
    double n = trial % 3 == 0 ? std::ldexp(1.0 + double(rng.Range(0, 3)), int(rng.Range(10, 17)))
                              : double(rng.Range(1025, 300000));
    const std::vector<double>& p = kUnits[rng.Range(0, 3)];
    const int m = int(p.size());
    double f[6];
    for (int k = 0; k < m; ++k) f[k] = p[k] * (1.0 / n);
    const double limit = 0.05 + 0.95 * rng.Unit();

    // Piece by piece up to the limit.
    double tRef = f[0];
    int kRef = 0;
    while (tRef < limit) {
      kRef = (kRef + 1) % m;
      tRef += f[kRef];
    }
    // The skipping loop of the walk.
    double t = f[0];
    int km = 0;
    long steps = 0;
    while (t < limit) {
      AdvanceWholePeriods(t, km, f, m, limit);
      ASSERT_LT(t, limit);
      km = (km + 1) % m;
      t += f[km];
      ++steps;
    }
    ASSERT_EQ(t, tRef) << "n " << n << " m " << m << " limit " << limit;
    ASSERT_EQ(km, kRef);
    // The jumps did the work: a few periods per binade, not one step per piece.
    EXPECT_LT(steps, 2000) << "n " << n;
  }
}

TEST(DashWalkAdvance, FractionsThatTieOnEveryStep) {
  // Each fraction ends half an ulp of [0.5, 1) past a multiple of it: every sum rounds to
  // even, and whether that is up or down depends on where t stands.
  const double half = std::ldexp(1.0, -54);
  const double cases[3][2] = {{std::ldexp(1.0, -20) + half, std::ldexp(1.0, -21) + 3 * half},
                              {std::ldexp(3.0, -22) + half, std::ldexp(1.0, -22) + 2 * half},
                              {std::ldexp(5.0, -23) + 3 * half, std::ldexp(5.0, -23) + half}};
  for (const auto& c : cases) {
    const double f[2] = {c[0], c[1]};
    for (double start : {0.5, 0.5 + 2 * half, 0.75 + 6 * half}) {  // even and odd multiples
      double tRef = start;
      int kRef = 0;
      while (tRef < 0.9) {
        kRef ^= 1;
        tRef += f[kRef];
      }
      double t = start;
      int km = 0;
      while (t < 0.9) {
        AdvanceWholePeriods(t, km, f, 2, 0.9);
        km ^= 1;
        t += f[km];
      }
      EXPECT_EQ(t, tRef);
      EXPECT_EQ(km, kRef);
    }
  }
}

TEST(DashWalkLong, SkippedPiecesLeaveThePictureUnchanged) {
  RasterPicture mine(240, 180), reference(240, 180);
  SplitMix rng(11);
  const IRect clip{30, 20, 210, 160};
  for (int seed = 0; seed < 24; ++seed) {
    mine.Clear();
    reference.Clear();
    for (int line = 0; line < 3; ++line) {
      // End points up to 60,000 px away: thousands of units, most of them outside.
      const int x1 = int(rng.Range(-60000, 60000)), y1 = int(rng.Range(-40000, 40000));
      const int x2 = 120 - (x1 - 120) / int(rng.Range(1, 4)) + int(rng.Range(-50, 50));
      const int y2 = 90 - (y1 - 90) / int(rng.Range(1, 4)) + int(rng.Range(-50, 50));
      const int width = int(rng.Range(1, 15)), style = int(rng.Range(1, 4));
      const Color color = Color(rng.Next() & 0xFFFFFF);
      CLineStyle s = Style(width, style, color);
      s.DrawLineClipped(x1, y1, x2, y2, clip, mine.dc());
      WithClipRect(clip, reference.dc(), [&] {
        const ObjHandle pen = reference.dc().CreatePen(width, color);
        const ObjHandle old = reference.dc().SelectObject(pen);
        NaiveDash(reference.dc(), x1, y1, x2, y2, width, style);
        reference.dc().SelectObject(old);
        reference.dc().DeleteObject(pen);
      });
    }
    ASSERT_EQ(FirstDifference(mine.Pixels(), reference.Pixels(), 240), "") << "seed " << seed;
  }
}

TEST(DashWalkLong, UnclippedFormHonoursTheContextClip) {
  RasterPicture mine(200, 150), reference(200, 150);
  for (DeviceContext* dc : {&mine.dc(), &reference.dc()}) {
    const ObjHandle rgn = dc->CreateRectRgn(20, 10, 170, 140);
    dc->SelectClipRgn(rgn);
    dc->DeleteObject(rgn);
  }
  Style(2, 3, 0x00AA00).DrawLine(-90000, -50000, 180, 120, mine.dc());
  const ObjHandle pen = reference.dc().CreatePen(2, 0x00AA00);
  const ObjHandle old = reference.dc().SelectObject(pen);
  NaiveDash(reference.dc(), -90000, -50000, 180, 120, 2, 3);
  reference.dc().SelectObject(old);
  reference.dc().DeleteObject(pen);
  EXPECT_EQ(FirstDifference(mine.Pixels(), reference.Pixels(), 200), "");
}

TEST(DashWalkLong, SegmentAcrossTheWholeIntRangeStaysBounded) {
  // About 10^9 units: piece by piece this would be hundreds of millions of calls.
  RecordingDc dc(400, 300);
  Style(1, 4).DrawLineClipped(INT32_MIN, 150, INT32_MAX, 160, IRect{0, 0, 400, 300}, dc);
  EXPECT_LT(dc.log().size(), 1000u);
  // What is drawn lies about the visible box.
  std::size_t inside = 0;
  for (const std::string& move : PenMoves(dc.log())) {
    long x = 0, y = 0;
    ASSERT_EQ(std::sscanf(move.c_str(), "%*s %ld %ld", &x, &y), 2);
    if (x >= 0 && x < 400) ++inside;
  }
  EXPECT_GT(inside, 50u);
}

// One DrawLineClipped per segment, the reference for the fast path.
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
      case 0:  // far outside, and back
        p = IPoint{int(rng.Range(-5000, 5000)), int(rng.Range(-5000, 5000))};
        break;
      case 1:  // stays put
        break;
      case 2:  // revisits an earlier point: repeated segments
        if (!pts.empty()) p = pts[std::size_t(rng.Range(0, std::int64_t(pts.size()) - 1))];
        break;
      case 3:  // wanders up and down one column, as dense data does
        for (std::int64_t k = rng.Range(1, 12); k > 0; --k) {
          p.y += int(rng.Range(-4, 4));
          pts.push_back(p);
        }
        break;
      default:  // small steps, often across the clip edges
        p.x += int(rng.Range(-6, 6));
        p.y += int(rng.Range(-6, 6));
    }
    pts.push_back(p);
  }
  return pts;
}

TEST(PolylineFastPath, PixelIdenticalToSegmentBySegment) {
  RasterPicture fast(220, 170), reference(220, 170);
  SplitMix rng(2024);
  for (int seed = 0; seed < 90; ++seed) {
    const std::int32_t width = 1 + seed % 15;
    const IRect clip{int(rng.Range(0, 40)), int(rng.Range(0, 30)), int(rng.Range(150, 220)),
                     int(rng.Range(110, 170))};
    const std::vector<IPoint> pts = RandomChain(rng, int(rng.Range(2, 400)));
    const CLineStyle s = Style(width, 0, Color(rng.Next() & 0xFFFFFF));
    fast.Clear();
    reference.Clear();
    s.DrawPolylineClipped(pts.data(), std::int32_t(pts.size()), clip, fast.dc());
    SegmentBySegment(s, pts, clip, reference.dc());
    ASSERT_EQ(FirstDifference(fast.Pixels(), reference.Pixels(), 220), "")
        << "seed " << seed << " width " << width;
  }
}

TEST(PolylineFastPath, StationaryAndTwoPointChains) {
  RasterPicture fast(60, 60), reference(60, 60);
  for (std::int32_t width : {1, 2, 5, 9}) {
    for (const std::vector<IPoint>& pts :
         {std::vector<IPoint>{{30, 30}, {30, 30}, {30, 30}}, std::vector<IPoint>{{10, 10}, {50, 20}},
          std::vector<IPoint>{{30, 30}, {30, 30}, {40, 35}, {40, 35}}}) {
      const CLineStyle s = Style(width, 0, 0x204080);
      fast.Clear();
      reference.Clear();
      s.DrawPolylineClipped(pts.data(), std::int32_t(pts.size()), IRect{5, 5, 55, 55}, fast.dc());
      SegmentBySegment(s, pts, IRect{5, 5, 55, 55}, reference.dc());
      EXPECT_EQ(FirstDifference(fast.Pixels(), reference.Pixels(), 60), "") << "width " << width;
    }
  }
}

TEST(PolylineFastPath, DashedChainsKeepTheirDashes) {
  RasterPicture fast(200, 120), reference(200, 120);
  const std::vector<IPoint> pts{{5, 5}, {190, 20}, {100, 110}, {100, 110}, {10, 60}};
  const CLineStyle s = Style(2, 3, 0x0000AA);
  s.DrawPolylineClipped(pts.data(), 5, IRect{0, 0, 180, 100}, fast.dc());
  SegmentBySegment(s, pts, IRect{0, 0, 180, 100}, reference.dc());
  EXPECT_EQ(FirstDifference(fast.Pixels(), reference.Pixels(), 200), "");
}

TEST(PolylineFastPath, OnePenAndOneClipForTheChain) {
  RecordingDc dc(300, 200);
  std::vector<IPoint> pts;
  for (int i = 0; i < 2000; ++i) pts.push_back(IPoint{10 + i % 250, 20 + (i * 7) % 150});
  Style(2, 0).DrawPolylineClipped(pts.data(), std::int32_t(pts.size()), IRect{0, 0, 280, 180}, dc);
  EXPECT_EQ(dc.log().Count("CreatePen"), 1u);
  EXPECT_EQ(dc.log().Count("CreateRectRgn"), 2u);
  EXPECT_EQ(dc.log().Count("SelectClipRgn"), 2u);
  EXPECT_EQ(dc.log().Count("LineTo"), 0u);
  EXPECT_GE(dc.log().Count("Polyline"), 1u);
  EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u);
}

}  // namespace
}  // namespace corvane
