// libFuzzer target: an input is a sequence of member calls on one chart object of the
// portable build, with renders into a window, files and buffers among them. Besides what
// the sanitizers catch (faults, undefined behaviour, leaks) it checks after every call:
//  - a call answers as its rule says (a plain setter never fails);
//  - a refused call changes nothing the chart stores -- except that a refused render may
//    have laid the chart out, and then the chart holds exactly what a completed render
//    leaves (never half a layout);
//  - no device object outlives a call but the picture and the texture tile, none the object;
//  - saving writes through symbolic links and never replaces one.
// CORVANE_FUZZ_TRACE=1 prints each call with its result (to replay a crash by hand).
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/random_sequence.h"
#include "tests/fuzz/engine_state_hash.h"
#include "tests/fuzz/fuzz_calls.h"

namespace corvane::fuzz {
namespace {

// Renders per input: with pictures of at most 160 x 160 pixels an input stays well under a
// second even under the sanitizers.
constexpr int kRendersPerInput = 6;

[[noreturn]] void Fail(const CallKind& call, HResult hr, const char* what) {
  std::fprintf(stderr, "fuzz check failed after %s (0x%08X): %s\n", call.name,
               static_cast<unsigned>(hr), what);
  std::abort();
}

// Files the chart wrote stay within the input that wrote them.
void EmptyDir(const std::string& dir) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return;
  while (const dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name != "." && name != "..") ::unlink((dir + "/" + name).c_str());
  }
  ::closedir(d);
}

const std::string& FilesDir() {
  static const std::string& dir = *[] {
    char tmpl[] = "/tmp/corvane-fuzz-XXXXXX";
    const char* made = ::mkdtemp(tmpl);
    if (!made || ::mkdir((std::string(made) + "/sub").c_str(), 0755) != 0) std::abort();
    std::atexit([] {
      EmptyDir(FilesDir());
      ::rmdir((FilesDir() + "/sub").c_str());
      ::rmdir(FilesDir().c_str());
    });
    return new std::string(made);  // never destroyed: the exit handler still needs it
  }();
  return dir;
}

// The links the file names of an input may go through. Saving writes through a link, so
// after the input both must still be links.
void MakeLinks(const std::string& dir) {
  ::unlink((dir + "/link.bmp").c_str());
  ::unlink((dir + "/loop.bmp").c_str());
  if (::symlink("chart.bmp", (dir + "/link.bmp").c_str()) != 0 ||
      ::symlink("loop.bmp", (dir + "/loop.bmp").c_str()) != 0)
    std::abort();
}

bool LinksStayLinks(const std::string& dir) {
  struct stat st;
  return ::lstat((dir + "/link.bmp").c_str(), &st) == 0 && S_ISLNK(st.st_mode) &&
         ::lstat((dir + "/loop.bmp").c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// A render that must succeed at the chart's current size, to see what a completed render
// leaves; false when the size allows none.
bool RenderOnce(CorvaneAutomation& chart) {
  std::uint8_t pixel[4];
  return chart.DrawTo(pixel, 1, 1, 4, 0, 0) == kS_OK;
}

// Checks a refused call and returns the hash of the state it left.
std::uint64_t CheckRefusal(const CallKind& call, HResult hr, std::uint64_t before, Session& s) {
  if (!Failed(hr)) Fail(call, hr, "a success code other than S_OK");
  if (call.rule == kStores) Fail(call, hr, "a member that stores refused its arguments");
  const std::uint64_t after = EngineStateHash(s.chart.engine());
  if (after == before) return after;
  if (call.rule == kLaysOut) {
    // Only the layout pass may have run: from a stale layout to a fresh one.
    if (!s.wasDirty || s.chart.engine().layoutDirty)
      Fail(call, hr, "a refused read-back changed the chart");
    return after;
  }
  if (call.rule != kRenders) Fail(call, hr, "a refused call changed the chart");
  if (!RenderOnce(s.chart)) Fail(call, hr, "a refused render changed a chart that cannot render");
  if (EngineStateHash(s.chart.engine()) != after)
    Fail(call, hr, "a refused render left the chart half laid out");
  return after;
}

int RunInput(const std::uint8_t* data, std::size_t size) {
  static const bool trace = std::getenv("CORVANE_FUZZ_TRACE") != nullptr;
  ResetRandomForTest();  // the same input draws the same textures every time
  // One system for the process: its screen surface is 3 MB to clear.
  static RasterGraphicsSystem& system = *new RasterGraphicsSystem();
  static const std::int32_t window = system.CreateWindowSurface(64, 48);
  {
    CorvaneAutomation chart(system);
    MakeLinks(FilesDir());
    Session s{system, chart, window, FilesDir(), kRendersPerInput};
    Reader in(data, size);
    // The state's hash stays known across refused calls, which change nothing: hashing a
    // chart of large arrays before every call was the fuzzer's biggest single cost.
    std::optional<std::uint64_t> known;
    while (!in.done()) {
      const CallKind& call = Calls()[in.Byte() % CallCount()];
      // A member that stores must succeed whatever the state: hash only around the others.
      const std::uint64_t before =
          call.rule == kStores ? 0 : known ? *known : EngineStateHash(chart.engine());
      s.wasDirty = chart.engine().layoutDirty != 0;
      const HResult hr = call.run(in, s);
      if (trace) std::fprintf(stderr, "%s -> 0x%08X\n", call.name, static_cast<unsigned>(hr));
      known.reset();
      if (hr != kS_OK) known = CheckRefusal(call, hr, before, s);
      // Between calls only the picture bitmap and the texture tile may live.
      if (system.LiveObjectCount() > 2) Fail(call, hr, "a device object outlived its call");
    }
  }
  if (system.LiveObjectCount() != 0) {
    std::fprintf(stderr, "fuzz check failed: a device object outlived the chart\n");
    std::abort();
  }
  if (!LinksStayLinks(FilesDir())) {
    std::fprintf(stderr, "fuzz check failed: saving replaced a symbolic link\n");
    std::abort();
  }
  EmptyDir(FilesDir());
  return 0;
}

}  // namespace
}  // namespace corvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return corvane::fuzz::RunInput(data, size);
}
