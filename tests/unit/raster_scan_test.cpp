// The polygon scan converter's row-by-row crossings against a plain even-odd test of every
// pixel's corner point, on seeded random polygons near and far.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/raster/floor_div_product.h"
#include "platform/raster/raster_polygon_scan.h"
#include "plot_test_support.h"

namespace corvane {
namespace {

using testing::SplitMix;

// Pixel (x, y) is filled when an odd number of edges with top <= y < bottom cross row y at
// or left of x: (x - x0) * dy >= (y - y0) * dx, in exact integers.
bool Inside(const std::vector<LPoint>& p, std::int64_t x, std::int64_t y) {
  bool odd = false;
  for (std::size_t i = 0; i < p.size(); ++i) {
    LPoint a = p[i], b = p[(i + 1) % p.size()];
    if (a.y == b.y) continue;
    if (a.y > b.y) std::swap(a, b);
    if (y < a.y || y >= b.y) continue;
    const __int128 lhs = static_cast<__int128>(x - a.x) * (b.y - a.y);
    const __int128 rhs = static_cast<__int128>(y - a.y) * (b.x - a.x);
    if (lhs >= rhs) odd = !odd;
  }
  return odd;
}

class Collect : public SpanSink {
 public:
  void Row(std::int32_t y, const RegionSpan* spans, std::size_t n) override {
    for (std::size_t i = 0; i < n; ++i)
      for (std::int32_t x = spans[i].left; x < spans[i].right; ++x) pixels.push_back({x, y});
  }
  std::vector<IPoint> pixels;
};

TEST(RasterScan, RowCrossingsMatchTheEvenOddRule) {
  SplitMix rng(31337);
  PolygonScanner scanner;  // one scanner for every polygon, as regions use it
  const IRect limit{-5, -5, 45, 35};
  for (int round = 0; round < 400; ++round) {
    std::vector<LPoint> pts(static_cast<std::size_t>(rng.Range(3, 9)));
    const std::int64_t far = round % 4 == 0 ? (std::int64_t{1} << 40) : 60;
    for (LPoint& p : pts) p = {rng.Range(-far, far), rng.Range(-far / 2, far / 2)};
    Collect got;
    scanner.Scan(pts.data(), static_cast<std::int32_t>(pts.size()), limit, got);
    std::vector<IPoint> want;
    for (std::int32_t y = limit.top; y < limit.bottom; ++y)
      for (std::int32_t x = limit.left; x < limit.right; ++x)
        if (Inside(pts, x, y)) want.push_back({x, y});
    ASSERT_EQ(got.pixels.size(), want.size()) << "round " << round;
    for (std::size_t i = 0; i < want.size(); ++i)
      ASSERT_TRUE(got.pixels[i].x == want[i].x && got.pixels[i].y == want[i].y) << "round " << round;
  }
}

// The exact edge stepping without 128-bit integers (32-bit builds) against 128-bit
// arithmetic, on seeded products that fit 64 bits and ones that do not.
TEST(FloorDivProductTest, MatchesWideArithmetic) {
  std::uint64_t s = 0x9E3779B97F4A7C15u;
  auto next = [&s] {
    s ^= s << 13;
    s ^= s >> 7;
    s ^= s << 17;
    return s;
  };
  for (int i = 0; i < 20000; ++i) {
    const int bits = 1 + static_cast<int>(next() % 40);  // magnitudes up to 2^40
    const auto value = [&](bool positive) {
      std::int64_t v = static_cast<std::int64_t>(next() >> (64 - bits));
      if (!positive && (next() & 1)) v = -v;
      return v;
    };
    const std::int64_t a = value(false), b = value(false), d = value(true) + 1;
    const __int128 p = static_cast<__int128>(a) * b;
    __int128 q = p / d;
    if (p % d != 0 && p < 0) --q;
    const FloorQuotient got = FloorDivProduct(a, b, d);
    ASSERT_EQ(got.q, static_cast<std::int64_t>(q)) << a << " * " << b << " / " << d;
    ASSERT_EQ(got.r, static_cast<std::int64_t>(p - q * d)) << a << " * " << b << " / " << d;
  }
}

}  // namespace
}  // namespace corvane
