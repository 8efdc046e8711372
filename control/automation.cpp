#include "control/automation.h"
#include "control/automation_guard.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "overlays/line_style.h"
#include "platform/raster/antialias_dc.h"  // the complete type coverage_ deletes
#include "platform/string_conversion.h"

namespace corvane {

namespace {

std::uint8_t StoredBool(VariantBool v) { return v != 0 ? 1 : 0; }
VariantBool ReportedBool(std::uint8_t b) { return b != 0 ? kVariantTrue : kVariantFalse; }


// Element `index` (1-based) of a collection, or null when there is none.
template <typename T>
T* At(GrowableArray<T>& a, std::int32_t index) {
  if (index < 1 || index > a.count()) return nullptr;
  return &a[index - 1];
}

// Getters of a per-record value: null out-pointer -> E_POINTER; no record -> writes 0.
template <typename Rec, typename Out, typename Read>
HResult GetFrom(Rec* rec, Out* out, Read&& read) {
  if (!out) return kE_POINTER;
  *out = rec ? read(*rec) : Out{};
  return kS_OK;
}

template <typename Out>
HResult GetValue(Out* out, Out value) {
  if (!out) return kE_POINTER;
  *out = value;
  return kS_OK;
}

HResult GetText(std::u16string* out, const std::string& text) {
  if (!out) return kE_POINTER;
  return Guarded([&] {
    *out = WidenToUtf16(text);
    return kS_OK;
  });
}

HResult PutText(std::string& target, const char16_t* s, std::uint32_t len) {
  return Guarded([&] {
    target = NarrowFromUtf16(s, len);
    return kS_OK;
  });
}

}  // namespace

CorvaneAutomation::CorvaneAutomation(GraphicsSystem& graphics) : graphics_(graphics) {
  engine_.measureSystem = &graphics_;
}

CorvaneAutomation::~CorvaneAutomation() {
  // The picture goes before the engine.
  DropPicture();
}

// --- host window and size -------------------------------------------------------------------

HResult CorvaneAutomation::get_hWnd(std::int32_t* pVal) { return GetValue(pVal, hWnd_); }

HResult CorvaneAutomation::put_hWnd(std::int32_t v) {
  hWnd_ = v;
  return kS_OK;
}

HResult CorvaneAutomation::SetSize(std::int32_t w, std::int32_t h) {
  engine_.SetSize(w, h);
  return kS_OK;
}

HResult CorvaneAutomation::get_Width(std::int32_t* pVal) { return GetValue(pVal, engine_.width); }
HResult CorvaneAutomation::get_Height(std::int32_t* pVal) {
  return GetValue(pVal, engine_.height);
}

HResult CorvaneAutomation::Dispose() {
  engine_.ClearAll();
  return kS_OK;
}

// --- segment --------------------------------------------------------------------------------

HResult CorvaneAutomation::ScrollLeft() {
  engine_.ScrollLeft();
  return kS_OK;
}

HResult CorvaneAutomation::ScrollRight() {
  engine_.ScrollRight();
  return kS_OK;
}

HResult CorvaneAutomation::SetSegment(double a, double b) {
  engine_.SetSegment(a, b);
  return kS_OK;
}

// --- caption and axes -----------------------------------------------------------------------

HResult CorvaneAutomation::get_caption(std::u16string* pVal) {
  return GetText(pVal, engine_.captionLabel.text);
}
HResult CorvaneAutomation::put_caption(const char16_t* s, std::uint32_t len) {
  return PutText(engine_.captionLabel.text, s, len);
}

HResult CorvaneAutomation::get_captionVisible(VariantBool* pVal) {
  return GetValue(pVal, ReportedBool(engine_.captionVisible));
}
HResult CorvaneAutomation::put_captionVisible(VariantBool v) {
  engine_.SetCaptionVisible(v != 0);
  return kS_OK;
}

HResult CorvaneAutomation::get_arrowR(std::int32_t* pVal) {
  return GetValue(pVal, engine_.xArrow.headHalfWidth);
}
HResult CorvaneAutomation::put_arrowR(std::int32_t v) {
  engine_.xArrow.headHalfWidth = v;
  engine_.yArrow.headHalfWidth = v;
  return kS_OK;
}

HResult CorvaneAutomation::get_arrowH(std::int32_t* pVal) {
  return GetValue(pVal, engine_.xArrow.headLength);
}
HResult CorvaneAutomation::put_arrowH(std::int32_t v) {
  engine_.xArrow.headLength = v;
  engine_.yArrow.headLength = v;
  return kS_OK;
}

HResult CorvaneAutomation::get_arrowLineWidth(std::int32_t* pVal) {
  return GetValue(pVal, engine_.xArrow.width);
}
HResult CorvaneAutomation::put_arrowLineWidth(std::int32_t v) {
  if (v >= 1 && v <= 15) {
    engine_.xArrow.width = v;
    engine_.yArrow.width = v;
  }
  return kS_OK;
}

HResult CorvaneAutomation::get_arrowVisible(VariantBool* pVal) {
  return GetValue(pVal, ReportedBool(engine_.arrowVisible));
}
HResult CorvaneAutomation::put_arrowVisible(VariantBool v) {
  engine_.arrowVisible = StoredBool(v);
  return kS_OK;
}

HResult CorvaneAutomation::get_arrowCaptionX(std::u16string* pVal) {
  return GetText(pVal, engine_.xAxisCaption.text);
}
HResult CorvaneAutomation::put_arrowCaptionX(const char16_t* s, std::uint32_t len) {
  return PutText(engine_.xAxisCaption.text, s, len);
}
HResult CorvaneAutomation::get_arrowCaptionY(std::u16string* pVal) {
  return GetText(pVal, engine_.yAxisCaption.text);
}
HResult CorvaneAutomation::put_arrowCaptionY(const char16_t* s, std::uint32_t len) {
  return PutText(engine_.yAxisCaption.text, s, len);
}

// --- plots ----------------------------------------------------------------------------------
// Plot indices address the fixed array of eight, whatever plotsCount says.

namespace {

CPlotSeries* PlotAt(CChartEngine& e, std::int32_t index) {
  if (index < 1 || index > CChartEngine::kMaxPlots) return nullptr;
  return &e.plots[index - 1];
}

}  // namespace

HResult CorvaneAutomation::SetPlotVisible(std::int32_t index, VariantBool v) {
  if (CPlotSeries* p = PlotAt(engine_, index)) p->visible = StoredBool(v);
  return kS_OK;
}
HResult CorvaneAutomation::GetPlotVisible(std::int32_t index, VariantBool* v) {
  return GetFrom(PlotAt(engine_, index), v,
                 [](const CPlotSeries& p) { return ReportedBool(p.visible); });
}

HResult CorvaneAutomation::SetSimplePlot(std::int32_t index) {
  if (CPlotSeries* p = PlotAt(engine_, index)) p->approximation = 0;
  return kS_OK;
}

HResult CorvaneAutomation::SetLinearApproximate(std::int32_t index) {
  if (CPlotSeries* p = PlotAt(engine_, index)) {
    p->approximation = 1;
    p->FitDeviceLinear();
    p->FitWorldLinear();
  }
  return kS_OK;
}

HResult CorvaneAutomation::SetSquareApproximate(std::int32_t index) {
  if (CPlotSeries* p = PlotAt(engine_, index)) {
    p->approximation = 2;
    p->FitDeviceQuadratic();
    p->FitWorldQuadratic();
  }
  return kS_OK;
}

HResult CorvaneAutomation::AddPointToPlot(std::int32_t index, double x, double y) {
  if (CPlotSeries* p = PlotAt(engine_, index)) {
    p->AddPoint(x, y);
    engine_.layoutDirty = 1;
  }
  return kS_OK;
}

HResult CorvaneAutomation::AddPointToPlot2(std::int32_t index, double y) {
  if (CPlotSeries* p = PlotAt(engine_, index)) {
    p->AddPoint(static_cast<double>(p->points.appended()) + 1.0, y);
    engine_.layoutDirty = 1;
  }
  return kS_OK;
}

HResult CorvaneAutomation::DisposePlot(std::int32_t index) {
  if (CPlotSeries* p = PlotAt(engine_, index)) {
    p->Dispose();
    engine_.layoutDirty = 1;
  }
  return kS_OK;
}

HResult CorvaneAutomation::SetPlotColor(std::int32_t index, Color c) {
  if (CPlotSeries* p = PlotAt(engine_, index)) p->plotColor = c;
  return kS_OK;
}
HResult CorvaneAutomation::GetPlotColor(std::int32_t index, Color* c) {
  return GetFrom(PlotAt(engine_, index), c, [](const CPlotSeries& p) { return p.plotColor; });
}

HResult CorvaneAutomation::SetPointVisible(std::int32_t index, VariantBool v) {
  if (CPlotSeries* p = PlotAt(engine_, index)) p->pointVisible = StoredBool(v);
  return kS_OK;
}
HResult CorvaneAutomation::GetPointVisible(std::int32_t index, VariantBool* v) {
  return GetFrom(PlotAt(engine_, index), v,
                 [](const CPlotSeries& p) { return ReportedBool(p.pointVisible); });
}

HResult CorvaneAutomation::SetPlotWidth(std::int32_t index, std::int32_t w) {
  if (CPlotSeries* p = PlotAt(engine_, index)) p->plotWidth = w;
  return kS_OK;
}
HResult CorvaneAutomation::GetPlotWidth(std::int32_t index, std::int32_t* w) {
  return GetFrom(PlotAt(engine_, index), w, [](const CPlotSeries& p) { return p.plotWidth; });
}

HResult CorvaneAutomation::SetPointColor(std::int32_t index, Color c) {
  if (CPlotSeries* p = PlotAt(engine_, index)) p->pointColor = c;
  return kS_OK;
}
HResult CorvaneAutomation::GetPointColor(std::int32_t index, Color* c) {
  return GetFrom(PlotAt(engine_, index), c, [](const CPlotSeries& p) { return p.pointColor; });
}

HResult CorvaneAutomation::get_plotsCount(std::int32_t* pVal) {
  return GetValue(pVal, engine_.plotsCount);
}
HResult CorvaneAutomation::put_plotsCount(std::int32_t v) {
  if (v >= 1 && v <= CChartEngine::kMaxPlots) engine_.plotsCount = v;
  return kS_OK;
}

HResult CorvaneAutomation::GetA(std::int32_t index, double* val) {
  return GetFrom(PlotAt(engine_, index), val, [](const CPlotSeries& p) { return p.GetA(); });
}
HResult CorvaneAutomation::GetB(std::int32_t index, double* val) {
  return GetFrom(PlotAt(engine_, index), val, [](const CPlotSeries& p) { return p.GetB(); });
}
HResult CorvaneAutomation::GetC(std::int32_t index, double* val) {
  return GetFrom(PlotAt(engine_, index), val, [](const CPlotSeries& p) { return p.GetC(); });
}

// --- grid -----------------------------------------------------------------------------------

HResult CorvaneAutomation::AddLabelToGrid(const char16_t* s, std::uint32_t len) {
  return Guarded([&] {
    engine_.grid.labels.Append(NarrowFromUtf16(s, len));
    return kS_OK;
  });
}

HResult CorvaneAutomation::SetDefaultGrid() {
  engine_.SetDefaultGrid();
  return kS_OK;
}
HResult CorvaneAutomation::SetUserTypeGrid() {
  engine_.SetUserTypeGrid();
  return kS_OK;
}

HResult CorvaneAutomation::get_isDefaultGrid(VariantBool* pVal) {
  return GetValue(pVal, engine_.grid.gridType == 0 ? kVariantTrue : kVariantFalse);
}
HResult CorvaneAutomation::get_isUserTypeGrid(VariantBool* pVal) {
  return GetValue(pVal, engine_.grid.gridType == 1 ? kVariantTrue : kVariantFalse);
}

HResult CorvaneAutomation::get_gridVisible(std::int32_t* pVal) {
  return GetValue(pVal, engine_.grid.gridVisible);
}
HResult CorvaneAutomation::put_gridVisible(std::int32_t v) {
  engine_.grid.gridVisible = v;
  return kS_OK;
}

HResult CorvaneAutomation::get_gridVerticalLines(std::int32_t* pVal) {
  return GetValue(pVal, engine_.grid.verticalLines);
}
HResult CorvaneAutomation::put_gridVerticalLines(std::int32_t v) {
  if (v > 0) engine_.grid.verticalLines = v;
  return kS_OK;
}

HResult CorvaneAutomation::get_gridHorizontalLines(std::int32_t* pVal) {
  return GetValue(pVal, engine_.grid.horizontalLines);
}
HResult CorvaneAutomation::put_gridHorizontalLines(std::int32_t v) {
  if (v > 0) engine_.grid.horizontalLines = v;
  return kS_OK;
}

HResult CorvaneAutomation::get_gridDigitsAfterPoint(std::int32_t* pVal) {
  return GetValue(pVal, engine_.grid.digitsAfterPoint);
}
HResult CorvaneAutomation::put_gridDigitsAfterPoint(std::int32_t v) {
  if (v >= 0 && v <= 6) engine_.grid.digitsAfterPoint = v;
  return kS_OK;
}

// --- polygons -------------------------------------------------------------------------------

HResult CorvaneAutomation::get_polygonsCount(std::int32_t* pVal) {
  return GetValue(pVal, engine_.polygons.count());
}

HResult CorvaneAutomation::put_polygonsCount(std::int32_t n) {
  GrowableArray<CChartPolygon>& polygons = engine_.polygons;
  polygons.Clear();
  if (n <= 0) return kS_OK;
  // One call must not commit gigabytes: a script asking for 2^31 polygons would otherwise
  // take every byte a 64-bit host can commit before an allocation fails. Beyond the cap
  // the polygons are dropped as if their storage could not be had.
  n = std::min(n, CChartEngine::kMaxPolygons);
  // One block for all when it can be had; otherwise grow as usual. A failed append means
  // memory is exhausted, so the loop stops instead of failing once per remaining polygon.
  polygons.Reserve(n);
  for (std::int32_t i = 0; i < n; ++i) {
    if (!polygons.Append(CChartPolygon{})) break;
  }
  return kS_OK;
}

HResult CorvaneAutomation::AddPointToPolygon(std::int32_t index, double x, double y) {
  if (CChartPolygon* p = At(engine_.polygons, index)) p->points.Append(DPoint{x, y});
  return kS_OK;
}

HResult CorvaneAutomation::SetPolygonProperties(std::int32_t index, Color c, double transparency) {
  if (CChartPolygon* p = At(engine_.polygons, index)) {
    p->transparency = transparency;
    p->fillColor = c;
    p->hasBorder = 0;
  }
  return kS_OK;
}

HResult CorvaneAutomation::SetPolygonProperties2(std::int32_t index, Color c, double transparency,
                                                 std::int32_t borderWidth, std::int32_t borderStyle,
                                                 Color borderColor) {
  if (CChartPolygon* p = At(engine_.polygons, index)) {
    p->transparency = transparency;
    p->fillColor = c;
    p->hasBorder = 1;
    p->borderWidth = borderWidth;
    p->borderStyle = borderStyle;
    p->borderColor = borderColor;
  }
  return kS_OK;
}

HResult CorvaneAutomation::SetPolygonVisible(std::int32_t index, VariantBool v) {
  if (CChartPolygon* p = At(engine_.polygons, index)) p->visible = StoredBool(v);
  return kS_OK;
}
HResult CorvaneAutomation::GetPolygonVisible(std::int32_t index, VariantBool* v) {
  return GetFrom(At(engine_.polygons, index), v,
                 [](const CChartPolygon& p) { return ReportedBool(p.visible); });
}

// --- marks ----------------------------------------------------------------------------------

HResult CorvaneAutomation::AddMark(double x, double y) {
  return Guarded([&] {
    engine_.marks.Append(CChartMark(x, y));
    return kS_OK;
  });
}

HResult CorvaneAutomation::AddMark2(double x, double y, const char16_t* label, std::uint32_t len) {
  return Guarded([&] {
    CChartMark mark(x, y);
    mark.xLabel.text = NarrowFromUtf16(label, len);
    mark.hasUserLabel = 1;
    engine_.marks.Append(std::move(mark));
    return kS_OK;
  });
}

HResult CorvaneAutomation::RemoveAllMarks() {
  engine_.marks.Clear();
  return kS_OK;
}

HResult CorvaneAutomation::SetMarkVisible(std::int32_t index, VariantBool v) {
  if (CChartMark* m = At(engine_.marks, index)) m->visible = StoredBool(v);
  return kS_OK;
}
HResult CorvaneAutomation::GetMarkVisible(std::int32_t index, VariantBool* v) {
  return GetFrom(At(engine_.marks, index), v,
                 [](const CChartMark& m) { return ReportedBool(m.visible); });
}

// --- rectangles -----------------------------------------------------------------------------

namespace {
// A rectangle as both Add members build it: the edges and the fill, border off.
CChartRect MakeRectangle(double l, double t, double r, double b, Color bkColor,
                         double transparency) {
  CChartRect rect;
  rect.L = l;
  rect.T = t;
  rect.R = r;
  rect.B = b;
  rect.fillColor = bkColor;
  rect.transparency = transparency;
  rect.hasBorder = 0;
  return rect;
}
}  // namespace

HResult CorvaneAutomation::AddRectangle(double l, double t, double r, double b, Color bkColor,
                                        double transparency) {
  engine_.rectangles.Append(MakeRectangle(l, t, r, b, bkColor, transparency));
  engine_.InvalidateLayout();
  return kS_OK;
}

HResult CorvaneAutomation::AddRectangle2(double l, double t, double r, double b, Color bkColor,
                                         double transparency, std::int32_t borderWidth,
                                         std::int32_t borderStyle, Color borderColor) {
  CChartRect rect = MakeRectangle(l, t, r, b, bkColor, transparency);
  rect.hasBorder = 1;
  rect.borderWidth = borderWidth;
  rect.borderStyle = borderStyle;
  rect.borderColor = borderColor;
  engine_.rectangles.Append(std::move(rect));
  engine_.InvalidateLayout();
  return kS_OK;
}

HResult CorvaneAutomation::RemoveAllRectangles() {
  engine_.rectangles.Clear();
  return kS_OK;
}

HResult CorvaneAutomation::SetRectVisible(std::int32_t index, VariantBool v) {
  if (CChartRect* r = At(engine_.rectangles, index)) r->visible = StoredBool(v);
  return kS_OK;
}
HResult CorvaneAutomation::GetRectVisible(std::int32_t index, VariantBool* v) {
  return GetFrom(At(engine_.rectangles, index), v,
                 [](const CChartRect& r) { return ReportedBool(r.visible); });
}

// --- lines ----------------------------------------------------------------------------------

HResult CorvaneAutomation::AddLine(double x1, double y1, double x2, double y2, std::int32_t width,
                                   std::int32_t style, Color color) {
  CChartLine line;
  line.width = SanitizeLineWidth(width);
  line.style = SanitizeLineStyle(style);
  line.color = color;
  line.enabled = 1;
  line.x1 = x1;
  line.y1 = y1;
  line.x2 = x2;
  line.y2 = y2;
  engine_.lines.Append(std::move(line));
  engine_.InvalidateLayout();
  return kS_OK;
}

HResult CorvaneAutomation::RemoveAllLines() {
  engine_.lines.Clear();
  return kS_OK;
}

HResult CorvaneAutomation::SetLineVisible(std::int32_t index, VariantBool v) {
  if (CChartLine* l = At(engine_.lines, index)) l->enabled = StoredBool(v);
  return kS_OK;
}
HResult CorvaneAutomation::GetLineVisible(std::int32_t index, VariantBool* v) {
  return GetFrom(At(engine_.lines, index), v,
                 [](const CChartLine& l) { return ReportedBool(l.enabled); });
}

// --- candlesticks ---------------------------------------------------------------------------

HResult CorvaneAutomation::AddCandleStick(double x, double open, double close, double high,
                                          double low) {
  CCandleStick c;
  c.X = x;
  c.Open = open;
  c.Close = close;
  c.High = high;
  c.Low = low;
  engine_.candlesticks.Append(c);
  return kS_OK;
}

HResult CorvaneAutomation::RemoveAllCandleSticks() {
  engine_.candlesticks.Clear();
  return kS_OK;
}

HResult CorvaneAutomation::get_candlesticsVisible(VariantBool* pVal) {
  return GetValue(pVal, ReportedBool(engine_.candlesticsVisible));
}
HResult CorvaneAutomation::put_candlesticsVisible(VariantBool v) {
  engine_.candlesticsVisible = StoredBool(v);
  return kS_OK;
}

// --- presets --------------------------------------------------------------------------------

HResult CorvaneAutomation::get_preset(std::int32_t* pVal) {
  return GetValue(pVal, engine_.presets.current + 1);
}

HResult CorvaneAutomation::put_preset(std::int32_t p) {
  // Compare before subtracting: p - 1 overflows for the smallest int32.
  engine_.ApplyPreset((p >= 1 && p <= CColorPresetTable::kCount) ? p - 1 : 0);
  return kS_OK;
}

HResult CorvaneAutomation::get_presetName(std::u16string* pVal) {
  const std::int32_t i = engine_.presets.current;
  const char* name =
      (i >= 0 && i < CColorPresetTable::kCount) ? engine_.presets.names[i] : nullptr;
  // The name's copy may need memory too.
  return Guarded([&] { return GetText(pVal, name ? std::string(name) : std::string()); });
}

HResult CorvaneAutomation::get_presetCount(std::int32_t* pVal) {
  return GetValue(pVal, std::int32_t{CColorPresetTable::kCount});
}

// --- legend ---------------------------------------------------------------------------------

HResult CorvaneAutomation::AddLabelToLegend(Color c, const char16_t* label, std::uint32_t len) {
  return Guarded([&] {
    engine_.legend.Add(c, NarrowFromUtf16(label, len));
    return kS_OK;
  });
}

HResult CorvaneAutomation::get_legendVisible(VariantBool* pVal) {
  return GetValue(pVal, ReportedBool(engine_.legendVisible));
}
HResult CorvaneAutomation::put_legendVisible(VariantBool v) {
  engine_.legendVisible = StoredBool(v);
  return kS_OK;
}

HResult CorvaneAutomation::get_legendPosition(std::int32_t* pVal) {
  return GetValue(pVal, engine_.legendPosition);
}
HResult CorvaneAutomation::put_legendPosition(std::int32_t v) {
  engine_.legendPosition = v;
  return kS_OK;
}

}  // namespace corvane
