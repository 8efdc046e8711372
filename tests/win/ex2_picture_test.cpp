// The picture members through the ICorvaneEx2 vtable: SaveToPng decoded by WIC, the Picture
// object and the bitmap it owns, DrawTo into memory and metafile contexts, and the clipboard
// -- every one against the pixels of SaveToFile.
#include <gtest/gtest.h>

#include <olectl.h>

#include "tests/win/ex2_support.h"

namespace corvane::wintest {
namespace {

constexpr int kW = 150, kH = 100;

class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module_.loaded());
    chart_.Attach(CreateChart2(module_));
    ASSERT_TRUE(chart_);
    dir_ = MakeTempDir(L"picture");
    chart_->SetSize(kW, kH);
    chart_->put_plotsCount(1);
    // Every member renders anew; grid labels test their background at random places, so
    // they are left out for pictures that must agree across renders.
    chart_->put_gridVisible(3);
    for (int i = 0; i < 40; ++i) chart_->AddPointToPlot2(1, (i * 37) % 11);
    chart_->AddLabelToLegend(RGB(0, 128, 0), Bstr(L"series").get());
    saved_ = SavedPixels(chart_.get(), dir_);
    ASSERT_EQ(saved_.width, kW);
  }
  void TearDown() override {
    chart_.Reset();
    RemoveTree(dir_);
  }
  ServerModule module_;
  ComPtr<ICorvaneEx2> chart_;
  std::wstring dir_;
  Pixels saved_;
};

TEST_F(PictureTest, PngDecodesToTheBitmapFilesPixels) {
  // The full UTF-16 name, as SaveToFile takes it.
  const std::wstring path = dir_ + L"\\chart \u0416\u00E9.png";
  ASSERT_EQ(chart_->SaveToPng(Bstr(path.c_str()).get()), S_OK);
  Pixels png;
  ASSERT_TRUE(ReadPng(path, &png)) << "an 8-bit RGB PNG under its full name";
  EXPECT_TRUE(png == saved_);
  EXPECT_LT(ReadFileBytes(path).size() * 3, saved_.bits.size());

  // Failures change no file.
  EXPECT_EQ(chart_->SaveToPng(Bstr((dir_ + L"\\no\\such.png").c_str()).get()),
            HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(chart_->SaveToPng(nullptr), E_INVALIDARG);
  chart_->SetSize(0, kH);
  EXPECT_EQ(chart_->SaveToPng(Bstr(path.c_str()).get()), E_INVALIDARG);
  ASSERT_TRUE(ReadPng(path, &png));
  EXPECT_TRUE(png == saved_);
}

TEST_F(PictureTest, PictureOwnsABitmapOfTheChart) {
  HBITMAP handle = nullptr;
  {
    ComPtr<IPictureDisp> disp;
    ASSERT_EQ(chart_->get_Picture(disp.out()), S_OK);
    ComPtr<IPicture> picture;
    ASSERT_EQ(disp->QueryInterface(IID_IPicture, picture.out_void()), S_OK);
    SHORT type = 0;
    ASSERT_EQ(picture->get_Type(&type), S_OK);
    EXPECT_EQ(type, PICTYPE_BITMAP);
    OLE_HANDLE h = 0;
    ASSERT_EQ(picture->get_Handle(&h), S_OK);
    handle = reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(static_cast<LONG>(h)));
    BITMAP bm{};
    ASSERT_EQ(GetObjectW(handle, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, kW);
    EXPECT_EQ(bm.bmHeight, kH);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, handle);
    Pixels pixels;
    EXPECT_TRUE(ReadDc(mem, 0, 0, kW, kH, &pixels));
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(pixels == saved_);
  }
  // The last reference took the bitmap with it.
  EXPECT_EQ(GetObjectType(handle), 0u);

  EXPECT_EQ(chart_->get_Picture(nullptr), E_POINTER);
  chart_->SetSize(kW, -1);
  IPictureDisp* none = reinterpret_cast<IPictureDisp*>(1);
  EXPECT_EQ(chart_->get_Picture(&none), E_INVALIDARG);
  EXPECT_EQ(none, nullptr);
}

// A 32-bit DIB section in a memory context, filled with one colour.
class MemoryContext {
 public:
  MemoryContext(int w, int h, COLORREF fill) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all{0, 0, w, h};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  ~MemoryContext() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  HDC dc() const { return dc_; }
  LONG handle() const { return static_cast<LONG>(reinterpret_cast<LONG_PTR>(dc_)); }

 private:
  HBITMAP bitmap_;
  HDC dc_;
  HGDIOBJ old_;
};

TEST_F(PictureTest, DrawToPaintsTheSavedPixelsAtTheGivenPlace) {
  const COLORREF kFill = RGB(255, 0, 255);
  MemoryContext target(kW + 60, kH + 40, kFill);
  ASSERT_EQ(chart_->DrawTo(target.handle(), 30, 25), S_OK);
  Pixels drawn;
  ASSERT_TRUE(ReadDc(target.dc(), 30, 25, kW, kH, &drawn));
  EXPECT_TRUE(drawn == saved_);
  EXPECT_EQ(GetPixel(target.dc(), 29, 25), kFill);
  EXPECT_EQ(GetPixel(target.dc(), 30 + kW, 25 + kH - 1), kFill);
  EXPECT_EQ(GetPixel(target.dc(), 30, 24), kFill);

  // Partly outside the target: the rest is clipped, nothing fails.
  MemoryContext small(40, 30, kFill);
  EXPECT_EQ(chart_->DrawTo(small.handle(), -kW + 10, -kH + 10), S_OK);
  Pixels corner;
  ASSERT_TRUE(ReadDc(small.dc(), 0, 0, 10, 10, &corner));
  EXPECT_NE(GetPixel(small.dc(), 5, 5), kFill);
  EXPECT_EQ(GetPixel(small.dc(), 10, 10), kFill);

  // A handle that names no device context.
  for (LONG bad : {0L, 0x1234L, -1L}) EXPECT_EQ(chart_->DrawTo(bad, 0, 0), E_INVALIDARG) << bad;
  HBITMAP notADc = CreateBitmap(1, 1, 1, 32, nullptr);
  EXPECT_EQ(chart_->DrawTo(static_cast<LONG>(reinterpret_cast<LONG_PTR>(notADc)), 0, 0),
            E_INVALIDARG);
  DeleteObject(notADc);
}

TEST_F(PictureTest, DrawToRecordsIntoAMetafile) {
  HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(recorder, nullptr);
  ASSERT_EQ(chart_->DrawTo(static_cast<LONG>(reinterpret_cast<LONG_PTR>(recorder)), 0, 0), S_OK);
  HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
  ASSERT_NE(metafile, nullptr);
  MemoryContext target(kW, kH, RGB(0, 0, 0));
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(metafile, sizeof header, &header);
  // Played back at the size it was recorded, the metafile gives the pixels again.
  RECT frame{header.rclBounds.left, header.rclBounds.top, header.rclBounds.right + 1,
             header.rclBounds.bottom + 1};
  EXPECT_TRUE(PlayEnhMetaFile(target.dc(), metafile, &frame));
  DeleteEnhMetaFile(metafile);
  Pixels played;
  ASSERT_TRUE(ReadDc(target.dc(), 0, 0, kW, kH, &played));
  EXPECT_TRUE(played == saved_);
}

TEST_F(PictureTest, ClipboardHoldsTheSavedPixels) {
  ASSERT_EQ(chart_->CopyToClipboard(), S_OK);
  Pixels clip;
  ASSERT_TRUE(ReadClipboardDib(&clip));
  EXPECT_TRUE(clip == saved_);

  // While another thread holds the clipboard the call fails, and the clipboard keeps what it
  // had.
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  struct Holder {
    HANDLE opened, done;
  } holder{opened, done};
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](void* p) -> DWORD {
        auto* h = static_cast<Holder*>(p);
        // A window of its own, as an application that holds the clipboard has.
        HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     nullptr, nullptr);
        const BOOL ok = owner && OpenClipboard(owner);
        SetEvent(h->opened);
        WaitForSingleObject(h->done, 10000);
        if (ok) CloseClipboard();
        if (owner) DestroyWindow(owner);
        return ok ? 0 : 1;
      },
      &holder, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(opened, 10000), WAIT_OBJECT_0);
  chart_->SetSize(kW + 1, kH);
  EXPECT_EQ(chart_->CopyToClipboard(), CLIPBRD_E_CANT_OPEN);
  SetEvent(done);
  WaitForSingleObject(thread, 10000);
  DWORD code = 1;
  GetExitCodeThread(thread, &code);
  EXPECT_EQ(code, 0u) << "the other thread held the clipboard";
  CloseHandle(thread);
  CloseHandle(opened);
  CloseHandle(done);
  ASSERT_TRUE(ReadClipboardDib(&clip));
  EXPECT_TRUE(clip == saved_);

  chart_->SetSize(0, 0);
  EXPECT_EQ(chart_->CopyToClipboard(), E_INVALIDARG);
}

}  // namespace
}  // namespace corvane::wintest
