// The tests' own OLE container for the chart control: a top-level window whose site
// (IOleClientSite, IOleInPlaceSite, IOleInPlaceFrame, IOleControlSite) activates the control
// in place, and an event sink that records what the control raises. Also the pieces both
// hosts' tests share: reading a window's pixels, the picture SaveToFile writes, and probes of
// the process's free GDI and USER handles.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "corvane_idl.h"
#include "tests/win/picture_support.h"
#include "tests/win/test_support.h"

namespace corvane::wintest {

// One event as the sink received it: its DISPID and its arguments, first to last, as doubles.
struct RecordedEvent {
  DISPID id;
  std::vector<double> args;
};

class EventSink final : public IDispatch {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
  STDMETHODIMP_(ULONG) Release() override { return InterlockedDecrement(&refs_); }
  STDMETHODIMP GetTypeInfoCount(UINT* n) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                      UINT*) override;

  // Advises the control's connection point for _IChartControlEvents.
  bool Connect(IUnknown* control);
  void Disconnect();
  std::vector<RecordedEvent> events;
  // The events with DISPID id, in order.
  std::vector<RecordedEvent> Of(DISPID id) const;

 private:
  LONG refs_ = 1;  // lives on the test's stack
  IConnectionPoint* point_ = nullptr;
  DWORD cookie_ = 0;
};

// A frame window with the control in place. Every interface of the site is one object that
// lives as long as the container (references are counted but never free it).
class TestContainer final : public IOleClientSite,
                            public IOleInPlaceSite,
                            public IOleInPlaceFrame,
                            public IOleControlSite {
 public:
  TestContainer();
  ~TestContainer();
  TestContainer(const TestContainer&) = delete;
  TestContainer& operator=(const TestContainer&) = delete;

  // Creates the control by ProgID, gives it the site, InitNew, the extent and in-place
  // activation at (0, 0, width, height) of the frame. False (with the reason) on failure.
  bool Place(const wchar_t* progId, int width, int height, std::string* why);
  // Moves the control to a new rectangle, as a container's layout does.
  void MoveControl(int width, int height);
  // Takes the control out again (Close, SetClientSite(null)) and releases it.
  void Remove();

  IChartControl* control() const { return control_; }
  IDispatch* dispatch() const { return control_; }
  HWND frame() const { return frame_; }
  HWND controlWindow() const;
  // When set, TransformCoords answers in twips, as a VB form does; else E_NOTIMPL.
  bool twips = false;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
  STDMETHODIMP_(ULONG) Release() override { return InterlockedDecrement(&refs_); }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return S_OK; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** mk) override;
  STDMETHODIMP GetContainer(IOleContainer** c) override;
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
  // IOleWindow
  STDMETHODIMP GetWindow(HWND* hwnd) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override;
  STDMETHODIMP OnUIActivate() override;
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override;
  STDMETHODIMP OnInPlaceDeactivate() override;
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }
  // IOleInPlaceUIWindow, IOleInPlaceFrame
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) override;
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }
  // IOleControlSite
  STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
  STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
  STDMETHODIMP GetExtendedControl(IDispatch** d) override;
  STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
  STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
  STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
  STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

  bool inPlace = false, uiActive = false;
  IOleInPlaceActiveObject* activeObject = nullptr;  // as the frame was told, not AddRef'ed

 private:
  LONG refs_ = 1;
  HWND frame_ = nullptr;
  RECT pos_{};
  IChartControl* control_ = nullptr;
};

// Lets the window manager deliver what is queued for this thread (paints, posted messages).
void PumpMessages();
// The client area of `window` as SaveToFile's pixel block (rows bottom-up, B G R).
bool ReadWindow(HWND window, Pixels* out);
// Writes `pixels` as a 24-bit BMP into %TEMP% (name.bmp), for a failing test to show what it saw.
void KeepForInspection(const wchar_t* name, const Pixels& pixels);
// The picture the chart's SaveToFile writes now.
bool SavedPicture(IDispatch* chart, Pixels* out);
// Sets a chart up through IDispatch, by name, as a script does: plots, a legend, a segment.
// Without grid labels (whose background test draws from the thread's random sequence) and on
// a gradient (a texture draws from it too), so two renders of it are the same picture.
void FillByName(IDispatch* chart);
// Arguments for CallByName.
VARIANT I4(LONG v);
VARIANT R8(double v);
VARIANT Text(const wchar_t* s);  // the caller's to clear
// Calls a member by name; the HRESULT of Invoke.
HRESULT CallByName(IDispatch* chart, const wchar_t* name, WORD flags, std::vector<VARIANT> args,
                   VARIANT* result = nullptr);

// How many more GDI objects (brushes) and USER objects (menus) the process can create now:
// creates them until the system refuses (or `cap`), then frees them all. Wine answers 0 to
// GetGuiResources; its handle tables are finite, so the free room is a count of the live ones.
long FreeGdiHandles(long cap = 200000);
long FreeUserHandles(long cap = 200000);
// The process's private bytes.
SIZE_T PrivateBytes();

}  // namespace corvane::wintest
