// corvane.Chart: every member of corvane::Chart under the interface's names, and the
// Python ways out of the picture.
#pragma once
#include <pybind11/pybind11.h>

namespace corvane::python {

void BindChart(pybind11::module_& m);

}  // namespace corvane::python
