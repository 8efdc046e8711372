// The axes' part of the layout: the vertical range of a logarithmic axis, the ticks of axes
// of types 1 to 4 (the vertical range widened outward to them), fitting the horizontal window
// to the data, and the ticks read back.
#include <cfloat>
#include <cmath>
#include <memory>
#include <new>

#include "appearance/grid_own_ticks.h"
#include "appearance/label_fit.h"
#include "appearance/text_label.h"
#include "control/chart_engine.h"
#include "series/world_window.h"

namespace corvane {
namespace {

// The label font the grid writes tick labels in.
FontRequest GridLabelFont(const CChartGrid& grid) {
  CPointLabel label;
  label.height = grid.labelHeight;
  label.italic = grid.labelItalic != 0 ? 1 : 0;
  label.showDot = 0;
  label.scale = grid.scale;
  return label.Font();
}

// Where one axis's labels go: along the plot area's side, with the picture beyond its ends
// (a vertical axis starts at the bottom).
LabelRoom RoomOf(const IRect& area, std::int32_t width, std::int32_t height, bool vertical) {
  LabelRoom room;
  room.vertical = vertical;
  if (vertical) {
    room.extent = static_cast<std::int32_t>(
        std::fmax(0.0, std::fmin(2147483647.0, static_cast<double>(area.bottom) - area.top)));
    room.before = static_cast<double>(height) - area.bottom;
    room.after = area.top;
  } else {
    room.extent = static_cast<std::int32_t>(
        std::fmax(0.0, std::fmin(2147483647.0, static_cast<double>(area.right) - area.left)));
    room.before = area.left;
    room.after = static_cast<double>(width) - area.right;
  }
  return room;
}

// Measures tick labels in a memory context of the system, the grid's label font selected.
class AxisMeasure {
 public:
  AxisMeasure(GraphicsSystem* system, const CChartGrid& grid) noexcept {
    try {
      if (system) dc_ = system->CreateCompatibleDC(nullptr);
      if (dc_) measure_ = std::make_unique<DcLabelMeasure>(*dc_, GridLabelFont(grid));
    } catch (...) {
      measure_.reset();
    }
    short_ = system && !measure_;
  }
  LabelMeasure* get() { return measure_.get(); }
  // A system that could not give a context or a font, or a text it could not measure: short
  // of memory (not: without a system).
  bool short_of_memory() const { return short_ || (measure_ && measure_->failed()); }

 private:
  std::unique_ptr<DeviceContext> dc_;
  std::unique_ptr<DcLabelMeasure> measure_;
  bool short_ = false;
};

// The ticks of one axis over [from, to] into *out; none when there is nothing to measure
// with. False, with no ticks, when memory ran out choosing them.
bool ChooseTicks(AxisType type, double from, double to, const std::string& code,
                 const LabelFormat& format, const LabelRoom& room, bool widen,
                 AxisMeasure& measure, AxisTicks* out) noexcept {
  AxisTicks& ticks = *out;
  ticks = AxisTicks{};
  ticks.from = from;
  ticks.to = to;
  if (measure.short_of_memory()) return false;
  if (!measure.get()) return true;
  TickRequest request;
  request.type = type;
  request.from = from;
  request.to = to;
  request.room = room;
  request.format = code.empty() ? nullptr : &format;
  request.widen = widen;
  try {
    ChooseAxisTicks(request, *measure.get(), &ticks);
    if (!measure.short_of_memory()) return true;
  } catch (...) {
  }
  ticks = AxisTicks{};
  ticks.from = from;
  ticks.to = to;
  return false;
}

// The vertical range a logarithmic axis shows: the data above 0, with no margin (the range
// is widened to its ticks instead); one decade either side of a single value; 1 to 10 when
// no value is above 0.
void FinishLogWindow(double lo, double hi, bool any, WorldWindow& world) {
  if (world.xmin == world.xmax) {
    world.xmin -= 1;
    world.xmax += 1;
  }
  if (!any) {
    lo = 1;
    hi = 10;
  } else if (lo == hi) {
    lo /= 10;
    hi *= 10;
  }
  world.ymin = lo;
  world.ymax = hi;
}

}  // namespace

void CChartEngine::ComputeLogVerticalRange() {
  double lo = INFINITY, hi = -INFINITY;
  auto take = [&](double v) {
    if (v > 0 && v <= DBL_MAX) {
      lo = std::fmin(lo, v);
      hi = std::fmax(hi, v);
    }
  };
  // A summary's extremes may be 0 or below: the points are read one by one.
  const std::int32_t active = ActivePlots();
  for (std::int32_t p = 0; p < active; ++p)
    plots[p].points.ForEachRun(0, plots[p].KeptCount() - 1,
                               [&](const DPoint* run, std::int32_t n, std::int32_t) {
                                 for (std::int32_t k = 0; k < n; ++k) take(run[k].Y);
                               });
  for (const CChartPolygon& poly : polygons)
    for (const DPoint& pt : poly.points) take(pt.Y);
  for (const CChartLine& line : lines) {
    take(line.y1);
    take(line.y2);
  }
  for (const CChartRect& rect : rectangles) {
    take(rect.T);
    take(rect.B);
  }
  for (const CCandleStick& stick : candlesticks) {
    take(stick.High);
    take(stick.Low);
  }
  FinishLogWindow(lo, hi, lo <= hi, world);
}

void CChartEngine::LayOutAxes(GraphicsSystem* system) {
  logs.x = XTicked() && xAxisType == AxisType::kLog10;
  logs.y = YTicked() && yAxisType == AxisType::kLog10;
  xTicks = AxisTicks{};
  yTicks = AxisTicks{};
  ticksShort_ = false;
  if (!XTicked() && !YTicked()) return;
  // The automation's own system first: a read-back and the render it stands for measure alike.
  AxisMeasure measure(measureSystem ? measureSystem : system, grid);
  ticksShort_ = measure.short_of_memory();
  const IRect area = PlotArea();
  if (YTicked()) {
    if (!ChooseTicks(yAxisType, world.ymin, world.ymax, yLabelCode, yLabelFormat,
                     RoomOf(area, width, height, true), true, measure, &yTicks))
      ticksShort_ = true;
    // The automatic range reaches out to whole ticks.
    if (!yTicks.major.empty() && yTicks.from < yTicks.to) {
      world.ymin = yTicks.from;
      world.ymax = yTicks.to;
    }
  }
  if (XTicked() &&
      !ChooseTicks(xAxisType, world.xmin, world.xmax, xLabelCode, xLabelFormat,
                   RoomOf(area, width, height, false), false, measure, &xTicks))
    ticksShort_ = true;
}

bool CChartEngine::FitSegmentToData() {
  const bool positive = XTicked() && xAxisType == AxisType::kLog10;
  double lo = INFINITY, hi = -INFINITY;
  const std::int32_t active = ActivePlots();
  for (std::int32_t p = 0; p < active; ++p) {
    const CPlotSeries& plot = plots[p];
    if (!plot.visible) continue;
    plot.points.ForEachRun(0, plot.KeptCount() - 1,
                           [&](const DPoint* run, std::int32_t n, std::int32_t) {
                             for (std::int32_t k = 0; k < n; ++k) {
                               const double x = run[k].X;
                               if (!std::isfinite(x) || (positive && !(x > 0))) continue;
                               lo = std::fmin(lo, x);
                               hi = std::fmax(hi, x);
                             }
                           });
  }
  if (!(lo <= hi)) return false;
  if (XTicked() && lo < hi) {
    // Short of memory the window is not set at all: a host asking again gets the same one.
    AxisMeasure measure(measureSystem, grid);
    AxisTicks ticks;
    if (measure.short_of_memory() ||
        !ChooseTicks(xAxisType, lo, hi, xLabelCode, xLabelFormat,
                     RoomOf(PlotArea(), width, height, false), true, measure, &ticks))
      throw std::bad_alloc();
    if (!ticks.major.empty() && ticks.from < ticks.to) {
      lo = ticks.from;
      hi = ticks.to;
    }
  }
  SetSegment(lo, hi);
  return true;
}

AxisTicks CChartEngine::LaidOutTicks(bool vertical) {
  EnsureLayout();
  if (vertical ? YTicked() : XTicked()) return vertical ? yTicks : xTicks;
  // Formatting puts an unusable digit count back to 2, as drawing does; reading changes
  // nothing, so the count the host set is put back (whatever the reading throws).
  struct KeepDigits {
    CChartGrid& g;
    std::int32_t digits;
    ~KeepDigits() { g.digitsAfterPoint = digits; }
  } keep{grid, grid.digitsAfterPoint};
  return GridOwnTicks(grid, vertical);
}

}  // namespace corvane
