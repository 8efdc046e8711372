#include "series/plot_series.h"

#include <cstdint>
#include <cstring>

#include "series/index_search.h"

namespace corvane {

void CPlotSeries::AddPoint(double x, double y) {
  refitPending = 1;
  points.Append(x, y);
}

bool CPlotSeries::AddPoints(const double* x, const double* y, std::int32_t n) {
  if (!points.Append(x, y, n)) return false;
  if (n > 0) refitPending = 1;
  return true;
}

void CPlotSeries::Dispose() {
  points.Clear();
  deviceSums.valid = false;
  world = WorldWindow{};
  refitPending = 1;
}

bool CPlotSeries::SetCapacity(std::int32_t n) {
  if (points.SetLimit(n) == 0) return false;
  refitPending = 1;
  return true;
}

void CPlotSeries::MapToDevice(std::int32_t l, std::int32_t r, std::int32_t t, std::int32_t b) {
  left = l;
  right = r;
  top = t;
  bottom = b;
  PlotMapping m;
  // The device fits follow every new mapping of points.
  if (points.count() > 0 && MakePlotMapping(world, l, r, t, b, &m, logs)) refitPending = 1;
}

PointIndexRange CPlotSeries::PointsWithXIn(double xlo, double xhi) const {
  const std::int32_t n = points.count();
  if (!(xlo <= xhi) || n == 0) return PointIndexRange{};
  if (!points.ordered()) return PointIndexRange{0, n - 1};
  const std::int32_t first = FirstWhere(0, n - 1, [&](std::int32_t k) { return points[k].X >= xlo; });
  const std::int32_t end = FirstWhere(first, n - 1, [&](std::int32_t k) { return points[k].X > xhi; });
  return PointIndexRange{first, end - 1};
}

bool CPlotSeries::YExtremes(std::int32_t first, std::int32_t last, double* lo, double* hi) const {
  if (first < 0) first = 0;
  if (last > points.count() - 1) last = points.count() - 1;
  const YSpan s = points.Extremes(first, last);
  if (s.empty()) return false;
  *lo = s.lo;
  *hi = s.hi;
  return true;
}

bool PlotDrawKey::operator==(const PlotDrawKey& o) const {
  auto same = [](const IRect& a, const IRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  };
  // Bit for bit: a window with a NaN end is the same window still.
  auto sameWorld = [](const WorldWindow& a, const WorldWindow& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
  };
  return storage == o.storage && appended == o.appended && epoch == o.epoch && count == o.count &&
         first == o.first && last == o.last && width == o.width && pointSize == o.pointSize &&
         markers == o.markers && same(clip, o.clip) && sameWorld(world, o.world) && logs == o.logs;
}

}  // namespace corvane
