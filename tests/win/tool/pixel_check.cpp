// The script clients' eyes: compares pictures a script cannot read itself.
//   corvane_pixel_check same A.bmp B.bmp    the two BMP files hold the same pixels
//   corvane_pixel_check png A.png B.bmp     the PNG is 8-bit RGB and decodes to the BMP's pixels
//   corvane_pixel_check clipboard B.bmp     the clipboard's CF_DIB holds the BMP's pixels
// Exit code 0: equal; 1: different; 2: a picture could not be read; 3: usage.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "tests/win/picture_support.h"

using corvane::wintest::Pixels;

int Compare(const Pixels& a, bool readA, const Pixels& b, bool readB) {
  if (!readA || !readB) return 2;
  return a == b ? 0 : 1;
}

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: corvane_pixel_check same|png|clipboard FILE [BMP]\n");
    return 3;
  }
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  const std::wstring mode = argv[1];
  Pixels a, b;
  int result = 3;
  if (mode == L"same" && argc == 4) {
    const bool ra = corvane::wintest::ReadBmp(argv[2], &a);
    result = Compare(a, ra, b, corvane::wintest::ReadBmp(argv[3], &b));
  } else if (mode == L"png" && argc == 4) {
    const bool ra = corvane::wintest::ReadPng(argv[2], &a);
    result = Compare(a, ra, b, corvane::wintest::ReadBmp(argv[3], &b));
  } else if (mode == L"clipboard" && argc == 3) {
    const bool ra = corvane::wintest::ReadClipboardDib(&a);
    result = Compare(a, ra, b, corvane::wintest::ReadBmp(argv[2], &b));
  }
  CoUninitialize();
  return result;
}
