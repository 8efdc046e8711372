// The resources the module carries, read the way Windows reads them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/test_support.h"

namespace corvane::wintest {
namespace {

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
  void* value = nullptr;
  UINT len = 0;
  std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(info.data(), query.c_str(), &value, &len) || !value) return L"<missing>";
  return static_cast<const wchar_t*>(value);
}

TEST(ModuleResources, ProjectNameScriptsAndVersion) {
  ServerModule module;
  ASSERT_TRUE(module.loaded());
  wchar_t name[32] = {};
  EXPECT_EQ(LoadStringW(module.handle(), 100, name, 32), 7);
  EXPECT_STREQ(name, L"Corvane");
  for (int id : {101, 103}) {
    HRSRC script = FindResourceW(module.handle(), MAKEINTRESOURCEW(id), L"REGISTRY");
    ASSERT_NE(script, nullptr) << id;
    EXPECT_GT(SizeofResource(module.handle(), script), 0u);
  }
  EXPECT_NE(FindResourceW(module.handle(), MAKEINTRESOURCEW(1), L"TYPELIB"), nullptr);

  const std::wstring path = module.path();
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &len));
  ASSERT_GE(len, 4u);
  EXPECT_EQ(translation[0], 0x409);
  EXPECT_EQ(translation[1], 1200);
  EXPECT_EQ(VersionString(info, L"FileDescription"), L"Corvane ActiveX DLL");
  EXPECT_EQ(VersionString(info, L"ProductName"), L"Corvane ActiveX DLL");
  EXPECT_EQ(VersionString(info, L"InternalName"), L"Corvane.dll");
  EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"Corvane.dll");
  EXPECT_EQ(VersionString(info, L"FileVersion"), L"1.1.0.1");
}

}  // namespace
}  // namespace corvane::wintest
