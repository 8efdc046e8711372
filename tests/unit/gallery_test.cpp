// The gallery (docs/gallery): its scripts run by the native runner, every picture rendered
// with the current build and compared pixel for pixel with the committed one, and the page
// that shows them kept in step with the scripts. The Windows side runs the same scripts
// under cscript (scripts/wine_tests.sh).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "platform/raster/raster_system.h"
#include "tests/gallery/gallery.h"
#include "tests/gallery/script_runner.h"

namespace corvane::gallery {
namespace {

const std::string kGallery = std::string(CORVANE_DOCS_DIR) + "/gallery";

struct StatementCase {
  const char* source;
  const char* error;  // a part of the expected error, "" for success
  HResult (CorvaneAutomation::*get)(std::int32_t*);
  std::int32_t expected;  // what `get` reads afterwards
};

HResult PlotColor1(CorvaneAutomation& c, std::int32_t* v) {
  Color color = 0;
  const HResult hr = c.GetPlotColor(1, &color);
  *v = static_cast<std::int32_t>(color);
  return hr;
}

TEST(GalleryScript, StatementsCallTheMembersOrNameTheirLine) {
  const std::string create = "Set chart = CreateObject(\"Corvane.CorvaneEx\")\n";
  const StatementCase cases[] = {
      {"chart.plotsCount = 3", "", &CorvaneAutomation::get_plotsCount, 3},
      {"CHART.PLOTSCOUNT = 4 ' a comment", "", &CorvaneAutomation::get_plotsCount, 4},
      {"chart.SetSize 40, _\n  30", "", &CorvaneAutomation::get_Height, 30},
      {"chart.preset = WScript.Arguments(1)", "", &CorvaneAutomation::get_preset, 7},
      {"chart.legendPosition = -2", "", &CorvaneAutomation::get_legendPosition, -2},
      {"chart.gridVisible = &HFFFFFFFF&", "", &CorvaneAutomation::get_gridVisible, -1},
      {"chart.plotsCount = 2\nchart.plotsCount = 1.5", "line 3: argument 1 is not a whole", nullptr, 0},
      {"chart.plotsCount = WScript.Arguments(0)", "line 2: argument 1 (\"out.png\") is not a number",
       nullptr, 0},
      {"chart.preset = WScript.Arguments(5)", "WScript.Arguments(5) was not given", nullptr, 0},
      {"chart.Frobnicate 1", "no method Frobnicate", nullptr, 0},
      {"chart.Width = 3", "no property put Width", nullptr, 0},
      {"chart.SetSize 1", "SetSize takes 2 argument(s)", nullptr, 0},
      {"chart.caption = \"open", "unterminated string", nullptr, 0},
      {"chart.AddPointsToPlot 1, Array(1, 2), Array(3)", "AddPointsToPlot failed with 0x80070057", nullptr, 0},
      {"chart.SetSegment 1, 2 3", "unexpected text", nullptr, 0},
      {"For i = 1 To 3", "a statement is chart.Member", nullptr, 0},
      {"chart.SetSize 40,", "a value was expected", nullptr, 0},
  };
  RasterGraphicsSystem graphics;
  for (const StatementCase& c : cases) {
    CorvaneAutomation chart(graphics);
    const std::string error = RunScript(create + c.source, {"out.png", "7"}, chart);
    if (*c.error) {
      EXPECT_NE(error.find(c.error), std::string::npos) << c.source << " -> " << error;
      continue;
    }
    EXPECT_EQ(error, "") << c.source;
    std::int32_t v = 0;
    (chart.*c.get)(&v);
    EXPECT_EQ(v, c.expected) << c.source;
  }
}

TEST(GalleryScript, ValuesReachTheMembersAsVBScriptPassesThem) {
  RasterGraphicsSystem graphics;
  CorvaneAutomation chart(graphics);
  const std::string error = RunScript(
      "' colours, strings with quotes, arrays\n"
      "Set chart = CreateObject(\"Corvane.CorvaneEx\")\n"
      "chart.SetPlotColor 1, RGB(1, 2, 3)\n"
      "chart.caption = \"say \"\"cheese\"\"\"\n"
      "chart.AddPointsToPlot 2, Array(1, 2.5, -3e1), Array(&H10, 0, .5)\n"
      "chart.SetPlotVisible 3, False\n",
      {}, chart);
  ASSERT_EQ(error, "");
  std::int32_t color = 0;
  PlotColor1(chart, &color);
  EXPECT_EQ(color, 0x030201);
  std::u16string caption;
  chart.get_caption(&caption);
  EXPECT_EQ(caption, u"say \"cheese\"");
  std::int32_t count = 0;
  chart.get_PointCount(2, &count);
  EXPECT_EQ(count, 3);
  VariantBool visible = kVariantTrue;
  chart.GetPlotVisible(3, &visible);
  EXPECT_EQ(visible, kVariantFalse);
  EXPECT_NE(RunScript("chart.plotsCount = 1", {}, chart).find("before CreateObject"), std::string::npos);
}

TEST(Gallery, HighDpiScriptsSetSizesTwiceAsLarge) {
  // Only a whole-number SetSize of the chart is rewritten, line endings kept.
  const struct {
    const char* source;
    const char* scaled;
  } cases[] = {
      {"chart.SetSize 400, 300\r\nchart.Show\r\n", "chart.SetSize 800, 600\r\nchart.Show\r\n"},
      {"chart.SetSize 720, 320", "chart.SetSize 1440, 640"},
      {"chart.SetSize w, 300\n' chart.SetSize 4, 3\n", "chart.SetSize w, 300\n' chart.SetSize 4, 3\n"},
      {"chart.SetSize 4, 3 + 1\nchart.SetSize 4, 3x\n", "chart.SetSize 4, 3 + 1\nchart.SetSize 4, 3x\n"},
  };
  for (const auto& tc : cases) EXPECT_EQ(ScaleSetSize(tc.source, 2), tc.scaled) << tc.source;
}

TEST(Gallery, EveryPictureIsWhatTheCurrentBuildDraws) {
  std::vector<Entry> entries;
  ASSERT_EQ(ReadManifest(kGallery, &entries), "");
  char dir[] = "/tmp/corvane-gallery-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  RasterGraphicsSystem graphics;
  for (const Entry& e : entries) EXPECT_EQ(Render(graphics, kGallery, e, std::string(dir) + "/" + e.picture), "");
  const std::vector<std::string> problems = CompareAll(kGallery, entries, dir);
  for (const std::string& p : problems) ADD_FAILURE() << p;
  if (!problems.empty())
    std::printf("The new pictures are in %s; after a deliberate change, ./corvane.sh gallery.\n", dir);
  else
    for (const Entry& e : entries) std::remove((std::string(dir) + "/" + e.picture).c_str());
  if (problems.empty()) rmdir(dir);
}

TEST(Gallery, ThePageShowsTheCurrentScripts) {
  std::vector<Entry> entries;
  ASSERT_EQ(ReadManifest(kGallery, &entries), "");
  RasterGraphicsSystem graphics;
  bool ok = false;
  const std::string page = ReadFile(std::string(CORVANE_DOCS_DIR) + "/gallery.md", &ok);
  ASSERT_TRUE(ok);
  EXPECT_TRUE(page == Page(graphics, kGallery, entries))
      << "docs/gallery.md is not the page of the current scripts: ./corvane.sh gallery";
}

}  // namespace
}  // namespace corvane::gallery
