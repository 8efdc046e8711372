// One line a member: a method of the interfaces keeps its name and becomes a method, a
// property becomes a Python property of the same name (read-only where the interface has no
// put), each with the docstring corvane/__init__.pyi repeats. docs/reference.md says more.
#include "chart_binding.h"

#include <corvane/chart.h>

#include "arguments.h"
#include "pictures.h"

namespace corvane::python {

namespace {

using py::arg;

void AddPoints(Chart& chart, std::int32_t plot, py::handle x, py::handle y) {
  const py::array_t<double> xs = Numbers(x, "AddPointsToPlot");
  const py::array_t<double> ys = Numbers(y, "AddPointsToPlot");
  if (xs.size() != ys.size()) throw Error(0x80070057u, "AddPointsToPlot");  // E_INVALIDARG
  chart.AddPointsToPlot(plot, xs.data(), ys.data(), static_cast<std::size_t>(ys.size()));
}

void AddPoints2(Chart& chart, std::int32_t plot, py::handle y) {
  const py::array_t<double> ys = Numbers(y, "AddPointsToPlot2");
  chart.AddPointsToPlot2(plot, ys.data(), static_cast<std::size_t>(ys.size()));
}

py::object ReprPng(Chart& chart) {
  // A chart of no size has no picture: IPython then shows the text representation.
  if (chart.Width() <= 0 || chart.Height() <= 0) return py::none();
  return ToPngBytes(chart);
}

std::string Repr(const Chart& chart) {
  return "<corvane.Chart " + std::to_string(chart.Width()) + " x " +
         std::to_string(chart.Height()) + ", " + std::to_string(chart.plotsCount()) + " plots>";
}

}  // namespace

void BindChart(py::module_& m) {
  py::class_<Dib>(m, "Dib", "The picture as a device-independent bitmap: height rows of stride bytes, bottom row first, each pixel the bytes B, G, R, every row padded to a multiple of 4 (the pixel block of the BMP file).")
      .def_readonly("width", &Dib::width, "Width in pixels.")
      .def_readonly("height", &Dib::height, "Height in pixels.")
      .def_readonly("stride", &Dib::stride, "Bytes from one row to the next.")
      .def_property_readonly("bits", [](const Dib& d) { return py::bytes(reinterpret_cast<const char*>(d.bits.data()), d.bits.size()); }, "The rows, bottom row first.");

  // An IntEnum, so that hit.Kind == 1 holds as a script author expects.
  py::list kinds;
  for (const char* name : {"cvHitNothing", "cvHitPoint", "cvHitLine", "cvHitMark", "cvHitCandleStick", "cvHitRectangle", "cvHitPolygon", "cvHitLegendEntry"})
    kinds.append(py::make_tuple(name, kinds.size()));
  py::object hitKind = py::module_::import("enum").attr("IntEnum")("CorvaneHitKind", kinds, py::arg("module") = "corvane");
  hitKind.attr("__doc__") = "What a hit test found, as the type library names it.";
  m.attr("CorvaneHitKind") = hitKind;

  py::class_<Hit>(m, "Hit", "One answer of HitTest, with the properties of ICorvaneHit.")
      .def_property_readonly("Kind", [hitKind](const Hit& h) { return hitKind(static_cast<int>(h.Kind)); }, "What was found (a CorvaneHitKind); cvHitNothing (0) when nothing lies within the radius.")
      .def_readonly("Plot", &Hit::Plot, "The plot (1..8) of a point or a line; 0 for every other kind.")
      .def_readonly("Index", &Hit::Index, "The 1-based point, record or legend entry; 0 on a fitted curve.")
      .def_readonly("X", &Hit::X, "The world x of what was hit.")
      .def_readonly("Y", &Hit::Y, "The world y of what was hit.")
      .def_readonly("Distance", &Hit::Distance, "How far in pixels the position lies from what was hit (0 inside an area).");

  py::class_<Chart> chart(m, "Chart", "One chart: the members of ICorvaneEx, ICorvaneEx2 and ICorvaneEx3 under their names, drawn by the portable raster. Colours are 0x00BBGGRR ints, indices 1-based (an index outside 1..count is ignored and a getter answers 0); a failed call raises corvane.Error and changes nothing.");
  // clang-format off
  chart.def(py::init<std::int32_t, std::int32_t>(), arg("width"), arg("height"), "A chart of width x height pixels with every default of a new COM object.")
      .def("__repr__", &Repr)
      // ---- ICorvaneEx: the chart and its picture ----
      .def("SaveToFile", [](Chart& c, py::handle path) { c.SaveToFile(FileName(path)); }, arg("file_name"), "Writes the picture as a 24-bit BMP file, replaced whole or not at all.")
      .def_property("hWnd", &Chart::hWnd, &Chart::set_hWnd, "The host window Show paints into. The library has no windows: any value is stored, and Show paints nothing.")
      .def("SetSize", &Chart::SetSize, arg("width"), arg("height"), "Sets the picture's size in pixels and lays the chart out again; 0 or below makes every render fail with E_INVALIDARG.")
      .def_property_readonly("Width", &Chart::Width, "The width last given to SetSize.")
      .def_property_readonly("Height", &Chart::Height, "The height last given to SetSize.")
      .def("Show", &Chart::Show, "Paints the chart into the window hWnd names; no handle names a window in the library, so it paints nothing.")
      .def("Dispose", &Chart::Dispose, "Empties the data (points of the active plots, labels, overlays, marks, candlesticks, legend rows) and keeps every setting; plotsCount becomes 0.")
      // ---- the x range ----
      .def("ScrollLeft", &Chart::ScrollLeft, "Moves the x range one unit left while the first user label shown is not the first.")
      .def("ScrollRight", &Chart::ScrollRight, "Moves the x range one unit right while a user label lies beyond the last one shown.")
      .def("SetSegment", &Chart::SetSegment, arg("a"), arg("b"), "Shows x from a to b; the vertical range follows the data.")
      // ---- text and axes ----
      .def_property("caption", &Chart::caption, &Chart::set_caption, "The caption centred at the top (default 'Corvane Version 1.1').")
      .def_property("captionVisible", &Chart::captionVisible, &Chart::set_captionVisible, "Whether the caption is drawn; hiding it moves the plot area up.")
      .def_property("arrowR", &Chart::arrowR, &Chart::set_arrowR, "Half the width of the arrow heads' base in pixels (default 4).")
      .def_property("arrowH", &Chart::arrowH, &Chart::set_arrowH, "The length of the arrow heads in pixels (default 12).")
      .def_property("arrowLineWidth", &Chart::arrowLineWidth, &Chart::set_arrowLineWidth, "The pen width of both axis arrows (default 2; values outside 1..15 are ignored).")
      .def_property("arrowVisible", &Chart::arrowVisible, &Chart::set_arrowVisible, "Whether the axis arrows and their captions are drawn.")
      .def_property("arrowCaptionX", &Chart::arrowCaptionX, &Chart::set_arrowCaptionX, "The caption at the tip of the horizontal axis.")
      .def_property("arrowCaptionY", &Chart::arrowCaptionY, &Chart::set_arrowCaptionY, "The caption at the tip of the vertical axis.")
      // ---- plots and fits ----
      .def("SetPlotVisible", &Chart::SetPlotVisible, arg("index"), arg("visible"), "Shows or hides plot index (1..8); a hidden plot still shapes the vertical range.")
      .def("GetPlotVisible", &Chart::GetPlotVisible, arg("index"), "Whether plot index is shown.")
      .def("SetSimplePlot", &Chart::SetSimplePlot, arg("index"), "Draws plot index as a polyline through its points.")
      .def("SetLinearApproximate", &Chart::SetLinearApproximate, arg("index"), "Draws plot index as its least-squares line y = A*x + B (the default mode).")
      .def("SetSquareApproximate", &Chart::SetSquareApproximate, arg("index"), "Draws plot index as its least-squares parabola y = A*x**2 + B*x + C.")
      .def("AddPointToPlot", &Chart::AddPointToPlot, arg("index"), arg("x"), arg("y"), "Appends the point (x, y) to plot index.")
      .def("DisposePlot", &Chart::DisposePlot, arg("index"), "Removes every point of plot index; its settings stay.")
      .def("SetPlotColor", &Chart::SetPlotColor, arg("index"), arg("color"), "The colour of plot index's line (0x00BBGGRR; default red 0x0000FF).")
      .def("GetPlotColor", &Chart::GetPlotColor, arg("index"), "The colour of plot index's line.")
      .def("SetPointVisible", &Chart::SetPointVisible, arg("index"), arg("visible"), "Whether plot index draws a 4 x 4 marker on each point.")
      .def("GetPointVisible", &Chart::GetPointVisible, arg("index"), "Whether plot index draws markers.")
      .def("SetPlotWidth", &Chart::SetPlotWidth, arg("index"), arg("width"), "The pen width of plot index in pixels (default 2; drawn 1 outside 1..15).")
      .def("GetPlotWidth", &Chart::GetPlotWidth, arg("index"), "The pen width of plot index as stored.")
      .def("AddPointToPlot2", &Chart::AddPointToPlot2, arg("index"), arg("y"), "Appends a point whose x is the plot's point count before the call plus 1.")
      .def("SetPointColor", &Chart::SetPointColor, arg("index"), arg("color"), "The colour of plot index's markers (default black).")
      .def("GetPointColor", &Chart::GetPointColor, arg("index"), "The colour of plot index's markers.")
      .def_property("plotsCount", &Chart::plotsCount, &Chart::set_plotsCount, "How many plots, from plot 1, take part (default 0; values outside 1..8 are ignored).")
      .def("GetA", &Chart::GetA, arg("index"), "The fit's first coefficient (slope, or the x**2 factor), cut to gridDigitsAfterPoint decimals.")
      .def("GetB", &Chart::GetB, arg("index"), "The fit's second coefficient (intercept, or the x factor), cut as GetA.")
      .def("GetC", &Chart::GetC, arg("index"), "The parabola's constant in square mode, cut as GetA.")
      // ---- grid ----
      .def("AddLabelToGrid", &Chart::AddLabelToGrid, arg("label"), "Appends a user label of the user-type grid: label k belongs to x = k.")
      .def("SetDefaultGrid", &Chart::SetDefaultGrid, "Chooses the default grid: value lines at even steps with their values.")
      .def("SetUserTypeGrid", &Chart::SetUserTypeGrid, "Chooses the user-type grid: one line per user label of the x range.")
      .def_property_readonly("isDefaultGrid", &Chart::isDefaultGrid, "Whether the default grid is chosen.")
      .def_property_readonly("isUserTypeGrid", &Chart::isUserTypeGrid, "Whether the user-type grid is chosen.")
      .def_property("gridVisible", &Chart::gridVisible, &Chart::set_gridVisible, "Which grid lines are drawn: 0 both (default), 1 horizontal, 2 vertical, anything else none.")
      .def_property("gridVerticalLines", &Chart::gridVerticalLines, &Chart::set_gridVerticalLines, "Steps across the plot area's width for the vertical value lines (default 4).")
      .def_property("gridHorizontalLines", &Chart::gridHorizontalLines, &Chart::set_gridHorizontalLines, "Steps across the plot area's height for the horizontal value lines (default 6).")
      .def_property("gridDigitsAfterPoint", &Chart::gridDigitsAfterPoint, &Chart::set_gridDigitsAfterPoint, "Decimals of the grid and mark values and the cut of GetA, GetB and GetC (default 2).")
      // ---- polygons, marks, rectangles, lines, candlesticks ----
      .def_property("polygonsCount", &Chart::polygonsCount, &Chart::set_polygonsCount, "Setting it removes every polygon and makes that many empty ones.")
      .def("AddPointToPolygon", &Chart::AddPointToPolygon, arg("index"), arg("x"), arg("y"), "Appends a vertex to polygon index.")
      .def("SetPolygonProperties", &Chart::SetPolygonProperties, arg("index"), arg("color"), arg("transparency"), "The fill colour and opacity of polygon index (1 opaque, 0 invisible); turns its border off.")
      .def("SetPolygonProperties2", &Chart::SetPolygonProperties2, arg("index"), arg("color"), arg("transparency"), arg("border_width"), arg("border_style"), arg("border_color"), "As SetPolygonProperties, with a border of a width, dash style (0..4) and colour.")
      .def("SetPolygonVisible", &Chart::SetPolygonVisible, arg("index"), arg("visible"), "Shows or hides polygon index.")
      .def("GetPolygonVisible", &Chart::GetPolygonVisible, arg("index"), "Whether polygon index is shown.")
      .def("AddMark", &Chart::AddMark, arg("x"), arg("y"), "Marks the point (x, y) with guide lines and its values boxed on the axes.")
      .def("AddMark2", &Chart::AddMark2, arg("x"), arg("y"), arg("label"), "As AddMark, with label at the bottom instead of the x value.")
      .def("RemoveAllMarks", &Chart::RemoveAllMarks, "Removes every mark.")
      .def("SetMarkVisible", &Chart::SetMarkVisible, arg("index"), arg("visible"), "Shows or hides mark index.")
      .def("GetMarkVisible", &Chart::GetMarkVisible, arg("index"), "Whether mark index is shown.")
      .def("AddRectangle", &Chart::AddRectangle, arg("l"), arg("t"), arg("r"), arg("b"), arg("bk_color"), arg("transparency"), "Appends a filled rectangle from x = l to r and y = t (top) down to b.")
      .def("AddRectangle2", &Chart::AddRectangle2, arg("l"), arg("t"), arg("r"), arg("b"), arg("bk_color"), arg("transparency"), arg("border_width"), arg("border_style"), arg("border_color"), "As AddRectangle, with a border of a width, dash style (0..4) and colour.")
      .def("RemoveAllRectangles", &Chart::RemoveAllRectangles, "Removes every rectangle.")
      .def("SetRectVisible", &Chart::SetRectVisible, arg("index"), arg("visible"), "Shows or hides rectangle index.")
      .def("GetRectVisible", &Chart::GetRectVisible, arg("index"), "Whether rectangle index is shown.")
      .def("AddLine", &Chart::AddLine, arg("x1"), arg("y1"), arg("x2"), arg("y2"), arg("width"), arg("style"), arg("color"), "Appends a line from (x1, y1) to (x2, y2) with a pen width (1..15), dash style (0..4) and colour.")
      .def("RemoveAllLines", &Chart::RemoveAllLines, "Removes every line.")
      .def("SetLineVisible", &Chart::SetLineVisible, arg("index"), arg("visible"), "Shows or hides line index.")
      .def("GetLineVisible", &Chart::GetLineVisible, arg("index"), "Whether line index is shown.")
      .def("AddCandleStick", &Chart::AddCandleStick, arg("x"), arg("open"), arg("close"), arg("high"), arg("low"), "Appends a candlestick over the x unit from x to x + 1.")
      .def("RemoveAllCandleSticks", &Chart::RemoveAllCandleSticks, "Removes every candlestick.")
      .def_property("candlesticsVisible", &Chart::candlesticsVisible, &Chart::set_candlesticsVisible, "Whether the candlesticks are drawn (the name is spelt as published).")
      // ---- presets and legend ----
      .def_property("preset", &Chart::preset, &Chart::set_preset, "The colour preset, 1..21 (any other value chooses 1).")
      .def_property_readonly("presetName", &Chart::presetName, "The name of the current preset.")
      .def_property_readonly("presetCount", &Chart::presetCount, "The number of presets (21).")
      .def("AddLabelToLegend", &Chart::AddLabelToLegend, arg("color"), arg("label"), "Appends a legend row: a square of color and the label.")
      .def_property("legendVisible", &Chart::legendVisible, &Chart::set_legendVisible, "Whether the legend is drawn.")
      .def_property("legendPosition", &Chart::legendPosition, &Chart::set_legendPosition, "The plot area's corner of the legend: 0 top left, 1 top right, 2 bottom right, else bottom left.")
      // ---- ICorvaneEx2 ----
      .def("AddPointsToPlot", &AddPoints, arg("plot"), arg("x"), arg("y"), "Appends the points (x[i], y[i]) to plot in one call, all or none. x and y are one-dimensional arrays of real numbers of one length (NumPy arrays, lists); float64 C-contiguous arrays are read in place.")
      .def("AddPointsToPlot2", &AddPoints2, arg("plot"), arg("y"), "Appends the values y to plot, the x values numbering on from the points already stored; arrays as for AddPointsToPlot.")
      .def("PointCount", &Chart::PointCount, arg("plot"), "The number of points stored in plot (0 outside 1..8).")
      .def("SaveToPng", [](Chart& c, py::handle path) { c.SaveToPng(FileName(path)); }, arg("file_name"), "Writes the picture as an 8-bit RGB PNG file, replaced whole or not at all.")
      .def_property_readonly("Picture", &Chart::Picture, "The picture as a Dib (24-bit rows, bottom row first), rendered afresh.")
      .def("DrawTo", &DrawToBuffer, arg("buffer"), arg("x") = 0, arg("y") = 0, "Paints the chart into a writable (height, width, 4) uint8 buffer as the bytes B, G, R, 255, its top-left corner at (x, y); what falls outside is left out, the rest untouched.")
      // ---- ICorvaneEx3: what the picture says back (laid out first when stale) ----
      .def_property_readonly("WorldXMin", &Chart::WorldXMin, "The left end of the world window the next render draws with.")
      .def_property_readonly("WorldXMax", &Chart::WorldXMax, "The right end of the world window.")
      .def_property_readonly("WorldYMin", &Chart::WorldYMin, "The bottom of the vertical range the layout chose from the data.")
      .def_property_readonly("WorldYMax", &Chart::WorldYMax, "The top of the vertical range.")
      .def_property_readonly("PlotAreaLeft", &Chart::PlotAreaLeft, "The plot area's left edge in pixels; E_INVALIDARG while the picture has no size.")
      .def_property_readonly("PlotAreaTop", &Chart::PlotAreaTop, "The plot area's top edge in pixels.")
      .def_property_readonly("PlotAreaRight", &Chart::PlotAreaRight, "The plot area's right edge in pixels (the first column right of it).")
      .def_property_readonly("PlotAreaBottom", &Chart::PlotAreaBottom, "The plot area's bottom edge in pixels (the first row below it).")
      .def("WorldToPixelX", &Chart::WorldToPixelX, arg("x"), "The device x of world x, unrounded; E_INVALIDARG where no number results.")
      .def("WorldToPixelY", &Chart::WorldToPixelY, arg("y"), "The device y of world y, unrounded, growing downwards.")
      .def("PixelToWorldX", &Chart::PixelToWorldX, arg("px"), "The world x a device x stands for.")
      .def("PixelToWorldY", &Chart::PixelToWorldY, arg("py"), "The world y a device y stands for.")
      .def("PointX", &Chart::PointX, arg("plot"), arg("index"), "The x of point index (1..PointCount(plot)) of plot, as stored; E_INVALIDARG outside those ranges.")
      .def("PointY", &Chart::PointY, arg("plot"), arg("index"), "The y of point index of plot, as stored.")
      .def("HitTest", &Chart::HitTest, arg("x"), arg("y"), arg("radius"), "What the next render paints within radius pixels of the device position (x, y), the topmost first, as a Hit.")
      .def("PlotCapacity", &Chart::PlotCapacity, arg("plot"), "The most points plot keeps: 0 (the default) keeps every point, n > 0 the newest n.")
      .def("set_PlotCapacity", &Chart::set_PlotCapacity, arg("plot"), arg("capacity"), "Keeps at most capacity points of plot (0: all), dropping the oldest at once and as points arrive; E_INVALIDARG when negative.")
      .def_property("XAxisType", &Chart::XAxisType, &Chart::set_XAxisType, "The horizontal axis: 0 the grid's even division (default), 1 round ticks, 2 automation dates, 3 Unix seconds, 4 logarithmic.")
      .def_property("YAxisType", &Chart::YAxisType, &Chart::set_YAxisType, "The vertical axis: 0 the grid's even division (default), 1 round ticks, 2 automation dates, 3 Unix seconds, 4 logarithmic.")
      .def_property("XLabelFormat", &Chart::XLabelFormat, &Chart::set_XLabelFormat, "The format code of the horizontal axis's labels ('' chooses one from the step).")
      .def_property("YLabelFormat", &Chart::YLabelFormat, &Chart::set_YLabelFormat, "The format code of the vertical axis's labels ('' chooses one from the step).")
      .def("FitSegmentToData", &Chart::FitSegmentToData, "Sets the horizontal window to the least and greatest X of the visible plots' points (widened to whole ticks on axes of types 1 to 4).")
      .def("TickCount", &Chart::TickCount, arg("axis"), "The number of major ticks of axis 0 (x) or 1 (y) in the layout.")
      .def("TickValue", &Chart::TickValue, arg("axis"), arg("index"), "The value of major tick index (1..TickCount) of axis 0 or 1.")
      .def("TickLabel", &Chart::TickLabel, arg("axis"), arg("index"), "The label text of major tick index (1..TickCount) of axis 0 or 1.")
      .def_property("Antialias", &Chart::Antialias, &Chart::set_Antialias, "Whether pictures draw lines, wide pens and slanted shapes antialiased (exact pixel coverage); False draws the aliased pixels.")
      .def("SaveToSvg", [](Chart& c, py::handle path) { c.SaveToSvg(FileName(path)); }, arg("file_name"), "Writes the chart as an SVG 1.1 file of vector elements, replaced whole or not at all.")
      .def_property("PixelScale", &Chart::PixelScale, &Chart::set_PixelScale, "Device pixels per pixel of the chart's fixed lengths (margins, fonts, pens, markers), 1 to 4; the size stays in device pixels.")
      // ---- the Python ways out ----
      .def("to_numpy", &ToNumpy, "The picture as a (height, width, 4) uint8 array of R, G, B, 255, top row first.")
      .def("to_png", &ToPngBytes, "The bytes of the PNG file SaveToPng would write.")
      .def("save_png", [](Chart& c, py::handle path) { c.SaveToPng(FileName(path)); }, arg("path"), "SaveToPng for a str, bytes or os.PathLike path.")
      .def("to_svg", &Chart::ToSvg, "The text of the SVG file SaveToSvg would write.")
      .def("save_svg", [](Chart& c, py::handle path) { c.SaveToSvg(FileName(path)); }, arg("path"), "SaveToSvg for a str, bytes or os.PathLike path.")
      .def("save_bmp", [](Chart& c, py::handle path) { c.SaveToFile(FileName(path)); }, arg("path"), "SaveToFile for a str, bytes or os.PathLike path.")
      .def("_repr_png_", &ReprPng, "The PNG IPython and Jupyter show; None for a chart of no size.");
  // clang-format on
}

}  // namespace corvane::python
