// The soak on real GDI: one object with every kind of record, shown into a real window and
// saved to a file 100,000 times (or argv[1] times), its state changed between the renders.
// Even cycles render the base chart, odd cycles a changed one (texture background, grid
// and labels, an extra line and mark, another colour); every base picture, on screen and in
// the file, must equal the first one, and the process's private memory and GDI object count
// (where the system reports one: Wine answers 0) must stay flat.
//
// The base chart draws nothing that depends on the thread's random sequence (no texture, no
// grid labels, which sample their background at random places), so its pictures can be
// compared across 100,000 renders; the odd cycles draw from the sequence all the while.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win/test_support.h"

namespace {

constexpr int kW = 320, kH = 240;

BSTR Text(const wchar_t* s) { return SysAllocString(s); }

void Call(HRESULT hr, const char* what) {
  if (FAILED(hr)) {
    std::printf("soak: %s failed (0x%08lX)\n", what, static_cast<unsigned long>(hr));
    std::exit(1);
  }
}

void BuildBase(ICorvaneEx2* c, LONG window) {
  c->put_hWnd(window);
  c->SetSize(kW, kH);
  BSTR caption = Text(L"Soak \u00e9t\u00e9");
  c->put_caption(caption);
  SysFreeString(caption);
  c->put_plotsCount(3);
  for (int i = 1; i <= 40; ++i) {
    c->AddPointToPlot(1, i, (i * 7 % 11) - 5 + i * 0.2);
    c->AddPointToPlot2(2, 0.5 * i + (i * 5 % 7) - 12);
    c->AddPointToPlot2(3, 0.02 * (i - 20) * (i - 20) - 4 + (i % 3));
  }
  c->SetSimplePlot(1);
  c->SetPointVisible(1, VARIANT_TRUE);
  c->SetLinearApproximate(2);
  c->SetSquareApproximate(3);
  c->SetPlotWidth(3, 3);
  c->SetSegment(1, 40);
  c->put_polygonsCount(2);
  for (double p : {4.0, 12.0, 20.0}) c->AddPointToPolygon(1, p, p / 2 - 6);
  for (double p : {22.0, 30.0, 36.0, 26.0}) c->AddPointToPolygon(2, p, 8 - p / 5);
  c->SetPolygonProperties(1, 0x00C000, 0.4);
  c->SetPolygonProperties2(2, 0xC00000, 1.0, 2, 1, 0x000080);
  c->AddRectangle(8, 6, 16, -2, 0x00FFFF, 0.3);
  c->AddRectangle2(30, 4, 38, -8, 0xE0E0E0, 1.0, 3, 4, 0x404040);
  for (LONG style = 0; style <= 4; ++style) c->AddLine(1, -8 + 3 * style, 40, 2 * style, 1 + style, style, 0x800080);
  for (int k = 0; k < 6; ++k) c->AddCandleStick(5 + 6 * k, k - 2, 2 - k, 6, -5);
  c->AddMark(10, 3);
  BSTR mark = Text(L"peak");
  c->AddMark2(25, 7, mark);
  SysFreeString(mark);
  for (const wchar_t* label : {L"north", L"south \u00fc"}) {
    BSTR b = Text(label);
    c->AddLabelToLegend(0x0000C0, b);
    SysFreeString(b);
  }
  for (const wchar_t* label : {L"Q1", L"Q2", L"Q3"}) {
    BSTR b = Text(label);
    c->AddLabelToGrid(b);
    SysFreeString(b);
  }
  c->put_gridVisible(3);  // no grid: its labels draw from the random sequence
  c->put_preset(2);       // a gradient
}

// Odd cycles: the texture, the grid with its labels, an extra line and mark, other colours.
void Change(ICorvaneEx2* c, int cycle) {
  c->put_preset(4 + cycle % 3 * 6);  // 4 and 16 are textures, 10 is not
  c->put_gridVisible(cycle % 3);
  c->SetPlotColor(1, static_cast<OLE_COLOR>(cycle * 2654435761u) & 0xFFFFFF);
  c->AddLine(1, 0, 40, cycle % 10, 1 + cycle % 15, cycle % 5, 0x0080FF);
  c->AddMark(cycle % 40, 0);
  c->put_legendPosition(cycle % 4);
}

void Restore(ICorvaneEx2* c) {
  c->put_preset(2);
  c->put_gridVisible(3);
  c->SetPlotColor(1, 0x0000FF);
  c->RemoveAllLines();
  for (LONG style = 0; style <= 4; ++style) c->AddLine(1, -8 + 3 * style, 40, 2 * style, 1 + style, style, 0x800080);
  c->RemoveAllMarks();
  c->AddMark(10, 3);
  BSTR mark = Text(L"peak");
  c->AddMark2(25, 7, mark);
  SysFreeString(mark);
  c->put_legendPosition(0);
}

std::vector<char> ReadFileBytes(const std::wstring& path) {
  std::vector<char> bytes;
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  const DWORD size = GetFileSize(f, nullptr);
  DWORD got = 0;
  bytes.resize(size);
  if (size && !ReadFile(f, bytes.data(), size, &got, nullptr)) got = 0;
  bytes.resize(got);
  CloseHandle(f);
  return bytes;
}

// The window's client area, 32 bits per pixel, top row first.
std::vector<char> Capture(HWND hwnd) {
  void* bits = nullptr;
  HDC win = GetDC(hwnd);
  HDC mem = CreateCompatibleDC(win);
  HBITMAP dib = corvane::wintest::CreateDib32(mem, kW, kH, &bits);
  std::vector<char> out;
  if (dib) {
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, kW, kH, win, 0, 0, SRCCOPY);
    GdiFlush();
    out.assign(static_cast<char*>(bits), static_cast<char*>(bits) + std::size_t{4} * kW * kH);
    SelectObject(mem, old);
    DeleteObject(dib);
  }
  DeleteDC(mem);
  ReleaseDC(hwnd, win);
  return out;
}

// The process's private memory; where the system leaves that figure 0 (Wine), the commit
// charge it reports instead.
SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX pmc{};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
  return pmc.PrivateUsage != 0 ? pmc.PrivateUsage : pmc.PagefileUsage;
}

DWORD GdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? std::atoi(argv[1]) : 100000;
  Call(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), "CoInitializeEx");
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"CorvaneSoakHost";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"soak", WS_POPUP | WS_VISIBLE, 0, 0, kW,
                              kH, nullptr, nullptr, wc.hInstance, nullptr);
  if (!hwnd) {
    std::printf("soak: no window (is there a display?)\n");
    return 1;
  }
  Pump();
  ICorvaneEx2* chart = nullptr;
  Call(CoCreateInstance(CLSID_CorvaneEx, nullptr, CLSCTX_INPROC_SERVER, IID_ICorvaneEx2,
                        reinterpret_cast<void**>(&chart)),
       "CoCreateInstance");
  BuildBase(chart, static_cast<LONG>(reinterpret_cast<LONG_PTR>(hwnd)));

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"corvane_soak_" + std::to_wstring(GetCurrentProcessId()) + L".bmp";
  BSTR name = SysAllocString(file.c_str());

  std::vector<char> firstScreen, firstFile;
  SIZE_T memoryAtStart = 0, memoryPeak = 0;
  DWORD gdiAtStart = 0, gdiPeak = 0;
  int differ = 0;
  const DWORD started = GetTickCount();
  for (int cycle = 0; cycle < cycles; ++cycle) {
    const bool base = cycle % 2 == 0;
    if (!base) Change(chart, cycle);
    Call(chart->Show(), "Show");
    Call(chart->SaveToFile(name), "SaveToFile");
    Pump();
    // Every base picture early on, then one in every 1,000 cycles and the last two.
    const bool check = base && (cycle < 100 || cycle % 1000 == 0 || cycle >= cycles - 2);
    if (check) {
      std::vector<char> screen = Capture(hwnd), saved = ReadFileBytes(file);
      if (cycle == 0) {
        firstScreen = std::move(screen);
        firstFile = std::move(saved);
      } else if (screen != firstScreen || saved != firstFile) {
        ++differ;
        std::printf("soak: cycle %d: the picture differs from the first\n", cycle);
      }
    }
    if (!base) Restore(chart);
    if (cycle == 1000) {  // after the first allocations settle
      memoryAtStart = PrivateBytes();
      gdiAtStart = GdiObjects();
    }
    if (cycle > 1000) {
      memoryPeak = std::max(memoryPeak, PrivateBytes());
      gdiPeak = std::max(gdiPeak, GdiObjects());
    }
    if (cycle > 0 && cycle % 10000 == 0) {
      std::printf("soak: %d cycles, %.1f s, private memory %.1f MB, GDI objects %lu\n", cycle,
                  (GetTickCount() - started) / 1000.0, PrivateBytes() / 1048576.0,
                  static_cast<unsigned long>(GdiObjects()));
      std::fflush(stdout);
    }
  }
  chart->Release();
  DeleteFileW(file.c_str());
  SysFreeString(name);
  DestroyWindow(hwnd);
  CoUninitialize();

  const double growth = memoryPeak > memoryAtStart ? (memoryPeak - memoryAtStart) / 1048576.0 : 0.0;
  std::printf("soak: %d cycles of Show and SaveToFile in %.1f s; base pictures unlike the first: %d; "
              "private memory %.1f MB at cycle 1000, peak %.1f MB after (+%.1f MB); GDI objects %lu "
              "at cycle 1000, peak %lu after\n",
              cycles, (GetTickCount() - started) / 1000.0, differ, memoryAtStart / 1048576.0,
              memoryPeak / 1048576.0, growth, static_cast<unsigned long>(gdiAtStart),
              static_cast<unsigned long>(gdiPeak));
  // Flat: a few megabytes of heap settling at most; a leaked DIB of this picture per 1,000
  // cycles would already add 30 MB over 100,000.
  const bool flat = growth < 8.0 && gdiPeak <= gdiAtStart + 2;
  const bool ok = differ == 0 && !firstScreen.empty() && (cycles <= 1000 || flat);
  std::printf("soak: %s\n", ok ? "passed" : "FAILED");
  return ok ? 0 : 1;
}
