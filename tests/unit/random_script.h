// A seeded random script against the automation layer: any member, in any order, with
// hostile values (NaN, infinities, extremes of int32, unpaired surrogates, embedded NULs).
// Shared by the portable and the Windows tests.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <random>
#include <string>

#include "control/automation.h"

namespace corvane::random_script {

class Script {
 public:
  explicit Script(std::uint64_t seed) : rng_(seed) {}

  double Real() {
    static const double kPool[] = {0, 1, -1, 0.5, 1e-300, 1e300, -1e300, 1e308, -1e308,
                                   2147483648.0, -2147483649.0, 4.9e-324, 1e9,
                                   std::numeric_limits<double>::quiet_NaN(),
                                   std::numeric_limits<double>::infinity(),
                                   -std::numeric_limits<double>::infinity()};
    const std::size_t k = rng_() % 24;
    if (k < std::size(kPool)) return kPool[k];
    return (double(rng_() % 2000001) - 1e6) / double(1 + rng_() % 1000);
  }
  std::int32_t Int() {
    static const std::int32_t kPool[] = {0, 1, -1, 2, 7, 8, 9, 15, 16, 21, 22, 1000, 1 << 20,
                                         INT32_MAX, INT32_MIN, INT32_MIN + 1};
    const std::size_t k = rng_() % 24;
    if (k < std::size(kPool)) return kPool[k];
    return std::int32_t(rng_() % 40) - 10;
  }
  std::u16string Text() {
    std::u16string s(rng_() % 3 == 0 ? 0 : rng_() % 24, u' ');
    for (char16_t& c : s) {
      const unsigned k = rng_() % 4;
      c = k == 0 ? char16_t(0xD800 + rng_() % 0x800) : k == 1 ? u'\0' : char16_t(32 + rng_() % 0x3000);
    }
    return s;
  }
  std::uint32_t Colour() { return std::uint32_t(rng_()); }
  std::uint32_t Below(std::uint32_t n) { return std::uint32_t(rng_() % n); }

 private:
  std::mt19937_64 rng_;
};

// One random member call; SaveToFile writes `file`, or `file` followed by hostile text.
// Getters run too: they must write something, never crash.
inline void CallSomething(Script& s, CorvaneAutomation& c, std::int32_t window,
                   const std::u16string& file) {
  std::int32_t i;
  double d;
  VariantBool b;
  Color col;
  std::u16string str;
  const std::u16string t = s.Text();
  switch (s.Below(40)) {
    case 0: c.SetSize(s.Below(4) ? std::int32_t(s.Below(700)) - 5 : s.Int(), std::int32_t(s.Below(500)) - 5); break;
    case 1: c.Show(); break;
    case 2: c.Dispose(); break;
    case 3: s.Below(2) ? c.ScrollLeft() : c.ScrollRight(); break;
    case 4: c.put_caption(t.data(), std::uint32_t(t.size())); break;
    case 5: c.SetSegment(s.Real(), s.Real()); break;
    case 6: c.put_arrowR(s.Int()); c.put_arrowH(s.Int()); c.put_arrowLineWidth(s.Int()); break;
    case 7: c.put_arrowCaptionX(t.data(), std::uint32_t(t.size())); break;
    case 8: c.SetPlotVisible(s.Int(), VariantBool(s.Int())); break;
    case 9: c.SetSimplePlot(s.Int()); break;
    case 10: c.SetLinearApproximate(s.Int()); break;
    case 11: c.SetSquareApproximate(s.Int()); break;
    case 12: case 13: {
      const std::int32_t plot = std::int32_t(1 + s.Below(9));
      for (std::uint32_t k = s.Below(60); k > 0; --k)
        c.AddPointToPlot(plot, s.Below(3) ? double(k) : s.Real(), s.Real());
      break;
    }
    case 14: c.AddPointToPlot2(std::int32_t(1 + s.Below(9)), s.Real()); break;
    case 15: c.DisposePlot(s.Int()); break;
    case 16: c.SetPlotWidth(s.Int(), s.Int()); c.SetPlotColor(s.Int(), s.Colour()); break;
    case 17: c.SetPointVisible(s.Int(), VariantBool(s.Int())); c.SetPointColor(s.Int(), s.Colour()); break;
    case 18: c.put_plotsCount(s.Int()); break;
    case 19: c.GetA(s.Int(), &d); c.GetB(s.Int(), &d); c.GetC(s.Int(), &d); break;
    case 20: c.AddLabelToGrid(t.data(), std::uint32_t(t.size())); break;
    case 21: s.Below(2) ? c.SetDefaultGrid() : c.SetUserTypeGrid(); break;
    case 22: c.put_gridVisible(s.Int()); c.put_gridVerticalLines(s.Int()); c.put_gridHorizontalLines(s.Int()); break;
    case 23: c.put_gridDigitsAfterPoint(s.Int()); break;
    case 24: c.put_polygonsCount(s.Below(8) ? std::int32_t(s.Below(6)) : s.Int()); break;
    case 25: {
      const std::int32_t polygon = s.Below(4) ? std::int32_t(1 + s.Below(5)) : s.Int();
      for (std::uint32_t k = s.Below(12); k > 0; --k) c.AddPointToPolygon(polygon, s.Real(), s.Real());
      c.SetPolygonProperties2(polygon, s.Colour(), s.Real(), s.Int(), s.Int(), s.Colour());
      break;
    }
    case 26: c.AddMark2(s.Real(), s.Real(), t.data(), std::uint32_t(t.size())); break;
    case 27: c.SetMarkVisible(s.Int(), VariantBool(s.Int())); break;
    case 28: c.AddRectangle2(s.Real(), s.Real(), s.Real(), s.Real(), s.Colour(), s.Real(), s.Int(), s.Int(), s.Colour()); break;
    case 29: c.AddLine(s.Real(), s.Real(), s.Real(), s.Real(), s.Int(), s.Int(), s.Colour()); break;
    case 30: c.AddCandleStick(s.Real(), s.Real(), s.Real(), s.Real(), s.Real()); break;
    case 31: c.put_preset(s.Int()); c.get_presetName(&str); break;
    case 32: c.AddLabelToLegend(s.Colour(), t.data(), std::uint32_t(t.size())); break;
    case 33: c.put_legendPosition(s.Int()); c.put_legendVisible(VariantBool(s.Int())); break;
    case 34: {
      // Hostile names stay inside the test's directory.
      const std::u16string name = s.Below(4) ? file : file + t;
      c.SaveToFile(name.data(), std::uint32_t(name.size()));
      break;
    }
    case 35: c.put_hWnd(s.Below(3) ? window : s.Int()); break;
    case 36:
      switch (s.Below(4)) {
        case 0: c.RemoveAllMarks(); break;
        case 1: c.RemoveAllLines(); break;
        case 2: c.RemoveAllRectangles(); break;
        default: c.RemoveAllCandleSticks(); break;
      }
      break;
    case 37:
      c.get_caption(&str);
      c.GetPlotColor(s.Int(), &col);
      c.GetPlotWidth(s.Int(), &i);
      c.GetLineVisible(s.Int(), &b);
      c.GetRectVisible(s.Int(), &b);
      c.GetPolygonVisible(s.Int(), &b);
      break;
    default: c.Show(); break;
  }
}

// How many scripts a test runs: CORVANE_RANDOM_SCRIPTS=N asks for N instead of `normal`.
inline std::uint64_t ScriptCount(std::uint64_t normal) {
  const char* wanted = std::getenv("CORVANE_RANDOM_SCRIPTS");
  return wanted ? std::strtoull(wanted, nullptr, 10) : normal;
}

}  // namespace corvane::random_script
