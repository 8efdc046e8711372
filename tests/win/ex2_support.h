// Shared by the ICorvaneEx2 tests: a chart reached through ICorvaneEx2 after QueryInterface,
// its rendered picture, and VARIANT arrays of every element type.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "tests/win/picture_support.h"
#include "tests/win/test_support.h"

namespace corvane::wintest {

// A new object of `module`, asked for ICorvaneEx2 (nullptr when it does not answer).
ICorvaneEx2* CreateChart2(ServerModule& module);

// What SaveToFile writes for the chart, read back (empty on failure).
Pixels SavedPixels(ICorvaneEx2* chart, const std::wstring& dir);

// An owned VARIANT.
class Variant {
 public:
  Variant() { VariantInit(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&v_); }
  VARIANT* get() { return &v_; }
  const VARIANT& value() const { return v_; }

 private:
  VARIANT v_;
};

// A one-dimensional SAFEARRAY of element type vt with lower bound lb holding `values`, each
// converted to vt (VT_VARIANT elements hold VT_R8). Sets *v to VT_ARRAY | vt.
void MakeArray(VARTYPE vt, LONG lb, const std::vector<double>& values, VARIANT* v);

}  // namespace corvane::wintest
