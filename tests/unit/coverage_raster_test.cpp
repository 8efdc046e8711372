// The coverage raster against the exact area of every pixel (each polygon clipped to the
// pixel square), on seeded random shapes inside, across and far outside the box; and the
// stroke outline's area against the area of the pen's path.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/raster/antialias_stroke.h"
#include "platform/raster/coverage_raster.h"
#include "plot_scenes.h"

namespace corvane {
namespace {

using testing::SplitMix;
using Poly = std::vector<DPoint>;
constexpr double kPi = 3.14159265358979323846;

double SignedArea(const Poly& p) {
  double a = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const DPoint u = p[i], v = p[(i + 1) % p.size()];
    a += u.X * v.Y - u.Y * v.X;
  }
  return a / 2;
}

// Sutherland-Hodgman against one half plane: keeps the side where f(p) >= 0 (f linear).
Poly ClipHalf(const Poly& in, const std::function<double(DPoint)>& f) {
  Poly out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const DPoint a = in[i], b = in[(i + 1) % in.size()];
    const double fa = f(a), fb = f(b);
    if (fa >= 0) out.push_back(a);
    if ((fa >= 0) != (fb >= 0)) {
      const double t = fa / (fa - fb);
      out.push_back({a.X + t * (b.X - a.X), a.Y + t * (b.Y - a.Y)});
    }
  }
  return out;
}

// The area of polygon p inside the pixel [x, x + 1] x [y, y + 1].
double PixelArea(const Poly& p, int x, int y) {
  Poly c = ClipHalf(p, [&](DPoint q) { return q.X - x; });
  c = ClipHalf(c, [&](DPoint q) { return x + 1 - q.X; });
  c = ClipHalf(c, [&](DPoint q) { return q.Y - y; });
  c = ClipHalf(c, [&](DPoint q) { return y + 1 - q.Y; });
  return c.size() < 3 ? 0 : std::fabs(SignedArea(c));
}

// A simple polygon: vertices at sorted random angles around c, radii in [r0, r1].
Poly Star(SplitMix& rng, DPoint c, double r0, double r1, int n) {
  std::vector<double> angles;
  for (int i = 0; i < n; ++i) angles.push_back(rng.Unit() * 2 * kPi);
  std::sort(angles.begin(), angles.end());
  Poly p;
  for (double a : angles) {
    const double r = r0 + rng.Unit() * (r1 - r0);
    p.push_back({c.X + r * std::cos(a), c.Y + r * std::sin(a)});
  }
  return p;
}

Poly Regular(DPoint c, double r, int n, bool clockwise) {
  Poly p;
  for (int i = 0; i < n; ++i) {
    const double a = (clockwise ? -1 : 1) * 2 * kPi * i / n;
    p.push_back({c.X + r * std::cos(a), c.Y + r * std::sin(a)});
  }
  return p;
}

class Grid : public CoverageSink {
 public:
  Grid(const IRect& box) : box_(box), alpha_(Size(), 0), rows_(static_cast<std::size_t>(box.bottom - box.top), box.left) {}
  void CoverageRow(std::int32_t y, std::int32_t x, const std::uint8_t* alpha, std::int32_t n) override {
    ASSERT_GE(y, box_.top);
    ASSERT_LT(y, box_.bottom);
    ASSERT_GE(x, box_.left);
    ASSERT_LE(x + n, box_.right);
    // Runs of a row come left to right and never overlap.
    int& next = rows_[static_cast<std::size_t>(y - box_.top)];
    ASSERT_GE(x, next) << "row " << y << " out of order";
    next = x + n;
    for (std::int32_t i = 0; i < n; ++i) At(x + i, y) = alpha[i];
  }
  std::uint8_t& At(int x, int y) {
    return alpha_[static_cast<std::size_t>(y - box_.top) * static_cast<std::size_t>(box_.right - box_.left) +
                  static_cast<std::size_t>(x - box_.left)];
  }

 private:
  std::size_t Size() const {
    return static_cast<std::size_t>(box_.right - box_.left) * static_cast<std::size_t>(box_.bottom - box_.top);
  }
  IRect box_;
  std::vector<std::uint8_t> alpha_;
  std::vector<int> rows_;
};

// A shape: the polygons the raster gets, and how each adds to the exact coverage (+1 or -1
// times its area in the pixel; holes lie wholly inside what they are cut from).
struct Shape {
  std::vector<Poly> polygons;
  std::vector<double> signs;
};

struct CoverageCase {
  const char* name;
  FillRule rule;
  IRect box;
  std::function<Shape(SplitMix&)> make;
};

TEST(CoverageRasterTest, MatchesTheExactAreaOfEveryPixel) {
  const IRect box{-7, 3, 41, 45};
  const CoverageCase cases[] = {
      {"triangles", FillRule::kNonZero, box,
       [](SplitMix& rng) {
         Poly t;
         for (int i = 0; i < 3; ++i) t.push_back({-7 + rng.Unit() * 48, 3 + rng.Unit() * 42});
         return Shape{{t}, {1}};
       }},
      {"concave stars", FillRule::kNonZero, box,
       [](SplitMix& rng) { return Shape{{Star(rng, {17, 24}, 2, 20, 5 + static_cast<int>(rng.Range(0, 20)))}, {1}}; }},
      {"concave stars, even-odd", FillRule::kEvenOdd, box,
       [](SplitMix& rng) { return Shape{{Star(rng, {17, 24}, 2, 20, 12)}, {1}}; }},
      {"thin slivers and steep edges", FillRule::kNonZero, box,
       [](SplitMix& rng) {
         const double x = -7 + rng.Unit() * 48, y = 3 + rng.Unit() * 4;
         const double w = rng.Unit() * 0.3, lean = rng.Unit() * 0.7 - 0.35;
         return Shape{{{{x, y}, {x + lean, y + 37}, {x + lean + w, y + 37}, {x + w, y}}}, {1}};
       }},
      {"across the box edges", FillRule::kNonZero, box,
       [](SplitMix& rng) {
         const DPoint c{-7 + rng.Unit() * 48, 3 + rng.Unit() * 42};
         return Shape{{Star(rng, c, 10, 40, 9)}, {1}};
       }},
      {"vertices far outside", FillRule::kNonZero, box,
       [](SplitMix& rng) {
         const double far = 1e7 * (rng.Unit() + 0.5);
         return Shape{{{{-far, 10 + rng.Unit() * 20}, {30 + rng.Unit() * 5, 4 + rng.Unit()},
                        {far, 40 + rng.Unit() * 4}, {rng.Unit() * 10, far}}},
                      {1}};
       }},
      {"holes wound backwards", FillRule::kNonZero, box,
       [](SplitMix& rng) {
         Poly outer = Regular({17, 24}, 19, 7, false);
         const double r = 2 + rng.Unit() * 10;
         return Shape{{outer, Regular({17 + rng.Unit() * 2, 24 + rng.Unit() * 2}, r, 11, true)}, {1, -1}};
       }},
      {"holes wound the same way, even-odd", FillRule::kEvenOdd, box,
       [](SplitMix& rng) {
         Poly outer = Regular({17, 24}, 19, 7, true);
         const double r = 2 + rng.Unit() * 10;
         return Shape{{outer, Regular({16 + rng.Unit() * 2, 23 + rng.Unit() * 2}, r, 9, true)}, {1, -1}};
       }},
      {"rectangles at fractional coordinates", FillRule::kNonZero, box,
       [](SplitMix& rng) {
         const double x = -9 + rng.Unit() * 40, y = 1 + rng.Unit() * 30;
         const double w = rng.Unit() * 20, h = rng.Unit() * 20;
         return Shape{{{{x, y}, {x, y + h}, {x + w, y + h}, {x + w, y}}}, {1}};
       }},
      {"two separate shapes", FillRule::kNonZero, box,
       [](SplitMix& rng) {
         return Shape{{Star(rng, {5, 14}, 1, 9, 7), Star(rng, {29, 34}, 1, 9, 7)}, {1, 1}};
       }},
  };
  CoverageRaster raster;  // one raster for all: each sweep must leave it clean
  for (const CoverageCase& c : cases) {
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
      SplitMix rng(seed);
      const Shape shape = c.make(rng);
      raster.Begin(c.box);
      for (const Poly& p : shape.polygons) raster.AddPolygon(p.data(), p.size());
      Grid grid(c.box);
      raster.Sweep(c.rule, grid);
      double worst = 0;
      for (int y = c.box.top; y < c.box.bottom; ++y) {
        for (int x = c.box.left; x < c.box.right; ++x) {
          double exact = 0;
          for (std::size_t k = 0; k < shape.polygons.size(); ++k)
            exact += shape.signs[k] * PixelArea(shape.polygons[k], x, y);
          worst = std::max(worst, std::fabs(grid.At(x, y) - exact * 255));
        }
      }
      EXPECT_LE(worst, 1.0) << c.name << ", seed " << seed << ": off by " << worst << "/255";
    }
  }
}

// A stroke's pieces must fill the pen's path once: the body and caps of one segment are the
// capsule's area, a chain adds a wedge per join, and a closed chain is its body and wedges.
TEST(CoverageRasterTest, StrokesFillThePenPathOnce) {
  struct StrokeCase {
    const char* name;
    double width;
    std::vector<DPoint> points;
    bool closed;
    double area;
  };
  const double r = 2.5;
  const StrokeCase cases[] = {
      {"slanted segment", 5, {{10.5, 12.5}, {40.5, 30.5}}, false, 5 * std::hypot(30, 18) + kPi * r * r},
      {"hairline", 1, {{10.5, 12.5}, {43.5, 14.5}}, false, std::hypot(33, 2) + kPi * 0.25},
      // two bodies overlapping in an r x r square inside the turn, a quarter disc outside it
      {"right-angle turn", 5, {{10.5, 10.5}, {40.5, 10.5}, {40.5, 40.5}}, false,
       5 * 60 - r * r + kPi * r * r + kPi * r * r / 4},
      {"turn the other way", 5, {{40.5, 40.5}, {40.5, 10.5}, {10.5, 10.5}}, false,
       5 * 60 - r * r + kPi * r * r + kPi * r * r / 4},
      {"reversal", 5, {{10.5, 20.5}, {40.5, 20.5}, {20.5, 20.5}}, false, 5 * 30 + kPi * r * r},
      // up and down one column: its capsule from the lowest point to the highest
      {"folded column", 5, {{20.5, 30.5}, {20.5, 10.5}, {20.5, 45.5}, {20.5, 25.5}}, false, 5 * 35 + kPi * r * r},
      // a row, then a fold: the capsule overlaps the row's end in an r x r square and a quarter disc
      {"row into a folded column", 5, {{10.5, 10.5}, {30.5, 10.5}, {30.5, 40.5}, {30.5, 20.5}}, false,
       5 * 20 + kPi * r * r / 2 + 5 * 30 + kPi * r * r - r * r - kPi * r * r / 4},
      // from (0, 0), whose key packs to zeros
      {"wide segment from the origin", 10, {{0, 0}, {20, 0}}, false, 20 * 10 + kPi * 25},
      {"closed square", 5, {{10.5, 10.5}, {40.5, 10.5}, {40.5, 40.5}, {10.5, 40.5}}, true,
       // outer rounded square minus the inner square
       (30 + 5) * (30 + 5) - 4 * r * r + kPi * r * r - 25 * 25},
  };
  CoverageRaster raster;
  for (const StrokeCase& c : cases) {
    const IRect box{-10, -10, 50, 50};
    raster.Begin(box);
    AntialiasStroke stroke(c.width);
    stroke.AddChain(c.points.data(), c.points.size(), c.closed, raster);
    Grid grid(box);
    raster.Sweep(FillRule::kNonZero, grid);
    double total = 0;
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x) total += grid.At(x, y) / 255.0;
    // Arcs are chords within a fiftieth of a pixel; coverage rounds to 1/255 per pixel.
    EXPECT_NEAR(total, c.area, 0.01 * c.area + 1) << c.name;
  }
}

}  // namespace
}  // namespace corvane
