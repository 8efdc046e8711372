// Whether the labels of a set of ticks fit along their axis: measured in the grid's label
// font, none closer to its neighbour than one character width, none past the room the
// picture leaves beyond the axis's ends.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "appearance/text_label.h"
#include "platform/dc.h"

namespace corvane {

class LabelMeasure {
 public:
  virtual ~LabelMeasure() = default;
  virtual TextSize Measure(const std::string& text) = 0;
};

// Measures with `font` selected into dc for the measure's lifetime (GetTextExtentPoint32).
class DcLabelMeasure : public LabelMeasure {
 public:
  DcLabelMeasure(DeviceContext& dc, const FontRequest& font) : dc_(dc), font_(dc, font) {}
  TextSize Measure(const std::string& text) override;
  // Whether some measure was not made in the font: it was refused, or a text's extent was.
  bool failed() const { return failed_ || !font_.selected(); }

 private:
  DeviceContext& dc_;
  LabelFont font_;
  bool failed_ = false;
};

// Where one axis's labels go. Positions are pixels along the axis from its start (0) to its
// end (extent); vertical axes stack their labels, so heights count there, widths elsewhere.
struct LabelRoom {
  std::int32_t extent = 0;
  bool vertical = false;
  double before = 1e9, after = 1e9;  // pixels beyond the start and the end labels may use
};

class LabelFit {
 public:
  LabelFit(LabelMeasure& measure, const LabelRoom& room);

  // The width of "0": the least gap between two labels.
  double gap() const { return gap_; }
  // The least distance two ticks need: a one-character label and the gap (horizontal), or a
  // label's height and the gap (vertical). Bounds every tick count by extent / pitch.
  double pitch() const { return pitch_; }
  const LabelRoom& room() const { return room_; }
  // True when every label, centred on its position, keeps the gap to its neighbours and
  // stays inside the room; an empty label (a tick left blank) takes no room. Positions
  // ascend; labels are measured at most once each.
  bool Fits(const std::vector<double>& positions, const std::vector<std::string>& labels);
  // The extent along the axis of one label (its width, or the font's height).
  double Along(const std::string& label);

 private:
  LabelMeasure& measure_;
  LabelRoom room_;
  double gap_ = 0, pitch_ = 1, height_ = 0;
  std::unordered_map<std::string, double> widths_;
};

}  // namespace corvane
