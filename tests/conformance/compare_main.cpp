// Compares the raster renderer's scene file with GDI's. Geometry scenes must match pixel for
// pixel; text scenes must have identical logs (extents) and ink that differs only within a
// tolerance. Prints one line per failing scene and the summary
// "conformance: N passed, M failed"; exit status 1 on any failure.
//
//   conformance_compare RASTER GDI [--images DIR] [--verbose] [--map NAME]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "tests/conformance/scene_file.h"

using corvane::conformance::SceneKind;
using corvane::conformance::SceneResult;

namespace {

// A text pixel counts as different when a channel is off by more than this ...
constexpr int kTextChannelTolerance = 48;
// ... and a text scene fails when more pixels differ than this share of its ink.
constexpr double kTextInkShare = 0.08;
constexpr int kTextMinAllowed = 6;

int ChannelDiff(std::uint32_t a, std::uint32_t b) {
  int d = 0;
  for (int s = 0; s < 24; s += 8) d = std::max(d, std::abs(static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF)));
  return d;
}

void WritePpm(const std::string& path, const SceneResult& r, const SceneResult* other) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fprintf(f, "P6\n%d %d\n255\n", r.width, r.height);
  for (std::size_t i = 0; i < r.pixels.size(); ++i) {
    std::uint32_t p = r.pixels[i];
    if (other) p = (i < other->pixels.size() && other->pixels[i] == p) ? 0xFFFFFF : 0x0000FF;
    const unsigned char rgb[3] = {static_cast<unsigned char>(p), static_cast<unsigned char>(p >> 8),
                                  static_cast<unsigned char>(p >> 16)};
    std::fwrite(rgb, 1, 3, f);
  }
  std::fclose(f);
}

// Character map of both renderings: '.' background, '#' same non-background pixel,
// 'R' only/different in raster, 'G' only/different in GDI.
void PrintMap(const SceneResult& a, const SceneResult& b) {
  const std::uint32_t bg = a.pixels.empty() ? 0 : a.pixels[0];
  int x0 = a.width, y0 = a.height, x1 = -1, y1 = -1;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * a.width + x;
      if (a.pixels[i] != bg || b.pixels[i] != bg) {
        x0 = std::min(x0, x); x1 = std::max(x1, x); y0 = std::min(y0, y); y1 = std::max(y1, y);
      }
    }
  std::printf("map of %s, x %d..%d, y %d..%d\n", a.name.c_str(), x0, x1, y0, y1);
  for (int y = y0; y <= y1; ++y) {
    std::printf("%4d ", y);
    for (int x = x0; x <= x1; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * a.width + x;
      const bool ia = a.pixels[i] != bg, ib = b.pixels[i] != bg;
      char c = '.';
      if (a.pixels[i] == b.pixels[i]) c = ia ? '#' : '.';
      else if (ia && !ib) c = 'R';
      else if (ib && !ia) c = 'G';
      else c = 'X';
      std::putchar(c);
    }
    std::putchar('\n');
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s RASTER GDI [--images DIR] [--verbose] [--map NAME]\n", argv[0]);
    return 2;
  }
  std::string images, map_name;
  bool verbose = false;
  for (int i = 3; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--images" && i + 1 < argc) images = argv[++i];
    else if (arg == "--map" && i + 1 < argc) map_name = argv[++i];
    else if (arg == "--verbose") verbose = true;
  }
  std::vector<SceneResult> raster, gdi;
  if (!corvane::conformance::ReadResults(argv[1], &raster)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  if (!corvane::conformance::ReadResults(argv[2], &gdi)) {
    std::fprintf(stderr, "cannot read %s\n", argv[2]);
    return 2;
  }
  std::map<std::string, const SceneResult*> by_name;
  for (const SceneResult& r : gdi) by_name[r.name] = &r;
  int passed = 0, failed = 0;
  for (const SceneResult& a : raster) {
    auto it = by_name.find(a.name);
    std::string why;
    if (it == by_name.end()) {
      why = "missing from the GDI rendering";
    } else {
      const SceneResult& b = *it->second;
      if (!a.rendered || !b.rendered) {
        why = a.rendered ? "GDI could not render it" : "raster could not render it";
      } else if (a.width != b.width || a.height != b.height || a.pixels.size() != b.pixels.size()) {
        why = "sizes differ";
      } else {
        if (a.log != b.log) {
          why = "logs differ:";
          for (std::size_t i = 0; i < std::max(a.log.size(), b.log.size()); ++i) {
            const long long va = i < a.log.size() ? a.log[i] : -999999, vb = i < b.log.size() ? b.log[i] : -999999;
            if (va != vb) why += " [" + std::to_string(i) + "] " + std::to_string(va) + "/" + std::to_string(vb);
          }
        }
        long diff = 0, ink = 0;
        int first_x = -1, first_y = -1;
        const std::uint32_t bg = a.pixels.empty() ? 0 : a.pixels[0];
        for (std::size_t i = 0; i < a.pixels.size(); ++i) {
          if (a.pixels[i] != bg || b.pixels[i] != bg) ++ink;
          const bool differs = a.kind == SceneKind::kText ? ChannelDiff(a.pixels[i], b.pixels[i]) > kTextChannelTolerance
                                                          : a.pixels[i] != b.pixels[i];
          if (differs) {
            if (diff == 0) {
              first_x = static_cast<int>(i % a.width);
              first_y = static_cast<int>(i / a.width);
            }
            ++diff;
          }
        }
        const long allowed = a.kind == SceneKind::kText ? std::max<long>(kTextMinAllowed, static_cast<long>(ink * kTextInkShare)) : 0;
        if (diff > allowed) {
          char buf[160];
          std::snprintf(buf, sizeof buf, "%s%ld pixels differ (allowed %ld), first at (%d, %d): raster %06X, GDI %06X",
                        why.empty() ? "" : "; ", diff, allowed, first_x, first_y,
                        a.pixels[static_cast<std::size_t>(first_y) * a.width + first_x],
                        b.pixels[static_cast<std::size_t>(first_y) * a.width + first_x]);
          why += buf;
        } else if (verbose && diff > 0) {
          std::printf("note %s: %ld text pixels differ (allowed %ld)\n", a.name.c_str(), diff, allowed);
        }
        if (!images.empty() && (diff > 0 || verbose)) {
          WritePpm(images + "/" + a.name + ".raster.ppm", a, nullptr);
          WritePpm(images + "/" + a.name + ".gdi.ppm", b, nullptr);
          WritePpm(images + "/" + a.name + ".diff.ppm", a, &b);
        }
        if (a.name == map_name) PrintMap(a, b);
      }
    }
    if (why.empty()) {
      ++passed;
      if (verbose) std::printf("ok   %s\n", a.name.c_str());
    } else {
      ++failed;
      std::printf("FAIL %s: %s\n", a.name.c_str(), why.c_str());
    }
  }
  for (const SceneResult& b : gdi) {
    if (std::none_of(raster.begin(), raster.end(), [&](const SceneResult& a) { return a.name == b.name; })) {
      ++failed;
      std::printf("FAIL %s: missing from the raster rendering\n", b.name.c_str());
    }
  }
  std::printf("conformance: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
