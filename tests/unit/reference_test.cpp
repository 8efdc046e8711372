// docs/reference.md documents every member of the interfaces: each declaration of
// server/corvane.idl must stand there, word for word, under a heading of the member's name.
// (The Windows tests check the same against the type library the DLL carries.)
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/raster/raster_system.h"
#include "tests/gallery/script_runner.h"

namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t\r");
  return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

TEST(Reference, EveryDeclarationOfTheInterfacesHasItsEntry) {
  const std::string docs = CORVANE_DOCS_DIR;
  const std::string idl = Read(docs + "/../server/corvane.idl");
  const std::string reference = Read(docs + "/reference.md");
  ASSERT_FALSE(idl.empty());
  ASSERT_FALSE(reference.empty());

  std::set<std::string> headings;
  std::istringstream refLines(reference);
  for (std::string line; std::getline(refLines, line);)
    if (line.rfind("### ", 0) == 0) headings.insert(Trim(line.substr(4)));

  const std::regex member(R"(HRESULT\s+(\w+)\s*\()");
  std::set<std::string> found;
  std::istringstream idlLines(idl);
  for (std::string line; std::getline(idlLines, line);) {
    std::smatch m;
    if (!std::regex_search(line, m, member)) continue;
    const std::string name = m[1];
    found.insert(name);
    EXPECT_TRUE(headings.count(name)) << "docs/reference.md has no \"### " << name << "\"";
    EXPECT_NE(reference.find(Trim(line)), std::string::npos)
        << "docs/reference.md does not quote the declaration\n  " << Trim(line);
  }
  // The first member of ICorvaneEx and the last of ICorvaneEx2: the whole file was read.
  EXPECT_TRUE(found.count("SaveToFile") && found.count("CopyToClipboard"));
}

// Each entry's one-line VBScript use runs, as written, on a chart that has a record of every
// kind: a wrong name, argument count or argument kind in the reference fails here. The lines
// that need a host (a window, a printer, a file path of Windows, the clipboard) are left to
// the Windows side.
TEST(Reference, TheOneLineUsesRun) {
  const std::string reference = Read(std::string(CORVANE_DOCS_DIR) + "/reference.md");
  const std::set<std::string> needHost = {"hWnd", "Show", "DrawTo", "CopyToClipboard", "SaveToFile",
                                          "SaveToPng", "SaveToSvg"};
  const std::string chartWithRecords =
      "Set chart = CreateObject(\"Corvane.CorvaneEx\")\n"
      "chart.SetSize 200, 150\n"
      "chart.plotsCount = 2\n"
      "chart.AddPointsToPlot2 1, Array(1, 2, 3)\n"
      "chart.polygonsCount = 2\n"
      "chart.AddMark 1, 1\n"
      "chart.AddRectangle 0, 2, 1, 1, 0, 1\n"
      "chart.AddRectangle 0, 2, 1, 1, 0, 1\n"
      "chart.AddLine 0, 0, 1, 1, 1, 0, 0\n";
  const std::regex use(R"(^`chart\.(\w+)([^`]*)`$)");
  corvane::RasterGraphicsSystem graphics;
  int ran = 0;
  std::istringstream lines(reference);
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (!std::regex_match(line, m, use) || needHost.count(m[1])) continue;
    corvane::CorvaneAutomation chart(graphics);
    const std::string statement = line.substr(1, line.size() - 2);
    EXPECT_EQ(corvane::gallery::RunScript(chartWithRecords + statement, {}, chart), "") << statement;
    ++ran;
  }
  EXPECT_GT(ran, 50);  // the uses were found
}

}  // namespace
