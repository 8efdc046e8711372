#include <algorithm>
#include <cstdint>

#include "appearance/legend.h"
#include "appearance/text_label.h"
#include "overlays/chart_polygon.h"

namespace corvane {
namespace {

constexpr std::int32_t kLegendTextHeight = 14;
constexpr Color kLegendBoxColor = 0xCCFFFF;
constexpr double kLegendBoxOpacity = 0.8;

// Box sizes and corners come from text extents, entry counts and unchecked plot areas:
// computed wide, saturated into int32.
std::int32_t Sat(std::int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(v);
}

}  // namespace

LegendBox CLegend::Layout(DeviceContext& dc, std::int32_t legendPosition, std::int32_t left,
                          std::int32_t top, std::int32_t right, std::int32_t bottom) const {
  LegendBox box;
  box.rows = std::min(labels.count(), colors.count());
  CTextLabel probe;
  probe.height = kLegendTextHeight;
  probe.scale = scale;
  const LabelFont font(dc, probe.Font());
  std::int64_t widest = 0, tallest = 0;
  for (std::int32_t i = 0; i < box.rows; ++i) {
    // The largest height of all: one failed or empty measurement must not collapse the rows.
    probe.text = labels[i];
    const TextSize size = probe.MeasureInSelectedFont(dc);
    widest = std::max<std::int64_t>(widest, size.cx);
    tallest = std::max<std::int64_t>(tallest, size.cy);
  }
  box.textHeight = tallest;
  box.rowHeight = tallest + scale(6);
  const std::int64_t w = widest + scale(30);
  const std::int64_t h = box.rows * box.rowHeight + scale(6);
  box.width = Sat(w);
  box.height = Sat(h);
  const std::int64_t inset = scale(5);
  std::int64_t x = std::int64_t{left} + inset, y = std::int64_t{bottom} - h - inset;  // bottom left
  switch (legendPosition) {
    case 0: y = std::int64_t{top} + inset; break;
    case 1: x = std::int64_t{right} - w - inset; y = std::int64_t{top} + inset; break;
    case 2: x = std::int64_t{right} - w - inset; break;
    default: break;
  }
  box.x = Sat(x);
  box.y = Sat(y);
  return box;
}

void CLegend::Draw(DeviceContext& dc, std::int32_t legendPosition, std::int32_t left,
                   std::int32_t top, std::int32_t right, std::int32_t bottom) const {
  if (labels.empty() || colors.empty()) return;
  const LegendBox box = Layout(dc, legendPosition, left, top, right, bottom);

  CChartPolygon frame;
  if (!frame.points.Reserve(4)) return;
  const double l = box.x, t = box.y;
  const double r = Sat(std::int64_t{box.x} + box.width);
  const double b = Sat(std::int64_t{box.y} + box.height);
  frame.points.Append(DPoint{l, t});
  frame.points.Append(DPoint{r, t});
  frame.points.Append(DPoint{r, b});
  frame.points.Append(DPoint{l, b});
  frame.fillColor = kLegendBoxColor;
  frame.transparency = kLegendBoxOpacity;
  frame.borderColor = 0x000000;
  frame.scale = scale;
  frame.FillPolygon(dc);
  frame.DrawPolygonBorder(dc);

  CPointLabel row;
  row.height = kLegendTextHeight;
  row.placement = 7;
  row.scale = scale;
  const LabelFont font(dc, row.Font());
  const std::int32_t x = Sat(std::int64_t{box.x} + scale(10));
  std::int64_t yc = std::int64_t{box.y} + scale(6) + box.textHeight / 2;
  for (std::int32_t i = 0; i < box.rows; ++i, yc += box.rowHeight) {
    row.text = labels[i];
    row.dotColor = colors[i];
    row.PlaceInSelectedFont(x, Sat(yc), dc);
  }
}

}  // namespace corvane
