#include "series/linear_system.h"

namespace corvane {

namespace {
bool ValidIndex(int i) { return i >= 0 && i < 3; }
}  // namespace

void CLinearSystem::SetElement(int r, int c, double v) {
  if (!ValidIndex(r) || !ValidIndex(c)) return;
  m_[3 * r + c] = v;
  stale_ = true;
}

double CLinearSystem::Element(int r, int c) const {
  return (ValidIndex(r) && ValidIndex(c)) ? m_[3 * r + c] : 0.0;
}

void CLinearSystem::SetRightSide(int r, double v) {
  if (ValidIndex(r)) rhs_[r] = v;
}

double CLinearSystem::Solution(int i) const { return ValidIndex(i) ? x_[i] : 0.0; }

double CLinearSystem::Determinant2() { return Determinant(2); }
double CLinearSystem::Determinant3() { return Determinant(3); }

double CLinearSystem::Determinant(int order) {
  // A fresh system has the cached 0, which is its determinant of either order.
  if (!stale_ && (detOrder_ == order || detOrder_ == 0)) return det_;
  const double* m = m_;
  // The products are evaluated in a fixed order so that every build rounds alike.
  if (order == 2) {
    det_ = m[4] * m[0] - m[3] * m[1];
  } else {
    det_ = m[5] * m[6] * m[1] + m[3] * m[7] * m[2] + m[8] * m[0] * m[4] - m[6] * m[4] * m[2] -
           m[8] * m[3] * m[1] - m[5] * m[7] * m[0];
  }
  detOrder_ = order;
  stale_ = false;
  return det_;
}

bool CLinearSystem::Solve2() { return Solve(2); }
bool CLinearSystem::Solve3() { return Solve(3); }

bool CLinearSystem::Solve(int order) {
  const double d = Determinant(order);
  if (d == 0.0) return false;
  const double inv = 1.0 / d;
  double x[3] = {x_[0], x_[1], x_[2]};
  for (int c = 0; c < order; ++c) {
    double saved[3];
    for (int r = 0; r < order; ++r) {
      saved[r] = m_[3 * r + c];
      SetElement(r, c, rhs_[r]);
    }
    const double dc = Determinant(order);
    for (int r = 0; r < order; ++r) SetElement(r, c, saved[r]);
    x[c] = inv * dc;
  }
  for (int c = 0; c < order; ++c) x_[c] = x[c];
  return true;
}

}  // namespace corvane
