#include "examples/demo_charts.h"

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

}  // namespace

void BuildPlotsChart(CorvaneAutomation& c) {
  c.SetSize(640, 400);
  c.put_preset(2);
  AddSeries(c);
  AddOverlayLines(c);
}

void BuildTextureChart(CorvaneAutomation& c) {
  c.SetSize(400, 300);
  c.put_preset(4);
  AddSeries(c);
}

}  // namespace corvane::demo
