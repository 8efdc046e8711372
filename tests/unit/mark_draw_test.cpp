// Marks through the recording context: the two boxed labels, the dotted guide lines, which
// marks draw at all, and the layout copies they draw from. The chart is 400 x 300 (plot area
// 65, 60, 335, 265) over x 0..10 and y 0..10 (a hidden line makes the vertical range), with
// grid and arrows off, so the log holds the marks alone. The recording context measures 8
// pixels per byte by the font's height.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "overlays/line_style.h"
#include "tests/unit/overlay_test_support.h"

namespace corvane {
namespace {

using testing::Len;
using testing::RecordedChart;

struct MarkChart : RecordedChart {
  MarkChart() {
    chart.put_caption(u"", 0);  // no caption text; the top margin stays 60
    chart.SetSegment(0, 10);
    chart.AddLine(0, 0, 10, 10, 1, 0, 0);
    chart.SetLineVisible(1, 0);
  }
};

// The pens and pieces of `log` from the call at `from` on.
std::vector<std::string> Strokes(const CallLog& log, long from = 0) {
  std::vector<std::string> out;
  for (std::size_t k = from < 0 ? log.size() : static_cast<std::size_t>(from); k < log.size(); ++k) {
    const std::string name = log.calls()[k].Name();
    if (name == "CreatePen" || name == "MoveToEx" || name == "LineTo") out.push_back(log.calls()[k].text);
  }
  return out;
}

// The strokes of a dotted 0xA0A0A0 line drawn alone, for comparison with a mark's guides.
std::vector<std::string> GuideStrokes(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                      std::int32_t y2) {
  RecordingDc dc(400, 300);
  CLineStyle line;
  line.style = 4;
  line.color = 0xA0A0A0;
  line.DrawLine(x1, y1, x2, y2, dc);
  return Strokes(dc.log());
}

TEST(MarkDraw, WorkedExampleBoxesBothValuesAndDotsTheGuidesOnTop) {
  MarkChart c;
  c.chart.AddMark(2.5, 7);
  const CallLog& log = c.Render();
  // Xd = 65 + 2.5 * 27 = 132.5, Yd = 265 - 7 * 20.5 = 121.5. " 7.00 " is 48 x 15: it ends 7
  // left of the area, centred on row 121; " 2.50 " is centred on column 132, 7 below it.
  EXPECT_EQ(log.Named("TextOutA"),
            (std::vector<std::string>{"TextOutA 10 114 \" 7.00 \"", "TextOutA 108 272 \" 2.50 \""}));
  EXPECT_EQ(log.Named("Rectangle"),
            (std::vector<std::string>{"Rectangle 9 113 59 130", "Rectangle 107 271 157 288"}));
  EXPECT_EQ(log.Count("CreateFontA 15 400 0 0"), 1u);  // one font for both labels
  EXPECT_EQ(log.Count("CreateSolidBrush 0xccffff"), 2u);
  const std::vector<std::string> colors = log.Named("SetTextColor");  // set, restore, ...
  ASSERT_EQ(colors.size(), 4u);
  EXPECT_EQ(colors[0], "SetTextColor 0x000000");
  EXPECT_EQ(colors[2], "SetTextColor 0x000000");

  // After the labels: the horizontal guide from the left edge to the point, then the
  // vertical one down to the bottom edge, dotted, with no clip of their own.
  std::vector<std::string> guides = GuideStrokes(65, 121, 132, 121);
  const std::vector<std::string> down = GuideStrokes(132, 121, 132, 265);
  guides.insert(guides.end(), down.begin(), down.end());
  EXPECT_EQ(Strokes(log, log.Find("CreatePen 1 0xa0a0a0")), guides);
  EXPECT_GT(log.Find("CreatePen 1 0xa0a0a0"), log.Find("TextOutA 108 272"));
  EXPECT_EQ(log.Count("SelectClipRgn"), 0u);
  EXPECT_GT(log.Count("LineTo"), 20u);  // dotted, not one stroke each
  EXPECT_EQ(c.dc.recordingSystem().LiveObjectCount(), 0u);
}

TEST(MarkDraw, UserTextReplacesTheXValueAndEndsAtANull) {
  struct Case {
    std::u16string text;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {u"Peak", {"TextOutA 10 114 \" 7.00 \"", "TextOutA 116 272 \"Peak\""}},
      {std::u16string(u"Peak\0tail", 9), {"TextOutA 10 114 \" 7.00 \"", "TextOutA 116 272 \"Peak\""}},
      {u"", {"TextOutA 10 114 \" 7.00 \""}},  // no x label, no box for it
      {std::u16string(u"\0Peak", 5), {"TextOutA 10 114 \" 7.00 \""}},
  };
  for (const Case& k : cases) {
    MarkChart c;
    c.chart.AddMark2(2.5, 7, k.text.data(), Len(k.text));
    const CallLog& log = c.Render();
    EXPECT_EQ(log.Named("TextOutA"), k.texts);
    EXPECT_EQ(log.Count("Rectangle"), k.texts.size());
    EXPECT_EQ(log.Count("CreatePen 1 0xa0a0a0"), 2u);  // the guides either way
    // The client's text stays across renders; the value labels are rewritten.
    EXPECT_EQ(c.Render().Named("TextOutA"), k.texts);
  }
}

TEST(MarkDraw, OnlyMarksStrictlyInsideHorizontallyWithAFiniteHeightDraw) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* name;
    double x, y;
    bool drawn;
  };
  const Case cases[] = {
      {"on the left edge", 0, 5, false},
      {"on the right edge", 10, 5, false},
      {"just inside the left edge", 0.01, 5, true},
      {"just inside the right edge", 9.99, 5, true},
      {"left of the area", -1, 5, false},
      {"x not a number", kNaN, 5, false},
      {"x infinite", kInf, 5, false},
      {"above the window: drawn outside the area", 5, 12, true},
      {"below the window", 5, -3, true},
      {"y not a number", 5, kNaN, false},
      {"y infinite", 5, kInf, false},
      {"y minus infinity", 5, -kInf, false},
  };
  for (const Case& k : cases) {
    MarkChart c;
    c.chart.AddMark(k.x, k.y);
    const CallLog& log = c.Render();
    EXPECT_EQ(log.Count("TextOutA"), k.drawn ? 2u : 0u) << k.name;
    EXPECT_EQ(log.Count("CreatePen"), k.drawn ? 4u : 0u) << k.name;  // two boxes, two guides
  }
}

TEST(MarkDraw, GuidesMillionsOfPixelsLongWalkOnlyThroughThePicture) {
  // Far above the window the vertical guide is millions of pixels long (or saturates at the
  // int32 range): its dots are walked only where the picture can show them.
  for (double y : {1e6, -3e7, 1e300, -1e300}) {
    MarkChart c;
    c.chart.AddMark(5, y);
    const CallLog& log = c.Render();
    EXPECT_EQ(log.Count("TextOutA"), 2u) << y;
    EXPECT_LT(log.Count("LineTo"), 400u) << y;
    EXPECT_GT(log.Count("LineTo"), 10u) << y;  // the visible part is still dotted
  }
}

TEST(MarkDraw, HiddenMarksAndMarksWithoutALayoutDrawNothing) {
  MarkChart c;
  c.chart.AddMark(2.5, 7);
  c.chart.AddMark(5, 5);
  c.chart.SetMarkVisible(1, 0);
  VariantBool visible = kVariantTrue;
  c.chart.GetMarkVisible(1, &visible);
  EXPECT_EQ(visible, kVariantFalse);
  EXPECT_EQ(c.Render().Named("TextOutA"),
            (std::vector<std::string>{"TextOutA 10 155 \" 5.00 \"", "TextOutA 176 272 \" 5.00 \""}));
  c.chart.SetMarkVisible(1, kVariantTrue);
  EXPECT_EQ(c.Render().Count("TextOutA"), 4u);

  // A mark added after a render has no layout copies until something dirties the layout.
  c.chart.AddMark(7.5, 2);
  EXPECT_EQ(c.Render().Count("TextOutA"), 4u);
  EXPECT_EQ(c.Render().Count("TextOutA"), 4u);
  c.chart.SetSize(RecordedChart::kWidth, RecordedChart::kHeight);
  EXPECT_EQ(c.Render().Count("TextOutA"), 6u);

  c.chart.RemoveAllMarks();
  EXPECT_EQ(c.Render().size(), c.Render().size());
  EXPECT_EQ(c.Render().Count("TextOutA"), 0u);
}

TEST(MarkDraw, FontLineWidthAndStyleFollowTheGridButTheTextStaysBlack) {
  struct Case {
    std::int32_t labelHeight;
    std::uint8_t italic;
    std::int32_t lineWidth, lineStyle;
    Color lineColor;
    const char* font;
    const char* pen;
    bool dotted;
  };
  const Case cases[] = {
      {15, 0, 1, 4, 0xA0A0A0, "CreateFontA 15 400 0 0", "CreatePen 1 0xa0a0a0", true},
      {20, 1, 3, 0, 0x102030, "CreateFontA 20 400 1 0", "CreatePen 3 0x102030", false},
      {12, 1, 0, 9, 0x0000FF, "CreateFontA 12 400 1 0", "CreatePen 1 0x0000ff", false},
      {15, 0, 16, -1, 0x00FF00, "CreateFontA 15 400 0 0", "CreatePen 1 0x00ff00", false},
  };
  for (const Case& k : cases) {
    MarkChart c;
    c.chart.put_preset(13);  // a preset with its own text colour: the labels ignore it
    CChartGrid& g = c.chart.engine().grid;
    g.labelHeight = k.labelHeight;
    g.labelItalic = k.italic;
    g.lineWidth = k.lineWidth;
    g.lineStyle = k.lineStyle;
    g.lineColor = k.lineColor;
    c.chart.AddMark(2.5, 7);
    const CallLog& log = c.Render();
    EXPECT_EQ(log.Named("CreateFontA").back(), k.font);  // after the caption's
    EXPECT_EQ(log.Count(k.pen), 2u) << k.pen;
    EXPECT_EQ(log.Count("LineTo") > 2, k.dotted) << k.pen;
    EXPECT_EQ(log.Named("SetTextColor")[0], "SetTextColor 0x000000");
  }
}

}  // namespace
}  // namespace corvane
