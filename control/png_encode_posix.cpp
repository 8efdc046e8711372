// PNG encoding through libpng's simplified interface, which reads the DIB's bottom-up rows
// in place (a negative row stride) and reports failures as return values, never by a jump
// through our frames.
#include <png.h>

#include <cstring>
#include <new>

#include "control/png_encode.h"

namespace corvane {

HResult EncodePng(const DibRows& dib, std::vector<std::uint8_t>* png) {
  if (!png) return kE_POINTER;
  png->clear();
  if (dib.width <= 0 || dib.height <= 0 || !dib.bits) return kE_INVALIDARG;
  const std::int64_t stride = BmpStride(dib.width);
  if (stride > INT32_MAX) return kE_INVALIDARG;

  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(dib.width);
  image.height = static_cast<png_uint_32>(dib.height);
  image.format = PNG_FORMAT_BGR;
  // Charts are flat colour: the fast setting costs little size and saves most of the time.
  image.flags = PNG_IMAGE_FLAG_FAST;
  png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
  try {
    png->resize(size);
  } catch (const std::bad_alloc&) {
    return kE_OUTOFMEMORY;
  }
  const int ok = png_image_write_to_memory(&image, png->data(), &size, 0, dib.bits,
                                           -static_cast<png_int_32>(stride), nullptr);
  png_image_free(&image);
  if (!ok) {
    // The buffer has the worst-case size, so this is libpng's own failure.
    png->clear();
    return kE_FAIL;
  }
  png->resize(size);
  return kS_OK;
}

}  // namespace corvane
