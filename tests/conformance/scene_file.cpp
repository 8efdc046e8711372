#include "tests/conformance/scene_file.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace corvane {
namespace conformance {

namespace {

const char kMagic[8] = {'C', 'V', 'C', 'F', '0', '0', '1', '\n'};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void PutU32(std::FILE* f, std::uint32_t v) {
  const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
  std::fwrite(b, 1, 4, f);
}

bool GetU32(std::FILE* f, std::uint32_t* v) {
  unsigned char b[4];
  if (std::fread(b, 1, 4, f) != 4) return false;
  *v = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
  return true;
}

}  // namespace

bool WriteResults(const std::string& path, const std::vector<SceneResult>& results) {
  File f(std::fopen(path.c_str(), "wb"));
  if (!f) return false;
  std::fwrite(kMagic, 1, sizeof kMagic, f.get());
  PutU32(f.get(), static_cast<std::uint32_t>(results.size()));
  for (const SceneResult& r : results) {
    PutU32(f.get(), static_cast<std::uint32_t>(r.name.size()));
    std::fwrite(r.name.data(), 1, r.name.size(), f.get());
    PutU32(f.get(), static_cast<std::uint32_t>(r.kind) | (r.rendered ? 0x100u : 0u));
    PutU32(f.get(), static_cast<std::uint32_t>(r.width));
    PutU32(f.get(), static_cast<std::uint32_t>(r.height));
    PutU32(f.get(), static_cast<std::uint32_t>(r.log.size()));
    for (std::int64_t v : r.log) {
      PutU32(f.get(), static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
      PutU32(f.get(), static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) >> 32));
    }
    PutU32(f.get(), static_cast<std::uint32_t>(r.pixels.size()));
    for (std::uint32_t p : r.pixels) PutU32(f.get(), p);
  }
  return std::ferror(f.get()) == 0;
}

bool ReadResults(const std::string& path, std::vector<SceneResult>* results) {
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return false;
  char magic[sizeof kMagic];
  if (std::fread(magic, 1, sizeof magic, f.get()) != sizeof magic || std::memcmp(magic, kMagic, sizeof magic) != 0)
    return false;
  std::uint32_t count;
  if (!GetU32(f.get(), &count)) return false;
  results->clear();
  for (std::uint32_t i = 0; i < count; ++i) {
    SceneResult r;
    std::uint32_t len, kind, w, h, nlog, npx;
    if (!GetU32(f.get(), &len) || len > 4096) return false;
    r.name.resize(len);
    if (len && std::fread(&r.name[0], 1, len, f.get()) != len) return false;
    if (!GetU32(f.get(), &kind) || !GetU32(f.get(), &w) || !GetU32(f.get(), &h) || !GetU32(f.get(), &nlog))
      return false;
    if (nlog > (1u << 20)) return false;
    r.kind = static_cast<SceneKind>(kind & 0xFF);
    r.rendered = (kind & 0x100u) != 0;
    r.width = static_cast<std::int32_t>(w);
    r.height = static_cast<std::int32_t>(h);
    for (std::uint32_t k = 0; k < nlog; ++k) {
      std::uint32_t lo, hi;
      if (!GetU32(f.get(), &lo) || !GetU32(f.get(), &hi)) return false;
      r.log.push_back(static_cast<std::int64_t>(lo | (static_cast<std::uint64_t>(hi) << 32)));
    }
    if (!GetU32(f.get(), &npx) || npx > (1u << 26)) return false;
    r.pixels.resize(npx);
    for (std::uint32_t k = 0; k < npx; ++k)
      if (!GetU32(f.get(), &r.pixels[k])) return false;
    results->push_back(std::move(r));
  }
  return true;
}

}  // namespace conformance
}  // namespace corvane
