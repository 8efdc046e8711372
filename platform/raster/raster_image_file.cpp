#include "platform/raster/raster_image_file.h"

#include <cstdio>
#include <algorithm>
#include <memory>
#include <new>
#include <vector>

namespace corvane {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

struct CrcTable {
  std::uint32_t v[256];
  CrcTable() {
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      v[i] = c;
    }
  }
};

std::uint32_t Crc32(const std::uint8_t* data, std::size_t n) {
  static const CrcTable table;
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) crc = table.v[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void PutBE32(std::vector<std::uint8_t>* v, std::uint32_t x) {
  v->push_back(static_cast<std::uint8_t>(x >> 24));
  v->push_back(static_cast<std::uint8_t>(x >> 16));
  v->push_back(static_cast<std::uint8_t>(x >> 8));
  v->push_back(static_cast<std::uint8_t>(x));
}

void PutChunk(std::vector<std::uint8_t>* out, const char* type, const std::vector<std::uint8_t>& data) {
  PutBE32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out->size();
  out->insert(out->end(), type, type + 4);
  out->insert(out->end(), data.begin(), data.end());
  PutBE32(out, Crc32(out->data() + start, out->size() - start));
}

bool WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "wb"));
  if (!f) return false;
  return std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
}

}  // namespace

bool WritePng(const std::string& path, const RasterBitmap& bmp) {
  try {
    // Raw scanlines (filter byte 0 + RGB), then a zlib stream of stored blocks.
    std::vector<std::uint8_t> raw;
    raw.reserve((static_cast<std::size_t>(bmp.width()) * 3 + 1) * static_cast<std::size_t>(bmp.height()));
    for (std::int32_t y = 0; y < bmp.height(); ++y) {
      raw.push_back(0);
      for (std::int32_t x = 0; x < bmp.width(); ++x) {
        const Color c = bmp.Get(x, y);
        raw.push_back(static_cast<std::uint8_t>(RedOf(c)));
        raw.push_back(static_cast<std::uint8_t>(GreenOf(c)));
        raw.push_back(static_cast<std::uint8_t>(BlueOf(c)));
      }
    }
    std::vector<std::uint8_t> z = {0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
      a = (a + byte) % 65521;
      b = (b + a) % 65521;
    }
    std::size_t pos = 0;
    do {
      const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
      z.push_back(pos + n == raw.size() ? 1 : 0);
      z.push_back(static_cast<std::uint8_t>(n));
      z.push_back(static_cast<std::uint8_t>(n >> 8));
      z.push_back(static_cast<std::uint8_t>(~n));
      z.push_back(static_cast<std::uint8_t>(~n >> 8));
      z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos), raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
      pos += n;
    } while (pos < raw.size());
    PutBE32(&z, (b << 16) | a);
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> ihdr;
    PutBE32(&ihdr, static_cast<std::uint32_t>(bmp.width()));
    PutBE32(&ihdr, static_cast<std::uint32_t>(bmp.height()));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    PutChunk(&out, "IHDR", ihdr);
    PutChunk(&out, "IDAT", z);
    PutChunk(&out, "IEND", {});
    return WriteAll(path, out);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool WritePpm(const std::string& path, const RasterBitmap& bmp) {
  try {
    const std::string header = "P6\n" + std::to_string(bmp.width()) + " " + std::to_string(bmp.height()) + "\n255\n";
    std::vector<std::uint8_t> out(header.begin(), header.end());
    for (std::int32_t y = 0; y < bmp.height(); ++y)
      for (std::int32_t x = 0; x < bmp.width(); ++x) {
        const Color c = bmp.Get(x, y);
        out.push_back(static_cast<std::uint8_t>(RedOf(c)));
        out.push_back(static_cast<std::uint8_t>(GreenOf(c)));
        out.push_back(static_cast<std::uint8_t>(BlueOf(c)));
      }
    return WriteAll(path, out);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace corvane
