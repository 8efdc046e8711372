// The grid of chosen ticks through the recording context (which reads 0 everywhere inside
// its surface, so every label passes its background test, and measures 8 pixels a byte by
// the font's height), the grid's own stepping where an axis has no ticks, the read-back of
// that stepping, and one picture through the raster.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "appearance/axis_grid_draw.h"
#include "appearance/grid_own_ticks.h"
#include "appearance/label_fit.h"
#include "platform/raster/raster_image_file.h"
#include "platform/raster/raster_system.h"
#include "platform/random_sequence.h"
#include "platform/recording_dc.h"
#include "tick_test_support.h"

namespace corvane {
namespace {

// The 400 x 300 chart's grid over x -10..10, y -5..5, solid lines.
CChartGrid Grid() {
  CChartGrid g;
  g.left = 65;
  g.top = 60;
  g.right = 335;
  g.bottom = 265;
  g.xmin = -10;
  g.xmax = 10;
  g.ymin = -5;
  g.ymax = 5;
  g.lineStyle = 0;
  g.AxisOrigin();
  return g;
}

AxisGridDirection Direction(const AxisTicks* ticks, AxisScale scale, double from, double to,
                            std::int32_t origin, std::int32_t end) {
  AxisGridDirection d;
  d.ticks = ticks;
  EXPECT_TRUE(AxisMapping::Make(scale, from, to, origin, end, &d.mapping));
  return d;
}

AxisGridDirection X(const CChartGrid& g, const AxisTicks* t, AxisScale s = AxisScale()) {
  return Direction(t, s, g.xmin, g.xmax, g.left, g.right);
}
AxisGridDirection Y(const CChartGrid& g, const AxisTicks* t, AxisScale s = AxisScale()) {
  return Direction(t, s, g.ymin, g.ymax, g.bottom, g.top);
}

AxisTicks Ticks(std::vector<double> major, std::vector<std::string> labels,
                std::vector<double> minor = {}) {
  AxisTicks t;
  t.major = std::move(major);
  t.labels = std::move(labels);
  t.minor = std::move(minor);
  return t;
}

std::vector<std::string> Lines(const CallLog& log) {
  std::vector<std::string> lines;
  std::string from;
  for (const RecordedCall& c : log.calls()) {
    if (c.Name() == "MoveToEx") from = c.text.substr(9);
    if (c.Name() == "LineTo") lines.push_back(from + " " + c.text.substr(7));
  }
  return lines;
}

std::vector<std::string> Texts(const CallLog& log) {
  std::vector<std::string> texts;
  for (const std::string& t : log.Named("TextOutA")) texts.push_back(t.substr(9));
  return texts;
}

const AxisTicks kX = Ticks({-10, -5, 0, 5, 10}, {"-10", "-5", "0", "5", "10"}, {-7.5, -2.5, 2.5, 7.5});
const AxisTicks kY = Ticks({-5, 0, 5}, {"-5", "0", "5"}, {-2.5, 2.5});

TEST(AxisGridDraw, LinesAtTheTicksAndLabelsOnBothSides) {
  CChartGrid g = Grid();
  RecordingDc dc(400, 300);
  DrawAxisGrid(g, X(g, &kX), Y(g, &kY), dc);
  // Frame; minor then major lines, those on the frame left out (-5, 5, -10, 10).
  const std::vector<std::string> lines = {
      "65 60 335 60",    "335 60 335 265",  "335 265 65 265",  "65 265 65 60",
      "65 213 335 213",  "65 111 335 111",  "65 162 335 162",  "98 60 98 265",
      "166 60 166 265",  "233 60 233 265",  "301 60 301 265",  "132 60 132 265",
      "200 60 200 265",  "267 60 267 265"};
  EXPECT_EQ(Lines(dc.log()), lines);
  // Left of the frame ending 7 before it, right of it starting 7 after, centred on the row;
  // centred under and over the columns, 7 pixels off.
  const std::vector<std::string> texts = {
      "42 258 \"-5\"",  "342 258 \"-5\"", "50 155 \"0\"",   "342 155 \"0\"",  "50 53 \"5\"",
      "342 53 \"5\"",   "53 272 \"-10\"", "53 38 \"-10\"",  "124 272 \"-5\"", "124 38 \"-5\"",
      "196 272 \"0\"",  "196 38 \"0\"",   "263 272 \"5\"",  "263 38 \"5\"",   "327 272 \"10\"",
      "327 38 \"10\""};
  EXPECT_EQ(Texts(dc.log()), texts);
  EXPECT_EQ(dc.log().Named("CreateFontA")[0], "CreateFontA 15 400 0 0");
  EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u);
}

TEST(AxisGridDraw, LabelsThePictureWouldCutAreLeftOut) {
  CChartGrid g = Grid();
  // The labels below would end at 287, those right of the frame start at 342, and "10" over
  // the right edge ends at 343.
  RecordingDc dc(340, 280);
  DrawAxisGrid(g, X(g, &kX), Y(g, &kY), dc);
  const std::vector<std::string> texts = {"42 258 \"-5\"", "50 155 \"0\"",  "50 53 \"5\"",
                                          "53 38 \"-10\"", "124 38 \"-5\"", "196 38 \"0\"",
                                          "263 38 \"5\""};
  EXPECT_EQ(Texts(dc.log()), texts);
}

TEST(AxisGridDraw, VisibilityCodesAndTheGridsOwnDirections) {
  struct Case {
    std::int32_t gridVisible;
    std::size_t lines, labels;
  };
  const Case cases[] = {{0, 14, 16}, {1, 7, 6}, {2, 11, 10}, {3, 0, 0}, {-1, 0, 0}};
  for (const Case& c : cases) {
    CChartGrid g = Grid();
    g.gridVisible = c.gridVisible;
    RecordingDc dc(400, 300);
    DrawAxisGrid(g, X(g, &kX), Y(g, &kY), dc);
    EXPECT_EQ(Lines(dc.log()).size(), c.lines) << c.gridVisible;
    EXPECT_EQ(dc.log().Count("TextOutA"), c.labels) << c.gridVisible;
  }
  // No ticks at all: exactly the grid drawer, call for call, for both grid types.
  for (std::int32_t type : {0, 1}) {
    CChartGrid a = Grid(), b = Grid();
    a.gridType = b.gridType = type;
    for (const char* l : {"Mon", "Tue", "Wed", "Thu", "Fri"}) {
      a.labels.Append(l);
      b.labels.Append(l);
    }
    a.lastLabel = b.lastLabel = 4;
    RecordingDc own(400, 300), axes(400, 300);
    // The background tests draw their sample points from the thread's sequence.
    ResetRandomForTest();
    a.DrawGrid(own);
    ResetRandomForTest();
    DrawAxisGrid(b, X(b, type == 1 ? &kX : nullptr), Y(b, nullptr), axes);
    EXPECT_EQ(axes.log().Texts(), own.log().Texts()) << type;
  }
}

// Vertical lines of a log ("x1 y1 x2 y2" with x1 = x2), without the frame's.
std::vector<std::string> Columns(const CallLog& log) {
  std::vector<std::string> columns;
  for (const std::string& l : Lines(log)) {
    int x1, y1, x2, y2;
    if (std::sscanf(l.c_str(), "%d %d %d %d", &x1, &y1, &x2, &y2) == 4 && x1 == x2 && x1 != 65 &&
        x1 != 335)
      columns.push_back(l);
  }
  return columns;
}

TEST(AxisGridDraw, OneAxisWithTicksBesideTheGridsOwnStepping) {
  // Ticks on y only: the columns are the grid's own, from the origin.
  CChartGrid a = Grid(), b = Grid();
  RecordingDc own(400, 300), mixed(400, 300);
  a.DrawGrid(own);
  DrawAxisGrid(b, X(b, nullptr), Y(b, &kY), mixed);
  EXPECT_EQ(Columns(mixed.log()), Columns(own.log()));
  EXPECT_EQ(Columns(own.log()), (std::vector<std::string>{"200 60 200 265", "132 60 132 265", "267 60 267 265"}));
  // The user-type grid keeps its category columns whatever ticks x is given.
  CChartGrid c = Grid(), d = Grid();
  c.gridType = d.gridType = 1;
  for (int k = 0; k < 10; ++k) {
    c.labels.Append(std::to_string(k));
    d.labels.Append(std::to_string(k));
  }
  c.lastLabel = d.lastLabel = 9;
  RecordingDc category(400, 300), withTicks(400, 300);
  c.DrawGrid(category);
  DrawAxisGrid(d, X(d, &kX), Y(d, &kY), withTicks);
  EXPECT_EQ(Columns(withTicks.log()), Columns(category.log()));
}

TEST(GridOwnTicks, ReadBackWhatTheGridLabels) {
  CChartGrid g = Grid();
  const AxisTicks y = GridOwnTicks(g, true);
  EXPECT_EQ(Joined(y.labels), "-5.00|-3.33|-1.67|0.00|1.67|3.33|5.00");
  EXPECT_DOUBLE_EQ(y.major[1], -10.0 / 3);
  const AxisTicks x = GridOwnTicks(g, false);
  EXPECT_EQ(Joined(x.labels), "-10.00|-5.00|0.00|5.00|10.00");
  // Every text the grid draws is one of them, and each of them is drawn.
  RecordingDc dc(400, 300);
  g.DrawGrid(dc);
  for (const std::string& t : Texts(dc.log())) {
    const std::string text = t.substr(t.find('"') + 1, t.size() - t.find('"') - 2);
    EXPECT_TRUE(y.labels.end() != std::find(y.labels.begin(), y.labels.end(), text) ||
                x.labels.end() != std::find(x.labels.begin(), x.labels.end(), text))
        << text;
  }
  // The origin on an edge shares its pixel with the edge's own label: read once.
  CChartGrid edge = Grid();
  edge.xmin = 0;
  edge.AxisOrigin();
  EXPECT_EQ(Joined(GridOwnTicks(edge, false).labels), "0.00|2.50|5.00|7.50|10.00");
  // The user-type grid's columns read back their labels, valued by index.
  CChartGrid user = Grid();
  user.gridType = 1;
  for (int k = 0; k < 20; ++k) user.labels.Append("L" + std::to_string(k));
  user.lastLabel = 9;
  const AxisTicks categories = GridOwnTicks(user, false);
  EXPECT_EQ(Joined(categories.labels), "L0|L2|L4|L6|L8|L9");
  EXPECT_EQ(categories.major[1], 2);
}

// A Bode-style grid through the raster: decades of frequency across, round decibels up,
// labels measured in the grid font. The hash is of the picture checked by eye
// (CORVANE_AXIS_GRID_PNG=<file> writes it).
TEST(AxisGridDraw, LogarithmicPictureThroughTheRaster) {
  ResetRandomForTest();
  RasterGraphicsSystem graphics;
  std::unique_ptr<DeviceContext> dc = graphics.CreateCompatibleDC(nullptr);
  const ObjHandle bitmap = dc->CreateCompatibleBitmap(400, 300);
  const ObjHandle previous = dc->SelectObject(bitmap);
  const ObjHandle white = dc->CreateSolidBrush(0xFFFFFF);
  dc->FillRect(IRect{0, 0, 400, 300}, white);
  dc->DeleteObject(white);

  CChartGrid g = Grid();
  g.lineStyle = 4;
  g.xmin = 10;
  g.xmax = 1e5;
  g.ymin = -43;
  g.ymax = 6;
  AxisTicks x, y;
  {
    DcLabelMeasure measure(*dc, FontRequest{g.labelHeight, 400, false, false});
    TickRequest rx;
    rx.type = AxisType::kLog10;
    rx.from = g.xmin;
    rx.to = g.xmax;
    rx.room = LabelRoom{g.right - g.left, false, 60, 60};
    ASSERT_TRUE(ChooseAxisTicks(rx, measure, &x));
    TickRequest ry;
    ry.from = g.ymin;
    ry.to = g.ymax;
    ry.room = LabelRoom{g.bottom - g.top, true, 30, 30};
    ry.widen = true;
    ASSERT_TRUE(ChooseAxisTicks(ry, measure, &y));
  }
  EXPECT_EQ(Joined(x.labels), "10|100|1000|10000|100000");
  EXPECT_EQ(x.minor.size(), 32u);
  g.ymin = y.from;
  g.ymax = y.to;
  DrawAxisGrid(g, X(g, &x, AxisScale::Logarithmic()), Y(g, &y), *dc);

  std::int32_t w = 0, h = 0;
  std::vector<std::uint32_t> pixels;
  ASSERT_TRUE(graphics.ReadBitmap(bitmap, &w, &h, &pixels));
  std::uint64_t hash = 1469598103934665603ull;
  for (std::uint32_t p : pixels) {
    for (int k = 0; k < 3; ++k) {
      hash ^= (p >> (8 * k)) & 0xFF;
      hash *= 1099511628211ull;
    }
  }
  if (const char* path = std::getenv("CORVANE_AXIS_GRID_PNG")) {
    if (const RasterBitmap* b = graphics.BitmapOf(bitmap)) WritePng(path, *b);
  }
  EXPECT_EQ(hash, 14484899132834235699ull) << hash;
  dc->SelectObject(previous);
  dc->DeleteObject(bitmap);
}

}  // namespace
}  // namespace corvane
