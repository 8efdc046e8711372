// The registrar on its own: the script notation, and what registering and unregistering
// do to keys, run against a scratch key under HKCU.
#include <gtest/gtest.h>

#include "server/registry_script.h"
#include "server/registry_writer.h"
#include "tests/win/test_support.h"

namespace corvane::server {
namespace {

using wintest::KeyExists;
using wintest::ReadString;

ScriptParseResult Parse(const std::wstring& text, const Substitutions& subs = {}) {
  return ParseRegistryScript(text, subs);
}

TEST(RegistryScriptParse, ReadsKeysValuesAndRemovalFlags) {
  ScriptParseResult r = Parse(LR"(
    HKCR
    {
      NoRemove CLSID
      {
        ForceRemove {36C69265-D6EB-4B02-9C1B-43ED9BFC7477} = s 'Some Class'
        {
          ForceRemove Programmable
          'Inproc Server' = s 'x.dll'
          {
            val ThreadingModel = s 'Apartment'
          }
        }
      }
    }
    HKCU { Plain }
  )");
  ASSERT_TRUE(r.ok) << std::string(r.error.begin(), r.error.end());
  ASSERT_EQ(r.script.roots.size(), 2u);
  EXPECT_EQ(r.script.roots[1].root, RegistryRoot::kCurrentUser);
  const RegistryKey& clsid = r.script.roots[0].keys.at(0);
  EXPECT_EQ(clsid.name, L"CLSID");
  EXPECT_EQ(clsid.removal, KeyRemoval::kNoRemove);
  EXPECT_TRUE(clsid.values.empty());
  const RegistryKey& cls = clsid.subkeys.at(0);
  EXPECT_EQ(cls.name, L"{36C69265-D6EB-4B02-9C1B-43ED9BFC7477}");
  EXPECT_EQ(cls.removal, KeyRemoval::kForceRemove);
  ASSERT_EQ(cls.values.size(), 1u);
  EXPECT_TRUE(cls.values[0].name.empty());
  EXPECT_EQ(cls.values[0].data, L"Some Class");
  ASSERT_EQ(cls.subkeys.size(), 2u);
  EXPECT_EQ(cls.subkeys[0].removal, KeyRemoval::kForceRemove);
  const RegistryKey& inproc = cls.subkeys[1];
  EXPECT_EQ(inproc.name, L"Inproc Server");
  EXPECT_EQ(inproc.removal, KeyRemoval::kNormal);
  ASSERT_EQ(inproc.values.size(), 2u);
  EXPECT_EQ(inproc.values[1].name, L"ThreadingModel");
  EXPECT_EQ(inproc.values[1].data, L"Apartment");
}

TEST(RegistryScriptParse, SubstitutesAfterTokenising) {
  // A module path holding quotes and braces must stay one value.
  const std::wstring odd = L"C:\\it's {odd} = s\\x.dll";
  ScriptParseResult r = Parse(L"HKCR { K = s '%MODULE%' { val V = s 'a''b 100%% %APPID%' } }",
                              {{L"MODULE", odd}, {L"APPID", L"{A}"}});
  ASSERT_TRUE(r.ok);
  const RegistryKey& k = r.script.roots.at(0).keys.at(0);
  ASSERT_EQ(k.values.size(), 2u);
  EXPECT_EQ(k.values[0].data, odd);
  EXPECT_EQ(k.values[1].data, L"a'b 100% {A}");
  EXPECT_TRUE(k.subkeys.empty());
}

TEST(RegistryScriptParse, RejectsMalformedScripts) {
  const wchar_t* bad[] = {
      L"HKCR { K = s 'x' ",              // missing brace
      L"HKCR { K = s 'unterminated }",   // open quote
      L"HKCR { K = d '1' }",             // only strings exist
      L"HKCR { val V = s 'x' }",         // a value outside a key
      L"HKXX { K }",                     // unknown root
      L"HKCR { K = s '%NOPE%' }",        // unknown substitution
      L"HKCR { K = s '%MODULE' }",       // unterminated substitution
      L"HKCR { K = }",                   // missing type and data
      L"HKCR { '' }",                    // empty key name
      L"K { }",
  };
  for (const wchar_t* text : bad) {
    ScriptParseResult r = Parse(text, {{L"MODULE", L"m"}});
    EXPECT_FALSE(r.ok) << std::string(text, text + wcslen(text));
    EXPECT_FALSE(r.error.empty());
    EXPECT_TRUE(r.script.roots.empty());
  }
  std::wstring deep = L"HKCR {";
  for (int i = 0; i < 40; ++i) deep += L" k {";
  for (int i = 0; i < 40; ++i) deep += L" }";
  deep += L" }";
  EXPECT_FALSE(Parse(deep).ok);
}

class RegistryWriterTest : public ::testing::Test {
 protected:
  static constexpr const wchar_t* kScratch = L"Software\\CorvaneRegistrarTests";
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &root_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    if (root_) RegCloseKey(root_);
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
  }
  HRESULT Run(const std::wstring& text, ScriptMode mode) {
    ScriptParseResult r = ParseRegistryScript(text, {});
    EXPECT_TRUE(r.ok);
    return RunRegistryScript(r.script, mode, root_);
  }
  void Touch(const std::wstring& path) {
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root_, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(k);
  }
  bool Has(const std::wstring& path) { return KeyExists(root_, path); }
  HKEY root_ = nullptr;
};

constexpr const wchar_t* kScript = LR"(
  HKCR
  {
    NoRemove Parent
    {
      ForceRemove Forced = s 'forced'
      {
        Child = s 'child'
      }
      Plain = s 'plain'
      {
        Sub
        val Named = s 'named'
      }
    }
  }
)";

TEST_F(RegistryWriterTest, RegisterWritesStringsAndForceRemoveClearsOldSubtree) {
  Touch(L"Parent\\Forced\\Stale\\Deeper");
  ASSERT_EQ(Run(kScript, ScriptMode::kRegister), S_OK);
  std::wstring v;
  EXPECT_TRUE(ReadString(root_, L"Parent\\Forced", nullptr, &v) && v == L"forced");
  EXPECT_TRUE(ReadString(root_, L"Parent\\Forced\\Child", nullptr, &v) && v == L"child");
  EXPECT_TRUE(ReadString(root_, L"Parent\\Plain", L"Named", &v) && v == L"named");
  EXPECT_TRUE(Has(L"Parent\\Plain\\Sub"));
  EXPECT_FALSE(Has(L"Parent\\Forced\\Stale"));
  // Registering again is harmless.
  EXPECT_EQ(Run(kScript, ScriptMode::kRegister), S_OK);
  EXPECT_TRUE(ReadString(root_, L"Parent\\Plain", nullptr, &v) && v == L"plain");
}

TEST_F(RegistryWriterTest, UnregisterKeepsNoRemoveAndForeignKeys) {
  ASSERT_EQ(Run(kScript, ScriptMode::kRegister), S_OK);
  Touch(L"Parent\\Forced\\Foreign");  // goes with its ForceRemove parent
  Touch(L"Parent\\Plain\\Foreign");   // keeps Plain alive
  Touch(L"Parent\\Other");            // never named by the script
  ASSERT_EQ(Run(kScript, ScriptMode::kUnregister), S_OK);
  EXPECT_TRUE(Has(L"Parent"));
  EXPECT_TRUE(Has(L"Parent\\Other"));
  EXPECT_FALSE(Has(L"Parent\\Forced"));
  EXPECT_FALSE(Has(L"Parent\\Plain\\Sub"));
  EXPECT_TRUE(Has(L"Parent\\Plain\\Foreign"));
  std::wstring v;
  EXPECT_FALSE(ReadString(root_, L"Parent\\Plain", L"Named", &v));
  EXPECT_FALSE(ReadString(root_, L"Parent\\Plain", nullptr, &v));

  RegDeleteKeyW(root_, L"Parent\\Plain\\Foreign");
  ASSERT_EQ(Run(kScript, ScriptMode::kRegister), S_OK);
  ASSERT_EQ(Run(kScript, ScriptMode::kUnregister), S_OK);
  EXPECT_FALSE(Has(L"Parent\\Plain"));
  // Nothing left to remove is not an error.
  EXPECT_EQ(Run(kScript, ScriptMode::kUnregister), S_OK);
  EXPECT_TRUE(Has(L"Parent"));
}

}  // namespace
}  // namespace corvane::server
