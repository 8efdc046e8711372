// What the public layer adds to the automation layer: UTF-8 and bool at the boundary,
// exceptions for failed HRESULTs, the picture in its three forms, and a chart moved from.
#include <gtest/gtest.h>
#include <png.h>

#include <corvane/corvane.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

using corvane::Chart;

// The chart of the examples: two plots, a fit, markers, a legend.
Chart ExampleChart() {
  Chart chart(400, 300);
  chart.set_plotsCount(2);
  std::vector<double> xs, ys;
  for (int i = 1; i <= 20; ++i) {
    xs.push_back(i);
    ys.push_back((i * 7) % 11 + i / 2.0);
  }
  chart.AddPointsToPlot(1, xs.data(), ys.data(), xs.size());
  chart.AddPointsToPlot(2, xs.data(), ys.data(), xs.size());
  chart.SetSimplePlot(1);
  chart.SetPointVisible(1, true);
  chart.SetLinearApproximate(2);
  chart.SetPlotColor(2, 0xC80000);
  chart.SetSegment(1, 20);
  chart.AddLabelToLegend(0xC80000, "trend");
  return chart;
}

std::uint32_t HResultOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const corvane::Error& e) {
    return e.hresult();
  }
  return 0;
}

std::string TempPath(const char* name) { return ::testing::TempDir() + name; }

TEST(LibraryChart, TextIsUtf8BothWays) {
  using Set = void (Chart::*)(const std::string&);
  using Read = std::string (Chart::*)() const;
  const std::pair<Set, Read> properties[] = {
      {&Chart::set_caption, &Chart::caption},
      {&Chart::set_arrowCaptionX, &Chart::arrowCaptionX},
      {&Chart::set_arrowCaptionY, &Chart::arrowCaptionY},
  };
  const std::pair<std::string, std::string> cases[] = {
      {"\xD0\x96urnal: d\xC3\xA9j\xC3\xA0 vu", "\xD0\x96urnal: d\xC3\xA9j\xC3\xA0 vu"},
      {"rise \xF0\x9F\x93\x88", "rise \xF0\x9F\x93\x88"},  // outside the BMP: a surrogate pair
      {std::string("Peak\0junk", 9), "Peak"},              // a BSTR ends at its first null
      {"bad \xFF byte", "bad \xEF\xBF\xBD byte"},          // invalid UTF-8 reads U+FFFD
      {"", ""},
  };
  Chart chart;
  for (const auto& [set, read] : properties) {
    for (const auto& [in, out] : cases) {
      (chart.*set)(in);
      EXPECT_EQ((chart.*read)(), out);
    }
  }
  EXPECT_EQ(chart.presetName(), "Standart");
}

TEST(LibraryChart, BooleansAreBool) {
  using Set = void (Chart::*)(bool);
  using Read = bool (Chart::*)() const;
  const std::pair<Set, Read> properties[] = {
      {&Chart::set_captionVisible, &Chart::captionVisible},
      {&Chart::set_arrowVisible, &Chart::arrowVisible},
      {&Chart::set_candlesticsVisible, &Chart::candlesticsVisible},
      {&Chart::set_legendVisible, &Chart::legendVisible},
  };
  Chart chart;
  for (const auto& [set, read] : properties) {
    EXPECT_TRUE((chart.*read)());
    (chart.*set)(false);
    EXPECT_FALSE((chart.*read)());
    (chart.*set)(true);
    EXPECT_TRUE((chart.*read)());
  }
  chart.SetPointVisible(1, true);
  EXPECT_TRUE(chart.GetPointVisible(1));
  EXPECT_FALSE(chart.GetPointVisible(9));  // outside 1..8: the getter answers false
  EXPECT_TRUE(chart.isDefaultGrid());
  chart.SetUserTypeGrid();
  EXPECT_TRUE(chart.isUserTypeGrid());
  EXPECT_FALSE(chart.isDefaultGrid());
}

TEST(LibraryChart, FailuresThrowTheHResultAndChangeNothing) {
  Chart chart(200, 100);
  chart.set_plotsCount(1);
  std::uint8_t pixel[4];
  const struct {
    const char* what;
    std::function<void()> call;
    std::uint32_t hresult;
  } cases[] = {
      {"a missing folder", [&] { chart.SaveToPng(TempPath("no/such/folder/x.png")); }, 0x80070003u},
      {"an empty name", [&] { chart.SaveToFile(""); }, 0x80070057u},
      {"null arrays", [&] { chart.AddPointsToPlot(1, nullptr, nullptr, 3); }, 0x80004003u},
      {"a null buffer", [&] { chart.DrawTo(nullptr, 1, 1, 4, 0, 0); }, 0x80004003u},
      {"a short stride", [&] { chart.DrawTo(pixel, 1, 1, 3, 0, 0); }, 0x80070057u},
      {"no size", [&] { Chart().Picture(); }, 0x80070057u},
      {"no size, PNG", [&] { Chart().ToPng(); }, 0x80070057u},
      {"a missing folder, SVG", [&] { chart.SaveToSvg(TempPath("no/such/folder/x.svg")); }, 0x80070003u},
      {"no size, SVG", [&] { Chart().ToSvg(); }, 0x80070057u},
  };
  for (const auto& c : cases) EXPECT_EQ(HResultOf(c.call), c.hresult) << c.what;
  EXPECT_EQ(chart.PointCount(1), 0);

  try {
    chart.SaveToPng(TempPath("no/such/folder/x.png"));
    FAIL();
  } catch (const corvane::Error& e) {
    EXPECT_EQ(e.member(), "SaveToPng");
    EXPECT_EQ(e.name(), "HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)");
    EXPECT_STREQ(e.what(),
                 "SaveToPng: 0x80070003 HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND): The system "
                 "cannot find the path specified.");
  }
  EXPECT_EQ(corvane::HResultName(0x80041234u), "0x80041234");
  EXPECT_EQ(corvane::HResultName(0x80070057u), "E_INVALIDARG");
}

TEST(LibraryChart, AChartMovedFromRefusesEveryCall) {
  Chart chart = ExampleChart();
  Chart moved = std::move(chart);
  EXPECT_EQ(moved.PointCount(1), 20);
  EXPECT_EQ(HResultOf([&] { (void)chart.Width(); }), 0x80004003u);
  EXPECT_EQ(HResultOf([&] { chart.SetSize(10, 10); }), 0x80004003u);
  EXPECT_EQ(HResultOf([&] { (void)chart.caption(); }), 0x80004003u);
  chart = std::move(moved);  // assigning brings it back
  EXPECT_EQ(chart.Width(), 400);
}

// The picture as a DIB, drawn into a bigger buffer at an offset, and as a PNG: one picture.
TEST(LibraryChart, PictureDrawToAndPngAgree) {
  Chart chart = ExampleChart();
  const corvane::Dib dib = chart.Picture();
  ASSERT_EQ(dib.width, 400);
  ASSERT_EQ(dib.height, 300);
  ASSERT_EQ(dib.stride, 1200u);
  ASSERT_EQ(dib.bits.size(), dib.stride * 300);

  const int bufferWidth = 420, bufferHeight = 310, stride = bufferWidth * 4 + 16;
  const int ox = 7, oy = 5;
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(stride) * bufferHeight, 0x5A);
  chart.DrawTo(buffer.data(), bufferWidth, bufferHeight, stride, ox, oy);

  const std::vector<std::uint8_t> png = chart.ToPng();
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
  image.format = PNG_FORMAT_BGR;
  std::vector<std::uint8_t> decoded(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, decoded.data(), 0, nullptr));
  ASSERT_EQ(image.width, 400u);

  int differences = 0;
  for (int y = 0; y < bufferHeight; ++y) {
    for (int x = 0; x < bufferWidth; ++x) {
      const std::uint8_t* got = &buffer[static_cast<std::size_t>(y) * stride + 4 * x];
      const int cx = x - ox, cy = y - oy;
      if (cx < 0 || cy < 0 || cx >= 400 || cy >= 300) {  // untouched outside the chart
        differences += std::memcmp(got, "\x5A\x5A\x5A\x5A", 4) != 0;
        continue;
      }
      const std::uint8_t* bgr = &dib.bits[dib.stride * (299 - cy) + 3 * cx];
      const std::uint8_t* fromPng = &decoded[(static_cast<std::size_t>(cy) * 400 + cx) * 3];
      differences += std::memcmp(got, bgr, 3) != 0 || got[3] != 0xFF;
      differences += std::memcmp(fromPng, bgr, 3) != 0;
    }
  }
  EXPECT_EQ(differences, 0);

  const std::string path = TempPath("library_chart_test.png");
  chart.SaveToPng(path);
  std::ifstream file(path, std::ios::binary);
  const std::vector<std::uint8_t> written((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
  EXPECT_EQ(written, png);
  std::remove(path.c_str());
}

TEST(LibraryChart, SvgFileAndStringAgree) {
  Chart chart(300, 200);
  chart.set_plotsCount(1);
  const double y[] = {1, 4, 2, 8, 5};
  chart.AddPointsToPlot2(1, y, 5);
  const std::string svg = chart.ToSvg();
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
  const std::string path = TempPath("library_chart_test.svg");
  chart.SaveToSvg(path);
  std::ifstream file(path, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, svg);
  std::remove(path.c_str());
}

TEST(LibraryChart, TheLibraryIsTheHeadersVersion) {
  EXPECT_STREQ(corvane::LibraryVersion(), CORVANE_VERSION_STRING);
}

}  // namespace

namespace {

// The read-back members convert the engine's answers: the hit as the public struct, the
// mapping, the stored points, and their failures as exceptions.
TEST(LibraryChart, ReadBackAndHitTest) {
  Chart chart = ExampleChart();
  EXPECT_EQ(chart.WorldXMin(), 1);
  EXPECT_EQ(chart.WorldXMax(), 20);
  EXPECT_EQ(chart.PlotAreaLeft(), 65);
  EXPECT_EQ(chart.PlotAreaRight(), 400 - 65);
  EXPECT_DOUBLE_EQ(chart.PixelToWorldX(chart.WorldToPixelX(7.25)), 7.25);
  EXPECT_EQ(chart.PointX(1, 3), 3);
  EXPECT_EQ(chart.PointY(1, 3), (3 * 7) % 11 + 1.5);

  const corvane::Hit hit = chart.HitTest(chart.WorldToPixelX(5), chart.WorldToPixelY(chart.PointY(1, 5)), 3);
  EXPECT_EQ(hit.Kind, corvane::CorvaneHitKind::cvHitPoint);
  EXPECT_EQ(hit.Plot, 1);
  EXPECT_EQ(hit.Index, 5);
  EXPECT_EQ(hit.X, 5);
  EXPECT_EQ(hit.Distance, 0);
  EXPECT_EQ(chart.HitTest(1, 1, 0).Kind, corvane::CorvaneHitKind::cvHitNothing);

  EXPECT_EQ(HResultOf([&] { chart.PointX(1, 21); }), 0x80070057u);
  EXPECT_EQ(HResultOf([&] { chart.HitTest(0, 0, -1); }), 0x80070057u);
  EXPECT_EQ(HResultOf([&] { Chart().PlotAreaTop(); }), 0x80070057u);
}

}  // namespace
