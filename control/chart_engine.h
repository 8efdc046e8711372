// CChartEngine: the complete chart model -- settings, every data collection and the derived
// layout -- with the operations that change it as a whole and RenderChart, which turns it
// into a picture. Portable: it draws only through DeviceContext.
#pragma once
#include <cstdint>
#include <string>

#include "appearance/axis_arrow.h"
#include "appearance/axis_scale.h"
#include "appearance/axis_ticks.h"
#include "appearance/background_painter.h"
#include "appearance/chart_grid.h"
#include "appearance/color_presets.h"
#include "appearance/label_format.h"
#include "appearance/legend.h"
#include "appearance/text_label.h"
#include "overlays/candlestick.h"
#include "overlays/chart_line.h"
#include "appearance/chart_mark.h"
#include "overlays/chart_polygon.h"
#include "overlays/chart_rect.h"
#include "platform/dc.h"
#include "platform/growable_array.h"
#include "platform/pixel_scale.h"
#include "platform/worker_pool.h"
#include "series/plot_series.h"

namespace corvane {

class CChartEngine {
 public:
  static constexpr int kMaxPlots = 8;
  // The most polygons one polygonsCount put creates (about 50 MB of empty records).
  static constexpr std::int32_t kMaxPolygons = 1 << 20;

  CChartEngine();

  // Sets layoutDirty and refitPending of plots 1..plotsCount.
  void InvalidateLayout();
  void SetSize(std::int32_t width, std::int32_t height);
  // Stores the flag, recomputes the top margin from it and the grid type, InvalidateLayout.
  void SetCaptionVisible(bool visible);
  void SetDefaultGrid();
  void SetUserTypeGrid();
  // Dispose: empties the data, keeps every setting.
  void ClearAll();
  void ApplyPreset(std::int32_t index);

  // Segment and scrolling.
  void SetSegment(double a, double b);
  void ScrollLeft();
  void ScrollRight();

  // Hands pixelScale to every record that draws (labels, arrows, grid, legend, plots,
  // overlays); RenderChart and the layout pass run it first.
  void SpreadPixelScale();
  // Draws the whole chart into dc; returns at once for a null dc.
  void RenderChart(DeviceContext* dc);
  // The layout pass (run by RenderChart while layoutDirty is set). Axes of types 1 to 4
  // measure their labels in a memory context of measureSystem, or of `system` when there is
  // none (with neither they get no ticks).
  void LayoutPass(GraphicsSystem* system = nullptr);
  // The layout pass when the layout is stale, exactly as the next render would run it: what
  // reads the layout back sees what that render draws, and the render does not lay out again.
  void EnsureLayout() {
    if (layoutDirty) LayoutPass();
  }
  void ComputeWorldWindow(GraphicsSystem* system = nullptr);

  // The horizontal window from the smallest to the largest finite X of the visible plots'
  // points (those a logarithmic X axis takes), widened to whole ticks on axes of types 1
  // to 4, set as SetSegment sets it; false, changing nothing, when there is no such point.
  // Throws std::bad_alloc, changing nothing, when the ticks cannot be chosen for lack of
  // memory.
  bool FitSegmentToData();
  // The major ticks of the last layout on one axis: the chosen ones on types 1 to 4, what the
  // grid's own stepping labels on type 0 (and on the user-type grid's horizontal axis).
  AxisTicks LaidOutTicks(bool vertical);

  // Derived plot area: margins, at the pixel scale, inside the picture. Right and bottom are
  // kept within +-2^30 so that SetSize's unchecked extremes never overflow a difference of
  // corners.
  IRect PlotArea() const {
    return IRect{pixelScale(leftMargin), pixelScale(topMargin),
                 ClampedEdge(std::int64_t{width} - pixelScale(rightMargin)),
                 ClampedEdge(std::int64_t{height} - pixelScale(bottomMargin))};
  }
  static std::int32_t ClampedEdge(std::int64_t v) {
    constexpr std::int64_t kLimit = std::int64_t{1} << 30;
    return static_cast<std::int32_t>(v < -kLimit ? -kLimit : (v > kLimit ? kLimit : v));
  }
  // Plots that take part in layout and drawing: plotsCount, kept within 0..8 whatever a
  // native caller stored, so the plot array is never indexed beyond its end.
  std::int32_t ActivePlots() const {
    return plotsCount < 0 ? 0 : (plotsCount > kMaxPlots ? kMaxPlots : plotsCount);
  }

  // Drawers, in the order RenderChart calls them.
  void DrawCaption(DeviceContext& dc);
  void DrawAxisArrows(DeviceContext& dc);
  void DrawAxisCaptions(DeviceContext& dc);
  void DrawGrid(DeviceContext& dc);
  void DrawPolygons(DeviceContext& dc);
  void DrawRectangles(DeviceContext& dc);
  void DrawLines(DeviceContext& dc);
  void DrawMarks(DeviceContext& dc);
  void DrawCandleSticks(DeviceContext& dc);
  void DrawPlots(DeviceContext& dc);
  void DrawLegend(DeviceContext& dc);

  std::uint8_t layoutDirty = 1;
  std::uint8_t captionVisible = 1;
  GrowableArray<CChartMark> marks;
  GrowableArray<CChartLine> lines;
  GrowableArray<CCandleStick> candlesticks;
  CColorPresetTable presets;
  GrowableArray<CChartPolygon> polygons;
  GrowableArray<CChartRect> rectangles;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t leftMargin = 65;
  std::int32_t rightMargin = 65;
  std::int32_t topMargin = 60;
  std::int32_t bottomMargin = 35;
  // Device pixels per pixel of every fixed length (PixelScale); the settings above and in
  // the records keep their unscaled values.
  PixelScale pixelScale;
  std::uint8_t arrowVisible = 1;
  std::uint8_t candlesticsVisible = 1;
  CAxisArrow xArrow;
  CAxisArrow yArrow;
  CTextLabel captionLabel;
  CBackgroundPainter background;
  CPlotSeries plots[kMaxPlots];
  CChartGrid grid;
  CTextLabel xAxisCaption;
  CTextLabel yAxisCaption;
  CLegend legend;
  std::uint8_t legendVisible = 1;
  std::int32_t legendPosition = 0;
  WorldWindow world;
  std::int32_t plotsCount = 0;

  // Axis types (XAxisType, YAxisType) and label formats ("" and null: chosen by the step).
  AxisType xAxisType = AxisType::kGrid, yAxisType = AxisType::kGrid;
  std::string xLabelCode, yLabelCode;
  LabelFormat xLabelFormat, yLabelFormat;
  // What the layout worked out for them: the ticks of axes of types 1 to 4 and which axes
  // map logarithms. The horizontal axis of the user-type grid keeps the grid's own lines.
  AxisTicks xTicks, yTicks;
  AxisLogs logs;
  bool XTicked() const { return xAxisType != AxisType::kGrid && grid.gridType != 1; }
  bool YTicked() const { return yAxisType != AxisType::kGrid; }
  // The system whose memory contexts measure tick labels when no render supplies one.
  GraphicsSystem* measureSystem = nullptr;

  // Counts the windows SetSegment set (FitSegmentToData's included).
  std::uint64_t segmentsSet = 0;
  // Counts layout passes; lets tests see that an unchanged chart is only repainted.
  std::uint64_t layoutPassCount = 0;

  // The threads that share the plots' layout and drawing with the calling thread, and the
  // fewest points (all plots together) worth handing to them: below it everything runs on
  // the calling thread. Workers only compute; every drawing call stays on the caller.
  WorkerPool workers;
  std::int64_t parallelMinPoints = std::int64_t{1} << 15;
  // Whether this layout pass or drawing shares its plots with the workers.
  bool SharesPlots() const;

 private:
  // The axes' part of ComputeWorldWindow (axis_layout.cpp).
  void ComputeLogVerticalRange();
  void LayOutAxes(GraphicsSystem* system);
  // The last layout ran short of memory choosing ticks: it stays stale, so that the next
  // render or read-back lays out again.
  bool ticksShort_ = false;

  // The plots' polylines worked out by the workers, kept between renders for their memory.
  PreparedPlot preparedPlots_[kMaxPlots];
};

}  // namespace corvane
