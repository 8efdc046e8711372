// The numbers a script hands over in one VARIANT argument, read all at once before anything
// is changed with them.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <vector>

namespace corvane {

// Accepts a one-dimensional SAFEARRAY of any lower bound whose elements are VT_R8, VT_R4,
// VT_I4, VT_I2, VT_UI1, VT_CY, VT_DECIMAL, another integer type or VT_VARIANT holding one of
// those (VB6, VBA, VBScript and .NET arrays), given directly or by reference; an
// uninitialised dynamic array (no SAFEARRAY) is empty. Also accepts a JScript array: an
// IDispatch with a `length` and the elements "0", "1", ...
// Replaces *values with the numbers in order and returns S_OK, or fails with *values empty:
// DISP_E_TYPEMISMATCH for anything else or an element that is not a number (Empty, Null, a
// string, a date...), DISP_E_BADVARTYPE for more than one dimension or an element size that
// contradicts the type, E_OUTOFMEMORY for more numbers than a plot can hold or memory runs
// short; an array that cannot be locked gives its lock failure.
HRESULT ReadNumbers(const VARIANT& arg, std::vector<double>* values);

}  // namespace corvane
