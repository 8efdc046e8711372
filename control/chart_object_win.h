// ChartObject<Interface>: the one implementation of the chart interfaces' members shared by
// every COM class of the module that is a chart (CCorvaneEx on ICorvaneEx3, the chart control
// on IChartControl, which derives from ICorvaneEx3). It holds the reference count and
// aggregation, IDispatch through the type information, and for every vtable member the
// conversion of BSTR / VARIANT_BOOL / OLE_COLOR / long / VARIANT to the plain types of
// CorvaneAutomation, which holds the actual semantics. No C++ exception leaves a member.
//
// The definitions live in headers (chart_object_members_win.h gathers them), included only by
// the two files that instantiate the template: corvane_ex_win.cpp and the control's
// chart_control_win.cpp. A new member of ICorvaneEx3 is declared once below and defined once
// (corvane_ex3_members_win.h); both classes have it then. A member that may change the
// picture calls Changed() after it.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <cstddef>

#include "control/automation.h"
#include "corvane_idl.h"
#include "platform/gdi/gdi_system.h"

namespace corvane {

// What an object needs from the module that serves it: lifetime accounting and the shared
// type information (loaded once per module, so the object only borrows it).
class ComObjectHost {
 public:
  virtual void ObjectCreated() = 0;
  virtual void ObjectDestroyed() = 0;
  // Type information of one of the module's interfaces or of the control's coclass,
  // AddRef'ed; the load failure is returned unchanged.
  virtual HRESULT GetTypeInfo(REFGUID guid, LCID lcid, ITypeInfo** info) = 0;
  // Exact (case-sensitive) lookup in the member-name cache of interface `iid`, if its type
  // information is loaded; false sends the caller on to the type information's own
  // GetIDsOfNames.
  virtual bool FindDispId(REFIID iid, const OLECHAR* name, DISPID* id) = 0;

 protected:
  ~ComObjectHost() = default;
};

// The first DISPID of ICorvaneEx2's, ICorvaneEx3's and IChartControl's own members.
constexpr DISPID kFirstEx2DispId = 0x200;
constexpr DISPID kFirstEx3DispId = 0x300;
constexpr DISPID kFirstControlDispId = 0x400;

// One interface of a class's chain: its own members' DISPIDs begin at firstDispId.
struct DispatchLevel {
  const IID* iid;
  DISPID firstDispId;
};

// What IDispatch says of a class: the interface GetTypeInfo describes, and the interfaces
// of its chain from the base up.
struct DispatchTraits {
  const IID* describedIid;
  const DispatchLevel* levels;
  std::size_t levelCount;
};

template <class Interface>
class ChartObject : public Interface {
 public:
  ChartObject(const ChartObject&) = delete;
  ChartObject& operator=(const ChartObject&) = delete;

  // IUnknown: delegates to the controlling unknown.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
  STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override;

  // ICorvaneEx (corvane_ex_win.cpp)
  STDMETHODIMP SaveToFile(BSTR FileName) override;
  STDMETHODIMP get_hWnd(LONG* pVal) override;
  STDMETHODIMP put_hWnd(LONG newVal) override;
  STDMETHODIMP SetSize(LONG Width, LONG Height) override;
  STDMETHODIMP get_Width(LONG* pVal) override;
  STDMETHODIMP get_Height(LONG* pVal) override;
  STDMETHODIMP Show() override;
  STDMETHODIMP Dispose() override;
  STDMETHODIMP ScrollLeft() override;
  STDMETHODIMP ScrollRight() override;
  STDMETHODIMP get_caption(BSTR* pVal) override;
  STDMETHODIMP put_caption(BSTR newVal) override;
  STDMETHODIMP SetSegment(DOUBLE A, DOUBLE B) override;
  STDMETHODIMP get_captionVisible(VARIANT_BOOL* pVal) override;
  STDMETHODIMP put_captionVisible(VARIANT_BOOL newVal) override;
  STDMETHODIMP get_arrowR(LONG* pVal) override;
  STDMETHODIMP put_arrowR(LONG newVal) override;
  STDMETHODIMP get_arrowH(LONG* pVal) override;
  STDMETHODIMP put_arrowH(LONG newVal) override;
  STDMETHODIMP get_arrowLineWidth(LONG* pVal) override;
  STDMETHODIMP put_arrowLineWidth(LONG newVal) override;
  STDMETHODIMP get_arrowVisible(VARIANT_BOOL* pVal) override;
  STDMETHODIMP put_arrowVisible(VARIANT_BOOL newVal) override;
  STDMETHODIMP get_arrowCaptionX(BSTR* pVal) override;
  STDMETHODIMP put_arrowCaptionX(BSTR newVal) override;
  STDMETHODIMP get_arrowCaptionY(BSTR* pVal) override;
  STDMETHODIMP put_arrowCaptionY(BSTR newVal) override;
  STDMETHODIMP SetPlotVisible(LONG index, VARIANT_BOOL Visible) override;
  STDMETHODIMP GetPlotVisible(LONG index, VARIANT_BOOL* Visible) override;
  STDMETHODIMP SetSimplePlot(LONG index) override;
  STDMETHODIMP SetLinearApproximate(LONG index) override;
  STDMETHODIMP SetSquareApproximate(LONG index) override;
  STDMETHODIMP AddPointToPlot(LONG index, DOUBLE X, DOUBLE Y) override;
  STDMETHODIMP DisposePlot(LONG index) override;
  STDMETHODIMP SetPlotColor(LONG index, OLE_COLOR color) override;
  STDMETHODIMP GetPlotColor(LONG index, OLE_COLOR* color) override;
  STDMETHODIMP SetPointVisible(LONG index, VARIANT_BOOL Visible) override;
  STDMETHODIMP GetPointVisible(LONG index, VARIANT_BOOL* Visible) override;
  STDMETHODIMP SetPlotWidth(LONG index, LONG Width) override;
  STDMETHODIMP GetPlotWidth(LONG index, LONG* Width) override;
  STDMETHODIMP AddPointToPlot2(LONG index, DOUBLE Y) override;
  STDMETHODIMP SetPointColor(LONG index, OLE_COLOR color) override;
  STDMETHODIMP GetPointColor(LONG index, OLE_COLOR* color) override;
  STDMETHODIMP get_plotsCount(LONG* pVal) override;
  STDMETHODIMP put_plotsCount(LONG newVal) override;
  STDMETHODIMP GetA(LONG index, DOUBLE* val) override;
  STDMETHODIMP GetB(LONG index, DOUBLE* pVal) override;
  STDMETHODIMP GetC(LONG index, DOUBLE* pVal) override;
  STDMETHODIMP AddLabelToGrid(BSTR Label) override;
  STDMETHODIMP SetDefaultGrid() override;
  STDMETHODIMP SetUserTypeGrid() override;
  STDMETHODIMP get_isDefaultGrid(VARIANT_BOOL* pVal) override;
  STDMETHODIMP get_isUserTypeGrid(VARIANT_BOOL* pVal) override;
  STDMETHODIMP get_gridVisible(LONG* pVal) override;
  STDMETHODIMP put_gridVisible(LONG newVal) override;
  STDMETHODIMP get_gridVerticalLines(LONG* pVal) override;
  STDMETHODIMP put_gridVerticalLines(LONG newVal) override;
  STDMETHODIMP get_gridHorizontalLines(LONG* pVal) override;
  STDMETHODIMP put_gridHorizontalLines(LONG newVal) override;
  STDMETHODIMP get_gridDigitsAfterPoint(LONG* pVal) override;
  STDMETHODIMP put_gridDigitsAfterPoint(LONG newVal) override;
  STDMETHODIMP get_polygonsCount(LONG* pVal) override;
  STDMETHODIMP put_polygonsCount(LONG n) override;
  STDMETHODIMP AddPointToPolygon(LONG index, DOUBLE X, DOUBLE Y) override;
  STDMETHODIMP SetPolygonProperties(LONG index, OLE_COLOR color, DOUBLE Transparency) override;
  STDMETHODIMP SetPolygonProperties2(LONG index, OLE_COLOR color, DOUBLE Transparency,
                                     LONG borderWidth, LONG borderStyle,
                                     OLE_COLOR borderColor) override;
  STDMETHODIMP SetPolygonVisible(LONG index, VARIANT_BOOL Visible) override;
  STDMETHODIMP GetPolygonVisible(LONG index, VARIANT_BOOL* Visible) override;
  STDMETHODIMP AddMark(DOUBLE X, DOUBLE Y) override;
  STDMETHODIMP AddMark2(DOUBLE X, DOUBLE Y, BSTR Label) override;
  STDMETHODIMP RemoveAllMarks() override;
  STDMETHODIMP SetMarkVisible(LONG index, VARIANT_BOOL Visible) override;
  STDMETHODIMP GetMarkVisible(LONG index, VARIANT_BOOL* Visible) override;
  STDMETHODIMP AddRectangle(DOUBLE L, DOUBLE T, DOUBLE R, DOUBLE B, OLE_COLOR bkColor,
                            DOUBLE Transparency) override;
  STDMETHODIMP AddRectangle2(DOUBLE L, DOUBLE T, DOUBLE R, DOUBLE B, OLE_COLOR bkColor,
                             DOUBLE Transparency, LONG borderWidth, LONG borderStyle,
                             OLE_COLOR borderColor) override;
  STDMETHODIMP RemoveAllRectangles() override;
  STDMETHODIMP SetRectVisible(LONG index, VARIANT_BOOL Visible) override;
  STDMETHODIMP GetRectVisible(LONG index, VARIANT_BOOL* Visible) override;
  STDMETHODIMP AddLine(DOUBLE x1, DOUBLE y1, DOUBLE x2, DOUBLE y2, LONG Width, LONG style,
                       OLE_COLOR color) override;
  STDMETHODIMP RemoveAllLines() override;
  STDMETHODIMP SetLineVisible(LONG index, VARIANT_BOOL Visible) override;
  STDMETHODIMP GetLineVisible(LONG index, VARIANT_BOOL* Visible) override;
  STDMETHODIMP AddCandleStick(DOUBLE X, DOUBLE Open, DOUBLE Close, DOUBLE High,
                              DOUBLE Low) override;
  STDMETHODIMP RemoveAllCandleSticks() override;
  STDMETHODIMP get_candlesticsVisible(VARIANT_BOOL* pVal) override;
  STDMETHODIMP put_candlesticsVisible(VARIANT_BOOL newVal) override;
  STDMETHODIMP get_preset(LONG* pVal) override;
  STDMETHODIMP put_preset(LONG p) override;
  STDMETHODIMP get_presetName(BSTR* pVal) override;
  STDMETHODIMP get_presetCount(LONG* pVal) override;
  STDMETHODIMP AddLabelToLegend(OLE_COLOR color, BSTR Label) override;
  STDMETHODIMP get_legendVisible(VARIANT_BOOL* pVal) override;
  STDMETHODIMP put_legendVisible(VARIANT_BOOL newVal) override;
  STDMETHODIMP get_legendPosition(LONG* pVal) override;
  STDMETHODIMP put_legendPosition(LONG newVal) override;

  // ICorvaneEx2 (corvane_ex2_win.cpp)
  STDMETHODIMP AddPointsToPlot(LONG plot, VARIANT xValues, VARIANT yValues) override;
  STDMETHODIMP AddPointsToPlot2(LONG plot, VARIANT yValues) override;
  STDMETHODIMP get_PointCount(LONG plot, LONG* pVal) override;
  STDMETHODIMP SaveToPng(BSTR fileName) override;
  STDMETHODIMP get_Picture(IPictureDisp** pVal) override;
  STDMETHODIMP DrawTo(LONG hdc, LONG x, LONG y) override;
  STDMETHODIMP CopyToClipboard() override;

  // ICorvaneEx3 (corvane_ex3_win.cpp)
  STDMETHODIMP get_WorldXMin(DOUBLE* pVal) override;
  STDMETHODIMP get_WorldXMax(DOUBLE* pVal) override;
  STDMETHODIMP get_WorldYMin(DOUBLE* pVal) override;
  STDMETHODIMP get_WorldYMax(DOUBLE* pVal) override;
  STDMETHODIMP get_PlotAreaLeft(LONG* pVal) override;
  STDMETHODIMP get_PlotAreaTop(LONG* pVal) override;
  STDMETHODIMP get_PlotAreaRight(LONG* pVal) override;
  STDMETHODIMP get_PlotAreaBottom(LONG* pVal) override;
  STDMETHODIMP WorldToPixelX(DOUBLE x, DOUBLE* px) override;
  STDMETHODIMP WorldToPixelY(DOUBLE y, DOUBLE* py) override;
  STDMETHODIMP PixelToWorldX(DOUBLE px, DOUBLE* x) override;
  STDMETHODIMP PixelToWorldY(DOUBLE py, DOUBLE* y) override;
  STDMETHODIMP get_PointX(LONG plot, LONG index, DOUBLE* pVal) override;
  STDMETHODIMP get_PointY(LONG plot, LONG index, DOUBLE* pVal) override;
  STDMETHODIMP HitTest(DOUBLE x, DOUBLE y, DOUBLE radius, ICorvaneHit** hit) override;
  STDMETHODIMP get_PlotCapacity(LONG plot, LONG* pVal) override;
  STDMETHODIMP put_PlotCapacity(LONG plot, LONG newVal) override;
  STDMETHODIMP get_XAxisType(LONG* pVal) override;
  STDMETHODIMP put_XAxisType(LONG newVal) override;
  STDMETHODIMP get_YAxisType(LONG* pVal) override;
  STDMETHODIMP put_YAxisType(LONG newVal) override;
  STDMETHODIMP get_XLabelFormat(BSTR* pVal) override;
  STDMETHODIMP put_XLabelFormat(BSTR newVal) override;
  STDMETHODIMP get_YLabelFormat(BSTR* pVal) override;
  STDMETHODIMP put_YLabelFormat(BSTR newVal) override;
  STDMETHODIMP FitSegmentToData() override;
  STDMETHODIMP get_TickCount(LONG axis, LONG* pVal) override;
  STDMETHODIMP get_TickValue(LONG axis, LONG index, DOUBLE* pVal) override;
  STDMETHODIMP get_TickLabel(LONG axis, LONG index, BSTR* pVal) override;
  STDMETHODIMP get_Antialias(VARIANT_BOOL* pVal) override;
  STDMETHODIMP put_Antialias(VARIANT_BOOL newVal) override;
  STDMETHODIMP SaveToSvg(BSTR fileName) override;
  STDMETHODIMP get_PixelScale(double* pVal) override;
  STDMETHODIMP put_PixelScale(double newVal) override;

 protected:
  // With an outer object every IUnknown call of the interfaces goes to it.
  ChartObject(ComObjectHost& host, IUnknown* outer, const DispatchTraits& traits);
  virtual ~ChartObject() = default;

  // The interface riid of this object (not AddRef'ed), or null.
  virtual void* FindInterface(REFIID riid) = 0;
  // After every member that may change the picture (settings, data, size, segment).
  virtual void Changed() {}
  // After SetSegment, with its arguments (Changed follows).
  virtual void SegmentSet(double /*a*/, double /*b*/) {}
  // After Show rendered into the host window.
  virtual void Shown() {}
  // After a preset was chosen (a new chart has colours no preset gives back).
  virtual void PresetSet() {}

  // Takes the new object's first reference across the query, so a refused interface
  // destroys it again.
  static HRESULT Hand(ChartObject* obj, REFIID riid, void** ppv);

  IUnknown* controlling() const { return controlling_; }
  ComObjectHost& host() { return lock_.host(); }
  CorvaneAutomation& automation() { return automation_; }
  GdiGraphicsSystem& graphics() { return graphics_; }

 private:
  // The object's own IUnknown. It owns the reference count; when the object is aggregated
  // the outer object holds it, and the interfaces' IUnknown methods go to the outer one.
  class InnerUnknown final : public IUnknown {
   public:
    explicit InnerUnknown(ChartObject* self) : self_(self) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

   private:
    ChartObject* self_;
  };

  // Counts the object in the module from before the first member is built until after the
  // last one is gone.
  class HostLock {
   public:
    explicit HostLock(ComObjectHost& host) : host_(host) { host_.ObjectCreated(); }
    ~HostLock() { host_.ObjectDestroyed(); }
    HostLock(const HostLock&) = delete;
    HostLock& operator=(const HostLock&) = delete;
    ComObjectHost& host() { return host_; }

   private:
    ComObjectHost& host_;
  };

  // The type information of the level whose own members include `id`.
  const IID& LevelOf(DISPID id) const;

  HostLock lock_;
  InnerUnknown inner_;
  IUnknown* controlling_;  // the outer object, or &inner_
  LONG refs_ = 0;
  const DispatchTraits& traits_;
  GdiGraphicsSystem graphics_;
  CorvaneAutomation automation_;
};

extern template class ChartObject<ICorvaneEx3>;
extern template class ChartObject<IChartControl>;

}  // namespace corvane
