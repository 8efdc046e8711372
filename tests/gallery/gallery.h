// The gallery of docs/gallery: its list of pictures (gallery.txt), rendering each from its
// VBScript with the portable build, comparing pictures, and writing docs/gallery.md.
//
// gallery.txt holds one line per picture, in page order: "picture.png script.vbs [argument]";
// "## Title" lines start a section of the page and "#" lines are comments. A script gets the
// picture's path as WScript.Arguments(0) and the optional argument as WScript.Arguments(1).
#pragma once
#include <string>
#include <vector>

#include "platform/dc.h"

namespace corvane::gallery {

struct Entry {
  std::string section;  // the "## " heading above it
  std::string picture;  // file name in the gallery folder
  std::string script;   // file name in the gallery folder
  std::vector<std::string> arguments;  // after the picture's path
  bool antialias = false;  // the script run with Antialias already on
  // The script run at this PixelScale, already set, with its SetSize lines as many times
  // larger (ScaleSetSize).
  double pixelScale = 1;
};

// `source` with every line "chart.SetSize W, H" of whole numbers made "chart.SetSize
// W * factor, H * factor" (numbers again): the picture of a scaled chart at its larger size.
std::string ScaleSetSize(const std::string& source, int factor);

// Reads <dir>/gallery.txt; "" or what is wrong with it. Every picture comes three times: as
// listed, antialiased as <name>_antialiased.png, and antialiased at pixel scale 2 on a picture
// twice as large as <name>_hidpi.png, after the pictures of its script.
std::string ReadManifest(const std::string& dir, std::vector<Entry>* entries);

// Runs the entry's script on a fresh chart from the start of the thread's random sequence
// (as a fresh cscript process starts) and writes its picture to `picturePath`. "" or the
// failure. `presetName` (may be null) receives the chart's preset name afterwards, even
// when the script failed.
std::string Render(GraphicsSystem& graphics, const std::string& dir, const Entry& entry,
                   const std::string& picturePath, std::string* presetName = nullptr);

// Compares every picture of the manifest in `expectedDir` with the one of the same name in
// `actualDir`; one line per mismatch or missing file.
std::vector<std::string> CompareAll(const std::string& expectedDir, const std::vector<Entry>& entries,
                                    const std::string& actualDir);

// The page that shows every picture with its script (docs/gallery.md, which sits beside the
// gallery folder). Rendering fills in the preset names.
std::string Page(GraphicsSystem& graphics, const std::string& dir, const std::vector<Entry>& entries);

std::string ReadFile(const std::string& path, bool* ok);

}  // namespace corvane::gallery
