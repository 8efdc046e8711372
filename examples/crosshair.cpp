// Corvane from C++ on Linux: what lies under a pixel, and a cross-hair moved there, the
// portable twin of crosshair.vbs (the same chart, the same line printed, the same picture).
// Run: crosshair X Y crosshair.png
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <string>

#include "control/automation.h"
#include "platform/raster/raster_system.h"

int main(int argc, char** argv) {
  const double mouseX = argc > 2 ? std::atof(argv[1]) : 229;
  const double mouseY = argc > 2 ? std::atof(argv[2]) : 160;
  const std::string path = argc > 3 ? argv[3] : "crosshair.png";
  corvane::RasterGraphicsSystem graphics;
  corvane::CorvaneAutomation chart(graphics);

  chart.SetSize(480, 320);
  const std::u16string caption = u"Move the mouse over a point";
  chart.put_caption(caption.data(), static_cast<std::uint32_t>(caption.size()));
  chart.put_plotsCount(1);
  for (int i = 1; i <= 12; ++i) chart.AddPointToPlot(1, i, 5 + 3 * std::sin(i / 2.0));
  chart.SetSimplePlot(1);
  chart.SetPointVisible(1, corvane::kVariantTrue);
  chart.SetSegment(0, 13);

  // The point within 8 pixels of the mouse, else the world position under it.
  corvane::ChartHit hit;
  if (chart.HitTest(mouseX, mouseY, 8, &hit) != corvane::kS_OK) return 1;
  double x = 0, y = 0;
  if (hit.kind == corvane::kHitPoint) {
    x = hit.x;
    y = hit.y;
    std::printf("point %d of plot %d: (%g, %.3f), %.1f pixels away\n", hit.index, hit.plot, x, y,
                hit.distance);
  } else {
    chart.PixelToWorldX(mouseX, &x);
    chart.PixelToWorldY(mouseY, &y);
    std::printf("no point under (%g, %g): world (%.3f, %.3f)\n", mouseX, mouseY, x, y);
  }

  // The cross-hair: two dashed lines through it, across the whole window.
  double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  chart.get_WorldXMin(&x0);
  chart.get_WorldXMax(&x1);
  chart.get_WorldYMin(&y0);
  chart.get_WorldYMax(&y1);
  chart.AddLine(x0, y, x1, y, 1, 2, 0x007800);
  chart.AddLine(x, y0, x, y1, 1, 2, 0x007800);
  const std::u16string file(path.begin(), path.end());
  return chart.SaveToPng(file.data(), static_cast<std::uint32_t>(file.size())) == corvane::kS_OK ? 0 : 1;
}
