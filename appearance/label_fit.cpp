#include "appearance/label_fit.h"

#include <cstddef>

namespace corvane {

TextSize DcLabelMeasure::Measure(const std::string& text) {
  TextSize size{0, 0};
  const std::int32_t n =
      text.size() > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<std::int32_t>(text.size());
  if (!dc_.GetTextExtentPoint32A(text.data(), n, &size)) {
    size = TextSize{0, 0};
    failed_ = true;
  }
  return size;
}

LabelFit::LabelFit(LabelMeasure& measure, const LabelRoom& room) : measure_(measure), room_(room) {
  const TextSize zero = measure_.Measure("0");
  gap_ = zero.cx > 0 ? zero.cx : 0;
  height_ = zero.cy > 0 ? zero.cy : 0;
  pitch_ = gap_ + (room_.vertical ? height_ : gap_);
  // A context that measures nothing still gets one pixel per tick.
  if (pitch_ < 1) pitch_ = 1;
}

double LabelFit::Along(const std::string& label) {
  if (room_.vertical) return height_;
  const auto known = widths_.find(label);
  if (known != widths_.end()) return known->second;
  const TextSize size = measure_.Measure(label);
  const double w = size.cx > 0 ? size.cx : 0;
  widths_.emplace(label, w);
  return w;
}

bool LabelFit::Fits(const std::vector<double>& positions, const std::vector<std::string>& labels) {
  if (positions.size() != labels.size()) return false;
  double previousEnd = 0;
  bool any = false;
  for (std::size_t k = 0; k < positions.size(); ++k) {
    if (labels[k].empty()) continue;  // a tick left blank takes no room
    const double half = Along(labels[k]) / 2;
    const double p = positions[k];
    if (!(p - half >= -room_.before) || !(p + half <= room_.extent + room_.after)) return false;
    if (any && !(p - half >= previousEnd + gap_)) return false;
    previousEnd = p + half;
    any = true;
  }
  return true;
}

}  // namespace corvane
