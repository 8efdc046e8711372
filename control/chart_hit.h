// Hit testing of the whole chart: what the next render paints within a radius of a device
// position, the topmost first, as ICorvaneEx3::HitTest reports it. Each record answers for
// itself (its HitTest); this only asks them in reverse painting order.
#pragma once
#include <cstdint>

#include "control/chart_engine.h"
#include "platform/dc.h"
#include "platform/hit_geometry.h"

namespace corvane {

// The type library's CorvaneHitKind.
enum HitKind : std::int32_t {
  kHitNothing = 0,
  kHitPoint = 1,
  kHitLine = 2,  // a plot's polyline between two points, or its fitted curve
  kHitMark = 3,
  kHitCandleStick = 4,
  kHitRectangle = 5,
  kHitPolygon = 6,
  kHitLegendEntry = 7,
};

struct ChartHit {
  std::int32_t kind = kHitNothing;
  std::int32_t plot = 0;   // 1..8 for a point or a line, else 0
  std::int32_t index = 0;  // 1-based point (a segment's first), record or entry; 0 on a fit
  double x = 0, y = 0;     // world position of the nearest place (0, 0 for a legend entry)
  double distance = 0;     // in pixels
};

// The legend, then plots plotsCount..1, candlesticks, marks, rectangles and polygons, each
// kind from its last record to its first: the first within the radius wins. Within one plot
// its nearest point wins over its line. Reads the layout as it stands (the caller lays out
// first); `measure` measures the legend's texts. Throws std::bad_alloc when memory is short.
ChartHit HitTestChart(const CChartEngine& engine, DeviceContext& measure, const HitProbe& probe);

}  // namespace corvane
