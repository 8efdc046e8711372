// The legend: entries of a colour square and a text in a translucent box in one corner.
#pragma once
#include <cstdint>
#include <string>

#include "platform/dc.h"
#include "platform/growable_array.h"

namespace corvane {

class CLegend {
 public:
  // Appends colour and label as one entry; drops both if either array cannot grow, so the
  // two arrays always have the same length. Throws std::bad_alloc only from the string copy.
  void Add(Color color, std::string label);
  void Clear();
  void Draw(DeviceContext& dc, std::int32_t legendPosition, std::int32_t left, std::int32_t top,
            std::int32_t right, std::int32_t bottom);

  GrowableArray<std::string> labels;
  GrowableArray<Color> colors;
};

}  // namespace corvane
