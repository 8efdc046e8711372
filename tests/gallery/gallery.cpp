#include "tests/gallery/gallery.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "control/automation.h"
#include "platform/random_sequence.h"
#include "tests/gallery/png_pixels.h"
#include "tests/gallery/script_runner.h"

namespace corvane::gallery {

std::string ReadFile(const std::string& path, bool* ok) {
  std::ifstream in(path, std::ios::binary);
  *ok = static_cast<bool>(in);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string ReadManifest(const std::string& dir, std::vector<Entry>* entries) {
  bool ok = false;
  const std::string text = ReadFile(dir + "/gallery.txt", &ok);
  if (!ok) return dir + "/gallery.txt: cannot be read";
  std::istringstream lines(text);
  std::string line, section;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (line.rfind("## ", 0) == 0) {
      section = line.substr(3);
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    Entry e;
    e.section = section;
    words >> e.picture >> e.script;
    for (std::string w; words >> w;) e.arguments.push_back(w);
    if (e.script.empty() || section.empty())
      return "gallery.txt line " + std::to_string(number) + ": a picture, its script, under a ## section";
    entries->push_back(e);
  }
  if (entries->empty()) return "gallery.txt lists no picture";
  // The antialiased look of each script's pictures, then the high-DPI one, after them.
  std::vector<Entry> both;
  for (std::size_t i = 0; i < entries->size();) {
    std::size_t end = i;
    while (end < entries->size() && (*entries)[end].script == (*entries)[i].script &&
           (*entries)[end].section == (*entries)[i].section)
      ++end;
    both.insert(both.end(), entries->begin() + static_cast<std::ptrdiff_t>(i),
                entries->begin() + static_cast<std::ptrdiff_t>(end));
    for (const char* look : {"_antialiased", "_hidpi"}) {
      for (std::size_t k = i; k < end; ++k) {
        Entry smooth = (*entries)[k];
        const std::size_t dot = smooth.picture.rfind('.');
        smooth.picture = smooth.picture.substr(0, dot) + look +
                         (dot == std::string::npos ? "" : smooth.picture.substr(dot));
        smooth.antialias = true;
        if (std::string(look) == "_hidpi") smooth.pixelScale = 2;
        both.push_back(smooth);
      }
    }
    i = end;
  }
  entries->swap(both);
  return "";
}

std::string ScaleSetSize(const std::string& source, int factor) {
  static const std::string kCall = "chart.SetSize ";
  std::istringstream lines(source);
  std::string out, line;
  while (std::getline(lines, line)) {
    long w = 0, h = 0;
    int end = 0;
    const bool cr = !line.empty() && line.back() == '\r';
    const std::string call = cr ? line.substr(0, line.size() - 1) : line;
    if (call.rfind(kCall, 0) == 0 &&
        call.find_first_not_of("0123456789, ", kCall.size()) == std::string::npos &&
        std::sscanf(call.c_str() + kCall.size(), "%ld, %ld%n", &w, &h, &end) == 2 &&
        kCall.size() + static_cast<std::size_t>(end) == call.size()) {
      line = kCall + std::to_string(w * factor) + ", " + std::to_string(h * factor) + (cr ? "\r" : "");
    }
    out += line + "\n";
  }
  if (!source.empty() && source.back() != '\n' && !out.empty()) out.pop_back();
  return out;
}

std::string Render(GraphicsSystem& graphics, const std::string& dir, const Entry& entry,
                   const std::string& picturePath, std::string* presetName) {
  bool ok = false;
  std::string source = ReadFile(dir + "/" + entry.script, &ok);
  if (!ok) return entry.script + ": cannot be read";
  if (entry.pixelScale != 1) source = ScaleSetSize(source, static_cast<int>(entry.pixelScale));
  std::vector<std::string> arguments = {picturePath};
  arguments.insert(arguments.end(), entry.arguments.begin(), entry.arguments.end());
  ResetRandomForTest();
  CorvaneAutomation chart(graphics);
  chart.put_Antialias(entry.antialias);  // the scripts never set either
  chart.put_PixelScale(entry.pixelScale);
  const std::string error = RunScript(source, arguments, chart);
  if (presetName) {
    std::u16string name;
    chart.get_presetName(&name);
    presetName->assign(name.begin(), name.end());  // the preset names are ASCII
  }
  return error.empty() ? "" : entry.script + " " + error;
}

std::vector<std::string> CompareAll(const std::string& expectedDir, const std::vector<Entry>& entries,
                                    const std::string& actualDir) {
  std::vector<std::string> problems;
  for (const Entry& e : entries) {
    RgbPicture expected, actual;
    std::string error = ReadPng(expectedDir + "/" + e.picture, &expected);
    if (error.empty()) error = ReadPng(actualDir + "/" + e.picture, &actual);
    if (error.empty()) error = ComparePictures(expected, actual);
    if (!error.empty()) problems.push_back(e.picture + ": " + error);
  }
  return problems;
}

namespace {

// The script's opening comment block, as the text above its pictures.
std::string Description(const std::string& source) {
  std::istringstream lines(source);
  std::string line, text;
  while (std::getline(lines, line) && line.rfind("'", 0) == 0) {
    line = line.substr(line.size() > 1 && line[1] == ' ' ? 2 : 1);
    // How to run a script that takes an argument: a paragraph of its own, as code.
    if (line.rfind("Run as: ", 0) == 0) line = "\nRun as: `" + line.substr(8) + "`";
    text += line + "\n";
  }
  return text;
}

std::string Folder(const std::string& dir) {
  const std::size_t slash = dir.find_last_of('/');
  return slash == std::string::npos ? dir : dir.substr(slash + 1);
}

}  // namespace

std::string Page(GraphicsSystem& graphics, const std::string& dir, const std::vector<Entry>& entries) {
  const std::string folder = Folder(dir);
  std::string page =
      "# Gallery\n\n"
      "Every picture below was written by `SaveToPng` from the VBScript shown with it. The\n"
      "scripts live in `docs/gallery/`; each takes the picture's path as its first argument:\n\n"
      "    wine cscript //nologo docs/gallery/plots_and_fits.vbs plots.png\n\n"
      "The test command runs every script with the current build, natively and under Wine on\n"
      "GDI, and compares the pictures with these pixel for pixel. After a deliberate change,\n"
      "`./corvane.sh gallery` writes them and this page again.\n\n"
      "Every script's pictures come twice: as the chart draws them by default, then marked\n"
      "antialiased, drawn with `chart.Antialias = True` set after the chart is made, then\n"
      "marked hidpi: antialiased with `chart.PixelScale = 2` as well and every `SetSize` twice\n"
      "as large, the same layout with twice the detail.\n";
  std::string section;
  for (std::size_t i = 0; i < entries.size();) {
    const Entry& first = entries[i];
    if (first.section != section) {
      section = first.section;
      page += "\n## " + section + "\n";
    }
    std::size_t end = i;
    while (end < entries.size() && entries[end].script == first.script && entries[end].section == section) ++end;
    bool ok = false;
    const std::string source = ReadFile(dir + "/" + first.script, &ok);
    page += "\n" + Description(source) + "\n";
    if (end - i == 1) {
      page += "![" + first.picture + "](" + folder + "/" + first.picture + ")\n";
    } else {
      // Several pictures of one script: a table of three across, each captioned with its
      // argument and the chart's preset name.
      page += "| | | |\n|---|---|---|\n";
      for (std::size_t k = i; k < end; ++k) {
        std::string name;
        const std::string error = Render(graphics, dir, entries[k], "/dev/null/none.png", &name);
        (void)error;  // the picture's path cannot be written; only the name is wanted here
        std::string cell = "![" + entries[k].picture + "](" + folder + "/" + entries[k].picture + ")<br>";
        for (const std::string& a : entries[k].arguments) cell += a + " ";
        if (entries[k].pixelScale != 1)
          cell += "hidpi ";
        else if (entries[k].antialias)
          cell += "antialiased ";
        cell += name;
        page += "| " + cell + " ";
        if ((k - i) % 3 == 2 || k + 1 == end) page += "|\n";
      }
    }
    page += "\n```vb\n" + source + (source.empty() || source.back() == '\n' ? "" : "\n") + "```\n";
    i = end;
  }
  return page;
}

}  // namespace corvane::gallery
