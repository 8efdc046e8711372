// Whole charts as SVG: each golden chart's document must be well-formed XML (xmllint) and,
// drawn by librsvg at the chart's size, look like the chart's antialiased PNG. Text and the edges of
// shapes differ (another rasteriser, antialiased), so the comparison counts: the mean absolute
// difference per channel and the share of pixels off by more than kFarOff in some channel.
// The same comparison with the PNG moved by a few pixels must fail it, so the tolerance would
// catch a missing plot or shifted rectangles. CORVANE_SVG_DIR=<dir> keeps the files there.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/random_sequence.h"
#include "platform/raster/raster_system.h"
#include "tests/gallery/png_pixels.h"
#include "tests/golden/golden_charts.h"

namespace corvane {
namespace {

constexpr int kFarOff = 96;
// The tolerance, with room above the worst chart of today's set against its antialiased PNG
// (the textured chart: 11.9 levels, 7.1% far off; a dense plot is all edges), and below the
// best chart moved by (4, 3) (13.6 levels).
constexpr double kMaxMeanDifference = 12.0;  // levels of 255, per channel
constexpr double kMaxFarShare = 0.075;       // of the pixels

struct Difference {
  double mean = 0;      // per channel, 0..255
  double farShare = 0;  // 0..1
};

Difference Compare(const gallery::RgbPicture& a, const gallery::RgbPicture& b, int dx, int dy) {
  Difference d;
  std::uint64_t sum = 0, far = 0, pixels = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) {
      const int bx = std::min(std::max(x + dx, 0), b.width - 1);
      const int by = std::min(std::max(y + dy, 0), b.height - 1);
      const std::uint8_t* pa = &a.rgb[3 * (static_cast<std::size_t>(y) * a.width + x)];
      const std::uint8_t* pb = &b.rgb[3 * (static_cast<std::size_t>(by) * b.width + bx)];
      int worst = 0;
      for (int c = 0; c < 3; ++c) {
        const int diff = std::abs(pa[c] - pb[c]);
        sum += diff;
        worst = std::max(worst, diff);
      }
      if (worst > kFarOff) ++far;
      ++pixels;
    }
  if (pixels) {
    d.mean = static_cast<double>(sum) / (3.0 * pixels);
    d.farShare = static_cast<double>(far) / pixels;
  }
  return d;
}

bool Within(const Difference& d) { return d.mean <= kMaxMeanDifference && d.farShare <= kMaxFarShare; }

std::string RunTool(const std::string& command) {
  const int rc = std::system((command + " 2>&1").c_str());
  return rc == 0 ? std::string() : command + " exited with " + std::to_string(rc);
}

bool ToolPresent(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::u16string Utf16Path(const std::string& s) { return std::u16string(s.begin(), s.end()); }

TEST(SvgCharts, WellFormedAndLikeThePng) {
  ASSERT_TRUE(ToolPresent("xmllint")) << "xmllint (libxml2-utils) is needed";
  ASSERT_TRUE(ToolPresent("rsvg-convert")) << "rsvg-convert (librsvg2-bin) is needed";
  const char* keep = std::getenv("CORVANE_SVG_DIR");
  const std::string dir = keep ? keep : ::testing::TempDir();
  RasterGraphicsSystem graphics;
  int index = 0;
  const std::string smooth = ", antialiased";
  for (const golden::GoldenChart& chart : golden::Charts()) {
    // The SVG of a chart is the same with Antialias on or off: each chart once, against its
    // antialiased PNG, which is what a vector renderer's output resembles.
    if (chart.name.size() >= smooth.size() &&
        chart.name.compare(chart.name.size() - smooth.size(), smooth.size(), smooth) == 0)
      continue;
    SCOPED_TRACE(chart.name);
    const std::string base = dir + "/svg_chart_" + std::to_string(index++);
    // Both files from the same start of the random sequence: the same texture tile.
    auto build = [&](CorvaneAutomation& c) {
      ResetRandomForTest();
      c.SetSize(chart.width, chart.height);
      chart.build(c);
    };
    {
      CorvaneAutomation c(graphics);
      build(c);
      const std::u16string name = Utf16Path(base + ".svg");
      ASSERT_EQ(c.SaveToSvg(name.data(), static_cast<std::uint32_t>(name.size())), kS_OK);
    }
    {
      CorvaneAutomation c(graphics);
      build(c);
      c.put_Antialias(true);
      const std::u16string name = Utf16Path(base + ".png");
      ASSERT_EQ(c.SaveToPng(name.data(), static_cast<std::uint32_t>(name.size())), kS_OK);
    }
    EXPECT_EQ(RunTool("xmllint --noout '" + base + ".svg'"), "");
    ASSERT_EQ(RunTool("rsvg-convert -w " + std::to_string(chart.width) + " -h " +
                  std::to_string(chart.height) + " -o '" + base + ".rsvg.png' '" + base + ".svg'"),
              "");
    gallery::RgbPicture expected, drawn;
    ASSERT_EQ(gallery::ReadPng(base + ".png", &expected), "");
    ASSERT_EQ(gallery::ReadPng(base + ".rsvg.png", &drawn), "");
    ASSERT_EQ(drawn.width, expected.width);
    ASSERT_EQ(drawn.height, expected.height);

    const Difference same = Compare(expected, drawn, 0, 0);
    EXPECT_TRUE(Within(same)) << "mean " << same.mean << ", far off " << 100 * same.farShare << "%";
    // The comparison would notice the picture moved by 4 pixels.
    const Difference moved = Compare(expected, drawn, 4, 3);
    EXPECT_FALSE(Within(moved)) << "moved: mean " << moved.mean << ", far off " << 100 * moved.farShare << "%";
    std::printf("%-70s mean %5.2f  far %5.2f%%  (moved: %5.2f, %5.2f%%)\n", chart.name.c_str(),
                same.mean, 100 * same.farShare, moved.mean, 100 * moved.farShare);
  }
}

}  // namespace
}  // namespace corvane
