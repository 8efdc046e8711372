#include "appearance/legend.h"

namespace corvane {

void CLegend::Add(Color color, std::string label) {
  if (!labels.Reserve(labels.count() + 1) || !colors.Reserve(colors.count() + 1)) return;
  labels.Append(std::move(label));
  colors.Append(color);
}

void CLegend::Clear() {
  labels.Clear();
  colors.Clear();
}

}  // namespace corvane
