#include "tests/oom/chart_script.h"

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace corvane::oom {
namespace {

using A = CorvaneAutomation;

class ScriptBuilder {
 public:
  template <typename Call>
  void Add(std::string name, StepRule rule, Call call) {
    steps_.push_back(Step{std::move(name), rule, [call](A& c, const ScriptEnv&) { return call(c); }});
  }
  void Text(const char* name, HResult (A::*put)(const char16_t*, std::uint32_t), std::u16string s) {
    Add(name, kMayRunOut, [put, s](A& c) { return (c.*put)(s.data(), static_cast<std::uint32_t>(s.size())); });
  }
  void Save(bool png) {
    steps_.push_back(Step{png ? "SaveToPng" : "SaveToFile", kRenders, [png](A& c, const ScriptEnv& env) {
                            const std::u16string& file = png ? env.pngFile : env.bmpFile;
                            const auto n = static_cast<std::uint32_t>(file.size());
                            return png ? c.SaveToPng(file.data(), n) : c.SaveToFile(file.data(), n);
                          }});
  }
  void Window() {
    steps_.push_back(Step{"put_hWnd", kStores,
                          [](A& c, const ScriptEnv& env) { return c.put_hWnd(env.window); }});
  }
  std::vector<Step> steps_;
};

void Renders(ScriptBuilder& b) {
  b.Add("Show", kRenders, [](A& c) { return c.Show(); });
  b.Save(false);
  b.Save(true);
  b.Add("get_Picture", kRenders, [](A& c) {
    DibPicture picture;
    return c.get_Picture(&picture);
  });
  b.Add("DrawTo", kRenders, [](A& c) {
    std::uint32_t pixels[64 * 48];
    return c.DrawTo(pixels, 64, 48, 64 * 4, -10, -5);
  });
  // Into the PNG's name: the sweep looks at results, not at the files.
  b.steps_.push_back(Step{"SaveToSvg", kRenders, [](A& c, const ScriptEnv& env) {
                            return c.SaveToSvg(env.pngFile.data(), static_cast<std::uint32_t>(env.pngFile.size()));
                          }});
}

void Plots(ScriptBuilder& b) {
  b.Add("put_plotsCount", kStores, [](A& c) { return c.put_plotsCount(3); });
  b.Add("AddPointsToPlot", kMayRunOut, [](A& c) {
    const double x[] = {1, 2, 3, 4, 5, 6, 7, 8};
    const double y[] = {2, 5, 3, 7, 4, 8, 6, 9};
    return c.AddPointsToPlot(1, x, y, 8);
  });
  for (int i = 1; i <= 5; ++i) {
    b.Add("AddPointToPlot", kStores, [i](A& c) { return c.AddPointToPlot(2, i, 0.5 * i * i - 3); });
    b.Add("AddPointToPlot2", kStores, [i](A& c) { return c.AddPointToPlot2(3, 9 - i); });
  }
  b.Add("AddPointsToPlot2", kMayRunOut, [](A& c) {
    const double y[] = {1, 2, 1.5};
    return c.AddPointsToPlot2(3, y, 3);
  });
  b.Add("SetSimplePlot", kStores, [](A& c) { return c.SetSimplePlot(1); });
  b.Add("SetPointVisible", kStores, [](A& c) { return c.SetPointVisible(1, kVariantTrue); });
  b.Add("SetSquareApproximate", kStores, [](A& c) { return c.SetSquareApproximate(2); });
  b.Add("SetSegment", kStores, [](A& c) { return c.SetSegment(1, 8); });
}

// A walk of n values with a gap now and then, made once (outside the armed runs).
std::vector<double> Walk(std::size_t n) {
  std::vector<double> y(n);
  double v = 0;
  for (std::size_t i = 0; i < n; ++i) y[i] = i % 997 == 5 ? std::numeric_limits<double>::quiet_NaN() : (v += (i * 7 % 13) - 6.0);
  return y;
}

// Rings that wrap and shrink, and a plot long enough for every level of its summary to
// grow: the index's storage under allocation failure.
void Streams(ScriptBuilder& b) {
  b.Add("put_PlotCapacity", kStores, [](A& c) { return c.put_PlotCapacity(1, 20); });
  b.Add("AddPointsToPlot2", kMayRunOut, [](A& c) {
    static const std::vector<double> y = Walk(50);
    return c.AddPointsToPlot2(1, y.data(), y.size());
  });
  for (int i = 0; i < 3; ++i)
    b.Add("AddPointToPlot2", kStores, [i](A& c) { return c.AddPointToPlot2(1, 3 - i); });
  b.Add("put_PlotCapacity", kStores, [](A& c) { return c.put_PlotCapacity(1, 7); });
  b.Add("AddPointsToPlot2", kMayRunOut, [](A& c) {
    static const std::vector<double> y = Walk(9000);
    return c.AddPointsToPlot2(2, y.data(), y.size());
  });
  b.Add("put_PlotCapacity", kStores, [](A& c) { return c.put_PlotCapacity(2, 4000); });
  b.Add("AddPointsToPlot2", kMayRunOut, [](A& c) {
    static const std::vector<double> y = Walk(700);
    return c.AddPointsToPlot2(2, y.data(), y.size());
  });
  b.Add("SetSegment", kStores, [](A& c) { return c.SetSegment(8000, 9700); });
}

void Overlays(ScriptBuilder& b) {
  b.Add("put_polygonsCount", kStores, [](A& c) { return c.put_polygonsCount(2); });
  for (DPoint p : {DPoint{1, 1}, DPoint{4, 2}, DPoint{2, 6}})
    b.Add("AddPointToPolygon", kStores, [p](A& c) { return c.AddPointToPolygon(1, p.X, p.Y); });
  for (DPoint p : {DPoint{5, 1}, DPoint{8, 2}, DPoint{7, 7}, DPoint{5, 5}})
    b.Add("AddPointToPolygon", kStores, [p](A& c) { return c.AddPointToPolygon(2, p.X, p.Y); });
  b.Add("SetPolygonProperties", kStores, [](A& c) { return c.SetPolygonProperties(1, 0x00C000, 0.5); });
  b.Add("SetPolygonProperties2", kStores,
        [](A& c) { return c.SetPolygonProperties2(2, 0xC00000, 1.0, 2, 1, 0x000080); });
  b.Add("AddRectangle", kStores, [](A& c) { return c.AddRectangle(2, 8, 4, 6, 0x00FFFF, 0.3); });
  b.Add("AddRectangle2", kStores,
        [](A& c) { return c.AddRectangle2(6, 3, 7.5, 1, 0xE0E0E0, 1.0, 3, 4, 0x404040); });
  b.Add("AddLine", kStores, [](A& c) { return c.AddLine(1, 0, 8, 9, 1, 1, 0x800080); });
  b.Add("AddLine", kStores, [](A& c) { return c.AddLine(1, 4, 8, 4, 2, 3, 0x008080); });
  b.Add("AddCandleStick", kStores, [](A& c) { return c.AddCandleStick(3, 2, 5, 6, 1); });
  b.Add("AddCandleStick", kStores, [](A& c) { return c.AddCandleStick(6, 6, 4, 7, 3); });
}

void Labels(ScriptBuilder& b) {
  b.Add("AddMark", kMayRunOut, [](A& c) { return c.AddMark(4, 4); });
  b.Add("AddMark2", kMayRunOut, [](A& c) {
    static const char16_t kLabel[] = u"peak \u0416";
    return c.AddMark2(6, 8, kLabel, 6);
  });
  for (const char16_t* label : {u"Jan", u"Feb", u"Mar", u"Apr"})
    b.Text("AddLabelToGrid", &A::AddLabelToGrid, label);
  for (auto [colour, label] : {std::pair{0x0000C0u, u"north"}, std::pair{0x008000u, u"south"}}) {
    b.Add("AddLabelToLegend", kMayRunOut,
          [colour = colour, label = label](A& c) { return c.AddLabelToLegend(colour, label, 5); });
  }
}

// The read-back members allocate nothing; a hit test measures the legend's texts in a
// context of its own and may run out after laying the chart out, as a render may.
void ReadBack(ScriptBuilder& b) {
  b.Add("get_WorldYMax", kStores, [](A& c) {
    double v = 0;
    return c.get_WorldYMax(&v);
  });
  b.Add("get_PlotAreaRight", kStores, [](A& c) {
    std::int32_t v = 0;
    return c.get_PlotAreaRight(&v);
  });
  b.Add("WorldToPixelX", kStores, [](A& c) {
    double v = 0;
    return c.WorldToPixelX(3, &v);
  });
  b.Add("PixelToWorldY", kStores, [](A& c) {
    double v = 0;
    return c.PixelToWorldY(40, &v);
  });
  b.Add("get_PointY", kStores, [](A& c) {
    // Points an earlier step could not store are not there to read: E_INVALIDARG then.
    std::int32_t n = 0;
    double v = 0;
    c.get_PointCount(1, &n);
    const HResult hr = c.get_PointY(1, 2, &v);
    return n >= 2 || hr != kE_INVALIDARG ? hr : kS_OK;
  });
  for (DPoint p : {DPoint{70, 40}, DPoint{20, 20}, DPoint{110, 60}, DPoint{140, 100}}) {
    b.Add("HitTest", kRenders, [p](A& c) {
      ChartHit hit;
      return c.HitTest(p.X, p.Y, 6, &hit);
    });
  }
}

// Axes of every type: their ticks are chosen and measured in the layout, which goes on
// without them when no memory is left; the read-back copies them out.
void Axes(ScriptBuilder& b) {
  b.Add("put_XAxisType", kStores, [](A& c) { return c.put_XAxisType(2); });
  b.Add("put_YAxisType", kStores, [](A& c) { return c.put_YAxisType(1); });
  b.Text("put_YLabelFormat", &A::put_YLabelFormat, u"$#,##0.00");
  b.Add("Show", kRenders, [](A& c) { return c.Show(); });
  // These lay out first: a layout short of memory stays stale and is judged by the end.
  b.Add("get_TickCount", kRenders, [](A& c) {
    std::int32_t n = 0;
    return c.get_TickCount(0, &n);
  });
  b.Add("get_TickLabel", kRenders, [](A& c) {
    // A layout short of memory may have no ticks to read: E_INVALIDARG then.
    std::u16string s;
    const HResult hr = c.get_TickLabel(1, 1, &s);
    return hr == kE_INVALIDARG ? kS_OK : hr;
  });
  b.Add("put_YAxisType", kStores, [](A& c) { return c.put_YAxisType(4); });
  b.Add("put_XAxisType", kStores, [](A& c) { return c.put_XAxisType(4); });
  b.Add("FitSegmentToData", kMayRunOut, [](A& c) { return c.FitSegmentToData(); });
  b.Add("get_TickValue", kRenders, [](A& c) {
    double v = 0;
    const HResult hr = c.get_TickValue(1, 1, &v);
    return hr == kE_INVALIDARG ? kS_OK : hr;
  });
  b.Add("Show", kRenders, [](A& c) { return c.Show(); });
  b.Add("put_XAxisType", kStores, [](A& c) { return c.put_XAxisType(0); });
  b.Add("put_YAxisType", kStores, [](A& c) { return c.put_YAxisType(0); });
}

std::vector<Step> MakeScript() {
  ScriptBuilder b;
  b.Add("SetSize", kStores, [](A& c) { return c.SetSize(150, 110); });
  b.Window();
  b.Text("put_caption", &A::put_caption, u"Sales \u00e9t\u00e9");
  b.Text("put_arrowCaptionX", &A::put_arrowCaptionX, u"month");
  b.Text("put_arrowCaptionY", &A::put_arrowCaptionY, u"units");
  b.Add("put_preset", kStores, [](A& c) { return c.put_preset(4); });  // the texture
  Plots(b);
  b.Add("Show", kRenders, [](A& c) { return c.Show(); });
  Streams(b);
  b.Add("Show", kRenders, [](A& c) { return c.Show(); });
  b.Add("SetSegment", kStores, [](A& c) { return c.SetSegment(1, 8); });
  Overlays(b);
  Labels(b);
  b.Add("put_gridVisible", kStores, [](A& c) { return c.put_gridVisible(1); });
  Renders(b);
  // Antialiased from here on: the coverage raster's cells and the gathered strokes.
  b.Add("put_Antialias", kStores, [](A& c) { return c.put_Antialias(true); });
  Renders(b);
  // Twice the lengths: every font, pen and marker is made again at its scaled size.
  b.Add("put_PixelScale", kStores, [](A& c) { return c.put_PixelScale(2); });
  Renders(b);
  ReadBack(b);
  b.Add("put_PixelScale", kStores, [](A& c) { return c.put_PixelScale(1); });
  ReadBack(b);
  Axes(b);
  b.Add("SetUserTypeGrid", kStores, [](A& c) { return c.SetUserTypeGrid(); });
  ReadBack(b);  // on a stale layout: these lay the chart out
  b.Add("put_preset", kStores, [](A& c) { return c.put_preset(2); });  // a gradient
  b.Add("Show", kRenders, [](A& c) { return c.Show(); });
  b.Add("GetSvg", kRenders, [](A& c) {
    std::string svg;
    return c.GetSvg(&svg);
  });
  b.Add("get_caption", kMayRunOut, [](A& c) {
    std::u16string text;
    return c.get_caption(&text);
  });
  b.Add("get_presetName", kMayRunOut, [](A& c) {
    std::u16string text;
    return c.get_presetName(&text);
  });
  b.Add("Dispose", kStores, [](A& c) { return c.Dispose(); });
  Plots(b);
  Labels(b);
  b.Add("Show", kRenders, [](A& c) { return c.Show(); });
  return b.steps_;
}

}  // namespace

const std::vector<Step>& ChartScript() {
  static const std::vector<Step> script = MakeScript();
  return script;
}

}  // namespace corvane::oom
