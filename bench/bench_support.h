// What the benchmark programs share: the reference's data (a deterministic random walk),
// clocks, medians, the process's resident size, and the speed-of-light reference built and run
// in the same invocation (portable build only).
#pragma once
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/dc.h"
#ifdef _WIN32
#include "platform/gdi/gdi_system.h"
#else
#include "platform/raster/raster_system.h"
#endif

#ifdef _WIN32
#define PSAPI_VERSION 2
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace corvane::bench {

using Clock = std::chrono::steady_clock;

// What the benchmarks draw with: GDI on Windows, the raster elsewhere.
#ifdef _WIN32
using BenchGraphicsSystem = GdiGraphicsSystem;
constexpr const char* kBackend = "gdi";
#else
using BenchGraphicsSystem = RasterGraphicsSystem;
constexpr const char* kBackend = "raster";
#endif

inline double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const std::size_t m = v.size() / 2;
  return v.size() % 2 ? v[m] : 0.5 * (v[m - 1] + v[m]);
}

// The reference's random walk, a piece at a time: splitmix64 from seed 20240601 + series,
// steps uniform in [-1, 1], x = 1..N.
class WalkSource {
 public:
  explicit WalkSource(int series) : state_(20240601ull + static_cast<std::uint64_t>(series)) {}
  double Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z = z ^ (z >> 31);
    y_ += 2.0 * (static_cast<double>(z >> 11) * 0x1.0p-53) - 1.0;
    return y_;
  }

 private:
  std::uint64_t state_;
  double y_ = 0.0;
};

inline std::vector<double> MakeWalk(std::size_t n, int series) {
  WalkSource w(series);
  std::vector<double> y(n);
  for (double& v : y) v = w.Next();
  return y;
}

// Processor time of the whole process in milliseconds.
inline double CpuMs() {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  auto ms = [](const FILETIME& f) {
    return double((std::uint64_t(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
#else
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
#endif
}

// Resident and peak resident size of the process in bytes.
inline std::uint64_t ResidentBytes() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS pmc{};
  return GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc) ? pmc.WorkingSetSize : 0;
#else
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return 0;
  unsigned long long size = 0, resident = 0;
  const int got = std::fscanf(f, "%llu %llu", &size, &resident);
  std::fclose(f);
  return got == 2 ? resident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)) : 0;
#endif
}

inline std::uint64_t PeakResidentBytes() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS pmc{};
  return GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc) ? pmc.PeakWorkingSetSize : 0;
#else
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  return static_cast<std::uint64_t>(ru.ru_maxrss) * 1024u;
#endif
}

// A picture-sized memory context renders go to; made once, outside the timed spans.
class RenderTarget {
 public:
  RenderTarget(GraphicsSystem& g, std::int32_t width, std::int32_t height) : graphics_(g) {
    screen_ = g.GetScreenDC();
    dc_ = g.CreateCompatibleDC(screen_.get());
    bitmap_ = screen_ ? screen_->CreateCompatibleBitmap(width, height) : kNoObject;
    if (dc_ && bitmap_) previous_ = dc_->SelectObject(bitmap_);
  }
  ~RenderTarget() {
    if (dc_ && previous_) dc_->SelectObject(previous_);
    dc_.reset();
    if (bitmap_) graphics_.DeleteObject(bitmap_);
  }
  RenderTarget(const RenderTarget&) = delete;
  RenderTarget& operator=(const RenderTarget&) = delete;
  DeviceContext* dc() { return previous_ ? dc_.get() : nullptr; }

 private:
  GraphicsSystem& graphics_;
  std::unique_ptr<DeviceContext> screen_, dc_;
  ObjHandle bitmap_ = kNoObject, previous_ = kNoObject;
};

// Builds the reference with its own script into a fresh temporary directory; returns the
// program's path, or "" (always on Windows, where it does not run).
inline std::string BuildReference(const std::string& refDir) {
#ifndef _WIN32
  char tmpl[] = "/tmp/corvane_ref_XXXXXX";
  const char* dir = mkdtemp(tmpl);
  if (!dir) return "";
  const std::string cmd = "sh " + refDir + "/build.sh " + dir + " 2>&1";
  std::FILE* p = popen(cmd.c_str(), "r");
  if (!p) return "";
  char line[1024];
  std::string last;
  while (std::fgets(line, sizeof line, p)) last = line;
  if (pclose(p) != 0) return "";
  while (!last.empty() && (last.back() == '\n' || last.back() == '\r')) last.pop_back();
  return last;
#else
  (void)refDir;
  return "";
#endif
}

// Removes what BuildReference made.
inline void RemoveReference(const std::string& ref) {
#ifndef _WIN32
  if (ref.empty()) return;
  std::remove(ref.c_str());
  rmdir(ref.substr(0, ref.rfind('/')).c_str());
#else
  (void)ref;
#endif
}

// Median milliseconds of each STAGE line of the reference for S x N points.
inline std::map<std::string, double> RunReference(const std::string& ref, int series,
                                                  std::size_t n, int runs) {
  std::map<std::string, double> stages;
#ifndef _WIN32
  if (ref.empty()) return stages;
  const std::string cmd = ref + " --n " + std::to_string(n) + " --s " + std::to_string(series) +
                          " --runs " + std::to_string(runs) + " 2>&1";
  std::FILE* p = popen(cmd.c_str(), "r");
  if (!p) return stages;
  char line[512];
  while (std::fgets(line, sizeof line, p)) {
    char name[32];
    double median = 0;
    if (std::sscanf(line, "STAGE N=%*s S=%*s %31s median_s=%lf", name, &median) == 2)
      stages[name] = median * 1e3;
  }
  pclose(p);
#else
  (void)ref, (void)series, (void)n, (void)runs;
#endif
  return stages;
}

}  // namespace corvane::bench
