// The world window's rules that need no engine: the repair of degenerate ranges, the axis
// origin, and the segment and scroll steps.
#include "series/world_window.h"

#include <cstdint>

#include "appearance/chart_grid.h"
#include "platform/geometry.h"
#include "series/plot_series.h"

namespace corvane {
namespace {

// Index arithmetic of the scroll steps, saturating instead of overflowing.
std::int32_t Step(std::int32_t v, int delta) {
  const std::int64_t r = std::int64_t{v} + delta;
  if (r > INT32_MAX) return INT32_MAX;
  if (r < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(r);
}

// The world value of an axis origin whose own value came out NaN (an infinite window end):
// the window end at the edge it sits on, or 0 when that end is no number either.
double EdgeValue(bool atHighEnd, double low, double high) {
  const double v = atHighEnd ? high : low;
  return v == v ? v : 0.0;
}

}  // namespace

void FinishWorldWindow(const VerticalRangeScan& scan, WorldWindow& world) {
  double ymin = scan.ymin, ymax = scan.ymax;
  const bool nothingScanned =
      ymin == VerticalRangeScan::kLowSentinel && ymax == VerticalRangeScan::kHighSentinel;
  bool applyMargin = scan.margin;
  if (nothingScanned) {
    // No data: the unit window (the sentinels would give a reversed 1.2e7 window once a
    // horizontal range is set).
    if (world.xmin == 0 && world.xmax == 0) {
      world.xmin = -1;
      world.xmax = 1;
    }
    ymin = -1;
    ymax = 1;
    applyMargin = false;
  }
  if (world.xmin == world.xmax) {
    world.xmin -= 1;
    world.xmax += 1;
  }
  if (ymax == ymin) {
    ymin -= 1;
    ymax += 1;
  } else if (applyMargin) {
    const double d = (ymax - ymin) * 0.1;
    ymax += d;
    ymin -= d;
  }
  world.ymin = ymin;
  world.ymax = ymax;
}

void CChartGrid::AxisOrigin() {
  // Differences in double: plot-area corners of an extreme SetSize must not overflow.
  const double w = static_cast<double>(right) - left;
  const double h = static_cast<double>(bottom) - top;
  const double dx = xmax - xmin;
  const double dy = ymax - ymin;

  // A position that is not a number (an infinite window end) falls back to the left or top
  // edge, where the clamps below put a saturated one too.
  const double px = left + (w / dx) * (-xmin);
  std::int32_t ox = px == px ? TruncToInt32(px) : left;
  if (ox < left) ox = left;
  if (ox > right) ox = right;
  originX = ox;
  if (xmin * xmax < 0)
    originWorldX = 0;
  else if (w != 0)
    originWorldX = xmin + (static_cast<double>(originX) - left) * (dx / w);
  else
    originWorldX = xmin;  // no width to measure along: the window's left end
  if (originWorldX != originWorldX) originWorldX = EdgeValue(originX == right, xmin, xmax);

  const double py = bottom + ((static_cast<double>(top) - bottom) / dy) * (-ymin);
  std::int32_t oy = py == py ? TruncToInt32(py) : top;
  if (oy < top) oy = top;
  if (oy > bottom) oy = bottom;
  originY = oy;
  if (ymin * ymax < 0)
    originWorldY = 0;
  else if (h != 0)
    originWorldY = ymax + (static_cast<double>(originY) - top) * ((ymin - ymax) / h);
  else
    originWorldY = ymax;
  if (originWorldY != originWorldY) originWorldY = EdgeValue(originY != bottom, ymin, ymax);
}

void SelectSegment(double a, double b, CPlotSeries* plots, std::int32_t active, CChartGrid& grid) {
  const std::int32_t first = TruncToInt32(a - 1.0);
  const std::int32_t last = TruncToInt32(b - 1.0);
  for (std::int32_t p = 0; p < active; ++p) {
    const std::int32_t n = plots[p].KeptCount();
    plots[p].firstIndex = first < 0 ? 0 : first;
    plots[p].lastIndex = last >= n ? n - 1 : last;
    plots[p].refitPending = 1;
  }
  const std::int32_t m = grid.labels.count();
  grid.firstLabel = first < 0 ? 0 : first;
  grid.lastLabel = last >= m ? m - 1 : last;
}

bool ScrollSegment(int direction, CPlotSeries* plots, std::int32_t active, CChartGrid& grid,
                   WorldWindow& world) {
  const std::int32_t m = grid.labels.count();
  const bool right = direction > 0;
  const int d = right ? 1 : -1;
  bool stepped = false;
  if (right ? std::int64_t{grid.lastLabel} + 1 < m : std::int64_t{grid.firstLabel} - 1 >= 0) {
    grid.firstLabel = Step(grid.firstLabel, d);
    grid.lastLabel = Step(grid.lastLabel, d);
    stepped = true;
  }
  if (grid.firstLabel < 0) grid.firstLabel = 0;
  if (grid.lastLabel >= m) grid.lastLabel = m - 1;
  if (!stepped) return false;

  world.xmin += d;
  world.xmax += d;
  for (std::int32_t p = 0; p < active; ++p) {
    CPlotSeries& plot = plots[p];
    const bool canMove = right ? std::int64_t{plot.lastIndex} + 1 < plot.KeptCount()
                               : std::int64_t{plot.firstIndex} - 1 >= 0;
    if (canMove) {
      plot.firstIndex = Step(plot.firstIndex, d);
      plot.lastIndex = Step(plot.lastIndex, d);
      plot.refitPending = 1;
    }
  }
  return true;
}

}  // namespace corvane
