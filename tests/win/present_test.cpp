// Show into a real window (needs a display: Xvfb under Wine) and SaveToFile, read back.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "tests/win/test_support.h"

namespace corvane::wintest {
namespace {

constexpr int kW = 160;
constexpr int kH = 120;
constexpr COLORREF kMarker = RGB(255, 0, 255);

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path) {
  std::vector<std::uint8_t> bytes;
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  DWORD size = GetFileSize(f, nullptr), got = 0;
  bytes.resize(size);
  if (size && !ReadFile(f, bytes.data(), size, &got, nullptr)) got = 0;
  bytes.resize(got);
  CloseHandle(f);
  return bytes;
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class PresentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module_.loaded());
    obj_.Attach(module_.CreateObject());
    ASSERT_TRUE(obj_);
    dir_ = MakeTempDir(L"present");
  }
  void TearDown() override {
    obj_.Reset();
    if (hwnd_) DestroyWindow(hwnd_);
    RemoveTree(dir_);
  }

  bool OpenWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CorvaneTestHost";
    RegisterClassW(&wc);  // a second registration fails harmlessly
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"host", WS_POPUP | WS_VISIBLE, 0,
                            0, kW, kH, nullptr, nullptr, wc.hInstance, nullptr);
    if (!hwnd_) return false;
    Pump();
    return true;
  }
  static void Pump() {
    MSG msg;
    for (int i = 0; i < 50; ++i) {
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(0);
    }
  }
  void FillWindow(COLORREF c) {
    HDC dc = GetDC(hwnd_);
    HBRUSH b = CreateSolidBrush(c);
    RECT rc{0, 0, kW, kH};
    FillRect(dc, &rc, b);
    DeleteObject(b);
    GdiFlush();
    ReleaseDC(hwnd_, dc);
  }
  // The window's client area as the rows of a 24-bit bottom-up DIB, the BMP pixel layout.
  std::vector<std::uint8_t> Capture() {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = kW;
    bi.bmiHeader.biHeight = kH;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC win = GetDC(hwnd_);
    HDC mem = CreateCompatibleDC(win);
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<std::uint8_t> out;
    if (dib) {
      HGDIOBJ old = SelectObject(mem, dib);
      BitBlt(mem, 0, 0, kW, kH, win, 0, 0, SRCCOPY);
      GdiFlush();
      const size_t stride = (3 * kW + 3) & ~3u;
      const auto* p = static_cast<const std::uint8_t*>(bits);
      out.assign(p, p + stride * kH);
      SelectObject(mem, old);
      DeleteObject(dib);
    }
    DeleteDC(mem);
    ReleaseDC(hwnd_, win);
    return out;
  }
  static bool AllMarker(const std::vector<std::uint8_t>& px) {
    const size_t stride = (3 * kW + 3) & ~3u;
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const std::uint8_t* p = &px[y * stride + 3 * x];
        if (RGB(p[2], p[1], p[0]) != kMarker) return false;
      }
    }
    return true;
  }
  void BuildChart() {
    ASSERT_EQ(obj_->SetSize(kW, kH), S_OK);
    ASSERT_EQ(obj_->put_plotsCount(1), S_OK);
    for (int i = 0; i < 10; ++i) ASSERT_EQ(obj_->AddPointToPlot(1, i, (i * 7) % 5), S_OK);
    ASSERT_EQ(obj_->SetPlotColor(1, RGB(255, 0, 0)), S_OK);
  }
  HRESULT Save(const std::wstring& path) {
    Bstr name(path.c_str());
    return obj_->SaveToFile(name.get());
  }

  ServerModule module_;
  ComPtr<ICorvaneEx> obj_;
  HWND hwnd_ = nullptr;
  std::wstring dir_;
};

TEST_F(PresentTest, ShowPaintsTheSamePictureSaveToFileWrites) {
  if (!OpenWindow()) GTEST_SKIP() << "no display for a host window";
  FillWindow(kMarker);
  ASSERT_TRUE(AllMarker(Capture())) << "the window cannot be read back here";

  ASSERT_EQ(obj_->put_hWnd(static_cast<LONG>(reinterpret_cast<LONG_PTR>(hwnd_))), S_OK);
  EXPECT_EQ(obj_->Show(), S_OK);
  EXPECT_TRUE(AllMarker(Capture())) << "Show before SetSize leaves the window alone";

  BuildChart();
  // Grid labels test their background at random places drawn from the thread's sequence,
  // which each render moves on: a label over a line may be kept by one render and dropped by
  // the next. Without the grid, two renders of the chart are the same picture.
  ASSERT_EQ(obj_->put_gridVisible(3), S_OK);
  ASSERT_EQ(obj_->put_hWnd(0), S_OK);
  EXPECT_EQ(obj_->Show(), S_OK);
  EXPECT_TRUE(AllMarker(Capture())) << "Show without a window draws nowhere";

  ASSERT_EQ(obj_->put_hWnd(static_cast<LONG>(reinterpret_cast<LONG_PTR>(hwnd_))), S_OK);
  ASSERT_EQ(obj_->Show(), S_OK);
  GdiFlush();
  const std::vector<std::uint8_t> shown = Capture();
  ASSERT_FALSE(shown.empty());
  EXPECT_FALSE(AllMarker(shown));

  const std::wstring file = dir_ + L"\\shown.bmp";
  ASSERT_EQ(Save(file), S_OK);
  const std::vector<std::uint8_t> bmp = ReadFileBytes(file);
  ASSERT_EQ(bmp.size(), 54 + shown.size());
  EXPECT_EQ(0, std::memcmp(bmp.data() + 54, shown.data(), shown.size()))
      << "window pixels differ from the saved picture";
}

TEST_F(PresentTest, SaveToFileWritesA24BitBottomUpBitmap) {
  ASSERT_EQ(obj_->SetSize(3, 2), S_OK);
  const std::wstring file = dir_ + L"\\small.bmp";
  ASSERT_EQ(Save(file), S_OK);
  const std::vector<std::uint8_t> b = ReadFileBytes(file);
  ASSERT_EQ(b.size(), 78u);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(U32(b, 2), 78u);
  EXPECT_EQ(U32(b, 10), 54u);
  EXPECT_EQ(U32(b, 14), 40u);
  EXPECT_EQ(U32(b, 18), 3u);
  EXPECT_EQ(U32(b, 22), 2u);
  EXPECT_EQ(b[26] | (b[27] << 8), 1);
  EXPECT_EQ(b[28] | (b[29] << 8), 24);
  EXPECT_EQ(U32(b, 34), 24u);
  // Rows are padded with zero bytes to a multiple of four.
  EXPECT_EQ(b[54 + 9], 0);
  EXPECT_EQ(b[54 + 10], 0);
  EXPECT_EQ(b[54 + 11], 0);

  // Without a window, and with the whole UTF-16 name.
  BuildChart();
  const std::wstring accented = dir_ + L"\\caf\u00E9 chart.bmp";
  ASSERT_EQ(Save(accented), S_OK);
  EXPECT_EQ(ReadFileBytes(accented).size(), 54u + ((3 * kW + 3) & ~3u) * kH);
}

TEST_F(PresentTest, SaveToFileReportsWhatItCouldNotWrite) {
  const std::wstring file = dir_ + L"\\none.bmp";
  EXPECT_TRUE(FAILED(Save(file))) << "a 0 x 0 picture has no bitmap file";
  EXPECT_FALSE(Exists(file));
  ASSERT_EQ(obj_->SetSize(4, 4), S_OK);
  EXPECT_TRUE(FAILED(Save(dir_ + L"\\missing\\x.bmp")));
  EXPECT_FALSE(Exists(dir_ + L"\\missing"));
  // A failed write leaves an existing file as it was.
  ASSERT_EQ(Save(file), S_OK);
  const std::vector<std::uint8_t> before = ReadFileBytes(file);
  ASSERT_EQ(obj_->SetSize(0, 4), S_OK);
  EXPECT_TRUE(FAILED(Save(file)));
  EXPECT_EQ(ReadFileBytes(file), before);
}

// The test runner prepares link.bmp leading to real.bmp (Wine shows a Unix link as the file
// it leads to); saving replaces what the link leads to, not the link.
TEST_F(PresentTest, SaveToFileWritesThroughALink) {
  const wchar_t* links = _wgetenv(L"CORVANE_LINK_DIR");
  if (!links) GTEST_SKIP() << "no link prepared (CORVANE_LINK_DIR)";
  ASSERT_EQ(obj_->SetSize(3, 2), S_OK);
  ASSERT_EQ(Save(std::wstring(links) + L"\\link.bmp"), S_OK);
  EXPECT_EQ(ReadFileBytes(std::wstring(links) + L"\\real.bmp").size(), 78u);
}

// The portable build's bounds hold here too, though GDI itself would make these bitmaps.
TEST_F(PresentTest, PicturesBeyondTheBitmapBoundsAreRefusedAsOnThePortableBuild) {
  const std::wstring file = dir_ + L"\\wide.bmp";
  for (auto [w, h] : {std::pair{1048576, 20}, std::pair{20, 40000}, std::pair{9000, 8000}}) {
    ASSERT_EQ(obj_->SetSize(w, h), S_OK);
    EXPECT_EQ(Save(file), E_OUTOFMEMORY) << w << " x " << h;
    EXPECT_FALSE(Exists(file));
  }
  if (!OpenWindow()) return;
  FillWindow(kMarker);
  ASSERT_EQ(obj_->put_hWnd(static_cast<LONG>(reinterpret_cast<LONG_PTR>(hwnd_))), S_OK);
  ASSERT_EQ(obj_->SetSize(1048576, 20), S_OK);
  EXPECT_EQ(obj_->Show(), S_OK);
  EXPECT_TRUE(AllMarker(Capture())) << "a refused picture leaves the window as it was";
}

}  // namespace
}  // namespace corvane::wintest
