// PNG encoding through the Windows Imaging Component into a memory stream. The caller's
// thread has COM initialised, as every thread that calls the component does.
#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <cstring>
#include <new>

#include "control/com_util_win.h"
#include "control/png_encode.h"

namespace corvane {
namespace {

// One filter for every row instead of the encoder trying each one per row: much faster,
// and charts, mostly flat colour, compress about as well. An encoder without the option
// keeps its own choice.
void SetFilter(IPropertyBag2* options) {
  if (!options) return;
  PROPBAG2 name{};
  name.pstrName = const_cast<LPOLESTR>(L"FilterOption");
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_UI1;
  V_UI1(&value) = static_cast<BYTE>(WICPngFilterNone);
  options->Write(1, &name, &value);
}

HRESULT Encode(const DibRows& dib, IStream* stream) {
  ComRef<IWICImagingFactory> factory;
  RETURN_IF_FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory, factory.out_void()));
  ComRef<IWICBitmapEncoder> encoder;
  RETURN_IF_FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out()));
  RETURN_IF_FAILED(encoder->Initialize(stream, WICBitmapEncoderNoCache));
  ComRef<IWICBitmapFrameEncode> frame;
  ComRef<IPropertyBag2> options;
  RETURN_IF_FAILED(encoder->CreateNewFrame(frame.out(), options.out()));
  SetFilter(options.get());
  RETURN_IF_FAILED(frame->Initialize(options.get()));
  RETURN_IF_FAILED(frame->SetSize(static_cast<UINT>(dib.width), static_cast<UINT>(dib.height)));
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  RETURN_IF_FAILED(frame->SetPixelFormat(&format));
  // An encoder that wants another layout would need a conversion the DIB does not carry.
  if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
    return WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
  // The encoder takes rows top first; the DIB keeps them bottom first.
  const UINT stride = static_cast<UINT>(BmpStride(dib.width));
  for (std::int32_t y = 0; y < dib.height; ++y) {
    BYTE* row = const_cast<BYTE*>(dib.bits) +
                static_cast<std::size_t>(stride) * static_cast<std::size_t>(dib.height - 1 - y);
    RETURN_IF_FAILED(frame->WritePixels(1, stride, stride, row));
  }
  RETURN_IF_FAILED(frame->Commit());
  return encoder->Commit();
}

HRESULT CopyOut(IStream* stream, std::vector<std::uint8_t>* png) {
  STATSTG stat{};
  RETURN_IF_FAILED(stream->Stat(&stat, STATFLAG_NONAME));
  HGLOBAL memory = nullptr;
  RETURN_IF_FAILED(GetHGlobalFromStream(stream, &memory));
  if (stat.cbSize.QuadPart > GlobalSize(memory)) return E_UNEXPECTED;
  const void* bytes = GlobalLock(memory);
  if (!bytes) return E_OUTOFMEMORY;
  HRESULT hr = S_OK;
  try {
    png->assign(static_cast<const std::uint8_t*>(bytes),
                static_cast<const std::uint8_t*>(bytes) + stat.cbSize.QuadPart);
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  }
  GlobalUnlock(memory);
  return hr;
}

}  // namespace

HResult EncodePng(const DibRows& dib, std::vector<std::uint8_t>* png) {
  if (!png) return kE_POINTER;
  png->clear();
  if (dib.width <= 0 || dib.height <= 0 || !dib.bits) return kE_INVALIDARG;
  if (BmpStride(dib.width) > 0x7FFFFFFF) return kE_INVALIDARG;
  ComRef<IStream> stream;
  RETURN_IF_FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()));
  HRESULT hr = Encode(dib, stream.get());
  if (SUCCEEDED(hr)) hr = CopyOut(stream.get(), png);
  if (FAILED(hr)) png->clear();
  return hr;
}

}  // namespace corvane
