// What the type library says of the chart control, and its IDispatch: IChartControl derives
// from ICorvaneEx3 with its own members from 0x400, the coclass names the event source, every
// chart member answers by name on the control, and the automation class learns none of the
// control's names.
#include <gtest/gtest.h>

#include <string>

#include "tests/win/test_support.h"

namespace corvane::wintest {
namespace {

std::wstring Name(ITypeInfo* info, MEMBERID id) {
  Bstr name;
  info->GetDocumentation(id, name.out(), nullptr, nullptr, nullptr);
  return name.str();
}

DISPID IdOf(IDispatch* d, const wchar_t* name, HRESULT* hr) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  *hr = d->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

TEST(ControlTypeLibrary, InterfaceEventsAndCoclass) {
  ServerModule module;
  ASSERT_TRUE(module.loaded());
  ComPtr<ITypeLib> lib;
  ASSERT_EQ(LoadTypeLibEx(module.path().c_str(), REGKIND_NONE, lib.out()), S_OK);

  ComPtr<ITypeInfo> disp, itf, base;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(IID_IChartControl, disp.out()), S_OK);
  HREFTYPE ref = 0;
  ASSERT_EQ(disp->GetRefTypeOfImplType(-1, &ref), S_OK);
  ASSERT_EQ(disp->GetRefTypeInfo(ref, itf.out()), S_OK);
  TYPEATTR* ta = nullptr;
  ASSERT_EQ(itf->GetTypeAttr(&ta), S_OK);
  const WORD want = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE;
  EXPECT_EQ(ta->wTypeFlags & want, want);
  const struct {
    const wchar_t* name;
    DISPID id;
    INVOKEKIND kind;
  } own[] = {{L"ZoomMode", 0x400, INVOKE_PROPERTYGET}, {L"ZoomMode", 0x400, INVOKE_PROPERTYPUT},
             {L"PanMode", 0x401, INVOKE_PROPERTYGET},  {L"PanMode", 0x401, INVOKE_PROPERTYPUT},
             {L"HoverInfo", 0x402, INVOKE_PROPERTYGET}, {L"HoverInfo", 0x402, INVOKE_PROPERTYPUT},
             {L"Crosshair", 0x403, INVOKE_PROPERTYGET}, {L"Crosshair", 0x403, INVOKE_PROPERTYPUT},
             {L"ResetZoom", 0x404, INVOKE_FUNC},        {L"Refresh", 0x405, INVOKE_FUNC}};
  ASSERT_EQ(ta->cFuncs, std::size(own));
  itf->ReleaseTypeAttr(ta);
  for (UINT i = 0; i < std::size(own); ++i) {
    FUNCDESC* fd = nullptr;
    ASSERT_EQ(itf->GetFuncDesc(i, &fd), S_OK);
    EXPECT_EQ(fd->memid, own[i].id);
    EXPECT_EQ(fd->invkind, own[i].kind);
    EXPECT_EQ(Name(itf.get(), fd->memid), own[i].name);
    itf->ReleaseFuncDesc(fd);
  }
  ASSERT_EQ(itf->GetRefTypeOfImplType(0, &ref), S_OK);
  ASSERT_EQ(itf->GetRefTypeInfo(ref, base.out()), S_OK);
  EXPECT_EQ(Name(base.get(), MEMBERID_NIL), L"ICorvaneEx3");

  // The events: a dispinterface, Click .. Zoomed as 1 .. 7.
  ComPtr<ITypeInfo> events;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(DIID__IChartControlEvents, events.out()), S_OK);
  ASSERT_EQ(events->GetTypeAttr(&ta), S_OK);
  EXPECT_EQ(ta->typekind, TKIND_DISPATCH);
  ASSERT_EQ(ta->cFuncs, 7);
  events->ReleaseTypeAttr(ta);
  const wchar_t* eventNames[] = {L"Click",    L"DblClick",   L"MouseDown", L"MouseMove",
                                 L"MouseUp",  L"PointClick", L"Zoomed"};
  const UINT argCounts[] = {6, 6, 4, 4, 4, 4, 2};
  for (UINT i = 0; i < 7; ++i) {
    FUNCDESC* fd = nullptr;
    ASSERT_EQ(events->GetFuncDesc(i, &fd), S_OK);
    EXPECT_EQ(fd->memid, static_cast<MEMBERID>(i + 1));
    EXPECT_EQ(static_cast<UINT>(fd->cParams), argCounts[i]);
    EXPECT_EQ(Name(events.get(), fd->memid), eventNames[i]);
    events->ReleaseFuncDesc(fd);
  }

  // The coclass: a control, IChartControl by default, the events as its default source.
  ComPtr<ITypeInfo> cls;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(CLSID_ChartControl, cls.out()), S_OK);
  ASSERT_EQ(cls->GetTypeAttr(&ta), S_OK);
  EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FCANCREATE);
  EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FCONTROL);
  ASSERT_EQ(ta->cImplTypes, 2);
  cls->ReleaseTypeAttr(ta);
  INT flags = 0;
  ComPtr<ITypeInfo> impl;
  ASSERT_EQ(cls->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
  ASSERT_EQ(cls->GetRefTypeOfImplType(0, &ref), S_OK);
  ASSERT_EQ(cls->GetRefTypeInfo(ref, impl.out()), S_OK);
  EXPECT_EQ(Name(impl.get(), MEMBERID_NIL), L"IChartControl");
  ASSERT_EQ(cls->GetImplTypeFlags(1, &flags), S_OK);
  EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
  ASSERT_EQ(cls->GetRefTypeOfImplType(1, &ref), S_OK);
  ASSERT_EQ(cls->GetRefTypeInfo(ref, impl.out()), S_OK);
  EXPECT_EQ(Name(impl.get(), MEMBERID_NIL), L"_IChartControlEvents");
}

TEST(ControlDispatch, EveryChartNameOnTheControlAndNoneOfItsOnTheChart) {
  ComPtr<IDispatch> control, chart;
  ASSERT_EQ(CoCreateInstance(CLSID_ChartControl, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                             control.out_void()), S_OK);
  ASSERT_EQ(CoCreateInstance(CLSID_CorvaneEx, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                             chart.out_void()), S_OK);
  HRESULT hr = S_OK;
  // One member of each interface of the chain, in two spellings.
  const struct {
    const wchar_t* name;
    DISPID id;
  } names[] = {{L"SaveToFile", 0x01},  {L"caption", 0x0B},   {L"CAPTION", 0x0B},
               {L"SaveToPng", 0x203},  {L"HitTest", 0x30E},  {L"ZoomMode", 0x400},
               {L"zoommode", 0x400},   {L"Refresh", 0x405}};
  for (const auto& n : names) {
    EXPECT_EQ(IdOf(control.get(), n.name, &hr), n.id) << n.name;
    EXPECT_EQ(hr, S_OK) << n.name;
  }
  for (const wchar_t* own : {L"ZoomMode", L"PanMode", L"ResetZoom", L"Refresh"}) {
    IdOf(chart.get(), own, &hr);
    EXPECT_EQ(hr, DISP_E_UNKNOWNNAME) << own;
  }
  // GetTypeInfo describes each class's default interface.
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(control->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.out()), S_OK);
  EXPECT_EQ(Name(info.get(), MEMBERID_NIL), L"IChartControl");
  ASSERT_EQ(chart->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.out()), S_OK);
  EXPECT_EQ(Name(info.get(), MEMBERID_NIL), L"ICorvaneEx");

  // IProvideClassInfo2 names the source interface.
  ComPtr<IProvideClassInfo2> classInfo;
  ASSERT_EQ(control->QueryInterface(IID_IProvideClassInfo2, classInfo.out_void()), S_OK);
  GUID source{};
  EXPECT_EQ(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
  EXPECT_TRUE(IsEqualGUID(source, DIID__IChartControlEvents));
  EXPECT_EQ(classInfo->GetGUID(0x77, &source), E_INVALIDARG);
  ASSERT_EQ(classInfo->GetClassInfo(info.out()), S_OK);
  TYPEATTR* ta = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&ta), S_OK);
  EXPECT_TRUE(IsEqualGUID(ta->guid, CLSID_ChartControl));
  info->ReleaseTypeAttr(ta);
}

TEST(ControlDispatch, OwnMembersRefuseValuesOutOfRangeAndStartOff) {
  ComPtr<IChartControl> c;
  ASSERT_EQ(CoCreateInstance(CLSID_ChartControl, nullptr, CLSCTX_INPROC_SERVER, IID_IChartControl,
                             c.out_void()), S_OK);
  LONG v = -1;
  VARIANT_BOOL b = VARIANT_TRUE;
  EXPECT_EQ(c->get_ZoomMode(&v), S_OK);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(c->get_PanMode(&v), S_OK);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(c->get_HoverInfo(&b), S_OK);
  EXPECT_EQ(b, VARIANT_FALSE);
  b = VARIANT_TRUE;
  EXPECT_EQ(c->get_Crosshair(&b), S_OK);
  EXPECT_EQ(b, VARIANT_FALSE);
  EXPECT_EQ(c->put_ZoomMode(2), S_OK);
  for (LONG bad : {-1L, 3L, 0x7FFFFFFFL}) EXPECT_EQ(c->put_ZoomMode(bad), E_INVALIDARG);
  EXPECT_EQ(c->get_ZoomMode(&v), S_OK);
  EXPECT_EQ(v, 2);
  EXPECT_EQ(c->put_PanMode(1), S_OK);
  EXPECT_EQ(c->put_PanMode(2), E_INVALIDARG);
  EXPECT_EQ(c->get_PanMode(&v), S_OK);
  EXPECT_EQ(v, 1);
  EXPECT_EQ(c->get_ZoomMode(nullptr), E_POINTER);
  // Outside a container: no window, Refresh and ResetZoom do no harm.
  EXPECT_EQ(c->Refresh(), S_OK);
  EXPECT_EQ(c->ResetZoom(), S_OK);
}

}  // namespace
}  // namespace corvane::wintest
