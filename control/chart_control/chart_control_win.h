// CChartControl: Corvane.ChartControl, the chart as an ActiveX control. Every chart member
// comes from ChartObject (the automation object's own implementation); this class adds a
// window of its own that paints the picture SaveToFile would write at the window's size,
// mouse zoom, pan and hover (ChartInteraction), events through a connection point, the
// interfaces an OLE container talks to, and persistence. Its member functions live in one
// file per job:
//   chart_control_win.cpp     creation, QueryInterface, IChartControl's own members, hooks
//   control_window_win.cpp    the window: class, creation, messages, painting
//   control_mouse_win.cpp     mouse messages -> interaction -> events
//   control_ole_object_win.cpp   IOleObject, IQuickActivate, in-place activation
//   control_in_place_win.cpp  IOleInPlaceObject, IOleInPlaceActiveObject, IOleControl
//   control_view_win.cpp      IViewObject2, IDataObject
//   control_persist_win.cpp   IPersistStreamInit, IPersistPropertyBag, IPersistStorage
//   control_events_win.cpp    IConnectionPointContainer, IProvideClassInfo2, firing events
// Created outside a container (CreateObject in a script) it has no window and works as the
// automation object does.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <oleidl.h>

#include <cstdint>
#include <string>

#include "control/chart_control/chart_interaction.h"
#include "control/chart_control/control_properties.h"
#include "control/chart_control/event_connection_win.h"
#include "control/chart_object_win.h"

namespace corvane {

// OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
// OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST, as the registration says too.
constexpr DWORD kChartControlMiscStatus = 0x20191;

class CChartControl final : public ChartObject<IChartControl>,
                            public IOleObject,
                            public IOleInPlaceObject,
                            public IOleInPlaceActiveObject,
                            public IOleControl,
                            public IViewObject2,
                            public IDataObject,
                            public IPersistStreamInit,
                            public IPersistPropertyBag,
                            public IPersistStorage,
                            public IConnectionPointContainer,
                            public IProvideClassInfo2,
                            public IQuickActivate {
 public:
  // As CCorvaneEx::Create.
  static HRESULT Create(ComObjectHost& host, IUnknown* outer, REFIID riid, void** ppv);

  // IUnknown, for every interface: the controlling unknown's.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IChartControl
  STDMETHODIMP get_ZoomMode(LONG* pVal) override;
  STDMETHODIMP put_ZoomMode(LONG newVal) override;
  STDMETHODIMP get_PanMode(LONG* pVal) override;
  STDMETHODIMP put_PanMode(LONG newVal) override;
  STDMETHODIMP get_HoverInfo(VARIANT_BOOL* pVal) override;
  STDMETHODIMP put_HoverInfo(VARIANT_BOOL newVal) override;
  STDMETHODIMP get_Crosshair(VARIANT_BOOL* pVal) override;
  STDMETHODIMP put_Crosshair(VARIANT_BOOL newVal) override;
  STDMETHODIMP ResetZoom() override;
  STDMETHODIMP Refresh() override;

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR app, LPCOLESTR obj) override;
  STDMETHODIMP Close(DWORD saveOption) override;
  STDMETHODIMP SetMoniker(DWORD which, IMoniker* mk) override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** mk) override;
  STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
  STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
  STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* activeSite, LONG index,
                      HWND parent, LPCRECT posRect) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
  STDMETHODIMP Update() override;
  STDMETHODIMP IsUpToDate() override;
  STDMETHODIMP GetUserClassID(CLSID* clsid) override;
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* name) override;
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
  STDMETHODIMP Unadvise(DWORD connection) override;
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** advise) override;
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
  STDMETHODIMP SetColorScheme(LOGPALETTE* pal) override;

  // IOleWindow, IOleInPlaceObject
  STDMETHODIMP GetWindow(HWND* hwnd) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override;
  STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override;

  // IOleInPlaceActiveObject
  STDMETHODIMP TranslateAccelerator(LPMSG msg) override;
  STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
  STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
  STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
  STDMETHODIMP EnableModeless(BOOL enable) override;

  // IOleControl
  STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
  STDMETHODIMP OnMnemonic(MSG* msg) override;
  STDMETHODIMP OnAmbientPropertyChange(DISPID id) override;
  STDMETHODIMP FreezeEvents(BOOL freeze) override;

  // IViewObject2
  STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* target,
                    HDC targetDc, HDC dc, LPCRECTL bounds, LPCRECTL windowBounds,
                    BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR), ULONG_PTR contArg) override;
  STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* target,
                           HDC targetDc, LOGPALETTE** colors) override;
  STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
  STDMETHODIMP Unfreeze(DWORD freeze) override;
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
  STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* target, LPSIZEL size) override;

  // IDataObject
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP QueryGetData(FORMATETC* format) override;
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                       DWORD* connection) override;
  STDMETHODIMP DUnadvise(DWORD connection) override;
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA** advise) override;

  // IPersist, IPersistStreamInit, IPersistPropertyBag, IPersistStorage
  STDMETHODIMP GetClassID(CLSID* clsid) override;
  STDMETHODIMP IsDirty() override;
  STDMETHODIMP Load(LPSTREAM stream) override;
  STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
  STDMETHODIMP InitNew() override;
  STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
  STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
  STDMETHODIMP InitNew(IStorage* storage) override;
  STDMETHODIMP Load(IStorage* storage) override;
  STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) override;
  STDMETHODIMP SaveCompleted(IStorage* storage) override;
  STDMETHODIMP HandsOffStorage() override;

  // IConnectionPointContainer, IProvideClassInfo2
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;
  STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
  STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

  // IQuickActivate
  STDMETHODIMP QuickActivate(QACONTAINER* container, QACONTROL* control) override;
  STDMETHODIMP SetContentExtent(LPSIZEL size) override;
  STDMETHODIMP GetContentExtent(LPSIZEL size) override;

  // The window procedure's way in (control_window_win.cpp).
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void WindowCreated(HWND window) { window_ = window; }
  void WindowDestroyed() { window_ = nullptr; }

 private:
  CChartControl(ComObjectHost& host, IUnknown* outer);
  ~CChartControl() override;

  void* FindInterface(REFIID riid) override;
  void Changed() override;
  void SegmentSet(double a, double b) override;
  void Shown() override;
  void PresetSet() override { state_.presetSet = true; }

  IUnknown* Self() { return static_cast<IChartControl*>(this); }

  // control_window_win.cpp
  HRESULT CreateControlWindow(HWND parent, const RECT& pos);
  void DestroyControlWindow();
  void Paint(HDC dc);
  void Invalidate();
  // The picture SaveToFile would write now, rendered when the chart changed since the last.
  HRESULT CurrentPicture(const DibPicture** picture);
  // The chart's size follows the control's: a width and height in pixels.
  void Resize(LONG width, LONG height);

  // control_mouse_win.cpp
  LRESULT OnMouse(UINT msg, WPARAM wp, LPARAM lp);
  void Apply(const InteractionResult& r);
  void UpdateHover();
  // How near a point the cursor must be for the hover box and PointClick, in device pixels.
  double PointRadius();
  // A pixel of the control in the units the container's events use.
  POINTF ContainerPoint(LONG x, LONG y);

  // control_ole_object_win.cpp
  HRESULT ActivateInPlace(bool uiActivate, IOleClientSite* activeSite);

  // control_view_win.cpp: the picture at a size of its own (the chart's size is kept).
  HRESULT PictureAt(LONG width, LONG height, DibPicture* picture);

  // control_persist_win.cpp
  HRESULT LoadEntries(const std::vector<SavedProperty>& entries);
  std::vector<SavedProperty> SaveEntries();

  // control_events_win.cpp: to every sink, unless the container froze events. x and y are
  // pixels of the control; the events carry them in the container's units.
  void Fire(DISPID id, VARIANT* argsReversed, UINT count);
  void FireMouse(DISPID id, std::int32_t buttons, std::int16_t shift, LONG x, LONG y);
  void FireClick(DISPID id, std::int32_t button, std::int16_t shift, LONG x, LONG y);
  void FirePointClick(std::int32_t plot, std::int32_t index, LONG x, LONG y);
  void FireZoomed(double xMin, double xMax);

  IOleClientSite* site_ = nullptr;
  IOleInPlaceSite* inPlaceSite_ = nullptr;
  IOleInPlaceFrame* frame_ = nullptr;
  IOleInPlaceUIWindow* uiWindow_ = nullptr;
  IOleAdviseHolder* oleAdvise_ = nullptr;
  IAdviseSink* viewSink_ = nullptr;
  DWORD viewAspects_ = 0, viewFlags_ = 0;
  HWND window_ = nullptr;
  bool inPlaceActive_ = false;
  bool uiActive_ = false;
  bool dirty_ = false;
  LONG frozenEvents_ = 0;
  ControlState state_;
  ChartInteraction interaction_;
  EventConnection events_;
  DibPicture picture_;
  bool pictureStale_ = true;
  // What the hover box shows (empty: none).
  std::u16string hoverText_;
  bool trackingLeave_ = false;
  bool doubleClick_ = false;  // the press under way began as a double click
};

// The DISPIDs of _IChartControlEvents.
constexpr DISPID kEventClick = 1;
constexpr DISPID kEventDblClick = 2;
constexpr DISPID kEventMouseDown = 3;
constexpr DISPID kEventMouseMove = 4;
constexpr DISPID kEventMouseUp = 5;
constexpr DISPID kEventPointClick = 6;
constexpr DISPID kEventZoomed = 7;

}  // namespace corvane
