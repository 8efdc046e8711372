// Drawing of one plot: its polyline, fitted line or parabola, then its point markers.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "overlays/line_style.h"
#include "overlays/polyline_stroker.h"
#include "series/column_walk.h"
#include "series/plot_series.h"

namespace corvane {

namespace {

std::int32_t Saturate(std::int64_t v) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

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
  line.scale = p.scale;
  return line;
}

IRect SeriesClip(const CPlotSeries& p) { return IRect{p.left, p.top, p.right, p.bottom}; }

bool MappingOf(const CPlotSeries& p, PlotMapping* m) {
  return MakePlotMapping(p.world, p.left, p.right, p.top, p.bottom, m, p.logs);
}

// What the polyline and the markers of `range` depend on beyond colour.
PlotDrawKey KeyOf(const CPlotSeries& p, PointRange range) {
  PlotDrawKey k;
  k.storage = p.points.ring().slots();
  k.appended = p.points.appended();
  k.epoch = p.points.epoch();
  k.count = p.points.count();
  k.first = range.first;
  k.last = range.last;
  k.width = p.scale(SanitizeLineWidth(p.plotWidth));
  k.pointSize = p.scale(p.pointSize);
  k.markers = p.pointVisible;
  k.clip = SeriesClip(p);
  k.world = p.world;
  k.logs = p.logs;
  return k;
}

// Whether `prepared` holds this plot's polyline and markers for this range.
bool Fits(const PreparedPlot* prepared, const CPlotSeries& p, PointRange range) {
  return prepared && prepared->ready && prepared->key == KeyOf(p, range);
}

// The polyline of the points in `range`; false when they cannot be placed (a window empty on
// an axis).
bool StrokePolyline(const CPlotSeries& p, PointRange range, PolylineStroker& stroker) {
  PlotMapping m;
  if (!MappingOf(p, &m)) return false;
  StrokePlotPoints(p.points, m, range.first, range.last,
                   p.scale(SanitizeLineWidth(p.plotWidth)) == 1, stroker);
  return true;
}

void DrawSeries(CPlotSeries& p, DeviceContext& dc, PointRange range, bool inset,
                const PreparedPlot* prepared) {
  CLineStyle line = SeriesStyle(p);
  const IRect clip = SeriesClip(p);
  const std::int64_t left = p.left, right = p.right;

  if (p.approximation == 0) {
    // 64-bit: a window index computed from hostile x values may be INT32_MIN.
    if (std::int64_t{range.last} - range.first < 1) return;
    PlotMapping m;
    if (!MappingOf(p, &m)) return;  // the points have no place
    // One pen and one clip for every chain instead of one per segment: same pixels.
    PolylineStroker stroker(line, clip, dc);
    if (Fits(prepared, p, range))
      stroker.Replay(prepared->stroke);
    else
      StrokePolyline(p, range, stroker);
    stroker.Finish();
  } else if (p.DrawsWorldFit()) {
    PlotMapping m;
    if (!MappingOf(p, &m) || m.sx == 0) return;
    // 4-pixel chords of the world curve mapped; a chord with an end the axes leave out is
    // not drawn, so the curve breaks where it goes to 0 or below on a logarithmic axis.
    const double x0 = static_cast<double>(inset ? left + p.FitInset() : left);
    const std::int64_t steps = (inset ? right - left - 2 * p.FitInset() : right - left) / 4;
    const DeviceFit fit = p.WorldFitToDraw();  // refitted above
    auto curve = [&](double x) { return m.Y(p.FitAt(fit, m.WorldX(x))); };
    for (std::int64_t i = 0; i < steps; ++i) {
      const double x = x0 + 4.0 * static_cast<double>(i);
      const double ya = curve(x), yb = curve(x + 4);
      if (!std::isfinite(ya) || !std::isfinite(yb)) continue;
      line.DrawLineClipped(TruncToInt32(x), TruncToInt32(ya), TruncToInt32(x + 4),
                           TruncToInt32(yb), clip, dc);
    }
  } else if (p.approximation == 1) {
    const std::int32_t xa = Saturate(inset ? left + p.FitInset() : left);
    const std::int32_t xb = Saturate(inset ? right - p.FitInset() : right);
    const double ya = p.devSlope * xa + p.devIntercept;
    const double yb = p.devSlope * xb + p.devIntercept;
    line.DrawLineClipped(xa, TruncToInt32(ya), xb, TruncToInt32(yb), clip, dc);
  } else {
    const double x0 = static_cast<double>(inset ? left + p.FitInset() : left);
    const std::int64_t steps = (inset ? right - left - 2 * p.FitInset() : right - left) / 4;
    auto curve = [&](double x) { return (p.devA * x + p.devB) * x + p.devC; };
    for (std::int64_t i = 0; i < steps; ++i) {
      const double x = x0 + 4.0 * static_cast<double>(i);
      line.DrawLineClipped(TruncToInt32(x), TruncToInt32(curve(x)), TruncToInt32(x + 4),
                           TruncToInt32(curve(x + 4)), clip, dc);
    }
  }
}

// Squares (or pixels) at the marker centres; repeating one changes nothing.
class MarkerPainter final : public MarkerSink {
 public:
  MarkerPainter(const CPlotSeries& p, DeviceContext& dc, ObjHandle brush)
      : dc_(dc), brush_(brush), size_(p.scale(p.pointSize)), color_(p.pointColor) {}
  void Marker(IPoint c) override {
    if (size_ > 0) {
      const IRect rc{Saturate(c.x - size_), Saturate(c.y - size_), Saturate(c.x + size_),
                     Saturate(c.y + size_)};
      if (brush_) dc_.FillRect(rc, brush_);
    } else {
      dc_.SetPixelV(c.x, c.y, color_);
    }
  }

 private:
  DeviceContext& dc_;
  ObjHandle brush_;
  std::int64_t size_;
  Color color_;
};

class MarkerList final : public MarkerSink {
 public:
  explicit MarkerList(std::vector<IPoint>& out) : out_(out) {}
  void Marker(IPoint c) override { out_.push_back(c); }

 private:
  std::vector<IPoint>& out_;
};

// The markers of the points in `range` whose device x lies in the plot area's columns.
void CollectMarkers(const CPlotSeries& p, PointRange range, MarkerSink& sink) {
  PlotMapping m;
  if (!MappingOf(p, &m)) return;
  CollectPlotMarkers(p.points, m, range.first, range.last, p.left, p.right, sink);
}

void DrawMarkers(const CPlotSeries& p, DeviceContext& dc, PointRange range, ObjHandle brush,
                 const PreparedPlot* prepared) {
  MarkerPainter painter(p, dc, brush);
  if (Fits(prepared, p, range)) {
    for (const IPoint& c : prepared->markers) painter.Marker(c);
    return;
  }
  CollectMarkers(p, range, painter);
}

void DrawPoints(CPlotSeries& p, DeviceContext& dc, PointRange range, bool inset,
                const PreparedPlot* prepared) {
  const ObjHandle brush = dc.CreateSolidBrush(p.pointColor);
  if (p.refitPending) {
    p.Refit();
    p.refitPending = 0;
  }
  DrawSeries(p, dc, range, inset, prepared);
  if (p.pointVisible) DrawMarkers(p, dc, range, brush, prepared);
  if (brush) dc.DeleteObject(brush);
}

PointRange AllPoints(const CPlotSeries& p) { return PointRange{0, p.points.count() - 1}; }

// Window indices beyond the stored points are skipped.
PointRange SegmentPoints(const CPlotSeries& p) {
  return PointRange{std::max<std::int32_t>(p.firstIndex, 0),
                    std::min<std::int32_t>(p.lastIndex, p.points.count() - 1)};
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
  try {
    out->stroke.Clear();
    out->markers.clear();
    if (approximation == 0 && std::int64_t{range.last} - range.first >= 1) {
      PolylineStroker stroker(SeriesStyle(*this), SeriesClip(*this), out->stroke);
      StrokePolyline(*this, range, stroker);
      stroker.Finish();
    }
    if (pointVisible) {
      MarkerList list(out->markers);
      CollectMarkers(*this, range, list);
    }
  } catch (...) {
    out->stroke.Clear();
    out->markers.clear();
    return;  // no memory for the recording: DrawPlot works it out itself
  }
  out->key = KeyOf(*this, range);
  out->ready = true;
}

}  // namespace corvane
