// Rendering benchmark: charts of S plots x N points (a deterministic random walk) drawn
// through the public automation API into an 800 x 600 picture, with the speed-of-light
// reference run alongside on the native build, 10,000 translucent polygons and rectangles
// over the same picture, and 1,000 marks with a legend of 100 entries. Prints figures; it is
// not a test.
//
//   bench_render [--runs R] [--max-n N] [--series S] [--workers W] [--full-only] [--ref-dir DIR]
//                [--no-ref]   (--max-n 0: overlays only)
//
// First the full chart and the plots alone at S x N (default 8 x N): first and repeat
// render with their ratios to the reference's total, run in the same invocation, and the
// first render drawer by drawer (the fits' sums are gathered in the layout stage, the fits
// stage solves them). --full-only stops there. --workers sets each chart's worker threads.
//
// First, two charts without data: SaveToFile of an empty chart, and a repeat render of
// everything drawn around the plots (background, caption, both arrow passes, axis captions,
// the grid and its labels, text included; median of 20 R renders) with the background's
// share of it; and for axes of types 1 to 4 (round, automation dates, Unix seconds,
// logarithmic) the tick choice and label measuring each layout pass adds over type 0, beside
// the drawing of their grid.
//
// Figures per case (median of R runs, milliseconds): adding the points, first render (layout,
// fits and drawing), repeat render (drawing only), SaveToFile (a repeat render plus the
// export), and the first render broken into layout / fits / drawing; resident bytes per
// stored point (first run, and worst run: once a chart has been freed the allocator may
// grow the next arrays on the heap, keeping the blocks it grew out of; and the first run
// again after its first render), and peak resident size. The reference columns are its total, its clear stage and its 2 px draw stage. A
// repeat render paints the background as well as the plots, so it is set against the
// reference's clear plus draw; the plots alone (the repeat render less a render of the same
// chart with every plot hidden) are set against its draw stage.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "control/automation.h"
#include "platform/dc.h"
#include "platform/worker_pool.h"

#include "bench/bench_support.h"

#ifdef _WIN32
#include "platform/gdi/gdi_system.h"
#else
#include "platform/raster/raster_system.h"
#endif

namespace {

using corvane::CorvaneAutomation;
using corvane::DeviceContext;
using corvane::GraphicsSystem;
using corvane::ObjHandle;
using corvane::bench::Clock;
using corvane::bench::CpuMs;
using corvane::bench::Median;
using corvane::bench::Ms;
using corvane::bench::PeakResidentBytes;
using corvane::bench::ResidentBytes;

constexpr std::int32_t kWidth = 800, kHeight = 600;
int gWorkers = 0;  // worker threads per chart; 0: the engine's default

struct Walk {
  std::vector<double> y;  // x is 1..N
};

Walk MakeWalk(std::size_t n, int series) { return Walk{corvane::bench::MakeWalk(n, series)}; }

std::string TempBmpPath() {
#ifdef _WIN32
  char dir[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathA(MAX_PATH, dir);
  return std::string(n ? dir : ".\\") + "corvane_bench_render.bmp";
#else
  return std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
         "/corvane_bench_render_" + std::to_string(getpid()) + ".bmp";
#endif
}

struct Figures {
  std::vector<double> add, first, repeat, save, layout, fits, draw, bare;
  double firstBytesPerPoint = 0;  // in a process that has not freed a chart yet
  double worstBytesPerPoint = 0;
  double renderedBytesPerPoint = 0;  // the first chart again after its first render
  std::uint64_t peak = 0;
};

class Target : public corvane::bench::RenderTarget {
 public:
  explicit Target(GraphicsSystem& g) : RenderTarget(g, kWidth, kHeight) {}
};

Figures RunCase(GraphicsSystem& graphics, int series, std::size_t n, int runs,
                const std::vector<Walk>& data, const std::u16string& file) {
  Figures fig;
  Target target(graphics);
  if (!target.dc()) {
    std::fprintf(stderr, "no drawing context\n");
    std::exit(1);
  }
  for (int r = 0; r < runs; ++r) {
    const std::uint64_t before = ResidentBytes();
    auto chart = std::make_unique<CorvaneAutomation>(graphics);
    if (gWorkers > 0) chart->engine().workers.SetWorkers(gWorkers);
    chart->SetSize(kWidth, kHeight);
    chart->put_plotsCount(series);
    for (int s = 1; s <= series; ++s) {
      chart->SetSimplePlot(s);
      chart->SetPlotWidth(s, 2);
    }
    auto t0 = Clock::now();
    for (int s = 0; s < series; ++s) {
      const double* y = data[s].y.data();
      for (std::size_t k = 0; k < n; ++k) chart->AddPointToPlot(s + 1, double(k + 1), y[k]);
    }
    auto t1 = Clock::now();
    fig.add.push_back(Ms(t0, t1));
    const double perPoint = double(ResidentBytes() - before) / double(n * series);
    if (r == 0) fig.firstBytesPerPoint = perPoint;
    fig.worstBytesPerPoint = std::max(fig.worstBytesPerPoint, perPoint);
    chart->SetSegment(1.0, double(n));

    corvane::CChartEngine& engine = chart->engine();
    t0 = Clock::now();
    engine.RenderChart(target.dc());
    t1 = Clock::now();
    engine.RenderChart(target.dc());
    auto t2 = Clock::now();
    fig.first.push_back(Ms(t0, t1));
    fig.repeat.push_back(Ms(t1, t2));
    if (r == 0) fig.renderedBytesPerPoint = double(ResidentBytes() - before) / double(n * series);

    t0 = Clock::now();
    const corvane::HResult hr = chart->SaveToFile(file.data(), std::uint32_t(file.size()));
    t1 = Clock::now();
    if (hr != corvane::kS_OK) {
      std::fprintf(stderr, "SaveToFile failed: 0x%08x\n", unsigned(hr));
      std::exit(1);
    }
    fig.save.push_back(Ms(t0, t1));

    // The first render again, stage by stage.
    engine.InvalidateLayout();
    t0 = Clock::now();
    engine.LayoutPass();
    t1 = Clock::now();
    for (int s = 0; s < series; ++s) {
      engine.plots[s].Refit();  // from the sums the layout pass kept, as the drawing does
      engine.plots[s].refitPending = 0;
    }
    t2 = Clock::now();
    engine.RenderChart(target.dc());
    auto t3 = Clock::now();
    fig.layout.push_back(Ms(t0, t1));
    fig.fits.push_back(Ms(t1, t2));
    fig.draw.push_back(Ms(t2, t3));

    // The same chart with every plot hidden: background, frame and grid alone. The first such
    // render lays the chart out again.
    for (int s = 1; s <= series; ++s) chart->SetPlotVisible(s, 0);
    engine.RenderChart(target.dc());
    t0 = Clock::now();
    engine.RenderChart(target.dc());
    t1 = Clock::now();
    fig.bare.push_back(Ms(t0, t1));
    chart.reset();
  }
  fig.peak = PeakResidentBytes();
  return fig;
}

// SaveToFile of an 800 x 600 chart without data: the export path alone.
double EmptySaveMs(GraphicsSystem& graphics, int runs, const std::u16string& file) {
  CorvaneAutomation chart(graphics);
  chart.SetSize(kWidth, kHeight);
  std::vector<double> t;
  for (int r = 0; r < runs + 1; ++r) {
    const auto t0 = Clock::now();
    chart.SaveToFile(file.data(), std::uint32_t(file.size()));
    const auto t1 = Clock::now();
    if (r > 0) t.push_back(Ms(t0, t1));  // the first one renders the layout too
  }
  return Median(t);
}

// An otherwise empty 800 x 600 chart over x and y 0..100 (a hidden line makes the vertical
// range, as the overlays would).
void BareChart(CorvaneAutomation& c) {
  c.SetSize(kWidth, kHeight);
  c.SetSegment(0, 100);
  c.AddLine(0, 0, 100, 100, 1, 0, 0);
  c.SetLineVisible(1, 0);
}

// Median of `runs` repeat renders into dc after one that lays the chart out; *cpu gets the
// median processor time.
double RepeatRenderMs(CorvaneAutomation& chart, DeviceContext* dc, int runs, double* cpu) {
  corvane::CChartEngine& engine = chart.engine();
  engine.RenderChart(dc);
  std::vector<double> t, c;
  for (int r = 0; r < runs; ++r) {
    const double c0 = CpuMs();
    const auto t0 = Clock::now();
    engine.RenderChart(dc);
    t.push_back(Ms(t0, Clock::now()));
    c.push_back(CpuMs() - c0);
  }
  *cpu = Median(c);
  return Median(t);
}

// Translucent overlays: 10,000 polygons of 10 points, each a ring of random radii 1..4 world
// units (5 to 27 pixels in this plot area) around a random centre, opacity 0.2..0.8, no
// border, over an otherwise empty 800 x 600 chart; then as many translucent rectangles of
// 1..6 units a side. Medians of repeat renders (the layout done), wall-clock and processor
// time; the bare chart's render subtracted gives the overlays' own share.
struct OverlayFigures {
  double polygons = 0, polygonsOnly = 0, rects = 0, rectsOnly = 0, bare = 0;
  double polygonsCpu = 0, rectsCpu = 0;  // processor time of one render
};

OverlayFigures RunOverlays(GraphicsSystem& graphics, int runs) {
  constexpr int kPolygons = 10000;
  Target target(graphics);
  OverlayFigures out;
  if (!target.dc()) return out;
  std::uint64_t state = 77;
  auto unit = [&state]() {
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1.0p-53;
  };
  double cpu = 0;
  auto timeRenders = [&](CorvaneAutomation& chart) {
    return RepeatRenderMs(chart, target.dc(), runs, &cpu);
  };
  {
    CorvaneAutomation chart(graphics);
    BareChart(chart);
    out.bare = timeRenders(chart);
  }
  {
    CorvaneAutomation chart(graphics);
    BareChart(chart);
    chart.put_polygonsCount(kPolygons);
    for (int p = 1; p <= kPolygons; ++p) {
      const double cx = 100 * unit(), cy = 100 * unit();
      for (int k = 0; k < 10; ++k) {
        const double r = 1 + 3 * unit(), a = k * 0.6283185307179586;
        chart.AddPointToPolygon(p, cx + r * std::cos(a), cy + r * std::sin(a));
      }
      chart.SetPolygonProperties(p, corvane::Color(unit() * 0xFFFFFF), 0.2 + 0.6 * unit());
    }
    out.polygons = timeRenders(chart);
    out.polygonsCpu = cpu;
    out.polygonsOnly = std::max(0.0, out.polygons - out.bare);
  }
  {
    CorvaneAutomation chart(graphics);
    BareChart(chart);
    for (int p = 0; p < kPolygons; ++p) {
      const double l = 100 * unit(), b = 100 * unit();
      chart.AddRectangle(l, b + 1 + 5 * unit(), l + 1 + 5 * unit(), b,
                         corvane::Color(unit() * 0xFFFFFF), 0.2 + 0.6 * unit());
    }
    out.rects = timeRenders(chart);
    out.rectsCpu = cpu;
    out.rectsOnly = std::max(0.0, out.rects - out.bare);
  }
  return out;
}

// 1,000 marks spread over the plot area (each with its two boxed labels and two dotted
// guides) and a legend of 100 entries, over an otherwise bare 800 x 600 chart with its grid:
// medians of repeat renders, wall-clock and processor time, and the marks' and legend's
// share (the same chart without them subtracted).
struct MarkFigures {
  double whole = 0, cpu = 0, bare = 0;
};

MarkFigures RunMarksAndLegend(GraphicsSystem& graphics, int runs) {
  constexpr int kMarks = 1000, kEntries = 100;
  Target target(graphics);
  MarkFigures out;
  if (!target.dc()) return out;
  double bareCpu = 0;
  {
    CorvaneAutomation chart(graphics);
    BareChart(chart);
    out.bare = RepeatRenderMs(chart, target.dc(), runs, &bareCpu);
  }
  CorvaneAutomation chart(graphics);
  BareChart(chart);
  for (int k = 0; k < kMarks; ++k) chart.AddMark(0.5 + (k * 37 % 991) * 0.1, (k * 53 % 997) * 0.1);
  for (int k = 0; k < kEntries; ++k) {
    const std::string text = "entry " + std::to_string(k + 1);
    const std::u16string label(text.begin(), text.end());
    chart.AddLabelToLegend(corvane::Color(k * 0x020406u), label.data(), std::uint32_t(label.size()));
  }
  out.whole = RepeatRenderMs(chart, target.dc(), runs, &out.cpu);
  return out;
}

// The chart around the plots, drawn on every render: background, caption, arrows (twice), axis
// captions and the grid with its labels, over a window straddling 0 both ways. Returns the
// median of the whole render and of the background alone; the plot is hidden.
std::pair<double, double> FrameMs(GraphicsSystem& graphics, int runs) {
  Target target(graphics);
  CorvaneAutomation chart(graphics);
  chart.SetSize(kWidth, kHeight);
  chart.put_plotsCount(1);
  for (int k = -20; k <= 20; ++k) chart.AddPointToPlot(1, k, 0.37 * k);
  chart.SetSegment(-20, 20);
  chart.SetPlotVisible(1, 0);
  corvane::CChartEngine& engine = chart.engine();
  engine.RenderChart(target.dc());  // the layout pass
  std::vector<double> whole, background;
  for (int r = 0; r < 20 * runs; ++r) {
    auto t0 = Clock::now();
    engine.RenderChart(target.dc());
    auto t1 = Clock::now();
    engine.background.PaintBackground(*target.dc());
    auto t2 = Clock::now();
    whole.push_back(Ms(t0, t1));
    background.push_back(Ms(t1, t2));
  }
  return {Median(whole), Median(background)};
}

// What axes of types 1 to 4 add to a render after a change: choosing the ticks of both axes
// and measuring their labels in the layout pass (the layout of the same chart on type 0
// taken off), and drawing their grid. A plot of 2,000 points, hidden, gives the range.
struct AxisFigures {
  const char* name;
  double ticks, grid;
};

std::vector<AxisFigures> AxesMs(GraphicsSystem& graphics, int runs) {
  struct Case {
    const char* name;
    std::int32_t x, y;
    double x0, x1;
  };
  const Case cases[] = {
      {"round", 1, 1, 4.3, 36.7},
      {"dates", 2, 1, 46095.5, 46096.5},
      {"unix", 3, 1, 1767225600.0, 1767225600.0 + 86400 * 40},
      {"log", 4, 4, 1, 1e5},
  };
  Target target(graphics);
  std::vector<AxisFigures> out;
  for (const Case& c : cases) {
    auto timed = [&](std::int32_t x, std::int32_t y, std::vector<double>* layout,
                     std::vector<double>* grid) {
      CorvaneAutomation chart(graphics);
      chart.SetSize(kWidth, kHeight);
      chart.put_XAxisType(x);
      chart.put_YAxisType(y);
      chart.put_plotsCount(1);
      for (int k = 0; k < 2000; ++k)
        chart.AddPointToPlot(1, c.x0 + (c.x1 - c.x0) * k / 1999.0, 3 + std::sin(k / 90.0) + k * 0.01);
      chart.SetSegment(c.x0, c.x1);
      chart.SetPlotVisible(1, 0);
      corvane::CChartEngine& engine = chart.engine();
      engine.RenderChart(target.dc());
      for (int r = 0; r < 20 * runs; ++r) {
        engine.InvalidateLayout();
        const auto t0 = Clock::now();
        engine.LayoutPass(&graphics);
        const auto t1 = Clock::now();
        engine.DrawGrid(*target.dc());
        const auto t2 = Clock::now();
        layout->push_back(Ms(t0, t1));
        grid->push_back(Ms(t1, t2));
      }
    };
    std::vector<double> layout, grid, plainLayout, plainGrid;
    timed(c.x, c.y, &layout, &grid);
    timed(0, 0, &plainLayout, &plainGrid);
    out.push_back(AxisFigures{c.name, std::max(0.0, Median(layout) - Median(plainLayout)),
                              Median(grid)});
  }
  return out;
}

// The full chart: the plots as above (two of them fitted: plot 2 by a straight line, plot 5
// by a parabola) with everything drawn around and over them -- the grid and its labels, both
// axes with their captions, the caption, a legend of 8 entries, 10 marks, 4 translucent
// rectangles, 4 translucent polygons and 20 candlesticks, all inside the data's range.
void BuildFullChart(CorvaneAutomation& c, int series, std::size_t n, const std::vector<Walk>& data,
                    bool overlays) {
  c.SetSize(kWidth, kHeight);
  c.put_plotsCount(series);
  double lo = 0, hi = 0;
  for (int s = 0; s < series; ++s) {
    c.SetSimplePlot(s + 1);
    c.SetPlotWidth(s + 1, 2);
    c.SetPlotColor(s + 1, corvane::Color(0x3060A0u + 0x1F0B05u * unsigned(s)));
    c.AddPointsToPlot2(s + 1, data[s].y.data(), n);
    for (double y : data[s].y) lo = std::min(lo, y), hi = std::max(hi, y);
  }
  c.SetSegment(1.0, double(n));
  if (!overlays) return;
  if (series >= 2) c.SetLinearApproximate(2);
  if (series >= 5) c.SetSquareApproximate(5);
  const double w = double(n), h = hi - lo;
  auto at = [&](double fx, double fy) { return std::make_pair(1 + fx * w, lo + fy * h); };
  auto text = [](const std::string& t) { return std::u16string(t.begin(), t.end()); };
  const std::u16string caption = text("Full chart benchmark"), cx = text("sample"),
                       cy = text("value");
  c.put_caption(caption.data(), std::uint32_t(caption.size()));
  c.put_arrowCaptionX(cx.data(), std::uint32_t(cx.size()));
  c.put_arrowCaptionY(cy.data(), std::uint32_t(cy.size()));
  for (int k = 0; k < 8; ++k) {
    const std::u16string label = text("series " + std::to_string(k + 1));
    c.AddLabelToLegend(corvane::Color(0x3060A0u + 0x1F0B05u * unsigned(k)), label.data(),
                       std::uint32_t(label.size()));
  }
  for (int k = 0; k < 10; ++k) {
    const auto p = at(0.05 + 0.09 * k, 0.1 + 0.08 * k);
    c.AddMark(p.first, p.second);
  }
  for (int k = 0; k < 4; ++k) {
    const auto a = at(0.1 + 0.2 * k, 0.7), b = at(0.25 + 0.2 * k, 0.55);
    c.AddRectangle(a.first, a.second, b.first, b.second, corvane::Color(0x40C080u + 0x300000u * k),
                   0.35);
  }
  c.put_polygonsCount(4);
  for (int k = 0; k < 4; ++k) {
    for (int v = 0; v < 6; ++v) {
      const double ang = v * 1.0471975511965976;
      const auto p = at(0.2 + 0.2 * k + 0.06 * std::cos(ang), 0.3 + 0.1 * std::sin(ang));
      c.AddPointToPolygon(k + 1, p.first, p.second);
    }
    c.SetPolygonProperties(k + 1, corvane::Color(0xC04040u + 0x002020u * k), 0.5);
  }
  for (int k = 0; k < 20; ++k) {
    const double x = 1 + (k + 0.5) * w / 20, mid = lo + h * (0.3 + 0.02 * k);
    c.AddCandleStick(x, mid - 0.03 * h, mid + (k % 2 ? 0.04 : -0.05) * h, mid + 0.08 * h,
                     mid - 0.08 * h);
  }
}

// Stage names of a render, in painting order, after the layout pass and the fits.
const char* const kStageNames[] = {"layout", "fits",    "backgr",  "caption", "arrows",
                                   "axcapt", "grid",    "polygon", "rects",   "lines",
                                   "marks",  "arrows2", "candles", "plots",   "legend"};
constexpr int kStages = sizeof kStageNames / sizeof kStageNames[0];

struct FullFigures {
  std::vector<double> first, repeat, stage[kStages];
};

// One render timed drawer by drawer, in the order RenderChart paints.
void StagedRender(corvane::CChartEngine& e, DeviceContext& dc, int active, std::vector<double>* st) {
  Clock::time_point t = Clock::now();
  auto lap = [&](int k) {
    const Clock::time_point now = Clock::now();
    st[k].push_back(Ms(t, now));
    t = now;
  };
  e.LayoutPass();
  lap(0);
  // The refits the plots' drawing would make, from the sums the layout pass kept.
  for (int s = 0; s < active; ++s)
    if (e.plots[s].refitPending) {
      e.plots[s].Refit();
      e.plots[s].refitPending = 0;
    }
  lap(1);
  e.background.PaintBackground(dc);
  lap(2);
  if (e.captionVisible) e.DrawCaption(dc);
  lap(3);
  e.DrawAxisArrows(dc);
  lap(4);
  e.DrawAxisCaptions(dc);
  lap(5);
  e.DrawGrid(dc);
  lap(6);
  e.DrawPolygons(dc);
  lap(7);
  e.DrawRectangles(dc);
  lap(8);
  e.DrawLines(dc);
  lap(9);
  e.DrawMarks(dc);
  lap(10);
  e.DrawAxisArrows(dc);
  lap(11);
  e.DrawCandleSticks(dc);
  lap(12);
  e.DrawPlots(dc);
  lap(13);
  e.DrawLegend(dc);
  lap(14);
}

FullFigures RunFullCase(GraphicsSystem& graphics, int series, std::size_t n, int runs,
                        const std::vector<Walk>& data, bool overlays) {
  FullFigures fig;
  Target target(graphics);
  if (!target.dc()) return fig;
  for (int r = 0; r < runs; ++r) {
    auto chart = std::make_unique<CorvaneAutomation>(graphics);
    if (gWorkers > 0) chart->engine().workers.SetWorkers(gWorkers);
    BuildFullChart(*chart, series, n, data, overlays);
    corvane::CChartEngine& engine = chart->engine();
    auto t0 = Clock::now();
    engine.RenderChart(target.dc());
    auto t1 = Clock::now();
    engine.RenderChart(target.dc());
    auto t2 = Clock::now();
    fig.first.push_back(Ms(t0, t1));
    fig.repeat.push_back(Ms(t1, t2));
    engine.InvalidateLayout();
    StagedRender(engine, *target.dc(), series, fig.stage);
  }
  return fig;
}

void PrintFullCase(const char* name, const FullFigures& f, double refTotal) {
  std::printf("%-10s first %7.2f ms", name, Median(f.first));
  if (refTotal > 0) std::printf(" (%.2fx ref)", Median(f.first) / refTotal);
  std::printf("  repeat %7.2f ms", Median(f.repeat));
  if (refTotal > 0) std::printf(" (%.2fx ref)", Median(f.repeat) / refTotal);
  std::printf("\n           stages:");
  for (int k = 0; k < kStages; ++k) std::printf(" %s %.2f", kStageNames[k], Median(f.stage[k]));
  std::printf("\n");
}

// The full chart's picture (get_Picture: the render into the export DIB section and its copy)
// aliased and antialiased, alternately in one run after a render of each; medians of the
// wall-clock and the processor time (less disturbed by other programs on the machine).
struct AntialiasFigures {
  double aliased = 0, smooth = 0, aliasedCpu = 0, smoothCpu = 0;
};

AntialiasFigures AntialiasedPictureMs(GraphicsSystem& graphics, int series, std::size_t n, int runs,
                                      const std::vector<Walk>& data) {
  CorvaneAutomation chart(graphics);
  if (gWorkers > 0) chart.engine().workers.SetWorkers(gWorkers);
  BuildFullChart(chart, series, n, data, true);
  corvane::DibPicture picture;
  std::vector<double> wall[2], cpu[2];
  for (int r = -1; r < 4 * runs; ++r) {
    for (bool on : {false, true}) {
      chart.put_Antialias(on);
      const double c0 = CpuMs();
      const auto t0 = Clock::now();
      if (corvane::Failed(chart.get_Picture(&picture))) {
        std::fprintf(stderr, "get_Picture failed\n");
        std::exit(1);
      }
      if (r < 0) continue;  // the first of each lays out or makes its cells
      wall[on].push_back(Ms(t0, Clock::now()));
      cpu[on].push_back(CpuMs() - c0);
    }
  }
  return {Median(wall[0]), Median(wall[1]), Median(cpu[0]), Median(cpu[1])};
}

// The full chart's picture at 800 x 600 and at pixel scale 2 on 1600 x 1200 (the same layout,
// four times the pixels), alternately in one run after a render of each; medians.
AntialiasFigures ScaledPictureMs(GraphicsSystem& graphics, int series, std::size_t n, int runs,
                                 const std::vector<Walk>& data) {
  CorvaneAutomation one(graphics), two(graphics);
  for (CorvaneAutomation* chart : {&one, &two}) {
    if (gWorkers > 0) chart->engine().workers.SetWorkers(gWorkers);
    BuildFullChart(*chart, series, n, data, true);
  }
  two.SetSize(2 * kWidth, 2 * kHeight);
  two.put_PixelScale(2);
  corvane::DibPicture picture;
  std::vector<double> wall[2], cpu[2];
  for (int r = -1; r < 4 * runs; ++r) {
    for (int k : {0, 1}) {
      const double c0 = CpuMs();
      const auto t0 = Clock::now();
      if (corvane::Failed((k ? two : one).get_Picture(&picture))) {
        std::fprintf(stderr, "get_Picture failed\n");
        std::exit(1);
      }
      if (r < 0) continue;  // the first of each lays out
      wall[k].push_back(Ms(t0, Clock::now()));
      cpu[k].push_back(CpuMs() - c0);
    }
  }
  return {Median(wall[0]), Median(wall[1]), Median(cpu[0]), Median(cpu[1])};
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  std::size_t maxN = 1000000;
  bool withRef = true;
  bool fullOnly = false;
  int fullSeries = 8;
  std::string refDir = "/work/shared/bench-reference";
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto next = [&]() { return i + 1 < argc ? std::string(argv[++i]) : std::string("0"); };
    if (a == "--runs") runs = std::max(1, std::atoi(next().c_str()));
    else if (a == "--max-n") maxN = std::strtoull(next().c_str(), nullptr, 10);
    else if (a == "--ref-dir") refDir = next();
    else if (a == "--no-ref") withRef = false;
    else if (a == "--full-only") fullOnly = true;
    else if (a == "--workers") gWorkers = std::max(1, std::atoi(next().c_str()));
    else if (a == "--series") fullSeries = std::max(1, std::min(8, std::atoi(next().c_str())));
    else {
      std::fprintf(stderr, "usage: bench_render [--runs R] [--max-n N] [--series S] [--workers W] [--full-only] "
                           "[--ref-dir DIR] [--no-ref]\n");
      return 2;
    }
  }
#ifdef _WIN32
  corvane::GdiGraphicsSystem graphics;
  const char* backend = "gdi";
  withRef = false;
#else
  corvane::RasterGraphicsSystem graphics;
  const char* backend = "raster";
#endif
  std::string ref;
  if (withRef) {
    ref = corvane::bench::BuildReference(refDir);
    if (ref.empty()) std::fprintf(stderr, "reference not built; continuing without it\n");
  }
  const std::string path = TempBmpPath();
  const std::u16string file(path.begin(), path.end());

  std::printf("backend=%s picture=%dx%d runs=%d workers=%d (medians, ms)\n", backend, kWidth,
              kHeight, runs, gWorkers > 0 ? gWorkers : corvane::WorkerPool::DefaultWorkers());
  if (maxN > 0) {
    // The full chart and the plots alone at S x N, the reference run in between.
    std::vector<Walk> data;
    for (int s = 0; s < fullSeries; ++s) data.push_back(MakeWalk(maxN, s));
    const FullFigures plotsOnly = RunFullCase(graphics, fullSeries, maxN, runs, data, false);
    std::map<std::string, double> st;
    if (!ref.empty()) st = corvane::bench::RunReference(ref, fullSeries, maxN, runs);
    const FullFigures full = RunFullCase(graphics, fullSeries, maxN, runs, data, true);
    std::printf("S x N = %d x %zu", fullSeries, maxN);
    if (!st.empty())
      std::printf("; reference total %.2f ms (bounds %.2f, transform %.2f, clear %.2f, draw2 %.2f, "
                  "encode %.2f, write %.2f)",
                  st["total"], st["bounds"], st["transform"], st["clear"], st["draw2"],
                  st["encode"], st["write"]);
    std::printf("\n");
    PrintFullCase("plots-only", plotsOnly, st["total"]);
    PrintFullCase("full", full, st["total"]);
    const AntialiasFigures aa = AntialiasedPictureMs(graphics, fullSeries, maxN, runs, data);
    std::printf("picture   aliased %7.2f ms  antialiased %7.2f ms (%.2fx; target <= 2x); processor "
                "%.2f ms and %.2f ms (%.2fx)\n",
                aa.aliased, aa.smooth, aa.aliased > 0 ? aa.smooth / aa.aliased : 0, aa.aliasedCpu,
                aa.smoothCpu, aa.aliasedCpu > 0 ? aa.smoothCpu / aa.aliasedCpu : 0);
    const AntialiasFigures hi = ScaledPictureMs(graphics, fullSeries, maxN, runs, data);
    std::printf("picture   scale 1 %7.2f ms  scale 2 at %dx%d %7.2f ms (%.2fx; target <= 4x); "
                "processor %.2f ms and %.2f ms (%.2fx)\n",
                hi.aliased, 2 * kWidth, 2 * kHeight, hi.smooth,
                hi.aliased > 0 ? hi.smooth / hi.aliased : 0, hi.aliasedCpu, hi.smoothCpu,
                hi.aliasedCpu > 0 ? hi.smoothCpu / hi.aliasedCpu : 0);
    std::fflush(stdout);
  }
  if (fullOnly) {
    std::remove(path.c_str());
    return 0;
  }
  std::printf("SaveToFile of an empty chart: %.2f ms\n", EmptySaveMs(graphics, runs, file));
  const OverlayFigures ov = RunOverlays(graphics, runs);
  std::printf("10000 translucent polygons of 10 points: render %.2f ms (processor %.2f ms; "
              "overlays %.2f ms, bare chart %.2f ms)\n",
              ov.polygons, ov.polygonsCpu, ov.polygonsOnly, ov.bare);
  std::printf("10000 translucent rectangles: render %.2f ms (processor %.2f ms; overlays %.2f ms)\n",
              ov.rects, ov.rectsCpu, ov.rectsOnly);
  const MarkFigures marks = RunMarksAndLegend(graphics, runs);
  std::printf("1000 marks and a legend of 100 entries: render %.2f ms (processor %.2f ms; marks "
              "and legend %.2f ms, bare chart %.2f ms)\n",
              marks.whole, marks.cpu, std::max(0.0, marks.whole - marks.bare), marks.bare);
  const std::pair<double, double> frame = FrameMs(graphics, runs);
  std::printf("everything but the plots (background, caption, arrows, axis captions, grid and "
              "labels): %.3f ms, of which the background %.3f ms\n",
              frame.first, frame.second);
  std::printf("axis ticks at 800 x 600 (choice and label measuring per layout; grid drawing):");
  for (const AxisFigures& a : AxesMs(graphics, runs))
    std::printf(" %s %.3f ms, grid %.3f ms;", a.name, a.ticks, a.grid);
  std::printf("\n");
  std::printf("%-3s %-8s %8s %8s %8s %8s %8s %8s %8s %17s %7s", "S", "N", "add", "first", "repeat",
              "save", "layout", "fits", "draw", "B/pt(1st/w/rndr)", "peakMB");
  std::printf(" %8s %8s", "bare", "plots");
  if (!ref.empty())
    std::printf(" %8s %8s %8s %7s %7s %7s", "refTot", "refClr", "refDraw", "1st/tot", "rep/c+d",
                "plt/drw");
  std::printf("\n");
  for (int series : {1, 8}) {
    for (std::size_t n : {std::size_t{1000}, std::size_t{100000}, std::size_t{1000000}}) {
      if (n > maxN) continue;
      std::vector<Walk> data;
      for (int s = 0; s < series; ++s) data.push_back(MakeWalk(n, s));
      const Figures f = RunCase(graphics, series, n, runs, data, file);
      char perPoint[48] = "                -";  // page granularity hides small charts
      if (n * series >= 100000)
        std::snprintf(perPoint, sizeof perPoint, "%5.1f/%5.1f/%5.1f", f.firstBytesPerPoint,
                      f.worstBytesPerPoint, f.renderedBytesPerPoint);
      std::printf("%-3d %-8zu %8.2f %8.2f %8.2f %8.2f %8.2f %8.2f %8.2f %17s %7.1f", series, n,
                  Median(f.add), Median(f.first), Median(f.repeat), Median(f.save),
                  Median(f.layout), Median(f.fits), Median(f.draw), perPoint,
                  double(f.peak) / (1 << 20));
      const double plots = std::max(0.0, Median(f.repeat) - Median(f.bare));
      std::printf(" %8.3f %8.3f", Median(f.bare), plots);
      if (!ref.empty()) {
        std::map<std::string, double> st = corvane::bench::RunReference(ref, series, n, runs);
        const double tot = st["total"], clear = st["clear"], draw2 = st["draw2"];
        std::printf(" %8.2f %8.3f %8.3f %7.2f %7.2f %7.2f", tot, clear, draw2,
                    tot > 0 ? Median(f.first) / tot : 0,
                    clear + draw2 > 0 ? Median(f.repeat) / (clear + draw2) : 0,
                    draw2 > 0 ? plots / draw2 : 0);
      }
      std::printf("\n");
      std::fflush(stdout);
    }
  }
  std::remove(path.c_str());
  corvane::bench::RemoveReference(ref);
  return 0;
}
