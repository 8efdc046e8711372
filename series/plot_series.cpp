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
  keptSums.valid = false;
  // Both arrays get their room before either grows, so a failed allocation drops the point
  // whole and the two arrays never differ in length.
  if (!RoomForOne(points) || !RoomForOne(devicePoints)) return;
  points.Append(DPoint{x, y});
  devicePoints.AppendZeroed(1);
}

namespace {

// Room for `total` elements: doubling as single appends grow, or exactly the total when a
// bulk append needs more than that.
bool RoomFor(GrowableArray<DPoint>& a, std::int32_t total) {
  if (total <= a.capacity()) return true;
  const std::int64_t doubled = std::int64_t{a.capacity()} * 2;
  const std::int64_t wanted = doubled >= total && doubled <= CPlotSeries::kMaxPoints ? doubled : total;
  return a.Reserve(static_cast<std::int32_t>(wanted));
}

}  // namespace

bool CPlotSeries::AddPoints(const double* x, const double* y, std::int32_t n) {
  if (n < 0 || (n > 0 && !y)) return false;
  if (n == 0) return true;
  const std::int32_t first = points.count();
  if (n > kMaxPoints - first) return false;
  const std::int32_t total = first + n;
  if (!RoomFor(points, total) || !RoomFor(devicePoints, total)) return false;
  refitPending = 1;
  keptSums.valid = false;
  // Both arrays have room now: neither append below can fail.
  points.AppendInPlace(n, [&](DPoint* out) {
    if (x) {
      for (std::int32_t i = 0; i < n; ++i) out[i] = DPoint{x[i], y[i]};
    } else {
      const double base = static_cast<double>(first) + 1.0;
      for (std::int32_t i = 0; i < n; ++i) out[i] = DPoint{base + static_cast<double>(i), y[i]};
    }
  });
  devicePoints.AppendZeroed(n);
  return true;
}

void CPlotSeries::Dispose() {
  points.Clear();
  devicePoints.Clear();
  world = WorldWindow{};
  refitPending = 1;
  keptSums.valid = false;
}

}  // namespace corvane
