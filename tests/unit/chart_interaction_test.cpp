// The chart control's mouse rules, without windows: what the wheel, drags and clicks do to
// the X window of a real chart, and that every interaction is off until it is turned on.
#include <gtest/gtest.h>

#include <cmath>

#include "control/automation.h"
#include "control/chart_control/chart_interaction.h"
#include "platform/raster/raster_system.h"

namespace corvane {
namespace {

class Interaction : public ::testing::Test {
 protected:
  void SetUp() override {
    chart_.SetSize(400, 300);
    chart_.put_plotsCount(1);
    for (int i = 1; i <= 20; ++i) chart_.AddPointToPlot(1, i, (i * 7) % 11);
    chart_.SetSegment(1, 21);
    ui_.HostSegment(1, 21);
    ASSERT_EQ(chart_.get_PlotAreaLeft(&left_), kS_OK);
    ASSERT_EQ(chart_.get_PlotAreaRight(&right_), kS_OK);
    ASSERT_EQ(chart_.get_PlotAreaTop(&top_), kS_OK);
  }
  double XMin() {
    double v = 0;
    chart_.get_WorldXMin(&v);
    return v;
  }
  double XMax() {
    double v = 0;
    chart_.get_WorldXMax(&v);
    return v;
  }
  std::int32_t PixelOf(double x) {
    double px = 0;
    chart_.WorldToPixelX(x, &px);
    return static_cast<std::int32_t>(px);
  }

  RasterGraphicsSystem graphics_;
  CorvaneAutomation chart_{graphics_};
  ChartInteraction ui_{chart_};
  std::int32_t left_ = 0, right_ = 0, top_ = 0;
};

TEST_F(Interaction, NothingMovesUntilTurnedOn) {
  const std::int32_t y = top_ + 50;
  EXPECT_FALSE(ui_.Wheel(200, y, 120).zoomed);
  ui_.Press(kLeftButton, 100, y);
  EXPECT_FALSE(ui_.Move(300, y).zoomed);
  const InteractionResult up = ui_.Release(kLeftButton, 300, y);
  EXPECT_FALSE(up.zoomed);
  EXPECT_FALSE(up.click);  // a drag is not a click
  ui_.Press(kRightButton, 100, y);
  EXPECT_FALSE(ui_.Move(300, y).zoomed);
  ui_.Release(kRightButton, 300, y);
  EXPECT_EQ(XMin(), 1);
  EXPECT_EQ(XMax(), 21);
  IRect r{};
  EXPECT_FALSE(ui_.ZoomRectangle(&r));
}

TEST_F(Interaction, RangesOfTheModes) {
  for (std::int32_t bad : {-1, 3, 1000}) EXPECT_EQ(ui_.SetZoomMode(bad), kE_INVALIDARG);
  for (std::int32_t bad : {-1, 2}) EXPECT_EQ(ui_.SetPanMode(bad), kE_INVALIDARG);
  EXPECT_EQ(ui_.settings().zoomMode, 0);
  EXPECT_EQ(ui_.SetZoomMode(2), kS_OK);
  EXPECT_EQ(ui_.SetZoomMode(7), kE_INVALIDARG);
  EXPECT_EQ(ui_.settings().zoomMode, 2);
  EXPECT_EQ(ui_.SetPanMode(1), kS_OK);
  EXPECT_EQ(ui_.settings().panMode, 1);
}

TEST_F(Interaction, WheelZoomsAroundTheCursorAndResetReturns) {
  ui_.SetZoomMode(1);
  const std::int32_t x = PixelOf(6);
  double under = 0;
  chart_.PixelToWorldX(x, &under);
  const InteractionResult in = ui_.Wheel(x, top_ + 10, 120);
  ASSERT_TRUE(in.zoomed);
  EXPECT_DOUBLE_EQ(in.xMax - in.xMin, 20 * ChartInteraction::kNotchScale);
  // The world x under the cursor stays under it.
  double after = 0;
  chart_.PixelToWorldX(x, &after);
  EXPECT_NEAR(after, under, 1e-9);
  EXPECT_EQ(XMin(), in.xMin);
  // Two notches back out: wider than at first.
  const InteractionResult out = ui_.Wheel(x, top_ + 10, -240);
  EXPECT_GT(out.xMax - out.xMin, 20);
  const InteractionResult reset = ui_.ResetZoom();
  EXPECT_TRUE(reset.zoomed);
  EXPECT_EQ(reset.xMin, 1);
  EXPECT_EQ(reset.xMax, 21);
  EXPECT_EQ(XMin(), 1);
}

TEST_F(Interaction, ResetWithoutAHostSegmentReturnsToTheFirstWindow) {
  CorvaneAutomation fresh(graphics_);
  fresh.SetSize(300, 200);
  fresh.put_plotsCount(1);
  fresh.AddPointToPlot2(1, 3);
  ChartInteraction ui(fresh);
  EXPECT_FALSE(ui.ResetZoom().zoomed);  // nothing zoomed yet
  ui.SetZoomMode(1);
  double a = 0, b = 0;
  fresh.get_WorldXMin(&a);
  fresh.get_WorldXMax(&b);
  ASSERT_TRUE(ui.Wheel(150, 100, 360).zoomed);
  const InteractionResult reset = ui.ResetZoom();
  EXPECT_EQ(reset.xMin, a);
  EXPECT_EQ(reset.xMax, b);
}

TEST_F(Interaction, LeftDragDrawsARectangleAndZoomsToIt) {
  ui_.SetZoomMode(2);
  const std::int32_t y = top_ + 20, x0 = PixelOf(5), x1 = PixelOf(9);
  ui_.Press(kLeftButton, x0, y);
  const InteractionResult moving = ui_.Move(x1, y + 40);
  EXPECT_TRUE(moving.redraw);
  EXPECT_FALSE(moving.zoomed);
  IRect r{};
  ASSERT_TRUE(ui_.ZoomRectangle(&r));
  EXPECT_EQ(r.left, x0);
  EXPECT_EQ(r.right, x1);
  EXPECT_EQ(r.bottom, y + 40);
  const InteractionResult up = ui_.Release(kLeftButton, x1, y + 40);
  ASSERT_TRUE(up.zoomed);
  EXPECT_FALSE(up.click);
  EXPECT_NEAR(up.xMin, 5, 0.1);  // within a pixel of the world
  EXPECT_NEAR(up.xMax, 9, 0.1);
  EXPECT_FALSE(ui_.ZoomRectangle(&r));
}

TEST_F(Interaction, ATinyDragIsAClickAndALostCaptureDropsTheRectangle) {
  ui_.SetZoomMode(2);
  ui_.Press(kLeftButton, 200, 100);
  ui_.Move(201, 101);
  const InteractionResult up = ui_.Release(kLeftButton, 201, 101);
  EXPECT_TRUE(up.click);
  EXPECT_FALSE(up.zoomed);
  ui_.Press(kLeftButton, 100, 100);
  ui_.Move(250, 150);
  EXPECT_TRUE(ui_.Cancel().redraw);
  EXPECT_FALSE(ui_.Release(kLeftButton, 250, 150).zoomed);
  EXPECT_EQ(XMin(), 1);
  // A release without its press, or of another button, does nothing.
  EXPECT_FALSE(ui_.Release(kRightButton, 5, 5).click);
}

TEST_F(Interaction, RightOrMiddleDragPansWithTheCursor) {
  ui_.SetPanMode(1);
  const double unitsPerPixel = 20.0 / (right_ - left_);
  for (MouseButton b : {kRightButton, kMiddleButton}) {
    chart_.SetSegment(1, 21);
    ui_.Press(b, 200, 100);
    const InteractionResult step = ui_.Move(150, 100);  // 50 pixels to the left
    ASSERT_TRUE(step.zoomed);
    EXPECT_NEAR(step.xMin, 1 + 50 * unitsPerPixel, 1e-9);
    EXPECT_NEAR(step.xMax - step.xMin, 20, 1e-9);
    EXPECT_FALSE(ui_.Move(150, 120).zoomed);  // up and down leave X as it is
    const InteractionResult up = ui_.Release(b, 250, 100);
    EXPECT_TRUE(up.zoomed);
    EXPECT_NEAR(up.xMin, 1 - 50 * unitsPerPixel, 1e-9);
    EXPECT_FALSE(up.click);
  }
  // The left button does not pan.
  chart_.SetSegment(1, 21);
  ui_.Press(kLeftButton, 200, 100);
  EXPECT_FALSE(ui_.Move(100, 100).zoomed);
  ui_.Release(kLeftButton, 100, 100);
}

TEST_F(Interaction, HostileInputLeavesAUsableWindow) {
  ui_.SetZoomMode(2);
  ui_.SetPanMode(1);
  const std::int32_t extremes[] = {-2147483647 - 1, -32768, -1, 0, 32767, 2147483647};
  for (std::int32_t a : extremes) {
    for (std::int32_t b : extremes) {
      ui_.Wheel(a, b, b);
      ui_.Press(kRightButton, a, b);
      ui_.Move(b, a);
      ui_.Release(kRightButton, a, a);
      ui_.Press(kLeftButton, a, b);
      ui_.Move(b, a);
      ui_.Release(kLeftButton, b, b);
    }
  }
  const double a = XMin(), b = XMax();
  EXPECT_TRUE(std::isfinite(a) && std::isfinite(b) && a < b);
  EXPECT_TRUE(ui_.ResetZoom().zoomed);
  EXPECT_EQ(XMin(), 1);
  // No picture: nothing to zoom, and no fault.
  chart_.SetSize(0, 0);
  EXPECT_FALSE(ui_.Wheel(10, 10, 120).zoomed);
}

}  // namespace
}  // namespace corvane
