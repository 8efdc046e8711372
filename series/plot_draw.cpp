// Drawing of one plot: its polyline, fitted line or parabola, then its point markers.
#include <algorithm>
#include <cstdint>

#include "overlays/line_style.h"
#include "overlays/polyline_stroker.h"
#include "series/plot_series.h"

namespace corvane {

namespace {

std::int32_t Saturate(std::int64_t v) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

IPoint DevicePixel(const DPoint& d) { return IPoint{TruncToInt32(d.X), TruncToInt32(d.Y)}; }

// The index range [first, last] of the points drawn, already cut to the stored points.
struct PointRange {
  std::int32_t first, last;
};

CLineStyle SeriesStyle(const CPlotSeries& p) {
  CLineStyle line;
  line.width = SanitizeLineWidth(p.plotWidth);
  line.color = p.plotColor;
  line.style = 0;
  line.enabled = 1;
  return line;
}

IRect SeriesClip(const CPlotSeries& p) { return IRect{p.left, p.top, p.right, p.bottom}; }

bool SameRect(const IRect& a, const IRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Whether `prepared` holds the polyline of this plot's points, range, width and clip.
bool Fits(const PreparedPlot* prepared, const CPlotSeries& p, PointRange range) {
  return prepared && prepared->ready && prepared->data == p.devicePoints.data() &&
         prepared->first == range.first && prepared->last == range.last &&
         prepared->width == SanitizeLineWidth(p.plotWidth) &&
         SameRect(prepared->clip, SeriesClip(p));
}

void DrawSeries(CPlotSeries& p, DeviceContext& dc, PointRange range, bool inset,
                const PreparedPlot* prepared) {
  CLineStyle line = SeriesStyle(p);
  const IRect clip = SeriesClip(p);
  const std::int64_t left = p.left, right = p.right;

  if (p.approximation == 0) {
    // 64-bit: a window index computed from hostile x values may be INT32_MIN.
    if (std::int64_t{range.last} - range.first < 1) return;
    // One pen and one clip for the whole chain instead of one per segment: same pixels.
    PolylineStroker stroker(line, clip, dc);
    if (Fits(prepared, p, range))
      stroker.Replay(prepared->stroke);
    else
      stroker.AddTruncated(p.devicePoints.data() + range.first, range.last - range.first + 1);
    stroker.Finish();
  } else if (p.approximation == 1) {
    const std::int32_t xa = Saturate(inset ? left + 10 : left);
    const std::int32_t xb = Saturate(inset ? right - 10 : right);
    const double ya = p.devSlope * xa + p.devIntercept;
    const double yb = p.devSlope * xb + p.devIntercept;
    line.DrawLineClipped(xa, TruncToInt32(ya), xb, TruncToInt32(yb), clip, dc);
  } else {
    const double x0 = static_cast<double>(inset ? left + 10 : left);
    const std::int64_t steps = (inset ? right - left - 20 : right - left) / 4;
    auto curve = [&](double x) { return (p.devA * x + p.devB) * x + p.devC; };
    for (std::int64_t i = 0; i < steps; ++i) {
      const double x = x0 + 4.0 * static_cast<double>(i);
      line.DrawLineClipped(TruncToInt32(x), TruncToInt32(curve(x)), TruncToInt32(x + 4),
                           TruncToInt32(curve(x + 4)), clip, dc);
    }
  }
}

void DrawMarkers(const CPlotSeries& p, DeviceContext& dc, PointRange range, ObjHandle brush) {
  const double left = p.left, right = p.right;
  const std::int64_t s = p.pointSize;
  const DPoint* d = p.devicePoints.data();
  // Repeating the same square (or pixel) changes nothing; dense data repeats a lot.
  bool havePrevious = false;
  IPoint previous{0, 0};
  for (std::int32_t k = range.first; k <= range.last; ++k) {
    if (!(left <= d[k].X && d[k].X <= right)) continue;
    const IPoint c = DevicePixel(d[k]);
    if (havePrevious && c.x == previous.x && c.y == previous.y) continue;
    havePrevious = true;
    previous = c;
    if (s > 0) {
      const IRect rc{Saturate(c.x - s), Saturate(c.y - s), Saturate(c.x + s), Saturate(c.y + s)};
      if (brush) dc.FillRect(rc, brush);
    } else {
      dc.SetPixelV(c.x, c.y, p.pointColor);
    }
  }
}

void DrawPoints(CPlotSeries& p, DeviceContext& dc, PointRange range, bool inset,
                const PreparedPlot* prepared) {
  const ObjHandle brush = dc.CreateSolidBrush(p.pointColor);
  if (p.refitPending) {
    p.Refit();
    p.refitPending = 0;
  }
  DrawSeries(p, dc, range, inset, prepared);
  if (p.pointVisible) DrawMarkers(p, dc, range, brush);
  if (brush) dc.DeleteObject(brush);
}

PointRange AllPoints(const CPlotSeries& p) { return PointRange{0, p.devicePoints.count() - 1}; }

// Window indices beyond the stored points are skipped.
PointRange SegmentPoints(const CPlotSeries& p) {
  return PointRange{std::max<std::int32_t>(p.firstIndex, 0),
                    std::min<std::int32_t>(p.lastIndex, p.devicePoints.count() - 1)};
}

// The points DrawPlot draws and whether the fits are inset; false for a plot not drawn.
bool DrawnRange(const CPlotSeries& p, PointRange* range, bool* inset) {
  if (!p.visible || (p.segmentOnly != 0 && p.segmentOnly != 1)) return false;
  *inset = p.segmentOnly == 0;
  *range = *inset ? AllPoints(p) : SegmentPoints(p);
  return true;
}

}  // namespace

void CPlotSeries::DrawPlot(DeviceContext& dc, const PreparedPlot* prepared) {
  PointRange range{0, -1};
  bool inset = false;
  if (DrawnRange(*this, &range, &inset)) DrawPoints(*this, dc, range, inset, prepared);
}

void CPlotSeries::DrawAllPoints(DeviceContext& dc, const PreparedPlot* prepared) {
  DrawPoints(*this, dc, AllPoints(*this), true, prepared);
}

void CPlotSeries::DrawSegment(DeviceContext& dc, const PreparedPlot* prepared) {
  DrawPoints(*this, dc, SegmentPoints(*this), false, prepared);
}

void CPlotSeries::PrepareDraw(PreparedPlot* out) {
  out->ready = false;
  PointRange range{0, -1};
  bool inset = false;
  if (!DrawnRange(*this, &range, &inset)) return;
  if (refitPending) {
    Refit();
    refitPending = 0;
  }
  if (approximation != 0 || std::int64_t{range.last} - range.first < 1) return;
  try {
    out->stroke.Clear();
    PolylineStroker stroker(SeriesStyle(*this), SeriesClip(*this), out->stroke);
    stroker.AddTruncated(devicePoints.data() + range.first, range.last - range.first + 1);
    stroker.Finish();
  } catch (...) {
    out->stroke.Clear();
    return;  // no memory for the recording: DrawPlot works the polyline out itself
  }
  out->data = devicePoints.data();
  out->first = range.first;
  out->last = range.last;
  out->width = SanitizeLineWidth(plotWidth);
  out->clip = SeriesClip(*this);
  out->ready = true;
}

}  // namespace corvane
