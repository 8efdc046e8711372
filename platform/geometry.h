// Plain value types shared by every layer: device points and rectangles, colours, world points.
#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

namespace corvane {

// A colour as GDI takes it: 0x00BBGGRR.
using Color = std::uint32_t;

inline int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
inline int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }
inline Color MakeColor(int r, int g, int b) {
  return static_cast<Color>(r & 0xFF) | (static_cast<Color>(g & 0xFF) << 8) |
         (static_cast<Color>(b & 0xFF) << 16);
}

struct IPoint {
  std::int32_t x, y;
};

// Device rectangle; right and bottom are exclusive as in GDI.
struct IRect {
  std::int32_t left, top, right, bottom;
};

struct TextSize {
  std::int32_t cx, cy;
};

// A world point, or a device position kept unrounded.
struct DPoint {
  double X, Y;
};

// The visible data range. Every record that keeps a copy names its fields, so one type serves.
struct WorldWindow {
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
};

// Which axes map the base-10 logarithm of their values rather than the values themselves.
// Every record that keeps a window copy keeps these beside it.
struct AxisLogs {
  bool x = false, y = false;
  bool operator==(const AxisLogs& o) const { return x == o.x && y == o.y; }
};

// A value's place along an axis: the value itself, or on a logarithmic axis its log10, NaN
// for what that axis cannot show (0, below 0, NaN).
inline double AxisPlace(bool logarithmic, double v) {
  if (!logarithmic) return v;
  return v > 0 ? std::log10(v) : std::numeric_limits<double>::quiet_NaN();
}
inline double AxisValue(bool logarithmic, double u) {
  return logarithmic ? std::pow(10.0, u) : u;
}

// Double -> int32 truncating toward zero. Out-of-range values saturate and NaN yields INT32_MIN
// (the x86 "integer indefinite"), so no conversion in the system is undefined behaviour.
inline std::int32_t TruncToInt32(double v) {
  if (v != v) return std::numeric_limits<std::int32_t>::min();
  if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

}  // namespace corvane
