// ICorvaneEx2 as a client meets it: QueryInterface, its description in the type library,
// its registry keys, and every new member reached by name through the object's IDispatch
// (whose GetTypeInfo keeps describing ICorvaneEx).
#include <gtest/gtest.h>

#include <olectl.h>

#include <string>

#include "tests/win/ex2_support.h"

namespace corvane::wintest {
namespace {

enum Kind { kMethod, kGet };
struct Member {
  const wchar_t* name;
  DISPID id;
  Kind kind;
};
constexpr Member kNewMembers[] = {
    {L"AddPointsToPlot", 0x200, kMethod}, {L"AddPointsToPlot2", 0x201, kMethod},
    {L"PointCount", 0x202, kGet},         {L"SaveToPng", 0x203, kMethod},
    {L"Picture", 0x204, kGet},            {L"DrawTo", 0x205, kMethod},
    {L"CopyToClipboard", 0x206, kMethod},
};

std::wstring Name(ITypeInfo* info, MEMBERID id, std::wstring* help = nullptr) {
  Bstr name, doc;
  info->GetDocumentation(id, name.out(), doc.out(), nullptr, nullptr);
  if (help) *help = doc.str();
  return name.str();
}

// The vtable (TKIND_INTERFACE) side of a dual interface's dispatch type information.
bool VtableSide(ITypeInfo* disp, ComPtr<ITypeInfo>* itf) {
  HREFTYPE ref = 0;
  return SUCCEEDED(disp->GetRefTypeOfImplType(-1, &ref)) &&
         SUCCEEDED(disp->GetRefTypeInfo(ref, itf->out()));
}

TEST(Ex2Interface, QueryInterfaceGivesOneObjectForBothInterfaces) {
  ServerModule module;
  ASSERT_TRUE(module.loaded());
  ComPtr<ICorvaneEx> first(module.CreateObject());
  ASSERT_TRUE(first);
  ComPtr<ICorvaneEx2> second;
  ASSERT_EQ(first->QueryInterface(IID_ICorvaneEx2, second.out_void()), S_OK);
  EXPECT_EQ(static_cast<void*>(second.get()), static_cast<void*>(first.get()));
  ComPtr<IDispatch> disp;
  ASSERT_EQ(second->QueryInterface(IID_IDispatch, disp.out_void()), S_OK);
  EXPECT_EQ(static_cast<void*>(disp.get()), static_cast<void*>(first.get()));
  // ICorvaneEx's members through either pointer reach the same state.
  ASSERT_EQ(second->put_plotsCount(4), S_OK);
  LONG n = 0;
  ASSERT_EQ(first->get_plotsCount(&n), S_OK);
  EXPECT_EQ(n, 4);
}

TEST(Ex2Interface, TypeLibraryDescribesTheSecondInterface) {
  ServerModule module;
  ASSERT_TRUE(module.loaded());
  ComPtr<ITypeLib> lib;
  ASSERT_EQ(LoadTypeLibEx(module.path().c_str(), REGKIND_NONE, lib.out()), S_OK);

  ComPtr<ITypeInfo> cls;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(CLSID_CorvaneEx, cls.out()), S_OK);
  HREFTYPE ref = 0;
  ComPtr<ITypeInfo> listed;
  ASSERT_EQ(cls->GetRefTypeOfImplType(1, &ref), S_OK);
  ASSERT_EQ(cls->GetRefTypeInfo(ref, listed.out()), S_OK);
  EXPECT_EQ(Name(listed.get(), MEMBERID_NIL), L"ICorvaneEx2");
  INT flags = -1;
  ASSERT_EQ(cls->GetImplTypeFlags(1, &flags), S_OK);
  EXPECT_FALSE(flags & IMPLTYPEFLAG_FDEFAULT) << "ICorvaneEx stays the default";

  ComPtr<ITypeInfo> base, derived, baseItf, itf;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(IID_ICorvaneEx, base.out()), S_OK);
  ASSERT_EQ(lib->GetTypeInfoOfGuid(IID_ICorvaneEx2, derived.out()), S_OK);
  std::wstring help;
  Name(derived.get(), MEMBERID_NIL, &help);
  EXPECT_EQ(help, L"ICorvaneEx2 Interface");
  ASSERT_TRUE(VtableSide(base.get(), &baseItf));
  ASSERT_TRUE(VtableSide(derived.get(), &itf));
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(baseItf->GetTypeAttr(&attr), S_OK);
  const UINT baseFuncs = attr->cFuncs;
  baseItf->ReleaseTypeAttr(attr);
  ASSERT_EQ(itf->GetTypeAttr(&attr), S_OK);
  const WORD want = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE;
  EXPECT_EQ(attr->wTypeFlags & want, want);
  EXPECT_EQ(attr->cImplTypes, 1);
  const UINT funcs = attr->cFuncs;
  itf->ReleaseTypeAttr(attr);
  ComPtr<ITypeInfo> parent;
  ASSERT_EQ(itf->GetRefTypeOfImplType(0, &ref), S_OK);
  ASSERT_EQ(itf->GetRefTypeInfo(ref, parent.out()), S_OK);
  EXPECT_EQ(Name(parent.get(), MEMBERID_NIL), L"ICorvaneEx");

  ASSERT_EQ(funcs, std::size(kNewMembers));
  for (UINT i = 0; i < funcs; ++i) {
    const Member& m = kNewMembers[i];
    FUNCDESC* fd = nullptr;
    ASSERT_EQ(itf->GetFuncDesc(i, &fd), S_OK);
    std::wstring memberHelp;
    const std::wstring name = Name(itf.get(), fd->memid, &memberHelp);
    EXPECT_EQ(name, m.name);
    EXPECT_EQ(fd->memid, m.id);
    EXPECT_EQ(fd->invkind, m.kind == kMethod ? INVOKE_FUNC : INVOKE_PROPERTYGET);
    EXPECT_EQ(memberHelp, std::wstring(m.kind == kMethod ? L"method " : L"property ") + m.name);
    // After IUnknown, IDispatch and every slot of ICorvaneEx.
    EXPECT_EQ(fd->oVft, static_cast<SHORT>((7 + baseFuncs + i) * sizeof(void*)));
    if (name == L"Picture") {
      // A pointer to stdole's picture, which VB6 and VBA forms take.
      const TYPEDESC& t = fd->lprgelemdescParam[0].tdesc;
      ASSERT_EQ(t.vt, VT_PTR);
      ASSERT_EQ(t.lptdesc->vt, VT_PTR);
      ASSERT_EQ(t.lptdesc->lptdesc->vt, VT_USERDEFINED);
      ComPtr<ITypeInfo> picture;
      ASSERT_EQ(itf->GetRefTypeInfo(t.lptdesc->lptdesc->hreftype, picture.out()), S_OK);
      ComPtr<ITypeLib> owner;
      UINT at = 0;
      ASSERT_EQ(picture->GetContainingTypeLib(owner.out(), &at), S_OK);
      Bstr libName;
      owner->GetDocumentation(-1, libName.out(), nullptr, nullptr, nullptr);
      EXPECT_EQ(libName.str(), L"stdole");
    }
    itf->ReleaseFuncDesc(fd);
  }
}

TEST(Ex2Interface, RegisteringTheLibraryRegistersTheInterfaceAndUnregisteringRemovesIt) {
  ServerModule module;
  ASSERT_TRUE(module.loaded());
  const std::wstring key = L"Interface\\" + GuidString(IID_ICorvaneEx2);
  ASSERT_EQ(module.DllRegisterServer(), S_OK);
  std::wstring value;
  EXPECT_TRUE(ReadString(HKEY_CLASSES_ROOT, key, nullptr, &value));
  EXPECT_EQ(value, L"ICorvaneEx2");
  EXPECT_TRUE(ReadString(HKEY_CLASSES_ROOT, key + L"\\TypeLib", nullptr, &value));
  EXPECT_EQ(value, GuidString(LIBID_CorvaneLib));
  ASSERT_EQ(module.DllUnregisterServer(), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key));
  ASSERT_EQ(module.DllRegisterServer(), S_OK);  // later tests create objects by ProgID
}

// By name, as scripts call: through GetIDsOfNames and Invoke of the object's IDispatch.
class Ex2DispatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module_.loaded());
    ASSERT_EQ(module_.DllRegisterServer(), S_OK);
    ASSERT_EQ(CoCreateInstance(CLSID_CorvaneEx, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               obj_.out_void()),
              S_OK);
    dir_ = MakeTempDir(L"ex2dispatch");
  }
  void TearDown() override { RemoveTree(dir_); }
  DISPID Id(const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(obj_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
    return id;
  }
  // The member's own HRESULT, whether Invoke returns it or reports it as an exception.
  HRESULT Call(const wchar_t* name, WORD flags, std::vector<VARIANT> argsReversed,
               VARIANT* result = nullptr) {
    DISPPARAMS params{argsReversed.data(), nullptr, static_cast<UINT>(argsReversed.size()), 0};
    EXCEPINFO ex{};
    UINT argErr = 0;
    const HRESULT hr =
        obj_->Invoke(Id(name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &ex, &argErr);
    SysFreeString(ex.bstrSource);
    SysFreeString(ex.bstrDescription);
    SysFreeString(ex.bstrHelpFile);
    return hr == DISP_E_EXCEPTION ? ex.scode : hr;
  }
  static VARIANT I4(LONG v) {
    VARIANT r;
    V_VT(&r) = VT_I4;
    V_I4(&r) = v;
    return r;
  }
  ServerModule module_;
  ComPtr<IDispatch> obj_;
  std::wstring dir_;
};

TEST_F(Ex2DispatchTest, NewNamesResolveInAnyCaseAndOldOnesKeepTheirIds) {
  for (const Member& m : kNewMembers) EXPECT_EQ(Id(m.name), m.id) << std::wstring(m.name).size();
  EXPECT_EQ(Id(L"pointcount"), 0x202);
  EXPECT_EQ(Id(L"SAVETOPNG"), 0x203);
  EXPECT_EQ(Id(L"AddPointToPlot"), 0x24);
  LPOLESTR withArg[] = {const_cast<LPOLESTR>(L"DrawTo"), const_cast<LPOLESTR>(L"y")};
  DISPID ids[2] = {0, 0};
  ASSERT_EQ(obj_->GetIDsOfNames(IID_NULL, withArg, 2, 0, ids), S_OK);
  EXPECT_EQ(ids[0], 0x205);
  EXPECT_EQ(ids[1], 2);
  LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"AddPointsToPlot3")};
  EXPECT_EQ(obj_->GetIDsOfNames(IID_NULL, unknown, 1, 0, ids), DISP_E_UNKNOWNNAME);
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(obj_->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.out()), S_OK);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
  EXPECT_TRUE(IsEqualGUID(attr->guid, IID_ICorvaneEx));
  info->ReleaseTypeAttr(attr);
}

TEST_F(Ex2DispatchTest, EveryNewMemberByName) {
  ASSERT_EQ(Call(L"SetSize", DISPATCH_METHOD, {I4(90), I4(120)}), S_OK);  // 120 x 90
  // A typed Double array from 1, as VB6 builds it, against a VBScript-style variant array.
  Variant x, y;
  MakeArray(VT_R8, 1, {1, 2, 3, 4, 5}, x.get());
  MakeArray(VT_VARIANT, 0, {2, 3, 5, 7, 11}, y.get());
  VARIANT yRef;
  V_VT(&yRef) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&yRef) = y.get();
  ASSERT_EQ(Call(L"AddPointsToPlot", DISPATCH_METHOD, {yRef, x.value(), I4(1)}), S_OK);
  ASSERT_EQ(Call(L"AddPointsToPlot2", DISPATCH_METHOD, {yRef, I4(2)}), S_OK);
  Variant shorter;
  MakeArray(VT_R8, 0, {1}, shorter.get());
  EXPECT_EQ(Call(L"AddPointsToPlot", DISPATCH_METHOD, {shorter.value(), x.value(), I4(1)}),
            E_INVALIDARG);
  Variant count;
  ASSERT_EQ(Call(L"PointCount", DISPATCH_PROPERTYGET, {I4(1)}, count.get()), S_OK);
  EXPECT_EQ(V_VT(count.get()), VT_I4);
  EXPECT_EQ(V_I4(count.get()), 5);
  ASSERT_EQ(Call(L"PointCount", DISPATCH_PROPERTYGET, {I4(2)}, count.get()), S_OK);
  EXPECT_EQ(V_I4(count.get()), 5);

  ComPtr<ICorvaneEx2> chart;
  ASSERT_EQ(obj_->QueryInterface(IID_ICorvaneEx2, chart.out_void()), S_OK);
  // Grid labels sample their background at random places: the renders below must agree.
  chart->put_gridVisible(3);
  const Pixels saved = SavedPixels(chart.get(), dir_);
  const std::wstring png = dir_ + L"\\by name.png";
  VARIANT name;
  V_VT(&name) = VT_BSTR;
  V_BSTR(&name) = SysAllocString(png.c_str());
  EXPECT_EQ(Call(L"SaveToPng", DISPATCH_METHOD, {name}), S_OK);
  VariantClear(&name);
  Pixels decoded;
  ASSERT_TRUE(ReadPng(png, &decoded));
  EXPECT_TRUE(decoded == saved);

  Variant picture;
  ASSERT_EQ(Call(L"Picture", DISPATCH_PROPERTYGET, {}, picture.get()), S_OK);
  ASSERT_EQ(V_VT(picture.get()), VT_DISPATCH);
  ComPtr<IPicture> pic;
  ASSERT_EQ(V_DISPATCH(picture.get())->QueryInterface(IID_IPicture, pic.out_void()), S_OK);

  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(120, 90, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(mem, bitmap);
  EXPECT_EQ(Call(L"DrawTo", DISPATCH_METHOD,
                 {I4(0), I4(0), I4(static_cast<LONG>(reinterpret_cast<LONG_PTR>(mem)))}),
            S_OK);
  Pixels drawn;
  EXPECT_TRUE(ReadDc(mem, 0, 0, 120, 90, &drawn));
  EXPECT_TRUE(drawn == saved);
  EXPECT_EQ(Call(L"DrawTo", DISPATCH_METHOD, {I4(0), I4(0), I4(0)}), E_INVALIDARG);
  SelectObject(mem, old);
  DeleteObject(bitmap);
  DeleteDC(mem);

  EXPECT_EQ(Call(L"CopyToClipboard", DISPATCH_METHOD, {}), S_OK);
  Pixels clip;
  ASSERT_TRUE(ReadClipboardDib(&clip));
  EXPECT_TRUE(clip == saved);
}

}  // namespace
}  // namespace corvane::wintest
