#include "appearance/axis_scale.h"

#include <cmath>
#include <limits>

namespace corvane {

bool IsAxisType(std::int32_t code) { return code >= 0 && code <= 4; }

AxisType AxisTypeOf(std::int32_t code) {
  return IsAxisType(code) ? static_cast<AxisType>(code) : AxisType::kGrid;
}

AxisScale AxisScale::For(AxisType type) {
  return type == AxisType::kLog10 ? Logarithmic() : AxisScale();
}

AxisScale AxisScale::Logarithmic() {
  AxisScale s;
  s.logarithmic_ = true;
  return s;
}

bool AxisScale::Takes(double v) const {
  if (!std::isfinite(v)) return false;
  return !logarithmic_ || v > 0;
}

double AxisScale::Forward(double v) const {
  if (!logarithmic_) return v;
  // log10 of a subnormal is still finite (5e-324 gives -323.3).
  return Takes(v) ? std::log10(v) : std::numeric_limits<double>::quiet_NaN();
}

double AxisScale::Inverse(double u) const { return logarithmic_ ? std::pow(10.0, u) : u; }

bool AxisMapping::Make(const AxisScale& scale, double from, double to, std::int32_t origin,
                       std::int32_t end, AxisMapping* out) {
  if (!scale.Takes(from) || !scale.Takes(to)) return false;
  const double a = scale.Forward(from), b = scale.Forward(to);
  const double span = b - a;
  if (!(span != 0) || !std::isfinite(span)) return false;
  // The pixel difference as an integer first, then the quotient, as the plot mapping does.
  const double perUnit = static_cast<double>(std::int64_t{end} - origin) / span;
  // A plot area of no extent maps everything onto its one edge, as the plot mapping does.
  if (!std::isfinite(perUnit)) return false;
  out->scale_ = scale;
  out->start_ = a;
  out->origin_ = static_cast<double>(origin);
  out->perUnit_ = perUnit;
  return true;
}

double AxisMapping::Value(double device) const {
  if (perUnit_ == 0) return std::numeric_limits<double>::quiet_NaN();
  return scale_.Inverse(start_ + (device - origin_) / perUnit_);
}

}  // namespace corvane
