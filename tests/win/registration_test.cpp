// DllRegisterServer / DllUnregisterServer of the real module, read back from HKCR.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "tests/win/test_support.h"

namespace corvane::wintest {
namespace {

const std::wstring kClsidKey = L"CLSID\\" + GuidString(CLSID_CorvaneEx);
const std::wstring kAppId = L"{0BF8C75D-8D6C-4E16-9141-F83C1FC926D4}";
const std::wstring kTypeLibKey = L"TypeLib\\" + GuidString(LIBID_CorvaneLib);

std::wstring Value(const std::wstring& key, const wchar_t* name = nullptr) {
  std::wstring v;
  return ReadString(HKEY_CLASSES_ROOT, key, name, &v) ? v : L"<missing>";
}

// Every key and value of a subtree of HKCR, as "key|value name" -> data ("" for a key).
void ReadTree(const std::wstring& path, std::map<std::wstring, std::wstring>* out) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  (*out)[path] = L"";
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD n = 256;
    BYTE data[2048];
    DWORD size = sizeof data, type = 0;
    if (RegEnumValueW(key, i, name, &n, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
    (*out)[path + L"|" + name] = type == REG_SZ ? std::wstring(reinterpret_cast<wchar_t*>(data), size / 2)
                                                : L"<type " + std::to_wstring(type) + L">";
  }
  std::vector<std::wstring> children;
  for (DWORD i = 0;; ++i) {
    DWORD n = 256;
    if (RegEnumKeyExW(key, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.push_back(name);
  }
  RegCloseKey(key);
  for (const std::wstring& child : children) ReadTree(path + L"\\" + child, out);
}

// Everything registration writes: the class, both ProgIDs, the AppID entries, the type library.
std::map<std::wstring, std::wstring> RegisteredKeys() {
  std::map<std::wstring, std::wstring> keys;
  for (const std::wstring& root : {kClsidKey, std::wstring(L"Corvane.CorvaneEx"),
                                   std::wstring(L"Corvane.CorvaneEx.1"), L"AppID\\" + kAppId,
                                   std::wstring(L"AppID\\Corvane.DLL"), kTypeLibKey})
    ReadTree(root, &keys);
  return keys;
}

class RegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(module_.loaded() && module_.DllRegisterServer); }
  // Later tests create objects by ProgID: leave the module registered.
  void TearDown() override { module_.DllRegisterServer(); }
  ServerModule module_;
};

TEST_F(RegistrationTest, RegisterWritesClassProgIdAppIdAndTypeLibrary) {
  ASSERT_EQ(module_.DllRegisterServer(), S_OK);
  const std::wstring clsid = GuidString(CLSID_CorvaneEx);
  EXPECT_EQ(Value(L"Corvane.CorvaneEx"), L"CorvaneEx Class");
  EXPECT_EQ(Value(L"Corvane.CorvaneEx\\CurVer"), L"Corvane.CorvaneEx.1");
  EXPECT_EQ(Value(L"Corvane.CorvaneEx\\CLSID"), clsid);
  EXPECT_EQ(Value(L"Corvane.CorvaneEx.1"), L"CorvaneEx Class");
  EXPECT_EQ(Value(L"Corvane.CorvaneEx.1\\CLSID"), clsid);
  CLSID fromProgId{};
  ASSERT_EQ(CLSIDFromProgID(L"Corvane.CorvaneEx", &fromProgId), S_OK);
  EXPECT_TRUE(IsEqualCLSID(fromProgId, CLSID_CorvaneEx));

  EXPECT_EQ(Value(kClsidKey), L"CorvaneEx Class");
  EXPECT_EQ(Value(kClsidKey, L"AppID"), kAppId);
  EXPECT_EQ(Value(kClsidKey + L"\\ProgID"), L"Corvane.CorvaneEx.1");
  EXPECT_EQ(Value(kClsidKey + L"\\VersionIndependentProgID"), L"Corvane.CorvaneEx");
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kClsidKey + L"\\Programmable"));
  EXPECT_EQ(Value(kClsidKey + L"\\TypeLib"), GuidString(LIBID_CorvaneLib));
  const std::wstring inproc = Value(kClsidKey + L"\\InprocServer32");
  EXPECT_EQ(CompareStringOrdinal(inproc.c_str(), -1, module_.path().c_str(), -1, TRUE),
            CSTR_EQUAL)
      << "InprocServer32 holds the module's full path";
  EXPECT_EQ(Value(kClsidKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");

  EXPECT_EQ(Value(L"AppID\\" + kAppId), L"Corvane");
  EXPECT_EQ(Value(L"AppID\\Corvane.DLL", L"AppID"), kAppId);
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kTypeLibKey + L"\\1.0"));
}

TEST_F(RegistrationTest, ReRegisterReplacesTheClassKeyTree) {
  ASSERT_EQ(module_.DllRegisterServer(), S_OK);
  HKEY stale = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, (kClsidKey + L"\\Stale").c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &stale, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(stale);
  ASSERT_EQ(module_.DllRegisterServer(), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClsidKey + L"\\Stale"));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kClsidKey + L"\\InprocServer32"));
}

TEST_F(RegistrationTest, UnregisterRemovesOwnKeysAndKeepsParents) {
  ASSERT_EQ(module_.DllRegisterServer(), S_OK);
  ASSERT_EQ(module_.DllUnregisterServer(), S_OK);
  const std::wstring gone_keys[] = {kClsidKey, L"Corvane.CorvaneEx", L"Corvane.CorvaneEx.1",
                                    L"AppID\\" + kAppId, L"AppID\\Corvane.DLL", kTypeLibKey};
  for (const std::wstring& gone : gone_keys) {
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, gone)) << std::string(gone.begin(), gone.end());
  }
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"AppID"));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
  // A second unregistration finds nothing to do.
  EXPECT_EQ(module_.DllUnregisterServer(), S_OK);
}

// A module whose path does not fit MAX_PATH refuses to register a truncated path.
TEST_F(RegistrationTest, OverlongModulePathFailsWithInsufficientBuffer) {
  std::wstring dir = MakeTempDir(L"longpath");
  std::wstring deep = dir;
  while (deep.size() < MAX_PATH + 10) {
    deep += L"\\" + std::wstring(40, L'd');
    CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr);
  }
  const std::wstring copy = L"\\\\?\\" + deep + L"\\Corvane.dll";
  if (!CopyFileW(module_.path().c_str(), copy.c_str(), FALSE)) {
    RemoveTree(dir);
    GTEST_SKIP() << "cannot create a path longer than MAX_PATH here";
  }
  {
    ServerModule longModule(copy);
    if (!longModule.loaded()) {
      RemoveTree(L"\\\\?\\" + dir);
      GTEST_SKIP() << "the loader refuses modules beyond MAX_PATH here";
    }
    EXPECT_EQ(longModule.DllRegisterServer(), HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
  }
  std::wstring inproc = Value(kClsidKey + L"\\InprocServer32");
  EXPECT_EQ(inproc.find(std::wstring(40, L'd')), std::wstring::npos);
  RemoveTree(L"\\\\?\\" + dir);
}


// Registering again, unregistering twice and registering after unregistering all leave
// exactly the keys of one registration: the class key holds the named subkeys and no more.
TEST_F(RegistrationTest, RepeatedRegistrationLeavesExactlyTheNamedKeys) {
  ASSERT_EQ(module_.DllRegisterServer(), S_OK);
  const std::map<std::wstring, std::wstring> once = RegisteredKeys();
  std::set<std::wstring> classKeys;
  for (const auto& [name, data] : once) {
    if (name.rfind(kClsidKey, 0) == 0 && name.find(L'|') == std::wstring::npos) classKeys.insert(name);
  }
  const std::set<std::wstring> named = {kClsidKey, kClsidKey + L"\\ProgID",
                                        kClsidKey + L"\\VersionIndependentProgID",
                                        kClsidKey + L"\\Programmable",
                                        kClsidKey + L"\\InprocServer32", kClsidKey + L"\\TypeLib"};
  EXPECT_EQ(classKeys, named);

  ASSERT_EQ(module_.DllRegisterServer(), S_OK);
  EXPECT_EQ(RegisteredKeys(), once) << "registering twice";
  ASSERT_EQ(module_.DllUnregisterServer(), S_OK);
  EXPECT_EQ(module_.DllUnregisterServer(), S_OK);
  EXPECT_TRUE(RegisteredKeys().empty()) << "unregistering twice";
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"AppID"));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
  ASSERT_EQ(module_.DllRegisterServer(), S_OK);
  EXPECT_EQ(RegisteredKeys(), once) << "registering after unregistering";
}

// A module in a directory whose name has spaces and characters beyond ASCII registers its
// exact path, and COM creates objects from it there.
TEST_F(RegistrationTest, PathWithSpacesAndNonAsciiCharactersRegistersAsItIs) {
  const std::wstring dir = MakeTempDir(L"path with spaces \u00e9\u0416\u4e2d");
  const std::wstring copy = dir + L"\\Corvane \u00fc.dll";
  ASSERT_TRUE(CopyFileW(module_.path().c_str(), copy.c_str(), FALSE));
  {
    ServerModule moved(copy);
    ASSERT_TRUE(moved.loaded());
    ASSERT_EQ(moved.DllRegisterServer(), S_OK);
    EXPECT_EQ(Value(kClsidKey + L"\\InprocServer32"), moved.path());
    EXPECT_EQ(moved.path(), copy);
    ICorvaneEx* chart = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_CorvaneEx, nullptr, CLSCTX_INPROC_SERVER, IID_ICorvaneEx,
                               reinterpret_cast<void**>(&chart)),
              S_OK);
    LONG count = 0;
    EXPECT_EQ(chart->get_presetCount(&count), S_OK);
    EXPECT_EQ(count, 21);
    chart->Release();
    CoFreeUnusedLibraries();
    ASSERT_EQ(moved.DllUnregisterServer(), S_OK);
    EXPECT_TRUE(RegisteredKeys().empty());
  }
  RemoveTree(dir);
}

}  // namespace
}  // namespace corvane::wintest
