// Writes a raster bitmap as a PNG (uncompressed deflate blocks, no library needed) or a
// binary PPM, for eyeballing pictures from tests and tools.
#pragma once
#include <string>

#include "platform/raster/raster_bitmap.h"

namespace corvane {

bool WritePng(const std::string& path, const RasterBitmap& bitmap);
bool WritePpm(const std::string& path, const RasterBitmap& bitmap);

}  // namespace corvane
