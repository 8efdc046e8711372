// corvane::Chart: one chart of Corvane's portable engine, drawn by its software raster with
// the pixels the Windows component draws through GDI.
//
// Its members are those of the COM interfaces ICorvaneEx, ICorvaneEx2 and ICorvaneEx3 under
// the same names, with the types a C++ program on Linux uses: a method keeps its name
// (chart.SetSize(400, 300)); a property P reads as P() and writes as set_P(value)
// (chart.caption(), chart.set_caption("Sales")). docs/reference.md describes every member.
//   - Strings are UTF-8 and end at their first null character. File names are UTF-8 paths.
//   - Booleans are bool. Colours are 0x00BBGGRR values, as OLE_COLOR and RGB(r, g, b).
//   - Indices are 1-based; an index outside 1..count is ignored, and a getter then answers 0.
//   - A call that fails throws corvane::Error carrying the HRESULT the COM object would
//     return, and changes nothing the chart stores. Memory running short throws Error with
//     E_OUTOFMEMORY.
// A chart is used by one thread at a time; different charts may be used on different threads
// at once. Const members only read; the read-back members of ICorvaneEx3 lay the chart out
// first when a change has made the layout stale, so they are not const.
//
// Not here: CopyToClipboard (the library has no clipboard; use ToPng or SaveToPng). hWnd and
// Show are kept for code written against the COM object: no handle names a window in the
// library, so Show paints nothing, as it paints nothing on Windows without a window.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "corvane/error.h"
#include "corvane/export.h"

namespace corvane {

// 0x00BBGGRR: red in the low byte.
using Color = std::uint32_t;

// The picture as a device-independent bitmap: `height` rows of `stride` bytes, bottom row
// first, each pixel the bytes B, G, R, every row padded with zeros to a multiple of 4 -- the
// pixel block of the BMP file SaveToFile writes.
struct Dib {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::size_t stride = 0;
  std::vector<std::uint8_t> bits;
};

// What a hit test found: the type library's CorvaneHitKind.
enum class CorvaneHitKind : std::int32_t {
  cvHitNothing = 0,
  cvHitPoint = 1,
  cvHitLine = 2,
  cvHitMark = 3,
  cvHitCandleStick = 4,
  cvHitRectangle = 5,
  cvHitPolygon = 6,
  cvHitLegendEntry = 7,
};

// One answer of HitTest, with the properties of the COM object's ICorvaneHit.
struct Hit {
  CorvaneHitKind Kind = CorvaneHitKind::cvHitNothing;
  std::int32_t Plot = 0;   // 1..8 for a point or a line, else 0
  std::int32_t Index = 0;  // the 1-based point, record or legend entry; 0 on a fitted curve
  double X = 0;            // world position of what was hit
  double Y = 0;
  double Distance = 0;     // in pixels, 0 inside an area
};

// The version of the library the program runs with ("1.1.0.1"); CORVANE_VERSION_STRING in
// corvane/version.h is the version of the headers it was built with.
CORVANE_API const char* LibraryVersion() noexcept;

namespace detail {
struct ChartImpl;
}

class CORVANE_API Chart {
 public:
  // A chart of 0 x 0 pixels with every default of a new COM object.
  Chart();
  // The same, then SetSize(width, height).
  Chart(std::int32_t width, std::int32_t height);
  ~Chart();
  // A chart moved from answers every call with Error(E_POINTER).
  Chart(Chart&& other) noexcept;
  Chart& operator=(Chart&& other) noexcept;
  Chart(const Chart&) = delete;
  Chart& operator=(const Chart&) = delete;

  // ---- ICorvaneEx: the chart and its picture ------------------------------------------------
  void SaveToFile(const std::string& fileName);  // a 24-bit BMP file
  std::int32_t hWnd() const;
  void set_hWnd(std::int32_t hwnd);
  void SetSize(std::int32_t width, std::int32_t height);
  std::int32_t Width() const;
  std::int32_t Height() const;
  void Show();
  void Dispose();
  // ---- the x range ----
  void ScrollLeft();
  void ScrollRight();
  void SetSegment(double a, double b);
  // ---- text and axes ----
  std::string caption() const;
  void set_caption(const std::string& text);
  bool captionVisible() const;
  void set_captionVisible(bool visible);
  std::int32_t arrowR() const;
  void set_arrowR(std::int32_t r);
  std::int32_t arrowH() const;
  void set_arrowH(std::int32_t h);
  std::int32_t arrowLineWidth() const;
  void set_arrowLineWidth(std::int32_t width);
  bool arrowVisible() const;
  void set_arrowVisible(bool visible);
  std::string arrowCaptionX() const;
  void set_arrowCaptionX(const std::string& text);
  std::string arrowCaptionY() const;
  void set_arrowCaptionY(const std::string& text);
  // ---- plots and fits ----
  void SetPlotVisible(std::int32_t index, bool visible);
  bool GetPlotVisible(std::int32_t index) const;
  void SetSimplePlot(std::int32_t index);
  void SetLinearApproximate(std::int32_t index);
  void SetSquareApproximate(std::int32_t index);
  void AddPointToPlot(std::int32_t index, double x, double y);
  void DisposePlot(std::int32_t index);
  void SetPlotColor(std::int32_t index, Color color);
  Color GetPlotColor(std::int32_t index) const;
  void SetPointVisible(std::int32_t index, bool visible);
  bool GetPointVisible(std::int32_t index) const;
  void SetPlotWidth(std::int32_t index, std::int32_t width);
  std::int32_t GetPlotWidth(std::int32_t index) const;
  void AddPointToPlot2(std::int32_t index, double y);
  void SetPointColor(std::int32_t index, Color color);
  Color GetPointColor(std::int32_t index) const;
  std::int32_t plotsCount() const;
  void set_plotsCount(std::int32_t count);
  double GetA(std::int32_t index) const;
  double GetB(std::int32_t index) const;
  double GetC(std::int32_t index) const;
  // ---- grid ----
  void AddLabelToGrid(const std::string& label);
  void SetDefaultGrid();
  void SetUserTypeGrid();
  bool isDefaultGrid() const;
  bool isUserTypeGrid() const;
  std::int32_t gridVisible() const;
  void set_gridVisible(std::int32_t visible);
  std::int32_t gridVerticalLines() const;
  void set_gridVerticalLines(std::int32_t count);
  std::int32_t gridHorizontalLines() const;
  void set_gridHorizontalLines(std::int32_t count);
  std::int32_t gridDigitsAfterPoint() const;
  void set_gridDigitsAfterPoint(std::int32_t digits);
  // ---- polygons, marks, rectangles, lines, candlesticks ----
  std::int32_t polygonsCount() const;
  void set_polygonsCount(std::int32_t count);
  void AddPointToPolygon(std::int32_t index, double x, double y);
  void SetPolygonProperties(std::int32_t index, Color color, double transparency);
  void SetPolygonProperties2(std::int32_t index, Color color, double transparency,
                             std::int32_t borderWidth, std::int32_t borderStyle, Color borderColor);
  void SetPolygonVisible(std::int32_t index, bool visible);
  bool GetPolygonVisible(std::int32_t index) const;
  void AddMark(double x, double y);
  void AddMark2(double x, double y, const std::string& label);
  void RemoveAllMarks();
  void SetMarkVisible(std::int32_t index, bool visible);
  bool GetMarkVisible(std::int32_t index) const;
  void AddRectangle(double l, double t, double r, double b, Color bkColor, double transparency);
  void AddRectangle2(double l, double t, double r, double b, Color bkColor, double transparency,
                     std::int32_t borderWidth, std::int32_t borderStyle, Color borderColor);
  void RemoveAllRectangles();
  void SetRectVisible(std::int32_t index, bool visible);
  bool GetRectVisible(std::int32_t index) const;
  void AddLine(double x1, double y1, double x2, double y2, std::int32_t width, std::int32_t style,
               Color color);
  void RemoveAllLines();
  void SetLineVisible(std::int32_t index, bool visible);
  bool GetLineVisible(std::int32_t index) const;
  void AddCandleStick(double x, double open, double close, double high, double low);
  void RemoveAllCandleSticks();
  bool candlesticsVisible() const;
  void set_candlesticsVisible(bool visible);
  // ---- presets and legend ----
  std::int32_t preset() const;
  void set_preset(std::int32_t preset);
  std::string presetName() const;
  std::int32_t presetCount() const;
  void AddLabelToLegend(Color color, const std::string& label);
  bool legendVisible() const;
  void set_legendVisible(bool visible);
  std::int32_t legendPosition() const;
  void set_legendPosition(std::int32_t position);

  // ---- ICorvaneEx2 ----------------------------------------------------------------------------
  // The points (x[i], y[i]), i < count, in order, as count AddPointToPlot calls; all or none.
  void AddPointsToPlot(std::int32_t plot, const double* x, const double* y, std::size_t count);
  // As count AddPointToPlot2 calls: the X values number on from the points already stored.
  void AddPointsToPlot2(std::int32_t plot, const double* y, std::size_t count);
  std::int32_t PointCount(std::int32_t plot) const;
  void SaveToPng(const std::string& fileName);  // an 8-bit RGB PNG file
  Dib Picture();
  // Renders into a caller's buffer of bufferHeight rows, top row first, strideBytes apart,
  // of bufferWidth pixels stored as the bytes B, G, R, 255 (a cairo RGB24 surface, a QImage
  // RGB32); the chart's top-left corner goes to (x, y) and what falls outside is left out.
  void DrawTo(void* pixels, std::int32_t bufferWidth, std::int32_t bufferHeight,
              std::ptrdiff_t strideBytes, std::int32_t x = 0, std::int32_t y = 0);

  // ---- ICorvaneEx3: what the picture says back ----------------------------------------------
  double WorldXMin();
  double WorldXMax();
  double WorldYMin();
  double WorldYMax();
  std::int32_t PlotAreaLeft();
  std::int32_t PlotAreaTop();
  std::int32_t PlotAreaRight();
  std::int32_t PlotAreaBottom();
  double WorldToPixelX(double x);
  double WorldToPixelY(double y);
  double PixelToWorldX(double px);
  double PixelToWorldY(double py);
  double PointX(std::int32_t plot, std::int32_t index) const;
  double PointY(std::int32_t plot, std::int32_t index) const;
  Hit HitTest(double x, double y, double radius);
  // The most points a plot keeps (0: all); set_PlotCapacity drops the oldest beyond it.
  std::int32_t PlotCapacity(std::int32_t plot) const;
  void set_PlotCapacity(std::int32_t plot, std::int32_t capacity);
  // Axis types: 0 the grid's even division, 1 round ticks, 2 automation dates (days since
  // 1899-12-30), 3 Unix seconds, 4 logarithmic; label format codes ("" by the step).
  std::int32_t XAxisType() const;
  void set_XAxisType(std::int32_t type);
  std::int32_t YAxisType() const;
  void set_YAxisType(std::int32_t type);
  std::string XLabelFormat() const;
  void set_XLabelFormat(const std::string& code);
  std::string YLabelFormat() const;
  void set_YLabelFormat(const std::string& code);
  // The horizontal window from the least to the greatest X of the visible plots.
  void FitSegmentToData();
  // The major ticks of the layout on axis 0 (x) or 1 (y), index 1..TickCount(axis).
  std::int32_t TickCount(std::int32_t axis);
  double TickValue(std::int32_t axis, std::int32_t index);
  std::string TickLabel(std::int32_t axis, std::int32_t index);
  // Whether pictures draw their geometry antialiased (false by default: GDI's aliased pixels).
  bool Antialias() const;
  void set_Antialias(bool on);
  // The chart as an SVG 1.1 file: the picture's drawing as vector elements, replaced whole or
  // not at all.
  void SaveToSvg(const std::string& fileName);
  // Device pixels per pixel of the chart's fixed lengths, 1 to 4 (default 1); the size
  // stays in device pixels. Throws for a value outside 1..4 or NaN.
  double PixelScale() const;
  void set_PixelScale(double scale);

  // ---- beyond the interfaces ----------------------------------------------------------------
  // The bytes of the PNG file SaveToPng would write.
  std::vector<std::uint8_t> ToPng();
  // The UTF-8 text of the SVG file SaveToSvg would write.
  std::string ToSvg();

 private:
  std::unique_ptr<detail::ChartImpl> impl_;  // null only in a chart moved from
};

}  // namespace corvane
