// The scale of one axis: which values it can show and where along the axis they fall, and
// the mapping of that axis into device pixels. A linear axis maps the value itself, a
// logarithmic one its base-10 logarithm; the pixel arithmetic is the same for both, so a
// linear axis maps exactly as left + (x - xmin) * sx always has.
#pragma once
#include <cstdint>

namespace corvane {

// The axis types of XAxisType / YAxisType.
enum class AxisType : std::int32_t {
  kGrid = 0,      // the grid's own even division (the default)
  kLinear = 1,    // round ticks
  kOleDate = 2,   // days since 1899-12-30 00:00, the Date of automation
  kUnixTime = 3,  // seconds since 1970-01-01 00:00 UTC
  kLog10 = 4,     // logarithmic, base 10
};

// False for any other number, which the interface refuses.
bool IsAxisType(std::int32_t code);
AxisType AxisTypeOf(std::int32_t code);  // kGrid for a code IsAxisType refuses

class AxisScale {
 public:
  AxisScale() = default;
  static AxisScale For(AxisType type);
  static AxisScale Logarithmic();

  bool logarithmic() const { return logarithmic_; }
  // Whether a value has a place on the axis: finite, and above 0 on a logarithmic one. Data
  // that fails this is left out of ranges and breaks polylines.
  bool Takes(double v) const;
  // The position along the axis in scale units: v, or log10(v); NaN for a value the axis
  // does not take.
  double Forward(double v) const;
  // The value at a position in scale units.
  double Inverse(double u) const;

 private:
  bool logarithmic_ = false;
};

// One axis into device pixels: the value `from` lands on pixel `origin` and the value `to`
// on pixel `end` (end may be below origin: a vertical axis grows upwards).
class AxisMapping {
 public:
  // False when no mapping exists: a bound the scale does not take, an empty range, or a
  // scale factor that is not finite.
  static bool Make(const AxisScale& scale, double from, double to, std::int32_t origin,
                   std::int32_t end, AxisMapping* out);

  // Device coordinate of v, unrounded; NaN for a value the scale does not take.
  double Device(double v) const { return origin_ + (scale_.Forward(v) - start_) * perUnit_; }
  // The value at a device coordinate (hit testing, read-back); NaN on an axis of no extent.
  double Value(double device) const;
  const AxisScale& scale() const { return scale_; }
  double perUnit() const { return perUnit_; }

 private:
  AxisScale scale_;
  double start_ = 0;    // Forward(from)
  double origin_ = 0;   // device coordinate of from
  double perUnit_ = 0;  // pixels per scale unit
};

}  // namespace corvane
