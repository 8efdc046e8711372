// Corvane from C++ on Linux through the installed library: find_package(Corvane) or
// pkg-config corvane, then corvane::Chart. Draws the chart of cpp_portable.cpp and the other
// examples and writes it as a PNG.
// Build: see CMakeLists.txt beside this file; run: library_chart chart.png
#include <corvane/corvane.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "chart.png";
  try {
    corvane::Chart chart(400, 300);
    chart.set_caption("Hello, Corvane");  // strings are UTF-8
    chart.set_plotsCount(2);
    std::vector<double> xs, ys;
    for (int i = 1; i <= 20; ++i) {
      xs.push_back(i);
      ys.push_back((i * 7) % 11 + i / 2.0);
    }
    chart.AddPointsToPlot(1, xs.data(), ys.data(), xs.size());  // whole arrays in one call
    chart.AddPointsToPlot(2, xs.data(), ys.data(), xs.size());
    chart.SetSimplePlot(1);
    chart.SetPlotColor(1, 0x0000C8);  // colours are 0x00BBGGRR, as OLE_COLOR
    chart.SetPointVisible(1, true);
    chart.SetLinearApproximate(2);
    chart.SetPlotColor(2, 0xC80000);
    chart.SetPlotWidth(2, 2);
    chart.SetSegment(1, 20);
    chart.AddLabelToLegend(0x0000C8, "measured");
    chart.AddLabelToLegend(0xC80000, "trend");
    chart.SaveToPng(path);
    std::printf("wrote %s with Corvane %s (headers %s)\n", path, corvane::LibraryVersion(),
                CORVANE_VERSION_STRING);
  } catch (const corvane::Error& e) {
    // e.hresult() is what the COM object would return; what() says which call and why.
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
