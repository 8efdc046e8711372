// Colour presets: selection, what each choice copies, and what it leaves alone.
#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>
#include <utility>

#include "engine_test_support.h"
#include "plot_test_support.h"

namespace corvane {
namespace {

class Presets : public ::testing::Test, public testing::AutomationFixtureBase {
 protected:
  void ExpectTextColour(Color c) {
    const CChartEngine& e = engine();
    for (Color got : {e.grid.labelColor, e.captionLabel.textColor, e.xAxisCaption.textColor,
                      e.yAxisCaption.textColor, e.xArrow.color, e.yArrow.color})
      EXPECT_EQ(got, c);
  }
};

TEST_F(Presets, OutOfRangeNumbersSelectAndApplyTheFirst) {
  for (std::int32_t p : {22, 0, -5, std::numeric_limits<std::int32_t>::min()}) {
    chart.put_preset(3);
    EXPECT_EQ(chart.put_preset(p), kS_OK);
    std::int32_t got = 0;
    chart.get_preset(&got);
    EXPECT_EQ(got, 1) << p;
    EXPECT_EQ(engine().background.firstColor, 0xFCFCFCu) << p;
    EXPECT_EQ(engine().grid.lineColor, 0xA0A0A0u) << p;
    ExpectTextColour(0x000000);
  }
}

TEST_F(Presets, MatrixColoursTextAxesGridAndBackground) {
  chart.put_preset(3);
  EXPECT_EQ(engine().background.firstColor, 0x003200u);
  EXPECT_EQ(engine().background.fillKind, 0);
  EXPECT_EQ(engine().grid.lineColor, 0x007800u);
  ExpectTextColour(0x8CDC8C);
}

TEST_F(Presets, BackgroundKindsCopyOnlyTheirOwnColumns) {
  chart.put_preset(7);  // "Blue gradient"
  EXPECT_EQ(engine().background.fillKind, 1);
  EXPECT_EQ(engine().background.firstColor, 0xFF3C3Cu);
  EXPECT_EQ(engine().background.secondColor, 0x780A0Au);
  chart.put_preset(6);  // "Beige texture", lighter noise
  EXPECT_EQ(engine().background.fillKind, 2);
  EXPECT_EQ(engine().background.textureDarkens, 0);
  EXPECT_EQ(engine().background.secondColor, 0x780A0Au);
  chart.put_preset(1);  // solid: the other two stay, unused
  EXPECT_EQ(engine().background.fillKind, 0);
  EXPECT_EQ(engine().background.firstColor, 0xFCFCFCu);
  EXPECT_EQ(engine().background.textureDarkens, 0);
  chart.put_preset(4);  // "Blue texture", darker noise
  EXPECT_EQ(engine().background.textureDarkens, 1);
}

TEST_F(Presets, NamesAgreeWithTheBackgroundKinds) {
  const CColorPresetTable& t = engine().presets;
  int gradients = 0, textures = 0;
  std::set<std::string> names;
  for (int i = 0; i < CColorPresetTable::kCount; ++i) {
    ASSERT_NE(t.names[i], nullptr);
    const std::string name = t.names[i];
    names.insert(name);
    gradients += t.isGradient[i];
    textures += t.isTexture[i];
    EXPECT_EQ(name.find("gradient") != std::string::npos, t.isGradient[i] != 0) << name;
    EXPECT_EQ(name.find("texture") != std::string::npos, t.isTexture[i] != 0) << name;
  }
  EXPECT_EQ(gradients, 7);
  EXPECT_EQ(textures, 7);
  EXPECT_EQ(names.size(), 21u);
}

TEST_F(Presets, RecoloursOnlyTheCandlesticksThatExist) {
  chart.AddCandleStick(1, 10, 12, 15, 8);
  engine().candlesticks[0].hasOutline = 0;
  chart.put_preset(3);
  chart.AddCandleStick(2, 12, 10, 15, 8);
  const CCandleStick& old = engine().candlesticks[0];
  EXPECT_EQ(old.fallColor, 0x00FA00u);
  EXPECT_EQ(old.riseColor, 0x000000u);
  EXPECT_EQ(old.wickColor, 0x00FF00u);
  EXPECT_EQ(old.hasOutline, 1);
  EXPECT_EQ(engine().candlesticks[1].wickColor, 0xFF0000u);  // still the default
  chart.put_preset(3);  // choosing it again recolours the newcomer
  EXPECT_EQ(engine().candlesticks[1].wickColor, 0x00FF00u);
}

TEST(PresetPictures, StandartAfterAGradientPaintsSolidAndKeepsTheSecondColour) {
  RasterGraphicsSystem graphics;
  CorvaneAutomation chart(graphics);
  chart.SetSize(60, 40);
  chart.put_preset(2);
  chart.put_preset(1);
  EXPECT_EQ(chart.engine().background.fillKind, 0);
  EXPECT_EQ(chart.engine().background.secondColor, 0xA0A0A0u);
  testing::RasterPicture pic(60, 40);
  chart.engine().RenderChart(&pic.dc());
  // Solid to the last row and column, which a gradient leaves alone.
  for (auto [x, y] : {std::pair{0, 0}, std::pair{59, 0}, std::pair{0, 39}, std::pair{59, 39}})
    EXPECT_EQ(pic.At(x, y), 0xFCFCFCu) << x << "," << y;
}

}  // namespace
}  // namespace corvane
