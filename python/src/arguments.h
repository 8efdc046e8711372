// The Python arguments corvane::Chart takes in its own types: file names (str, bytes or any
// os.PathLike) and arrays of numbers (NumPy arrays of any real dtype, lists, tuples).
#pragma once
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <string>

namespace corvane::python {

namespace py = pybind11;

// The bytes of a file name as os.fsencode gives them (UTF-8 on Linux).
std::string FileName(py::handle path);

// A one-dimensional, C-contiguous float64 array of `values`: the array itself when it
// already is one (no copy), else a converted copy. Fails as the COM object fails for a
// VARIANT that is no array of numbers: Error DISP_E_TYPEMISMATCH for a scalar or an element
// that is no real number (complex, bool, strings, dates, None), DISP_E_BADVARTYPE for more
// than one dimension.
py::array_t<double> Numbers(py::handle values, const char* member);

}  // namespace corvane::python
