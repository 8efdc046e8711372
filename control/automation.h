// CorvaneAutomation: the semantics of every ICorvaneEx and ICorvaneEx2 member, free of COM
// types. The COM object forwards each vtable call here; native programs use it as the
// portable library's public API. Strings come in as UTF-16 (pointer may be null, length in
// code units as a BSTR carries it) and go out as std::u16string; booleans are 16-bit
// VARIANT_BOOL values (setter: nonzero is true; getter: -1 or 0).
//
// Every member returns kS_OK, except: E_POINTER for a null out-pointer, E_OUTOFMEMORY when a
// string cannot be allocated, SaveToFile's failures (see there) and those the members of
// ICorvaneEx2 list. Indices are 1-based; an index outside 1..count is ignored and a getter
// then writes 0.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control/bmp_export.h"
#include "control/chart_engine.h"
#include "control/chart_hit.h"
#include "platform/dc.h"
#include "platform/hresult.h"

namespace corvane {

struct AntialiasCells;

using VariantBool = std::int16_t;
constexpr VariantBool kVariantTrue = -1;
constexpr VariantBool kVariantFalse = 0;

// A rendered picture as a device-independent bitmap: `height` rows of BmpStride(width)
// bytes, bottom row first, each pixel the bytes B, G, R and every row padded with zeros to a
// multiple of 4 -- the pixel block of the BMP file SaveToFile writes, and of a CF_DIB.
struct DibPicture {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> bits;
};

class CorvaneAutomation {
 public:
  explicit CorvaneAutomation(GraphicsSystem& graphics);
  ~CorvaneAutomation();
  CorvaneAutomation(const CorvaneAutomation&) = delete;
  CorvaneAutomation& operator=(const CorvaneAutomation&) = delete;

  // Writes the picture as a 24-bit BMP. The file is written beside the target and renamed
  // over it, so an existing file is never left half-written. Returns E_INVALIDARG for a
  // width <= 0 or height <= 0 (no file), a failure HRESULT when the file cannot be
  // created or written, S_OK otherwise.
  HResult SaveToFile(const char16_t* fileName, std::uint32_t len);
  HResult get_hWnd(std::int32_t* pVal);
  HResult put_hWnd(std::int32_t v);
  HResult SetSize(std::int32_t w, std::int32_t h);
  HResult get_Width(std::int32_t* pVal);
  HResult get_Height(std::int32_t* pVal);
  HResult Show();
  HResult Dispose();
  HResult ScrollLeft();
  HResult ScrollRight();
  HResult get_caption(std::u16string* pVal);
  HResult put_caption(const char16_t* s, std::uint32_t len);
  HResult SetSegment(double a, double b);
  HResult get_captionVisible(VariantBool* pVal);
  HResult put_captionVisible(VariantBool v);
  HResult get_arrowR(std::int32_t* pVal);
  HResult put_arrowR(std::int32_t v);
  HResult get_arrowH(std::int32_t* pVal);
  HResult put_arrowH(std::int32_t v);
  HResult get_arrowLineWidth(std::int32_t* pVal);
  HResult put_arrowLineWidth(std::int32_t v);
  HResult get_arrowVisible(VariantBool* pVal);
  HResult put_arrowVisible(VariantBool v);
  HResult get_arrowCaptionX(std::u16string* pVal);
  HResult put_arrowCaptionX(const char16_t* s, std::uint32_t len);
  HResult get_arrowCaptionY(std::u16string* pVal);
  HResult put_arrowCaptionY(const char16_t* s, std::uint32_t len);
  HResult SetPlotVisible(std::int32_t index, VariantBool v);
  HResult GetPlotVisible(std::int32_t index, VariantBool* v);
  HResult SetSimplePlot(std::int32_t index);
  HResult SetLinearApproximate(std::int32_t index);
  HResult SetSquareApproximate(std::int32_t index);
  HResult AddPointToPlot(std::int32_t index, double x, double y);
  HResult DisposePlot(std::int32_t index);
  HResult SetPlotColor(std::int32_t index, Color c);
  HResult GetPlotColor(std::int32_t index, Color* c);
  HResult SetPointVisible(std::int32_t index, VariantBool v);
  HResult GetPointVisible(std::int32_t index, VariantBool* v);
  HResult SetPlotWidth(std::int32_t index, std::int32_t w);
  HResult GetPlotWidth(std::int32_t index, std::int32_t* w);
  HResult AddPointToPlot2(std::int32_t index, double y);
  HResult SetPointColor(std::int32_t index, Color c);
  HResult GetPointColor(std::int32_t index, Color* c);
  HResult get_plotsCount(std::int32_t* pVal);
  HResult put_plotsCount(std::int32_t v);
  HResult GetA(std::int32_t index, double* val);
  HResult GetB(std::int32_t index, double* val);
  HResult GetC(std::int32_t index, double* val);
  HResult AddLabelToGrid(const char16_t* s, std::uint32_t len);
  HResult SetDefaultGrid();
  HResult SetUserTypeGrid();
  HResult get_isDefaultGrid(VariantBool* pVal);
  HResult get_isUserTypeGrid(VariantBool* pVal);
  HResult get_gridVisible(std::int32_t* pVal);
  HResult put_gridVisible(std::int32_t v);
  HResult get_gridVerticalLines(std::int32_t* pVal);
  HResult put_gridVerticalLines(std::int32_t v);
  HResult get_gridHorizontalLines(std::int32_t* pVal);
  HResult put_gridHorizontalLines(std::int32_t v);
  HResult get_gridDigitsAfterPoint(std::int32_t* pVal);
  HResult put_gridDigitsAfterPoint(std::int32_t v);
  HResult get_polygonsCount(std::int32_t* pVal);
  HResult put_polygonsCount(std::int32_t n);
  HResult AddPointToPolygon(std::int32_t index, double x, double y);
  HResult SetPolygonProperties(std::int32_t index, Color c, double transparency);
  HResult SetPolygonProperties2(std::int32_t index, Color c, double transparency,
                                std::int32_t borderWidth, std::int32_t borderStyle,
                                Color borderColor);
  HResult SetPolygonVisible(std::int32_t index, VariantBool v);
  HResult GetPolygonVisible(std::int32_t index, VariantBool* v);
  HResult AddMark(double x, double y);
  HResult AddMark2(double x, double y, const char16_t* label, std::uint32_t len);
  HResult RemoveAllMarks();
  HResult SetMarkVisible(std::int32_t index, VariantBool v);
  HResult GetMarkVisible(std::int32_t index, VariantBool* v);
  HResult AddRectangle(double l, double t, double r, double b, Color bkColor, double transparency);
  HResult AddRectangle2(double l, double t, double r, double b, Color bkColor, double transparency,
                        std::int32_t borderWidth, std::int32_t borderStyle, Color borderColor);
  HResult RemoveAllRectangles();
  HResult SetRectVisible(std::int32_t index, VariantBool v);
  HResult GetRectVisible(std::int32_t index, VariantBool* v);
  HResult AddLine(double x1, double y1, double x2, double y2, std::int32_t width,
                  std::int32_t style, Color color);
  HResult RemoveAllLines();
  HResult SetLineVisible(std::int32_t index, VariantBool v);
  HResult GetLineVisible(std::int32_t index, VariantBool* v);
  HResult AddCandleStick(double x, double open, double close, double high, double low);
  HResult RemoveAllCandleSticks();
  HResult get_candlesticsVisible(VariantBool* pVal);
  HResult put_candlesticsVisible(VariantBool v);
  HResult get_preset(std::int32_t* pVal);
  HResult put_preset(std::int32_t p);
  HResult get_presetName(std::u16string* pVal);
  HResult get_presetCount(std::int32_t* pVal);
  HResult AddLabelToLegend(Color c, const char16_t* label, std::uint32_t len);
  HResult get_legendVisible(VariantBool* pVal);
  HResult put_legendVisible(VariantBool v);
  HResult get_legendPosition(std::int32_t* pVal);
  HResult put_legendPosition(std::int32_t v);

  // ---- The members of ICorvaneEx2 ----------------------------------------------------------
  // Each is fully defined for any argument. A failed call adds no point and leaves every
  // file and buffer as it was; only a rendering that got as far as the picture bitmap
  // replaces it, as a failed SaveToFile does.

  // Adds the points (x[i], y[i]), i < count, to plot `index` in order, exactly as count
  // AddPointToPlot calls would. All or nothing: E_POINTER when x or y is null and count > 0;
  // E_OUTOFMEMORY when the plot cannot hold them all; no point is added then. count 0 adds
  // nothing and succeeds. An index outside 1..8 is ignored (S_OK), as AddPointToPlot ignores it.
  HResult AddPointsToPlot(std::int32_t index, const double* x, const double* y, std::size_t count);
  // As count AddPointToPlot2 calls: the X values number on from the points already stored.
  HResult AddPointsToPlot2(std::int32_t index, const double* y, std::size_t count);
  // The number of points stored in plot `index`; 0 outside 1..8.
  HResult get_PointCount(std::int32_t index, std::int32_t* pVal);
  // The most points plot `index` keeps: 0 (the default) keeps every point; n > 0 keeps the
  // newest n, an append beyond them dropping the oldest, and lowering it drops the oldest at
  // once. E_INVALIDARG for a plot outside 1..8 or a negative capacity (nothing changes).
  HResult get_PlotCapacity(std::int32_t index, std::int32_t* pVal);
  HResult put_PlotCapacity(std::int32_t index, std::int32_t n);
  // The picture SaveToFile would write, as an 8-bit RGB PNG, with SaveToFile's rules: the
  // file is replaced whole or not at all; E_INVALIDARG for an empty name or a width or height
  // <= 0; E_OUTOFMEMORY when no picture of this size can be made; the encoder's or the file
  // system's failure otherwise. On Windows the encoder is WIC, so the calling thread must
  // have initialised COM (as every caller of the COM object has).
  HResult SaveToPng(const char16_t* fileName, std::uint32_t len);
  // The picture SaveToFile would write, with SaveToFile's failures (E_POINTER for null).
  HResult get_Picture(DibPicture* pVal);
  // Renders the picture SaveToFile would write into a caller's 32-bit buffer: bufferHeight
  // rows, top row first, strideBytes apart, of bufferWidth pixels stored as the bytes B, G,
  // R, 255 (a QImage RGB32, a cairo RGB24 surface, an SDL ARGB8888 surface). The chart's
  // top-left corner goes to (x, y); what falls outside the buffer is left out, the rest of the
  // buffer is untouched. E_INVALIDARG for a negative buffer size or a stride shorter than a
  // row, E_POINTER for a null buffer of nonzero size, SaveToFile's failures otherwise.
  HResult DrawTo(void* pixels, std::int32_t bufferWidth, std::int32_t bufferHeight,
                 std::ptrdiff_t strideBytes, std::int32_t x, std::int32_t y);

  // ---- The members of ICorvaneEx3 ----------------------------------------------------------
  // Read-back: each reads the layout the next render draws with, running the layout pass
  // first when it is stale (nothing is drawn; that render then does not lay out again). A
  // refused call lays nothing out. E_POINTER for a null out-pointer.

  // The world window: x from SetSegment and scrolling (or the range the layout chose), y
  // from the layout's scan of the data.
  HResult get_WorldXMin(double* pVal);
  HResult get_WorldXMax(double* pVal);
  HResult get_WorldYMin(double* pVal);
  HResult get_WorldYMax(double* pVal);
  // The plot rectangle in device pixels (right and bottom exclusive, as GDI's). E_INVALIDARG
  // while the picture has no size (width or height <= 0).
  HResult get_PlotAreaLeft(std::int32_t* pVal);
  HResult get_PlotAreaTop(std::int32_t* pVal);
  HResult get_PlotAreaRight(std::int32_t* pVal);
  HResult get_PlotAreaBottom(std::int32_t* pVal);
  // The mapping every drawer uses, unrounded (truncation gives the pixel), and its inverse.
  // E_INVALIDARG for a NaN or infinite argument, a picture with no size, a window or plot
  // area that cannot be mapped (no width or height, a bound that is no number), or a result
  // that would not be a finite number: never a NaN.
  HResult WorldToPixelX(double x, double* px);
  HResult WorldToPixelY(double y, double* py);
  HResult PixelToWorldX(double px, double* x);
  HResult PixelToWorldY(double py, double* y);
  // Point `index` (1..PointCount(plot)) of plot `plot` (1..8) as stored; E_INVALIDARG outside
  // those ranges. Needs no layout.
  HResult get_PointX(std::int32_t plot, std::int32_t index, double* pVal);
  HResult get_PointY(std::int32_t plot, std::int32_t index, double* pVal);
  // What the next render paints within `radius` pixels of the device position (x, y), as
  // HitTestChart finds it (control/chart_hit.h). E_INVALIDARG for a NaN or infinite x or y,
  // or a radius outside 0..10,000 (NaN included); a picture with no size hits nothing.
  // E_OUTOFMEMORY when the texts cannot be measured. *hit is written only on success.
  HResult HitTest(double x, double y, double radius, ChartHit* hit);
  // Whether pictures draw their geometry antialiased: slanted lines, wide pens and slanted
  // shapes by the exact area they cover of each pixel, text and whole-pixel shapes as
  // before. False (the default) draws GDI's aliased pixels. E_POINTER for a null out-pointer.
  HResult get_Antialias(bool* pVal);
  HResult put_Antialias(bool v);
  // How many device pixels one pixel of the chart's fixed lengths takes, 1 to 4 (default 1):
  // margins, fonts, pens, dashes, arrow heads, markers, legend and label gaps grow by it
  // while the picture keeps its size in device pixels. E_INVALIDARG outside 1..4 or for NaN
  // (nothing changes); E_POINTER for a null out-pointer.
  HResult get_PixelScale(double* pVal);
  HResult put_PixelScale(double v);

  // Axes. The type of each axis: 0 the grid's own even division (the default), 1 linear
  // with round ticks, 2 dates in automation days (since 1899-12-30), 3 dates in Unix seconds,
  // 4 logarithmic, base 10; E_INVALIDARG for any other value (nothing changes). The
  // user-type grid keeps its own lines on the horizontal axis whatever its type.
  HResult get_XAxisType(std::int32_t* pVal);
  HResult put_XAxisType(std::int32_t type);
  HResult get_YAxisType(std::int32_t* pVal);
  HResult put_YAxisType(std::int32_t type);
  // The label format code of each axis ("" chooses one from the tick step); E_INVALIDARG
  // for a code that cannot be read (the previous one stays).
  HResult get_XLabelFormat(std::u16string* pVal);
  HResult put_XLabelFormat(const char16_t* s, std::uint32_t len);
  HResult get_YLabelFormat(std::u16string* pVal);
  HResult put_YLabelFormat(const char16_t* s, std::uint32_t len);
  // The horizontal window fitted to the X of the visible plots' points (see
  // CChartEngine::FitSegmentToData); with no such point nothing changes (S_OK).
  HResult FitSegmentToData();
  // The major ticks of the layout on axis 0 (x) or 1 (y), running the layout first when it
  // is stale: how many, and tick `index` (1..count) as a value and as its label text.
  // E_INVALIDARG for another axis or an index outside 1..count.
  HResult get_TickCount(std::int32_t axis, std::int32_t* pVal);
  HResult get_TickValue(std::int32_t axis, std::int32_t index, double* pVal);
  HResult get_TickLabel(std::int32_t axis, std::int32_t index, std::u16string* pVal);
  // The chart as an SVG 1.1 document (UTF-8): the drawing SaveToFile's picture shows, as
  // vector elements, measured as the picture is. SaveToSvg writes it with SaveToPng's rules:
  // the file is replaced whole or not at all; E_INVALIDARG for an empty name or a width or
  // height <= 0; E_OUTOFMEMORY when memory runs short or no picture of this size could be
  // measured; the file system's failure otherwise. GetSvg: E_POINTER for null, *svg empty
  // on failure.
  HResult SaveToSvg(const char16_t* fileName, std::uint32_t len);
  HResult GetSvg(std::string* svg);

  // For tests and native hosts.
  CChartEngine& engine() { return engine_; }
  ObjHandle pictureBitmap() const { return picture_.get(); }

 private:
  // Renders the chart at the engine's size as SaveToFile does (the new picture bitmap stays)
  // and hands `use` the 24-bit rows of the export DIB section while it exists. Returns
  // SaveToFile's size and resource failures, else what `use` returns.
  HResult RenderExport(const std::function<HResult(const DibRows&)>& use);
  // The picture bitmap for a render at w x h: the kept one when it has that size (*reused
  // true: the caller clears it to the black of a new bitmap, since a render leaves some
  // pixels as it found them), else a new one compatible with `dc`; kNoObject when none can be
  // made. Keeping it spares a frame of live data the allocation of a big picture.
  ObjHandle PictureFor(DeviceContext& dc, std::int32_t w, std::int32_t h, bool* reused);
  // Clears the kept picture selected into dc to black, as a new bitmap is, unless the
  // background about to be painted covers it anyway.
  bool ClearPicture(DeviceContext& dc, std::int32_t w, std::int32_t h);
  // Draws the chart with `dc`, which has a bottom-up 24-bit DIB section of the engine's size
  // selected (its memory at `dibBits`): through the antialiasing context when it is on.
  void RenderIntoDib(DeviceContext& dc, void* dibBits);
  // The DIB section for an antialiased render at w x h, made with `dc`, and its memory in
  // *bits: the kept one when it has that size (*reused true, cleared by the caller as
  // PictureFor's), else a new one that becomes the picture; kNoObject when none can be made
  // (the previous picture stays then). Keeping it spares each antialiased frame the first
  // touch of a fresh picture's memory.
  ObjHandle DibPictureFor(DeviceContext& dc, std::int32_t w, std::int32_t h, void** bits,
                          bool* reused);
  // Lets the picture go, whichever kind it is.
  void DropPicture();
  // The points of AddPointsToPlot/AddPointsToPlot2 (x null: implicit X values).
  HResult AddPoints(std::int32_t index, const double* x, const double* y, std::size_t count);

  GraphicsSystem& graphics_;
  CChartEngine engine_;
  std::int32_t hWnd_ = 0;
  bool antialias_ = false;
  // The antialiased renders' coverage cells, kept from one render to the next.
  std::unique_ptr<AntialiasCells> coverage_;
  OwnedObject picture_;
  // The size of the picture when it is a compatible bitmap PictureFor may reuse; 0 x 0 when
  // it is an antialiased render's DIB section.
  std::int32_t pictureWidth_ = 0, pictureHeight_ = 0;
  // The size and memory of the picture when it is an antialiased render's DIB section, which
  // DibPictureFor may reuse; 0 x 0 and null otherwise.
  std::int32_t dibWidth_ = 0, dibHeight_ = 0;
  void* dibBits_ = nullptr;
};

}  // namespace corvane
