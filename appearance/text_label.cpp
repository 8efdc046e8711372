#include "appearance/text_label.h"

namespace corvane {

// Text output, measuring and the background test arrive with the text label work.
void CTextLabel::Draw(std::int32_t, std::int32_t, DeviceContext&) {}

TextSize CTextLabel::Measure(DeviceContext&) const { return TextSize{0, 0}; }

bool CTextLabel::IsBackgroundUniform(std::int32_t, std::int32_t, DeviceContext&) const {
  return true;
}

void CPointLabel::Draw(std::int32_t, std::int32_t, DeviceContext&) {}

}  // namespace corvane
