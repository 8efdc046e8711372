#include "tests/win/picture_support.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstring>

namespace corvane::wintest {
namespace {

std::size_t Stride(int w) { return (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4; }

template <class T>
struct Releaser {
  T* p = nullptr;
  ~Releaser() {
    if (p) p->Release();
  }
};

// Copies a packed-per-row 24-bit DIB of the given header into `out`.
bool FromDib(const BITMAPINFOHEADER& h, const std::uint8_t* bits, std::size_t available,
             Pixels* out) {
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biBitCount != 24 || h.biCompression != BI_RGB ||
      h.biWidth <= 0 || h.biHeight <= 0 || h.biClrUsed != 0)
    return false;
  const std::size_t size = Stride(h.biWidth) * static_cast<std::size_t>(h.biHeight);
  if (available < size) return false;
  out->width = h.biWidth;
  out->height = h.biHeight;
  out->bits.assign(bits, bits + size);
  return true;
}

}  // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path) {
  std::vector<std::uint8_t> bytes;
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  DWORD size = GetFileSize(f, nullptr), got = 0;
  bytes.resize(size);
  if (size && !ReadFile(f, bytes.data(), size, &got, nullptr)) got = 0;
  bytes.resize(got);
  CloseHandle(f);
  return bytes;
}

bool ReadBmp(const std::wstring& path, Pixels* out) {
  const std::vector<std::uint8_t> file = ReadFileBytes(path);
  if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return false;
  BITMAPINFOHEADER h;
  std::memcpy(&h, file.data() + 14, sizeof h);
  return FromDib(h, file.data() + 54, file.size() - 54, out) &&
         out->bits.size() + 54 == file.size();
}

bool ReadPng(const std::wstring& path, Pixels* out) {
  Releaser<IWICImagingFactory> factory;
  Releaser<IWICBitmapDecoder> decoder;
  Releaser<IWICBitmapFrameDecode> frame;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(&factory.p))) ||
      FAILED(factory.p->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder.p)))
    return false;
  GUID container{};
  WICPixelFormatGUID format{};
  UINT w = 0, h = 0;
  if (FAILED(decoder.p->GetContainerFormat(&container)) ||
      !IsEqualGUID(container, GUID_ContainerFormatPng) ||
      FAILED(decoder.p->GetFrame(0, &frame.p)) || FAILED(frame.p->GetPixelFormat(&format)) ||
      FAILED(frame.p->GetSize(&w, &h)) || w == 0 || h == 0)
    return false;
  // An 8-bit RGB PNG decodes as 24bppBGR, with no conversion.
  if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) return false;
  const std::size_t stride = Stride(static_cast<int>(w));
  std::vector<std::uint8_t> topDown(stride * h);
  if (FAILED(frame.p->CopyPixels(nullptr, static_cast<UINT>(stride),
                                 static_cast<UINT>(topDown.size()), topDown.data())))
    return false;
  out->width = static_cast<int>(w);
  out->height = static_cast<int>(h);
  out->bits.assign(topDown.size(), 0);
  for (UINT y = 0; y < h; ++y) {
    // Only the pixels: the padding of the BMP's rows is zero.
    std::memcpy(out->bits.data() + (h - 1 - y) * stride, topDown.data() + y * stride,
                static_cast<std::size_t>(w) * 3);
  }
  return true;
}

bool ReadClipboardDib(Pixels* out) {
  if (!OpenClipboard(nullptr)) return false;
  bool ok = false;
  if (HANDLE data = GetClipboardData(CF_DIB)) {
    const SIZE_T size = GlobalSize(data);
    if (const auto* p = static_cast<const std::uint8_t*>(GlobalLock(data))) {
      BITMAPINFOHEADER h;
      if (size >= sizeof h) {
        std::memcpy(&h, p, sizeof h);
        ok = FromDib(h, p + h.biSize, size - h.biSize, out);
      }
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return ok;
}

bool ReadDc(HDC dc, int x, int y, int w, int h, Pixels* out) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) return false;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, dib);
  const bool ok = BitBlt(mem, 0, 0, w, h, dc, x, y, SRCCOPY) != FALSE;
  SelectObject(mem, old);
  DeleteDC(mem);
  if (ok) {
    GdiFlush();
    out->width = w;
    out->height = h;
    const auto* p = static_cast<const std::uint8_t*>(bits);
    out->bits.assign(p, p + Stride(w) * static_cast<std::size_t>(h));
  }
  DeleteObject(dib);
  return ok;
}

}  // namespace corvane::wintest
