#include "control/chart_hit.h"

#include "overlays/device_mapping.h"

namespace corvane {
namespace {

ChartHit Found(std::int32_t kind, std::int32_t index, const RecordHit& r) {
  ChartHit h;
  h.kind = kind;
  h.index = index;
  h.x = r.x;
  h.y = r.y;
  h.distance = r.distance;
  return h;
}

// The first record, from the last one back, that answers the probe.
template <typename Records, typename Ask>
bool TopmostOf(const Records& records, std::int32_t kind, Ask ask, ChartHit* out) {
  for (std::int32_t i = records.count() - 1; i >= 0; --i) {
    const RecordHit r = ask(records[i]);
    if (!r.found) continue;
    *out = Found(kind, i + 1, r);
    return true;
  }
  return false;
}

}  // namespace

ChartHit HitTestChart(const CChartEngine& e, DeviceContext& measure, const HitProbe& probe) {
  ChartHit hit;
  const IRect area = e.PlotArea();
  if (e.legendVisible) {
    double d = 0;
    const std::int32_t entry = e.legend.HitTest(measure, e.legendPosition, area.left, area.top,
                                                area.right, area.bottom, probe, &d);
    if (entry >= 0) {
      hit.kind = kHitLegendEntry;
      hit.index = entry + 1;
      hit.distance = d;
      return hit;
    }
  }
  for (std::int32_t p = e.ActivePlots() - 1; p >= 0; --p) {
    const PlotHit r = e.plots[p].HitTest(probe);
    if (!r.hit.found) continue;
    hit = Found(r.onLine ? kHitLine : kHitPoint, r.index + 1, r.hit);
    hit.plot = p + 1;
    return hit;
  }
  if (e.candlesticsVisible &&
      TopmostOf(e.candlesticks, kHitCandleStick,
                [&](const CCandleStick& c) { return c.HitTest(probe, area); }, &hit))
    return hit;
  if (TopmostOf(e.marks, kHitMark, [&](const CChartMark& m) { return m.HitTest(probe); }, &hit))
    return hit;
  if (TopmostOf(e.rectangles, kHitRectangle,
                [&](const CChartRect& r) { return r.HitTest(probe, area); }, &hit))
    return hit;
  // Polygons are drawn through the engine's own window, not a layout copy.
  DeviceMapping map;
  if (MakeDeviceMapping(e.world.xmin, e.world.xmax, e.world.ymin, e.world.ymax, area.left,
                        area.right, area.top, area.bottom, &map, e.logs) &&
      TopmostOf(e.polygons, kHitPolygon,
                [&](const CChartPolygon& poly) { return poly.HitTest(probe, map, area); }, &hit))
    return hit;
  return ChartHit{};
}

}  // namespace corvane
