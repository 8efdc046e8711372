// RenderChart: the whole chart in one pass, in a fixed painting order, with the layout pass
// (layout_pass.cpp) in front of the drawers whenever the layout is stale; and the
// engine-level drawers.
#include <cstdint>

#include "appearance/axis_grid_draw.h"
#include "control/chart_engine.h"
#include "overlays/device_mapping.h"
#include "overlays/line_style.h"
#include "platform/geometry.h"

namespace corvane {
namespace {

// Pixel arithmetic on unchecked settings (arrow head length, caption extents, picture
// width): computed wide, saturated into int32.
std::int32_t Sat(std::int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(v);
}

bool DropsVertex(const DeviceMapping& map, const CChartPolygon& poly) {
  for (const DPoint& pt : poly.points)
    if (map.Drops(pt.X, pt.Y)) return true;
  return false;
}

}  // namespace

void CChartEngine::RenderChart(DeviceContext* dc) {
  if (!dc) return;
  SpreadPixelScale();
  background.PaintBackground(*dc);
  if (captionVisible) DrawCaption(*dc);
  if (layoutDirty) LayoutPass(&dc->System());
  DrawAxisArrows(*dc);
  DrawAxisCaptions(*dc);
  DrawGrid(*dc);
  DrawPolygons(*dc);
  DrawRectangles(*dc);
  DrawLines(*dc);
  DrawMarks(*dc);
  // Again, so that the arrows lie on the overlays but under candlesticks, plots and legend.
  DrawAxisArrows(*dc);
  DrawCandleSticks(*dc);
  DrawPlots(*dc);
  DrawLegend(*dc);
}

void CChartEngine::DrawCaption(DeviceContext& dc) {
  if (!captionVisible) return;
  const TextSize size = captionLabel.Measure(dc);
  // Integer division truncating toward zero: a caption wider than the picture starts left
  // of it.
  captionLabel.Draw(Sat((std::int64_t{width} - size.cx) / 2), pixelScale(10), dc);
}

void CChartEngine::DrawAxisArrows(DeviceContext& dc) {
  if (!arrowVisible) return;
  const IRect area = PlotArea();
  const PixelScale& s = pixelScale;
  yArrow.DrawLine(grid.originX, area.bottom, grid.originX,
                  Sat(std::int64_t{area.top} - s(yArrow.headLength) - s(7)), dc);
  xArrow.DrawLine(area.left, grid.originY,
                  Sat(std::int64_t{area.right} + s(xArrow.headLength) + s(7)), grid.originY, dc);
}

void CChartEngine::DrawAxisCaptions(DeviceContext& dc) {
  if (!arrowVisible) return;
  const IRect area = PlotArea();
  const PixelScale& s = pixelScale;

  const TextSize ySize = yAxisCaption.Measure(dc);
  std::int64_t x = std::int64_t{grid.originX} - ySize.cx / 2;
  if (x < 0) x = 1;
  if (x + ySize.cx > width) x = std::int64_t{width} - ySize.cx - 1;
  std::int64_t y = std::int64_t{area.top} - s(yArrow.headLength) - ySize.cy - s(7);
  yAxisCaption.Draw(Sat(x), Sat(y), dc);

  const TextSize xSize = xAxisCaption.Measure(dc);
  x = std::int64_t{area.right} + s(2);
  if (x + xSize.cx > width) x = std::int64_t{width} - xSize.cx - 1;
  y = std::int64_t{grid.originY} + s(xArrow.headHalfWidth) + s(2);
  xAxisCaption.Draw(Sat(x), Sat(y), dc);
}

void CChartEngine::DrawGrid(DeviceContext& dc) {
  if (!XTicked() && !YTicked()) {
    grid.DrawGrid(dc);
    return;
  }
  // Axes of types 1 to 4 at their ticks, through the mapping the drawers use; an axis whose
  // window cannot be mapped keeps its frame and draws no ticks.
  const IRect area = PlotArea();
  static const AxisTicks kNone;
  AxisGridDirection x, y;
  if (XTicked())
    x.ticks = AxisMapping::Make(logs.x ? AxisScale::Logarithmic() : AxisScale(), world.xmin,
                                world.xmax, area.left, area.right, &x.mapping)
                  ? &xTicks
                  : &kNone;
  if (YTicked())
    y.ticks = AxisMapping::Make(logs.y ? AxisScale::Logarithmic() : AxisScale(), world.ymin,
                                world.ymax, area.bottom, area.top, &y.mapping)
                  ? &yTicks
                  : &kNone;
  DrawAxisGrid(grid, x, y, dc);
}

void CChartEngine::DrawPolygons(DeviceContext& dc) {
  if (polygons.empty()) return;
  // Polygons take the engine's own window and area at drawing time, not layout copies; a
  // window that cannot be mapped draws none of them, as it draws no rectangle.
  const IRect clip = PlotArea();
  DeviceMapping map;
  if (!MakeDeviceMapping(world.xmin, world.xmax, world.ymin, world.ymax, clip.left, clip.right,
                         clip.top, clip.bottom, &map, logs))
    return;

  // Fill k, then border k, each clipped to the plot area. Every fill puts back the clip it
  // found, so one plot-area clip serves them all with the same pixels as a clip per call.
  CChartPolygon scratch;
  BlendSurface blend(dc);
  WithClipRect(clip, dc, [&] {
    for (const CChartPolygon& poly : polygons) {
      // A hidden polygon is left out altogether, border included.
      if (!poly.visible || poly.points.count() < 3) continue;
      // A vertex a logarithmic axis leaves out has no place: the polygon is not drawn.
      if ((logs.x || logs.y) && DropsVertex(map, poly)) continue;
      CopyFillAndBorder(poly, &scratch);
      scratch.points.Clear();
      if (!scratch.points.Reserve(poly.points.count())) continue;
      for (const DPoint& pt : poly.points)
        scratch.points.Append(DPoint{map.X(pt.X), map.Y(pt.Y)});
      scratch.FillPolygon(dc, &blend);
      scratch.DrawPolygonBorder(dc);
    }
  });
}

void CChartEngine::DrawRectangles(DeviceContext& dc) {
  if (rectangles.empty()) return;
  // The clip of the current size, set once: each rectangle leaves the clip as it found it.
  BlendSurface blend(dc);
  WithClipRect(PlotArea(), dc, [&] {
    for (CChartRect& rect : rectangles) rect.DrawWith(dc, &blend);
  });
}

void CChartEngine::DrawLines(DeviceContext& dc) {
  for (CChartLine& line : lines) line.Draw(dc);
}

void CChartEngine::DrawMarks(DeviceContext& dc) {
  if (marks.empty()) return;
  // Every mark's labels take the grid's font (the layout hands every mark this grid): one
  // selection serves them all, where a font per mark would cost more than its drawing.
  const LabelFont font(dc, CChartMark::LabelFontOf(grid));
  for (CChartMark& mark : marks) {
    if (mark.grid == &grid)
      mark.DrawInSelectedFont(dc);
    else
      mark.Draw(dc);
  }
}

void CChartEngine::DrawCandleSticks(DeviceContext& dc) {
  if (!candlesticsVisible) return;
  const IRect clip = PlotArea();
  for (const CCandleStick& stick : candlesticks)
    WithClipRect(clip, dc, [&] { stick.Draw(dc); });
}

void CChartEngine::DrawPlots(DeviceContext& dc) {
  const std::int32_t active = ActivePlots();
  if (!SharesPlots()) {
    for (std::int32_t p = 0; p < active; ++p) plots[p].DrawPlot(dc);
    return;
  }
  // The workers work out each plot's polyline (the work per point); this thread then draws
  // the plots in their order from what they worked out: the calls one thread would make.
  workers.Run(active, [&](int p) { plots[p].PrepareDraw(&preparedPlots_[p]); });
  for (std::int32_t p = 0; p < active; ++p) {
    plots[p].DrawPlot(dc, &preparedPlots_[p]);
    preparedPlots_[p].ready = false;
  }
}

void CChartEngine::DrawLegend(DeviceContext& dc) {
  if (!legendVisible) return;
  const IRect area = PlotArea();
  legend.Draw(dc, legendPosition, area.left, area.top, area.right, area.bottom);
}

}  // namespace corvane
