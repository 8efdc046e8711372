// The axes: arrow lines and heads, the axis captions with their clamps, the chart caption,
// and renders with hostile settings that must finish at once. The recording context
// measures 8 pixels per byte by the font's height.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "appearance/axis_arrow.h"
#include "control/chart_engine.h"
#include "platform/recording_dc.h"

namespace corvane {
namespace {

// A 400 x 300 engine (plot area 65, 60, 335, 265) with the axes crossing at (200, 162).
void SetUpWorked(CChartEngine& e) {
  e.SetSize(400, 300);
  e.layoutDirty = 0;
  e.grid.originX = 200;
  e.grid.originY = 162;
}

TEST(AxisArrows, LinesRunPastTheAreaToHeadsAtTheWorkedCoordinates) {
  CChartEngine e;
  SetUpWorked(e);
  RecordingDc dc(400, 300);
  e.DrawAxisArrows(dc);
  const CallLog& log = dc.log();
  EXPECT_EQ(log.Named("MoveToEx"), (std::vector<std::string>{"MoveToEx 200 265", "MoveToEx 65 162"}));
  EXPECT_EQ(log.Named("LineTo"), (std::vector<std::string>{"LineTo 200 41", "LineTo 354 162"}));
  EXPECT_EQ(log.Named("Polygon"), (std::vector<std::string>{"Polygon 3 200 41 204 53 196 53",
                                                           "Polygon 3 354 162 342 166 342 158"}));
  EXPECT_EQ(log.Named("CreatePen")[0], "CreatePen 2 0x000000");
  // The head has no outline, and the null pen stays selected after it.
  const long head = log.Find("Polygon");
  EXPECT_EQ(log.calls()[static_cast<std::size_t>(head) - 1].text, "SelectObject nullpen");
  EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u);

  // Drawn twice per render: after the layout pass and again over the overlays.
  CChartEngine full;
  full.SetSize(400, 300);
  RecordingDc whole(400, 300);
  full.RenderChart(&whole);
  EXPECT_EQ(whole.log().Count("Polygon"), 4u);
}

TEST(AxisArrows, HeadsOnlyWhereTheyFitWithWideArithmetic) {
  struct Case {
    const char* name;
    std::int32_t length, halfWidth;
    std::int32_t x1, y1, x2, y2;
    const char* polygon;  // "" for no head
  };
  const Case cases[] = {
      {"head longer than the line", 500, 4, 65, 162, 354, 162, ""},
      {"head as long as the line", 12, 4, 0, 0, 12, 0, ""},
      {"line of no length, negative head", -5, 4, 7, 7, 7, 7, ""},
      {"head of INT32_MAX", INT32_MAX, 4, 65, 162, 354, 162, ""},
      {"negative half width swaps the base corners", 12, -4, 65, 162, 354, 162,
       "Polygon 3 354 162 342 158 342 166"},
      {"a wide head within GDI's 28-bit coordinates", 12, 1 << 20, 65, 162, 354, 162,
       "Polygon 3 354 162 342 1048738 342 -1048414"},
      {"a head reaching past them", 12, INT32_MAX, 65, 162, 354, 162, ""},
      {"a tip past them", 12, 4, 0, 5, INT32_MAX, 5, ""},
      {"a line longer than int32 differences", 12, 4, INT32_MIN, 5, 1000, 5,
       "Polygon 3 1000 5 988 9 988 1"},
  };
  for (const Case& c : cases) {
    CAxisArrow arrow;
    arrow.headLength = c.length;
    arrow.headHalfWidth = c.halfWidth;
    RecordingDc dc(400, 300);
    arrow.DrawLine(c.x1, c.y1, c.x2, c.y2, dc);
    const std::vector<std::string> heads = dc.log().Named("Polygon");
    EXPECT_EQ(heads.empty() ? std::string() : heads[0], c.polygon) << c.name;
    EXPECT_EQ(dc.log().Count("LineTo"), 1u) << c.name;
  }
}

TEST(AxisCaptions, ClampedAtTheLeftThenTheRightAndNeverBelow) {
  struct Case {
    const char* name;
    std::int32_t originX, originY, bytesY, bytesX, arrowR;
    const char* yCaption;
    const char* xCaption;
  };
  // Vertical caption y = 60 - 12 - 15 - 7 = 26; horizontal at originY + arrowR + 2.
  const Case cases[] = {
      {"centred over the axis, right of the area", 200, 162, 9, 1, 4, "164 26", "337 168"},
      {"a negative x becomes 1", 65, 162, 20, 1, 4, "1 26", "337 168"},
      {"past the right border", 335, 162, 20, 1, 4, "239 26", "337 168"},
      {"the right clamp comes after the left one", 200, 162, 60, 1, 4, "-81 26", "337 168"},
      {"a long horizontal caption moves left, past 0", 200, 100, 9, 60, -10, "164 26", "-81 92"},
  };
  for (const Case& c : cases) {
    CChartEngine e;
  SetUpWorked(e);
    e.grid.originX = c.originX;
    e.grid.originY = c.originY;
    e.xArrow.headHalfWidth = c.arrowR;
    e.yAxisCaption.text.assign(static_cast<std::size_t>(c.bytesY), 'y');
    e.xAxisCaption.text.assign(static_cast<std::size_t>(c.bytesX), 'x');
    RecordingDc dc(400, 300);
    e.DrawAxisCaptions(dc);
    const std::vector<std::string> texts = dc.log().Named("TextOutA");
    ASSERT_EQ(texts.size(), 2u) << c.name;
    EXPECT_EQ(texts[0].substr(9, texts[0].find('"') - 10), c.yCaption) << c.name;
    EXPECT_EQ(texts[1].substr(9, texts[1].find('"') - 10), c.xCaption) << c.name;
  }
}

TEST(Caption, CentredOnThePictureTruncatingTowardZero) {
  struct Case {
    std::int32_t width;
    std::size_t bytes;
    const char* at;
  };
  // 8 pixels per byte: 19 bytes are 152 wide; 51 bytes 408, 5 more than a 403 picture.
  const Case cases[] = {{400, 19, "TextOutA 124 10"}, {403, 51, "TextOutA -2 10"}};
  for (const Case& c : cases) {
    CChartEngine e;
    e.SetSize(c.width, 300);
    e.captionLabel.text.assign(c.bytes, 'c');
    RecordingDc dc(c.width, 300);
    e.DrawCaption(dc);
    const std::vector<std::string> texts = dc.log().Named("TextOutA");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].substr(0, texts[0].find(" \"")), c.at);
    EXPECT_EQ(dc.log().Named("CreateFontA")[0], "CreateFontA 16 700 0 0");
  }
}

TEST(HostileRenders, FinishAtOnce) {
  // A 10 x 10 picture asking for two billion grid lines.
  CChartEngine tiny;
  tiny.SetSize(10, 10);
  tiny.grid.horizontalLines = 2000000000;
  tiny.grid.verticalLines = 2000000000;
  RecordingDc small(10, 10);
  tiny.RenderChart(&small);
  EXPECT_EQ(tiny.layoutDirty, 0);

  // The user-type grid with labels and no segment: a window of one label.
  CChartEngine user;
  user.SetSize(400, 300);
  user.SetUserTypeGrid();
  for (int k = 0; k < 5; ++k) user.grid.labels.Append("label");
  RecordingDc dc(400, 300);
  user.RenderChart(&dc);
  // The caption, two axis captions, six fixed value labels and two on each of four lines,
  // and the one label at both bottom corners.
  EXPECT_EQ(dc.log().Count("TextOutA"), 1u + 2u + 6u + 8u + 2u);

  // Arrow heads of INT32_MAX: the horizontal tip saturates and that line is shorter than its
  // head; the vertical one runs from 265 up to 60 - 7 - INT32_MAX, where no head is drawn.
  CChartEngine arrows;
  arrows.SetSize(400, 300);
  arrows.xArrow.headLength = arrows.yArrow.headLength = INT32_MAX;
  arrows.xArrow.headHalfWidth = arrows.yArrow.headHalfWidth = INT32_MIN;
  RecordingDc heads(400, 300);
  arrows.RenderChart(&heads);
  EXPECT_EQ(heads.log().Count("Polygon"), 0u);
  EXPECT_NE(heads.log().Find("LineTo 200 -2147483594"), -1);
  EXPECT_NE(heads.log().Find("LineTo 2147483647 162"), -1);
}

}  // namespace
}  // namespace corvane
