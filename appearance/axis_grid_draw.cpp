#include "appearance/axis_grid_draw.h"

#include <cstdint>
#include <string>
#include <vector>

#include "appearance/text_label.h"
#include "overlays/line_style.h"
#include "platform/geometry.h"

namespace corvane {
namespace {

// Where a label goes around its anchor (the placements of CPointLabel) and whether it gives
// way to a busy background.
struct Side {
  std::int32_t placement;
  bool check;
};

class TickLabels {
 public:
  TickLabels(CChartGrid& grid, DeviceContext& dc) : dc_(dc) {
    label_.height = grid.labelHeight;
    label_.textColor = grid.labelColor;
    label_.italic = grid.labelItalic != 0 ? 1 : 0;
    label_.showDot = 0;
    label_.scale = grid.scale;
    IRect clip{};
    dc.GetClipBox(&clip);
    picture_ = clip;
  }
  FontRequest Font() const { return label_.Font(); }

  // In the label font its caller selected.
  void Put(const std::string& text, std::int32_t x, std::int32_t y, const Side& side) {
    if (text.empty()) return;
    label_.text = text;
    if (Cut(x, y, side.placement)) return;
    label_.placement = side.placement;
    label_.checkBackground = side.check ? 1 : 0;
    label_.PlaceInSelectedFont(x, y, dc_);
  }

 private:
  // Whether the text placed at the anchor would reach past the picture.
  bool Cut(std::int32_t x, std::int32_t y, std::int32_t placement) {
    const TextSize size = label_.MeasureInSelectedFont(dc_);
    const std::int64_t w = size.cx, h = size.cy;
    const std::int64_t gap = label_.scale(CPointLabel::kGap);
    std::int64_t left = x, top = y;
    switch (placement) {
      case 1: left = x - w / 2; top = y - h - gap; break;
      case 4: left = x - w / 2; top = y + gap; break;
      case 6: left = x - w - gap; top = y - h / 2; break;
      default: left = x + gap; top = y - h / 2; break;  // 7
    }
    return left < picture_.left || top < picture_.top || left + w > picture_.right ||
           top + h > picture_.bottom;
  }

  DeviceContext& dc_;
  CPointLabel label_;
  IRect picture_{};
};

// Device positions of values strictly inside (low, high): on the frame a line would repeat it.
template <typename Visit>
void Inside(const std::vector<double>& values, const AxisMapping& mapping, std::int32_t low,
            std::int32_t high, Visit&& visit) {
  const std::int32_t a = low < high ? low : high, b = low < high ? high : low;
  for (std::size_t k = 0; k < values.size(); ++k) {
    const std::int32_t p = TruncToInt32(mapping.Device(values[k]));
    if (p > a && p < b) visit(k, p);
  }
}

// One axis: its minor lines, its major lines, then the major labels in the label font,
// those on the frame's own rows or columns too (the ends of a widened range are ticks).
template <typename Line, typename Label>
void DrawTicks(const AxisGridDirection& d, std::int32_t low, std::int32_t high,
               const FontRequest& font, DeviceContext& dc, Line&& line, Label&& label) {
  Inside(d.ticks->minor, d.mapping, low, high, [&](std::size_t, std::int32_t p) { line(p); });
  Inside(d.ticks->major, d.mapping, low, high, [&](std::size_t, std::int32_t p) { line(p); });
  const LabelFont selected(dc, font);
  Inside(d.ticks->major, d.mapping, low - 1, high + 1, [&](std::size_t k, std::int32_t p) {
    if (k < d.ticks->labels.size()) label(d.ticks->labels[k], p);
  });
}

}  // namespace

void DrawAxisGrid(CChartGrid& grid, const AxisGridDirection& x, const AxisGridDirection& y,
                  DeviceContext& dc) {
  // Nothing but the grid's own directions: the grid drawer itself.
  if (!y.ticks && (!x.ticks || grid.gridType == 1)) {
    grid.DrawGrid(dc);
    return;
  }
  if (grid.gridVisible < 0 || grid.gridVisible > 2) return;
  if (grid.gridType != 0 && grid.gridType != 1) return;
  CLineStyle line;
  line.width = SanitizeLineWidth(grid.lineWidth);
  line.color = grid.lineColor;
  line.style = 0;
  line.enabled = 1;
  line.scale = grid.scale;
  line.DrawLine(grid.left, grid.top, grid.right, grid.top, dc);
  line.DrawLine(grid.right, grid.top, grid.right, grid.bottom, dc);
  line.DrawLine(grid.right, grid.bottom, grid.left, grid.bottom, dc);
  line.DrawLine(grid.left, grid.bottom, grid.left, grid.top, dc);
  line.style = SanitizeLineStyle(grid.lineStyle);

  // The grid's own directions take the label the grid drawer builds.
  CPointLabel own;
  own.height = grid.labelHeight;
  own.textColor = grid.labelColor;
  own.italic = grid.labelItalic != 0 ? 1 : 0;
  own.showDot = 0;
  own.scale = grid.scale;

  if (grid.gridVisible == 0 || grid.gridVisible == 1) {
    if (y.ticks) {
      TickLabels labels(grid, dc);
      DrawTicks(
          y, grid.top, grid.bottom, labels.Font(), dc,
          [&](std::int32_t py) { line.DrawLine(grid.left, py, grid.right, py, dc); },
          [&](const std::string& text, std::int32_t py) {
            labels.Put(text, grid.left, py, Side{6, false});
            labels.Put(text, grid.right, py, Side{7, true});
          });
    } else {
      grid.DrawValueLinesHorizontal(line, own, dc);
    }
  }
  if (grid.gridVisible == 0 || grid.gridVisible == 2) {
    if (grid.gridType == 1) {
      grid.DrawCategoryLines(line, own, dc);
    } else if (x.ticks) {
      TickLabels labels(grid, dc);
      DrawTicks(
          x, grid.left, grid.right, labels.Font(), dc,
          [&](std::int32_t px) { line.DrawLine(px, grid.top, px, grid.bottom, dc); },
          [&](const std::string& text, std::int32_t px) {
            labels.Put(text, px, grid.bottom, Side{4, false});
            labels.Put(text, px, grid.top, Side{1, true});
          });
    } else {
      grid.DrawValueLinesVertical(line, own, dc);
    }
  }
}

}  // namespace corvane
