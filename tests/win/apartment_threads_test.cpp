// Five threads, each in its own single-threaded apartment with its own object made by
// CoCreateInstance, draw different charts (textures among them, and a stream into ring
// buffers that changes between renders) into DIB sections at the same time, 1,000 times each
// (CORVANE_THREAD_RENDERS=N for another count). Every picture
// must equal the one the same calls give alone on a fresh thread: the texture's random
// sequence is per thread, so render k draws the same numbers in both runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <thread>
#include <vector>

#include "tests/win/test_support.h"

namespace corvane::wintest {
namespace {

constexpr LONG kW = 240, kH = 160;

void Plots(ICorvaneEx2* c, LONG preset) {
  c->SetSize(kW, kH);
  c->put_preset(preset);
  c->put_plotsCount(3);
  for (int i = 1; i <= 30; ++i) {
    c->AddPointToPlot2(1, (i * 7 % 11) - 5 + i * 0.2);
    c->AddPointToPlot2(2, 0.5 * i + (i * 5 % 7) - 12);
    c->AddPointToPlot2(3, 0.02 * (i - 15) * (i - 15) - 4 + (i % 3));
  }
  c->SetSimplePlot(1);
  c->SetPointVisible(1, VARIANT_TRUE);
  c->SetLinearApproximate(2);
  c->SetPlotWidth(2, 3);
  c->SetSquareApproximate(3);
  c->SetSegment(1, 30);
}

// Textured background, grid labels that test their background, plots.
void TextureChart(ICorvaneEx2* c) { Plots(c, 4); }

// Gradient with every dash style.
void DashedChart(ICorvaneEx2* c) {
  Plots(c, 2);
  for (LONG style = 0; style <= 4; ++style) c->AddLine(1, -6 + 3 * style, 30, 2 * style, 1 + style % 3, style, 0x800080);
}

// Translucent polygons and rectangles, candlesticks, over the olive texture.
void OverlayChart(ICorvaneEx2* c) {
  Plots(c, 16);
  c->put_polygonsCount(1);
  for (double p : {2.0, 9.0, 15.0}) c->AddPointToPolygon(1, p, p - 5);
  c->SetPolygonProperties2(1, 0xFF8000, 0.35, 2, 1, 0x800000);
  c->AddRectangle(10, 6, 20, -6, 0x00C0FF, 0.3);
  c->AddRectangle2(22, 4, 28, -8, 0xE0E0E0, 1.0, 2, 4, 0x404040);
  for (int k = 0; k < 5; ++k) c->AddCandleStick(3 + 5 * k, k, 3 - k, 5, -4);
}

// The user-type grid with its labels.
void UserGridChart(ICorvaneEx2* c) {
  Plots(c, 12);
  c->SetUserTypeGrid();
  for (const wchar_t* label : {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun"}) {
    Bstr b(label);
    c->AddLabelToGrid(b.get());
  }
  c->SetSegment(1, 6);
}

// Three dense plots in rings of 20,000 points, drawn a pixel column at a time from their
// summaries; before each render 100 more points arrive on each and the window follows the
// newest 6,000.
void StreamChart(ICorvaneEx2* c) {
  c->SetSize(kW, kH);
  c->put_plotsCount(3);
  ICorvaneEx3* ex3 = nullptr;
  if (SUCCEEDED(c->QueryInterface(IID_ICorvaneEx3, reinterpret_cast<void**>(&ex3)))) {
    for (LONG p = 1; p <= 3; ++p) ex3->put_PlotCapacity(p, 20000);
    ex3->Release();
  }
  for (LONG p = 1; p <= 3; ++p) {
    c->SetSimplePlot(p);
    c->SetPlotWidth(p, p);
    for (int i = 0; i < 22000; ++i) c->AddPointToPlot2(p, (i * (7 + p) % 101) * 0.1 + p * 5);
  }
}

void StreamFrame(ICorvaneEx2* c, int k) {
  for (LONG p = 1; p <= 3; ++p)
    for (int i = 0; i < 100; ++i) c->AddPointToPlot2(p, ((k * 100 + i) * (5 + p) % 97) * 0.1 + p * 5);
  const double newest = 22000 + 100.0 * (k + 1);
  c->SetSegment(newest - 6000, newest);
}

struct Chart {
  void (*build)(ICorvaneEx2*);
  void (*frame)(ICorvaneEx2*, int);  // before render k, if set
};
const Chart kCharts[] = {{TextureChart, nullptr},
                         {DashedChart, nullptr},
                         {OverlayChart, nullptr},
                         {UserGridChart, nullptr},
                         {StreamChart, StreamFrame}};

std::uint64_t Fnv(const std::uint8_t* p, std::size_t n) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (std::size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 0x100000001B3ull;
  return h;
}

// On the calling thread, in an apartment of its own: the hash of every rendering.
std::vector<std::uint64_t> RenderMany(const Chart& kind, int renders) {
  std::vector<std::uint64_t> hashes;
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return hashes;
  ICorvaneEx2* chart = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_CorvaneEx, nullptr, CLSCTX_INPROC_SERVER, IID_ICorvaneEx2,
                                 reinterpret_cast<void**>(&chart)))) {
    kind.build(chart);
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDib32(dc, kW, kH, &bits);
    HGDIOBJ old = SelectObject(dc, dib);
    for (int k = 0; k < renders; ++k) {
      if (kind.frame) kind.frame(chart, k);
      const HRESULT hr = chart->DrawTo(static_cast<LONG>(reinterpret_cast<LONG_PTR>(dc)), 0, 0);
      GdiFlush();
      hashes.push_back(hr == S_OK ? Fnv(static_cast<const std::uint8_t*>(bits), std::size_t{4} * kW * kH) : 0);
    }
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
    chart->Release();
  }
  CoUninitialize();
  return hashes;
}

TEST(ApartmentThreads, FiveChartsAtOnceDrawWhatEachDrawsAlone) {
  const char* wanted = std::getenv("CORVANE_THREAD_RENDERS");
  const int renders = wanted ? std::atoi(wanted) : 1000;
  constexpr std::size_t n = std::size(kCharts);
  std::vector<std::uint64_t> together[n], alone[n];
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < n; ++i)
    threads.emplace_back([&, i] { together[i] = RenderMany(kCharts[i], renders); });
  for (std::thread& t : threads) t.join();
  for (std::size_t i = 0; i < n; ++i) std::thread([&, i] { alone[i] = RenderMany(kCharts[i], renders); }).join();

  for (std::size_t i = 0; i < n; ++i) {
    ASSERT_EQ(alone[i].size(), static_cast<std::size_t>(renders)) << "chart " << i;
    ASSERT_EQ(together[i].size(), alone[i].size()) << "chart " << i;
    int differ = 0;
    for (int k = 0; k < renders; ++k) differ += together[i][k] != alone[i][k] || alone[i][k] == 0;
    EXPECT_EQ(differ, 0) << "chart " << i << ": renders unlike the chart alone";
  }
  // The textures move on with every render: a test that compared one picture would not know.
  EXPECT_NE(alone[0][0], alone[0][1]);
}

}  // namespace
}  // namespace corvane::wintest
