// The IDispatch side and the embedded type library, through CoCreateInstance after
// registration, and the behaviour when the type library is not registered.
#include <gtest/gtest.h>

#include <vector>

#include "tests/win/test_support.h"

namespace corvane::wintest {
namespace {

class DispatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module_.loaded());
    ASSERT_EQ(module_.DllRegisterServer(), S_OK);
    ASSERT_EQ(CoCreateInstance(CLSID_CorvaneEx, nullptr, CLSCTX_INPROC_SERVER, IID_ICorvaneEx,
                               obj_.out_void()),
              S_OK);
  }
  DISPID Id(const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(obj_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
    return id;
  }
  HRESULT Call(DISPID id, WORD flags, std::vector<VARIANT> argsReversed, VARIANT* result) {
    DISPPARAMS params{argsReversed.data(), nullptr, static_cast<UINT>(argsReversed.size()), 0};
    DISPID put = DISPID_PROPERTYPUT;
    if (flags == DISPATCH_PROPERTYPUT) {
      params.rgdispidNamedArgs = &put;
      params.cNamedArgs = 1;
    }
    EXCEPINFO ex{};
    UINT argErr = 0;
    return obj_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &ex, &argErr);
  }
  static VARIANT I4(LONG v) {
    VARIANT r;
    VariantInit(&r);
    r.vt = VT_I4;
    r.lVal = v;
    return r;
  }
  ServerModule module_;
  ComPtr<ICorvaneEx> obj_;
};

TEST_F(DispatchTest, GetIDsOfNamesUsesCacheThenCaseInsensitiveTypeInfo) {
  EXPECT_EQ(Id(L"plotsCount"), 0x2F);
  EXPECT_EQ(Id(L"PLOTSCOUNT"), 0x2F);
  EXPECT_EQ(Id(L"SaveToFile"), 0x01);
  EXPECT_EQ(Id(L"legendPosition"), 0x85);
  LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"plotsCountX")};
  DISPID id = 0;
  EXPECT_EQ(obj_->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(obj_->GetIDsOfNames(IID_ICorvaneEx, unknown, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
  // A member name with its parameter names resolves both.
  LPOLESTR withArg[] = {const_cast<LPOLESTR>(L"SetSize"), const_cast<LPOLESTR>(L"Height")};
  DISPID ids[2] = {0, 0};
  ASSERT_EQ(obj_->GetIDsOfNames(IID_NULL, withArg, 2, 0, ids), S_OK);
  EXPECT_EQ(ids[0], 0x03);
  EXPECT_EQ(ids[1], 1);
}

TEST_F(DispatchTest, InvokePutGetAndRetvalMethod) {
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(Call(Id(L"plotsCount"), DISPATCH_PROPERTYPUT, {I4(3)}, nullptr), S_OK);
  LONG n = 0;
  ASSERT_EQ(obj_->get_plotsCount(&n), S_OK);
  EXPECT_EQ(n, 3);
  ASSERT_EQ(Call(0x2F, DISPATCH_PROPERTYGET, {}, &result), S_OK);
  EXPECT_EQ(result.vt, VT_I4);
  EXPECT_EQ(result.lVal, 3);

  for (double x : {1.0, 2.0, 3.0}) ASSERT_EQ(obj_->AddPointToPlot(1, x, 2 * x - 1), S_OK);
  ASSERT_EQ(obj_->SetLinearApproximate(1), S_OK);
  ASSERT_EQ(Call(Id(L"GetA"), DISPATCH_METHOD, {I4(1)}, &result), S_OK);
  EXPECT_EQ(result.vt, VT_R8);
  EXPECT_DOUBLE_EQ(result.dblVal, 2.0);
  ASSERT_EQ(Call(Id(L"GetB"), DISPATCH_METHOD, {I4(1)}, &result), S_OK);
  EXPECT_DOUBLE_EQ(result.dblVal, -1.0);

  // The type information converts arguments to the declared types.
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"7");
  ASSERT_EQ(Call(Id(L"arrowR"), DISPATCH_PROPERTYPUT, {text}, nullptr), S_OK);
  VariantClear(&text);
  LONG r = 0;
  ASSERT_EQ(obj_->get_arrowR(&r), S_OK);
  EXPECT_EQ(r, 7);
  ASSERT_EQ(Call(Id(L"caption"), DISPATCH_PROPERTYPUT, {I4(42)}, nullptr), S_OK);
  ASSERT_EQ(Call(Id(L"caption"), DISPATCH_PROPERTYGET, {}, &result), S_OK);
  ASSERT_EQ(result.vt, VT_BSTR);
  EXPECT_EQ(std::wstring(result.bstrVal), L"42");
  VariantClear(&result);

  EXPECT_EQ(Call(0x2F, DISPATCH_PROPERTYGET, {}, nullptr), S_OK);
  EXPECT_EQ(obj_->Invoke(0x2F, IID_ICorvaneEx, 0, DISPATCH_PROPERTYGET, nullptr, &result,
                         nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
  EXPECT_NE(Call(0x0A, DISPATCH_METHOD, {}, &result), S_OK) << "no member 0x0A";
}

TEST_F(DispatchTest, TypeInfoCountAndTypeInfo) {
  UINT count = 0;
  EXPECT_EQ(obj_->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(obj_->GetTypeInfoCount(nullptr), E_POINTER);
  EXPECT_EQ(obj_->GetTypeInfo(0, 0, nullptr), E_POINTER);
  ComPtr<ITypeInfo> info;
  EXPECT_EQ(obj_->GetTypeInfo(1, 0, info.out()), DISP_E_BADINDEX);
  ASSERT_EQ(obj_->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.out()), S_OK);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
  EXPECT_TRUE(IsEqualGUID(attr->guid, IID_ICorvaneEx));
  info->ReleaseTypeAttr(attr);
}

// The IDispatch members need the registered type library; the vtable does not. A second
// copy of the DLL is a separate module with its own, still empty, type information.
TEST(DispatchWithoutTypeLibrary, FailsWithTheLoadErrorUntilRegistered) {
  ServerModule original;
  ASSERT_TRUE(original.loaded());
  std::wstring dir = MakeTempDir(L"unregistered");
  std::wstring copyPath = dir + L"\\CorvaneCopy.dll";
  ASSERT_TRUE(CopyFileW(original.path().c_str(), copyPath.c_str(), FALSE));
  {
    ServerModule copy(copyPath);
    ASSERT_TRUE(copy.loaded());
    ASSERT_NE(copy.handle(), original.handle());
    ASSERT_EQ(original.DllUnregisterServer(), S_OK);
    ComPtr<ICorvaneEx> obj(copy.CreateObject());
    ASSERT_TRUE(obj);

    LPOLESTR names[] = {const_cast<LPOLESTR>(L"plotsCount")};
    DISPID id = 0;
    const HRESULT hr = obj->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    EXPECT_EQ(hr, TYPE_E_LIBNOTREGISTERED);
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(obj->GetTypeInfo(0, 0, info.out()), hr);
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(obj->Invoke(0x2F, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                          nullptr),
              hr);
    LONG count = -1;
    EXPECT_EQ(obj->put_plotsCount(2), S_OK);
    EXPECT_EQ(obj->get_plotsCount(&count), S_OK);
    EXPECT_EQ(count, 2);

    // Once the library is registered the same object loads it.
    ASSERT_EQ(original.DllRegisterServer(), S_OK);
    EXPECT_EQ(obj->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 0x2F);
    obj.Reset();
    EXPECT_EQ(copy.DllCanUnloadNow(), S_OK);
  }
  RemoveTree(dir);
}

}  // namespace
}  // namespace corvane::wintest
