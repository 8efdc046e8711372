#include "control/chart_control/control_properties.h"

#include <cstring>
#include <iterator>
#include <new>
#include <utility>

#include "appearance/label_format.h"
#include "platform/string_conversion.h"

namespace corvane {
namespace {

// Tags never change meaning once published; new properties take new numbers.
enum Tag : std::uint16_t {
  kCaption = 1,
  kCaptionVisible = 2,
  kPreset = 3,
  kArrowR = 4,
  kArrowH = 5,
  kArrowLineWidth = 6,
  kArrowVisible = 7,
  kArrowCaptionX = 8,
  kArrowCaptionY = 9,
  kUserTypeGrid = 10,
  kGridVisible = 11,
  kGridVerticalLines = 12,
  kGridHorizontalLines = 13,
  kGridDigitsAfterPoint = 14,
  kLegendVisible = 15,
  kLegendPosition = 16,
  kCandlesticsVisible = 17,
  kPlotsCount = 18,
  kWidth = 19,
  kHeight = 20,
  kPlotColor = 32,
  kPlotVisible = 33,
  kPlotWidth = 34,
  kPointVisible = 35,
  kPointColor = 36,
  kApproximation = 37,
  kPlotCapacity = 38,
  kXAxisType = 39,
  kYAxisType = 40,
  kXLabelFormat = 41,
  kYLabelFormat = 42,
  kAntialias = 43,
  kPixelScale = 44,
  kZoomMode = 64,
  kPanMode = 65,
  kHoverInfo = 66,
  kCrosshair = 67,
  kExtentX = 68,
  kExtentY = 69,
};

constexpr std::int32_t kPlots = CChartEngine::kMaxPlots;
constexpr char kMagic[4] = {'C', 'V', 'C', 'T'};

using T = PropertyType;

// In the order they are applied: the preset first, since it sets colours of its own.
const std::vector<PropertyKind> kKinds = {
    {kPreset, "preset", T::kInt32, false},
    {kCaption, "caption", T::kText, false},
    {kCaptionVisible, "captionVisible", T::kBool, false},
    {kArrowR, "arrowR", T::kInt32, false},
    {kArrowH, "arrowH", T::kInt32, false},
    {kArrowLineWidth, "arrowLineWidth", T::kInt32, false},
    {kArrowVisible, "arrowVisible", T::kBool, false},
    {kArrowCaptionX, "arrowCaptionX", T::kText, false},
    {kArrowCaptionY, "arrowCaptionY", T::kText, false},
    {kUserTypeGrid, "userTypeGrid", T::kBool, false},
    {kGridVisible, "gridVisible", T::kInt32, false},
    {kGridVerticalLines, "gridVerticalLines", T::kInt32, false},
    {kGridHorizontalLines, "gridHorizontalLines", T::kInt32, false},
    {kGridDigitsAfterPoint, "gridDigitsAfterPoint", T::kInt32, false},
    {kLegendVisible, "legendVisible", T::kBool, false},
    {kLegendPosition, "legendPosition", T::kInt32, false},
    {kCandlesticsVisible, "candlesticsVisible", T::kBool, false},
    {kPlotsCount, "plotsCount", T::kInt32, false},
    {kWidth, "width", T::kInt32, false},
    {kHeight, "height", T::kInt32, false},
    {kXAxisType, "XAxisType", T::kInt32, false},
    {kYAxisType, "YAxisType", T::kInt32, false},
    {kXLabelFormat, "XLabelFormat", T::kText, false},
    {kYLabelFormat, "YLabelFormat", T::kText, false},
    {kPlotColor, "plotColor", T::kInt32, true},
    {kPlotVisible, "plotVisible", T::kBool, true},
    {kPlotWidth, "plotWidth", T::kInt32, true},
    {kPointVisible, "pointVisible", T::kBool, true},
    {kPointColor, "pointColor", T::kInt32, true},
    {kApproximation, "approximation", T::kInt32, true},
    {kPlotCapacity, "PlotCapacity", T::kInt32, true},
    {kAntialias, "Antialias", T::kBool, false},
    {kPixelScale, "PixelScale", T::kDouble, false},
    {kZoomMode, "ZoomMode", T::kInt32, false},
    {kPanMode, "PanMode", T::kInt32, false},
    {kHoverInfo, "HoverInfo", T::kBool, false},
    {kCrosshair, "Crosshair", T::kBool, false},
    {kExtentX, "extentX", T::kInt32, false},
    {kExtentY, "extentY", T::kInt32, false},
};

SavedProperty Number(std::uint16_t tag, std::uint8_t plot, std::int32_t v) {
  SavedProperty p;
  p.tag = tag;
  p.plot = plot;
  p.type = T::kInt32;
  p.number = v;
  return p;
}

SavedProperty Flag(std::uint16_t tag, std::uint8_t plot, VariantBool v) {
  SavedProperty p = Number(tag, plot, v != 0 ? 1 : 0);
  p.type = T::kBool;
  return p;
}

SavedProperty Real(std::uint16_t tag, double v) {
  SavedProperty p;
  p.tag = tag;
  p.type = T::kDouble;
  p.real = v;
  return p;
}

SavedProperty Text(std::uint16_t tag, std::u16string v) {
  SavedProperty p;
  p.tag = tag;
  p.type = T::kText;
  p.text = std::move(v);
  return p;
}

VariantBool AsBool(const SavedProperty& p) { return p.number ? kVariantTrue : kVariantFalse; }

template <typename V>
V Read(HResult (CorvaneAutomation::*get)(V*), CorvaneAutomation& chart) {
  V v{};
  (chart.*get)(&v);
  return v;
}

template <typename V>
V ReadAt(HResult (CorvaneAutomation::*get)(std::int32_t, V*), CorvaneAutomation& chart,
         std::int32_t plot) {
  V v{};
  (chart.*get)(plot, &v);
  return v;
}

std::u16string ReadText(HResult (CorvaneAutomation::*get)(std::u16string*),
                        CorvaneAutomation& chart) {
  std::u16string s;
  if (Failed((chart.*get)(&s))) throw std::bad_alloc();
  return s;
}

HResult Put(CorvaneAutomation& chart, ChartInteraction& interaction, ControlState* state,
            const SavedProperty& p) {
  const std::int32_t v = p.number;
  const std::int32_t i = p.plot;
  const char16_t* s = p.text.data();
  const auto n = static_cast<std::uint32_t>(p.text.size());
  switch (p.tag) {
    case kPreset: state->presetSet = true; return chart.put_preset(v);
    case kCaption: return chart.put_caption(s, n);
    case kCaptionVisible: return chart.put_captionVisible(AsBool(p));
    case kArrowR: return chart.put_arrowR(v);
    case kArrowH: return chart.put_arrowH(v);
    case kArrowLineWidth: return chart.put_arrowLineWidth(v);
    case kArrowVisible: return chart.put_arrowVisible(AsBool(p));
    case kArrowCaptionX: return chart.put_arrowCaptionX(s, n);
    case kArrowCaptionY: return chart.put_arrowCaptionY(s, n);
    case kUserTypeGrid: return v ? chart.SetUserTypeGrid() : chart.SetDefaultGrid();
    case kGridVisible: return chart.put_gridVisible(v);
    case kGridVerticalLines: return chart.put_gridVerticalLines(v);
    case kGridHorizontalLines: return chart.put_gridHorizontalLines(v);
    case kGridDigitsAfterPoint: return chart.put_gridDigitsAfterPoint(v);
    case kLegendVisible: return chart.put_legendVisible(AsBool(p));
    case kLegendPosition: return chart.put_legendPosition(v);
    case kCandlesticsVisible: return chart.put_candlesticsVisible(AsBool(p));
    case kPlotsCount: return chart.put_plotsCount(v);
    case kPlotColor: return chart.SetPlotColor(i, static_cast<Color>(v));
    case kPlotVisible: return chart.SetPlotVisible(i, AsBool(p));
    case kPlotWidth: return chart.SetPlotWidth(i, v);
    case kPointVisible: return chart.SetPointVisible(i, AsBool(p));
    case kPointColor: return chart.SetPointColor(i, static_cast<Color>(v));
    case kApproximation:
      return v == 2 ? chart.SetSquareApproximate(i)
                    : v == 1 ? chart.SetLinearApproximate(i) : chart.SetSimplePlot(i);
    case kPlotCapacity: return chart.put_PlotCapacity(i, v);
    case kXAxisType: return chart.put_XAxisType(v);
    case kYAxisType: return chart.put_YAxisType(v);
    case kXLabelFormat: return chart.put_XLabelFormat(s, n);
    case kYLabelFormat: return chart.put_YLabelFormat(s, n);
    case kAntialias: return chart.put_Antialias(v != 0);
    case kPixelScale: return chart.put_PixelScale(p.real);
    case kZoomMode: return interaction.SetZoomMode(v);
    case kPanMode: return interaction.SetPanMode(v);
    case kHoverInfo: interaction.SetHoverInfo(v != 0); return kS_OK;
    case kCrosshair: interaction.SetCrosshair(v != 0); return kS_OK;
    case kExtentX: state->cx = v; return kS_OK;
    case kExtentY: state->cy = v; return kS_OK;
    default: return kS_OK;  // width and height go together, below
  }
}

// A value the control itself would refuse.
// A label format the chart would take: loading checks it with the rest, so a code that cannot
// be read damages the stream instead of failing half way through applying it.
bool ReadableLabelFormat(const std::u16string& s) {
  if (s.size() > LabelFormat::kMaxLength * 2) return false;
  const std::string text = NarrowFromUtf16(s.data(), static_cast<std::uint32_t>(s.size()));
  LabelFormat parsed;
  return text.empty() || LabelFormat::Parse(text, &parsed);
}

bool InRange(const SavedProperty& p) {
  switch (p.tag) {
    case kZoomMode: return p.number >= 0 && p.number <= kMaxZoomMode;
    case kPanMode: return p.number >= 0 && p.number <= kMaxPanMode;
    case kApproximation: return p.number >= 0 && p.number <= 2;
    case kPlotCapacity: return p.number >= 0;
    case kXAxisType:
    case kYAxisType: return IsAxisType(p.number);
    case kExtentX:
    case kExtentY: return p.number >= 0;
    case kPixelScale: return p.real >= 1 && p.real <= 4;
    case kXLabelFormat:
    case kYLabelFormat: return ReadableLabelFormat(p.text);
    default: return true;
  }
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<std::uint8_t>(v >> (8 * k)));
}
std::uint16_t GetU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t GetU32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
         (std::uint32_t{p[3]} << 24);
}

}  // namespace

const std::vector<PropertyKind>& PropertyKinds() { return kKinds; }

const PropertyKind* FindPropertyKind(std::uint16_t tag) {
  for (const PropertyKind& k : kKinds) {
    if (k.tag == tag) return &k;
  }
  return nullptr;
}

std::vector<SavedProperty> CaptureProperties(CorvaneAutomation& c,
                                             const InteractionSettings& settings,
                                             const ControlState& state) {
  using A = CorvaneAutomation;
  std::vector<SavedProperty> out;
  if (state.presetSet) out.push_back(Number(kPreset, 0, Read(&A::get_preset, c)));
  const std::vector<SavedProperty> chartWide = {
      Text(kCaption, ReadText(&A::get_caption, c)),
      Flag(kCaptionVisible, 0, Read(&A::get_captionVisible, c)),
      Number(kArrowR, 0, Read(&A::get_arrowR, c)),
      Number(kArrowH, 0, Read(&A::get_arrowH, c)),
      Number(kArrowLineWidth, 0, Read(&A::get_arrowLineWidth, c)),
      Flag(kArrowVisible, 0, Read(&A::get_arrowVisible, c)),
      Text(kArrowCaptionX, ReadText(&A::get_arrowCaptionX, c)),
      Text(kArrowCaptionY, ReadText(&A::get_arrowCaptionY, c)),
      Flag(kUserTypeGrid, 0, Read(&A::get_isUserTypeGrid, c)),
      Number(kGridVisible, 0, Read(&A::get_gridVisible, c)),
      Number(kGridVerticalLines, 0, Read(&A::get_gridVerticalLines, c)),
      Number(kGridHorizontalLines, 0, Read(&A::get_gridHorizontalLines, c)),
      Number(kGridDigitsAfterPoint, 0, Read(&A::get_gridDigitsAfterPoint, c)),
      Flag(kLegendVisible, 0, Read(&A::get_legendVisible, c)),
      Number(kLegendPosition, 0, Read(&A::get_legendPosition, c)),
      Flag(kCandlesticsVisible, 0, Read(&A::get_candlesticsVisible, c)),
      Number(kPlotsCount, 0, Read(&A::get_plotsCount, c)),
      Number(kWidth, 0, Read(&A::get_Width, c)),
      Number(kHeight, 0, Read(&A::get_Height, c)),
      Number(kXAxisType, 0, Read(&A::get_XAxisType, c)),
      Number(kYAxisType, 0, Read(&A::get_YAxisType, c)),
      Text(kXLabelFormat, ReadText(&A::get_XLabelFormat, c)),
      Text(kYLabelFormat, ReadText(&A::get_YLabelFormat, c)),
  };
  out.insert(out.end(), chartWide.begin(), chartWide.end());
  for (std::int32_t i = 1; i <= kPlots; ++i) {
    const auto plot = static_cast<std::uint8_t>(i);
    out.push_back(Number(kPlotColor, plot, static_cast<std::int32_t>(ReadAt(&A::GetPlotColor, c, i))));
    out.push_back(Flag(kPlotVisible, plot, ReadAt(&A::GetPlotVisible, c, i)));
    out.push_back(Number(kPlotWidth, plot, ReadAt(&A::GetPlotWidth, c, i)));
    out.push_back(Flag(kPointVisible, plot, ReadAt(&A::GetPointVisible, c, i)));
    out.push_back(Number(kPointColor, plot, static_cast<std::int32_t>(ReadAt(&A::GetPointColor, c, i))));
    // The one setting the automation members cannot read back: the fit each plot draws.
    out.push_back(Number(kApproximation, plot, c.engine().plots[i - 1].approximation));
    out.push_back(Number(kPlotCapacity, plot, ReadAt(&A::get_PlotCapacity, c, i)));
  }
  out.push_back(Flag(kAntialias, 0, Read(&A::get_Antialias, c) ? kVariantTrue : kVariantFalse));
  out.push_back(Real(kPixelScale, Read(&A::get_PixelScale, c)));
  out.push_back(Number(kZoomMode, 0, settings.zoomMode));
  out.push_back(Number(kPanMode, 0, settings.panMode));
  out.push_back(Flag(kHoverInfo, 0, settings.hoverInfo ? kVariantTrue : kVariantFalse));
  out.push_back(Flag(kCrosshair, 0, settings.crosshair ? kVariantTrue : kVariantFalse));
  out.push_back(Number(kExtentX, 0, state.cx));
  out.push_back(Number(kExtentY, 0, state.cy));
  return out;
}

HResult ApplyProperties(const std::vector<SavedProperty>& entries, CorvaneAutomation& chart,
                        ChartInteraction& interaction, ControlState* state) {
  for (const SavedProperty& p : entries) {
    const PropertyKind* kind = FindPropertyKind(p.tag);
    if (!kind) continue;
    if (p.type != kind->type) return kPropertiesDamaged;
    if (kind->perPlot ? (p.plot < 1 || p.plot > kPlots) : p.plot != 0) return kPropertiesDamaged;
    if (!InRange(p)) return kPropertiesDamaged;
  }
  std::int32_t width = 0, height = 0;
  bool sized = !Failed(chart.get_Width(&width)) && !Failed(chart.get_Height(&height));
  bool resize = false;
  // In the table's order, whatever order the stream has.
  for (const PropertyKind& kind : kKinds) {
    for (const SavedProperty& p : entries) {
      if (p.tag != kind.tag) continue;
      if (p.tag == kWidth || p.tag == kHeight) {
        (p.tag == kWidth ? width : height) = p.number;
        resize = true;
        continue;
      }
      const HResult hr = Put(chart, interaction, state, p);
      if (Failed(hr)) return hr;
    }
  }
  if (resize && sized) return chart.SetSize(width, height);
  return kS_OK;
}

std::vector<std::uint8_t> EncodeProperties(const std::vector<SavedProperty>& entries) {
  std::vector<std::uint8_t> body;
  for (const SavedProperty& p : entries) {
    PutU16(body, p.tag);
    body.push_back(p.plot);
    body.push_back(static_cast<std::uint8_t>(p.type));
    switch (p.type) {
      case T::kInt32:
        PutU32(body, 4);
        PutU32(body, static_cast<std::uint32_t>(p.number));
        break;
      case T::kBool:
        PutU32(body, 1);
        body.push_back(p.number ? 1 : 0);
        break;
      case T::kDouble: {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &p.real, sizeof bits);
        PutU32(body, 8);
        PutU32(body, static_cast<std::uint32_t>(bits));
        PutU32(body, static_cast<std::uint32_t>(bits >> 32));
        break;
      }
      case T::kText:
        PutU32(body, static_cast<std::uint32_t>(2 * p.text.size()));
        for (char16_t ch : p.text) PutU16(body, static_cast<std::uint16_t>(ch));
        break;
    }
  }
  std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
  PutU16(out, kPropertyFormatVersion);
  PutU16(out, 0);
  PutU32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

HResult DecodePropertyHeader(const std::uint8_t* header, std::uint32_t* bodyLength) {
  if (std::memcmp(header, kMagic, sizeof kMagic) != 0) return kPropertiesDamaged;
  const std::uint16_t version = GetU16(header + 4);
  if (version == 0 || GetU16(header + 6) != 0) return kPropertiesDamaged;
  if (version > kPropertyFormatVersion) return kPropertiesTooNew;
  *bodyLength = GetU32(header + 8);
  return *bodyLength <= kMaxPropertyBody ? kS_OK : kPropertiesDamaged;
}

HResult DecodePropertyBody(const std::uint8_t* body, std::size_t length,
                           std::vector<SavedProperty>* entries) {
  std::vector<SavedProperty> out;
  std::size_t at = 0;
  while (at < length) {
    if (length - at < 8) return kPropertiesDamaged;
    SavedProperty p;
    p.tag = GetU16(body + at);
    p.plot = body[at + 2];
    const std::uint8_t type = body[at + 3];
    const std::uint32_t size = GetU32(body + at + 4);
    at += 8;
    if (size > length - at) return kPropertiesDamaged;
    const std::uint8_t* v = body + at;
    at += size;
    switch (type) {
      case static_cast<std::uint8_t>(T::kInt32):
        if (size != 4) return kPropertiesDamaged;
        p.number = static_cast<std::int32_t>(GetU32(v));
        break;
      case static_cast<std::uint8_t>(T::kBool):
        if (size != 1 || v[0] > 1) return kPropertiesDamaged;
        p.number = v[0];
        break;
      case static_cast<std::uint8_t>(T::kDouble): {
        if (size != 8) return kPropertiesDamaged;
        const std::uint64_t bits = GetU32(v) | (std::uint64_t{GetU32(v + 4)} << 32);
        std::memcpy(&p.real, &bits, sizeof bits);
        break;
      }
      case static_cast<std::uint8_t>(T::kText):
        if (size % 2 != 0) return kPropertiesDamaged;
        for (std::uint32_t k = 0; k < size; k += 2) p.text.push_back(static_cast<char16_t>(GetU16(v + k)));
        break;
      default:
        // A type this version does not know can only belong to a tag it does not know.
        if (FindPropertyKind(p.tag)) return kPropertiesDamaged;
        continue;
    }
    p.type = static_cast<T>(type);
    out.push_back(std::move(p));
  }
  entries->swap(out);
  return kS_OK;
}

}  // namespace corvane
