// CPlotSeries: one of the chart's eight data series -- its points, their device positions
// from the last layout pass, its fits, its segment window and its appearance.
#pragma once
#include <cstdint>

#include "platform/dc.h"
#include "platform/geometry.h"
#include "platform/growable_array.h"

namespace corvane {

class CChartGrid;

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

  // Least-squares fits; each leaves its coefficients unchanged when it cannot be computed.
  void FitDeviceLinear();
  void FitWorldLinear();
  void FitDeviceQuadratic();
  void FitWorldQuadratic();
  void RefitAll();  // device quadratic, world quadratic, device linear, world linear
  // World coefficient of the current mode truncated to the grid's decimals.
  double GetA() const;
  double GetB() const;
  double GetC() const;

  // Drawing: nothing when hidden; all points, or the segment window of the user-type grid.
  void DrawPlot(DeviceContext& dc);
  void DrawAllPoints(DeviceContext& dc);
  void DrawSegment(DeviceContext& dc);

  GrowableArray<DPoint> points;
  GrowableArray<DPoint> devicePoints;
  std::uint8_t refitPending = 0;
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
