#include "control/variant_numbers_win.h"

#include <oleauto.h>

#include <new>
#include <string>

#include "control/com_util_win.h"
#include "series/plot_series.h"

namespace corvane {
namespace {

constexpr std::size_t kMaxNumbers = static_cast<std::size_t>(CPlotSeries::kMaxPoints);
// VT_BYREF|VT_VARIANT chains are followed this far; a deeper one is refused.
constexpr int kMaxIndirections = 4;

// Size of one element of a numeric array type; 0 for a type that holds no number.
std::size_t NumberSize(VARTYPE t) {
  switch (t) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: return 4;
    case VT_I8: case VT_UI8: case VT_R8: case VT_CY: return 8;
    case VT_DECIMAL: return sizeof(DECIMAL);
    default: return 0;
  }
}

// The number of type t stored at p; false for a type that holds no number.
bool NumberAt(VARTYPE t, const void* p, double* d) {
  switch (t) {
    case VT_R8: *d = *static_cast<const double*>(p); return true;
    case VT_R4: *d = *static_cast<const float*>(p); return true;
    case VT_I4: case VT_INT: *d = *static_cast<const LONG*>(p); return true;
    case VT_UI4: case VT_UINT: *d = *static_cast<const ULONG*>(p); return true;
    case VT_I2: *d = *static_cast<const SHORT*>(p); return true;
    case VT_UI2: *d = *static_cast<const USHORT*>(p); return true;
    case VT_I1: *d = *static_cast<const signed char*>(p); return true;
    case VT_UI1: *d = *static_cast<const BYTE*>(p); return true;
    case VT_I8: *d = static_cast<double>(*static_cast<const LONGLONG*>(p)); return true;
    case VT_UI8: *d = static_cast<double>(*static_cast<const ULONGLONG*>(p)); return true;
    case VT_CY: return SUCCEEDED(VarR8FromCy(*static_cast<const CY*>(p), d));
    case VT_DECIMAL: {
      DECIMAL dec = *static_cast<const DECIMAL*>(p);
      return SUCCEEDED(VarR8FromDec(&dec, d));
    }
    default: return false;
  }
}

// The number one VARIANT holds, directly or by reference.
bool NumberIn(const VARIANT& v, double* d, int depth = 0) {
  const VARTYPE vt = V_VT(&v);
  if (vt == (VT_BYREF | VT_VARIANT)) {
    return depth < kMaxIndirections && V_VARIANTREF(&v) && NumberIn(*V_VARIANTREF(&v), d, depth + 1);
  }
  if (vt & VT_BYREF) return V_BYREF(&v) && NumberAt(vt & ~VT_BYREF, V_BYREF(&v), d);
  // A DECIMAL fills the whole VARIANT; every other value sits in the union.
  if (vt == VT_DECIMAL) return NumberAt(vt, &V_DECIMAL(&v), d);
  return NumberAt(vt, &V_UI1(&v), d);
}

HRESULT Resize(std::vector<double>* values, std::size_t n) {
  if (n > kMaxNumbers) return E_OUTOFMEMORY;
  try {
    values->resize(n);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT ConvertElements(VARTYPE type, const BYTE* data, std::size_t n, double* out) {
  if (type == VT_VARIANT) {
    const VARIANT* v = reinterpret_cast<const VARIANT*>(data);
    for (std::size_t i = 0; i < n; ++i)
      if (!NumberIn(v[i], &out[i])) return DISP_E_TYPEMISMATCH;
    return S_OK;
  }
  if (type == VT_R8) {
    const double* v = reinterpret_cast<const double*>(data);
    for (std::size_t i = 0; i < n; ++i) out[i] = v[i];
    return S_OK;
  }
  const std::size_t size = NumberSize(type);
  for (std::size_t i = 0; i < n; ++i)
    if (!NumberAt(type, data + i * size, &out[i])) return DISP_E_TYPEMISMATCH;
  return S_OK;
}

HRESULT ReadArray(SAFEARRAY* array, VARTYPE type, std::vector<double>* values) {
  if (!array) return S_OK;  // Dim a() before any ReDim
  if (array->cDims != 1) return DISP_E_BADVARTYPE;
  const std::size_t size = type == VT_VARIANT ? sizeof(VARIANT) : NumberSize(type);
  if (size == 0) return DISP_E_TYPEMISMATCH;
  if (array->cbElements != size) return DISP_E_BADVARTYPE;
  const std::size_t n = array->rgsabound[0].cElements;
  RETURN_IF_FAILED(Resize(values, n));
  if (n == 0) return S_OK;
  void* data = nullptr;
  RETURN_IF_FAILED(SafeArrayAccessData(array, &data));
  const HRESULT hr = ConvertElements(type, static_cast<const BYTE*>(data), n, values->data());
  SafeArrayUnaccessData(array);
  return hr;
}

// One property of a script object, read with DISPATCH_PROPERTYGET.
HRESULT GetProperty(IDispatch* object, const wchar_t* name, VARIANT* value) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
    return DISP_E_TYPEMISMATCH;
  DISPPARAMS none{};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value,
                        nullptr, nullptr);
}

HRESULT ReadScriptArray(IDispatch* object, std::vector<double>* values) {
  if (!object) return DISP_E_TYPEMISMATCH;
  VARIANT v;
  VariantInit(&v);
  if (FAILED(GetProperty(object, L"length", &v))) return DISP_E_TYPEMISMATCH;
  double length = -1;
  const bool number = NumberIn(v, &length);
  VariantClear(&v);
  if (!number || !(length >= 0)) return DISP_E_TYPEMISMATCH;
  if (length > static_cast<double>(kMaxNumbers)) return E_OUTOFMEMORY;
  if (length != static_cast<double>(static_cast<std::size_t>(length))) return DISP_E_TYPEMISMATCH;
  RETURN_IF_FAILED(Resize(values, static_cast<std::size_t>(length)));
  for (std::size_t i = 0; i < values->size(); ++i) {
    // A hole in the array reads as missing or undefined: not a number either way.
    if (FAILED(GetProperty(object, std::to_wstring(i).c_str(), &v))) return DISP_E_TYPEMISMATCH;
    const bool ok = NumberIn(v, &(*values)[i]);
    VariantClear(&v);
    if (!ok) return DISP_E_TYPEMISMATCH;
  }
  return S_OK;
}

HRESULT Read(const VARIANT& arg, std::vector<double>* values) {
  const VARIANT* v = &arg;
  for (int depth = 0; V_VT(v) == (VT_BYREF | VT_VARIANT); ++depth) {
    if (depth == kMaxIndirections || !V_VARIANTREF(v)) return DISP_E_TYPEMISMATCH;
    v = V_VARIANTREF(v);
  }
  const VARTYPE vt = V_VT(v);
  if (vt & VT_ARRAY) {
    SAFEARRAY* array = V_ARRAY(v);
    if (vt & VT_BYREF) array = V_ARRAYREF(v) ? *V_ARRAYREF(v) : nullptr;
    return ReadArray(array, vt & VT_TYPEMASK, values);
  }
  if (vt == VT_DISPATCH) return ReadScriptArray(V_DISPATCH(v), values);
  if (vt == (VT_BYREF | VT_DISPATCH))
    return ReadScriptArray(V_DISPATCHREF(v) ? *V_DISPATCHREF(v) : nullptr, values);
  return DISP_E_TYPEMISMATCH;
}

}  // namespace

HRESULT ReadNumbers(const VARIANT& arg, std::vector<double>* values) {
  values->clear();
  HRESULT hr;
  try {
    hr = Read(arg, values);
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  }
  if (FAILED(hr)) values->clear();
  return hr;
}

}  // namespace corvane
