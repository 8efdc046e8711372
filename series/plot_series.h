// CPlotSeries: one of the chart's eight data series -- its points, their device positions
// from the last layout pass, its fits, its segment window and its appearance.
#pragma once
#include <cstdint>

#include "platform/dc.h"
#include "platform/geometry.h"
#include "platform/growable_array.h"
#include "platform/hit_geometry.h"
#include "overlays/polyline_stroker.h"

namespace corvane {

class CChartGrid;

// The sums of the least-squares fits, accumulated in point order; the linear fits use s2,
// s1, t1 and t0.
struct FitSums {
  double s4 = 0, s3 = 0, s2 = 0, s1 = 0, t2 = 0, t1 = 0, t0 = 0;
};

// The fits' sums the layout pass gathered while it mapped a plot, and what they were
// gathered over: a refit takes them only while all of it still holds.
struct KeptFitSums {
  bool valid = false;
  const DPoint* data = nullptr;
  std::int32_t count = 0;
  WorldWindow world;
  std::int32_t left = 0, right = 0, top = 0, bottom = 0;
  FitSums worldSums, deviceSums;
};

// A plot's polyline worked out ahead of drawing, on any thread (see PrepareDraw), and what
// it was worked out for: drawing replays it only while all of that still holds.
struct PreparedPlot {
  bool ready = false;
  const DPoint* data = nullptr;
  std::int32_t first = 0, last = 0, width = 0;
  IRect clip{};
  StrokeRecording stroke;
};

// The device-space coefficients a drawing of the plot uses: y = slope x + intercept, and
// y = (a x + b) x + c.
struct DeviceFit {
  double slope = 0, intercept = 0;
  double a = 0, b = 0, c = 0;
};

// What a hit test found on one plot.
struct PlotHit {
  RecordHit hit;
  bool onLine = false;      // the polyline or the fitted curve rather than a point
  std::int32_t index = -1;  // 0-based point, or a segment's first point; -1 on the fitted curve
};

class CPlotSeries {
 public:
  // Appends (X, Y) and a (0, 0) device position; drops the point whole if either array
  // cannot grow. Sets refitPending either way.
  void AddPoint(double x, double y);
  // Appends n points at once, exactly as n AddPoint calls would when storage suffices; with
  // x null the X values are the implicit 1-based numbers AddPointToPlot2 gives. All or
  // nothing: returns false and changes nothing when n < 0, a pointer is missing for n > 0, or
  // the arrays cannot grow to hold them all (the plot holds at most kMaxPoints). n = 0 is a
  // no-op that returns true.
  bool AddPoints(const double* x, const double* y, std::int32_t n);
  static constexpr std::int32_t kMaxPoints = std::int32_t{1} << 30;
  // Frees both point arrays, zeroes `world`, sets refitPending; settings and fits stay.
  void Dispose();
  // Stores the plot area, then maps the points (all, or the segment window) with `world`.
  void MapToDevice(std::int32_t left, std::int32_t right, std::int32_t top, std::int32_t bottom);
  // MapToDevice, gathering in the same pass over the points the sums RefitAll would compute
  // (in point order, so they are bit for bit the same); the next Refit takes them.
  void MapAndSum(std::int32_t left, std::int32_t right, std::int32_t top, std::int32_t bottom);

  // Least-squares fits; each leaves its coefficients unchanged when it cannot be computed.
  void FitDeviceLinear();
  void FitWorldLinear();
  void FitDeviceQuadratic();
  void FitWorldQuadratic();
  void RefitAll();  // device quadratic, world quadratic, device linear, world linear
  // RefitAll, solved from the layout's kept sums when they still describe the points and
  // the window; the kept sums are used up either way.
  void Refit();
  // The device fit the next drawing uses: the stored one, or while a refit is pending the
  // one that refit will store. Stores nothing, so GetA and friends keep the last fit.
  DeviceFit DeviceFitToDraw() const;
  // World coefficient of the current mode truncated to the grid's decimals.
  double GetA() const;
  double GetB() const;
  double GetC() const;

  // Drawing: nothing when hidden; all points, or the segment window of the user-type grid.
  // With `prepared` (made by PrepareDraw since the plot last changed), the polyline is
  // replayed from it: the same calls, the same pixels.
  void DrawPlot(DeviceContext& dc, const PreparedPlot* prepared = nullptr);
  void DrawAllPoints(DeviceContext& dc, const PreparedPlot* prepared = nullptr);
  void DrawSegment(DeviceContext& dc, const PreparedPlot* prepared = nullptr);
  // What of the plot DrawPlot would paint lies within probe.radius of the probe: the nearest
  // point (markers, or the polyline's vertices) first, else the polyline or the fitted curve,
  // each cut to the plot area and widened by half the pen; ties go to the later point.
  PlotHit HitTest(const HitProbe& probe) const;
  // The part of DrawPlot that needs no device context: the pending refit, and the polyline
  // worked out into *out. Safe on a worker thread while no other thread uses this plot; on
  // failure (no memory) *out is left not ready and DrawPlot works the polyline out itself.
  void PrepareDraw(PreparedPlot* out);

  GrowableArray<DPoint> points;
  GrowableArray<DPoint> devicePoints;
  std::uint8_t refitPending = 0;
  KeptFitSums keptSums;
  const CChartGrid* grid = nullptr;
  double devC = 0, devB = 0, devA = 0;
  double devSlope = 0, devIntercept = 0;
  double quadC = 0, quadB = 0, quadA = 0;
  double linSlope = 0, linIntercept = 0;
  std::int32_t firstIndex = 0, lastIndex = 0;
  std::int32_t segmentOnly = 0;
  WorldWindow world;
  std::int32_t right = -100, left = 100, top = 100, bottom = -100;
  std::int32_t pointSize = 2;
  Color pointColor = 0x000000;
  std::uint8_t pointVisible = 0;
  std::int32_t approximation = 1;
  Color plotColor = 0x0000FF;
  std::int32_t plotWidth = 2;
  std::uint8_t visible = 1;
};

}  // namespace corvane
