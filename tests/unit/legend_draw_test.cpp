// The legend: box geometry in the four corners, the translucent box with its frame, the rows,
// the bounds on hostile sizes, entries that go in whole, and the drawing through the engine.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "appearance/legend.h"
#include "tests/unit/overlay_test_support.h"

namespace corvane {
namespace {

using testing::RecordedChart;

// A recording context whose texts measure what the test says: 60 x 16 unless a text is
// listed; a text listed with a negative width fails to measure.
class MeasuringDc : public RecordingDc {
 public:
  struct Extent {
    std::string text;
    TextSize size;
  };
  explicit MeasuringDc(std::vector<Extent> extents = {}) : RecordingDc(400, 300), extents_(std::move(extents)) {}
  bool GetTextExtentPoint32A(const char* text, std::int32_t len, TextSize* size) override {
    RecordingDc::GetTextExtentPoint32A(text, len, size);
    *size = TextSize{60, 16};
    for (const Extent& e : extents_) {
      if (e.text != std::string(text, static_cast<std::size_t>(len))) continue;
      if (e.size.cx < 0) return false;
      *size = e.size;
    }
    return true;
  }

 private:
  std::vector<Extent> extents_;
};

constexpr std::int32_t kLeft = 65, kTop = 60, kRight = 335, kBottom = 265;

TEST(LegendDraw, OneSixtyBySixteenEntryInEachCorner) {
  struct Case {
    std::int32_t position;
    std::int32_t x, y;
  };
  const Case cases[] = {{0, 70, 65},   {1, 240, 65},        {2, 240, 232},
                        {3, 70, 232},  {-1, 70, 232},       {INT32_MIN, 70, 232}};
  for (const Case& k : cases) {
    CLegend legend;
    legend.Add(0x0000FF, "entry");
    MeasuringDc dc;
    const LegendBox box = legend.Layout(dc, k.position, kLeft, kTop, kRight, kBottom);
    EXPECT_EQ(box.x, k.x) << k.position;
    EXPECT_EQ(box.y, k.y) << k.position;
    EXPECT_EQ(box.width, 90);
    EXPECT_EQ(box.height, 28);
    EXPECT_EQ(box.rowHeight, 22);
  }

  // Position 0 drawn: the box blended over (70, 65) 90 x 28 at alpha 204 and framed in
  // black; the square covers x 77..82 and y 76..81 round the anchor (80, 79); the text's
  // top-left is (87, 71).
  CLegend legend;
  legend.Add(0x0000FF, "entry");
  MeasuringDc dc;
  legend.Draw(dc, 0, kLeft, kTop, kRight, kBottom);
  const CallLog& log = dc.log();
  const std::vector<std::string> blends = log.Named("AlphaBlend");
  ASSERT_EQ(blends.size(), 1u);
  EXPECT_EQ(blends[0].rfind("AlphaBlend 70 65 90 28 ", 0), 0u) << blends[0];
  EXPECT_EQ(testing::LastNumber(blends[0]), 204);
  EXPECT_EQ(log.Count("CreateSolidBrush 0xccffff"), 1u);
  EXPECT_EQ(log.Named("CreatePen"), std::vector<std::string>(4, "CreatePen 1 0x000000"));
  std::vector<std::string> frame;
  for (const RecordedCall& c : log.calls())
    if (c.Name() == "MoveToEx" || c.Name() == "LineTo") frame.push_back(c.text);
  EXPECT_EQ(frame, (std::vector<std::string>{"MoveToEx 70 65", "LineTo 160 65", "MoveToEx 160 65",
                                             "LineTo 160 93", "MoveToEx 160 93", "LineTo 70 93",
                                             "MoveToEx 70 93", "LineTo 70 65"}));
  EXPECT_EQ(log.Named("FillRect").back().rfind("FillRect 77 76 83 82", 0), 0u);
  EXPECT_EQ(log.Count("CreateSolidBrush 0x0000ff"), 1u);
  EXPECT_EQ(log.Named("TextOutA"), std::vector<std::string>{"TextOutA 87 71 \"entry\""});
  EXPECT_EQ(log.Named("CreateFontA")[0], "CreateFontA 14 400 0 0");
  EXPECT_LT(log.Find("AlphaBlend"), log.Find("LineTo"));   // fill, frame, rows
  EXPECT_LT(log.Find("LineTo"), log.Find("FillRect 77"));
  EXPECT_EQ(log.Count("CreateRectRgn 65 60 335 265"), 0u);  // not clipped to the plot area
  EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u);
}

TEST(LegendDraw, RowsTakeTheTallestTextAndTheWidestSetsTheBox) {
  struct Case {
    const char* name;
    std::vector<MeasuringDc::Extent> extents;
    std::int32_t width, rowHeight;
    std::vector<std::string> texts;  // TextOutA of the three rows
  };
  const Case cases[] = {
      {"all alike", {}, 90, 22, {"TextOutA 87 71 \"a\"", "TextOutA 87 93 \"bb\""}},
      {"a wide and a tall one",
       {{"a", {200, 16}}, {"bb", {20, 24}}},
       230, 30,
       {"TextOutA 87 75 \"a\"", "TextOutA 87 101 \"bb\""}},
      // The last text cannot be measured: the rows keep the height of the others.
      {"the last fails", {{"", {-1, 0}}}, 90, 22, {"TextOutA 87 71 \"a\"", "TextOutA 87 93 \"bb\""}},
      {"every one fails",
       {{"a", {-1, 0}}, {"bb", {-1, 0}}, {"", {-1, 0}}},
       30, 6,
       {"TextOutA 87 71 \"a\"", "TextOutA 87 77 \"bb\""}},
  };
  for (const Case& k : cases) {
    CLegend legend;
    legend.Add(0x000001, "a");
    legend.Add(0x000002, "bb");
    legend.Add(0x000003, "");  // its square only
    MeasuringDc dc(k.extents);
    const LegendBox box = legend.Layout(dc, 0, kLeft, kTop, kRight, kBottom);
    EXPECT_EQ(box.width, k.width) << k.name;
    EXPECT_EQ(box.rowHeight, k.rowHeight) << k.name;
    EXPECT_EQ(box.height, 3 * k.rowHeight + 6) << k.name;
    dc.log().Clear();
    legend.Draw(dc, 0, kLeft, kTop, kRight, kBottom);
    // The empty text draws its square only; a text that cannot be measured is placed by a
    // zero extent.
    EXPECT_EQ(dc.log().Named("TextOutA"), k.texts) << k.name;
    for (const char* square : {"CreateSolidBrush 0x000001", "CreateSolidBrush 0x000002", "CreateSolidBrush 0x000003"})
      EXPECT_EQ(dc.log().Count(square), 1u) << k.name << " " << square;
  }
}

TEST(LegendDraw, HugeTextsAreasAndEntryCountsSaturate) {
  struct Case {
    const char* name;
    std::int32_t position, left, top, right, bottom;
    TextSize text;
    LegendBox want;  // x, y, width, height
    const char* firstText;
  };
  const Case cases[] = {
      {"a text as wide as int32 allows", 1, kLeft, kTop, kRight, kBottom, {INT32_MAX, 16},
       {-2147483347, 65, INT32_MAX, 50}, "TextOutA -2147483330 71 \"entry\""},
      {"two rows as tall as int32 allows", 2, kLeft, kTop, kRight, kBottom, {60, INT32_MAX},
       {240, INT32_MIN, 90, INT32_MAX}, "TextOutA 257 -2147483642 \"entry\""},
      {"a plot area at the int32 ends", 0, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, {60, 16},
       {INT32_MAX, INT32_MAX, 90, 50}, "TextOutA 2147483647 2147483639 \"entry\""},
      {"the far corner of that area", 2, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, {60, 16},
       {INT32_MIN, INT32_MIN, 90, 50}, "TextOutA -2147483631 -2147483642 \"entry\""},
  };
  for (const Case& k : cases) {
    CLegend legend;
    legend.Add(0x0000FF, "entry");
    legend.Add(0x00FF00, "entry");
    MeasuringDc dc({{"entry", k.text}});
    const LegendBox box = legend.Layout(dc, k.position, k.left, k.top, k.right, k.bottom);
    EXPECT_EQ(box.x, k.want.x) << k.name;
    EXPECT_EQ(box.y, k.want.y) << k.name;
    EXPECT_EQ(box.width, k.want.width) << k.name;
    EXPECT_EQ(box.height, k.want.height) << k.name;
    dc.log().Clear();
    legend.Draw(dc, k.position, k.left, k.top, k.right, k.bottom);
    // Rows placed from the saturated box saturate too, text positions included.
    ASSERT_EQ(dc.log().Count("TextOutA"), 2u) << k.name;
    EXPECT_EQ(dc.log().Named("TextOutA")[0], k.firstText) << k.name;
    EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u) << k.name;
  }
}

// Through the engine: drawn last with the current plot area, not without entries or when
// hidden, and never recoloured by a preset.
TEST(LegendDraw, EngineDrawsItLastAndPresetsLeaveItsColoursAlone) {
  RecordedChart c;
  c.chart.put_caption(u"", 0);
  c.chart.SetSegment(0, 10);
  c.chart.put_plotsCount(1);
  c.chart.SetPlotWidth(1, 2);
  c.chart.SetPlotColor(1, 0x123456);
  c.chart.AddPointToPlot(1, 0, 0);
  c.chart.AddPointToPlot(1, 10, 10);
  EXPECT_EQ(c.Render().Count("AlphaBlend"), 0u);  // no entries, no box

  const std::u16string text(u"series\0hidden", 13);
  c.chart.AddLabelToLegend(0x00C000, text.data(), testing::Len(text));
  c.chart.AddLabelToLegend(0x0000C0, u"fit", 3);
  for (std::int32_t preset : {1, 5, 13, 21}) {
    c.chart.put_preset(preset);
    const CallLog& log = c.Render();
    EXPECT_EQ(log.Named("TextOutA"),
              (std::vector<std::string>{"TextOutA 87 71 \"series\"", "TextOutA 87 91 \"fit\""}))
        << preset;
    EXPECT_EQ(log.Count("CreateSolidBrush 0xccffff"), 1u) << preset;
    EXPECT_EQ(log.Count("CreateSolidBrush 0x00c000"), 1u) << preset;
    EXPECT_EQ(log.Count("CreateSolidBrush 0x0000c0"), 1u) << preset;
    ASSERT_FALSE(log.Named("SetTextColor").empty()) << log.Dump();
    EXPECT_EQ(log.Named("SetTextColor")[0], "SetTextColor 0x000000") << preset;
    ASSERT_GE(log.Find("CreatePen 2 0x123456"), 0);
    EXPECT_GT(log.Find("AlphaBlend"), log.Find("CreatePen 2 0x123456"));  // after the plot
  }
  EXPECT_EQ(c.chart.engine().legend.colors[0], 0x00C000u);

  // The plot area of the current size, without a layout pass in between.
  c.chart.put_legendPosition(2);
  c.chart.engine().width = 500;
  EXPECT_EQ(c.Render().Named("TextOutA").at(0), "TextOutA 369 220 \"series\"");

  c.chart.put_legendVisible(0);
  EXPECT_EQ(c.Render().Count("TextOutA"), 0u);
}

// A child process whose address space is capped so that the label array cannot grow while
// the colour array could: the entry is dropped whole.
TEST(LegendDraw, AnEntryThatCannotBeStoredWholeIsDropped) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's shadow memory does not fit under an address-space limit";
#else
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    constexpr std::int32_t kFull = 1 << 20;  // the next entry doubles both arrays
    CLegend legend;
    for (std::int32_t i = 0; i < kFull; ++i) legend.Add(static_cast<Color>(i), std::string());
    if (legend.labels.capacity() != kFull || legend.colors.capacity() != kFull) ::_exit(4);
    long pages = 0;
    if (std::FILE* in = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(in, "%ld", &pages) != 1) pages = 0;
      std::fclose(in);
    }
    // Room for the colours' 8 MiB, not for the labels' 64 MiB.
    rlimit cap{};
    cap.rlim_cur = cap.rlim_max =
        static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (24u << 20);
    if (pages == 0 || ::setrlimit(RLIMIT_AS, &cap) != 0) ::_exit(3);
    legend.Add(0xABCDEF, std::string());
    const bool ok = legend.labels.count() == kFull && legend.colors.count() == kFull &&
                    legend.colors[kFull - 1] == static_cast<Color>(kFull - 1);
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: half an entry was stored, 3: no limit, 4: growth";
#endif
}

}  // namespace
}  // namespace corvane
