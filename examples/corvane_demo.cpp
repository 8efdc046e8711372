// Renders the demo charts with the portable raster: corvane_demo OUTPUT_PREFIX writes
// OUTPUT_PREFIX_plots.bmp (with marks and a legend), OUTPUT_PREFIX_texture.bmp,
// OUTPUT_PREFIX_window.bmp (the plots chart shown into a host window, read back from it) and
// OUTPUT_PREFIX_overlays_*.bmp (the overlay chart under three presets).
#include <cstdio>
#include <string>
#include <vector>

#include "control/automation.h"
#include "control/bmp_export.h"
#include "examples/demo_charts.h"
#include "platform/raster/raster_system.h"

namespace {

std::u16string Utf16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// The window's pixels as the 24-bit bottom-up rows of a BMP file.
bool SaveSurface(const corvane::RasterBitmap& surface, const std::string& path) {
  const std::int32_t w = surface.width(), h = surface.height();
  const std::size_t stride = static_cast<std::size_t>(corvane::BmpStride(w));
  std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(h), 0);
  for (std::int32_t y = 0; y < h; ++y) {
    std::uint8_t* row = rows.data() + stride * static_cast<std::size_t>(h - 1 - y);
    for (std::int32_t x = 0; x < w; ++x) {
      const corvane::Color c = surface.Get(x, y);
      row[3 * x] = static_cast<std::uint8_t>(corvane::BlueOf(c));
      row[3 * x + 1] = static_cast<std::uint8_t>(corvane::GreenOf(c));
      row[3 * x + 2] = static_cast<std::uint8_t>(corvane::RedOf(c));
    }
  }
  const bool ok = corvane::WriteBmpFile(Utf16(path), w, h, rows.data()) == corvane::kS_OK;
  std::printf("%s: %s\n", path.c_str(), ok ? "written" : "FAILED");
  return ok;
}

bool Save(corvane::CorvaneAutomation& chart, const std::string& path) {
  const std::u16string name = Utf16(path);
  const corvane::HResult hr = chart.SaveToFile(name.c_str(), static_cast<std::uint32_t>(name.size()));
  std::printf("%s: %s\n", path.c_str(), hr == corvane::kS_OK ? "written" : "FAILED");
  return hr == corvane::kS_OK;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string prefix = argc > 1 ? argv[1] : "corvane_demo";
  corvane::RasterGraphicsSystem graphics;
  bool ok = true;
  // Textures and the label background tests draw from one random sequence per thread: the
  // files are rendered in demo.vbs's order, one render each, so the two builds' files can be
  // compared; the window is shown last.
  corvane::CorvaneAutomation plots(graphics);
  corvane::demo::BuildPlotsChart(plots);
  ok &= Save(plots, prefix + "_plots.bmp");
  {
    corvane::CorvaneAutomation chart(graphics);
    corvane::demo::BuildTextureChart(chart);
    ok &= Save(chart, prefix + "_texture.bmp");
  }
  for (const corvane::demo::OverlayPreset& p : corvane::demo::kOverlayPresets) {
    corvane::CorvaneAutomation chart(graphics);
    corvane::demo::BuildOverlaysChart(chart, p.preset);
    ok &= Save(chart, prefix + "_" + p.kind + ".bmp");
  }

  // Show into a host window and keep what the window received.
  const std::int32_t hwnd = graphics.CreateWindowSurface(640, 400);
  plots.put_hWnd(hwnd);
  plots.Show();
  const corvane::RasterBitmap* surface = graphics.WindowSurface(hwnd);
  ok &= surface && SaveSurface(*surface, prefix + "_window.bmp");
  graphics.DestroyWindowSurface(hwnd);
  return ok ? 0 : 1;
}
