#include "series/linear_system.h"

namespace corvane {

void CLinearSystem::SetCoefficient(int row, int col, double v) {
  if (row < 0 || row > 2 || col < 0 || col > 2) return;
  a_[row * 3 + col] = v;
  stale_ = true;
}

void CLinearSystem::SetRightSide(int row, double v) {
  if (row < 0 || row > 2) return;
  b_[row] = v;
}

double CLinearSystem::Determinant() { return 0.0; }

bool CLinearSystem::Solve(double* x) {
  (void)x;
  return false;
}

}  // namespace corvane
