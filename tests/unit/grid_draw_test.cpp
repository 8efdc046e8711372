// The grid drawer through the recording context: frame, value lines stepped from the axis
// origin, category lines, their labels, and the bounds on hostile settings. A blank recording
// context reads 0 everywhere inside its surface, so every label passes its background test;
// it measures 8 pixels per byte by the font's height.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "appearance/chart_grid.h"
#include "control/chart_engine.h"
#include "platform/recording_dc.h"

namespace corvane {
namespace {

// The grid of the 400 x 300 chart with default margins over x -10..10, y -5..5; solid lines,
// so that each line is one MoveToEx and one LineTo.
CChartGrid WorkedGrid() {
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

// "x1 y1 x2 y2" of every line drawn.
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

TEST(GridDraw, WorkedExampleStepsFromTheOriginAndStopsFiveInsideTheFrame) {
  CChartGrid g = WorkedGrid();
  ASSERT_EQ(g.originY, 162);
  RecordingDc dc(400, 300);
  g.DrawGrid(dc);
  const std::vector<std::string> frame = {"65 60 335 60", "335 60 335 265", "335 265 65 265",
                                          "65 265 65 60"};
  std::vector<std::string> expected = frame;
  for (const char* l : {"65 162 335 162", "65 127 335 127", "65 93 335 93", "65 196 335 196",
                        "65 230 335 230", "200 60 200 265", "132 60 132 265", "267 60 267 265"})
    expected.push_back(l);
  EXPECT_EQ(Lines(dc.log()), expected);

  // Left labels end 7 pixels before the frame, centred on their row (15 / 2 = 7 above it);
  // top labels end 7 above it, bottom ones start 7 below.
  const std::vector<std::string> texts = Texts(dc.log());
  const std::vector<std::string> want = {
      "26 155 \"0.00\"",   "342 155 \"0.00\"",  "18 258 \"-5.00\"", "342 258 \"-5.00\"",
      "26 53 \"5.00\"",    "342 53 \"5.00\"",   "26 120 \"1.67\"",  "342 120 \"1.67\"",
      "26 86 \"3.33\"",    "342 86 \"3.33\"",   "18 189 \"-1.67\"", "342 189 \"-1.67\"",
      "18 223 \"-3.33\"",  "342 223 \"-3.33\"", "184 272 \"0.00\"", "184 38 \"0.00\"",
      "41 272 \"-10.00\"", "41 38 \"-10.00\"",  "315 272 \"10.00\"", "315 38 \"10.00\"",
      "112 38 \"-5.00\"",  "112 272 \"-5.00\"", "251 38 \"5.00\"",  "251 272 \"5.00\""};
  EXPECT_EQ(texts, want);
  EXPECT_EQ(dc.log().Named("CreateFontA")[0], "CreateFontA 15 400 0 0");
}

TEST(GridDraw, GridVisibleChoosesTheDirectionsAndOtherCodesDrawNothing) {
  struct Case {
    std::int32_t gridVisible;
    std::size_t lines, labels;
  };
  const Case cases[] = {{0, 12, 24}, {1, 9, 14}, {2, 7, 10}, {-1, 0, 0}, {3, 0, 0}};
  for (const Case& c : cases) {
    CChartGrid g = WorkedGrid();
    g.gridVisible = c.gridVisible;
    RecordingDc dc(400, 300);
    g.DrawGrid(dc);
    EXPECT_EQ(Lines(dc.log()).size(), c.lines) << c.gridVisible;
    EXPECT_EQ(dc.log().Count("TextOutA"), c.labels) << c.gridVisible;
    if (c.lines == 0) {
      EXPECT_EQ(dc.log().size(), 0u);
    }
  }
}

// A user-type grid over labels "0", "1", ... with the window first..last, vertical lines only.
CallLog CategoryLog(std::int32_t labels, std::int32_t first, std::int32_t last,
                    std::int32_t verticalLines = 4) {
  CChartGrid g = WorkedGrid();
  g.gridType = 1;
  g.gridVisible = 2;
  g.verticalLines = verticalLines;
  for (std::int32_t k = 0; k < labels; ++k) g.labels.Append(std::to_string(k));
  g.firstLabel = first;
  g.lastLabel = last;
  g.xmin = 0;  // the axis on the left edge
  g.AxisOrigin();
  RecordingDc dc(400, 300);
  g.DrawGrid(dc);
  return dc.log();
}

TEST(GridDraw, CategoryLinesFallEveryStepLabelsAndSkipWhatIsNotThere) {
  struct Case {
    const char* name;
    std::int32_t labels, first, last;
    std::vector<std::string> lines;  // after the frame and the axis line
    std::vector<std::string> texts;  // the texts drawn, in order
  };
  const Case cases[] = {
      {"span 9 in 4 lines", 20, 0, 9,
       {"125 60 125 265", "185 60 185 265", "245 60 245 265", "305 60 305 265"},
       {"0", "9", "2", "4", "6", "8"}},
      {"span 2 below the line count", 20, 0, 2, {"200 60 200 265"}, {"0", "2", "1"}},
      {"one label: both corners, no lines", 20, 0, 0, {}, {"0", "0"}},
      {"reversed window", 20, 5, 2, {}, {"5", "2"}},
      {"window past the array: the last line goes without a label", 20, 0, 30,
       {"128 60 128 265", "191 60 191 265", "254 60 254 265"}, {"0", "7", "14"}},
      {"window before the array", 20, -3, 5,
       {"132 60 132 265", "200 60 200 265", "267 60 267 265"}, {"5", "1", "3"}},
      {"no labels: the axis line only", 0, 0, 9, {}, {}},
  };
  for (const Case& c : cases) {
    const CallLog log = CategoryLog(c.labels, c.first, c.last);
    std::vector<std::string> lines = Lines(log);
    ASSERT_GE(lines.size(), 5u) << c.name;
    EXPECT_EQ(lines[4], "65 60 65 265") << c.name;
    lines.erase(lines.begin(), lines.begin() + 5);
    EXPECT_EQ(lines, c.lines) << c.name;
    std::vector<std::string> texts;
    for (const std::string& t : Texts(log)) texts.push_back(t.substr(t.find('"') + 1, t.size() - t.find('"') - 2));
    EXPECT_EQ(texts, c.texts) << c.name;
  }
  // The 9-span labels sit centred under their lines, 7 pixels below the frame.
  EXPECT_EQ(Texts(CategoryLog(20, 0, 9))[2], "121 272 \"2\"");
}

TEST(GridDraw, HugeLineCountsAndEmptyAreasFinishAtOnce) {
  // At most one line per pixel row and column, however many are asked for.
  for (std::int32_t type : {0, 1}) {
    CChartGrid g = WorkedGrid();
    g.gridType = type;
    g.horizontalLines = 2000000000;
    g.verticalLines = INT32_MAX;
    for (std::int32_t k = 0; k < 2000; ++k) g.labels.Append("u");
    g.lastLabel = 1999;
    g.xmin = 0;  // the vertical axis on the frame's left edge, off the stepped columns
    g.AxisOrigin();
    RecordingDc dc(400, 300);
    g.DrawGrid(dc);
    std::set<std::string> distinct;
    for (const std::string& l : Lines(dc.log())) EXPECT_TRUE(distinct.insert(l).second) << l;
    EXPECT_LE(distinct.size(), 4u + 2u + 205u + 270u);
    EXPECT_GT(distinct.size(), 300u);
  }
  // Plot areas of pictures smaller than their margins, or empty: frame and axis lines only.
  for (auto [w, h] : {std::pair{10, 10}, std::pair{0, 0}, std::pair{130, 95}, std::pair{-5, 50}}) {
    CChartGrid g = WorkedGrid();
    g.right = w - 65;
    g.bottom = h - 35;
    g.horizontalLines = 2000000000;
    g.AxisOrigin();
    RecordingDc dc(400, 300);
    g.DrawGrid(dc);
    EXPECT_EQ(Lines(dc.log()).size(), 6u) << w << "x" << h;
  }
  // Line counts no interface allows (a native caller's) step nowhere.
  CChartGrid g = WorkedGrid();
  g.horizontalLines = 0;
  g.verticalLines = -4;
  RecordingDc dc(400, 300);
  g.DrawGrid(dc);
  EXPECT_EQ(Lines(dc.log()).size(), 6u);
}

TEST(GridDraw, EngineRendersLeaveNoNaNLabelAndResetTheDigits) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* name;
    double a, b;    // SetSegment
    double y1, y2;  // the plot's two values
  };
  const Case cases[] = {
      {"finite data of +-1e308: an infinite vertical window", 1, 2, 1e308, -1e308},
      {"an infinite segment end", 1, kInf, 0, 1},
      {"a segment of -inf", -kInf, -1, 0, 1},
      {"a NaN segment", kNaN, kNaN, 0, 1},
  };
  for (const Case& c : cases) {
    CChartEngine e;
    e.SetSize(400, 300);
    e.plotsCount = 1;
    e.plots[0].AddPoint(1, c.y1);
    e.plots[0].AddPoint(2, c.y2);
    e.SetSegment(c.a, c.b);
    e.grid.digitsAfterPoint = 6;
    RecordingDc dc(400, 300);
    e.RenderChart(&dc);
    EXPECT_EQ(e.grid.digitsAfterPoint, 2) << c.name;  // written back by the labels
    EXPECT_FALSE(std::isnan(e.grid.originWorldX)) << c.name;
    EXPECT_FALSE(std::isnan(e.grid.originWorldY)) << c.name;
    EXPECT_EQ(e.grid.FormatGridValue(e.grid.originWorldY).find("nan"), std::string::npos) << c.name;
    EXPECT_EQ(e.grid.FormatGridValue(e.grid.originWorldX).find("nan"), std::string::npos) << c.name;
  }
  // The vertical window of +-1e308 data is infinite both ways: the horizontal axis falls
  // back to the top edge, at world 0.
  CChartEngine e;
  e.SetSize(400, 300);
  e.plotsCount = 1;
  e.plots[0].AddPoint(1, 1e308);
  e.plots[0].AddPoint(2, -1e308);
  e.LayoutPass();
  EXPECT_EQ(e.grid.originY, 60);
  EXPECT_EQ(e.grid.originWorldY, 0.0);
}

}  // namespace
}  // namespace corvane
