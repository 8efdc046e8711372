#include "control/bmp_export.h"

namespace corvane {
namespace {

void Put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}

}  // namespace

std::int64_t BmpStride(std::int32_t width) {
  if (width <= 0) return 0;
  return (std::int64_t{width} * 3 + 3) / 4 * 4;
}

bool BuildBmpHeaders(std::int32_t width, std::int32_t height,
                     std::uint8_t (&headers)[kBmpHeadersSize]) {
  if (width <= 0 || height <= 0) return false;
  const std::int64_t stride = BmpStride(width);
  if (height > (INT64_C(0xFFFFFFFF) - static_cast<std::int64_t>(kBmpHeadersSize)) / stride)
    return false;
  const std::int64_t imageSize = stride * height;
  const std::int64_t fileSize = imageSize + static_cast<std::int64_t>(kBmpHeadersSize);

  for (std::uint8_t& b : headers) b = 0;
  std::uint8_t* file = headers;
  file[0] = 'B';
  file[1] = 'M';
  Put32(file + 2, static_cast<std::uint32_t>(fileSize));
  Put32(file + 10, static_cast<std::uint32_t>(kBmpHeadersSize));

  std::uint8_t* info = headers + kBmpFileHeaderSize;
  Put32(info + 0, static_cast<std::uint32_t>(kBmpInfoHeaderSize));
  Put32(info + 4, static_cast<std::uint32_t>(width));
  Put32(info + 8, static_cast<std::uint32_t>(height));  // positive: rows bottom-up
  Put16(info + 12, 1);                                  // planes
  Put16(info + 14, 24);                                 // bits per pixel
  Put32(info + 16, 0);                                  // BI_RGB
  Put32(info + 20, static_cast<std::uint32_t>(imageSize));
  // Resolutions, colours used and important colours stay 0.
  return true;
}

std::u16string FileNameArgument(const char16_t* fileName, std::uint32_t len) {
  std::u16string name;
  if (fileName) {
    name.assign(fileName, len);
    const std::size_t nul = name.find(u'\0');
    if (nul != std::u16string::npos) name.resize(nul);
  }
  return name;
}

HResult WriteBmpFile(const std::u16string& fileName, std::int32_t width, std::int32_t height,
                     const void* pixels) {
  std::uint8_t headers[kBmpHeadersSize];
  if (fileName.empty() || !pixels || !BuildBmpHeaders(width, height, headers))
    return kE_INVALIDARG;
  const FileBlock blocks[3] = {
      {headers, kBmpFileHeaderSize},
      {headers + kBmpFileHeaderSize, kBmpInfoHeaderSize},
      {pixels, static_cast<std::size_t>(BmpStride(width) * height)},
  };
  return ReplaceFileContents(fileName, blocks, 3);
}

}  // namespace corvane
