// Axis tick benchmark: choosing the ticks of both axes of an 800 x 600 chart (a plot area of
// 670 x 505 pixels) and measuring their labels in the grid's label font, as one render
// would, for each axis type; then the drawing of that grid for comparison. Prints the median
// and the spread of R runs in milliseconds; it is not a test.
//
//   bench_axis_ticks [--runs R]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "appearance/axis_grid_draw.h"
#include "appearance/axis_ticks.h"
#include "appearance/calendar.h"
#include "appearance/label_fit.h"
#include "platform/dc.h"

#ifdef _WIN32
#include "platform/gdi/gdi_system.h"
#else
#include "platform/raster/raster_system.h"
#endif

namespace {

using corvane::AxisType;
using Clock = std::chrono::steady_clock;

constexpr std::int32_t kWidth = 800, kHeight = 600;
constexpr std::int32_t kLeft = 65, kTop = 60, kRight = kWidth - 65, kBottom = kHeight - 35;

struct Axis {
  AxisType type;
  double from, to;
};

struct Case {
  const char* name;
  Axis x, y;
};

double Ole(std::int64_t year, int month, int day) {
  return static_cast<double>(corvane::DaysFromCivil(year, month, day) +
                             corvane::kOleDaysBefore1970);
}

corvane::TickRequest Request(const Axis& a, bool vertical) {
  corvane::TickRequest r;
  r.type = a.type;
  r.from = a.from;
  r.to = a.to;
  r.room.extent = vertical ? kBottom - kTop : kRight - kLeft;
  r.room.vertical = vertical;
  r.room.before = vertical ? kHeight - kBottom : kLeft;
  r.room.after = vertical ? kTop : kWidth - kRight;
  r.widen = vertical;  // the automatic vertical range
  return r;
}

// One render's tick work: the label font selected once, both axes chosen and measured.
void ChooseBoth(corvane::DeviceContext& dc, const Case& c, corvane::AxisTicks* x,
                corvane::AxisTicks* y) {
  corvane::DcLabelMeasure measure(dc, corvane::FontRequest{15, 400, false, false});
  corvane::ChooseAxisTicks(Request(c.x, false), measure, x);
  corvane::ChooseAxisTicks(Request(c.y, true), measure, y);
}

struct Figures {
  double median, low, high;
};

template <typename Body>
Figures Time(int runs, Body&& body) {
  std::vector<double> ms;
  body();  // warm the font and glyph caches, as every render after the first finds them
  for (int k = 0; k < runs; ++k) {
    const auto t0 = Clock::now();
    body();
    const auto t1 = Clock::now();
    ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  std::sort(ms.begin(), ms.end());
  return Figures{ms[ms.size() / 2], ms.front(), ms.back()};
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 2001;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else {
      std::fprintf(stderr, "usage: bench_axis_ticks [--runs R]\n");
      return 2;
    }
  }
#ifdef _WIN32
  corvane::GdiGraphicsSystem graphics;
  const char* backend = "gdi";
#else
  corvane::RasterGraphicsSystem graphics;
  const char* backend = "raster";
#endif
  std::unique_ptr<corvane::DeviceContext> dc = graphics.CreateCompatibleDC(nullptr);
  const corvane::ObjHandle bitmap = dc->CreateCompatibleBitmap(kWidth, kHeight);
  const corvane::ObjHandle previous = dc->SelectObject(bitmap);

  const Case cases[] = {
      {"round numbers", {AxisType::kLinear, 4.3, 36.7}, {AxisType::kLinear, -1.234, 5.678}},
      {"a day of minute data",
       {AxisType::kOleDate, Ole(2023, 12, 1), Ole(2023, 12, 2)},
       {AxisType::kLinear, 98.2, 131.9}},
      {"a year of days",
       {AxisType::kOleDate, Ole(2023, 1, 1), Ole(2024, 1, 1)},
       {AxisType::kLinear, 12.5, 48.25}},
      {"an hour of Unix seconds",
       {AxisType::kUnixTime, 1.7e9, 1.7e9 + 3600},
       {AxisType::kUnixTime, 1.7e9, 1.7e9 + 60}},
      {"Bode: decades by decibels", {AxisType::kLog10, 10, 1e5}, {AxisType::kLinear, -43, 6}},
      {"forty decades", {AxisType::kLog10, 1e-20, 1e20}, {AxisType::kLog10, 3, 40}},
  };
  std::printf("bench_axis_ticks (%s, %d runs; a shared machine: medians, with min..max)\n", backend,
              runs);
  std::printf("%-26s %22s %22s  ticks x/y\n", "case", "choose+measure ms", "draw grid ms");
  for (const Case& c : cases) {
    corvane::AxisTicks x, y;
    const Figures choose = Time(runs, [&] { ChooseBoth(*dc, c, &x, &y); });

    corvane::CChartGrid grid;
    grid.left = kLeft;
    grid.top = kTop;
    grid.right = kRight;
    grid.bottom = kBottom;
    corvane::AxisGridDirection gx, gy;
    gx.ticks = &x;
    gy.ticks = &y;
    corvane::AxisMapping::Make(corvane::AxisScale::For(c.x.type), x.from, x.to, kLeft, kRight,
                               &gx.mapping);
    corvane::AxisMapping::Make(corvane::AxisScale::For(c.y.type), y.from, y.to, kBottom, kTop,
                               &gy.mapping);
    const Figures draw = Time(runs, [&] { corvane::DrawAxisGrid(grid, gx, gy, *dc); });
    std::printf("%-26s %7.4f (%.4f..%.4f) %7.4f (%.4f..%.4f)  %zu/%zu\n", c.name, choose.median,
                choose.low, choose.high, draw.median, draw.low, draw.high, x.major.size(),
                y.major.size());
  }
  dc->SelectObject(previous);
  dc->DeleteObject(bitmap);
  return 0;
}
