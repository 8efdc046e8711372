// SaveToSvg and the SVG document as a string: the chart drawn on an SvgDc. Its shadow is a
// memory context of the chart's own system with a bitmap of the picture's size selected, so
// the layout measures text and clip boxes exactly as the picture's rendering does.
#include <memory>
#include <new>
#include <string>

#include "control/automation.h"
#include "control/bmp_export.h"
#include "control/png_encode.h"
#include "platform/svg/svg_dc.h"

namespace corvane {

HResult CorvaneAutomation::GetSvg(std::string* svg) try {
  if (!svg) return kE_POINTER;
  svg->clear();
  const std::int32_t w = engine_.width, h = engine_.height;
  if (w <= 0 || h <= 0) return kE_INVALIDARG;
  std::unique_ptr<DeviceContext> screenDc = graphics_.GetScreenDC();
  std::unique_ptr<DeviceContext> shadow = screenDc ? graphics_.CreateCompatibleDC(screenDc.get()) : nullptr;
  if (!shadow) return kE_OUTOFMEMORY;
  const ObjHandle bitmap = screenDc->CreateCompatibleBitmap(w, h);
  // Too big for the system: a document measured against a smaller surface would lie.
  if (!bitmap) return kE_OUTOFMEMORY;
  OwnedObject bitmapOwner;
  bitmapOwner.Reset(&graphics_, bitmap);
  const ObjHandle previous = shadow->SelectObject(bitmap);
  if (!previous) return kE_FAIL;

  bool complete = false;
  {
    SvgDc svgDc(*shadow, w, h,
                [](std::int32_t iw, std::int32_t ih, const std::uint8_t* dib,
                   std::vector<std::uint8_t>* png) {
                  return EncodePng(DibRows{iw, ih, dib}, png) == kS_OK;
                });
    try {
      engine_.RenderChart(&svgDc);
      complete = svgDc.Finish(svg);
    } catch (...) {
      shadow->SelectObject(previous);
      throw;
    }
  }
  shadow->SelectObject(previous);
  return complete ? kS_OK : kE_OUTOFMEMORY;
} catch (const std::bad_alloc&) {
  if (svg) svg->clear();
  return kE_OUTOFMEMORY;
}

HResult CorvaneAutomation::SaveToSvg(const char16_t* fileName, std::uint32_t len) {
  if (engine_.width <= 0 || engine_.height <= 0) return kE_INVALIDARG;
  try {
    const std::u16string name = FileNameArgument(fileName, len);
    if (name.empty()) return kE_INVALIDARG;
    std::string svg;
    const HResult hr = GetSvg(&svg);
    if (Failed(hr)) return hr;
    const FileBlock block{svg.data(), svg.size()};
    return ReplaceFileContents(name, &block, 1);
  } catch (const std::bad_alloc&) {
    return kE_OUTOFMEMORY;
  }
}

}  // namespace corvane
