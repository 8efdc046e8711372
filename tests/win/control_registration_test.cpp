// The chart control's registration: its keys as a form designer's toolbox reads them, removed
// again by unregistration, and the automation class's keys untouched by them.
#include <gtest/gtest.h>

#include "tests/win/test_support.h"

namespace corvane::wintest {
namespace {

const std::wstring kControlKey = L"CLSID\\" + GuidString(CLSID_ChartControl);

std::wstring Value(const std::wstring& key, const wchar_t* name = nullptr) {
  std::wstring v;
  return ReadString(HKEY_CLASSES_ROOT, key, name, &v) ? v : L"<missing>";
}

class ControlRegistration : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(module_.loaded() && module_.DllRegisterServer); }
  // Later tests create objects by ProgID: leave the module registered.
  void TearDown() override { module_.DllRegisterServer(); }
  ServerModule module_;
};

TEST_F(ControlRegistration, KeysOfAControl) {
  ASSERT_EQ(module_.DllRegisterServer(), S_OK);
  const std::wstring clsid = GuidString(CLSID_ChartControl);
  EXPECT_EQ(Value(L"Corvane.ChartControl"), L"ChartControl Class");
  EXPECT_EQ(Value(L"Corvane.ChartControl\\CLSID"), clsid);
  EXPECT_EQ(Value(L"Corvane.ChartControl\\CurVer"), L"Corvane.ChartControl.1");
  EXPECT_EQ(Value(L"Corvane.ChartControl.1\\CLSID"), clsid);
  CLSID fromProgId{};
  ASSERT_EQ(CLSIDFromProgID(L"Corvane.ChartControl", &fromProgId), S_OK);
  EXPECT_TRUE(IsEqualCLSID(fromProgId, CLSID_ChartControl));

  EXPECT_EQ(Value(kControlKey), L"ChartControl Class");
  EXPECT_EQ(Value(kControlKey + L"\\ProgID"), L"Corvane.ChartControl.1");
  EXPECT_EQ(Value(kControlKey + L"\\VersionIndependentProgID"), L"Corvane.ChartControl");
  EXPECT_EQ(Value(kControlKey + L"\\InprocServer32"), module_.path());
  EXPECT_EQ(Value(kControlKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(Value(kControlKey + L"\\TypeLib"), GuidString(LIBID_CorvaneLib));
  EXPECT_EQ(Value(kControlKey + L"\\Version"), L"1.0");
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kControlKey + L"\\Control"));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kControlKey + L"\\Programmable"));
  // CATID_Control.
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kControlKey +
                        L"\\Implemented Categories\\{40FC6ED4-2438-11CF-A3DB-080036F12502}"));
  EXPECT_EQ(Value(kControlKey + L"\\MiscStatus"), L"0");
  EXPECT_EQ(Value(kControlKey + L"\\MiscStatus\\1"), L"131473");

  // The toolbox picture: "module, id", and that bitmap is in the module, 16 x 15.
  const std::wstring toolbox = Value(kControlKey + L"\\ToolboxBitmap32");
  const std::wstring prefix = module_.path() + L", ";
  ASSERT_EQ(toolbox.compare(0, prefix.size(), prefix), 0) << toolbox.c_str();
  const int id = _wtoi(toolbox.c_str() + prefix.size());
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageW(module_.handle(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 16);
  EXPECT_EQ(info.bmHeight, 15);
  DeleteObject(bitmap);

  // What OLE reads from these keys.
  DWORD misc = 0;
  EXPECT_EQ(OleRegGetMiscStatus(CLSID_ChartControl, DVASPECT_CONTENT, &misc), S_OK);
  EXPECT_EQ(misc, 131473u);
}

TEST_F(ControlRegistration, UnregistrationRemovesTheControlAndKeepsNothingBehind) {
  ASSERT_EQ(module_.DllUnregisterServer(), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kControlKey));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Corvane.ChartControl"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Corvane.ChartControl.1"));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
  // Twice is as good as once.
  EXPECT_EQ(module_.DllUnregisterServer(), S_OK);
  ASSERT_EQ(module_.DllRegisterServer(), S_OK);
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kControlKey));
}

TEST_F(ControlRegistration, TheClassFactoryServesBothClasses) {
  ComPtr<IClassFactory> control, chart;
  ASSERT_EQ(module_.DllGetClassObject(CLSID_ChartControl, IID_IClassFactory, control.out_void()), S_OK);
  ASSERT_EQ(module_.DllGetClassObject(CLSID_CorvaneEx, IID_IClassFactory, chart.out_void()), S_OK);
  EXPECT_NE(static_cast<void*>(control.get()), static_cast<void*>(chart.get()));
  ComPtr<IChartControl> c;
  ASSERT_EQ(control->CreateInstance(nullptr, IID_IChartControl, c.out_void()), S_OK);
  // The automation class answers none of the control's interfaces.
  ComPtr<IUnknown> o, none;
  ASSERT_EQ(chart->CreateInstance(nullptr, IID_IUnknown, o.out_void()), S_OK);
  for (const IID* iid : {&IID_IChartControl, &IID_IOleObject, &IID_IViewObject2,
                         &IID_IConnectionPointContainer, &IID_IPersistStreamInit})
    EXPECT_EQ(o->QueryInterface(*iid, none.out_void()), E_NOINTERFACE);
  EXPECT_EQ(module_.DllCanUnloadNow(), S_FALSE);
  c.Reset();
  o.Reset();
  control.Reset();
  chart.Reset();
  EXPECT_EQ(module_.DllCanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace corvane::wintest
