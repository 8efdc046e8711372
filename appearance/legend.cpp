#include "appearance/legend.h"

#include <cstdint>
#include <utility>

namespace corvane {

namespace {

template <typename T>
bool RoomForOne(GrowableArray<T>& a) {
  if (a.count() < a.capacity()) return true;
  if (a.capacity() >= INT32_MAX / 2) return false;
  return a.Reserve(a.capacity() == 0 ? 1 : a.capacity() * 2);
}

}  // namespace

void CLegend::Add(Color color, std::string label) {
  // The drawer reads colors[i] for every label, so an entry goes in whole or not at all.
  if (!RoomForOne(colors) || !RoomForOne(labels)) return;
  colors.Append(color);
  labels.Append(std::move(label));
}

void CLegend::Clear() {
  labels.Clear();
  colors.Clear();
}

}  // namespace corvane
