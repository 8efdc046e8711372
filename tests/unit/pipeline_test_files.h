// Files and names for the Show/SaveToFile tests.
#pragma once
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "control/automation.h"

namespace corvane::pipeline_testing {

inline std::u16string U16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

inline std::vector<unsigned char> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

inline bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

class TempDir {
 public:
  TempDir() {
    char tmpl[] = "/tmp/corvane-present-XXXXXX";
    path_ = ::mkdtemp(tmpl);
  }
  ~TempDir() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline HResult Save(CorvaneAutomation& chart, const std::string& path) {
  const std::u16string name = U16(path);
  return chart.SaveToFile(name.data(), static_cast<std::uint32_t>(name.size()));
}

}  // namespace corvane::pipeline_testing
