// The sums of the least-squares fits, accumulated point by point in point order; the linear
// fits use s2, s1, t1 and t0.
#pragma once

namespace corvane {

struct FitSums {
  double s4 = 0, s3 = 0, s2 = 0, s1 = 0, t2 = 0, t1 = 0, t0 = 0;
};

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

}  // namespace corvane
