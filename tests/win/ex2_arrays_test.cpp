// AddPointsToPlot, AddPointsToPlot2 and PointCount through the ICorvaneEx2 vtable: arrays of
// every element type and lower bound, by value and by reference, script-style arrays, and
// all or nothing when an array is refused.
#include <gtest/gtest.h>

#include <functional>

#include "tests/win/ex2_support.h"

namespace corvane::wintest {
namespace {

// A JScript array as a host sees it: an IDispatch with `length` and the elements "0", "1"...
// A hole is an element that is not there.
class ScriptArray final : public IDispatch {
 public:
  ScriptArray(std::vector<double> values, int hole = -1) : values_(std::move(values)), hole_(hole) {}
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
      *ppv = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override { return --refs_; }  // lives on the stack
  STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) override {
    const std::wstring name = names[0];
    if (name == L"length") {
      *id = 1;
      return S_OK;
    }
    const int index = _wtoi(name.c_str());
    if (std::to_wstring(index) != name || index < 0 || index >= static_cast<int>(values_.size()) ||
        index == hole_)
      return DISP_E_UNKNOWNNAME;
    *id = 100 + index;
    return S_OK;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                      UINT*) override {
    if (id == 1) {
      V_VT(result) = VT_I4;
      V_I4(result) = static_cast<LONG>(values_.size());
    } else {
      V_VT(result) = VT_R8;
      V_R8(result) = values_[id - 100];
    }
    return S_OK;
  }

 private:
  std::vector<double> values_;
  int hole_;
  ULONG refs_ = 1;
};

class ArraysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module_.loaded());
    dir_ = MakeTempDir(L"arrays");
  }
  void TearDown() override { RemoveTree(dir_); }
  // A 160 x 120 chart of two plots; the caller owns the reference.
  ICorvaneEx2* NewChart() {
    ICorvaneEx2* chart = CreateChart2(module_);
    if (chart) {
      chart->SetSize(160, 120);
      chart->put_plotsCount(2);
      chart->SetSegment(0, 20);  // every X value of the tests in view
      // Grid labels test their background at random places, so two renders of one chart
      // may keep different labels; without them the pictures must agree exactly.
      chart->put_gridVisible(3);
    }
    return chart;
  }
  LONG Count(ICorvaneEx2* chart, LONG plot) {
    LONG n = -1;
    EXPECT_EQ(chart->get_PointCount(plot, &n), S_OK);
    return n;
  }
  ServerModule module_;
  std::wstring dir_;
};

const std::vector<double> kIntegers = {3, -1, 4, 1, -5, 9, 2, 6, 5, -3};
const std::vector<double> kBytes = {3, 1, 4, 1, 5, 9, 200, 6};
const std::vector<double> kFractions = {0.5, -1.25, 3.75, 2, -0.5, 7.25, 1.5};

struct ArrayCase {
  const char* name;
  VARTYPE vt;
  LONG lowerBound;
  const std::vector<double>* values;
  bool byReference;  // VT_BYREF | VT_ARRAY, as VB6 passes a typed array to a VARIANT
};

TEST_F(ArraysTest, EveryElementTypeAndLowerBoundAddsWhatOnePointCallsAdd) {
  const ArrayCase cases[] = {
      {"Double", VT_R8, 0, &kFractions, false},   {"Double from 1", VT_R8, 1, &kFractions, true},
      {"Single", VT_R4, -3, &kFractions, false},  {"Long", VT_I4, 5, &kIntegers, false},
      {"Integer", VT_I2, 0, &kIntegers, true},    {"Byte", VT_UI1, 2, &kBytes, false},
      {"Currency", VT_CY, 0, &kFractions, false}, {"Decimal", VT_DECIMAL, -1, &kFractions, true},
      {"Variant", VT_VARIANT, 7, &kFractions, false}, {"64-bit", VT_I8, 0, &kIntegers, false},
  };
  for (const ArrayCase& c : cases) {
    ComPtr<ICorvaneEx2> bulk(NewChart()), single(NewChart());
    ASSERT_TRUE(bulk && single);
    const std::vector<double>& v = *c.values;
    std::vector<double> x(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) x[i] = 2.0 * i + 1;  // fits every type
    Variant xs, ys;
    MakeArray(c.vt, c.lowerBound, x, xs.get());
    MakeArray(c.vt, c.lowerBound, v, ys.get());
    VARIANT xArg = xs.value(), yArg = ys.value();
    SAFEARRAY* xArray = V_ARRAY(&xArg);
    SAFEARRAY* yArray = V_ARRAY(&yArg);
    if (c.byReference) {
      V_VT(&xArg) |= VT_BYREF;
      V_ARRAYREF(&xArg) = &xArray;
      V_VT(&yArg) |= VT_BYREF;
      V_ARRAYREF(&yArg) = &yArray;
    }
    ASSERT_EQ(bulk->AddPointsToPlot(1, xArg, yArg), S_OK) << c.name;
    ASSERT_EQ(bulk->AddPointsToPlot2(2, yArg), S_OK) << c.name;
    for (std::size_t i = 0; i < v.size(); ++i) {
      single->AddPointToPlot(1, x[i], v[i]);
      single->AddPointToPlot2(2, v[i]);
    }
    EXPECT_EQ(Count(bulk.get(), 1), static_cast<LONG>(v.size())) << c.name;
    EXPECT_EQ(Count(bulk.get(), 2), static_cast<LONG>(v.size())) << c.name;
    const Pixels a = SavedPixels(bulk.get(), dir_), b = SavedPixels(single.get(), dir_);
    ASSERT_FALSE(a.bits.empty());
    EXPECT_TRUE(a == b) << c.name << ": the chart differs from one-point calls";
  }
}

TEST_F(ArraysTest, ScriptStyleArraysByReferenceAndThroughIDispatch) {
  ComPtr<ICorvaneEx2> bulk(NewChart()), single(NewChart());
  ASSERT_TRUE(bulk && single);
  // VBScript hands its array variable over as VT_BYREF | VT_VARIANT.
  Variant held;
  MakeArray(VT_VARIANT, 0, kFractions, held.get());
  VARIANT byRef;
  V_VT(&byRef) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&byRef) = held.get();
  ScriptArray jsY(kFractions);
  VARIANT js;
  V_VT(&js) = VT_DISPATCH;
  V_DISPATCH(&js) = &jsY;
  ASSERT_EQ(bulk->AddPointsToPlot(1, byRef, js), S_OK);
  ASSERT_EQ(bulk->AddPointsToPlot2(2, js), S_OK);
  for (double y : kFractions) {
    single->AddPointToPlot(1, y, y);
    single->AddPointToPlot2(2, y);
  }
  EXPECT_EQ(Count(bulk.get(), 1), static_cast<LONG>(kFractions.size()));
  EXPECT_TRUE(SavedPixels(bulk.get(), dir_) == SavedPixels(single.get(), dir_));
}

TEST_F(ArraysTest, RefusedArraysAddNothing) {
  ComPtr<ICorvaneEx2> chart(NewChart());
  ASSERT_TRUE(chart);
  chart->AddPointToPlot(1, 1, 1);
  chart->AddPointToPlot(1, 2, 2);

  Variant three, two, strings, bools, matrix, lying, withText, withEmpty;
  MakeArray(VT_R8, 0, {1, 2, 3}, three.get());
  MakeArray(VT_I4, 1, {1, 2}, two.get());
  MakeArray(VT_VARIANT, 0, {1, 2, 3}, withText.get());
  MakeArray(VT_VARIANT, 0, {1, 2, 3}, withEmpty.get());
  {
    LONG at = 1;
    VARIANT text;
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"3");
    SafeArrayPutElement(V_ARRAY(withText.get()), &at, &text);
    VariantClear(&text);
    VARIANT empty;
    VariantInit(&empty);
    at = 2;
    SafeArrayPutElement(V_ARRAY(withEmpty.get()), &at, &empty);
  }
  SAFEARRAYBOUND b2{3, 0};
  V_VT(strings.get()) = VT_ARRAY | VT_BSTR;
  V_ARRAY(strings.get()) = SafeArrayCreate(VT_BSTR, 1, &b2);
  V_VT(bools.get()) = VT_ARRAY | VT_BOOL;
  V_ARRAY(bools.get()) = SafeArrayCreate(VT_BOOL, 1, &b2);
  SAFEARRAYBOUND b3[2] = {{3, 0}, {1, 0}};
  V_VT(matrix.get()) = VT_ARRAY | VT_R8;
  V_ARRAY(matrix.get()) = SafeArrayCreate(VT_R8, 2, b3);
  // Declared as doubles, holding 4-byte integers.
  V_VT(lying.get()) = VT_ARRAY | VT_R8;
  V_ARRAY(lying.get()) = SafeArrayCreate(VT_I4, 1, &b2);
  VARIANT scalar, nothing, noArray;
  V_VT(&scalar) = VT_R8;
  V_R8(&scalar) = 4;
  VariantInit(&nothing);
  V_VT(&noArray) = VT_DISPATCH;
  V_DISPATCH(&noArray) = chart.get();  // an object without `length`
  ScriptArray holed({1, 2, 3}, 1);
  VARIANT js;
  V_VT(&js) = VT_DISPATCH;
  V_DISPATCH(&js) = &holed;

  // Each refused on its own, as either array of either member.
  struct Refusal {
    const char* name;
    VARIANT bad;
    HRESULT expected;
  } const refusals[] = {
      {"a string element", withText.value(), DISP_E_TYPEMISMATCH},
      {"an Empty element", withEmpty.value(), DISP_E_TYPEMISMATCH},
      {"an array of strings", strings.value(), DISP_E_TYPEMISMATCH},
      {"an array of booleans", bools.value(), DISP_E_TYPEMISMATCH},
      {"two dimensions", matrix.value(), DISP_E_BADVARTYPE},
      {"element size contradicts the type", lying.value(), DISP_E_BADVARTYPE},
      {"a number, not an array", scalar, DISP_E_TYPEMISMATCH},
      {"nothing", nothing, DISP_E_TYPEMISMATCH},
      {"an object without length", noArray, DISP_E_TYPEMISMATCH},
      {"a script array with a hole", js, DISP_E_TYPEMISMATCH},
  };
  const Pixels before = SavedPixels(chart.get(), dir_);
  EXPECT_EQ(chart->AddPointsToPlot(1, three.value(), two.value()), E_INVALIDARG) << "lengths";
  for (const Refusal& r : refusals) {
    EXPECT_EQ(chart->AddPointsToPlot(1, three.value(), r.bad), r.expected) << r.name;
    EXPECT_EQ(chart->AddPointsToPlot(1, r.bad, three.value()), r.expected) << r.name;
    EXPECT_EQ(chart->AddPointsToPlot2(1, r.bad), r.expected) << r.name;
  }
  EXPECT_EQ(Count(chart.get(), 1), 2);
  EXPECT_TRUE(SavedPixels(chart.get(), dir_) == before);
}

TEST_F(ArraysTest, EmptyArraysAndPlotIndicesFollowTheOnePointRules) {
  ComPtr<ICorvaneEx2> chart(NewChart());
  ASSERT_TRUE(chart);
  Variant empty, some;
  MakeArray(VT_VARIANT, 0, {}, empty.get());
  MakeArray(VT_R8, 0, {1, 2}, some.get());
  VARIANT undimensioned;  // Dim a() before any ReDim
  V_VT(&undimensioned) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&undimensioned) = nullptr;
  EXPECT_EQ(chart->AddPointsToPlot(1, empty.value(), empty.value()), S_OK);
  EXPECT_EQ(chart->AddPointsToPlot2(1, undimensioned), S_OK);
  EXPECT_EQ(Count(chart.get(), 1), 0);
  // Plots beyond plotsCount are filled; indices outside 1..8 are ignored.
  EXPECT_EQ(chart->AddPointsToPlot(8, some.value(), some.value()), S_OK);
  EXPECT_EQ(Count(chart.get(), 8), 2);
  for (LONG plot : {0L, 9L, -1L}) {
    EXPECT_EQ(chart->AddPointsToPlot2(plot, some.value()), S_OK);
    EXPECT_EQ(Count(chart.get(), plot), 0);
  }
  EXPECT_EQ(chart->get_PointCount(1, nullptr), E_POINTER);
}

}  // namespace
}  // namespace corvane::wintest
