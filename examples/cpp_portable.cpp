// Corvane from C++ on Linux through the portable API (control/automation.h): the members of
// the COM interfaces with plain types, drawn by the software raster. The chart is rendered
// into a 32-bit buffer, as into a QImage or a cairo surface, and written as a PNG with libpng.
// Build against corvane_core; run: cpp_portable chart.png
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "control/automation.h"
#include "platform/raster/raster_system.h"

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "chart.png";
  corvane::RasterGraphicsSystem graphics;  // the raster device contexts and the fonts
  corvane::CorvaneAutomation chart(graphics);

  chart.SetSize(400, 300);
  const std::u16string caption = u"Hello, Corvane";  // strings are UTF-16, with a length
  chart.put_caption(caption.data(), static_cast<std::uint32_t>(caption.size()));
  chart.put_plotsCount(2);
  std::vector<double> xs, ys;
  for (int i = 1; i <= 20; ++i) {
    xs.push_back(i);
    ys.push_back((i * 7) % 11 + i / 2.0);
  }
  chart.AddPointsToPlot(1, xs.data(), ys.data(), xs.size());  // whole arrays in one call
  chart.AddPointsToPlot(2, xs.data(), ys.data(), xs.size());
  chart.SetSimplePlot(1);
  chart.SetPlotColor(1, 0x0000C8);  // colours are 0x00BBGGRR, as OLE_COLOR
  chart.SetPointVisible(1, corvane::kVariantTrue);
  chart.SetLinearApproximate(2);
  chart.SetPlotColor(2, 0xC80000);
  chart.SetPlotWidth(2, 2);
  chart.SetSegment(1, 20);
  const std::u16string measured = u"measured", trend = u"trend";
  chart.AddLabelToLegend(0x0000C8, measured.data(), static_cast<std::uint32_t>(measured.size()));
  chart.AddLabelToLegend(0xC80000, trend.data(), static_cast<std::uint32_t>(trend.size()));

  // Each pixel is the bytes B, G, R, 255: libpng's BGRA layout.
  const int width = 400, height = 300;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
  corvane::HResult hr = chart.DrawTo(pixels.data(), width, height, width * 4, 0, 0);
  if (hr != corvane::kS_OK) {
    std::fprintf(stderr, "DrawTo failed: 0x%08X\n", static_cast<unsigned>(hr));
    return 1;
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_BGRA;
  if (!png_image_write_to_file(&image, path, 0, pixels.data(), width * 4, nullptr)) {
    std::fprintf(stderr, "%s: %s\n", path, image.message);
    return 1;
  }
  // (chart.SaveToPng would write the same picture in one call.)
  std::printf("wrote %s\n", path);
  return 0;
}
