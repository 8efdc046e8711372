#include "appearance/grid_own_ticks.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap_limits.h"
#include "platform/geometry.h"

namespace corvane {
namespace {

constexpr double kFrameGap = 5.0;

struct Labelled {
  std::int32_t pixel;
  double value;
  std::string text;
};

// The grid drawer's division of an extent: `lines` parts, at most one per pixel.
std::int64_t Parts(std::int64_t extent, std::int64_t lines) {
  if (extent <= 0 || lines <= 0) return 0;
  if (lines > extent) lines = extent;
  if (lines > kMaxBitmapSide) lines = kMaxBitmapSide;
  return lines;
}

// The value lines of one direction in the order the grid draws their labels. `toward`
// is the change of value per step away from the origin towards `low` (the top or the left).
void ValueLines(CChartGrid& g, bool vertical, std::vector<Labelled>* out) {
  const std::int32_t origin = vertical ? g.originY : g.originX;
  const std::int32_t low = vertical ? g.top : g.left, high = vertical ? g.bottom : g.right;
  const double originValue = vertical ? g.originWorldY : g.originWorldX;
  const double atLow = vertical ? g.ymax : g.xmin, atHigh = vertical ? g.ymin : g.xmax;
  out->push_back(Labelled{origin, originValue, g.FormatGridValue(originValue)});
  out->push_back(Labelled{high, atHigh, g.FormatGridValue(atHigh)});
  out->push_back(Labelled{low, atLow, g.FormatGridValue(atLow)});

  const std::int64_t extent = std::int64_t{high} - low;
  const std::int64_t parts = Parts(extent, vertical ? g.horizontalLines : g.verticalLines);
  if (parts == 0) return;
  const double step = static_cast<double>(extent) / static_cast<double>(parts);
  const double range = vertical ? g.ymax - g.ymin : g.xmax - g.xmin;
  const double toward = (vertical ? 1 : -1) * range / static_cast<double>(parts);
  double v = originValue;
  for (double p = origin - step; low + kFrameGap < p; p -= step) {
    v += toward;
    out->push_back(Labelled{TruncToInt32(p), v, g.FormatGridValue(v)});
  }
  v = originValue;
  for (double p = origin + step; p < high - kFrameGap; p += step) {
    v -= toward;
    out->push_back(Labelled{TruncToInt32(p), v, g.FormatGridValue(v)});
  }
}

void CategoryLines(const CChartGrid& g, std::vector<Labelled>* out) {
  const std::int64_t count = g.labels.count();
  if (count < 1) return;
  auto userLabel = [&](std::int64_t k, std::int32_t x) {
    if (k >= 0 && k < count)
      out->push_back(Labelled{x, static_cast<double>(k), g.labels[static_cast<std::int32_t>(k)]});
  };
  userLabel(g.firstLabel, g.left);
  userLabel(g.lastLabel, g.right);
  const std::int64_t span = std::int64_t{g.lastLabel} - g.firstLabel;
  const std::int64_t extent = std::int64_t{g.right} - g.left;
  const std::int64_t parts = Parts(extent, span < g.verticalLines ? span : g.verticalLines);
  if (span <= 0 || parts == 0) return;
  std::int64_t step =
      static_cast<std::int64_t>(static_cast<double>(span) / static_cast<double>(parts));
  const std::int64_t fewest = (span + extent - 1) / extent;
  if (step < fewest) step = fewest;
  double pixelStep = static_cast<double>(extent) / static_cast<double>(span) * step;
  while (pixelStep < 1.0)
    pixelStep = static_cast<double>(extent) / static_cast<double>(span) * ++step;
  std::int64_t k = g.firstLabel;
  for (double x = g.left + pixelStep; x < g.right - kFrameGap; x += pixelStep) {
    k += step;
    if (k >= count) break;
    userLabel(k, TruncToInt32(x));
  }
}

}  // namespace

AxisTicks GridOwnTicks(CChartGrid& grid, bool vertical) {
  std::vector<Labelled> drawn;
  if (!vertical && grid.gridType == 1)
    CategoryLines(grid, &drawn);
  else
    ValueLines(grid, vertical, &drawn);

  // One label per pixel, the first drawn there; then along the axis, up for the vertical one.
  std::stable_sort(drawn.begin(), drawn.end(),
                   [](const Labelled& a, const Labelled& b) { return a.pixel < b.pixel; });
  drawn.erase(std::unique(drawn.begin(), drawn.end(),
                          [](const Labelled& a, const Labelled& b) { return a.pixel == b.pixel; }),
              drawn.end());
  if (vertical) std::reverse(drawn.begin(), drawn.end());
  AxisTicks ticks;
  ticks.from = vertical ? grid.ymin : grid.xmin;
  ticks.to = vertical ? grid.ymax : grid.xmax;
  for (Labelled& l : drawn) {
    ticks.major.push_back(l.value);
    ticks.labels.push_back(std::move(l.text));
  }
  return ticks;
}

}  // namespace corvane
