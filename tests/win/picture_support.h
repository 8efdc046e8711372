// Reading pictures back on Windows for the ICorvaneEx2 tests and the script clients' checker:
// the pixel block of a BMP file, a PNG decoded by WIC, the CF_DIB on the clipboard and the
// pixels of a memory context -- each in the layout of the BMP's pixel block (rows bottom-up,
// B G R, padded to 4 bytes), so any two compare byte for byte.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::wintest {

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bits;
  bool operator==(const Pixels& o) const {
    return width == o.width && height == o.height && bits == o.bits;
  }
};

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path);
// The pixel block of a 24-bit BMP as SaveToFile writes it; false for anything else.
bool ReadBmp(const std::wstring& path, Pixels* out);
// A PNG decoded by WIC; false unless it is an 8-bit RGB PNG (COM must be initialised).
bool ReadPng(const std::wstring& path, Pixels* out);
// The clipboard's CF_DIB, if it is a 24-bit uncompressed one.
bool ReadClipboardDib(Pixels* out);
// A w x h area of a device context at (x, y), through a 24-bit DIB.
bool ReadDc(HDC dc, int x, int y, int w, int h, Pixels* out);

}  // namespace corvane::wintest
