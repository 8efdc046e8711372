#include "arguments.h"

#include <corvane/error.h>

namespace corvane::python {

namespace {

constexpr std::uint32_t kTypeMismatch = 0x80020005u;  // DISP_E_TYPEMISMATCH
constexpr std::uint32_t kBadVarType = 0x80020008u;    // DISP_E_BADVARTYPE

using Float64Array = py::array_t<double, py::array::c_style | py::array::forcecast>;

// An object array's elements must each be a real number: NumPy would make None a NaN and
// parse numeric strings.
bool AllRealNumbers(const py::array& objects) {
  const py::object real = py::module_::import("numbers").attr("Real");
  const py::object decimal = py::module_::import("decimal").attr("Decimal");
  for (py::handle item : objects.attr("flat")) {
    if (PyBool_Check(item.ptr())) return false;
    if (!py::isinstance(item, real) && !py::isinstance(item, decimal)) return false;
  }
  return true;
}

}  // namespace

std::string FileName(py::handle path) {
  return py::module_::import("os").attr("fsencode")(path).cast<std::string>();
}

py::array_t<double> Numbers(py::handle values, const char* member) {
  py::array array;
  if (py::isinstance<py::array>(values)) {
    array = py::reinterpret_borrow<py::array>(values);
  } else {
    try {
      array = py::module_::import("numpy").attr("asarray")(values);
    } catch (const py::error_already_set&) {
      throw Error(kTypeMismatch, member);
    }
  }
  if (array.ndim() == 0) throw Error(kTypeMismatch, member);
  if (array.ndim() != 1) throw Error(kBadVarType, member);
  const char kind = array.dtype().kind();
  // Integers, unsigned integers and floating point; objects only when each is a real number.
  if (kind != 'i' && kind != 'u' && kind != 'f' && kind != 'O') throw Error(kTypeMismatch, member);
  if (kind == 'O' && !AllRealNumbers(array)) throw Error(kTypeMismatch, member);
  Float64Array numbers = Float64Array::ensure(array);
  if (!numbers) throw Error(kTypeMismatch, member);
  return numbers;
}

}  // namespace corvane::python
