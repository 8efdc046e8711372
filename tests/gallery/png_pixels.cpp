#include "tests/gallery/png_pixels.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace corvane::gallery {

std::string ReadPng(const std::string& path, RgbPicture* out) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return path + ": cannot be opened";
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_stdio(&image, file.get())) return path + ": " + image.message;
  image.format = PNG_FORMAT_RGB;  // alpha, palettes and 16-bit samples are converted
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
    const std::string why = image.message;
    png_image_free(&image);
    return path + ": " + why;
  }
  out->width = static_cast<std::int32_t>(image.width);
  out->height = static_cast<std::int32_t>(image.height);
  out->rgb = std::move(rgb);
  return "";
}

std::string ComparePictures(const RgbPicture& expected, const RgbPicture& actual) {
  char buf[160];
  if (expected.width != actual.width || expected.height != actual.height) {
    std::snprintf(buf, sizeof buf, "size %dx%d, expected %dx%d", actual.width, actual.height,
                  expected.width, expected.height);
    return buf;
  }
  std::size_t differing = 0, first = 0;
  for (std::size_t p = 0; p + 2 < expected.rgb.size(); p += 3) {
    if (expected.rgb[p] == actual.rgb[p] && expected.rgb[p + 1] == actual.rgb[p + 1] &&
        expected.rgb[p + 2] == actual.rgb[p + 2])
      continue;
    if (differing++ == 0) first = p;
  }
  if (differing == 0) return "";
  const std::size_t pixel = first / 3, w = static_cast<std::size_t>(expected.width);
  std::snprintf(buf, sizeof buf,
                "%zu pixels differ; the first at (%zu, %zu): #%02X%02X%02X, expected #%02X%02X%02X",
                differing, pixel % w, pixel / w, actual.rgb[first], actual.rgb[first + 1],
                actual.rgb[first + 2], expected.rgb[first], expected.rgb[first + 1], expected.rgb[first + 2]);
  return buf;
}

}  // namespace corvane::gallery
