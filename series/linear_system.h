// CLinearSystem: a 3x3 system of linear equations solved by Cramer's rule, as the curve fits
// build it from their sums.
#pragma once

namespace corvane {

class CLinearSystem {
 public:
  // Row-major coefficients and right-hand side; n is 2 or 3 (the leading n x n block is used).
  void SetCoefficient(int row, int col, double v);
  void SetRightSide(int row, double v);
  double Determinant();
  // Writes the n unknowns; false (x untouched) when the determinant is exactly zero.
  bool Solve(double* x);

  int n = 3;

 private:
  double a_[9] = {};
  double b_[3] = {};
  double det_ = 0;
  bool stale_ = true;
};

}  // namespace corvane
