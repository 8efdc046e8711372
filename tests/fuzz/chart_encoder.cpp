#include "tests/fuzz/chart_encoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/string_conversion.h"
#include "tests/fuzz/fuzz_args.h"
#include "tests/fuzz/fuzz_calls.h"
#include "tests/fuzz/fuzz_values.h"

namespace corvane::fuzz {
namespace {

// A Writer that starts each call with its op byte.
class CallWriter : public Writer {
 public:
  void Op(const char* name) {
    const int index = CallIndex(name);
    if (index < 0) {
      std::fprintf(stderr, "no call named %s\n", name);
      std::abort();
    }
    Byte(static_cast<std::uint8_t>(index));
  }
  void Text(const std::string& narrow) { Writer::Text(WidenToUtf16(narrow)); }
  void IndexInt(const char* op, std::int32_t index, std::int32_t v) {
    Op(op);
    Int(index);
    Int(v);
  }
  void IndexColour(const char* op, std::int32_t index, Color c) {
    Op(op);
    Int(index);
    Colour(c);
  }
  void IndexBool(const char* op, std::int32_t index, bool v) {
    Op(op);
    Int(index);
    Bool(v ? -1 : 0);
  }
};

void EncodeSettings(const CChartEngine& e, CallWriter& w) {
  std::int32_t sw, sh;
  SeedSize(e.width, e.height, &sw, &sh);
  w.Op("SetSize");
  w.Byte(static_cast<std::uint8_t>(sw + 8));
  w.Byte(static_cast<std::uint8_t>(sh + 8));
  w.Op("put_caption");
  w.Text(e.captionLabel.text);
  w.Op("put_captionVisible");
  w.Bool(e.captionVisible ? -1 : 0);
  w.Op("put_arrowCaptionX");
  w.Text(e.xAxisCaption.text);
  w.Op("put_arrowCaptionY");
  w.Text(e.yAxisCaption.text);
  const std::pair<const char*, std::int32_t> ints[] = {
      {"put_arrowR", e.xArrow.headHalfWidth},        {"put_arrowH", e.xArrow.headLength},
      {"put_arrowLineWidth", e.xArrow.width},        {"put_gridVisible", e.grid.gridVisible},
      {"put_gridVerticalLines", e.grid.verticalLines},
      {"put_gridHorizontalLines", e.grid.horizontalLines},
      {"put_gridDigitsAfterPoint", e.grid.digitsAfterPoint},
      {"put_legendPosition", e.legendPosition}};
  for (const auto& [op, v] : ints) {
    w.Op(op);
    w.Int(v);
  }
  const std::pair<const char*, std::uint8_t> flags[] = {
      {"put_arrowVisible", e.arrowVisible},
      {"put_candlesticsVisible", e.candlesticsVisible},
      {"put_legendVisible", e.legendVisible}};
  for (const auto& [op, v] : flags) {
    w.Op(op);
    w.Bool(v ? -1 : 0);
  }
  if (e.grid.gridType == 1) w.Op("SetUserTypeGrid");
}

void EncodePlots(const CChartEngine& e, CallWriter& w) {
  w.Op("put_plotsCount");
  w.Int(e.plotsCount);
  for (std::int32_t p = 0; p < CChartEngine::kMaxPlots; ++p) {
    const CPlotSeries& plot = e.plots[p];
    if (plot.capacity() > 0) {  // before the points, which it would cut
      w.Op("put_PlotCapacity");
      w.Int(p + 1);
      w.Byte(0xFF);
      w.Int(plot.capacity());
    }
    const std::int32_t n = std::min(plot.KeptCount(), kMaxSeedPoints);
    for (std::int32_t first = 0; first < n; first += 64) {
      const std::int32_t chunk = std::min(64, n - first);
      w.Op("AddPointsToPlot");
      w.Int(p + 1);
      w.Byte(static_cast<std::uint8_t>(chunk));
      w.Byte(0);
      for (std::int32_t i = first; i < first + chunk; ++i) {
        w.Real(plot.PointAt(i).X);
        w.Real(plot.PointAt(i).Y);
      }
    }
    static const char* const kModes[] = {"SetSimplePlot", "SetLinearApproximate",
                                         "SetSquareApproximate"};
    if (plot.approximation >= 0 && plot.approximation <= 2) {
      w.Op(kModes[plot.approximation]);
      w.Int(p + 1);
    }
    w.IndexColour("SetPlotColor", p + 1, plot.plotColor);
    w.IndexInt("SetPlotWidth", p + 1, plot.plotWidth);
    w.IndexBool("SetPointVisible", p + 1, plot.pointVisible != 0);
    w.IndexColour("SetPointColor", p + 1, plot.pointColor);
    w.IndexBool("SetPlotVisible", p + 1, plot.visible != 0);
  }
  w.Op("SetSegment");
  w.Real(e.world.xmin);
  w.Real(e.world.xmax);
}

void EncodeShapes(const CChartEngine& e, CallWriter& w) {
  w.Op("put_polygonsCount");
  w.Int(std::min(e.polygons.count(), 64));
  for (std::int32_t i = 0; i < std::min(e.polygons.count(), 64); ++i) {
    const CChartPolygon& poly = e.polygons[i];
    for (const DPoint& pt : poly.points) {
      w.Op("AddPointToPolygon");
      w.Int(i + 1);
      w.Real(pt.X);
      w.Real(pt.Y);
    }
    w.Op(poly.hasBorder ? "SetPolygonProperties2" : "SetPolygonProperties");
    w.Int(i + 1);
    w.Colour(poly.fillColor);
    w.Real(poly.transparency);
    if (poly.hasBorder) {
      w.Int(poly.borderWidth);
      w.Int(poly.borderStyle);
      w.Colour(poly.borderColor);
    }
    if (!poly.visible) w.IndexBool("SetPolygonVisible", i + 1, false);
  }
  for (std::int32_t i = 0; i < e.rectangles.count(); ++i) {
    const CChartRect& r = e.rectangles[i];
    w.Op(r.hasBorder ? "AddRectangle2" : "AddRectangle");
    for (double v : {r.L, r.T, r.R, r.B}) w.Real(v);
    w.Colour(r.fillColor);
    w.Real(r.transparency);
    if (r.hasBorder) {
      w.Int(r.borderWidth);
      w.Int(r.borderStyle);
      w.Colour(r.borderColor);
    }
    if (!r.visible) w.IndexBool("SetRectVisible", i + 1, false);
  }
  for (std::int32_t i = 0; i < e.lines.count(); ++i) {
    const CChartLine& l = e.lines[i];
    w.Op("AddLine");
    for (double v : {l.x1, l.y1, l.x2, l.y2}) w.Real(v);
    w.Int(l.width);
    w.Int(l.style);
    w.Colour(l.color);
    if (!l.enabled) w.IndexBool("SetLineVisible", i + 1, false);
  }
  for (const CCandleStick& c : e.candlesticks) {
    w.Op("AddCandleStick");
    for (double v : {c.X, c.Open, c.Close, c.High, c.Low}) w.Real(v);
  }
}

void EncodeLabels(const CChartEngine& e, CallWriter& w) {
  for (std::int32_t i = 0; i < e.marks.count(); ++i) {
    const CChartMark& m = e.marks[i];
    w.Op(m.hasUserLabel ? "AddMark2" : "AddMark");
    w.Real(m.X);
    w.Real(m.Y);
    if (m.hasUserLabel) w.Text(m.xLabel.text);
    if (!m.visible) w.IndexBool("SetMarkVisible", i + 1, false);
  }
  for (const std::string& label : e.grid.labels) {
    w.Op("AddLabelToGrid");
    w.Text(label);
  }
  for (std::int32_t i = 0; i < e.legend.labels.count() && i < e.legend.colors.count(); ++i) {
    w.Op("AddLabelToLegend");
    w.Colour(e.legend.colors[i]);
    w.Text(e.legend.labels[i]);
  }
}

}  // namespace

void SeedSize(std::int32_t w, std::int32_t h, std::int32_t* sw, std::int32_t* sh) {
  const double pixels = double(std::max(w, 1)) * std::max(h, 1);
  const double scale = std::min({1.0, double(kMaxSeedSide) / std::max(w, 1),
                                 double(kMaxSeedSide) / std::max(h, 1),
                                 std::sqrt(double(kMaxFuzzPixels) / pixels)});
  *sw = std::clamp(static_cast<std::int32_t>(w * scale), 1, kMaxSeedSide);
  *sh = std::clamp(static_cast<std::int32_t>(h * scale), 1, kMaxSeedSide);
}

std::vector<std::uint8_t> EncodeChart(const CChartEngine& e) {
  CallWriter w;
  EncodeSettings(e, w);
  EncodePlots(e, w);
  EncodeShapes(e, w);
  EncodeLabels(e, w);
  // Last, as a script sets it: a preset also colours the candlesticks already there.
  w.Op("put_preset");
  w.Int(e.presets.current + 1);
  return w.bytes();
}

void AppendRenders(std::vector<std::uint8_t>* input) {
  CallWriter w;
  w.Op("SaveToFile");
  w.Byte(0);  // the plain name
  w.Op("SaveToPng");
  w.Byte(0);
  w.Op("put_hWnd");
  w.Byte(0);  // the session's window
  w.Op("Show");
  w.Op("DrawTo");
  w.Byte(40);  // 40 x 30 pixels, rows of their own length, at (-5, -5), a real buffer
  w.Byte(30);
  w.Byte(0);
  w.Int(-5);
  w.Int(-5);
  w.Byte(1);
  input->insert(input->end(), w.bytes().begin(), w.bytes().end());
}

void AppendReadBackAndHits(std::int32_t w, std::int32_t h, std::vector<std::uint8_t>* input) {
  CallWriter c;
  for (const char* getter : {"get_WorldXMin", "get_WorldXMax", "get_WorldYMin", "get_WorldYMax",
                             "get_PlotAreaLeft", "get_PlotAreaTop", "get_PlotAreaRight",
                             "get_PlotAreaBottom"}) {
    c.Op(getter);
    c.Byte(1);  // a real out-pointer
  }
  for (const char* convert : {"WorldToPixelX", "WorldToPixelY", "PixelToWorldX", "PixelToWorldY"}) {
    c.Op(convert);
    c.Real(2.5);
    c.Byte(1);
  }
  for (const char* point : {"get_PointX", "get_PointY"}) {
    c.Op(point);
    c.Int(1);
    c.Int(2);
    c.Byte(1);
  }
  for (std::int32_t y = 0; y < h; y += 8) {
    for (std::int32_t x = 0; x < w; x += 8) {
      c.Op("HitTest");
      c.Real(x);
      c.Real(y);
      c.Byte(32);  // a radius of 4 pixels
      c.Byte(1);   // a real answer
    }
  }
  input->insert(input->end(), c.bytes().begin(), c.bytes().end());
}

}  // namespace corvane::fuzz
