// The legend: entries of a colour square and a text in a translucent box in one corner.
#pragma once
#include <cstdint>
#include <string>

#include "platform/dc.h"
#include "platform/hit_geometry.h"
#include "platform/growable_array.h"
#include "platform/pixel_scale.h"

namespace corvane {

// Where the legend box goes and how its rows are spaced, in device pixels.
struct LegendBox {
  std::int32_t x = 0, y = 0;            // top-left corner
  std::int32_t width = 0, height = 0;
  std::int64_t textHeight = 0;          // the tallest entry text
  std::int64_t rowHeight = 0;           // textHeight + 6
  std::int32_t rows = 0;
};

class CLegend {
 public:
  // Appends colour and label as one entry; drops both if either array cannot grow, so the
  // two arrays always have the same length. Throws std::bad_alloc only from the string copy.
  void Add(Color color, std::string label);
  void Clear();
  // The box in a corner of the plot area (left, top, right, bottom) 5 pixels in from both
  // edges: top left for legendPosition 0, top right for 1, bottom right for 2, bottom left
  // for every other value. It is 30 pixels wider than the widest text and 6 pixels taller
  // than its rows of (tallest text + 6) each; the texts are measured in the 14-pixel legend
  // font. Sizes and corners saturate at the int32 range.
  LegendBox Layout(DeviceContext& dc, std::int32_t legendPosition, std::int32_t left,
                   std::int32_t top, std::int32_t right, std::int32_t bottom) const;
  // Nothing without entries. Otherwise the box, pale yellow at opacity 0.8 with a black
  // one-pixel frame, and one row per entry: a 6 x 6 square of the entry's colour centred
  // 10 pixels right of the box's left edge and the text 7 pixels right of that centre.
  // Nothing is clipped: a box larger than the plot area reaches outside it.
  void Draw(DeviceContext& dc, std::int32_t legendPosition, std::int32_t left, std::int32_t top,
            std::int32_t right, std::int32_t bottom) const;

  // The entry (0-based) whose row of the box Draw paints lies within probe.radius of the
  // probe: the row the probe is in, or the nearest row when it is outside the box. -1 when
  // there are no entries or the box is farther away. `dc` measures the texts.
  std::int32_t HitTest(DeviceContext& dc, std::int32_t legendPosition, std::int32_t left,
                       std::int32_t top, std::int32_t right, std::int32_t bottom,
                       const HitProbe& probe, double* distance) const;

  GrowableArray<std::string> labels;
  GrowableArray<Color> colors;
  // The chart's pixel scale: every length above grows with it.
  PixelScale scale;
};

}  // namespace corvane
