#include "series/plot_series.h"

#include <cstdint>

namespace corvane {

namespace {

// Makes sure one more element fits, growing by doubling as Append would.
bool RoomForOne(GrowableArray<DPoint>& a) {
  if (a.count() < a.capacity()) return true;
  if (a.capacity() >= INT32_MAX / 2) return false;
  return a.Reserve(a.capacity() == 0 ? 1 : a.capacity() * 2);
}

}  // namespace

void CPlotSeries::AddPoint(double x, double y) {
  refitPending = 1;
  // Both arrays get their room before either grows, so a failed allocation drops the point
  // whole and the two arrays never differ in length.
  if (!RoomForOne(points) || !RoomForOne(devicePoints)) return;
  points.Append(DPoint{x, y});
  devicePoints.Append(DPoint{0, 0});
}

void CPlotSeries::Dispose() {
  points.Clear();
  devicePoints.Clear();
  world = WorldWindow{};
  refitPending = 1;
}

}  // namespace corvane
