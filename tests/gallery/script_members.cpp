#include "tests/gallery/script_members.h"

#include <cctype>
#include <iterator>

namespace corvane::gallery {
namespace {

using C = CorvaneAutomation;

// A string member through the automation layer's (pointer, length) form.
template <HResult (C::*kMember)(const char16_t*, std::uint32_t)>
HResult PutText(C& c, const Args& a) {
  const std::u16string s = a.Text(0);
  return (c.*kMember)(s.data(), static_cast<std::uint32_t>(s.size()));
}

HResult Points(C& c, const Args& a) {
  const std::vector<double>& x = a.Numbers(1);
  const std::vector<double>& y = a.Numbers(2);
  if (x.size() != y.size()) return kE_INVALIDARG;  // as the COM member answers
  return c.AddPointsToPlot(a.Long(0), x.data(), y.data(), x.size());
}

const ScriptMember kMembers[] = {
    {"SaveToFile", false, 1, PutText<&C::SaveToFile>},
    {"SaveToPng", false, 1, PutText<&C::SaveToPng>},
    {"SetSize", false, 2, [](C& c, const Args& a) { return c.SetSize(a.Long(0), a.Long(1)); }},
    {"Dispose", false, 0, [](C& c, const Args&) { return c.Dispose(); }},
    {"ScrollLeft", false, 0, [](C& c, const Args&) { return c.ScrollLeft(); }},
    {"ScrollRight", false, 0, [](C& c, const Args&) { return c.ScrollRight(); }},
    {"caption", true, 1, PutText<&C::put_caption>},
    {"SetSegment", false, 2, [](C& c, const Args& a) { return c.SetSegment(a.Double(0), a.Double(1)); }},
    {"captionVisible", true, 1, [](C& c, const Args& a) { return c.put_captionVisible(a.Bool(0)); }},
    {"arrowR", true, 1, [](C& c, const Args& a) { return c.put_arrowR(a.Long(0)); }},
    {"arrowH", true, 1, [](C& c, const Args& a) { return c.put_arrowH(a.Long(0)); }},
    {"arrowLineWidth", true, 1, [](C& c, const Args& a) { return c.put_arrowLineWidth(a.Long(0)); }},
    {"arrowVisible", true, 1, [](C& c, const Args& a) { return c.put_arrowVisible(a.Bool(0)); }},
    {"arrowCaptionX", true, 1, PutText<&C::put_arrowCaptionX>},
    {"arrowCaptionY", true, 1, PutText<&C::put_arrowCaptionY>},
    {"SetPlotVisible", false, 2, [](C& c, const Args& a) { return c.SetPlotVisible(a.Long(0), a.Bool(1)); }},
    {"SetSimplePlot", false, 1, [](C& c, const Args& a) { return c.SetSimplePlot(a.Long(0)); }},
    {"SetLinearApproximate", false, 1, [](C& c, const Args& a) { return c.SetLinearApproximate(a.Long(0)); }},
    {"SetSquareApproximate", false, 1, [](C& c, const Args& a) { return c.SetSquareApproximate(a.Long(0)); }},
    {"AddPointToPlot", false, 3,
     [](C& c, const Args& a) { return c.AddPointToPlot(a.Long(0), a.Double(1), a.Double(2)); }},
    {"DisposePlot", false, 1, [](C& c, const Args& a) { return c.DisposePlot(a.Long(0)); }},
    {"SetPlotColor", false, 2, [](C& c, const Args& a) { return c.SetPlotColor(a.Long(0), a.Colour(1)); }},
    {"SetPointVisible", false, 2, [](C& c, const Args& a) { return c.SetPointVisible(a.Long(0), a.Bool(1)); }},
    {"SetPlotWidth", false, 2, [](C& c, const Args& a) { return c.SetPlotWidth(a.Long(0), a.Long(1)); }},
    {"AddPointToPlot2", false, 2, [](C& c, const Args& a) { return c.AddPointToPlot2(a.Long(0), a.Double(1)); }},
    {"SetPointColor", false, 2, [](C& c, const Args& a) { return c.SetPointColor(a.Long(0), a.Colour(1)); }},
    {"plotsCount", true, 1, [](C& c, const Args& a) { return c.put_plotsCount(a.Long(0)); }},
    {"AddLabelToGrid", false, 1, PutText<&C::AddLabelToGrid>},
    {"SetDefaultGrid", false, 0, [](C& c, const Args&) { return c.SetDefaultGrid(); }},
    {"SetUserTypeGrid", false, 0, [](C& c, const Args&) { return c.SetUserTypeGrid(); }},
    {"gridVisible", true, 1, [](C& c, const Args& a) { return c.put_gridVisible(a.Long(0)); }},
    {"gridVerticalLines", true, 1, [](C& c, const Args& a) { return c.put_gridVerticalLines(a.Long(0)); }},
    {"gridHorizontalLines", true, 1, [](C& c, const Args& a) { return c.put_gridHorizontalLines(a.Long(0)); }},
    {"gridDigitsAfterPoint", true, 1, [](C& c, const Args& a) { return c.put_gridDigitsAfterPoint(a.Long(0)); }},
    {"polygonsCount", true, 1, [](C& c, const Args& a) { return c.put_polygonsCount(a.Long(0)); }},
    {"AddPointToPolygon", false, 3,
     [](C& c, const Args& a) { return c.AddPointToPolygon(a.Long(0), a.Double(1), a.Double(2)); }},
    {"SetPolygonProperties", false, 3,
     [](C& c, const Args& a) { return c.SetPolygonProperties(a.Long(0), a.Colour(1), a.Double(2)); }},
    {"SetPolygonProperties2", false, 6,
     [](C& c, const Args& a) {
       return c.SetPolygonProperties2(a.Long(0), a.Colour(1), a.Double(2), a.Long(3), a.Long(4), a.Colour(5));
     }},
    {"SetPolygonVisible", false, 2, [](C& c, const Args& a) { return c.SetPolygonVisible(a.Long(0), a.Bool(1)); }},
    {"AddMark", false, 2, [](C& c, const Args& a) { return c.AddMark(a.Double(0), a.Double(1)); }},
    {"AddMark2", false, 3,
     [](C& c, const Args& a) {
       const std::u16string s = a.Text(2);
       return c.AddMark2(a.Double(0), a.Double(1), s.data(), static_cast<std::uint32_t>(s.size()));
     }},
    {"RemoveAllMarks", false, 0, [](C& c, const Args&) { return c.RemoveAllMarks(); }},
    {"SetMarkVisible", false, 2, [](C& c, const Args& a) { return c.SetMarkVisible(a.Long(0), a.Bool(1)); }},
    {"AddRectangle", false, 6,
     [](C& c, const Args& a) {
       return c.AddRectangle(a.Double(0), a.Double(1), a.Double(2), a.Double(3), a.Colour(4), a.Double(5));
     }},
    {"AddRectangle2", false, 9,
     [](C& c, const Args& a) {
       return c.AddRectangle2(a.Double(0), a.Double(1), a.Double(2), a.Double(3), a.Colour(4), a.Double(5),
                              a.Long(6), a.Long(7), a.Colour(8));
     }},
    {"RemoveAllRectangles", false, 0, [](C& c, const Args&) { return c.RemoveAllRectangles(); }},
    {"SetRectVisible", false, 2, [](C& c, const Args& a) { return c.SetRectVisible(a.Long(0), a.Bool(1)); }},
    {"AddLine", false, 7,
     [](C& c, const Args& a) {
       return c.AddLine(a.Double(0), a.Double(1), a.Double(2), a.Double(3), a.Long(4), a.Long(5), a.Colour(6));
     }},
    {"RemoveAllLines", false, 0, [](C& c, const Args&) { return c.RemoveAllLines(); }},
    {"SetLineVisible", false, 2, [](C& c, const Args& a) { return c.SetLineVisible(a.Long(0), a.Bool(1)); }},
    {"AddCandleStick", false, 5,
     [](C& c, const Args& a) {
       return c.AddCandleStick(a.Double(0), a.Double(1), a.Double(2), a.Double(3), a.Double(4));
     }},
    {"RemoveAllCandleSticks", false, 0, [](C& c, const Args&) { return c.RemoveAllCandleSticks(); }},
    {"candlesticsVisible", true, 1, [](C& c, const Args& a) { return c.put_candlesticsVisible(a.Bool(0)); }},
    {"preset", true, 1, [](C& c, const Args& a) { return c.put_preset(a.Long(0)); }},
    {"AddLabelToLegend", false, 2,
     [](C& c, const Args& a) {
       const std::u16string s = a.Text(1);
       return c.AddLabelToLegend(a.Colour(0), s.data(), static_cast<std::uint32_t>(s.size()));
     }},
    {"legendVisible", true, 1, [](C& c, const Args& a) { return c.put_legendVisible(a.Bool(0)); }},
    {"legendPosition", true, 1, [](C& c, const Args& a) { return c.put_legendPosition(a.Long(0)); }},
    {"AddPointsToPlot", false, 3, Points},
    {"PlotCapacity", true, 2, [](C& c, const Args& a) { return c.put_PlotCapacity(a.Long(0), a.Long(1)); }},
    {"XAxisType", true, 1, [](C& c, const Args& a) { return c.put_XAxisType(a.Long(0)); }},
    {"YAxisType", true, 1, [](C& c, const Args& a) { return c.put_YAxisType(a.Long(0)); }},
    {"XLabelFormat", true, 1, PutText<&C::put_XLabelFormat>},
    {"YLabelFormat", true, 1, PutText<&C::put_YLabelFormat>},
    {"FitSegmentToData", false, 0, [](C& c, const Args&) { return c.FitSegmentToData(); }},
    {"Antialias", true, 1, [](C& c, const Args& a) { return c.put_Antialias(a.Bool(0) != 0); }},
    {"PixelScale", true, 1, [](C& c, const Args& a) { return c.put_PixelScale(a.Double(0)); }},
    {"AddPointsToPlot2", false, 2,
     [](C& c, const Args& a) {
       const std::vector<double>& y = a.Numbers(1);
       return c.AddPointsToPlot2(a.Long(0), y.data(), y.size());
     }},
};

bool SameName(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && b[i] == '\0';
}

}  // namespace

const ScriptMember* FindMember(const std::string& name, bool put) {
  for (const ScriptMember& m : kMembers)
    if (m.put == put && SameName(name, m.name)) return &m;
  return nullptr;
}

}  // namespace corvane::gallery
