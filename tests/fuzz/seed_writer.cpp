// Writes the seed corpus: the demo charts and the golden charts as fuzz inputs (see
// chart_encoder.h), each checked by replaying it through the fuzz target's call table and
// comparing the picture with the chart it came from.
//   corvane_fuzz_seeds DIR     writes DIR/demo_* and DIR/golden_*; exit 1 when a demo
//                              chart replays to another picture
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "examples/demo_charts.h"
#include "platform/random_sequence.h"
#include "tests/fuzz/chart_encoder.h"
#include "tests/fuzz/fuzz_calls.h"
#include "tests/golden/golden_charts.h"

namespace corvane::fuzz {
namespace {

std::vector<std::uint8_t> PictureOf(CorvaneAutomation& chart) {
  ResetRandomForTest();
  DibPicture picture;
  chart.get_Picture(&picture);
  return picture.bits;
}

// Builds the chart, encodes it, replays the calls on a fresh object and compares pictures;
// with `probe`, the input goes on to read the layout back and hit-test the whole picture.
bool WriteSeed(const std::string& dir, const std::string& name,
               const std::function<void(CorvaneAutomation&)>& build, bool probe = false) {
  RasterGraphicsSystem system;
  CorvaneAutomation original(system);
  build(original);
  std::vector<std::uint8_t> input = EncodeChart(original.engine());

  std::int32_t w, h;
  SeedSize(original.engine().width, original.engine().height, &w, &h);
  original.SetSize(w, h);
  CorvaneAutomation replay(system);
  Session session{system, replay, system.CreateWindowSurface(64, 48), dir, 0};
  Reader in(input.data(), input.size());
  while (!in.done()) Calls()[in.Byte() % CallCount()].run(in, session);
  const bool same = PictureOf(original) == PictureOf(replay);
  // Seeds keep kMaxSeedPoints points a plot: a longer plot replays to a shorter chart.
  bool cut = false;
  for (const CPlotSeries& plot : original.engine().plots) cut |= plot.KeptCount() > kMaxSeedPoints;

  AppendRenders(&input);
  if (probe) AppendReadBackAndHits(w, h, &input);
  const std::string path = dir + "/" + name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
  std::printf("%s: %zu bytes, %s\n", path.c_str(), input.size(),
              same ? "replays to the same picture"
                   : (cut ? "plots cut short" : "REPLAYS TO ANOTHER PICTURE"));
  return same || cut;
}

std::string Slug(const std::string& name) {
  std::string s;
  for (char c : name) s += (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ? c : '_';
  return s;
}

}  // namespace
}  // namespace corvane::fuzz

int main(int argc, char** argv) {
  using namespace corvane;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  bool ok = fuzz::WriteSeed(dir, "demo_plots", demo::BuildPlotsChart);
  ok &= fuzz::WriteSeed(dir, "demo_texture", demo::BuildTextureChart);
  for (const demo::OverlayPreset& p : demo::kOverlayPresets) {
    ok &= fuzz::WriteSeed(dir, std::string("demo_") + p.kind,
                          [&](CorvaneAutomation& c) { demo::BuildOverlaysChart(c, p.preset); });
  }
  for (const golden::GoldenChart& chart : golden::Charts()) {
    // Golden charts that add records after a preset, or after a render, replay with other
    // colours or layouts: they are seeds all the same, only the demos must replay exactly.
    const auto build = [&](CorvaneAutomation& c) {
      c.SetSize(chart.width, chart.height);
      chart.build(c);
    };
    fuzz::WriteSeed(dir, "golden_" + fuzz::Slug(chart.name), build);
    // The charts with a record of every kind, hit-tested all over.
    if (std::string(chart.name).find("marks") == 0)
      fuzz::WriteSeed(dir, "hits_" + fuzz::Slug(chart.name), build, true);
  }
  return ok ? 0 : 1;
}
