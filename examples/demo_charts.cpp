#include "examples/demo_charts.h"

#include <cstdint>
#include <string>

namespace corvane::demo {
namespace {

constexpr int kPoints = 40;

void AddSeries(CorvaneAutomation& c) {
  c.put_plotsCount(3);
  for (int i = 1; i <= kPoints; ++i) {
    c.AddPointToPlot2(1, (i * 7 % 11) - 5 + i * 0.2);
    c.AddPointToPlot2(2, 0.5 * i + (i * 5 % 7) - 12);
    c.AddPointToPlot2(3, 0.02 * (i - 20) * (i - 20) - 4 + (i % 3));
  }
  c.SetSimplePlot(1);
  c.SetPlotColor(1, 0x0000C0);
  c.SetPointVisible(1, kVariantTrue);
  c.SetPointColor(1, 0x000060);
  c.SetLinearApproximate(2);
  c.SetPlotColor(2, 0xC00000);
  c.SetPlotWidth(2, 3);
  c.SetSquareApproximate(3);
  c.SetPlotColor(3, 0x008000);
  c.SetSegment(1, kPoints);
}

void AddOverlayLines(CorvaneAutomation& c) {
  c.AddLine(1, -6, 40, 10, 1, 1, 0x800080);
  c.AddLine(1, 8, 40, 8, 2, 2, 0x008080);
  c.AddLine(5, -8, 35, -8, 1, 3, 0x404040);
  c.AddLine(20, -9, 20, 11, 1, 4, 0x000000);
  c.AddLine(1, 0, 40, 0, 3, 0, 0x0080FF);
}

void AddShapes(CorvaneAutomation& c) {
  c.put_polygonsCount(3);
  const double triangle[][2] = {{5, -8}, {15, -2}, {8, 9}};
  for (const auto& p : triangle) c.AddPointToPolygon(1, p[0], p[1]);
  c.SetPolygonProperties2(1, 0xFF8000, 0.35, 2, 0, 0x800000);
  const double pentagon[][2] = {{18, 4}, {21, 2}, {24, 4}, {23, 7}, {19, 7}};
  for (const auto& p : pentagon) c.AddPointToPolygon(2, p[0], p[1]);
  c.SetPolygonProperties2(2, 0x4080C0, 1.0, 1, 0, 0x204060);
  const double star[][2] = {{-2, 6}, {4, 8}, {6, 14}, {7, 7}, {12, 5}, {6, 4}};  // past the left edge
  for (const auto& p : star) c.AddPointToPolygon(3, p[0], p[1]);
  c.SetPolygonProperties(3, 0x00C000, 0.5);

  c.AddRectangle(22, 10, 30, -6, 0x00C0FF, 0.3);
  c.AddRectangle2(32, -4, 38, -9, 0xE0E0E0, 1.0, 2, 1, 0x404040);
  c.AddRectangle2(26, 12, 27, -10, 0x0000FF, 0.2, 1, 4, 0x000080);

  const double candles[][5] = {{25, 2, 5, 7, 1},   {27, 5, 3, 6, 0},    {29, 3, 3, 5, 2},
                               {31, 3, 7, 9, 2.5}, {33, 7, 6.5, 8, 4}, {35, 6.5, 9, 11, 6}};
  for (const auto& k : candles) c.AddCandleStick(k[0], k[1], k[2], k[3], k[4]);
}

void LegendEntry(CorvaneAutomation& c, Color color, const std::u16string& text) {
  c.AddLabelToLegend(color, text.data(), static_cast<std::uint32_t>(text.size()));
}

// Two marks on the polyline's points, one labelled with a text of its own, and a legend of
// the three series in the bottom right corner.
void AddMarksAndLegend(CorvaneAutomation& c) {
  c.AddMark(10, 1);
  const std::u16string peak = u"Peak";
  c.AddMark2(34, 8.8, peak.data(), static_cast<std::uint32_t>(peak.size()));
  c.put_legendPosition(2);
  LegendEntry(c, 0x0000C0, u"measured");
  LegendEntry(c, 0xC00000, u"least squares line");
  LegendEntry(c, 0x008000, u"least squares parabola");
}

// A legend of the shapes in the top right corner, chosen before the preset, which leaves it
// alone.
void AddShapesLegend(CorvaneAutomation& c) {
  c.put_legendPosition(1);
  LegendEntry(c, 0xFF8000, u"translucent triangle");
  LegendEntry(c, 0x00C0FF, u"band");
  LegendEntry(c, 0xE0E0E0, u"opaque rectangle");
}

}  // namespace

void BuildPlotsChart(CorvaneAutomation& c) {
  c.SetSize(640, 400);
  c.put_preset(2);
  AddSeries(c);
  AddOverlayLines(c);
  AddMarksAndLegend(c);
}

void BuildTextureChart(CorvaneAutomation& c) {
  c.SetSize(400, 300);
  c.put_preset(4);
  AddSeries(c);
}

void BuildOverlaysChart(CorvaneAutomation& c, int preset) {
  c.SetSize(640, 400);
  AddSeries(c);
  AddShapes(c);
  AddShapesLegend(c);
  c.put_preset(preset);
}

}  // namespace corvane::demo
