// The chart's two vector ways out on Windows: SaveToSvg through the ICorvaneEx3 vtable (the
// file, its refusals, a file left whole), and DrawTo into an enhanced metafile written to disk,
// as an Office document embeds it, played back against DrawTo into a memory context.
#include <gtest/gtest.h>

#include <string>

#include "tests/win/ex2_support.h"

namespace corvane::wintest {
namespace {

constexpr int kW = 240, kH = 160;

// A 32-bit memory context of w x h, filled with one colour.
class MemoryContext {
 public:
  MemoryContext(int w, int h, COLORREF fill) {
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDib32(dc_, w, h, &bits);
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
  MemoryContext(const MemoryContext&) = delete;
  MemoryContext& operator=(const MemoryContext&) = delete;
  HDC dc() const { return dc_; }
  LONG handle() const { return static_cast<LONG>(reinterpret_cast<LONG_PTR>(dc_)); }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

class VectorOut : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module_.loaded());
    ComPtr<ICorvaneEx> first(module_.CreateObject());
    ASSERT_TRUE(first);
    ASSERT_EQ(first->QueryInterface(IID_ICorvaneEx3, chart_.out_void()), S_OK);
    dir_ = MakeTempDir(L"vector");
    chart_->SetSize(kW, kH);
    chart_->put_plotsCount(2);
    // Grid labels test their background at random places: left out so renders agree.
    chart_->put_gridVisible(3);
    for (int i = 0; i < 60; ++i) {
      chart_->AddPointToPlot2(1, (i * 37) % 11);
      chart_->AddPointToPlot2(2, (i * 13) % 7);
    }
    chart_->SetSimplePlot(1);
    chart_->SetSimplePlot(2);
    chart_->SetSegment(0, 59);
    chart_->put_preset(2);  // a gradient background
  }
  void TearDown() override {
    chart_.Reset();
    RemoveTree(dir_);
  }
  ServerModule module_;
  ComPtr<ICorvaneEx3> chart_;
  std::wstring dir_;
};

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST_F(VectorOut, SaveToSvgWritesTheDocumentOrLeavesTheFile) {
  const std::wstring file = dir_ + L"\\chart \u00e9.svg";  // a name beyond the code page
  ASSERT_EQ(chart_->SaveToSvg(Bstr(file.c_str()).get()), S_OK);
  const std::string svg = Text(ReadFileBytes(file));
  EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"", 0), 0u);
  EXPECT_NE(svg.find("width=\"240\" height=\"160\""), std::string::npos);
  EXPECT_NE(svg.find("<linearGradient"), std::string::npos);
  EXPECT_NE(svg.find("<path d=\"M"), std::string::npos);
  EXPECT_EQ(svg.compare(svg.size() - 7, 7, "</svg>\n"), 0);

  // The texture tile, painted through a memory context made for this one, as a PNG pattern;
  // a translucent rectangle as a fill of some opacity.
  const std::wstring textured = dir_ + L"\\textured.svg";
  chart_->put_preset(4);
  chart_->AddRectangle(5, 8, 30, 2, RGB(0, 0, 255), 0.5);
  ASSERT_EQ(chart_->SaveToSvg(Bstr(textured.c_str()).get()), S_OK);
  const std::string texturedSvg = Text(ReadFileBytes(textured));
  EXPECT_NE(texturedSvg.find("<pattern"), std::string::npos);
  EXPECT_NE(texturedSvg.find("xlink:href=\"data:image/png;base64,iVBORw0KGgo"), std::string::npos);
  EXPECT_NE(texturedSvg.find("fill=\"#0000ff\" fill-opacity=\"0.498\""), std::string::npos);

  EXPECT_EQ(chart_->SaveToSvg(Bstr((dir_ + L"\\missing\\x.svg").c_str()).get()),
            HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(chart_->SaveToSvg(Bstr(L"").get()), E_INVALIDARG);
  EXPECT_EQ(chart_->SaveToSvg(nullptr), E_INVALIDARG);
  chart_->SetSize(0, kH);
  EXPECT_EQ(chart_->SaveToSvg(Bstr(file.c_str()).get()), E_INVALIDARG);
  EXPECT_EQ(Text(ReadFileBytes(file)), svg);  // untouched
}

TEST_F(VectorOut, DrawToAnEnhancedMetafileOnDisk) {
  const std::wstring file = dir_ + L"\\chart.emf";
  HDC screen = GetDC(nullptr);
  // The frame in 0.01 mm from the screen's resolution: the picture at its pixel size.
  const int mmX = GetDeviceCaps(screen, HORZSIZE), mmY = GetDeviceCaps(screen, VERTSIZE);
  const int pxX = GetDeviceCaps(screen, HORZRES), pxY = GetDeviceCaps(screen, VERTRES);
  RECT frame{0, 0, MulDiv(kW, mmX * 100, pxX), MulDiv(kH, mmY * 100, pxY)};
  HDC recorder = CreateEnhMetaFileW(screen, file.c_str(), &frame, L"Corvane\0chart\0");
  ReleaseDC(nullptr, screen);
  ASSERT_NE(recorder, nullptr);
  ASSERT_EQ(chart_->DrawTo(static_cast<LONG>(reinterpret_cast<LONG_PTR>(recorder)), 0, 0), S_OK);
  HENHMETAFILE closed = CloseEnhMetaFile(recorder);
  ASSERT_NE(closed, nullptr);
  DeleteEnhMetaFile(closed);

  // Read back from the file, as a document that embeds it would.
  HENHMETAFILE metafile = GetEnhMetaFileW(file.c_str());
  ASSERT_NE(metafile, nullptr);
  ENHMETAHEADER header{};
  ASSERT_EQ(GetEnhMetaFileHeader(metafile, sizeof header, &header), sizeof header);
  EXPECT_GE(header.nRecords, 3u);  // header, the picture, end of file
  EXPECT_GT(header.nBytes, static_cast<DWORD>(kW * kH * 3));  // the picture's bits are in it
  EXPECT_EQ(header.rclBounds.right - header.rclBounds.left + 1, kW);
  EXPECT_EQ(header.rclBounds.bottom - header.rclBounds.top + 1, kH);

  MemoryContext played(kW, kH, RGB(255, 0, 255));
  RECT at{0, 0, kW, kH};
  EXPECT_TRUE(PlayEnhMetaFile(played.dc(), metafile, &at));
  DeleteEnhMetaFile(metafile);
  MemoryContext direct(kW, kH, RGB(0, 255, 0));
  ASSERT_EQ(chart_->DrawTo(direct.handle(), 0, 0), S_OK);
  Pixels fromMetafile, fromDrawTo;
  ASSERT_TRUE(ReadDc(played.dc(), 0, 0, kW, kH, &fromMetafile));
  ASSERT_TRUE(ReadDc(direct.dc(), 0, 0, kW, kH, &fromDrawTo));
  EXPECT_TRUE(fromMetafile == fromDrawTo);
}

}  // namespace
}  // namespace corvane::wintest
