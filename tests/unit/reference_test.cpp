// docs/reference.md documents every member of the interfaces: each declaration of
// server/corvane.idl must stand there, word for word, under a heading of the member's name.
// (The Windows tests check the same against the type library the DLL carries.)
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

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

}  // namespace
