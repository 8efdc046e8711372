// The font size and baseline offset SVG text needs for a font request, from the metrics of
// Arial and the metric-compatible Liberation Sans (2048 units per em, win ascent 1854, win
// descent 434), rounded as GDI rounds them: a positive height is the cell height.
#pragma once
#include <cstdint>

#include "platform/dc.h"

namespace corvane {

struct SvgFontSize {
  std::int32_t ppem;    // the em size: SVG's font-size in pixels
  std::int32_t ascent;  // from the cell's top to the baseline
  bool bold;            // the bold face, as the text measuring picks it
};

SvgFontSize SvgFontSizeFor(const FontRequest& request);

}  // namespace corvane
