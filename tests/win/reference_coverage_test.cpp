// Every member the type library describes, of the chart's interfaces and of the hit object,
// has its entry in docs/reference.md: a member added to the IDL without one fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "tests/win/test_support.h"

namespace corvane::wintest {
namespace {

// The "### name" headings of the reference (Wine maps the Unix root to drive Z:).
std::set<std::wstring> ReferenceHeadings() {
  std::ifstream in(std::string("Z:") + CORVANE_REFERENCE_PATH);
  std::set<std::wstring> headings;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("### ", 0) == 0) headings.insert(std::wstring(line.begin() + 4, line.end()));
  }
  return headings;
}

// The member names of `itf` (the vtable side of an interface) and of its bases up to, not
// including, IDispatch.
void CollectMembers(ITypeInfo* itf, std::set<std::wstring>* names) {
  ITypeInfo* current = itf;
  current->AddRef();
  while (current) {
    Bstr name;
    current->GetDocumentation(MEMBERID_NIL, name.out(), nullptr, nullptr, nullptr);
    TYPEATTR* ta = nullptr;
    ITypeInfo* base = nullptr;
    if (name.str() != L"IDispatch" && current->GetTypeAttr(&ta) == S_OK) {
      for (UINT i = 0; i < ta->cFuncs; ++i) {
        FUNCDESC* fd = nullptr;
        if (current->GetFuncDesc(i, &fd) != S_OK) continue;
        Bstr member;
        current->GetDocumentation(fd->memid, member.out(), nullptr, nullptr, nullptr);
        names->insert(member.str());
        current->ReleaseFuncDesc(fd);
      }
      HREFTYPE ref = 0;
      if (ta->cImplTypes > 0 && current->GetRefTypeOfImplType(0, &ref) == S_OK)
        current->GetRefTypeInfo(ref, &base);
      current->ReleaseTypeAttr(ta);
    }
    current->Release();
    current = base;
  }
}

TEST(ReferenceCoverage, EveryMemberOfTheTypeLibraryHasAnEntry) {
  ServerModule module;
  ASSERT_TRUE(module.loaded());
  ComPtr<ITypeLib> lib;
  ASSERT_EQ(LoadTypeLibEx(module.path().c_str(), REGKIND_NONE, lib.out()), S_OK);
  std::set<std::wstring> members;
  for (const IID* iid : {&IID_ICorvaneEx, &IID_ICorvaneEx2, &IID_ICorvaneEx3, &IID_ICorvaneHit}) {
    ComPtr<ITypeInfo> disp, itf;
    HREFTYPE ref = 0;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(*iid, disp.out()), S_OK);
    ASSERT_EQ(disp->GetRefTypeOfImplType(-1, &ref), S_OK);  // the vtable side of the dual
    ASSERT_EQ(disp->GetRefTypeInfo(ref, itf.out()), S_OK);
    CollectMembers(itf.get(), &members);
  }
  EXPECT_TRUE(members.count(L"SaveToFile") && members.count(L"CopyToClipboard"));
  const std::set<std::wstring> headings = ReferenceHeadings();
  ASSERT_FALSE(headings.empty()) << "docs/reference.md not found";
  // A type library keeps one spelling of each name (the hit object's Plot is the "plot" of
  // older parameters), so names are compared without regard to case, as scripts call them.
  std::set<std::wstring> lower;
  for (std::wstring h : headings) {
    for (wchar_t& c : h) c = towlower(c);
    lower.insert(h);
  }
  for (const std::wstring& m : members) {
    std::wstring key = m;
    for (wchar_t& c : key) c = towlower(c);
    EXPECT_TRUE(lower.count(key)) << "docs/reference.md has no entry \"### " << std::string(m.begin(), m.end()) << "\"";
  }
}

}  // namespace
}  // namespace corvane::wintest
