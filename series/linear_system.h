// CLinearSystem: a dense 2x2 or 3x3 system solved by Cramer's rule, as the least-squares fits
// build it from their sums. The determinant is cached until an element changes.
#pragma once

namespace corvane {

class CLinearSystem {
 public:
  // Element (r, c) of the row-major 3x3 matrix; marks the determinant stale.
  void SetElement(int r, int c, double v);
  double Element(int r, int c) const;
  void SetRightSide(int r, double v);
  double Solution(int i) const;

  // Determinants of the upper-left 2x2 block and of the whole matrix.
  double Determinant2();
  double Determinant3();

  // Cramer's rule over the upper-left 2x2 block (the first two right-hand side and solution
  // entries) or the whole matrix. False, with the solution untouched, when the determinant
  // is exactly zero.
  bool Solve2();
  bool Solve3();

 private:
  double Determinant(int order);
  bool Solve(int order);

  double m_[9] = {};
  double det_ = 0.0;
  bool stale_ = false;
  // The order of the cached determinant: a 2x2 value must never answer for a 3x3 request.
  int detOrder_ = 0;
  double rhs_[3] = {};
  double x_[3] = {};
};

}  // namespace corvane
