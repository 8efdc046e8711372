#include "tests/fuzz/engine_state_hash.h"

#include <cstring>
#include <string>
#include <type_traits>

namespace corvane::fuzz {
namespace {

// Doubles by their bits, so NaN equals itself.
class Hasher {
 public:
  template <typename T>
  void Add(const T& v) {
    static_assert(std::is_arithmetic_v<T>, "plain numbers only");
    std::uint64_t word = 0;
    std::memcpy(&word, &v, sizeof(T));
    Word(word);
  }
  void Add(const std::string& s) {
    Add(s.size());
    Bytes(s.data(), s.size());
  }
  template <typename First, typename... Rest>
  void All(const First& first, const Rest&... rest) {
    Add(first);
    if constexpr (sizeof...(rest) > 0) All(rest...);
  }
  void Points(const GrowableArray<DPoint>& points) {
    Add(points.count());
    Bytes(points.data(), sizeof(DPoint) * static_cast<std::size_t>(points.count()));
  }
  // A plot's kept points, oldest first (a run of storage at a time), and what decides where
  // the next ones go and how they are numbered.
  void Points(const PlotPoints& points) {
    All(points.count(), points.limit(), points.appended(), points.ordered());
    points.ForEachRun(0, points.count() - 1, [&](const DPoint* run, std::int32_t n, std::int32_t) {
      Bytes(run, sizeof(DPoint) * static_cast<std::size_t>(n));
    });
  }
  std::uint64_t value() const { return h_; }

 private:
  // A word at a time (FNV-1a on 64-bit words): the hash runs around many calls.
  void Word(std::uint64_t w) { h_ = (h_ ^ w) * 0x100000001B3ull; }
  // Long runs (point arrays of tens of thousands) in four independent lanes, folded in at
  // the end: one multiply chain was a fifth of the fuzzer's time.
  void Bytes(const void* data, std::size_t n) {
    const auto* p = static_cast<const unsigned char*>(data);
    std::uint64_t w;
    if (n >= 32) {
      std::uint64_t lane[4] = {h_, h_ ^ 1, h_ ^ 2, h_ ^ 3};
      for (; n >= 32; n -= 32, p += 32) {
        for (int k = 0; k < 4; ++k) {
          std::memcpy(&w, p + 8 * k, 8);
          lane[k] = (lane[k] ^ w) * 0x100000001B3ull;
        }
      }
      for (std::uint64_t l : lane) Word(l);
    }
    for (; n >= 8; n -= 8, p += 8) {
      std::memcpy(&w, p, 8);
      Word(w);
    }
    w = 0;
    if (n > 0) std::memcpy(&w, p, n);
    Word(w ^ n);
  }
  std::uint64_t h_ = 0xCBF29CE484222325ull;
};

void AddLineStyle(Hasher& h, const CLineStyle& s) { h.All(s.width, s.color, s.style, s.enabled); }

void AddLabel(Hasher& h, const CTextLabel& l) {
  h.All(l.weight, l.boxColor, l.contrastThreshold, l.textColor, l.text, l.height, l.italic,
        l.underline, l.noBox, l.checkBackground);
}

void AddPointLabel(Hasher& h, const CPointLabel& l) {
  AddLabel(h, l);
  h.All(l.anchorX, l.anchorY, l.dotRadius, l.showDot, l.placement, l.dotColor);
}

template <typename Record>
void AddCopies(Hasher& h, const Record& r) {
  h.All(r.left, r.right, r.top, r.bottom, r.xmin, r.xmax, r.ymin, r.ymax);
}

void AddPlot(Hasher& h, const CPlotSeries& p, bool flags) {
  h.Points(p.points);
  if (flags) h.Add(p.refitPending);
  h.All(p.devC, p.devB, p.devA, p.devSlope, p.devIntercept, p.quadC, p.quadB,
        p.quadA, p.linSlope, p.linIntercept, p.firstIndex, p.lastIndex, p.segmentOnly);
  h.All(p.world.xmin, p.world.xmax, p.world.ymin, p.world.ymax);
  h.All(p.right, p.left, p.top, p.bottom, p.pointSize, p.pointColor, p.pointVisible,
        p.approximation, p.plotColor, p.plotWidth, p.visible);
}

void AddGrid(Hasher& h, const CChartGrid& g) {
  h.All(g.originX, g.originY, g.originWorldX, g.originWorldY, g.labels.count());
  for (const std::string& s : g.labels) h.Add(s);
  h.All(g.gridType, g.firstLabel, g.lastLabel, g.digitsAfterPoint, g.labelItalic, g.labelHeight,
        g.labelColor, g.lineWidth, g.lineStyle, g.lineColor, g.gridVisible, g.horizontalLines,
        g.verticalLines, g.xmin, g.xmax, g.ymin, g.ymax, g.left, g.top, g.right, g.bottom);
}

void AddRecords(Hasher& h, const CChartEngine& e) {
  h.Add(e.marks.count());
  for (const CChartMark& m : e.marks) {
    h.All(m.X, m.Y, m.hasUserLabel, m.visible);
    AddCopies(h, m);
    AddPointLabel(h, m.yLabel);
    AddPointLabel(h, m.xLabel);
  }
  h.Add(e.lines.count());
  for (const CChartLine& l : e.lines) {
    AddLineStyle(h, l);
    h.All(l.x1, l.y1, l.x2, l.y2);
    AddCopies(h, l);
  }
  h.Add(e.candlesticks.count());
  for (const CCandleStick& c : e.candlesticks) {
    h.All(c.High, c.Low, c.Open, c.Close, c.X, c.fallColor, c.riseColor, c.hasOutline,
          c.wickColor, c.wickWidth, c.wickStyle);
    AddCopies(h, c);
  }
  h.Add(e.polygons.count());
  for (const CChartPolygon& p : e.polygons) {
    h.Points(p.points);
    h.All(p.fillColor, p.transparency, p.visible, p.hasBorder, p.borderColor, p.borderWidth,
          p.borderStyle);
  }
  h.Add(e.rectangles.count());
  for (const CChartRect& r : e.rectangles) {
    h.All(r.L, r.T, r.R, r.B, r.fillColor, r.transparency, r.hasBorder, r.borderColor,
          r.borderWidth, r.borderStyle, r.visible);
    AddCopies(h, r);
  }
}

void AddArrow(Hasher& h, const CAxisArrow& a) {
  AddLineStyle(h, a);
  h.All(a.headHalfWidth, a.headLength, a.fromX, a.toX, a.fromY, a.toY);
}

}  // namespace

std::uint64_t EngineStateHash(const CChartEngine& e, StateParts parts) {
  const bool flags = parts == StateParts::kAll;
  Hasher h;
  if (flags) h.Add(e.layoutDirty);
  h.Add(e.captionVisible);
  AddRecords(h, e);
  const CColorPresetTable& p = e.presets;
  h.Add(p.current);
  for (int i = 0; i < CColorPresetTable::kCount; ++i) {
    h.All(p.gridColors[i], p.textColors[i], p.backColors[i], p.gradientEndColors[i],
          p.isTexture[i], p.isGradient[i], p.textureDarkensFlags[i], std::string(p.names[i]),
          p.candleOutline[i], p.candleFallColors[i], p.candleRiseColors[i],
          p.candleWickColors[i]);
  }
  h.All(e.width, e.height, e.leftMargin, e.rightMargin, e.topMargin, e.bottomMargin,
        e.arrowVisible, e.candlesticsVisible);
  AddArrow(h, e.xArrow);
  AddArrow(h, e.yArrow);
  AddLabel(h, e.captionLabel);
  const CBackgroundPainter& b = e.background;
  h.All(b.fillLeft, b.fillTop, b.pictureWidth, b.pictureHeight, b.firstColor, b.secondColor,
        b.fillKind, b.textureDarkens, b.noiseAmplitude, b.fillOpacity);
  for (const CPlotSeries& plot : e.plots) AddPlot(h, plot, flags);
  AddGrid(h, e.grid);
  AddLabel(h, e.xAxisCaption);
  AddLabel(h, e.yAxisCaption);
  h.Add(e.legend.labels.count());
  for (const std::string& s : e.legend.labels) h.Add(s);
  h.Add(e.legend.colors.count());
  for (Color c : e.legend.colors) h.Add(c);
  h.All(e.legendVisible, e.legendPosition, e.world.xmin, e.world.ymin, e.world.xmax,
        e.world.ymax, e.plotsCount);
  h.All(static_cast<std::int32_t>(e.xAxisType), static_cast<std::int32_t>(e.yAxisType));
  h.Add(e.xLabelCode);
  h.Add(e.yLabelCode);
  return h.value();
}

}  // namespace corvane::fuzz
