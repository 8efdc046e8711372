// ICorvaneEx3 and its hit object as a client meets them: QueryInterface, their description in
// the type library, every member through the vtable, and both by name through IDispatch.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/win/ex2_support.h"

namespace corvane::wintest {
namespace {

enum Kind { kMethod, kGet, kPut };
struct Member {
  const wchar_t* name;
  DISPID id;
  Kind kind;
};
constexpr Member kChartMembers[] = {
    {L"WorldXMin", 0x300, kGet},       {L"WorldXMax", 0x301, kGet},
    {L"WorldYMin", 0x302, kGet},       {L"WorldYMax", 0x303, kGet},
    {L"PlotAreaLeft", 0x304, kGet},    {L"PlotAreaTop", 0x305, kGet},
    {L"PlotAreaRight", 0x306, kGet},   {L"PlotAreaBottom", 0x307, kGet},
    {L"WorldToPixelX", 0x308, kMethod}, {L"WorldToPixelY", 0x309, kMethod},
    {L"PixelToWorldX", 0x30A, kMethod}, {L"PixelToWorldY", 0x30B, kMethod},
    {L"PointX", 0x30C, kGet},          {L"PointY", 0x30D, kGet},
    {L"HitTest", 0x30E, kMethod},
    {L"PlotCapacity", 0x340, kGet},    {L"PlotCapacity", 0x340, kPut},
    {L"XAxisType", 0x320, kGet},       {L"XAxisType", 0x320, kPut},
    {L"YAxisType", 0x321, kGet},       {L"YAxisType", 0x321, kPut},
    {L"XLabelFormat", 0x322, kGet},    {L"XLabelFormat", 0x322, kPut},
    {L"YLabelFormat", 0x323, kGet},    {L"YLabelFormat", 0x323, kPut},
    {L"FitSegmentToData", 0x324, kMethod},
    {L"TickCount", 0x325, kGet},       {L"TickValue", 0x326, kGet},
    {L"TickLabel", 0x327, kGet},
    {L"Antialias", 0x360, kGet},       {L"Antialias", 0x360, kPut},
    {L"PixelScale", 0x361, kGet},      {L"PixelScale", 0x361, kPut},
    {L"SaveToSvg", 0x362, kMethod},
};
constexpr Member kHitMembers[] = {
    {L"Kind", 1, kGet}, {L"Plot", 2, kGet}, {L"Index", 3, kGet},
    {L"X", 4, kGet},    {L"Y", 5, kGet},    {L"Distance", 6, kGet},
};

std::wstring Name(ITypeInfo* info, MEMBERID id, std::wstring* help = nullptr) {
  Bstr name, doc;
  info->GetDocumentation(id, name.out(), doc.out(), nullptr, nullptr);
  if (help) *help = doc.str();
  return name.str();
}

// The vtable side of a dual interface, its member count and the name of its parent.
struct Described {
  ComPtr<ITypeInfo> itf;
  UINT funcs = 0;
  WORD flags = 0;
  std::wstring parent;
};
void Describe(ITypeLib* lib, REFIID iid, Described* d) {
  ComPtr<ITypeInfo> disp;
  HREFTYPE ref = 0;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(iid, disp.out()), S_OK);
  ASSERT_EQ(disp->GetRefTypeOfImplType(-1, &ref), S_OK);
  ASSERT_EQ(disp->GetRefTypeInfo(ref, d->itf.out()), S_OK);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(d->itf->GetTypeAttr(&attr), S_OK);
  d->funcs = attr->cFuncs;
  d->flags = attr->wTypeFlags;
  d->itf->ReleaseTypeAttr(attr);
  ComPtr<ITypeInfo> parent;
  ASSERT_EQ(d->itf->GetRefTypeOfImplType(0, &ref), S_OK);
  ASSERT_EQ(d->itf->GetRefTypeInfo(ref, parent.out()), S_OK);
  d->parent = Name(parent.get(), MEMBERID_NIL);
}

void ExpectMembers(const Described& d, const Member* members, UINT count, UINT firstSlot) {
  ASSERT_EQ(d.funcs, count);
  for (UINT i = 0; i < count; ++i) {
    FUNCDESC* fd = nullptr;
    ASSERT_EQ(d.itf->GetFuncDesc(i, &fd), S_OK);
    std::wstring help;
    // A type library keeps one spelling of each name: the hit object's Plot and Index read
    // "plot" and "index", as the older interfaces' parameters spell them.
    const std::wstring name = Name(d.itf.get(), fd->memid, &help);
    EXPECT_EQ(_wcsicmp(name.c_str(), members[i].name), 0) << members[i].name;
    EXPECT_EQ(fd->memid, members[i].id);
    EXPECT_EQ(fd->invkind, members[i].kind == kMethod ? INVOKE_FUNC
                           : members[i].kind == kGet ? INVOKE_PROPERTYGET
                                                     : INVOKE_PROPERTYPUT);
    EXPECT_EQ(help, std::wstring(members[i].kind == kMethod ? L"method " : L"property ") +
                        members[i].name);
    EXPECT_EQ(fd->oVft, static_cast<SHORT>((firstSlot + i) * sizeof(void*)));
    d.itf->ReleaseFuncDesc(fd);
  }
}

TEST(Ex3Interface, TheTypeLibraryDescribesTheThirdInterfaceAndTheHitObject) {
  ServerModule module;
  ASSERT_TRUE(module.loaded());
  ComPtr<ITypeLib> lib;
  ASSERT_EQ(LoadTypeLibEx(module.path().c_str(), REGKIND_NONE, lib.out()), S_OK);

  ComPtr<ITypeInfo> cls;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(CLSID_CorvaneEx, cls.out()), S_OK);
  HREFTYPE ref = 0;
  ComPtr<ITypeInfo> listed;
  ASSERT_EQ(cls->GetRefTypeOfImplType(2, &ref), S_OK);
  ASSERT_EQ(cls->GetRefTypeInfo(ref, listed.out()), S_OK);
  EXPECT_EQ(Name(listed.get(), MEMBERID_NIL), L"ICorvaneEx3");

  Described ex, ex2, ex3, hit;
  Describe(lib.get(), IID_ICorvaneEx, &ex);
  Describe(lib.get(), IID_ICorvaneEx2, &ex2);
  Describe(lib.get(), IID_ICorvaneEx3, &ex3);
  Describe(lib.get(), IID_ICorvaneHit, &hit);
  const WORD want = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE;
  EXPECT_EQ(ex3.flags & want, want);
  EXPECT_EQ(hit.flags & want, want);
  EXPECT_EQ(ex3.parent, L"ICorvaneEx2");
  EXPECT_EQ(hit.parent, L"IDispatch");
  // After IUnknown, IDispatch and every slot of the two interfaces below.
  ExpectMembers(ex3, kChartMembers, std::size(kChartMembers), 7 + ex.funcs + ex2.funcs);
  ExpectMembers(hit, kHitMembers, std::size(kHitMembers), 7);

  // The hit object is described, never creatable: no coclass names ICorvaneHit.
  for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
    TYPEKIND kind;
    ASSERT_EQ(lib->GetTypeInfoType(i, &kind), S_OK);
    if (kind != TKIND_COCLASS) continue;
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(lib->GetTypeInfo(i, coclass.out()), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attr), S_OK);
    for (UINT k = 0; k < attr->cImplTypes; ++k) {
      ComPtr<ITypeInfo> impl;
      ASSERT_EQ(coclass->GetRefTypeOfImplType(k, &ref), S_OK);
      ASSERT_EQ(coclass->GetRefTypeInfo(ref, impl.out()), S_OK);
      EXPECT_NE(Name(impl.get(), MEMBERID_NIL), L"ICorvaneHit");
    }
    coclass->ReleaseTypeAttr(attr);
  }

  // CorvaneHitKind: the numbers scripts compare Kind with.
  const wchar_t* kinds[] = {L"cvHitNothing",     L"cvHitPoint",       L"cvHitLine",
                            L"cvHitMark",        L"cvHitCandleStick", L"cvHitRectangle",
                            L"cvHitPolygon",     L"cvHitLegendEntry"};
  ComPtr<ITypeInfo> kindEnum;
  for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(lib->GetTypeInfo(i, info.out()), S_OK);
    if (Name(info.get(), MEMBERID_NIL) != L"CorvaneHitKind") continue;
    info->AddRef();
    kindEnum.Attach(info.get());
  }
  ASSERT_TRUE(kindEnum);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(kindEnum->GetTypeAttr(&attr), S_OK);
  EXPECT_EQ(attr->typekind, TKIND_ENUM);
  ASSERT_EQ(attr->cVars, 8);
  kindEnum->ReleaseTypeAttr(attr);
  for (UINT i = 0; i < 8; ++i) {
    VARDESC* var = nullptr;
    ASSERT_EQ(kindEnum->GetVarDesc(i, &var), S_OK);
    EXPECT_EQ(Name(kindEnum.get(), var->memid), kinds[i]);
    EXPECT_EQ(V_I4(var->lpvarValue), static_cast<LONG>(i));
    kindEnum->ReleaseVarDesc(var);
  }
}

class Ex3Chart : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module_.loaded());
    ComPtr<ICorvaneEx> first(module_.CreateObject());
    ASSERT_TRUE(first);
    ASSERT_EQ(first->QueryInterface(IID_ICorvaneEx3, chart_.out_void()), S_OK);
    EXPECT_EQ(static_cast<void*>(chart_.get()), static_cast<void*>(first.get()));
    chart_->SetSize(400, 300);
    chart_->put_plotsCount(1);
    chart_->SetSimplePlot(1);
    chart_->SetSegment(1, 3);
    for (int k = 1; k <= 3; ++k) chart_->AddPointToPlot(1, k, k * k);
  }
  ServerModule module_;
  ComPtr<ICorvaneEx3> chart_;
};

TEST_F(Ex3Chart, EveryMemberThroughTheVtable) {
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  ASSERT_EQ(chart_->get_WorldXMin(&xmin), S_OK);
  ASSERT_EQ(chart_->get_WorldXMax(&xmax), S_OK);
  ASSERT_EQ(chart_->get_WorldYMin(&ymin), S_OK);
  ASSERT_EQ(chart_->get_WorldYMax(&ymax), S_OK);
  EXPECT_EQ(xmin, 1);
  EXPECT_EQ(xmax, 3);
  EXPECT_DOUBLE_EQ(ymin, 1 - 0.8);
  EXPECT_DOUBLE_EQ(ymax, 9 + 0.8);
  LONG left = 0, top = 0, right = 0, bottom = 0;
  ASSERT_EQ(chart_->get_PlotAreaLeft(&left), S_OK);
  ASSERT_EQ(chart_->get_PlotAreaTop(&top), S_OK);
  ASSERT_EQ(chart_->get_PlotAreaRight(&right), S_OK);
  ASSERT_EQ(chart_->get_PlotAreaBottom(&bottom), S_OK);
  EXPECT_EQ(left, 65);
  EXPECT_EQ(top, 60);
  EXPECT_EQ(right, 335);
  EXPECT_EQ(bottom, 265);
  double px = 0, py = 0, back = 0;
  ASSERT_EQ(chart_->WorldToPixelX(2, &px), S_OK);
  ASSERT_EQ(chart_->WorldToPixelY(4, &py), S_OK);
  EXPECT_DOUBLE_EQ(px, 200);
  ASSERT_EQ(chart_->PixelToWorldX(px, &back), S_OK);
  EXPECT_DOUBLE_EQ(back, 2);
  ASSERT_EQ(chart_->PixelToWorldY(py, &back), S_OK);
  EXPECT_NEAR(back, 4, 1e-12);
  double v = 0;
  ASSERT_EQ(chart_->get_PointX(1, 3, &v), S_OK);
  EXPECT_EQ(v, 3);
  ASSERT_EQ(chart_->get_PointY(1, 3, &v), S_OK);
  EXPECT_EQ(v, 9);

  ComPtr<ICorvaneHit> hit;
  ASSERT_EQ(chart_->HitTest(px + 1, py, 3, hit.out()), S_OK);
  ASSERT_TRUE(hit);
  CorvaneHitKind kind = cvHitNothing;
  LONG plot = 0, index = 0;
  double x = 0, y = 0, distance = 0;
  ASSERT_EQ(hit->get_Kind(&kind), S_OK);
  ASSERT_EQ(hit->get_Plot(&plot), S_OK);
  ASSERT_EQ(hit->get_Index(&index), S_OK);
  ASSERT_EQ(hit->get_X(&x), S_OK);
  ASSERT_EQ(hit->get_Y(&y), S_OK);
  ASSERT_EQ(hit->get_Distance(&distance), S_OK);
  EXPECT_EQ(kind, cvHitPoint);
  EXPECT_EQ(plot, 1);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 4);
  EXPECT_DOUBLE_EQ(distance, 1);
  // The answer stays what it was when the chart changes.
  chart_->DisposePlot(1);
  ASSERT_EQ(hit->get_Index(&index), S_OK);
  EXPECT_EQ(index, 2);
  ComPtr<IDispatch> disp;
  EXPECT_EQ(hit->QueryInterface(IID_IDispatch, disp.out_void()), S_OK);
  ComPtr<ICorvaneEx> notAChart;
  EXPECT_EQ(hit->QueryInterface(IID_ICorvaneEx, notAChart.out_void()), E_NOINTERFACE);

  // A capacity keeps the newest points: of four, the oldest two go.
  for (int k = 1; k <= 4; ++k) chart_->AddPointToPlot2(1, k * 10);
  LONG capacity = -1;
  ASSERT_EQ(chart_->get_PlotCapacity(1, &capacity), S_OK);
  EXPECT_EQ(capacity, 0);
  ASSERT_EQ(chart_->put_PlotCapacity(1, 2), S_OK);
  ASSERT_EQ(chart_->get_PlotCapacity(1, &capacity), S_OK);
  EXPECT_EQ(capacity, 2);
  ASSERT_EQ(chart_->get_PointX(1, 1, &v), S_OK);
  EXPECT_EQ(v, 3);
  // Antialiasing is off until it is turned on; any nonzero VARIANT_BOOL turns it on.
  VARIANT_BOOL smooth = 42;
  ASSERT_EQ(chart_->get_Antialias(&smooth), S_OK);
  EXPECT_EQ(smooth, VARIANT_FALSE);
  ASSERT_EQ(chart_->put_Antialias(1), S_OK);
  ASSERT_EQ(chart_->get_Antialias(&smooth), S_OK);
  EXPECT_EQ(smooth, VARIANT_TRUE);
  // The pixel scale takes 1 to 4; anything else is refused and the value stays.
  double scale = 0;
  ASSERT_EQ(chart_->get_PixelScale(&scale), S_OK);
  EXPECT_EQ(scale, 1);
  ASSERT_EQ(chart_->put_PixelScale(1.5), S_OK);
  EXPECT_EQ(chart_->put_PixelScale(4.01), E_INVALIDARG);
  EXPECT_EQ(chart_->put_PixelScale(std::nan("")), E_INVALIDARG);
  ASSERT_EQ(chart_->get_PixelScale(&scale), S_OK);
  EXPECT_EQ(scale, 1.5);
}

TEST_F(Ex3Chart, RefusedCallsAnswerTheirCodes) {
  double v = 42;
  EXPECT_EQ(chart_->get_PointX(0, 1, &v), E_INVALIDARG);
  EXPECT_EQ(chart_->get_PointY(1, 4, &v), E_INVALIDARG);
  EXPECT_EQ(chart_->WorldToPixelX(std::nan(""), &v), E_INVALIDARG);
  EXPECT_EQ(v, 42);
  EXPECT_EQ(chart_->WorldToPixelY(1, nullptr), E_POINTER);
  ComPtr<ICorvaneHit> hit;
  EXPECT_EQ(chart_->HitTest(1, 1, -1, hit.out()), E_INVALIDARG);
  EXPECT_FALSE(hit);
  EXPECT_EQ(chart_->HitTest(1, 1, 1, nullptr), E_POINTER);
  LONG capacity = 42;
  EXPECT_EQ(chart_->get_PlotCapacity(9, &capacity), E_INVALIDARG);
  EXPECT_EQ(capacity, 42);
  EXPECT_EQ(chart_->put_PlotCapacity(0, 5), E_INVALIDARG);
  EXPECT_EQ(chart_->put_PlotCapacity(1, -1), E_INVALIDARG);
  EXPECT_EQ(chart_->get_PlotCapacity(1, nullptr), E_POINTER);
  EXPECT_EQ(chart_->get_Antialias(nullptr), E_POINTER);
  chart_->SetSize(0, 300);
  LONG edge = 42;
  EXPECT_EQ(chart_->get_PlotAreaLeft(&edge), E_INVALIDARG);
  EXPECT_EQ(edge, 42);
  ASSERT_EQ(chart_->HitTest(100, 100, 5, hit.out()), S_OK);
  CorvaneHitKind kind = cvHitPoint;
  ASSERT_EQ(hit->get_Kind(&kind), S_OK);
  EXPECT_EQ(kind, cvHitNothing);
}

TEST_F(Ex3Chart, AHitObjectKeepsTheModuleLoaded) {
  ComPtr<ICorvaneHit> hit;
  ASSERT_EQ(chart_->HitTest(0, 0, 0, hit.out()), S_OK);
  chart_.Reset();
  EXPECT_EQ(module_.DllCanUnloadNow(), S_FALSE);
  hit.Reset();
  EXPECT_EQ(module_.DllCanUnloadNow(), S_OK);
}

// By name, as scripts call: the chart's IDispatch, then the hit object's.
HRESULT Invoke(IDispatch* obj, const wchar_t* name, WORD flags, std::vector<VARIANT> argsReversed,
               VARIANT* result) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT found = obj->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(found)) return found;
  DISPPARAMS params{argsReversed.data(), nullptr, static_cast<UINT>(argsReversed.size()), 0};
  EXCEPINFO ex{};
  UINT argErr = 0;
  const HRESULT hr = obj->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &ex, &argErr);
  SysFreeString(ex.bstrSource);
  SysFreeString(ex.bstrDescription);
  SysFreeString(ex.bstrHelpFile);
  return hr == DISP_E_EXCEPTION ? ex.scode : hr;
}

VARIANT R8(double v) {
  VARIANT r;
  V_VT(&r) = VT_R8;
  V_R8(&r) = v;
  return r;
}

TEST_F(Ex3Chart, BothObjectsByName) {
  ComPtr<IDispatch> disp;
  ASSERT_EQ(chart_->QueryInterface(IID_IDispatch, disp.out_void()), S_OK);
  for (const Member& m : kChartMembers) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(m.name)};
    DISPID id = 0;
    EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, m.id);
  }
  Variant x;
  ASSERT_EQ(Invoke(disp.get(), L"worldtopixelx", DISPATCH_METHOD, {R8(2)}, x.get()), S_OK);
  ASSERT_EQ(V_VT(x.get()), VT_R8);
  EXPECT_DOUBLE_EQ(V_R8(x.get()), 200);
  // The middle of the segment from (1, 1) to (2, 4), far from both points.
  Variant mx, my, found;
  ASSERT_EQ(Invoke(disp.get(), L"WorldToPixelX", DISPATCH_METHOD, {R8(1.5)}, mx.get()), S_OK);
  ASSERT_EQ(Invoke(disp.get(), L"WorldToPixelY", DISPATCH_METHOD, {R8(2.5)}, my.get()), S_OK);
  ASSERT_EQ(Invoke(disp.get(), L"HitTest", DISPATCH_METHOD, {R8(4), my.value(), mx.value()},
                   found.get()),
            S_OK);
  // A script gets an object it can ask by name.
  ASSERT_EQ(V_VT(found.get()), VT_DISPATCH);
  IDispatch* hit = V_DISPATCH(found.get());
  Variant kind, index;
  ASSERT_EQ(Invoke(hit, L"Kind", DISPATCH_PROPERTYGET, {}, kind.get()), S_OK);
  ASSERT_EQ(VariantChangeType(kind.get(), kind.get(), 0, VT_I4), S_OK);
  EXPECT_EQ(V_I4(kind.get()), cvHitLine);
  ASSERT_EQ(Invoke(hit, L"index", DISPATCH_PROPERTYGET, {}, index.get()), S_OK);
  EXPECT_EQ(V_I4(index.get()), 1);
  // Each object answers its own names only.
  Variant none;
  EXPECT_EQ(Invoke(disp.get(), L"Distance", DISPATCH_PROPERTYGET, {}, none.get()), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(Invoke(hit, L"HitTest", DISPATCH_METHOD, {}, none.get()), DISP_E_UNKNOWNNAME);
  VARIANT bad[] = {R8(-1), R8(1), R8(1)};
  EXPECT_EQ(Invoke(disp.get(), L"HitTest", DISPATCH_METHOD, {bad[0], bad[1], bad[2]}, none.get()),
            E_INVALIDARG);
  // The object's own description stays ICorvaneEx; the hit object's is ICorvaneHit.
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(disp->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.out()), S_OK);
  EXPECT_EQ(Name(info.get(), MEMBERID_NIL), L"ICorvaneEx");
  ASSERT_EQ(hit->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.out()), S_OK);
  EXPECT_EQ(Name(info.get(), MEMBERID_NIL), L"ICorvaneHit");
}

}  // namespace
}  // namespace corvane::wintest
