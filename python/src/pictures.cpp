#include "pictures.h"

#include <limits>

#include <corvane/error.h>

namespace corvane::python {

namespace {

constexpr std::uint32_t kInvalidArg = 0x80070057u;  // E_INVALIDARG

}  // namespace

py::array_t<std::uint8_t> ToNumpy(Chart& chart) {
  // The engine refuses sizes it cannot draw before anything of the picture's size is made.
  const Dib dib = chart.Picture();
  py::array_t<std::uint8_t> rgba({py::ssize_t{dib.height}, py::ssize_t{dib.width}, py::ssize_t{4}});
  std::uint8_t* out = rgba.mutable_data();
  for (std::int32_t row = 0; row < dib.height; ++row) {
    const std::uint8_t* src = dib.bits.data() + dib.stride * static_cast<std::size_t>(dib.height - 1 - row);
    for (std::int32_t col = 0; col < dib.width; ++col, src += 3, out += 4) {
      out[0] = src[2];
      out[1] = src[1];
      out[2] = src[0];
      out[3] = 0xFF;
    }
  }
  return rgba;
}

void DrawToBuffer(Chart& chart, const py::buffer& buffer, std::int32_t x, std::int32_t y) {
  const py::buffer_info info = buffer.request(true);
  const bool pixels = info.ndim == 3 && info.itemsize == 1 && info.shape[2] == 4 &&
                      info.strides[2] == 1 && info.strides[1] == 4 &&
                      info.shape[0] <= std::numeric_limits<std::int32_t>::max() &&
                      info.shape[1] <= std::numeric_limits<std::int32_t>::max();
  if (!pixels) throw Error(kInvalidArg, "DrawTo");
  chart.DrawTo(info.ptr, static_cast<std::int32_t>(info.shape[1]),
               static_cast<std::int32_t>(info.shape[0]), info.strides[0], x, y);
}

py::bytes ToPngBytes(Chart& chart) {
  const std::vector<std::uint8_t> png = chart.ToPng();
  return py::bytes(reinterpret_cast<const char*>(png.data()), png.size());
}

}  // namespace corvane::python
