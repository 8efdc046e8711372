// Least-squares straight lines and parabolas of a plot, in world and in device coordinates,
// and the coefficients the client reads back.
#include <cmath>
#include <cstdint>

#include "appearance/chart_grid.h"
#include "series/linear_system.h"
#include "series/plot_series.h"

namespace corvane {

namespace {

bool MappingOf(const CPlotSeries& p, PlotMapping* m) {
  return MakePlotMapping(p.world, p.left, p.right, p.top, p.bottom, m, p.logs);
}

bool SameMapping(const PlotMapping& a, const PlotMapping& b) {
  return a.xmin == b.xmin && a.ymin == b.ymin && a.sx == b.sx && a.sy == b.sy &&
         a.left == b.left && a.bottom == b.bottom && a.logs == b.logs;
}

// The device fits' sums over every kept point under m, in point order: the sums gathered
// before, grown by the points appended since, while the mapping is the same and no point has
// left; a pass over all points otherwise. DeviceSums keeps them for the next time.
DeviceFitSums DeviceSumsNow(const CPlotSeries& p, const PlotMapping& m) {
  DeviceFitSums d = p.deviceSums;
  const PlotPoints& pts = p.points;
  if (!(d.valid && SameMapping(d.mapping, m) && d.epoch == pts.epoch() &&
        d.appended <= pts.appended())) {
    d = DeviceFitSums{};
    d.valid = true;
    d.mapping = m;
    d.epoch = pts.epoch();
    d.appended = pts.appended() - pts.count();
  }
  const std::int64_t fresh = pts.appended() - d.appended;
  pts.ForEachRun(static_cast<std::int32_t>(pts.count() - fresh), pts.count() - 1,
                 [&](const DPoint* run, std::int32_t n, std::int32_t) {
                   FitSums s = d.sums;
                   for (std::int32_t k = 0; k < n; ++k)
                     Accumulate(s, m.X(run[k].X), m.Y(run[k].Y));
                   d.sums = s;
                 });
  d.appended = pts.appended();
  return d;
}

const FitSums& DeviceSums(CPlotSeries& p, const PlotMapping& m) {
  p.deviceSums = DeviceSumsNow(p, m);
  return p.deviceSums.sums;
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
  PlotMapping m;
  const std::int32_t n = points.count();
  if (n < 2 || !MappingOf(*this, &m)) return;
  SolveLinear(DeviceSums(*this, m), n, &devSlope, &devIntercept);
}

void CPlotSeries::FitWorldLinear() {
  const std::int32_t n = points.count();
  if (n < 2) return;
  SolveLinear(points.WorldSums(), n, &linSlope, &linIntercept);
}

void CPlotSeries::FitDeviceQuadratic() {
  PlotMapping m;
  const std::int32_t n = points.count();
  if (n < 3 || !MappingOf(*this, &m)) return;
  SolveQuadratic(DeviceSums(*this, m), n, &devA, &devB, &devC);
}

void CPlotSeries::FitWorldQuadratic() {
  const std::int32_t n = points.count();
  if (n < 3) return;
  SolveQuadratic(points.WorldSums(), n, &quadA, &quadB, &quadC);
}

namespace {

// The fits from their sums in the order device quadratic, world quadratic, device linear,
// world linear, each solved as if computed on its own; a null set is left alone.
void SolveAll(CPlotSeries& p, std::int32_t n, const FitSums* world, const FitSums* device) {
  if (n >= 3) {
    if (device) SolveQuadratic(*device, n, &p.devA, &p.devB, &p.devC);
    if (world) SolveQuadratic(*world, n, &p.quadA, &p.quadB, &p.quadC);
  }
  if (device) SolveLinear(*device, n, &p.devSlope, &p.devIntercept);
  if (world) SolveLinear(*world, n, &p.linSlope, &p.linIntercept);
}

}  // namespace

void CPlotSeries::RefitAll() {
  const std::int32_t n = points.count();
  if (n < 2) return;  // no fit of either kind can be computed
  PlotMapping m;
  const FitSums* device = MappingOf(*this, &m) ? &DeviceSums(*this, m) : nullptr;
  SolveAll(*this, n, &points.WorldSums(), device);
}

void CPlotSeries::Refit() {
  // A polyline draws with neither fit: they wait for a fitted mode (the mode calls make
  // them then), so that a stream drawn as a polyline never pays a pass over its points.
  if (approximation != 0) RefitAll();
}

DeviceFit CPlotSeries::DeviceFitToDraw() const {
  DeviceFit fit{devSlope, devIntercept, devA, devB, devC};
  const std::int32_t n = points.count();
  PlotMapping m;
  // A polyline's refit stores nothing (see Refit).
  if (!refitPending || approximation == 0 || n < 2 || !MappingOf(*this, &m)) return fit;
  const FitSums device = DeviceSumsNow(*this, m).sums;
  if (n >= 3) SolveQuadratic(device, n, &fit.a, &fit.b, &fit.c);
  SolveLinear(device, n, &fit.slope, &fit.intercept);
  return fit;
}

DeviceFit CPlotSeries::WorldFitToDraw() const {
  DeviceFit fit{linSlope, linIntercept, quadA, quadB, quadC};
  const std::int32_t n = points.count();
  if (!refitPending || approximation == 0 || n < 2) return fit;
  FitSums sums;
  points.ForEachRun(0, n - 1, [&](const DPoint* run, std::int32_t count, std::int32_t) {
    for (std::int32_t k = 0; k < count; ++k) Accumulate(sums, run[k].X, run[k].Y);
  });
  if (n >= 3) SolveQuadratic(sums, n, &fit.a, &fit.b, &fit.c);
  SolveLinear(sums, n, &fit.slope, &fit.intercept);
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
