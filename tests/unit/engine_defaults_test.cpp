// What a freshly created chart reports and holds.
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace corvane {
namespace {

using A = CorvaneAutomation;

TEST(NewChart, InterfaceReportsTheDefaults) {
  testing::AutomationFixtureBase f;
  const std::pair<HResult (A::*)(std::int32_t*), std::int32_t> ints[] = {
      {&A::get_hWnd, 0},          {&A::get_Width, 0},
      {&A::get_Height, 0},        {&A::get_plotsCount, 0},
      {&A::get_polygonsCount, 0}, {&A::get_arrowR, 4},
      {&A::get_arrowH, 12},       {&A::get_arrowLineWidth, 2},
      {&A::get_gridVisible, 0},   {&A::get_gridVerticalLines, 4},
      {&A::get_gridHorizontalLines, 6}, {&A::get_gridDigitsAfterPoint, 2},
      {&A::get_preset, 1},        {&A::get_presetCount, 21},
      {&A::get_legendPosition, 0}};
  for (const auto& [get, expected] : ints) {
    std::int32_t v = 12345;
    EXPECT_EQ((f.chart.*get)(&v), kS_OK);
    EXPECT_EQ(v, expected);
  }
  const std::pair<HResult (A::*)(VariantBool*), VariantBool> bools[] = {
      {&A::get_captionVisible, kVariantTrue},  {&A::get_arrowVisible, kVariantTrue},
      {&A::get_candlesticsVisible, kVariantTrue}, {&A::get_legendVisible, kVariantTrue},
      {&A::get_isDefaultGrid, kVariantTrue},   {&A::get_isUserTypeGrid, kVariantFalse}};
  for (const auto& [get, expected] : bools) {
    VariantBool v = 123;
    EXPECT_EQ((f.chart.*get)(&v), kS_OK);
    EXPECT_EQ(v, expected);
  }
  const std::pair<HResult (A::*)(std::u16string*), std::u16string> texts[] = {
      {&A::get_caption, u"Corvane Version 1.1"},
      {&A::get_arrowCaptionX, u"caption X"},
      {&A::get_arrowCaptionY, u"caption Y"},
      {&A::get_presetName, u"Standart"}};
  for (const auto& [get, expected] : texts) {
    std::u16string v = u"unset";
    EXPECT_EQ((f.chart.*get)(&v), kS_OK);
    EXPECT_EQ(v, expected);
  }
}

TEST(NewChart, EngineDefaultsOutsideTheInterface) {
  testing::AutomationFixtureBase f;
  const CChartEngine& e = f.engine();
  EXPECT_EQ(e.layoutDirty, 1);
  EXPECT_EQ(e.topMargin, 60);
  EXPECT_EQ(e.captionLabel.height, 16);
  EXPECT_EQ(e.captionLabel.weight, 700);
  for (const CTextLabel* axis : {&e.xAxisCaption, &e.yAxisCaption}) {
    EXPECT_EQ(axis->height, 15);
    EXPECT_EQ(axis->weight, 400);
  }
  for (const CAxisArrow* a : {&e.xArrow, &e.yArrow}) {
    EXPECT_EQ(a->width, 2);
    EXPECT_EQ(a->headHalfWidth, 4);
    EXPECT_EQ(a->headLength, 12);
  }
  // The preset index is 0 but nothing is applied: white, not the first preset's 0xFCFCFC.
  EXPECT_EQ(e.background.firstColor, 0xFFFFFFu);
  EXPECT_EQ(e.background.fillKind, 0);
}

TEST(NewChart, MarkLabelsAreBoxedWithoutDotAndPlacedLeftAndBelow) {
  CChartMark m(2.5, -7.0);
  EXPECT_EQ(m.X, 2.5);
  EXPECT_EQ(m.Y, -7.0);
  EXPECT_EQ(m.yLabel.placement, 6);
  EXPECT_EQ(m.xLabel.placement, 4);
  for (const CPointLabel* l : {&m.yLabel, &m.xLabel}) {
    EXPECT_EQ(l->noBox, 0);
    EXPECT_EQ(l->showDot, 0);
    EXPECT_EQ(l->dotRadius, 3);
  }
}

}  // namespace
}  // namespace corvane
