// The chart's picture in Python's types: NumPy arrays, buffers and bytes.
#pragma once
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <corvane/chart.h>

namespace corvane::python {

namespace py = pybind11;

// The picture as a (height, width, 4) uint8 array of R, G, B, 255, top row first.
py::array_t<std::uint8_t> ToNumpy(Chart& chart);

// DrawTo into a writable (height, width, 4) uint8 buffer whose pixels are 4 bytes apart and
// whose rows are at least a row apart (a NumPy array, or a view into a bigger one): the bytes
// B, G, R, 255. Error E_INVALIDARG for any other shape or layout.
void DrawToBuffer(Chart& chart, const py::buffer& buffer, std::int32_t x, std::int32_t y);

// The bytes of the PNG file SaveToPng would write.
py::bytes ToPngBytes(Chart& chart);

}  // namespace corvane::python
