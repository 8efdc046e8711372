#include "control/chart_engine.h"

namespace corvane {

CChartEngine::CChartEngine() {}
void CChartEngine::InvalidateLayout() {
  layoutDirty = 1;
  for (int i = 0; i < plotsCount && i < kMaxPlots; ++i) plots[i].refitPending = 1;
}
void CChartEngine::SetSize(std::int32_t w, std::int32_t h) {
  width = w;
  height = h;
  background.pictureWidth = w;
  background.pictureHeight = h;
  InvalidateLayout();
}
void CChartEngine::SetCaptionVisible(bool visible) { captionVisible = visible ? 1 : 0; InvalidateLayout(); }
void CChartEngine::SetDefaultGrid() {}
void CChartEngine::SetUserTypeGrid() {}
void CChartEngine::ClearAll() {}
void CChartEngine::ApplyPreset(std::int32_t) {}

}  // namespace corvane
