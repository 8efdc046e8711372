// Reads a PNG file's pixels with libpng, whatever encoder wrote it (libpng natively, WIC
// under Wine): the bytes of two files of the same picture may differ, their pixels may not.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace corvane::gallery {

struct RgbPicture {
  std::int32_t width = 0, height = 0;
  std::vector<std::uint8_t> rgb;  // rows top first, 3 bytes R, G, B per pixel
};

// Returns "" and fills *out, or says why the file could not be read.
std::string ReadPng(const std::string& path, RgbPicture* out);

// "" when both have the same size and pixels, else what differs (size, or how many pixels
// and the first of them).
std::string ComparePictures(const RgbPicture& expected, const RgbPicture& actual);

}  // namespace corvane::gallery
