// IViewObject2 and IDataObject: the picture for printing, design mode and metafiles --
// SaveToFile's pixels at the size asked for, drawn one for one into any device context, or
// handed out as a CF_DIB or an enhanced metafile.
#include <urlmon.h>

#include <cstring>

#include "control/chart_control/chart_control_win.h"
#include "control/chart_control/control_window_win.h"
#include "control/com_util_win.h"
#include "control/dib_handoff_win.h"

namespace corvane {
namespace {

bool Offered(const FORMATETC* f) {
  if (!f || f->dwAspect != DVASPECT_CONTENT) return false;
  return (f->cfFormat == CF_DIB && (f->tymed & TYMED_HGLOBAL)) ||
         (f->cfFormat == CF_ENHMETAFILE && (f->tymed & TYMED_ENHMF));
}

BITMAPINFOHEADER HeaderOf(const DibPicture& picture) {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = picture.width;
  h.biHeight = picture.height;  // bottom-up, as the bits are
  h.biPlanes = 1;
  h.biBitCount = 24;
  h.biCompression = BI_RGB;
  h.biSizeImage = static_cast<DWORD>(picture.bits.size());
  return h;
}

HGLOBAL NewDibGlobal(const DibPicture& picture) {
  const BITMAPINFOHEADER h = HeaderOf(picture);
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, sizeof h + picture.bits.size());
  if (!global) return nullptr;
  void* p = GlobalLock(global);
  if (!p) {
    GlobalFree(global);
    return nullptr;
  }
  std::memcpy(p, &h, sizeof h);
  std::memcpy(static_cast<BYTE*>(p) + sizeof h, picture.bits.data(), picture.bits.size());
  GlobalUnlock(global);
  return global;
}

// An enhanced metafile holding the picture one pixel for one at the origin.
HENHMETAFILE NewMetafile(const DibPicture& picture) {
  const SIZEL hm = PixelsToHimetric(SIZEL{picture.width, picture.height});
  RECT frame{0, 0, hm.cx, hm.cy};
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, L"Corvane\0ChartControl\0");
  if (!dc) return nullptr;
  const HRESULT hr = DrawDib(dc, 0, 0, picture);
  HENHMETAFILE emf = CloseEnhMetaFile(dc);
  if (FAILED(hr) && emf) {
    DeleteEnhMetaFile(emf);
    emf = nullptr;
  }
  return emf;
}

// The picture into `bounds`, one pixel for one when the sizes agree.
HRESULT StretchDib(HDC dc, const RECTL& bounds, const DibPicture& picture) {
  BITMAPINFO info{};
  info.bmiHeader = HeaderOf(picture);
  const int lines = StretchDIBits(dc, bounds.left, bounds.top, Span(bounds.left, bounds.right),
                                  Span(bounds.top, bounds.bottom), 0, 0, picture.width,
                                  picture.height, picture.bits.data(), &info, DIB_RGB_COLORS,
                                  SRCCOPY);
  return lines > 0 ? S_OK : E_FAIL;
}

}  // namespace

HRESULT CChartControl::PictureAt(LONG width, LONG height, DibPicture* picture) {
  LONG w = 0, h = 0;
  get_Width(&w);
  get_Height(&h);
  return Guard([&]() -> HRESULT {
    if (w == width && h == height) {
      const DibPicture* current = nullptr;
      RETURN_IF_FAILED(CurrentPicture(&current));
      *picture = *current;
      return S_OK;
    }
    // Rendered at the size asked for; the chart keeps its own.
    automation().SetSize(width, height);
    const HRESULT hr = automation().get_Picture(picture);
    automation().SetSize(w, h);
    // Resizing lays the chart out anew, which may take in records added since the last
    // layout: the window's picture follows what a render now draws.
    pictureStale_ = true;
    return hr;
  });
}

// ---- IViewObject2 ----------------------------------------------------------------------------

STDMETHODIMP CChartControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc,
                                 LPCRECTL bounds, LPCRECTL,
                                 BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!bounds) return E_INVALIDARG;
  if (!IsDeviceContext(dc)) return E_INVALIDARG;
  const LONG width = Span(bounds->left, bounds->right), height = Span(bounds->top, bounds->bottom);
  if (width <= 0 || height <= 0) return E_INVALIDARG;
  const DWORD kind = GetObjectType(dc);
  if (kind == OBJ_ENHMETADC || kind == OBJ_METADC) {
    // A metafile's bounds are in its logical units (HIMETRIC, as Office passes them): the
    // picture at the control's own size, scaled into them by whoever plays the metafile.
    const DibPicture* current = nullptr;
    RETURN_IF_FAILED(CurrentPicture(&current));
    return StretchDib(dc, *bounds, *current);
  }
  DibPicture picture;
  RETURN_IF_FAILED(PictureAt(width, height, &picture));
  return DrawDib(dc, bounds->left, bounds->top, picture);
}

STDMETHODIMP CChartControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                        LOGPALETTE** colors) {
  if (colors) *colors = nullptr;
  return S_FALSE;  // no palette of its own
}

STDMETHODIMP CChartControl::Freeze(DWORD, LONG, void*, DWORD* freeze) {
  if (freeze) *freeze = 0;
  return E_NOTIMPL;
}
STDMETHODIMP CChartControl::Unfreeze(DWORD) { return E_NOTIMPL; }

STDMETHODIMP CChartControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  if (sink) sink->AddRef();
  if (viewSink_) viewSink_->Release();
  viewSink_ = sink;
  viewAspects_ = aspects;
  viewFlags_ = flags;
  return S_OK;
}

STDMETHODIMP CChartControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects) *aspects = viewAspects_;
  if (flags) *flags = viewFlags_;
  if (sink) {
    *sink = viewSink_;
    if (viewSink_) viewSink_->AddRef();
  }
  return S_OK;
}

STDMETHODIMP CChartControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(aspect, size);
}

// ---- IDataObject -----------------------------------------------------------------------------

STDMETHODIMP CChartControl::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!format || !medium) return E_POINTER;
  ZeroMemory(medium, sizeof *medium);
  if (!Offered(format)) return DV_E_FORMATETC;
  const DibPicture* picture = nullptr;
  RETURN_IF_FAILED(CurrentPicture(&picture));
  if (format->cfFormat == CF_DIB) {
    HGLOBAL global = NewDibGlobal(*picture);
    if (!global) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = global;
    return S_OK;
  }
  HENHMETAFILE emf = NewMetafile(*picture);
  if (!emf) return E_OUTOFMEMORY;
  medium->tymed = TYMED_ENHMF;
  medium->hEnhMetaFile = emf;
  return S_OK;
}

STDMETHODIMP CChartControl::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

STDMETHODIMP CChartControl::QueryGetData(FORMATETC* format) {
  if (!format) return E_POINTER;
  return Offered(format) ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP CChartControl::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (!out) return E_POINTER;
  out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP CChartControl::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP CChartControl::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
  if (!formats) return E_POINTER;
  *formats = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  FORMATETC offered[] = {{CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
                         {CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF}};
  return CreateFormatEnumerator(2, offered, formats);
}

STDMETHODIMP CChartControl::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
  return OLE_E_ADVISENOTSUPPORTED;
}
STDMETHODIMP CChartControl::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
STDMETHODIMP CChartControl::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }

}  // namespace corvane
