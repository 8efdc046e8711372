// The call table: one entry per member (getters included), each reading its arguments.
#include "tests/fuzz/fuzz_calls.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "tests/fuzz/fuzz_args.h"
#include "tests/fuzz/fuzz_control_calls.h"
#include "tests/fuzz/fuzz_render_calls.h"

namespace corvane::fuzz {
namespace {

using A = CorvaneAutomation;
using I32 = std::int32_t;

// Shorthands for the common shapes of members.
template <HResult (A::*M)(I32)>
HResult IntCall(Reader& in, Session& s) { return (s.chart.*M)(in.Int()); }
template <HResult (A::*M)(VariantBool)>
HResult BoolCall(Reader& in, Session& s) { return (s.chart.*M)(in.Bool()); }
template <HResult (A::*M)()>
HResult NoArgCall(Reader&, Session& s) { return (s.chart.*M)(); }
template <HResult (A::*M)(I32, VariantBool)>
HResult IndexBoolCall(Reader& in, Session& s) {
  const I32 i = in.Int();
  return (s.chart.*M)(i, in.Bool());
}
template <HResult (A::*M)(I32, Color)>
HResult IndexColourCall(Reader& in, Session& s) {
  const I32 i = in.Int();
  return (s.chart.*M)(i, in.Colour());
}
template <HResult (A::*M)(const char16_t*, std::uint32_t)>
HResult TextCall(Reader& in, Session& s) {
  return WithText(in, [&](const char16_t* t, std::uint32_t n) { return (s.chart.*M)(t, n); });
}
template <typename T, HResult (A::*M)(T*)>
HResult GetCall(Reader& in, Session& s) {
  return WithOut<T>(in, [&](T* out) { return (s.chart.*M)(out); });
}
template <typename T, HResult (A::*M)(I32, T*)>
HResult IndexGetCall(Reader& in, Session& s) {
  const I32 i = in.Int();
  return WithOut<T>(in, [&](T* out) { return (s.chart.*M)(i, out); });
}

HResult PutAntialiasCall(Reader& in, Session& s) { return s.chart.put_Antialias(in.Bool() != 0); }

// Mostly values within 1..4, where the picture is drawn at that scale; now and then anything.
HResult PutPixelScaleCall(Reader& in, Session& s) {
  const I32 pick = in.Int();
  return s.chart.put_PixelScale((pick & 7) == 0 ? in.Real() : 1.0 + (pick & 0xFF) / 85.0);
}

HResult SetSize(Reader& in, Session& s) {
  I32 w = SideOf(in), h = SideOf(in);
  BoundArea(w, h);
  return s.chart.SetSize(w, h);
}

HResult AddPointToPlot(Reader& in, Session& s) {
  const I32 i = in.Int();
  const double x = in.Real();
  return s.chart.AddPointToPlot(i, x, in.Real());
}

HResult AddPointToPlot2(Reader& in, Session& s) {
  const I32 i = in.Int();
  return s.chart.AddPointToPlot2(i, in.Real());
}

HResult SetPlotWidth(Reader& in, Session& s) {
  const I32 i = in.Int();
  return s.chart.SetPlotWidth(i, in.Int());
}

HResult SetSegment(Reader& in, Session& s) {
  const double a = in.Real();
  return s.chart.SetSegment(a, in.Real());
}

HResult AddLine(Reader& in, Session& s) {
  const double x1 = in.Real(), y1 = in.Real(), x2 = in.Real(), y2 = in.Real();
  const I32 width = in.Int(), style = in.Int();
  return s.chart.AddLine(x1, y1, x2, y2, width, style, in.Colour());
}

HResult PutPolygonsCount(Reader& in, Session& s) {
  return s.chart.put_polygonsCount(PolygonCountOf(in));
}

HResult AddPointToPolygon(Reader& in, Session& s) {
  const I32 i = in.Int();
  const double x = in.Real();
  return s.chart.AddPointToPolygon(i, x, in.Real());
}

HResult SetPolygonProperties(Reader& in, Session& s) {
  const I32 i = in.Int();
  const Color c = in.Colour();
  return s.chart.SetPolygonProperties(i, c, in.Real());
}

HResult SetPolygonProperties2(Reader& in, Session& s) {
  const I32 i = in.Int();
  const Color c = in.Colour();
  const double t = in.Real();
  const I32 width = in.Int(), style = in.Int();
  return s.chart.SetPolygonProperties2(i, c, t, width, style, in.Colour());
}

HResult AddRectangle(Reader& in, Session& s) {
  const double l = in.Real(), t = in.Real(), r = in.Real(), b = in.Real();
  const Color c = in.Colour();
  return s.chart.AddRectangle(l, t, r, b, c, in.Real());
}

HResult AddRectangle2(Reader& in, Session& s) {
  const double l = in.Real(), t = in.Real(), r = in.Real(), b = in.Real();
  const Color c = in.Colour();
  const double transparency = in.Real();
  const I32 width = in.Int(), style = in.Int();
  return s.chart.AddRectangle2(l, t, r, b, c, transparency, width, style, in.Colour());
}

HResult AddCandleStick(Reader& in, Session& s) {
  const double x = in.Real(), open = in.Real(), close = in.Real(), high = in.Real();
  return s.chart.AddCandleStick(x, open, close, high, in.Real());
}

HResult AddMark(Reader& in, Session& s) {
  const double x = in.Real();
  return s.chart.AddMark(x, in.Real());
}

HResult AddMark2(Reader& in, Session& s) {
  const double x = in.Real(), y = in.Real();
  return WithText(in, [&](const char16_t* t, std::uint32_t n) { return s.chart.AddMark2(x, y, t, n); });
}

HResult AddLabelToLegend(Reader& in, Session& s) {
  const Color c = in.Colour();
  return WithText(in, [&](const char16_t* t, std::uint32_t n) {
    return s.chart.AddLabelToLegend(c, t, n);
  });
}

HResult PutHWnd(Reader& in, Session& s) {
  const std::uint8_t k = in.Byte();
  return s.chart.put_hWnd(k < 0xC0 ? s.window : (k < 0xE0 ? 0 : in.Int()));
}

HResult GetCaptionText(Reader& in, Session& s) {
  switch (in.Below(4)) {
    case 0: return GetCall<std::u16string, &A::get_caption>(in, s);
    case 1: return GetCall<std::u16string, &A::get_arrowCaptionX>(in, s);
    case 2: return GetCall<std::u16string, &A::get_arrowCaptionY>(in, s);
    default: return GetCall<std::u16string, &A::get_presetName>(in, s);
  }
}

template <HResult (A::*M)(double, double*)>
HResult ConvertCall(Reader& in, Session& s) {
  const double v = in.Real();
  return WithOut<double>(in, [&](double* out) { return (s.chart.*M)(v, out); });
}

template <HResult (A::*M)(I32, I32, double*)>
HResult PointCall(Reader& in, Session& s) {
  const I32 plot = in.Int(), index = in.Int();
  return WithOut<double>(in, [&](double* out) { return (s.chart.*M)(plot, index, out); });
}

// Radii: small ones, the edges of the range and beyond it, or any real.
double RadiusOf(Reader& in) {
  const std::uint8_t k = in.Byte();
  if (k < 0xE0) return k / 8.0;
  static const double kEdges[] = {0, 10000, 10000.000001, -0.0, -1e-300, 1e308};
  return k < 0xE6 ? kEdges[k - 0xE0] : in.Real();
}

// Axis types: mostly 0..5 (5 is refused), or any number.
I32 AxisTypeOf(Reader& in) {
  const std::uint8_t k = in.Byte();
  return k < 0xF0 ? k % 6 : in.Int();
}
template <HResult (A::*M)(I32)>
HResult AxisTypeCall(Reader& in, Session& s) { return (s.chart.*M)(AxisTypeOf(in)); }

// Label formats: codes that read (numbers and dates), codes that do not, or any text.
template <HResult (A::*M)(const char16_t*, std::uint32_t)>
HResult LabelFormatCall(Reader& in, Session& s) {
  static const char16_t* const kCodes[] = {
      u"", u"0", u"0.00", u"#,##0.0", u"0%", u"0.00E+00", u"\"x\"0", u"$#,##0", u"yyyy",
      u"d mmm yyyy hh:nn", u"hh:nn:ss.000", u"h AM/PM", u"dddd mmmm", u"zz", u"\"open",
      u"0.0.0", u"yyyy 0", u"E+00"};
  const std::uint8_t k = in.Byte();
  if (k >= std::size(kCodes)) return TextCall<M>(in, s);
  const std::u16string code = kCodes[k];
  return (s.chart.*M)(code.data(), static_cast<std::uint32_t>(code.size()));
}

template <HResult (A::*M)(I32, I32, double*)>
HResult TickValueCall(Reader& in, Session& s) {
  const I32 axis = in.Below(3), index = in.Below(4) == 0 ? in.Int() : in.Below(40);
  return WithOut<double>(in, [&](double* out) { return (s.chart.*M)(axis, index, out); });
}
HResult TickLabelCall(Reader& in, Session& s) {
  const I32 axis = in.Below(3), index = in.Below(4) == 0 ? in.Int() : in.Below(40);
  return WithOut<std::u16string>(
      in, [&](std::u16string* out) { return s.chart.get_TickLabel(axis, index, out); });
}
HResult TickCountCall(Reader& in, Session& s) {
  const I32 axis = in.Below(4) == 0 ? in.Int() : in.Below(3);
  return WithOut<I32>(in, [&](I32* out) { return s.chart.get_TickCount(axis, out); });
}

[[noreturn]] void HitFail(const char* what) {
  std::fprintf(stderr, "fuzz check failed: HitTest %s\n", what);
  std::abort();
}

HResult HitTestCall(Reader& in, Session& s) {
  const double x = in.Real(), y = in.Real(), radius = RadiusOf(in);
  const bool null = in.Below(16) == 0;
  ChartHit hit;
  const HResult hr = s.chart.HitTest(x, y, radius, null ? nullptr : &hit);
  if (hr != kS_OK) return hr;
  // An answer that a host can use as it stands.
  if (hit.kind < kHitNothing || hit.kind > kHitLegendEntry) HitFail("answered an unknown kind");
  const bool onPlot = hit.kind == kHitPoint || hit.kind == kHitLine;
  if (onPlot != (hit.plot >= 1 && hit.plot <= 8) || (!onPlot && hit.plot != 0))
    HitFail("named a plot for another kind, or none for a plot");
  if (hit.kind == kHitNothing) {
    if (hit.index != 0 || hit.distance != 0) HitFail("found nothing but said where");
  } else if (!(hit.distance >= 0 && hit.distance <= radius) || hit.index < 0 ||
             (hit.index == 0 && hit.kind != kHitLine)) {
    HitFail("answered a distance beyond the radius or no index");
  }
  return hr;
}

// The SVG members spend one of the session's renders, as the other renders do. A document
// handed out must be complete.
bool TakeSvgRender(Session& s) {
  if (s.rendersLeft <= 0) return false;
  --s.rendersLeft;
  return true;
}

HResult SaveToSvgCall(Reader& in, Session& s) {
  bool isNull = false;
  const std::u16string name = FileNameOf(in, s, &isNull);
  if (!TakeSvgRender(s)) return kS_OK;
  return s.chart.SaveToSvg(isNull ? nullptr : name.data(), static_cast<std::uint32_t>(name.size()));
}

HResult GetSvgCall(Reader& in, Session& s) {
  const bool null = in.Below(8) == 0;
  if (!TakeSvgRender(s)) return kS_OK;
  std::string svg;
  const HResult hr = s.chart.GetSvg(null ? nullptr : &svg);
  const bool complete = svg.rfind("<?xml", 0) == 0 && svg.size() >= 7 &&
                        svg.compare(svg.size() - 7, 7, "</svg>\n") == 0;
  if ((hr == kS_OK) != complete && !null) {
    std::fprintf(stderr, "fuzz check failed: GetSvg gave 0x%08X with %s document\n",
                 static_cast<unsigned>(hr), complete ? "a" : "no complete");
    std::abort();
  }
  return hr;
}

const CallKind kCalls[] = {
    {"SetSize", kStores, SetSize},
    {"put_preset", kStores, IntCall<&A::put_preset>},
    {"put_plotsCount", kStores, IntCall<&A::put_plotsCount>},
    {"AddPointToPlot", kStores, AddPointToPlot},
    {"AddPointToPlot2", kStores, AddPointToPlot2},
    {"AddPointsToPlot", kRefusable, AddPointsToPlotCall},
    {"SetSimplePlot", kStores, IntCall<&A::SetSimplePlot>},
    {"SetLinearApproximate", kStores, IntCall<&A::SetLinearApproximate>},
    {"SetSquareApproximate", kStores, IntCall<&A::SetSquareApproximate>},
    {"SetPlotColor", kStores, IndexColourCall<&A::SetPlotColor>},
    {"SetPlotWidth", kStores, SetPlotWidth},
    {"SetPointVisible", kStores, IndexBoolCall<&A::SetPointVisible>},
    {"SetPointColor", kStores, IndexColourCall<&A::SetPointColor>},
    {"SetPlotVisible", kStores, IndexBoolCall<&A::SetPlotVisible>},
    {"SetSegment", kStores, SetSegment},
    {"AddLine", kStores, AddLine},
    {"put_polygonsCount", kStores, PutPolygonsCount},
    {"AddPointToPolygon", kStores, AddPointToPolygon},
    {"SetPolygonProperties", kStores, SetPolygonProperties},
    {"SetPolygonProperties2", kStores, SetPolygonProperties2},
    {"AddRectangle", kStores, AddRectangle},
    {"AddRectangle2", kStores, AddRectangle2},
    {"AddCandleStick", kStores, AddCandleStick},
    {"AddMark", kStores, AddMark},
    {"AddMark2", kStores, AddMark2},
    {"AddLabelToLegend", kStores, AddLabelToLegend},
    {"AddLabelToGrid", kStores, TextCall<&A::AddLabelToGrid>},
    {"put_caption", kStores, TextCall<&A::put_caption>},
    {"SetUserTypeGrid", kStores, NoArgCall<&A::SetUserTypeGrid>},
    {"put_gridVisible", kStores, IntCall<&A::put_gridVisible>},
    {"put_captionVisible", kStores, BoolCall<&A::put_captionVisible>},
    {"SaveToFile", kRenders, SaveToFileCall},
    {"Show", kRenders, ShowCall},
    {"put_hWnd", kStores, PutHWnd},
    {"SaveToPng", kRenders, SaveToPngCall},
    {"get_Picture", kRenders, GetPictureCall},
    {"DrawTo", kRenders, DrawToCall},
    {"AddPointsToPlot2", kRefusable, AddPointsToPlot2Call},
    {"get_PointCount", kRefusable, IndexGetCall<I32, &A::get_PointCount>},
    {"Dispose", kStores, NoArgCall<&A::Dispose>},
    {"ScrollLeft", kStores, NoArgCall<&A::ScrollLeft>},
    {"ScrollRight", kStores, NoArgCall<&A::ScrollRight>},
    {"put_arrowCaptionX", kStores, TextCall<&A::put_arrowCaptionX>},
    {"put_arrowCaptionY", kStores, TextCall<&A::put_arrowCaptionY>},
    {"put_arrowR", kStores, IntCall<&A::put_arrowR>},
    {"put_arrowH", kStores, IntCall<&A::put_arrowH>},
    {"put_arrowLineWidth", kStores, IntCall<&A::put_arrowLineWidth>},
    {"put_arrowVisible", kStores, BoolCall<&A::put_arrowVisible>},
    {"DisposePlot", kStores, IntCall<&A::DisposePlot>},
    {"SetDefaultGrid", kStores, NoArgCall<&A::SetDefaultGrid>},
    {"put_gridVerticalLines", kStores, IntCall<&A::put_gridVerticalLines>},
    {"put_gridHorizontalLines", kStores, IntCall<&A::put_gridHorizontalLines>},
    {"put_gridDigitsAfterPoint", kStores, IntCall<&A::put_gridDigitsAfterPoint>},
    {"SetPolygonVisible", kStores, IndexBoolCall<&A::SetPolygonVisible>},
    {"RemoveAllMarks", kStores, NoArgCall<&A::RemoveAllMarks>},
    {"SetMarkVisible", kStores, IndexBoolCall<&A::SetMarkVisible>},
    {"RemoveAllRectangles", kStores, NoArgCall<&A::RemoveAllRectangles>},
    {"SetRectVisible", kStores, IndexBoolCall<&A::SetRectVisible>},
    {"RemoveAllLines", kStores, NoArgCall<&A::RemoveAllLines>},
    {"SetLineVisible", kStores, IndexBoolCall<&A::SetLineVisible>},
    {"RemoveAllCandleSticks", kStores, NoArgCall<&A::RemoveAllCandleSticks>},
    {"put_candlesticsVisible", kStores, BoolCall<&A::put_candlesticsVisible>},
    {"put_legendVisible", kStores, BoolCall<&A::put_legendVisible>},
    {"put_legendPosition", kStores, IntCall<&A::put_legendPosition>},
    {"get_captionTexts", kRefusable, GetCaptionText},
    {"get_hWnd", kRefusable, GetCall<I32, &A::get_hWnd>},
    {"get_Width", kRefusable, GetCall<I32, &A::get_Width>},
    {"get_Height", kRefusable, GetCall<I32, &A::get_Height>},
    {"get_captionVisible", kRefusable, GetCall<VariantBool, &A::get_captionVisible>},
    {"get_arrowR", kRefusable, GetCall<I32, &A::get_arrowR>},
    {"get_arrowH", kRefusable, GetCall<I32, &A::get_arrowH>},
    {"get_arrowLineWidth", kRefusable, GetCall<I32, &A::get_arrowLineWidth>},
    {"get_arrowVisible", kRefusable, GetCall<VariantBool, &A::get_arrowVisible>},
    {"GetPlotVisible", kRefusable, IndexGetCall<VariantBool, &A::GetPlotVisible>},
    {"GetPlotColor", kRefusable, IndexGetCall<Color, &A::GetPlotColor>},
    {"GetPointVisible", kRefusable, IndexGetCall<VariantBool, &A::GetPointVisible>},
    {"GetPlotWidth", kRefusable, IndexGetCall<I32, &A::GetPlotWidth>},
    {"GetPointColor", kRefusable, IndexGetCall<Color, &A::GetPointColor>},
    {"get_plotsCount", kRefusable, GetCall<I32, &A::get_plotsCount>},
    {"GetA", kRefusable, IndexGetCall<double, &A::GetA>},
    {"GetB", kRefusable, IndexGetCall<double, &A::GetB>},
    {"GetC", kRefusable, IndexGetCall<double, &A::GetC>},
    {"get_isDefaultGrid", kRefusable, GetCall<VariantBool, &A::get_isDefaultGrid>},
    {"get_isUserTypeGrid", kRefusable, GetCall<VariantBool, &A::get_isUserTypeGrid>},
    {"get_gridVisible", kRefusable, GetCall<I32, &A::get_gridVisible>},
    {"get_gridVerticalLines", kRefusable, GetCall<I32, &A::get_gridVerticalLines>},
    {"get_gridHorizontalLines", kRefusable, GetCall<I32, &A::get_gridHorizontalLines>},
    {"get_gridDigitsAfterPoint", kRefusable, GetCall<I32, &A::get_gridDigitsAfterPoint>},
    {"get_polygonsCount", kRefusable, GetCall<I32, &A::get_polygonsCount>},
    {"GetPolygonVisible", kRefusable, IndexGetCall<VariantBool, &A::GetPolygonVisible>},
    {"GetMarkVisible", kRefusable, IndexGetCall<VariantBool, &A::GetMarkVisible>},
    {"GetRectVisible", kRefusable, IndexGetCall<VariantBool, &A::GetRectVisible>},
    {"GetLineVisible", kRefusable, IndexGetCall<VariantBool, &A::GetLineVisible>},
    {"get_candlesticsVisible", kRefusable, GetCall<VariantBool, &A::get_candlesticsVisible>},
    {"get_preset", kRefusable, GetCall<I32, &A::get_preset>},
    {"get_presetCount", kRefusable, GetCall<I32, &A::get_presetCount>},
    {"get_legendVisible", kRefusable, GetCall<VariantBool, &A::get_legendVisible>},
    {"get_legendPosition", kRefusable, GetCall<I32, &A::get_legendPosition>},
    {"get_WorldXMin", kRefusable, GetCall<double, &A::get_WorldXMin>},
    {"get_WorldXMax", kRefusable, GetCall<double, &A::get_WorldXMax>},
    {"get_WorldYMin", kRefusable, GetCall<double, &A::get_WorldYMin>},
    {"get_WorldYMax", kRefusable, GetCall<double, &A::get_WorldYMax>},
    {"get_PlotAreaLeft", kRefusable, GetCall<I32, &A::get_PlotAreaLeft>},
    {"get_PlotAreaTop", kRefusable, GetCall<I32, &A::get_PlotAreaTop>},
    {"get_PlotAreaRight", kRefusable, GetCall<I32, &A::get_PlotAreaRight>},
    {"get_PlotAreaBottom", kRefusable, GetCall<I32, &A::get_PlotAreaBottom>},
    {"WorldToPixelX", kLaysOut, ConvertCall<&A::WorldToPixelX>},
    {"WorldToPixelY", kLaysOut, ConvertCall<&A::WorldToPixelY>},
    {"PixelToWorldX", kLaysOut, ConvertCall<&A::PixelToWorldX>},
    {"PixelToWorldY", kLaysOut, ConvertCall<&A::PixelToWorldY>},
    {"get_PointX", kRefusable, PointCall<&A::get_PointX>},
    {"get_PointY", kRefusable, PointCall<&A::get_PointY>},
    {"HitTest", kLaysOut, HitTestCall},
    {"put_PlotCapacity", kRefusable, PutPlotCapacityCall},
    {"get_PlotCapacity", kRefusable, IndexGetCall<I32, &A::get_PlotCapacity>},
    {"Stream", kRefusable, StreamCall},
    {"ControlGestures", kStores, ControlGesturesCall},
    {"LoadProperties", kRefusable, LoadPropertiesCall},
    {"put_Antialias", kStores, PutAntialiasCall},
    {"get_Antialias", kRefusable, GetCall<bool, &A::get_Antialias>},
    {"put_XAxisType", kRefusable, AxisTypeCall<&A::put_XAxisType>},
    {"put_YAxisType", kRefusable, AxisTypeCall<&A::put_YAxisType>},
    {"get_XAxisType", kRefusable, GetCall<I32, &A::get_XAxisType>},
    {"get_YAxisType", kRefusable, GetCall<I32, &A::get_YAxisType>},
    {"put_XLabelFormat", kRefusable, LabelFormatCall<&A::put_XLabelFormat>},
    {"put_YLabelFormat", kRefusable, LabelFormatCall<&A::put_YLabelFormat>},
    {"get_XLabelFormat", kRefusable, GetCall<std::u16string, &A::get_XLabelFormat>},
    {"get_YLabelFormat", kRefusable, GetCall<std::u16string, &A::get_YLabelFormat>},
    {"FitSegmentToData", kStores, NoArgCall<&A::FitSegmentToData>},
    {"get_TickCount", kLaysOut, TickCountCall},
    {"get_TickValue", kLaysOut, TickValueCall<&A::get_TickValue>},
    {"get_TickLabel", kLaysOut, TickLabelCall},
    {"SaveToSvg", kRenders, SaveToSvgCall},
    {"GetSvg", kRenders, GetSvgCall},
    {"put_PixelScale", kRefusable, PutPixelScaleCall},
    {"get_PixelScale", kRefusable, GetCall<double, &A::get_PixelScale>},
};

}  // namespace

const CallKind* Calls() { return kCalls; }
int CallCount() { return static_cast<int>(std::size(kCalls)); }

int CallIndex(const char* name) {
  for (int i = 0; i < CallCount(); ++i)
    if (std::strcmp(kCalls[i].name, name) == 0) return i;
  return -1;
}

}  // namespace corvane::fuzz
