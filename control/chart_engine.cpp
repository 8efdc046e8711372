#include "control/chart_engine.h"

#include <string>
#include <type_traits>

namespace corvane {

// GrowableArray moves its elements when it grows; a throwing move would leave it half-moved.
static_assert(std::is_nothrow_move_constructible_v<CChartMark>);
static_assert(std::is_nothrow_move_constructible_v<CChartLine>);
static_assert(std::is_nothrow_move_constructible_v<CChartRect>);
static_assert(std::is_nothrow_move_constructible_v<CChartPolygon>);
static_assert(std::is_nothrow_move_constructible_v<CCandleStick>);
static_assert(std::is_nothrow_move_constructible_v<std::string>);

namespace {

// plotsCount is a public member; never let a stray value walk past the plot array.
std::int32_t ClampedPlotCount(std::int32_t n) {
  if (n < 0) return 0;
  return n > CChartEngine::kMaxPlots ? CChartEngine::kMaxPlots : n;
}

}  // namespace

CChartEngine::CChartEngine() {
  captionLabel.text = "Corvane Version 1.1";
  captionLabel.height = 16;
  captionLabel.weight = 700;

  xAxisCaption.text = "caption X";
  xAxisCaption.height = 15;
  xAxisCaption.weight = 400;
  yAxisCaption.text = "caption Y";
  yAxisCaption.height = 15;
  yAxisCaption.weight = 400;

  for (CAxisArrow* arrow : {&xArrow, &yArrow}) {
    arrow->width = 2;
    arrow->color = 0x000000;
    arrow->style = 0;
    arrow->enabled = 1;
    arrow->headHalfWidth = 4;
    arrow->headLength = 12;
  }
  // The preset table starts at index 0 but is not applied: a new chart keeps a white
  // background, not the off-white of the first preset.
  presets.current = 0;
  layoutDirty = 1;
}

void CChartEngine::InvalidateLayout() {
  layoutDirty = 1;
  const std::int32_t n = ClampedPlotCount(plotsCount);
  for (std::int32_t i = 0; i < n; ++i) plots[i].refitPending = 1;
}

void CChartEngine::SetSize(std::int32_t w, std::int32_t h) {
  width = w;
  height = h;
  background.pictureWidth = w;
  background.pictureHeight = h;
  InvalidateLayout();
}

void CChartEngine::SetCaptionVisible(bool visible) {
  captionVisible = visible ? 1 : 0;
  if (grid.gridType == 0)
    topMargin = visible ? 60 : 35;
  else
    topMargin = visible ? 30 : 17;
  InvalidateLayout();
}

void CChartEngine::SetDefaultGrid() {
  if (grid.gridType == 0) return;
  topMargin *= 2;  // 17 becomes 34, not 35: the halving lost a pixel
  grid.gridType = 0;
  const std::int32_t n = ClampedPlotCount(plotsCount);
  for (std::int32_t i = 0; i < n; ++i) {
    plots[i].segmentOnly = 0;
    plots[i].refitPending = 1;
  }
  layoutDirty = 1;
}

void CChartEngine::SetUserTypeGrid() {
  if (grid.gridType == 1) return;
  topMargin >>= 1;
  grid.gridType = 1;
  const std::int32_t n = ClampedPlotCount(plotsCount);
  for (std::int32_t i = 0; i < n; ++i) {
    plots[i].segmentOnly = 1;
    plots[i].refitPending = 1;
  }
  layoutDirty = 1;
}

void CChartEngine::ClearAll() {
  const std::int32_t n = ClampedPlotCount(plotsCount);
  for (std::int32_t i = 0; i < n; ++i) plots[i].Dispose();
  grid.labels.Clear();
  polygons.Clear();
  marks.Clear();
  lines.Clear();
  rectangles.Clear();
  candlesticks.Clear();
  legend.Clear();
  plotsCount = 0;
  layoutDirty = 1;
}

void CChartEngine::ApplyPreset(std::int32_t index) {
  const std::int32_t i = (index >= 0 && index < CColorPresetTable::kCount) ? index : 0;
  presets.current = i;

  const Color text = presets.textColors[i];
  grid.labelColor = text;
  grid.lineColor = presets.gridColors[i];
  captionLabel.textColor = text;
  background.firstColor = presets.backColors[i];
  background.fillKind = 0;
  xArrow.color = text;
  yArrow.color = text;
  xAxisCaption.textColor = text;
  yAxisCaption.textColor = text;

  if (presets.isGradient[i]) {
    background.secondColor = presets.gradientEndColors[i];
    background.fillKind = 1;
  } else if (presets.isTexture[i]) {
    background.fillKind = 2;
    background.textureDarkens = presets.textureDarkensFlags[i];
  }

  for (CCandleStick& c : candlesticks) {
    c.hasOutline = presets.candleOutline[i];
    c.fallColor = presets.candleFallColors[i];
    c.riseColor = presets.candleRiseColors[i];
    c.wickColor = presets.candleWickColors[i];
  }
}

}  // namespace corvane
