// The grid: frame, value lines stepped from the axis origin with their numeric labels, and the
// user-type grid's category lines with the user labels.
#include <cstdint>
#include <string>

#include "appearance/chart_grid.h"
#include "appearance/text_label.h"
#include "overlays/line_style.h"
#include "platform/bitmap_limits.h"
#include "platform/geometry.h"

namespace corvane {
namespace {

// Labels more than 5 pixels (at the chart's scale) inside the frame only.
constexpr std::int32_t kFrameGap = 5;

// One label, in the label font its caller has selected: every label of a grid direction
// shares one font (each would otherwise create and delete its own twice, which on GDI costs
// more than the rest of the label).
void PutLabel(CPointLabel& label, const std::string& text, std::int32_t x, std::int32_t y,
              std::int32_t placement, bool check, DeviceContext& dc) {
  label.text = text;
  label.placement = placement;
  label.checkBackground = check ? 1 : 0;
  label.PlaceInSelectedFont(x, y, dc);
}

// How many parts a direction of `extent` pixels is cut into: `lines`, but never more than it
// has pixels (nor than the tallest picture has), so that a huge count steps at least one
// pixel at a time. 0 when there is nothing to step: an empty or inverted area, no lines.
std::int64_t Parts(std::int64_t extent, std::int64_t lines) {
  if (extent <= 0 || lines <= 0) return 0;
  if (lines > extent) lines = extent;
  if (lines > kMaxBitmapSide) lines = kMaxBitmapSide;
  return lines;
}

// The intermediate lines of one direction: from `origin` towards `low` while more than the
// frame gap inside it, then from `origin` towards `high`; positions by repeated addition.
// visit(pixel, direction) gets -1 for the lines towards low, +1 for those towards high.
template <typename Visit>
void StepFromOrigin(std::int32_t origin, std::int32_t low, std::int32_t high, double step,
                    double gap, Visit&& visit) {
  for (double p = origin - step; low + gap < p; p -= step) visit(TruncToInt32(p), -1);
  for (double p = origin + step; p < high - gap; p += step) visit(TruncToInt32(p), +1);
}

}  // namespace

void CChartGrid::DrawGrid(DeviceContext& dc) {
  if (gridVisible < 0 || gridVisible > 2) return;
  if (gridType != 0 && gridType != 1) return;
  CLineStyle line;
  line.width = SanitizeLineWidth(lineWidth);
  line.color = lineColor;
  line.style = 0;
  line.enabled = 1;
  line.scale = scale;
  line.DrawLine(left, top, right, top, dc);
  line.DrawLine(right, top, right, bottom, dc);
  line.DrawLine(right, bottom, left, bottom, dc);
  line.DrawLine(left, bottom, left, top, dc);
  line.style = SanitizeLineStyle(lineStyle);

  CPointLabel label;
  label.height = labelHeight;
  label.textColor = labelColor;
  label.italic = labelItalic != 0 ? 1 : 0;
  label.showDot = 0;
  label.scale = scale;

  if (gridVisible == 0 || gridVisible == 1) DrawValueLinesHorizontal(line, label, dc);
  if (gridVisible == 0 || gridVisible == 2) {
    if (gridType == 0)
      DrawValueLinesVertical(line, label, dc);
    else
      DrawCategoryLines(line, label, dc);
  }
}

void CChartGrid::DrawValueLinesHorizontal(CLineStyle& line, CPointLabel& label, DeviceContext& dc) {
  line.DrawLine(left, originY, right, originY, dc);
  const LabelFont font(dc, label.Font());
  const std::int64_t extent = std::int64_t{bottom} - top;
  const std::int64_t parts = Parts(extent, horizontalLines);

  const std::string atOrigin = FormatGridValue(originWorldY);
  PutLabel(label, atOrigin, left, originY, 6, false, dc);
  PutLabel(label, atOrigin, right, originY, 7, true, dc);
  const std::string atBottom = FormatGridValue(ymin);
  PutLabel(label, atBottom, left, bottom, 6, true, dc);
  PutLabel(label, atBottom, right, bottom, 7, true, dc);
  const std::string atTop = FormatGridValue(ymax);
  PutLabel(label, atTop, left, top, 6, false, dc);
  PutLabel(label, atTop, right, top, 7, true, dc);
  if (parts == 0) return;

  const double step = static_cast<double>(extent) / static_cast<double>(parts);
  const double valueStep = (ymax - ymin) / static_cast<double>(parts);
  double values[2] = {originWorldY, originWorldY};  // upwards, downwards
  StepFromOrigin(originY, top, bottom, step, scale(kFrameGap), [&](std::int32_t y, int direction) {
    line.DrawLine(left, y, right, y, dc);
    double& v = values[direction > 0];
    v = direction < 0 ? v + valueStep : v - valueStep;  // values grow upwards
    const std::string text = FormatGridValue(v);
    PutLabel(label, text, left, y, 6, true, dc);
    PutLabel(label, text, right, y, 7, true, dc);
  });
}

void CChartGrid::DrawValueLinesVertical(CLineStyle& line, CPointLabel& label, DeviceContext& dc) {
  line.DrawLine(originX, top, originX, bottom, dc);
  const LabelFont font(dc, label.Font());
  const std::int64_t extent = std::int64_t{right} - left;
  const std::int64_t parts = Parts(extent, verticalLines);

  const std::string atOrigin = FormatGridValue(originWorldX);
  PutLabel(label, atOrigin, originX, bottom, 4, false, dc);
  PutLabel(label, atOrigin, originX, top, 1, true, dc);
  const std::string atLeft = FormatGridValue(xmin);
  PutLabel(label, atLeft, left, bottom, 4, true, dc);
  PutLabel(label, atLeft, left, top, 1, true, dc);
  const std::string atRight = FormatGridValue(xmax);
  PutLabel(label, atRight, right, bottom, 4, true, dc);
  PutLabel(label, atRight, right, top, 1, true, dc);
  if (parts == 0) return;

  const double step = static_cast<double>(extent) / static_cast<double>(parts);
  const double valueStep = (xmax - xmin) / static_cast<double>(parts);
  double values[2] = {originWorldX, originWorldX};  // leftwards, rightwards
  StepFromOrigin(originX, left, right, step, scale(kFrameGap), [&](std::int32_t x, int direction) {
    line.DrawLine(x, top, x, bottom, dc);
    double& v = values[direction > 0];
    v = direction < 0 ? v - valueStep : v + valueStep;
    const std::string text = FormatGridValue(v);
    PutLabel(label, text, x, top, 1, true, dc);
    PutLabel(label, text, x, bottom, 4, true, dc);
  });
}

void CChartGrid::DrawCategoryLines(CLineStyle& line, CPointLabel& label, DeviceContext& dc) {
  line.DrawLine(originX, top, originX, bottom, dc);
  const std::int64_t count = labels.count();
  if (count < 1) return;
  const LabelFont font(dc, label.Font());
  // The label window is not re-clamped when labels come and go: an end outside the array
  // has no label to show.
  auto userLabel = [&](std::int64_t k, std::int32_t x) {
    if (k >= 0 && k < count) PutLabel(label, labels[static_cast<std::int32_t>(k)], x, bottom, 4, true, dc);
  };
  userLabel(firstLabel, left);
  userLabel(lastLabel, right);

  // A window of one label (or a reversed one) has no lines between its ends.
  const std::int64_t span = std::int64_t{lastLabel} - firstLabel;
  const std::int64_t extent = std::int64_t{right} - left;
  const std::int64_t parts = Parts(extent, span < verticalLines ? span : verticalLines);
  if (span <= 0 || parts == 0) return;
  std::int64_t step =
      static_cast<std::int64_t>(static_cast<double>(span) / static_cast<double>(parts));
  // More labels than pixel columns: step over enough of them that every line gets a column
  // of its own.
  const std::int64_t fewest = (span + extent - 1) / extent;
  if (step < fewest) step = fewest;
  double pixelStep = static_cast<double>(extent) / static_cast<double>(span) * step;
  while (pixelStep < 1.0) pixelStep = static_cast<double>(extent) / static_cast<double>(span) * ++step;

  std::int64_t k = firstLabel;
  for (double x = left + pixelStep; x < right - scale(kFrameGap); x += pixelStep) {
    const std::int32_t xi = TruncToInt32(x);
    line.DrawLine(xi, top, xi, bottom, dc);
    k += step;
    if (k >= count) break;  // the last line may go without a label
    userLabel(k, xi);
  }
}

}  // namespace corvane
