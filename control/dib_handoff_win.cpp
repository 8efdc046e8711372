#include "control/dib_handoff_win.h"

#include <olectl.h>

#include <cstring>

namespace corvane {
namespace {

BITMAPINFO DibInfo(const DibPicture& picture) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = picture.height;  // positive: rows bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(picture.bits.size());
  return info;
}

// What a DibPicture must be before its bits are handed to the system.
bool Complete(const DibPicture& picture) {
  return picture.width > 0 && picture.height > 0 &&
         picture.bits.size() == static_cast<std::size_t>(BmpStride(picture.width)) *
                                    static_cast<std::size_t>(picture.height);
}

}  // namespace

HRESULT NewPictureDisp(const DibPicture& picture, IPictureDisp** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!Complete(picture)) return E_INVALIDARG;
  const BITMAPINFO info = DibInfo(picture);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return E_OUTOFMEMORY;
  }
  std::memcpy(bits, picture.bits.data(), picture.bits.size());
  GdiFlush();
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_BITMAP;
  desc.bmp.hbitmap = bitmap;
  desc.bmp.hpal = nullptr;
  // fOwn: the picture deletes the bitmap when it goes.
  const HRESULT hr = OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                                              reinterpret_cast<void**>(out));
  if (FAILED(hr)) {
    *out = nullptr;
    DeleteObject(bitmap);
  }
  return hr;
}

HRESULT CopyDibToClipboard(const DibPicture& picture) {
  if (!Complete(picture)) return E_INVALIDARG;
  const BITMAPINFO info = DibInfo(picture);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + picture.bits.size());
  if (!memory) return E_OUTOFMEMORY;
  BYTE* p = static_cast<BYTE*>(GlobalLock(memory));
  if (!p) {
    GlobalFree(memory);
    return E_OUTOFMEMORY;
  }
  std::memcpy(p, &info.bmiHeader, sizeof(BITMAPINFOHEADER));
  std::memcpy(p + sizeof(BITMAPINFOHEADER), picture.bits.data(), picture.bits.size());
  GlobalUnlock(memory);

  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return CLIPBRD_E_CANT_OPEN;
  }
  HRESULT hr = S_OK;
  if (!EmptyClipboard()) {
    hr = CLIPBRD_E_CANT_EMPTY;
  } else if (!SetClipboardData(CF_DIB, memory)) {
    hr = CLIPBRD_E_CANT_SET;
  } else {
    memory = nullptr;  // the clipboard owns it now
  }
  CloseClipboard();
  if (memory) GlobalFree(memory);
  return hr;
}

HRESULT DrawDib(HDC dc, LONG x, LONG y, const DibPicture& picture) {
  if (!Complete(picture)) return E_INVALIDARG;
  const BITMAPINFO info = DibInfo(picture);
  SetLastError(0);
  const int lines = SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(picture.width),
                                      static_cast<DWORD>(picture.height), 0, 0, 0,
                                      static_cast<UINT>(picture.height), picture.bits.data(),
                                      &info, DIB_RGB_COLORS);
  if (lines > 0) return S_OK;
  const DWORD err = GetLastError();
  return err ? HRESULT_FROM_WIN32(err) : E_FAIL;
}

bool IsDeviceContext(HDC dc) {
  switch (GetObjectType(dc)) {
    case OBJ_DC:
    case OBJ_MEMDC:
    case OBJ_METADC:
    case OBJ_ENHMETADC:
      return true;
    default:
      return false;
  }
}

}  // namespace corvane
