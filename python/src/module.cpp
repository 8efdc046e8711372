// The extension module corvane._corvane: the chart class, its errors and the HRESULT codes.
#include <pybind11/pybind11.h>

#include <corvane/corvane.h>

#include "chart_binding.h"

namespace py = pybind11;

namespace {

// The codes a chart raises, by their Windows names.
constexpr std::pair<const char*, std::uint32_t> kCodes[] = {
    {"S_OK", 0x00000000u},          {"E_NOTIMPL", 0x80004001u},
    {"E_POINTER", 0x80004003u},     {"E_FAIL", 0x80004005u},
    {"E_OUTOFMEMORY", 0x8007000Eu}, {"E_INVALIDARG", 0x80070057u},
    {"E_ACCESSDENIED", 0x80070005u}, {"DISP_E_TYPEMISMATCH", 0x80020005u},
    {"DISP_E_BADVARTYPE", 0x80020008u},
};

constexpr const char* kErrorDoc =
    "A call of a Chart member failed.\n\n"
    "hresult is the HRESULT the COM object returns for the same call (an int such as "
    "0x80070057), name its symbolic name ('E_INVALIDARG'), meaning what it means and member "
    "the member that failed. A call that raises changes nothing the chart stores.";

// The exception class, made once with the module and kept for the module's life.
PyObject* errorType = nullptr;

void RaiseError(const corvane::Error& e) {
  py::object error = py::reinterpret_borrow<py::object>(errorType)(e.what());
  error.attr("hresult") = e.hresult();
  error.attr("name") = e.name();
  error.attr("meaning") = e.meaning();
  error.attr("member") = e.member();
  PyErr_SetObject(errorType, error.ptr());
}

}  // namespace

PYBIND11_MODULE(_corvane, m) {
  m.doc() = "Corvane's two-dimensional charts, drawn by its software raster with GDI's pixels.";
  m.attr("__version__") = corvane::LibraryVersion();

  errorType = PyErr_NewExceptionWithDoc("corvane.Error", kErrorDoc, nullptr, nullptr);
  if (!errorType) throw py::error_already_set();
  m.add_object("Error", py::handle(errorType));
  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (const corvane::Error& e) {
      RaiseError(e);
    }
  });

  for (const auto& [name, code] : kCodes) m.attr(name) = code;
  m.def("hresult_name", &corvane::HResultName, py::arg("hresult"),
        "The symbolic name of an HRESULT ('E_INVALIDARG'), or its value in hexadecimal.");
  m.def("hresult_meaning", &corvane::HResultMeaning, py::arg("hresult"),
        "One sentence saying what an HRESULT means.");

  corvane::python::BindChart(m);
}
