// Least-squares straight lines and parabolas of a plot, in world and in device coordinates,
// and the coefficients the client reads back.
#include <cmath>
#include <cstdint>

#include "appearance/chart_grid.h"
#include "series/linear_system.h"
#include "series/plot_series.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define CORVANE_FIT_SSE2 1
#endif

namespace corvane {

namespace {

// World -> device under the plot's copies, the same expression as the layout's mapping.
struct DeviceMapping {
  double xmin, ymin, sx, sy, left, bottom;
};

bool MappingOf(const CPlotSeries& p, DeviceMapping* m) {
  const WorldWindow& w = p.world;
  if (w.xmax == w.xmin || w.ymax == w.ymin) return false;
  m->xmin = w.xmin;
  m->ymin = w.ymin;
  m->sx = static_cast<double>(static_cast<std::int64_t>(p.right) - p.left) / (w.xmax - w.xmin);
  m->sy = static_cast<double>(static_cast<std::int64_t>(p.top) - p.bottom) / (w.ymax - w.ymin);
  m->left = static_cast<double>(p.left);
  m->bottom = static_cast<double>(p.bottom);
  return true;
}

inline void Accumulate(FitSums& s, double x, double y) {
  const double q = x * x;
  s.s4 += q * q;
  s.s3 += x * q;
  s.s2 += q;
  s.s1 += x;
  s.t2 += q * y;
  s.t1 += x * y;
  s.t0 += y;
}

void WorldSums(const DPoint* pts, std::int32_t n, FitSums& s) {
  for (std::int32_t k = 0; k < n; ++k) Accumulate(s, pts[k].X, pts[k].Y);
}

void DeviceSums(const DPoint* pts, std::int32_t n, const DeviceMapping& m, FitSums& s) {
  for (std::int32_t k = 0; k < n; ++k) {
    const double dx = m.left + m.sx * (pts[k].X - m.xmin);
    const double dy = m.bottom + m.sy * (pts[k].Y - m.ymin);
    Accumulate(s, dx, dy);
  }
}

#if CORVANE_FIT_SSE2
// Both sets of sums side by side: world in the low lane, device in the high one.
struct LaneSums {
  __m128d s4, s3, s2, s1, t2, t1, t0;

  LaneSums(const FitSums& w, const FitSums& d)
      : s4(_mm_set_pd(d.s4, w.s4)), s3(_mm_set_pd(d.s3, w.s3)), s2(_mm_set_pd(d.s2, w.s2)),
        s1(_mm_set_pd(d.s1, w.s1)), t2(_mm_set_pd(d.t2, w.t2)), t1(_mm_set_pd(d.t1, w.t1)),
        t0(_mm_set_pd(d.t0, w.t0)) {}

  // Every lane operation is the scalar one of Accumulate, in the same order.
  inline void Add(__m128d p, __m128d d) {
    const __m128d x = _mm_unpacklo_pd(p, d);
    const __m128d y = _mm_unpackhi_pd(p, d);
    const __m128d q = _mm_mul_pd(x, x);
    s4 = _mm_add_pd(s4, _mm_mul_pd(q, q));
    s3 = _mm_add_pd(s3, _mm_mul_pd(x, q));
    s2 = _mm_add_pd(s2, q);
    s1 = _mm_add_pd(s1, x);
    t2 = _mm_add_pd(t2, _mm_mul_pd(q, y));
    t1 = _mm_add_pd(t1, _mm_mul_pd(x, y));
    t0 = _mm_add_pd(t0, y);
  }

  void Store(FitSums& w, FitSums& d) const {
    const __m128d v[7] = {s4, s3, s2, s1, t2, t1, t0};
    double lanes[7][2];
    for (int k = 0; k < 7; ++k) _mm_storeu_pd(lanes[k], v[k]);
    FitSums* out[2] = {&w, &d};
    for (int l = 0; l < 2; ++l) {
      out[l]->s4 = lanes[0][l];
      out[l]->s3 = lanes[1][l];
      out[l]->s2 = lanes[2][l];
      out[l]->s1 = lanes[3][l];
      out[l]->t2 = lanes[4][l];
      out[l]->t1 = lanes[5][l];
      out[l]->t0 = lanes[6][l];
    }
  }
};
#endif

// Both sets in one pass over the points, continuing the sums they hold; the device position
// is the layout's mapping, so the sums are bit-identical to separate passes.
void BothSums(const DPoint* pts, std::int32_t n, const DeviceMapping& m, FitSums& world,
              FitSums& device) {
#if CORVANE_FIT_SSE2
  const __m128d mn = _mm_set_pd(m.ymin, m.xmin);
  const __m128d sc = _mm_set_pd(m.sy, m.sx);
  const __m128d org = _mm_set_pd(m.bottom, m.left);
  LaneSums s(world, device);
  for (std::int32_t k = 0; k < n; ++k) {
    const __m128d p = _mm_loadu_pd(&pts[k].X);
    s.Add(p, _mm_add_pd(org, _mm_mul_pd(sc, _mm_sub_pd(p, mn))));
  }
  s.Store(world, device);
#else
  WorldSums(pts, n, world);
  DeviceSums(pts, n, m, device);
#endif
}

#if CORVANE_FIT_SSE2
// Points from which the mapping is written around the cache: about twice a large cache.
constexpr std::int32_t kStreamPoints = 1 << 18;
#endif

// BothSums that also stores each device position into out: the layout's mapping and the
// fits' sums in one pass over the points.
void MapBothSums(const DPoint* pts, DPoint* out, std::int32_t n, const DeviceMapping& m,
                 FitSums& world, FitSums& device) {
#if CORVANE_FIT_SSE2
  const __m128d mn = _mm_set_pd(m.ymin, m.xmin);
  const __m128d sc = _mm_set_pd(m.sy, m.sx);
  const __m128d org = _mm_set_pd(m.bottom, m.left);
  LaneSums s(world, device);
  // A long array is written around the cache (no read of the lines it overwrites); the
  // drawing reads it from memory either way.
  if (n >= kStreamPoints && reinterpret_cast<std::uintptr_t>(out) % 16 == 0) {
    for (std::int32_t k = 0; k < n; ++k) {
      const __m128d p = _mm_loadu_pd(&pts[k].X);
      const __m128d d = _mm_add_pd(org, _mm_mul_pd(sc, _mm_sub_pd(p, mn)));
      _mm_stream_pd(&out[k].X, d);
      s.Add(p, d);
    }
    _mm_sfence();  // the streamed stores reach memory before whoever reads them next
  } else {
    for (std::int32_t k = 0; k < n; ++k) {
      const __m128d p = _mm_loadu_pd(&pts[k].X);
      const __m128d d = _mm_add_pd(org, _mm_mul_pd(sc, _mm_sub_pd(p, mn)));
      _mm_storeu_pd(&out[k].X, d);
      s.Add(p, d);
    }
  }
  s.Store(world, device);
#else
  for (std::int32_t k = 0; k < n; ++k) {
    out[k].X = m.left + m.sx * (pts[k].X - m.xmin);
    out[k].Y = m.bottom + m.sy * (pts[k].Y - m.ymin);
  }
  BothSums(pts, n, m, world, device);
#endif
}

// y = slope * x + intercept from the normal equations [[Sxx, Sx], [Sx, n]].
bool SolveLinear(const FitSums& s, double n, double* slope, double* intercept) {
  CLinearSystem sys;
  sys.SetElement(0, 0, s.s2);
  sys.SetElement(0, 1, s.s1);
  sys.SetElement(1, 0, s.s1);
  sys.SetElement(1, 1, n);
  sys.SetRightSide(0, s.t1);
  sys.SetRightSide(1, s.t0);
  if (!sys.Solve2()) return false;
  *slope = sys.Solution(0);
  *intercept = sys.Solution(1);
  return true;
}

// y = a x^2 + b x + c from [[S4, S3, S2], [S3, S2, S1], [S2, S1, n]].
bool SolveQuadratic(const FitSums& s, double n, double* a, double* b, double* c) {
  CLinearSystem sys;
  const double m[3][3] = {{s.s4, s.s3, s.s2}, {s.s3, s.s2, s.s1}, {s.s2, s.s1, n}};
  for (int r = 0; r < 3; ++r)
    for (int col = 0; col < 3; ++col) sys.SetElement(r, col, m[r][col]);
  sys.SetRightSide(0, s.t2);
  sys.SetRightSide(1, s.t1);
  sys.SetRightSide(2, s.t0);
  if (!sys.Solve3()) return false;
  *a = sys.Solution(0);
  *b = sys.Solution(1);
  *c = sys.Solution(2);
  return true;
}

// The largest power of ten a 32-bit scale can hold.
constexpr int kMaxDecimals = 9;

// v cut (toward zero) to the grid's number of decimals.
double TruncateToDecimals(double v, const CChartGrid* grid) {
  int d = grid ? grid->digitsAfterPoint : 2;
  if (d > kMaxDecimals) d = kMaxDecimals;
  double scale = 1.0;
  for (int i = 0; i < d; ++i) scale *= 10.0;
  // Doubles this large carry no fraction; scaling them could only overflow.
  if (!(std::fabs(v) < 4503599627370496.0)) return v;  // 2^52; NaN stays NaN
  // trunc in double equals the 32-bit truncation wherever that fits and keeps its meaning
  // (cut toward zero) where it would overflow.
  return std::trunc(v * scale) / scale;
}

}  // namespace

void CPlotSeries::FitDeviceLinear() {
  DeviceMapping m;
  const std::int32_t n = points.count();
  if (n < 2 || !MappingOf(*this, &m)) return;
  FitSums s;
  DeviceSums(points.data(), n, m, s);
  SolveLinear(s, n, &devSlope, &devIntercept);
}

void CPlotSeries::FitWorldLinear() {
  const std::int32_t n = points.count();
  if (n < 2) return;
  FitSums s;
  WorldSums(points.data(), n, s);
  SolveLinear(s, n, &linSlope, &linIntercept);
}

void CPlotSeries::FitDeviceQuadratic() {
  DeviceMapping m;
  const std::int32_t n = points.count();
  if (n < 3 || !MappingOf(*this, &m)) return;
  FitSums s;
  DeviceSums(points.data(), n, m, s);
  SolveQuadratic(s, n, &devA, &devB, &devC);
}

void CPlotSeries::FitWorldQuadratic() {
  const std::int32_t n = points.count();
  if (n < 3) return;
  FitSums s;
  WorldSums(points.data(), n, s);
  SolveQuadratic(s, n, &quadA, &quadB, &quadC);
}

namespace {

// The four fits from their sums, each solved as if computed on its own.
void SolveAll(CPlotSeries& p, std::int32_t n, bool mapped, const FitSums& world,
              const FitSums& device) {
  if (n >= 3) {
    if (mapped) SolveQuadratic(device, n, &p.devA, &p.devB, &p.devC);
    SolveQuadratic(world, n, &p.quadA, &p.quadB, &p.quadC);
  }
  if (mapped) SolveLinear(device, n, &p.devSlope, &p.devIntercept);
  SolveLinear(world, n, &p.linSlope, &p.linIntercept);
}

bool SameWindow(const WorldWindow& a, const WorldWindow& b) {
  return a.xmin == b.xmin && a.xmax == b.xmax && a.ymin == b.ymin && a.ymax == b.ymax;
}

}  // namespace

void CPlotSeries::RefitAll() {
  const std::int32_t n = points.count();
  if (n < 2) return;  // no fit of either kind can be computed
  // The four fits share their sums, so one pass feeds all of them.
  FitSums world, device;
  DeviceMapping m;
  const bool mapped = MappingOf(*this, &m);
  if (mapped)
    BothSums(points.data(), n, m, world, device);
  else
    WorldSums(points.data(), n, world);
  SolveAll(*this, n, mapped, world, device);
}

void CPlotSeries::Refit() {
  const KeptFitSums& k = keptSums;
  if (k.valid && k.data == points.data() && k.count == points.count() &&
      SameWindow(k.world, world) && k.left == left && k.right == right && k.top == top &&
      k.bottom == bottom) {
    SolveAll(*this, k.count, true, k.worldSums, k.deviceSums);
  } else {
    RefitAll();
  }
  keptSums.valid = false;
}

void CPlotSeries::MapAndSum(std::int32_t l, std::int32_t r, std::int32_t t, std::int32_t b) {
  keptSums.valid = false;
  left = l;
  right = r;
  top = t;
  bottom = b;
  const std::int32_t n = points.count();
  DeviceMapping m;
  if (n < 2 || devicePoints.count() != n || !MappingOf(*this, &m)) {
    MapToDevice(l, r, t, b);  // nothing to keep: no fit, or a window that cannot be mapped
    return;
  }
  // The points MapToDevice maps; the sums run over all of them, in order, around that range.
  std::int32_t first = 0, last = n - 1;
  if (segmentOnly == 1) {
    if (firstIndex > first) first = firstIndex;
    if (lastIndex < last) last = lastIndex;
  } else if (segmentOnly != 0) {
    last = -1;
  }
  FitSums w, d;
  const DPoint* src = points.data();
  if (first > last) {
    BothSums(src, n, m, w, d);
  } else {
    BothSums(src, first, m, w, d);
    MapBothSums(src + first, devicePoints.data() + first, last - first + 1, m, w, d);
    BothSums(src + last + 1, n - last - 1, m, w, d);
  }
  refitPending = 1;
  keptSums = KeptFitSums{true, src, n, world, l, r, t, b, w, d};
}

DeviceFit CPlotSeries::DeviceFitToDraw() const {
  DeviceFit fit{devSlope, devIntercept, devA, devB, devC};
  const std::int32_t n = points.count();
  DeviceMapping m;
  if (!refitPending || n < 2 || !MappingOf(*this, &m)) return fit;
  const KeptFitSums& k = keptSums;
  FitSums device;
  if (k.valid && k.data == points.data() && k.count == n && SameWindow(k.world, world) &&
      k.left == left && k.right == right && k.top == top && k.bottom == bottom) {
    device = k.deviceSums;
  } else {
    DeviceSums(points.data(), n, m, device);
  }
  if (n >= 3) SolveQuadratic(device, n, &fit.a, &fit.b, &fit.c);
  SolveLinear(device, n, &fit.slope, &fit.intercept);
  return fit;
}

double CPlotSeries::GetA() const {
  if (approximation == 2) return TruncateToDecimals(quadA, grid);
  if (approximation == 1) return TruncateToDecimals(linSlope, grid);
  return 0.0;
}

double CPlotSeries::GetB() const {
  if (approximation == 2) return TruncateToDecimals(quadB, grid);
  if (approximation == 1) return TruncateToDecimals(linIntercept, grid);
  return 0.0;
}

double CPlotSeries::GetC() const {
  if (approximation == 2) return TruncateToDecimals(quadC, grid);
  return 0.0;
}

}  // namespace corvane
