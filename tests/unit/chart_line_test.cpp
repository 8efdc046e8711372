#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "overlays/chart_line.h"
#include "platform/recording_dc.h"
#include "plot_test_support.h"

namespace corvane {
namespace {

using testing::PenMoves;
using testing::RasterPicture;

// A line whose copies place the world [0, 10] x [0, 10] in the area (20, 10)-(120, 110).
CChartLine LineInUnitArea(double x1, double y1, double x2, double y2) {
  CChartLine line;
  line.width = 1;
  line.style = 0;
  line.color = 0x0000FF;
  line.enabled = 1;
  line.x1 = x1;
  line.y1 = y1;
  line.x2 = x2;
  line.y2 = y2;
  line.left = 20;
  line.right = 120;
  line.top = 10;
  line.bottom = 110;
  line.xmin = 0;
  line.xmax = 10;
  line.ymin = 0;
  line.ymax = 10;
  return line;
}

struct AddLineFixture : ::testing::Test, testing::AutomationFixtureBase {};

TEST_F(AddLineFixture, WidthAndStyleOutsideTheirRangesFallBack) {
  chart.AddLine(0, 0, 1, 1, 0, 7, 0x112233);
  chart.AddLine(0, 0, 1, 1, 16, -1, 0);
  chart.AddLine(0, 0, 1, 1, 15, 4, 0);
  ASSERT_EQ(engine().lines.count(), 3);
  EXPECT_EQ(engine().lines[0].width, 1);
  EXPECT_EQ(engine().lines[0].style, 0);
  EXPECT_EQ(engine().lines[0].color, 0x112233u);
  EXPECT_EQ(engine().lines[1].width, 1);
  EXPECT_EQ(engine().lines[1].style, 0);
  EXPECT_EQ(engine().lines[2].width, 15);
  EXPECT_EQ(engine().lines[2].style, 4);
}

TEST_F(AddLineFixture, HiddenLineLeavesTheContextUntouched) {
  chart.AddLine(0, 0, 5, 5, 2, 1, 0);
  chart.SetLineVisible(1, 0);
  VariantBool v = 1;
  chart.GetLineVisible(1, &v);
  EXPECT_EQ(v, kVariantFalse);
  CChartLine& line = engine().lines[0];
  line.left = 0, line.right = 100, line.top = 0, line.bottom = 100;
  line.xmin = 0, line.xmax = 10, line.ymin = 0, line.ymax = 10;
  RecordingDc dc;
  line.Draw(dc);
  EXPECT_EQ(dc.log().size(), 0u) << dc.log().Dump();
}

TEST(ChartLine, MapsWithItsOwnCopies) {
  RecordingDc dc;
  CChartLine line = LineInUnitArea(0, 0, 10, 10);
  line.Draw(dc);
  EXPECT_EQ(dc.log().Named("CreateRectRgn").front(), "CreateRectRgn 20 10 120 110");
  EXPECT_EQ(PenMoves(dc.log()), (std::vector<std::string>{"MoveToEx 20 110", "LineTo 120 10"}));

  // Truncation toward zero, not rounding or floor: world x 2.57 is device 45.7 -> 45, and
  // -2.07 (device -0.7) -> 0; world y 0.35 is device 106.5 -> 106.
  RecordingDc dc2;
  CChartLine cut = LineInUnitArea(2.57, 0.35, -2.07, 10);
  cut.Draw(dc2);
  EXPECT_EQ(PenMoves(dc2.log()), (std::vector<std::string>{"MoveToEx 45 106", "LineTo 0 10"}));
}

// A window copy nothing can be mapped through draws no line, as it draws no rectangle: an
// empty range, a NaN or infinite bound (SetSegment stores whatever it is given), or a range
// so narrow that the scale overflows -- which used to reach the pen with saturated ends.
TEST(ChartLine, WindowCopyThatCannotBeMappedDrawsNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* what;
    double xmin, xmax, ymin, ymax;
  } kWindows[] = {
      {"empty x range", 0, 0, 0, 10},        {"empty y range", 0, 10, 5, 5},
      {"NaN xmin", nan, 10, 0, 10},          {"NaN xmax", 0, nan, 0, 10},
      {"NaN ymax", 0, 10, 0, nan},           {"infinite xmax", 0, inf, 0, 10},
      {"subnormal x width", 0, 4.9e-324, 0, 10}, {"subnormal y height", 0, 10, 1e-310, 2e-310},
  };
  for (const auto& w : kWindows) {
    RecordingDc dc;
    CChartLine line = LineInUnitArea(0, 0, 10, 10);
    line.xmin = w.xmin, line.xmax = w.xmax, line.ymin = w.ymin, line.ymax = w.ymax;
    line.Draw(dc);
    EXPECT_EQ(dc.log().size(), 0u) << w.what << "\n" << dc.log().Dump();
  }
}

TEST(ChartLine, ExtremeWorldValuesDoNotOverflow) {
  RecordingDc dc;
  CChartLine line = LineInUnitArea(-1e300, 5, 1e300, 5);
  line.Draw(dc);
  EXPECT_EQ(PenMoves(dc.log()),
            (std::vector<std::string>{"MoveToEx -2147483648 60", "LineTo 2147483647 60"}));
}

TEST(ChartLine, RightColumnAndBottomRowOfThePlotAreaStayOutside) {
  RasterPicture picture(140, 130);
  // Far beyond the window on every side: a horizontal and a vertical line.
  CChartLine h = LineInUnitArea(-5, 5, 15, 5);
  CChartLine v = LineInUnitArea(5, -5, 5, 15);
  h.Draw(picture.dc());
  v.Draw(picture.dc());
  const Color red = 0x0000FF, white = 0xFFFFFF;
  EXPECT_EQ(picture.At(20, 60), red);    // left column inside
  EXPECT_EQ(picture.At(119, 60), red);   // last column inside
  EXPECT_EQ(picture.At(120, 60), white); // right edge excluded
  EXPECT_EQ(picture.At(19, 60), white);
  EXPECT_EQ(picture.At(70, 10), red);    // top row inside
  EXPECT_EQ(picture.At(70, 109), red);
  EXPECT_EQ(picture.At(70, 110), white); // bottom edge excluded
  EXPECT_EQ(picture.At(70, 9), white);
}

}  // namespace
}  // namespace corvane
