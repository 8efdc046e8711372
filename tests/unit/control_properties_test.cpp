// What the chart control saves: every setting comes back into a new chart and draws the same
// picture; a damaged or newer stream is refused and changes nothing; tags added later are
// skipped by this reader.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "control/automation.h"
#include "control/chart_control/chart_interaction.h"
#include "control/chart_control/control_properties.h"
#include "platform/random_sequence.h"
#include "platform/raster/raster_system.h"

namespace corvane {
namespace {

// Grid labels test their background at places drawn from the thread's random sequence: each
// picture starts it afresh, so equal charts give equal pictures.
std::vector<std::uint8_t> Pixels(CorvaneAutomation& chart) {
  ResetRandomForTest();
  DibPicture picture;
  EXPECT_EQ(chart.get_Picture(&picture), kS_OK);
  return picture.bits;
}

// The data a host fills at run time, the same for both charts.
void Fill(CorvaneAutomation& c) {
  for (int plot = 1; plot <= 3; ++plot)
    for (int i = 1; i <= 12; ++i) c.AddPointToPlot(plot, i, plot * 2 + (i * 5) % 7);
  c.AddLabelToLegend(0xFF, u"one", 3);
}

// Everything a designer may have set, away from its default.
void Configure(CorvaneAutomation& c) {
  c.put_preset(7);
  c.put_caption(u"Saved chart", 11);
  c.put_arrowCaptionX(u"time", 4);
  c.put_arrowCaptionY(u"level", 5);
  c.put_arrowR(7);
  c.put_arrowH(13);
  c.put_arrowLineWidth(3);
  c.SetUserTypeGrid();
  c.put_gridVisible(2);
  c.put_gridVerticalLines(6);
  c.put_gridHorizontalLines(4);
  c.put_gridDigitsAfterPoint(3);
  c.put_legendVisible(kVariantTrue);
  c.put_legendPosition(2);
  c.put_candlesticsVisible(kVariantFalse);
  c.put_plotsCount(3);
  c.SetSize(320, 240);
  c.SetPlotColor(2, 0x00AA33);
  c.SetPlotWidth(2, 4);
  c.SetPointVisible(1, kVariantFalse);
  c.SetPointColor(3, 0x3300CC);
  c.SetPlotVisible(3, kVariantTrue);
  c.SetSquareApproximate(2);
  c.SetSimplePlot(3);
  c.put_PlotCapacity(1, 5);  // only the newest five of plot 1 are kept and drawn
  // The user grid keeps X's lines; Y is logarithmic with a format of its own.
  c.put_XAxisType(2);
  c.put_YAxisType(4);
  c.put_XLabelFormat(u"dd mmm", 6);
  c.put_YLabelFormat(u"0.0", 3);
  c.put_Antialias(true);
  c.put_PixelScale(1.5);
}

class Properties : public ::testing::Test {
 protected:
  RasterGraphicsSystem graphics_;
};

TEST_F(Properties, ARoundTripDrawsTheSamePicture) {
  CorvaneAutomation saved(graphics_);
  ChartInteraction savedUi(saved);
  Configure(saved);
  savedUi.SetZoomMode(2);
  savedUi.SetPanMode(1);
  savedUi.SetCrosshair(true);
  ControlState state{5000, 4000, true};
  const std::vector<std::uint8_t> stream =
      EncodeProperties(CaptureProperties(saved, savedUi.settings(), state));
  Fill(saved);

  CorvaneAutomation loaded(graphics_);
  ChartInteraction loadedUi(loaded);
  std::uint32_t length = 0;
  ASSERT_EQ(DecodePropertyHeader(stream.data(), &length), kS_OK);
  ASSERT_EQ(length + kPropertyHeaderSize, stream.size());
  std::vector<SavedProperty> entries;
  ASSERT_EQ(DecodePropertyBody(stream.data() + kPropertyHeaderSize, length, &entries), kS_OK);
  ControlState got;
  ASSERT_EQ(ApplyProperties(entries, loaded, loadedUi, &got), kS_OK);
  Fill(loaded);
  EXPECT_EQ(Pixels(loaded), Pixels(saved));
  EXPECT_EQ(got.cx, 5000);
  EXPECT_EQ(got.cy, 4000);
  EXPECT_TRUE(got.presetSet);
  EXPECT_EQ(loadedUi.settings().zoomMode, 2);
  EXPECT_EQ(loadedUi.settings().panMode, 1);
  EXPECT_TRUE(loadedUi.settings().crosshair);
  EXPECT_FALSE(loadedUi.settings().hoverInfo);
  // Settings the picture does not show here come back too.
  std::int32_t type = 0;
  std::u16string format;
  bool smooth = false;
  EXPECT_EQ(loaded.get_XAxisType(&type), kS_OK);
  EXPECT_EQ(type, 2);
  EXPECT_EQ(loaded.get_XLabelFormat(&format), kS_OK);
  EXPECT_EQ(format, u"dd mmm");
  EXPECT_EQ(loaded.get_Antialias(&smooth), kS_OK);
  EXPECT_TRUE(smooth);
  double scale = 0;
  loaded.get_PixelScale(&scale);
  EXPECT_EQ(scale, 1.5);
}

TEST_F(Properties, ANewChartComesBackWithItsOwnColours) {
  // No preset chosen: none is saved, so the built-in colours (which no preset has) stay.
  CorvaneAutomation fresh(graphics_);
  fresh.SetSize(200, 150);
  ChartInteraction ui(fresh);
  const std::vector<SavedProperty> entries = CaptureProperties(fresh, ui.settings(), {});
  CorvaneAutomation loaded(graphics_);
  ChartInteraction loadedUi(loaded);
  ControlState state;
  ASSERT_EQ(ApplyProperties(entries, loaded, loadedUi, &state), kS_OK);
  EXPECT_FALSE(state.presetSet);
  Fill(fresh);
  Fill(loaded);
  EXPECT_EQ(Pixels(loaded), Pixels(fresh));
}

TEST_F(Properties, DamagedOrNewerStreamsAreRefusedAndChangeNothing) {
  CorvaneAutomation source(graphics_);
  ChartInteraction sourceUi(source);
  Configure(source);
  const std::vector<std::uint8_t> good =
      EncodeProperties(CaptureProperties(source, sourceUi.settings(), {}));

  struct Case {
    const char* name;
    std::size_t at;     // byte to change
    std::uint8_t value;
    HResult header, body;  // what each stage answers
  };
  const std::size_t firstEntry = kPropertyHeaderSize;
  const Case cases[] = {
      {"magic", 0, 'X', kPropertiesDamaged, kS_OK},
      {"newer version", 4, 2, kPropertiesTooNew, kS_OK},
      {"version 0", 4, 0, kPropertiesDamaged, kS_OK},
      {"reserved field", 6, 1, kPropertiesDamaged, kS_OK},
      {"huge body", 11, 0x7F, kPropertiesDamaged, kS_OK},
      {"entry length past the end", firstEntry + 7, 0x40, kS_OK, kPropertiesDamaged},
      {"int of 3 bytes", firstEntry + 4, 3, kS_OK, kPropertiesDamaged},
      {"unknown type of a known tag", firstEntry + 3, 9, kS_OK, kPropertiesDamaged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> bad = good;
    bad[c.at] = c.value;
    std::uint32_t length = 0;
    ASSERT_EQ(DecodePropertyHeader(bad.data(), &length), c.header);
    if (c.header != kS_OK) continue;
    std::vector<SavedProperty> entries;
    EXPECT_EQ(DecodePropertyBody(bad.data() + kPropertyHeaderSize, bad.size() - kPropertyHeaderSize,
                                 &entries),
              c.body);
    EXPECT_TRUE(entries.empty());
  }
  // A stream cut short anywhere in its body.
  for (std::size_t cut = kPropertyHeaderSize + 1; cut < good.size(); cut += 7) {
    std::vector<SavedProperty> entries;
    const HResult hr =
        DecodePropertyBody(good.data() + kPropertyHeaderSize, cut - kPropertyHeaderSize, &entries);
    if (hr == kS_OK) continue;  // ended between two entries
    EXPECT_EQ(hr, kPropertiesDamaged);
  }

  // Well-formed entries whose values the control refuses: nothing is applied.
  CorvaneAutomation target(graphics_);
  target.SetSize(200, 150);
  ChartInteraction targetUi(target);
  const std::vector<std::uint8_t> before = Pixels(target);
  std::vector<SavedProperty> entries = CaptureProperties(source, sourceUi.settings(), {});
  for (SavedProperty& p : entries)
    if (p.tag == FindPropertyKind(p.tag)->tag && std::strcmp(FindPropertyKind(p.tag)->name, "ZoomMode") == 0)
      p.number = 3;
  ControlState state;
  EXPECT_EQ(ApplyProperties(entries, target, targetUi, &state), kPropertiesDamaged);
  EXPECT_EQ(Pixels(target), before);
  // A known tag with another type, a plot's own entry for plot 9, a label format that cannot
  // be read (the chart would refuse it only after the entries before it were applied).
  for (int variant = 0; variant < 3; ++variant) {
    std::vector<SavedProperty> wrong = CaptureProperties(source, sourceUi.settings(), {});
    for (SavedProperty& p : wrong) {
      if (variant == 0 && p.type == PropertyType::kText) p.type = PropertyType::kInt32;
      if (variant == 1 && p.plot == 8) p.plot = 9;
      if (variant == 2 && std::strcmp(FindPropertyKind(p.tag)->name, "YLabelFormat") == 0)
        p.text = u"0.0\"";  // an unclosed quote
    }
    EXPECT_EQ(ApplyProperties(wrong, target, targetUi, &state), kPropertiesDamaged);
    EXPECT_EQ(Pixels(target), before);
  }
}

TEST_F(Properties, TagsOfALaterVersionAreSkipped) {
  CorvaneAutomation source(graphics_);
  ChartInteraction ui(source);
  Configure(source);
  std::vector<SavedProperty> entries = CaptureProperties(source, ui.settings(), {0, 0, true});
  SavedProperty later;
  later.tag = 9000;  // say, an axis format of a later version
  later.type = PropertyType::kDouble;
  later.real = 2.5;
  entries.insert(entries.begin() + 3, later);
  const std::vector<std::uint8_t> stream = EncodeProperties(entries);
  std::vector<SavedProperty> decoded;
  ASSERT_EQ(DecodePropertyBody(stream.data() + kPropertyHeaderSize,
                               stream.size() - kPropertyHeaderSize, &decoded),
            kS_OK);
  EXPECT_EQ(decoded.size(), entries.size());
  CorvaneAutomation loaded(graphics_);
  ChartInteraction loadedUi(loaded);
  ControlState state;
  ASSERT_EQ(ApplyProperties(decoded, loaded, loadedUi, &state), kS_OK);
  Fill(source);
  Fill(loaded);
  EXPECT_EQ(Pixels(loaded), Pixels(source));
}

}  // namespace
}  // namespace corvane
