// The picture members of ICorvaneEx2 that every build has: SaveToPng, the picture as a DIB,
// and painting into a caller's 32-bit pixel buffer. All render as SaveToFile does.
#include <algorithm>
#include <cstring>
#include <new>

#include "control/automation.h"
#include "control/png_encode.h"
#include "platform/pixel_rows.h"

namespace corvane {

HResult CorvaneAutomation::SaveToPng(const char16_t* fileName, std::uint32_t len) {
  if (engine_.width <= 0 || engine_.height <= 0) return kE_INVALIDARG;
  try {
    const std::u16string name = FileNameArgument(fileName, len);
    if (name.empty()) return kE_INVALIDARG;
    std::vector<std::uint8_t> png;
    const HResult hr = RenderExport([&](const DibRows& dib) { return EncodePng(dib, &png); });
    if (Failed(hr)) return hr;
    const FileBlock block{png.data(), png.size()};
    return ReplaceFileContents(name, &block, 1);
  } catch (const std::bad_alloc&) {
    return kE_OUTOFMEMORY;
  }
}

HResult CorvaneAutomation::get_Picture(DibPicture* pVal) {
  if (!pVal) return kE_POINTER;
  return RenderExport([&](const DibRows& dib) -> HResult {
    const std::size_t size =
        static_cast<std::size_t>(BmpStride(dib.width)) * static_cast<std::size_t>(dib.height);
    try {
      pVal->bits.assign(dib.bits, dib.bits + size);
    } catch (const std::bad_alloc&) {
      return kE_OUTOFMEMORY;
    }
    pVal->width = dib.width;
    pVal->height = dib.height;
    return kS_OK;
  });
}

// A function try block: handing the copy to RenderExport may itself need memory.
HResult CorvaneAutomation::DrawTo(void* pixels, std::int32_t bufferWidth,
                                  std::int32_t bufferHeight, std::ptrdiff_t strideBytes,
                                  std::int32_t x, std::int32_t y) try {
  if (bufferWidth < 0 || bufferHeight < 0) return kE_INVALIDARG;
  const bool empty = bufferWidth == 0 || bufferHeight == 0;
  if (!empty && !pixels) return kE_POINTER;
  if (!empty && (strideBytes < 0 || static_cast<std::uint64_t>(strideBytes) <
                                         std::uint64_t{4} * static_cast<std::uint64_t>(bufferWidth)))
    return kE_INVALIDARG;
  return RenderExport([&](const DibRows& dib) -> HResult {
    // The part of the chart inside the buffer, in chart coordinates.
    const std::int64_t left = std::max<std::int64_t>(0, -std::int64_t{x});
    const std::int64_t top = std::max<std::int64_t>(0, -std::int64_t{y});
    const std::int64_t right = std::min<std::int64_t>(dib.width, std::int64_t{bufferWidth} - x);
    const std::int64_t bottom = std::min<std::int64_t>(dib.height, std::int64_t{bufferHeight} - y);
    if (right <= left || bottom <= top) return kS_OK;
    const std::size_t dibStride = static_cast<std::size_t>(BmpStride(dib.width));
    for (std::int64_t row = top; row < bottom; ++row) {
      const std::uint8_t* src = dib.bits + dibStride * static_cast<std::size_t>(dib.height - 1 - row) +
                                3 * static_cast<std::size_t>(left);
      std::uint8_t* dst = static_cast<std::uint8_t*>(pixels) +
                          static_cast<std::size_t>(strideBytes) * static_cast<std::size_t>(row + y) +
                          4 * static_cast<std::size_t>(left + x);
      CopyRow24To32Opaque(src, dst, static_cast<std::size_t>(right - left));
    }
    return kS_OK;
  });
} catch (const std::bad_alloc&) {
  return kE_OUTOFMEMORY;
}

}  // namespace corvane
