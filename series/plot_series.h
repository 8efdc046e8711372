// CPlotSeries: one of the chart's eight data series -- its points, the layout copies they are
// drawn with, its fits, its segment window and its appearance. Device positions are worked
// out where they are drawn, from the layout copies; a plot whose X never decreases is drawn
// from the min/max summary of its points, a pixel column at a time.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/dc.h"
#include "platform/geometry.h"
#include "platform/hit_geometry.h"
#include "platform/pixel_scale.h"
#include "overlays/polyline_stroker.h"
#include "series/fit_sums.h"
#include "series/plot_mapping.h"
#include "series/plot_points.h"

namespace corvane {

class CChartGrid;

// The device fits' sums and what they were gathered over: they grow with appended points
// while the mapping stays and no point leaves.
struct DeviceFitSums {
  bool valid = false;
  PlotMapping mapping;
  std::uint64_t epoch = 0;
  std::int64_t appended = 0;  // PlotPoints::appended() when the last point was taken
  FitSums sums;
};

// What a plot's drawing depends on beyond its appearance: a drawing worked out for one of
// these is replayed only for an equal one.
struct PlotDrawKey {
  const void* storage = nullptr;
  std::int64_t appended = 0;
  std::uint64_t epoch = 0;
  std::int32_t count = 0, first = 0, last = -1, width = 0, pointSize = 0;
  std::uint8_t markers = 0;
  IRect clip{};
  WorldWindow world;
  AxisLogs logs;
  bool operator==(const PlotDrawKey& o) const;
};

// A plot's polyline and markers worked out ahead of drawing, on any thread (see
// PrepareDraw): drawing replays them while the key still holds.
struct PreparedPlot {
  bool ready = false;
  PlotDrawKey key;
  StrokeRecording stroke;
  std::vector<IPoint> markers;  // marker centres, each once
};

// The index range [first, last] of points (empty when first > last).
struct PointIndexRange {
  std::int32_t first = 0, last = -1;
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
  // Appends (X, Y); drops the point whole if storage cannot grow. Sets refitPending either
  // way. Past the capacity the oldest point goes.
  void AddPoint(double x, double y);
  // Appends n points at once, exactly as n AddPoint calls would when storage suffices; with
  // x null the X values number on from the points appended since the plot was last emptied
  // (AddPointToPlot2). All or nothing: returns false and changes nothing when n < 0, a
  // pointer is missing for n > 0, or storage cannot grow to hold them all (the plot holds at
  // most kMaxPoints). n = 0 is a no-op that returns true.
  bool AddPoints(const double* x, const double* y, std::int32_t n);
  static constexpr std::int32_t kMaxPoints = PlotPoints::kMaxPoints;
  // Frees the points, zeroes `world`, sets refitPending; settings (the capacity too) and
  // fits stay.
  void Dispose();
  // The most points kept (0: all); lowering it drops the oldest at once. Returns whether
  // points were dropped (refitPending is then set).
  bool SetCapacity(std::int32_t n);
  std::int32_t capacity() const { return points.limit(); }
  // Stores the plot area copy the drawing maps with (under `world`); sets refitPending when
  // there are points and `world` can be mapped.
  void MapToDevice(std::int32_t left, std::int32_t right, std::int32_t top, std::int32_t bottom);

  // ---- What a hit test or a read-back asks, whatever the storage ------------------------
  // The kept points, oldest first, k in 0..KeptCount() - 1.
  std::int32_t KeptCount() const { return points.count(); }
  DPoint PointAt(std::int32_t k) const { return points[k]; }
  // Whether X has never decreased (and never been NaN) since the plot was last emptied.
  bool XOrdered() const { return points.ordered(); }
  // The points whose X lies in [xlo, xhi]: by binary search when X is ordered; otherwise
  // all kept points (the caller tests each). Empty when xlo > xhi or either is NaN.
  PointIndexRange PointsWithXIn(double xlo, double xhi) const;
  // The extremes of the finite Y among points first..last (cut to the kept points): false,
  // leaving *lo and *hi alone, when there is none.
  bool YExtremes(std::int32_t first, std::int32_t last, double* lo, double* hi) const;

  // Least-squares fits; each leaves its coefficients unchanged when it cannot be computed.
  void FitDeviceLinear();
  void FitWorldLinear();
  void FitDeviceQuadratic();
  void FitWorldQuadratic();
  void RefitAll();  // device quadratic, world quadratic, device linear, world linear
  // The refit of a render: RefitAll in a fitted mode, nothing for a polyline (the device
  // fits need a pass over the points whenever the mapping changes; the mode calls fit at once).
  void Refit();
  // The device fit the next drawing uses: the stored one, or while a refit is pending the
  // one that refit will store. Stores nothing, so GetA and friends keep the last fit.
  DeviceFit DeviceFitToDraw() const;
  // On a logarithmic axis the fitted line or parabola is the world fit's curve through the
  // mapping (a device fit would be a fit of the logarithms); elsewhere the device fit.
  bool DrawsWorldFit() const { return approximation != 0 && (logs.x || logs.y); }
  // The world fit the next drawing uses, as DeviceFitToDraw gives the device one.
  DeviceFit WorldFitToDraw() const;
  // The current mode's curve of a fit at x: slope x + intercept, or (a x + b) x + c.
  double FitAt(const DeviceFit& fit, double x) const {
    return approximation == 2 ? (fit.a * x + fit.b) * x + fit.c : fit.slope * x + fit.intercept;
  }
  // World coefficient of the current mode truncated to the grid's decimals.
  double GetA() const;
  double GetB() const;
  double GetC() const;

  // Drawing: nothing when hidden; all points, or the segment window of the user-type grid.
  // With `prepared` (made by PrepareDraw since the plot last changed), the polyline and the
  // markers are replayed from it: the same pixels.
  void DrawPlot(DeviceContext& dc, const PreparedPlot* prepared = nullptr);
  void DrawAllPoints(DeviceContext& dc, const PreparedPlot* prepared = nullptr);
  void DrawSegment(DeviceContext& dc, const PreparedPlot* prepared = nullptr);
  // What of the plot DrawPlot would paint lies within probe.radius of the probe: the nearest
  // point (markers, or the polyline's vertices) first, else the polyline or the fitted curve,
  // each cut to the plot area and widened by half the pen; ties go to the later point.
  PlotHit HitTest(const HitProbe& probe) const;
  // The part of DrawPlot that needs no device context: the pending refit, and the polyline
  // and markers worked out into *out. Safe on a worker thread while no other thread uses
  // this plot; on failure (no memory) *out is left not ready and DrawPlot works them out
  // itself.
  void PrepareDraw(PreparedPlot* out);

  // The points and what is kept about them (series code only: others use the queries above).
  PlotPoints points;
  std::uint8_t refitPending = 0;
  DeviceFitSums deviceSums;
  const CChartGrid* grid = nullptr;
  double devC = 0, devB = 0, devA = 0;
  double devSlope = 0, devIntercept = 0;
  double quadC = 0, quadB = 0, quadA = 0;
  double linSlope = 0, linIntercept = 0;
  std::int32_t firstIndex = 0, lastIndex = 0;
  std::int32_t segmentOnly = 0;
  WorldWindow world;
  AxisLogs logs;  // the layout's logarithmic axes, beside the window copy
  std::int32_t right = -100, left = 100, top = 100, bottom = -100;
  std::int32_t pointSize = 2;
  Color pointColor = 0x000000;
  std::uint8_t pointVisible = 0;
  std::int32_t approximation = 1;
  Color plotColor = 0x0000FF;
  std::int32_t plotWidth = 2;
  std::uint8_t visible = 1;
  // The layout's pixel scale: pen width, marker size and the fits' inset grow with it.
  PixelScale scale;
  // How far inside the plot area the fits run on the default grid, in device pixels.
  std::int32_t FitInset() const { return scale(10); }
};

}  // namespace corvane
