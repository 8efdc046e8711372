// The layout pass and what moves the world window: the vertical range over every plot and
// overlay, the copies handed to the plots and the records, the axis origin; SetSegment and
// scrolling.
#include <cstdint>

#include "control/chart_engine.h"
#include "series/world_window.h"

namespace corvane {

namespace {

// The plot area and world window copies every overlay record draws from.
template <typename Record>
void CopyLayout(const IRect& area, const WorldWindow& world, AxisLogs logs, Record& r) {
  r.left = area.left;
  r.right = area.right;
  r.top = area.top;
  r.bottom = area.bottom;
  r.xmin = world.xmin;
  r.xmax = world.xmax;
  r.ymin = world.ymin;
  r.ymax = world.ymax;
  r.logs = logs;
}

}  // namespace

void CChartEngine::SpreadPixelScale() {
  const PixelScale s = pixelScale;
  captionLabel.scale = xAxisCaption.scale = yAxisCaption.scale = s;
  xArrow.scale = yArrow.scale = s;
  grid.scale = s;  // the marks take theirs from the grid
  legend.scale = s;
  for (CPlotSeries& plot : plots) plot.scale = s;
  for (CChartPolygon& poly : polygons) poly.scale = s;
  for (CChartLine& line : lines) line.scale = s;
  for (CChartRect& rect : rectangles) rect.scale = s;
  for (CCandleStick& stick : candlesticks) stick.scale = s;
}

void CChartEngine::LayoutPass(GraphicsSystem* system) {
  SpreadPixelScale();
  ComputeWorldWindow(system);
  const std::int32_t active = ActivePlots();
  for (std::int32_t p = 0; p < active; ++p) plots[p].grid = &grid;

  const IRect area = PlotArea();
  for (CChartMark& mark : marks) {
    CopyLayout(area, world, logs, mark);
    mark.grid = &grid;
  }
  for (CChartLine& line : lines) CopyLayout(area, world, logs, line);
  for (CChartRect& rect : rectangles) CopyLayout(area, world, logs, rect);
  for (CCandleStick& stick : candlesticks) CopyLayout(area, world, logs, stick);
  grid.left = area.left;
  grid.top = area.top;
  grid.right = area.right;
  grid.bottom = area.bottom;
  grid.AxisOrigin();
  // A logarithmic axis has no 0: its origin is the low end of its window.
  if (logs.x) {
    grid.originX = area.left;
    grid.originWorldX = world.xmin;
  }
  if (logs.y) {
    grid.originY = area.bottom;
    grid.originWorldY = world.ymin;
  }
  layoutDirty = ticksShort_ ? 1 : 0;
  ++layoutPassCount;
}

void CChartEngine::ComputeWorldWindow(GraphicsSystem* system) {
  const std::int32_t active = ActivePlots();
  VerticalRangeScan scan;
  // Plots never touch the margin flag. Each plot keeps its extremes as points arrive (the
  // range an in-order scan of its points finds); taken in plot order they are one scan's.
  for (std::int32_t p = 0; p < active; ++p)
    scan.TakeExtremes(plots[p].points.Extremes(0, plots[p].KeptCount() - 1));
  for (const CChartPolygon& poly : polygons)
    for (const DPoint& pt : poly.points) scan.TakeSettingMargin(pt.Y, false);
  for (const CChartLine& line : lines) {
    scan.TakeSettingMargin(line.y1, false);
    scan.TakeSettingMargin(line.y2, false);
  }
  for (const CChartRect& rect : rectangles) {
    scan.TakeSettingMargin(rect.T, false);
    scan.TakeSettingMargin(rect.B, false);
  }
  for (const CCandleStick& stick : candlesticks) {
    scan.TakeSettingMargin(stick.High, true);
    scan.TakeSettingMargin(stick.Low, true);
  }
  FinishWorldWindow(scan, world);
  if (YTicked() && yAxisType == AxisType::kLog10) ComputeLogVerticalRange();
  LayOutAxes(system);

  // The plots take the window and the area they draw with; they map their points there.
  const IRect area = PlotArea();
  for (std::int32_t p = 0; p < active; ++p) {
    plots[p].world = world;
    plots[p].logs = logs;
    plots[p].MapToDevice(area.left, area.right, area.top, area.bottom);
  }
  grid.xmin = world.xmin;
  grid.xmax = world.xmax;
  grid.ymin = world.ymin;
  grid.ymax = world.ymax;
}

bool CChartEngine::SharesPlots() const {
  if (workers.workers() <= 1) return false;
  std::int64_t total = 0;
  const std::int32_t active = ActivePlots();
  for (std::int32_t p = 0; p < active; ++p) total += plots[p].KeptCount();
  return active > 1 && total >= parallelMinPoints;
}

void CChartEngine::SetSegment(double a, double b) {
  world.xmin = a;
  world.xmax = b;
  ++segmentsSet;
  SelectSegment(a, b, plots, ActivePlots(), grid);
  layoutDirty = 1;
}

void CChartEngine::ScrollRight() {
  if (ScrollSegment(+1, plots, ActivePlots(), grid, world)) layoutDirty = 1;
}

void CChartEngine::ScrollLeft() {
  if (ScrollSegment(-1, plots, ActivePlots(), grid, world)) layoutDirty = 1;
}

}  // namespace corvane
