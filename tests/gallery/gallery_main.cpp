// corvane_gallery: the gallery's scripts with the portable build.
//   corvane_gallery render GALLERY_DIR OUT_DIR    every picture of GALLERY_DIR/gallery.txt
//                                                  into OUT_DIR (OUT_DIR may be GALLERY_DIR)
//   corvane_gallery page GALLERY_DIR PAGE.md      writes the page that shows them
//   corvane_gallery list GALLERY_DIR              "picture script [argument]" per line, for
//                                                  the scripts that run them under Wine
//   corvane_gallery compare GALLERY_DIR OUT_DIR   pixels of OUT_DIR's pictures against the
//                                                  gallery's; exit 1 on any difference
//   corvane_gallery same EXPECTED.png ACTUAL.png  the pixels of two pictures; exit 1 if not
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/raster/raster_system.h"
#include "tests/gallery/gallery.h"
#include "tests/gallery/png_pixels.h"

using namespace corvane::gallery;

int main(int argc, char** argv) {
  const std::string command = argc > 2 ? argv[1] : "";
  if (command.empty() || (command != "list" && argc < 4)) {
    std::fprintf(stderr, "usage: corvane_gallery render|page|compare GALLERY_DIR OUT | list GALLERY_DIR | same A.png B.png\n");
    return 2;
  }
  const std::string dir = argv[2];
  if (command == "same") {
    RgbPicture expected, actual;
    std::string problem = ReadPng(dir, &expected);
    if (problem.empty()) problem = ReadPng(argv[3], &actual);
    if (problem.empty()) problem = ComparePictures(expected, actual);
    if (!problem.empty()) std::printf("%s: %s\n", argv[3], problem.c_str());
    return problem.empty() ? 0 : 1;
  }
  std::vector<Entry> entries;
  const std::string error = ReadManifest(dir, &entries);
  if (!error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  corvane::RasterGraphicsSystem graphics;
  if (command == "list") {
    for (const Entry& e : entries) {
      std::printf("%s %s", e.picture.c_str(), e.script.c_str());
      for (const std::string& a : e.arguments) std::printf(" %s", a.c_str());
      std::printf("\n");
    }
    return 0;
  }
  if (command == "render") {
    int failed = 0;
    for (const Entry& e : entries) {
      const std::string path = std::string(argv[3]) + "/" + e.picture;
      const std::string problem = Render(graphics, dir, e, path);
      std::printf("%s: %s\n", path.c_str(), problem.empty() ? "written" : problem.c_str());
      failed += !problem.empty();
    }
    return failed ? 1 : 0;
  }
  if (command == "page") {
    std::ofstream out(argv[3], std::ios::binary);
    out << Page(graphics, dir, entries);
    return out ? 0 : 1;
  }
  if (command == "compare") {
    const std::vector<std::string> problems = CompareAll(dir, entries, argv[3]);
    for (const std::string& p : problems) std::printf("  %s\n", p.c_str());
    std::printf("gallery pictures: %zu passed, %zu failed\n", entries.size() - problems.size(), problems.size());
    return problems.empty() ? 0 : 1;
  }
  std::fprintf(stderr, "unknown command %s\n", command.c_str());
  return 2;
}
