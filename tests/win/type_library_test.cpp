// The type library embedded as TYPELIB 1: library, coclass and the dual interface with
// every member's DISPID, kind and help string.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/win/test_support.h"

namespace corvane::wintest {
namespace {

enum Kind { kMethod, kGet, kPut };
struct Member {
  const wchar_t* name;
  DISPID id;
  Kind kind;
};

// The interface in dispatch order.
constexpr Member kMembers[] = {
    {L"SaveToFile", 0x01, kMethod}, {L"hWnd", 0x02, kGet}, {L"hWnd", 0x02, kPut},
    {L"SetSize", 0x03, kMethod}, {L"Width", 0x04, kGet}, {L"Height", 0x05, kGet},
    {L"Show", 0x06, kMethod}, {L"Dispose", 0x07, kMethod}, {L"ScrollLeft", 0x08, kMethod},
    {L"ScrollRight", 0x09, kMethod}, {L"caption", 0x0B, kGet}, {L"caption", 0x0B, kPut},
    {L"SetSegment", 0x0C, kMethod}, {L"captionVisible", 0x0D, kGet},
    {L"captionVisible", 0x0D, kPut}, {L"arrowR", 0x15, kGet}, {L"arrowR", 0x15, kPut},
    {L"arrowH", 0x16, kGet}, {L"arrowH", 0x16, kPut}, {L"arrowLineWidth", 0x17, kGet},
    {L"arrowLineWidth", 0x17, kPut}, {L"arrowVisible", 0x18, kGet},
    {L"arrowVisible", 0x18, kPut}, {L"arrowCaptionX", 0x19, kGet},
    {L"arrowCaptionX", 0x19, kPut}, {L"arrowCaptionY", 0x1A, kGet},
    {L"arrowCaptionY", 0x1A, kPut}, {L"SetPlotVisible", 0x1F, kMethod},
    {L"GetPlotVisible", 0x20, kMethod}, {L"SetSimplePlot", 0x21, kMethod},
    {L"SetLinearApproximate", 0x22, kMethod}, {L"SetSquareApproximate", 0x23, kMethod},
    {L"AddPointToPlot", 0x24, kMethod}, {L"DisposePlot", 0x25, kMethod},
    {L"SetPlotColor", 0x26, kMethod}, {L"GetPlotColor", 0x27, kMethod},
    {L"SetPointVisible", 0x28, kMethod}, {L"GetPointVisible", 0x29, kMethod},
    {L"SetPlotWidth", 0x2A, kMethod}, {L"GetPlotWidth", 0x2B, kMethod},
    {L"AddPointToPlot2", 0x2C, kMethod}, {L"SetPointColor", 0x2D, kMethod},
    {L"GetPointColor", 0x2E, kMethod}, {L"plotsCount", 0x2F, kGet},
    {L"plotsCount", 0x2F, kPut}, {L"GetA", 0x30, kMethod}, {L"GetB", 0x31, kMethod},
    {L"GetC", 0x32, kMethod}, {L"AddLabelToGrid", 0x3D, kMethod},
    {L"SetDefaultGrid", 0x3E, kMethod}, {L"SetUserTypeGrid", 0x3F, kMethod},
    {L"isDefaultGrid", 0x40, kGet}, {L"isUserTypeGrid", 0x41, kGet},
    {L"gridVisible", 0x42, kGet}, {L"gridVisible", 0x42, kPut},
    {L"gridVerticalLines", 0x43, kGet}, {L"gridVerticalLines", 0x43, kPut},
    {L"gridHorizontalLines", 0x44, kGet}, {L"gridHorizontalLines", 0x44, kPut},
    {L"gridDigitsAfterPoint", 0x45, kGet}, {L"gridDigitsAfterPoint", 0x45, kPut},
    {L"polygonsCount", 0x47, kGet}, {L"polygonsCount", 0x47, kPut},
    {L"AddPointToPolygon", 0x48, kMethod}, {L"SetPolygonProperties", 0x49, kMethod},
    {L"SetPolygonProperties2", 0x4A, kMethod}, {L"SetPolygonVisible", 0x4B, kMethod},
    {L"GetPolygonVisible", 0x4C, kMethod}, {L"AddMark", 0x51, kMethod},
    {L"AddMark2", 0x52, kMethod}, {L"RemoveAllMarks", 0x53, kMethod},
    {L"SetMarkVisible", 0x54, kMethod}, {L"GetMarkVisible", 0x55, kMethod},
    {L"AddRectangle", 0x5B, kMethod}, {L"AddRectangle2", 0x5C, kMethod},
    {L"RemoveAllRectangles", 0x5D, kMethod}, {L"SetRectVisible", 0x5E, kMethod},
    {L"GetRectVisible", 0x5F, kMethod}, {L"AddLine", 0x65, kMethod},
    {L"RemoveAllLines", 0x66, kMethod}, {L"SetLineVisible", 0x67, kMethod},
    {L"GetLineVisible", 0x68, kMethod}, {L"AddCandleStick", 0x6F, kMethod},
    {L"RemoveAllCandleSticks", 0x70, kMethod}, {L"candlesticsVisible", 0x71, kGet},
    {L"candlesticsVisible", 0x71, kPut}, {L"preset", 0x79, kGet}, {L"preset", 0x79, kPut},
    {L"presetName", 0x7A, kGet}, {L"presetCount", 0x7B, kGet},
    {L"AddLabelToLegend", 0x83, kMethod}, {L"legendVisible", 0x84, kGet},
    {L"legendVisible", 0x84, kPut}, {L"legendPosition", 0x85, kGet},
    {L"legendPosition", 0x85, kPut},
};

std::wstring Doc(ITypeInfo* info, MEMBERID id, std::wstring* help = nullptr) {
  Bstr name, doc;
  info->GetDocumentation(id, name.out(), doc.out(), nullptr, nullptr);
  if (help) *help = doc.str();
  return name.str();
}

class TypeLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ServerModule module;
    ASSERT_TRUE(module.loaded());
    ASSERT_EQ(LoadTypeLibEx(module.path().c_str(), REGKIND_NONE, lib_.out()), S_OK);
  }
  ComPtr<ITypeLib> lib_;
};

TEST_F(TypeLibraryTest, LibraryAndCoclass) {
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(lib_->GetLibAttr(&attr), S_OK);
  EXPECT_TRUE(IsEqualGUID(attr->guid, LIBID_CorvaneLib));
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 0);
  EXPECT_EQ(attr->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  lib_->ReleaseTLibAttr(attr);
  Bstr name, help;
  ASSERT_EQ(lib_->GetDocumentation(-1, name.out(), help.out(), nullptr, nullptr), S_OK);
  EXPECT_EQ(name.str(), L"CorvaneLib");
  EXPECT_EQ(help.str(), L"Corvane 1.0 Type Library");

  ComPtr<ITypeInfo> cls;
  ASSERT_EQ(lib_->GetTypeInfoOfGuid(CLSID_CorvaneEx, cls.out()), S_OK);
  std::wstring clsHelp;
  EXPECT_EQ(Doc(cls.get(), MEMBERID_NIL, &clsHelp), L"CorvaneEx");
  EXPECT_EQ(clsHelp, L"CorvaneEx Class");
  TYPEATTR* ta = nullptr;
  ASSERT_EQ(cls->GetTypeAttr(&ta), S_OK);
  EXPECT_EQ(ta->typekind, TKIND_COCLASS);
  EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FCANCREATE);
  ASSERT_EQ(ta->cImplTypes, 3);  // ICorvaneEx, the default, then ICorvaneEx2 and ICorvaneEx3
  cls->ReleaseTypeAttr(ta);
  INT flags = 0;
  ASSERT_EQ(cls->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
  HREFTYPE ref = 0;
  ComPtr<ITypeInfo> itf;
  ASSERT_EQ(cls->GetRefTypeOfImplType(0, &ref), S_OK);
  ASSERT_EQ(cls->GetRefTypeInfo(ref, itf.out()), S_OK);
  EXPECT_EQ(Doc(itf.get(), MEMBERID_NIL), L"ICorvaneEx");
}

TEST_F(TypeLibraryTest, DualInterfaceMembersInDispatchOrder) {
  ComPtr<ITypeInfo> disp;
  ASSERT_EQ(lib_->GetTypeInfoOfGuid(IID_ICorvaneEx, disp.out()), S_OK);
  std::wstring help;
  Doc(disp.get(), MEMBERID_NIL, &help);
  EXPECT_EQ(help, L"ICorvaneEx Interface");
  // The vtable side of the dual interface.
  HREFTYPE ref = 0;
  ComPtr<ITypeInfo> itf;
  ASSERT_EQ(disp->GetRefTypeOfImplType(-1, &ref), S_OK);
  ASSERT_EQ(disp->GetRefTypeInfo(ref, itf.out()), S_OK);
  TYPEATTR* ta = nullptr;
  ASSERT_EQ(itf->GetTypeAttr(&ta), S_OK);
  EXPECT_EQ(ta->typekind, TKIND_INTERFACE);
  const WORD want = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE;
  EXPECT_EQ(ta->wTypeFlags & want, want);
  const UINT funcs = ta->cFuncs;
  itf->ReleaseTypeAttr(ta);
  ASSERT_EQ(funcs, std::size(kMembers));

  for (UINT i = 0; i < funcs; ++i) {
    const Member& m = kMembers[i];
    FUNCDESC* fd = nullptr;
    ASSERT_EQ(itf->GetFuncDesc(i, &fd), S_OK);
    std::wstring memberHelp;
    std::wstring name = Doc(itf.get(), fd->memid, &memberHelp);
    const std::string label(name.begin(), name.end());
    EXPECT_EQ(name, m.name) << i;
    EXPECT_EQ(fd->memid, m.id) << label;
    EXPECT_EQ(fd->invkind, m.kind == kMethod ? INVOKE_FUNC
                           : m.kind == kGet  ? INVOKE_PROPERTYGET
                                             : INVOKE_PROPERTYPUT)
        << label;
    EXPECT_EQ(memberHelp, std::wstring(m.kind == kMethod ? L"method " : L"property ") + m.name)
        << label;
    // Seven IUnknown and IDispatch slots come first.
    EXPECT_EQ(fd->oVft, static_cast<SHORT>((7 + i) * sizeof(void*))) << label;
    // Getter methods hand their last out-parameter back as the return value.
    if (m.kind == kMethod && name.compare(0, 3, L"Get") == 0) {
      ASSERT_GE(fd->cParams, 2) << label;
      EXPECT_TRUE(fd->lprgelemdescParam[fd->cParams - 1].paramdesc.wParamFlags & PARAMFLAG_FRETVAL)
          << label;
    }
    itf->ReleaseFuncDesc(fd);
  }
}

TEST_F(TypeLibraryTest, ColoursAreOleColorFromStdole) {
  ComPtr<ITypeInfo> disp;
  ASSERT_EQ(lib_->GetTypeInfoOfGuid(IID_ICorvaneEx, disp.out()), S_OK);
  HREFTYPE ref = 0;
  ComPtr<ITypeInfo> itf;
  ASSERT_EQ(disp->GetRefTypeOfImplType(-1, &ref), S_OK);
  ASSERT_EQ(disp->GetRefTypeInfo(ref, itf.out()), S_OK);
  UINT index = 0;
  FUNCDESC* fd = nullptr;
  for (UINT i = 0; i < std::size(kMembers); ++i) {
    if (std::wstring(kMembers[i].name) == L"SetPlotColor") index = i;
  }
  ASSERT_EQ(itf->GetFuncDesc(index, &fd), S_OK);
  ASSERT_EQ(fd->cParams, 2);
  const TYPEDESC& t = fd->lprgelemdescParam[1].tdesc;
  ASSERT_EQ(t.vt, VT_USERDEFINED);
  ComPtr<ITypeInfo> color;
  ASSERT_EQ(itf->GetRefTypeInfo(t.hreftype, color.out()), S_OK);
  EXPECT_EQ(Doc(color.get(), MEMBERID_NIL), L"OLE_COLOR");
  ComPtr<ITypeLib> owner;
  UINT at = 0;
  ASSERT_EQ(color->GetContainingTypeLib(owner.out(), &at), S_OK);
  Bstr libName;
  owner->GetDocumentation(-1, libName.out(), nullptr, nullptr, nullptr);
  EXPECT_EQ(libName.str(), L"stdole");
  itf->ReleaseFuncDesc(fd);
}

}  // namespace
}  // namespace corvane::wintest
