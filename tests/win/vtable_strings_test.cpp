// Strings through the vtable: BSTR in and out of the code-page properties, null and empty
// strings, embedded nulls, and null out-pointers.
#include <gtest/gtest.h>

#include "tests/win/test_support.h"

namespace corvane::wintest {
namespace {

class VtableStringsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module_.loaded());
    obj_.Attach(module_.CreateObject());
    ASSERT_TRUE(obj_);
    oldLocale_ = GetThreadLocale();
  }
  void TearDown() override { SetThreadLocale(oldLocale_); }

  // Puts `text` into caption, arrowCaptionX and arrowCaptionY and expects `back` from each.
  void RoundTrip(const Bstr& text, const std::wstring& back) {
    using Put = HRESULT (STDMETHODCALLTYPE ICorvaneEx::*)(BSTR);
    using Get = HRESULT (STDMETHODCALLTYPE ICorvaneEx::*)(BSTR*);
    const std::pair<Put, Get> props[] = {
        {&ICorvaneEx::put_caption, &ICorvaneEx::get_caption},
        {&ICorvaneEx::put_arrowCaptionX, &ICorvaneEx::get_arrowCaptionX},
        {&ICorvaneEx::put_arrowCaptionY, &ICorvaneEx::get_arrowCaptionY}};
    for (const auto& [put, get] : props) {
      ASSERT_EQ((obj_.get()->*put)(text.get()), S_OK);
      Bstr out;
      ASSERT_EQ((obj_.get()->*get)(out.out()), S_OK);
      ASSERT_NE(out.get(), nullptr) << "an empty string comes back as an empty BSTR";
      EXPECT_EQ(SysStringLen(out.get()), back.size());
      EXPECT_EQ(out.str(), back);
    }
  }

  ServerModule module_;
  ComPtr<ICorvaneEx> obj_;
  LCID oldLocale_ = 0;
};

TEST_F(VtableStringsTest, DefaultsComeBackExactly) {
  Bstr s;
  ASSERT_EQ(obj_->get_caption(s.out()), S_OK);
  EXPECT_EQ(s.str(), L"Corvane Version 1.1");
  ASSERT_EQ(obj_->get_arrowCaptionX(s.out()), S_OK);
  EXPECT_EQ(s.str(), L"caption X");
  ASSERT_EQ(obj_->get_presetName(s.out()), S_OK);
  EXPECT_EQ(s.str(), L"Standart");
  EXPECT_EQ(SysStringLen(s.get()), 8u);
}

TEST_F(VtableStringsTest, CodePageTextRoundTrips) {
  SetThreadLocale(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));
  RoundTrip(Bstr(L"Temp\u00E9rature \u00C5r"), L"Temp\u00E9rature \u00C5r");
  // U+0416 exists in the Cyrillic code page, which the thread's locale selects.
  SetThreadLocale(MAKELCID(MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), SORT_DEFAULT));
  char narrow[4] = {};
  BOOL lost = FALSE;
  if (WideCharToMultiByte(1251, 0, L"\u0416", 1, narrow, 4, nullptr, &lost) != 1 || lost) {
    GTEST_SKIP() << "code page 1251 is not available";
  }
  RoundTrip(Bstr(L"\u0416\u0443\u043A"), L"\u0416\u0443\u043A");
}

TEST_F(VtableStringsTest, NullEmptyAndEmbeddedNull) {
  RoundTrip(Bstr(), L"");
  RoundTrip(Bstr(L""), L"");
  // The code-page conversion stops at an embedded null.
  RoundTrip(Bstr(L"ab\0cd", 5), L"ab");
}

TEST_F(VtableStringsTest, NullOutPointersAreRefused) {
  EXPECT_EQ(obj_->get_caption(nullptr), E_POINTER);
  EXPECT_EQ(obj_->get_presetName(nullptr), E_POINTER);
  EXPECT_EQ(obj_->get_Width(nullptr), E_POINTER);
  EXPECT_EQ(obj_->GetA(1, nullptr), E_POINTER);
  EXPECT_EQ(obj_->GetPlotColor(1, nullptr), E_POINTER);
  EXPECT_EQ(obj_->GetPlotVisible(1, nullptr), E_POINTER);
}

TEST_F(VtableStringsTest, ValuesCrossTheAdapterUnchanged) {
  // OLE_COLOR is unsigned and long is signed: both must pass bit for bit.
  ASSERT_EQ(obj_->SetPlotColor(2, 0x00FF8001u), S_OK);
  OLE_COLOR c = 0;
  ASSERT_EQ(obj_->GetPlotColor(2, &c), S_OK);
  EXPECT_EQ(c, 0x00FF8001u);
  ASSERT_EQ(obj_->SetSize(-5, 0), S_OK);
  LONG w = 0, h = 1;
  ASSERT_EQ(obj_->get_Width(&w), S_OK);
  ASSERT_EQ(obj_->get_Height(&h), S_OK);
  EXPECT_EQ(w, -5);
  EXPECT_EQ(h, 0);
  ASSERT_EQ(obj_->put_captionVisible(0x0100), S_OK);  // any nonzero bit is true
  VARIANT_BOOL b = 0;
  ASSERT_EQ(obj_->get_captionVisible(&b), S_OK);
  EXPECT_EQ(b, VARIANT_TRUE);
  ASSERT_EQ(obj_->put_hWnd(static_cast<LONG>(0x80001234u)), S_OK);
  LONG hwnd = 0;
  ASSERT_EQ(obj_->get_hWnd(&hwnd), S_OK);
  EXPECT_EQ(hwnd, static_cast<LONG>(0x80001234u));
}

}  // namespace
}  // namespace corvane::wintest
